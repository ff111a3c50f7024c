// The names the settings dialog's OSD font page lists for the font's character set, pitch,
// family and weight, with the Windows GDI value each name stands for. settings.ini stores the
// values; the boxes show the names.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace osd_font {

struct NamedValue {
  const char* name;
  int32_t value;
};

// In the order the boxes list them.
std::span<const NamedValue> Charsets();
std::span<const NamedValue> Pitches();
std::span<const NamedValue> Families();
std::span<const NamedValue> Weights();  // "FW_DONTCARE" 0 ... "FW_HEAVY" 900

// The index of the first entry holding `value`; -1 when none does.
int IndexOfValue(std::span<const NamedValue> names, int32_t value);
// The value of the entry called `name`; `fallback` when there is none.
int32_t ValueOfName(std::span<const NamedValue> names, std::string_view name, int32_t fallback);

}  // namespace osd_font
