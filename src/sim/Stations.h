// What is on the air for the simulated tuner: a lineup of TV and FM stations, each occupying a
// window of tuned frequencies. A small lineup is built in; a text file can replace it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Station {
  enum class Kind { TV, FM };

  double lowMHz = 0;   // the window of tuned frequencies in which the station is received
  double highMHz = 0;
  Kind kind = Kind::TV;
  int standard = 0;    // video standard number 0..8 (TV); 9 for FM
  bool locks = true;   // TV: the decoder locks to it (PRES and HLOC), else PRES only
  int afc = 4;         // AFC code (0..7) the tuner reports inside the window
  std::string name;

  bool contains(double mhz) const { return mhz >= lowMHz && mhz <= highMHz; }
};

// The built-in lineup: VHF-low, VHF-high and UHF TV stations and FM stations in 100-110 MHz.
const std::vector<Station>& BuiltInStations();

// Parses a station file (format in src/sim/README.md). On the first bad line returns false,
// leaves `out` untouched and names the line in `error`.
bool ParseStations(std::string_view text, std::vector<Station>& out, std::string* error = nullptr);

// Reads and parses a station file.
bool LoadStationsFile(const std::string& path, std::vector<Station>& out,
                      std::string* error = nullptr);

}  // namespace sim
