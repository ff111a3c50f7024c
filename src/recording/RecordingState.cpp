// The one instance of the recording window's state, and the global names bound to it.
#include "recording/RecordingState.h"

#include <memory>

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

void ResetRecordingState() {
  delete state.Form3;
  std::destroy_at(&state);
  std::construct_at(&state);
}
