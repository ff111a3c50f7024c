#include "platform/capture/CaptureSourceSim.h"

#include "sim/Bt848Card.h"
#include "sim/SimVideoDevices.h"

namespace platform {

namespace {

constexpr int kFrameMs625 = 40;  // 25 frames a second
constexpr int kFrameMs525 = 33;  // about 30

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

void CaptureSourceSim::frameSaved() { report(sim::SimCaptureEvent::Kind::SaveDib, driverIndex()); }

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
  timer_.start(0);  // the first frame at once; renderFrame() sets the rate
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

QSize CaptureSourceSim::fullFrameSize() const {
  const sim::PictureState state = sim::SimPicture::describe(sim::Card());
  return {state.width, state.height};
}

// One frame of what the card shows now, drawn into an image of the pool.
void CaptureSourceSim::renderFrame() {
  const sim::PictureState state = sim::SimPicture::describe(sim::Card());
  if (timer_.isActive()) {
    const int due = everyFrame_ ? frameMsOf(state) : streamInterval();
    if (timer_.interval() != due) timer_.setInterval(due);
  }
  const FramePool::Taken taken = pool_.take(QSize(state.width, state.height));
  const bool known = taken.index >= 0 && !taken.fresh;
  picture_.render(state, frameNumber_++, reinterpret_cast<uint32_t*>(taken.image->bits()),
                  known ? &drawn_[size_t(taken.index)] : nullptr);
  if (taken.index >= 0) drawn_[size_t(taken.index)] = state;
  deliverFrame(*taken.image);
}

}  // namespace platform
