#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "core/Channels.h"
#include "core/CoreState.h"
#include "platform/Profile.h"
#include "support/RenameCounter.h"
#include "support/TempProgramFolder.h"

namespace {

// A fresh program folder and a channel list in a known state for each test.
class ChannelStore : public ::testing::Test {
protected:
  // Tests start from an empty channels.ini; a save with no file at all has a test of its own.
  void SetUp() override {
    ResetCoreState();
    writeFile("");
  }

  void removeFile() {
    std::filesystem::remove(folder_.file("channels.ini"));
    platform::DropProfileCache();
  }

  void writeFile(const std::string& text) { folder_.write("channels.ini", text); }
  std::string fileText() const { return folder_.read("channels.ini"); }

  // Saves, forgets everything the program held, and loads the file again.
  void saveAndReload() {
    SaveChannels();
    ChannelTable.fill(ChannelRecord{});
    NumOfChannels = StartChannel = -1;
    platform::DropProfileCache();
    LoadChannels();
  }

  static std::string section(const std::string& name, const std::string& keys) {
    return "[" + name + "]\r\n" + keys;
  }

  testing_support::TempProgramFolder folder_;
};

void expectDefaultRow(int row, const std::string& name) {
  SCOPED_TRACE("row " + std::to_string(row));
  const ChannelRecord& r = ChannelTable[row];
  EXPECT_FLOAT_EQ(r.Freq, 56.75f);
  EXPECT_EQ(r.System, 6);
  EXPECT_EQ(r.Name, name);
  EXPECT_EQ(r.Volume, 30);
  EXPECT_EQ(r.Brightness, 50);
  EXPECT_EQ(r.Contrast, 50);
  EXPECT_EQ(r.Hue, 50);
  EXPECT_EQ(r.Saturation, 50);
  EXPECT_EQ(r.Used, 0);
}

TEST_F(ChannelStore, AbsentFileGivesOneChannelAndTheTwoInputsWithDefaults) {
  removeFile();
  ChannelTable[7].Name = "left over";
  LoadChannels();
  EXPECT_EQ(NumOfChannels, 1);
  EXPECT_EQ(StartChannel, 0);
  expectDefaultRow(0, "TVCnl1");
  expectDefaultRow(kAvRow, "AV");
  expectDefaultRow(kSvhsRow, "SVHS");
  EXPECT_EQ(ChannelTable[7].Name, "");  // the whole table is cleared first
  EXPECT_EQ(ChannelTable[1].Freq, 0.0f);
  EXPECT_FALSE(folder_.exists("channels.ini"));  // loading never creates the file
}

// A first save into a folder without the file must create one that reads back whole.
TEST_F(ChannelStore, SaveCreatesAReadableFileWhenThereIsNone) {
  removeFile();
  NumOfChannels = 2;
  StartChannel = 1;
  ChannelTable[1].Name = "Second";
  saveAndReload();
  const std::string text = fileText();
  EXPECT_EQ(text.rfind("[Common]\r\nCurrentChannel=2\r\nNumOfChannels=2\r\n[TVCnl1]\r\n", 0), 0u)
      << text;
  EXPECT_EQ(NumOfChannels, 2);
  EXPECT_EQ(StartChannel, 1);
  EXPECT_EQ(ChannelTable[1].Name, "Second");
}

TEST_F(ChannelStore, ReadsTheListedRowsAndTheInputsAndLeavesLaterSectionsInTheFile) {
  std::string text = section("Common", "CurrentChannel=2\r\nNumOfChannels=3\r\n");
  for (const char* name : {"TVCnl1", "TVCnl2", "TVCnl3", "TVCnl4", "AV", "SVHS"})
    text += section(name, std::string("Name=") + name + " here\r\nFreq=100.5\r\n");
  writeFile(text);

  LoadChannels();
  EXPECT_EQ(NumOfChannels, 3);
  EXPECT_EQ(StartChannel, 1);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "TVCnl1 here"}, {1, "TVCnl2 here"}, {2, "TVCnl3 here"}, {3, ""},
      {253, ""},          {254, "AV here"},   {255, "SVHS here"}};
  for (const auto& [row, name] : expected) EXPECT_EQ(ChannelTable[row].Name, name) << "row " << row;
  EXPECT_FLOAT_EQ(ChannelTable[2].Freq, 100.5f);
  EXPECT_EQ(ChannelTable[3].Freq, 0.0f);

  SaveChannels();
  EXPECT_NE(fileText().find("[TVCnl4]\r\nName=TVCnl4 here\r\nFreq=100.5\r\n"), std::string::npos)
      << fileText();
}

TEST_F(ChannelStore, StartChannelIsTheCurrentChannelWhenItIsARowOfTheList) {
  struct Case {
    const char* current;
    const char* count;
    int32_t start;
    int32_t numOfChannels;
  };
  const Case cases[] = {
      {"3", "3", 2, 3},       {"4", "3", 0, 3},       {"0", "3", 0, 3},
      {"1", "3", 0, 3},       {"-7", "3", 0, 3},      {"254", "254", 253, 254},
      {"2", "0", 0, 0},       {"300", "400", 0, 254},  // beyond the table, even if the file lists it
      {"-2147483648", "3", 0, 3},                      // no overflow in the minus one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("CurrentChannel=") + c.current + " NumOfChannels=" + c.count);
    writeFile(section("Common", std::string("CurrentChannel=") + c.current +
                                    "\r\nNumOfChannels=" + c.count + "\r\n"));
    LoadChannels();
    EXPECT_EQ(StartChannel, c.start);
    EXPECT_EQ(NumOfChannels, c.numOfChannels);
  }
}

TEST_F(ChannelStore, AListLongerThanTheTableStopsAtRow253AndStillReadsTheInputs) {
  struct Case {
    int32_t inFile;
    int32_t loaded;
  };
  for (Case c : {Case{254, 254}, Case{300, 254}, Case{-3, 0}}) {
    SCOPED_TRACE("NumOfChannels=" + std::to_string(c.inFile));
    std::string text = section("Common", "NumOfChannels=" + std::to_string(c.inFile) + "\r\n");
    for (int n = 1; n <= 300; ++n)
      text += section("TVCnl" + std::to_string(n), "Name=ch" + std::to_string(n) + "\r\n");
    text += section("AV", "Name=composite\r\n") + section("SVHS", "Name=s-video\r\n");
    writeFile(text);

    LoadChannels();
    EXPECT_EQ(NumOfChannels, c.loaded);
    if (c.loaded > 0) {
      EXPECT_EQ(ChannelTable[c.loaded - 1].Name, "ch" + std::to_string(c.loaded));
    }
    EXPECT_EQ(ChannelTable[kAvRow].Name, "composite");
    EXPECT_EQ(ChannelTable[kSvhsRow].Name, "s-video");

    // The saved file agrees with what was loaded.
    saveAndReload();
    EXPECT_EQ(NumOfChannels, c.loaded);
    EXPECT_EQ(ChannelTable[kAvRow].Name, "composite");
  }
}

TEST_F(ChannelStore, SaveOfAnOutOfRangeCountWritesOnlyTheTableRows) {
  NumOfChannels = 1000;
  ChannelTable[kAvRow].Name = "composite";
  SaveChannels();
  const std::string text = fileText();
  EXPECT_NE(text.find("NumOfChannels=254\r\n"), std::string::npos);
  EXPECT_NE(text.find("[TVCnl254]"), std::string::npos);
  EXPECT_EQ(text.find("[TVCnl255]"), std::string::npos);
  EXPECT_NE(text.find("[AV]\r\nFreq=0.00\r\nSystem=AUTO\r\nName=composite\r\n"), std::string::npos);
}

TEST_F(ChannelStore, SystemNamesReadUpperCasedAndUnknownNamesReadAsSecam) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"AUTO", 0},     {"NTSC", 1},  {"NTSC_J", 2},  {"PAL_BDGHI", 3}, {"PAL_M", 4},
      {"PAL_N", 5},    {"SECAM", 6}, {"PAL_NC", 7},  {"CUSTOM", 8},    {"FMRADIO", 9},
      {"pal_nc", 7},   {"PAL_Nc", 7}, {"fmradio", 9}, {" ntsc ", 1},   {"NTSC_M", 6},
      {"PAL-NC", 6},   {"", 6},      {"PAL", 6},     {"AUTO1", 6},     {"\"ntsc_j\"", 2},
  };
  for (const auto& [name, system] : cases) {
    writeFile(section("TVCnl1", "System=" + name + "\r\n"));
    LoadChannels();
    EXPECT_EQ(ChannelTable[0].System, system) << "System=" << name;
  }
}

TEST_F(ChannelStore, SystemsAreWrittenByTheirNamesAndAnyOtherValueAsSecam) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "AUTO"},  {1, "NTSC"},  {2, "NTSC_J"}, {3, "PAL_BDGHI"}, {4, "PAL_M"},   {5, "PAL_N"},
      {6, "SECAM"}, {7, "PAL_NC"}, {8, "CUSTOM"}, {9, "FMRADIO"},   {10, "SECAM"}, {255, "SECAM"},
  };
  for (const auto& [system, name] : cases) {
    NumOfChannels = 1;
    ChannelTable[0].System = static_cast<uint8_t>(system);
    SaveChannels();
    EXPECT_NE(fileText().find("[TVCnl1]\r\nFreq=0.00\r\nSystem=" + name + "\r\n"),
              std::string::npos)
        << "System " << system << "\n" << fileText();
  }
}

TEST_F(ChannelStore, FrequenciesAreWrittenWithTwoDecimalsAndReadWithADot) {
  struct Case {
    float freq;
    const char* written;
  };
  // 55.2 is held in single precision as 55.200000763: still written 55.20.
  for (Case c : {Case{191.25f, "191.25"}, Case{55.2f, "55.20"}, Case{0.0f, "0.00"},
                 Case{1.005f, "1.00"}, Case{862.0f, "862.00"}, Case{-3.5f, "-3.50"}}) {
    NumOfChannels = 1;
    ChannelTable[0].Freq = c.freq;
    SaveChannels();
    EXPECT_NE(fileText().find(std::string("[TVCnl1]\r\nFreq=") + c.written + "\r\n"),
              std::string::npos)
        << c.freq << "\n" << fileText();
  }

  struct ReadCase {
    const char* text;
    float freq;
  };
  for (ReadCase c : {ReadCase{"191.25", 191.25f}, ReadCase{"abc", 0.0f}, ReadCase{"", 0.0f},
                     ReadCase{"56,75", 56.0f}, ReadCase{"  77.25", 77.25f}, ReadCase{"1e2", 100.0f},
                     ReadCase{"1e39", std::numeric_limits<float>::max()}}) {
    writeFile(section("TVCnl1", std::string("Freq=") + c.text + "\r\n"));
    LoadChannels();
    EXPECT_FLOAT_EQ(ChannelTable[0].Freq, c.freq) << "Freq=" << c.text;
  }
}

TEST_F(ChannelStore, ByteValuesAreHeldInTheirRangesInsteadOfWrapping) {
  struct Case {
    const char* text;
    uint8_t volume;
    uint8_t percent;
  };
  for (Case c : {Case{"0", 0, 0}, Case{"65", 65, 65}, Case{"100", 100, 100}, Case{"101", 101, 100},
                 Case{"255", 255, 100}, Case{"300", 255, 100}, Case{"-1", 0, 0},
                 Case{"99999999999", 255, 100}, Case{"x", 0, 0}}) {
    SCOPED_TRACE(std::string("value ") + c.text);
    std::string keys;
    for (const char* key : {"Volume", "Brightness", "Contrast", "Hue", "Saturation"})
      keys += std::string(key) + "=" + c.text + "\r\n";
    writeFile(section("TVCnl1", keys));
    LoadChannels();
    const ChannelRecord& r = ChannelTable[0];
    EXPECT_EQ(r.Volume, c.volume);
    EXPECT_EQ(r.Brightness, c.percent);
    EXPECT_EQ(r.Contrast, c.percent);
    EXPECT_EQ(r.Hue, c.percent);
    EXPECT_EQ(r.Saturation, c.percent);
  }
}

TEST_F(ChannelStore, NamesUpTo259BytesSurviveALoadAndSave) {
  const std::string longName(259, 'n');
  const std::string cyrillic = "\xCF\xE5\xF0\xE2\xFB\xE9 \xEA\xE0\xED\xE0\xEB";  // Windows-1251
  writeFile(section("Common", "NumOfChannels=3\r\n") +
            section("TVCnl1", "Name=" + longName + "\r\n") +
            section("TVCnl2", "Name=" + cyrillic + "\r\n") +
            section("TVCnl3", "Name=" + std::string(300, 'x') + "\r\n"));
  LoadChannels();
  EXPECT_EQ(ChannelTable[0].Name, longName);
  EXPECT_EQ(ChannelTable[2].Name, std::string(259, 'x'));  // read through a 260-byte buffer

  saveAndReload();
  EXPECT_EQ(ChannelTable[0].Name, longName);
  EXPECT_EQ(ChannelTable[1].Name, cyrillic);
  EXPECT_NE(fileText().find("Name=" + longName + "\r\n"), std::string::npos);
}

TEST_F(ChannelStore, SaveWritesEveryStoredFieldInOrderAndLoadReadsItBack) {
  NumOfChannels = 2;
  StartChannel = 1;
  ChannelTable[0] = {1, 191.25f, 3, "First", 65, 0, 100, 17, 99, 7, 8, 9, 1};
  ChannelTable[1] = {1, 503.25f, 9, "Radio", 12, 1, 2, 3, 4, 0, 0, 0, 0};
  ChannelTable[kAvRow] = {0, 0.0f, 1, "AV", 30, 50, 50, 50, 50, 0, 0, 0, 0};
  ChannelTable[kSvhsRow] = {0, 0.0f, 7, "Camera", 31, 51, 52, 53, 54, 0, 0, 0, 0};
  const auto before = ChannelTable;

  saveAndReload();
  EXPECT_NE(fileText().find("[Common]\r\nCurrentChannel=2\r\nNumOfChannels=2\r\n"
                            "[TVCnl1]\r\nFreq=191.25\r\nSystem=PAL_BDGHI\r\nName=First\r\n"
                            "Volume=65\r\nBrightness=0\r\nContrast=100\r\nHue=17\r\n"
                            "Saturation=99\r\n[TVCnl2]\r\n"),
            std::string::npos)
      << fileText();
  EXPECT_EQ(NumOfChannels, 2);
  EXPECT_EQ(StartChannel, 1);
  for (int row : {0, 1, kAvRow, kSvhsRow}) {
    SCOPED_TRACE("row " + std::to_string(row));
    const ChannelRecord& a = before[row];
    const ChannelRecord& b = ChannelTable[row];
    EXPECT_EQ(b.Freq, a.Freq);
    EXPECT_EQ(b.System, a.System);
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.Volume, a.Volume);
    EXPECT_EQ(b.Brightness, a.Brightness);
    EXPECT_EQ(b.Contrast, a.Contrast);
    EXPECT_EQ(b.Hue, a.Hue);
    EXPECT_EQ(b.Saturation, a.Saturation);
    // Not stored: back to zero.
    EXPECT_EQ(b.Used, 0);
    EXPECT_EQ(b.ParamA, 0u);
    EXPECT_EQ(b.ParamB, 0);
    EXPECT_EQ(b.ParamC, 0);
    EXPECT_EQ(b.FMStereo, 0);
  }
}

TEST_F(ChannelStore, SaveKeepsUnknownKeysAndLinesOfAnEditedFile) {
  writeFile("; my channels\r\n" + section("Common", "NumOfChannels=1\r\nOwner=me\r\n") +
            section("TVCnl1", "Freq=55.25\r\nComment=local station\r\nName=One\r\n"));
  LoadChannels();
  SaveChannels();
  const std::string text = fileText();
  EXPECT_EQ(text.rfind("; my channels\r\n[Common]\r\nNumOfChannels=1\r\nOwner=me\r\n"
                       "CurrentChannel=1\r\n[TVCnl1]\r\nFreq=55.25\r\nComment=local station\r\n"
                       "Name=One\r\nSystem=SECAM\r\n",
                       0),
            0u)
      << text;
}

TEST_F(ChannelStore, SaveOfAFullListWritesTheFileOnce) {
  testing_support::RenameCounter renames(folder_.path());
  if (!renames.ok()) GTEST_SKIP() << "inotify is not available";
  NumOfChannels = kMaxTunerChannels;
  SaveChannels();
  EXPECT_EQ(renames.count("channels.ini"), 1);
}

// A numpunct facet with ',' as the decimal point, as a German or Russian locale has.
struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

// Sets LC_NUMERIC to a locale with a decimal comma for the life of the object, if one is installed.
class CommaNumericLocale {
public:
  CommaNumericLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8", "ru_RU.CP1251",
                             "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "ru_RU"})
      if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
        name_ = name;
        return;
      }
    std::setlocale(LC_NUMERIC, previous_.c_str());
  }
  ~CommaNumericLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
  const std::string& name() const { return name_; }

private:
  std::string previous_;
  std::string name_;
};

void roundTripUnderTheCurrentLocale(const testing_support::TempProgramFolder& folder) {
  NumOfChannels = 1;
  ChannelTable[0].Freq = 191.25f;
  ChannelTable[kAvRow].Freq = 55.2f;
  SaveChannels();
  const std::string text = folder.read("channels.ini");
  EXPECT_NE(text.find("Freq=191.25\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Freq=55.20\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find(','), std::string::npos) << text;

  platform::DropProfileCache();
  LoadChannels();
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 191.25f);
  EXPECT_FLOAT_EQ(ChannelTable[kAvRow].Freq, 55.2f);
}

TEST_F(ChannelStore, FilesUseADotUnderADecimalCommaLocale) {
  {
    SCOPED_TRACE("C++ global locale with a decimal comma");
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    std::ostringstream probe;
    probe << 1.5;
    EXPECT_EQ(probe.str(), "1,5");  // the facet is in effect
    roundTripUnderTheCurrentLocale(folder_);
    std::locale::global(previous);
  }
  CommaNumericLocale cLocale;
  if (cLocale.name().empty())
    GTEST_SKIP() << "no locale with a decimal comma is installed (tried de_DE, ru_RU, fr_FR): "
                    "the LC_NUMERIC half did not run";
  SCOPED_TRACE("LC_NUMERIC=" + cLocale.name());
  roundTripUnderTheCurrentLocale(folder_);
}

}  // namespace
