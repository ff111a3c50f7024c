// Tuner and card description files: the keys each reads, in which base, their defaults, the
// fixed values, the PLL check, and the file kinds by extension.
#include <gtest/gtest.h>

#include "settings/HardwareImport.h"
#include "support/TempProgramFolder.h"

namespace {

using testing_support::TempProgramFolder;

TEST(HardwareImport, TunerFileFillsTheRowInItsBases) {
  TempProgramFolder folder;
  folder.write("philips.tun",
               "[Params]\r\nI2CAddress=c2\r\nVHFLow=0x8EA0\r\nVHFHigh= 0x8E90\r\n"
               "UHF=8E30\r\nThreshold1=1600\r\nThreshold2=4540\r\n");
  TunerRow row{};
  row.Id = 0;
  row.FMStereo = 1;
  hardware_import::ReadTuner(hardware_import::FileReader(folder.file("philips.tun")), row);
  EXPECT_EQ(row.Address, 0xC2u);
  EXPECT_EQ(row.VHFLow, 0x8EA0u);
  EXPECT_EQ(row.VHFHigh, 0x8E90u);
  EXPECT_EQ(row.UHF, 0x8E30u);
  EXPECT_EQ(row.Threshold1, 1600u);  // decimal, not 0x1600
  EXPECT_EQ(row.Threshold2, 4540u);
  EXPECT_EQ(row.FMStereo, 0x8EA5u);
  EXPECT_EQ(row.FMMono, 0x8EA7u);
}

TEST(HardwareImport, FileWithoutTheSectionImportsTheDefaults) {
  TempProgramFolder folder;
  folder.write("empty.tun", "[Other]\nVHFLow=0x1234\n");
  folder.write("empty.crd", "");
  TunerRow tuner{0, 1, 2, 3, 4, 5, 6, 7, 8};
  hardware_import::ReadTuner(hardware_import::FileReader(folder.file("empty.tun")), tuner);
  EXPECT_EQ(tuner.Address, 0u);
  EXPECT_EQ(tuner.VHFLow, 0u);
  EXPECT_EQ(tuner.Threshold2, 0u);

  CardRow card{0, 11, 12, 13, 14, 1, 2, 3, 4, 5, 6, 7};
  const uint32_t pll =
      hardware_import::ReadCard(hardware_import::FileReader(folder.file("empty.crd")), card);
  EXPECT_EQ(pll, 3u);  // no PLLInit: the PLL is left alone
  EXPECT_EQ(card.TonMux0, 0u);
  EXPECT_EQ(card.OutEn, 0u);
  EXPECT_EQ(card.OutMask, 0xFFFFFFFFu);
  // The video words are not in the file and stay.
  EXPECT_EQ(card.VideoMux0, 11u);
  EXPECT_EQ(card.VideoMux2, 13u);
  EXPECT_EQ(card.VideoMask, 14u);
}

TEST(HardwareImport, CardFileKeysGoToTheirFields) {
  TempProgramFolder folder;
  folder.write("card.crd",
               "[settings]\ngpio_out_en=0x3\nGPIO_DATA_SOUND_TUNER=0x10\nGPIO_DATA_SOUND_OFF=0x20\n"
               "GPIO_DATA_SOUND_EXT=0x30\nGPIO_DATA_SOUND_RADIO=0x40\nGPIO_DATA_SOUND_MASK=0xF0\n"
               "PLLInit=1\n");
  CardRow card{};
  const uint32_t pll =
      hardware_import::ReadCard(hardware_import::FileReader(folder.file("card.crd")), card);
  EXPECT_EQ(card.OutEn, 0x3u);
  EXPECT_EQ(card.TonMux0, 0x10u);
  EXPECT_EQ(card.TonMute, 0x20u);
  EXPECT_EQ(card.TonMux1, 0x30u);
  EXPECT_EQ(card.TonMux2, 0x40u);
  EXPECT_EQ(card.TonMask, 0xF0u);
  EXPECT_EQ(pll, 1u);
}

TEST(HardwareImport, OutOfRangeValuesAreCheckedAsSettingsAre) {
  struct Case {
    const char* pllInit;
    const char* outEn;
    uint32_t pll;
    uint32_t outEnValue;
  };
  const Case cases[] = {
      {"2", "0x1", 2, 0x1},
      {"4", "junk", 3, 0},                  // a PLL mode past 3 reads as "leave alone"
      {"0xFFFFFFFFFF", "0x123456789", 3, 0xFFFFFFFF},  // past 32 bits saturates
  };
  for (const Case& c : cases) {
    const hardware_import::KeyReader read = [&c](const char*, const char* key, const char* def) {
      if (std::string(key) == "PLLInit") return std::string(c.pllInit);
      if (std::string(key) == "GPIO_OUT_EN") return std::string(c.outEn);
      return std::string(def);
    };
    CardRow card{};
    EXPECT_EQ(hardware_import::ReadCard(read, card), c.pll) << c.pllInit;
    EXPECT_EQ(card.OutEn, c.outEnValue) << c.outEn;
  }
}

TEST(HardwareImport, ExtensionsCompareInAnyCase) {
  struct Case {
    const char* path;
    bool tun;
  };
  const Case cases[] = {
      {"/a/b/philips.tun", true}, {"/a/b/PHILIPS.TUN", true}, {"x.Tun", true},
      {"/a/b/philips.txt", false}, {"/a/b.tun/philips", false}, {"tun", false},
      {"/a/b/philips.tuner", false}, {"/a/b/philips.", false},
  };
  for (const Case& c : cases) EXPECT_EQ(hardware_import::HasExtension(c.path, "tun"), c.tun) << c.path;
}

}  // namespace
