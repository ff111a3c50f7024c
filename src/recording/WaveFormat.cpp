#include "recording/WaveFormat.h"

#include <algorithm>
#include <cstddef>

namespace {

uint32_t get(const std::vector<uint8_t>& b, size_t at, size_t bytes) {
  uint32_t v = 0;
  for (size_t i = 0; i < bytes && at + i < b.size(); ++i) v |= uint32_t(b[at + i]) << (8 * i);
  return v;
}

void put(std::vector<uint8_t>& b, size_t at, size_t bytes, uint32_t v) {
  for (size_t i = 0; i < bytes && at + i < b.size(); ++i) b[at + i] = uint8_t(v >> (8 * i));
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
