// Fuzzes the reading of a program's command line as the settings store it: any bytes must read
// without fault; every reading names a program that starts at the line's first non-blank byte;
// unquoted lines give readings of growing programs, the last one the whole trimmed line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ProcessLauncher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  auto readings = platform::CommandLineReadings(line);
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) {
    if (!readings.empty()) std::abort();
    return 0;
  }
  if (line[start] == '"') {
    if (readings.size() > 1) std::abort();
    if (!readings.empty() &&
        line.compare(start + 1, readings[0].program.size(), readings[0].program) != 0)
      std::abort();
    return 0;
  }
  if (readings.empty()) std::abort();
  size_t previous = 0;
  for (const auto& r : readings) {
    if (r.program.empty() || r.program.size() <= previous) std::abort();
    if (line.compare(start, r.program.size(), r.program) != 0) std::abort();
    previous = r.program.size();
  }
  const auto& whole = readings.back();
  if (!whole.arguments.empty() || line.find_last_not_of(" \t") + 1 != start + whole.program.size())
    std::abort();
  return 0;
}
