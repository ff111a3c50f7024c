// The remote control's key table: remote.ini's [Remote] decoding parameters and its [KeyCodesTV]
// codes, and the translation of a raw receiver code into the fixed key number whose action the
// remote window performs.
#pragma once

#include <array>
#include <cstdint>

// The keys of [KeyCodesTV], in the table's order.
constexpr int kRemoteKeys = 29;

// The key numbers the table translates to; a code that no entry holds is kRemoteNone.
enum RemoteKey : uint8_t {
  kRemotePower = 0,
  kRemoteEnter = 1,
  kRemoteNum5 = 2,
  kRemoteSource = 3,
  kRemoteNum2 = 4,
  kRemoteVolUp = 5,
  kRemoteNum8 = 6,
  kRemoteFreqPlus = 7,
  kRemoteFullScreen = 8,
  kRemoteChannelUp = 9,
  kRemoteFreqMinus = 15,
  kRemoteMouseMode = 16,
  kRemoteVideo = 17,
  kRemoteNum6 = 18,
  kRemoteNum3 = 20,
  kRemoteNum9 = 22,
  kRemoteSize = 23,
  kRemoteNum1 = 24,
  kRemoteChannelDown = 25,
  kRemoteNum7 = 26,
  kRemoteMute = 27,
  kRemoteNum4 = 28,
  kRemoteVolDown = 29,
  kRemoteNum0 = 30,
  kRemoteCancel = 31,
  kRemoteNone = 32,
  kRemoteButton1 = 39,
  kRemoteButton2 = 40,
  kRemoteTvFm = 41,
};

struct RemoteKeyName {
  const char* key;     // the key of [KeyCodesTV]
  RemoteKey number;    // what its code translates to
};
// The 29 keys in the table's order.
extern const std::array<RemoteKeyName, kRemoteKeys> kRemoteKeyNames;

// The raw codes of the 29 keys, loaded from [KeyCodesTV] (0xFF where a key is not given).
extern std::array<uint16_t, kRemoteKeys>& RemoteKeyTable;

// Reads remote.ini's [Remote]: the receiver's decoding (NeedToReset, ShiftBT, ShiftResult,
// Mask1, Mask2), MouseStep (over the settings.ini value) and RemoteDelay.
void LoadRemoteParams();
// Reads the 29 codes of [KeyCodesTV] into RemoteKeyTable.
void LoadRemoteKeyCodes();
// The key number of the first table entry equal to `code`; kRemoteNone when none is.
uint8_t TranslateRemoteCode(uint16_t code);
