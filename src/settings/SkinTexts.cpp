// The panel's texts in a skin: labels, display fields, the channel up-down control and the
// frequency field.
#include "controls/RxLabel.h"
#include "controls/Rxspin.h"
#include "gui/UpDown.h"
#include "settings/SkinReader.h"
#include "settings/SkinSections.h"
#include "viewer/Vyxu.h"

namespace skin {

namespace {

void applyLabel(const Reader& reader, const char* section, gui::TCustomLabel* label) {
  reader.Position(section, label, kZeroPosition);
  label->SetColor(reader.Color(section, "Color", "0"));
  label->SetFont(reader.Font(section, label->Font(), kTextFont));
}

void applyDisplayLabel(const Reader& reader, const char* section, rxctrls::TRxLabel* label) {
  reader.Position(section, label, kZeroPosition);
  label->SetColor(reader.Color(section, "Color", "0"));
  label->SetShadowColor(reader.Color(section, "ShadowColor", "0"));
  if (auto pos = reader.Ordinal(section, "ShadowPos", 4, "0"))
    label->SetShadowPos(rxctrls::TShadowPosition(*pos));
  label->SetShadowSize(uint8_t(reader.Integer(section, "ShadowSize", "0") & 0xFF));
  label->SetFont(reader.Font(section, label->Font(), kTextFont));
}

void applyFrequencyField(const Reader& reader, rxspin::TRxSpinEdit* field) {
  const char* section = "FreqSpin";
  reader.Position(section, field, kZeroPosition);
  field->SetColor(reader.Color(section, "Color", "0"));
  if (auto kind = reader.Ordinal(section, "ButtonKind", 2, "0"))
    field->SetButtonKind(rxspin::TSpinButtonKind(*kind));
  field->SetCtl3D(reader.Boolean(section, "Ctl3D", "0"));
  if (auto border = reader.Ordinal(section, "BorderStyle", 2, "0"))
    field->SetBorderStyle(gui::TBorderStyle(*border));
  field->SetFont(reader.Font(section, field->Font(), kTextFont));
}

}  // namespace

void ApplyTexts(const Reader& reader, TForm1& panel) {
  const std::pair<const char*, gui::TCustomLabel*> labels[] = {
      {"LabelCnlName", panel.Label1}, {"LabelSoundOn", panel.Label4},
      {"LabelBW", panel.Label5},      {"LabelKeepSnd", panel.Label6},
      {"LabelTopmost", panel.Label7}, {"LabelHints", panel.Label8},
      {"LabelTaskbar", panel.Label9}, {"LabelFreq", panel.Label10}};
  for (auto [section, label] : labels) applyLabel(reader, section, label);

  const std::pair<const char*, rxctrls::TRxLabel*> displays[] = {
      {"LabelCnlNum", panel.RxLabel1}, {"LabelSource", panel.RxLabel6},
      {"LabelSystem", panel.RxLabel4}};
  for (auto [section, label] : displays) applyDisplayLabel(reader, section, label);

  if (auto orientation = reader.Ordinal("CnlSwitch", "Orientation", 2, "0"))
    panel.UpDown1->SetOrientation(gui::TUDOrientation(*orientation));
  reader.Position("CnlSwitch", panel.UpDown1, kZeroPosition);
  applyFrequencyField(reader, panel.RxSpinEdit1);
}

}  // namespace skin
