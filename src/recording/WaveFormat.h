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
