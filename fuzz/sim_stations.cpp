// The simulated card's station file parser on arbitrary bytes: it must never crash, and what it
// accepts must be a usable lineup.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sim/Stations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<sim::Station> lineup;
  std::string error;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (sim::ParseStations(text, lineup, &error)) {
    for (const sim::Station& s : lineup) {
      if (!(std::isfinite(s.lowMHz) && std::isfinite(s.highMHz) && s.lowMHz >= 0 &&
            s.lowMHz <= s.highMHz && s.afc >= 0 && s.afc <= 7 && s.standard >= 0 &&
            s.standard <= 9))
        std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  return 0;
}
