// Date rules of the controls: leap years and month lengths, the date edit's format and mask,
// and reading a date text against a date format with a century window for two-digit years.
//
// Dates are TDateTime values: days since 30 December 1899, the time of day in the fraction.
// The regional settings (date format and separator, month and day names, AM/PM) and the clock
// that gives today's date are unit-wide and replaceable, so tests can fix both; by default they
// come from the process locale (LC_TIME) and the local clock (simulated time under VYX_SIM).
// Texts are Windows-1251 bytes, as everywhere in the controls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

// The class library's date-time: days since 30 December 1899, the time of day in the fraction.
using TDateTime = double;

namespace dateutil {

enum TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// A set of weekdays (the calendar's weekend columns).
class TDaysOfWeek {
public:
  constexpr TDaysOfWeek() = default;
  constexpr TDaysOfWeek(std::initializer_list<TDayOfWeekName> days) {
    for (TDayOfWeekName d : days) bits_ |= bit(d);
  }
  constexpr bool contains(TDayOfWeekName d) const { return (bits_ & bit(d)) != 0; }
  constexpr void include(TDayOfWeekName d) { bits_ |= bit(d); }
  constexpr void exclude(TDayOfWeekName d) { bits_ &= static_cast<uint8_t>(~bit(d)); }
  constexpr bool operator==(const TDaysOfWeek&) const = default;

private:
  static constexpr uint8_t bit(TDayOfWeekName d) { return static_cast<uint8_t>(1u << d); }
  uint8_t bits_ = 0;
};

enum TDateOrder { doMDY, doDMY, doYMD };

// The class library's conversion error; what() is the message to show.
class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr uint8_t CenturyOffset = 60;  // width of the past part of the century window
inline constexpr TDateTime NullDate = 0.0;    // the empty date

// --- Regional settings and the clock ---------------------------------------------------------

struct FormatSettings {
  std::string shortDateFormat = "dd.MM.yyyy";  // letters d, M, y; other characters literal
  char dateSeparator = '.';
  std::string longDateFormat = "d MMMM yyyy";
  std::string shortTimeFormat = "hh:nn";
  std::string longTimeFormat = "hh:nn:ss";
  char timeSeparator = ':';
  std::string timeAMString, timePMString;
  std::array<std::string, 12> shortMonthNames, longMonthNames;  // January first
  std::array<std::string, 7> shortDayNames, longDayNames;       // Sunday first
  bool farEast = false;  // a Far-East system locale
  // Numbers: the decimal separator is '.' always (the program sets it before anything is read);
  // the thousand separator and the currency come from the locale's LC_NUMERIC and LC_MONETARY.
  char thousandSeparator = ',';
  std::string currencyString;
  // Where the currency stands: 0 before the number, 1 after it, 2 before it with a blank, 3
  // after it with a blank.
  uint8_t currencyFormat = 0;
  uint8_t currencyDecimals = 2;
};

// The settings of the process locale's LC_TIME, LC_NUMERIC and LC_MONETARY categories, texts
// converted to Windows-1251.
FormatSettings SystemFormatSettings();

// The settings every routine reads at the moment of its call; SystemFormatSettings() until
// replaced.
const FormatSettings& CurrentFormatSettings();
void SetFormatSettings(const FormatSettings& settings);

// The source of the present moment; an empty function restores the local clock.
void SetNowFunction(std::function<TDateTime()> now);
TDateTime Now();
TDateTime Today();  // Now() without the time of day

// --- Calendar arithmetic ---------------------------------------------------------------------

bool IsLeapYear(int Year);
int DaysPerMonth(int Year, int Month);  // 0 for a month outside 1..12
bool ValidDate(TDateTime Date);         // splits and checks; False for any value out of range
int CurrentYear();

// Building and splitting dates (proleptic Gregorian calendar, years 1..9999).
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day);  // throws EConvertError when invalid
bool TryDecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
int DayOfWeek(TDateTime Date);  // 1 = Sunday ... 7 = Saturday; 0 out of range

// --- Formats and reading ---------------------------------------------------------------------

TDateOrder GetDateOrder(std::string_view Format);
bool FourDigitYear();  // whether the short date format holds "YYYY"
// "DD/MM/YYYY", "MM/DD/YYYY" or "YYYY/MM/DD" (two-digit years with FourDigits false) by the
// order of the short date format; '/' stands for the date separator.
std::string DefDateFormat(bool FourDigits);
std::string DefDateMask(char BlanksChar, bool FourDigits);
// The first month whose long name starts, ignoring case, like the first Length characters of
// Text; 0 when none (and for Length < 1).
int MonthFromName(std::string_view Text, int Length);

// The steps of reading a date text; each fills year, month and day and says whether they form
// a date. A blank or unreadable year or month is never a date.
int ApplyCenturyWindow(int Year);
bool ReadDateByPositions(std::string_view Format, std::string_view Text, int& Y, int& M, int& D);
bool ReadDateFreely(std::string_view Text, int& Y, int& M, int& D);

// The date of Text read against Format; an empty Text is NullDate. Throws EConvertError with
// "''<text>'' is not a valid date" when Text is no date.
TDateTime StrToDateFmt(std::string_view Format, std::string_view Text);
// As StrToDateFmt, but Default without its time of day instead of the error.
TDateTime StrToDateFmtDef(std::string_view Format, std::string_view Text, TDateTime Default);
TDateTime StrToDateDef(std::string_view Text, TDateTime Default);  // the short date format

// The class library's date-time formatting: d dd ddd dddd ddddd dddddd, m mm mmm mmmm
// (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm,
// '/' and ':' for the separators, text in quotes literal. Empty for a value out of range.
std::string FormatDateTime(std::string_view Format, TDateTime Value);

// --- Other routines --------------------------------------------------------------------------

TDateTime FirstDayOfNextMonth();
TDateTime FirstDayOfPrevMonth();
TDateTime LastDayOfPrevMonth();
int ExtractDay(TDateTime Date);  // 0 for a value out of range, as the other two
int ExtractMonth(TDateTime Date);
int ExtractYear(TDateTime Date);

// Months and years move the month (the day cut to its length), then Days are added; the time
// of day is kept. Throws EConvertError when the date or the result lies outside years 1..9999.
TDateTime IncDate(TDateTime Date, int Days, int Months, int Years);
TDateTime IncDay(TDateTime Date, int N);
TDateTime IncMonth(TDateTime Date, int N);
TDateTime IncYear(TDateTime Date, int N);
// Years, months and days from the earlier to the later date; all 0 when either is out of range.
void DateDiff(TDateTime Date1, TDateTime Date2, int& Days, int& Months, int& Years);
double MonthsBetween(TDateTime Date1, TDateTime Date2);
int DaysInPeriod(TDateTime Date1, TDateTime Date2);  // both ends counted
int DaysBetween(TDateTime Date1, TDateTime Date2);

TDateTime IncTime(TDateTime Time, int Hours, int Minutes, int Seconds, int MSecs);
TDateTime IncHour(TDateTime Time, int N);
TDateTime IncMinute(TDateTime Time, int N);
TDateTime IncSecond(TDateTime Time, int N);
TDateTime IncMSec(TDateTime Time, int N);
TDateTime CutTime(TDateTime Date);

std::string FormatLongDate(TDateTime Date);      // the long date format, trailing blanks removed
std::string FormatLongDateTime(TDateTime Date);  // long date + " " + long time; empty for NullDate

}  // namespace dateutil
