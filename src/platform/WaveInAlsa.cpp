#include "platform/WaveInAlsa.h"

#include <alsa/asoundlib.h>

#include <QCoreApplication>
#include <QObject>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/WaveInputDevicesAlsa.h"

namespace platform {

namespace {

constexpr int kBlocks = 3;
// How long one read may take at most, so that a stop is not kept waiting.
constexpr unsigned kReadSliceMs = 20;

int errorFor(int alsaError) {
  switch (-alsaError) {
    case EBUSY: return kWaveInAllocated;
    case ENOENT:
    case ENODEV: return kWaveInBadDeviceId;
    case ENOMEM: return kWaveInNoMem;
    case EINVAL: return kWaveInBadFormat;
    default: return kWaveInError;
  }
}

bool alsaFormat(const WaveInFormat& f, snd_pcm_format_t* out) {
  switch (f.bitsPerSample) {
    case 8: *out = SND_PCM_FORMAT_U8; return true;
    case 16: *out = SND_PCM_FORMAT_S16_LE; return true;
    case 24: *out = SND_PCM_FORMAT_S24_3LE; return true;
    case 32: *out = SND_PCM_FORMAT_S32_LE; return true;
    default: return false;
  }
}

class AlsaWaveIn : public WaveIn {
public:
  ~AlsaWaveIn() override { stop(); }

  int open(int deviceId, const WaveInFormat& format, uint32_t blockBytes,
           BlockHandler onBlock) override {
    snd_pcm_format_t pcmFormat;
    if (format.formatTag != 1 || !alsaFormat(format, &pcmFormat) || format.channels == 0 ||
        format.samplesPerSec == 0 || format.blockAlign != format.channels * format.bitsPerSample / 8)
      return kWaveInBadFormat;
    if (blockBytes < format.blockAlign) return kWaveInInvalParam;
    std::string name = "default";
    if (deviceId != -1) {
      const auto devices = AlsaCaptureDevices();
      if (deviceId < 0 || size_t(deviceId) >= devices.size()) return kWaveInBadDeviceId;
      name = devices[size_t(deviceId)].pcm;
    }
    int rc = snd_pcm_open(&pcm_, name.c_str(), SND_PCM_STREAM_CAPTURE, 0);
    if (rc < 0) {
      pcm_ = nullptr;
      return errorFor(rc);
    }
    rc = snd_pcm_set_params(pcm_, pcmFormat, SND_PCM_ACCESS_RW_INTERLEAVED, format.channels,
                            format.samplesPerSec, 1, 500000);
    if (rc < 0) {
      closePcm();
      return kWaveInBadFormat;
    }
    format_ = format;
    onBlock_ = std::move(onBlock);
    blocks_.assign(kBlocks, std::vector<uint8_t>(blockBytes));
    free_.clear();
    filled_.clear();
    for (int i = 0; i < kBlocks; ++i) free_.push_back(i);
    return kWaveInOk;
  }

  int start() override {
    if (!pcm_) return kWaveInError;
    context_ = std::make_unique<QObject>();
    stopped_ = false;
    stopping_ = false;
    reader_ = std::thread([this] { read(); });
    return kWaveInOk;
  }

  void stop() override {
    if (reader_.joinable()) {
      {
        std::lock_guard lock(mutex_);
        stopping_ = true;
      }
      wake_.notify_all();
      reader_.join();
    }
    closePcm();
    // Hands over what the reader left, the last partly filled block included; from inside the
    // handler nothing more is handed over.
    if (!inHandler_) drain();
    stopped_ = true;
    context_.reset();
    onBlock_ = nullptr;
  }

private:
  struct Filled {
    int index;
    uint32_t bytes;
  };

  void closePcm() {
    if (pcm_) {
      snd_pcm_drop(pcm_);
      snd_pcm_close(pcm_);
      pcm_ = nullptr;
    }
  }

  // The reader thread: fills free blocks and queues them for the main thread.
  void read() {
    const uint32_t align = format_.blockAlign;
    const snd_pcm_uframes_t slice =
        std::max<snd_pcm_uframes_t>(1, format_.samplesPerSec * kReadSliceMs / 1000);
    for (;;) {
      int index;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !free_.empty(); });
        if (stopping_) return;
        index = free_.front();
        free_.pop_front();
      }
      std::vector<uint8_t>& block = blocks_[size_t(index)];
      const uint32_t frames = uint32_t(block.size()) / align;
      uint32_t got = 0;
      bool failed = false;
      while (got < frames && !stopping_) {
        const snd_pcm_uframes_t want = std::min<snd_pcm_uframes_t>(slice, frames - got);
        snd_pcm_sframes_t n = snd_pcm_readi(pcm_, block.data() + size_t(got) * align, want);
        if (n == -EAGAIN) continue;
        if (n < 0) n = snd_pcm_recover(pcm_, int(n), 1);
        if (n < 0) {
          failed = true;
          break;
        }
        got += uint32_t(n);
      }
      {
        std::lock_guard lock(mutex_);
        if (got > 0) filled_.push_back({index, got * align});
        else free_.push_back(index);
      }
      if (got > 0)
        QMetaObject::invokeMethod(context_.get(), [this] { drain(); }, Qt::QueuedConnection);
      if (failed) return;
    }
  }

  // On the main thread: hands the queued blocks to the handler and gives them back to the reader.
  void drain() {
    for (;;) {
      Filled item;
      {
        std::lock_guard lock(mutex_);
        if (filled_.empty() || stopped_) return;
        item = filled_.front();
        filled_.pop_front();
      }
      BlockHandler handler = onBlock_;
      inHandler_ = true;
      if (handler) handler(blocks_[size_t(item.index)].data(), item.bytes);
      inHandler_ = false;
      {
        std::lock_guard lock(mutex_);
        free_.push_back(item.index);
      }
      wake_.notify_all();
    }
  }

  snd_pcm_t* pcm_ = nullptr;
  WaveInFormat format_;
  BlockHandler onBlock_;
  std::vector<std::vector<uint8_t>> blocks_;
  std::unique_ptr<QObject> context_;  // queued calls to a stopped device die with it
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<int> free_;
  std::deque<Filled> filled_;
  std::atomic<bool> stopping_ = false;
  bool stopped_ = false;
  bool inHandler_ = false;
};

}  // namespace

std::unique_ptr<WaveIn> CreateAlsaWaveIn() { return std::make_unique<AlsaWaveIn>(); }

}  // namespace platform
