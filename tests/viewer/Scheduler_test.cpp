// The scheduler window: what it shows of the stored entries, how its rows edit them, the program
// lists, closing (always stored and saved) and the exit alarm.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "SchedulerFixture.h"
#include "controls/Rxclock.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "controls/utils/Dateutil.h"
#include "core/Channels.h"
#include "gui/Colors.h"
#include "platform/Profile.h"
#include "sim/SimSystemLog.h"
#include "viewer/ViewerGlobals.h"

namespace viewer_test {
namespace {

constexpr LocalTime kNoon{2026, 3, 10, 12, 0, 0};

std::string text(QComboBox* list, int i) { return list->itemText(i).toStdString(); }

TEST_F(SchedulerTest, WindowShowsTheStoredEntriesAndArmsTheRowsItFilled) {
  writeSchedule({{1, 2, {2026, 3, 11, 7, 5, 0}, false, true, false},
                 {2, 1, {2025, 12, 31, 23, 59, 0}, true, false, false},
                 {3, 1, {2026, 13, 40, 6, 0, 0}}});  // no such date
  startAt(kNoon);
  ScheduleRow& r1 = Form2->Row(1);
  EXPECT_EQ(dateutil::ExtractDay(r1.DateEdit->GetDate()), 11);
  EXPECT_EQ(r1.MaskEdit->Text(), "07:05");
  EXPECT_EQ(ScheduleTable[1].TimeText, "07:05");
  EXPECT_TRUE(r1.FullScreen->isChecked());
  EXPECT_FALSE(r1.EveryDay->isChecked());
  EXPECT_TRUE(r1.DateEdit->isVisibleTo(Form2));
  EXPECT_FALSE(r1.Label->isVisibleTo(Form2));
  ScheduleRow& r2 = Form2->Row(2);
  EXPECT_TRUE(r2.EveryDay->isChecked());
  EXPECT_FALSE(r2.DateEdit->isVisibleTo(Form2));
  EXPECT_TRUE(r2.Label->isVisibleTo(Form2));
  EXPECT_EQ(Form2->Row(3).DateEdit->GetDate(), dateutil::Today()) << "a date that cannot be";
  // Filling the controls counts as an edit of every row.
  for (int n = 1; n <= kScheduleRows; ++n) EXPECT_EQ(ScheduleTable[n].Enabled, 1) << n;
  // Past dates in the menu colour, future ones in the window colour.
  EXPECT_EQ(r1.DateEdit->Color(), gui::clWindow);
  EXPECT_EQ(r2.DateEdit->Color(), gui::clMenu);
}

TEST_F(SchedulerTest, TypedTimesPastTheDayBecomeMidnight) {
  startAt(kNoon);
  struct Case {
    const char* typed;
    const char* shown;
    int hour, minute;
  };
  const Case cases[] = {{"24:30", "00:00", 0, 0}, {"23:60", "00:00", 0, 0},
                        {"23:59", "23:59", 23, 59}, {"07:05", "07:05", 7, 5}};
  tooledit::TCustomMaskEdit* field = Form2->Row(4).MaskEdit;
  for (const Case& c : cases) {
    ScheduleTable[4].Enabled = 0;
    field->SetText(c.typed);
    EXPECT_EQ(field->Text(), c.shown) << c.typed;
    EXPECT_EQ(ScheduleTable[4].TimeText, c.shown) << c.typed;
    EXPECT_EQ(ScheduleTable[4].Hour, c.hour) << c.typed;
    EXPECT_EQ(ScheduleTable[4].Min, c.minute) << c.typed;
    EXPECT_EQ(ScheduleTable[4].Enabled, 1) << c.typed;
  }
}

TEST_F(SchedulerTest, TodayButtonDatesAndArmsEveryRow) {
  writeSchedule({{1, 1, {2024, 5, 6, 10, 0, 0}}, {7, 1, {2030, 1, 2, 10, 0, 0}}});
  startAt(kNoon);
  openScheduler();
  for (int n = 1; n <= kScheduleRows; ++n) ScheduleTable[n].Enabled = 0;
  Form2->Button2Click();
  for (int n = 1; n <= kScheduleRows; ++n) {
    EXPECT_EQ(Form2->Row(n).DateEdit->GetDate(), dateutil::Today()) << n;
    EXPECT_EQ(ScheduleTable[n].Enabled, 1) << n;
    EXPECT_EQ(ScheduleTable[n].Year, 2026) << n;
    EXPECT_EQ(ScheduleTable[n].Month, 3) << n;
    EXPECT_EQ(ScheduleTable[n].Day, 10) << n;
  }
}

TEST_F(SchedulerTest, ProgramListsHoldEmptyAndTheListedChannels) {
  writeSchedule({{1, 7, kNoon}, {2, 4, kNoon}});
  startAt(kNoon, 5);
  openScheduler();
  EXPECT_TRUE(ScheduleFormReady);
  EXPECT_FALSE(SchedulerRefillPending);
  for (int n = 1; n <= kScheduleRows; ++n) {
    QComboBox* list = Form2->Row(n).ComboBox;
    ASSERT_EQ(list->count(), 6) << n;
    EXPECT_EQ(text(list, 0), "Empty");
    EXPECT_EQ(text(list, 1), "(1)  C1");
    EXPECT_EQ(text(list, 5), "(5)  C5");
  }
  EXPECT_EQ(ScheduleTable[1].Channel, 0u) << "channel 7 is no longer listed";
  EXPECT_EQ(Form2->Row(1).ComboBox->currentIndex(), 0);
  EXPECT_EQ(Form2->Row(2).ComboBox->currentIndex(), 4);
  EXPECT_EQ(Form2->Row(2).ComboBox->toolTip().toStdString(), "49.75 MHz");
  EXPECT_TRUE(Form2->Row(1).ComboBox->toolTip().isEmpty());
  // Picking an item shows its hint and arms the row; the entry takes it when the window stores.
  ScheduleTable[3].Enabled = 0;
  Form2->Row(3).ComboBox->setCurrentIndex(2);
  Form2->ComboBoxChange(3);
  EXPECT_EQ(Form2->Row(3).ComboBox->toolTip().toStdString(), "49.75 MHz");
  EXPECT_EQ(ScheduleTable[3].Enabled, 1);
}

// The lists are filled again only after a scan has changed the channel list.
TEST_F(SchedulerTest, ProgramListsFollowTheChannelListOnlyAfterAScan) {
  startAt(kNoon, 2);
  openScheduler();
  Form2->SpeedButton1Click();
  ChannelTable[0].Name = "Renamed";
  openScheduler();
  EXPECT_EQ(text(Form2->Row(1).ComboBox, 1), "(1)  C1");
  Form2->SpeedButton1Click();
  ChannelListChanged = true;  // as the end of a scan sets it
  openScheduler();
  EXPECT_EQ(text(Form2->Row(1).ComboBox, 1), "(1)  Renamed");
}

TEST_F(SchedulerTest, EveryWayOfClosingStoresAndSaves) {
  struct Way {
    const char* name;
    void (*close)();
  };
  const Way ways[] = {{"Ok", [] { Form2->SpeedButton1Click(); }},
                      {"X", [] { Form2->Panel3Click(); }},
                      {"system menu", [] { Form2->close(); }}};
  startAt(kNoon, 3);
  int channel = 1;
  for (const Way& w : ways) {
    SCOPED_TRACE(w.name);
    openScheduler();
    ASSERT_TRUE(Form2->isVisible());
    Form2->Row(6).ComboBox->setCurrentIndex(channel);
    Form2->Row(6).EveryDay->setChecked(channel % 2 == 1);
    RehookRequest = false;
    w.close();
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_TRUE(RehookRequest);
    EXPECT_FALSE(SchedulerRefillPending);
    platform::DropProfileCache();
    const std::string file = folder_.file("schedule.ini");
    EXPECT_EQ(platform::GetProfileString(file, "Scheduler6", "Channel", ""),
              std::to_string(channel));
    EXPECT_EQ(platform::GetProfileString(file, "Scheduler6", "EveryDay", ""),
              channel % 2 == 1 ? "1" : "0");
    ++channel;
  }
}

TEST_F(SchedulerTest, ExitAlarmQuitsAndSwitchesOffOnlyWhenAsked) {
  for (bool switchOff : {true, false}) {
    SCOPED_TRACE(switchOff ? "with switch-off" : "without");
    TearDown();
    SetUp();
    startAt({2026, 3, 10, 21, 59, 58});
    EXPECT_FALSE(Form2->CheckBox14->isEnabled());
    EXPECT_TRUE(Form2->CheckBox14->isChecked());
    Form2->MaskEdit11->SetText("22:00");
    EXPECT_EQ(ExitHour, 22);
    EXPECT_EQ(ExitMinute, 0);
    Form2->CheckBox13->setChecked(true);
    EXPECT_TRUE(Form2->CheckBox14->isEnabled());
    Form2->CheckBox14->setChecked(switchOff);
    Form2->RxClock1->TimerExpired();  // 21:59:58: not yet
    setLocalTime({2026, 3, 10, 22, 0, 0});
    try {
      Form2->RxClock1->TimerExpired();
      ADD_FAILURE() << "the alarm did not quit";
    } catch (const viewer::ProcessExited& e) {
      EXPECT_EQ(e.exitCode, 0);
    }
    EXPECT_TRUE(ExitAlarmFired);
    EXPECT_EQ(sim::SystemLog().only(sim::SystemEvent::Kind::PowerOff).size(),
              switchOff ? 1u : 0u);
  }
}

TEST_F(SchedulerTest, ExitAlarmOffWhenItsBoxIsCleared) {
  startAt({2026, 3, 10, 21, 59, 58});
  Form2->MaskEdit11->SetText("22:00");
  Form2->CheckBox13->setChecked(true);
  Form2->CheckBox13->setChecked(false);
  EXPECT_FALSE(Form2->CheckBox14->isEnabled());
  setLocalTime({2026, 3, 10, 22, 0, 0});
  EXPECT_NO_THROW(Form2->RxClock1->TimerExpired());
  EXPECT_FALSE(ExitAlarmFired);
}

TEST_F(SchedulerTest, ExitTimeTheClockRefusesIsReportedAndKept) {
  startAt(kNoon);
  Form2->MaskEdit11->SetText("25:00");
  EXPECT_EQ(ExitHour, 25);
  ASSERT_FALSE(boxes_->shown().empty());
  EXPECT_NE(boxes_->shown().back().text.find("'25:0:0' is not a valid time"), std::string::npos)
      << boxes_->shown().back().text;
  EXPECT_EQ(Form2->RxClock1->AlarmHour(), 0) << "the alarm keeps its old time";
}

TEST_F(SchedulerTest, CaptionBarDragsTheWindow) {
  startAt(kNoon);
  openScheduler();
  const QPoint from = Form2->pos();
  Form2->Panel1MouseDown(5, 6);
  EXPECT_EQ(Form2->Panel1->palette().color(QPalette::Window), gui::ToQColor(gui::clActiveCaption));
  Form2->Panel1MouseMove(25, 16);
  EXPECT_EQ(Form2->pos(), from + QPoint(20, 10));
  Form2->Panel1MouseUp();
  Form2->Panel1MouseMove(40, 40);
  EXPECT_EQ(Form2->pos(), from + QPoint(20, 10)) << "the drag has ended";
}

}  // namespace
}  // namespace viewer_test
