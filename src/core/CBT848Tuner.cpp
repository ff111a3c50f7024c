// Tuner operations of the chip object: band selection, the divider arithmetic and the tuner's
// status byte. Every tuner write is a three-byte I2C write to the tuner row's address.
#include <cmath>

#include "core/CBT848.h"
#include "core/CBT848Registers.h"
#include "core/HardwareTables.h"


namespace {

constexpr int32_t kFmIf = 171;  // divider steps of 62.5 kHz
constexpr int32_t kTvIf = 518;
constexpr uint32_t kFmPreWord = 0x071A;

// Below 40.00 MHz and strictly between 100.00 and 110.00 MHz the tuner is an FM radio.
bool isFmFrequency(int32_t f) { return f < 4000 || (f > 10000 && f < 11000); }

bool isFmWord(uint32_t word, const TunerRow& row) {
  return word == row.FMStereo || word == row.FMMono;
}

}  // namespace

// The integer part of f x 0.01 x 1000, with f x 0.01 formed in double precision first; the
// rounding step that follows absorbs its representation error.
int64_t CBT848::FrequencyToKHz(int32_t f) {
  double mhz = f * 0.01;
  return static_cast<int64_t>(mhz * 1000);
}

// To 10 kHz, halves up; the remainder keeps the sign of k.
int64_t CBT848::RoundTo10KHz(int64_t kHz) {
  int64_t k = kHz + 5;
  return k - k % 10;
}

// 62.5 kHz steps, rounded up from 0.4 of a step.
int64_t CBT848::KHzToDivider(int64_t k) {
  return static_cast<int64_t>(((k * 0.001) + 0.03125) * 16 + 0.1);
}

void CBT848::sendToTuner(uint32_t word) { WriteI2C(tunerRow().Address, word); }

void CBT848::SetFrequency(int32_t f) {
  const TunerRow& row = tunerRow();
  currentFrequency_ = f;

  uint32_t band;
  if (int64_t{f} > int64_t{row.Threshold1}) {
    band = int64_t{f} > int64_t{row.Threshold2} ? row.UHF : row.VHFHigh;
  } else if (isFmFrequency(f)) {
    if (PrevFrequency <= 10000) {
      sendToTuner(row.VHFLow);
      sendToTuner(kFmPreWord);
      sendToTuner(row.FMStereo);
    }
    band = fmStereo_ ? row.FMStereo : row.FMMono;
  } else {
    band = row.VHFLow;
  }
  if (band != lastBand_) {
    sendToTuner(band);
    lastBand_ = band;
  }
  PrevFrequency = f;

  int64_t divider = KHzToDivider(RoundTo10KHz(FrequencyToKHz(f)));
  divider = (divider + (isFmWord(lastBand_, row) ? kFmIf : kTvIf)) & 0x7FFF;
  sendToTuner(static_cast<uint32_t>(divider));

  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioOutEn, (ReadBT(bt848::kGpioOutEn) & ~card.OutMask) | card.OutEn);
  SetFMStereo(fmStereo_);
}

// Silence first, then the tuner's wake-up sequence.
bool CBT848::InitTuner() {
  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioData, (ReadBT(bt848::kGpioData) & ~card.TonMask) | card.TonMute);
  const TunerRow& row = tunerRow();
  sendToTuner(row.VHFLow);
  sendToTuner(kFmPreWord);
  sendToTuner(row.FMStereo);
  return true;
}

// Switches between the FM stereo and mono words when an FM word is in use, and sends the band
// word in every case.
bool CBT848::SetFMStereo(uint32_t on) {
  const TunerRow& row = tunerRow();
  if (on && lastBand_ == row.FMMono)
    lastBand_ = row.FMStereo;
  else if (!on && lastBand_ == row.FMStereo)
    lastBand_ = row.FMMono;
  bool written = WriteI2C(row.Address, lastBand_);
  fmStereo_ = on != 0;
  return written;
}

// The status byte with its AFC code. The FM remapping compares only the low byte of the band word
// with the whole FM words, so on rows whose FM words exceed one byte it never applies and the
// codes arrive as the tuner reports them.
int32_t CBT848::GetTunerStatus() {
  const TunerRow& row = tunerRow();
  uint8_t status = ReadI2C(row.Address, 1);
  uint32_t afc = status & 7;
  if (isFmWord(lastBand_ & 0xFF, row)) {
    if (afc == 2)
      afc = 4;
    else if (afc > 1)
      afc -= 1;
  }
  return (status & 0xF8) | afc;
}
