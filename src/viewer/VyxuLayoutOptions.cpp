// The panel's options (hidden check boxes mirrored by glyphs and labels), its focus sink and its
// tray icon.
#include <QCheckBox>
#include <QMenu>
#include <QScrollBar>

#include "controls/AppIcon.h"
#include "controls/Rxshell.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelArt.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;

namespace {

constexpr gui::TColor kInk = 0xEBD6C8;
constexpr int kOptionsLeft = 290;
constexpr int kOptionsTop = 66;
constexpr int kOptionRow = 12;

struct Option {
  const char* box;
  const char* glyph;
  const char* label;
  const char* caption;
  bool checked;
};

// In the panel's order from top to bottom.
constexpr Option kOptions[] = {
    {"CheckBox3", "Image15", "Label4", "Звук включен", true},
    {"CheckBox7", "Image16", "Label5", "ч/б", false},
    {"CheckBox8", "Image17", "Label6", "Оставлять звук", false},
    {"CheckBox4", "Image18", "Label7", "Всегда сверху", false},
    {"CheckBox5", "Image19", "Label8", "Подсказки", true},
    {"CheckBox9", "Image20", "Label9", "Кнопка на taskbar", false},
};

}  // namespace

void TForm1::createOptions() {
  ImageC = layout::Image(this, "ImageC", QRect(0, 0, 11, 11), panelart::OptionGlyph(true), false);
  ImageN = layout::Image(this, "ImageN", QRect(0, 0, 11, 11), panelart::OptionGlyph(false), false);
  ImageT = layout::Image(this, "ImageT", QRect(0, 0, 11, 11), QImage(), false);

  QCheckBox** boxes[] = {&CheckBox3, &CheckBox7, &CheckBox8, &CheckBox4, &CheckBox5, &CheckBox9};
  gui::TImage** glyphs[] = {&Image15, &Image16, &Image17, &Image18, &Image19, &Image20};
  TLabel** labels[] = {&Label4, &Label5, &Label6, &Label7, &Label8, &Label9};
  for (size_t i = 0; i < std::size(kOptions); ++i) {
    const Option& o = kOptions[i];
    const int top = kOptionsTop + int(i) * kOptionRow;
    auto* box = new QCheckBox(Ru(o.caption), this);
    box->setObjectName(QString::fromLatin1(o.box));
    box->setChecked(o.checked);
    box->setFocusPolicy(Qt::NoFocus);
    box->hide();
    *boxes[i] = box;
    *glyphs[i] = layout::Image(this, o.glyph, QRect(kOptionsLeft, top + 1, 11, 11), QImage());
    *labels[i] = layout::Label(this, o.label, kOptionsLeft + 15, top, Cp(o.caption), kInk);
  }
  RefreshOptionGlyphs();

  ScrollBarX = new QScrollBar(Qt::Horizontal, this);
  ScrollBarX->setObjectName("ScrollBarX");
  ScrollBarX->setRange(-1000, 1000);
  ScrollBarX->setGeometry(0, 200, 100, 16);
}

// Each glyph shows ImageC's picture while its box is checked, ImageN's otherwise.
void TForm1::RefreshOptionGlyphs() {
  const std::pair<gui::TImage*, QCheckBox*> pairs[] = {
      {Image15, CheckBox3}, {Image16, CheckBox7}, {Image17, CheckBox8},
      {Image18, CheckBox4}, {Image19, CheckBox5}, {Image20, CheckBox9}};
  for (auto [glyph, box] : pairs)
    glyph->Picture().Assign((box->isChecked() ? ImageC : ImageN)->Picture());
}

void TForm1::createTrayIcon() {
  RxTrayIcon1 = new rxshell::TRxTrayIcon(this);
  RxTrayIcon1->setObjectName("RxTrayIcon1");
  // As the layout stores it: inactive until start-up makes it active.
  RxTrayIcon1->BeginReading();
  RxTrayIcon1->SetActive(false);
  appicon::LoadApplicationIcon(RxTrayIcon1->Icon());
  RxTrayIcon1->SetPopupMenu(PopupMenu4);
  RxTrayIcon1->EndReading();
}
