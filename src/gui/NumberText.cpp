#include "gui/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gui/Exceptions.h"

namespace gui {

namespace {

std::string trimBlanks(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Significant decimal digits of |value| (value = 0.d1d2d3... * 10^exponent).
struct DecimalDigits {
  std::string digits;  // no trailing zeros; empty for zero
  int exponent = 0;
  bool negative = false;
};

// |value| rounded half away from zero to at most maxSignificant digits and, unless maxDecimals
// is kNoLimit, to maxDecimals places after the point: the rounding of the class library, done on
// the exact decimal expansion of the binary value.
constexpr int kNoLimit = 1 << 20;

DecimalDigits roundedDigits(double value, int maxSignificant, int maxDecimals) {
  DecimalDigits result;
  result.negative = std::signbit(value) && value != 0;
  if (value == 0 || !std::isfinite(value)) return result;
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%.40e", std::fabs(value));
  std::string text = buffer;
  size_t e = text.find('e');
  std::string digits;
  for (size_t i = 0; i < e; ++i) {
    if (isDigit(text[i])) digits.push_back(text[i]);
  }
  int exponent = std::atoi(text.c_str() + e + 1) + 1;
  int keep = maxSignificant;
  if (maxDecimals != kNoLimit) keep = std::min(keep, exponent + maxDecimals);
  if (keep < 0) return result;
  bool roundUp = size_t(keep) < digits.size() && digits[size_t(keep)] >= '5';
  digits.resize(std::min(digits.size(), size_t(keep)));
  if (roundUp) {
    int i = int(digits.size()) - 1;
    while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
    if (i >= 0) {
      ++digits[size_t(i)];
    } else {
      digits = "1";
      ++exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  result.digits = digits;
  result.exponent = digits.empty() ? 0 : exponent;
  return result;
}

// The integer digits ("0" for none) and exactly `decimals` fraction digits of d.
void layoutFixed(const DecimalDigits& d, int decimals, std::string& integer, std::string& fraction) {
  integer.clear();
  fraction.clear();
  auto digitAt = [&](int index) {
    return index >= 0 && index < int(d.digits.size()) ? d.digits[size_t(index)] : '0';
  };
  for (int i = 0; i < d.exponent; ++i) integer.push_back(digitAt(i));
  if (integer.empty()) integer = "0";
  for (int i = 0; i < decimals; ++i) fraction.push_back(digitAt(d.exponent + i));
}

std::string groupThousands(const std::string& digits) {
  std::string result;
  int count = int(digits.size());
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) result.push_back(',');
    result.push_back(digits[size_t(i)]);
  }
  return result;
}

std::string exponentText(int exponent, int minDigits, bool alwaysSign) {
  std::string digits = std::to_string(std::abs(exponent));
  while (int(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
  if (exponent < 0) return "-" + digits;
  return alwaysSign ? "+" + digits : digits;
}

std::string scientific(const DecimalDigits& d, int precision, int expDigits, bool general) {
  std::string digits = d.digits.empty() ? "0" : d.digits;
  std::string text(1, digits[0]);
  std::string rest = digits.substr(1);
  if (!general) rest.resize(size_t(std::max(precision - 1, 0)), '0');
  if (!rest.empty()) text += "." + rest;
  int exponent = d.digits.empty() ? 0 : d.exponent - 1;
  return text + "E" + exponentText(exponent, expDigits, !general);
}

std::string generalText(const DecimalDigits& d, int precision, int expDigits) {
  if (d.digits.empty()) return "0";
  if (d.exponent > precision || d.exponent < -4) return scientific(d, precision, expDigits, true);
  std::string text;
  if (d.exponent <= 0) {
    text = "0." + std::string(size_t(-d.exponent), '0') + d.digits;
  } else if (int(d.digits.size()) <= d.exponent) {
    text = d.digits + std::string(size_t(d.exponent) - d.digits.size(), '0');
  } else {
    text = d.digits.substr(0, size_t(d.exponent)) + "." + d.digits.substr(size_t(d.exponent));
  }
  return text;
}

}  // namespace

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*llX", std::clamp(digits, 0, 16),
                static_cast<unsigned long long>(value));
  return buffer;
}

bool TryStrToInt(const std::string& text, int& value) {
  std::string s = trimBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
  if (error != std::errc() || end != s.data() + s.size()) return false;
  int64_t result;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFull) return false;
    result = int32_t(uint32_t(magnitude));  // hexadecimal wraps, as "$80000005" does
  } else {
    if (magnitude > 0x80000000ull || (!negative && magnitude == 0x80000000ull)) return false;
    result = int64_t(magnitude);
  }
  value = int(negative ? -result : result);
  return true;
}

int StrToInt(const std::string& text) {
  int value = 0;
  if (!TryStrToInt(text, value)) {
    throw EConvertError(FormatText(texts::kInvalidInteger, text.c_str()));
  }
  return value;
}

int StrToIntDef(const std::string& text, int fallback) {
  int value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

bool TryStrToFloat(const std::string& text, double& value) {
  std::string s = trimBlanks(text);
  size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;
  const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
  double result = 0;
  auto [end, error] = std::from_chars(begin, s.data() + s.size(), result);
  if (end != s.data() + s.size()) return false;
  if (error == std::errc::result_out_of_range) {
    // Too small a number is 0; too large a one is no number.
    size_t mark = s.find_first_of("eE");
    if (mark == std::string::npos || s[mark + 1] != '-') return false;
    result = 0;
  } else if (error != std::errc() || !std::isfinite(result)) {
    return false;
  }
  value = result;
  return true;
}

double StrToFloat(const std::string& text) {
  double value = 0;
  if (!TryStrToFloat(text, value)) {
    throw EConvertError(FormatText(texts::kInvalidFloat, text.c_str()));
  }
  return value;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 18);
  DecimalDigits d = roundedDigits(value, precision, kNoLimit);
  std::string text;
  switch (format) {
    case ffGeneral:
      text = generalText(d, precision, std::clamp(digits, 0, 4));
      break;
    case ffExponent:
      text = scientific(d, precision, std::clamp(digits, 0, 4), false);
      break;
    case ffFixed:
    case ffNumber: {
      if (d.exponent > precision) {
        text = generalText(d, precision, 0);
        break;
      }
      digits = std::clamp(digits, 0, 18);
      d = roundedDigits(value, precision, digits);
      std::string integer, fraction;
      layoutFixed(d, digits, integer, fraction);
      text = format == ffNumber ? groupThousands(integer) : integer;
      if (!fraction.empty()) text += "." + fraction;
      break;
    }
  }
  bool allZero = text.find_first_not_of("0.,") == std::string::npos;
  if (d.negative && !allZero) text.insert(text.begin(), '-');
  return text;
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

}  // namespace gui

namespace gui {

namespace {

// One section of a FormatFloat picture, analysed.
struct Picture {
  std::string text;
  int intZeros = 0, intPlaces = 0, fracZeros = 0, fracPlaces = 0, expZeros = 0;
  bool thousands = false, scientific = false, expAlwaysSign = false;
};

std::vector<std::string> splitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back().push_back(c);
  }
  return sections;
}

Picture analyse(const std::string& text) {
  Picture p;
  p.text = text;
  bool afterPoint = false;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (p.scientific) {
      if (c == '0') ++p.expZeros;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++p.fracPlaces;
        if (c == '0') p.fracZeros = p.fracPlaces;
      } else {
        ++p.intPlaces;
        if (c == '0') ++p.intZeros;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      p.thousands = true;
    } else if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
               (text[i + 1] == '+' || text[i + 1] == '-')) {
      p.scientific = true;
      p.expAlwaysSign = text[i + 1] == '+';
      ++i;
    }
  }
  return p;
}

// The number's digits for a picture: integer and fraction parts, and the exponent text.
struct Digits {
  std::string integer, fraction, exponent;
};

Digits digitsFor(const Picture& p, double magnitude) {
  Digits out;
  if (p.scientific) {
    int intPlaces = std::max(p.intPlaces, 1);
    DecimalDigits d = roundedDigits(magnitude, intPlaces + p.fracPlaces, kNoLimit);
    std::string all = d.digits;
    all.resize(size_t(intPlaces + p.fracPlaces), '0');
    out.integer = all.substr(0, size_t(intPlaces));
    out.fraction = all.substr(size_t(intPlaces));
    int exponent = d.digits.empty() ? 0 : d.exponent - intPlaces;
    out.exponent = exponentText(exponent, p.expZeros, p.expAlwaysSign);
  } else {
    layoutFixed(roundedDigits(magnitude, 18, p.fracPlaces), p.fracPlaces, out.integer,
                out.fraction);
    size_t firstNonZero = out.integer.find_first_not_of('0');
    out.integer = firstNonZero == std::string::npos ? "" : out.integer.substr(firstNonZero);
    while (int(out.integer.size()) < p.intZeros) out.integer.insert(out.integer.begin(), '0');
    if (p.thousands) out.integer = groupThousands(out.integer);
  }
  while (int(out.fraction.size()) > p.fracZeros && !out.fraction.empty() &&
         out.fraction.back() == '0') {
    out.fraction.pop_back();
  }
  return out;
}

bool isZero(const Digits& d) {
  return d.integer.find_first_not_of("0,") == std::string::npos &&
         d.fraction.find_first_not_of('0') == std::string::npos;
}

std::string render(const Picture& p, const Digits& d, bool negative) {
  std::string out = negative ? "-" : "";
  bool integerDone = false, pointDone = false, exponentDone = false;
  char quote = 0;
  for (size_t i = 0; i < p.text.size(); ++i) {
    char c = p.text[i];
    if (quote) {
      if (c == quote) quote = 0;
      else out.push_back(c);
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if ((c == '0' || c == '#' || c == ',') && !pointDone && !exponentDone) {
      if (!integerDone && c != ',') out += d.integer;
      integerDone = integerDone || c != ',';
    } else if (c == '.' && !pointDone && !exponentDone) {
      if (!integerDone) out += d.integer;
      integerDone = pointDone = true;
      if (!d.fraction.empty()) out += "." + d.fraction;
    } else if ((c == '0' || c == '#') && pointDone && !exponentDone) {
      continue;  // the fraction was written at the point
    } else if (p.scientific && !exponentDone && (c == 'E' || c == 'e') && i + 1 < p.text.size() &&
               (p.text[i + 1] == '+' || p.text[i + 1] == '-')) {
      out.push_back(c);
      out += d.exponent;
      exponentDone = true;
      ++i;
      while (i + 1 < p.text.size() && p.text[i + 1] == '0') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string FormatFloat(const std::string& format, double value) {
  if (format.empty() || !std::isfinite(value)) return FloatToStr(value);
  std::vector<std::string> sections = splitSections(format);
  Picture positive = analyse(sections[0]);
  Digits digits = digitsFor(positive, std::fabs(value));
  if (isZero(digits) && sections.size() > 2 && !sections[2].empty()) {
    Picture zero = analyse(sections[2]);
    return render(zero, digitsFor(zero, 0.0), false);
  }
  if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
    Picture negative = analyse(sections[1]);
    return render(negative, digitsFor(negative, std::fabs(value)), false);
  }
  return render(positive, digits, value < 0 && !isZero(digits));
}

}  // namespace gui
