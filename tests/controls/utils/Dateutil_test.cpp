// Tests of the date rules: calendar, century window, reading date texts by positions and by the
// free scan, date arithmetic and formatting, all under fixed regional settings and a fixed clock.
#include "controls/utils/Dateutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "controls/ControlsState.h"

using namespace dateutil;

namespace {

constexpr const char* kEditFormat = "DD/MM/YYYY";  // the date edit's four-digit format

FormatSettings dayMonthYear() {
  FormatSettings fs;
  fs.shortDateFormat = "dd.MM.yyyy";
  fs.dateSeparator = '.';
  fs.longDateFormat = "d MMMM yyyy";
  fs.timeAMString = "AM";
  fs.timePMString = "PM";
  fs.longMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
  fs.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  fs.longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  fs.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return fs;
}

// Fixed settings (day-month-year, '.') and a clock standing at 15 March 2026, 10:30.
class DateutilTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetFormatSettings(dayMonthYear());
    setNow(2026, 3, 15);
  }
  void TearDown() override { ResetControlsState(); }
  static void setNow(int y, int m, int d) {
    const TDateTime now = EncodeDate(y, m, d) + EncodeTime(10, 30, 0, 0);
    SetNowFunction([now] { return now; });
  }
  static void setOrder(const char* format, char separator) {
    FormatSettings fs = dayMonthYear();
    fs.shortDateFormat = format;
    fs.dateSeparator = separator;
    SetFormatSettings(fs);
  }
  static TDateTime read(const char* text, const char* format = kEditFormat) {
    return StrToDateFmtDef(format, text, -1.0);
  }
};

constexpr TDateTime kNotADate = -1.0;

TEST_F(DateutilTest, LeapYearsAndMonthLengths) {
  struct Case { int year; bool leap; };
  for (Case c : {Case{1900, false}, Case{2000, true}, Case{2004, true}, Case{2100, false},
                 Case{2023, false}}) {
    EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    EXPECT_EQ(DaysPerMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
  }
  EXPECT_EQ(DaysPerMonth(2001, 4), 30);
  EXPECT_EQ(DaysPerMonth(2001, 12), 31);
  EXPECT_EQ(DaysPerMonth(2001, 13), 0);
}

TEST_F(DateutilTest, SerialNumbersAndValidRange) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2001, 11, 5), 37200.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
  for (TDateTime serial = -693593; serial <= 2958465; serial += 9973.25) {
    int y = 0, m = 0, d = 0;
    ASSERT_TRUE(TryDecodeDate(serial, y, m, d)) << serial;
    EXPECT_EQ(EncodeDate(y, m, d), std::trunc(serial)) << serial;
  }
  EXPECT_TRUE(ValidDate(-693593.5));
  EXPECT_FALSE(ValidDate(-693594));
  EXPECT_FALSE(ValidDate(2958466));
  EXPECT_FALSE(ValidDate(NAN));
  EXPECT_FALSE(ValidDate(INFINITY));
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 1, 1)), 5);  // a Thursday
  EXPECT_EQ(DayOfWeek(0.0), 7);                     // 30 December 1899, a Saturday
}

TEST_F(DateutilTest, CenturyWindowFollowsTheCurrentYear) {
  struct Case { int now; int year; int want; };
  const Case cases[] = {
      {2026, 65, 2065}, {2026, 66, 1966}, {2026, 0, 2000}, {2026, 99, 1999},
      {2026, 100, 100}, {2026, 2001, 2001},
      // Two-digit 01 is 2001 for current years 1962 ... 2061.
      {1961, 1, 1901}, {1962, 1, 2001}, {2061, 1, 2001}, {2062, 1, 2101},
  };
  for (const Case& c : cases) {
    setNow(c.now, 6, 1);
    EXPECT_EQ(ApplyCenturyWindow(c.year), c.want) << c.year << " in " << c.now;
  }
}

TEST_F(DateutilTest, ReadingDateTexts) {
  struct Case { const char* text; TDateTime want; };
  const Case cases[] = {
      {"05.11.2001", EncodeDate(2001, 11, 5)},
      {"31.04.2001", kNotADate},
      {"5.11.01", EncodeDate(2001, 11, 5)},     // not aligned: the free scan reads it
      {"5.11", EncodeDate(2026, 11, 5)},        // day and month: the current year
      {"27.04.01  ", EncodeDate(2001, 4, 27)},  // two year digits typed into four places
      {"01.01.65", EncodeDate(2065, 1, 1)},
      {"01.01.66", EncodeDate(1966, 1, 1)},
      {"29.02.2000", EncodeDate(2000, 2, 29)},
      {"29.02.2004", EncodeDate(2004, 2, 29)},
      {"29.02.1900", kNotADate},
      {"29.02.2100", kNotADate},
      {"12.05.12345", kNotADate},               // the fifth digit is left over
      {" 5 . 11 . 2001 ", EncodeDate(2001, 11, 5)},
      {"5.11.2001x", kNotADate},
      {"5/11/2001", kNotADate},                 // not the date separator
      {"  .  .    ", kNotADate},                // the empty masked field
  };
  for (const Case& c : cases) EXPECT_EQ(read(c.text), c.want) << c.text;
}

TEST_F(DateutilTest, PositionsFailWhereTheFreeScanIsNeeded) {
  int y = 0, m = 0, d = 0;
  EXPECT_TRUE(ReadDateByPositions(kEditFormat, "05.11.2001", y, m, d));
  EXPECT_FALSE(ReadDateByPositions(kEditFormat, "5.11.01", y, m, d));
  ASSERT_TRUE(ReadDateFreely("5.11.01", y, m, d));
  EXPECT_EQ(y * 10000 + m * 100 + d, 20011105);
  EXPECT_FALSE(ReadDateFreely("31.04.2001", y, m, d));
}

TEST_F(DateutilTest, BlankYearIsNoDate) {
  // The date edit's text with the year places left blank: neither 1999 nor this year.
  EXPECT_EQ(read("27.04.    "), kNotADate);
  EXPECT_EQ(read("27.04.  ", "DD/MM/YY"), kNotADate);
  EXPECT_THROW(StrToDateFmt(kEditFormat, "27.04.    "), EConvertError);
  int y = 0, m = 0, d = 0;
  EXPECT_FALSE(ReadDateByPositions(kEditFormat, "27.04.    ", y, m, d));
  // Typed without the year places, day and month still mean this year.
  EXPECT_EQ(read("27.04."), EncodeDate(2026, 4, 27));
}

TEST_F(DateutilTest, OtherDateOrdersInTheFreeScan) {
  setOrder("MM/dd/yyyy", '/');
  EXPECT_EQ(read("11/5/2001"), EncodeDate(2001, 11, 5));
  EXPECT_EQ(read("11/5"), EncodeDate(2026, 11, 5));
  setOrder("yyyy-MM-dd", '-');
  EXPECT_EQ(read("2001-11-5"), EncodeDate(2001, 11, 5));
  EXPECT_EQ(read("11-5"), EncodeDate(2026, 11, 5));
  EXPECT_EQ(read("1-11-5"), EncodeDate(2001, 11, 5));
}

TEST_F(DateutilTest, MonthNamesInTheFormat) {
  EXPECT_EQ(read("05-Nov-2001", "DD-MMM-YYYY"), EncodeDate(2001, 11, 5));
  EXPECT_EQ(read("05-nov-2001", "DD-MMM-YYYY"), EncodeDate(2001, 11, 5));
  EXPECT_EQ(read("05-Xyz-2001", "DD-MMM-YYYY"), kNotADate);
  EXPECT_EQ(read("05-   -2001", "DD-MMM-YYYY"), kNotADate);  // a blank name is not January

  EXPECT_EQ(MonthFromName("Ma", 2), 3);  // the first month that fits
  EXPECT_EQ(MonthFromName("May", 3), 5);
  EXPECT_EQ(MonthFromName("Ma", 3), 0);
  EXPECT_EQ(MonthFromName("anything", 0), 0);

  FormatSettings fs = dayMonthYear();
  fs.longMonthNames[10] = "\xCD\xEE\xFF\xE1\xF0\xFC";  // Ноябрь
  SetFormatSettings(fs);
  EXPECT_EQ(MonthFromName("\xED\xEE\xFF", 3), 11);       // ноя
}

TEST_F(DateutilTest, EmptyTextAndErrors) {
  EXPECT_EQ(StrToDateFmt(kEditFormat, ""), NullDate);
  EXPECT_EQ(StrToDateFmtDef(kEditFormat, "", 45000.0), NullDate);
  EXPECT_EQ(StrToDateFmtDef(kEditFormat, "junk", 45000.75), 45000.0);  // whole days only
  EXPECT_EQ(StrToDateDef("05.11.2001", 0), EncodeDate(2001, 11, 5));
  try {
    StrToDateFmt(kEditFormat, "31.04.2001");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "''31.04.2001'' is not a valid date");
  }
}

TEST_F(DateutilTest, FormatsAndMasksFollowTheDateOrder) {
  struct Case {
    const char* shortFormat;
    TDateOrder order;
    const char *four, *two, *mask4;
  };
  const Case cases[] = {
      {"dd.MM.yyyy", doDMY, "DD/MM/YYYY", "DD/MM/YY", "!99/99/9999;1;_"},
      {"M/d/yy", doMDY, "MM/DD/YYYY", "MM/DD/YY", "!99/99/9999;1;_"},
      {"yyyy-MM-dd", doYMD, "YYYY/MM/DD", "YY/MM/DD", "!9999/99/99;1;_"},
      {"gg ee/MM/dd", doYMD, "YYYY/MM/DD", "YY/MM/DD", "!9999/99/99;1;_"},
      {"", doDMY, "DD/MM/YYYY", "DD/MM/YY", "!99/99/9999;1;_"},
  };
  for (const Case& c : cases) {
    setOrder(c.shortFormat, '/');
    EXPECT_EQ(GetDateOrder(c.shortFormat), c.order) << c.shortFormat;
    EXPECT_EQ(DefDateFormat(true), c.four) << c.shortFormat;
    EXPECT_EQ(DefDateFormat(false), c.two) << c.shortFormat;
    EXPECT_EQ(DefDateMask('_', true), c.mask4) << c.shortFormat;
    EXPECT_EQ(DefDateMask(' ', false), "!99/99/99;1; ") << c.shortFormat;
  }
  setOrder("dd.MM.yyyy", '.');
  EXPECT_TRUE(FourDigitYear());
  setOrder("dd.MM.yy", '.');
  EXPECT_FALSE(FourDigitYear());
}

TEST_F(DateutilTest, MonthAndYearSteps) {
  struct Case { TDateTime from; int days, months, years; TDateTime want; };
  const Case cases[] = {
      {EncodeDate(2004, 1, 31), 0, 1, 0, EncodeDate(2004, 2, 29)},
      {EncodeDate(2003, 1, 31), 0, 1, 0, EncodeDate(2003, 2, 28)},
      {EncodeDate(2001, 1, 15), 0, -1, 0, EncodeDate(2000, 12, 15)},
      {EncodeDate(2001, 1, 15), 0, -13, 0, EncodeDate(1999, 12, 15)},
      {EncodeDate(2001, 11, 15), 0, 14, 0, EncodeDate(2003, 1, 15)},
      {EncodeDate(2004, 2, 29), 0, 0, 1, EncodeDate(2005, 2, 28)},
      {EncodeDate(2001, 1, 31), 1, 1, 0, EncodeDate(2001, 3, 1)},
      {EncodeDate(2001, 1, 1) + 0.25, 0, 1, 0, EncodeDate(2001, 2, 1) + 0.25},  // time kept
  };
  for (const Case& c : cases)
    EXPECT_EQ(IncDate(c.from, c.days, c.months, c.years), c.want) << c.from;
  EXPECT_EQ(IncMonth(EncodeDate(2001, 3, 31), -1), EncodeDate(2001, 2, 28));
  EXPECT_EQ(IncYear(EncodeDate(2001, 3, 31), 2), EncodeDate(2003, 3, 31));
  EXPECT_EQ(IncDay(1.5, 2), 3.5);
  EXPECT_THROW(IncYear(EncodeDate(9999, 6, 1), 1), EConvertError);
}

TEST_F(DateutilTest, DifferencesBetweenDates) {
  int days = 0, months = 0, years = 0;
  DateDiff(EncodeDate(2001, 3, 1), EncodeDate(2001, 1, 31), days, months, years);  // any order
  EXPECT_EQ(years * 10000 + months * 100 + days, 101);
  DateDiff(EncodeDate(1999, 12, 20), EncodeDate(2001, 2, 5), days, months, years);
  EXPECT_EQ(years * 10000 + months * 100 + days, 10116);  // borrow of December's 31 days

  struct Case { int leftover; double fraction; };
  for (Case c : {Case{1, 0.0}, Case{2, 0.25}, Case{6, 0.25}, Case{7, 0.5}, Case{14, 0.5},
                 Case{15, 0.75}, Case{20, 0.75}, Case{21, 1.0}})
    EXPECT_EQ(MonthsBetween(EncodeDate(2001, 1, 1), EncodeDate(2001, 3, 1 + c.leftover)),
              2 + c.fraction)
        << c.leftover;

  EXPECT_EQ(DaysInPeriod(EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 1)), 10);
  EXPECT_EQ(DaysInPeriod(EncodeDate(2001, 1, 1), 1e9), 0);
  EXPECT_EQ(DaysBetween(EncodeDate(2001, 1, 1), EncodeDate(2001, 1, 10) + 0.9), 10);
  EXPECT_EQ(DaysBetween(EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 1)), 0);
}

TEST_F(DateutilTest, TimeSteps) {
  EXPECT_NEAR(IncHour(0.5, 25), 1.5 + 1.0 / 24, 1e-12);
  EXPECT_NEAR(IncMinute(0.0, -30), 1.0 - 30.0 / 1440, 1e-12);  // below zero gets a day added
  EXPECT_NEAR(IncSecond(0.0, 90), 90.0 / 86400, 1e-12);
  EXPECT_NEAR(IncMSec(0.0, 500), 500.0 / 86400000, 1e-15);
  EXPECT_EQ(CutTime(37200.75), 37200.0);
}

TEST_F(DateutilTest, MonthsAroundToday) {
  setNow(2026, 12, 15);
  EXPECT_EQ(FirstDayOfNextMonth(), EncodeDate(2027, 1, 1));
  setNow(2026, 1, 15);
  EXPECT_EQ(FirstDayOfPrevMonth(), EncodeDate(2025, 12, 1));
  setNow(2024, 3, 15);
  EXPECT_EQ(LastDayOfPrevMonth(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(CurrentYear(), 2024);
  EXPECT_EQ(Today(), EncodeDate(2024, 3, 15));
  const TDateTime date = EncodeDate(2001, 11, 5);
  EXPECT_EQ(ExtractYear(date) * 10000 + ExtractMonth(date) * 100 + ExtractDay(date), 20011105);
  EXPECT_EQ(ExtractDay(NAN), 0);
}

TEST_F(DateutilTest, Formatting) {
  const TDateTime t = EncodeDate(2001, 11, 5) + EncodeTime(14, 3, 9, 7);
  struct Case { const char* format; const char* want; };
  const Case cases[] = {
      {"dd/mm/yyyy hh:nn:ss", "05.11.2001 14:03:09"},
      {"d mmmm yy", "5 November 01"},
      {"ddd, d mmm", "Mon, 5 Nov"},
      {"hh:mm", "14:03"},                         // minutes right after an hour
      {"h:nn am/pm", "2:03 pm"},
      {"h:nn AMPM", "2:03 PM"},
      {"zzz \"dd\" 'mm'", "007 dd mm"},
      {"ddddd", "05.11.2001"},
      {"c", "05.11.2001 14:03:09"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, t), c.want) << c.format;
  EXPECT_EQ(FormatDateTime("dd", 1e9), "");

  EXPECT_EQ(FormatLongDate(t), "5 November 2001");
  EXPECT_EQ(FormatLongDateTime(t), "5 November 2001 14:03:09");
  EXPECT_EQ(FormatLongDateTime(NullDate), "");
}

TEST_F(DateutilTest, SystemSettingsReadBackWhatTheyWrite) {
  // Whatever the locale of the machine, a date written in its short format reads back.
  const FormatSettings fs = SystemFormatSettings();
  SetFormatSettings(fs);
  ASSERT_FALSE(fs.shortDateFormat.empty());
  const TDateTime date = EncodeDate(2001, 11, 5);
  const std::string text = FormatDateTime(fs.shortDateFormat, date);
  EXPECT_EQ(StrToDateFmt(fs.shortDateFormat, text), date) << fs.shortDateFormat << " -> " << text;
  EXPECT_FALSE(fs.longMonthNames[10].empty());
}

}  // namespace
