// The one instance of the recording window's state, and the global names bound to it.
#include "recording/RecordingState.h"

#include <memory>

#include <unistd.h>

namespace {

RecordingState state;

}  // namespace

TForm3*& Form3 = state.Form3;
uint32_t& MaxWavFormatSize = state.MaxWavFormatSize;
std::vector<uint8_t>& SavedWavFormat = state.SavedWavFormat;
bool& CaptureFormCreated = state.CaptureFormCreated;
bool& CaptureFormShown = state.CaptureFormShown;
bool& AviCaptureRunning = state.AviCaptureRunning;
bool& TvPreviewMode = state.TvPreviewMode;
CaptureHost& CaptureLinks = state.CaptureLinks;
std::string& CaptureFileName = state.CaptureFileName;
std::string& CaptureInfoChunk = state.CaptureInfoChunk;
bool& CaptureFirstShow = state.CaptureFirstShow;
platform::CaptureParms& CaptureParms = state.CaptureParms;
bool& CaptureNextFilePending = state.CaptureNextFilePending;
bool& CaptureSequenceNew = state.CaptureSequenceNew;
int64_t& CaptureSequenceStart = state.CaptureSequenceStart;
int64_t& CaptureSequenceLimit = state.CaptureSequenceLimit;
AlarmDate& StartAlarmDate = state.StartAlarmDate;
AlarmDate& StopAlarmDate = state.StopAlarmDate;
int& LastCaptureStatusId = state.LastCaptureStatusId;
bool& CaptureQuitPending = state.CaptureQuitPending;
bool& ScopeFrozen = state.ScopeFrozen;
std::unique_ptr<CPULoad>& CpuLoadMeter = state.CpuLoadMeter;
std::string& WavFileName = state.WavFileName;
std::string& TempWaveFileName = state.TempWaveFileName;
int& TempWaveFile = state.TempWaveFile;
CMyWaveIn*& WavRecorder = state.WavRecorder;
uint32_t& WavByteCount = state.WavByteCount;
std::vector<uint8_t>& CurrentWavFormat = state.CurrentWavFormat;
std::unique_ptr<WavEncoder>& WavCoder = state.WavCoder;
bool& WavDataCut = state.WavDataCut;
std::vector<uint8_t>& ChooserWavFormat = state.ChooserWavFormat;
WavFormatChooser& FormatChooser = state.FormatChooser;

void ResetRecordingState() {
  // The recorder first: the window owns it.
  delete state.WavRecorder;
  if (state.TempWaveFile >= 0) ::close(state.TempWaveFile);
  delete state.Form3;
  std::destroy_at(&state);
  std::construct_at(&state);
}
