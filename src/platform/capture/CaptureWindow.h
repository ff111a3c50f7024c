// The capture window: a widget that owns a capture source and shows its live picture, taking
// the operations the program sends to a capture driver's window (connect, overlay, preview and
// its rate, streaming capture into an AVI file and its stop, grab, save the frame as a bitmap
// file). What reaches the driver can be read
// from the simulated machine (sim::VideoDevices().captureEvents()). Child widgets (the on-screen
// display) may be placed on it.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "platform/capture/CaptureSequence.h"
#include "platform/capture/CaptureSource.h"
#include "platform/capture/FrameScaler.h"

class QPainter;

namespace platform {

class CaptureWindow : public QWidget {
  Q_OBJECT

public:
  // The preview rate until one is set.
  static constexpr int kDefaultPreviewRateMs = 66;

  // With the backend that CaptureSource::create() picks.
  explicit CaptureWindow(QWidget* parent = nullptr);
  CaptureWindow(std::unique_ptr<CaptureSource> source, QWidget* parent = nullptr);
  ~CaptureWindow() override;

  // --- The operations. While no driver is connected all but connect and disconnect return
  // false and change nothing.

  // Connects driver `index` (a connected one is let go first); overlay or preview, when one
  // was on before a disconnect, resumes.
  bool driverConnect(int index);
  // Lets the driver go and shows black; the overlay and preview choices are kept.
  bool driverDisconnect();
  // Overlay and preview show the live picture; switching one on switches the other off.
  // Overlay takes every frame the driver delivers, preview one per preview rate. False also
  // when the driver will not stream (the choice is kept).
  bool setOverlay(bool on);
  bool setPreview(bool on);
  bool setPreviewRate(int ms);
  // Ends a capture in progress; the picture goes on.
  bool stop();
  // The streaming capture into an AVI file: its parameters, file, callbacks, and run().
  CaptureSequence& sequence() { return *sequence_; }
  // Captures one frame now without changing overlay or preview, shows it and returns it (null
  // when there is no driver or no frame came).
  QImage grabFrame();
  // Writes the current frame to `path` as a 24-bit BMP file, replacing it as a whole.
  bool saveDib(const QString& path);

  // --- State
  bool driverConnected() const { return source_->connected(); }
  bool overlay() const { return overlay_; }
  bool preview() const { return preview_; }
  int previewRate() const { return previewRate_; }
  QImage currentFrame() const { return source_->latestFrame(); }
  CaptureSource::Description driverDescription() const { return source_->description(); }
  CaptureSource& source() { return *source_; }

signals:
  // A new frame is on show (streamed or grabbed); currentFrame() returns it.
  void frameArrived();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  bool applyStream();
  void askStreamSize();
  void onFrameReady();
  void pictureChanged();
  QImage* inPlaceTarget(QPainter& painter, QPoint* origin) const;
  const QImage& stretched(const QImage& frame);

  std::unique_ptr<CaptureSource> source_;
  std::unique_ptr<CaptureSequence> sequence_;
  bool overlay_ = false;
  bool preview_ = false;
  int previewRate_ = kDefaultPreviewRateMs;
  // The window shows the latest frame, or black without one. An overlay's frames come at the
  // window's size as far as the driver scales; any other frame is stretched without smoothing
  // to the window's size, as an overlay shows it. The stretched picture is drawn at paint time,
  // straight into the window's backing store where that can be done (from the driver's YUYV
  // bytes, when the source still holds them), else into this image.
  FrameScaler scaler_;
  QImage scaled_;
  bool scaledCurrent_ = false;  // scaled_ holds the latest frame at the window's size
};

}  // namespace platform
