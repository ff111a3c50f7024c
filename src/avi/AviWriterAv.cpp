// The AVI writer module over libavformat: the muxer writes the RIFF structure, the index and the
// OpenDML extension chunks past 1 GiB; frames missing between two written ones become empty
// chunks. Raw video is stored as 24-bit DIB rows (top-down, as the header's negative height says,
// each padded to 4 bytes), Motion JPEG
// through libavcodec's encoder after a conversion to full-range YUV 4:2:0.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "platform/capture/AviWriter.h"

namespace {

using platform::AviAudioFormat;
using platform::AviVideoCodec;
using platform::AviVideoFormat;

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

class AviWriterAv final : public platform::AviWriter {
public:
  ~AviWriterAv() override { release(); }

  bool open(const std::string& path, const AviVideoFormat& video,
            const AviAudioFormat* audio) override {
    release();
    error_.clear();
    if (video.width <= 0 || video.height <= 0 || video.width > 8192 || video.height > 8192 ||
        video.microSecPerFrame == 0 || video.microSecPerFrame > 60000000)
      return fail("Unsupported video format");
    if (audio && !SupportedAudio(*audio)) return fail("Unsupported audio format");
    video_ = video;
    int rc = avformat_alloc_output_context2(&out_, nullptr, "avi", path.c_str());
    if (rc < 0 || !out_) return fail("Cannot create " + path + ": " + AvErrorText(rc));
    if (!addVideoStream()) return failAndRelease();
    if (audio && !addAudioStream(*audio)) return failAndRelease();
    rc = avio_open(&out_->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) {
      error_ = "Cannot open " + path + ": " + AvErrorText(rc);
      return failAndRelease();
    }
    rc = avformat_write_header(out_, nullptr);
    if (rc < 0) {
      error_ = "Cannot write the file header: " + AvErrorText(rc);
      return failAndRelease();
    }
    lastFrame_ = -1;
    audioSamples_ = 0;
    return true;
  }

  bool writeVideo(const uint8_t* rgb32, size_t stride, int64_t frameIndex) override {
    if (!out_ || frameIndex <= lastFrame_) return false;
    AVPacket* packet = av_packet_alloc();
    bool ok = video_.codec == AviVideoCodec::Raw ? rawPacket(rgb32, stride, packet)
                                                 : jpegPacket(rgb32, stride, packet);
    if (ok) {
      packet->stream_index = videoStream_->index;
      packet->pts = packet->dts = frameIndex;
      packet->duration = 1;
      packet->flags |= AV_PKT_FLAG_KEY;
      ok = write(packet, videoTimeBase_, videoStream_);
    }
    av_packet_free(&packet);
    if (ok) lastFrame_ = frameIndex;
    return ok;
  }

  bool writeAudio(const uint8_t* samples, size_t bytes) override {
    if (!out_ || !audioStream_) return false;
    const int block = audioStream_->codecpar->block_align;
    bytes -= bytes % block;
    if (bytes == 0) return true;
    AVPacket* packet = av_packet_alloc();
    bool ok = av_new_packet(packet, static_cast<int>(bytes)) == 0;
    if (ok) {
      std::memcpy(packet->data, samples, bytes);
      packet->stream_index = audioStream_->index;
      packet->pts = packet->dts = audioSamples_;
      packet->duration = static_cast<int64_t>(bytes / block);
      packet->flags |= AV_PKT_FLAG_KEY;
      audioSamples_ += packet->duration;
      ok = write(packet, AVRational{1, audioStream_->codecpar->sample_rate}, audioStream_);
    }
    av_packet_free(&packet);
    return ok;
  }

  bool close() override {
    if (!out_) return false;
    int rc = av_write_trailer(out_);
    if (rc < 0) error_ = "Cannot write the index: " + AvErrorText(rc);
    if (avio_closep(&out_->pb) < 0 && rc >= 0) {
      error_ = "Cannot close the file";
      rc = -1;
    }
    release();
    return rc >= 0;
  }

  uint64_t fileSize() const override {
    if (!out_ || !out_->pb) return 0;
    int64_t pos = avio_tell(out_->pb);
    return pos > 0 ? static_cast<uint64_t>(pos) : 0;
  }

  std::string error() const override { return error_; }

private:
  static bool SupportedAudio(const AviAudioFormat& audio) {
    return (audio.bitsPerSample == 8 || audio.bitsPerSample == 16) && audio.channels >= 1 &&
           audio.channels <= 8 && audio.samplesPerSec >= 1000 && audio.samplesPerSec <= 192000;
  }

  bool addVideoStream() {
    videoStream_ = avformat_new_stream(out_, nullptr);
    if (!videoStream_) return fail("Out of memory");
    AVCodecParameters* par = videoStream_->codecpar;
    par->codec_type = AVMEDIA_TYPE_VIDEO;
    par->width = video_.width;
    par->height = video_.height;
    videoTimeBase_ = AVRational{static_cast<int>(video_.microSecPerFrame), 1000000};
    av_reduce(&videoTimeBase_.num, &videoTimeBase_.den, videoTimeBase_.num, videoTimeBase_.den,
              1000000);
    videoStream_->time_base = videoTimeBase_;
    videoStream_->avg_frame_rate = av_inv_q(videoStream_->time_base);
    if (video_.codec == AviVideoCodec::Raw) {
      par->codec_id = AV_CODEC_ID_RAWVIDEO;
      par->format = AV_PIX_FMT_BGR24;
      par->bits_per_coded_sample = 24;
      rowBytes_ = (video_.width * 3 + 3) & ~3;
      return true;
    }
    return openJpegEncoder(par);
  }

  bool openJpegEncoder(AVCodecParameters* par) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!codec) return fail("No Motion JPEG encoder");
    encoder_ = avcodec_alloc_context3(codec);
    encoder_->width = video_.width;
    encoder_->height = video_.height;
    encoder_->pix_fmt = AV_PIX_FMT_YUVJ420P;
    encoder_->time_base = videoStream_->time_base;
    encoder_->flags |= AV_CODEC_FLAG_QSCALE;
    // Quality 100 is the finest quantiser (2), quality 1 the coarsest (31).
    const int quality = std::clamp(video_.quality, 1, 100);
    encoder_->global_quality = FF_QP2LAMBDA * (2 + (100 - quality) * 29 / 99);
    int rc = avcodec_open2(encoder_, codec, nullptr);
    if (rc < 0) return fail("Cannot open the Motion JPEG encoder: " + AvErrorText(rc));
    avcodec_parameters_from_context(par, encoder_);
    frame_ = av_frame_alloc();
    frame_->format = encoder_->pix_fmt;
    frame_->width = video_.width;
    frame_->height = video_.height;
    if (av_frame_get_buffer(frame_, 0) < 0) return fail("Out of memory");
    scaler_ = sws_getContext(video_.width, video_.height, AV_PIX_FMT_BGRA, video_.width,
                             video_.height, AV_PIX_FMT_YUVJ420P, SWS_POINT, nullptr, nullptr,
                             nullptr);
    return scaler_ || fail("No colour conversion for Motion JPEG");
  }

  bool addAudioStream(const AviAudioFormat& audio) {
    audioStream_ = avformat_new_stream(out_, nullptr);
    if (!audioStream_) return fail("Out of memory");
    AVCodecParameters* par = audioStream_->codecpar;
    par->codec_type = AVMEDIA_TYPE_AUDIO;
    par->codec_id = audio.bitsPerSample == 8 ? AV_CODEC_ID_PCM_U8 : AV_CODEC_ID_PCM_S16LE;
    av_channel_layout_default(&par->ch_layout, audio.channels);
    par->sample_rate = audio.samplesPerSec;
    par->bits_per_coded_sample = audio.bitsPerSample;
    par->block_align = audio.blockAlign();
    par->bit_rate = static_cast<int64_t>(audio.samplesPerSec) * audio.blockAlign() * 8;
    audioStream_->time_base = AVRational{1, audio.samplesPerSec};
    return true;
  }

  // Blue-green-red rows, each padded to 4 bytes; the muxer marks raw frames as top-down.
  bool rawPacket(const uint8_t* rgb32, size_t stride, AVPacket* packet) {
    if (av_new_packet(packet, rowBytes_ * video_.height) < 0) return fail("Out of memory");
    for (int y = 0; y < video_.height; ++y) {
      const uint8_t* in = rgb32 + static_cast<size_t>(y) * stride;
      uint8_t* outRow = packet->data + static_cast<size_t>(y) * rowBytes_;
      uint8_t* out = outRow;
      for (int x = 0; x < video_.width; ++x, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
      std::memset(out, 0, rowBytes_ - (out - outRow));
    }
    return true;
  }

  bool jpegPacket(const uint8_t* rgb32, size_t stride, AVPacket* packet) {
    if (av_frame_make_writable(frame_) < 0) return fail("Out of memory");
    // sws_scale reads four plane pointers and strides, whatever the format uses.
    const uint8_t* planes[4] = {rgb32, nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(stride), 0, 0, 0};
    sws_scale(scaler_, planes, strides, 0, video_.height, frame_->data, frame_->linesize);
    frame_->pts = ++encodedFrames_;
    int rc = avcodec_send_frame(encoder_, frame_);
    if (rc >= 0) rc = avcodec_receive_packet(encoder_, packet);
    return rc >= 0 || fail("Cannot compress a frame: " + AvErrorText(rc));
  }

  // Times are counted in frames and samples; the muxer may have chosen other time bases.
  bool write(AVPacket* packet, AVRational timeBase, const AVStream* stream) {
    av_packet_rescale_ts(packet, timeBase, stream->time_base);
    int rc = av_interleaved_write_frame(out_, packet);
    return rc >= 0 || fail("Cannot write to the file: " + AvErrorText(rc));
  }

  bool fail(const std::string& text) {
    if (error_.empty()) error_ = text;
    return false;
  }

  bool failAndRelease() {
    if (out_ && out_->pb) avio_closep(&out_->pb);
    release();
    return false;
  }

  void release() {
    if (out_) {
      if (out_->pb) {
        // Closed without close(): the file ends here, without its index.
        av_write_trailer(out_);
        avio_closep(&out_->pb);
      }
      avformat_free_context(out_);
    }
    out_ = nullptr;
    videoStream_ = audioStream_ = nullptr;
    avcodec_free_context(&encoder_);
    av_frame_free(&frame_);
    sws_freeContext(scaler_);
    scaler_ = nullptr;
  }

  AVFormatContext* out_ = nullptr;
  AVStream* videoStream_ = nullptr;
  AVStream* audioStream_ = nullptr;
  AVCodecContext* encoder_ = nullptr;
  AVFrame* frame_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AviVideoFormat video_;
  AVRational videoTimeBase_{1, 25};
  int rowBytes_ = 0;
  int64_t lastFrame_ = -1;
  int64_t encodedFrames_ = 0;
  int64_t audioSamples_ = 0;
  std::string error_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::AviWriter* vyx_avi_writer_new() {
  // Failures reach the caller through error(); the libraries' notes stay off the terminal.
  av_log_set_level(AV_LOG_ERROR);
  return new AviWriterAv;
}
