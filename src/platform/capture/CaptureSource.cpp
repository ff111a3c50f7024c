#include "platform/capture/CaptureSource.h"

#include "platform/Environment.h"
#include "platform/capture/CaptureSourceSim.h"
#include "platform/capture/CaptureSourceV4l2.h"

namespace platform {

// Backends disconnect in their own destructors, while their part of the object still exists.
CaptureSource::~CaptureSource() = default;

namespace {

CaptureSource::Factory& factory() {
  static CaptureSource::Factory f;
  return f;
}

}  // namespace

void CaptureSource::setFactory(Factory f) { factory() = std::move(f); }

std::unique_ptr<CaptureSource> CaptureSource::create() {
  if (factory()) return factory()();
  if (SimulationEnabled()) return std::make_unique<CaptureSourceSim>();
  return std::make_unique<CaptureSourceV4l2>();
}

bool CaptureSource::connectDriver(int index) {
  if (connected_) disconnectDriver();
  if (index < 0 || !openDriver(index)) return false;
  connected_ = true;
  index_ = index;
  frames_ = 0;
  return true;
}

void CaptureSource::disconnectDriver() {
  if (!connected_) return;
  raw_ = {};  // dropped with the driver: nothing to convert
  latest_ = QImage();
  stopStreaming();
  closeDriver();
  connected_ = false;
  index_ = -1;
}

bool CaptureSource::startStreaming(int intervalMs) {
  if (!connected_) return false;
  if (streaming_) stopStreaming();
  interval_ = intervalMs < 0 ? 0 : intervalMs;
  streaming_ = beginStream(interval_);
  return streaming_;
}

void CaptureSource::stopStreaming() {
  if (!streaming_) return;
  endStream();
  streaming_ = false;
}

void CaptureSource::setStreamSize(QSize size) {
  if (size.isEmpty()) size = QSize();
  if (size == streamSize_) return;
  streamSize_ = size;
  if (streaming_) streamSizeChanged();
}

std::vector<QSize> CaptureSource::frameSizes() const {
  const QSize full = connected_ ? fullFrameSize() : QSize();
  if (full.isEmpty()) return {};
  return {full, full / 2, full / 4};
}

bool CaptureSource::grabFrame() { return connected_ && captureOne(); }

void CaptureSource::streamBroken() { stopStreaming(); }

void CaptureSource::deliverFrame(QImage frame) {
  raw_ = {};
  latest_ = std::move(frame);
  ++frames_;
  emit frameReady();
}

void CaptureSource::deliverYuyv(const YuyvImage& frame) {
  raw_ = frame;
  latest_ = QImage();
  ++frames_;
  emit frameReady();
}

void CaptureSource::releaseYuyv() {
  if (!raw_.bytes) return;
  latestFrame();
  raw_ = {};
}

QImage CaptureSource::latestFrame() const {
  if (raw_.bytes && latest_.isNull()) {
    QImage& image = *converted_.take(raw_.size).image;
    YuyvToRgb32(raw_.bytes, raw_.stride, image.bits(), size_t(image.bytesPerLine()),
                image.width(), image.height());
    latest_ = image;
  }
  return latest_;
}

}  // namespace platform
