#include "recording/WavEncoder.h"

#include "platform/Environment.h"
#include "platform/HardwareLibrary.h"

namespace {

constexpr const char kWavCodecModule[] = "libvyx-wavcodec.so";

using Factory = WavEncoder* (*)(const uint8_t* block, uint32_t size);
using Query = bool (*)(uint16_t tag);

// The module's export `name`, or null. The module is never released: encoders made from it may
// outlive any caller, and a second load of a loaded module only counts a reference.
void* moduleExport(const char* name) {
  platform::ModuleHandle module =
      platform::LoadModule(platform::ExecutableFolder() + kWavCodecModule);
  return module ? platform::FindExport(module, name) : nullptr;
}

}  // namespace

WaveFormatFields WavEncoderInput(const WaveFormatFields& format) {
  WaveFormatFields pcm;
  pcm.formatTag = kWaveFormatPcm;
  pcm.channels = format.channels;
  pcm.samplesPerSec = format.samplesPerSec;
  pcm.bitsPerSample = 16;
  pcm.blockAlign = uint16_t(2 * format.channels);
  pcm.avgBytesPerSec = pcm.blockAlign * format.samplesPerSec;
  return pcm;
}

bool WavEncoderAvailable(uint16_t tag) {
  auto query = reinterpret_cast<Query>(moduleExport(kWavEncoderQuery));
  return query && query(tag);
}

std::vector<std::vector<uint8_t>> OfferedWavFormats() {
  std::vector<std::vector<uint8_t>> offered = PcmWaveFormats();
  uint16_t lastTag = 0;
  bool available = false;
  for (std::vector<uint8_t>& block : CompressedWaveFormats()) {
    const uint16_t tag = ReadWaveFormat(block).formatTag;
    if (tag != lastTag) available = WavEncoderAvailable(tag);
    lastTag = tag;
    if (available) offered.push_back(std::move(block));
  }
  return offered;
}

bool RecordableWavFormat(const std::vector<uint8_t>& block) {
  if (!DescribedWaveFormat(block)) return false;
  const uint16_t tag = ReadWaveFormat(block).formatTag;
  return tag == kWaveFormatPcm || WavEncoderAvailable(tag);
}

std::unique_ptr<WavEncoder> CreateWavEncoder(const std::vector<uint8_t>& format,
                                             std::string* error) {
  auto factory = reinterpret_cast<Factory>(moduleExport(kWavEncoderFactory));
  if (!factory) {
    if (error) *error = std::string("Cannot load the audio codecs ") + kWavCodecModule;
    return nullptr;
  }
  std::unique_ptr<WavEncoder> encoder(factory(format.data(), uint32_t(format.size())));
  if (!encoder || !encoder->error().empty()) {
    if (error) *error = encoder ? encoder->error() : "Unsupported audio format";
    return nullptr;
  }
  return encoder;
}
