#include "recording/WavRiffReader.h"

#include <cstring>

#include "recording/WaveFormat.h"

namespace {

uint32_t get32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(b[at + size_t(i)]) << (8 * i);
  return v;
}

}  // namespace

std::optional<RiffWave> ReadRiffWave(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return std::nullopt;
  const uint64_t end = 8 + uint64_t(get32(bytes, 4));
  if (end > bytes.size()) return std::nullopt;
  RiffWave wave;
  bool haveFormat = false, haveData = false;
  uint64_t at = 12;
  while (at + 8 <= end) {
    const uint8_t* id = bytes.data() + at;
    const uint64_t size = get32(bytes, size_t(at + 4));
    const uint64_t body = at + 8;
    if (body + size > end) return std::nullopt;
    auto first = bytes.begin() + std::ptrdiff_t(body);
    auto last = first + std::ptrdiff_t(size);
    if (std::memcmp(id, "fmt ", 4) == 0) {
      wave.format.assign(first, last);
      haveFormat = true;
    } else if (std::memcmp(id, "fact", 4) == 0 && size >= 4) {
      wave.factSamples = get32(bytes, size_t(body));
    } else if (std::memcmp(id, "data", 4) == 0) {
      wave.data.assign(first, last);
      haveData = true;
    }
    at = body + size + (size % 2);
  }
  if (!haveFormat || !haveData || !ValidWaveFormatBlock(wave.format)) return std::nullopt;
  return wave;
}
