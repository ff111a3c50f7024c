#include "WavProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace recording_test {

namespace {

void drain(AVCodecContext* decoder, AVFrame* frame, WavProbe& probe) {
  while (avcodec_receive_frame(decoder, frame) >= 0) {
    probe.decodedSamples += frame->nb_samples;
    av_frame_unref(frame);
  }
}

}  // namespace

WavProbe ProbeWav(const std::string& path) {
  WavProbe probe;
  // The demuxer's notes on what it reads (ADPCM blocks grouped in packets, durations estimated
  // from bit rates) say nothing about the files.
  av_log_set_level(AV_LOG_ERROR);
  AVFormatContext* in = nullptr;
  if (avformat_open_input(&in, path.c_str(), nullptr, nullptr) < 0) return probe;
  avformat_find_stream_info(in, nullptr);
  probe.opened = true;
  probe.container = in->iformat->name;
  const int audio = av_find_best_stream(in, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  AVCodecContext* decoder = nullptr;
  if (audio >= 0) {
    const AVCodecParameters* par = in->streams[audio]->codecpar;
    probe.codec = avcodec_get_name(par->codec_id);
    probe.channels = par->ch_layout.nb_channels;
    probe.sampleRate = par->sample_rate;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (decoder && (avcodec_parameters_to_context(decoder, par) < 0 ||
                    avcodec_open2(decoder, codec, nullptr) < 0))
      avcodec_free_context(&decoder);
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  while (av_read_frame(in, packet) >= 0) {
    if (packet->stream_index == audio) {
      probe.samples.insert(probe.samples.end(), packet->data, packet->data + packet->size);
      if (decoder && avcodec_send_packet(decoder, packet) < 0) probe.decodeFailed = true;
      if (decoder) drain(decoder, frame, probe);
    }
    av_packet_unref(packet);
  }
  if (decoder) {
    avcodec_send_packet(decoder, nullptr);
    drain(decoder, frame, probe);
  }
  av_frame_free(&frame);
  avcodec_free_context(&decoder);
  av_packet_free(&packet);
  avformat_close_input(&in);
  return probe;
}

}  // namespace recording_test
