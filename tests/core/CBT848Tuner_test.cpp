// Tuning: band selection, divider arithmetic, the FM pre-sequence, stereo switching, the tuner's
// status byte, and tuning the simulated lineup.
#include <cmath>

#include "CBT848Fixture.h"
#include "core/HardwareTables.h"

namespace {

using Kind = sim::Event::Kind;

// The divider before the IF offset for f in 10 kHz units: floor(f * 0.16 + 0.6), in integers.
uint32_t plainDivider(int32_t f) { return static_cast<uint32_t>((int64_t{f} * 16 + 60) / 100); }

}  // namespace

TEST_F(ChipTest, WorkedExampleTunes191_25MHzOnVhfHigh) {
  CBT848& chip = open();
  ASSERT_EQ(chip.LastBand(), 0x8EA0u);  // the band word of the open
  chip.SetFrequency(19125);
  EXPECT_EQ(writesTo(bt848::kI2c), (std::vector<uint32_t>{0xC28E9087, 0xC20DFA87, 0xC28E9087}));
  EXPECT_EQ(writesTo(bt848::kGpioOutEn), std::vector<uint32_t>{0x1800});
  EXPECT_EQ(chip.LastBand(), 0x8E90u);
  EXPECT_EQ(chip.CurrentFrequency(), 19125);
  EXPECT_EQ(PrevFrequency, 19125);
  EXPECT_EQ(only(Kind::Sleep).size(), 3u);
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 191.25);
}

TEST_F(ChipTest, BandAndIntermediateFrequencyFollowTheFrequency) {
  struct Case {
    int32_t f;
    uint32_t band;
    uint32_t ifSteps;
  };
  // Tuner row 5: Threshold1 14025, Threshold2 46325; FM window strictly inside 100-110 MHz.
  const Case cases[] = {
      {0, 0x8EA5, 171},     {3999, 0x8EA5, 171},  {4000, 0x8EA0, 518},  {10000, 0x8EA0, 518},
      {10001, 0x8EA5, 171}, {10999, 0x8EA5, 171}, {11000, 0x8EA0, 518}, {14025, 0x8EA0, 518},
      {14026, 0x8E90, 518}, {46325, 0x8E90, 518}, {46326, 0x8E30, 518}, {86000, 0x8E30, 518},
  };
  CBT848& chip = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.f);
    sim::Log().clear();
    chip.SetFrequency(c.f);
    EXPECT_EQ(chip.LastBand(), c.band);
    auto words = i2cWords();
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[words.size() - 2], (plainDivider(c.f) + c.ifSteps) & 0x7FFF);
    EXPECT_EQ(words.back(), c.band);  // the stereo step re-sends the band word last
    // The simulated tuner decodes the same frequency (bands it covers only).
    if (c.f >= 4000) {
      EXPECT_NEAR(sim::Card().tuner().tunedMHz(), c.f / 100.0, 0.0625);
    }
  }
}

TEST_F(ChipTest, KHzArithmeticRoundsTo10KHzWithoutDrift) {
  EXPECT_EQ(CBT848::RoundTo10KHz(191255), 191260);  // halves round up
  EXPECT_EQ(CBT848::RoundTo10KHz(191254), 191250);
  EXPECT_EQ(CBT848::RoundTo10KHz(191249), 191250);  // absorbs f * 0.01 falling short
  EXPECT_EQ(CBT848::KHzToDivider(40000), 640);
  EXPECT_EQ(CBT848::KHzToDivider(191250), 3060);
  EXPECT_EQ(CBT848::KHzToDivider(191275), 3061);  // 0.4 of a step and more rounds up
  // Whatever the double product does, every frequency lands on its own 10 kHz value.
  for (int32_t f = 0; f <= 90000; ++f)
    ASSERT_EQ(CBT848::RoundTo10KHz(CBT848::FrequencyToKHz(f)), int64_t{f} * 10) << f;
}

TEST_F(ChipTest, FmPreSequenceRunsOnlyWhenComingFromAtMost100MHz) {
  CBT848& chip = open();  // the open tuned 40.00 MHz
  chip.SetFrequency(10500);
  uint32_t divider = plainDivider(10500) + 171;
  EXPECT_EQ(i2cWords(), (std::vector<uint32_t>{0x8EA0, 0x071A, 0x8EA5, 0x8EA5, divider, 0x8EA5}));
  sim::Log().clear();
  chip.SetFrequency(10500);
  EXPECT_EQ(i2cWords(), (std::vector<uint32_t>{divider, 0x8EA5}));
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Radio B");
}

TEST_F(ChipTest, RowsWhoseLowBandWordIsTheFmWordTuneLowBandTvWithTheFmIf) {
  for (uint32_t row : {1u, 2u, 14u}) {
    SCOPED_TRACE(row);
    CBT848& chip = open({row, kRows.Card});
    chip.SetInput(0, false);
    chip.SetFrequency(5925);
    EXPECT_EQ(chip.LastBand(), 0x8E02u);
    auto words = i2cWords();
    EXPECT_EQ(words[words.size() - 2], plainDivider(5925) + 171);
    EXPECT_TRUE(chip.IsSignalLocked());  // the tuner sees "Sim Two" at 59.25 MHz
  }
}

TEST_F(ChipTest, SetFMStereoSwitchesOnlyFmWordsAndAlwaysSendsTheBand) {
  CBT848& chip = open();
  chip.SetFrequency(10500);
  sim::Log().clear();
  EXPECT_TRUE(chip.SetFMStereo(0));
  EXPECT_EQ(chip.LastBand(), 0x8EA7u);
  EXPECT_FALSE(chip.FMStereo());
  EXPECT_EQ(i2cWords(), std::vector<uint32_t>{0x8EA7});
  chip.SetFMStereo(1);
  EXPECT_EQ(chip.LastBand(), 0x8EA5u);

  chip.SetFrequency(19125);
  sim::Log().clear();
  chip.SetFMStereo(0);
  EXPECT_EQ(chip.LastBand(), 0x8E90u);
  EXPECT_EQ(i2cWords(), std::vector<uint32_t>{0x8E90});
  // Mono tuning uses the mono word.
  chip.SetFrequency(10170);
  EXPECT_EQ(chip.LastBand(), 0x8EA7u);
}

TEST_F(ChipTest, InitTunerMutesThenSendsTheWakeUpWords) {
  CBT848& chip = open();
  EXPECT_TRUE(chip.InitTuner());
  EXPECT_EQ(i2cWords(), (std::vector<uint32_t>{0x8EA0, 0x071A, 0x8EA5}));
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
  EXPECT_EQ(chip.LastBand(), 0x8EA0u);  // unchanged
}

TEST_F(ChipTest, TunerStatusReportsAfcAsTheTunerGivesItOnRow5) {
  std::vector<sim::Station> lineup = sim::BuiltInStations();
  lineup.push_back({102.90, 103.10, sim::Station::Kind::FM, 9, false, 2, "Weak"});
  lineup.push_back({102.40, 102.60, sim::Station::Kind::FM, 9, false, 6, "Odd"});
  sim::Card().setStations(lineup);
  CBT848& chip = open();
  struct Case {
    int32_t f;
    int32_t status;
  };
  // FM band words are never remapped on row 5: their low byte never equals a 16-bit FM word.
  const Case cases[] = {{10500, 0x44}, {10300, 0x42}, {10250, 0x46}, {10800, 0x40}, {19125, 0x44}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.f);
    chip.SetFrequency(c.f);
    sim::Log().clear();
    EXPECT_EQ(chip.GetTunerStatus(), c.status);
    EXPECT_EQ(writesTo(bt848::kI2c), std::vector<uint32_t>{0xC3000083});
    EXPECT_EQ(only(Kind::Sleep), (std::vector<sim::Event>{{Kind::Sleep, 1}}));
  }
  sim::Card().tuner().setPresent(false);
  try {
    chip.GetTunerStatus();
    ADD_FAILURE() << "no exception";
  } catch (const CExcept& e) {
    EXPECT_STREQ(e.Message, "ReadI2C");
    EXPECT_EQ(e.Code, 2);
  }
}

TEST_F(ChipTest, TuningOnAFailedObjectThrowsAtTheGpioRead) {
  CBT848& chip = openFailed();
  try {
    chip.SetFrequency(19125);
    ADD_FAILURE() << "no exception";
  } catch (const CExcept& e) {
    EXPECT_STREQ(e.Message, "ReadBT");
  }
  EXPECT_TRUE(only(Kind::RegWrite).empty());
  EXPECT_TRUE(only(Kind::RegRead).empty());
}

// Every station of the lineup, tuned in 10 kHz units: TV stations lock, FM stations give the
// tuner's AFC code 4 and no picture; 3 MHz away there is nothing.
TEST_F(ChipTest, EveryStationOfTheLineupIsFoundWhereItIsAndNotBeside) {
  CBT848& chip = open();
  chip.SetInput(0, false);
  for (const sim::Station& s : sim::BuiltInStations()) {
    SCOPED_TRACE(s.name);
    int32_t f = static_cast<int32_t>(std::lround((s.lowMHz + s.highMHz) / 2 * 100));
    chip.SetFrequency(f);
    ASSERT_NE(sim::Card().tunedStation(), nullptr);
    EXPECT_EQ(sim::Card().tunedStation()->name, s.name);
    EXPECT_EQ(chip.GetTunerStatus() & 7, 4);
    EXPECT_EQ(chip.IsSignalLocked(), s.kind == sim::Station::Kind::TV);
    chip.SetFrequency(f + 300);
    EXPECT_FALSE(chip.IsSignalLocked());
    EXPECT_FALSE(chip.IsVideoPresent());
    EXPECT_EQ(chip.GetTunerStatus() & 7, 0);
  }
}
