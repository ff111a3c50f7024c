// Reads RIFF/WAVE files as the WAV recorder writes them (and as other programs do).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A RIFF/WAVE file as read back.
struct RiffWave {
  std::vector<uint8_t> format;        // the "fmt " chunk
  std::optional<uint32_t> factSamples;
  std::vector<uint8_t> data;          // the "data" chunk
};

// Reads a RIFF/WAVE image: nullopt when it is not one (no RIFF/WAVE header, a chunk running past
// the end, no "fmt " or "data" chunk, an invalid format block).
std::optional<RiffWave> ReadRiffWave(const std::vector<uint8_t>& bytes);
