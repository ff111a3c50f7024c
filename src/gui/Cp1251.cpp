#include "gui/Cp1251.h"

#include <array>

namespace gui {

namespace {

// Unicode of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. The unassigned 0x98 maps to
// U+0098 so that every byte survives a round trip.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t toUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return char16_t(0x0410 + (byte - 0xC0));
  return kHigh[byte - 0x80];
}

int toByte(char16_t ch) {
  if (ch < 0x80) return ch;
  if (ch >= 0x0410 && ch <= 0x044F) return 0xC0 + (ch - 0x0410);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == ch) return int(0x80 + i);
  }
  return -1;
}

}  // namespace

QString FromCp1251(std::string_view bytes) {
  QString text;
  text.reserve(qsizetype(bytes.size()));
  for (char c : bytes) text.append(QChar(toUnicode(static_cast<unsigned char>(c))));
  return text;
}

std::string ToCp1251(const QString& text) {
  std::string bytes;
  bytes.reserve(size_t(text.size()));
  for (QChar ch : text) {
    int b = toByte(ch.unicode());
    bytes.push_back(b < 0 ? '?' : char(b));
  }
  return bytes;
}

std::string AnsiUpperCase(std::string_view bytes) { return ToCp1251(FromCp1251(bytes).toUpper()); }

std::string AnsiLowerCase(std::string_view bytes) { return ToCp1251(FromCp1251(bytes).toLower()); }

int AnsiCompareText(std::string_view a, std::string_view b) {
  return QString::compare(FromCp1251(a), FromCp1251(b), Qt::CaseInsensitive);
}

}  // namespace gui
