// The card functions: the flat calls through which the windows set the card in the user's units
// (percent, MHz, standard number, input number). They convert to chip values and call the one
// chip object behind `CardDevice`; they also mute through the optional audio plug-in, show or
// hide the TV window for the radio standard and tell the TV-standard path the standard.
//
// While `CardDevice` is null every function but OpenCard does nothing and returns 0 (false).
// Otherwise they return 1 unless stated; a register read on a failed chip object raises
// CExcept, which passes through to the caller.
#pragma once

#include <cstdint>
#include <string>

#include "core/CBT848.h"
#include "platform/HardwareLibrary.h"

// --- The audio plug-in: an optional shared library libaudio.so in the executable's folder. It
// exports one C function, called on every mute change with the command 105 and the mute state
// (1 = sound off, 0 = on); its result is not used:
//   extern "C" int32_t audio_Set(int32_t command, uint8_t value);
using AudioSetFn = int32_t(int32_t command, uint8_t value);
constexpr int32_t kAudioMuteCommand = 105;

// The loaded plug-in, null when absent.
extern platform::ModuleHandle& AudioDll;
// Its audio_Set as last looked up by SetMute; null when not found.
extern AudioSetFn*& AudioSetProc;

// Where LoadAudioDll() looks: the executable's folder + "libaudio.so".
std::string AudioDllPath();
// Loads the plug-in (a plug-in already loaded is freed first); false when it is absent.
bool LoadAudioDll();
bool LoadAudioDll(const std::string& path);
// Frees the plug-in, if loaded.
void FreeAudioDll();

// --- The card
// Creates the chip object when there is none, then opens it (again) with the settings' tuner
// and card rows and shows what a failure calls for (ReportOpenFailure). Returns 1 whether or
// not the open succeeded: callers ask the object (IsOpen).
int32_t OpenCard();
// 0 tuner, 1 "AV", 2 "SVHS".
int32_t SetVideoInput(uint32_t n);
// Standard 0..9 (9 = FM radio, which only hides the TV window); 0 for a number above 9.
int32_t SetTVSystem(uint32_t n);
// The analog video standard mask that the TV-standard path is told for standard n; 0 for AUTO
// and for the standards without one (CUSTOM, FMRADIO, numbers above 9).
uint32_t StandardMask(uint32_t n);

// Picture controls in percent; values outside 0..100 count as the nearer end.
int32_t SetBrightness(int32_t percent);
int32_t SetContrast(int32_t percent);
int32_t SetHue(int32_t percent);
// Both colour-difference saturations, each scaled by its factor SaturationV / SaturationU.
int32_t SetSaturation(int32_t percent);

// Tunes to `mhz` (truncated to 10 kHz units).
int32_t TuneFrequency(float mhz);

// Hooks for the channel's volume and three further channel fields: they do nothing and return 0.
int32_t SetCardVolume(int32_t value);
int32_t SetCardParamA(int32_t value);
int32_t SetCardParamB(int32_t value);
int32_t SetCardParamC(int32_t value);

int32_t SetFMStereo(uint32_t on);
// Tells the audio plug-in first, when it is loaded and exports audio_Set, then mutes or unmutes
// on the card's audio switch.
int32_t SetMute(uint32_t on);

// The three signal detectors the frequency scan chooses between.
bool SignalLocked();   // video present and horizontally locked
bool SignalPresent();  // video present
bool TunerAfcOk();     // the tuner's AFC code says tuned (4 or more)
