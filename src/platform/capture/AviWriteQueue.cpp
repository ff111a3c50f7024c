#include "platform/capture/AviWriteQueue.h"

#include <algorithm>
#include <cstring>

namespace platform {

AviWriteQueue::AviWriteQueue(std::unique_ptr<AviWriter> writer, size_t videoBuffers,
                             QSize frameSize)
    : writer_(std::move(writer)), frameSize_(frameSize) {
  const size_t bytes = static_cast<size_t>(frameSize.width()) * frameSize.height() * 4;
  buffers_.resize(std::max<size_t>(videoBuffers, 1), std::vector<uint8_t>(bytes));
  for (int i = static_cast<int>(buffers_.size()) - 1; i >= 0; --i) freeBuffers_.push_back(i);
  thread_ = std::thread([this] { work(); });
}

AviWriteQueue::~AviWriteQueue() { finish(); }

bool AviWriteQueue::pushVideo(const QImage& frame, int64_t frameIndex) {
  if (frame.size() != frameSize_ || frame.format() != QImage::Format_RGB32 || failed_)
    return false;
  int buffer;
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (closing_ || freeBuffers_.empty()) return false;
    buffer = freeBuffers_.back();
    freeBuffers_.pop_back();
  }
  // The copy happens outside the lock: the worker never touches a buffer it was not given.
  const size_t rowBytes = static_cast<size_t>(frameSize_.width()) * 4;
  uint8_t* out = buffers_[buffer].data();
  for (int y = 0; y < frameSize_.height(); ++y, out += rowBytes)
    std::memcpy(out, frame.constScanLine(y), rowBytes);
  {
    std::lock_guard<std::mutex> hold(lock_);
    jobs_.push_back(Job{buffer, frameIndex, {}});
  }
  wake_.notify_one();
  return true;
}

void AviWriteQueue::pushAudio(const uint8_t* samples, size_t bytes) {
  if (bytes == 0 || failed_) return;
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (closing_) return;
    jobs_.push_back(Job{-1, 0, std::vector<uint8_t>(samples, samples + bytes)});
  }
  wake_.notify_one();
}

bool AviWriteQueue::finish() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (finished_) return finishOk_;
    closing_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  const bool closed = writer_->close();
  std::lock_guard<std::mutex> hold(lock_);
  if (!closed && error_.empty()) error_ = writer_->error();
  finished_ = true;
  finishOk_ = closed && !failed_;
  return finishOk_;
}

std::string AviWriteQueue::error() const {
  std::lock_guard<std::mutex> hold(lock_);
  return error_;
}

void AviWriteQueue::work() {
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    wake_.wait(hold, [this] { return closing_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // closing, and everything is written
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    hold.unlock();
    const bool ok = failed_ || write(job);
    hold.lock();
    if (job.buffer >= 0) freeBuffers_.push_back(job.buffer);
    if (!ok && !failed_) {
      error_ = writer_->error();
      failed_ = true;
    }
  }
}

bool AviWriteQueue::write(Job& job) {
  bool ok;
  if (job.buffer >= 0) {
    ok = writer_->writeVideo(buffers_[job.buffer].data(),
                             static_cast<size_t>(frameSize_.width()) * 4, job.frameIndex);
  } else {
    ok = writer_->writeAudio(job.samples.data(), job.samples.size());
  }
  fileSize_ = writer_->fileSize();
  return ok;
}

}  // namespace platform
