// Applying a channel: TForm1::ReSet, the channel keys and the saturation option.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include <cstdio>

#include "controls/RxLabel.h"
#include "controls/Rxshell.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CBT848.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "gui/Cp1251.h"
#include "gui/ScopedFlag.h"
#include "gui/VyxApplication.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr uint8_t kFmRadio = 9;
constexpr uint32_t kPllLeftAlone = 3;
// The tray menu ends in five fixed items; the channel items and a separator come before them.
constexpr int kFixedTrayItems = 5;

bool validRow(int row) { return row >= 0 && row < kChannelRows; }

}  // namespace

void SetApplicationTitle(const std::string& title) {
  gui::VyxApplication::SetTitle(title);
  if (Form1) Form1->setWindowTitle(gui::FromCp1251(title));
}

std::string ChannelNumberText(int row) {
  char text[16];
  std::snprintf(text, sizeof text, "%3.d ", row + 1);
  return text;
}

std::string ChannelTitle(int row) {
  const std::string suffix = row == kAvRow     ? "AV"
                             : row == kSvhsRow ? "SVHS"
                                               : std::to_string(row + 1);
  const std::string& name = validRow(row) ? ChannelTable[size_t(row)].Name : std::string();
  std::string title = "The Vyx98 - " + name + " (" + suffix + ")";
  if (title.size() > kTitleTextMax) title.resize(kTitleTextMax);
  return title;
}

void TForm1::ReSet() {
  if (!validRow(CurChannel)) return;
  const ChannelRecord& r = ChannelTable[size_t(CurChannel)];
  // A chip object that fails raises CExcept from the card functions below; the flag still goes.
  gui::ScopedFlag busy(ReSetBusy);
  RxLabel1->SetCaption(ChannelNumberText(CurChannel));
  Label1->SetCaption(r.Name);
  Label2->SetCaption(r.Name);
  RxTrayIcon1->SetHint(r.Name);
  RxLabel4->SetCaption(r.System < TVSystemNames.size() ? TVSystemNames[r.System] : "");
  RxSlider2->SetValue(r.Brightness);
  RxSlider3->SetValue(r.Contrast);
  RxSlider4->SetValue(r.Hue);
  RxSlider5->SetValue(r.Saturation);
  TitleText = ChannelTitle(CurChannel);
  SetApplicationTitle(TitleText);
  if (CurChannel < kAvRow) TuneFrequency(r.Freq);
  RxLabel6->SetCaption(CurInput < InputNames.size() ? InputNames[CurInput] : "");
  RxSpinEdit1->SetValue(r.Freq);
  SetTVSystem(r.System);
  SetCardVolume(int32_t(r.Volume * MasterVolumeLevel / 65));
  SetCardParamA(int32_t(r.ParamA));
  SetFMStereo(r.FMStereo);
  SetCardParamB(r.ParamB);
  SetCardParamC(r.ParamC);
  SetBrightness(r.Brightness);
  SetContrast(r.Contrast);
  SetHue(r.Hue);
  SetMute(CheckBox3->isChecked() ? 0 : 1);
  ApplySaturation();
  RxSlider1->SetValue(r.Volume);
  if (Settings.OSDEnabled) {
    RepaintOsd(true);
    Timer6.SetInterval(Settings.OSDDelay);
    Timer6.SetEnabled(true);
  }
  if (Settings.PLL < kPllLeftAlone && CardDevice) CardDevice->SetPLL(Settings.PLL);
}

void ApplySaturation() {
  if (!Form1 || !validRow(CurChannel)) return;
  SetSaturation(Form1->CheckBox7->isChecked() ? 0 : ChannelTable[size_t(CurChannel)].Saturation);
}

void CheckChannelMenuItem(int row) {
  if (!Form1) return;
  const QList<QAction*> items = Form1->PopupMenu4->actions();
  const int channelItems = int(items.size()) - kFixedTrayItems - 1;  // without the separator
  // Only the checked item is checkable: an unchecked one shows no empty box.
  for (int i = 0; i < channelItems; ++i) items[i]->setCheckable(false);
  if (row >= 0 && row < channelItems) {
    items[row]->setCheckable(true);
    items[row]->setChecked(true);
  }
}

void SelectChannelByNumber(int k) {
  if (!Form1 || ScanInProgress()) return;
  if (AltKeyDown) k += 10;
  if (!validRow(k) || !ChannelTable[size_t(k)].Used) return;
  CurChannel = k;
  FollowRadioFullScreen(k);
  Form1->ReSet();
  CheckChannelMenuItem(CurChannel);
}

void FollowRadioFullScreen(int row) {
  if (!Form1 || !validRow(row)) return;
  const bool radio = ChannelTable[size_t(row)].System == kFmRadio;
  if (radio && FullScreenOn) {
    SetFullScreen(0);
    RadioLeftFullScreen = true;
    Form1->raise();
    Form1->activateWindow();
  }
  if (RadioLeftFullScreen && !radio && !FullScreenOn) {
    SetFullScreen(1);
    RadioLeftFullScreen = false;
    if (TvScreenWindow) {
      TvScreenWindow->raise();
      TvScreenWindow->activateWindow();
    }
  }
}
