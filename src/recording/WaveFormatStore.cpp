// The saved recording format in the registry (declared with the block in WaveFormat.h; kept
// apart so that the block's own functions need nothing but the standard library).
#include <utility>

#include "core/SystemUtils.h"
#include "recording/WavEncoder.h"
#include "recording/WaveFormat.h"

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kWavFormatValue = "Audio Format A";

}  // namespace

void LoadSavedWavFormat() {
  // A value larger than the recorder's blocks does not fit and reads as missing.
  std::vector<uint8_t> block(MaxWavFormatSize, 0);
  const uint32_t size =
      ReadAppRegValue(kAppKey, kWavFormatValue, block.data(), MaxWavFormatSize);
  block.resize(size);
  // A format whose encoder is not installed (any more) gives PCM too.
  if (RecordableWavFormat(block)) {
    block.resize(MaxWavFormatSize, 0);
    SavedWavFormat = std::move(block);
  } else {
    SavedWavFormat = WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize);
  }
}

void StoreSavedWavFormat() {
  if (SavedWavFormat.size() != MaxWavFormatSize)
    SavedWavFormat.resize(MaxWavFormatSize, 0);
  WriteAppRegValue(kAppKey, kWavFormatValue, SavedWavFormat.data(), MaxWavFormatSize);
}
