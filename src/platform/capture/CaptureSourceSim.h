// The simulated backend of the capture source: frames are drawn from the simulated card's state
// (sim::SimPicture over sim::Card()) by a timer on the GUI thread. Driver N exists when the
// simulated machine has a capture device N (sim::VideoDevices()), so tests can take it away;
// every open, close, stream start and end and single grab is reported there, in order.
#pragma once

#include <QTimer>

#include <memory>
#include <vector>

#include "platform/capture/CaptureSource.h"
#include "sim/SimPicture.h"
#include "sim/SimVideoDevices.h"

namespace platform {

class CaptureSourceSim : public CaptureSource {
  Q_OBJECT

public:
  CaptureSourceSim();
  ~CaptureSourceSim() override;

  Description description() const override;

  // The frame number the next frame will be drawn with; counts from 0 at each connect.
  uint64_t nextFrameNumber() const { return frameNumber_; }

protected:
  bool openDriver(int index) override;
  void closeDriver() override;
  bool beginStream(int intervalMs) override;
  void endStream() override;
  bool captureOne() override;

private:
  using Buffer = std::vector<uint32_t>;

  static void report(sim::SimCaptureEvent::Kind kind, int device, int intervalMs = 0);

  void renderFrame();
  std::shared_ptr<Buffer> freeBuffer(size_t words);

  QTimer timer_;
  bool everyFrame_ = false;  // the stream follows the standard's frame time
  sim::SimPicture picture_;
  uint64_t frameNumber_ = 0;
  // Frame buffers the QImages point into. A buffer is reused once no image refers to it any
  // more, so a frame someone keeps is never drawn over.
  std::vector<std::shared_ptr<Buffer>> pool_;
};

}  // namespace platform
