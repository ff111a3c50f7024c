// Streaming capture into an AVI file: what the capture window does on its "sequence" request.
// run() blocks its caller until the capture ends, as the Windows capture driver does, while a
// local event loop keeps the interface live: frames keep arriving from the capture source, the
// caller's status and control callbacks are called on the GUI thread, and a stop request (the
// stop button, an alarm, the abort key or a mouse button, the time limit, the control callback
// returning false) ends it. Frames are copied into a fixed number of buffers and written by a
// worker thread; a frame that finds no free buffer is dropped and counted, never waited for.
#pragma once

#include <QImage>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/capture/AviWriteQueue.h"
#include "platform/capture/AviWriter.h"
#include "platform/capture/FrameScaler.h"

class QEventLoop;

namespace platform {

class CaptureSource;

// The fields of Windows' capture parameter block that the program sets and the driver obeys.
struct CaptureParms {
  uint32_t dwRequestMicroSecPerFrame = 66667;  // 15 frames a second
  uint32_t wPercentDropForError = 10;
  uint32_t dwIndexSize = 0;
  uint32_t wNumVideoRequested = 5;  // frame buffers between the picture and the file
  bool fCaptureAudio = true;
  uint32_t wNumAudioRequested = 10;
  uint32_t vKeyAbort = 0x1B;  // a virtual-key code; | kAbortKeyControl, | kAbortKeyShift
  bool fAbortLeftMouse = true;
  bool fAbortRightMouse = true;
  bool fLimitEnabled = false;
  uint32_t wTimeLimit = 0;      // seconds, with fLimitEnabled
  uint32_t AVStreamMaster = 0;  // 0 audio, 1 none
};
constexpr uint32_t kAbortKeyControl = 0x8000;
constexpr uint32_t kAbortKeyShift = 0x4000;

// The capture's progress, as the status request returns it.
struct CapStatus {
  bool fCapturingNow = false;
  uint32_t dwCurrentVideoFrame = 0;  // frames in the file, dropped ones included
  uint32_t dwCurrentVideoFramesDropped = 0;
  uint32_t dwCurrentWaveSamples = 0;
  uint32_t dwCurrentTimeElapsedMS = 0;
  uint32_t dwReturn = 0;  // the last error id, 0 for none
};

// Status ids the sequence reports (Windows' numbers); 0 clears the status.
namespace capstatus {
constexpr int kCapInit = 502;       // "Capture start"
constexpr int kCapFini = 503;       // "Finished capturing, now writing frame %ld"
constexpr int kVideoCurrent = 510;  // each tick with new frames: "%ld frames (%ld dropped) ..."
constexpr int kVideoAudio = 511;    // the summary with sound
constexpr int kVideoOnly = 512;     // the summary without sound
constexpr int kFramesDropped = 513;
}  // namespace capstatus

// Error ids (Windows' numbers) with the texts the error callback gets.
namespace caperror {
constexpr int kNoDriver = 417;       // no capture driver connected, or no picture came
constexpr int kCantOpen = 405;       // the file can't be made
constexpr int kWriteError = 406;     // writing failed (a full disk)
constexpr int kNoWriter = 434;       // the writer module is missing
constexpr int kNoAudio = 419;        // the sound input refused; the capture goes on without
}  // namespace caperror

// The control callback's states.
constexpr int kControlPreroll = 1;    // once before the capture; false: no capture
constexpr int kControlCapturing = 2;  // while it runs (about ten times a second); false: stop

// Where the sound of a capture comes from: PCM blocks of the format asked for, handed over on the
// GUI thread.
class CaptureAudioFeed {
public:
  using Sink = std::function<void(const uint8_t* samples, size_t bytes)>;
  virtual ~CaptureAudioFeed() = default;
  virtual bool start(const AviAudioFormat& format, Sink sink) = 0;
  virtual void stop() = 0;
};

class CaptureSequence : public QObject {
  Q_OBJECT

public:
  using ErrorCallback = std::function<bool(int id, const std::string& text)>;
  using StatusCallback = std::function<bool(int id, const std::string& text)>;
  using ControlCallback = std::function<bool(int state)>;

  explicit CaptureSequence(CaptureSource& source);
  ~CaptureSequence() override;

  const CaptureParms& parms() const { return parms_; }
  void setParms(const CaptureParms& parms) { parms_ = parms; }
  const std::string& captureFile() const { return file_; }
  void setCaptureFile(const std::string& path) { file_ = path; }
  // The picture size of the file: each frame is stretched to it (no larger than the first
  // frame). Empty: the frames' own size. A running capture keeps the size it opened its file with.
  void setFrameSize(QSize size) { frameSize_ = size.isEmpty() ? QSize() : size; }
  QSize frameSize() const { return frameSize_; }
  void setVideoCodec(AviVideoCodec codec, int quality);
  AviVideoCodec videoCodec() const { return codec_; }
  const AviAudioFormat& audioFormat() const { return audioFormat_; }
  void setAudioFormat(const AviAudioFormat& format) { audioFormat_ = format; }
  // Null: a capture has no sound whatever fCaptureAudio says.
  void setAudioFeed(std::unique_ptr<CaptureAudioFeed> feed);
  // Any callback may be empty.
  void setCallbacks(ErrorCallback error, StatusCallback status, ControlCallback control);
  // With this on, vKeyAbort is held on the whole desktop (GlobalHotKey) while a capture runs,
  // so that it ends the capture whichever window has the focus.
  void setAbortHotKey(bool enabled) { abortHotKey_ = enabled; }

  // Captures into the capture file until the capture is stopped; false when nothing was
  // recorded (no driver, no file, no writer, the preroll callback said no, already running) or
  // the file could not be finished.
  bool run();
  // Ends a running capture; the file is finished before run() returns.
  void stop();
  bool running() const { return running_; }
  // While a capture runs: the stream size to put back when it ends, in place of the one it found
  // (the window that asked for it was resized meanwhile). Ignored otherwise.
  void setStreamSizeAfter(QSize size);
  CapStatus status() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool prepare();
  void holdAbortKey();
  void releaseAbortKey();
  void onFrame();
  void onAudio(const uint8_t* samples, size_t bytes);
  void onTick();
  bool openFile(QSize size);
  const QImage& fileFrame(const QImage& frame);
  void finish();
  void reportError(int id, const std::string& text);
  void reportStatus(int id, const std::string& text);
  uint32_t elapsedMs() const;

  CaptureSource& source_;
  CaptureParms parms_;
  std::string file_;
  QSize frameSize_;
  AviVideoCodec codec_ = AviVideoCodec::Mjpeg;
  int quality_ = 85;
  AviAudioFormat audioFormat_;
  std::unique_ptr<CaptureAudioFeed> audioFeed_;
  ErrorCallback onError_;
  StatusCallback onStatus_;
  ControlCallback onControl_;
  bool abortHotKey_ = false;

  // One capture's state.
  bool running_ = false;
  bool stopping_ = false;
  bool failed_ = false;
  bool withAudio_ = false;
  int streamBefore_ = -1;  // the source's stream interval before, -1 when it did not stream
  // The stream size to put back at the end: the one found (the file takes the full picture
  // meanwhile), or the one asked for since (setStreamSizeAfter).
  QSize streamSizeBefore_;
  QMetaObject::Connection hotKeyPressed_;
  QEventLoop* loop_ = nullptr;
  std::unique_ptr<AviWriteQueue> queue_;
  QSize fileSize_;       // the pictures of the open file
  QImage converted_;     // a frame in RGB32 at the file's size, when the frame is not
  FrameScaler scaler_;
  int64_t startNs_ = 0;
  int64_t lastFrameIndex_ = -1;
  uint32_t framesDropped_ = 0;
  uint64_t waveSamples_ = 0;
  int64_t lastReportedFrame_ = -1;
  uint32_t lastError_ = 0;
};

}  // namespace platform
