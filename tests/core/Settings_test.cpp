#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <locale>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/CoreState.h"
#include "core/Settings.h"
#include "platform/Profile.h"
#include "support/TempProgramFolder.h"

namespace {

using testing_support::TempProgramFolder;

std::string show(const std::string& v) { return v; }
template <typename T>
std::string show(T v) {
  return std::to_string(static_cast<int64_t>(v));
}

// Each setting read back as text, by key.
#define FIELD(name) {#name, [] { return show(Settings.name); }}
const std::map<std::string, std::function<std::string()>> kFields = {
    FIELD(TVposX), FIELD(TVposY), FIELD(TVsizeX), FIELD(TVsizeY), FIELD(CBposX), FIELD(CBposY),
    FIELD(TVstate), FIELD(FullScreen), FIELD(CBState), FIELD(Reverse), FIELD(CapturePeriod),
    FIELD(Hints), FIELD(TaskBarButton), FIELD(ImgToSingleFile), FIELD(ImageType),
    FIELD(SoundConnector), FIELD(RestoreVolume), FIELD(ProgressiveJPG), FIELD(Gray),
    FIELD(JpegQuality), FIELD(ExternalSoftName), FIELD(TeletextSoftName), FIELD(UseExternalSoft),
    FIELD(Card), FIELD(Tuner), FIELD(Remote), FIELD(RemoteDelay), FIELD(KeepSound),
    FIELD(RivaTNT), FIELD(Skin), FIELD(StayOnTop), FIELD(Language), FIELD(IntellimouseReverse),
    FIELD(MouseStep), FIELD(SaturationU), FIELD(SaturationV), FIELD(Driver), FIELD(WDMDriver),
    FIELD(FileIncrementVideo), FIELD(FileIncrementAudio), FIELD(NoRiffHeader),
    FIELD(HideStatWindow), FIELD(OSDEnabled), FIELD(OSDDelay), FIELD(OSDFontFace),
    FIELD(OSDFontColor), FIELD(OSDFontFamily), FIELD(OSDFontPitch), FIELD(OSDFontCharset),
    FIELD(OSDFontHeightMax), FIELD(OSDFontWidthMax), FIELD(OSDFontHeightMin),
    FIELD(OSDFontWidthMin), FIELD(OSDFontWeight), FIELD(OSDFontItalic), FIELD(OSDFontUnderline),
    FIELD(SoundOffOnStart), FIELD(AviFilename), FIELD(WavFilename), FIELD(WindowStyle),
    FIELD(TvWindowPresent), FIELD(SideCorrelation), FIELD(HideCP), FIELD(CaptureFPS),
    FIELD(CaptureFileSize), FIELD(CaptureTimeLimitEnabled), FIELD(CaptureTimeLimit),
    FIELD(AbortKey), FIELD(AbortKeyEnabled), FIELD(AbortCtrl), FIELD(AbortShift),
    FIELD(AbortLeftMouse), FIELD(AbortRightMouse), FIELD(KeepSideCorrelation),
    FIELD(FullScreenMouseHide), FIELD(PLL), FIELD(AudioBuffers), FIELD(VideoBuffers),
    FIELD(AudioIsMasterStream), FIELD(ForceSetColorspace), FIELD(MonitorPowerOffIfNoSignal),
    FIELD(MonitorPowerOffDelay),
};
#undef FIELD

// The order in which SaveSettings writes the keys.
const std::vector<std::string> kSaveOrder = {
    "Card", "Tuner", "ExternalSoftName", "TeletextSoftName", "UseExternalSoft", "TVposX", "TVposY",
    "TVsizeX", "TVsizeY", "CBposX", "CBposY", "TVstate", "FullScreen", "CBState", "Reverse",
    "CapturePeriod", "Hints", "TaskBarButton", "ImgToSingleFile", "SoundConnector",
    "RestoreVolume", "ImageType", "ProgressiveJPG", "Gray", "JpegQuality", "Remote", "RemoteDelay",
    "KeepSound", "RivaTNT", "StayOnTop", "Skin", "Language", "MouseStep", "IntellimouseReverse",
    "SaturationU", "SaturationV", "Driver", "WDMDriver", "FileIncrementVideo",
    "FileIncrementAudio", "NoRiffHeader", "HideStatWindow", "OSDEnabled", "OSDDelay",
    "OSDFontFace", "OSDFontColor", "OSDFontFamily", "OSDFontPitch", "OSDFontCharset",
    "OSDFontHeightMax", "OSDFontWidthMax", "OSDFontHeightMin", "OSDFontWidthMin", "OSDFontWeight",
    "OSDFontItalic", "OSDFontUnderline", "SoundOffOnStart", "AviFilename", "WavFilename",
    "CaptureFPS", "CaptureFileSize", "CaptureTimeLimitEnabled", "CaptureTimeLimit", "AbortKey",
    "AbortKeyEnabled", "AbortCtrl", "AbortShift", "AbortLeftMouse", "AbortRightMouse",
    "SideCorrelation", "HideCP", "TvWindowPresent", "KeepSideCorrelation", "FullScreenMouseHide",
    "PLL", "WindowStyle", "VideoBuffers", "AudioBuffers", "AudioIsMasterStream",
    "ForceSetColorspace", "MonitorPowerOffIfNoSignal", "MonitorPowerOffDelay",
};

// Where a key lives: remote.ini [Remote] for RemoteDelay, settings.ini [OSD] for the OSD keys.
std::string fileOf(const std::string& key) {
  return key == "RemoteDelay" ? "remote.ini" : "settings.ini";
}
std::string sectionOf(const std::string& key) {
  return key == "RemoteDelay" ? "Remote" : key.rfind("OSD", 0) == 0 ? "OSD" : "Common";
}

const std::string kSkin300(300, 's');
const std::string kSkin259(259, 's');

struct Case {
  std::string key;
  std::optional<std::string> file;  // the value in the file; nullopt: the key is missing
  std::string loaded;               // the setting after LoadSettings, as text
  std::string saved;                // what SaveSettings writes
};

// Every key missing (the defaults), then every key with a value of its own, then the edge cases.
const std::vector<Case> kCases = {
    {"TVposX", {}, "184", "184"}, {"TVposX", "-20", "-20", "-20"},
    {"TVposX", "99999999999", "2147483647", "2147483647"},
    {"TVposX", "-99999999999", "-2147483648", "-2147483648"},
    {"TVposX", "  42abc", "42", "42"}, {"TVposX", "abc", "0", "0"},
    {"TVposY", {}, "22", "22"}, {"TVposY", "5", "5", "5"},
    {"TVsizeX", {}, "394", "394"}, {"TVsizeX", "640", "640", "640"},
    {"TVsizeY", {}, "294", "294"}, {"TVsizeY", "480", "480", "480"},
    {"CBposX", {}, "184", "184"}, {"CBposX", "1", "1", "1"},
    {"CBposY", {}, "318", "318"}, {"CBposY", "2", "2", "2"},
    {"TVstate", {}, "0", "0"}, {"TVstate", "2", "2", "2"},
    {"TVstate", "300", "255", "255"}, {"TVstate", "-1", "0", "0"},
    {"FullScreen", {}, "5", "NO_CHANGES"}, {"FullScreen", "640x480", "3", "640x480"},
    {"FullScreen", "640*480", "0", "NO_CHANGES"}, {"FullScreen", "320X240", "1", "320x240"},
    {"FullScreen", "400x300", "2", "400x300"}, {"FullScreen", "800X600", "4", "800x600"},
    {"FullScreen", "no_changes", "5", "NO_CHANGES"},
    {"CBState", {}, "1", "1"}, {"CBState", "0", "0", "0"},
    {"Reverse", {}, "0", "0"}, {"Reverse", "1", "1", "1"},
    {"CapturePeriod", {}, "0", "0"}, {"CapturePeriod", "60", "60", "60"},
    {"Hints", {}, "1", "1"}, {"Hints", "7", "1", "1"}, {"Hints", "-3", "1", "1"},
    {"Hints", "0", "0", "0"},
    {"TaskBarButton", {}, "1", "1"}, {"TaskBarButton", "0", "0", "0"},
    {"ImgToSingleFile", {}, "1", "1"}, {"ImgToSingleFile", "0", "0", "0"},
    {"ImageType", {}, "1", "JPG"}, {"ImageType", "bmp", "0", "BMP"},
    {"ImageType", "gif", "0", "BMP"}, {"ImageType", "Jpg", "1", "JPG"},
    {"SoundConnector", {}, "2", "LINE"}, {"SoundConnector", "analog", "10", "ANALOG"},
    {"SoundConnector", "UNDEFINED", "0", "UNDEFINED"},
    {"SoundConnector", "CompactDisc", "5", "COMPACTDISC"},
    {"SoundConnector", "speaker", "0", "UNDEFINED"},
    {"RestoreVolume", {}, "0", "0"}, {"RestoreVolume", "1", "1", "1"},
    {"ProgressiveJPG", {}, "1", "1"}, {"ProgressiveJPG", "0", "0", "0"},
    {"Gray", {}, "0", "0"}, {"Gray", "1", "1", "1"},
    {"JpegQuality", {}, "50", "50"}, {"JpegQuality", "100", "100", "100"},
    {"JpegQuality", "70000", "65535", "65535"}, {"JpegQuality", "-5", "0", "0"},
    {"ExternalSoftName", {}, "", ""},
    {"ExternalSoftName", "/usr/bin/cap", "/usr/bin/cap", "/usr/bin/cap"},
    {"TeletextSoftName", {}, "C:\\Program Files\\Teletext\\Teletext.exe",
     "C:\\Program Files\\Teletext\\Teletext.exe"},
    {"TeletextSoftName", "\"\xD2\xE5\xEB\xE5\xF2\xE5\xEA\xF1\xF2\"",
     "\xD2\xE5\xEB\xE5\xF2\xE5\xEA\xF1\xF2", "\xD2\xE5\xEB\xE5\xF2\xE5\xEA\xF1\xF2"},
    {"UseExternalSoft", {}, "0", "0"}, {"UseExternalSoft", "1", "1", "1"},
    {"Card", {}, "8", "8"}, {"Card", "36", "36", "36"}, {"Card", "0", "0", "0"},
    {"Card", "37", "8", "8"}, {"Card", "-1", "8", "8"},
    {"Tuner", {}, "5", "5"}, {"Tuner", "20", "20", "20"}, {"Tuner", "21", "5", "5"},
    {"Tuner", "-1", "5", "5"},
    {"Remote", {}, "1", "1"}, {"Remote", "0", "0", "0"},
    {"RemoteDelay", {}, "500", "500"}, {"RemoteDelay", "250", "250", "250"},
    {"KeepSound", {}, "0", "0"}, {"KeepSound", "1", "1", "1"},
    {"RivaTNT", {}, "0", "0"}, {"RivaTNT", "3", "3", "3"},
    {"Skin", {}, "none", "none"}, {"Skin", "Blue", "Blue", "Blue"},
    {"Skin", kSkin300, kSkin259, kSkin259},
    {"StayOnTop", {}, "1", "1"}, {"StayOnTop", "0", "0", "0"},
    {"Language", {}, "english", "english"}, {"Language", "russian", "russian", "russian"},
    {"IntellimouseReverse", {}, "0", "0"}, {"IntellimouseReverse", "1", "1", "1"},
    {"MouseStep", {}, "5", "5"}, {"MouseStep", "12", "12", "12"},
    {"SaturationU", {}, "100", "100"}, {"SaturationU", "90", "90", "90"},
    {"SaturationV", {}, "67", "67"}, {"SaturationV", "70", "70", "70"},
    {"Driver", {}, "0", "0"}, {"Driver", "1", "1", "1"},
    {"WDMDriver", {}, "2", "2"}, {"WDMDriver", "0", "0", "0"},
    {"FileIncrementVideo", {}, "0", "0"}, {"FileIncrementVideo", "1", "1", "1"},
    {"FileIncrementAudio", {}, "0", "0"}, {"FileIncrementAudio", "1", "1", "1"},
    {"NoRiffHeader", {}, "0", "0"}, {"NoRiffHeader", "1", "1", "1"},
    {"HideStatWindow", {}, "0", "0"}, {"HideStatWindow", "1", "1", "1"},
    {"OSDEnabled", {}, "1", "1"}, {"OSDEnabled", "0", "0", "0"},
    {"OSDDelay", {}, "1500", "1500"}, {"OSDDelay", "3000", "3000", "3000"},
    {"OSDFontFace", {}, "Arial", "Arial"},
    {"OSDFontFace", "DejaVu Sans", "DejaVu Sans", "DejaVu Sans"},
    {"OSDFontColor", {}, "16776960", "16776960"}, {"OSDFontColor", "255", "255", "255"},
    {"OSDFontColor", "-1", "4294967295", "-1"},
    {"OSDFontFamily", {}, "32", "32"}, {"OSDFontFamily", "0", "32", "32"},
    {"OSDFontFamily", "16", "16", "16"}, {"OSDFontFamily", "256", "255", "255"},
    {"OSDFontPitch", {}, "2", "2"}, {"OSDFontPitch", "1", "1", "1"},
    {"OSDFontPitch", "-1", "0", "0"},
    {"OSDFontCharset", {}, "1", "1"}, {"OSDFontCharset", "204", "204", "204"},
    {"OSDFontHeightMax", {}, "28", "28"}, {"OSDFontHeightMax", "30", "30", "30"},
    {"OSDFontWidthMax", {}, "0", "0"}, {"OSDFontWidthMax", "9", "9", "9"},
    {"OSDFontHeightMin", {}, "14", "14"}, {"OSDFontHeightMin", "12", "12", "12"},
    {"OSDFontWidthMin", {}, "0", "0"}, {"OSDFontWidthMin", "7", "7", "7"},
    {"OSDFontWeight", {}, "0", "0"}, {"OSDFontWeight", "700", "700", "700"},
    {"OSDFontItalic", {}, "0", "0"}, {"OSDFontItalic", "1", "1", "1"},
    {"OSDFontUnderline", {}, "0", "0"}, {"OSDFontUnderline", "1", "1", "1"},
    {"SoundOffOnStart", {}, "1", "1"}, {"SoundOffOnStart", "0", "0", "0"},
    {"AviFilename", {}, "capture.avi", "capture.avi"}, {"AviFilename", "a.avi", "a.avi", "a.avi"},
    {"WavFilename", {}, "vyxsound.wav", "vyxsound.wav"}, {"WavFilename", "b.wav", "b.wav", "b.wav"},
    {"WindowStyle", {}, "2415919104", "0x90000000"},
    {"WindowStyle", "16CF0000", "382664704", "0x16CF0000"},
    {"WindowStyle", "0x16cf0000", "382664704", "0x16CF0000"},
    {"WindowStyle", "0x123456789", "4294967295", "0xFFFFFFFF"},
    {"WindowStyle", "0", "0", "0x0"},
    {"TvWindowPresent", {}, "1", "1"}, {"TvWindowPresent", "0", "0", "0"},
    {"TvWindowPresent", "3000000000", "3000000000", "3000000000"},
    {"SideCorrelation", {}, "0", "0"}, {"SideCorrelation", "2", "2", "2"},
    {"SideCorrelation", "3", "0", "0"}, {"SideCorrelation", "4294967295", "0", "0"},
    {"HideCP", {}, "0", "0"}, {"HideCP", "5", "1", "1"}, {"HideCP", "-1", "0", "0"},
    {"CaptureFPS", {}, "25", "25"}, {"CaptureFPS", "30", "30", "30"},
    {"CaptureFPS", "99999999999", "4294967295", "4294967295"},
    {"CaptureFileSize", {}, "1800", "1800"}, {"CaptureFileSize", "700", "700", "700"},
    {"CaptureTimeLimitEnabled", {}, "1", "1"}, {"CaptureTimeLimitEnabled", "0", "0", "0"},
    {"CaptureTimeLimit", {}, "10", "10"}, {"CaptureTimeLimit", "60", "60", "60"},
    {"AbortKey", {}, "0", "0"}, {"AbortKey", "4", "4", "4"},
    {"AbortKeyEnabled", {}, "0", "0"}, {"AbortKeyEnabled", "1", "1", "1"},
    {"AbortCtrl", {}, "0", "0"}, {"AbortCtrl", "1", "1", "1"},
    {"AbortShift", {}, "0", "0"}, {"AbortShift", "1", "1", "1"},
    {"AbortLeftMouse", {}, "0", "0"}, {"AbortLeftMouse", "1", "1", "1"},
    {"AbortRightMouse", {}, "0", "0"}, {"AbortRightMouse", "1", "1", "1"},
    {"KeepSideCorrelation", {}, "0", "0"}, {"KeepSideCorrelation", "1", "1", "1"},
    {"FullScreenMouseHide", {}, "1", "1"}, {"FullScreenMouseHide", "0", "0", "0"},
    {"PLL", {}, "3", "3"}, {"PLL", "0", "0", "0"}, {"PLL", "2", "2", "2"},
    {"PLL", "4", "3", "3"}, {"PLL", "-1", "3", "3"},
    {"AudioBuffers", {}, "8", "8"}, {"AudioBuffers", "4", "4", "4"},
    {"VideoBuffers", {}, "10", "10"}, {"VideoBuffers", "20", "20", "20"},
    {"AudioIsMasterStream", {}, "0", "0"}, {"AudioIsMasterStream", "1", "1", "1"},
    {"ForceSetColorspace", {}, "1", "1"}, {"ForceSetColorspace", "0", "0", "0"},
    {"MonitorPowerOffIfNoSignal", {}, "0", "0"}, {"MonitorPowerOffIfNoSignal", "1", "1", "1"},
    {"MonitorPowerOffDelay", {}, "5", "5"}, {"MonitorPowerOffDelay", "15", "15", "15"},
};

// The cases split into rounds in which every key comes at most once: round 0 holds every key's
// first case, the defaults, and so is the run on files without any key.
std::vector<std::vector<const Case*>> rounds() {
  std::vector<std::vector<const Case*>> out;
  std::map<std::string, size_t> seen;
  for (const Case& c : kCases) {
    size_t round = seen[c.key]++;
    if (out.size() <= round) out.resize(round + 1);
    out[round].push_back(&c);
  }
  return out;
}

// The two files holding the cases' values, each key in its own section.
void writeFiles(const TempProgramFolder& folder, const std::vector<const Case*>& cases) {
  std::map<std::string, std::map<std::string, std::string>> sections[2];
  for (const Case* c : cases)
    if (c->file) sections[fileOf(c->key) == "remote.ini"][sectionOf(c->key)][c->key] = *c->file;
  for (int f = 0; f < 2; ++f) {
    std::string text;
    for (const auto& [section, keys] : sections[f]) {
      text += "[" + section + "]\r\n";
      for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    }
    folder.write(f ? "remote.ini" : "settings.ini", text);
  }
}

class SettingsStore : public testing::Test {
protected:
  // As at program start: every global zero.
  void SetUp() override { ResetCoreState(); }
  TempProgramFolder folder_;
};

TEST_F(SettingsStore, EveryKeyLoadsAndSavesAsTheTableSays) {
  ASSERT_EQ(kFields.size(), kSaveOrder.size());
  auto all = rounds();
  ASSERT_EQ(all[0].size(), kFields.size()) << "every key has a default case";
  for (size_t r = 0; r < all.size(); ++r) {
    SCOPED_TRACE("round " + std::to_string(r));
    ResetCoreState();
    writeFiles(folder_, all[r]);
    CurInput = 2;
    LoadSettings();
    EXPECT_EQ(CurInput, 0u);
    for (const Case* c : all[r])
      EXPECT_EQ(kFields.at(c->key)(), c->loaded) << c->key << " = " << c->file.value_or("(none)");

    SaveSettings();
    platform::DropProfileCache();
    for (const Case* c : all[r])
      EXPECT_EQ(platform::GetProfileString(folder_.file(fileOf(c->key)), sectionOf(c->key),
                                           c->key, "(missing)"),
                c->saved)
          << c->key << " = " << c->file.value_or("(none)");
  }
}

// The keys of each section of a freshly written file, in file order.
std::map<std::string, std::vector<std::string>> keysBySection(const std::string& text) {
  std::map<std::string, std::vector<std::string>> out;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[')
      section = line.substr(1, line.size() - 2);
    else if (auto eq = line.find('='); eq != std::string::npos)
      out[section].push_back(line.substr(0, eq));
  }
  return out;
}

TEST_F(SettingsStore, SaveWritesTheKeysInItsOwnOrder) {
  LoadSettings();
  SaveSettings();
  std::map<std::string, std::vector<std::string>> expected;
  for (const auto& key : kSaveOrder)
    if (fileOf(key) == "settings.ini") expected[sectionOf(key)].push_back(key);
  std::string text = folder_.read("settings.ini");
  EXPECT_EQ(keysBySection(text), expected);
  EXPECT_LT(text.find("[Common]"), text.find("[OSD]")) << "Card, the first key, is in [Common]";
  EXPECT_EQ(folder_.read("remote.ini"), "[Remote]\r\nRemoteDelay=500\r\n");
}

TEST_F(SettingsStore, SaveKeepsTheFilesOtherSectionsAndLines) {
  folder_.write("settings.ini",
                "; kept\r\n[CustomCard]\r\nTonMux0=0x1\r\n\r\n[Common]\r\nCard=3\r\nOld=1\r\n");
  folder_.write("remote.ini", "[KeyCodesTV]\r\nK1=0x10\r\n");
  LoadSettings();
  SaveSettings();
  std::string text = folder_.read("settings.ini");
  EXPECT_EQ(text.rfind("; kept\r\n[CustomCard]\r\nTonMux0=0x1\r\n\r\n[Common]\r\nCard=3\r\nOld=1\r\n"
                       "Tuner=5\r\n",
                       0),
            0u)
      << text;
  EXPECT_EQ(folder_.read("remote.ini"),
            "[KeyCodesTV]\r\nK1=0x10\r\n[Remote]\r\nRemoteDelay=500\r\n");
}

// Numbers in the files use no thousands separator and '.' whatever the user's locale says.
class CommaLocale : public std::numpunct<char> {
protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST_F(SettingsStore, CommaLocaleChangesNoNumber) {
  std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
  bool cLocaleSet = false;
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU"})
    if (std::setlocale(LC_NUMERIC, name)) {
      cLocaleSet = true;
      break;
    }
  std::locale oldGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaLocale));
  folder_.write("settings.ini", "[Common]\r\nTVposX=-1234\r\n[OSD]\r\nOSDDelay=15000\r\n");
  LoadSettings();
  SaveSettings();
  std::locale::global(oldGlobal);
  std::setlocale(LC_NUMERIC, oldNumeric.c_str());

  EXPECT_EQ(Settings.TVposX, -1234);
  EXPECT_EQ(Settings.OSDDelay, 15000u);
  std::string text = folder_.read("settings.ini");
  for (const char* line : {"TVposX=-1234\r\n", "OSDDelay=15000\r\n", "OSDFontColor=16776960\r\n",
                           "CaptureFileSize=1800\r\n", "WindowStyle=0x90000000\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " (C library locale for numbers "
                                                   << (cLocaleSet ? "set" : "not installed") << ")";
}

}  // namespace
