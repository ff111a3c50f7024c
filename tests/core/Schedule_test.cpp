#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Channels.h"
#include "core/CoreState.h"
#include "core/Schedule.h"
#include "platform/Profile.h"
#include "support/TempProgramFolder.h"

namespace {

class ScheduleStore : public ::testing::Test {
protected:
  // Tests start from an empty schedule.ini; a save with no file at all has a test of its own.
  void SetUp() override {
    ResetCoreState();
    writeFile("");
  }

  void removeFile() {
    std::filesystem::remove(folder_.file("schedule.ini"));
    platform::DropProfileCache();
  }
  void TearDown() override { ResetCoreState(); }

  void writeFile(const std::string& text) { folder_.write("schedule.ini", text); }
  std::string fileText() const { return folder_.read("schedule.ini"); }

  testing_support::TempProgramFolder folder_;
};

struct Fields {
  uint32_t channel;
  uint16_t year, month, day, hour, min, sec;
  uint8_t enabled, everyDay, fullScreen;
};

void expectEntry(int index, const Fields& f) {
  SCOPED_TRACE("entry " + std::to_string(index));
  const ScheduleEntry& e = ScheduleTable[index];
  EXPECT_EQ(e.Channel, f.channel);
  EXPECT_EQ(e.Year, f.year);
  EXPECT_EQ(e.Month, f.month);
  EXPECT_EQ(e.Day, f.day);
  EXPECT_EQ(e.Hour, f.hour);
  EXPECT_EQ(e.Min, f.min);
  EXPECT_EQ(e.Sec, f.sec);
  EXPECT_EQ(e.Enabled, f.enabled);
  EXPECT_EQ(e.EveryDay, f.everyDay);
  EXPECT_EQ(e.FullScreen, f.fullScreen);
}

constexpr Fields kDefaultEntry = {0, 1999, 1, 1, 0, 0, 0, 0, 0, 0};

TEST_F(ScheduleStore, AbsentFileGivesTenDisarmedEntriesAndEntryZeroIsUntouched) {
  removeFile();
  ScheduleTable[0].Year = 1234;
  LoadSchedule();
  for (int i = 1; i <= 10; ++i) expectEntry(i, kDefaultEntry);
  EXPECT_EQ(ScheduleTable[0].Year, 1234);
  EXPECT_FALSE(folder_.exists("schedule.ini"));
}

// A first save into a folder without the file must create one that reads back whole.
TEST_F(ScheduleStore, SaveCreatesAReadableFileWhenThereIsNone) {
  removeFile();
  ScheduleTable[1] = {2, 3, 2024, 4, 5, 6, 7, 1, 1, 1, ""};
  SaveSchedule();
  ScheduleTable.fill(ScheduleEntry{});
  platform::DropProfileCache();
  LoadSchedule();
  expectEntry(1, {7, 2024, 3, 2, 4, 5, 6, 1, 1, 1});
  EXPECT_EQ(fileText().find("[Scheduler1]", 1), std::string::npos) << fileText();
}

TEST_F(ScheduleStore, MissingKeysTakeTheirDefaults) {
  writeFile("[Scheduler4]\r\nEnabled=1\r\nChannel=3\r\n");
  LoadSchedule();
  expectEntry(4, {3, 1999, 1, 1, 0, 0, 0, 1, 0, 0});
  expectEntry(5, kDefaultEntry);
  NumOfChannels = 3;
  EXPECT_EQ(ScheduleChannelRow(ScheduleTable[4]), 2);
}

TEST_F(ScheduleStore, ValuesAreCutToTheirFieldsAndFlagsReadAsSetWhenNotZero) {
  struct Case {
    const char* keys;
    Fields read;
    const char* written;  // the section as SaveSchedule writes it back
  };
  const Case cases[] = {
      {"EveryDay=5\r\nFullScreen=-1\r\nEnabled=0\r\n", {0, 1999, 1, 1, 0, 0, 0, 0, 1, 1},
       "Channel=0\r\nYear=1999\r\nMonth=1\r\nDay=1\r\nHour=0\r\nMin=0\r\nSec=0\r\n"
       "Enabled=0\r\nEveryDay=1\r\nFullScreen=1\r\n"},
      {"Year=70000\r\nDay=31\r\nMonth=12\r\nHour=23\r\nMin=59\r\nSec=58\r\nChannel=254\r\n",
       {254, 4464, 12, 31, 23, 59, 58, 0, 0, 0},
       "Channel=254\r\nYear=4464\r\nMonth=12\r\nDay=31\r\nHour=23\r\nMin=59\r\nSec=58\r\n"},
      {"Day=-1\r\nChannel=-1\r\nEnabled=x\r\n", {0xFFFFFFFF, 1999, 1, 65535, 0, 0, 0, 0, 0, 0},
       "Channel=-1\r\nYear=1999\r\nMonth=1\r\nDay=65535\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    writeFile(std::string("[Scheduler10]\r\n") + c.keys);
    ResetCoreState();
    LoadSchedule();
    expectEntry(10, c.read);

    folder_.write("schedule.ini", "");
    SaveSchedule();
    const std::string text = fileText();
    EXPECT_NE(text.find(std::string("[Scheduler10]\r\n") + c.written), std::string::npos) << text;

    // And it reads back as the same entry.
    platform::DropProfileCache();
    ResetCoreState();
    LoadSchedule();
    expectEntry(10, c.read);
  }
}

TEST_F(ScheduleStore, SaveWritesEntriesOneToTenAndLoadReadsThemBack) {
  for (int i = 0; i < kScheduleEntries; ++i)
    ScheduleTable[i] = {static_cast<uint16_t>(i), 5, 2024, 20, 30, static_cast<uint16_t>(i * 5),
                        static_cast<uint32_t>(i + 1), static_cast<uint8_t>(i % 2),
                        static_cast<uint8_t>(i % 3 == 0), 1, "20:30:00"};
  const auto before = ScheduleTable;
  SaveSchedule();
  const std::string text = fileText();
  EXPECT_EQ(text.find("[Scheduler0]"), std::string::npos);
  EXPECT_EQ(text.find("[Scheduler11]"), std::string::npos);
  EXPECT_EQ(text.rfind("[Scheduler1]\r\nChannel=2\r\nYear=2024\r\nMonth=5\r\nDay=1\r\nHour=20\r\n"
                       "Min=30\r\nSec=5\r\nEnabled=1\r\nEveryDay=1\r\nFullScreen=0\r\n"
                       "[Scheduler2]\r\n",
                       0),
            0u)
      << text;

  ScheduleTable.fill(ScheduleEntry{});
  platform::DropProfileCache();
  LoadSchedule();
  for (int i = 1; i <= 10; ++i) {
    const ScheduleEntry& b = before[i];
    expectEntry(i, {b.Channel, b.Year, b.Month, b.Day, b.Hour, b.Min, b.Sec, b.Enabled, b.EveryDay,
                    b.FullScreen});
    EXPECT_EQ(ScheduleTable[i].TimeText, "");  // built by the window, never stored
  }
  expectEntry(0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
}

TEST_F(ScheduleStore, ChannelRowIsCheckedAgainstTheCurrentList) {
  struct Case {
    uint32_t channel;
    int32_t numOfChannels;
    int row;
  };
  const Case cases[] = {
      {0, 5, -1},   {1, 5, 0},      {5, 5, 4},       {6, 5, -1},         // beyond the list
      {1, 0, -1},   {1, -4, -1},    {254, 254, 253}, {255, 300, -1},     // AV is no tuner row
      {0xFFFFFFFF, 254, -1},
  };
  for (const Case& c : cases) {
    NumOfChannels = c.numOfChannels;
    ScheduleEntry entry{};
    entry.Channel = c.channel;
    EXPECT_EQ(ScheduleChannelRow(entry), c.row)
        << "Channel " << c.channel << " NumOfChannels " << c.numOfChannels;
  }
}

}  // namespace
