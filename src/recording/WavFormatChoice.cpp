#include "recording/WavFormatChoice.h"

#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "recording/WavEncoder.h"
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
  // A stored block is used when it can be recorded; shorter ones of earlier runs are widened.
  if (SavedWavFormat.size() < kWaveFormatFieldsSize || SavedWavFormat.size() > MaxWavFormatSize ||
      !RecordableWavFormat(SavedWavFormat))
    SavedWavFormat = WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize);
  SavedWavFormat.resize(MaxWavFormatSize, 0);
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
      if (result == WavFormatChoiceResult::Ok && RecordableWavFormat(ChooserWavFormat)) break;
      CurrentWavFormat.clear();
      errorBox("Format not supported");
    }
  }
  CurrentWavFormat = ChooserWavFormat;
  SavedWavFormat = CurrentWavFormat;
  return 0;
}

void FreeWavFormat() { CurrentWavFormat.clear(); }
