// Compressing the WAV recorder's sound. The wave input records PCM (16 bit, the rate and
// channels of the chosen format); an encoder turns it into the chosen compressed format on its
// way to the temporary file. The encoders live in a module of their own (libvyx-wavcodec.so
// beside the executable, over libavcodec), loaded at their first use, so that the program does
// not load the codec libraries at every start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recording/WaveFormat.h"

class WavEncoder {
public:
  virtual ~WavEncoder() = default;

  // Compresses `frames` sample frames of interleaved 16-bit PCM and appends the compressed bytes
  // the codec gives back to `out` (it may hold some back). False, with error() set, when the
  // codec fails.
  virtual bool encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& out) = 0;
  // Compresses what is still held: the last partial frame (padded with silence where the codec
  // needs whole frames) and the codec's own delay. The encoder takes nothing more afterwards.
  virtual bool flush(std::vector<uint8_t>& out) = 0;
  // Sample frames handed to encode so far (the padding not counted).
  virtual uint64_t samples() const = 0;
  // Why the encoder could not be made or the last call failed; empty when it works.
  virtual std::string error() const = 0;
};

// The PCM format the wave input records for the compressed `format`: its rate and channels, 16 bit.
WaveFormatFields WavEncoderInput(const WaveFormatFields& format);

// True when the installed codec library can make `tag` (false when the module is missing).
bool WavEncoderAvailable(uint16_t tag);

// The formats the format dialog offers: PCM, then every compressed format whose encoder is
// installed.
std::vector<std::vector<uint8_t>> OfferedWavFormats();
// True when the recorder can record `block`: a valid PCM block, or a described compressed format
// whose encoder is installed.
bool RecordableWavFormat(const std::vector<uint8_t>& block);

// An encoder from PCM into the format block `format`. Null, with `error` set, when the module is
// missing or the codec refuses the format.
std::unique_ptr<WavEncoder> CreateWavEncoder(const std::vector<uint8_t>& format,
                                             std::string* error);

// The module's exports: WavEncoder* (*)(const uint8_t* block, uint32_t size), which always
// returns an encoder (error() says whether it works), and bool (*)(uint16_t tag).
constexpr const char kWavEncoderFactory[] = "vyx_wav_encoder_new";
constexpr const char kWavEncoderQuery[] = "vyx_wav_encoder_available";
