// The channel list window in the running program: opening on the current channel, the row
// buttons with their previews, the editors, "Ok" and "Отмена", and the found list.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "PanelFixture.h"
#include "controls/RxLabel.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CMyMixer.h"
#include "core/CBT848Registers.h"
#include "core/Channels.h"
#include "gui/Colors.h"
#include "gui/CustomEdit.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "support/qt/WidgetInput.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace viewer_test {
namespace {

// Six channels on the built-in stations.
const std::vector<Channel> kSix = {
    {"Sim One", 49.75, 6},  {"Sim Two", 59.25, 3},   {"Sim Three", 77.25, 6},
    {"Sim Four", 175.25, 3}, {"Sim Five", 191.25, 6}, {"Sim Six", 479.25, 3},
};

class ChannelListTest : public PanelTest {
protected:
  // The program on channel `current` (from 0), with the list opened from the panel.
  void openOn(int current, const std::vector<Channel>& channels = kSix) {
    startWith(channels, current);
    Form1->SpeedButton2Click();
  }
  static const std::string& cell(int column, int row) {
    return Form6->Model().Grid().Cell(column, row);
  }
  static int rows() { return Form6->Model().Grid().RowCount() - 1; }
  static std::string tuned() {
    const sim::Station* s = sim::Card().tunedStation();
    return s ? s->name : "";
  }
  static void selectRow(int row) {
    Form6->SetGridRow(row);
    Form6->StringGrid1Click();
  }
};

TEST_F(ChannelListTest, OpensOnTheCurrentChannelAndPreviewsIt) {
  openOn(4);
  EXPECT_TRUE(Form6->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_EQ(rows(), 6);
  EXPECT_EQ(Form6->GridRow(), 5);
  EXPECT_TRUE(Form6->GridMode());
  EXPECT_EQ(tuned(), "Sim Five");
  EXPECT_EQ(Form6->Edit2->Text(), "Sim Five");
  EXPECT_EQ(Form6->ComboBox1->currentIndex(), 6);
  EXPECT_DOUBLE_EQ(Form6->RxSpinEdit1->Value(), 191.25);
  EXPECT_EQ(Form6->ScrollBar1->value(), 19125);
  EXPECT_EQ(Form6->RxSlider1->Value(), 40);
  EXPECT_EQ(Form6->RxSlider3->Value(), 60);
  EXPECT_EQ(cell(kColFreq, 5), "191.25") << "the preview leaves the row as it is";
}

// The grid and the found list as the user works them: a click, and the arrow keys.
TEST_F(ChannelListTest, ClicksAndKeysPreviewTheSelection) {
  openOn(0);
  QTableView* grid = Form6->StringGrid1;
  const QPoint row3 = grid->visualRect(grid->model()->index(2, 2)).center();
  testing_support::PressAt(grid->viewport(), row3);
  testing_support::ReleaseAt(grid->viewport(), row3);
  EXPECT_EQ(Form6->GridRow(), 3);
  EXPECT_EQ(tuned(), "Sim Three");
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(grid, &down);
  EXPECT_EQ(Form6->GridRow(), 4);
  EXPECT_EQ(tuned(), "Sim Four");

  Form6->AppendFound("191.25", -1);
  QListWidget* found = Form6->ListBox1;
  const QPoint entry = found->visualItemRect(found->item(0)).center();
  testing_support::PressAt(found->viewport(), entry);
  testing_support::ReleaseAt(found->viewport(), entry);
  EXPECT_FALSE(Form6->GridMode());
  EXPECT_EQ(tuned(), "Sim Five");
}

TEST_F(ChannelListTest, UpOnTheFirstRowAndDownOnTheLastDoNothing) {
  openOn(0);
  Form6->Button8Click();
  EXPECT_EQ(cell(kColName, 1), "Sim One");
  selectRow(6);
  Form6->Button9Click();
  EXPECT_EQ(cell(kColName, 6), "Sim Six");
  Form6->Button8Click();
  EXPECT_EQ(cell(kColName, 5), "Sim Six");
  EXPECT_EQ(Form6->GridRow(), 5);
}

TEST_F(ChannelListTest, AddOnAnEmptiedGridPreviewsTheNewRow) {
  openOn(0);
  Form6->Button4Click();
  EXPECT_EQ(rows(), 1);
  Form6->Button13Click();
  ASSERT_EQ(rows(), 1);
  EXPECT_DOUBLE_EQ(LeadingNumber(cell(kColFreq, 1)), 40.0);
  EXPECT_EQ(cell(kColSystem, 1), "SECAM");
  EXPECT_EQ(cell(kColHue, 1), "100");
  EXPECT_DOUBLE_EQ(sim::Card().tuner().tunedMHz(), 40.0);
  EXPECT_EQ(Form6->RxSlider1->Value(), 20);
}

TEST_F(ChannelListTest, AllFoundFrequenciesGoBelowTheChannels) {
  std::vector<Channel> ten;
  for (int i = 0; i < 10; ++i) ten.push_back(kSix[size_t(i % 6)]);
  openOn(0, ten);
  for (const char* f : {"615.25", "743.25", "479.25"}) Form6->AppendFound(f, 0);
  Form6->Button3Click();
  ASSERT_EQ(rows(), 13);
  EXPECT_EQ(cell(kColFreq, 11), "615.25");
  EXPECT_EQ(cell(kColFreq, 12), "743.25");
  EXPECT_EQ(cell(kColFreq, 13), "479.25");
  EXPECT_EQ(cell(kColNumber, 13), "13");
  EXPECT_EQ(Form6->GridRow(), 13);
  EXPECT_EQ(tuned(), "Sim Six") << "the new selection is previewed";
}

TEST_F(ChannelListTest, OneFoundFrequencyAndItsPreview) {
  openOn(0);
  Form6->AppendFound("191.25", 0);
  Form6->ListBox1Click();
  EXPECT_FALSE(Form6->GridMode());
  EXPECT_EQ(tuned(), "Sim Five");
  EXPECT_FALSE(Form6->RxSlider2->isEnabled());
  EXPECT_EQ(Form6->Edit2->Text(), "");
  EXPECT_EQ(Form6->ComboBox1->currentIndex(), Form4->ComboBox1->currentIndex());
  Form6->RxSpinEdit1->SetValue(191.5);
  EXPECT_EQ(Form6->FoundEntries(), std::vector<std::string>{"191.5"});
  EXPECT_EQ(cell(kColFreq, 1), "49.75") << "the grid's row stays";
  // Leaving the (empty) name field in found-list mode names no row.
  Form6->Edit2Exit();
  EXPECT_EQ(cell(kColName, 1), "Sim One");
  Form6->Button2Click();
  EXPECT_EQ(rows(), 7);
  EXPECT_EQ(cell(kColFreq, 7), "191.5");
  EXPECT_TRUE(Form6->GridMode());
  Form6->Button5Click();
  EXPECT_TRUE(Form6->FoundEntries().empty());
}

TEST_F(ChannelListTest, DeletingTheOnlyRowAndOkCommitAnEmptyChannel) {
  openOn(0, {kSix[0]});
  Form6->Button1Click();
  EXPECT_EQ(cell(kColFreq, 1), "");
  EXPECT_EQ(cell(kColVolume, 1), "40");
  Form6->Button6Click();
  EXPECT_EQ(NumOfChannels, 1);
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 0);
  EXPECT_EQ(ChannelTable[0].Name, "");
  EXPECT_EQ(ChannelTable[0].System, 0);
  EXPECT_FALSE(Form6->isVisible());
  EXPECT_TRUE(Form1->isVisible());
}

TEST_F(ChannelListTest, DeleteAllAndOkLeaveOneChannel) {
  openOn(2);
  Form6->Button4Click();
  Form6->Button6Click();
  EXPECT_EQ(NumOfChannels, 1);
  EXPECT_EQ(CurChannel, 0);
  EXPECT_EQ(ChannelTable[kAvRow].Name, "Video") << "the input rows come back";
  // The tray lists the committed channels: one item, the separator, the five fixed items.
  EXPECT_EQ(Form1->PopupMenu4->actions().size(), 7);
}

TEST_F(ChannelListTest, TheFrequencyFieldWritesItsShortestText) {
  openOn(1);
  Form6->RxSpinEdit1->SetValue(192.50);
  EXPECT_EQ(cell(kColFreq, 2), "192.5");
  EXPECT_FLOAT_EQ(EditTable[1].Freq, 192.5f);
  EXPECT_EQ(Form6->ScrollBar1->value(), 19250);
  // The scroll bar following the field does not set it back: 100.03 stays 100.03.
  Form6->RxSpinEdit1->SetValue(100.03);
  EXPECT_EQ(cell(kColFreq, 2), "100.03");
  Form6->ScrollBar1->setValue(20000);
  EXPECT_EQ(cell(kColFreq, 2), "200");
}

TEST_F(ChannelListTest, SetForAllLeavesTheCardAlone) {
  openOn(1);
  Form6->RxSlider1->SetValue(55);
  const uint32_t line = LineVol->GetValue();
  selectRow(3);
  const uint32_t lineAfterPreview = LineVol->GetValue();
  EXPECT_NE(lineAfterPreview, line) << "the preview sets the channel's volume";
  selectRow(2);
  sim::Log().clear();
  Form6->SpeedButton2Click();
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(cell(kColVolume, r), "55") << r;
  EXPECT_EQ(Form6->GridRow(), 2);
  EXPECT_EQ(LineVol->GetValue(), line);
  EXPECT_TRUE(sim::Log().events().empty()) << "nothing reached the card";
}

TEST_F(ChannelListTest, CancelKeepsTheTableAndAppliesTheChannelAgain) {
  openOn(3);
  const auto before = ChannelTable;
  Form6->Button1Click();
  Form6->RxSpinEdit1->SetValue(300.0);
  Form6->Button10Click();
  EXPECT_EQ(NumOfChannels, 6);
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(ChannelTable[size_t(r)].Name, before[size_t(r)].Name);
    EXPECT_FLOAT_EQ(ChannelTable[size_t(r)].Freq, before[size_t(r)].Freq);
  }
  EXPECT_EQ(tuned(), "Sim Four");
  EXPECT_FALSE(Form6->isVisible());
  EXPECT_TRUE(Form1->isVisible());
}

TEST_F(ChannelListTest, OkCommitsTheEditsAndTheSelectedChannel) {
  openOn(0);
  selectRow(3);
  Form6->ComboBox1->setCurrentIndex(3);
  Form6->ComboBox1Change();
  Form6->RxSlider4->SetValue(33);
  Form6->Button6Click();
  EXPECT_EQ(ChannelTable[2].System, 3);
  EXPECT_EQ(ChannelTable[2].Hue, 33);
  EXPECT_EQ(CurChannel, 2);
  EXPECT_EQ(tuned(), "Sim Three");
  EXPECT_EQ(Form1->RxLabel4->Caption(), "PAL_BDGHI");
}

// A click previews; it never rewrites the row, even where the editors cannot show its values.
TEST_F(ChannelListTest, ARowClickLeavesTheRowAsItIs) {
  openOn(0, {{"Low", 27.5, 6}, kSix[1]});
  EditTable[0].Volume = 65;
  Form6->Model().Grid().SetCell(kColVolume, 1, "65");
  selectRow(1);
  EXPECT_EQ(cell(kColFreq, 1), "27.50");
  EXPECT_EQ(Form6->RxSlider1->Value(), 65) << "the panel's volume range";
  EXPECT_EQ(cell(kColVolume, 1), "65");
}

TEST_F(ChannelListTest, DuringAScanPreviewsLeaveTheTuner) {
  openOn(0);
  ScanRunning = true;
  selectRow(5);
  EXPECT_EQ(tuned(), "Sim One");
  EXPECT_EQ(Form6->Edit2->Text(), "Sim Five") << "the editors still follow";
  ScanRunning = false;
}

TEST_F(ChannelListTest, OnlyNt4ReappliesTheStandard) {
  openOn(0);
  auto iformWrites = [] {
    int n = 0;
    for (const sim::Event& e : sim::Log().only(sim::Event::Kind::RegWrite))
      if (e.a == bt848::kIform) ++n;
    return n;
  };
  sim::Log().clear();
  Form6->Timer1Timer();
  EXPECT_EQ(iformWrites(), 0);
  IsNT4 = true;
  Form6->Timer1Timer();
  EXPECT_GT(iformWrites(), 0);
}

TEST_F(ChannelListTest, ScanButtonsAndTheCloseBox) {
  openOn(0);
  Form6->Button12Click();
  EXPECT_TRUE(Form4->isVisible());
  Form6->Button6->setEnabled(false);
  Form6->Button11Click();
  EXPECT_TRUE(Form6->Button6->isEnabled());
  Form6->Panel4Click();
  EXPECT_FALSE(Form6->isVisible());
  EXPECT_FALSE(Form4->isVisible());
  EXPECT_TRUE(Form1->isVisible());
}

// Pressed, the caption bar takes the active caption colour with its close box and drags the
// window with the pointer until the release.
TEST_F(ChannelListTest, TheCaptionBarDragsTheWindow) {
  openOn(0);
  const QPoint from = Form6->pos();
  testing_support::PressAt(Form6->Panel3, {5, 6});
  for (QLabel* panel : {Form6->Panel3, Form6->Panel4})
    EXPECT_EQ(panel->palette().color(QPalette::Window), gui::ToQColor(gui::clActiveCaption));
  testing_support::MoveTo(Form6->Panel3, {25, 16});
  EXPECT_EQ(Form6->pos(), from + QPoint(20, 10));
  testing_support::ReleaseAt(Form6->Panel3, {25, 16});
  testing_support::MoveTo(Form6->Panel3, {40, 40});
  EXPECT_EQ(Form6->pos(), from + QPoint(20, 10)) << "the drag has ended";
  EXPECT_TRUE(Form6->isVisible());
}

}  // namespace
}  // namespace viewer_test
