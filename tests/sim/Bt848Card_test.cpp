// The simulated card at register level: PCI look-up and mapping, register cells, the I2C
// transfer and the tuner, decoder status, the PLL lock bit, GPIO pins and the audio switch.
#include <gtest/gtest.h>

#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimClock.h"

namespace {

using Kind = sim::Event::Kind;
using namespace sim::bt;

class CardTest : public ::testing::Test {
protected:
  void SetUp() override {
    card().reset();
    sim::Log().clear();
    sim::Clock().reset();
  }

  static sim::Bt848Card& card() { return sim::Card(); }

  // Maps the card as the library does after a successful look-up.
  static void mapCard() {
    uint32_t r1 = 0, r2 = 0, r3 = 0;
    ASSERT_EQ(card().pciLookup(0x109E, card().deviceId(), &r1, &r2, &r3), 0);
    ASSERT_NE(card().map(r1, r2), 0u);
    sim::Log().clear();
  }

  // One three-byte I2C write as the chip object issues it.
  static void i2cWrite(uint8_t address, uint16_t word) {
    card().write(kIntStat, kI2cDone);
    card().write(kI2c, uint32_t{address} << 24 | uint32_t{word} << 8 | 0x87);
  }

  static void tune(uint16_t band, uint16_t divider) {
    i2cWrite(0xC2, band);
    i2cWrite(0xC2, divider);
  }
};

}  // namespace

TEST_F(CardTest, LookupFindsOnlyThePresentDeviceAndMappingChecksItsResources) {
  uint32_t r1 = 0, r2 = 0, r3 = 0;
  EXPECT_NE(card().pciLookup(0x109E, 0x350, &r1, &r2, &r3), 0);
  EXPECT_NE(card().pciLookup(0x8086, 0x36E, &r1, &r2, &r3), 0);
  EXPECT_EQ(r1, 0u);
  EXPECT_EQ(card().pciLookup(0x109E, 0x36E, &r1, &r2, &r3), 0);  // the default Bt878
  EXPECT_EQ(r3, kWindowSize);
  EXPECT_EQ(card().map(r1 + 1, r2), 0u);
  EXPECT_NE(card().map(r1, r2), 0u);
  EXPECT_TRUE(card().mapped());
  card().unmap(r1, r2);
  EXPECT_FALSE(card().mapped());
  EXPECT_EQ(sim::Log().events(),
            (std::vector<sim::Event>{{Kind::PciLookup, 0x109E, 0x350, 1},
                                     {Kind::PciLookup, 0x8086, 0x36E, 1},
                                     {Kind::PciLookup, 0x109E, 0x36E, 0},
                                     {Kind::Map, r1 + 1, r2, 0},
                                     {Kind::Map, r1, r2, r2},
                                     {Kind::Unmap, r1, r2}}));

  card().setDeviceId(sim::Bt848Card::kNoDevice);
  EXPECT_NE(card().pciLookup(0x109E, 0x36E, &r1, &r2, &r3), 0);
}

TEST_F(CardTest, MappingFaultsRefuseOrFailTheFirstOpens) {
  const uint32_t r1 = sim::Bt848Card::kLocation, r2 = sim::Bt848Card::kBar0;
  card().failNextOpens(2);
  EXPECT_EQ(card().map(r1, r2), 0u);
  EXPECT_EQ(card().map(r1, r2), 0u);
  EXPECT_NE(card().map(r1, r2), 0u);
  card().setMapAllowed(false);
  EXPECT_EQ(card().map(r1, r2), 0u);
}

TEST_F(CardTest, UnmappedCardReadsAllOnesAndIgnoresWritesButLogsBoth) {
  card().write(0x28, 0x12);
  EXPECT_EQ(card().read(0x28), 0xFFFFFFFFu);
  EXPECT_EQ(card().peek(0x28), 0u);
  EXPECT_EQ(sim::Log().events(), (std::vector<sim::Event>{{Kind::RegWrite, 0x28, 0x12},
                                                          {Kind::RegRead, 0x28, 0xFFFFFFFF}}));
}

TEST_F(CardTest, RegistersAre32BitCellsAndIntStatIsWriteOneToClear) {
  mapCard();
  card().write(0x28, 0xDEADBEEF);
  EXPECT_EQ(card().read(0x28), 0xDEADBEEFu);
  card().poke(kIntStat, kI2cDone | kRack | 0x1);
  card().write(kIntStat, kI2cDone | 0x1);
  EXPECT_EQ(card().read(kIntStat), kRack);
}

TEST_F(CardTest, I2cTransfersAcknowledgeOnlyAtTheTunersAddress) {
  mapCard();
  struct Case {
    const char* name;
    uint8_t tunerAt;
    bool present;
    uint32_t control;
    bool ack;
    sim::Event event;
  };
  const Case cases[] = {
      {"three-byte write", 0xC2, true, 0xC28E9087, true, {Kind::I2cWrite, 0xC2, 0x8E90, 1}},
      {"two-byte write", 0xC2, true, 0xC28E0083, true, {Kind::I2cWrite, 0xC2, 0x8E, 1}},
      {"nobody there", 0xC2, true, 0xC08E9087, false, {Kind::I2cWrite, 0xC0, 0x8E90, 0}},
      {"moved tuner", 0xC0, true, 0xC08E9087, true, {Kind::I2cWrite, 0xC0, 0x8E90, 1}},
      {"absent tuner", 0xC2, false, 0xC28E9087, false, {Kind::I2cWrite, 0xC2, 0x8E90, 0}},
      {"read", 0xC2, true, 0xC3000083, true, {Kind::I2cRead, 0xC3, 0x40, 1}},
      {"read from nobody", 0xC2, true, 0xC7000083, false, {Kind::I2cRead, 0xC7, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    card().tuner().reset();
    card().tuner().setAddress(c.tunerAt);
    card().tuner().setPresent(c.present);
    card().write(kIntStat, kI2cDone);
    sim::Log().clear();
    card().write(kI2c, c.control);
    EXPECT_EQ(sim::Log().events(),
              (std::vector<sim::Event>{{Kind::RegWrite, kI2c, c.control}, c.event}));
    uint32_t status = card().read(kIntStat);
    EXPECT_TRUE(status & kI2cDone);
    EXPECT_EQ((status & kRack) != 0, c.ack);
    if (c.event.kind == Kind::I2cRead && c.ack) {
      EXPECT_EQ((card().read(kI2c) >> 8) & 0xFF, 0x40u);
    }
    // Only a three-byte write reaches the tuner.
    EXPECT_EQ(card().tuner().bandWord(), c.ack && (c.control & kI2cW3b) && !(c.control >> 24 & 1)
                                             ? 0x8E90
                                             : 0);
  }
}

TEST_F(CardTest, TunerDecodesBandWordsAndDividersIntoATunedFrequency) {
  mapCard();
  struct Case {
    uint16_t band;
    uint16_t divider;
    double mhz;  // 0: not tuned
  };
  const Case cases[] = {
      {0x8E90, 3060 + 518, 191.25},  // TV IF
      {0x8EA5, 1680 + 171, 105.0},   // FM IF
      {0x8E02, 948 + 171, 59.25},    // low-band word that doubles as the FM word
      {0x8E30, 7668 + 518, 479.25},
      {0x8E55, 3578, 0},             // a band word the tuner does not know
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    tune(c.band, c.divider);
    EXPECT_EQ(card().tuner().bandWord(), c.band);
    EXPECT_EQ(card().tuner().divider(), c.divider);
    EXPECT_DOUBLE_EQ(card().tuner().tunedMHz(), c.mhz);
  }
  card().tuner().write(0x7F, 0xFF);  // bit 7 clear: a 15-bit divider
  EXPECT_EQ(card().tuner().divider(), 0x7FFF);
}

TEST_F(CardTest, DecoderStatusFollowsInputStationAndBand) {
  mapCard();
  std::vector<sim::Station> lineup = sim::BuiltInStations();
  lineup.push_back({520.90, 521.60, sim::Station::Kind::TV, 3, false, 4, "Weak"});
  card().setStations(lineup);
  card().setSvhsConnected(true);
  struct Case {
    const char* name;
    uint32_t mux;
    uint16_t band, divider;
    uint32_t status;
  };
  const Case cases[] = {
      {"tuner on a station", 0x40, 0x8E90, 3060 + 518, kPres | kHloc},
      {"tuner off station", 0x40, 0x8E90, 3012 + 518, 0},
      {"station outside the band", 0x40, 0x8EA0, 7668 + 518, 0},
      {"station that does not lock", 0x40, 0x8E30, 8340 + 518, kPres},
      {"FM station gives no picture", 0x40, 0x8EA5, 1680 + 171, 0},
      {"AV socket empty", 0x60, 0x8E90, 3060 + 518, 0},
      {"SVHS connected", 0x00, 0x8E90, 3060 + 518, kPres | kHloc},
      {"unwired mux", 0x20, 0x8E90, 3060 + 518, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    card().write(kIform, c.mux);
    tune(c.band, c.divider);
    EXPECT_EQ(card().read(kDstatus), c.status);
  }
}

TEST_F(CardTest, TunerStatusCarriesTheStationsAfcInsideItsWindowOnly) {
  mapCard();
  tune(0x8EA5, 1680 + 171);  // 105.00 MHz
  EXPECT_EQ(card().tunerStatus(), 0x44);
  tune(0x8EA5, 1682 + 171);  // 105.125 MHz: outside 104.90-105.10
  EXPECT_EQ(card().tunerStatus(), 0x40);
  tune(0x8EA0, 1680 + 518);  // right frequency, TV IF: not demodulated as FM
  EXPECT_EQ(card().tunerStatus(), 0x40);
}

TEST_F(CardTest, PllLockBitIsStickyUntilTheLockAndClearedByWritingZero) {
  mapCard();
  card().setPllLockMs(20);
  card().write(kPllFLo, 0xF9);
  EXPECT_FALSE(card().read(kDstatus) & kPlock);  // PLL still off
  card().write(kPllXci, 0x8E);
  EXPECT_TRUE(card().read(kDstatus) & kPlock);
  sim::Clock().sleep(10);
  card().write(kDstatus, 0);
  EXPECT_TRUE(card().read(kDstatus) & kPlock);  // still out of lock
  sim::Clock().sleep(10);
  EXPECT_TRUE(card().read(kDstatus) & kPlock);  // locked now, but the bit stays until cleared
  card().write(kDstatus, kPlock);
  EXPECT_TRUE(card().read(kDstatus) & kPlock);
  card().write(kDstatus, 0);
  EXPECT_FALSE(card().read(kDstatus) & kPlock);
  EXPECT_TRUE(card().pllLocked());

  card().setPllNeverLocks(true);
  card().write(kPllXci, 0x89);
  sim::Clock().sleep(5000);
  card().write(kDstatus, 0);
  EXPECT_TRUE(card().read(kDstatus) & kPlock);
  card().write(kPllXci, 0);  // PLL off: nothing to be out of lock
  card().write(kDstatus, 0);
  EXPECT_FALSE(card().read(kDstatus) & kPlock);
}

TEST_F(CardTest, GpioPinsMixLatchAndInputsByOutputEnable) {
  mapCard();
  card().write(kGpioOutEn, 0x00FF00FF);
  card().write(kGpioData, 0x12345678);
  card().setGpioInputs(0xABCDEF01);
  EXPECT_EQ(card().read(kGpioData), (0x12345678u & 0x00FF00FF) | (0xABCDEF01u & ~0x00FF00FFu));
  card().setGpioInputs(0);
  card().pressRemote(0x00850000);
  card().write(kGpioOutEn, 0x1800);
  EXPECT_EQ(card().read(kGpioData), 0x00850000u | (0x12345678u & 0x1800));
  card().releaseRemote();
  EXPECT_EQ(card().read(kGpioData), 0x12345678u & 0x1800);
  EXPECT_EQ(card().gpioLatch(), 0x12345678u);
}

TEST_F(CardTest, AudioSourceFollowsTheLatchUnderTheCardRowsMask) {
  mapCard();
  card().setAudioRow({0x8CE700, 0x8CE700 ^ 0x000400, 0x8CFF00, 0x8DFF00});
  struct Case {
    uint32_t latch;
    sim::AudioSource source;
  };
  const Case cases[] = {{0xFF8CE700, sim::AudioSource::Tuner},
                        {0x008CE300, sim::AudioSource::External},
                        {0x018CFF00, sim::AudioSource::Muted},
                        {0x00000000, sim::AudioSource::Other}};
  for (const Case& c : cases) {
    card().write(kGpioData, c.latch);
    EXPECT_EQ(card().audioSource(), c.source) << std::hex << c.latch;
  }
}

namespace {

// A long run keeps the newest events in order and never more than the limit.
TEST(EventLogBound, ALongRunKeepsTheNewestEventsWithinTheLimit) {
  sim::EventLog log;
  const size_t total = sim::EventLog::kMaxEvents + 10;
  for (size_t i = 0; i < total; ++i) log.add({sim::Event::Kind::RegRead, uint32_t(i)});
  const auto& events = log.events();
  ASSERT_LE(events.size(), sim::EventLog::kMaxEvents);
  ASSERT_GE(events.size(), sim::EventLog::kMaxEvents / 2);
  EXPECT_EQ(events.back().a, uint32_t(total - 1));
  for (size_t i = 1; i < events.size(); ++i) ASSERT_EQ(events[i].a, events[i - 1].a + 1);
}

}  // namespace
