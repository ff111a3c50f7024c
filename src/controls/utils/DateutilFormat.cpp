// Dateutil: regional settings from the process locale, and formatting date-times as text.
#include "controls/utils/Dateutil.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "controls/utils/Strutils.h"

namespace dateutil {

namespace {

// --- Settings from the locale ----------------------------------------------------------------

// A locale text (in the locale's own code set) as Windows-1251 bytes; '?' where 1251 has no
// such character.
std::string toWindows1251(const char* text, const char* codeSet) {
  if (text == nullptr) return std::string();
  iconv_t cd = iconv_open("CP1251//TRANSLIT", codeSet);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in(text), out(in.size() * 4 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t srcLeft = in.size(), dstLeft = out.size();
  size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::string();
  out.resize(out.size() - dstLeft);
  return out;
}

// One strftime conversion as format letters of FormatDateTime.
std::string lettersOf(char conversion) {
  switch (conversion) {
    case 'd': return "dd";
    case 'e': return "d";
    case 'm': return "MM";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'b':
    case 'h': return "MMM";
    case 'B': return "MMMM";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'D': return "MM/dd/yy";
    case 'F': return "yyyy-MM-dd";
    case 'H':
    case 'I': return "hh";
    case 'k':
    case 'l': return "h";
    case 'M': return "nn";
    case 'S': return "ss";
    case 'p':
    case 'P': return "AMPM";
    case 'r': return "hh:nn:ss AMPM";
    case 'R': return "hh:nn";
    case 'T': return "hh:nn:ss";
    case 'n':
    case 't': return " ";
    case '%': return "%";
    default: return std::string();
  }
}

// A strftime format ("%d.%m.%Y") as format letters ("dd.MM.yyyy"); literal letters are quoted.
std::string lettersFromStrftime(const char* format) {
  std::string out;
  for (const char* p = format; p != nullptr && *p != '\0'; ++p) {
    if (*p != '%') {
      bool letter = (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z');
      out += letter ? std::string("\"") + *p + "\"" : std::string(1, *p);
      continue;
    }
    while (p[1] != '\0' && std::strchr("-_0^#EO123456789", p[1]) != nullptr) ++p;  // flags
    if (p[1] == '\0') break;
    out += lettersOf(*++p);
  }
  return out;
}

// The first character of a converted date format that separates its fields.
char separatorOf(std::string_view format) {
  for (char c : format)
    if (std::strchr("dMy\" ", c) == nullptr) return c;
  return '/';
}

std::string longDateFormatFor(TDateOrder order) {
  switch (order) {
    case doMDY: return "MMMM d, yyyy";
    case doYMD: return "yyyy MMMM d";
    case doDMY: break;
  }
  return "d MMMM yyyy";
}

// --- Formatting ------------------------------------------------------------------------------

struct Parts {
  TDateTime value;
  int year, month, day, hour, minute, second, msec;
};

std::string twoDigits(int v) { return strutils::AddChar('0', std::to_string(v), 2); }

size_t runLength(std::string_view f, size_t at) {
  size_t n = 1;
  while (at + n < f.size() && strutils::upperCase1251(f[at + n]) == strutils::upperCase1251(f[at]))
    ++n;
  return n;
}

bool startsWithNoCase(std::string_view f, size_t at, std::string_view token) {
  return f.size() - at >= token.size() &&
         strutils::upperCase1251(f.substr(at, token.size())) == token;
}

bool usesTwelveHours(std::string_view f) {
  std::string u = strutils::upperCase1251(f);
  return u.find("AM/PM") != std::string::npos || u.find("A/P") != std::string::npos ||
         u.find("AMPM") != std::string::npos;
}

void formatInto(std::string& out, std::string_view f, const Parts& p, int depth);

// The AM/PM designators at `at`, or false when the text there is not one.
bool formatDesignator(std::string& out, std::string_view f, size_t& at, const Parts& p) {
  const bool pm = p.hour >= 12;
  if (startsWithNoCase(f, at, "AM/PM") || startsWithNoCase(f, at, "A/P")) {
    size_t len = startsWithNoCase(f, at, "AM/PM") ? 5 : 3;
    std::string_view token = f.substr(at, len);
    out += pm ? token.substr(len == 5 ? 3 : 2) : token.substr(0, len == 5 ? 2 : 1);
    at += len;
    return true;
  }
  if (startsWithNoCase(f, at, "AMPM")) {
    const FormatSettings& fs = CurrentFormatSettings();
    out += pm ? fs.timePMString : fs.timeAMString;
    at += 4;
    return true;
  }
  return false;
}

// One field of the format at `at` (a run of one letter); returns false for a literal.
bool formatField(std::string& out, std::string_view f, size_t& at, const Parts& p, int depth,
                 bool& afterHour) {
  const FormatSettings& fs = CurrentFormatSettings();
  const size_t n = runLength(f, at);
  const char letter = strutils::upperCase1251(f[at]);
  bool hour = false;
  switch (letter) {
    case 'Y':
      out += n <= 2 ? twoDigits(p.year % 100) : strutils::AddChar('0', std::to_string(p.year), 4);
      break;
    case 'M':
      if (afterHour && n <= 2)
        out += n == 1 ? std::to_string(p.minute) : twoDigits(p.minute);
      else if (n <= 2)
        out += n == 1 ? std::to_string(p.month) : twoDigits(p.month);
      else
        out += (n == 3 ? fs.shortMonthNames : fs.longMonthNames)[p.month - 1];
      break;
    case 'D':
      if (n <= 2)
        out += n == 1 ? std::to_string(p.day) : twoDigits(p.day);
      else if (n <= 4)
        out += (n == 3 ? fs.shortDayNames : fs.longDayNames)[DayOfWeek(p.value) - 1];
      else
        formatInto(out, n == 5 ? fs.shortDateFormat : fs.longDateFormat, p, depth + 1);
      break;
    case 'H': {
      int h = usesTwelveHours(f) ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
      out += n == 1 ? std::to_string(h) : twoDigits(h);
      hour = true;
      break;
    }
    case 'N': out += n == 1 ? std::to_string(p.minute) : twoDigits(p.minute); break;
    case 'S': out += n == 1 ? std::to_string(p.second) : twoDigits(p.second); break;
    case 'Z':
      out += n < 3 ? std::to_string(p.msec) : strutils::AddChar('0', std::to_string(p.msec), 3);
      break;
    case 'T': formatInto(out, n == 1 ? fs.shortTimeFormat : fs.longTimeFormat, p, depth + 1); break;
    default: return false;
  }
  afterHour = hour;
  at +=
      letter == 'D' || letter == 'M' || letter == 'Y' || letter == 'Z' ? n : std::min<size_t>(n, 2);
  return true;
}

void formatInto(std::string& out, std::string_view f, const Parts& p, int depth) {
  if (depth > 2) return;  // a settings format that names itself
  const FormatSettings& fs = CurrentFormatSettings();
  bool afterHour = false;
  for (size_t at = 0; at < f.size();) {
    const char c = f[at];
    if (c == '"' || c == '\'') {
      size_t end = f.find(c, at + 1);
      if (end == std::string_view::npos) end = f.size();
      out.append(f.substr(at + 1, end - at - 1));
      at = end + 1;
    } else if (strutils::upperCase1251(c) == 'C') {
      formatInto(out, fs.shortDateFormat, p, depth + 1);
      if (p.hour || p.minute || p.second || p.msec) formatInto(out, " tt", p, depth + 1);
      ++at;
    } else if (strutils::upperCase1251(c) == 'A' && formatDesignator(out, f, at, p)) {
    } else if (formatField(out, f, at, p, depth, afterHour)) {
    } else {
      out += c == '/' ? fs.dateSeparator : c == ':' ? fs.timeSeparator : c;
      ++at;
    }
  }
}

// The thousand separator and the currency of the locale's LC_NUMERIC and LC_MONETARY; the C
// locale has none and keeps ',' and an empty currency.
void readNumberSettings(FormatSettings& fs) {
  locale_t loc = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return;
  const char* codeSet = nl_langinfo_l(CODESET, loc);
  std::string separator = toWindows1251(nl_langinfo_l(THOUSEP, loc), codeSet);
  // A narrow or plain blank reads as the no-break space Windows uses.
  if (separator.size() == 1) fs.thousandSeparator = separator[0] == ' ' ? '\xA0' : separator[0];
  fs.currencyString = toWindows1251(nl_langinfo_l(CURRENCY_SYMBOL, loc), codeSet);
  auto number = [&](nl_item item, int fallback) {
    int value = static_cast<unsigned char>(*nl_langinfo_l(item, loc));
    return value == CHAR_MAX ? fallback : value;
  };
  bool after = number(P_CS_PRECEDES, 1) == 0;
  bool blank = number(P_SEP_BY_SPACE, 0) != 0;
  fs.currencyFormat = uint8_t((after ? 1 : 0) + (blank ? 2 : 0));
  fs.currencyDecimals = uint8_t(std::min(number(FRAC_DIGITS, 2), 18));
  freelocale(loc);
}

}  // namespace

FormatSettings SystemFormatSettings() {
  FormatSettings fs;
  readNumberSettings(fs);
  locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return fs;
  const char* codeSet = nl_langinfo_l(CODESET, loc);
  auto text = [&](nl_item item) { return toWindows1251(nl_langinfo_l(item, loc), codeSet); };
  fs.shortDateFormat = lettersFromStrftime(nl_langinfo_l(D_FMT, loc));
  fs.dateSeparator = separatorOf(fs.shortDateFormat);
  fs.longDateFormat = longDateFormatFor(GetDateOrder(fs.shortDateFormat));
  fs.longTimeFormat = lettersFromStrftime(nl_langinfo_l(T_FMT, loc));
  fs.shortTimeFormat = strutils::ReplaceStr(fs.longTimeFormat, ":ss", "");
  fs.timeAMString = text(AM_STR);
  fs.timePMString = text(PM_STR);
  for (int i = 0; i < 12; ++i) {
    fs.shortMonthNames[i] = text(ABMON_1 + i);
    fs.longMonthNames[i] = text(MON_1 + i);
  }
  for (int i = 0; i < 7; ++i) {
    fs.shortDayNames[i] = text(ABDAY_1 + i);
    fs.longDayNames[i] = text(DAY_1 + i);
  }
  freelocale(loc);
  return fs;
}

std::string FormatDateTime(std::string_view Format, TDateTime Value) {
  Parts p{Value, 0, 0, 0, 0, 0, 0, 0};
  if (!TryDecodeDate(Value, p.year, p.month, p.day)) return std::string();
  DecodeTime(Value, p.hour, p.minute, p.second, p.msec);
  std::string out;
  formatInto(out, Format, p, 0);
  return out;
}

std::string FormatLongDate(TDateTime Date) {
  return strutils::DelESpace(FormatDateTime(CurrentFormatSettings().longDateFormat, Date));
}

std::string FormatLongDateTime(TDateTime Date) {
  if (Date == NullDate) return std::string();
  return FormatLongDate(Date) + FormatDateTime(" tt", Date);
}

}  // namespace dateutil
