// A stand-in V4L2 capture driver behind the capture source's system-call seam: one node,
// "video0", that streams YUYV frames from memory-mapped buffers, 768 x 576 or scaled down to the
// size a format asks for (48 x 32 at the least, an even width), as a Bt848's driver does. Its descriptor is an
// eventfd, readable while a filled buffer waits, so poll and the socket notifier work for real.
// Tests fill buffers, unplug the device and read what the backend asked for.
#pragma once

#include <linux/videodev2.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/capture/CaptureSourceV4l2.h"

namespace capture_test {

class FakeV4l2Device {
public:
  static constexpr uint32_t kWidth = 768;
  static constexpr uint32_t kHeight = 576;
  static constexpr uint32_t kSize = kWidth * kHeight * 2;  // a full frame
  static constexpr uint32_t kMinWidth = 48;
  static constexpr uint32_t kMinHeight = 32;
  static constexpr off_t kOffsetStep = 0x1000000;  // buffer i is mapped at offset i x step

  FakeV4l2Device() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
  ~FakeV4l2Device() { ::close(fd_); }

  platform::V4l2CaptureIo io() {
    platform::V4l2CaptureIo io;
    io.open = [this](const char* path, int) {
      std::string p(path);
      if (p.size() < 7 || p.compare(p.size() - 7, 7, "/video0") != 0) return errno = ENOENT, -1;
      open_ = true;
      return fd_;
    };
    io.close = [this](int) { return open_ = false, 0; };
    io.ioctl = [this](int, unsigned long request, void* arg) { return ioctl(request, arg); };
    io.mmap = [this](size_t length, int, off_t offset) -> void* {
      size_t i = static_cast<size_t>(offset / kOffsetStep);
      if (i >= buffers_.size() || length != bytes()) return MAP_FAILED;
      ++mapped_;
      return buffers_[i].data();
    };
    io.munmap = [this](void*, size_t) { return --mapped_, 0; };
    return io;
  }

  // Fills the oldest queued buffer with one YUYV colour; false when none is queued.
  bool produce(uint8_t y, uint8_t u = 128, uint8_t v = 128) {
    if (queued_.empty() || !streaming_) return false;
    std::vector<uint8_t>& buffer = buffers_[queued_.front()];
    for (size_t k = 0; k < buffer.size(); k += 4) {
      uint8_t* p = &buffer[k];
      p[0] = y, p[1] = u, p[2] = y, p[3] = v;
    }
    return produceAsIs();
  }

  // Writes `frame` (a frame of the current format) into every buffer; produceAsIs() then hands
  // the oldest queued buffer over without writing it, as a card whose DMA costs the processor
  // nothing (benchmarks).
  void fillBuffers(const std::vector<uint8_t>& frame) {
    for (auto& b : buffers_) std::copy_n(frame.begin(), std::min(frame.size(), b.size()), b.begin());
  }
  // What buffers hold when they are made, given the format's width and height; zeros when unset.
  std::function<std::vector<uint8_t>(uint32_t width, uint32_t height)> picture;
  bool produceAsIs() {
    if (queued_.empty() || !streaming_) return false;
    done_.push_back(queued_.front());
    queued_.pop_front();
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
    return true;
  }

  void unplug() {
    unplugged_ = true;
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
  }

  bool produceOnStreamOn = false;  // a frame is ready as soon as streaming starts
  bool refusesScaling = false;     // a format of another size than the full picture fails

  bool open() const { return open_; }
  bool streaming() const { return streaming_; }
  size_t buffers() const { return buffers_.size(); }
  size_t queued() const { return queued_.size(); }
  int mapped() const { return mapped_; }
  int dequeued() const { return dequeued_; }
  int callsWhileClosed() const { return callsWhileClosed_; }
  QSize size() const { return QSize(int(width_), int(height_)); }  // of the format set now

private:
  int ioctl(unsigned long request, void* arg) {
    if (!open_) return ++callsWhileClosed_, errno = EBADF, -1;
    if (unplugged_) return errno = ENODEV, -1;
    switch (request) {
      case VIDIOC_QUERYCAP: return queryCap(static_cast<v4l2_capability*>(arg));
      case VIDIOC_ENUM_FMT: return enumFormat(static_cast<v4l2_fmtdesc*>(arg));
      case VIDIOC_G_FMT: *static_cast<v4l2_format*>(arg) = format_; return 0;
      case VIDIOC_TRY_FMT: fitFormat(static_cast<v4l2_format*>(arg)); return 0;
      case VIDIOC_S_FMT:
        if (!buffers_.empty()) return errno = EBUSY, -1;
        fitFormat(static_cast<v4l2_format*>(arg));
        if (refusesScaling && static_cast<v4l2_format*>(arg)->fmt.pix.sizeimage != kSize)
          return errno = EINVAL, -1;
        format_ = *static_cast<v4l2_format*>(arg);
        width_ = format_.fmt.pix.width;
        height_ = format_.fmt.pix.height;
        return 0;
      case VIDIOC_REQBUFS: return requestBuffers(static_cast<v4l2_requestbuffers*>(arg));
      case VIDIOC_QUERYBUF: return queryBuffer(static_cast<v4l2_buffer*>(arg));
      case VIDIOC_QBUF: return queueBuffer(static_cast<v4l2_buffer*>(arg));
      case VIDIOC_DQBUF: return dequeueBuffer(static_cast<v4l2_buffer*>(arg));
      case VIDIOC_STREAMON:
        streaming_ = true;
        if (produceOnStreamOn) produce(128);
        return 0;
      case VIDIOC_STREAMOFF:
        streaming_ = false;
        queued_.clear();
        done_.clear();
        drain();
        return 0;
      default: return errno = ENOTTY, -1;
    }
  }

  static int queryCap(v4l2_capability* cap) {
    *cap = {};
    std::strcpy(reinterpret_cast<char*>(cap->driver), "fake");
    std::strcpy(reinterpret_cast<char*>(cap->card), "Fake capture");
    cap->version = (5 << 16) | (10 << 8) | 2;
    cap->device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    cap->capabilities = cap->device_caps | V4L2_CAP_DEVICE_CAPS;
    return 0;
  }

  static int enumFormat(v4l2_fmtdesc* d) {
    if (d->index != 0 || d->type != V4L2_BUF_TYPE_VIDEO_CAPTURE) return errno = EINVAL, -1;
    d->pixelformat = V4L2_PIX_FMT_YUYV;
    std::strcpy(reinterpret_cast<char*>(d->description), "YUYV");
    return 0;
  }

  static void fitFormat(v4l2_format* f) {
    const uint32_t w = std::clamp(f->fmt.pix.width, kMinWidth, kWidth) & ~1u;
    const uint32_t h = std::clamp(f->fmt.pix.height, kMinHeight, kHeight);
    f->fmt.pix.pixelformat = V4L2_PIX_FMT_YUYV;
    f->fmt.pix.width = w;
    f->fmt.pix.height = h;
    f->fmt.pix.field = V4L2_FIELD_NONE;
    f->fmt.pix.bytesperline = w * 2;
    f->fmt.pix.sizeimage = w * h * 2;
  }

  uint32_t bytes() const { return width_ * height_ * 2; }

  int requestBuffers(v4l2_requestbuffers* r) {
    if (streaming_) return errno = EBUSY, -1;
    buffers_.assign(r->count, picture && r->count ? picture(width_, height_) : std::vector<uint8_t>());
    for (auto& b : buffers_) b.resize(bytes());
    queued_.clear();
    done_.clear();
    return 0;
  }

  int queryBuffer(v4l2_buffer* b) {
    if (b->index >= buffers_.size()) return errno = EINVAL, -1;
    b->length = bytes();
    b->m.offset = static_cast<uint32_t>(b->index * kOffsetStep);
    return 0;
  }

  int queueBuffer(v4l2_buffer* b) {
    if (b->index >= buffers_.size()) return errno = EINVAL, -1;
    queued_.push_back(b->index);
    return 0;
  }

  int dequeueBuffer(v4l2_buffer* b) {
    if (done_.empty()) return errno = EAGAIN, -1;
    b->index = done_.front();
    b->bytesused = bytes();
    b->flags = 0;
    done_.pop_front();
    ++dequeued_;
    if (done_.empty()) drain();
    return 0;
  }

  void drain() {
    uint64_t count;
    [[maybe_unused]] ssize_t n = ::read(fd_, &count, sizeof count);
  }

  int fd_;
  bool open_ = false;
  bool unplugged_ = false;
  bool streaming_ = false;
  v4l2_format format_{};
  uint32_t width_ = kWidth;
  uint32_t height_ = kHeight;
  std::vector<std::vector<uint8_t>> buffers_;
  std::deque<unsigned> queued_, done_;
  int mapped_ = 0;
  int dequeued_ = 0;
  int callsWhileClosed_ = 0;
};

}  // namespace capture_test
