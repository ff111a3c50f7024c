// The panel's stored layout, built in code: every component with its name, kind, range, place
// and picture of the built-in look (PanelGeometry.h, PanelArt.h). Handlers are attached by the
// units that own them; a skin may move and restyle all of it.
#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include "controls/Exgrad.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "gui/CustomEdit.h"
#include "gui/UpDown.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelArt.h"
#include "viewer/PanelGeometry.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;

namespace {

// The display fields' digits: a fixed-pitch face, so that the channel number's "%3.d "
// keeps its digits right-aligned.
constexpr const char* kDisplayFace = "Monospace";

gui::TFont textFont(const gui::TFont& base, const char* face, int pixels, bool bold,
                gui::TColor colour) {
  gui::TFont f = base;
  if (face) f.Name = face;
  f.Height = -pixels;
  f.Style = bold ? gui::TFontStyles(gui::fsBold) : 0u;
  f.Color = colour;
  return f;
}

// A glowing text of the display fields, in `bounds`.
rxctrls::TRxLabel* displayLabel(QWidget* parent, const char* name, const QRect& bounds,
                                const gui::TFont& f, gui::TAlignment alignment) {
  auto* label = new rxctrls::TRxLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->SetTransparent(true);
  label->SetShadowColor(panel::kLcdShadow);
  label->SetShadowPos(rxctrls::spRightBottom);
  label->SetFont(f);
  label->SetAutoSize(false);
  label->SetAlignment(alignment);
  label->SetLayout(gui::tlCenter);
  label->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  return label;
}

gui::TImage* picture(QWidget* parent, const char* name, const QRect& r, const char* art,
                     bool visible = true) {
  return layout::Image(parent, name, r, panelart::Picture(art), visible);
}

void setBounds(QWidget* w, const QRect& r) { w->setGeometry(r); }

}  // namespace

// Qt's own controls on the panel (tool buttons, up-down arrows, menus, edits) take the dark
// face's colours.
void TForm1::applyPanelPalette() {
  QPalette p = palette();
  const QColor face(58, 64, 74), text(215, 224, 234);
  p.setColor(QPalette::Window, face);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Button, QColor(66, 73, 85));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::Light, QColor(104, 113, 127));
  p.setColor(QPalette::Midlight, QColor(84, 92, 104));
  p.setColor(QPalette::Mid, QColor(44, 49, 57));
  p.setColor(QPalette::Dark, QColor(20, 22, 26));
  p.setColor(QPalette::Shadow, QColor(8, 9, 11));
  p.setColor(QPalette::Base, gui::ToQColor(panel::kLcd));
  p.setColor(QPalette::Text, gui::ToQColor(panel::kLcdInk));
  p.setColor(QPalette::Highlight, QColor(0, 150, 170));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 118, 130));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 118, 130));
  setPalette(p);
}

void TForm1::createTitleBar() {
  Image2 = picture(this, "Image2", panel::kBackground, panelart::kBackground);
  Image2->SetTransparent(false);
  Image1 = picture(this, "Image1", panel::kCaption, panelart::kCaption);
  Image1->SetTransparent(false);
  Gradient1 = new exgrad::TGradient(this);
  Gradient1->setObjectName("Gradient1");
  const QRect& g = panel::kGradient;
  Gradient1->SetBounds(g.x(), g.y(), g.width(), g.height());
  Gradient1->SetFillType(exgrad::ftLeftToRight);
  Gradient1->SetBeginColor(SkinBeginColorActive);
  Gradient1->SetEndColor(SkinEndColorActive);
  // The name is cut at the gradient's end rather than running under the title images.
  Label1 = layout::Label(this, "Label1", 0, 0, "", panel::kTitleInk);
  Label1->SetFont(textFont(Label1->Font(), nullptr, 11, true, panel::kTitleInk));
  Label1->SetAutoSize(false);
  const QRect& n = panel::kChannelName;
  Label1->SetBounds(n.x(), n.y(), n.width(), n.height());

  Image14 = picture(this, "Image14", panel::kRoll, panelart::kRoll);
  Image11 = picture(this, "Image11", panel::kMinimize, panelart::kMinimize);
  Image12 = picture(this, "Image12", panel::kHide, panelart::kHide);
  Image13 = picture(this, "Image13", panel::kClose, panelart::kClose);
  Image14->setToolTip(Ru("Размер панели"));
  Image11->setToolTip(Ru("Минимизировать"));
  Image12->setToolTip(Ru("Спрятать"));
  Image13->setToolTip(Ru("Выход"));
}

void TForm1::createChannelControls() {
  RxLabel1 = displayLabel(this, "RxLabel1", panel::kChannelNumber,
                          textFont(gui::TFont{}, kDisplayFace, 22, true, panel::kLcdInk),
                          gui::taRightJustify);
  RxLabel1->SetCaption("  1 ");

  using panelart::kChannelDown;
  using panelart::kChannelUp;
  const QRect& up = panel::kChannelUp;
  const QRect& down = panel::kChannelDown;
  Image3 = picture(this, "Image3", up, kChannelUp[0]);
  Image4 = picture(this, "Image4", down, kChannelDown[0]);
  Image9 = picture(this, "Image9", up, kChannelUp[0], false);
  Image6 = picture(this, "Image6", up, kChannelUp[1], false);
  Image5 = picture(this, "Image5", up, kChannelUp[2], false);
  Image10 = picture(this, "Image10", down, kChannelDown[0], false);
  Image8 = picture(this, "Image8", down, kChannelDown[1], false);
  Image7 = picture(this, "Image7", down, kChannelDown[2], false);
  for (gui::TImage* i : {Image3, Image4}) i->setToolTip(Ru("Каналы"));

  UpDown1 = new gui::TUpDown(this);
  UpDown1->setObjectName("UpDown1");
  UpDown1->SetOrientation(gui::udHorizontal);
  UpDown1->SetRange(-256, 256);
  UpDown1->SetPosition(0);
  UpDown1->SetWrap(false);
  setBounds(UpDown1, panel::kUpDown);
  UpDown1->setToolTip(Ru("Переключение программ"));

  // The mini controls of the rolled-up panel, in the title bar.
  Image21 = picture(this, "Image21", panel::kMiniUp, panelart::kMiniUp);
  Image22 = picture(this, "Image22", panel::kMiniDown, panelart::kMiniDown);
  for (gui::TImage* i : {Image21, Image22}) i->setToolTip(Ru("Каналы"));
}

void TForm1::createFrequencyControls() {
  const gui::TFont base = gui::TFont{};
  const gui::TFont field = textFont(base, kDisplayFace, 13, true, panel::kLcdInk);
  RxSpinEdit1 = new rxspin::TRxSpinEdit(this);
  RxSpinEdit1->setObjectName("RxSpinEdit1");
  RxSpinEdit1->SetValueType(rxspin::vtFloat);
  RxSpinEdit1->SetDecimal(2);
  RxSpinEdit1->SetIncrement(0.01);
  RxSpinEdit1->SetMinValue(0);
  RxSpinEdit1->SetMaxValue(999.0);
  RxSpinEdit1->SetEditorEnabled(false);
  RxSpinEdit1->SetTabStop(false);
  RxSpinEdit1->SetButtonKind(rxspin::bkStandard);
  RxSpinEdit1->SetColor(panel::kLcd);
  RxSpinEdit1->SetFont(field);
  setBounds(RxSpinEdit1, panel::kFrequencyField);
  RxSpinEdit1->setToolTip(Ru("Частота"));

  Label10 = layout::Label(this, "Label10", 0, 0, "000.00", panel::kLcdInk);
  Label10->SetFont(textFont(base, kDisplayFace, 28, true, panel::kLcdInk));
  Label10->SetAutoSize(false);
  Label10->SetAlignment(gui::taRightJustify);
  Label10->SetLayout(gui::tlCenter);
  const QRect& f = panel::kFrequency;
  Label10->SetBounds(f.x(), f.y(), f.width(), f.height());

  auto step = [this](const char* name, const QRect& r, const char* glyph) {
    auto* b = new rxctrls::TRxSpeedButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->SetBounds(r.x(), r.y(), r.width(), r.height());
    b->SetGlyph(*panelart::Bitmap(glyph));
    b->SetFlat(true);
    b->SetTransparent(true);
    b->SetAllowTimer(true);  // repeats while held
    b->setToolTip(Ru("Частота"));
    return b;
  };
  RxSpeedButton10 = step("RxSpeedButton10", panel::kFrequencyDown, panelart::kFrequencyDown);
  RxSpeedButton9 = step("RxSpeedButton9", panel::kFrequencyUp, panelart::kFrequencyUp);

  Edit3 = new gui::TCustomEdit(this);
  Edit3->setObjectName("Edit3");
  Edit3->SetColor(panel::kLcd);
  Edit3->SetFont(field);
  Edit3->setGeometry(panel::kWidth + 100, panel::kHeight + 100,
                     panel::kFrequencyField.width(), panel::kFrequencyField.height());

  const gui::TFont names = textFont(base, nullptr, 12, true, panel::kLcdInk);
  RxLabel4 = displayLabel(this, "RxLabel4", panel::kStandard, names, gui::taLeftJustify);
  RxLabel4->setToolTip(Ru("Система"));
  RxLabel6 = displayLabel(this, "RxLabel6", panel::kInput, names, gui::taLeftJustify);
  RxLabel6->setToolTip(Ru("Источник сигнала"));
}

void TForm1::createSliders() {
  using rxslider::soHorizontal;
  using rxslider::soVertical;
  auto slider = [this](const char* name, rxslider::TSliderOrientation o, int max, int increment,
                       const QRect& r) {
    auto* s = new rxslider::TRxSlider(this);
    s->setObjectName(QString::fromLatin1(name));
    s->SetOrientation(o);
    s->SetRange(0, max);
    s->SetIncrement(increment);
    // The built-in look: the panel's own bitmaps on the well's colour, no ticks or focus frame
    // (the focus leaves a slider at the first key anyway).
    s->SetImageHThumb(panelart::Bitmap(panelart::kHThumb).get());
    s->SetImageHRuler(panelart::Bitmap(panelart::kHRuler).get());
    s->SetImageVThumb(panelart::Bitmap(panelart::kVThumb).get());
    s->SetImageVRuler(panelart::Bitmap(panelart::kVRuler).get());
    s->SetOptions(rxslider::SetOf(rxslider::soSmooth));
    s->SetColor(panel::kWell);
    s->SetBounds(r.x(), r.y(), r.width(), r.height());
    return s;
  };
  RxSlider9 = slider("RxSlider9", soHorizontal, 65, 2, panel::kMasterVolume);
  rxslider::TRxSlider** lanes[] = {&RxSlider1, &RxSlider2, &RxSlider3, &RxSlider4, &RxSlider5};
  const char* names[] = {"RxSlider1", "RxSlider2", "RxSlider3", "RxSlider4", "RxSlider5"};
  for (int i = 0; i < 5; ++i) {
    const QRect r(panel::kSliderLeft + i * panel::kSliderPitch, panel::kSliderTop,
                  panel::kSliderWidth, panel::kSliderHeight);
    *lanes[i] = slider(names[i], soVertical, i == 0 ? 65 : 100, 2, r);
  }
  // The mini master slider covers the master's whole range.
  RxSlider6 = slider("RxSlider6", soHorizontal, 65, 1, panel::kMiniVolume);
  RxSlider6->SetColor(panel::kTitle);
  // The spare slider holds the built-in bitmaps that a skin starts from.
  RxSlider7 = slider("RxSlider7", soHorizontal, 10, 1, QRect(0, 0, 60, 16));
  RxSlider7->hide();
  const char* hints[] = {"Громкость", "Яркость", "Контраст", "Теплота", "Цветность"};
  for (int i = 0; i < 5; ++i) (*lanes[i])->setToolTip(Ru(hints[i]));
  RxSlider9->setToolTip(Ru("Общая громкость"));

  Label2 = layout::Label(this, "Label2", 0, 0, "", panel::kInk, false);
  Label3 = layout::Label(this, "Label3", 0, 0, "", panel::kInk, false);
  Label11 = layout::Label(this, "Label11", 0, 0, Cp("Не менять"), panel::kInk, false);
}

void TForm1::createToolButtons() {
  int left = panel::kToolLeft;
  auto tool = [this, &left](const char* name, int width, const char* hint, const char* glyph) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, panel::kToolTop, width, panel::kToolHeight);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(Ru(hint));
    if (glyph) b->setIcon(QPixmap::fromImage(panelart::Picture(glyph)));
    left += width + panel::kToolGap;
    return b;
  };
  const int w = panel::kToolWidth;
  const int group = 3 * panel::kToolGap;  // a wider gap around the resolution button
  SpeedButton4 = tool("SpeedButton4", w, "Планировщик", panelart::kToolScheduler);
  SpeedButton3 = tool("SpeedButton3", w, "Захват", panelart::kToolCapture);
  SpeedButton2 = tool("SpeedButton2", w, "Каналы", panelart::kToolChannels);
  left += group;
  SpeedButton1 = tool("SpeedButton1", panel::kFullScreenWidth, "Полный экран", nullptr);
  left += group;
  SpeedButton5 = tool("SpeedButton5", w, "Настройки", panelart::kToolSettings);
  SpeedButton6 = tool("SpeedButton6", w, "Телетекст", panelart::kToolTeletext);
  SpeedButton1->setText("800x600");
}

void TForm1::createTimers() {
  Timer1.SetInterval(100);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
  Timer2.SetInterval(100);
  Timer2.SetOnTimer([this](gui::TTimer*) { Timer2Timer(); });
  Timer3.SetInterval(1000);
  Timer3.SetOnTimer([this](gui::TTimer*) { Timer3Timer(); });
  Timer4.SetInterval(100);
  Timer4.SetOnTimer([this](gui::TTimer*) { Timer4Timer(); });
  for (gui::TTimer* t : {&Timer6, &Timer7}) {
    t->SetEnabled(false);
    t->SetInterval(2000);
  }
  Timer5.SetOnTimer([this](gui::TTimer*) { Timer5Timer(); });
  Timer6.SetOnTimer([this](gui::TTimer*) { Timer6Timer(); });
  Timer7.SetOnTimer([this](gui::TTimer*) { Timer7Timer(); });
}

void TForm1::createMenus() {
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  const char* standards[][2] = {{"AUTO1", "AUTO"},        {"NTSC1", "NTSC_M"},
                                {"NTSCJ1", "NTSC_J"},     {"PAL1", "PAL_BDGHI"},
                                {"PALM1", "PAL_M"},       {"PALN1", "PAL_N"},
                                {"PALNc1", "PAL_Nc"},     {"SECAM1", "SECAM"},
                                {"Custom1", "CUSTOM"},    {"FMRADIO1", "FMRADIO"}};
  for (auto& s : standards) PopupMenu2->addAction(QString::fromLatin1(s[1]))->setObjectName(s[0]);

  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName("PopupMenu3");
  for (int k = 1; k <= 10; ++k) {
    const QString caption = k < 10 ? Ru("Канал %1").arg(k) : Ru("Канал10");
    PopupMenu3->addAction(caption)->setObjectName(QStringLiteral("N%1").arg(k) + "1");
  }

  PopupMenu4 = new QMenu(this);
  PopupMenu4->setObjectName("PopupMenu4");
  Restore1 = PopupMenu4->addAction(Ru("Восстановить все"));
  RestoreTV = PopupMenu4->addAction(Ru("Восстановить TV экран"));
  Restorecontrolbox1 = PopupMenu4->addAction(Ru("Восстановить управление"));
  Quit1 = PopupMenu4->addSeparator();
  Quit2 = PopupMenu4->addAction(Ru("Выход"));
  Restore1->setObjectName("Restore1");
  RestoreTV->setObjectName("RestoreTV");
  Restorecontrolbox1->setObjectName("Restorecontrolbox1");
  Quit1->setObjectName("Quit1");
  Quit2->setObjectName("Quit2");
}
