#include "settings/OsdFontNames.h"

namespace osd_font {

namespace {

constexpr NamedValue kCharsets[] = {
    {"ANSI_CHARSET", 0},         {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
    {"SHIFTJIS_CHARSET", 128},   {"HANGEUL_CHARSET", 129},    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"OEM_CHARSET", 255},       {"JOHAB_CHARSET", 130},
    {"HEBREW_CHARSET", 177},     {"ARABIC_CHARSET", 178},     {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},    {"VIETNAMESE_CHARSET", 163}, {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238}, {"RUSSIAN_CHARSET", 204},    {"MAC_CHARSET", 77},
    {"BALTIC_CHARSET", 186},
};

constexpr NamedValue kPitches[] = {
    {"DEFAULT_PITCH", 0}, {"FIXED_PITCH", 1}, {"VARIABLE_PITCH", 2}, {"MONO_FONT", 8},
};

constexpr NamedValue kFamilies[] = {
    {"FF_DECORATIVE", 0x50}, {"FF_DONTCARE", 0},   {"FF_MODERN", 0x30},
    {"FF_ROMAN", 0x10},      {"FF_SCRIPT", 0x40},  {"FF_SWISS", 0x20},
};

constexpr NamedValue kWeights[] = {
    {"FW_DONTCARE", 0},   {"FW_THIN", 100},     {"FW_ULTRALIGHT", 200}, {"FW_LIGHT", 300},
    {"FW_NORMAL", 400},   {"FW_MEDIUM", 500},   {"FW_SEMIBOLD", 600},   {"FW_BOLD", 700},
    {"FW_ULTRABOLD", 800}, {"FW_HEAVY", 900},
};

}  // namespace

std::span<const NamedValue> Charsets() { return kCharsets; }
std::span<const NamedValue> Pitches() { return kPitches; }
std::span<const NamedValue> Families() { return kFamilies; }
std::span<const NamedValue> Weights() { return kWeights; }

int IndexOfValue(std::span<const NamedValue> names, int32_t value) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i].value == value) return int(i);
  return -1;
}

int32_t ValueOfName(std::span<const NamedValue> names, std::string_view name, int32_t fallback) {
  for (const NamedValue& n : names)
    if (name == n.name) return n.value;
  return fallback;
}

}  // namespace osd_font
