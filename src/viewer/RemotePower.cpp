// The monitor without a signal: switched off after MonitorPowerOffDelay minutes without lock
// (the card muted meanwhile), on again at the first second with lock, or when the user moves
// the mouse; and the keep-awake nudge while there is a picture.
#include <QCheckBox>
#include <QLineEdit>
#include <QPoint>

#include <limits>

#include "core/CBT848.h"
#include "core/Settings.h"
#include "core/SystemUtils.h"
#include "core/TvWindow.h"
#include "platform/SyntheticMouse.h"
#include "settings/Custom.h"
#include "viewer/Remote.h"

namespace {

// The seconds without lock after which the monitor goes off; 0 never switches it off.
int64_t powerOffSeconds() { return int64_t(Settings.MonitorPowerOffDelay) * 60; }

QPoint cursorNow() {
  const platform::CursorPoint p = platform::SyntheticMouse::current().cursorPos();
  return {p.x, p.y};
}

void unmuteUnlessSoundOff() {
  if (!SoundMuted) CardDevice->SetMute(0);
}

// The settings dialog's signal indicator: while its monitor option is on, the minutes field is
// green with lock and red without.
void showSignal(bool locked) {
  if (!Form7 || !Form7->CheckBox14->isChecked()) return;
  Form7->Edit42->setStyleSheet(locked ? QStringLiteral("background-color: #00FF00")
                                      : QStringLiteral("background-color: #FF0000"));
}

void noSignalSecond() {
  const int64_t limit = powerOffSeconds();
  const bool locked = CardDevice->IsSignalLocked();
  showSignal(locked);
  if (locked) {
    if (MonitorOffActive || (limit > 0 && NoSignalSeconds >= limit)) {
      MonitorPowerOn();
      unmuteUnlessSoundOff();
    }
    NoSignalSeconds = 0;
    MonitorOffActive = false;
  } else if (NoSignalSeconds < std::numeric_limits<int32_t>::max()) {
    ++NoSignalSeconds;
  }
  if (limit > 0 && NoSignalSeconds == limit) {
    MonitorPowerOff();
    MonitorOffCursor = cursorNow();
    MonitorOffActive = true;
    CardDevice->SetMute(1);
  }
  if (MonitorOffActive && cursorNow() != MonitorOffCursor) {
    MonitorOffActive = false;
    unmuteUnlessSoundOff();
    NoSignalSeconds = 0;
  }
}

}  // namespace

// Moving the cursor onto itself and a null move count as user input.
void TForm8::Timer2Timer() {
  if (NoSignalSeconds >= powerOffSeconds()) return;
  platform::SyntheticMouse& mouse = platform::SyntheticMouse::current();
  mouse.setCursorPos(mouse.cursorPos());
  mouse.nudge();
}

// Nothing while the user has hidden the TV window. A chip object that failed has no signal to
// report; the check waits quietly for one that works.
void TForm8::Timer3Timer() {
  if (TvHiddenByUser || !CardDevice) return;
  try {
    noSignalSecond();
  } catch (const CExcept&) {
  }
}
