// The simulated backend of the capture source: frames are drawn from the simulated card's state
// (sim::SimPicture over sim::Card()) by a timer on the GUI thread, a stream's at the stream size
// as far as the card's scaler goes (no larger than the full picture, no smaller than 48 x 32);
// the first frame of a stream comes as soon as the event loop runs, as the card shows a picture
// already. Driver N exists when
// the simulated machine has a capture device N (sim::VideoDevices()), so tests can take it away;
// every open, close, stream start and end, single grab and saved frame is reported there, in
// order.
#pragma once

#include <QTimer>

#include <array>

#include "platform/capture/CaptureSource.h"
#include "platform/capture/FramePool.h"
#include "sim/SimPicture.h"
#include "sim/SimVideoDevices.h"

namespace platform {

class CaptureSourceSim : public CaptureSource {
  Q_OBJECT

public:
  CaptureSourceSim();
  ~CaptureSourceSim() override;

  Description description() const override;
  void frameSaved() override;

  // The frame number the next frame will be drawn with; counts from 0 at each connect.
  uint64_t nextFrameNumber() const { return frameNumber_; }

protected:
  bool openDriver(int index) override;
  void closeDriver() override;
  bool beginStream(int intervalMs) override;
  void endStream() override;
  bool captureOne() override;
  QSize fullFrameSize() const override;

private:
  static void report(sim::SimCaptureEvent::Kind kind, int device, int intervalMs = 0);

  enum class Frame { Stream, Grab };
  void renderFrame(Frame kind);

  QTimer timer_;
  bool everyFrame_ = false;  // the stream follows the standard's frame time
  sim::SimPicture picture_;
  uint64_t frameNumber_ = 0;
  FramePool pool_;
  // The picture each image of the pool holds, so that only what moved is drawn again.
  std::array<sim::PictureState, FramePool::kImages> drawn_;
};

}  // namespace platform
