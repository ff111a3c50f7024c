// Dateutil: date orders, the date edit's format and mask, and reading date texts.
//
// A text is read first by the positions of the format's letters (the date edit's masked text
// lines up with its format), and when that fails by a free scan of number, separator, number
// [, separator, number]. Two-digit years go through the century window.
#include "controls/utils/Dateutil.h"

#include <cmath>
#include <optional>

#include "controls/utils/Strutils.h"

namespace dateutil {

namespace {

constexpr char kBlank = ' ';
constexpr int kUnreadable = -1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool fieldsValid(int y, int m, int d) {
  return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysPerMonth(y, m);
}

// The non-blank characters of Text under the run of the format letter that starts at `at`.
std::string textUnderRun(std::string_view upperFormat, std::string_view text, size_t at) {
  std::string out;
  const char letter = upperFormat[at];
  for (size_t i = at; i < upperFormat.size() && upperFormat[i] == letter && i < text.size(); ++i)
    if (text[i] != kBlank) out += text[i];
  return out;
}

// The number under the first run of `letter`: kUnreadable when blank or not a number,
// `absent` when the format has no such letter.
int numericField(std::string_view upperFormat, std::string_view text, char letter, int absent) {
  size_t at = upperFormat.find(letter);
  if (at == std::string_view::npos) return absent;
  std::string digits = textUnderRun(upperFormat, text, at);
  if (digits.empty() || digits.size() > 9) return kUnreadable;
  int value = 0;
  for (char c : digits) {
    if (!isDigit(c)) return kUnreadable;
    value = value * 10 + (c - '0');
  }
  return value;
}

int monthField(std::string_view upperFormat, std::string_view text) {
  size_t at = upperFormat.find("MMM");
  if (at == std::string_view::npos) return numericField(upperFormat, text, 'M', 0);
  std::string name = textUnderRun(upperFormat, text, at);
  int month = MonthFromName(name, static_cast<int>(name.size()));
  return month == 0 ? kUnreadable : month;
}

void skipBlanks(std::string_view s, size_t& pos) {
  while (pos < s.size() && s[pos] == kBlank) ++pos;
}

// A run of digits, read while its value is below 1000, so at most four digits count.
bool scanNumber(std::string_view s, size_t& pos, int& number) {
  skipBlanks(s, pos);
  size_t start = pos;
  number = 0;
  while (pos < s.size() && isDigit(s[pos]) && number < 1000)
    number = number * 10 + (s[pos++] - '0');
  return pos > start;
}

bool scanChar(std::string_view s, size_t& pos, char c) {
  skipBlanks(s, pos);
  if (pos >= s.size() || s[pos] != c) return false;
  ++pos;
  return true;
}

bool startsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() &&
         strutils::upperCase1251(s.substr(0, prefix.size())) == strutils::upperCase1251(prefix);
}

// Far-East locales may write a weekday name after the date; skip up to the AM/PM designator.
void skipFarEastTail(std::string_view s, size_t& pos, const FormatSettings& fs) {
  if (!fs.farEast || strutils::upperCase1251(fs.shortDateFormat).find("DDD") == std::string::npos)
    return;
  if (!fs.shortTimeFormat.empty() && isDigit(fs.shortTimeFormat[0])) {
    while (pos < s.size() && !isDigit(s[pos])) ++pos;
    return;
  }
  while (pos < s.size() && !startsWithText(s.substr(pos), fs.timeAMString) &&
         !startsWithText(s.substr(pos), fs.timePMString)) {
    while (pos < s.size() && s[pos] != kBlank) ++pos;
    skipBlanks(s, pos);
  }
}

// True when the text reaches over all of the format's year places and they are blank, as in
// the date edit's masked text with the year left out.
bool yearPlacesBlank(std::string_view format, std::string_view text) {
  const std::string upper = strutils::upperCase1251(format);
  size_t at = upper.find('Y');
  if (at == std::string::npos) return false;
  size_t end = at;
  while (end < upper.size() && upper[end] == 'Y') ++end;
  return text.size() >= end &&
         text.substr(at, end - at).find_first_not_of(kBlank) == std::string_view::npos;
}

std::optional<TDateTime> readDate(std::string_view format, std::string_view text) {
  if (text.empty()) return NullDate;
  // A left-out year must not become some year: the free scan would read "27.04.    " as this
  // year, the century window as 1999. Either would be a silent wrong date.
  if (yearPlacesBlank(format, text)) return std::nullopt;
  int y = 0, m = 0, d = 0;
  if (!ReadDateByPositions(format, text, y, m, d) && !ReadDateFreely(text, y, m, d))
    return std::nullopt;
  TDateTime date = NullDate;
  if (!TryEncodeDate(y, m, d, date)) return std::nullopt;
  return date;
}

}  // namespace

TDateOrder GetDateOrder(std::string_view Format) {
  for (char c : Format) {
    switch (strutils::upperCase1251(c)) {
      case 'D': return doDMY;
      case 'M': return doMDY;
      case 'Y':
      case 'E': return doYMD;
      default: break;
    }
  }
  return doDMY;
}

bool FourDigitYear() {
  return strutils::upperCase1251(CurrentFormatSettings().shortDateFormat).find("YYYY") !=
         std::string::npos;
}

std::string DefDateFormat(bool FourDigits) {
  switch (GetDateOrder(CurrentFormatSettings().shortDateFormat)) {
    case doMDY: return FourDigits ? "MM/DD/YYYY" : "MM/DD/YY";
    case doYMD: return FourDigits ? "YYYY/MM/DD" : "YY/MM/DD";
    case doDMY: break;
  }
  return FourDigits ? "DD/MM/YYYY" : "DD/MM/YY";
}

std::string DefDateMask(char BlanksChar, bool FourDigits) {
  std::string mask = "!99/99/99;1;";
  if (FourDigits)
    mask = GetDateOrder(CurrentFormatSettings().shortDateFormat) == doYMD ? "!9999/99/99;1;"
                                                                          : "!99/99/9999;1;";
  return mask + BlanksChar;
}

int MonthFromName(std::string_view Text, int Length) {
  if (Length < 1) return 0;
  const std::string wanted = strutils::upperCase1251(Text.substr(0, Length));
  const auto& names = CurrentFormatSettings().longMonthNames;
  for (int i = 0; i < 12; ++i) {
    std::string_view name = names[i];
    if (!name.empty() && strutils::upperCase1251(name.substr(0, Length)) == wanted) return i + 1;
  }
  return 0;
}

int ApplyCenturyWindow(int Year) {
  if (Year >= 100) return Year;
  const int pivot = CurrentYear() - CenturyOffset;
  Year += pivot / 100 * 100;
  if (CenturyOffset > 0 && Year < pivot) Year += 100;
  return Year;
}

bool ReadDateByPositions(std::string_view Format, std::string_view Text, int& Y, int& M, int& D) {
  const std::string format = strutils::upperCase1251(Format);
  if (Text.size() > format.size()) {  // cannot line up: all fields take their defaults
    Y = CurrentYear();
    M = 0;
    D = 1;
    return false;
  }
  M = monthField(format, Text);
  D = numericField(format, Text, 'D', 1);
  Y = numericField(format, Text, 'Y', CurrentYear());
  // A blank year is no year: the century window would turn it into a silent past date.
  if (Y == kUnreadable) return false;
  Y = ApplyCenturyWindow(Y);
  return fieldsValid(Y, M, D);
}

bool ReadDateFreely(std::string_view Text, int& Y, int& M, int& D) {
  const FormatSettings& fs = CurrentFormatSettings();
  size_t pos = 0;
  // An era name before the date is skipped. (Windows-1251 has no double-byte characters.)
  if (!fs.shortDateFormat.empty() && strutils::upperCase1251(fs.shortDateFormat[0]) == 'G')
    while (pos < Text.size() && !isDigit(Text[pos])) ++pos;
  int n1 = 0, n2 = 0, n3 = 0;
  if (!scanNumber(Text, pos, n1) || !scanChar(Text, pos, fs.dateSeparator) ||
      !scanNumber(Text, pos, n2))
    return false;
  const TDateOrder order = GetDateOrder(fs.shortDateFormat);
  if (scanChar(Text, pos, fs.dateSeparator) && scanNumber(Text, pos, n3)) {
    switch (order) {
      case doMDY: M = n1, D = n2, Y = n3; break;
      case doDMY: D = n1, M = n2, Y = n3; break;
      case doYMD: Y = n1, M = n2, D = n3; break;
    }
    Y = ApplyCenturyWindow(Y);
  } else {
    Y = CurrentYear();
    D = order == doDMY ? n1 : n2;
    M = order == doDMY ? n2 : n1;
  }
  scanChar(Text, pos, fs.dateSeparator);
  skipBlanks(Text, pos);
  skipFarEastTail(Text, pos, fs);
  return pos == Text.size() && fieldsValid(Y, M, D);
}

TDateTime StrToDateFmt(std::string_view Format, std::string_view Text) {
  if (auto date = readDate(Format, Text)) return *date;
  throw EConvertError("''" + std::string(Text) + "'' is not a valid date");
}

TDateTime StrToDateFmtDef(std::string_view Format, std::string_view Text, TDateTime Default) {
  if (auto date = readDate(Format, Text)) return *date;
  return std::trunc(Default);
}

TDateTime StrToDateDef(std::string_view Text, TDateTime Default) {
  return StrToDateFmtDef(CurrentFormatSettings().shortDateFormat, Text, Default);
}

}  // namespace dateutil
