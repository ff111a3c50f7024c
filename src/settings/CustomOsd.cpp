// The "Окно" page's OSD font: face, colour, character set, pitch, family, weight, italic,
// underline and the smallest and largest sizes, with a preview of both sizes.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>

#include "controls/Rxcombos.h"
#include "core/Settings.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"
#include "settings/OsdFontNames.h"

namespace {

constexpr QRgb kPreviewBackground = 0xFF00FF;
constexpr int kLargestPreviewPixels = 200;  // a font height beyond this is drawn at this size

// The value of the item chosen in `box`, by its name; `fallback` when none is chosen.
int32_t chosenValue(const QComboBox* box, std::span<const osd_font::NamedValue> names,
                    int32_t fallback) {
  return osd_font::ValueOfName(names, box->currentText().toStdString(), fallback);
}

QColor qcolor(uint32_t c) { return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)); }

}  // namespace

void TForm7::loadOsdFont() {
  FontComboBox1->SetFontName(Settings.OSDFontFace);
  ColorComboBox1->SetColorValue(gui::TColor(Settings.OSDFontColor));
  ComboBox6->setCurrentIndex(osd_font::IndexOfValue(osd_font::Charsets(), Settings.OSDFontCharset));
  ComboBox7->setCurrentIndex(osd_font::IndexOfValue(osd_font::Pitches(), Settings.OSDFontPitch));
  ComboBox8->setCurrentIndex(osd_font::IndexOfValue(osd_font::Families(), Settings.OSDFontFamily));
  ComboBox9->setCurrentIndex(osd_font::IndexOfValue(osd_font::Weights(),
                                                    Settings.OSDFontWeight / 100 * 100));
  Edit35->setText(QString::number(Settings.OSDFontHeightMin));
  Edit36->setText(QString::number(Settings.OSDFontWidthMin));
  Edit37->setText(QString::number(Settings.OSDFontHeightMax));
  Edit38->setText(QString::number(Settings.OSDFontWidthMax));
  CheckBox5->setChecked(Settings.OSDFontItalic != 0);
  CheckBox6->setChecked(Settings.OSDFontUnderline != 0);
}

void TForm7::FontComboBox1Change() {
  Settings.OSDFontFace = FontComboBox1->FontName();
  CheckBox6Click();
}

void TForm7::ColorComboBox1Change() {
  Settings.OSDFontColor = uint32_t(ColorComboBox1->ColorValue());
  CheckBox6Click();
}

void TForm7::ComboBox6Change() {
  Settings.OSDFontCharset =
      uint8_t(chosenValue(ComboBox6, osd_font::Charsets(), Settings.OSDFontCharset));
  CheckBox6Click();
}

void TForm7::ComboBox7Change() {
  Settings.OSDFontPitch = uint8_t(chosenValue(ComboBox7, osd_font::Pitches(), Settings.OSDFontPitch));
  CheckBox6Click();
}

void TForm7::ComboBox8Change() {
  Settings.OSDFontFamily =
      uint8_t(chosenValue(ComboBox8, osd_font::Families(), Settings.OSDFontFamily));
  CheckBox6Click();
}

void TForm7::ComboBox9Change() {
  Settings.OSDFontWeight = std::max(ComboBox9->currentIndex(), 0) * 100;
  CheckBox6Click();
}

void TForm7::CheckBox5Click() {
  Settings.OSDFontItalic = CheckBox5->isChecked();
  CheckBox6Click();
}

void TForm7::Edit35Change() {
  Settings.OSDFontHeightMin = IntegerOf(Edit35->text());
  CheckBox6Click();
}

void TForm7::Edit36Change() {
  Settings.OSDFontWidthMin = IntegerOf(Edit36->text());
  CheckBox6Click();
}

void TForm7::Edit37Change() {
  Settings.OSDFontHeightMax = IntegerOf(Edit37->text());
  CheckBox6Click();
}

void TForm7::Edit38Change() {
  Settings.OSDFontWidthMax = IntegerOf(Edit38->text());
  CheckBox6Click();
}

void TForm7::CheckBox6Click() {
  if (!isVisible() || PageControl1->currentWidget() != TabSheet4) return;
  Settings.OSDFontUnderline = CheckBox6->isChecked();
  drawPreview(StaticText1, Settings.OSDFontHeightMin, Settings.OSDFontWidthMin, Label58->text());
  drawPreview(StaticText2, Settings.OSDFontHeightMax, Settings.OSDFontWidthMax, Label57->text());
}

void TForm7::Timer1Timer() {
  if (isVisible()) CheckBox6Click();
}

// The text in the OSD font at one size, from the top-left corner, on the OSD's key colour. The
// preview is drawn with the desktop's font of that face: the width, pitch, family and character
// set choices have no counterpart there.
void TForm7::drawPreview(QLabel* target, int height, int, const QString& text) {
  QPixmap picture(target->size());
  picture.fill(QColor::fromRgb(kPreviewBackground));
  QFont font(FromSetting(Settings.OSDFontFace));
  const int pixels = std::clamp(height < 0 ? -height : height, 0, kLargestPreviewPixels);
  if (pixels > 0) font.setPixelSize(pixels);
  font.setWeight(QFont::Weight(std::clamp(Settings.OSDFontWeight == 0 ? 400 : Settings.OSDFontWeight, 100, 900)));
  font.setItalic(Settings.OSDFontItalic);
  font.setUnderline(Settings.OSDFontUnderline);
  QPainter p(&picture);
  p.setFont(font);
  p.setPen(qcolor(Settings.OSDFontColor));
  p.drawText(picture.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  p.end();
  target->setPixmap(picture);
}
