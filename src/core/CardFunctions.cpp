#include "core/CardFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/Channels.h"
#include "core/Settings.h"
#include "core/TvStandardPath.h"
#include "core/TvWindow.h"
#include "platform/Environment.h"
#include "platform/VideoStandard.h"


namespace {

constexpr char kAudioDllName[] = "libaudio.so";
constexpr char kAudioSetExport[] = "audio_Set";

constexpr uint32_t kLastStandard = 9;
constexpr uint32_t kFmRadio = 9;
constexpr uint32_t kFirstWithoutMask = 8;  // CUSTOM and FMRADIO have no analog standard
constexpr uint32_t kPllLeftAlone = 3;
constexpr double kMaxNineBit = 511.0;      // the saturation registers take 0..511

// The analog video standard mask of standards 0..7; AUTO has none.
constexpr std::array<uint32_t, kFirstWithoutMask> kStandardMasks = {
    0,                         // AUTO
    platform::kAnalogNtscM,    // NTSC_M
    platform::kAnalogNtscMJ,   // NTSC_J
    platform::kAnalogPalB,     // PAL_BDGHI
    platform::kAnalogPalM,     // PAL_M
    platform::kAnalogPalN,     // PAL_N
    platform::kAnalogSecamD,   // SECAM
    platform::kAnalogPalH,     // PAL_Nc
};

// percent x 2.55 in single precision, the percent held within 0..100 first. Single precision
// is part of the result: 100 % must give 255 where double precision gives 254.99....
float percentTo255(int32_t percent) {
  float p = static_cast<float>(std::clamp(percent, 0, 100));
  float scaled = p * 2.55f;
  return scaled;
}

// factor x s x 0.01, held within the registers' 0..511 before it becomes an integer, so that
// any stored factor converts safely; the chip would clamp to the same range.
int32_t scaledSaturation(uint32_t factor, float s) {
  double v = static_cast<double>(factor) * s * 0.01;
  return static_cast<int32_t>(std::min(v, kMaxNineBit));
}

// MHz x 100, formed in double precision from the single-precision value (100.03 gives 10002,
// since that float lies just below). NaN and values beyond 32 bits are held to the ends.
int32_t mhzTo10KHz(float mhz) {
  double f = static_cast<double>(mhz) * 100.0;
  if (std::isnan(f)) return 0;
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(f, kLow, kHigh));
}

void showTvWindow() {
  if (TvWindow && !TvHiddenByUser) TvWindow->Show();
}

void hideTvWindow() {
  if (TvWindow) TvWindow->Hide();
}

// The capture driver's decoder learns the standard too. The path is best effort: whatever it
// raises must not stop the chip from being set.
void tellStandardPath(uint32_t n) {
  if (n >= kFirstWithoutMask || !ComActive) return;
  try {
    ComSetTVSystem(kStandardMasks[n]);
  } catch (...) {
  }
}

// The standard of the channel being shown; 0 when CurChannel is outside the table.
uint32_t currentStandard() {
  if (CurChannel < 0 || CurChannel >= kChannelRows) return 0;
  return ChannelTable[size_t(CurChannel)].System;
}

}  // namespace

uint32_t StandardMask(uint32_t n) { return n < kFirstWithoutMask ? kStandardMasks[n] : 0; }

// ---- The audio plug-in

std::string AudioDllPath() { return platform::ExecutableFolder() + kAudioDllName; }

bool LoadAudioDll() { return LoadAudioDll(AudioDllPath()); }

bool LoadAudioDll(const std::string& path) {
  FreeAudioDll();
  AudioDll = platform::LoadModule(path);
  return AudioDll != nullptr;
}

void FreeAudioDll() {
  platform::FreeHardwareLibrary(AudioDll);
  AudioDll = nullptr;
  AudioSetProc = nullptr;  // it pointed into the library just freed
}

// ---- The card

int32_t OpenCard() {
  if (!CardDevice) CardDevice = new CBT848;
  CardDevice->Open({Settings.Tuner, Settings.Card});
  ReportOpenFailure(*CardDevice);
  return 1;
}

int32_t SetVideoInput(uint32_t n) {
  if (!CardDevice) return 0;
  CardDevice->SetInput(n, SoundMuted);
  return 1;
}

// FM radio only hides the TV window; every other standard shows it (unless the user hid it),
// reaches the capture driver's decoder and then the chip.
int32_t SetTVSystem(uint32_t n) {
  if (n > kLastStandard || !CardDevice) return 0;
  if (n == kFmRadio) {
    hideTvWindow();
    return 1;
  }
  showTvWindow();
  tellStandardPath(n);
  CardDevice->SetVideoFormat(n);
  if (Settings.ForceSetColorspace)
    CardDevice->SetSystemTiming(Settings.TVsizeX, Settings.TVsizeY, n);
  if (Settings.PLL < kPllLeftAlone) CardDevice->SetPLL(Settings.PLL);
  return 1;
}

// 0 % gives -128, 50 % gives 0, 100 % gives 127.
int32_t SetBrightness(int32_t percent) {
  if (!CardDevice) return 0;
  float v = percentTo255(percent) - 128.0f;
  CardDevice->SetBrightness(static_cast<int32_t>(v));
  return 1;
}

int32_t SetContrast(int32_t percent) {
  if (!CardDevice) return 0;
  CardDevice->SetContrast(static_cast<int32_t>(percentTo255(percent)));
  return 1;
}

// 100 % gives 0 and 50 % gives 127; below 50 % the byte folds over: 49 % gives -3 and 0 % -128.
int32_t SetHue(int32_t percent) {
  if (!CardDevice) return 0;
  float scaled = percentTo255(100 - std::clamp(percent, 0, 100));
  auto x = static_cast<uint8_t>(static_cast<int32_t>(scaled));
  if (x > 127) x = static_cast<uint8_t>(127 - x);
  CardDevice->SetHue(static_cast<int8_t>(x), currentStandard());
  return 1;
}

// V first, then U.
int32_t SetSaturation(int32_t percent) {
  if (!CardDevice) return 0;
  float s = percentTo255(percent);
  CardDevice->SetSaturationV(scaledSaturation(Settings.SaturationV, s));
  CardDevice->SetSaturationU(scaledSaturation(Settings.SaturationU, s));
  return 1;
}

int32_t TuneFrequency(float mhz) {
  if (!CardDevice) return 0;
  CardDevice->SetFrequency(mhzTo10KHz(mhz));
  return 1;
}

int32_t SetCardVolume(int32_t) { return 0; }
int32_t SetCardParamA(int32_t) { return 0; }
int32_t SetCardParamB(int32_t) { return 0; }
int32_t SetCardParamC(int32_t) { return 0; }

int32_t SetFMStereo(uint32_t on) {
  if (!CardDevice) return 0;
  CardDevice->SetFMStereo(on);
  return 1;
}

// The plug-in's export is looked up on every call, so a plug-in without it is simply skipped.
int32_t SetMute(uint32_t on) {
  if (!CardDevice) return 0;
  if (AudioDll) {
    AudioSetProc = reinterpret_cast<AudioSetFn*>(platform::FindExport(AudioDll, kAudioSetExport));
    if (AudioSetProc) AudioSetProc(kAudioMuteCommand, static_cast<uint8_t>(on));
  }
  CardDevice->SetMute(on);
  return 1;
}

bool SignalLocked() { return CardDevice && CardDevice->IsSignalLocked(); }

bool SignalPresent() { return CardDevice && CardDevice->IsVideoPresent(); }

bool TunerAfcOk() { return CardDevice && (CardDevice->GetTunerStatus() & 7) >= 4; }
