// Dateutil: the settings and clock in effect, calendar arithmetic and the date computations.
// Reading date texts is in DateutilRead.cpp, formatting and the locale in DateutilFormat.cpp.
#include "controls/utils/Dateutil.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "controls/ControlsState.h"
#include "platform/Clock.h"

namespace dateutil {

namespace {

constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int64_t kMsPerDay = 86'400'000;
// Serial numbers of 1 January 0001 and 31 December 9999, the range a date may take.
constexpr int64_t kFirstSerial = -693'593;
constexpr int64_t kLastSerial = 2'958'465;
// Days from 1 January 1970 (the civil day count below) to 30 December 1899 (serial 0).
constexpr int64_t kSerialEpoch = -25'569;

int64_t daysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146'097 + doe - 719'468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719'468;
  const int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const int64_t doe = z - era * 146'097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// The time of day of a date-time; for dates before 1899-12-30 the fraction counts forward too.
double timePart(TDateTime v) { return std::fabs(v - std::trunc(v)); }
TDateTime withTime(double day, double time) { return day >= 0 ? day + time : day - time; }

TDateTime localClockNow() {
  std::tm t = platform::LocalTimeNow();
  return withTime(EncodeDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday),
                  EncodeTime(t.tm_hour, t.tm_min, std::min(t.tm_sec, 59), 0));
}

// The month before (step -1) or after (step +1) the one that holds today, as year and month.
void neighbourMonth(int step, int& y, int& m) {
  int d = 0;
  TryDecodeDate(Today(), y, m, d);
  m += step;
  if (m < 1) m = 12, --y;
  if (m > 12) m = 1, ++y;
}

int extractPart(TDateTime date, int which) {
  int parts[3] = {0, 0, 0};
  if (!TryDecodeDate(date, parts[0], parts[1], parts[2])) return 0;
  return parts[which];
}

}  // namespace

// --- Settings and the clock ------------------------------------------------------------------

const FormatSettings& CurrentFormatSettings() {
  auto& slot = detail::Settings;
  if (!slot) slot = std::make_unique<FormatSettings>(SystemFormatSettings());
  return *slot;
}

void SetFormatSettings(const FormatSettings& settings) {
  detail::Settings = std::make_unique<FormatSettings>(settings);
}

void SetNowFunction(std::function<TDateTime()> now) { detail::NowFunction = std::move(now); }

TDateTime Now() { return detail::NowFunction ? detail::NowFunction() : localClockNow(); }
TDateTime Today() { return std::trunc(Now()); }

// --- Calendar arithmetic ---------------------------------------------------------------------

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysPerMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) return 0;
  return kDaysPerMonth[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool ValidDate(TDateTime Date) {
  int y = 0, m = 0, d = 0;
  return TryDecodeDate(Date, y, m, d);
}

int CurrentYear() {
  int y = 0, m = 0, d = 0;
  return TryDecodeDate(Now(), y, m, d) ? y : 0;
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysPerMonth(Year, Month)) return false;
  Date = static_cast<double>(daysFromCivil(Year, Month, Day) - kSerialEpoch);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime date = 0;
  if (!TryEncodeDate(Year, Month, Day, date))
    throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryDecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
  if (!std::isfinite(Date)) return false;
  double serial = std::trunc(Date);
  if (serial < kFirstSerial || serial > kLastSerial) return false;
  civilFromDays(static_cast<int64_t>(serial) + kSerialEpoch, Year, Month, Day);
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
    throw EConvertError("Invalid argument to time encode");
  return static_cast<double>(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / kMsPerDay;
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
  double fraction = std::isfinite(Time) ? timePart(Time) : 0.0;
  int64_t ms = std::min<int64_t>(std::llround(fraction * kMsPerDay), kMsPerDay - 1);
  MSec = static_cast<int>(ms % 1000);
  Sec = static_cast<int>(ms / 1000 % 60);
  Min = static_cast<int>(ms / 60'000 % 60);
  Hour = static_cast<int>(ms / 3'600'000);
}

int DayOfWeek(TDateTime Date) {
  if (!ValidDate(Date)) return 0;
  // Serial 0 (30 December 1899) was a Saturday.
  int64_t serial = static_cast<int64_t>(std::trunc(Date));
  return static_cast<int>(((serial - 1) % 7 + 7) % 7) + 1;
}

// --- Other routines --------------------------------------------------------------------------

TDateTime FirstDayOfNextMonth() {
  int y = 0, m = 0;
  neighbourMonth(+1, y, m);
  return EncodeDate(y, m, 1);
}

TDateTime FirstDayOfPrevMonth() {
  int y = 0, m = 0;
  neighbourMonth(-1, y, m);
  return EncodeDate(y, m, 1);
}

TDateTime LastDayOfPrevMonth() {
  int y = 0, m = 0;
  neighbourMonth(-1, y, m);
  return EncodeDate(y, m, DaysPerMonth(y, m));
}

int ExtractYear(TDateTime Date) { return extractPart(Date, 0); }
int ExtractMonth(TDateTime Date) { return extractPart(Date, 1); }
int ExtractDay(TDateTime Date) { return extractPart(Date, 2); }

TDateTime IncDate(TDateTime Date, int Days, int Months, int Years) {
  int y = 0, m = 0, d = 0;
  if (!TryDecodeDate(Date, y, m, d)) throw EConvertError("Invalid argument to date encode");
  int64_t year = int64_t{y} + Years + Months / 12;
  m += Months % 12;
  if (m < 1) m += 12, --year;
  if (m > 12) m -= 12, ++year;
  if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
  d = std::min(d, DaysPerMonth(static_cast<int>(year), m));
  return withTime(EncodeDate(static_cast<int>(year), m, d) + Days, timePart(Date));
}

TDateTime IncDay(TDateTime Date, int N) { return Date + N; }
TDateTime IncMonth(TDateTime Date, int N) { return IncDate(Date, 0, N, 0); }
TDateTime IncYear(TDateTime Date, int N) { return IncDate(Date, 0, 0, N); }

void DateDiff(TDateTime Date1, TDateTime Date2, int& Days, int& Months, int& Years) {
  Days = Months = Years = 0;
  if (Date1 > Date2) std::swap(Date1, Date2);
  int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
  if (!TryDecodeDate(Date1, y1, m1, d1) || !TryDecodeDate(Date2, y2, m2, d2)) return;
  Years = y2 - y1;
  Months = m2 - m1;
  Days = d2 - d1;
  if (Days < 0) {  // borrow a month: the length of the earlier date's month
    Days += DaysPerMonth(y1, m1);
    --Months;
  }
  if (Months < 0) {
    Months += 12;
    --Years;
  }
}

double MonthsBetween(TDateTime Date1, TDateTime Date2) {
  int days = 0, months = 0, years = 0;
  DateDiff(Date1, Date2, days, months, years);
  double fraction = days >= 21 ? 1.0 : days >= 15 ? 0.75 : days >= 7 ? 0.5 : days >= 2 ? 0.25 : 0.0;
  return years * 12 + months + fraction;
}

int DaysInPeriod(TDateTime Date1, TDateTime Date2) {
  if (!ValidDate(Date1) || !ValidDate(Date2)) return 0;
  return static_cast<int>(std::fabs(std::trunc(Date2) - std::trunc(Date1))) + 1;
}

int DaysBetween(TDateTime Date1, TDateTime Date2) {
  double days = std::trunc(Date2) - std::trunc(Date1) + 1;
  if (!(days >= 0)) return 0;  // also for NaN
  return days > INT_MAX ? INT_MAX : static_cast<int>(days);
}

TDateTime IncTime(TDateTime Time, int Hours, int Minutes, int Seconds, int MSecs) {
  int64_t ms =
      int64_t{Hours % 24} * 3'600'000 + int64_t{Minutes} * 60'000 + int64_t{Seconds} * 1000 + MSecs;
  TDateTime result = Time + Hours / 24 + static_cast<double>(ms) / kMsPerDay;
  return result < 0 ? result + 1 : result;
}

TDateTime IncHour(TDateTime Time, int N) { return IncTime(Time, N, 0, 0, 0); }
TDateTime IncMinute(TDateTime Time, int N) { return IncTime(Time, 0, N, 0, 0); }
TDateTime IncSecond(TDateTime Time, int N) { return IncTime(Time, 0, 0, N, 0); }
TDateTime IncMSec(TDateTime Time, int N) { return IncTime(Time, 0, 0, 0, N); }

TDateTime CutTime(TDateTime Date) { return std::trunc(Date); }

}  // namespace dateutil
