#include "core/ProfileValues.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace profile_values {

namespace {

std::string_view skipBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

int digitValue(char c, int base) {
  int v = c >= '0' && c <= '9'   ? c - '0'
          : c >= 'a' && c <= 'z' ? c - 'a' + 10
          : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                                 : 99;
  return v < base ? v : -1;
}

// Accumulates digits of `base` into a value capped at `limit`.
uint64_t accumulate(std::string_view s, int base, uint64_t limit) {
  uint64_t value = 0;
  for (char c : s) {
    int d = digitValue(c, base);
    if (d < 0) break;
    value = value * base + d;
    if (value > limit) return limit;
  }
  return value;
}

}  // namespace

int32_t ParseDecimal(std::string_view text) {
  text = skipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr uint64_t kMaxMagnitude = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
  uint64_t magnitude = accumulate(text, 10, kMaxMagnitude);
  if (negative) return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  return static_cast<int32_t>(std::min<uint64_t>(magnitude, std::numeric_limits<int32_t>::max()));
}

uint32_t ParseUnsignedDecimal(std::string_view text) {
  return static_cast<uint32_t>(accumulate(skipBlanks(text), 10, 0xFFFFFFFFu));
}

uint32_t ParseHex(std::string_view text) {
  text = skipBlanks(text);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return static_cast<uint32_t>(accumulate(text, 16, 0xFFFFFFFFu));
}

double ParseFloat(std::string_view text) {
  text = skipBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small a number reads as 0, too large a one as the limit of its sign.
    std::string_view number(text.data(), static_cast<size_t>(end - text.data()));
    auto e = number.find_first_of("eE");
    if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-') return 0.0;
    return number.front() == '-' ? std::numeric_limits<double>::lowest()
                                 : std::numeric_limits<double>::max();
  }
  return ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

std::string FormatDecimal(int64_t value) { return std::to_string(value); }

std::string FormatHex(uint32_t value) {
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, 16);
  std::string digits(buf, end);
  for (char& c : digits)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return "0x" + digits;
}

std::string FormatFixed2(double value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
  return ec == std::errc() ? std::string(buf, end) : std::string("0.00");
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace profile_values
