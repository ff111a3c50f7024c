// Where the capture window's pictures come from: a capture driver, connected by index, that
// streams frames at a chosen rate and hands each one over on the GUI thread. Two backends: the
// simulated card's picture (under the simulation switch) and a V4L2 capture device.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/capture/FramePool.h"
#include "platform/capture/YuyvConversion.h"

namespace platform {

class CaptureSource : public QObject {
  Q_OBJECT

public:
  // What the driver calls itself, for the driver dialogs.
  struct Description {
    QString name;
    QString version;
  };

  ~CaptureSource() override;

  // The simulated card's picture under the simulation switch, else /dev/videoN; a factory set
  // with setFactory comes first.
  static std::unique_ptr<CaptureSource> create();
  // Puts another driver behind every capture window made from now on (a benchmark's stand-in
  // V4L2 driver); an empty factory goes back to the choice above.
  using Factory = std::function<std::unique_ptr<CaptureSource>()>;
  static void setFactory(Factory factory);

  // Connects driver `index`; a connected driver is disconnected first. False (and not
  // connected) when there is no such driver or it cannot deliver pictures.
  bool connectDriver(int index);
  // Stops streaming and lets the driver go; the latest frame is dropped.
  void disconnectDriver();
  bool connected() const { return connected_; }
  int driverIndex() const { return connected_ ? index_ : -1; }

  // Streams frames, at most one per `intervalMs` milliseconds; 0 takes every frame the driver
  // delivers. A running stream is restarted at the new rate. False when not connected or the
  // driver refuses to stream.
  bool startStreaming(int intervalMs);
  void stopStreaming();
  bool streaming() const { return streaming_; }
  int streamInterval() const { return interval_; }

  // The size frames of a stream are asked for, for an overlay: the card scales the picture as it
  // captures it, so that a window shows the frames as they come. The driver brings it to what it
  // can do (never more than its full picture); the window stretches what is left. Empty, the
  // default, streams the full picture; a single grab always takes the full picture. Holds from
  // the next frame of the stream on.
  void setStreamSize(QSize size);
  QSize streamSize() const { return streamSize_; }

  // Captures one frame now and makes it the latest; streaming goes on as it was. False when not
  // connected or no frame came (the real backend waits a bounded time).
  bool grabFrame();

  // The picture sizes a capture can record for the standard received now, largest first: the
  // driver's full picture, half and a quarter of it. Empty while not connected.
  std::vector<QSize> frameSizes() const;

  // Whether there is a latest frame: none before the first one and after a disconnect.
  bool hasFrame() const { return raw_.bytes || !latest_.isNull(); }
  // The last frame delivered (Format_RGB32), null before the first one and after a disconnect.
  // A frame the driver delivered in YUYV is converted at the first request.
  QImage latestFrame() const;
  // The last frame as the driver's YUYV bytes while the backend still holds them (until the
  // next frame or the end of the stream), else null: a window can convert only what it shows.
  const YuyvImage* latestYuyv() const { return raw_.bytes ? &raw_ : nullptr; }
  // Frames delivered since the driver was connected.
  uint64_t frameCount() const { return frames_; }

  // The connected driver's description; empty when none is connected.
  virtual Description description() const = 0;

  // Told when the capture window writes the latest frame to a file (the simulated driver
  // reports it with the other requests).
  virtual void frameSaved() {}

signals:
  // A new latest frame; emitted on the GUI thread, from the event loop or from grabFrame().
  void frameReady();

protected:
  CaptureSource() = default;

  // Called by the backend with every new frame.
  void deliverFrame(QImage frame);
  // Called by the backend with a new frame it keeps in its own buffer until it delivers the
  // next one or calls releaseYuyv().
  void deliverYuyv(const YuyvImage& frame);
  // The backend lets the latest YUYV frame's buffer go: the frame is converted first, so it
  // stays the latest frame.
  void releaseYuyv();
  // Called by the backend when its stream broke off (the device went away): streaming stops.
  void streamBroken();

  // The backend's part of each operation; the base keeps the state and calls these in order.
  virtual bool openDriver(int index) = 0;
  virtual void closeDriver() = 0;
  virtual bool beginStream(int intervalMs) = 0;
  virtual void endStream() = 0;
  virtual bool captureOne() = 0;  // delivers one frame or returns false
  // The driver's full picture for the standard it receives now; empty when unknown.
  virtual QSize fullFrameSize() const = 0;
  // Told of another stream size while a stream runs.
  virtual void streamSizeChanged() {}

private:
  bool connected_ = false;
  bool streaming_ = false;
  int index_ = -1;
  int interval_ = 0;
  QSize streamSize_;
  uint64_t frames_ = 0;
  mutable QImage latest_;  // also the converted copy of raw_, once asked for
  YuyvImage raw_;
  mutable FramePool converted_;
};

}  // namespace platform
