// The running program with a schedule: schedule.ini written before the start, the simulated
// clock set to a local date and time, and the scheduler window opened as the panel opens it.
#pragma once

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "PanelFixture.h"
#include "core/Schedule.h"
#include "sim/SimClock.h"
#include "viewer/Schu.h"
#include "viewer/Vyxu.h"

namespace viewer_test {

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// One [SchedulerN] section.
struct StoredEntry {
  int number;  // 1..10
  int channel;
  LocalTime at;
  bool everyDay = false;
  bool fullScreen = false;
  bool enabled = true;
};

class SchedulerTest : public PanelTest {
protected:
  static void setLocalTime(const LocalTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    sim::Clock().setWallClock(std::mktime(&tm));
  }

  void writeSchedule(const std::vector<StoredEntry>& entries) {
    std::ostringstream out;
    for (const StoredEntry& e : entries)
      out << "[Scheduler" << e.number << "]\nChannel=" << e.channel << "\nYear=" << e.at.year
          << "\nMonth=" << e.at.month << "\nDay=" << e.at.day << "\nHour=" << e.at.hour
          << "\nMin=" << e.at.minute << "\nSec=0\nEnabled=" << e.enabled
          << "\nEveryDay=" << e.everyDay << "\nFullScreen=" << e.fullScreen << "\n";
    folder_.write("schedule.ini", out.str());
  }

  // `count` channels, the clock at `now`, then the start.
  void startAt(const LocalTime& now, int count = 3) {
    setLocalTime(now);
    startWithChannels(count);
  }

  // The scheduler window as the panel's button shows it, with its lists filled.
  static void openScheduler() {
    Form1->SpeedButton4Click();
    Form2->Timer1Timer();
  }

  // One tick of the panel's scheduler timer at local time `t`.
  static void tickAt(const LocalTime& t) {
    setLocalTime(t);
    Form1->Timer3Timer();
  }
};

}  // namespace viewer_test
