// The settings dialog's general pages: what is stored at once and what waits for "Ok", the
// number fields, the OSD font boxes, the TV window options, the skin list and the hot keys.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <filesystem>

#include "controls/Rxcombos.h"
#include "controls/Rxslider.h"
#include "settings/SettingsFixture.h"

namespace {

TEST_F(SettingsDialogTest, NumberFieldsStoreAtOnce) {
  struct Case {
    QLineEdit* TForm7::*edit;
    const char* text;
    uint32_t SettingsBlock::*setting;
    uint32_t expected;
  };
  const Case cases[] = {
      {&TForm7::Edit13, "2500", &SettingsBlock::OSDDelay, 2500},
      {&TForm7::Edit13, "  40ms", &SettingsBlock::OSDDelay, 40},
      {&TForm7::Edit13, "x", &SettingsBlock::OSDDelay, 0},
      {&TForm7::Edit14, "300", &SettingsBlock::RemoteDelay, 300},
      {&TForm7::Edit42, "15", &SettingsBlock::MonitorPowerOffDelay, 15},
      {&TForm7::Edit42, "", &SettingsBlock::MonitorPowerOffDelay, 0xFFFFFF},
      {&TForm7::Edit42, "abc", &SettingsBlock::MonitorPowerOffDelay, 0},
  };
  TForm7& form = dialog();
  for (const Case& c : cases) {
    (form.*c.edit)->setText("99");
    (form.*c.edit)->setText(c.text);
    EXPECT_EQ(Settings.*c.setting, c.expected) << c.text;
  }
}

TEST_F(SettingsDialogTest, CloseKeepsImmediateChangesAndDropsTheOkOnes) {
  TForm7& form = dialog();
  form.show();
  form.Edit13->setText("2500");
  form.CheckBox3->setChecked(true);
  form.ComboBox1->setCurrentIndex(3);
  form.ComboBox2->setCurrentIndex(12);
  form.Edit1->setText("/usr/bin/capture");
  form.RadioGroup1Items->button(1)->click();
  form.CheckBox8->setChecked(true);

  form.Panel3Click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Settings.OSDDelay, 2500u);
  EXPECT_EQ(Settings.SoundOffOnStart, 1);
  EXPECT_EQ(Settings.Tuner, 5u);
  EXPECT_EQ(Settings.Card, 8u);
  EXPECT_EQ(Settings.ExternalSoftName, "");
  EXPECT_EQ(Settings.UseExternalSoft, 0);
  EXPECT_EQ(Settings.WindowStyle, 0x90000000u);
  // The TV window has its frame already.
  ASSERT_FALSE(styles.empty());
  EXPECT_EQ(styles.back(), 0x90040000u);

  form.show();
  form.SpeedButton3Click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Settings.Tuner, 3u);
  EXPECT_EQ(Settings.Card, 12u);
  EXPECT_EQ(Settings.ExternalSoftName, "/usr/bin/capture");
  EXPECT_EQ(Settings.UseExternalSoft, 1);
  EXPECT_EQ(Settings.WindowStyle, 0x90040000u);
}

TEST_F(SettingsDialogTest, ConstructionShowsTheSettingsWithoutApplyingThem) {
  Settings.OSDFontCharset = 129;
  Settings.OSDFontPitch = 3;  // no such item
  Settings.OSDFontWeight = 700;
  Settings.Driver = 2;
  Settings.TvWindowPresent = 0;
  Settings.SideCorrelation = 2;
  TForm7& form = dialog();
  EXPECT_EQ(form.ComboBox6->currentText(), "HANGEUL_CHARSET");
  EXPECT_EQ(form.ComboBox7->currentIndex(), -1);
  EXPECT_EQ(form.ComboBox9->currentText(), "FW_BOLD");
  EXPECT_EQ(form.RadioGroup4Items->checkedId(), 2);
  EXPECT_EQ(form.RadioGroup3Items->checkedId(), 2);
  EXPECT_TRUE(form.CheckBox10->isChecked());
  EXPECT_EQ(form.ListBox1->currentRow(), 8);
  EXPECT_EQ(form.PendingWindowStyle(), 0x90000000u);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(styles.empty());
}

TEST_F(SettingsDialogTest, FontBoxesStoreTheChosenItemsValue) {
  TForm7& form = dialog();
  struct Case {
    QComboBox* TForm7::*box;
    const char* item;
  };
  form.ComboBox6->setCurrentText("RUSSIAN_CHARSET");
  form.ComboBox6->activated(form.ComboBox6->currentIndex());
  EXPECT_EQ(Settings.OSDFontCharset, 204);
  form.ComboBox8->setCurrentText("FF_SCRIPT");
  form.ComboBox8->activated(form.ComboBox8->currentIndex());
  EXPECT_EQ(Settings.OSDFontFamily, 0x40);
  form.ComboBox9->setCurrentIndex(3);
  form.ComboBox9->activated(3);
  EXPECT_EQ(Settings.OSDFontWeight, 300);
  form.ColorComboBox1->SetColorValue(gui::clRed);
  EXPECT_EQ(Settings.OSDFontColor, 0x0000FFu);
  form.Edit37->setText("-40");
  EXPECT_EQ(Settings.OSDFontHeightMax, -40);
}

TEST_F(SettingsDialogTest, NoTvWindowAndBackAgain) {
  TForm7& form = dialog();
  form.CheckBox10->setChecked(true);
  EXPECT_EQ(Settings.TvWindowPresent, 0u);
  EXPECT_EQ(calls, (std::vector<std::string>{"remove", "destroy"}));

  calls.clear();
  form.CheckBox10->setChecked(false);
  EXPECT_EQ(Settings.TvWindowPresent, 1u);
  EXPECT_EQ(calls, (std::vector<std::string>{"create", "install", "reSet"}));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(SettingsDialogTest, FailedTvWindowKeepsTheBoxCheckedAndSaysSo) {
  TForm7& form = dialog();
  form.CheckBox10->setChecked(true);
  createSucceeds = false;
  form.CheckBox10->setChecked(false);
  EXPECT_TRUE(form.CheckBox10->isChecked());
  EXPECT_EQ(Settings.TvWindowPresent, 0u);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].caption, "Error");
}

TEST_F(SettingsDialogTest, HotKeysAreOffWhileTheDialogIsShown) {
  TForm7& form = dialog();
  form.show();
  EXPECT_EQ(calls, (std::vector<std::string>{"remove"}));
  form.hide();
  EXPECT_EQ(calls, (std::vector<std::string>{"remove", "install"}));
}

TEST_F(SettingsDialogTest, SaturationSlidersApplyWithoutTheOsdText) {
  Settings.OSDEnabled = 1;
  TForm7& form = dialog();
  uint8_t osdSeen = 9;
  DialogHooks().applySaturation = [&] { osdSeen = Settings.OSDEnabled; };
  form.RxSliderU->SetValue(120);
  EXPECT_EQ(Settings.SaturationU, 120u);
  EXPECT_EQ(osdSeen, 0);
  EXPECT_EQ(Settings.OSDEnabled, 1);
  form.SpeedButton2Click();
  EXPECT_EQ(Settings.SaturationU, 100u);
  EXPECT_EQ(Settings.SaturationV, 67u);
  EXPECT_EQ(osdSeen, 1);  // "Default" shows it once
}

TEST_F(SettingsDialogTest, SkinFoldersAreFoundInAnyCase) {
  std::filesystem::create_directories(folder.file("SKINS/blue"));
  folder.write("SKINS/blue/SKIN.INI", "[Skin]\n");
  std::filesystem::create_directories(folder.file("SKINS/empty"));
  TForm7& form = dialog();
  form.ListBox2->clear();
  for (const char* name : {"Blue", "empty"}) form.ListBox2->addItem(name);

  form.ListBox2->setCurrentRow(0);
  form.ListBox2Click();
  EXPECT_EQ(Settings.Skin, "Blue");  // as listed, not upper-cased

  form.ListBox2->setCurrentRow(1);
  form.ListBox2Click();
  EXPECT_EQ(Settings.Skin, "none");
}

TEST_F(SettingsDialogTest, ProgramChooserFillsTheField) {
  TForm7& form = dialog();
  answers = {std::string("/opt/tv/teletext")};
  form.SpeedButton4Click();
  EXPECT_EQ(form.Edit41->text(), "/opt/tv/teletext");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].filter, "Exe files|*.exe");
  form.SpeedButton4Click();  // cancelled
  EXPECT_EQ(form.Edit41->text(), "/opt/tv/teletext");
}

TEST_F(SettingsDialogTest, AboutLinksOpenWithTheDesktop) {
  TForm7& form = dialog();
  form.StaticText5Click();
  form.StaticText7Click();
  ASSERT_EQ(SimOpenedLinks().size(), 2u);
  EXPECT_EQ(SimOpenedLinks()[0].rfind("mailto:", 0), 0u);
}

TEST(WindowStyleList, ItemsAndStylesMapBothWays) {
  const auto checked = ItemsOfWindowStyle(0x90040000);
  EXPECT_FALSE(checked[0]);
  EXPECT_TRUE(checked[1]);   // POPUP
  EXPECT_TRUE(checked[4]);   // VISIBLE
  EXPECT_TRUE(checked[kSizeBoxItem]);
  EXPECT_EQ(std::count(checked.begin(), checked.end(), true), 3);
  EXPECT_EQ(WindowStyleOfItems(checked), 0x90040000u);
  // GROUP and MINIMIZEBOX share a bit: either item sets it, both show it.
  std::array<bool, kWindowStyleItems> minimize{};
  minimize[17] = true;
  EXPECT_EQ(WindowStyleOfItems(minimize), 0x00020000u);
  EXPECT_TRUE(ItemsOfWindowStyle(0x00020000)[15]);
}

}  // namespace

namespace {

TEST_F(SettingsDialogTest, SkinAndLanguageNamesKeepTheirLetterCase) {
  std::filesystem::create_directories(folder.file("SKINS/Blue"));
  folder.write("SKINS/Blue/skin.ini", "[Skin]\n");
  Settings.Skin = "bLUE";
  Settings.Language = "english";
  TForm7& form = dialog();
  ASSERT_NE(form.ListBox2->currentItem(), nullptr);
  EXPECT_EQ(form.ListBox2->currentItem()->text(), "Blue");
  EXPECT_EQ(Settings.Skin, "bLUE");
  EXPECT_EQ(Settings.Language, "english");
}

}  // namespace
