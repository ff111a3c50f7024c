// vyx-demo-folder DIR: prepares a program folder for a run on the simulated machine: a
// settings.ini with every default and a channels.ini that lists the simulated stations (the
// built-in lineup, or the file VYX_SIM_STATIONS names), the first TV station as start channel,
// and the shipped skins and language files (SKINS and Languages beside this program) unless the
// folder has its own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Channels.h"
#include "platform/Environment.h"
#include "core/Settings.h"
#include "sim/Bt848Card.h"

namespace {

constexpr uint8_t kPictureDefault = 50;
constexpr uint8_t kVolumeDefault = 30;

ChannelRecord channelOf(const std::string& name, double mhz, int standard) {
  ChannelRecord r{};
  r.Used = 1;
  r.Freq = float(mhz);
  r.System = uint8_t(standard);
  r.Name = name;
  r.Volume = kVolumeDefault;
  r.Brightness = r.Contrast = r.Hue = r.Saturation = kPictureDefault;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.message().c_str());
    return 1;
  }
  for (const char* shipped : {"SKINS", "Languages"}) {
    const std::filesystem::path own = std::filesystem::path(argv[1]) / shipped;
    if (!std::filesystem::exists(own, error))
      std::filesystem::copy(platform::ExecutableFolder() + shipped, own,
                            std::filesystem::copy_options::recursive, error);
  }
  setenv("VYX_HOME", argv[1], 1);
  LoadSettings();  // an empty folder gives every default
  SaveSettings();

  int rows = 0;
  int firstTv = -1;
  for (const sim::Station& s : sim::Card().stations()) {
    if (rows == kMaxTunerChannels) break;
    const double mid = (s.lowMHz + s.highMHz) / 2;
    ChannelTable[size_t(rows)] = channelOf(s.name, mid, s.standard);
    if (firstTv < 0 && s.kind == sim::Station::Kind::TV) firstTv = rows;
    ++rows;
  }
  const int standard = firstTv >= 0 ? ChannelTable[size_t(firstTv)].System : 0;
  ChannelTable[kAvRow] = channelOf("AV", 0, standard);
  ChannelTable[kSvhsRow] = channelOf("SVHS", 0, standard);
  NumOfChannels = rows;
  StartChannel = firstTv >= 0 ? firstTv : 0;
  SaveChannels();
  std::printf("%s: settings.ini, channels.ini with %d stations\n", argv[1], rows);
  return 0;
}
