// LoadSettings and SaveSettings: every key of settings.ini [Common] and [OSD] and remote.ini's
// RemoteDelay, described once in a table that both walk.
#include "core/Settings.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <string_view>
#include <type_traits>
#include <variant>

#include "core/HardwareTables.h"
#include "core/ProfileValues.h"
#include "platform/Environment.h"
#include "platform/Profile.h"

namespace {

namespace pv = profile_values;

enum class Form : uint8_t {
  kDecimal,          // optional sign and digits, "%d"
  kFlag,             // decimal, stored as 0/1
  kUnsigned,         // digits only
  kUnsignedFlag,     // digits only, stored as 0/1
  kHex,              // optional "0x", "0x%X"
  kText,             // copied unchanged
  kFullScreen,       // enumerations by name
  kImageType,
  kSoundConnector,
};

using Field = std::variant<int32_t SettingsBlock::*, uint32_t SettingsBlock::*,
                           uint16_t SettingsBlock::*, uint8_t SettingsBlock::*,
                           std::string SettingsBlock::*>;

// A value that selects a table row or a case is checked as it is read: past `max` it reads as
// `fallback`, so an edited file cannot make the program index beyond its tables.
struct Limit {
  uint32_t max = std::numeric_limits<uint32_t>::max();
  uint32_t fallback = 0;
};

struct Key {
  const char* name;
  const char* section;
  const char* defaultText;
  Form form;
  Field field;
  Limit limit{};
  bool remoteIni = false;
};

constexpr const char* kCommon = "Common";
constexpr const char* kOsd = "OSD";

using S = SettingsBlock;

// In the order LoadSettings reads them.
constexpr Key kKeys[] = {
    {"TVposX", kCommon, "184", Form::kDecimal, &S::TVposX},
    {"TVposY", kCommon, "22", Form::kDecimal, &S::TVposY},
    {"TVsizeX", kCommon, "394", Form::kDecimal, &S::TVsizeX},
    {"TVsizeY", kCommon, "294", Form::kDecimal, &S::TVsizeY},
    {"CBposX", kCommon, "184", Form::kDecimal, &S::CBposX},
    {"CBposY", kCommon, "318", Form::kDecimal, &S::CBposY},
    {"TVstate", kCommon, "0", Form::kDecimal, &S::TVstate},
    {"FullScreen", kCommon, "NO_CHANGES", Form::kFullScreen, &S::FullScreen},
    {"CBState", kCommon, "1", Form::kFlag, &S::CBState},
    {"Reverse", kCommon, "0", Form::kFlag, &S::Reverse},
    {"CapturePeriod", kCommon, "0", Form::kDecimal, &S::CapturePeriod},
    {"Hints", kCommon, "1", Form::kFlag, &S::Hints},
    {"TaskBarButton", kCommon, "1", Form::kFlag, &S::TaskBarButton},
    {"ImgToSingleFile", kCommon, "1", Form::kFlag, &S::ImgToSingleFile},
    {"ImageType", kCommon, "JPG", Form::kImageType, &S::ImageType},
    {"SoundConnector", kCommon, "LINE", Form::kSoundConnector, &S::SoundConnector},
    {"RestoreVolume", kCommon, "0", Form::kFlag, &S::RestoreVolume},
    {"ProgressiveJPG", kCommon, "1", Form::kFlag, &S::ProgressiveJPG},
    {"Gray", kCommon, "0", Form::kFlag, &S::Gray},
    {"JpegQuality", kCommon, "50", Form::kDecimal, &S::JpegQuality},
    {"ExternalSoftName", kCommon, "", Form::kText, &S::ExternalSoftName},
    {"TeletextSoftName", kCommon, "C:\\Program Files\\Teletext\\Teletext.exe", Form::kText,
     &S::TeletextSoftName},
    {"UseExternalSoft", kCommon, "0", Form::kFlag, &S::UseExternalSoft},
    {"Card", kCommon, "8", Form::kDecimal, &S::Card, {kCardRows - 1, kDefaultCard}},
    {"Tuner", kCommon, "5", Form::kDecimal, &S::Tuner, {kTunerRows - 1, kDefaultTuner}},
    {"Remote", kCommon, "1", Form::kFlag, &S::Remote},
    {"RemoteDelay", "Remote", "500", Form::kDecimal, &S::RemoteDelay, {}, true},
    {"KeepSound", kCommon, "0", Form::kFlag, &S::KeepSound},
    {"RivaTNT", kCommon, "0", Form::kDecimal, &S::RivaTNT},
    {"Skin", kCommon, "none", Form::kText, &S::Skin},
    {"StayOnTop", kCommon, "1", Form::kFlag, &S::StayOnTop},
    {"Language", kCommon, "english", Form::kText, &S::Language},
    {"IntellimouseReverse", kCommon, "0", Form::kFlag, &S::IntellimouseReverse},
    {"MouseStep", kCommon, "5", Form::kDecimal, &S::MouseStep},
    {"SaturationU", kCommon, "100", Form::kDecimal, &S::SaturationU},
    {"SaturationV", kCommon, "67", Form::kDecimal, &S::SaturationV},
    {"Driver", kCommon, "0", Form::kDecimal, &S::Driver},
    {"WDMDriver", kCommon, "2", Form::kDecimal, &S::WDMDriver},
    {"FileIncrementVideo", kCommon, "0", Form::kFlag, &S::FileIncrementVideo},
    {"FileIncrementAudio", kCommon, "0", Form::kFlag, &S::FileIncrementAudio},
    {"NoRiffHeader", kCommon, "0", Form::kFlag, &S::NoRiffHeader},
    {"HideStatWindow", kCommon, "0", Form::kFlag, &S::HideStatWindow},
    {"OSDEnabled", kOsd, "1", Form::kFlag, &S::OSDEnabled},
    {"OSDDelay", kOsd, "1500", Form::kDecimal, &S::OSDDelay},
    {"OSDFontFace", kOsd, "Arial", Form::kText, &S::OSDFontFace},
    {"OSDFontColor", kOsd, "16776960", Form::kDecimal, &S::OSDFontColor},
    {"OSDFontFamily", kOsd, "0", Form::kDecimal, &S::OSDFontFamily},
    {"OSDFontPitch", kOsd, "2", Form::kDecimal, &S::OSDFontPitch},
    {"OSDFontCharset", kOsd, "1", Form::kDecimal, &S::OSDFontCharset},
    {"OSDFontHeightMax", kOsd, "28", Form::kDecimal, &S::OSDFontHeightMax},
    {"OSDFontWidthMax", kOsd, "0", Form::kDecimal, &S::OSDFontWidthMax},
    {"OSDFontHeightMin", kOsd, "14", Form::kDecimal, &S::OSDFontHeightMin},
    {"OSDFontWidthMin", kOsd, "0", Form::kDecimal, &S::OSDFontWidthMin},
    {"OSDFontWeight", kOsd, "0", Form::kDecimal, &S::OSDFontWeight},
    {"OSDFontItalic", kOsd, "0", Form::kDecimal, &S::OSDFontItalic},
    {"OSDFontUnderline", kOsd, "0", Form::kDecimal, &S::OSDFontUnderline},
    {"SoundOffOnStart", kCommon, "1", Form::kFlag, &S::SoundOffOnStart},
    {"AviFilename", kCommon, "capture.avi", Form::kText, &S::AviFilename},
    {"WavFilename", kCommon, "vyxsound.wav", Form::kText, &S::WavFilename},
    {"WindowStyle", kCommon, "0x90000000", Form::kHex, &S::WindowStyle},
    {"TvWindowPresent", kCommon, "1", Form::kUnsigned, &S::TvWindowPresent},
    {"SideCorrelation", kCommon, "0", Form::kUnsigned, &S::SideCorrelation, {2, 0}},
    {"HideCP", kCommon, "0", Form::kUnsignedFlag, &S::HideCP},
    {"CaptureFPS", kCommon, "25", Form::kUnsigned, &S::CaptureFPS},
    {"CaptureFileSize", kCommon, "1800", Form::kUnsigned, &S::CaptureFileSize},
    {"CaptureTimeLimitEnabled", kCommon, "1", Form::kUnsignedFlag, &S::CaptureTimeLimitEnabled},
    {"CaptureTimeLimit", kCommon, "10", Form::kUnsigned, &S::CaptureTimeLimit},
    {"AbortKey", kCommon, "0", Form::kDecimal, &S::AbortKey},
    {"AbortKeyEnabled", kCommon, "0", Form::kFlag, &S::AbortKeyEnabled},
    {"AbortCtrl", kCommon, "0", Form::kFlag, &S::AbortCtrl},
    {"AbortShift", kCommon, "0", Form::kFlag, &S::AbortShift},
    {"AbortLeftMouse", kCommon, "0", Form::kFlag, &S::AbortLeftMouse},
    {"AbortRightMouse", kCommon, "0", Form::kFlag, &S::AbortRightMouse},
    {"KeepSideCorrelation", kCommon, "0", Form::kFlag, &S::KeepSideCorrelation},
    {"FullScreenMouseHide", kCommon, "1", Form::kFlag, &S::FullScreenMouseHide},
    {"PLL", kCommon, "3", Form::kDecimal, &S::PLL, {3, 3}},
    {"AudioBuffers", kCommon, "8", Form::kDecimal, &S::AudioBuffers},
    {"VideoBuffers", kCommon, "10", Form::kDecimal, &S::VideoBuffers},
    {"AudioIsMasterStream", kCommon, "0", Form::kFlag, &S::AudioIsMasterStream},
    {"ForceSetColorspace", kCommon, "1", Form::kFlag, &S::ForceSetColorspace},
    {"MonitorPowerOffIfNoSignal", kCommon, "0", Form::kFlag, &S::MonitorPowerOffIfNoSignal},
    {"MonitorPowerOffDelay", kCommon, "5", Form::kDecimal, &S::MonitorPowerOffDelay},
};

// The order SaveSettings writes them in.
constexpr std::string_view kSaveOrder[] = {
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
// Every key is saved exactly once.
constexpr bool saveOrderComplete() {
  if (std::size(kSaveOrder) != std::size(kKeys)) return false;
  for (const Key& key : kKeys)
    if (std::count(std::begin(kSaveOrder), std::end(kSaveOrder), key.name) != 1) return false;
  return true;
}
static_assert(saveOrderComplete(), "every key is saved once");

// Names of the enumerations, indexed by value; FullScreen's index 0 has no name.
constexpr std::array<const char*, 6> kFullScreenNames = {
    nullptr, "320X240", "400X300", "640X480", "800X600", "NO_CHANGES"};
constexpr std::array<const char*, 6> kFullScreenSaveNames = {
    "NO_CHANGES", "320x240", "400x300", "640x480", "800x600", "NO_CHANGES"};
constexpr std::array<const char*, 2> kImageTypeNames = {"BMP", "JPG"};
constexpr std::array<const char*, 11> kSoundConnectorNames = {
    "UNDEFINED", "DIGITAL",   "LINE",     "MICROPHONE", "SYNTHESIZER", "COMPACTDISC",
    "TELEPHONE", "PCSPEAKER", "WAVEOUT",  "AUXILIARY",  "ANALOG"};

// The index of the upper-cased text among `names`, or -1.
template <size_t N>
int nameIndex(const std::array<const char*, N>& names, const std::string& text) {
  std::string upper = pv::UpperCase(text);
  for (size_t i = 0; i < N; ++i)
    if (names[i] && upper == names[i]) return static_cast<int>(i);
  return -1;
}

// Stores a number into a field of any width. Narrow fields saturate rather than wrap, so a
// JpegQuality of 70000 stays the highest quality instead of becoming 4464; 32-bit fields keep the
// bits of a signed read, which "%d" writes back as the same text.
template <typename T>
void storeNumber(T& field, int64_t value) {
  if constexpr (sizeof(T) < sizeof(int32_t))
    field = static_cast<T>(std::clamp<int64_t>(value, 0, std::numeric_limits<T>::max()));
  else
    field = static_cast<T>(value);
}

// The number a read form gives for `text`; false for the enumerations that keep the old value.
bool readNumber(const Key& key, const std::string& text, int64_t& value) {
  switch (key.form) {
    case Form::kDecimal: value = pv::ParseDecimal(text); return true;
    case Form::kFlag: value = pv::ParseDecimal(text) != 0; return true;
    case Form::kUnsigned: value = pv::ParseUnsignedDecimal(text); return true;
    case Form::kUnsignedFlag: value = pv::ParseUnsignedDecimal(text) != 0; return true;
    case Form::kHex: value = pv::ParseHex(text); return true;
    case Form::kFullScreen: value = std::max(0, nameIndex(kFullScreenNames, text)); return true;
    case Form::kImageType: value = nameIndex(kImageTypeNames, text); return value >= 0;
    case Form::kSoundConnector: value = nameIndex(kSoundConnectorNames, text); return value >= 0;
    case Form::kText: return false;
  }
  return false;
}

void readKey(const Key& key, const std::string& text) {
  if (auto* member = std::get_if<std::string S::*>(&key.field)) {
    Settings.*(*member) = text;
    return;
  }
  int64_t value = 0;
  if (!readNumber(key, text, value)) return;
  if (static_cast<uint32_t>(value) > key.limit.max) value = key.limit.fallback;
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(Settings.*member)>;
        if constexpr (std::is_integral_v<T>) storeNumber(Settings.*member, value);
      },
      key.field);
}

// The field as a number, read through its own type's signedness.
int64_t fieldNumber(const Key& key) {
  return std::visit(
      [](auto member) -> int64_t {
        using T = std::remove_reference_t<decltype(Settings.*member)>;
        if constexpr (std::is_integral_v<T>)
          return static_cast<int64_t>(Settings.*member);
        else
          return 0;
      },
      key.field);
}

std::string writtenText(const Key& key) {
  if (auto* member = std::get_if<std::string S::*>(&key.field)) return Settings.*(*member);
  int64_t value = fieldNumber(key);
  switch (key.form) {
    // "%d" of a 32-bit field: its bits as a signed number, which a decimal read restores.
    case Form::kDecimal:
    case Form::kFlag: return pv::FormatDecimal(static_cast<int32_t>(value));
    // Digits only: a signed text would read back as 0.
    case Form::kUnsigned:
    case Form::kUnsignedFlag: return pv::FormatDecimal(static_cast<uint32_t>(value));
    case Form::kHex: return pv::FormatHex(static_cast<uint32_t>(value));
    case Form::kFullScreen:
      return value >= 0 && value < 6 ? kFullScreenSaveNames[value] : "NO_CHANGES";
    case Form::kImageType: return value != 0 ? "JPG" : "BMP";
    case Form::kSoundConnector:
      return value >= 0 && value <= 10 ? kSoundConnectorNames[value] : "LINE";
    case Form::kText: break;
  }
  return {};
}

// settings.ini and remote.ini in the program folder.
struct Files {
  std::string settings = platform::ProgramFolder() + "settings.ini";
  std::string remote = platform::ProgramFolder() + "remote.ini";

  const std::string& of(const Key& key) const { return key.remoteIni ? remote : settings; }
};

}  // namespace

void LoadSettings() {
  platform::ProfileReadBatch oneVersion;  // one look at each file on disk for the whole load
  Files files;
  for (const Key& key : kKeys)
    readKey(key, platform::GetProfileString(files.of(key), key.section, key.name, key.defaultText));
  if (Settings.OSDFontFamily == 0) Settings.OSDFontFamily = 32;
  CurInput = 0;
}

// Write errors are ignored: the settings stay in memory and the next save tries again.
void SaveSettings() {
  static const auto saveOrder = [] {
    std::array<const Key*, std::size(kKeys)> keys{};
    for (size_t i = 0; i < keys.size(); ++i)
      keys[i] = &*std::find_if(std::begin(kKeys), std::end(kKeys),
                               [&](const Key& k) { return kSaveOrder[i] == k.name; });
    return keys;
  }();
  Files files;
  platform::ProfileWriteBatch batch;
  for (const Key* key : saveOrder)
    platform::WriteProfileString(files.of(*key), key->section, key->name, writtenText(*key));
}
