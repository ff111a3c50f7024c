#include "core/Channels.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "core/ProfileValues.h"
#include "platform/Environment.h"
#include "platform/Profile.h"

namespace {

// The standard names of channels.ini, by standard number. They differ from TVSystemNames for
// standards 1 and 7, and files in the field use these spellings.
constexpr std::array<const char*, 10> kSystemNames = {
    "AUTO", "NTSC", "NTSC_J", "PAL_BDGHI", "PAL_M", "PAL_N", "SECAM", "PAL_NC", "CUSTOM", "FMRADIO"};
constexpr uint8_t kSecam = 6;

constexpr uint8_t kPercentMax = 100;
constexpr uint8_t kByteMax = 255;

std::string channelsFile() { return platform::ProgramFolder() + "channels.ini"; }

// The number of tuner rows the walk visits: the table has room for kMaxTunerChannels, so a file
// (or a caller) with a larger or negative count never reaches past the tuner rows into AV, SVHS
// or beyond the table.
int tunerRowCount(int32_t numOfChannels) {
  return std::clamp<int32_t>(numOfChannels, 0, kMaxTunerChannels);
}

// The walk over the stored rows: the tuner rows in order, then AV and SVHS.
template <typename Visit>
void forEachStoredRow(int tunerRows, Visit visit) {
  for (int row = 0; row < tunerRows; ++row) visit(row);
  visit(kAvRow);
  visit(kSvhsRow);
}

std::string sectionName(int row) {
  if (row == kAvRow) return "AV";
  if (row == kSvhsRow) return "SVHS";
  return "TVCnl" + profile_values::FormatDecimal(row + 1);
}

uint8_t systemFromName(std::string_view name) {
  std::string upper = profile_values::UpperCase(name);
  for (size_t i = 0; i < kSystemNames.size(); ++i)
    if (upper == kSystemNames[i]) return static_cast<uint8_t>(i);
  return kSecam;
}

const char* systemName(uint8_t system) {
  return system < kSystemNames.size() ? kSystemNames[system] : kSystemNames[kSecam];
}

// A stored byte value held within [0, max] rather than wrapped: "300" is not 44, "-1" not 255.
uint8_t byteValue(const std::string& text, uint8_t max) {
  return static_cast<uint8_t>(std::clamp<int32_t>(profile_values::ParseDecimal(text), 0, max));
}

// The frequency as the f32 field holds it; a number past the f32 range is held at its limit
// (converting it unchecked would be undefined).
float frequencyValue(const std::string& text) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(profile_values::ParseFloat(text), -kMax, kMax));
}

void loadRow(const std::string& file, int row) {
  const std::string section = sectionName(row);
  auto read = [&](const char* key, const std::string& fallback) {
    return platform::GetProfileString(file, section, key, fallback);
  };
  ChannelRecord& r = ChannelTable[row];
  r.Freq = frequencyValue(read("Freq", "56.75"));
  r.System = systemFromName(read("System", "SECAM"));
  r.Name = read("Name", section);
  r.Volume = byteValue(read("Volume", "30"), kByteMax);
  r.Brightness = byteValue(read("Brightness", "50"), kPercentMax);
  r.Contrast = byteValue(read("Contrast", "50"), kPercentMax);
  r.Hue = byteValue(read("Hue", "50"), kPercentMax);
  r.Saturation = byteValue(read("Saturation", "50"), kPercentMax);
}

void saveRow(const std::string& file, int row) {
  const std::string section = sectionName(row);
  auto write = [&](const char* key, const std::string& value) {
    platform::WriteProfileString(file, section, key, value);
  };
  const ChannelRecord& r = ChannelTable[row];
  write("Freq", profile_values::FormatFixed2(r.Freq));
  write("System", systemName(r.System));
  write("Name", r.Name);
  write("Volume", profile_values::FormatDecimal(r.Volume));
  write("Brightness", profile_values::FormatDecimal(r.Brightness));
  write("Contrast", profile_values::FormatDecimal(r.Contrast));
  write("Hue", profile_values::FormatDecimal(r.Hue));
  write("Saturation", profile_values::FormatDecimal(r.Saturation));
}

}  // namespace

void LoadChannels() {
  platform::ProfileReadBatch oneVersion;  // one look at the file on disk for the whole list
  const std::string file = channelsFile();
  auto common = [&](const char* key) {
    return profile_values::ParseDecimal(platform::GetProfileString(file, "Common", key, "1"));
  };
  // CurrentChannel counts from 1; a start channel outside the loaded list starts at row 0.
  const int64_t current = common("CurrentChannel");
  NumOfChannels = tunerRowCount(common("NumOfChannels"));
  StartChannel = current >= 1 && current <= NumOfChannels ? static_cast<int32_t>(current - 1) : 0;

  ChannelTable.fill(ChannelRecord{});
  forEachStoredRow(NumOfChannels, [&](int row) { loadRow(file, row); });
}

void SaveChannels() {
  const std::string file = channelsFile();
  const int tunerRows = tunerRowCount(NumOfChannels);
  // One batch: the rows' 2,000-odd keys replace the file once, not once per key.
  platform::ProfileWriteBatch batch;
  platform::WriteProfileString(file, "Common", "CurrentChannel",
                               profile_values::FormatDecimal(int64_t{StartChannel} + 1));
  platform::WriteProfileString(file, "Common", "NumOfChannels",
                               profile_values::FormatDecimal(tunerRows));
  forEachStoredRow(tunerRows, [&](int row) { saveRow(file, row); });
}
