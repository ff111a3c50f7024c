// The wave format block of the WAV recorder, as the registry value "Audio Format A" keeps it.
#pragma once

#include <cstdint>
#include <vector>

// The wave format block as the registry value "Audio Format A" holds it: the fields of Windows'
// WAVEFORMATEX, little-endian, followed by the rest of the block.
struct WaveFormatFields {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t extraSize = 0;

  bool operator==(const WaveFormatFields&) const = default;
};
constexpr uint32_t kWaveFormatFieldsSize = 18;

// The size of every format block the recorder keeps: the largest format the codecs describe.
// PCM is the only format so far, with no extra bytes.
// LATER(codec layer of the recorder: the largest format the codecs describe)
extern uint32_t& MaxWavFormatSize;
// The saved recording format, MaxWavFormatSize bytes.
extern std::vector<uint8_t>& SavedWavFormat;

WaveFormatFields ReadWaveFormat(const std::vector<uint8_t>& block);
std::vector<uint8_t> WaveFormatBlock(const WaveFormatFields& fields, uint32_t size);
// PCM, 44100 Hz, 2 channels, 16 bit.
WaveFormatFields DefaultWaveFormat();

// True when a stored block can be used: at least 18 bytes, its extra bytes (cbSize) inside the
// block, sample rate and byte rate above 0, at least one channel and a block alignment above 0.
bool ValidWaveFormatBlock(const std::vector<uint8_t>& block);
// The bytes of the block that describe the format: 18 + its extra size (at most the block).
uint32_t WaveFormatUsedSize(const std::vector<uint8_t>& block);

// (WaveFormatStore.cpp) SavedWavFormat from the registry value "Audio Format A"; a missing, short or invalid value
// gives DefaultWaveFormat(). Always MaxWavFormatSize bytes afterwards.
void LoadSavedWavFormat();
// SavedWavFormat into "Audio Format A".
void StoreSavedWavFormat();
