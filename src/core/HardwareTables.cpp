// The custom rows of the hardware tables: [CustomCard], [CustomTuner] and [CustomSystem] of
// settings.ini. Numbers are hexadecimal ("0x" optional), written "0x%X"; the two IFORM keys of the
// standard are names.
#include "core/HardwareTables.h"

#include <array>
#include <string>
#include <type_traits>
#include <variant>

#include "core/ProfileValues.h"
#include "platform/Environment.h"
#include "platform/Profile.h"

namespace {

namespace pv = profile_values;

template <typename Row>
struct HexKey {
  const char* name;
  const char* defaultText;
  uint32_t Row::*field;
};

// In the order they are read and written. The rows' Id is neither.
constexpr HexKey<CardRow> kCardKeys[] = {
    {"VideoMux0", "0x40", &CardRow::VideoMux0},
    {"VideoMux1", "0x60", &CardRow::VideoMux1},
    {"VideoMux2", "0x20", &CardRow::VideoMux2},
    {"VideoMask", "0x60", &CardRow::VideoMask},
    {"TonMux0", "0x8ce700", &CardRow::TonMux0},
    {"TonMux1", "0x8ce700", &CardRow::TonMux1},
    {"TonMux2", "0x8cff00", &CardRow::TonMux2},
    {"TonMute", "0x8cff00", &CardRow::TonMute},
    {"TonMask", "0x8dff00", &CardRow::TonMask},
    {"OutEn", "0x001800", &CardRow::OutEn},
    {"OutMask", "0xFFFFFFFF", &CardRow::OutMask},
};

constexpr HexKey<TunerRow> kTunerKeys[] = {
    {"Address", "0xC2", &TunerRow::Address},
    {"VHFLow", "0x8EA0", &TunerRow::VHFLow},
    {"VHFHigh", "0x8E90", &TunerRow::VHFHigh},
    {"UHF", "0x8E30", &TunerRow::UHF},
    {"Threshold1", "0x36C9", &TunerRow::Threshold1},
    {"Threshold2", "0xB4F5", &TunerRow::Threshold2},
    {"FMStereo", "0x8EA5", &TunerRow::FMStereo},
    {"FMMono", "0x8EA7", &TunerRow::FMMono},
};

// A [CustomSystem] key: a hexadecimal field of any width, or one of the two IFORM names.
enum class SystemName : uint8_t { kNone, kFormat, kCrystal };

struct SystemKey {
  const char* name;
  const char* defaultText;
  std::variant<uint32_t TVSystemRow::*, uint16_t TVSystemRow::*, uint8_t TVSystemRow::*> field;
  SystemName kind = SystemName::kNone;
};

const SystemKey kSystemKeys[] = {
    {"CropWidth", "0x300", &TVSystemRow::CropWidth},
    {"CropHeight", "0x240", &TVSystemRow::CropHeight},
    {"CropOffset", "0x0", &TVSystemRow::CropOffset},
    {"TotalWidth", "0x46F", &TVSystemRow::TotalWidth},
    {"DelayA", "0x7F", &TVSystemRow::DelayA},
    {"DelayB", "0xB0", &TVSystemRow::DelayB},
    {"IFormSys", "BT848_IFORM_SECAM", &TVSystemRow::IFormSys, SystemName::kFormat},
    {"IFormXT", "BT848_IFORM_XT1", &TVSystemRow::IFormXT, SystemName::kCrystal},
    {"XsfNum", "0x3B0", &TVSystemRow::XsfNum},
    {"XsfDen", "0x300", &TVSystemRow::XsfDen},
    {"HDelayx1", "0xB0", &TVSystemRow::HDelayx1},
    {"HActivex1", "0x39A", &TVSystemRow::HActivex1},
    {"VDelay", "0x20", &TVSystemRow::VDelay},
};

// IFORM format names by code.
constexpr std::array<const char*, 8> kFormatNames = {
    "BT848_IFORM_AUTO",  "BT848_IFORM_NTSC",  "BT848_IFORM_NTSC_J", "BT848_IFORM_PAL_BDGHI",
    "BT848_IFORM_PAL_M", "BT848_IFORM_PAL_N", "BT848_IFORM_SECAM",  "BT848_IFORM_NORM"};
constexpr uint8_t kFormatSecam = 6;
constexpr const char* kCrystalXT0 = "BT848_IFORM_XT0";
constexpr const char* kCrystalXT1 = "BT848_IFORM_XT1";

constexpr const char* kCustomCard = "CustomCard";
constexpr const char* kCustomTuner = "CustomTuner";
constexpr const char* kCustomSystem = "CustomSystem";

std::string settingsFile() { return platform::ProgramFolder() + "settings.ini"; }

template <typename Row, size_t N>
void loadHexKeys(Row& row, const char* section, const HexKey<Row> (&keys)[N]) {
  std::string file = settingsFile();
  for (const auto& key : keys)
    row.*key.field = pv::ParseHex(platform::GetProfileString(file, section, key.name, key.defaultText));
}

template <typename Row, size_t N>
void saveHexKeys(const Row& row, const char* section, const HexKey<Row> (&keys)[N]) {
  std::string file = settingsFile();
  platform::ProfileWriteBatch batch;  // one write of the file for the whole row
  for (const auto& key : keys)
    platform::WriteProfileString(file, section, key.name, pv::FormatHex(row.*key.field));
}

uint8_t formatCode(const std::string& text) {
  std::string upper = pv::UpperCase(text);
  for (size_t code = 0; code < kFormatNames.size(); ++code)
    if (upper == kFormatNames[code]) return static_cast<uint8_t>(code);
  return kFormatSecam;
}

uint8_t crystalCode(const std::string& text) {
  return pv::UpperCase(text) == kCrystalXT0 ? kXT0 : kXT1;
}

void readSystemKey(const SystemKey& key, const std::string& text) {
  if (key.kind == SystemName::kFormat) {
    CustomTVSystem.IFormSys = formatCode(text);
  } else if (key.kind == SystemName::kCrystal) {
    CustomTVSystem.IFormXT = crystalCode(text);
  } else {
    uint32_t value = pv::ParseHex(text);
    // Cut to the field's width, as the stored row has always been read.
    std::visit([&](auto member) {
      using T = std::remove_reference_t<decltype(CustomTVSystem.*member)>;
      CustomTVSystem.*member = static_cast<T>(value);
    }, key.field);
  }
}

std::string systemKeyText(const SystemKey& key) {
  if (key.kind == SystemName::kFormat)
    return CustomTVSystem.IFormSys < kFormatNames.size() ? kFormatNames[CustomTVSystem.IFormSys]
                                                         : kFormatNames[kFormatSecam];
  if (key.kind == SystemName::kCrystal)
    return CustomTVSystem.IFormXT == kXT0 ? kCrystalXT0 : kCrystalXT1;
  return pv::FormatHex(std::visit(
      [](auto member) { return static_cast<uint32_t>(CustomTVSystem.*member); }, key.field));
}

}  // namespace

void LoadCustomCard() { loadHexKeys(CardTable[0], kCustomCard, kCardKeys); }

void SaveCustomCard() { saveHexKeys(CardTable[0], kCustomCard, kCardKeys); }

void LoadCustomTuner() { loadHexKeys(TunerTable[0], kCustomTuner, kTunerKeys); }

void SaveCustomTuner() { saveHexKeys(TunerTable[0], kCustomTuner, kTunerKeys); }

void LoadCustomSystem() {
  std::string file = settingsFile();
  for (const SystemKey& key : kSystemKeys)
    readSystemKey(key, platform::GetProfileString(file, kCustomSystem, key.name, key.defaultText));
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
}

void SaveCustomSystem() {
  std::string file = settingsFile();
  platform::ProfileWriteBatch batch;
  for (const SystemKey& key : kSystemKeys)
    platform::WriteProfileString(file, kCustomSystem, key.name, systemKeyText(key));
}
