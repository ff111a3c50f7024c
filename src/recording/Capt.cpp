#include "recording/Capt.h"

#include "core/SystemUtils.h"

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kWavFormatValue = "Audio Format A";

}  // namespace

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form3 = this;
  setObjectName("Form3");
  setWindowTitle("Capture");
  // A stored block that is missing or larger than the recorder's blocks gives PCM.
  SavedWavFormat.assign(MaxWavFormatSize, 0);
  if (ReadAppRegValue(kAppKey, kWavFormatValue, SavedWavFormat.data(), MaxWavFormatSize) == 0)
    SavedWavFormat = WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize);
  CaptureFormCreated = true;
}
