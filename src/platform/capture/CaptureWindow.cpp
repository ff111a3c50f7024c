#include "platform/capture/CaptureWindow.h"

#include <QImageWriter>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>

namespace platform {

CaptureWindow::CaptureWindow(QWidget* parent) : CaptureWindow(CaptureSource::create(), parent) {}

CaptureWindow::CaptureWindow(std::unique_ptr<CaptureSource> source, QWidget* parent)
    : QWidget(parent),
      source_(std::move(source)),
      sequence_(std::make_unique<CaptureSequence>(*source_)) {
  // Every pixel is painted (picture or black), so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(source_.get(), &CaptureSource::frameReady, this, &CaptureWindow::onFrameReady);
}

CaptureWindow::~CaptureWindow() = default;

// ---- Operations

bool CaptureWindow::driverConnect(int index) {
  bool ok = source_->connectDriver(index);
  if (ok) applyStream();
  pictureChanged();
  return ok;
}

bool CaptureWindow::driverDisconnect() {
  bool was = source_->connected();
  source_->disconnectDriver();
  pictureChanged();
  return was;
}

bool CaptureWindow::setOverlay(bool on) {
  if (!source_->connected()) return false;
  overlay_ = on;
  if (on) preview_ = false;
  return applyStream();
}

bool CaptureWindow::setPreview(bool on) {
  if (!source_->connected()) return false;
  preview_ = on;
  if (on) overlay_ = false;
  return applyStream();
}

bool CaptureWindow::setPreviewRate(int ms) {
  if (!source_->connected()) return false;
  previewRate_ = ms < 0 ? 0 : ms;
  return applyStream();
}

bool CaptureWindow::stop() {
  if (!source_->connected()) return false;
  sequence_->stop();
  return true;
}

QImage CaptureWindow::grabFrame() {
  if (!source_->grabFrame()) return {};
  return source_->latestFrame();
}

bool CaptureWindow::saveDib(const QString& path) {
  const QImage frame = source_->latestFrame();
  if (!source_->connected() || frame.isNull()) return false;
  source_->frameSaved();
  // Three bytes a pixel: the writer keeps 24 bits only for an image without a fourth channel.
  const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QImageWriter writer(&file, "BMP");
  if (!writer.write(rgb)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

// Overlay streams every frame, preview at its rate; neither leaves the last frame standing.
// False when the driver would not stream.
bool CaptureWindow::applyStream() {
  if (!source_->connected()) return false;
  if (!overlay_ && !preview_) {
    source_->stopStreaming();
    return true;
  }
  askStreamSize();
  const int interval = overlay_ ? 0 : previewRate_;
  if (source_->streaming() && source_->streamInterval() == interval) return true;
  return source_->startStreaming(interval);
}

// An overlay has the card scale its frames to the window; preview shows the full picture. A
// capture in progress records the full picture (the window stretches it meanwhile) and puts
// back the size asked for last when it ends.
void CaptureWindow::askStreamSize() {
  const QSize wanted = overlay_ ? size() : QSize();
  if (sequence_->running())
    sequence_->setStreamSizeAfter(wanted);
  else
    source_->setStreamSize(wanted);
}

// ---- Painting

void CaptureWindow::onFrameReady() {
  pictureChanged();
  emit frameArrived();
}

// A new frame or size: the picture is made again when the window is painted next.
void CaptureWindow::pictureChanged() {
  scaledCurrent_ = false;
  update();
}

void CaptureWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect area = event->rect();
  if (!source_->hasFrame()) {
    p.fillRect(area, Qt::black);
    return;
  }
  QPoint origin;
  QImage* target = inPlaceTarget(p, &origin);
  if (const YuyvImage* yuyv = source_->latestYuyv(); yuyv && target) {
    for (const QRect& r : event->region()) scaler_.scale(*yuyv, size(), r, *target, origin);
    return;
  }
  const QImage frame = source_->latestFrame();
  if (frame.size() == size()) {
    p.drawImage(area.topLeft(), frame, area);
  } else if (target && frame.depth() == 32) {
    for (const QRect& r : event->region()) scaler_.scale(frame, size(), r, *target, origin);
  } else {
    p.drawImage(area.topLeft(), stretched(frame), area);
  }
}

// The image the painter paints on, when the picture can be drawn into it directly: a plain
// 32-bit image (the window's backing store) that the window covers pixel for pixel, with the
// window's top left at `origin`. Drawing there spares writing and reading a whole picture per
// frame. Null for any other target (a grab, a scaled display).
QImage* CaptureWindow::inPlaceTarget(QPainter& painter, QPoint* origin) const {
  QPaintDevice* device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
  const QTransform& toDevice = painter.deviceTransform();
  if (!device || device->devType() != QInternal::Image ||
      toDevice.type() > QTransform::TxTranslate)
    return nullptr;
  auto* target = static_cast<QImage*>(device);
  const QImage::Format format = target->format();
  const bool plain = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                     format == QImage::Format_ARGB32_Premultiplied;
  *origin = QPoint(qRound(toDevice.dx()), qRound(toDevice.dy()));
  if (!plain || target->devicePixelRatio() != 1.0 ||
      !target->rect().contains(QRect(*origin, size())))
    return nullptr;
  return target;
}

// The frame at the window's size, drawn once per frame or size into the same image.
const QImage& CaptureWindow::stretched(const QImage& frame) {
  if (scaledCurrent_ && scaled_.size() == size()) return scaled_;
  if (scaled_.size() != size() || !scaled_.isDetached())
    scaled_ = QImage(size(), QImage::Format_RGB32);
  scaler_.scale(frame, scaled_);
  scaledCurrent_ = true;
  return scaled_;
}

void CaptureWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  askStreamSize();
  pictureChanged();
}

}  // namespace platform
