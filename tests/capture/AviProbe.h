// What a written AVI file holds, read back through libavformat's demuxer and decoders (the same
// reader a media player or ffprobe uses): stream formats, packet counts and decoded pictures.
#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace capture_test {

struct AviProbe {
  bool opened = false;
  std::string container;
  // Video
  std::string videoCodec;
  int width = 0;
  int height = 0;
  double frameRate = 0;
  int frames = 0;           // frame count of the stream header, empty frames included
  int videoPackets = 0;     // packets with a picture
  int emptyPackets = 0;     // zero-length chunks (frames left empty)
  std::vector<QImage> pictures;  // decoded, RGB32, in file order
  // Sound
  bool hasAudio = false;
  std::string audioCodec;
  int channels = 0;
  int sampleRate = 0;
  long long audioSamples = 0;
};

AviProbe ProbeAvi(const std::string& path, bool decode = false);

}  // namespace capture_test
