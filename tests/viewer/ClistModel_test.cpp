// The channel list's grid and its rules without the window: the grid functions, the row
// operations and their bounds, on the working copy EditTable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Channels.h"
#include "viewer/ClistModel.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/ViewerState.h"
#include "viewer/Vyxu.h"

namespace {

class ChannelListModelTest : public ::testing::Test {
protected:
  void SetUp() override { viewer::ResetProgramState(); }
  void TearDown() override { viewer::ResetProgramState(); }

  // `count` channels "N1".. at 100 + row MHz, SECAM, values 10 + row.
  static void fillTable(int count) {
    for (int row = 0; row < count; ++row) {
      ChannelRecord& r = ChannelTable[size_t(row)];
      r.Used = 1;
      r.Freq = 100.0f + float(row);
      r.System = 6;
      r.Name = "N" + std::to_string(row + 1);
      r.Volume = r.Brightness = r.Contrast = r.Hue = r.Saturation = uint8_t(10 + row);
    }
    NumOfChannels = count;
  }
  // The grid's names, row by row.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int r = 1; r < model_.Grid().RowCount(); ++r)
      out.push_back(model_.Grid().Cell(kColName, r));
    return out;
  }

  ChannelListModel model_;
  NewRowDefaults defaults_;
};

TEST_F(ChannelListModelTest, RevertShowsTheUsedChannelsWithoutTheInputRows) {
  fillTable(3);
  ChannelTable[kAvRow] = ChannelTable[0];  // a used "AV" row is not a channel of the grid
  model_.Revert();
  const ChannelGrid& g = model_.Grid();
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Cell(kColNumber, 3), "3");
  EXPECT_EQ(g.Cell(kColFreq, 1), "100.00");
  EXPECT_EQ(g.Cell(kColName, 2), "N2");
  EXPECT_EQ(g.Cell(kColSystem, 1), "SECAM");
  EXPECT_EQ(g.Cell(kColSaturation, 3), "12");
  EXPECT_EQ(EditCount, 3);
}

TEST_F(ChannelListModelTest, GridToEditTableReadsEveryColumn) {
  ChannelGrid g;
  g.SetRowCount(3);
  const std::vector<std::string> row1 = {"1", "191.25", "News", "PAL_BDGHI", "30", "40", "50", "60", "70"};
  const std::vector<std::string> row2 = {"2", "abc", "X", "PAL", "300", "", "7x", "-1", "8"};
  for (int c = 0; c < kGridColumns; ++c) {
    g.SetCell(c, 1, row1[size_t(c)]);
    g.SetCell(c, 2, row2[size_t(c)]);
  }
  GridToEditTable(g);
  EXPECT_EQ(EditCount, 2);
  const ChannelRecord& a = EditTable[0];
  EXPECT_EQ(a.Used, 1);
  EXPECT_FLOAT_EQ(a.Freq, 191.25f);
  EXPECT_EQ(a.Name, "News");
  EXPECT_EQ(a.System, 3);
  EXPECT_EQ(a.Volume, 30);
  EXPECT_EQ(a.Saturation, 70);
  const ChannelRecord& b = EditTable[1];
  EXPECT_FLOAT_EQ(b.Freq, 0) << "no number reads as 0";
  EXPECT_EQ(b.System, 0) << "an unknown standard reads as AUTO";
  EXPECT_EQ(b.Volume, 300 & 0xFF) << "stored as a byte";
  EXPECT_EQ(b.Brightness, 0);
  EXPECT_EQ(b.Contrast, 7);
  EXPECT_EQ(EditTable[2].Used, 0);
  EXPECT_EQ(StandardOfName("PAL"), kNoStandard) << "the row click sees no standard";
}

// The table keeps 254 channels (its last two rows are the inputs) and names of 259 bytes.
TEST_F(ChannelListModelTest, GridToEditTableKeepsTheTableBounds) {
  ChannelGrid g;
  g.SetRowCount(300);
  for (int r = 1; r < 300; ++r) g.SetCell(kColFreq, r, "50");
  g.SetCell(kColName, 1, std::string(400, 'n'));
  EditTable[kAvRow].Name = "AV";
  GridToEditTable(g);
  EXPECT_EQ(EditCount, kMaxTunerChannels);
  EXPECT_EQ(EditTable[0].Name.size(), kMaxChannelName);
  EXPECT_EQ(EditTable[kMaxTunerChannels - 1].Used, 1);
  EXPECT_EQ(EditTable[kAvRow].Used, 0);
  EXPECT_EQ(EditTable[kAvRow].Name, "");
}

TEST_F(ChannelListModelTest, MovesStopAtTheEnds) {
  fillTable(3);
  model_.Revert();
  model_.Grid().SetRow(1);
  EXPECT_FALSE(model_.MoveUp());
  model_.Grid().SetRow(3);
  EXPECT_FALSE(model_.MoveDown());
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N2", "N3"}));
  EXPECT_TRUE(model_.MoveUp());
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N3", "N2"}));
  EXPECT_EQ(model_.Grid().Row(), 2);
  EXPECT_EQ(model_.Grid().Cell(kColNumber, 2), "2") << "numbers stay";
  EXPECT_EQ(EditTable[1].Name, "N3") << "the working copy follows";
}

TEST_F(ChannelListModelTest, AddOnAnEmptyGridGivesOneRowWithTheDefaults) {
  fillTable(2);
  model_.Revert();
  model_.DeleteAll();
  ASSERT_TRUE(model_.AddRow(defaults_.lowerLimit, defaults_));
  const ChannelGrid& g = model_.Grid();
  ASSERT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.Cell(kColNumber, 1), "1");
  EXPECT_EQ(LeadingNumber(g.Cell(kColFreq, 1)), 40.0);
  EXPECT_EQ(g.Cell(kColName, 1), "");
  EXPECT_EQ(g.Cell(kColSystem, 1), "SECAM");
  const std::vector<std::string> values = {"20", "50", "70", "100", "70"};
  for (int v = 0; v < kChannelValues; ++v) EXPECT_EQ(g.Cell(kColVolume + v, 1), values[size_t(v)]);
  EXPECT_EQ(EditCount, 1);
}

TEST_F(ChannelListModelTest, AllFoundFrequenciesAreAppendedInOrder) {
  fillTable(10);
  model_.Revert();
  ASSERT_TRUE(model_.AddRows({"191.25", "479.25", "615.25"}, defaults_));
  const ChannelGrid& g = model_.Grid();
  ASSERT_EQ(g.RowCount(), 14);
  EXPECT_EQ(g.Cell(kColNumber, 11), "11");
  EXPECT_EQ(g.Cell(kColFreq, 11), "191.25");
  EXPECT_EQ(g.Cell(kColFreq, 13), "615.25");
  EXPECT_EQ(g.Row(), 13);
  EXPECT_EQ(EditCount, 13);

  model_.DeleteAll();
  ASSERT_TRUE(model_.AddRows({"191.25", "479.25"}, defaults_));
  EXPECT_EQ(model_.Grid().RowCount(), 3) << "the empty row goes";
  EXPECT_EQ(model_.Grid().Cell(kColFreq, 1), "191.25");
  EXPECT_EQ(model_.Grid().Cell(kColNumber, 2), "2");
}

// The grid never holds more channels than the table keeps.
TEST_F(ChannelListModelTest, AddsStopAt254Channels) {
  fillTable(252);
  model_.Revert();
  EXPECT_TRUE(model_.AddRows({"50", "51", "52", "53"}, defaults_));
  EXPECT_EQ(model_.Channels(), kMaxTunerChannels);
  EXPECT_FALSE(model_.AddRow("40", defaults_));
  EXPECT_EQ(model_.Grid().RowCount(), kMaxTunerChannels + 1);
}

TEST_F(ChannelListModelTest, DeletingTheOnlyRowEmptiesItButKeepsItsValues) {
  fillTable(1);
  model_.Revert();
  model_.Delete();
  const ChannelGrid& g = model_.Grid();
  ASSERT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cell(kColFreq, 1), "");
  EXPECT_EQ(g.Cell(kColName, 1), "");
  EXPECT_EQ(g.Cell(kColSystem, 1), "");
  EXPECT_EQ(g.Cell(kColVolume, 1), "10");
  model_.Commit();
  EXPECT_EQ(NumOfChannels, 1);
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 0);
  EXPECT_EQ(ChannelTable[0].Name, "");
  EXPECT_EQ(ChannelTable[0].System, 0);
  EXPECT_EQ(ChannelTable[0].Volume, 10);
}

// The kept rows are written back in the grid's formats; the working copy follows at once, so
// that an edit of the new selection lands in its own row.
TEST_F(ChannelListModelTest, DeleteRewritesTheRowsAndTheWorkingCopyFollows) {
  fillTable(4);
  model_.Revert();
  model_.Grid().SetCell(kColFreq, 3, "102.5");
  model_.Grid().SetCell(kColSystem, 3, "PAL");
  model_.Grid().SetRow(2);
  model_.Delete();
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N3", "N4"}));
  EXPECT_EQ(model_.Grid().Cell(kColFreq, 2), "102.50");
  EXPECT_EQ(model_.Grid().Cell(kColSystem, 2), "AUTO");
  EXPECT_EQ(model_.Grid().Row(), 2) << "the row below moves into the selection";
  EXPECT_EQ(model_.Grid().Cell(kColNumber, 3), "3");
  EXPECT_EQ(EditTable[1].Name, "N3");
  EXPECT_EQ(EditCount, 3);
  model_.SetName("Renamed");
  EXPECT_EQ(EditTable[1].Name, "Renamed");

  model_.Grid().SetRow(3);
  model_.Delete();
  EXPECT_EQ(model_.Grid().Row(), 2) << "deleting the last row selects the one above";
}

TEST_F(ChannelListModelTest, DeleteAllThenCommitGivesOneEmptyChannel) {
  fillTable(5);
  model_.Revert();
  model_.DeleteAll();
  EXPECT_EQ(EditCount, 5) << "not changed by the delete";
  model_.Commit();
  EXPECT_EQ(NumOfChannels, 1);
  EXPECT_EQ(ChannelTable[0].Used, 1);
  EXPECT_EQ(ChannelTable[1].Used, 0);
}

TEST_F(ChannelListModelTest, CommitRestoresTheInputRowsAndSelectsTheCurrentChannel) {
  fillTable(3);
  InputRowStash[0].Name = "AV in";
  InputRowStash[1].Name = "SVHS in";
  model_.Revert();
  model_.Grid().SetRow(3);
  model_.SetName("Third");
  model_.Commit();
  EXPECT_EQ(ChannelTable[2].Name, "Third");
  EXPECT_EQ(CurChannel, 2);
  EXPECT_EQ(ChannelTable[kAvRow].Name, "AV in");
  EXPECT_EQ(ChannelTable[kSvhsRow].Name, "SVHS in");
}

TEST_F(ChannelListModelTest, SetForAllCopiesTheSelectedValue) {
  fillTable(4);
  model_.Revert();
  model_.Grid().SetRow(2);
  model_.SetForAll(kVolume);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(model_.Grid().Cell(kColVolume, r), "11") << r;
  EXPECT_EQ(model_.Grid().Cell(kColHue, 1), "10") << "only that value";
  EXPECT_EQ(model_.Grid().Row(), 2);
}

TEST_F(ChannelListModelTest, EditsCutNamesAndNameStandards) {
  fillTable(1);
  model_.Revert();
  model_.SetName(std::string(300, 'x'));
  EXPECT_EQ(EditTable[0].Name.size(), kMaxChannelName);
  EXPECT_EQ(model_.Grid().Cell(kColName, 1).size(), kMaxChannelName);
  model_.SetSystem(9);
  EXPECT_EQ(model_.Grid().Cell(kColSystem, 1), "FMRADIO");
  model_.SetFrequencyText("192.5");
  EXPECT_FLOAT_EQ(EditTable[0].Freq, 192.5f);
  model_.SetValue(kContrast, 65);
  EXPECT_EQ(EditTable[0].Contrast, 65);
  EXPECT_EQ(model_.Grid().Cell(kColContrast, 1), "65");
}

}  // namespace
