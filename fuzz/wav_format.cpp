// Fuzzes what the WAV recorder reads from outside: a stored format block ("Audio Format A"), its
// match against the described compressed formats and its name, and RIFF/WAVE files read back.
// Any bytes must be judged without fault, and what is accepted must be consistent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "recording/WavRiffReader.h"
#include "recording/WaveFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);

  if (ValidWaveFormatBlock(bytes)) {
    const WaveFormatFields f = ReadWaveFormat(bytes);
    if (f.samplesPerSec == 0 || f.avgBytesPerSec == 0 || WaveFormatUsedSize(bytes) > size)
      std::abort();
    // The fields written back give the same block start.
    const std::vector<uint8_t> again = WaveFormatBlock(f, uint32_t(size));
    if (ReadWaveFormat(again) != f) std::abort();
  }

  if (DescribedWaveFormat(bytes)) {
    if (!ValidWaveFormatBlock(bytes)) std::abort();
    // A described compressed block is one of the table's, byte for byte.
    const WaveFormatFields f = ReadWaveFormat(bytes);
    if (f.formatTag != kWaveFormatPcm) {
      bool found = false;
      for (const auto& known : CompressedWaveFormats())
        found = found || std::equal(known.begin(), known.end(), bytes.begin(),
                                    bytes.begin() + std::ptrdiff_t(WaveFormatUsedSize(bytes)));
      if (!found) std::abort();
    }
  }
  if (WaveFormatAttributes(bytes).empty() ||
      WaveFormatTagName(ReadWaveFormat(bytes).formatTag).empty())
    std::abort();

  if (const auto wave = ReadRiffWave(bytes)) {
    if (!ValidWaveFormatBlock(wave->format)) std::abort();
    if (wave->format.size() + wave->data.size() > size) std::abort();
  }
  return 0;
}
