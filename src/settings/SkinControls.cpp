// The panel's buttons and sliders in a skin.
#include <QPalette>
#include <QToolButton>

#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "gui/Image.h"
#include "settings/SkinReader.h"
#include "settings/SkinSections.h"
#include "viewer/Vyxu.h"

namespace skin {

namespace {

void applyFullScreenButton(const Reader& reader, QToolButton* button) {
  const char* section = "ButtonFullscreen";
  reader.Position(section, button);
  button->setAutoRaise(reader.Boolean(section, "Flat", "1"));
  const gui::TFont font = reader.Font(section, gui::TFont{}, {"0xFFFFFFFF", "8", "Arial", "8"});
  button->setFont(font.ToQFont());
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, gui::ToQColor(font.Color));
  button->setPalette(palette);
}

}  // namespace

void ApplyButtons(const Reader& reader, TForm1& panel) {
  const std::pair<const char*, QToolButton*> tools[] = {{"ButtonCapture", panel.SpeedButton3},
                                                        {"ButtonChannels", panel.SpeedButton2},
                                                        {"ButtonScheduler", panel.SpeedButton4},
                                                        {"ButtonSettings", panel.SpeedButton5},
                                                        {"ButtonTeletext", panel.SpeedButton6}};
  for (auto [section, button] : tools) {
    reader.Glyph(section, button);
    reader.Position(section, button);
    button->setAutoRaise(reader.Boolean(section, "Flat", "1"));
  }
  applyFullScreenButton(reader, panel.SpeedButton1);
  const std::pair<const char*, rxctrls::TRxSpeedButton*> steps[] = {
      {"ButtonFreqUp", panel.RxSpeedButton9}, {"ButtonFreqDn", panel.RxSpeedButton10}};
  for (auto [section, button] : steps) {
    reader.Glyph(section, button);
    reader.Position(section, button);
    button->SetFlat(reader.Boolean(section, "Flat", "1"));
  }
}

void ApplySliders(const Reader& reader, TForm1& panel) {
  using namespace rxslider;
  const std::pair<const char*, TRxSlider*> sliders[] = {
      {"SliderVolume", panel.RxSlider1},     {"SliderBrightness", panel.RxSlider2},
      {"SliderContrast", panel.RxSlider3},   {"SliderHue", panel.RxSlider4},
      {"SliderSaturation", panel.RxSlider5}, {"SliderCVolume2", panel.RxSlider6},
      {"SliderCVolume", panel.RxSlider9}};
  // A skin's slider starts from the default bitmaps, whatever an earlier skin gave it.
  for (auto [section, slider] : sliders) {
    (void)section;
    for (TSliderImage index : {siHRuler, siVRuler, siHThumb, siVThumb})
      slider->SetImage(index, panel.RxSlider7->GetImage(index));
  }
  for (auto [section, slider] : sliders) {
    if (auto orientation = reader.Ordinal(section, "Orientation", 2))
      slider->SetOrientation(TSliderOrientation(*orientation));
    reader.SliderImages(section, slider, panel.ImageT);
    reader.Position(section, slider);
    slider->SetColor(reader.Color(section, "Color", "0"));
  }
}

}  // namespace skin
