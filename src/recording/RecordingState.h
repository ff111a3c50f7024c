// The recording window's state in one place: every global of src/recording is a member of
// RecordingState, and the names the other windows use are references to these members,
// declared in Capt.h. A global added to src/recording goes here, or ResetRecordingState misses
// it (tests/GlobalState.sh checks the libraries for mutable globals outside the states).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/CaptureSequence.h"
#include "recording/CMyWaveIn.h"
#include "recording/Capt.h"
#include "recording/CaptHost.h"
#include "recording/CaptState.h"
#include "recording/CpuLoad.h"
#include "recording/WavEncoder.h"
#include "recording/WavFormatDialog.h"

struct RecordingState {
  // The capture window (Capt*.cpp).
  TForm3* Form3 = nullptr;
  bool CaptureFormCreated = false;
  bool CaptureFormShown = false;
  bool AviCaptureRunning = false;
  bool TvPreviewMode = false;
  CaptureHost CaptureLinks;
  std::string CaptureFileName;
  std::string CaptureInfoChunk = kCaptureInfoText;
  bool CaptureFirstShow = true;
  platform::CaptureParms CaptureParms;
  bool CaptureNextFilePending = false;
  bool CaptureSequenceNew = true;
  int64_t CaptureSequenceStart = 0;
  int64_t CaptureSequenceLimit = kNoSequenceLimit;
  AlarmDate StartAlarmDate;
  AlarmDate StopAlarmDate;
  int LastCaptureStatusId = 0;
  bool CaptureQuitPending = false;
  bool ScopeFrozen = false;
  std::unique_ptr<CPULoad> CpuLoadMeter = std::make_unique<CPULoad>();

  // The stored WAV recording format (WaveFormat.cpp).
  uint32_t MaxWavFormatSize = kLargestWaveFormatSize;
  std::vector<uint8_t> SavedWavFormat;

  // The WAV recorder and the wave input (Wav*.cpp, CMyWaveIn.cpp).
  std::string WavFileName;
  std::string TempWaveFileName;
  int TempWaveFile = -1;
  CMyWaveIn* WavRecorder = nullptr;
  uint32_t WavByteCount = 0;
  std::vector<uint8_t> CurrentWavFormat;
  // The encoder of a recording in a compressed format, from its start until its file is written.
  std::unique_ptr<WavEncoder> WavCoder;
  // A write failure or the size limit cut the recording short: its encoder has nothing more to say.
  bool WavDataCut = false;
  // The format dialog's own block, kept between calls (empty until its first use).
  std::vector<uint8_t> ChooserWavFormat;
  // A test's stand-in for the format dialog (WavFormatDialog.cpp).
  WavFormatChooser FormatChooser;
};

// Closes the recording window if it is still open and gives every member its initial value.
void ResetRecordingState();
