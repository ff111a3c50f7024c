#include "settings/HardwareImport.h"

#include "core/ProfileValues.h"
#include "platform/Profile.h"

namespace hardware_import {

namespace pv = profile_values;

namespace {

constexpr const char* kTunerSection = "Params";
constexpr const char* kCardSection = "Settings";

struct TunerKey {
  const char* name;
  uint32_t TunerRow::*field;
  bool decimal;
};

constexpr TunerKey kTunerKeys[] = {
    {"I2CAddress", &TunerRow::Address, false}, {"VHFLow", &TunerRow::VHFLow, false},
    {"VHFHigh", &TunerRow::VHFHigh, false},    {"UHF", &TunerRow::UHF, false},
    {"Threshold1", &TunerRow::Threshold1, true}, {"Threshold2", &TunerRow::Threshold2, true},
};

struct CardKey {
  const char* name;
  uint32_t CardRow::*field;
};

constexpr CardKey kCardKeys[] = {
    {"GPIO_OUT_EN", &CardRow::OutEn},
    {"GPIO_DATA_SOUND_TUNER", &CardRow::TonMux0},
    {"GPIO_DATA_SOUND_OFF", &CardRow::TonMute},
    {"GPIO_DATA_SOUND_EXT", &CardRow::TonMux1},
    {"GPIO_DATA_SOUND_RADIO", &CardRow::TonMux2},
    {"GPIO_DATA_SOUND_MASK", &CardRow::TonMask},
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

KeyReader FileReader(const std::string& path) {
  return [path](const char* section, const char* key, const char* defaultText) {
    return platform::GetProfileString(path, section, key, defaultText);
  };
}

void ReadTuner(const KeyReader& read, TunerRow& row) {
  for (const TunerKey& key : kTunerKeys) {
    const std::string text = read(kTunerSection, key.name, "0");
    row.*key.field = key.decimal ? pv::ParseUnsignedDecimal(text) : pv::ParseHex(text);
  }
  row.FMStereo = kFMStereoWord;
  row.FMMono = kFMMonoWord;
}

uint32_t ReadCard(const KeyReader& read, CardRow& row) {
  for (const CardKey& key : kCardKeys) row.*key.field = pv::ParseHex(read(kCardSection, key.name, "0"));
  row.OutMask = 0xFFFFFFFF;
  const uint32_t pll = pv::ParseHex(read(kCardSection, "PLLInit", "3"));
  return pll > kPLLUntouched ? kPLLUntouched : pll;
}

bool HasExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string actual = path.substr(dot + 1);
  if (actual.size() != extension.size()) return false;
  for (size_t i = 0; i < actual.size(); ++i)
    if (lower(actual[i]) != lower(extension[i])) return false;
  return true;
}

}  // namespace hardware_import
