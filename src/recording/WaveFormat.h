// The wave format block of the WAV recorder, as the registry value "Audio Format A" keeps it.
#pragma once

#include <cstdint>
#include <string>
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

// The format tags the recorder writes.
constexpr uint16_t kWaveFormatPcm = 0x0001;
constexpr uint16_t kWaveFormatALaw = 0x0006;
constexpr uint16_t kWaveFormatMuLaw = 0x0007;
constexpr uint16_t kWaveFormatImaAdpcm = 0x0011;
constexpr uint16_t kWaveFormatMpegLayer3 = 0x0055;

// The largest block the codecs describe: MPEG layer-3's, 18 bytes and 12 extra (wID, fdwFlags,
// nBlockSize, nFramesPerBlock, nCodecDelay).
constexpr uint32_t kLargestWaveFormatSize = 30;

// The size of every format block the recorder keeps: kLargestWaveFormatSize. A shorter stored
// block (PCM of earlier runs: 18 bytes) still reads.
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

// Every compressed format the recorder describes, each block 18 + cbSize bytes as Windows lays it
// out: IMA ADPCM (with wSamplesPerBlock), A-law, mu-law, MPEG layer-3 (with the 12 bytes of its
// extra part), at the usual rates and channels. Whether a format is offered depends on the
// installed encoders (WavEncoder.h).
std::vector<std::vector<uint8_t>> CompressedWaveFormats();
// The PCM formats offered: the usual rates, 8 to 32 bits, mono and stereo.
std::vector<std::vector<uint8_t>> PcmWaveFormats();
// True when `block` is valid and is PCM or one of CompressedWaveFormats() (its first 18 + cbSize
// bytes; the rest of the block is not looked at).
bool DescribedWaveFormat(const std::vector<uint8_t>& block);

// The name of a format tag as the format dialog shows it: "PCM", "IMA ADPCM", "CCITT A-Law",
// "CCITT u-Law", "MPEG Layer-3"; "Format 0x%04X" for others.
std::string WaveFormatTagName(uint16_t tag);
// The attributes of a format: "22050 Hz, 4 bit, stereo"; MPEG layer-3 "128 kbit/s, 44100 Hz,
// stereo".
std::string WaveFormatAttributes(const std::vector<uint8_t>& block);

// (WaveFormatStore.cpp) SavedWavFormat from the registry value "Audio Format A"; a missing,
// short or invalid value, or one that cannot be recorded here (RecordableWavFormat), gives
// DefaultWaveFormat(). Always MaxWavFormatSize bytes afterwards.
void LoadSavedWavFormat();
// SavedWavFormat into "Audio Format A".
void StoreSavedWavFormat();
