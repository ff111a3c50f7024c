// Any bytes as settings.ini and remote.ini: reads of sections and keys named by the input, a few
// writes, and the settings and custom-row loaders on it. Checks that an unchanged document writes
// back its own bytes, that a written value reads back (cached and from disk), that a document
// with keys and sections deleted reads back as it was left, that loaded
// settings stay inside the ranges the program indexes with, and that a save loads back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Schedule.h"
#include "core/Settings.h"
#include "platform/Environment.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "ini_reader: %s\n", what);
    abort();
  }
}

// A folder of its own, in memory where the machine has one. Writes skip the syncs to disk, which
// would otherwise cost nearly all of the run time.
const std::string& folder() {
  static const std::string path = [] {
    platform::SetProfileSync(false);
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/vyx-fuzz-XXXXXX";
    check(mkdtemp(pattern.data()) != nullptr, "no temporary folder");
    setenv("VYX_HOME", pattern.c_str(), 1);
    std::atexit([] { std::filesystem::remove_all(platform::ProgramFolder()); });
    return pattern + "/";
  }();
  return path;
}

void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

std::vector<std::string_view> lines(std::string_view bytes) {
  std::vector<std::string_view> out;
  size_t pos = 0;
  while (pos < bytes.size() && out.size() < 64) {
    size_t lf = bytes.find('\n', pos);
    if (lf == std::string_view::npos) lf = bytes.size();
    out.push_back(bytes.substr(pos, lf - pos));
    pos = lf + 1;
  }
  return out;
}

// What a read of a value written as `v` returns: cut at a line break, trimmed, one pair of
// quotes stripped, at most 259 bytes.
std::string expectedRead(std::string_view v) {
  v = v.substr(0, v.find_first_of("\r\n"));
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!v.empty() && blank(v.front())) v.remove_prefix(1);
  while (!v.empty() && blank(v.back())) v.remove_suffix(1);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v.substr(0, platform::kProfileValueMax));
}

void readNamedKeys(const std::string& file, const std::vector<std::string_view>& input) {
  std::string section = "Common";
  for (std::string_view line : input) {
    auto eq = line.find('=');
    if (!line.empty() && line.front() == '[') section = std::string(line.substr(1, line.find(']')));
    std::string key(line.substr(0, eq));
    check(platform::GetProfileString(file, section, key, std::string(300, 'd')).size() <=
              platform::kProfileValueMax,
          "value longer than 259 bytes");
  }
}

void writeAndReadBack(const std::string& file, const std::vector<std::string_view>& input) {
  for (size_t i = 0; i + 2 < input.size() && i < 9; i += 3) {
    std::string section(input[i]), key(input[i + 1]);
    std::string_view value = input[i + 2];
    if (!platform::WriteProfileString(file, section, key, std::string(value))) continue;
    std::string expected = expectedRead(value);
    check(platform::GetProfileString(file, section, key, "") == expected, "cached read-back");
    platform::DropProfileCache();
    check(platform::GetProfileString(file, section, key, "") == expected, "read-back from disk");
  }
}

void checkSettingsRanges() {
  const SettingsBlock& s = Settings;
  check(s.Card < kCardRows && s.Tuner < kTunerRows, "Card or Tuner beyond its table");
  check(s.SideCorrelation >= 0 && s.SideCorrelation <= 2 && s.PLL <= 3, "aspect or PLL");
  check(s.FullScreen >= 0 && s.FullScreen <= 5 && s.SoundConnector <= 10, "enumeration");
  check(s.Hints <= 1 && s.HideCP <= 1 && s.CaptureTimeLimitEnabled <= 1, "flag not 0/1");
  check(s.Skin.size() <= platform::kProfileValueMax, "text longer than 259 bytes");
  check(s.OSDFontFamily != 0 && s.ImageType <= 1, "font family or image type");
}

// Texts lose blanks and quotes inside a value's quotes on a round trip, and FullScreen 0 is
// written as "NO_CHANGES": the rest comes back as it was saved.
SettingsBlock comparable(SettingsBlock s) {
  for (std::string* text : {&s.ExternalSoftName, &s.TeletextSoftName, &s.Skin, &s.Language,
                            &s.OSDFontFace, &s.AviFilename, &s.WavFilename})
    text->clear();
  if (s.FullScreen == kFullScreenUnknown) s.FullScreen = kFullScreenNoChanges;
  return s;
}

void loadSaveLoadSettings() {
  Settings = SettingsBlock{};
  LoadSettings();
  checkSettingsRanges();
  SettingsBlock first = comparable(Settings);
  SaveSettings();
  platform::DropProfileCache();
  Settings = SettingsBlock{};
  LoadSettings();
  check(comparable(Settings) == first, "settings changed on a save and load");
}

std::vector<uint32_t> systemValues(const TVSystemRow& r) {
  return {r.CropWidth, r.CropHeight, r.TotalWidth, r.DelayA,    r.DelayB, r.IFormSys, r.IFormXT,
          r.XsfNum,    r.XsfDen,     r.HDelayx1,   r.HActivex1, r.VDelay, r.CropOffset};
}

void loadSaveLoadCustomRows() {
  LoadCustomSystem();
  LoadCustomCard();
  LoadCustomTuner();
  check(CustomTVSystem.IFormSys <= 7, "IFormSys");
  check(CustomTVSystem.IFormXT == kXT0 || CustomTVSystem.IFormXT == kXT1, "IFormXT");
  const CardRow card = CardTable[0];
  const TunerRow tuner = TunerTable[0];
  const std::vector<uint32_t> system = systemValues(CustomTVSystem);
  {
    platform::ProfileWriteBatch batch;
    SaveCustomSystem();
    SaveCustomCard();
    SaveCustomTuner();
  }
  platform::DropProfileCache();
  LoadCustomSystem();
  LoadCustomCard();
  LoadCustomTuner();
  check(systemValues(TVSystemTable[kCustomSystemRow]) == system, "custom system row");
  // Both rows are nothing but 32-bit fields: no padding for memcmp to trip over.
  check(std::memcmp(&CardTable[0], &card, sizeof card) == 0 && card.Id == 0, "custom card row");
  check(std::memcmp(&TunerTable[0], &tuner, sizeof tuner) == 0 && tuner.Id == 0,
        "custom tuner row");
}

// The channel list and the schedule from the same bytes: counts and rows stay inside their tables.
void loadChannelsAndSchedule() {
  LoadChannels();
  check(NumOfChannels >= 0 && NumOfChannels <= kMaxTunerChannels, "NumOfChannels");
  check(StartChannel >= 0 && (StartChannel < NumOfChannels || StartChannel == 0), "StartChannel");
  for (const auto& row : ChannelTable)
    check(row.System <= 9 && row.Brightness <= 100 && row.Name.size() <= platform::kProfileValueMax,
          "channel row");
  LoadSchedule();
  for (const auto& entry : ScheduleTable) {
    int row = ScheduleChannelRow(entry);
    check(row >= -1 && row < NumOfChannels, "schedule channel row");
  }
}

// Deleting keys and sections named by the input: the document in memory and the same document
// written out and parsed again agree on what is left.
void deleteAndCompare(std::string_view bytes, const std::vector<std::string_view>& input) {
  platform::IniDocument doc = platform::IniDocument::parse(bytes);
  for (size_t i = 0; i + 1 < input.size() && i < 8; i += 2) {
    std::string_view section = input[i], key = input[i + 1];
    if (section.empty() || section.front() != '[') {
      doc.erase(section, key);
    } else {
      section = section.substr(1, section.find(']') - 1);
      doc.eraseSection(section);
    }
    platform::IniDocument again = platform::IniDocument::parse(doc.serialize());
    check(again.sectionNames() == doc.sectionNames(), "sections differ after a delete");
    const std::string* mine = doc.find(section, key);
    const std::string* theirs = again.find(section, key);
    check((mine == nullptr) == (theirs == nullptr) && (!mine || *mine == *theirs),
          "keys differ after a delete");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  check(platform::IniDocument::parse(bytes).serialize() == bytes, "bytes not kept");

  const std::string settings = folder() + "settings.ini";
  writeFile(settings, bytes);
  writeFile(folder() + "remote.ini", bytes);
  writeFile(folder() + "channels.ini", bytes);
  writeFile(folder() + "schedule.ini", bytes);
  platform::DropProfileCache();

  std::vector<std::string_view> input = lines(bytes);
  readNamedKeys(settings, input);
  loadSaveLoadSettings();
  loadSaveLoadCustomRows();
  loadChannelsAndSchedule();
  writeAndReadBack(settings, input);
  deleteAndCompare(bytes, input);
  return 0;
}
