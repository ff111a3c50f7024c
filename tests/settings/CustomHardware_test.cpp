// The settings dialog's hardware pages: rows shown in hexadecimal, only the custom row editable,
// typed values parsed into it, copies, imports, and the buttons that reach the card.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/CBT848.h"
#include "core/HardwareTables.h"
#include "settings/SettingsFixture.h"

namespace {

// Types `text` into the edit as the user would: its text changes and it reports an edit.
void type(QLineEdit* edit, const QString& text) {
  edit->setText(text);
  emit edit->textEdited(text);
}

TEST_F(SettingsDialogTest, TunerRowsShowInHexAndOnlyTheCustomOneIsEditable) {
  TForm7& form = dialog();
  form.ComboBox1->setCurrentIndex(5);  // PHILIPS_SECAM1
  EXPECT_FALSE(form.TunerEdits[0]->isEnabled());
  EXPECT_EQ(form.TunerEdits[0]->text(), QString::fromStdString("0x" + [] {
              char b[16];
              snprintf(b, sizeof b, "%X", TunerTable[5].Address);
              return std::string(b);
            }()));
  const TunerRow before = TunerTable[0];
  EXPECT_EQ(TunerTable[0].Address, before.Address);  // showing a row changes no row
  form.ComboBox1->setCurrentIndex(0);
  EXPECT_TRUE(form.TunerEdits[0]->isEnabled());
  EXPECT_EQ(Settings.Tuner, 5u);  // choosing is not "Ok"
}

TEST_F(SettingsDialogTest, TypedHexGoesIntoTheCustomRow) {
  struct Case {
    const char* text;
    uint32_t value;
  };
  const Case cases[] = {
      {"c2", 0xC2},       {"  0xC0", 0xC0},  {"0x", 0},          {"junk", 0},
      {"8e9Gx", 0x8E9},   {"123456789", 0xFFFFFFFF},
  };
  TForm7& form = dialog();
  form.ComboBox1->setCurrentIndex(0);
  for (const Case& c : cases) {
    type(form.TunerEdits[0], c.text);
    EXPECT_EQ(TunerTable[0].Address, c.value) << c.text;
  }
  form.ComboBox2->setCurrentIndex(0);
  type(form.CardEdits[9], "0x3");  // OutEn
  EXPECT_EQ(CardTable[0].OutEn, 0x3u);
}

TEST_F(SettingsDialogTest, CopyingCardRowEightChangesRowZeroOnly) {
  const auto before = CardTable;
  TForm7& form = dialog();
  form.ComboBox2->setCurrentIndex(8);
  form.Button5Click();
  CardRow expected = before[8];
  expected.Id = 0;
  EXPECT_EQ(std::memcmp(&CardTable[0], &expected, sizeof expected), 0);
  for (int row = 1; row < kCardRows; ++row)
    EXPECT_EQ(std::memcmp(&CardTable[row], &before[row], sizeof(CardRow)), 0) << row;
}

TEST_F(SettingsDialogTest, StandardEditsChangeTheCustomRecordAndRowEight) {
  TForm7& form = dialog();
  ASSERT_EQ(form.ListBox1->currentRow(), 8);
  type(form.SystemEdits[10], "0x2D0");  // HActivex1
  EXPECT_EQ(CustomTVSystem.HActivex1, 0x2D0);
  EXPECT_EQ(TVSystemTable[8].HActivex1, 0x2D0);
  type(form.SystemEdits[3], "0x1FF");  // DelayA is one byte: the low bits stay
  EXPECT_EQ(CustomTVSystem.DelayA, 0xFF);

  struct Case {
    int item;
    uint8_t xt;
  };
  for (const Case c : {Case{0, kXT0}, Case{1, kXT1}, Case{0, kXT0}}) {
    form.ComboBox3->setCurrentIndex(c.item);
    form.ComboBox3->activated(c.item);
    EXPECT_EQ(CustomTVSystem.IFormXT, c.xt);
    EXPECT_EQ(TVSystemTable[8].IFormXT, c.xt);
  }
}

TEST_F(SettingsDialogTest, CopyingAStandardTakesWhatIsShown) {
  TForm7& form = dialog();
  form.ListBox1->setCurrentRow(3);  // PAL_BDGHI
  EXPECT_FALSE(form.SystemEdits[0]->isEnabled());
  form.Button10Click();
  EXPECT_EQ(CustomTVSystem.CropWidth, TVSystemTable[3].CropWidth);
  EXPECT_EQ(CustomTVSystem.IFormXT, TVSystemTable[3].IFormXT);
  EXPECT_EQ(CustomTVSystem.IFormSys, TVSystemTable[3].IFormSys);
  EXPECT_EQ(TVSystemTable[8].XsfNum, TVSystemTable[3].XsfNum);
}

TEST_F(SettingsDialogTest, TestAppliesTheCustomTimingWithoutSaving) {
  CardDevice = new CBT848;
  CardDevice->Open({Settings.Tuner, Settings.Card});
  ASSERT_TRUE(CardDevice->IsOpen());
  TForm7& form = dialog();
  sim::Log().clear();
  form.Button2Click();
  EXPECT_FALSE(sim::Log().events().empty());
  EXPECT_FALSE(folder.exists("settings.ini"));
  form.Button1Click();  // "Принять" saves
  EXPECT_NE(folder.read("settings.ini").find("[CustomSystem]"), std::string::npos);
}

TEST_F(SettingsDialogTest, TestWithoutAnOpenCardTouchesNothing) {
  CardDevice = new CBT848;  // never opened
  TForm7& form = dialog();
  sim::Log().clear();
  form.Button2Click();
  form.ComboBox10->setCurrentIndex(1);
  form.ComboBox10->activated(1);
  EXPECT_EQ(Settings.PLL, 1u);
  EXPECT_TRUE(sim::Log().events().empty());
}

TEST_F(SettingsDialogTest, WriteCardOpensANewCardWithTheChosenRows) {
  CardDevice = new CBT848;
  CardDevice->Open({Settings.Tuner, Settings.Card});
  TForm7& form = dialog();
  form.ComboBox2->setCurrentIndex(12);
  form.Button3Click();
  EXPECT_EQ(Settings.Card, 12u);
  ASSERT_NE(CardDevice, nullptr);
  EXPECT_TRUE(CardDevice->IsOpen());
  EXPECT_EQ(CardDevice->CardIndex(), 12u);
  EXPECT_EQ(calls, (std::vector<std::string>{"reSet"}));
  EXPECT_NE(folder.read("settings.ini").find("[CustomCard]"), std::string::npos);
}

TEST_F(SettingsDialogTest, TunerImportAsksAgainForAnotherKindOfFile) {
  folder.write("a.TUN", "[Params]\nVHFLow=0x8EA0\nThreshold1=1600\n");
  answers = {folder.file("notes.txt"), folder.file("a.TUN")};
  TForm7& form = dialog();
  form.ComboBox1->setCurrentIndex(0);
  form.Button7Click();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].defaultExtension, "tun");
  EXPECT_EQ(requests[0].filter, "Tuner config|*.tun");
  EXPECT_EQ(TunerTable[0].VHFLow, 0x8EA0u);
  EXPECT_EQ(TunerTable[0].Threshold1, 1600u);
  EXPECT_EQ(TunerTable[0].FMStereo, 0x8EA5u);
  EXPECT_EQ(form.TunerEdits[1]->text(), "0x8EA0");  // the custom row shown again
  EXPECT_FALSE(folder.exists("settings.ini"));
}

TEST_F(SettingsDialogTest, CardImportWithoutPllInitDisablesThePll) {
  Settings.PLL = 1;
  folder.write("c.crd", "[Settings]\nGPIO_OUT_EN=0x3\n");
  answers = {folder.file("c.crd")};
  TForm7& form = dialog();
  form.Button8Click();
  EXPECT_EQ(Settings.PLL, 3u);
  EXPECT_EQ(form.ComboBox10->currentText(), "disabled");
  EXPECT_EQ(CardTable[0].OutEn, 0x3u);
  EXPECT_EQ(CardTable[0].OutMask, 0xFFFFFFFFu);

  const CardRow kept = CardTable[0];
  form.Button8Click();  // cancelled: nothing changes
  EXPECT_EQ(std::memcmp(&CardTable[0], &kept, sizeof kept), 0);
}

}  // namespace
