// The V4L2 backend of the capture source: driver N is the video capture device /dev/videoN.
// Frames are captured by memory-mapped streaming; a socket notifier on the device's descriptor
// reads each buffer as it fills, so the GUI thread never waits for the device. libv4lconvert
// turns whatever the device delivers into RGB.
#pragma once

#include <QElapsedTimer>
#include <QSocketNotifier>

#include <linux/videodev2.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/CaptureSource.h"

struct v4lconvert_data;

namespace platform {

class CaptureSourceV4l2 : public CaptureSource {
  Q_OBJECT

public:
  // Devices are looked up as <deviceFolder>/videoN.
  explicit CaptureSourceV4l2(std::string deviceFolder = "/dev");
  ~CaptureSourceV4l2() override;

  Description description() const override { return description_; }

  // How long grabFrame() waits for the device, at most.
  static constexpr int kGrabTimeoutMs = 1000;

protected:
  bool openDriver(int index) override;
  void closeDriver() override;
  bool beginStream(int intervalMs) override;
  void endStream() override;
  bool captureOne() override;

private:
  struct Mapping {
    void* start = nullptr;
    size_t length = 0;
  };
  enum class Read { Frame, NoFrame, Failed };

  bool negotiateFormat();
  bool startBuffers();
  void stopBuffers();
  void onReadable();
  Read readFrame(bool deliverAlways);
  bool convertAndDeliver(const Mapping& m, size_t bytesUsed);

  std::string folder_;
  int fd_ = -1;
  v4lconvert_data* convert_ = nullptr;
  v4l2_format source_{};  // what the device delivers
  v4l2_format rgb_{};     // RGB24 of the same size, what libv4lconvert makes of it
  std::vector<uint8_t> rgbBytes_;
  std::vector<Mapping> mappings_;
  bool buffersRunning_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  int interval_ = 0;
  QElapsedTimer sinceFrame_;
  Description description_;
};

}  // namespace platform
