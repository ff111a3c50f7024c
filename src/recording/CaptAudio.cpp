// The Audio page: WAV recording through the WAV recorder (start, blocks, stop), its name,
// format, playing and the mixer program, and the audio statistics.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "controls/Rxswitch.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLauncher.h"
#include "platform/WaveInputDevices.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/FileNumbering.h"
#include "recording/RecordingState.h"
#include "recording/TimedMessageBox.h"
#include "recording/WavFormatChoice.h"
#include "recording/WavRecording.h"

namespace {

constexpr const char* kMixerProgram = "pavucontrol";
constexpr int kNotFoundTimeoutMs = 3000;
constexpr int kNotFoundFlashMs = 1500;

QString megabytes(double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%4.3f M", bytes / 1048576);
  return QString::fromLatin1(text);
}

}  // namespace

namespace capt {

void ShowFileNotFound(const std::string& path) {
  TimedMessageBox(Form3, path, "File not found", platform::kMbOk | platform::kMbIconStop,
                  kNotFoundTimeoutMs, kNotFoundFlashMs);
}

void LoadWaveDevices(QComboBox* list) {
  platform::WaveInputDevices& devices = platform::WaveInputDevices::current();
  list->clear();
  list->addItem(QString::fromLocal8Bit(devices.defaultName().c_str()) + " (default)");
  for (const std::string& name : devices.names()) list->addItem(QString::fromLocal8Bit(name.c_str()));
  list->setCurrentIndex(0);
}

}  // namespace capt

// --- Recording ----------------------------------------------------------------------------------

// A capture in progress keeps the sound input: a WAV recording waits until it has ended.
void TForm3::Button6Click() {
  if (AviCaptureRunning || WavRecordingRunning()) return;
  if (CheckBox14->isChecked()) NextFreeFileName(WavFileName);
  Label32->setText(capt::FromFileName(WavFileName));
  TestModeOff(true);
  // Whole seconds per buffer, at least one: a buffer of no seconds would never fill.
  const int seconds = std::max(1, std::atoi(Edit4->text().toLatin1().constData()));
  const bool started = StartWavRecording(this, seconds, ComboBox1->currentIndex() - 1,
                                         [this](const uint8_t* data, uint32_t size) {
                                           CMyWaveIn1Data(data, size);
                                         });
  if (!started) return;
  Button6->setEnabled(false);
  Button12->setEnabled(false);
  Button7->setEnabled(true);
  RxSwitch1->setEnabled(false);
}

void TForm3::CMyWaveIn1Data(const uint8_t* data, uint32_t size) {
  if (!AppendWavBlock(this, data, size)) {
    Button7Click();
    return;
  }
  UpdateWavStats();
}

void TForm3::Button7Click() {
  if (!WavRecordingRunning() && Button6->isEnabled()) return;
  std::function<void()> nextFree;
  if (CheckBox14->isChecked()) nextFree = [] { NextFreeFileName(WavFileName); };
  StopWavRecording(this, CheckBox5->isChecked(), nextFree);
  Button6->setEnabled(true);
  Button7->setEnabled(false);
  Button12->setEnabled(true);
  RxSwitch1->setEnabled(true);
  UpdateCaptureFileLabels();
}

// --- Name, format, playing, mixer ---------------------------------------------------------------

void TForm3::Button9Click() {
  if (!CaptureLinks.saveFileName) return;
  const std::string chosen = CaptureLinks.saveFileName(
      "", WavFileName, Settings.NoRiffHeader ? "mp3" : "wav",
      "Audio files | *.mp3;*.wav;*.mpg |All files |*.*");
  if (chosen.empty()) return;
  WavFileName = chosen;
  Settings.WavFilename = chosen;
  UpdateCaptureFileLabels();
}

void TForm3::Button10Click() {
  TestModeOff(true);
  FreeWavFormat();
  ChooseWavFormat(this, true);
}

void TForm3::Button12Click() {
  TestModeOff(true);
  if (!capt::FileOpens(WavFileName)) {
    capt::ShowFileNotFound(WavFileName);
    return;
  }
  if (CaptureLinks.openDocument) CaptureLinks.openDocument(WavFileName);
}

// The desktop's mixer; nothing is said when it cannot be started.
void TForm3::SpeedButton1Click() { platform::ProcessLauncher::current().start(kMixerProgram); }

void TForm3::CheckBox5Click() { Settings.NoRiffHeader = CheckBox5->isChecked(); }

// --- Statistics ---------------------------------------------------------------------------------

void TForm3::UpdateWavStats() {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(TempWaveFileName, error);
  if (!error) Label14->setText(megabytes(double(size)));
  Label16->setText(Label21->text() + " " + capt::FromFileName(capt::VolumeOf(TempWaveFileName)) +
                   ":");
  Label18->setText(QString::number(GetDiskFreeMb(TempWaveFileName)) + " Mb");
  Label35->setText(QString::number(WavByteCount));
}
