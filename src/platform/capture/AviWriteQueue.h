// The worker thread between a capture and its AVI file: frames are copied into a fixed number of
// buffers and written in order with the sound blocks, so that a slow disk or encoder never holds
// up the GUI thread. A frame that finds every buffer taken is refused (the capture counts it as
// dropped); sound is never refused.
#pragma once

#include <QImage>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/capture/AviWriter.h"

namespace platform {

class AviWriteQueue {
public:
  // `writer` is open; frames are `frameSize`, at least one buffer is kept.
  AviWriteQueue(std::unique_ptr<AviWriter> writer, size_t videoBuffers, QSize frameSize);
  // Finishes the file when finish() was not called.
  ~AviWriteQueue();
  AviWriteQueue(const AviWriteQueue&) = delete;
  AviWriteQueue& operator=(const AviWriteQueue&) = delete;

  // False when every buffer is taken, the frame is of another size, or writing failed.
  bool pushVideo(const QImage& frame, int64_t frameIndex);
  void pushAudio(const uint8_t* samples, size_t bytes);
  // Writes everything queued, then the index; false when any write failed.
  bool finish();

  bool failed() const { return failed_; }
  // The first failure's text (read after finish(), or once failed() is true).
  std::string error() const;
  uint64_t fileSize() const { return fileSize_; }

private:
  struct Job {
    int buffer = -1;  // a video buffer, or -1 for sound
    int64_t frameIndex = 0;
    std::vector<uint8_t> samples;
  };

  void work();
  bool write(Job& job);

  std::unique_ptr<AviWriter> writer_;
  QSize frameSize_;
  std::vector<std::vector<uint8_t>> buffers_;  // RGB32 rows, packed

  mutable std::mutex lock_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  std::vector<int> freeBuffers_;
  bool closing_ = false;
  bool finished_ = false;
  bool finishOk_ = false;
  std::string error_;
  std::atomic<bool> failed_{false};
  std::atomic<uint64_t> fileSize_{0};
  std::thread thread_;
};

}  // namespace platform
