// The AVI capture: the start button runs a capture through the TV window's driver and returns
// when it has ended. When a file reaches the split size the capture goes on in the next
// numbered file, until the overall time limit has passed at a split point. The callbacks keep
// the statistics up to date while the capture runs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "controls/Curredit.h"
#include "controls/Rxspin.h"
#include "controls/Rxswitch.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "platform/capture/CaptureAudioFeedSim.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/FileNumbering.h"
#include "recording/RecordingState.h"

namespace {

constexpr uint32_t kIndexSize = 324000;
constexpr const char* kErrorCaption = "The Vyx98 Capture";

uint32_t atoiOf(const QLineEdit* edit) {
  return uint32_t(std::max(0, std::atoi(edit->text().toLatin1().constData())));
}

// The process's scheduling priority for the list's choice: realtime, high, normal, idle. Idle
// stays normal here: a lowered priority could not be raised again without privileges.
void setPriority(int choice) {
  const int nice = choice == 0 ? -20 : choice == 1 ? -10 : 0;
  setpriority(PRIO_PROCESS, 0, nice);  // refused without the privilege: the priority stays
}

// The size of the capture file in megabytes; false when it cannot be read.
bool captureFileMb(double* mb) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(CaptureFileName, error);
  if (error) return false;
  *mb = double(size) / 1048576.0;
  return true;
}

}  // namespace

// --- Callbacks ----------------------------------------------------------------------------------

bool CaptureErrorCallback(int id, const std::string& text) {
  if (id != 0)
    platform::ShowMessageBox(text, kErrorCaption, platform::kMbOk | platform::kMbIconWarning);
  return true;
}

bool CaptureStatusCallback(int id, const std::string&) {
  namespace status = platform::capstatus;
  if (id == status::kCapFini &&
      (LastCaptureStatusId == status::kVideoAudio || LastCaptureStatusId == status::kVideoOnly))
    return true;
  LastCaptureStatusId = id;
  if (id >= 506 && Form3) Form3->ShowCaptureStatus();
  return true;
}

// At the split size the file ends: the sequence goes on in the next file while the overall
// limit has not passed, else it ends. A split size of 0 never splits.
bool CaptureControlCallback(int) {
  double mb = 0;
  if (!captureFileMb(&mb)) return true;
  if (Form3) {
    char text[64];
    std::snprintf(text, sizeof text, "%4.3f Mb", mb);
    Form3->Label11->setText(QString::fromLatin1(text));
    Form3->Label10->setText(QString::number(GetDiskFreeMb(CaptureFileName)) + " Mb");
  }
  if (Settings.CaptureFileSize == 0 || mb < double(Settings.CaptureFileSize)) return true;
  if (CaptureNowSeconds() - CaptureSequenceStart < CaptureSequenceLimit) {
    CaptureNextFilePending = true;
  } else {
    CaptureSequenceNew = true;
  }
  return false;
}

void TForm3::ShowCaptureStatus() {
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv) return;
  const platform::CapStatus s = tv->sequence().status();
  Label25->setText(QString::number(s.dwCurrentVideoFrame));
  Label26->setText(QString::number(s.dwCurrentVideoFramesDropped));
  Label33->setText(QString::number(s.dwCurrentWaveSamples));
  const uint32_t seconds = s.dwCurrentTimeElapsedMS / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%.2u:%.2u:%.2u", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  Label28->setText(QString::fromLatin1(text));
}

// --- Start and stop -----------------------------------------------------------------------------

void TForm3::setCaptureButtons(bool enabled) {
  Button8->setEnabled(enabled);
  Button11->setEnabled(enabled);
  RxSwitch1->setEnabled(enabled);
}

// The picture comes back as it was chosen.
void TForm3::pictureBack() {
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv) return;
  if (TvPreviewMode) {
    tv->setPreview(false);
    tv->setPreview(true);
  } else {
    tv->setOverlay(false);
    tv->setOverlay(true);
  }
}

void TForm3::Button8Click() {
  if (AviCaptureRunning) return;
  TestModeOff(true);
  CheckBox11->setChecked(false);
  setCaptureButtons(false);
  AviCaptureRunning = true;
  // Each split continues in the next numbered file: a loop, so that no number of splits
  // nests calls.
  while (captureOneFile() && !CaptureQuitPending) IncrementFileName(CaptureFileName);
  AviCaptureRunning = false;
  pictureBack();
  setCaptureButtons(true);
  if (CaptureQuitPending && CaptureLinks.quit) CaptureLinks.quit();
}

// One file of the sequence; true when the sequence goes on in the next file.
bool TForm3::captureOneFile() {
  if (CheckBox13->isChecked()) NextFreeFileName(CaptureFileName);
  Label27->setText(capt::FromFileName(CaptureFileName));
  platform::CaptureWindow* tv = capt::TvWindow();
  if (!tv) return false;
  platform::CaptureSequence& sequence = tv->sequence();
  sequence.setCaptureFile(CaptureFileName);

  CaptureParms.wNumVideoRequested = atoiOf(Edit2);
  CaptureParms.wNumAudioRequested = atoiOf(Edit3);
  CaptureParms.dwIndexSize = kIndexSize;
  CaptureParms.AVStreamMaster = CheckBox6->isChecked() ? 0 : 1;
  CaptureParms.fAbortLeftMouse = CheckBox7->isChecked();
  CaptureParms.fAbortRightMouse = CheckBox8->isChecked();
  if (CaptureSequenceNew) {
    CaptureSequenceStart = CaptureNowSeconds();
    CaptureSequenceNew = false;
  }
  std::error_code ignored;
  std::filesystem::remove(CaptureFileName, ignored);
  if (RxSpinEdit1->Value() > 0)
    CaptureParms.dwRequestMicroSecPerFrame = uint32_t(1e6 / RxSpinEdit1->Value());
  CaptureParms.fCaptureAudio = CheckBox2->isChecked();
  CaptureParms.fLimitEnabled = CheckBox3->isChecked();
  if (CheckBox3->isChecked()) {
    const double limit = std::clamp(RxCalcEdit1->Value(), 0.0, 4294967295.0);
    CaptureParms.wTimeLimit = uint32_t(limit) & 0xFFFF;
    CaptureSequenceLimit = int64_t(limit);
  } else {
    CaptureParms.wTimeLimit = 0;
    CaptureSequenceLimit = kNoSequenceLimit;
  }

  sequence.setParms(CaptureParms);
  sequence.setAudioFeed(platform::CreateCaptureAudioFeed());
  sequence.setAbortHotKey(Settings.AbortKeyEnabled != 0);
  sequence.setCallbacks(CaptureErrorCallback, CaptureStatusCallback, CaptureControlCallback);
  setPriority(ComboBox3->currentIndex());
  sequence.run();
  setPriority(2);
  sequence.setCallbacks(nullptr, nullptr, nullptr);
  UpdateCaptureFileLabels();
  if (!CaptureNextFilePending) return false;
  CaptureNextFilePending = false;
  return true;
}

bool DeferQuitWhileCapturing() {
  if (!AviCaptureRunning) return false;
  CaptureQuitPending = true;
  if (platform::CaptureWindow* tv = capt::TvWindow()) tv->stop();
  return true;
}

void TForm3::Button13Click() {
  if (platform::CaptureWindow* tv = capt::TvWindow()) tv->stop();
}

void TForm3::RxClock2Alarm() { Button13Click(); }
