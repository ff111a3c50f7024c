#include "platform/capture/CaptureSequence.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

#include "platform/GlobalHotKey.h"
#include "platform/capture/CaptureSource.h"

namespace platform {

namespace {

constexpr int kTickMs = 100;
// How long a capture waits for the driver's first picture before it gives up.
constexpr int kFirstFrameWaitMs = 3000;

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string Format(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// The Qt key of an abort-key code (Escape, Space, End, Home, Print Screen, digits, letters,
// F1-F12), or 0.
int QtKeyOf(uint32_t vk) {
  switch (vk) {
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x2C: return Qt::Key_Print;
    default: break;
  }
  // Qt numbers digits and letters as their ASCII codes, as the virtual-key codes do.
  if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) return static_cast<int>(vk);
  if (vk >= 0x70 && vk <= 0x7B) return Qt::Key_F1 + static_cast<int>(vk - 0x70);
  return 0;
}

// A key press in one of the program's windows that is the abort key with its modifiers.
bool IsAbortKey(const QKeyEvent& event, uint32_t vKeyAbort) {
  const int key = QtKeyOf(vKeyAbort & 0xFF);
  const Qt::KeyboardModifiers wanted =
      (vKeyAbort & kAbortKeyControl ? Qt::ControlModifier : Qt::NoModifier) |
      (vKeyAbort & kAbortKeyShift ? Qt::ShiftModifier : Qt::NoModifier);
  const Qt::KeyboardModifiers held =
      event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  return key != 0 && event.key() == key && held == wanted;
}

}  // namespace

CaptureSequence::CaptureSequence(CaptureSource& source) : source_(source) {}

CaptureSequence::~CaptureSequence() {
  if (queue_) queue_->finish();
}

void CaptureSequence::setVideoCodec(AviVideoCodec codec, int quality) {
  codec_ = codec;
  quality_ = quality;
}

void CaptureSequence::setAudioFeed(std::unique_ptr<CaptureAudioFeed> feed) {
  if (!running_) audioFeed_ = std::move(feed);
}

void CaptureSequence::setCallbacks(ErrorCallback error, StatusCallback status,
                                   ControlCallback control) {
  onError_ = std::move(error);
  onStatus_ = std::move(status);
  onControl_ = std::move(control);
}

bool CaptureSequence::run() {
  if (running_ || !prepare()) return false;
  running_ = true;
  stopping_ = failed_ = false;
  lastFrameIndex_ = -1;
  framesDropped_ = 0;
  waveSamples_ = 0;
  lastReportedFrame_ = -1;
  lastError_ = 0;
  startNs_ = NowNs();

  QEventLoop loop;
  loop_ = &loop;
  QTimer tick;
  connect(&tick, &QTimer::timeout, this, &CaptureSequence::onTick);
  tick.start(kTickMs);
  QMetaObject::Connection frames =
      connect(&source_, &CaptureSource::frameReady, this, &CaptureSequence::onFrame);
  // Every frame the driver delivers, whatever the preview rate: the frame times pick from them;
  // and every frame at the full picture: a stream of another size starts again at once.
  streamBefore_ = source_.streaming() ? source_.streamInterval() : -1;
  streamSizeBefore_ = source_.streamSize();
  source_.setStreamSize({});
  if (streamBefore_ != 0 || !streamSizeBefore_.isEmpty()) source_.startStreaming(0);
  qApp->installEventFilter(this);
  holdAbortKey();
  reportStatus(capstatus::kCapInit, "Capture start");
  if (source_.hasFrame() && streamSizeBefore_.isEmpty()) onFrame();  // else a scaled one

  if (!stopping_) loop.exec();

  releaseAbortKey();
  qApp->removeEventFilter(this);
  disconnect(frames);
  tick.stop();
  loop_ = nullptr;
  finish();
  const bool recorded = queue_ && !failed_;
  queue_.reset();
  running_ = false;
  return recorded;
}

void CaptureSequence::setStreamSizeAfter(QSize size) {
  if (running_) streamSizeBefore_ = size;
}

bool CaptureSequence::prepare() {
  if (!source_.connected()) {
    reportError(caperror::kNoDriver, "No capture driver is connected.");
    return false;
  }
  if (file_.empty()) {
    reportError(caperror::kCantOpen, "No capture file is set.");
    return false;
  }
  if (onControl_ && !onControl_(kControlPreroll)) return false;
  return true;
}

void CaptureSequence::holdAbortKey() {
  const uint32_t vk = parms_.vKeyAbort & 0xFF;
  if (!abortHotKey_ || vk == 0) return;
  const uint32_t modifiers = (parms_.vKeyAbort & kAbortKeyControl ? GlobalHotKey::kModControl : 0) |
                             (parms_.vKeyAbort & kAbortKeyShift ? GlobalHotKey::kModShift : 0);
  GlobalHotKey& key = GlobalHotKey::current();
  // Held elsewhere: the key still works while one of the program's windows has the focus.
  if (key.grab(modifiers, vk))
    hotKeyPressed_ = connect(&key, &GlobalHotKey::pressed, this, &CaptureSequence::stop);
}

void CaptureSequence::releaseAbortKey() {
  if (!hotKeyPressed_) return;
  disconnect(hotKeyPressed_);
  GlobalHotKey::current().release();
}

void CaptureSequence::stop() {
  if (!running_ || stopping_) return;
  stopping_ = true;
  if (loop_) loop_->quit();
}

CapStatus CaptureSequence::status() const {
  CapStatus status;
  status.fCapturingNow = running_ && !stopping_;
  status.dwCurrentVideoFrame = static_cast<uint32_t>(lastFrameIndex_ + 1);
  status.dwCurrentVideoFramesDropped = framesDropped_;
  status.dwCurrentWaveSamples = static_cast<uint32_t>(waveSamples_);
  status.dwCurrentTimeElapsedMS = running_ ? elapsedMs() : 0;
  status.dwReturn = lastError_;
  return status;
}

uint32_t CaptureSequence::elapsedMs() const {
  return static_cast<uint32_t>((NowNs() - startNs_) / 1000000);
}

void CaptureSequence::onFrame() {
  if (stopping_ || !source_.hasFrame()) return;
  const QImage frame = source_.latestFrame();
  if (frame.isNull()) return;
  const QSize size = frameSize_.isEmpty() ? frame.size() : frameSize_.boundedTo(frame.size());
  if (!queue_ && !openFile(size)) return;
  // The frame's place in the file follows the time since the first frame, so that the file
  // plays at the rate it was recorded at; a frame sooner than the next frame time is skipped.
  const double frameNs = parms_.dwRequestMicroSecPerFrame * 1000.0;
  const int64_t index = lastFrameIndex_ < 0 ? 0 : std::llround((NowNs() - startNs_) / frameNs);
  if (index <= lastFrameIndex_) return;
  if (lastFrameIndex_ >= 0) framesDropped_ += static_cast<uint32_t>(index - lastFrameIndex_ - 1);
  if (!queue_->pushVideo(fileFrame(frame), index)) ++framesDropped_;
  lastFrameIndex_ = index;
  if (queue_->failed()) {
    reportError(caperror::kWriteError, "Error writing the capture file: " + queue_->error());
    stop();
  }
}

// The frame as the file takes it: RGB32 at the file's size (a frame of another size, after a
// change of standard, is stretched as well).
const QImage& CaptureSequence::fileFrame(const QImage& frame) {
  if (frame.size() == fileSize_ && frame.format() == QImage::Format_RGB32) return frame;
  const QImage rgb = frame.format() == QImage::Format_RGB32
                         ? frame
                         : frame.convertToFormat(QImage::Format_RGB32);
  if (rgb.size() == fileSize_) return converted_ = rgb;
  if (converted_.size() != fileSize_ || converted_.format() != QImage::Format_RGB32 ||
      !converted_.isDetached())
    converted_ = QImage(fileSize_, QImage::Format_RGB32);
  scaler_.scale(rgb, converted_);
  return converted_;
}

bool CaptureSequence::openFile(QSize size) {
  const int width = size.width(), height = size.height();
  std::string error;
  std::unique_ptr<AviWriter> writer = CreateAviWriter(&error);
  if (!writer) {
    reportError(caperror::kNoWriter, error);
    stop();
    return false;
  }
  AviVideoFormat video;
  video.width = width;
  video.height = height;
  video.microSecPerFrame = parms_.dwRequestMicroSecPerFrame;
  video.codec = codec_;
  video.quality = quality_;
  withAudio_ = parms_.fCaptureAudio && audioFeed_;
  if (!writer->open(file_, video, withAudio_ ? &audioFormat_ : nullptr)) {
    reportError(caperror::kCantOpen, "Cannot create the capture file: " + writer->error());
    stop();
    return false;
  }
  queue_ = std::make_unique<AviWriteQueue>(std::move(writer), parms_.wNumVideoRequested, size);
  fileSize_ = size;
  // Time counts from the first frame; the sound starts with it.
  startNs_ = NowNs();
  if (withAudio_ &&
      !audioFeed_->start(audioFormat_, [this](const uint8_t* s, size_t n) { onAudio(s, n); })) {
    withAudio_ = false;
    reportError(caperror::kNoAudio, "The sound input cannot record; capturing without sound.");
  }
  return true;
}

void CaptureSequence::onAudio(const uint8_t* samples, size_t bytes) {
  if (!queue_ || stopping_) return;
  queue_->pushAudio(samples, bytes);
  waveSamples_ += bytes / audioFormat_.blockAlign();
}

void CaptureSequence::onTick() {
  if (stopping_) return;
  if (!queue_) {
    if (elapsedMs() > kFirstFrameWaitMs) {
      reportError(caperror::kNoDriver, "The capture driver delivers no pictures.");
      stop();
    }
    return;
  }
  const uint32_t ms = elapsedMs();
  if (lastFrameIndex_ != lastReportedFrame_) {
    lastReportedFrame_ = lastFrameIndex_;
    reportStatus(capstatus::kVideoCurrent,
                 Format("%ld frames (%ld dropped) %u.%03u sec.",
                        static_cast<long>(lastFrameIndex_ + 1), static_cast<long>(framesDropped_),
                        ms / 1000, ms % 1000));
  }
  if (parms_.fLimitEnabled && parms_.wTimeLimit > 0 && ms >= parms_.wTimeLimit * 1000ull) {
    stop();
    return;
  }
  if (onControl_ && !onControl_(kControlCapturing)) stop();
}

void CaptureSequence::finish() {
  const bool sound = withAudio_;
  if (withAudio_) audioFeed_->stop();
  withAudio_ = false;
  source_.setStreamSize(streamSizeBefore_);
  if (streamBefore_ < 0)
    source_.stopStreaming();
  else if (streamBefore_ > 0 || !streamSizeBefore_.isEmpty())
    source_.startStreaming(streamBefore_);
  if (!queue_) return;
  const uint32_t ms = elapsedMs();
  reportStatus(capstatus::kCapFini,
               Format("Finished capturing, now writing frame %ld",
                      static_cast<long>(lastFrameIndex_ + 1)));
  if (!queue_->finish()) {
    failed_ = true;
    reportError(caperror::kWriteError, "Error writing the capture file: " + queue_->error());
  }
  const long frames = static_cast<long>(lastFrameIndex_ + 1);
  if (sound) {
    reportStatus(capstatus::kVideoAudio,
                 Format("Captured %u.%03u sec. %ld frames (%ld dropped), %lu audio samples.",
                        ms / 1000, ms % 1000, frames, static_cast<long>(framesDropped_),
                        static_cast<unsigned long>(waveSamples_)));
  } else {
    reportStatus(capstatus::kVideoOnly,
                 Format("Captured %u.%03u sec. %ld frames (%ld dropped).", ms / 1000, ms % 1000,
                        frames, static_cast<long>(framesDropped_)));
  }
  if (framesDropped_ > 0)
    reportStatus(capstatus::kFramesDropped,
                 Format("%ld of %ld frames were dropped.", static_cast<long>(framesDropped_),
                        frames));
  reportStatus(0, "");
}

void CaptureSequence::reportError(int id, const std::string& text) {
  lastError_ = static_cast<uint32_t>(id);
  if (onError_) onError_(id, text);
}

void CaptureSequence::reportStatus(int id, const std::string& text) {
  if (onStatus_) onStatus_(id, text);
}

bool CaptureSequence::eventFilter(QObject* watched, QEvent* event) {
  // Only the first delivery of an event counts: Qt offers it again to each parent widget.
  if (!watched->isWidgetType() || stopping_) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!key.isAutoRepeat() && IsAbortKey(key, parms_.vKeyAbort)) stop();
      break;
    }
    case QEvent::MouseButtonPress: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if ((mouse.button() == Qt::LeftButton && parms_.fAbortLeftMouse) ||
          (mouse.button() == Qt::RightButton && parms_.fAbortRightMouse))
        stop();
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace platform
