#include "platform/capture/CaptureSourceSim.h"

#include "sim/Bt848Card.h"
#include "sim/SimVideoDevices.h"

namespace platform {

namespace {

constexpr int kFrameMs625 = 40;  // 25 frames a second
constexpr int kFrameMs525 = 33;  // about 30
constexpr size_t kPoolLimit = 4; // beyond this, kept frames get buffers of their own

int frameMsOf(const sim::PictureState& state) {
  return state.height == sim::SimPicture::kHeight525 ? kFrameMs525 : kFrameMs625;
}

}  // namespace

CaptureSourceSim::CaptureSourceSim() {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &CaptureSourceSim::renderFrame);
}

CaptureSourceSim::~CaptureSourceSim() { disconnectDriver(); }

CaptureSource::Description CaptureSourceSim::description() const {
  if (!connected()) return {};
  return {QStringLiteral("Simulated Bt848 capture driver"), QStringLiteral("1.0")};
}

void CaptureSourceSim::report(sim::SimCaptureEvent::Kind kind, int device, int intervalMs) {
  sim::VideoDevices().recordCapture({kind, device, intervalMs});
}

bool CaptureSourceSim::openDriver(int index) {
  report(sim::SimCaptureEvent::Kind::Open, index);
  if (index >= static_cast<int>(sim::VideoDevices().devices().size())) return false;
  frameNumber_ = 0;
  return true;
}

void CaptureSourceSim::closeDriver() { report(sim::SimCaptureEvent::Kind::Close, driverIndex()); }

bool CaptureSourceSim::beginStream(int intervalMs) {
  report(sim::SimCaptureEvent::Kind::Stream, driverIndex(), intervalMs);
  everyFrame_ = intervalMs == 0;
  timer_.start(everyFrame_ ? frameMsOf(sim::SimPicture::describe(sim::Card())) : intervalMs);
  return true;
}

void CaptureSourceSim::endStream() {
  report(sim::SimCaptureEvent::Kind::StreamEnd, driverIndex());
  timer_.stop();
}

bool CaptureSourceSim::captureOne() {
  report(sim::SimCaptureEvent::Kind::Grab, driverIndex());
  renderFrame();
  return true;
}

// One frame of what the card shows now, wrapped in a QImage without copying.
void CaptureSourceSim::renderFrame() {
  const sim::PictureState state = sim::SimPicture::describe(sim::Card());
  if (everyFrame_ && timer_.isActive() && timer_.interval() != frameMsOf(state))
    timer_.setInterval(frameMsOf(state));
  std::shared_ptr<Buffer> buffer =
      freeBuffer(static_cast<size_t>(state.width) * static_cast<size_t>(state.height));
  picture_.render(state, frameNumber_++, buffer->data());
  // The image holds a reference to its buffer until its last copy is gone.
  auto* hold = new std::shared_ptr<Buffer>(buffer);
  QImage frame(reinterpret_cast<const uchar*>(buffer->data()), state.width, state.height,
               state.width * static_cast<qsizetype>(sizeof(uint32_t)), QImage::Format_RGB32,
               [](void* p) { delete static_cast<std::shared_ptr<Buffer>*>(p); }, hold);
  deliverFrame(std::move(frame));
}

std::shared_ptr<CaptureSourceSim::Buffer> CaptureSourceSim::freeBuffer(size_t words) {
  for (auto& b : pool_) {
    if (b.use_count() != 1) continue;
    b->resize(words);
    return b;
  }
  auto fresh = std::make_shared<Buffer>(words);
  if (pool_.size() < kPoolLimit) pool_.push_back(fresh);
  return fresh;
}

}  // namespace platform
