// The panel's frame in a skin: its colour and background, the title bar with its gradient and
// images, and the pictures of the options and the channel buttons.
#include <QPalette>

#include "controls/Exgrad.h"
#include "gui/Image.h"
#include "settings/SkinReader.h"
#include "settings/SkinSections.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace skin {

namespace {

void applyBackground(const Reader& reader, TForm1& panel) {
  QPalette palette = panel.palette();
  palette.setColor(QPalette::Window, gui::ToQColor(reader.Color("MainForm", "Color", "0")));
  panel.setPalette(palette);
  reader.Picture("MainForm", panel.Image2, true);
  reader.Position("MainForm", panel.Image2, {"0", "0", "200", "100"});
}

// The active pair goes to the gradient at once; the timer switches pairs with the activation.
// The inactive pair takes the "0x" form too, as the active one does.
void applyGradient(const Reader& reader, TForm1& panel) {
  const char* section = "GradientCaption";
  SkinBeginColorActive = reader.Color(section, "BeginColorActive", "0");
  panel.Gradient1->SetBeginColor(SkinBeginColorActive);
  SkinEndColorActive = reader.Color(section, "EndColorActive", "16776960");
  panel.Gradient1->SetEndColor(SkinEndColorActive);
  SkinBeginColorUnactive = reader.Color(section, "BeginColorUnactive", "0");
  SkinEndColorUnactive = reader.Color(section, "EndColorUnactive", "12500670");
  if (auto style = reader.Ordinal(section, "Style", 4, "0"))
    panel.Gradient1->SetFillType(exgrad::TFillType(*style));
  reader.Position(section, panel.Gradient1);
}

}  // namespace

void ApplyFrame(const Reader& reader, TForm1& panel) {
  applyBackground(reader, panel);
  reader.Picture("Caption", panel.Image1, true);
  reader.Position("Caption", panel.Image1);
  applyGradient(reader, panel);

  const std::pair<const char*, gui::TImage*> pictures[] = {
      {"CheckBoxOn", panel.ImageC},     {"CheckBoxOff", panel.ImageN},
      {"ChnlUpBtnDown", panel.Image5},  {"ChnlUpMouseOver", panel.Image6},
      {"ChnlDnBtnDown", panel.Image7},  {"ChnlDnMouseOver", panel.Image8},
      {"ChnlUpBtnUp", panel.Image9},    {"ChnlDnBtnUp", panel.Image10}};
  for (auto [section, target] : pictures) reader.Picture(section, target);

  const std::pair<const char*, gui::TImage*> placed[] = {
      {"SoundOn", panel.Image15}, {"BW", panel.Image16},      {"KeepSnd", panel.Image17},
      {"Topmost", panel.Image18}, {"Hints", panel.Image19},   {"TaskBarBtn", panel.Image20},
      {"ChnlUp", panel.Image3},   {"ChnlDn", panel.Image4}};
  for (auto [section, target] : placed) reader.Position(section, target);

  const std::pair<const char*, gui::TImage*> titled[] = {
      {"Minimize", panel.Image11}, {"Hide", panel.Image12},    {"Close", panel.Image13},
      {"Expand", panel.Image14},   {"ChnlUpC", panel.Image21}, {"ChnlDnC", panel.Image22}};
  for (auto [section, target] : titled) {
    reader.Picture(section, target);
    reader.Position(section, target);
  }
}

}  // namespace skin
