#include "platform/Clipboard.h"

#include <algorithm>
#include <mutex>

#include "platform/ClipboardQt.h"
#include "platform/ClipboardSim.h"
#include "platform/Environment.h"

namespace platform {

namespace {

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return text;
}

// Registered names in the order of their numbers, as the system keeps them: the first spelling
// of a name is the one it reports.
struct FormatNames {
  std::mutex mutex;
  std::vector<std::string> names;
};

FormatNames& formatNames() {
  static FormatNames table;
  return table;
}

}  // namespace

unsigned RegisterClipboardFormat(const std::string& name) {
  if (name.empty()) return 0;
  FormatNames& table = formatNames();
  std::lock_guard lock(table.mutex);
  const std::string key = upper(name);
  auto found = std::find_if(table.names.begin(), table.names.end(),
                            [&](const std::string& known) { return upper(known) == key; });
  size_t index = size_t(found - table.names.begin());
  if (found == table.names.end()) {
    if (kFirstRegisteredFormat + table.names.size() > kLastRegisteredFormat) return 0;
    table.names.push_back(name);
  }
  return kFirstRegisteredFormat + unsigned(index);
}

std::string ClipboardFormatName(unsigned format) {
  FormatNames& table = formatNames();
  std::lock_guard lock(table.mutex);
  if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= table.names.size()) {
    return {};
  }
  return table.names[format - kFirstRegisteredFormat];
}

ClipboardBytes ClipboardPalette(const std::vector<uint32_t>& colors) {
  const size_t count = std::min<size_t>(colors.size(), 256);
  ClipboardBytes out = {0x00, 0x03, uint8_t(count), uint8_t(count >> 8)};
  for (size_t i = 0; i < count; ++i) {
    const uint32_t c = colors[i];
    out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0});
  }
  return out;
}

Clipboard& Clipboard::current() {
  if (SimulationEnabled()) return SimClipboard();
  return QtClipboard();
}

}  // namespace platform
