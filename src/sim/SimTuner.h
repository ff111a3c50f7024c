// The simulated tuner on the card's I2C bus. It takes three-byte writes: a first data byte with
// bit 7 set is a band word (control byte, band-switch byte), anything else is a 15-bit divider.
// The tuned frequency follows from the divider, the intermediate frequency of the band word and
// the band: (divider - IF) steps of 62.5 kHz.
#pragma once

#include <cstdint>
#include <map>

namespace sim {

enum class Band { None, VhfLow, VhfHigh, Uhf };

class SimTuner {
public:
  static constexpr uint8_t kDefaultAddress = 0xC2;
  static constexpr int kTvIf = 518;  // divider steps
  static constexpr int kFmIf = 171;

  // What the tuner knows about one band word.
  struct BandWord {
    Band band = Band::None;
    bool fmIf = false;  // FM intermediate frequency (and FM demodulation)
  };

  SimTuner() { reset(); }
  void reset();  // power-on state: present at 0xC2, no band, divider 0, default band words

  // Knobs.
  void setPresent(bool present) { present_ = present; }
  bool present() const { return present_; }
  void setAddress(uint8_t address) { address_ = address & 0xFE; }
  uint8_t address() const { return address_; }
  void setBandWord(uint16_t word, BandWord meaning) { words_[word] = meaning; }

  // True when the tuner answers at this address byte (read or write form).
  bool answers(uint8_t addressByte) const { return present_ && (addressByte & 0xFE) == address_; }

  // Two data bytes of an I2C write.
  void write(uint8_t first, uint8_t second);

  // State.
  uint16_t bandWord() const { return bandWord_; }
  uint16_t divider() const { return divider_; }
  Band band() const;
  bool fmIf() const;
  bool tuned() const { return band() != Band::None && divider_ != 0; }
  double tunedMHz() const;            // 0 when not tuned
  bool covers(double mhz) const;      // the selected band receives this frequency

private:
  bool present_ = true;
  uint8_t address_ = kDefaultAddress;
  uint16_t bandWord_ = 0;
  uint16_t divider_ = 0;
  std::map<uint16_t, BandWord> words_;
};

}  // namespace sim
