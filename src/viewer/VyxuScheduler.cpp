// The scheduler's tick on the panel: every second, the schedule entries whose time has come
// switch to their channel; and the keyboard hook comes back after the scheduler window.
//
// An entry is due when its time lies after the previous tick and not after this one. So an
// entry fires once, also when the main thread was held up for seconds (the tick after the
// delay covers the whole gap), and an every-day entry fires once a day. The first tick counts
// from the program's start: nothing scheduled before it fires.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include <ctime>

#include "controls/Rxshell.h"
#include "core/Channels.h"
#include "core/Schedule.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Schu.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

// The command-line switch s: a firing entry switches the sound on again.
constexpr int32_t kSoundOffSwitch = 2;

bool inWindow(int64_t t, int64_t previous, int64_t now) { return t >= 0 && previous < t && t <= now; }

// An every-day entry is due on the day of this tick, or on the day before when the gap since
// the previous tick spans midnight.
bool everyDayDue(const ScheduleEntry& e, int64_t previous, int64_t now) {
  std::time_t moment = std::time_t(now);
  std::tm day{};
  localtime_r(&moment, &day);
  for (int back = 0; back < 2; ++back) {
    std::tm d = day;
    d.tm_mday -= back;
    d.tm_hour = 12;  // a time of day no clock change skips
    d.tm_isdst = -1;
    std::mktime(&d);
    const int64_t t = LocalCalendarSeconds(d.tm_year + 1900, d.tm_mon + 1, d.tm_mday, e.Hour, e.Min);
    if (inWindow(t, previous, now)) return true;
  }
  return false;
}

// The row an entry switches to, or -1 for an entry that switches to no channel of the list.
int entryRow(const ScheduleEntry& e) {
  const int row = ScheduleChannelRow(e);
  return row >= 0 && ChannelTable[size_t(row)].Used ? row : -1;
}

bool entryDue(const ScheduleEntry& e, int64_t previous, int64_t now) {
  if (!e.Enabled || entryRow(e) < 0) return false;
  if (e.EveryDay) return everyDayDue(e, previous, now);
  return inWindow(LocalCalendarSeconds(e.Year, e.Month, e.Day, e.Hour, e.Min), previous, now);
}

}  // namespace

void TForm1::Timer3Timer() {
  const int64_t now = CalendarSecondsNow();
  // Without a start (no scheduler window) nothing before this tick counts.
  const int64_t previous = SchedulerLastTick != 0 ? SchedulerLastTick : now;
  SchedulerLastTick = now;
  for (int i = kFirstScheduleEntry; i <= kLastScheduleEntry; ++i) {
    ScheduleEntry& e = ScheduleTable[size_t(i)];
    if (!entryDue(e, previous, now)) continue;
    CurChannel = entryRow(e);
    if (!e.EveryDay) e.Enabled = 0;
    ReSet();
    if (!RxTrayIcon1->Active() || !RestoreTV->isEnabled()) continue;
    // The tray item's handler (RestoreTVClick) shows the TV window unless on FM radio.
    // LATER(tray menu): RestoreTVClick, connected to the item, comes with the tray's handlers.
    RestoreTV->trigger();
    Set34();
    if (e.FullScreen) {
      SetFullScreen(1);
      Image11Click();
    }
    if (CmdLineMode == kSoundOffSwitch) {
      CheckBox3->setChecked(true);
      RefreshOptionGlyphs();
    }
  }
  if (RehookRequest) {
    RehookRequest = false;
    InstallKeyboardHook();
  }
}
