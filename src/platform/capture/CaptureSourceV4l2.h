// The V4L2 backend of the capture source: driver N is the video capture device /dev/videoN.
// Frames are captured by memory-mapped streaming, a stream's at the stream size as the device
// scales them (the full picture for grabs); a socket notifier on the device's descriptor
// reads each buffer as it fills, so the GUI thread never waits for the device. A YUYV frame stays
// in its buffer while it is the latest frame, so that it is converted only where and when it is
// shown; libv4lconvert turns whatever else the device delivers into RGB.
#pragma once

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <linux/videodev2.h>

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/CaptureSource.h"
#include "platform/capture/FramePool.h"

struct v4lconvert_data;

namespace platform {

// The system calls the backend makes on a device, so tests can stand in for a driver. The
// descriptor `open` returns must be pollable: readiness comes from poll and the notifier.
struct V4l2CaptureIo {
  std::function<int(const char* path, int flags)> open;
  std::function<int(int fd)> close;
  std::function<int(int fd, unsigned long request, void* arg)> ioctl;
  std::function<void*(size_t length, int fd, off_t offset)> mmap;  // MAP_FAILED on failure
  std::function<int(void* start, size_t length)> munmap;

  static V4l2CaptureIo system();
};

class CaptureSourceV4l2 : public CaptureSource {
  Q_OBJECT

public:
  // Devices are looked up as <deviceFolder>/videoN.
  explicit CaptureSourceV4l2(std::string deviceFolder = "/dev",
                             V4l2CaptureIo io = V4l2CaptureIo::system());
  ~CaptureSourceV4l2() override;

  Description description() const override { return description_; }

  // How long grabFrame() waits for the device, at most.
  static constexpr int kGrabTimeoutMs = 1000;
  // How long a new stream size holds before the stream is restarted at it.
  static constexpr int kResizeSettleMs = 150;

protected:
  bool openDriver(int index) override;
  void closeDriver() override;
  bool beginStream(int intervalMs) override;
  void endStream() override;
  bool captureOne() override;
  QSize fullFrameSize() const override { return full_; }
  void streamSizeChanged() override;

private:
  struct Mapping {
    void* start = nullptr;
    size_t length = 0;
  };
  enum class Read { Frame, NoFrame, Failed };

  bool negotiateFormat();
  bool setFormat(QSize wanted);
  bool useFormat(QSize wanted);
  QSize streamFormat() const;
  bool useStreamFormat();
  void applyStreamSize();
  bool waitForFrame();
  bool startBuffers();
  void stopBuffers();
  void onReadable();
  Read readFrame(bool deliverAlways);
  bool deliver(unsigned index, size_t bytesUsed, int* giveBack);
  bool convertAndDeliver(const Mapping& m, size_t bytesUsed);
  int queueBuffer(int index);
  int xioctl(unsigned long request, void* arg);
  static int convertIoctl(void* self, int fd, unsigned long request, void* arg);

  std::string folder_;
  V4l2CaptureIo io_;
  int fd_ = -1;
  v4lconvert_data* convert_ = nullptr;
  v4l2_format source_{};  // what the device delivers
  v4l2_format rgb_{};     // RGB24 of the same size, what libv4lconvert makes of it
  QSize full_;            // the full picture, as the device took it
  QSize formatSize_;      // the pictures the device is set to deliver now
  bool yuyv_ = false;     // the device delivers YUYV, converted without libv4lconvert
  std::vector<uint8_t> rgbBytes_;  // libv4lconvert's output, for the other formats
  FramePool pool_;
  int held_ = -1;  // the buffer holding the latest YUYV frame, kept from the device
  std::vector<Mapping> mappings_;
  bool buffersRunning_ = false;
  uint64_t session_ = 0;  // counts stopBuffers(), so a frame in hand knows its buffers went
  std::unique_ptr<QSocketNotifier> notifier_;
  bool inNotifier_ = false;  // onReadable() is running
  int interval_ = 0;
  QElapsedTimer sinceFrame_;
  QTimer resize_;  // the stream is restarted at another size when it runs out
  Description description_;
};

}  // namespace platform
