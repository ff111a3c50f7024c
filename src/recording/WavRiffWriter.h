// The RIFF/WAVE file the WAV recorder writes at stop: "fmt " (the whole current format block),
// "fact" (the sample count) and "data" (the temporary file's bytes), each chunk padded to an even
// size. The reader of such files is in WavRiffReader.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "recording/WavRiffReader.h"

class QWidget;

// Writes WavFileName from CurrentWavFormat, WavByteCount and the temporary file. Every failing
// step shows its own "Error" box and ends the writing. Returns 0 when the file was written, else
// the failing step's result (non-zero).
int WriteRiffWaveFile(QWidget* owner);

// Copies the temporary file to `out` in blocks of 1024 bytes. Returns 0; -1 when the temporary
// file does not open; -2 when a read or a write fails.
int CopyTempWaveToMmio(std::FILE* out);

// The most sound bytes a WAV file with a format block of `formatSize` bytes can hold: every
// RIFF size is 32 bits.
uint64_t MaxWavDataBytes(uint32_t formatSize);

// The 'fact' value: samples in `bytes` bytes of `format` (0 when its byte rate is 0).
uint32_t WavSampleCount(uint32_t bytes, const std::vector<uint8_t>& format);
