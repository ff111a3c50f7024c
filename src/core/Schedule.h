// The scheduler's ten entries: the dates and times at which the viewer switches to a channel,
// kept in schedule.ini and written by the scheduler window whenever its entries change.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ScheduleEntry {
  uint16_t Day;          // day of the month
  uint16_t Month;        // 1..12
  uint16_t Year;         // four digits
  uint16_t Hour;         // 0..23
  uint16_t Min;          // 0..59
  uint16_t Sec;          // 0..59
  uint32_t Channel;      // 0 = no channel; k = ChannelTable row k - 1
  uint8_t EveryDay;      // fire every day at the time, whatever the date
  uint8_t FullScreen;    // switch to full screen when firing
  uint8_t Enabled;       // the entry is armed
  std::string TimeText;  // the time as the scheduler window shows it; not stored
};

// Entries 1..10 are used; entry 0 stays zero.
constexpr int kScheduleEntries = 11;
constexpr int kFirstScheduleEntry = 1;
constexpr int kLastScheduleEntry = 10;

extern std::array<ScheduleEntry, kScheduleEntries>& ScheduleTable;

// Reads entries 1..10 from [Scheduler1]..[Scheduler10] of schedule.ini in the program folder; a
// missing file or key gives a disarmed entry for 1999-01-01 00:00:00 without a channel.
void LoadSchedule();

// Writes entries 1..10 to schedule.ini, replacing the file once (not at all when its bytes come
// out the same).
void SaveSchedule();

// The ChannelTable row an entry switches to, or -1 when the entry has no channel (0) or names a
// channel beyond the current list: the channel number comes from a file and the list may have
// shrunk since the entry was set, so it is checked before it indexes ChannelTable.
int ScheduleChannelRow(const ScheduleEntry& entry);
