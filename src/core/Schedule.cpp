#include "core/Schedule.h"

#include <algorithm>

#include "core/Channels.h"
#include "core/ProfileValues.h"
#include "platform/Environment.h"
#include "platform/Profile.h"


namespace {

std::string scheduleFile() { return platform::ProgramFolder() + "schedule.ini"; }

std::string sectionName(int entry) { return "Scheduler" + profile_values::FormatDecimal(entry); }

void loadEntry(const std::string& file, int index) {
  const std::string section = sectionName(index);
  auto read = [&](const char* key, const char* fallback) {
    return profile_values::ParseDecimal(platform::GetProfileString(file, section, key, fallback));
  };
  auto flag = [&](const char* key) { return static_cast<uint8_t>(read(key, "0") != 0); };
  // The fields are as wide as the entry holds them: a Year of 70000 is kept cut to 16 bits.
  ScheduleEntry& e = ScheduleTable[index];
  e.Channel = static_cast<uint32_t>(read("Channel", "0"));
  e.Year = static_cast<uint16_t>(read("Year", "1999"));
  e.Month = static_cast<uint16_t>(read("Month", "1"));
  e.Day = static_cast<uint16_t>(read("Day", "1"));
  e.Hour = static_cast<uint16_t>(read("Hour", "0"));
  e.Min = static_cast<uint16_t>(read("Min", "0"));
  e.Sec = static_cast<uint16_t>(read("Sec", "0"));
  e.Enabled = flag("Enabled");
  e.EveryDay = flag("EveryDay");
  e.FullScreen = flag("FullScreen");
}

void saveEntry(const std::string& file, int index) {
  const std::string section = sectionName(index);
  auto write = [&](const char* key, int64_t value) {
    platform::WriteProfileString(file, section, key, profile_values::FormatDecimal(value));
  };
  const ScheduleEntry& e = ScheduleTable[index];
  // Channel is written as a signed 32-bit "%d", so every u32 reads back as itself.
  write("Channel", static_cast<int32_t>(e.Channel));
  write("Year", e.Year);
  write("Month", e.Month);
  write("Day", e.Day);
  write("Hour", e.Hour);
  write("Min", e.Min);
  write("Sec", e.Sec);
  write("Enabled", e.Enabled);
  write("EveryDay", e.EveryDay);
  write("FullScreen", e.FullScreen);
}

}  // namespace

void LoadSchedule() {
  const std::string file = scheduleFile();
  for (int i = kFirstScheduleEntry; i <= kLastScheduleEntry; ++i) loadEntry(file, i);
}

void SaveSchedule() {
  const std::string file = scheduleFile();
  platform::ProfileWriteBatch batch;
  for (int i = kFirstScheduleEntry; i <= kLastScheduleEntry; ++i) saveEntry(file, i);
}

int ScheduleChannelRow(const ScheduleEntry& entry) {
  const auto listed = static_cast<uint32_t>(std::clamp<int32_t>(NumOfChannels, 0, kMaxTunerChannels));
  if (entry.Channel == 0 || entry.Channel > listed) return -1;
  return static_cast<int>(entry.Channel) - 1;
}
