// Opening, closing and the register and I2C primitives of the chip object on the simulated card.
#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "CBT848Fixture.h"
#include "core/HardwareTables.h"
#include "platform/Environment.h"
#include "platform/HardwareLibrary.h"

namespace {

using Kind = sim::Event::Kind;

// Runs fn and reports the CExcept it throws, or {nullptr, 0}.
CExcept caught(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const CExcept& e) {
    return e;
  }
  return {nullptr, 0};
}

void expectExcept(const CExcept& e, const char* message, int32_t code) {
  ASSERT_NE(e.Message, nullptr) << "nothing thrown";
  EXPECT_STREQ(e.Message, message);
  EXPECT_EQ(e.Code, code);
}

std::vector<uint32_t> lookedUpDevices() {
  std::vector<uint32_t> out;
  for (const auto& e : sim::Log().only(Kind::PciLookup)) {
    EXPECT_EQ(e.a, 0x109Eu);
    out.push_back(e.b);
  }
  return out;
}

// Whether the hardware I/O library is still loaded in this process.
bool libraryLoaded(const std::string& path) {
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (h) dlclose(h);
  return h != nullptr;
}

}  // namespace

TEST_F(ChipTest, FindCardTriesTheFourChipsInOrderAndStopsAtTheFirstFound) {
  struct Case {
    uint32_t present;
    std::vector<uint32_t> lookups;
  };
  const Case cases[] = {
      {sim::Bt848Card::kNoDevice, {0x350, 0x351, 0x36E, 0x36F}},
      {0x350, {0x350}},
      {0x351, {0x350, 0x351}},
      {0x36E, {0x350, 0x351, 0x36E}},
      {0x36F, {0x350, 0x351, 0x36E, 0x36F}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.present);
    sim::Card().reset();
    sim::Card().setDeviceId(c.present);
    sim::Log().clear();
    CBT848 chip;
    chip.Open(kRows);
    EXPECT_EQ(lookedUpDevices(), c.lookups);
    EXPECT_EQ(chip.IsOpen(), c.present != sim::Bt848Card::kNoDevice);
    EXPECT_EQ(chip.Resource1(), c.present ? sim::Bt848Card::kLocation : 0u);
    EXPECT_EQ(chip.Resource2(), c.present ? sim::Bt848Card::kBar0 : 0u);
  }
  EXPECT_TRUE(boxes_.shown().empty());
}

// The chip object says why it failed and shows nothing; ReportOpenFailure then shows the one box
// that a missing library calls for.
TEST_F(ChipTest, OpenFailuresLeaveTheObjectFailedAndOnlyAMissingLibraryIsReportedWithABox) {
  using Failure = CBT848::OpenFailure;
  struct Case {
    const char* name;
    std::function<void()> arrange;
    Failure failure;
  };
  const Case cases[] = {
      {"missing library", [] { setenv("VYX_HWIODRV", "libhwiodrv-absent.so", 1); },
       Failure::kLibraryMissing},
      {"missing export", [] { setenv("VYX_HWIODRV", "libhwiodrv-sim-noexport.so", 1); },
       Failure::kExportMissing},
      {"no card", [] { sim::Card().setDeviceId(sim::Bt848Card::kNoDevice); }, Failure::kNoCard},
      {"mapping refused", [] { sim::Card().setMapAllowed(false); }, Failure::kMappingRefused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Card().reset();
    sim::Log().clear();
    boxes_.clear();
    unsetenv("VYX_HWIODRV");
    c.arrange();
    CBT848 chip;
    chip.Open(kRows);
    EXPECT_FALSE(chip.IsOpen());
    EXPECT_EQ(chip.LastOpenFailure(), c.failure);
    EXPECT_TRUE(only(Kind::RegWrite).empty());
    EXPECT_TRUE(only(Kind::RegRead).empty());
    EXPECT_TRUE(boxes_.shown().empty()) << "the chip object shows nothing itself";
    ReportOpenFailure(chip);
    if (c.failure == Failure::kLibraryMissing) {
      ASSERT_EQ(boxes_.shown().size(), 1u);
      EXPECT_EQ(boxes_.shown()[0].text, "Error load DLL");
      EXPECT_EQ(boxes_.shown()[0].caption, "Fatal Error");
      EXPECT_EQ(boxes_.shown()[0].flags, platform::kMbIconStop | platform::kMbSystemModal);
    } else {
      EXPECT_TRUE(boxes_.shown().empty());
    }
  }
}

// An exception that leaves an event handler shows its text at the application's boundary.
TEST(CExcept, IsAStandardExceptionWithItsMessageAsText) {
  try {
    throw CExcept{"ReadBT", 1};
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "ReadBT");
  }
}

TEST_F(ChipTest, HardwareLibraryIsChosenBySimulationSwitchAndOverride) {
  const std::string dir = platform::ExecutableFolder();
  EXPECT_EQ(platform::HardwareLibraryPath(), dir + "libhwiodrv-sim.so");
  setenv("VYX_SIM", "0", 1);
  EXPECT_EQ(platform::HardwareLibraryPath(), dir + "libhwiodrv.so");
  setenv("VYX_HWIODRV", "other.so", 1);
  EXPECT_EQ(platform::HardwareLibraryPath(), dir + "other.so");
  setenv("VYX_HWIODRV", "/opt/x/other.so", 1);
  EXPECT_EQ(platform::HardwareLibraryPath(), "/opt/x/other.so");
  setenv("VYX_SIM", "1", 1);
}

TEST_F(ChipTest, SuccessfulOpenMakesNineTunerWritesAndUnmutesTheTuner) {
  CBT848 chip;
  chip.Open(kRows);
  ASSERT_TRUE(chip.IsOpen());
  // Start-up words, the first tuning of 40.00 MHz (band, divider 640 + 518, band again), the
  // stereo step, and the second tuning with the band unchanged.
  EXPECT_EQ(i2cWords(), (std::vector<uint32_t>{0x8EA0, 0x071A, 0x8EA5, 0x8EA0, 0x0486, 0x8EA0,
                                                0x8EA0, 0x0486, 0x8EA0}));
  EXPECT_EQ(chip.CurrentFrequency(), 4000);
  EXPECT_TRUE(chip.FMStereo());
  EXPECT_FALSE(chip.Muted());
  EXPECT_EQ(chip.LastBand(), 0x8EA0u);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Tuner);
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 40.0);
  // Bit 12 is cleared between the two tunings, and the second one sets OutEn again.
  EXPECT_EQ(writesTo(bt848::kGpioOutEn), (std::vector<uint32_t>{0x1800, 0x0800, 0x1800}));
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(ChipTest, WriteI2CClearsDoneWritesTheTransferAndSleepsFiveMs) {
  CBT848& chip = open();
  EXPECT_TRUE(chip.WriteI2C(0xC2, 0x8E90));
  EXPECT_EQ(events(), (std::vector<sim::Event>{write(bt848::kIntStat, 0x100),
                                               write(bt848::kI2c, 0xC28E9087),
                                               {Kind::I2cWrite, 0xC2, 0x8E90, 1},
                                               {Kind::Sleep, 5}}));
  // No acknowledge is tested: a write to nobody still succeeds.
  EXPECT_TRUE(chip.WriteI2C(0xC6, 0x1234));
}

TEST_F(ChipTest, ReadI2CReturnsTheStatusByteOrThrowsWithoutAcknowledge) {
  CBT848& chip = open();
  EXPECT_EQ(chip.ReadI2C(0xC2, 3), 0x40);  // 40.00 MHz: no station, AFC 0
  EXPECT_EQ(writesTo(bt848::kI2c), std::vector<uint32_t>{0xC3000083});
  EXPECT_EQ(only(Kind::Sleep), (std::vector<sim::Event>{{Kind::Sleep, 3}}));

  sim::Card().tuner().setAddress(0xC0);
  expectExcept(caught([&] { chip.ReadI2C(0xC2, 1); }), "ReadI2C", 2);
  EXPECT_EQ(chip.ReadI2C(0xC0, 1), 0x40);
}

TEST_F(ChipTest, ReadModifyWritePrimitivesKeepWhatTheyShould) {
  struct Case {
    const char* name;
    std::function<void(CBT848&)> op;
    uint32_t written;
  };
  // Old contents 0x12345678 each time.
  const Case cases[] = {
      {"MaskBT keeps only the low byte", [](CBT848& c) { c.MaskBT(0x28, 0x1B, 0x1F); }, 0x7B},
      {"AndBT keeps all 32 bits", [](CBT848& c) { c.AndBT(0x28, 0xFFFF00FF); }, 0x12340078},
      {"OrBT keeps the low byte", [](CBT848& c) { c.OrBT(0x28, 0x100); }, 0x178},
  };
  CBT848& chip = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Card().poke(0x28, 0x12345678);
    sim::Log().clear();
    c.op(chip);
    EXPECT_EQ(writesTo(0x28), std::vector<uint32_t>{c.written});
  }
}

TEST_F(ChipTest, FailedObjectSkipsWritesWithoutTouchingTheLibraryAndThrowsOnReads) {
  CBT848& failed = openFailed();
  CBT848 neverOpened;
  for (CBT848* chip : {&failed, &neverOpened}) {
    sim::Log().clear();
    EXPECT_FALSE(chip->WriteBT(bt848::kBright, 1));
    EXPECT_TRUE(chip->WriteI2C(0xC2, 0x8E90));  // skipped writes, still sleeps
    EXPECT_TRUE(only(Kind::RegWrite).empty());
    expectExcept(caught([&] { chip->ReadBT(bt848::kDstatus); }), "ReadBT", 1);
    expectExcept(caught([&] { chip->ReadI2C(0xC2, 1); }), "ReadBT", 1);
    EXPECT_TRUE(only(Kind::RegRead).empty());
  }
}

TEST_F(ChipTest, ReopeningReleasesTheMappingAndTheLibraryAndStartsAfresh) {
  const std::string library = platform::HardwareLibraryPath();
  {
    CBT848 chip;
    chip.Open(kRows);  // leaves the low-band word as LastBand, the first band word of any open
    sim::Log().clear();
    chip.Open(kRows);
    ASSERT_TRUE(chip.IsOpen());
    auto e = events();
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.front().kind, Kind::Unmap);
    EXPECT_EQ(i2cWords().size(), 9u);  // the same start as a first open
    EXPECT_EQ(sim::Card().mapCount() - sim::Card().unmapCount(), 1);
  }
  EXPECT_EQ(sim::Card().mapCount(), sim::Card().unmapCount());
  EXPECT_FALSE(libraryLoaded(library));
}

TEST_F(ChipTest, CloseUnmapsOnlyWhatWasMapped) {
  sim::Card().failNextOpens(1);
  CBT848 chip;
  chip.Open(kRows);  // card found, mapping refused once
  ASSERT_FALSE(chip.IsOpen());
  ASSERT_NE(chip.Resource1(), 0u);
  chip.Close();
  EXPECT_TRUE(only(Kind::Unmap).empty());
  EXPECT_FALSE(chip.LibraryLoaded());

  chip.Open(kRows);  // the start-up probe's second try
  EXPECT_TRUE(chip.IsOpen());
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(ChipTest, RowsOutOfTheirTablesFallBackToTheDefaultRows) {
  CBT848 chip;
  chip.Open({21, 1000});
  ASSERT_TRUE(chip.IsOpen());
  EXPECT_EQ(chip.TunerIndex(), kDefaultTuner);
  EXPECT_EQ(chip.CardIndex(), kDefaultCard);
  EXPECT_EQ(&chip.tunerRow(), &TunerTable[kDefaultTuner]);
  chip.Open({0xFFFFFFFF, 0xFFFFFFFF});
  EXPECT_EQ(&chip.cardRow(), &CardTable[kDefaultCard]);
}

// The real library on a machine without a card (and usually without root): the look-up finds
// nothing and Open fails without a message.
TEST_F(ChipTest, RealLibraryWithoutACardFailsSilently) {
  const std::string path = platform::ExecutableFolder() + "libhwiodrv.so";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "real library not built";
  std::error_code ec;
  for (const auto& dev : std::filesystem::directory_iterator("/sys/bus/pci/devices", ec)) {
    std::ifstream vendor(dev.path() / "vendor");
    std::string id;
    if (vendor >> id && id == "0x109e") GTEST_SKIP() << "a Bt8x8 card is present";
  }
  setenv("VYX_HWIODRV", path.c_str(), 1);
  CBT848 chip;
  chip.Open(kRows);
  EXPECT_FALSE(chip.IsOpen());
  EXPECT_EQ(chip.LastOpenFailure(), CBT848::OpenFailure::kNoCard);
  EXPECT_TRUE(chip.LibraryLoaded());  // loaded and bound; only the card is missing
  EXPECT_FALSE(chip.Mapped());
  ReportOpenFailure(chip);
  EXPECT_TRUE(boxes_.shown().empty());

  // The library's own answers, through its exports.
  platform::ModuleHandle library = platform::LoadModule(path);
  ASSERT_NE(library, nullptr);
  auto* lookUp = reinterpret_cast<PciGetHardwareResourcesFn*>(
      platform::FindExport(library, hwiodrv::kPciGetHardwareResources));
  auto* read = reinterpret_cast<MemoryReadFn*>(platform::FindExport(library, hwiodrv::kMemoryRead));
  auto* map = reinterpret_cast<MemoryMapFn*>(platform::FindExport(library, hwiodrv::kMemoryMap));
  ASSERT_TRUE(lookUp && read && map);
  for (uint32_t device : {0x350u, 0x351u, 0x36Eu, 0x36Fu}) {
    uint32_t r1 = 7, r2 = 7, r3 = 7;
    EXPECT_NE(lookUp(0x109E, device, &r1, &r2, &r3), 0);
  }
  EXPECT_EQ(read(0), 0xFFFFFFFFu);  // nothing mapped
  EXPECT_EQ(map(chip.Resource1(), chip.Resource2()), 0u);
  platform::FreeHardwareLibrary(library);
}
