#include "platform/capture/CaptureWindow.h"

#include <QImageWriter>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>

namespace platform {

CaptureWindow::CaptureWindow(QWidget* parent) : CaptureWindow(CaptureSource::create(), parent) {}

CaptureWindow::CaptureWindow(std::unique_ptr<CaptureSource> source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
  // Every pixel is painted (picture or black), so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(source_.get(), &CaptureSource::frameReady, this, &CaptureWindow::onFrameReady);
}

CaptureWindow::~CaptureWindow() = default;

// ---- Operations

bool CaptureWindow::driverConnect(int index) {
  bool ok = source_->connectDriver(index);
  if (ok) applyStream();
  rescale();
  return ok;
}

bool CaptureWindow::driverDisconnect() {
  bool was = source_->connected();
  source_->disconnectDriver();
  rescale();
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

// No capture sequence runs through this window, so there is nothing to end.
// LATER(AVI capture sequence through the capture window)
bool CaptureWindow::stop() {
  return source_->connected();
}

QImage CaptureWindow::grabFrame() {
  if (!source_->grabFrame()) return {};
  return source_->latestFrame();
}

bool CaptureWindow::saveDib(const QString& path) {
  const QImage frame = source_->latestFrame();
  if (!source_->connected() || frame.isNull()) return false;
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
  const int interval = overlay_ ? 0 : previewRate_;
  if (source_->streaming() && source_->streamInterval() == interval) return true;
  return source_->startStreaming(interval);
}

// ---- Painting

void CaptureWindow::onFrameReady() {
  if (isVisible()) {
    rescale();
  } else {
    scaledStale_ = true;
  }
  emit frameArrived();
}

// The scaled frame is made once per frame or size; painting only copies it out.
void CaptureWindow::rescale() {
  scaled_ = scaleFrame(source_->latestFrame(), size());
  scaledStale_ = false;
  update();
}

QImage CaptureWindow::scaleFrame(const QImage& frame, const QSize& size) {
  if (frame.isNull() || size.isEmpty()) return {};
  if (frame.size() == size) return frame;
  QImage out(size, QImage::Format_RGB32);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QRect(QPoint(0, 0), size), frame);
  return out;
}

void CaptureWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect area = event->rect();
  if (scaled_.isNull())
    p.fillRect(area, Qt::black);
  else
    p.drawImage(area.topLeft(), scaled_, area);
}

void CaptureWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rescale();
}

void CaptureWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (scaledStale_) rescale();
}

}  // namespace platform
