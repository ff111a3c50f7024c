// Strutils routines that convert: code pages, number texts, Roman numerals, bit strings,
// wildcard matching, XOR coding and the command-line switch lookup.
#include "controls/utils/Strutils.h"

#include <array>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace strutils {

namespace {

constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct CodePageTables {
  std::array<unsigned char, 256> ansiToOem{};
  std::array<unsigned char, 256> oemToAnsi{};
};

// Windows-1251 / code page 866 pairs outside the two Cyrillic blocks.
constexpr std::pair<unsigned char, unsigned char> kExtraAnsiOem[] = {
    {0xA8, 0xF0}, {0xB8, 0xF1}, {0xAA, 0xF2}, {0xBA, 0xF3}, {0xAF, 0xF4}, {0xBF, 0xF5},
    {0xA1, 0xF6}, {0xA2, 0xF7}, {0xB0, 0xF8}, {0xB7, 0xFA}, {0xB9, 0xFC}, {0xA4, 0xFD},
    {0xA0, 0xFF},
};

CodePageTables buildCodePageTables() {
  CodePageTables t;
  for (int i = 0; i < 256; ++i) t.ansiToOem[i] = t.oemToAnsi[i] = i < 0x80 ? i : '?';
  auto pair = [&t](int ansi, int oem) {
    t.ansiToOem[ansi] = static_cast<unsigned char>(oem);
    t.oemToAnsi[oem] = static_cast<unsigned char>(ansi);
  };
  for (int i = 0; i < 48; ++i) pair(0xC0 + i, 0x80 + i);  // А..п
  for (int i = 0; i < 16; ++i) pair(0xF0 + i, 0xE0 + i);  // р..я
  for (auto [ansi, oem] : kExtraAnsiOem) pair(ansi, oem);
  return t;
}

const CodePageTables& codePages() {
  static const CodePageTables tables = buildCodePageTables();
  return tables;
}

std::string mapBytes(std::string_view s, const std::array<unsigned char, 256>& table) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return out;
}

void checkBase(int base) {
  if (base < 2 || base > 36)
    throw std::invalid_argument("number base " + std::to_string(base) + " is outside 2..36");
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  char u = upperCase1251(c);
  if (u >= 'A' && u <= 'Z') return u - 'A' + 10;
  return 99;
}

// The 32 bits of the number written in S, or 0 when S is not such a number.
int32_t readNumber(std::string_view s, int base) {
  if (s.empty()) return 0;
  uint64_t value = 0;
  for (char c : s) {
    int d = digitValue(c);
    if (d >= base) return 0;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFu) return 0;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

int romanValue(char c) {
  switch (upperCase1251(c)) {
    case 'I': return 1;
    case 'V': return 5;
    case 'X': return 10;
    case 'L': return 50;
    case 'C': return 100;
    case 'D': return 500;
    case 'M': return 1000;
    default: return 0;
  }
}

// Byte i of Key for position i of the text, cycling through the key.
unsigned char keyByte(std::string_view key, size_t i) {
  return key.empty() ? 0 : static_cast<unsigned char>(key[i % key.size()]);
}

std::vector<std::string> processArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  size_t from = 0;
  while (from < all.size()) {
    size_t end = all.find('\0', from);
    if (end == std::string::npos) end = all.size();
    args.emplace_back(all.substr(from, end - from));
    from = end + 1;
  }
  return args;
}

}  // namespace

std::string StrToOem(std::string_view S) { return mapBytes(S, codePages().ansiToOem); }
std::string OemToAnsiStr(std::string_view S) { return mapBytes(S, codePages().oemToAnsi); }

std::string Dec2Numb(int32_t N, int Len, int Base) {
  checkBase(Base);
  uint32_t value = static_cast<uint32_t>(N);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value % static_cast<unsigned>(Base)]);
    value /= static_cast<unsigned>(Base);
  } while (value != 0);
  return AddChar('0', digits, Len);
}

int32_t Numb2Dec(std::string_view S, int Base) {
  checkBase(Base);
  return readNumber(S, Base);
}

std::string Dec2Hex(int32_t N, int Digits) { return Dec2Numb(N, Digits, 16); }
std::string D2H(int32_t N, int Digits) { return Dec2Hex(N, Digits); }

int32_t Hex2Dec(std::string_view S) {
  if (!S.empty() && S[0] == '$') S.remove_prefix(1);
  return readNumber(S, 16);
}

int32_t H2D(std::string_view S) { return Hex2Dec(S); }

int32_t RomanToInt(std::string_view S) {
  bool negative = !S.empty() && S[0] == '-';
  if (negative) S.remove_prefix(1);
  int64_t total = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    int v = romanValue(S[i]);
    if (v == 0) return 0;
    int next = i + 1 < S.size() ? romanValue(S[i + 1]) : 0;
    total += next > v ? -v : v;  // a smaller numeral before a larger one subtracts
    if (total > INT32_MAX) return 0;
  }
  return static_cast<int32_t>(negative ? -total : total);
}

std::string IntToRoman(int32_t N) {
  static constexpr std::pair<int, const char*> kNumerals[] = {
      {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
      {40, "XL"}, {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
  int64_t value = N;
  std::string out = value < 0 ? "-" : "";
  if (value < 0) value = -value;
  for (auto [amount, text] : kNumerals)
    for (; value >= amount; value -= amount) out += text;
  return out;
}

std::string IntToBin(uint32_t Value, int Digits, int Spaces) {
  if (Digits > 32) Digits = 32;
  std::string out;
  for (int bit = Digits - 1; bit >= 0; --bit) {
    if (Spaces > 0 && (bit + 1) % Spaces == 0) out += ' ';
    out += (Value >> bit) & 1u ? '1' : '0';
  }
  return out;
}

int FindPart(std::string_view HelpWilds, std::string_view InputStr) {
  if (HelpWilds.empty() || HelpWilds.size() > InputStr.size()) return 0;
  for (size_t at = 0; at + HelpWilds.size() <= InputStr.size(); ++at) {
    size_t i = 0;
    while (i < HelpWilds.size() && (HelpWilds[i] == '?' || HelpWilds[i] == InputStr[at + i])) ++i;
    if (i == HelpWilds.size()) return static_cast<int>(at) + 1;
  }
  return 0;
}

bool IsWild(std::string_view InputStr, std::string_view Wilds, bool IgnoreCase) {
  auto same = [IgnoreCase](char a, char b) {
    return a == b || (IgnoreCase && upperCase1251(a) == upperCase1251(b));
  };
  // Greedy match that returns to the last '*' on a mismatch: linear in practice, never
  // exponential however many stars the mask holds.
  size_t s = 0, w = 0;
  size_t starW = std::string_view::npos, starS = 0;
  while (s < InputStr.size()) {
    if (w < Wilds.size() && (Wilds[w] == '?' || (Wilds[w] != '*' && same(Wilds[w], InputStr[s])))) {
      ++s;
      ++w;
    } else if (w < Wilds.size() && Wilds[w] == '*') {
      starW = w++;
      starS = s;
    } else if (starW != std::string_view::npos) {
      w = starW + 1;
      s = ++starS;
    } else {
      return false;
    }
  }
  while (w < Wilds.size() && Wilds[w] == '*') ++w;
  return w == Wilds.size();
}

std::string XorString(std::string_view Key, std::string_view Src) {
  std::string out(Src);
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>(out[i] ^ keyByte(Key, i));
  return out;
}

std::string XorEncode(std::string_view Key, std::string_view Source) {
  std::string out;
  for (unsigned char c : XorString(Key, Source)) {
    out += kDigits[c >> 4];
    out += kDigits[c & 0x0F];
  }
  return out;
}

std::string XorDecode(std::string_view Key, std::string_view Source) {
  std::string out;
  for (size_t i = 0; i + 1 < Source.size(); i += 2) {
    int hi = digitValue(Source[i]), lo = digitValue(Source[i + 1]);
    int byte = hi < 16 && lo < 16 ? hi * 16 + lo : 32;
    out += static_cast<char>(byte ^ keyByte(Key, i / 2));
  }
  return out;
}

std::string GetCmdLineArg(std::string_view Switch, const TCharSet& SwitchChars) {
  return GetCmdLineArg(Switch, SwitchChars, processArguments());
}

std::string GetCmdLineArg(std::string_view Switch, const TCharSet& SwitchChars,
                          const std::vector<std::string>& args) {
  const std::string wanted = upperCase1251(Switch);
  for (size_t i = 1; i + 1 < args.size(); ++i) {
    const std::string& a = args[i];
    if (!a.empty() && SwitchChars.contains(a[0]) && upperCase1251(a.substr(1)) == wanted)
      return args[i + 1];
  }
  return std::string();
}

}  // namespace strutils
