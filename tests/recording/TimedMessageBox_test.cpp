// The self-closing message box: its schedule (waiting, flashing, activity, closing) step by step,
// and real boxes that close themselves or stay.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <string>
#include <vector>

#include "gui/QtMessageBox.h"
#include "platform/MessageBox.h"
#include "recording/TimedMessageBox.h"

namespace {

using Action = TimedBoxSchedule::Action;

// Runs a schedule to its end: the time of each action and its kind ('w'ait, 'f'lash, 'c'lose),
// with activity reported at the given times (reported just before the step at that time).
std::string RunSchedule(TimedBoxSchedule schedule, std::vector<int> activityAt = {}) {
  std::string log;
  int now = 0;
  size_t nextActivity = 0;
  while (schedule.nextMs() >= 0 && log.size() < 200) {
    now += schedule.nextMs();
    while (nextActivity < activityAt.size() && activityAt[nextActivity] <= now) {
      schedule.activity();
      ++nextActivity;
    }
    const Action a = schedule.due();
    log += std::to_string(now) + (a == Action::Wait ? "w" : a == Action::Flash ? "f" : "c") + " ";
  }
  return log;
}

TEST(TimedBoxSchedule, WaitsFlashesAndCloses) {
  struct Case {
    int timeout, flash, blink;
    std::vector<int> activity;
    std::string expected;
  };
  const Case cases[] = {
      // The capture window's values: after 2 s the flash time is capped to the 1 s left.
      {3000, 1500, 500, {}, "2000w 2000f 2500f 3000c "},
      {6000, 1000, 500, {}, "2000w 5000f 5500f 6000c "},
      // Without flashing it closes silently at the end of the wait.
      {5000, 0, 500, {}, "2000w 5000c "},
      // Boxes of 2 s or less are never touched.
      {2000, 1500, 500, {}, ""},
      {0, 0, 500, {}, ""},
      // Activity before the box is watched does not count; during the wait it restarts the wait.
      {6000, 1000, 500, {1000, 4000}, "2000w 5000w 8000f 8500f 9000c "},
      // Activity while flashing ends the flashing and starts a new wait.
      {6000, 1000, 500, {5200}, "2000w 5000f 5500w 8500f 9000f 9500c "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RunSchedule(TimedBoxSchedule(c.timeout, c.flash, c.blink), c.activity), c.expected)
        << c.timeout << "/" << c.flash;
}

// Real boxes, shown with Qt as the program shows them.
class TimedBox : public ::testing::Test {
protected:
  void SetUp() override { previous_ = platform::SetMessageBoxHandler(gui::ShowQtMessageBox); }
  void TearDown() override { platform::SetMessageBoxHandler(std::move(previous_)); }

private:
  platform::MessageBoxHandler previous_;
};

TEST_F(TimedBox, LeftAloneItClosesItselfWith100) {
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(TimedMessageBox(nullptr, "/tmp/none.avi", "File not found", platform::kMbIconStop,
                            3000, 1500),
            kTimedBoxTimeout);
  EXPECT_GE(clock.elapsed(), 2500);  // not at the 2 s look, after the flashing
}

TEST_F(TimedBox, ShortTimeoutsWaitForTheUser) {
  bool sawBox = false;
  QTimer::singleShot(2600, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    sawBox = box != nullptr;
    if (box) box->accept();
  });
  EXPECT_EQ(TimedMessageBox(nullptr, "text", "caption", platform::kMbOk, 2000, 1500),
            platform::kIdOk);
  EXPECT_TRUE(sawBox);
}

TEST(TimedBoxRecorded, GoesThroughTheMessageBoxService) {
  platform::RecordingMessageBox boxes(platform::kIdOk);
  EXPECT_EQ(TimedMessageBox(nullptr, "x.wav", "File not found", platform::kMbIconStop, 3000, 1500),
            platform::kIdOk);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].caption, "File not found");
  EXPECT_EQ(boxes.shown()[0].flags, unsigned(platform::kMbIconStop));
}

}  // namespace
