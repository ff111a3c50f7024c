// The running program with a station lineup on the simulated card, and what the scan tests do:
// fill in the scan dialog, start, tick the panel's scan timer, read the found list.
#pragma once

#include <QListWidget>

#include <string>
#include <vector>

#include "PanelFixture.h"
#include "gui/CustomEdit.h"
#include "sim/Bt848Card.h"
#include "sim/Stations.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace viewer_test {

inline sim::Station tvStation(double low, double high, const char* name, bool locks = true,
                              int afc = 4) {
  return {low, high, sim::Station::Kind::TV, 6, locks, afc, name};
}

inline sim::Station fmStation(double low, double high, const char* name) {
  return {low, high, sim::Station::Kind::FM, 9, false, 4, name};
}

class ScanTest : public PanelTest {
protected:
  void startOn(const std::vector<sim::Station>& lineup, int channels = 3) {
    startWithChannels(channels);
    sim::Card().setStations(lineup);
  }
  // Fills in the dialog and presses "Далее"; true when a scan started.
  static bool startScan(const std::string& from, const std::string& to, const std::string& step,
                        int detector = kDetectPicture) {
    Form4->Edit1->SetText(from);
    Form4->Edit2->SetText(to);
    Form4->Edit3->SetText(step);
    Form4->SetDetectorIndex(detector);
    Form4->Button1Click();
    return ScanRunning;
  }
  // One tick of the scan timer.
  static void tick() { Form1->Timer2Timer(); }
  // Ticks until the scan ends (at most `limit` ticks); the number of ticks.
  static int runScan(int limit = 1000000) {
    int ticks = 0;
    while (ScanRunning && ticks < limit) {
      tick();
      ++ticks;
    }
    return ticks;
  }
  // Ticks until the found list has `count` entries (at most `limit` ticks); the ticks taken.
  static int tickUntilFound(int count, int limit = 100000) {
    int ticks = 0;
    while (ScanRunning && Form6->ListBox1->count() < count && ticks < limit) {
      tick();
      ++ticks;
    }
    return ticks;
  }
  static std::vector<std::string> found() { return Form6->FoundEntries(); }
};

}  // namespace viewer_test
