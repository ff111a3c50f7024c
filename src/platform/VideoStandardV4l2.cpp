#include "platform/VideoStandardV4l2.h"

#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Every request goes through here; a call interrupted by a signal is made again.
int xioctl(const V4l2Io& io, int fd, unsigned long request, void* arg) {
  int rc;
  do {
    rc = io.ioctl(fd, request, arg);
  } while (rc < 0 && errno == EINTR);
  return rc;
}

// N of "videoN", or nothing for any other name.
std::optional<unsigned> videoNumber(const std::string& name) {
  constexpr std::string_view kPrefix = "video";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0)
    return std::nullopt;
  unsigned n = 0;
  for (size_t i = kPrefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || n > 100000) return std::nullopt;
    n = n * 10 + static_cast<unsigned>(name[i] - '0');
  }
  return n;
}

class V4l2Device : public CaptureDevice {
public:
  V4l2Device(V4l2Io io, int fd) : io_(std::move(io)), fd_(fd) {}
  ~V4l2Device() override { io_.close(fd_); }

  bool hasDecoder() override {
    v4l2_standard standard{};
    standard.index = 0;
    return xioctl(io_, fd_, VIDIOC_ENUMSTD, &standard) == 0;
  }

  bool setStandard(uint64_t v4l2Standard) override {
    v4l2_std_id id = v4l2Standard;
    return xioctl(io_, fd_, VIDIOC_S_STD, &id) == 0;
  }

private:
  V4l2Io io_;
  int fd_;
};

class V4l2Backend : public VideoStandardBackend {
public:
  V4l2Backend(std::string folder, V4l2Io io) : folder_(std::move(folder)), io_(std::move(io)) {}

  bool bindFirstCaptureDevice(std::unique_ptr<CaptureDevice>& device) override {
    device.reset();
    std::vector<std::pair<unsigned, std::string>> nodes;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder_, ec);
    if (ec) return false;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
      if (ec) return false;
      std::string name = it->path().filename().string();
      if (auto n = videoNumber(name)) nodes.emplace_back(*n, it->path().string());
    }
    std::sort(nodes.begin(), nodes.end());
    for (const auto& node : nodes) {
      int fd = io_.open(node.second.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) continue;
      if (isCapture(fd)) {
        device = std::make_unique<V4l2Device>(io_, fd);
        return true;
      }
      io_.close(fd);
    }
    return true;
  }

private:
  bool isCapture(int fd) {
    v4l2_capability cap{};
    if (xioctl(io_, fd, VIDIOC_QUERYCAP, &cap) != 0) return false;
    uint32_t caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
    return (caps & V4L2_CAP_VIDEO_CAPTURE) != 0;
  }

  std::string folder_;
  V4l2Io io_;
};

V4l2Io systemIo() {
  return {[](const char* path, int flags) { return ::open(path, flags); },
          [](int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); },
          [](int fd) { return ::close(fd); }};
}

}  // namespace

VideoStandardBackend& V4l2VideoStandardBackend() {
  static V4l2Backend backend("/dev", systemIo());
  return backend;
}

std::unique_ptr<VideoStandardBackend> MakeV4l2VideoStandardBackend(std::string deviceFolder,
                                                                   V4l2Io io) {
  return std::make_unique<V4l2Backend>(std::move(deviceFolder), std::move(io));
}

}  // namespace platform
