// The card-control layer's one reset: every global back to its start, owned objects freed.
#include "core/CoreState.h"

#include <gtest/gtest.h>

#include "core/CBT848.h"
#include "core/CMyMixer.h"
#include "core/TvWindow.h"

namespace {

TEST(CoreState, ResetRestoresEveryGlobalAndFreesWhatItOwns) {
  ResetCoreState();
  Settings.Card = 3;
  CurChannel = 7;
  ChannelTable[5].Name = "five";
  ScheduleTable[1].Enabled = 1;
  PrevFrequency = 10550;
  SoundMuted = true;
  ComActive = true;
  TvHiddenByUser = true;
  CardTable[0].TonMux0 = 0x123;
  CustomTVSystem.CropWidth = 640;
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
  TVSystemTable[3].DelayA = 0;  // a built-in row changed by mistake
  CardDevice = new CBT848;
  InitMixerObjects();

  ResetCoreState();
  EXPECT_EQ(Settings, SettingsBlock{});
  EXPECT_EQ(CurChannel, 1);
  EXPECT_TRUE(ChannelTable[5].Name.empty());
  EXPECT_EQ(ScheduleTable[1].Enabled, 0);
  EXPECT_EQ(PrevFrequency, 0);
  EXPECT_FALSE(SoundMuted);
  EXPECT_FALSE(ComActive);
  EXPECT_FALSE(TvHiddenByUser);
  EXPECT_EQ(CardTable[0].TonMux0, 0u);
  EXPECT_EQ(CustomTVSystem.CropWidth, 0);
  EXPECT_EQ(TVSystemTable[kCustomSystemRow].CropWidth, 0);
  EXPECT_EQ(TVSystemTable[3].DelayA, kBuiltinTVSystemTable[3].DelayA);
  EXPECT_EQ(CardDevice, nullptr);
  EXPECT_EQ(LineVol, nullptr);
  EXPECT_EQ(RecMasterMute, nullptr);
}

}  // namespace
