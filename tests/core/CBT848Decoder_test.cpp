// Decoder settings, the GPIO audio switch, the remote receiver, the input PLL and signal status,
// checked on the simulated card's registers and event log.
#include <functional>

#include "CBT848Fixture.h"
#include "core/HardwareTables.h"

namespace {

using Kind = sim::Event::Kind;
using namespace bt848;

}  // namespace

TEST_F(ChipTest, NineBitValuesAreClampedAndSplitAcrossTheMsbBits) {
  struct Op {
    const char* name;
    bool (CBT848::*set)(int32_t);
    uint32_t low;
    uint32_t msb;
  };
  const Op ops[] = {{"contrast", &CBT848::SetContrast, kContrastLo, kConMsb},
                    {"saturation U", &CBT848::SetSaturationU, kSatULo, kSatUMsb},
                    {"saturation V", &CBT848::SetSaturationV, kSatVLo, kSatVMsb}};
  struct Case {
    int32_t v;
    bool msb;
    uint32_t low;
  };
  const Case cases[] = {{600, true, 255}, {-5, false, 0}, {256, true, 0}, {255, false, 255},
                        {511, true, 255}, {0, false, 0}};
  CBT848& chip = open();
  for (const Op& op : ops) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(op.name) + " " + std::to_string(c.v));
      // O_CONTROL differs on purpose: both registers get the value derived from E_CONTROL.
      sim::Card().poke(kEControl, 0x20 | (c.msb ? 0 : op.msb));
      sim::Card().poke(kOControl, 0x08);
      sim::Log().clear();
      (chip.*op.set)(c.v);
      uint32_t control = 0x20 | (c.msb ? op.msb : 0);
      EXPECT_EQ(writesTo(kEControl), std::vector<uint32_t>{control});
      EXPECT_EQ(writesTo(kOControl), std::vector<uint32_t>{control});
      EXPECT_EQ(writesTo(op.low), std::vector<uint32_t>{c.low});
    }
  }
}

TEST_F(ChipTest, HueIsClampedOnNtscAndZeroOnEveryOtherStandard) {
  struct Case {
    uint32_t standard;
    int32_t v;
    uint32_t written;
  };
  const Case cases[] = {
      {1, 200, 0x7F}, {1, -128, 0x81}, {2, 5, 0x05}, {3, 100, 0},
      {6, -50, 0},    {0, 20, 0},      {9, 20, 0},   {300, 20, 0},
  };
  CBT848& chip = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "standard " << c.standard << " value " << c.v);
    sim::Log().clear();
    EXPECT_TRUE(chip.SetHue(c.v, c.standard));
    EXPECT_EQ(events(), std::vector<sim::Event>{write(kHue, c.written)});
  }
}

TEST_F(ChipTest, BrightnessIsASignedByte) {
  CBT848& chip = open();
  for (auto [v, written] : {std::pair{-5, 0xFBu}, {100, 0x64u}, {300, 0x7Fu}, {-300, 0x80u}}) {
    sim::Log().clear();
    chip.SetBrightness(v);
    EXPECT_EQ(events(), std::vector<sim::Event>{write(kBright, written)}) << v;
  }
}

TEST_F(ChipTest, VideoFormatReplacesAllThreeFormatBitsAndSkipsFmRadio) {
  CBT848& chip = open();
  sim::Card().poke(kIform, 0x40 | 0x10 | 5);  // tuner, XT1, PAL_N
  chip.SetVideoFormat(1);
  EXPECT_EQ(sim::Card().peek(kIform), 0x40u | 0x10 | 1);
  sim::Log().clear();
  EXPECT_TRUE(chip.SetVideoFormat(9));
  EXPECT_TRUE(events().empty());
}

TEST_F(ChipTest, SystemTimingNeedsAWindowAndAStandardRow) {
  CBT848& chip = open();
  struct Case {
    int32_t w, h;
    uint32_t n;
  };
  for (const Case& c : {Case{0, 480, 3}, Case{640, 0, 3}, Case{640, 480, 9}}) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(chip.SetSystemTiming(c.w, c.h, c.n), 0);
    EXPECT_TRUE(events().empty());
  }
  sim::Card().poke(kIform, 0x60 | 0x08 | 1);  // AV, XT0, NTSC
  EXPECT_EQ(chip.SetSystemTiming(640, 480, 6), 1);  // SECAM
  EXPECT_EQ(writesTo(kADelay), std::vector<uint32_t>{0x7F});
  EXPECT_EQ(writesTo(kBDelay), std::vector<uint32_t>{0xB0});
  EXPECT_EQ(sim::Card().peek(kIform), 0x60u | 0x10 | 6);
}

TEST_F(ChipTest, InputSelectsMuxCompositeSeparationAndAudio) {
  struct Case {
    uint32_t n;
    sim::VideoInput input;
    bool comp;
    sim::AudioSource audio;
  };
  const Case cases[] = {
      {0, sim::VideoInput::Tuner, false, sim::AudioSource::Tuner},
      {1, sim::VideoInput::Composite, false, sim::AudioSource::External},
      {2, sim::VideoInput::SVideo, true, sim::AudioSource::External},
      {0, sim::VideoInput::Tuner, false, sim::AudioSource::Tuner},  // and back: COMP cleared
  };
  CBT848& chip = open();
  sim::Card().poke(kEControl, 0x04);  // contrast MSB, kept
  sim::Card().poke(kOControl, 0x04);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_TRUE(chip.SetInput(c.n, false));
    EXPECT_EQ(sim::Card().videoInput(), c.input);
    EXPECT_EQ(sim::Card().peek(kEControl), 0x04u | (c.comp ? kComp : 0));
    EXPECT_EQ(sim::Card().peek(kOControl), 0x04u | (c.comp ? kComp : 0));
    EXPECT_EQ(sim::Card().audioSource(), c.audio);
  }
}

TEST_F(ChipTest, SvhsWhileTheUserMutedSelectsItsAudioThenMutes) {
  CBT848& chip = open();
  chip.SetInput(2, true);
  auto gpio = writesTo(kGpioData);
  ASSERT_EQ(gpio.size(), 2u);
  EXPECT_EQ(gpio[0], CardTable[8].TonMux1);
  EXPECT_EQ(gpio[1], CardTable[8].TonMute);
  EXPECT_TRUE(chip.Muted());
  EXPECT_EQ(sim::Card().peek(kIform) & kMuxselMask, 0u);
}

TEST_F(ChipTest, UnmutingRestoresTheAudioOfTheSelectedInput) {
  CBT848& chip = open();
  for (auto [input, audio] : {std::pair{1u, sim::AudioSource::External},
                              {2u, sim::AudioSource::External}, {0u, sim::AudioSource::Tuner}}) {
    SCOPED_TRACE(input);
    chip.SetInput(input, false);
    chip.SetMute(1);
    EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
    chip.SetMute(0);
    EXPECT_FALSE(chip.Muted());
    EXPECT_EQ(sim::Card().audioSource(), audio);
  }
}

TEST_F(ChipTest, GpioAudioWritesKeepEveryBitOutsideTheMask) {
  CBT848& chip = open({kRows.Tuner, 10});  // TonMask 0x8DFF00, TonMute 0x8CFF00
  sim::Card().poke(kGpioOutEn, 0xFFFFFFFF);  // every pin reads back the latch
  sim::Card().poke(kGpioData, 0xAB000012);
  chip.SetMute(1);
  EXPECT_EQ(sim::Card().gpioLatch(), 0xAB8CFF12u);
}

TEST_F(ChipTest, ReadRemoteDecodesTheReceiverBits) {
  struct Case {
    uint32_t pins;
    uint32_t code;
  };
  const Case cases[] = {{0x00855555, 0x85}, {0x00055555, 255}, {0x00005555, 0}};
  RemoteDecoding decoding{0, 16, 0, 0xFF, 0x80};
  CBT848& chip = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pins);
    sim::Card().setGpioInputs(c.pins);
    EXPECT_EQ(chip.ReadRemote(decoding), c.code);
  }
  // The receiver's bits through the model's key press; the shift of the result applies.
  sim::Card().setGpioInputs(0);
  sim::Card().pressRemote(0x00C40000);
  decoding.ShiftResult = 2;
  EXPECT_EQ(chip.ReadRemote(decoding), 0xC4u >> 2);
  EXPECT_EQ(sim::Card().peek(kGpioOutEn), 0x1800u);  // the card row's OutEn first
}

TEST_F(ChipTest, ReadRemoteResetsTheInputRegisterWhenAsked) {
  CBT848& chip = open();
  sim::Card().poke(kGpioRegInp, 0xFF123456);
  RemoteDecoding decoding;
  chip.ReadRemote(decoding);
  EXPECT_TRUE(writesTo(kGpioRegInp).empty());
  decoding.NeedToReset = 1;
  chip.ReadRemote(decoding);
  EXPECT_EQ(writesTo(kGpioRegInp), std::vector<uint32_t>{0x123456});
}

TEST_F(ChipTest, PllThatNeverLocksIsGivenUpAfterAHundredRounds) {
  sim::Card().setPllNeverLocks(true);
  CBT848& chip = open();
  EXPECT_TRUE(chip.SetPLL(1));
  EXPECT_EQ(writesTo(kDstatus), std::vector<uint32_t>(100, 0));
  EXPECT_EQ(only(Kind::Sleep), std::vector<sim::Event>(100, {Kind::Sleep, 10}));
  EXPECT_TRUE(writesTo(kTgctrl).empty());
  EXPECT_EQ(writesTo(kPllFLo), std::vector<uint32_t>{0xF9});
  EXPECT_EQ(writesTo(kPllFHi), std::vector<uint32_t>{0xDC});
  EXPECT_EQ(writesTo(kPllXci), std::vector<uint32_t>{0x8E});
  auto all = events();
  ASSERT_GE(all.size(), 4u);
  EXPECT_EQ(std::vector<sim::Event>(all.end() - 4, all.end()),
            (std::vector<sim::Event>{write(kWcUp, 0xCF), write(kVtotalLo, 0),
                                     write(kVtotalHi, 0), write(kDvsif, 0)}));
}

// The wait is on the PLL's out-of-lock bit: it must actually wait for the lock, then switch the
// decoder's clock to the PLL.
TEST_F(ChipTest, PllWaitsForTheLockBitThenClocksTheDecoderFromIt) {
  sim::Card().setPllLockMs(30);
  CBT848& chip = open();
  chip.SetPLL(2);
  EXPECT_EQ(writesTo(kPllXci), std::vector<uint32_t>{0x89});
  size_t rounds = only(Kind::Sleep).size();
  EXPECT_GE(rounds, 3u);
  EXPECT_LT(rounds, 100u);
  EXPECT_EQ(writesTo(kTgctrl), std::vector<uint32_t>{0x08});
  EXPECT_TRUE(sim::Card().pllLocked());
  EXPECT_TRUE(sim::Card().decoderOnPll());

  sim::Log().clear();
  chip.SetPLL(0);
  EXPECT_EQ(events(), (std::vector<sim::Event>{write(kTgctrl, 0), write(kPllXci, 0)}));
  EXPECT_FALSE(sim::Card().pllEnabled());
  sim::Log().clear();
  chip.SetPLL(3);  // "leave the PLL alone"
  EXPECT_TRUE(events().empty());
}

TEST_F(ChipTest, SignalStatusFollowsTheSelectedSource) {
  std::vector<sim::Station> lineup = sim::BuiltInStations();
  lineup.push_back({520.90, 521.60, sim::Station::Kind::TV, 3, false, 4, "Unlocked"});
  sim::Card().setStations(lineup);
  sim::Card().setAvConnected(true);
  CBT848& chip = open();
  struct Case {
    uint32_t input;
    int32_t f;
    bool present, locked;
  };
  const Case cases[] = {{0, 19125, true, true},  {0, 52125, true, false}, {0, 50000, false, false},
                        {1, 50000, true, true},  {2, 19125, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.input << " at " << c.f);
    chip.SetInput(c.input, false);
    chip.SetFrequency(c.f);
    EXPECT_EQ(chip.IsVideoPresent(), c.present);
    EXPECT_EQ(chip.IsSignalLocked(), c.locked);
  }
}

TEST_F(ChipTest, OperationsOnAFailedObjectThrowAtTheirFirstReadOrWriteNothing) {
  struct Case {
    const char* name;
    std::function<void(CBT848&)> op;
    bool throws;
  };
  const Case cases[] = {
      {"SetInput", [](CBT848& c) { c.SetInput(1, false); }, true},
      {"SetVideoFormat", [](CBT848& c) { c.SetVideoFormat(3); }, true},
      {"SetSystemTiming", [](CBT848& c) { c.SetSystemTiming(640, 480, 3); }, true},
      {"SetContrast", [](CBT848& c) { c.SetContrast(100); }, true},
      {"SetPLL 1", [](CBT848& c) { c.SetPLL(1); }, true},
      {"SetMute", [](CBT848& c) { c.SetMute(0); }, true},
      {"ReadRemote", [](CBT848& c) { c.ReadRemote({}); }, true},
      {"IsSignalLocked", [](CBT848& c) { c.IsSignalLocked(); }, true},
      {"SetBrightness", [](CBT848& c) { c.SetBrightness(10); }, false},
      {"SetHue", [](CBT848& c) { c.SetHue(10, 1); }, false},
      {"SetPLL 0", [](CBT848& c) { c.SetPLL(0); }, false},
  };
  CBT848& chip = openFailed();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool threw = false;
    try {
      c.op(chip);
    } catch (const CExcept& e) {
      threw = true;
      EXPECT_STREQ(e.Message, "ReadBT");
      EXPECT_EQ(e.Code, 1);
    }
    EXPECT_EQ(threw, c.throws);
    EXPECT_TRUE(only(Kind::RegWrite).empty());
  }
}
