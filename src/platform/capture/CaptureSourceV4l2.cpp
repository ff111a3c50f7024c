#include "platform/capture/CaptureSourceV4l2.h"

#include <fcntl.h>
#include <libv4l-plugin.h>
#include <libv4lconvert.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>


namespace platform {

namespace {

constexpr unsigned kBufferCount = 4;
constexpr uint32_t kWantedWidth = 768;   // the largest picture the 625-line standards give;
constexpr uint32_t kWantedHeight = 576;  // the driver brings it down to what it can do

QString versionText(uint32_t v) {
  return QStringLiteral("%1.%2.%3").arg(v >> 16).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

}  // namespace

V4l2CaptureIo V4l2CaptureIo::system() {
  return {[](const char* path, int flags) { return ::open(path, flags); },
          [](int fd) { return ::close(fd); },
          [](int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); },
          [](size_t length, int fd, off_t offset) {
            return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
          },
          [](void* start, size_t length) { return ::munmap(start, length); }};
}

CaptureSourceV4l2::CaptureSourceV4l2(std::string deviceFolder, V4l2CaptureIo io)
    : folder_(std::move(deviceFolder)), io_(std::move(io)) {
  resize_.setSingleShot(true);
  connect(&resize_, &QTimer::timeout, this, &CaptureSourceV4l2::applyStreamSize);
}

CaptureSourceV4l2::~CaptureSourceV4l2() { disconnectDriver(); }

// Every request goes through here, libv4lconvert's too; a call interrupted by a signal is made
// again.
int CaptureSourceV4l2::xioctl(unsigned long request, void* arg) {
  int rc;
  do {
    rc = io_.ioctl(fd_, request, arg);
  } while (rc < 0 && errno == EINTR);
  return rc;
}

int CaptureSourceV4l2::convertIoctl(void* self, int, unsigned long request, void* arg) {
  return static_cast<CaptureSourceV4l2*>(self)->xioctl(request, arg);
}

// ---- Connecting

bool CaptureSourceV4l2::openDriver(int index) {
  const std::string path = folder_ + "/video" + std::to_string(index);
  fd_ = io_.open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return false;
  v4l2_capability cap{};
  bool usable = xioctl(VIDIOC_QUERYCAP, &cap) == 0;
  if (usable) {
    uint32_t caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
    usable = (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING);
  }
  // libv4lconvert asks the device through our ioctl too; frames are never read(), only mapped.
  static const libv4l_dev_ops kOps = [] {
    libv4l_dev_ops ops{};
    ops.close = [](void*) {};
    ops.ioctl = &CaptureSourceV4l2::convertIoctl;
    ops.read = [](void*, int, void*, size_t) -> ssize_t { return errno = ENOSYS, -1; };
    ops.write = [](void*, int, const void*, size_t) -> ssize_t { return errno = ENOSYS, -1; };
    return ops;
  }();
  if (usable) convert_ = v4lconvert_create_with_dev_ops(fd_, this, &kOps);
  if (!usable || !convert_ || !negotiateFormat()) {
    closeDriver();
    return false;
  }
  description_ = {QString::fromLatin1(reinterpret_cast<const char*>(cap.card)),
                  versionText(cap.version)};
  return true;
}

void CaptureSourceV4l2::closeDriver() {
  stopBuffers();
  if (convert_) v4lconvert_destroy(convert_);
  convert_ = nullptr;
  if (fd_ >= 0) io_.close(fd_);
  fd_ = -1;
  full_ = {};
  formatSize_ = {};
  description_ = {};
}

// Asks for the full picture; the size the device took is the full picture from then on.
bool CaptureSourceV4l2::negotiateFormat() {
  if (!setFormat(QSize(kWantedWidth, kWantedHeight))) return false;
  full_ = formatSize_;
  return true;
}

// Asks for pictures of `wanted` in RGB; libv4lconvert names the device format it can convert
// from, the device takes that (perhaps at another size), and RGB follows the size it took.
bool CaptureSourceV4l2::setFormat(QSize wanted) {
  v4l2_format want{};
  want.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  want.fmt.pix.width = uint32_t(wanted.width());
  want.fmt.pix.height = uint32_t(wanted.height());
  want.fmt.pix.pixelformat = V4L2_PIX_FMT_RGB24;
  want.fmt.pix.field = V4L2_FIELD_ANY;
  formatSize_ = {};
  source_ = {};
  if (v4lconvert_try_format(convert_, &want, &source_) != 0) return false;
  if (xioctl(VIDIOC_S_FMT, &source_) != 0) return false;
  const uint32_t w = source_.fmt.pix.width, h = source_.fmt.pix.height;
  if (w == 0 || h == 0 || w > 8192 || h > 8192) return false;
  formatSize_ = QSize(int(w), int(h));
  rgb_ = source_;
  rgb_.fmt.pix.pixelformat = V4L2_PIX_FMT_RGB24;
  rgb_.fmt.pix.bytesperline = w * 3;
  rgb_.fmt.pix.sizeimage = w * h * 3;
  yuyv_ = source_.fmt.pix.pixelformat == V4L2_PIX_FMT_YUYV && w % 2 == 0;
  if (yuyv_)
    rgbBytes_.clear();
  else
    rgbBytes_.resize(rgb_.fmt.pix.sizeimage);
  return true;
}

bool CaptureSourceV4l2::useFormat(QSize wanted) {
  return formatSize_ == wanted || setFormat(wanted);
}

// What a stream asks the device for: the stream size, no larger than the full picture.
QSize CaptureSourceV4l2::streamFormat() const {
  const QSize wanted = streamSize();
  return wanted.isEmpty() ? full_ : wanted.boundedTo(full_);
}

// The stream's format, or the full picture when the device will not take it (the window
// stretches the frames then).
bool CaptureSourceV4l2::useStreamFormat() { return useFormat(streamFormat()) || useFormat(full_); }

// ---- Streaming

bool CaptureSourceV4l2::beginStream(int intervalMs) {
  interval_ = intervalMs;
  sinceFrame_.invalidate();
  resize_.stop();
  if (!buffersRunning_ && !(useStreamFormat() && startBuffers())) return false;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &CaptureSourceV4l2::onReadable);
  return true;
}

void CaptureSourceV4l2::endStream() {
  resize_.stop();
  if (notifier_ && inNotifier_) {
    // A broken stream ends inside the notifier's own signal: let the loop delete it.
    notifier_->setEnabled(false);
    notifier_.release()->deleteLater();
  }
  notifier_.reset();
  stopBuffers();
}

bool CaptureSourceV4l2::startBuffers() {
  v4l2_requestbuffers req{};
  req.count = kBufferCount;
  req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  req.memory = V4L2_MEMORY_MMAP;
  if (xioctl(VIDIOC_REQBUFS, &req) != 0 || req.count < 2) return false;
  buffersRunning_ = true;  // from here on stopBuffers() undoes whatever was done
  for (unsigned i = 0; i < req.count; ++i) {
    v4l2_buffer buf{};
    buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buf.memory = V4L2_MEMORY_MMAP;
    buf.index = i;
    if (xioctl(VIDIOC_QUERYBUF, &buf) != 0) break;
    void* start = io_.mmap(buf.length, fd_, static_cast<off_t>(buf.m.offset));
    if (start == MAP_FAILED) break;
    mappings_.push_back({start, buf.length});
    if (xioctl(VIDIOC_QBUF, &buf) != 0) break;
  }
  v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (mappings_.size() != req.count || xioctl(VIDIOC_STREAMON, &type) != 0) {
    stopBuffers();
    return false;
  }
  return true;
}

void CaptureSourceV4l2::stopBuffers() {
  if (!buffersRunning_) return;
  releaseYuyv();
  held_ = -1;
  v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  xioctl(VIDIOC_STREAMOFF, &type);
  for (const Mapping& m : mappings_) io_.munmap(m.start, m.length);
  mappings_.clear();
  v4l2_requestbuffers req{};
  req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  req.memory = V4L2_MEMORY_MMAP;
  xioctl(VIDIOC_REQBUFS, &req);  // count 0 frees the driver's buffers
  buffersRunning_ = false;
  ++session_;
}

void CaptureSourceV4l2::onReadable() {
  inNotifier_ = true;
  if (readFrame(false) == Read::Failed) streamBroken();
  inNotifier_ = false;
}

// Takes one filled buffer (if there is one), delivers it when it is due or `deliverAlways`, and
// gives a buffer back to the device: this one, or the one that held the frame before.
CaptureSourceV4l2::Read CaptureSourceV4l2::readFrame(bool deliverAlways) {
  v4l2_buffer buf{};
  buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buf.memory = V4L2_MEMORY_MMAP;
  if (xioctl(VIDIOC_DQBUF, &buf) != 0) return errno == EAGAIN ? Read::NoFrame : Read::Failed;
  const uint64_t session = session_;
  bool delivered = false;
  int giveBack = int(buf.index);
  if (buf.index < mappings_.size()) {
    bool due = deliverAlways || interval_ == 0 || !sinceFrame_.isValid() ||
               sinceFrame_.elapsed() >= interval_;
    size_t used = std::min<size_t>(buf.bytesused, mappings_[buf.index].length);
    if (due && !(buf.flags & V4L2_BUF_FLAG_ERROR)) delivered = deliver(buf.index, used, &giveBack);
  }
  // Whoever took the frame may have stopped the buffers (or the driver): they are gone then.
  if (session != session_) return delivered ? Read::Frame : Read::NoFrame;
  if (giveBack >= 0 && queueBuffer(giveBack) != 0) return Read::Failed;
  return delivered ? Read::Frame : Read::NoFrame;
}

int CaptureSourceV4l2::queueBuffer(int index) {
  v4l2_buffer buf{};
  buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buf.memory = V4L2_MEMORY_MMAP;
  buf.index = unsigned(index);
  return xioctl(VIDIOC_QBUF, &buf);
}

// A YUYV frame is handed on in its buffer, which the source keeps; the buffer of the frame before
// is the one to give back. Other formats are converted here. False for a short or broken frame.
bool CaptureSourceV4l2::deliver(unsigned index, size_t bytesUsed, int* giveBack) {
  const Mapping& m = mappings_[index];
  if (!yuyv_) return convertAndDeliver(m, bytesUsed);
  const int w = int(source_.fmt.pix.width), h = int(source_.fmt.pix.height);
  const size_t stride = std::max<size_t>(source_.fmt.pix.bytesperline, size_t(w) * 2);
  if (bytesUsed < stride * size_t(h - 1) + size_t(w) * 2) return false;
  *giveBack = std::exchange(held_, int(index));
  sinceFrame_.start();
  deliverYuyv({static_cast<const uint8_t*>(m.start), stride, QSize(w, h)});
  return true;
}

bool CaptureSourceV4l2::convertAndDeliver(const Mapping& m, size_t bytesUsed) {
  const int n = v4lconvert_convert(convert_, &source_, &rgb_, static_cast<uint8_t*>(m.start),
                                   static_cast<int>(bytesUsed), rgbBytes_.data(),
                                   static_cast<int>(rgbBytes_.size()));
  if (n < static_cast<int>(rgbBytes_.size())) return false;  // a short or broken frame
  const int w = int(rgb_.fmt.pix.width), h = int(rgb_.fmt.pix.height);
  QImage& frame = *pool_.take(QSize(w, h)).image;
  for (int y = 0; y < h; ++y) {
    const uint8_t* in = rgbBytes_.data() + static_cast<size_t>(y) * w * 3;
    auto* out = reinterpret_cast<uint32_t*>(frame.scanLine(y));
    for (int x = 0; x < w; ++x, in += 3) out[x] = 0xFF000000u | in[0] << 16 | in[1] << 8 | in[2];
  }
  sinceFrame_.start();
  deliverFrame(frame);
  return true;
}

// Another stream size: the device takes it once the size has held a moment, so that dragging
// a window's edge does not restart the stream at every step; the window stretches the frames
// meanwhile.
void CaptureSourceV4l2::streamSizeChanged() { resize_.start(kResizeSettleMs); }

void CaptureSourceV4l2::applyStreamSize() {
  if (!streaming() || formatSize_ == streamFormat()) return;
  startStreaming(streamInterval());
}

// A grab takes the full picture: outside a stream the buffers run just for this frame; a stream
// of smaller frames is stopped for it and goes on afterwards.
bool CaptureSourceV4l2::captureOne() {
  const bool streamed = buffersRunning_;
  const bool reformat = streamed && formatSize_ != full_;
  if (reformat) stopBuffers();
  bool got = false;
  if (buffersRunning_ || (useFormat(full_) && startBuffers())) {
    got = waitForFrame();
    if (!streamed || reformat) stopBuffers();
  }
  if (reformat && !(useStreamFormat() && startBuffers())) streamBroken();
  return got;
}

// Reads buffers until one frame is delivered, for kGrabTimeoutMs at most.
bool CaptureSourceV4l2::waitForFrame() {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kGrabTimeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    int left = kGrabTimeoutMs - static_cast<int>(waited.elapsed());
    int rc = ::poll(&p, 1, left > 0 ? left : 0);
    if (rc < 0 && errno == EINTR) continue;
    if (rc <= 0) return false;
    Read r = readFrame(true);
    if (r == Read::Failed) return false;
    if (r == Read::Frame) return true;
  }
  return false;
}

}  // namespace platform
