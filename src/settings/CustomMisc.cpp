// The "Разное" page: start-up and OSD options, delays, the sound source, language and skin, the
// U and V saturation factors, the capture driver and the external programs.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/Settings.h"
#include "core/SystemUtils.h"
#include "core/TvStandardPath.h"
#include "platform/Environment.h"
#include "platform/Mixer.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"
#include "settings/HardwareImport.h"
#include "settings/Language.h"
#include "settings/SettingsHooks.h"
#include "settings/SkinLoader.h"

using platform::kMixerControlMute;
using platform::kMixerControlVolume;
using platform::kMixerDestinationSpeakers;
using platform::kMixerDestinationWaveIn;

namespace {

constexpr uint32_t kNoMonitorDelay = 0xFFFFFF;
constexpr int kDefaultSaturationU = 100;
constexpr int kDefaultSaturationV = 67;

void call(const std::function<void()>& hook) {
  if (hook) hook();
}

// Asks for a program until the user picks a "*.exe" file or cancels.
void chooseProgram(QWidget* owner, QLineEdit* edit) {
  const OpenFileRequest request{"exe", ToSetting(edit->text()), "Exe files|*.exe", owner};
  // A Linux program has no extension: any file that exists is taken.
  if (std::optional<std::string> name = FileChooser()(request)) edit->setText(FromSetting(*name));
}

}  // namespace

void TForm7::CheckBox1Click() { Settings.OSDEnabled = CheckBox1->isChecked(); }
void TForm7::CheckBox2Click() { Settings.Remote = CheckBox2->isChecked(); }
void TForm7::CheckBox3Click() { Settings.SoundOffOnStart = CheckBox3->isChecked(); }
void TForm7::CheckBox4Click() { Settings.IntellimouseReverse = CheckBox4->isChecked(); }
void TForm7::CheckBox7Click() { Settings.RestoreVolume = CheckBox7->isChecked(); }
void TForm7::CheckBox11Click() { Settings.HideCP = CheckBox11->isChecked(); }

void TForm7::CheckBox14Click() {
  Settings.MonitorPowerOffIfNoSignal = CheckBox14->isChecked();
  Edit42Change();
  if (!CheckBox14->isChecked()) Edit42->setStyleSheet(QString());
}

void TForm7::Edit42Change() {
  const QString text = Edit42->text();
  Settings.MonitorPowerOffDelay = text.isEmpty() ? kNoMonitorDelay : uint32_t(IntegerOf(text));
}

void TForm7::Edit13Change() { Settings.OSDDelay = UnsignedOf(Edit13->text()); }
void TForm7::Edit14Change() { Settings.RemoteDelay = UnsignedOf(Edit14->text()); }
void TForm7::Edit34Change() { Settings.MouseStep = int32_t(UnsignedOf(Edit34->text())); }

void TForm7::ComboBox5Change() {
  Settings.SoundConnector = uint32_t(std::max(ComboBox5->currentIndex(), 0));
  if (!LineVol) return;  // the mixer lines are made by the main panel
  const uint32_t line = CardSourceLine();
  if (!LineVol->Open(kMixerDestinationSpeakers, line, kMixerControlVolume, this, true)) return;
  RecLineVol->Open(kMixerDestinationWaveIn, line, kMixerControlVolume, this, true);
  LineMute->Open(kMixerDestinationSpeakers, line, kMixerControlMute, this, true);
  RecLineMute->Open(kMixerDestinationWaveIn, line, kMixerControlMute, this, true);
  LineMute->SetValue(0);
  RecLineMute->SetValue(0);
}

void TForm7::ListBox3Click() {
  const QListWidgetItem* item = ListBox3->currentItem();
  Settings.Language = item ? ToSetting(item->text()) : std::string();
  LoadLanguage(Settings.Language);
}

// The name is stored as listed; a folder without skin.ini stores "none" and keeps the panel.
void TForm7::ListBox2Click() {
  const QListWidgetItem* item = ListBox2->currentItem();
  if (!item) return;
  if (SkinIniPath(ToSetting(item->text())).empty()) {
    Settings.Skin = "none";
    return;
  }
  Settings.Skin = ToSetting(item->text());
  if (Settings.Skin == "none" || Settings.Skin.empty()) return;
  LoadSkin();
  FinishSkin();
}

// The panel's saturation follows without its OSD text.
void TForm7::saturationChanged(uint32_t& setting, int value) {
  const uint8_t osd = Settings.OSDEnabled;
  Settings.OSDEnabled = 0;
  setting = uint32_t(value);
  call(DialogHooks().applySaturation);
  Settings.OSDEnabled = osd;
}

void TForm7::RxSliderUChange() { saturationChanged(Settings.SaturationU, RxSliderU->Value()); }
void TForm7::RxSliderVChange() { saturationChanged(Settings.SaturationV, RxSliderV->Value()); }

void TForm7::SpeedButton2Click() {
  RxSliderU->SetValue(kDefaultSaturationU);
  RxSliderV->SetValue(kDefaultSaturationV);
  call(DialogHooks().applySaturation);
}

void TForm7::RadioGroup4Click() {
  Settings.Driver = uint32_t(std::max(RadioGroup4Items->checkedId(), 0));
  if (Settings.TvWindowPresent && DialogHooks().reconnectDriver)
    DialogHooks().reconnectDriver(int(Settings.Driver));
}

// WDM attaches the TV-standard path and applies the channel again; a failed attach changes
// nothing else. VfW detaches it. "Auto" only stores the choice: whether the system maps its
// capture driver is looked at by the next start.
void TForm7::RadioGroup2Click() {
  const int choice = RadioGroup2Items->checkedId();
  if (choice < 0) return;
  Settings.WDMDriver = uint32_t(choice);
  if (choice == 0) {
    if (ComActive) ComDetach();
    ComActive = false;
    call(DialogHooks().reSet);
    return;
  }
  if (choice == 2) return;  // the system's mapper key decides at the next start
  if (!ComAttach()) return;
  ComActive = true;
  call(DialogHooks().reSet);
}

void TForm7::RadioGroup1Click() {
  const bool external = RadioGroup1Items->checkedId() == 1;
  Edit1->setEnabled(external);
  SpeedButton1->setEnabled(external);
}

void TForm7::SpeedButton1Click() { chooseProgram(this, Edit1); }
void TForm7::SpeedButton4Click() { chooseProgram(this, Edit41); }
