#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CoreState.h"
#include "core/HardwareTables.h"
#include "platform/Profile.h"
#include "support/TempProgramFolder.h"

namespace {

using testing_support::TempProgramFolder;

std::vector<uint32_t> values(const CardRow& r) {
  return {r.Id,      r.VideoMux0, r.VideoMux1, r.VideoMux2, r.VideoMask, r.TonMux0,
          r.TonMux1, r.TonMux2,   r.TonMute,   r.TonMask,   r.OutEn,     r.OutMask};
}
std::vector<uint32_t> values(const TunerRow& r) {
  return {r.Id, r.Address, r.VHFLow, r.VHFHigh, r.UHF, r.Threshold1, r.Threshold2, r.FMStereo,
          r.FMMono};
}
std::vector<uint32_t> values(const TVSystemRow& r) {
  return {r.CropWidth, r.CropHeight, r.TotalWidth, r.DelayA,   r.DelayB,    r.IFormSys, r.IFormXT,
          r.XsfNum,    r.XsfDen,     r.HDelayx1,   r.HActivex1, r.VDelay,   r.CropOffset};
}

TEST(HardwareTables, BuiltInRowsAndNames) {
  for (int i = 0; i < kCardRows; ++i) EXPECT_EQ(CardTable[i].Id, static_cast<uint32_t>(i));
  for (int i = 0; i < kTunerRows; ++i) EXPECT_EQ(TunerTable[i].Id, static_cast<uint32_t>(i));

  using V = std::vector<uint32_t>;
  EXPECT_EQ(values(CardTable[1]), (V{1, 0x40, 0x60, 0x20, 0x60, 0x4, 0xA, 0x9, 0x8, 0xF,
                                     0xFFFFFFFF, 0x0}));
  EXPECT_EQ(values(CardTable[8]), (V{8, 0x40, 0x60, 0x20, 0x60, 0x0, 0x800, 0x400, 0x8DFF00,
                                     0xFFFFFFFF, 0x1800, 0xFFFFFFFF}));
  EXPECT_EQ(values(CardTable[14]), (V{14, 0x40, 0x0, 0x20, 0x60, 0x8, 0xA, 0x9, 0xC, 0xF, 0, 0}));
  EXPECT_EQ(values(CardTable[27]), (V{27, 0x40, 0x60, 0x20, 0x60, 0x20000, 0x1, 0x190000, 0x4,
                                      0xFFFFFFFF, 0x1000023, 0xFFFFFFFF}));
  EXPECT_EQ(values(CardTable[36]), (V{36, 0x40, 0x60, 0x20, 0x60, 0x53FE10, 0x59FE10, 0x59FE10,
                                      0xFFFFFF, 0xFFFFFF, 0xAA0000, 0xFFFFFFFF}));
  EXPECT_EQ(values(TunerTable[1]),
            (V{1, 0xC2, 0x8E02, 0x8E04, 0x8E01, 14025, 46325, 0x8E02, 0x8E02}));
  EXPECT_EQ(values(TunerTable[5]),
            (V{5, 0xC2, 0x8EA0, 0x8E90, 0x8E30, 14025, 46325, 0x8EA5, 0x8EA7}));
  EXPECT_EQ(values(TunerTable[9]),
            (V{9, 0xC0, 0x8EA0, 0x8E90, 0x8E30, 15725, 45125, 0x8EA5, 0x8EA7}));
  EXPECT_EQ(values(TunerTable[20]),
            (V{20, 0xC2, 0x8EA0, 0x8E90, 0x8E30, 15725, 45125, 0x8EA5, 0x8EA7}));
  EXPECT_EQ(values(TVSystemTable[0]),
            (V{800, 576, 1135, 0x7F, 0x72, 3, kXT1, 944, 768, 186, 922, 32, 0}));
  EXPECT_EQ(values(TVSystemTable[1]),
            (V{640, 480, 910, 0x68, 0x5D, 1, kXT0, 780, 640, 135, 754, 22, 0}));
  EXPECT_EQ(values(TVSystemTable[6]),
            (V{768, 576, 1135, 0x7F, 0xB0, 6, kXT1, 944, 768, 186, 922, 32, 0}));
  EXPECT_EQ(values(TVSystemTable[7]),
            (V{922, 576, 1135, 0x7F, 0x72, 3, kXT1, 944, 822, 110, 998, 32, 0}));

  EXPECT_STREQ(CardNames[0], "Custom");
  EXPECT_STREQ(CardNames[8], "VyxVideo 98");
  EXPECT_STREQ(CardNames[22], "Askey/Typhoon/Anubis CPH051/061");
  EXPECT_STREQ(CardNames[36], "PixelView PlayTV PAK");
  EXPECT_STREQ(TunerNames[0], "CUSTOM");
  EXPECT_STREQ(TunerNames[5], "PHILIPS_SECAM1");
  EXPECT_STREQ(TunerNames[20], "LG_NTSC");
  const char* standards[] = {"AUTO",  "NTSC_M", "NTSC_J", "PAL_BDGHI", "PAL_M",
                             "PAL_N", "SECAM",  "PAL_Nc", "CUSTOM",    "FMRADIO"};
  for (int i = 0; i < 10; ++i) EXPECT_STREQ(TVSystemNames[i], standards[i]);
}

class CustomRows : public testing::Test {
protected:
  // The built-in tables, their custom rows zero.
  void SetUp() override { ResetCoreState(); }
  void TearDown() override { ResetCoreState(); }
  void load(const std::string& settings) {
    folder_.write("settings.ini", settings);
    LoadCustomSystem();
    LoadCustomCard();
    LoadCustomTuner();
  }
  TempProgramFolder folder_;
};

TEST_F(CustomRows, MissingSectionsGiveTheDefaults) {
  load("[Common]\r\nCard=0\r\n");
  using V = std::vector<uint32_t>;
  EXPECT_EQ(values(CardTable[0]), (V{0, 0x40, 0x60, 0x20, 0x60, 0x8CE700, 0x8CE700, 0x8CFF00,
                                     0x8CFF00, 0x8DFF00, 0x1800, 0xFFFFFFFF}));
  EXPECT_EQ(values(TunerTable[0]),
            (V{0, 0xC2, 0x8EA0, 0x8E90, 0x8E30, 0x36C9, 0xB4F5, 0x8EA5, 0x8EA7}));
  EXPECT_EQ(values(CustomTVSystem),
            (V{0x300, 0x240, 0x46F, 0x7F, 0xB0, 6, kXT1, 0x3B0, 0x300, 0xB0, 0x39A, 0x20, 0}));
  EXPECT_EQ(values(TVSystemTable[kCustomSystemRow]), values(CustomTVSystem));
}

struct ValueCase {
  const char* section;
  const char* key;
  const char* text;
  uint32_t expected;
};

// The field a case reads, found by its key.
uint32_t fieldOf(const ValueCase& c) {
  const std::string key = c.key;
  if (std::string(c.section) == "CustomCard") {
    const CardRow& r = CardTable[0];
    if (key == "Id") return r.Id;
    if (key == "TonMux0") return r.TonMux0;
    if (key == "OutMask") return r.OutMask;
    if (key == "VideoMux0") return r.VideoMux0;
  } else if (std::string(c.section) == "CustomTuner") {
    if (key == "Id") return TunerTable[0].Id;
    if (key == "Threshold1") return TunerTable[0].Threshold1;
  } else {
    const TVSystemRow& r = TVSystemTable[kCustomSystemRow];
    if (key == "IFormSys") return r.IFormSys;
    if (key == "IFormXT") return r.IFormXT;
    if (key == "DelayA") return r.DelayA;
    if (key == "CropWidth") return r.CropWidth;
    if (key == "XsfNum") return r.XsfNum;
  }
  ADD_FAILURE() << "no field for " << key;
  return 0;
}

TEST_F(CustomRows, ValuesAreReadAsTheRulesSay) {
  const ValueCase cases[] = {
      {"CustomCard", "TonMux0", "8ce700", 0x8CE700},
      {"CustomCard", "TonMux0", "0X8CE700", 0x8CE700},
      {"CustomCard", "TonMux0", " 0x12 junk", 0x12},
      {"CustomCard", "VideoMux0", "zz", 0},
      {"CustomCard", "VideoMux0", "0x", 0},
      {"CustomCard", "OutMask", "0x123456789", 0xFFFFFFFF},
      {"CustomCard", "Id", "0x5", 0},  // the row keeps Id 0
      {"CustomTuner", "Threshold1", "4000", 0x4000},
      {"CustomTuner", "Id", "7", 0},
      {"CustomSystem", "IFormSys", "bt848_iform_pal_m", 4},
      {"CustomSystem", "IFormSys", "BT848_IFORM_AUTO", 0},
      {"CustomSystem", "IFormSys", "BT848_IFORM_NORM", 7},
      {"CustomSystem", "IFormSys", "PAL", 6},
      {"CustomSystem", "IFormSys", "", 6},
      {"CustomSystem", "IFormXT", "XT0", kXT1},
      {"CustomSystem", "IFormXT", "bt848_iform_xt0", kXT0},
      {"CustomSystem", "IFormXT", "BT848_IFORM_XT1", kXT1},
      {"CustomSystem", "DelayA", "0x17F", 0x7F},
      {"CustomSystem", "CropWidth", "0x12345", 0x2345},
      {"CustomSystem", "XsfNum", "FFFFFFFF", 0xFFFFFFFF},
  };
  for (const ValueCase& c : cases) {
    SetUp();
    load(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.text + "\r\n");
    EXPECT_EQ(fieldOf(c), c.expected) << "[" << c.section << "] " << c.key << "=" << c.text;
  }
}

TEST_F(CustomRows, SavedRowsLoadBackTheSame) {
  CardTable[0] = {0, 1, 2, 3, 4, 0xABCDEF, 0x10, 0x20, 0x30, 0xFF, 0x8000, 0xFFFFFFFF};
  TunerTable[0] = {0, 0xC0, 0x8E02, 0x8E04, 0x8E01, 16825, 46325, 0x8E02, 0x8E03};
  CustomTVSystem = {640, 480, 910, 0x68, 0x5D, 4, kXT0, 780, 640, 135, 754, 22, 3};
  const CardRow card = CardTable[0];
  const TunerRow tuner = TunerTable[0];
  const TVSystemRow system = CustomTVSystem;
  SaveCustomCard();
  SaveCustomTuner();
  SaveCustomSystem();

  std::string text = folder_.read("settings.ini");
  EXPECT_NE(text.find("OutMask=0xFFFFFFFF\r\n"), std::string::npos);
  EXPECT_NE(text.find("TonMux0=0xABCDEF\r\n"), std::string::npos);
  EXPECT_NE(text.find("Threshold1=0x41B9\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Id="), std::string::npos);
  const std::string systemSection =
      "[CustomSystem]\r\nCropWidth=0x280\r\nCropHeight=0x1E0\r\nCropOffset=0x3\r\n"
      "TotalWidth=0x38E\r\nDelayA=0x68\r\nDelayB=0x5D\r\nIFormSys=BT848_IFORM_PAL_M\r\n"
      "IFormXT=BT848_IFORM_XT0\r\nXsfNum=0x30C\r\nXsfDen=0x280\r\nHDelayx1=0x87\r\n"
      "HActivex1=0x2F2\r\nVDelay=0x16\r\n";
  EXPECT_NE(text.find(systemSection), std::string::npos) << text;

  SetUp();
  platform::DropProfileCache();
  LoadCustomCard();
  LoadCustomTuner();
  LoadCustomSystem();
  EXPECT_EQ(values(CardTable[0]), values(card));
  EXPECT_EQ(values(TunerTable[0]), values(tuner));
  EXPECT_EQ(values(TVSystemTable[kCustomSystemRow]), values(system));
}

TEST_F(CustomRows, NamesOfUnknownCodesAreWrittenAsTheDefaults) {
  CustomTVSystem.IFormSys = 9;
  CustomTVSystem.IFormXT = 7;
  SaveCustomSystem();
  std::string text = folder_.read("settings.ini");
  EXPECT_NE(text.find("IFormSys=BT848_IFORM_SECAM\r\n"), std::string::npos);
  EXPECT_NE(text.find("IFormXT=BT848_IFORM_XT1\r\n"), std::string::npos);
}

}  // namespace
