#include "sim/SimTuner.h"

namespace sim {

namespace {

// Frequencies each band of the model receives, in MHz. The bands overlap generously, because
// the tuner rows switch bands at different limits (140.25 to 195.00 MHz, 447.25 to 463.25 MHz).
struct Coverage {
  double low, high;
};
constexpr Coverage kVhfLow{40.0, 200.0};
constexpr Coverage kVhfHigh{130.0, 470.0};
constexpr Coverage kUhf{440.0, 870.0};

}  // namespace

void SimTuner::reset() {
  present_ = true;
  address_ = kDefaultAddress;
  bandWord_ = 0;
  divider_ = 0;
  // The band words of the tuner families the card tables name. A word that is a low-band TV
  // word on one family and an FM word on another (0x8EA7, 0x8E02) is tuned with the FM IF, as the
  // chip layer does for such rows.
  words_ = {
      {0x8EA0, {Band::VhfLow, false}},  {0x8E90, {Band::VhfHigh, false}},
      {0x8E30, {Band::Uhf, false}},     {0x8EA5, {Band::VhfLow, true}},
      {0x8EA7, {Band::VhfLow, true}},   {0x8E97, {Band::VhfHigh, false}},
      {0x8E37, {Band::Uhf, false}},     {0x8E02, {Band::VhfLow, true}},
      {0x8E04, {Band::VhfHigh, false}}, {0x8E01, {Band::Uhf, false}},
  };
}

void SimTuner::write(uint8_t first, uint8_t second) {
  uint16_t word = static_cast<uint16_t>(first << 8 | second);
  if (first & 0x80)
    bandWord_ = word;
  else
    divider_ = word & 0x7FFF;
}

Band SimTuner::band() const {
  auto it = words_.find(bandWord_);
  return it == words_.end() ? Band::None : it->second.band;
}

bool SimTuner::fmIf() const {
  auto it = words_.find(bandWord_);
  return it != words_.end() && it->second.fmIf;
}

double SimTuner::tunedMHz() const {
  if (!tuned()) return 0;
  int steps = static_cast<int>(divider_) - (fmIf() ? kFmIf : kTvIf);
  return steps / 16.0;
}

bool SimTuner::covers(double mhz) const {
  Coverage c{};
  switch (band()) {
    case Band::VhfLow: c = kVhfLow; break;
    case Band::VhfHigh: c = kVhfHigh; break;
    case Band::Uhf: c = kUhf; break;
    case Band::None: return false;
  }
  return mhz >= c.low && mhz <= c.high;
}

}  // namespace sim
