// The month grid and the drop-down calendar: where day 1 falls, month and year steps, keys,
// picking, blank cells, the title and the weekend colour.
#include <QImage>

#include "PickdateFixture.h"
#include "Rxctrls_test.h"
#include "controls/Pickdate.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace pickdate;
using namespace pickdatetest;

namespace {

class Calendar : public DateFixture {};

TEST_F(Calendar, TodayIsTheDateFirstShown) {
  EXPECT_DOUBLE_EQ(TRxCalendar().CalendarDate(), kToday);
}

TEST_F(Calendar, DayOneFallsInRowOneAndNeverLeavesItEmpty) {
  struct Case {
    int year, month;
    TDayOfWeekName start;
    int col;
  } cases[] = {
      {2026, 6, dateutil::Mon, 0},  // June 2026 starts on a Monday
      {2026, 3, dateutil::Mon, 6},  // March 2026 on a Sunday: the day before Monday
      {2026, 3, dateutil::Sun, 0},
      {2026, 4, dateutil::Mon, 2},  // a Wednesday
      {2026, 4, dateutil::Sat, 4},
  };
  for (const Case& c : cases) {
    TRxCalendar calendar;
    calendar.SetStartOfWeek(c.start);
    calendar.SetCalendarDate(date(c.year, c.month, 1));
    EXPECT_EQ(calendar.DayAt(c.col, 1), 1) << c.year << "-" << c.month << " from " << c.start;
    EXPECT_EQ(calendar.Col(), c.col);
    EXPECT_EQ(calendar.Row(), 1);
    EXPECT_NE(calendar.DayAt(6, 1), 0);
  }
}

TEST_F(Calendar, TheNamesRowStartsWithStartOfWeek) {
  TRxCalendar calendar;
  EXPECT_EQ(calendar.CellText(0, 0), "Mon");
  EXPECT_EQ(calendar.CellText(6, 0), "Sun");
  calendar.SetStartOfWeek(dateutil::Sun);
  EXPECT_EQ(calendar.CellText(0, 0), "Sun");
}

TEST_F(Calendar, MonthAndYearStepsCutTheDayAndStayWithinYearsOneTo9999) {
  struct Case {
    TDateTime from;
    bool year;
    int delta;
    TDateTime to;
  } cases[] = {
      {date(2024, 1, 31), false, 1, date(2024, 2, 29)},
      {date(2023, 1, 31), false, 1, date(2023, 2, 28)},
      {date(2026, 3, 31), false, -1, date(2026, 2, 28)},
      {date(2026, 12, 15), false, 1, date(2027, 1, 15)},
      {date(2004, 2, 29), true, -1, date(2003, 2, 28)},
      {date(9999, 12, 31), false, 1, date(9999, 12, 31)},
      {date(9999, 6, 1), true, 1, date(9999, 6, 1)},
      {date(1, 1, 1), false, -1, date(1, 1, 1)},
      {date(1, 5, 1), true, -1, date(1, 5, 1)},
  };
  for (const Case& c : cases) {
    TRxCalendar calendar;
    calendar.SetCalendarDate(c.from);
    if (c.year) calendar.StepYear(c.delta);
    else calendar.StepMonth(c.delta);
    EXPECT_DOUBLE_EQ(calendar.CalendarDate(), c.to) << dateutil::FormatDateTime("dd.mm.yyyy", c.from);
  }
  TRxCalendar calendar;
  calendar.SetYear(10000);
  calendar.SetMonth(13);
  calendar.SetDay(0);
  EXPECT_DOUBLE_EQ(calendar.CalendarDate(), kToday);
}

TEST_F(Calendar, ArrowKeysWalkTheDaysAcrossMonthEndsAndTSetsToday) {
  TPopupCalendar popup(nullptr);
  popup.SetValue(QVariant(date(2026, 1, 31)));
  uint16_t key = VK_RIGHT;
  popup.KeyDown(key, 0);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 2, 1));
  EXPECT_EQ(popup.Title()->text(), "February, 2026");
  key = VK_LEFT;
  popup.KeyDown(key, 0);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 1, 31));
  key = VK_NEXT;
  popup.KeyDown(key, ssCtrl);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2027, 1, 31));
  key = VK_PRIOR;
  popup.KeyDown(key, 0);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 12, 31));
  char t = 't';
  popup.KeyPress(t);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), kToday);
}

TEST_F(Calendar, TheButtonsStepYearsAndMonths) {
  TPopupCalendar popup(nullptr);
  popup.SetValue(QVariant(date(2026, 3, 15)));
  popup.Button(cbNextYear)->ButtonClick();
  popup.Button(cbPrevMonth)->ButtonClick();
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2027, 2, 15));
  popup.Button(cbPrevYear)->ButtonClick();
  popup.Button(cbNextMonth)->ButtonClick();
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 3, 15));
}

TEST_F(Calendar, AnEmptyOrSeparatorOnlyValueShowsToday) {
  TPopupCalendar popup(nullptr);
  for (QVariant value : {QVariant(), QVariant(QString()), QVariant(QStringLiteral("  .  .    ")),
                         QVariant(QStringLiteral("no date"))}) {
    popup.SetValue(QVariant(date(2001, 1, 1)));
    popup.SetValue(value);
    EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), kToday) << value.toString().toStdString();
  }
  popup.SetValue(QStringLiteral("05.11.2001"));
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2001, 11, 5));
  EXPECT_EQ(popup.Title()->text(), "November, 2001");
}

TEST_F(Calendar, ReleasingOverADayPicksItAndABlankCellDoesNothing) {
  TPopupCalendar popup(nullptr);
  int accepted = 0, closed = 0;
  popup.CloseUpEvent = [&](tooledit::TPopupWindow*, bool accept) {
    ++closed;
    accepted += accept;
  };
  popup.SetValue(QVariant(date(2026, 3, 15)));  // March 2026: row 1 holds only day 1
  TLocCalendar* grid = popup.Calendar();
  TRect blank = grid->CellRect(0, 1);
  QPoint blankAt(blank.Left + 3, blank.Top + 3);
  rxtest::press(grid, blankAt);
  rxtest::release(grid, blankAt);
  EXPECT_EQ(closed, 0);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 3, 15));
  TRect day20 = grid->CellRect(4, 4);  // Friday of the fourth row
  ASSERT_EQ(grid->DayAt(4, 4), 20);
  QPoint dayAt(day20.Left + 3, day20.Top + 3);
  rxtest::press(grid, dayAt);
  rxtest::release(grid, dayAt);
  EXPECT_EQ(accepted, 1);
  EXPECT_DOUBLE_EQ(popup.GetValue().toDouble(), date(2026, 3, 20));
}

TEST_F(Calendar, TheWeekendColumnIsRedUnlessSelected) {
  TPopupCalendar popup(nullptr);
  popup.SetValue(QVariant(date(2026, 3, 18)));  // a Wednesday: the selection is elsewhere
  TLocCalendar* grid = popup.Calendar();
  QImage image = grid->Snapshot();
  auto redIn = [&](int col, int row) {
    TRect r = grid->CellRect(col, row);
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) {
        QColor c = image.pixelColor(x, y);
        if (c.red() > 160 && c.green() < 100 && c.blue() < 100) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(redIn(6, 0));
  EXPECT_TRUE(redIn(6, 2));
  EXPECT_FALSE(redIn(5, 2));
  popup.SetValue(QVariant(date(2026, 3, 22)));  // the Sunday selected
  image = grid->Snapshot();
  EXPECT_FALSE(redIn(6, 4));
}

TEST_F(Calendar, DialogScreenshots) {
  struct Shot {
    const char* name;
    dateutil::FormatSettings settings;
    TDateTime shown;
  } shots[] = {{"selectdate_en.png", englishDayMonthYear(), date(2026, 3, 12)},
               {"selectdate_ru.png", russianDayMonthYear(), date(2026, 9, 30)}};
  for (const Shot& shot : shots) {
    dateutil::SetFormatSettings(shot.settings);
    TSelectDateDlg dialog;
    dialog.SetDate(shot.shown);
    dialog.show();
    QImage picture = dialog.grab().toImage();
    ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
  }
}

}  // namespace
