// What each hot key does: picture and volume sliders, channel steps and channel keys, sound,
// stay on top, full screen, a snapshot, hide to the tray and quit.
#include <QCheckBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include "controls/Rxslider.h"
#include "core/Settings.h"
#include "gui/UpDown.h"
#include "gui/VirtualKeys.h"
#include "recording/Capt.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Snapshot.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

// The keys looked at: Enter to F1.
constexpr uint16_t kFirstHotKey = gui::VK_RETURN;
constexpr uint16_t kLastHotKey = gui::VK_F1;

void step(rxslider::TRxSlider* slider, int by) { slider->SetValue(slider->Value() + by); }

// The master volume, with Alt the card's line volume; a volume key also switches the sound on.
void volume(TForm1& panel, int by) {
  step(AltKeyDown ? panel.RxSlider1 : panel.RxSlider9, by);
  if (!panel.CheckBox3->isChecked()) panel.Image15Click();
}

// A running scan owns the tuner: the channel keys leave the channel alone then.
void channelStep(TForm1& panel, gui::TUDBtnType button) {
  if (!ScanInProgress()) panel.UpDown1Click(button);
}

// Up and Down step the channel and Right and Left the volume, or the other way round.
void arrow(TForm1& panel, bool channelKey, gui::TUDBtnType button) {
  if (channelKey != bool(Settings.Reverse))
    channelStep(panel, button);
  else
    volume(panel, button == gui::btNext ? 1 : -1);
}

// A left double click on the TV window switches full screen, as the user's would.
void postFullScreenClick() {
  if (!TvScreenWindow) return;
  QCoreApplication::postEvent(
      TvScreenWindow, new QMouseEvent(QEvent::MouseButtonDblClick, QPointF(0, 0), QPointF(0, 0),
                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

void channelKey(TForm1& panel, uint16_t key) {
  using Handler = void (TForm1::*)();
  static constexpr Handler kChannelKeys[] = {
      &TForm1::N101Click, &TForm1::N11Click, &TForm1::N21Click, &TForm1::N31Click,
      &TForm1::N41Click,  &TForm1::N51Click, &TForm1::N61Click, &TForm1::N71Click,
      &TForm1::N81Click,  &TForm1::N91Click};
  const int digit = key >= gui::VK_NUMPAD0 ? key - gui::VK_NUMPAD0 : key - '0';
  (panel.*kChannelKeys[digit])();
}

bool isDigitKey(uint16_t key) {
  return (key >= '0' && key <= '9') || (key >= gui::VK_NUMPAD0 && key <= gui::VK_NUMPAD0 + 9);
}

}  // namespace

void HotKeyAction(uint16_t key) {
  if (!Form1 || key < kFirstHotKey || key > kLastHotKey) return;
  TForm1& panel = *Form1;
  if (isDigitKey(key)) {
    if (!ScanInProgress()) channelKey(panel, key);
    return;
  }
  switch (key) {
    case gui::VK_RETURN:
      if (AltKeyDown) postFullScreenClick();
      break;
    case 'X': postFullScreenClick(); break;
    case gui::VK_SPACE: GrabFrame(); break;
    case gui::VK_PRIOR: step(AltKeyDown ? panel.RxSlider4 : panel.RxSlider5, 1); break;
    case gui::VK_NEXT: step(AltKeyDown ? panel.RxSlider4 : panel.RxSlider5, -1); break;
    case gui::VK_HOME: step(panel.RxSlider3, 1); break;
    case gui::VK_END: step(panel.RxSlider3, -1); break;
    case gui::VK_INSERT: step(panel.RxSlider2, 1); break;
    case gui::VK_DELETE: step(panel.RxSlider2, -1); break;
    case gui::VK_UP: arrow(panel, true, gui::btNext); break;
    case gui::VK_DOWN: arrow(panel, true, gui::btPrev); break;
    case gui::VK_RIGHT: arrow(panel, false, gui::btNext); break;
    case gui::VK_LEFT: arrow(panel, false, gui::btPrev); break;
    case 'M': panel.Image15Click(); break;
    case 'T':
      panel.CheckBox4->setChecked(Settings.StayOnTop == 0);
      panel.RefreshOptionGlyphs();
      break;
    case 'Q':
      panel.BYE();  // returns only while a capture finishes its file
      break;
    case 'H': panel.Image12Click(); break;
    case 'A':
      if (Form3) {
        if (Form3->Button6->isEnabled()) Form3->Button6Click();
        else Form3->Button7Click();
      }
      break;
    default: break;
  }
}
