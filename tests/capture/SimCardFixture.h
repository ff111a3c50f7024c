// A fresh simulated card for the picture and capture-window tests: reset, one capture device,
// the picture registers at their unit gains, and helpers that set inputs, tune and change the
// picture controls the way the chip object's register writes leave them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>

#include "sim/Bt848Card.h"
#include "sim/SimPicture.h"
#include "sim/SimVideoDevices.h"

namespace capture_test {

// Register offsets and bits of the picture controls.
constexpr uint32_t kBright = 0x028;
constexpr uint32_t kContrastLo = 0x030;
constexpr uint32_t kSatULo = 0x034;
constexpr uint32_t kSatVLo = 0x038;
constexpr uint32_t kHue = 0x03C;
constexpr uint32_t kConMsb = 0x04;

// IFORM input selects (MUXSEL) and formats.
constexpr uint32_t kMuxSvhs = 0 << 5, kMuxUnwired = 1 << 5, kMuxTuner = 2 << 5, kMuxAv = 3 << 5;
constexpr uint32_t kAuto = 0, kNtscM = 1, kPal = 3, kSecam = 6;

class SimCardTest : public ::testing::Test {
protected:
  void SetUp() override {
    card().reset();
    sim::VideoDevices().reset();
    select(kMuxTuner, kPal);
    setPicture(0, 0xD8, 0xFE, 0xB4, 0);
  }

  static sim::Bt848Card& card() { return sim::Card(); }

  static void select(uint32_t mux, uint32_t format) { card().poke(sim::bt::kIform, mux | format); }

  // BRIGHT, CONTRAST (9 bits), SAT_U, SAT_V (8 bits here), HUE as the chip object writes them.
  static void setPicture(int bright, int contrast, int satU, int satV, int hue) {
    card().poke(kBright, static_cast<uint8_t>(bright));
    card().poke(kContrastLo, static_cast<uint32_t>(contrast) & 0xFF);
    card().poke(sim::bt::kEControl, contrast > 0xFF ? kConMsb : 0);
    card().poke(kSatULo, static_cast<uint32_t>(satU));
    card().poke(kSatVLo, static_cast<uint32_t>(satV));
    card().poke(kHue, static_cast<uint8_t>(hue));
  }

  // The tuner on a TV band word (VHF-low, VHF-high or UHF by frequency) at `mhz`.
  static void tuneTv(double mhz) {
    uint16_t band = mhz < 140 ? 0x8EA0 : mhz < 450 ? 0x8E90 : 0x8E30;
    tune(band, static_cast<int>(std::lround(mhz * 16)) + sim::SimTuner::kTvIf);
  }
  static void tuneFm(double mhz) {
    tune(0x8EA5, static_cast<int>(std::lround(mhz * 16)) + sim::SimTuner::kFmIf);
  }

  static sim::PictureState state() { return sim::SimPicture::describe(card()); }

private:
  static void tune(uint16_t band, int divider) {
    card().tuner().write(static_cast<uint8_t>(band >> 8), static_cast<uint8_t>(band));
    card().tuner().write(static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider));
  }
};

// Mean and variance of the luma over a rectangle of a frame of `width` pixels a row.
struct LumaStats {
  double mean = 0;
  double variance = 0;
};

inline LumaStats lumaStats(const uint32_t* pixels, int width, int x0, int y0, int x1, int y1) {
  double sum = 0, sq = 0;
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      double l = sim::SimPicture::lumaOf(pixels[static_cast<size_t>(y) * width + x]);
      sum += l;
      sq += l * l;
      ++n;
    }
  LumaStats s;
  s.mean = n ? sum / n : 0;
  s.variance = n ? sq / n - s.mean * s.mean : 0;
  return s;
}

}  // namespace capture_test
