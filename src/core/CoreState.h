// The card-control layer's state in one place: every global of src/core is a member of
// CoreState, and the names the windows, skins and language files use (Settings, ChannelTable,
// CurChannel, CardDevice...) are references to these members, declared in the headers of the
// units that explain them. A global added to src/core goes here, or ResetCoreState misses it
// (tests/GlobalState.sh checks the libraries for mutable globals outside the states).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Schedule.h"
#include "core/Settings.h"
#include "core/TvStandardPath.h"
#include "platform/HardwareLibrary.h"

class CBT848;
class CMyMixer;
class TvWindowHandle;

struct CoreState {
  // settings.ini and the current input (Settings.h)
  SettingsBlock Settings{};
  uint32_t CurInput = 0;

  // channels.ini (Channels.h) and schedule.ini (Schedule.h)
  std::array<ChannelRecord, kChannelRows> ChannelTable{};
  int32_t NumOfChannels = 0;
  int32_t StartChannel = 0;
  int32_t CurChannel = 1;
  std::array<ScheduleEntry, kScheduleEntries> ScheduleTable{};

  // The hardware tables with their custom rows as loaded from settings.ini (HardwareTables.h)
  std::array<CardRow, kCardRows> CardTable = kBuiltinCardTable;
  std::array<TunerRow, kTunerRows> TunerTable = kBuiltinTunerTable;
  std::array<TVSystemRow, kTVSystemRows> TVSystemTable = kBuiltinTVSystemTable;
  TVSystemRow CustomTVSystem{};

  // The chip object and what every chip object shares (CBT848.h)
  CBT848* CardDevice = nullptr;  // owned
  int32_t PrevFrequency = 0;
  uint32_t NeedToReset = 0;
  uint16_t ShiftBT = 0;
  uint16_t ShiftResult = 0;
  uint16_t Mask1 = 0;
  uint16_t Mask2 = 0;
  bool SoundMuted = false;

  // The audio plug-in (CardFunctions.h)
  platform::ModuleHandle AudioDll = nullptr;  // owned
  AudioSetFn* AudioSetProc = nullptr;

  // The eight mixer lines (CMyMixer.h), owned
  CMyMixer* LineVol = nullptr;
  CMyMixer* RecLineVol = nullptr;
  CMyMixer* MasterVol = nullptr;
  CMyMixer* RecMasterVol = nullptr;
  CMyMixer* LineMute = nullptr;
  CMyMixer* RecLineMute = nullptr;
  CMyMixer* MasterMute = nullptr;
  CMyMixer* RecMasterMute = nullptr;

  // The TV-standard path (TvStandardPath.h)
  bool ComActive = false;
  TvStandardPathBinding StandardPath;

  // The TV window as the card layer sees it (TvWindow.h); the viewer owns the window.
  TvWindowHandle* TvWindow = nullptr;
  bool TvHiddenByUser = false;
};

// Back to the state of a program that has just started: frees what the state owns (the chip
// object, the mixer lines, the audio plug-in, the TV-standard path's device) and gives every
// member its initial value. Tests call it; the program never needs to.
void ResetCoreState();
