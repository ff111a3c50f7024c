#include "platform/capture/CaptureSourceSim.h"

#include "sim/Bt848Card.h"
#include "sim/SimVideoDevices.h"

namespace platform {

namespace {

constexpr int kFrameMs625 = 40;  // 25 frames a second
constexpr int kFrameMs525 = 33;  // about 30

// The smallest picture the card's scaler gives.
constexpr int kMinimumWidth = 48;
constexpr int kMinimumHeight = 32;

int frameMsOf(const sim::PictureState& state) {
  return state.height == sim::SimPicture::kHeight525 ? kFrameMs525 : kFrameMs625;
}

// The picture scaled down to `wanted` as far as the card's scaler goes; the full picture when
// nothing is wanted.
void scaleTo(sim::PictureState& state, QSize wanted) {
  if (wanted.isEmpty()) return;
  const QSize full(state.width, state.height);
  const QSize size = wanted.boundedTo(full).expandedTo({kMinimumWidth, kMinimumHeight});
  state.width = size.width();
  state.height = size.height();
}

}  // namespace

CaptureSourceSim::CaptureSourceSim() {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { renderFrame(Frame::Stream); });
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
  renderFrame(Frame::Grab);
  return true;
}

QSize CaptureSourceSim::fullFrameSize() const {
  const sim::PictureState state = sim::SimPicture::describe(sim::Card());
  return {state.width, state.height};
}

// One frame of what the card shows now, drawn into an image of the pool: a frame of the stream
// at the stream size, a grab at the full size.
void CaptureSourceSim::renderFrame(Frame kind) {
  sim::PictureState state = sim::SimPicture::describe(sim::Card());
  if (timer_.isActive()) {
    const int due = everyFrame_ ? frameMsOf(state) : streamInterval();
    if (timer_.interval() != due) timer_.setInterval(due);
  }
  if (kind == Frame::Stream) scaleTo(state, streamSize());
  const FramePool::Taken taken = pool_.take(QSize(state.width, state.height));
  const bool known = taken.index >= 0 && !taken.fresh;
  picture_.render(state, frameNumber_++, reinterpret_cast<uint32_t*>(taken.image->bits()),
                  known ? &drawn_[size_t(taken.index)] : nullptr);
  if (taken.index >= 0) drawn_[size_t(taken.index)] = state;
  deliverFrame(*taken.image);
}

}  // namespace platform
