// The frequency scan on the simulated card: the range check, stepping and following a signal
// one pass per tick, the found list, stopping, the end of the scan, and what the scan keeps
// away from the tuner while it runs.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "ScanFixture.h"
#include "controls/Qelprogress.h"
#include "controls/Rxspin.h"
#include "core/Channels.h"
#include "gui/UpDown.h"
#include "gui/VirtualKeys.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Schu.h"
#include "viewer/ViewerGlobals.h"

namespace viewer_test {
namespace {

TEST_F(ScanTest, ProgressRunsOverTheWholeMegahertzOfTheRange) {
  startOn({});
  ASSERT_TRUE(startScan("40", "800", "1"));
  EXPECT_EQ(Form6->Progress1->Max(), 760);
  EXPECT_EQ(Form6->Progress1->Progress(), 0);
  EXPECT_TRUE(Form6->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_FALSE(Form6->Button6->isEnabled()) << "Ok doubles as the stop request";
  EXPECT_FALSE(Form1->UpDown1->isEnabled());
  EXPECT_FALSE(Form1->Timer3.Enabled()) << "no scheduler tick during a scan";
  EXPECT_TRUE(Form1->Timer2.Enabled());
}

TEST_F(ScanTest, RefusedRangesAreStoredButStartNothing) {
  startOn({});
  struct Case {
    const char *from, *to, *step;
  };
  const Case cases[] = {
      {"40", "900.5", "1"},    // above the tuner's range
      {"40", "800", "0.005"},  // finer than 10 kHz
      {"100", "100", "1"},     // equal limits
      {"799.5", "800", "1"},   // no step fits
      {"40", "800", "fine"},   // no number reads as 0
      {"-1", "800", "1"},
  };
  for (const Case& c : cases) {
    Form4->show();
    EXPECT_FALSE(startScan(c.from, c.to, c.step)) << c.from << ".." << c.to << " / " << c.step;
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_DOUBLE_EQ(ScanToMHz, LeadingNumber(c.to)) << "stored even when refused";
  }
  EXPECT_TRUE(startScan("0", "1", "0.01")) << "a lower limit of 0 is a range";
}

// The signal holds from 190 to 194 MHz: it is followed one pass per tick, its middle (with the
// step past its end) is found, and the scan goes on one step after the followed span.
TEST_F(ScanTest, FollowsASignalAndFindsTheMiddleOfItsSpan) {
  startOn({tvStation(190.0, 194.0, "Wide")});
  ASSERT_TRUE(startScan("190", "200", "0.5"));
  const int ticks = tickUntilFound(1);
  EXPECT_EQ(found(), std::vector<std::string>{"192.25"});
  EXPECT_EQ(ticks, 11) << "the step with the first pass, nine more passes, then the end";
  EXPECT_DOUBLE_EQ(ScanFreqMHz, 195.5);
  EXPECT_EQ(Form6->ListBox1->currentRow(), 0);
  tick();
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 195.5);
}

TEST_F(ScanTest, AFollowEndsAfterAHundredPassesAndTheScanGoesOn) {
  startOn({tvStation(200.0, 400.0, "Endless")});
  ASSERT_TRUE(startScan("200", "260", "0.5"));
  EXPECT_EQ(tickUntilFound(1), 101);
  EXPECT_EQ(found(), std::vector<std::string>{"224.75"});
  EXPECT_DOUBLE_EQ(ScanFreqMHz, 250.5);
  runScan();
  // 250.5 starts another span, which the upper limit ends.
  EXPECT_EQ(found(), (std::vector<std::string>{"224.75", "255.25"}));
}

// The last pass tunes the upper limit itself and no frequency above it, although the signal
// goes on.
TEST_F(ScanTest, FollowingStopsAtTheUpperLimit) {
  startOn({tvStation(790.0, 870.0, "Beyond")});
  ASSERT_TRUE(startScan("780", "800", "1"));
  tickUntilFound(1);
  EXPECT_EQ(found(), std::vector<std::string>{"795.00"});
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 800.0);
  EXPECT_EQ(runScan(), 1) << "the next tick ends the scan";
}

TEST_F(ScanTest, StopDuringAFollowWritesTheEntryAndEndsAtTheNextTick) {
  startOn({tvStation(190.0, 194.0, "Wide")});
  Form4->CheckBox1->setChecked(true);
  ASSERT_TRUE(startScan("190", "200", "0.5"));
  for (int i = 0; i < 3; ++i) tick();  // tuned 190, 190.5, 191
  ASSERT_TRUE(ScanPosition.following);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted) << "sound off while scanning";
  ChannelListChanged = false;  // the scheduler has taken the lists of the start
  Form6->Button11Click();
  tick();
  EXPECT_EQ(found(), std::vector<std::string>{"190.50"});
  EXPECT_TRUE(ScanRunning);
  EXPECT_FALSE(ChannelListChanged);
  tick();
  EXPECT_FALSE(ScanRunning);
  EXPECT_TRUE(ChannelListChanged);
  EXPECT_TRUE(Form1->UpDown1->isEnabled());
  EXPECT_TRUE(Form1->RxSpinEdit1->isEnabled());
  EXPECT_FALSE(Form1->Timer2.Enabled());
  EXPECT_TRUE(Form1->Timer3.Enabled());
  EXPECT_EQ(CurChannel, 0) << "the scan ends on channel 1";
  EXPECT_NE(sim::Card().audioSource(), sim::AudioSource::Muted) << "the panel's sound option";
  EXPECT_TRUE(Form6->Button12->isEnabled());
  EXPECT_FALSE(Form6->Button11->isEnabled());
  EXPECT_EQ(Form6->Progress1->Progress(), Form6->Progress1->Max());
  EXPECT_FALSE(Form1->isVisible()) << "the panel comes back with the list's hiding";
  Form6->hide();
  EXPECT_TRUE(Form1->isVisible());
}

TEST_F(ScanTest, HidingTheListStopsTheScan) {
  startOn({});
  ASSERT_TRUE(startScan("40", "800", "1"));
  tick();
  Form6->hide();
  tick();
  tick();
  EXPECT_FALSE(ScanRunning);
  EXPECT_LT(ScanPosition.step, 3);
}

// Entries past the 256th are still listed; the selection stays on entry 255.
TEST_F(ScanTest, MoreThan255EntriesKeepTheSelectionOnTheLast255th) {
  std::vector<sim::Station> lineup;
  for (int k = 0; k < 300; ++k) {
    const double low = 112.0 + 2 * k;
    lineup.push_back(tvStation(low, low + 0.25, "Dense"));
  }
  startOn(lineup);
  ASSERT_TRUE(startScan("112", "720", "0.5"));
  runScan();
  EXPECT_EQ(Form6->ListBox1->count(), 300);
  EXPECT_EQ(Form6->ListBox1->currentRow(), 255);
  EXPECT_EQ(ScanFoundCount, 255u);
}

// A sweep of 86,000 steps of 0.01 MHz takes exactly that many steps and never tunes above 900:
// each frequency is from + i x step, not a running sum.
TEST_F(ScanTest, FineStepsDoNotDrift) {
  startOn({});
  ASSERT_TRUE(startScan("40", "900", "0.01"));
  const int ticks = runScan();
  EXPECT_EQ(ticks, 86000 + 1) << "one tick per step, and the one that ends the scan";
  EXPECT_EQ(Form6->Label1->Caption(), "899.99");
}

// While a scan runs the channel steps (hot keys, wheel, remote), the channel keys and the
// frequency field leave the tuner and the channel alone.
TEST_F(ScanTest, ChannelAndFrequencyChangesWaitForTheScan) {
  startOn({});
  ChannelTable[1].Used = 1;
  ASSERT_TRUE(startScan("40", "800", "1"));
  tick();
  const int channel = CurChannel;
  const float freq = ChannelTable[size_t(channel)].Freq;
  Form1->UpDown1Click(gui::btNext);
  SelectChannelByNumber(1);
  Form1->RxSpinEdit1->SetValue(500.0);
  Form1->WMMouseWheel(0x0078);
  HotKeyAction(gui::VK_UP);
  HotKeyAction('1');
  Form1->CnlMenuClick(Form1->PopupMenu4->actions().front());
  EXPECT_EQ(CurChannel, channel);
  EXPECT_FLOAT_EQ(ChannelTable[size_t(channel)].Freq, freq);
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 40.0);
  EXPECT_TRUE(ScanInProgress());
}

// The found list of a whole sweep against the lineup, with each detector. A station counts as
// found by an entry within one step of its window.
struct DetectorCase {
  int detector;
  std::vector<std::string> expected;
};

std::string compareWithLineup(const std::vector<std::string>& entries,
                              const std::vector<sim::Station>& lineup,
                              const std::vector<std::string>& expected, double step) {
  std::ostringstream report;
  std::vector<int> hits(lineup.size(), 0);
  for (const std::string& entry : entries) {
    const double mhz = std::stod(entry);
    bool matched = false;
    for (size_t i = 0; i < lineup.size(); ++i) {
      if (mhz >= lineup[i].lowMHz - step && mhz <= lineup[i].highMHz + step) {
        ++hits[i];
        matched = true;
      }
    }
    if (!matched) report << " extra " << entry << ";";
  }
  for (size_t i = 0; i < lineup.size(); ++i) {
    const bool wanted =
        std::find(expected.begin(), expected.end(), lineup[i].name) != expected.end();
    if (wanted && hits[i] == 0) report << " missed " << lineup[i].name << ";";
    if (!wanted && hits[i] > 0) report << " extra " << lineup[i].name << ";";
    if (hits[i] > 1) report << " " << lineup[i].name << " found " << hits[i] << " times;";
  }
  return report.str();
}

TEST_F(ScanTest, FullSweepFindsWhatEachDetectorSees) {
  const std::vector<sim::Station> lineup = {
      tvStation(61.00, 61.50, "Locked VHF"),
      fmStation(104.90, 105.10, "Radio"),
      tvStation(175.00, 175.50, "Locked high VHF"),
      tvStation(250.00, 250.50, "No lock", false),
      tvStation(330.00, 330.50, "Off tune", true, 2),
      tvStation(479.00, 479.50, "Locked UHF"),
      tvStation(743.00, 743.50, "Locked top UHF"),
  };
  const DetectorCase cases[] = {
      {kDetectPicture,
       {"Locked VHF", "Locked high VHF", "Off tune", "Locked UHF", "Locked top UHF"}},
      {kDetectVideo,
       {"Locked VHF", "Locked high VHF", "No lock", "Off tune", "Locked UHF", "Locked top UHF"}},
      {kDetectAfc,
       {"Locked VHF", "Radio", "Locked high VHF", "No lock", "Locked UHF", "Locked top UHF"}},
  };
  startOn(lineup);
  for (const DetectorCase& c : cases) {
    ASSERT_TRUE(startScan("40", "900", "0.1", c.detector));
    runScan();
    EXPECT_EQ(compareWithLineup(found(), lineup, c.expected, 0.1), "")
        << "detector " << c.detector;
    Form6->hide();
  }
}

}  // namespace
}  // namespace viewer_test
