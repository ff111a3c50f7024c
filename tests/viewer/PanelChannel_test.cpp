// The panel's channel, input, standard and frequency controls on the running program.
#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "PanelFixture.h"
#include "controls/RxLabel.h"
#include "controls/Rxspin.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "gui/CustomEdit.h"
#include "gui/UpDown.h"
#include "sim/Bt848Card.h"
#include "sim/SimTuner.h"
#include "viewer/Clist.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace viewer_test {
namespace {

using gui::btNext;
using gui::btPrev;

TEST_F(PanelTest, ChannelStepsWrapRoundTheList) {
  startWithChannels(10);
  struct Case {
    int from;
    gui::TUDBtnType button;
    int to;
  };
  const Case cases[] = {{9, btNext, 0}, {0, btPrev, 9}, {4, btNext, 5}, {4, btPrev, 3},
                        // A start channel beyond the list steps back into it.
                        {20, btNext, 0}, {20, btPrev, 9}};
  for (const Case& c : cases) {
    CurChannel = c.from;
    Form1->UpDown1Click(c.button);
    EXPECT_EQ(CurChannel, c.to) << "from row " << c.from << (c.button == btNext ? " next" : " prev");
    EXPECT_EQ(Form1->Label1->Caption(), "C" + std::to_string(c.to + 1));
  }
  CurChannel = 9;
  Form1->Image21Click();
  EXPECT_EQ(CurChannel, 0) << "the mini image steps up";
  Form1->Image22Click();
  EXPECT_EQ(CurChannel, 9) << "the mini image steps down";
}

TEST_F(PanelTest, AnEmptyListLeavesTheChannelAlone) {
  writeChannels({});
  ASSERT_EQ(start(), 0);
  const int before = CurChannel;
  for (gui::TUDBtnType b : {btPrev, btNext, btPrev}) {
    Form1->UpDown1Click(b);
    EXPECT_EQ(CurChannel, before);
  }
  EXPECT_GE(CurChannel, 0);
}

TEST_F(PanelTest, OnTheAvRowStepsFrequencyAndListDoNothingButTheStandardCycles) {
  startWithChannels(3);
  Form1->RxLabel6Click();  // "AV"
  ASSERT_EQ(CurChannel, kAvRow);
  ChannelTable[kAvRow].System = 8;
  const float freq = ChannelTable[kAvRow].Freq;
  Form1->UpDown1Click(btNext);
  Form1->UpDown1Click(btPrev);
  Form1->Image21Click();
  Form1->Image22Click();
  Form1->RxSpeedButton9Click();
  Form1->RxSpeedButton10Click();
  Form1->SpeedButton2Click();
  EXPECT_EQ(CurChannel, kAvRow);
  EXPECT_EQ(ChannelTable[kAvRow].Freq, freq);
  EXPECT_FALSE(Form6->isVisible()) << "no channel list";
  EXPECT_TRUE(Form1->isVisible());

  Form1->RxLabel4Click();
  EXPECT_EQ(ChannelTable[kAvRow].System, 9);
  EXPECT_EQ(Form1->RxLabel4->Caption(), "FMRADIO");
  Form1->RxLabel4Click();
  EXPECT_EQ(ChannelTable[kAvRow].System, 0) << "after FMRADIO comes AUTO";
  EXPECT_EQ(Form1->RxLabel4->Caption(), "AUTO");
}

TEST_F(PanelTest, RadioChannelLeavesFullScreenAndTheNextTvChannelEntersItAgain) {
  writeSetting("FullScreen", "NO_CHANGES");
  startWith({kOneStation, kRadioStation, kFiveStation});
  SetFullScreen(1);
  ASSERT_TRUE(FullScreenOn);
  Form1->UpDown1Click(btNext);
  EXPECT_EQ(CurChannel, 1);
  EXPECT_FALSE(FullScreenOn);
  EXPECT_TRUE(RadioLeftFullScreen);
  Form1->UpDown1Click(btNext);
  EXPECT_EQ(CurChannel, 2);
  EXPECT_TRUE(FullScreenOn);
  EXPECT_FALSE(RadioLeftFullScreen);
  EXPECT_TRUE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
  SetFullScreen(0);
}

TEST_F(PanelTest, InputCycleReturnsToTheSavedTunerRow) {
  sim::Card().setAvConnected(true);
  sim::Card().setSvhsConnected(true);
  startWith({kOneStation, kOneStation, kFiveStation});
  CurChannel = 2;
  Form1->ReSet();
  ASSERT_EQ(Form1->Label10->Caption(), "191.25");

  struct Step {
    int row;
    const char* input;
    sim::VideoInput mux;
    const char* display;
  };
  const Step steps[] = {{kAvRow, "AV", sim::VideoInput::Composite, "00.00"},
                        {kSvhsRow, "SVHS", sim::VideoInput::SVideo, "00.00"},
                        {2, " TV", sim::VideoInput::Tuner, "191.25"}};
  for (const Step& s : steps) {
    Form1->RxLabel6Click();
    const bool tuner = s.row < kAvRow;
    EXPECT_EQ(CurChannel, s.row) << s.input;
    EXPECT_EQ(Form1->RxLabel6->Caption(), s.input);
    EXPECT_EQ(sim::Card().videoInput(), s.mux) << s.input;
    EXPECT_EQ(Form1->Label10->Caption(), s.display) << s.input;
    EXPECT_EQ(Form1->RxSpinEdit1->isEnabled(), tuner) << s.input;
    EXPECT_EQ(Form1->RxLabel1->isVisibleTo(Form1), tuner) << s.input;
    if (!tuner) {
      EXPECT_EQ(Form1->RxSpinEdit1->Value(), 0) << s.input;
    }
  }
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Five");
}

TEST_F(PanelTest, StandardMenuItemsPickTheirStandards) {
  startWithChannels(1);
  const QList<QAction*> items = Form1->PopupMenu2->actions();
  const int standards[] = {0, 1, 2, 3, 4, 5, 7, 6, 8, 9};
  ASSERT_EQ(items.size(), int(std::size(standards)));
  for (int i = 0; i < items.size(); ++i) {
    items[i]->trigger();
    EXPECT_EQ(ChannelTable[0].System, standards[i]) << items[i]->objectName().toStdString();
    EXPECT_EQ(Form1->RxLabel4->Caption(), TVSystemNames[size_t(standards[i])]);
    EXPECT_EQ(items[i]->text().toStdString(), TVSystemNames[size_t(standards[i])]);
  }
  // The menu opens on the standard label.
  EXPECT_EQ(Form1->RxLabel4->contextMenuPolicy(), Qt::CustomContextMenu);
  emit Form1->RxLabel4->customContextMenuRequested(QPoint(2, 2));
  EXPECT_TRUE(Form1->PopupMenu2->isVisible());
  Form1->PopupMenu2->hide();
}

TEST_F(PanelTest, FrequencyFieldTunesAndStoresExceptDuringAScan) {
  startWith({kOneStation});
  Form1->RxSpinEdit1->SetValue(191.25);
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 191.25f);
  EXPECT_EQ(Form1->Label10->Caption(), "191.25");
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Five");

  Form1->RxSpeedButton9Click();
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 191.26f);
  Form1->RxSpeedButton10Click();
  Form1->RxSpeedButton10Click();
  EXPECT_EQ(Form1->Label10->Caption(), "191.24");

  // A running scan tunes by itself: the field only shows its steps.
  ScanRunning = true;
  Form1->RxSpinEdit1->SetValue(49.75);
  ScanRunning = false;
  EXPECT_EQ(Form1->Label10->Caption(), "49.75");
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 191.24f);
}

TEST_F(PanelTest, ManualEntryReadsTheNumberTyped) {
  startWith({kOneStation});
  struct Case {
    const char* typed;
    double mhz;
  };
  const Case cases[] = {{"191,25", 191.25}, {"1200", 999}, {"abc", 0}, {" 49.75 MHz", 49.75}};
  for (const Case& c : cases) {
    Form1->RxSpinEdit1DblClick();
    EXPECT_FALSE(Form1->RxSpinEdit1->isVisibleTo(Form1));
    EXPECT_EQ(Form1->Edit3->pos(), Form1->RxSpinEdit1->pos());
    EXPECT_EQ(Form1->Edit3->selectedText(), Form1->Edit3->text()) << "the text is selected";
    EXPECT_FALSE(Form1->UpDown1->isEnabled());
    Form1->Edit3->SetText(c.typed);
    uint16_t key = gui::VK_RETURN;
    Form1->Edit3KeyDown(key, 0);
    EXPECT_DOUBLE_EQ(Form1->RxSpinEdit1->Value(), c.mhz) << c.typed;
    EXPECT_FLOAT_EQ(ChannelTable[0].Freq, float(c.mhz)) << c.typed;
    EXPECT_TRUE(Form1->RxSpinEdit1->isVisibleTo(Form1));
    EXPECT_TRUE(Form1->UpDown1->isEnabled());
    EXPECT_EQ(Form1->Edit3->pos(), QPoint(Form1->width() + 100, Form1->height() + 100));
  }
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim One");

  // Other keys leave the entry open; a double click ends it too.
  Form1->RxSpinEdit1DblClick();
  Form1->Edit3->SetText("191.25");
  uint16_t key = 'A';
  Form1->Edit3KeyDown(key, 0);
  EXPECT_FALSE(Form1->RxSpinEdit1->isVisibleTo(Form1));
  Form1->Edit3DblClick();
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Five");
}

TEST(LeadingNumber, OnlyPlainDecimalNumbersCount) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {{"191.25", 191.25}, {"  7", 7},     {"12abc", 12},   {".5", 0.5},
                        {"5.", 5},          {"-3.5", -3.5}, {"+2", 2},       {"1e2", 100},
                        {"1e", 1},          {"1.2.3", 1.2}, {"", 0},         {"-", 0},
                        {".", 0},           {"inf", 0},     {"nan", 0},      {"0x1A", 0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST_F(PanelTest, ChannelButtonsShowNormalHoverAndPressedPictures) {
  startWithChannels(3);
  gui::TImage* up = Form1->Image3;
  gui::TImage* down = Form1->Image4;
  ASSERT_NE(pictureOf(Form1->Image9), pictureOf(Form1->Image6)) << "the states look different";
  EXPECT_EQ(pictureOf(up), pictureOf(Form1->Image9));
  EXPECT_EQ(pictureOf(down), pictureOf(Form1->Image10));

  Form1->Image3MouseMove(0, 3, 3);
  EXPECT_EQ(pictureOf(up), pictureOf(Form1->Image6)) << "hover";
  Form1->Image4MouseMove(0, 3, 3);
  EXPECT_EQ(pictureOf(down), pictureOf(Form1->Image8)) << "hover";
  EXPECT_EQ(pictureOf(up), pictureOf(Form1->Image9)) << "the other button back to normal";

  Form1->Image4MouseDown(gui::mbLeft, 0, 3, 3);
  EXPECT_EQ(pictureOf(down), pictureOf(Form1->Image7)) << "pressed";
  EXPECT_EQ(CurChannel, 2) << "down from the first channel: the last";
  Form1->Image4MouseUp(gui::mbLeft, 0, 3, 3);
  EXPECT_EQ(pictureOf(down), pictureOf(Form1->Image8));
  Form1->Image3MouseDown(gui::mbLeft, 0, 3, 3);
  EXPECT_EQ(pictureOf(up), pictureOf(Form1->Image5)) << "pressed";
  EXPECT_EQ(CurChannel, 0);

  Form1->Image2MouseMove(0, 100, 100);
  EXPECT_EQ(pictureOf(up), pictureOf(Form1->Image9));
  EXPECT_EQ(pictureOf(down), pictureOf(Form1->Image10));
  EXPECT_FALSE(ChannelUpHovered || ChannelDownHovered);
}

}  // namespace
}  // namespace viewer_test
