// Around the pages: the abort key, the recording sliders and the source line, the master
// volume, the clip lamps, the CPU graph, the split-size warning and the statistics frame.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <array>

#include "controls/PerfGraph.h"
#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/Settings.h"
#include "platform/GlobalHotKey.h"
#include "platform/MessageBox.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/CaptLayoutParts.h"
#include "recording/CpuLoad.h"
#include "recording/RecordingState.h"

namespace {

// The virtual-key codes of the abort key list, in its order: Escape, Space, End, Home, Print
// Screen, the digits, the letters, F1-F12.
constexpr std::array<uint32_t, 53> AbortKeyTable = [] {
  std::array<uint32_t, 53> t{0x1B, 0x20, 0x23, 0x24, 0x2C};
  size_t i = 5;
  for (uint32_t vk = 0x30; vk <= 0x39; ++vk) t[i++] = vk;
  for (uint32_t vk = 0x41; vk <= 0x5A; ++vk) t[i++] = vk;
  for (uint32_t vk = 0x70; vk <= 0x7B; ++vk) t[i++] = vk;
  return t;
}();

constexpr const char* kHotKeyTakenText =
    "This sequence already registered by other application\nPlease select another key "
    "sequence\n";
constexpr uint32_t kSplitWarningMb = 2044;
constexpr int kMixerUnit = 1000;

// Left and right of a mixer line in slider units.
void readPair(CMyMixer* line, rxslider::TRxSlider* left, rxslider::TRxSlider* right) {
  uint32_t l = 0, r = 0;
  if (line) line->GetStereo(l, r);
  left->SetValue(int(l / kMixerUnit));
  right->SetValue(int(r / kMixerUnit));
}

void writePair(CMyMixer* line, rxslider::TRxSlider* left, rxslider::TRxSlider* right) {
  if (line) line->SetStereo(uint32_t(left->Value()) * kMixerUnit,
                            uint32_t(right->Value()) * kMixerUnit);
}

}  // namespace

uint32_t AbortKeyCode(int index) {
  return index >= 0 && index < int(AbortKeyTable.size()) ? AbortKeyTable[size_t(index)] : 0;
}

// --- The abort key ------------------------------------------------------------------------------

// The key is held on the desktop only while a capture runs; here it is tried, so that a key
// another program holds is refused at once.
void TForm3::ComboBox2Change() {
  if (CaptureFirstShow) return;
  platform::GlobalHotKey& hotKey = platform::GlobalHotKey::current();
  hotKey.release();
  const int index = ComboBox2->currentIndex();
  if (!Settings.AbortKeyEnabled || index < 0 || index >= int(AbortKeyTable.size())) return;
  const uint32_t vk = AbortKeyTable[size_t(index)];
  const uint32_t modifiers = (CheckBox9->isChecked() ? platform::GlobalHotKey::kModControl : 0) |
                             (CheckBox10->isChecked() ? platform::GlobalHotKey::kModShift : 0);
  const bool free = hotKey.grab(modifiers, vk);
  hotKey.release();
  if (!free) {
    platform::ShowMessageBox(kHotKeyTakenText, "RegisterHotKey error",
                             platform::kMbOk | platform::kMbIconStop);
    return;
  }
  CaptureParms.vKeyAbort = vk | (CheckBox9->isChecked() ? platform::kAbortKeyControl : 0) |
                           (CheckBox10->isChecked() ? platform::kAbortKeyShift : 0);
}

void TForm3::CheckBox18Click() {
  Settings.AbortKeyEnabled = CheckBox18->isChecked();
  platform::GlobalHotKey::current().release();
  ComboBox2Change();
}

// --- Recording sliders and the source line ------------------------------------------------------

void TForm3::ReadRecordingSliders() {
  readPair(RecLineVol, RxSlider1, RxSlider2);
  readPair(RecMasterVol, RxSlider4, RxSlider5);
  if (RxSlider1->Value() == RxSlider2->Value() && RxSlider4->Value() == RxSlider5->Value())
    CheckBox15->setChecked(true);
}

void TForm3::RxSlider1Change() {
  if (CheckBox15->isChecked()) RxSlider2->SetValue(RxSlider1->Value());
  writePair(RecLineVol, RxSlider1, RxSlider2);
}

void TForm3::RxSlider2Change() {
  if (CheckBox15->isChecked()) RxSlider1->SetValue(RxSlider2->Value());
  writePair(RecLineVol, RxSlider1, RxSlider2);
}

void TForm3::RxSlider4Change() {
  if (CheckBox15->isChecked()) RxSlider5->SetValue(RxSlider4->Value());
  writePair(RecMasterVol, RxSlider4, RxSlider5);
}

void TForm3::RxSlider5Change() {
  if (CheckBox15->isChecked()) RxSlider4->SetValue(RxSlider5->Value());
  writePair(RecMasterVol, RxSlider4, RxSlider5);
}

void TForm3::CheckBox15Click() {
  if (!CheckBox15->isChecked()) return;
  RxSlider2->SetValue(RxSlider1->Value());
  RxSlider5->SetValue(RxSlider4->Value());
  RxSlider1Change();
  RxSlider4Change();
}

void TForm3::ComboBox4Change() {
  if (CaptureLinks.soundSource) CaptureLinks.soundSource(ComboBox4->currentIndex());
  ReadRecordingSliders();
}

void TForm3::RxSlider6Change() {
  if (CaptureLinks.setMasterVolume) CaptureLinks.setMasterVolume(RxSlider6->Value());
}

// --- Lamps, graph, split size, statistics -------------------------------------------------------

void TForm3::Timer1Timer() {
  capt::SetBackground(Panel5, gui::clBtnFace);
  capt::SetBackground(Panel6, gui::clBtnFace);
  Timer1.SetEnabled(false);
}

void TForm3::Timer3Timer() {
  PG1->DataPoint(gui::clLime, CpuLoadMeter->GetCpuUsage());
  PG1->Update();
}

void TForm3::Edit1Exit() {
  if (Settings.CaptureFileSize <= kSplitWarningMb) return;
  platform::ShowMessageBox("Your file must be less than 2Gb!", "Warning!",
                           platform::kMbOk | platform::kMbIconWarning);
  Edit1->setFocus();
  Edit1->selectAll();
}

void TForm3::CheckBox17Click() {
  Settings.HideStatWindow = CheckBox17->isChecked();
  setFixedHeight(CheckBox17->isChecked() ? PG1->y() - 1 : Panel9->y() + Panel9->height() + 3);
}

void TForm3::PageControl1Change() {
  const int page = PageControl1->currentIndex();
  if (page == 1) Panel10->hide();
  else if (page == 0) Panel10->show();
}
