#include "AviProbe.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace capture_test {

namespace {

QImage ToImage(const AVFrame* frame) {
  // The scaler's vector code writes past the end of a row, so it draws into a padded frame.
  AVFrame* rgb = av_frame_alloc();
  rgb->format = AV_PIX_FMT_BGRA;
  rgb->width = frame->width;
  rgb->height = frame->height;
  av_frame_get_buffer(rgb, 64);
  SwsContext* sws = sws_getContext(frame->width, frame->height,
                                   static_cast<AVPixelFormat>(frame->format), frame->width,
                                   frame->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr,
                                   nullptr);
  sws_scale(sws, frame->data, frame->linesize, 0, frame->height, rgb->data, rgb->linesize);
  sws_freeContext(sws);
  QImage image(frame->width, frame->height, QImage::Format_RGB32);
  for (int y = 0; y < frame->height; ++y)
    std::memcpy(image.scanLine(y), rgb->data[0] + static_cast<ptrdiff_t>(y) * rgb->linesize[0],
                static_cast<size_t>(frame->width) * 4);
  av_frame_free(&rgb);
  return image;
}

}  // namespace

AviProbe ProbeAvi(const std::string& path, bool decode) {
  AviProbe probe;
  AVFormatContext* in = nullptr;
  if (avformat_open_input(&in, path.c_str(), nullptr, nullptr) < 0) return probe;
  avformat_find_stream_info(in, nullptr);
  probe.opened = true;
  probe.container = in->iformat->name;
  int video = av_find_best_stream(in, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  int audio = av_find_best_stream(in, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  AVCodecContext* decoder = nullptr;
  if (video >= 0) {
    const AVCodecParameters* par = in->streams[video]->codecpar;
    probe.videoCodec = avcodec_get_name(par->codec_id);
    probe.width = par->width;
    probe.height = par->height;
    probe.frameRate = av_q2d(in->streams[video]->avg_frame_rate);
    probe.frames = static_cast<int>(in->streams[video]->nb_frames);
    if (decode) {
      const AVCodec* codec = avcodec_find_decoder(par->codec_id);
      decoder = avcodec_alloc_context3(codec);
      avcodec_parameters_to_context(decoder, par);
      avcodec_open2(decoder, codec, nullptr);
    }
  }
  if (audio >= 0) {
    const AVCodecParameters* par = in->streams[audio]->codecpar;
    probe.hasAudio = true;
    probe.audioCodec = avcodec_get_name(par->codec_id);
    probe.channels = par->ch_layout.nb_channels;
    probe.sampleRate = par->sample_rate;
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  while (av_read_frame(in, packet) >= 0) {
    if (packet->stream_index == video) {
      if (packet->size == 0) {
        ++probe.emptyPackets;
      } else {
        ++probe.videoPackets;
        if (decoder && avcodec_send_packet(decoder, packet) >= 0 &&
            avcodec_receive_frame(decoder, frame) >= 0)
          probe.pictures.push_back(ToImage(frame));
      }
    } else if (packet->stream_index == audio) {
      const int block = in->streams[audio]->codecpar->block_align;
      if (block > 0) probe.audioSamples += packet->size / block;
    }
    av_packet_unref(packet);
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&decoder);
  avformat_close_input(&in);
  return probe;
}

}  // namespace capture_test
