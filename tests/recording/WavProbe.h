// What a written WAV file holds, read back through libavformat's demuxer (the reader media
// players and ffprobe use), so that the files are checked by a reader other than our own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace recording_test {

struct WavProbe {
  bool opened = false;
  std::string container;
  std::string codec;
  int channels = 0;
  int sampleRate = 0;
  std::vector<uint8_t> samples;  // the sound's bytes, in file order
  int64_t decodedSamples = 0;    // sample frames the decoder made of them
  bool decodeFailed = false;     // the decoder refused a packet
};

WavProbe ProbeWav(const std::string& path);

}  // namespace recording_test
