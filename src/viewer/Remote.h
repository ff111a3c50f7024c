// TForm8, the remote control's invisible window: it polls the card's infrared receiver every
// 20 ms and performs the pressed key's action on the panel, with a mouse mode in which the digit
// keys move the cursor and two keys click. It also switches the monitor off after a set time
// without a video signal (and on again when the signal returns), and keeps screen savers away
// while there is a picture.
//
// A key's repeat delay (RemoteDelay, or a third or a fifth of it) makes the poll skip until the
// delay has passed; nothing waits on the GUI thread.
#pragma once

#include <QPoint>
#include <QWidget>

#include <cstdint>

#include "gui/Timer.h"

class TForm8 : public QWidget {
public:
  explicit TForm8(QWidget* owner = nullptr);

  // The remote poll (20 ms, while Remote is set).
  void Timer1Timer();
  // The keep-awake nudge (59 s).
  void Timer2Timer();
  // The no-signal check (1 s, while MonitorPowerOffIfNoSignal is set).
  void Timer3Timer();
  // Pauses the no-signal check while a frequency scan runs (1 s).
  void Timer4Timer();
  void FormCreate() {}

  gui::TTimer Timer1;
  gui::TTimer Timer2;
  gui::TTimer Timer3;
  gui::TTimer Timer4;
};

extern TForm8*& Form8;

// Performs the action of a key number (RemoteKeys.h) as the poll does.
void ActOnRemoteKey(uint8_t key);

// Emulates one of the nine client mouse-button messages (platform::WM_LBUTTONDOWN ..
// WM_MBUTTONDBLCLK, TrayBackend.h) at the cursor; the window system delivers it to the window
// under the cursor (or the one holding the mouse), activating it as a real click would.
void PostMouseMessage(uint32_t message);

// The mouse-button bits of the emulation.
constexpr uint8_t kMouseLeftHeld = 1;
constexpr uint8_t kMouseMiddleHeld = 2;
constexpr uint8_t kMouseRightHeld = 4;

// Remote state: the mouse mode, each side's click emulation (armed, idle polls counted), the
// buttons held, the cursor as a mouse-mode key last read it, and until when the poll skips.
extern bool& MouseMode;
extern bool& LeftClickArmed;
extern bool& RightClickArmed;
extern int32_t& LeftClickCount;
extern int32_t& RightClickCount;
extern uint8_t& MouseButtonState;
extern QPoint& RemoteCursorPos;
extern uint64_t& RemoteBusyUntil;
// No-signal state: seconds without lock, the monitor switched off by us, and where the cursor
// was then.
extern int32_t& NoSignalSeconds;
extern bool& MonitorOffActive;
extern QPoint& MonitorOffCursor;
