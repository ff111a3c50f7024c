// The one instance of the card-control layer's state, and the global names bound to it.
#include "core/CoreState.h"

#include <memory>

#include "core/CBT848.h"
#include "core/CMyMixer.h"
#include "core/TvWindow.h"
#include "platform/VideoStandard.h"

namespace {

CoreState state;

}  // namespace

SettingsBlock& Settings = state.Settings;
uint32_t& CurInput = state.CurInput;

std::array<ChannelRecord, kChannelRows>& ChannelTable = state.ChannelTable;
int32_t& NumOfChannels = state.NumOfChannels;
int32_t& StartChannel = state.StartChannel;
int32_t& CurChannel = state.CurChannel;
std::array<ScheduleEntry, kScheduleEntries>& ScheduleTable = state.ScheduleTable;

std::array<CardRow, kCardRows>& CardTable = state.CardTable;
std::array<TunerRow, kTunerRows>& TunerTable = state.TunerTable;
std::array<TVSystemRow, kTVSystemRows>& TVSystemTable = state.TVSystemTable;
TVSystemRow& CustomTVSystem = state.CustomTVSystem;

CBT848*& CardDevice = state.CardDevice;
int32_t& PrevFrequency = state.PrevFrequency;
uint32_t& NeedToReset = state.NeedToReset;
uint16_t& ShiftBT = state.ShiftBT;
uint16_t& ShiftResult = state.ShiftResult;
uint16_t& Mask1 = state.Mask1;
uint16_t& Mask2 = state.Mask2;
bool& SoundMuted = state.SoundMuted;

platform::ModuleHandle& AudioDll = state.AudioDll;
AudioSetFn*& AudioSetProc = state.AudioSetProc;

CMyMixer*& LineVol = state.LineVol;
CMyMixer*& RecLineVol = state.RecLineVol;
CMyMixer*& MasterVol = state.MasterVol;
CMyMixer*& RecMasterVol = state.RecMasterVol;
CMyMixer*& LineMute = state.LineMute;
CMyMixer*& RecLineMute = state.RecLineMute;
CMyMixer*& MasterMute = state.MasterMute;
CMyMixer*& RecMasterMute = state.RecMasterMute;

bool& ComActive = state.ComActive;
TvStandardPathBinding& StandardPath = state.StandardPath;

TvWindowHandle*& TvWindow = state.TvWindow;
bool& TvHiddenByUser = state.TvHiddenByUser;

void ResetCoreState() {
  delete state.CardDevice;
  state.CardDevice = nullptr;
  FreeMixerObjects();
  FreeAudioDll();
  // Every member back to its initial value; the names above stay bound to the same storage.
  std::destroy_at(&state);
  std::construct_at(&state);
}
