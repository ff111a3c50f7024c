#include "WavProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace recording_test {

WavProbe ProbeWav(const std::string& path) {
  WavProbe probe;
  AVFormatContext* in = nullptr;
  if (avformat_open_input(&in, path.c_str(), nullptr, nullptr) < 0) return probe;
  avformat_find_stream_info(in, nullptr);
  probe.opened = true;
  probe.container = in->iformat->name;
  const int audio = av_find_best_stream(in, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (audio >= 0) {
    const AVCodecParameters* par = in->streams[audio]->codecpar;
    probe.codec = avcodec_get_name(par->codec_id);
    probe.channels = par->ch_layout.nb_channels;
    probe.sampleRate = par->sample_rate;
  }
  AVPacket* packet = av_packet_alloc();
  while (av_read_frame(in, packet) >= 0) {
    if (packet->stream_index == audio)
      probe.samples.insert(probe.samples.end(), packet->data, packet->data + packet->size);
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  avformat_close_input(&in);
  return probe;
}

}  // namespace recording_test
