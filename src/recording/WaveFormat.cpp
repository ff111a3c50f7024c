#include "recording/WaveFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

uint32_t get(const std::vector<uint8_t>& b, size_t at, size_t bytes) {
  uint32_t v = 0;
  for (size_t i = 0; i < bytes && at + i < b.size(); ++i) v |= uint32_t(b[at + i]) << (8 * i);
  return v;
}

void put(std::vector<uint8_t>& b, size_t at, size_t bytes, uint32_t v) {
  for (size_t i = 0; i < bytes && at + i < b.size(); ++i) b[at + i] = uint8_t(v >> (8 * i));
}

constexpr uint32_t kPcmRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000};
constexpr uint16_t kPcmBits[] = {8, 16, 24, 32};
// The rates Windows' telephony and ADPCM codecs offer.
constexpr uint32_t kCodecRates[] = {8000, 11025, 22050, 44100};

WaveFormatFields fields(uint16_t tag, uint32_t rate, uint16_t channels, uint16_t bits,
                        uint16_t blockAlign, uint32_t avgBytes, uint16_t extra) {
  WaveFormatFields f;
  f.formatTag = tag;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.avgBytesPerSec = avgBytes;
  f.blockAlign = blockAlign;
  f.bitsPerSample = bits;
  f.extraSize = extra;
  return f;
}

// IMA ADPCM: blocks of 256 bytes per channel up to 11025 Hz, twice that per doubling of the
// rate; a block holds a 4-byte header per channel and 4-bit samples after it.
std::vector<uint8_t> imaAdpcm(uint32_t rate, uint16_t channels) {
  const uint16_t perChannel = rate <= 11025 ? 256 : uint16_t(256 * (rate / 11025));
  const uint16_t blockAlign = uint16_t(perChannel * channels);
  const uint16_t samplesPerBlock = uint16_t((blockAlign - 4 * channels) * 8 / (4 * channels) + 1);
  std::vector<uint8_t> b = WaveFormatBlock(
      fields(kWaveFormatImaAdpcm, rate, channels, 4, blockAlign,
             rate * blockAlign / samplesPerBlock, 2),
      20);
  put(b, 18, 2, samplesPerBlock);
  return b;
}

// MPEG layer-3: one frame per block; frames of 1152 samples from 32000 Hz up, else 576.
std::vector<uint8_t> mpegLayer3(uint32_t rate, uint16_t channels, uint32_t kbits) {
  std::vector<uint8_t> b = WaveFormatBlock(
      fields(kWaveFormatMpegLayer3, rate, channels, 0, 1, kbits * 1000 / 8, 12), 30);
  const uint32_t perFrame = rate >= 32000 ? 144000 : 72000;
  put(b, 18, 2, 1);                             // wID: MPEG
  put(b, 20, 4, 0);                             // fdwFlags: padding as ISO does it
  put(b, 24, 2, perFrame * kbits / rate);       // nBlockSize: a frame without padding
  put(b, 26, 2, 1);                             // nFramesPerBlock
  put(b, 28, 2, 1393);                          // nCodecDelay
  return b;
}

struct Mp3Rates {
  uint32_t rates[3];
  uint32_t kbits[7];
};
// Bit rates the encoder keeps for each MPEG version (zeros end a list).
constexpr Mp3Rates kMp3Rates[] = {
    {{8000, 11025, 12000}, {8, 16, 32}},
    {{16000, 22050, 24000}, {16, 32, 64, 128}},
    {{32000, 44100, 48000}, {64, 96, 128, 160, 192, 256, 320}},
};

std::vector<std::vector<uint8_t>> compressedFormats() {
  // Made at each call: a table kept between calls would be one more global to reset.
  std::vector<std::vector<uint8_t>> all;
  for (uint32_t rate : kCodecRates)
    for (uint16_t channels : {1, 2}) all.push_back(imaAdpcm(rate, channels));
  for (uint16_t tag : {kWaveFormatALaw, kWaveFormatMuLaw})
    for (uint32_t rate : kCodecRates)
      for (uint16_t channels : {1, 2})
        all.push_back(WaveFormatBlock(fields(tag, rate, channels, 8, channels, rate * channels, 0),
                                      kWaveFormatFieldsSize));
  for (const Mp3Rates& version : kMp3Rates)
    for (uint32_t rate : version.rates)
      for (uint32_t kbits : version.kbits)
        if (kbits)
          for (uint16_t channels : {1, 2}) all.push_back(mpegLayer3(rate, channels, kbits));
  return all;
}

}  // namespace

WaveFormatFields ReadWaveFormat(const std::vector<uint8_t>& block) {
  WaveFormatFields f;
  f.formatTag = uint16_t(get(block, 0, 2));
  f.channels = uint16_t(get(block, 2, 2));
  f.samplesPerSec = get(block, 4, 4);
  f.avgBytesPerSec = get(block, 8, 4);
  f.blockAlign = uint16_t(get(block, 12, 2));
  f.bitsPerSample = uint16_t(get(block, 14, 2));
  f.extraSize = uint16_t(get(block, 16, 2));
  return f;
}

std::vector<uint8_t> WaveFormatBlock(const WaveFormatFields& f, uint32_t size) {
  std::vector<uint8_t> b(size, 0);
  put(b, 0, 2, f.formatTag);
  put(b, 2, 2, f.channels);
  put(b, 4, 4, f.samplesPerSec);
  put(b, 8, 4, f.avgBytesPerSec);
  put(b, 12, 2, f.blockAlign);
  put(b, 14, 2, f.bitsPerSample);
  put(b, 16, 2, f.extraSize);
  return b;
}

WaveFormatFields DefaultWaveFormat() {
  WaveFormatFields f;
  f.formatTag = 1;
  f.channels = 2;
  f.samplesPerSec = 44100;
  f.bitsPerSample = 16;
  f.blockAlign = 16 / 8 * 2;
  f.avgBytesPerSec = 4 * 44100;
  return f;
}

bool ValidWaveFormatBlock(const std::vector<uint8_t>& block) {
  if (block.size() < kWaveFormatFieldsSize) return false;
  const WaveFormatFields f = ReadWaveFormat(block);
  return kWaveFormatFieldsSize + uint32_t(f.extraSize) <= block.size() && f.samplesPerSec > 0 &&
         f.avgBytesPerSec > 0 && f.channels > 0 && f.blockAlign > 0;
}

uint32_t WaveFormatUsedSize(const std::vector<uint8_t>& block) {
  if (block.size() < kWaveFormatFieldsSize) return uint32_t(block.size());
  const uint32_t used = kWaveFormatFieldsSize + ReadWaveFormat(block).extraSize;
  return std::min<uint32_t>(used, uint32_t(block.size()));
}

std::vector<std::vector<uint8_t>> CompressedWaveFormats() { return compressedFormats(); }

std::vector<std::vector<uint8_t>> PcmWaveFormats() {
  std::vector<std::vector<uint8_t>> all;
  for (uint32_t rate : kPcmRates)
    for (uint16_t bits : kPcmBits)
      for (uint16_t channels : {1, 2}) {
        const uint16_t blockAlign = uint16_t(bits / 8 * channels);
        all.push_back(WaveFormatBlock(
            fields(kWaveFormatPcm, rate, channels, bits, blockAlign, blockAlign * rate, 0),
            kWaveFormatFieldsSize));
      }
  return all;
}

bool DescribedWaveFormat(const std::vector<uint8_t>& block) {
  if (!ValidWaveFormatBlock(block)) return false;
  if (ReadWaveFormat(block).formatTag == kWaveFormatPcm) return true;
  const uint32_t used = WaveFormatUsedSize(block);
  for (const std::vector<uint8_t>& known : CompressedWaveFormats())
    if (known.size() == used && std::memcmp(known.data(), block.data(), used) == 0) return true;
  return false;
}

std::string WaveFormatTagName(uint16_t tag) {
  switch (tag) {
    case kWaveFormatPcm: return "PCM";
    case kWaveFormatALaw: return "CCITT A-Law";
    case kWaveFormatMuLaw: return "CCITT u-Law";
    case kWaveFormatImaAdpcm: return "IMA ADPCM";
    case kWaveFormatMpegLayer3: return "MPEG Layer-3";
  }
  char text[16];
  std::snprintf(text, sizeof text, "Format 0x%04X", unsigned(tag));
  return text;
}

std::string WaveFormatAttributes(const std::vector<uint8_t>& block) {
  const WaveFormatFields f = ReadWaveFormat(block);
  const char* channels = f.channels == 1 ? "mono" : f.channels == 2 ? "stereo" : nullptr;
  char text[96];
  if (f.formatTag == kWaveFormatMpegLayer3)
    std::snprintf(text, sizeof text, "%u kbit/s, %u Hz, ", unsigned(f.avgBytesPerSec * 8 / 1000),
                  unsigned(f.samplesPerSec));
  else
    std::snprintf(text, sizeof text, "%u Hz, %u bit, ", unsigned(f.samplesPerSec),
                  unsigned(f.bitsPerSample));
  return text + (channels ? std::string(channels) : std::to_string(f.channels) + " channels");
}
