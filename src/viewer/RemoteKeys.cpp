// remote.ini's two sections and the code translation.
#include "viewer/RemoteKeys.h"

#include <string>

#include "core/CBT848.h"
#include "core/ProfileValues.h"
#include "core/Settings.h"
#include "platform/Environment.h"
#include "platform/Profile.h"

namespace pv = profile_values;

const std::array<RemoteKeyName, kRemoteKeys> kRemoteKeyNames = {{
    {"NONE", kRemoteNone},          {"POWER", kRemotePower},
    {"MOUSEMODE", kRemoteMouseMode}, {"FULLSCREEN", kRemoteFullScreen},
    {"NUM1", kRemoteNum1},          {"NUM2", kRemoteNum2},
    {"NUM3", kRemoteNum3},          {"NUM4", kRemoteNum4},
    {"NUM5", kRemoteNum5},          {"NUM6", kRemoteNum6},
    {"NUM7", kRemoteNum7},          {"NUM8", kRemoteNum8},
    {"NUM9", kRemoteNum9},          {"NUM0", kRemoteNum0},
    {"CHNLUP", kRemoteChannelUp},   {"CHNLDN", kRemoteChannelDown},
    {"VOLUP", kRemoteVolUp},        {"VOLDN", kRemoteVolDown},
    {"CANCEL", kRemoteCancel},      {"ENTER", kRemoteEnter},
    {"VIDEO", kRemoteVideo},        {"SIZE", kRemoteSize},
    {"FREQPLUS", kRemoteFreqPlus},  {"FREQMINUS", kRemoteFreqMinus},
    {"MUTE", kRemoteMute},          {"SOURCE", kRemoteSource},
    {"BUTTON1", kRemoteButton1},    {"BUTTON2", kRemoteButton2},
    {"TVFM", kRemoteTvFm},
}};

namespace {

std::string remoteFile() { return platform::ProgramFolder() + "remote.ini"; }

std::string read(const std::string& file, const char* section, const char* key,
                 const char* fallback) {
  return platform::GetProfileString(file, section, key, fallback);
}

}  // namespace

void LoadRemoteParams() {
  platform::ProfileReadBatch oneVersion;
  const std::string file = remoteFile();
  auto decimal = [&](const char* key, const char* fallback) {
    return pv::ParseDecimal(read(file, "Remote", key, fallback));
  };
  auto hex = [&](const char* key, const char* fallback) {
    return static_cast<uint16_t>(pv::ParseHex(read(file, "Remote", key, fallback)));
  };
  NeedToReset = static_cast<uint32_t>(decimal("NeedToReset", "1"));
  decimal("MakeEvenValue", "0");  // read for the file's sake; nothing uses it
  ShiftBT = hex("ShiftBT", "0x03");
  ShiftResult = hex("ShiftResult", "0x00");
  Mask1 = hex("Mask1", "0x3F");
  Mask2 = hex("Mask2", "0xFF");
  Settings.MouseStep = decimal("MouseStep", "5");
  Settings.RemoteDelay = static_cast<uint32_t>(decimal("RemoteDelay", "500"));
}

void LoadRemoteKeyCodes() {
  platform::ProfileReadBatch oneVersion;
  const std::string file = remoteFile();
  for (int i = 0; i < kRemoteKeys; ++i) {
    const std::string text = read(file, "KeyCodesTV", kRemoteKeyNames[i].key, "0xFF");
    RemoteKeyTable[i] = static_cast<uint16_t>(pv::ParseHex(text));
  }
}

uint8_t TranslateRemoteCode(uint16_t code) {
  for (int i = 0; i < kRemoteKeys; ++i)
    if (RemoteKeyTable[i] == code) return kRemoteKeyNames[i].number;
  return kRemoteNone;
}
