// The panel's sliders: master volume (with its mini copy on the rolled-up panel), the card line's
// volume and the four picture values, each with its value text on the OSD.
#include <QScrollBar>

#include <cmath>
#include <string>

#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

// The volume sliders run 0..65; the mixer lines take thousands.
constexpr int kVolumeScale = 65;
constexpr uint32_t kMixerUnitsPerStep = 1000;

ChannelRecord* currentRow() {
  return CurChannel >= 0 && CurChannel < kChannelRows ? &ChannelTable[size_t(CurChannel)]
                                                     : nullptr;
}

std::string percent(const char* what, int value) {
  return std::string(what) + " - " + std::to_string(value) + "%";
}

}  // namespace

std::string MasterVolumeText(int v) { return percent("Volume", v * 100 / kVolumeScale); }

std::string LineVolumeText(int v) {
  return percent("Volume2", int(std::trunc(v * (1.0 / kVolumeScale) * 100)));
}

void TForm1::attachSliderHandlers() {
  using Handler = void (TForm1::*)();
  const std::pair<rxslider::TRxSlider*, Handler> sliders[] = {
      {RxSlider9, &TForm1::RxSlider9Change}, {RxSlider1, &TForm1::RxSlider1Change},
      {RxSlider2, &TForm1::RxSlider2Change}, {RxSlider3, &TForm1::RxSlider3Change},
      {RxSlider4, &TForm1::RxSlider4Change}, {RxSlider5, &TForm1::RxSlider5Change},
      {RxSlider6, &TForm1::RxSlider6Change}};
  for (auto [slider, handler] : sliders) {
    slider->OnChange = [this, handler = handler](gui::TControl*) { (this->*handler)(); };
    slider->OnKeyDown = [this](gui::TControl*, uint16_t& key, gui::TShiftState shift) {
      RxSlider1KeyDown(key, shift);
    };
  }
}

void TForm1::showOsdValue(const std::string& text, bool busyMatters) {
  if (!Settings.OSDEnabled || (busyMatters && ReSetBusy)) return;
  Label3->SetCaption(text);
  RepaintOsd(false);
  Timer7.SetInterval(Settings.OSDDelay);
  Timer7.SetEnabled(true);
}

// ReSet never moves the master slider, so its text shows whenever it moves.
void TForm1::RxSlider9Change() {
  const int v = RxSlider9->Value();
  MasterVolumeLevel = float(v);
  if (MasterVol) MasterVol->SetValue(uint32_t(v) * kMixerUnitsPerStep);
  if (CaptureFormCreated && Form3 && !Form3->isVisible() && Form3->RxSlider6)
    Form3->RxSlider6->SetValue(v);
  showOsdValue(MasterVolumeText(v), false);
}

void TForm1::RxSlider1Change() {
  const int v = RxSlider1->Value();
  if (LineVol) LineVol->SetValue(uint32_t(v) * kMixerUnitsPerStep);
  if (ChannelRecord* r = currentRow()) r->Volume = uint8_t(v);
  showOsdValue(LineVolumeText(v), true);
}

void TForm1::RxSlider2Change() {
  pictureSliderChanged(RxSlider2, SetBrightness, &ChannelRecord::Brightness, "Brightness");
}

void TForm1::RxSlider3Change() {
  pictureSliderChanged(RxSlider3, SetContrast, &ChannelRecord::Contrast, "Contrast");
}

void TForm1::RxSlider4Change() {
  pictureSliderChanged(RxSlider4, SetHue, &ChannelRecord::Hue, "Hue");
}

// The slider's own value goes to the card even with the black-and-white option on; the next
// channel change or option toggle applies saturation 0 again.
void TForm1::RxSlider5Change() {
  pictureSliderChanged(RxSlider5, SetSaturation, &ChannelRecord::Saturation, "Saturation");
}

// A picture value: to the card, into the channel's row, and its text on the OSD.
void TForm1::pictureSliderChanged(rxslider::TRxSlider* slider, int32_t (*apply)(int32_t),
                                  uint8_t ChannelRecord::*field, const char* name) {
  const int v = slider->Value();
  apply(v);
  if (ChannelRecord* r = currentRow()) r->*field = uint8_t(v);
  showOsdValue(percent(name, v), true);
}

void TForm1::RxSlider6Change() { RxSlider9->SetValue(RxSlider6->Value()); }

void TForm1::RxSlider1KeyDown(uint16_t&, gui::TShiftState) { ScrollBarX->setFocus(); }
