// The panel's options (hidden check boxes mirrored by glyphs and labels), its focus sink and its
// tray icon.
#include <QCheckBox>
#include <QMenu>
#include <QScrollBar>

#include "controls/AppIcon.h"
#include "controls/Rxshell.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelArt.h"
#include "viewer/PanelGeometry.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;

namespace {

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
  const QRect glyph(0, 0, panel::kOptionGlyph, panel::kOptionGlyph);
  ImageC = layout::Image(this, "ImageC", glyph, panelart::Picture(panelart::kOptionOn), false);
  ImageN = layout::Image(this, "ImageN", glyph, panelart::Picture(panelart::kOptionOff), false);
  ImageT = layout::Image(this, "ImageT", glyph, QImage(), false);

  QCheckBox** boxes[] = {&CheckBox3, &CheckBox7, &CheckBox8, &CheckBox4, &CheckBox5, &CheckBox9};
  gui::TImage** glyphs[] = {&Image15, &Image16, &Image17, &Image18, &Image19, &Image20};
  TLabel** labels[] = {&Label4, &Label5, &Label6, &Label7, &Label8, &Label9};
  for (size_t i = 0; i < std::size(kOptions); ++i) {
    const Option& o = kOptions[i];
    const int top = panel::kOptionTop + int(i) * panel::kOptionPitch;
    auto* box = new QCheckBox(Ru(o.caption), this);
    box->setObjectName(QString::fromLatin1(o.box));
    box->setChecked(o.checked);
    box->setFocusPolicy(Qt::NoFocus);
    box->hide();
    *boxes[i] = box;
    *glyphs[i] = layout::Image(this, o.glyph, glyph.translated(panel::kOptionGlyphLeft, top + 1),
                               QImage());
    *labels[i] = layout::Label(this, o.label, panel::kOptionLabelLeft, top, Cp(o.caption),
                               panel::kInk);
  }
  RefreshOptionGlyphs();

  // A shown widget outside the client area: it can take the focus, and no one sees it.
  ScrollBarX = new QScrollBar(Qt::Horizontal, this);
  ScrollBarX->setObjectName("ScrollBarX");
  ScrollBarX->setRange(-1000, 1000);
  ScrollBarX->setGeometry(0, panel::kHeight + 40, 100, 16);
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
