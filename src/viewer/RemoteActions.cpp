// What the remote's keys do: the panel's handlers, the mouse mode's cursor moves and clicks.
#include <QPoint>

#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/Settings.h"
#include "gui/CustomLabel.h"
#include "gui/UpDown.h"
#include "platform/Clock.h"
#include "platform/SyntheticMouse.h"
#include "platform/TrayBackend.h"
#include "viewer/Remote.h"
#include "viewer/RemoteKeys.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

// A click fires at this many idle polls after its key; a second press between the bounds adds
// a double click before it.
constexpr int32_t kClickPolls = 15;
constexpr int32_t kDoubleClickFrom = 5;
constexpr int32_t kDoubleClickTo = 15;
constexpr double kFrequencyStep = 0.01;

platform::SyntheticMouse& mouse() { return platform::SyntheticMouse::current(); }

// The key's repeat delay: the poll skips until it has passed.
void holdFor(uint32_t ms) { RemoteBusyUntil = platform::MonotonicMs() + ms; }

struct ClickSide {
  bool& armed;
  int32_t& count;
  uint32_t down, up, doubleClick;
};
ClickSide left() {
  return {LeftClickArmed, LeftClickCount, platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP,
          platform::WM_LBUTTONDBLCLK};
}
ClickSide right() {
  return {RightClickArmed, RightClickCount, platform::WM_RBUTTONDOWN, platform::WM_RBUTTONUP,
          platform::WM_RBUTTONDBLCLK};
}

// An idle poll: an armed side counts, and clicks at the 16th.
void idlePoll(ClickSide side) {
  if (side.armed) ++side.count;
  if (side.count > kClickPolls) {
    side.count = 0;
    side.armed = false;
    PostMouseMessage(side.down);
    PostMouseMessage(side.up);
  }
}

// CANCEL or ENTER in mouse mode: arms the side, or adds a double click when pressed again soon.
void clickKey(ClickSide side) {
  if (side.count == 0) side.armed = true;
  if (side.armed && side.count > kDoubleClickFrom && side.count < kDoubleClickTo)
    PostMouseMessage(side.doubleClick);
}

void toggleMouseMode() {
  MouseMode = !MouseMode;
  if (!Settings.OSDEnabled) return;
  Form1->Label2->SetCaption(MouseMode ? "Mouse mode on" : "Mouse mode off");
  RepaintOsd(true);
  Form1->Timer6.SetInterval(Settings.OSDDelay);
  Form1->Timer6.SetEnabled(true);
}

struct DigitKey {
  uint8_t key;
  int channel;  // SelectChannelByNumber's argument outside mouse mode
  int dx, dy;   // the cursor's step in mouse mode, in MouseSteps
};
constexpr DigitKey kDigits[] = {
    {kRemoteNum1, 0, -1, -1}, {kRemoteNum2, 1, 0, -1}, {kRemoteNum3, 2, 1, -1},
    {kRemoteNum4, 3, -1, 0},  {kRemoteNum5, 4, 0, 0},  {kRemoteNum6, 5, 1, 0},
    {kRemoteNum7, 6, -1, 1},  {kRemoteNum8, 7, 0, 1},  {kRemoteNum9, 8, 1, 1},
    {kRemoteNum0, 9, 0, 0},
};

// Outside mouse mode a channel key; in it a cursor step (NUM5 to the screen's centre, NUM0
// nothing), without a repeat delay.
bool digitKey(uint8_t key) {
  for (const DigitKey& d : kDigits) {
    if (d.key != key) continue;
    if (!MouseMode) {
      SelectChannelByNumber(d.channel);
      holdFor(Settings.RemoteDelay);
      return true;
    }
    if (key == kRemoteNum0) return true;
    if (key == kRemoteNum5) {
      RemoteCursorPos = QPoint(DisplayWidth / 2, DisplayHeight / 2);
    } else {
      // The cursor is read only here, by the keys that move it from where it is: on X every
      // reading is a round trip to the server, and the poll runs 50 times a second.
      const platform::CursorPoint at = mouse().cursorPos();
      const int s = Settings.MouseStep;
      RemoteCursorPos = QPoint(at.x + d.dx * s, at.y + d.dy * s);
    }
    mouse().setCursorPos({RemoteCursorPos.x(), RemoteCursorPos.y()});
    return true;
  }
  return false;
}

void stepVolume(int by) { Form1->RxSlider9->SetValue(Form1->RxSlider9->Value() + by); }

void stepFrequency(double by) { Form1->RxSpinEdit1->SetValue(Form1->RxSpinEdit1->Value() + by); }

}  // namespace

void ActOnRemoteKey(uint8_t key) {
  if (!Form1) return;
  const uint32_t d = Settings.RemoteDelay;
  if (digitKey(key)) return;
  switch (key) {
    case kRemoteNone:
      idlePoll(left());
      idlePoll(right());
      break;
    case kRemotePower: Form1->Image13Click(); break;
    case kRemoteMouseMode: toggleMouseMode(); holdFor(d); break;
    case kRemoteFullScreen: SetFullScreen(FullScreenOn ? 0 : 1); holdFor(d); break;
    case kRemoteChannelUp: Form1->UpDown1Click(gui::btNext); holdFor(d / 3); break;
    case kRemoteChannelDown: Form1->UpDown1Click(gui::btPrev); holdFor(d / 3); break;
    case kRemoteVolUp: stepVolume(1); holdFor(d / 5); break;
    case kRemoteVolDown: stepVolume(-1); holdFor(d / 5); break;
    case kRemoteCancel:
      if (MouseMode) clickKey(left());
      break;
    case kRemoteEnter:
      if (MouseMode) clickKey(right());
      break;
    case kRemoteVideo: Form1->RxLabel4Click(); holdFor(d); break;
    case kRemoteSize: Form1->Set34(); holdFor(d); break;
    case kRemoteFreqPlus: stepFrequency(kFrequencyStep); holdFor(d / 5); break;
    case kRemoteFreqMinus: stepFrequency(-kFrequencyStep); holdFor(d / 5); break;
    case kRemoteMute: Form1->Image15Click(); holdFor(d); break;
    case kRemoteSource: Form1->RxLabel6Click(); holdFor(d); break;
    default: break;  // BUTTON1, BUTTON2, TVFM and unknown numbers do nothing
  }
}

// The window system finds the target under the cursor (or the window holding the mouse),
// activates it and delivers the event, as for a real click.
void PostMouseMessage(uint32_t message) {
  using platform::MouseAction;
  using platform::MouseButton;
  const uint32_t offset = message - platform::WM_LBUTTONDOWN;
  if (offset > platform::WM_MBUTTONDBLCLK - platform::WM_LBUTTONDOWN) return;
  static constexpr MouseButton kButtons[] = {MouseButton::Left, MouseButton::Right,
                                             MouseButton::Middle};
  static constexpr uint8_t kBits[] = {kMouseLeftHeld, kMouseRightHeld, kMouseMiddleHeld};
  static constexpr MouseAction kActions[] = {MouseAction::Down, MouseAction::Up,
                                             MouseAction::DoubleClick};
  const MouseAction action = kActions[offset % 3];
  const uint8_t bit = kBits[offset / 3];
  if (action == MouseAction::Up)
    MouseButtonState &= uint8_t(~bit);
  else
    MouseButtonState |= bit;
  mouse().button(kButtons[offset / 3], action);
}
