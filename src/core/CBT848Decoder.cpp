// Decoder operations of the chip object: video input, format and timing, picture controls, the
// input PLL, the audio switch and mute on the GPIO port, the remote receiver and signal status.
#include <algorithm>

#include "core/CBT848.h"
#include "core/CBT848Registers.h"
#include "core/HardwareTables.h"
#include "platform/Clock.h"


namespace {

constexpr uint32_t kInputTuner = 0;
constexpr uint32_t kInputSvhs = 2;
constexpr int kPllRounds = 100;
constexpr uint32_t kPllRoundMs = 10;

struct PllCoefficients {
  uint32_t fLo, fHi, xci;
};
constexpr PllCoefficients kPll28To35{0xF9, 0xDC, 0x8E};  // 28.636363 MHz crystal -> 35.468950
constexpr PllCoefficients kPll35To28{0x39, 0xB0, 0x89};  // 35.468950 MHz crystal -> 28.636363

}  // namespace

// GPIO_DATA := (GPIO_DATA & ~TonMask) | value, over all 32 bits.
void CBT848::setAudio(uint32_t value) {
  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioData, (ReadBT(bt848::kGpioData) & ~card.TonMask) | value);
}

// MUXSEL 2 for the tuner, 3 for "AV", 0 for "SVHS"; S-video also turns the composite
// separation off (COMP), every other input turns it back on.
bool CBT848::SetInput(uint32_t n, bool soundOff) {
  AndBT(bt848::kIform, 0x9F);
  uint32_t comp = n == kInputSvhs ? bt848::kComp : 0;
  WriteBT(bt848::kEControl, (ReadBT(bt848::kEControl) & (~bt848::kComp & 0xFF)) | comp);
  WriteBT(bt848::kOControl, (ReadBT(bt848::kOControl) & (~bt848::kComp & 0xFF)) | comp);
  MaskBT(bt848::kIform, ((n + 2) & 3) << 5, bt848::kMuxselMask);
  input_ = n;
  const CardRow& card = cardRow();
  setAudio(n == kInputTuner ? card.TonMux0 : card.TonMux1);
  if (soundOff) SetMute(1);
  return true;
}

bool CBT848::SetVideoFormat(uint32_t n) {
  if (n < kTVSystemRows)
    MaskBT(bt848::kIform, TVSystemTable[n].IFormSys, bt848::kFormatMask);
  return true;
}

// Standard 9 (FM radio) has no row: nothing is written for it, as for a window of size 0.
int32_t CBT848::SetSystemTiming(int32_t width, int32_t height, uint32_t n) {
  if (width == 0 || height == 0 || n >= kTVSystemRows) return 0;
  const TVSystemRow& row = TVSystemTable[n];
  WriteBT(bt848::kADelay, row.DelayA);
  WriteBT(bt848::kBDelay, row.DelayB);
  MaskBT(bt848::kIform, row.IFormXT | row.IFormSys, bt848::kFormatXtMask);
  return 1;
}

// A signed byte.
bool CBT848::SetBrightness(int32_t v) {
  WriteBT(bt848::kBright, static_cast<uint8_t>(std::clamp(v, -128, 127)));
  return true;
}

// Nine bits: the low eight in their register, the ninth in E_CONTROL and O_CONTROL, both written
// with the value derived from E_CONTROL.
void CBT848::writeNineBit(uint32_t lowRegister, uint32_t msbBit, int32_t v) {
  v = std::clamp(v, 0, 511);
  uint32_t e = ReadBT(bt848::kEControl);
  uint32_t control = v < 256 ? (e & ~msbBit) : (e | msbBit);
  WriteBT(bt848::kEControl, control);
  WriteBT(bt848::kOControl, control);
  WriteBT(lowRegister, static_cast<uint32_t>(v & 0xFF));
}

bool CBT848::SetContrast(int32_t v) {
  writeNineBit(bt848::kContrastLo, bt848::kConMsb, v);
  return true;
}

bool CBT848::SetSaturationU(int32_t v) {
  writeNineBit(bt848::kSatULo, bt848::kSatUMsb, v);
  return true;
}

bool CBT848::SetSaturationV(int32_t v) {
  writeNineBit(bt848::kSatVLo, bt848::kSatVMsb, v);
  return true;
}

// Hue exists only in the NTSC standards; every other standard gets 0.
bool CBT848::SetHue(int32_t v, uint32_t standard) {
  int32_t hue = (standard == 1 || standard == 2) ? std::clamp(v, -127, 127) : 0;
  WriteBT(bt848::kHue, static_cast<uint8_t>(hue));
  return true;
}

// Mode 0 runs the decoder from the crystal. Modes 1 and 2 program the PLL and wait up to about a
// second for it to lock (DSTATUS PLOCK clear) before clocking the decoder from it.
bool CBT848::SetPLL(uint32_t mode) {
  if (mode == 0) {
    WriteBT(bt848::kTgctrl, bt848::kTgClockCrystal);
    WriteBT(bt848::kPllXci, 0x00);
    return true;
  }
  if (mode > 2) return true;  // "leave the PLL alone"
  const PllCoefficients& c = mode == 1 ? kPll28To35 : kPll35To28;
  WriteBT(bt848::kPllFLo, c.fLo);
  WriteBT(bt848::kPllFHi, c.fHi);
  WriteBT(bt848::kPllXci, c.xci);
  for (int round = 0; round < kPllRounds; ++round) {
    if (!(ReadBT(bt848::kDstatus) & bt848::kPlock)) {
      WriteBT(bt848::kTgctrl, bt848::kTgClockPll);
      break;
    }
    WriteBT(bt848::kDstatus, 0);
    platform::SleepMs(kPllRoundMs);
  }
  WriteBT(bt848::kWcUp, 0xCF);
  WriteBT(bt848::kVtotalLo, 0);
  WriteBT(bt848::kVtotalHi, 0);
  WriteBT(bt848::kDvsif, 0);
  return true;
}

// Unmuting restores the audio of the selected input.
bool CBT848::SetMute(uint32_t on) {
  muted_ = on != 0;
  const CardRow& card = cardRow();
  if (on)
    setAudio(card.TonMute);
  else
    setAudio(input_ == kInputTuner ? card.TonMux0 : card.TonMux1);
  return true;
}

// 0: no key; 255: a code without its marker bit (Mask2).
uint32_t CBT848::ReadRemote(const RemoteDecoding& d) {
  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioOutEn, (ReadBT(bt848::kGpioOutEn) & ~card.OutMask) | card.OutEn);
  if (d.NeedToReset) WriteBT(bt848::kGpioRegInp, ReadBT(bt848::kGpioRegInp) & 0xFFFFFF);
  uint32_t code = (ReadBT(bt848::kGpioData) >> (d.ShiftBT & 31)) & d.Mask1;
  if (code == 0) return 0;
  if (!(code & d.Mask2)) return 255;
  return code >> (d.ShiftResult & 31);
}

bool CBT848::IsSignalLocked() {
  uint32_t s = ReadBT(bt848::kDstatus);
  return (s & bt848::kPres) && (s & bt848::kHloc);
}

bool CBT848::IsVideoPresent() { return ReadBT(bt848::kDstatus) & bt848::kPres; }
