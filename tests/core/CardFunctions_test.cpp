// The card functions on the simulated card: the user-unit conversions as the chip's registers
// show them, the standard's way to the TV window, the capture driver's decoder and the chip, the
// audio plug-in, the signal detectors, and tuning every station of the simulated lineup.
#include "core/CardFunctions.h"

#include <dlfcn.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "CBT848Fixture.h"
#include "core/HardwareTables.h"
#include "core/TvStandardPath.h"
#include "core/TvWindow.h"
#include "plugins/AudioPluginLog.h"
#include "platform/VideoStandard.h"
#include "sim/SimVideoDevices.h"

namespace {

using Kind = sim::Event::Kind;
using namespace bt848;

class RecordingTvWindow : public TvWindowHandle {
public:
  void Show() override { calls.push_back("show"); }
  void Hide() override { calls.push_back("hide"); }
  std::vector<std::string> calls;
};

// The test plug-in's record of its calls; the plug-in must be loaded.
AudioPluginLog& pluginLog() {
  auto* log = reinterpret_cast<AudioTestLogFn*>(dlsym(AudioDll, "audio_test_log"));
  EXPECT_NE(log, nullptr);
  return *log();
}

// The card functions over an opened chip object behind CardDevice, a recording TV window, the
// simulated capture devices reset and the standard path detached.
class CardFunctionsTest : public ChipTest {
protected:
  void SetUp() override {
    ChipTest::SetUp();
    sim::VideoDevices().reset();
    TvWindow = &window_;
    Settings.PLL = 3;
    Settings.TVsizeX = 640;
    Settings.TVsizeY = 480;
    Settings.SaturationU = 100;
    Settings.SaturationV = 67;
    CardDevice = &open();
  }

  // The reset frees the audio plug-in, the standard path and a chip object OpenCard made.
  void TearDown() override {
    ChipTest::TearDown();
    sim::VideoDevices().reset();
  }

  void attachStandardPath() {
    ASSERT_TRUE(ComAttach());
    ComActive = true;
  }

  // The value a 9-bit register pair holds now: the low register and the MSB in E_CONTROL. With
  // msb 0, just the low byte.
  static uint32_t registerValue(uint32_t low, uint32_t msb) {
    uint32_t v = sim::Card().peek(low) & 0xFF;
    if (msb && (sim::Card().peek(kEControl) & msb)) v |= 0x100;
    return v;
  }

  static std::vector<uint64_t> standardsSet() {
    std::vector<uint64_t> out;
    for (const auto& e : sim::VideoDevices().events())
      if (e.kind == sim::SimVideoEvent::Kind::SetStandard) out.push_back(e.standard);
    return out;
  }

  static uint32_t formatBits() { return sim::Card().peek(kIform) & kFormatMask; }

  RecordingTvWindow window_;
};

// ---- Picture controls

TEST_F(CardFunctionsTest, PercentsBecomeChipValuesAndOutOfRangePercentsCountAsTheEnds) {
  struct Case {
    const char* name;
    int32_t (*set)(int32_t);
    int32_t percent;
    uint32_t low;
    uint32_t msb;
    uint32_t expected;
  };
  const Case cases[] = {
      {"brightness", SetBrightness, 25, kBright, 0, 0xC0},  // -64
      {"brightness", SetBrightness, 50, kBright, 0, 0x00},
      {"brightness", SetBrightness, 100, kBright, 0, 0x7F},  // 255 in single precision, not 254
      {"brightness", SetBrightness, 0, kBright, 0, 0x80},    // -128
      {"brightness", SetBrightness, 300, kBright, 0, 0x7F},
      {"brightness", SetBrightness, -40, kBright, 0, 0x80},
      {"contrast", SetContrast, 100, kContrastLo, kConMsb, 255},
      {"contrast", SetContrast, 50, kContrastLo, kConMsb, 127},
      {"contrast", SetContrast, 300, kContrastLo, kConMsb, 255},  // not 511
      {"contrast", SetContrast, -1, kContrastLo, kConMsb, 0},
      {"hue", SetHue, 100, kHue, 0, 0x00},
      {"hue", SetHue, 51, kHue, 0, 124},
      {"hue", SetHue, 50, kHue, 0, 127},
      {"hue", SetHue, 49, kHue, 0, 0xFD},  // -3: the byte folds over above 127
      {"hue", SetHue, 0, kHue, 0, 0x81},   // -128, which the chip holds at -127
      {"hue", SetHue, 300, kHue, 0, 0x00},
      {"hue", SetHue, -7, kHue, 0, 0x81},
  };
  ChannelTable[CurChannel].System = 1;  // NTSC_M: the chip sets hue only there
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.percent) + "%");
    sim::Card().poke(c.low, 0x5A);
    EXPECT_EQ(c.set(c.percent), 1);
    EXPECT_EQ(registerValue(c.low, c.msb), c.expected);
  }
}

// The chip is told the standard of the channel being shown: hue on NTSC only, and none for a
// current row outside the table.
TEST_F(CardFunctionsTest, HueFollowsTheStandardOfTheCurrentChannel) {
  struct Case {
    int32_t channel;
    uint8_t standard;
    uint32_t expected;
  };
  const Case cases[] = {{1, 1, 124}, {1, 2, 124}, {1, 3, 0}, {300, 1, 0}, {-1, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "channel " << c.channel << " standard " << +c.standard);
    CurChannel = c.channel;
    ChannelTable[1].System = c.standard;
    sim::Card().poke(kHue, 0x5A);
    EXPECT_EQ(SetHue(51), 1);
    EXPECT_EQ(sim::Card().peek(kHue), c.expected);
  }
}

TEST_F(CardFunctionsTest, SaturationWritesVFirstThenU) {
  ASSERT_EQ(SetSaturation(100), 1);
  EXPECT_EQ(writesTo(kSatVLo), std::vector<uint32_t>{170});
  EXPECT_EQ(writesTo(kSatULo), std::vector<uint32_t>{255});
  auto writes = only(Kind::RegWrite);
  auto at = [&](uint32_t offset) {
    for (size_t i = 0; i < writes.size(); ++i)
      if (writes[i].a == offset) return i;
    return writes.size();
  };
  EXPECT_LT(at(kSatVLo), at(kSatULo));
}

TEST_F(CardFunctionsTest, SaturationHoldsPercentAndFactorsWithinRange) {
  struct Case {
    int32_t percent;
    uint32_t factorV, factorU;
    uint32_t v, u;  // 9-bit register values
  };
  const Case cases[] = {
      {100, 67, 100, 170, 255},
      {300, 67, 100, 170, 255},
      {-10, 67, 100, 0, 0},
      {50, 400, 0, 510, 0},  // large factors are kept while the register can take the result
      {100, 4000000000u, 4000000000u, 511, 511},
      {10, 4000000000u, 1, 511, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.percent) + "% V " + std::to_string(c.factorV) + " U " +
                 std::to_string(c.factorU));
    Settings.SaturationV = c.factorV;
    Settings.SaturationU = c.factorU;
    sim::Card().poke(kSatVLo, 0x5A);
    sim::Card().poke(kSatULo, 0x5A);
    SetSaturation(c.percent);
    EXPECT_EQ(registerValue(kSatVLo, kSatVMsb), c.v);
    EXPECT_EQ(registerValue(kSatULo, kSatUMsb), c.u);
  }
}

// ---- Tuning

TEST_F(CardFunctionsTest, MegahertzAreTruncatedTo10KHzUnits) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  struct Case {
    float mhz;
    int32_t tuned;
  };
  const Case cases[] = {
      {191.25f, 19125},
      {100.03f, 10002},  // the float lies just below 100.03
      {101.7f, 10169},
      {std::nanf(""), 0},
      {1e30f, kMax},
      {-1e30f, kMin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mhz);
    ASSERT_EQ(TuneFrequency(c.mhz), 1);
    EXPECT_EQ(CardDevice->CurrentFrequency(), c.tuned);
  }
}

// ---- Standards

TEST_F(CardFunctionsTest, RadioStandardOnlyHidesTheTvWindow) {
  attachStandardPath();
  Settings.ForceSetColorspace = 1;
  Settings.PLL = 1;
  sim::Log().clear();
  EXPECT_EQ(SetTVSystem(9), 1);
  EXPECT_EQ(window_.calls, std::vector<std::string>{"hide"});
  EXPECT_TRUE(events().empty()) << "no register was touched";
  EXPECT_TRUE(standardsSet().empty());
}

TEST_F(CardFunctionsTest, StandardNumbersAboveNineAreRefused) {
  attachStandardPath();
  for (uint32_t n : {10u, 255u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(SetTVSystem(n), 0);
  }
  EXPECT_TRUE(window_.calls.empty());
  EXPECT_TRUE(events().empty());
  EXPECT_TRUE(standardsSet().empty());
}

TEST_F(CardFunctionsTest, AStandardShowsTheTvWindowUnlessTheUserHidIt) {
  EXPECT_EQ(SetTVSystem(3), 1);
  EXPECT_EQ(window_.calls, std::vector<std::string>{"show"});
  window_.calls.clear();
  TvHiddenByUser = true;
  EXPECT_EQ(SetTVSystem(6), 1);
  EXPECT_TRUE(window_.calls.empty());
  TvWindow = nullptr;  // no TV window at all: the chip is still set
  EXPECT_EQ(SetTVSystem(1), 1);
  EXPECT_EQ(SetTVSystem(9), 1);
  EXPECT_EQ(formatBits(), TVSystemTable[1].IFormSys);
}

TEST_F(CardFunctionsTest, EachTvStandardReachesTheCaptureDecoderAsItsMask) {
  struct Case {
    uint32_t n;
    uint32_t mask;
  };
  const Case cases[] = {{1, 0x1},   {2, 0x2},   {3, 0x10},  {4, 0x200},
                        {5, 0x400}, {6, 0x2000}, {7, 0x80}};
  attachStandardPath();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    uint64_t standard = platform::V4l2StandardOf(c.mask);
    ASSERT_NE(standard, 0u);
    ASSERT_EQ(SetTVSystem(c.n), 1);
    EXPECT_EQ(standardsSet().back(), standard);
    EXPECT_EQ(formatBits(), TVSystemTable[c.n].IFormSys);
  }
  EXPECT_EQ(standardsSet().size(), std::size(cases));
}

// AUTO passes the empty mask, which names no standard; CUSTOM has no mask and is not passed.
// Either way the decoder keeps what it had, and the chip changes.
TEST_F(CardFunctionsTest, AutoAndCustomLeaveTheCaptureDecoderAsItWas) {
  attachStandardPath();
  SetTVSystem(3);
  const uint64_t palB = platform::V4l2StandardOf(platform::kAnalogPalB);
  for (uint32_t n : {0u, 8u}) {
    SCOPED_TRACE(n);
    ASSERT_EQ(SetTVSystem(n), 1);
    EXPECT_EQ(standardsSet(), std::vector<uint64_t>{palB});
    EXPECT_EQ(sim::VideoDevices().devices()[0].standard, palB);
    EXPECT_EQ(formatBits(), TVSystemTable[n].IFormSys);
  }
}

TEST_F(CardFunctionsTest, WithoutTheStandardPathOnlyTheChipIsSet) {
  ASSERT_TRUE(ComAttach());  // attached, but not active
  ASSERT_EQ(SetTVSystem(6), 1);
  EXPECT_TRUE(standardsSet().empty());
  EXPECT_EQ(formatBits(), TVSystemTable[6].IFormSys);
}

TEST_F(CardFunctionsTest, TimingAndPllFollowTheirSettings) {
  struct Case {
    uint8_t force;
    int32_t width;
    uint32_t pll;
    bool timing;
    std::vector<uint32_t> pllXci;  // writes to PLL_XCI
  };
  const Case cases[] = {
      {0, 640, 3, false, {}},     {1, 640, 3, true, {}},    {1, 0, 3, false, {}},
      {0, 640, 0, false, {0x00}}, {0, 640, 1, false, {0x8E}}, {1, 640, 2, true, {0x89}},
  };
  const uint32_t n = 6;
  for (const Case& c : cases) {
    SCOPED_TRACE("force " + std::to_string(c.force) + " width " + std::to_string(c.width) +
                 " PLL " + std::to_string(c.pll));
    Settings.ForceSetColorspace = c.force;
    Settings.TVsizeX = c.width;
    Settings.PLL = c.pll;
    sim::Log().clear();
    ASSERT_EQ(SetTVSystem(n), 1);
    EXPECT_EQ(writesTo(kADelay), c.timing ? std::vector<uint32_t>{TVSystemTable[n].DelayA}
                                          : std::vector<uint32_t>{});
    EXPECT_EQ(writesTo(kPllXci), c.pllXci);
  }
}

// ---- Opening

TEST_F(CardFunctionsTest, OpenCardCreatesTheChipObjectWhenThereIsNone) {
  CardDevice = nullptr;
  ASSERT_EQ(OpenCard(), 1);
  ASSERT_NE(CardDevice, nullptr);
  EXPECT_NE(CardDevice, chip_.get());
  EXPECT_TRUE(CardDevice->IsOpen());
}

TEST_F(CardFunctionsTest, OpenCardReportsOneAlsoWhenTheOpenFails) {
  CardDevice = nullptr;
  sim::Card().setDeviceId(sim::Bt848Card::kNoDevice);
  ASSERT_EQ(OpenCard(), 1);
  ASSERT_NE(CardDevice, nullptr);
  EXPECT_FALSE(CardDevice->IsOpen());
}

// OpenCard opens with the settings' rows and shows the box a missing library calls for; a missing
// card it leaves to its caller.
TEST_F(CardFunctionsTest, OpenCardUsesTheSettingsRowsAndShowsOnlyAMissingLibrary) {
  CardDevice = nullptr;
  Settings.Tuner = 2;
  Settings.Card = 11;
  ASSERT_EQ(OpenCard(), 1);
  EXPECT_EQ(CardDevice->TunerIndex(), 2u);
  EXPECT_EQ(CardDevice->CardIndex(), 11u);

  sim::Card().setDeviceId(sim::Bt848Card::kNoDevice);
  OpenCard();
  EXPECT_TRUE(boxes_.shown().empty());
  setenv("VYX_HWIODRV", "libhwiodrv-absent.so", 1);
  OpenCard();
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "Error load DLL");
  EXPECT_EQ(boxes_.shown()[0].caption, "Fatal Error");
}

TEST_F(CardFunctionsTest, OpenCardReopensTheExistingObjectWithoutAllocating) {
  CBT848* before = CardDevice;
  TuneFrequency(191.25f);
  const int maps = sim::Card().mapCount();
  const int unmaps = sim::Card().unmapCount();
  ASSERT_EQ(OpenCard(), 1);
  EXPECT_EQ(CardDevice, before);
  EXPECT_TRUE(CardDevice->IsOpen());
  EXPECT_EQ(CardDevice->CurrentFrequency(), 4000) << "opened again from the start";
  EXPECT_EQ(sim::Card().unmapCount(), unmaps + 1);
  EXPECT_EQ(sim::Card().mapCount(), maps + 1);
}

// ---- Without a chip object, and the hooks that do nothing

TEST_F(CardFunctionsTest, WithoutAChipObjectNothingHappens) {
  const std::pair<const char*, std::function<int32_t()>> calls[] = {
      {"SetVideoInput", [] { return SetVideoInput(1); }},
      {"SetTVSystem 3", [] { return SetTVSystem(3); }},
      {"SetTVSystem 9", [] { return SetTVSystem(9); }},
      {"SetBrightness", [] { return SetBrightness(50); }},
      {"SetContrast", [] { return SetContrast(50); }},
      {"SetHue", [] { return SetHue(50); }},
      {"SetSaturation", [] { return SetSaturation(50); }},
      {"TuneFrequency", [] { return TuneFrequency(191.25f); }},
      {"SetFMStereo", [] { return SetFMStereo(0); }},
      {"SetMute", [] { return SetMute(1); }},
      {"SignalLocked", [] { return int32_t{SignalLocked()}; }},
      {"SignalPresent", [] { return int32_t{SignalPresent()}; }},
      {"TunerAfcOk", [] { return int32_t{TunerAfcOk()}; }},
  };
  ASSERT_TRUE(LoadAudioDll(VYX_TEST_AUDIO_PLUGIN));
  AudioPluginLog& log = pluginLog();
  log.count = 0;
  attachStandardPath();
  CardDevice = nullptr;
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    EXPECT_EQ(call(), 0);
  }
  EXPECT_TRUE(events().empty());
  EXPECT_TRUE(window_.calls.empty());
  EXPECT_TRUE(standardsSet().empty());
  EXPECT_EQ(log.count, 0);
}

TEST_F(CardFunctionsTest, CardVolumeAndParameterHooksDoNothing) {
  for (auto hook : {SetCardVolume, SetCardParamA, SetCardParamB, SetCardParamC})
    EXPECT_EQ(hook(40), 0);
  EXPECT_TRUE(events().empty());
}

// ---- Mute and the audio plug-in

TEST_F(CardFunctionsTest, WithoutThePluginMuteWritesOnlyTheGpioMuteValue) {
  EXPECT_FALSE(LoadAudioDll()) << "no plug-in beside the program by default";
  EXPECT_EQ(AudioDll, nullptr);
  sim::Log().clear();
  ASSERT_EQ(SetMute(1), 1);
  EXPECT_EQ(only(Kind::RegWrite).size(), 1u);
  EXPECT_EQ(writesTo(kGpioData).size(), 1u);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
  EXPECT_EQ(AudioSetProc, nullptr);
}

TEST_F(CardFunctionsTest, ThePluginHearsEveryMuteChange) {
  ASSERT_TRUE(LoadAudioDll(VYX_TEST_AUDIO_PLUGIN));
  AudioPluginLog& log = pluginLog();
  log.count = 0;
  ASSERT_EQ(SetMute(1), 1);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
  ASSERT_EQ(SetMute(0), 1);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Tuner);
  ASSERT_EQ(log.count, 2);
  EXPECT_EQ(log.command[0], 105);
  EXPECT_EQ(log.value[0], 1);
  EXPECT_EQ(log.command[1], 105);
  EXPECT_EQ(log.value[1], 0);
  EXPECT_NE(AudioSetProc, nullptr);

  FreeAudioDll();
  EXPECT_EQ(AudioDll, nullptr);
  EXPECT_EQ(AudioSetProc, nullptr) << "no pointer into the freed library is kept";
  EXPECT_EQ(SetMute(1), 1);
}

TEST_F(CardFunctionsTest, APluginWithoutTheExportLeavesTheCardAloneToMute) {
  ASSERT_TRUE(LoadAudioDll(VYX_TEST_AUDIO_PLUGIN_NOSET));
  ASSERT_EQ(SetMute(1), 1);
  EXPECT_EQ(AudioSetProc, nullptr);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
}

// ---- Signal detectors

TEST_F(CardFunctionsTest, TheThreeDetectorsTellLockPresenceAndAfcApart) {
  using K = sim::Station::Kind;
  sim::Card().setStations({
      {200.00, 200.50, K::TV, 3, true, 4, "locks"},
      {300.00, 300.50, K::TV, 3, false, 4, "present only"},
      {400.00, 400.50, K::TV, 3, true, 3, "AFC 3"},
      {500.00, 500.50, K::TV, 3, true, 7, "AFC 7"},
  });
  SetVideoInput(0);
  struct Case {
    float mhz;
    bool locked, present, afcOk;
  };
  const Case cases[] = {
      {200.25f, true, true, true},  {300.25f, false, true, true}, {400.25f, true, true, false},
      {500.25f, true, true, true},  {250.25f, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mhz);
    TuneFrequency(c.mhz);
    EXPECT_EQ(SignalLocked(), c.locked);
    EXPECT_EQ(SignalPresent(), c.present);
    EXPECT_EQ(TunerAfcOk(), c.afcOk);
  }
}

TEST_F(CardFunctionsTest, VideoInputsSelectTheSocketTheDetectorsSee) {
  sim::Card().setAvConnected(true);
  ASSERT_EQ(SetVideoInput(1), 1);
  EXPECT_TRUE(SignalLocked());
  ASSERT_EQ(SetVideoInput(2), 1);  // nothing on the S-video socket
  EXPECT_FALSE(SignalPresent());
}

// Every station of the lineup, tuned in MHz as the windows do: a TV station locks, an FM station
// satisfies the AFC, and 3 MHz away neither does.
TEST_F(CardFunctionsTest, EveryStationOfTheLineupIsFoundWhereItIsAndNotBeside) {
  SetVideoInput(0);
  for (const sim::Station& station : sim::BuiltInStations()) {
    SCOPED_TRACE(station.name);
    const float centre = static_cast<float>((station.lowMHz + station.highMHz) / 2);
    const bool tv = station.kind == sim::Station::Kind::TV;
    auto detected = [tv] { return tv ? SignalLocked() : TunerAfcOk(); };
    TuneFrequency(centre);
    EXPECT_TRUE(detected()) << "at " << centre;
    for (float away : {centre - 3.0f, centre + 3.0f}) {
      TuneFrequency(away);
      EXPECT_FALSE(detected()) << "at " << away;
    }
  }
}

}  // namespace
