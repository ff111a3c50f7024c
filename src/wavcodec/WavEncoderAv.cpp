// The WAV recorder's encoders over libavcodec: IMA ADPCM (in blocks of the format's block
// alignment), A-law, mu-law and MPEG layer-3 (through LAME, at the format's bit rate). The PCM
// taken is cut into the codec's frames; the last one is padded with silence when the codec wants
// whole frames.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include "recording/WavEncoder.h"

namespace {

const char* encoderName(uint16_t tag) {
  switch (tag) {
    case kWaveFormatImaAdpcm: return "adpcm_ima_wav";
    case kWaveFormatALaw: return "pcm_alaw";
    case kWaveFormatMuLaw: return "pcm_mulaw";
    case kWaveFormatMpegLayer3: return "libmp3lame";
  }
  return nullptr;
}

std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// The first of the codec's sample formats that we fill.
AVSampleFormat inputFormat(const AVCodec* codec) {
  const AVSampleFormat ours[] = {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_S16P, AV_SAMPLE_FMT_FLTP,
                                 AV_SAMPLE_FMT_S32P};
  const AVSampleFormat* offered = codec->sample_fmts;
  if (!offered) return AV_SAMPLE_FMT_S16;
  for (; *offered != AV_SAMPLE_FMT_NONE; ++offered)
    if (std::find(std::begin(ours), std::end(ours), *offered) != std::end(ours)) return *offered;
  return AV_SAMPLE_FMT_NONE;
}

class WavEncoderAv final : public WavEncoder {
public:
  explicit WavEncoderAv(const std::vector<uint8_t>& block) { open(block); }

  ~WavEncoderAv() override {
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    avcodec_free_context(&context_);
  }

  bool encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& out) override {
    if (!error_.empty()) return false;
    if (flushed_) return fail("The encoder has been flushed");
    held_.insert(held_.end(), samples, samples + frames * channels_);
    taken_ += frames;
    size_t at = 0;
    bool ok = true;
    while (ok && held_.size() - at >= frameSize_ * channels_) {
      ok = sendFrame(held_.data() + at, frameSize_, out);
      at += frameSize_ * channels_;
    }
    held_.erase(held_.begin(), held_.begin() + std::ptrdiff_t(at));
    return ok;
  }

  bool flush(std::vector<uint8_t>& out) override {
    if (!error_.empty()) return false;
    if (flushed_) return true;
    flushed_ = true;
    size_t frames = held_.size() / channels_;
    if (frames > 0) {
      const bool whole = !(context_->codec->capabilities &
                           (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE));
      if (whole) {
        held_.resize(frameSize_ * channels_, 0);
        frames = frameSize_;
      }
      if (!sendFrame(held_.data(), frames, out)) return false;
      held_.clear();
    }
    const int rc = avcodec_send_frame(context_, nullptr);
    if (rc < 0) return fail("Cannot flush the encoder: " + avErrorText(rc));
    return receive(out);
  }

  uint64_t samples() const override { return taken_; }
  std::string error() const override { return error_; }

private:
  bool fail(const std::string& text) {
    if (error_.empty()) error_ = text;
    return false;
  }

  void open(const std::vector<uint8_t>& block) {
    if (!DescribedWaveFormat(block)) {
      fail("Unsupported audio format");
      return;
    }
    const WaveFormatFields f = ReadWaveFormat(block);
    const char* name = encoderName(f.formatTag);
    const AVCodec* codec = name ? avcodec_find_encoder_by_name(name) : nullptr;
    if (!codec) {
      fail("No encoder for " + WaveFormatTagName(f.formatTag));
      return;
    }
    context_ = avcodec_alloc_context3(codec);
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!context_ || !frame_ || !packet_) {
      fail("Out of memory");
      return;
    }
    channels_ = f.channels;
    context_->sample_rate = int(f.samplesPerSec);
    av_channel_layout_default(&context_->ch_layout, f.channels);
    context_->sample_fmt = inputFormat(codec);
    context_->time_base = AVRational{1, int(f.samplesPerSec)};
    if (f.formatTag == kWaveFormatMpegLayer3) context_->bit_rate = int64_t(f.avgBytesPerSec) * 8;
    if (f.formatTag == kWaveFormatImaAdpcm)
      av_opt_set_int(context_, "block_size", f.blockAlign, AV_OPT_SEARCH_CHILDREN);
    const int rc = avcodec_open2(context_, codec, nullptr);
    if (rc < 0) {
      fail("Cannot open the " + WaveFormatTagName(f.formatTag) + " encoder: " + avErrorText(rc));
      return;
    }
    // The blocks must come out as the format block says, or the file would lie about them.
    if (f.formatTag == kWaveFormatImaAdpcm && context_->block_align != f.blockAlign) {
      fail("The IMA ADPCM encoder makes blocks of another size");
      return;
    }
    // Codecs of any frame size take a second's tenth at a time.
    frameSize_ = context_->frame_size > 0 ? size_t(context_->frame_size)
                                          : std::max<size_t>(1, f.samplesPerSec / 10);
  }

  // One frame of `frames` sample frames from interleaved 16-bit samples.
  bool sendFrame(const int16_t* samples, size_t frames, std::vector<uint8_t>& out) {
    av_frame_unref(frame_);
    frame_->nb_samples = int(frames);
    frame_->format = context_->sample_fmt;
    frame_->sample_rate = context_->sample_rate;
    frame_->pts = int64_t(sent_);
    if (av_channel_layout_copy(&frame_->ch_layout, &context_->ch_layout) < 0 ||
        av_frame_get_buffer(frame_, 0) < 0)
      return fail("Out of memory");
    fill(samples, frames);
    sent_ += frames;
    const int rc = avcodec_send_frame(context_, frame_);
    if (rc < 0) return fail("Encoding failed: " + avErrorText(rc));
    return receive(out);
  }

  void fill(const int16_t* samples, size_t frames) {
    const auto format = AVSampleFormat(frame_->format);
    if (format == AV_SAMPLE_FMT_S16) {
      std::memcpy(frame_->data[0], samples, frames * channels_ * sizeof(int16_t));
      return;
    }
    for (size_t c = 0; c < channels_; ++c)
      for (size_t i = 0; i < frames; ++i) {
        const int16_t s = samples[i * channels_ + c];
        if (format == AV_SAMPLE_FMT_S16P)
          reinterpret_cast<int16_t*>(frame_->data[c])[i] = s;
        else if (format == AV_SAMPLE_FMT_FLTP)
          reinterpret_cast<float*>(frame_->data[c])[i] = float(s) / 32768.0f;
        else
          reinterpret_cast<int32_t*>(frame_->data[c])[i] = int32_t(uint32_t(int32_t(s)) << 16);
      }
  }

  bool receive(std::vector<uint8_t>& out) {
    for (;;) {
      const int rc = avcodec_receive_packet(context_, packet_);
      if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
      if (rc < 0) return fail("Encoding failed: " + avErrorText(rc));
      out.insert(out.end(), packet_->data, packet_->data + packet_->size);
      av_packet_unref(packet_);
    }
  }

  AVCodecContext* context_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  size_t channels_ = 1;
  size_t frameSize_ = 1;
  std::vector<int16_t> held_;  // interleaved samples not yet in a frame
  uint64_t taken_ = 0;
  uint64_t sent_ = 0;
  bool flushed_ = false;
  std::string error_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) WavEncoder* vyx_wav_encoder_new(
    const uint8_t* block, uint32_t size) {
  return new WavEncoderAv(std::vector<uint8_t>(block, block + size));
}

extern "C" __attribute__((visibility("default"))) bool vyx_wav_encoder_available(uint16_t tag) {
  const char* name = encoderName(tag);
  return name && avcodec_find_encoder_by_name(name);
}
