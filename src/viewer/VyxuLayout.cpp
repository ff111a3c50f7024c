// The panel's stored layout, built in code: every component with its name, kind, range and
// place. Handlers are attached by the units that own them; a skin may move and restyle all of it.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include "controls/Exgrad.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelArt.h"
#include "gui/UpDown.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;
using panelart::Arrow;
using panelart::ButtonState;

namespace {

constexpr int kPanelWidth = 409;
constexpr int kPanelHeight = 161;
constexpr gui::TColor kInk = 0xEBD6C8;      // the panel's text, as 0x00BBGGRR
constexpr gui::TColor kShadow = 0x241C18;

rxctrls::TRxLabel* shadowLabel(QWidget* parent, const char* name, int x, int y, int pixels) {
  auto* label = new rxctrls::TRxLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->SetTransparent(true);
  label->SetShadowColor(kShadow);
  label->SetShadowPos(rxctrls::spRightBottom);
  gui::TFont font = label->Font();
  font.Height = -pixels;
  font.Style = gui::fsBold;
  font.Color = kInk;
  label->SetFont(font);
  label->SetLeft(x);
  label->SetTop(y);
  return label;
}

}  // namespace

void TForm1::createTitleBar() {
  Image2 = layout::Image(this, "Image2", QRect(0, 0, kPanelWidth, kPanelHeight),
                         panelart::Background(kPanelWidth, kPanelHeight));
  Image2->SetTransparent(false);
  Image1 = layout::Image(this, "Image1", QRect(0, 0, 401, 21), panelart::TitleBar(401, 21));
  Image1->SetTransparent(false);
  Gradient1 = new exgrad::TGradient(this);
  Gradient1->setObjectName("Gradient1");
  Gradient1->SetBounds(2, 2, 224, 17);
  Gradient1->SetFillType(exgrad::ftLeftToRight);
  Gradient1->SetBeginColor(SkinBeginColorActive);
  Gradient1->SetEndColor(SkinEndColorActive);
  Label1 = layout::Label(this, "Label1", 6, 4, "", gui::clWhite);
  gui::TFont font = Label1->Font();
  font.Style = gui::fsBold;
  Label1->SetFont(font);

  using panelart::TitleIcon;
  Image14 = layout::Image(this, "Image14", QRect(330, 3, 16, 16),
                          panelart::TitleImage(TitleIcon::Roll));
  Image11 = layout::Image(this, "Image11", QRect(347, 3, 16, 16),
                          panelart::TitleImage(TitleIcon::HidePanel));
  Image12 = layout::Image(this, "Image12", QRect(364, 3, 16, 16),
                          panelart::TitleImage(TitleIcon::HideAll));
  Image13 = layout::Image(this, "Image13", QRect(381, 3, 16, 16),
                          panelart::TitleImage(TitleIcon::Quit));
  Image14->setToolTip(Ru("Размер панели"));
  Image11->setToolTip(Ru("Минимизировать"));
  Image12->setToolTip(Ru("Спрятать"));
  Image13->setToolTip(Ru("Выход"));
}

void TForm1::createChannelControls() {
  RxLabel1 = shadowLabel(this, "RxLabel1", 10, 28, 24);
  RxLabel1->SetCaption("  1 ");

  auto button = [this](const char* name, const QRect& r, Arrow a, ButtonState s, bool visible) {
    return layout::Image(this, name, r, panelart::ChannelButton(a, s), visible);
  };
  const QRect up(66, 26, 24, 17);
  const QRect down(66, 45, 24, 17);
  Image3 = button("Image3", up, Arrow::Up, ButtonState::Normal, true);
  Image4 = button("Image4", down, Arrow::Down, ButtonState::Normal, true);
  Image9 = button("Image9", up, Arrow::Up, ButtonState::Normal, false);
  Image6 = button("Image6", up, Arrow::Up, ButtonState::Hover, false);
  Image5 = button("Image5", up, Arrow::Up, ButtonState::Pressed, false);
  Image10 = button("Image10", down, Arrow::Down, ButtonState::Normal, false);
  Image8 = button("Image8", down, Arrow::Down, ButtonState::Hover, false);
  Image7 = button("Image7", down, Arrow::Down, ButtonState::Pressed, false);
  for (gui::TImage* i : {Image3, Image4}) i->setToolTip(Ru("Каналы"));

  UpDown1 = new gui::TUpDown(this);
  UpDown1->setObjectName("UpDown1");
  UpDown1->SetOrientation(gui::udHorizontal);
  UpDown1->SetRange(-256, 256);
  UpDown1->SetPosition(0);
  UpDown1->SetWrap(false);
  UpDown1->setGeometry(94, 36, 24, 16);
  UpDown1->setToolTip(Ru("Переключение программ"));

  // The mini controls of the rolled-up panel, in the title bar.
  Image21 = layout::Image(this, "Image21", QRect(296, 5, 12, 12), panelart::MiniArrow(Arrow::Up));
  Image22 =
      layout::Image(this, "Image22", QRect(310, 5, 12, 12), panelart::MiniArrow(Arrow::Down));
  for (gui::TImage* i : {Image21, Image22}) i->setToolTip(Ru("Каналы"));
}

void TForm1::createFrequencyControls() {
  RxSpinEdit1 = new rxspin::TRxSpinEdit(this);
  RxSpinEdit1->setObjectName("RxSpinEdit1");
  RxSpinEdit1->SetValueType(rxspin::vtFloat);
  RxSpinEdit1->SetDecimal(2);
  RxSpinEdit1->SetIncrement(0.01);
  RxSpinEdit1->SetMinValue(0);
  RxSpinEdit1->SetMaxValue(999.0);
  RxSpinEdit1->SetEditorEnabled(false);
  RxSpinEdit1->SetTabStop(false);
  RxSpinEdit1->setGeometry(124, 26, 76, 21);
  RxSpinEdit1->setToolTip(Ru("Частота"));

  Label10 = layout::Label(this, "Label10", 124, 49, "000.00", kInk);
  Label10->SetAutoSize(false);
  Label10->SetAlignment(gui::taRightJustify);
  Label10->SetBounds(124, 49, 60, 13);

  auto step = [this](const char* name, int x, const char* caption) {
    auto* b = new rxctrls::TRxSpeedButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->SetBounds(x, 26, 18, 21);
    b->SetCaption(caption);
    b->SetAllowTimer(true);  // repeats while held
    b->setToolTip(Ru("Частота"));
    return b;
  };
  RxSpeedButton10 = step("RxSpeedButton10", 202, "-");
  RxSpeedButton9 = step("RxSpeedButton9", 220, "+");

  Edit3 = new QLineEdit(this);
  Edit3->setObjectName("Edit3");
  Edit3->setGeometry(kPanelWidth + 100, kPanelHeight + 100, 76, 21);

  RxLabel4 = shadowLabel(this, "RxLabel4", 246, 27, 12);
  RxLabel4->setToolTip(Ru("Система"));
  RxLabel6 = shadowLabel(this, "RxLabel6", 246, 45, 12);
  RxLabel6->setToolTip(Ru("Источник сигнала"));
}

void TForm1::createSliders() {
  auto slider = [this](const char* name, rxslider::TSliderOrientation o, int max, int increment,
                       const QRect& r) {
    auto* s = new rxslider::TRxSlider(this);
    s->setObjectName(QString::fromLatin1(name));
    s->SetOrientation(o);
    s->SetRange(0, max);
    s->SetIncrement(increment);
    s->SetBounds(r.x(), r.y(), r.width(), r.height());
    return s;
  };
  using rxslider::soHorizontal;
  using rxslider::soVertical;
  RxSlider9 = slider("RxSlider9", soHorizontal, 65, 2, QRect(6, 70, 150, 24));
  RxSlider1 = slider("RxSlider1", soVertical, 65, 2, QRect(168, 68, 22, 66));
  RxSlider2 = slider("RxSlider2", soVertical, 100, 2, QRect(190, 68, 22, 66));
  RxSlider3 = slider("RxSlider3", soVertical, 100, 2, QRect(212, 68, 22, 66));
  RxSlider4 = slider("RxSlider4", soVertical, 100, 2, QRect(234, 68, 22, 66));
  RxSlider5 = slider("RxSlider5", soVertical, 100, 2, QRect(256, 68, 22, 66));
  RxSlider6 = slider("RxSlider6", soHorizontal, 63, 1, QRect(228, 2, 66, 18));
  RxSlider7 = slider("RxSlider7", soHorizontal, 10, 1, QRect(0, 0, 60, 18));
  RxSlider7->hide();
  const char* hints[] = {"Громкость", "Яркость", "Контраст", "Теплота", "Цветность"};
  rxslider::TRxSlider* sliders[] = {RxSlider1, RxSlider2, RxSlider3, RxSlider4, RxSlider5};
  for (int i = 0; i < 5; ++i) sliders[i]->setToolTip(Ru(hints[i]));
  RxSlider9->setToolTip(Ru("Общая громкость"));

  Label2 = layout::Label(this, "Label2", 0, 0, "", kInk, false);
  Label3 = layout::Label(this, "Label3", 0, 0, "", kInk, false);
  Label11 = layout::Label(this, "Label11", 0, 0, Cp("Не менять"), kInk, false);
}

void TForm1::createToolButtons() {
  auto tool = [this](const char* name, int x, int width, const char* hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 138, width, 20);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (hint) b->setToolTip(Ru(hint));
    return b;
  };
  using panelart::ToolGlyph;
  auto glyph = [](QToolButton* b, ToolGlyph g) { b->setIcon(QPixmap::fromImage(panelart::Tool(g))); };
  SpeedButton4 = tool("SpeedButton4", 8, 24, "Планировщик");
  SpeedButton3 = tool("SpeedButton3", 34, 24, "Захват");
  SpeedButton2 = tool("SpeedButton2", 60, 24, "Каналы");
  SpeedButton1 = tool("SpeedButton1", 86, 72, "Полный экран");
  SpeedButton5 = tool("SpeedButton5", 160, 24, "Настройки");
  SpeedButton6 = tool("SpeedButton6", 186, 24, "Телетекст");
  SpeedButton1->setText("800x600");
  glyph(SpeedButton4, ToolGlyph::Scheduler);
  glyph(SpeedButton3, ToolGlyph::Capture);
  glyph(SpeedButton2, ToolGlyph::Channels);
  glyph(SpeedButton5, ToolGlyph::Settings);
  glyph(SpeedButton6, ToolGlyph::Teletext);
}

void TForm1::createTimers() {
  Timer1.SetInterval(100);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
  Timer2.SetInterval(100);
  Timer3.SetInterval(1000);
  Timer4.SetInterval(100);
  for (gui::TTimer* t : {&Timer6, &Timer7}) {
    t->SetEnabled(false);
    t->SetInterval(2000);
  }
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
