// The simulated card's picture: what is on for each input and tuning, the frame size by video
// format, the test pattern with its label, snow, and the picture registers' effect.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SimCardFixture.h"
#include "core/HardwareTables.h"

using namespace capture_test;
using Content = sim::PictureState::Content;

namespace {

class SimPictureTest : public SimCardTest {
protected:
  // Frame `frame` of what the card shows now.
  std::vector<uint32_t> frameNow(uint64_t frame = 0) {
    sim::PictureState s = state();
    std::vector<uint32_t> px(static_cast<size_t>(s.width) * s.height);
    picture_.render(s, frame, px.data());
    return px;
  }

  sim::SimPicture picture_;
};

// A pixel's components.
int red(uint32_t p) { return (p >> 16) & 0xFF; }
int green(uint32_t p) { return (p >> 8) & 0xFF; }
int blue(uint32_t p) { return p & 0xFF; }

// Column at the middle of bar `i` of 8 in a frame `width` wide.
int barColumn(int i, int width) { return (2 * i + 1) * width / 16; }

}  // namespace

TEST_F(SimPictureTest, WhatIsOnFollowsInputTuningAndFormat) {
  struct Case {
    const char* name;
    std::function<void()> setup;
    Content content;
    std::string label;
    int width, height;
  };
  const std::vector<Case> cases = {
      {"PAL station", [] { tuneTv(191.25); }, Content::Pattern, "Sim Five", 768, 576},
      {"525-line station, format AUTO",
       [] { select(kMuxTuner, kAuto), tuneTv(615.25); }, Content::Pattern, "Sim Seven", 640, 480},
      {"625-line station, format AUTO",
       [] { select(kMuxTuner, kAuto), tuneTv(175.25); }, Content::Pattern, "Sim Four", 768, 576},
      {"NTSC format on a PAL station",
       [] { select(kMuxTuner, kNtscM), tuneTv(191.25); }, Content::Pattern, "Sim Five", 640, 480},
      {"SECAM format", [] { select(kMuxTuner, kSecam), tuneTv(49.75); }, Content::Pattern,
       "Sim One", 768, 576},
      {"empty frequency", [] { tuneTv(200.0); }, Content::Snow, "", 768, 576},
      {"nothing tuned", [] {}, Content::Snow, "", 768, 576},
      {"tuner missing", [] { tuneTv(191.25), card().tuner().setPresent(false); }, Content::Snow,
       "", 768, 576},
      {"FM radio", [] { tuneFm(105.0); }, Content::Radio, "", 768, 576},
      {"FM band word on a TV station", [] { tuneFm(191.25); }, Content::Radio, "", 768, 576},
      {"AV without signal", [] { select(kMuxAv, kPal); }, Content::Black, "", 768, 576},
      {"AV with signal", [] { select(kMuxAv, kPal), card().setAvConnected(true); },
       Content::Pattern, "AV", 768, 576},
      {"SVHS with signal", [] { select(kMuxSvhs, kNtscM), card().setSvhsConnected(true); },
       Content::Pattern, "SVHS", 640, 480},
      {"SVHS without signal, AV connected",
       [] { select(kMuxSvhs, kPal), card().setAvConnected(true); }, Content::Black, "", 768, 576},
      {"unwired input", [] { select(kMuxUnwired, kPal), tuneTv(191.25); }, Content::Black, "",
       768, 576},
      {"station without lock",
       [] {
         card().setStations({{300.0, 300.5, sim::Station::Kind::TV, 3, false, 4, "Faint"}});
         tuneTv(300.25);
       },
       Content::WeakPattern, "Faint", 768, 576},
  };
  for (const Case& c : cases) {
    SetUp();
    c.setup();
    sim::PictureState s = state();
    EXPECT_EQ(s.content, c.content) << c.name;
    EXPECT_EQ(s.label, c.label) << c.name;
    EXPECT_EQ(s.width, c.width) << c.name;
    EXPECT_EQ(s.height, c.height) << c.name;
  }
}

// The frame sizes are the standards' crop sizes of the hardware tables.
TEST_F(SimPictureTest, FrameSizeIsTheStandardsCropSize) {
  tuneTv(191.25);
  for (int n = 1; n <= 6; ++n) {
    const TVSystemRow& row = TVSystemTable[n];
    select(kMuxTuner, row.IFormSys);
    sim::PictureState s = state();
    EXPECT_EQ(s.width, row.CropWidth) << TVSystemNames[n];
    EXPECT_EQ(s.height, row.CropHeight) << TVSystemNames[n];
  }
}

TEST_F(SimPictureTest, ControlsAreReadFromTheRegistersWithTheirSignsAndNinthBits) {
  setPicture(-128, 0x1FF, 0x20, 0x30, -16);
  card().poke(sim::bt::kEControl, 0x07);  // all three ninth bits
  sim::PictureControls c = sim::SimPicture::controlsOf(card());
  EXPECT_EQ(c.brightness, -128);
  EXPECT_EQ(c.contrast, 0x1FF);
  EXPECT_EQ(c.saturationU, 0x120);
  EXPECT_EQ(c.saturationV, 0x130);
  EXPECT_EQ(c.hue, -16);
}

TEST_F(SimPictureTest, PatternShowsColourBarsAndTheStationName) {
  tuneTv(191.25);
  std::vector<uint32_t> px = frameNow();
  const int w = 768, row = 576 / 3;
  const uint32_t bars[] = {0xBFBFBF, 0xBFBF00, 0x00BFBF, 0x00BF00,
                           0xBF00BF, 0xBF0000, 0x0000BF, 0x000000};
  for (int i = 0; i < 8; ++i) {
    uint32_t got = px[static_cast<size_t>(row) * w + barColumn(i, w)];
    EXPECT_NEAR(red(got), red(bars[i]), 2) << "bar " << i;
    EXPECT_NEAR(green(got), green(bars[i]), 2) << "bar " << i;
    EXPECT_NEAR(blue(got), blue(bars[i]), 2) << "bar " << i;
  }
  // The name band (bottom quarter above the marker strip) has white letters on black.
  const int bandTop = 576 * 3 / 4, bandBottom = 576 - sim::SimPicture::kMarkerHeight;
  LumaStats band = lumaStats(px.data(), w, 0, bandTop, w, bandBottom);
  EXPECT_GT(band.variance, 1000.0);
  // Another station's name changes the band and nothing above it.
  tuneTv(175.25);
  std::vector<uint32_t> other = frameNow();
  size_t bandStart = static_cast<size_t>(bandTop) * w;
  EXPECT_TRUE(std::equal(px.begin(), px.begin() + bandStart, other.begin()));
  EXPECT_FALSE(std::equal(px.begin() + bandStart, px.end(), other.begin() + bandStart));
}

TEST_F(SimPictureTest, FramesAreDeterministicAndOnlyTheMarkerMovesOnAPattern) {
  tuneTv(191.25);
  sim::PictureState s = state();
  std::vector<uint32_t> a(768 * 576), b(768 * 576), c(768 * 576);
  sim::SimPicture().render(s, 7, a.data());
  picture_.render(s, 7, b.data());
  picture_.render(s, 8, c.data());
  EXPECT_EQ(a, b);
  EXPECT_NE(b, c);
  const size_t strip = static_cast<size_t>(576 - sim::SimPicture::kMarkerHeight) * 768;
  EXPECT_TRUE(std::equal(b.begin(), b.begin() + strip, c.begin()));
}

TEST_F(SimPictureTest, EmptyFrequencyShowsSnowThatChangesEveryFrame) {
  tuneTv(200.0);
  std::vector<uint32_t> f0 = frameNow(0), f1 = frameNow(1);
  LumaStats s = lumaStats(f0.data(), 768, 0, 0, 768, 576);
  EXPECT_NEAR(s.mean, 127.5, 4.0);
  EXPECT_GT(s.variance, 4000.0);  // uniform 0..255 has about 5461
  EXPECT_NE(f0, f1);
  EXPECT_EQ(f0, frameNow(0));
  for (uint32_t p : f0) ASSERT_TRUE(red(p) == green(p) && green(p) == blue(p));  // no colour
}

TEST_F(SimPictureTest, NoSignalRadioAndUnwiredInputAreBlackWhateverTheControls) {
  setPicture(100, 0x1FF, 0xFE, 0xB4, 0);
  for (auto setup : std::vector<std::function<void()>>{
           [] { select(kMuxAv, kPal); }, [] { tuneFm(105.0); },
           [] { select(kMuxUnwired, kPal); }}) {
    setup();
    for (uint32_t p : frameNow()) ASSERT_EQ(p, 0xFF000000u);
  }
}

TEST_F(SimPictureTest, WeakStationShowsThePatternUnderNoise) {
  card().setStations({{300.0, 300.5, sim::Station::Kind::TV, 3, false, 4, "Faint"}});
  tuneTv(300.25);
  std::vector<uint32_t> px = frameNow();
  // Inside the green bar: the mean stays near the bar's luma, the noise spreads it.
  const int x = barColumn(3, 768);
  LumaStats s = lumaStats(px.data(), 768, x - 20, 100, x + 20, 300);
  EXPECT_NEAR(s.mean, sim::SimPicture::lumaOf(0xFF00BF00), 5.0);
  EXPECT_GT(s.variance, 200.0);
}

// Brightness adds to luma and contrast scales it: a ramp pixel of level L shows
// L x contrast / 0xD8 + brightness, and the mean over the picture moves the same way.
TEST_F(SimPictureTest, BrightnessAndContrastMoveLuma) {
  tuneTv(191.25);
  const int w = 768, rampRow = 576 * 2 / 3 + 10, rampX = w / 2;
  const int level = rampX * 255 / (w - 1);
  const double nominalMean = lumaStats(frameNow().data(), w, 0, 0, w, 576).mean;
  struct Case {
    int bright, contrast;
    int (*compare)(double mean, double nominal);  // sign of the expected change
  };
  auto up = [](double m, double n) { return m > n + 5 ? 1 : 0; };
  auto down = [](double m, double n) { return m < n - 5 ? 1 : 0; };
  const Case cases[] = {{40, 0xD8, up}, {-40, 0xD8, down}, {0, 0x1B0, up}, {0, 0x6C, down},
                        {-20, 0x120, up}};
  for (const Case& c : cases) {
    setPicture(c.bright, c.contrast, 0xFE, 0xB4, 0);
    std::vector<uint32_t> px = frameNow();
    int expected = std::clamp(static_cast<int>(std::lround(level * c.contrast / 216.0 + c.bright)),
                              0, 255);
    uint32_t ramp = px[static_cast<size_t>(rampRow) * w + rampX];
    EXPECT_NEAR(red(ramp), expected, 1) << c.bright << "/" << c.contrast;
    EXPECT_EQ(red(ramp), green(ramp));
    double mean = lumaStats(px.data(), w, 0, 0, w, 576).mean;
    EXPECT_EQ(c.compare(mean, nominalMean), 1)
        << c.bright << "/" << c.contrast << ": mean " << mean << " against " << nominalMean;
  }
  setPicture(0, 0, 0, 0, 0);  // no luma gain and no chroma: black
  for (uint32_t p : frameNow()) ASSERT_EQ(p & 0xFFFFFF, 0u);
}

TEST_F(SimPictureTest, SaturationAndHueChangeColourButNotLuma) {
  tuneTv(191.25);
  const int w = 768, row = 576 / 3;
  auto barPixel = [&](int i) { return frameNow()[static_cast<size_t>(row) * w + barColumn(i, w)]; };
  setPicture(0, 0xD8, 0, 0, 0);  // no saturation: grey bars of the same luma
  for (int i = 0; i < 8; ++i) {
    uint32_t p = barPixel(i);
    EXPECT_NEAR(red(p), green(p), 1) << i;
    EXPECT_NEAR(green(p), blue(p), 1) << i;
  }
  setPicture(0, 0xD8, 0xFE, 0xB4, 0);
  const uint32_t yellow = barPixel(1);
  setPicture(0, 0xD8, 0xFE, 0xB4, 64);  // about 45 degrees
  const uint32_t turned = barPixel(1);
  EXPECT_NEAR(sim::SimPicture::lumaOf(turned), sim::SimPicture::lumaOf(yellow), 2);
  EXPECT_GT(std::abs(red(turned) - red(yellow)) + std::abs(blue(turned) - blue(yellow)), 40);
}

// Station names come from a file: any bytes and any length draw within the name band.
TEST_F(SimPictureTest, AnyLabelAndSizeDrawsInsideTheFrame) {
  sim::PictureState s;
  s.content = Content::Pattern;
  const std::string labels[] = {std::string(300, 'W'), std::string("\x01\xFF\x80\xC0 ?"), ""};
  const std::pair<int, int> sizes[] = {{768, 576}, {20, 12}, {1, 1}, {7, 40}};
  for (const std::string& label : labels)
    for (auto [w, h] : sizes) {
      s.label = label;
      s.width = w;
      s.height = h;
      std::vector<uint32_t> px(static_cast<size_t>(w) * h + 1, 0x12345678);
      picture_.render(s, 3, px.data());
      EXPECT_EQ(px.back(), 0x12345678u) << w << "x" << h;  // nothing past the frame
    }
  // Unknown bytes draw as "?": the same band as a label of question marks.
  s.width = 768;
  s.height = 576;
  std::vector<uint32_t> odd(768 * 576), asked(768 * 576);
  s.label = "\x01\xFF";
  picture_.render(s, 0, odd.data());
  s.label = "??";
  picture_.render(s, 0, asked.data());
  EXPECT_EQ(odd, asked);
}

// A frame drawn over the previous one (what a pooled image holds) must come out exactly as a
// frame drawn from nothing, whether the picture stayed or changed in between.
TEST_F(SimPictureTest, FrameDrawnOverAHeldOneIsTheWholeFrame) {
  card().setStations({{300.0, 300.5, sim::Station::Kind::TV, 3, false, 4, "Faint"},
                      {191.0, 191.5, sim::Station::Kind::TV, 6, true, 4, "Sim Five"}});
  struct Case {
    const char* name;
    std::function<void()> before, after;
  };
  const std::vector<Case> cases = {
      {"steady pattern", [] { tuneTv(191.25); }, [] {}},
      {"pattern, brighter", [] { tuneTv(191.25); }, [] { setPicture(40, 0xD8, 0xFE, 0xB4, 0); }},
      {"weak station", [] { tuneTv(300.25); }, [] {}},
      {"snow", [] { tuneTv(200.0); }, [] {}},
      {"black", [] { select(kMuxAv, kPal); }, [] {}},
      {"pattern to black", [] { tuneTv(191.25); }, [] { select(kMuxAv, kPal); }},
      {"black to pattern", [] { select(kMuxAv, kPal); }, [] { select(kMuxTuner, kPal); }},
  };
  for (const Case& c : cases) {
    setPicture(0, 0xD8, 0xFE, 0xB4, 0);
    select(kMuxTuner, kPal);
    c.before();
    const sim::PictureState held = state();
    std::vector<uint32_t> pixels = frameNow(3);
    c.after();
    const sim::PictureState now = state();
    ASSERT_EQ(now.width * now.height, held.width * held.height) << c.name;
    picture_.render(now, 4, pixels.data(), &held);
    std::vector<uint32_t> whole(pixels.size());
    sim::SimPicture().render(now, 4, whole.data());
    EXPECT_TRUE(pixels == whole) << c.name;
  }
}
