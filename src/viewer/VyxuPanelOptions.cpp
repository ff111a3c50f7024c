// The panel's six options: hidden check boxes, each toggled by its glyph or its label, and what
// each applies (sound, black and white, sound kept at exit, stay on top, hints, taskbar button).
#include <QCheckBox>
#include <QScrollBar>
#include <QToolButton>

#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/Image.h"
#include "gui/UpDown.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr uint8_t kFmRadio = 9;

bool currentRowIsRadio() {
  return CurChannel >= 0 && CurChannel < kChannelRows &&
         ChannelTable[size_t(CurChannel)].System == kFmRadio;
}

// Keeps a window above the others (or lets it go) where it stands, without activating it.
// Changing the flag takes the window off the screen: it comes back where and as it was.
void setTopmost(QWidget* window, bool topmost) {
  if (!window || topmost == bool(window->windowFlags() & Qt::WindowStaysOnTopHint)) return;
  const bool shown = window->isVisible();
  const QRect where = window->geometry();
  const bool quiet = window->testAttribute(Qt::WA_ShowWithoutActivating);
  window->setAttribute(Qt::WA_ShowWithoutActivating, true);
  window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
    window->setGeometry(where);
  if (shown) window->show();
  window->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
}

// A window owned by another stays off the taskbar; one without an owner gets a button of its
// own. The TV window is owned by its invisible parent unless the option gives it a button.
void setTaskbarButton(TvScreen* tv, bool button) {
  QWidget* owner = button ? nullptr : TvParentWindow.data();
  if (tv->parentWidget() == owner) return;
  const QRect where = tv->geometry();
  const Qt::WindowStates state = tv->windowState();
  tv->setParent(owner, tv->windowFlags());
  tv->setWindowState(state);
  if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen))) tv->setGeometry(where);
}

}  // namespace

void TForm1::attachOptionHandlers() {
  const std::tuple<QCheckBox*, void (TForm1::*)(), gui::TImage*, void (TForm1::*)(), TLabel*>
      options[] = {
          {CheckBox3, &TForm1::CheckBox3Click, Image15, &TForm1::Image15Click, Label4},
          {CheckBox7, &TForm1::CheckBox7Click, Image16, &TForm1::Image16Click, Label5},
          {CheckBox8, &TForm1::CheckBox8Click, Image17, &TForm1::Image17Click, Label6},
          {CheckBox4, &TForm1::CheckBox4Click, Image18, &TForm1::Image18Click, Label7},
          {CheckBox5, &TForm1::CheckBox5Click, Image19, &TForm1::Image19Click, Label8},
          {CheckBox9, &TForm1::CheckBox9Click, Image20, &TForm1::Image20Click, Label9}};
  for (auto [box, boxHandler, glyph, glyphHandler, label] : options) {
    // A box's handler runs on every change of its state, set by a click or by the program.
    connect(box, &QCheckBox::toggled, this, [this, h = boxHandler] { (this->*h)(); });
    box->installEventFilter(new layout::FocusLossHandler(box, [this] { CheckBox3Exit(); }));
    glyph->OnClick = [this, h = glyphHandler](gui::TControl*) { (this->*h)(); };
    label->OnClick = [this, h = glyphHandler](gui::TControl*) { (this->*h)(); };
  }
}

void TForm1::toggleOption(QCheckBox* box, gui::TImage* glyph) {
  box->setChecked(!box->isChecked());
  glyph->Picture().Assign((box->isChecked() ? ImageC : ImageN)->Picture());
}

void TForm1::Image15Click() { toggleOption(CheckBox3, Image15); }
void TForm1::Image16Click() { toggleOption(CheckBox7, Image16); }
void TForm1::Image17Click() { toggleOption(CheckBox8, Image17); }
void TForm1::Image18Click() { toggleOption(CheckBox4, Image18); }
void TForm1::Image19Click() { toggleOption(CheckBox5, Image19); }
void TForm1::Image20Click() { toggleOption(CheckBox9, Image20); }

void TForm1::CheckBox3Click() {
  const bool off = !CheckBox3->isChecked();
  SetMute(off ? 1 : 0);
  SoundMuted = off;
}

void TForm1::CheckBox7Click() { ApplySaturation(); }

void TForm1::CheckBox8Click() { Settings.KeepSound = CheckBox8->isChecked() ? 1 : 0; }

void TForm1::CheckBox4Click() {
  const bool topmost = CheckBox4->isChecked();
  setTopmost(TvScreenWindow, topmost);
  setTopmost(this, topmost);
  Settings.StayOnTop = topmost ? 1 : 0;
}

void TForm1::CheckBox5Click() {
  const bool show = CheckBox5->isChecked();
  Settings.Hints = show ? 1 : 0;
  for (QWidget* control : HintControls()) layout::SetShowHint(control, show);
}

// Taken from the check box by the shut-down.
void TForm1::CheckBox9Click() {
  if (!TvScreenWindow) return;
  TvScreen* tv = TvScreenWindow;
  tv->hide();
  setTaskbarButton(tv, CheckBox9->isChecked());
  if (!currentRowIsRadio()) tv->show();
}

void TForm1::CheckBox3Exit() { ScrollBarX->setFocus(); }

std::vector<QWidget*> TForm1::HintControls() const {
  return {Image11,      Image12,       Image13,         Image14,      Image21,      Image22,
          Image3,       Image4,        SpeedButton6,    CheckBox3,    CheckBox4,    CheckBox5,
          RxLabel4,     RxLabel6,      RxSlider1,       RxSlider2,    RxSlider3,    RxSlider4,
          RxSlider5,    RxSlider9,     UpDown1,         RxSpinEdit1,  SpeedButton1, SpeedButton2,
          SpeedButton3, SpeedButton4,  SpeedButton5,    RxSpeedButton9, RxSpeedButton10};
}
