// The V4L2 backend of the TV standard: the first /dev/videoN (in the order of N) that is a video
// capture device is kept open, and its standard set with VIDIOC_S_STD.
#pragma once

#include <functional>
#include <string>

#include "platform/VideoStandard.h"

namespace platform {

// The system calls the backend makes, so tests can stand in for a driver.
struct V4l2Io {
  std::function<int(const char* path, int flags)> open;
  std::function<int(int fd, unsigned long request, void* arg)> ioctl;
  std::function<int(int fd)> close;
};

// /dev with the real system calls.
VideoStandardBackend& V4l2VideoStandardBackend();

// A backend on another device folder and other calls (tests).
std::unique_ptr<VideoStandardBackend> MakeV4l2VideoStandardBackend(std::string deviceFolder,
                                                                   V4l2Io io);

}  // namespace platform
