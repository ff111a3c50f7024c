#include "recording/WavFormatChoice.h"

#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "recording/WavFormatDialog.h"
#include "recording/WavRecording.h"
#include "recording/WaveFormat.h"

// The format dialog's own block (RecordingState).
extern std::vector<uint8_t>& ChooserWavFormat;

namespace {

void errorBox(const char* text) { platform::ShowMessageBox(text, "Error", platform::kMbIconStop); }

}  // namespace

int ChooseWavFormat(QWidget* owner, bool ask) {
  if (MaxWavFormatSize < kWaveFormatFieldsSize) {
    errorBox("Error getting the max compression format size");
    return -1;
  }
  if (SavedWavFormat.size() != MaxWavFormatSize || !ValidWaveFormatBlock(SavedWavFormat))
    SavedWavFormat = WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize);
  // The dialog starts from its last choice; at first from the saved format.
  if (ChooserWavFormat.size() != MaxWavFormatSize) ChooserWavFormat = SavedWavFormat;
  if (ask) {
    for (;;) {
      const WavFormatChoiceResult result = RunWavFormatDialog(owner, ChooserWavFormat);
      if (result == WavFormatChoiceResult::Cancel) {
        ChooserWavFormat = SavedWavFormat;
        CurrentWavFormat = ChooserWavFormat;
        return 0;
      }
      if (result == WavFormatChoiceResult::Ok && ValidWaveFormatBlock(ChooserWavFormat)) break;
      CurrentWavFormat.clear();
      errorBox("Format not supported");
    }
  }
  CurrentWavFormat = ChooserWavFormat;
  SavedWavFormat = CurrentWavFormat;
  return 0;
}

void FreeWavFormat() { CurrentWavFormat.clear(); }
