// The panel's tool buttons: the windows they open, the full-screen resolution, the teletext
// program and the external capture program.
#include <QApplication>
#include <QComboBox>
#include <QToolButton>

#include <thread>

#include "PanelFixture.h"
#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "sim/SimProcesses.h"
#include "sim/SimSystemLog.h"
#include "viewer/Clist.h"
#include "viewer/OsdWindow.h"
#include "viewer/Schu.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

constexpr const char* kCaptureProgram = "/opt/capture/grab";

TEST_F(PanelTest, FullScreenButtonCyclesTheResolutions) {
  startWithChannels(1);
  struct Case {
    int from, to;
    const char* caption;
  };
  const Case cases[] = {{1, 2, "400 x 300"}, {4, 5, "Не менять"}, {5, 1, "320 x 240"},
                        {0, 1, "320 x 240"}};
  for (const Case& c : cases) {
    Settings.FullScreen = c.from;
    Form1->SpeedButton1Click();
    EXPECT_EQ(Settings.FullScreen, c.to) << "from " << c.from;
    EXPECT_EQ(Form1->SpeedButton1->text(), QString::fromUtf8(c.caption));
    EXPECT_FALSE(FullScreenOn);
  }
}

TEST_F(PanelTest, WindowButtonsOpenTheirWindowsInsteadOfThePanel) {
  startWithChannels(3, 2);
  Form1->SpeedButton4Click();
  EXPECT_TRUE(Form2->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(SchedulerRefillPending);
  Form2->hide();

  Form1->show();
  Form1->SpeedButton3Click();
  EXPECT_TRUE(Form3->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(CaptureFormShown);
  EXPECT_EQ(Form3->pos(), QPoint((DisplayWidth - Form3->width()) / 2,
                                 DisplayHeight - Form3->height() - 30));
  Form3->hide();

  Form1->show();
  ChannelTable[kAvRow].Name = "Video in";
  Form1->SpeedButton2Click();
  EXPECT_TRUE(Form6->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_EQ(Form6->GridRow(), 3) << "the current channel's row";
  EXPECT_EQ(InputRowStash[0].Name, "Video in");
  EXPECT_EQ(InputRowStash[1].Name, ChannelTable[kSvhsRow].Name);
  Form6->hide();

  Form1->show();
  Form1->SpeedButton5Click();
  EXPECT_TRUE(Form7->isVisible());
  EXPECT_TRUE(Form1->isVisible()) << "the settings dialog leaves the panel";
}

TEST_F(PanelTest, CaptureWindowsSourceLineGoesThroughTheSettingsDialog) {
  startWithChannels(3, 2);
  Form3->ComboBox4->setCurrentIndex(2);  // "Line"
  Form3->ComboBox4Change();
  EXPECT_EQ(Settings.SoundConnector, 2u);
  EXPECT_EQ(Form7->ComboBox5->currentIndex(), 2);
}

TEST_F(PanelTest, TeletextProgramStartsAndAFailureIsNotReported) {
  writeSetting("TeletextSoftName", "/opt/tt/viewer -big");
  startWithChannels(1);
  sim::Processes().install("/opt/tt/viewer");
  Form1->SpeedButton6Click();
  ASSERT_EQ(sim::Processes().processes().size(), 1u);
  EXPECT_EQ(sim::Processes().processes()[0].arguments, std::vector<std::string>{"-big"});
  Settings.TeletextSoftName = "/nowhere/tt";
  Form1->SpeedButton6Click();
  EXPECT_TRUE(boxes_->shown().empty());
}

class ExternalProgramTest : public PanelTest {
protected:
  void startWithProgram(const std::string& program) {
    writeSetting("UseExternalSoft", "1");
    writeSetting("ExternalSoftName", program);
    writeSetting("SoundOffOnStart", "1");
    startWithChannels(2, 1);
    sim::Processes().install(kCaptureProgram);
  }
  // The waiter enables the button on this thread once the program has ended: wait for it
  // without a time limit.
  static void waitForTheButton() {
    while (!Form1->SpeedButton3->isEnabled()) {
      QCoreApplication::processEvents();
      std::this_thread::yield();
    }
  }
};

TEST_F(ExternalProgramTest, ProgramGetsTheCardUntilItEnds) {
  startWithProgram(kCaptureProgram);
  Form1->RxSlider9->SetValue(40);
  Form1->SpeedButton3Click();
  EXPECT_EQ(SavedMasterVolume, 40);
  EXPECT_FALSE(TvScreenWindow) << "the TV window lets the card go";
  EXPECT_FALSE(Form1->SpeedButton3->isEnabled());
  EXPECT_EQ(MasterMute->GetValue(), 1u) << "sound off while the program starts";
  const std::vector<sim::SimProcess> started = sim::Processes().processes();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, kCaptureProgram);
  EXPECT_FALSE(Form3->isVisible());

  // The channel is applied again twice, a second apart, without blocking the GUI.
  EXPECT_TRUE(Form1->ExternalSettle.Enabled());
  EXPECT_EQ(Form1->ExternalSettle.Interval(), 1000u);
  Form1->Label1->SetCaption("");
  Form1->ExternalSettle.OnTimer()(&Form1->ExternalSettle);
  EXPECT_EQ(Form1->Label1->Caption(), "C2");
  EXPECT_TRUE(Form1->ExternalSettle.Enabled());
  Form1->ExternalSettle.OnTimer()(&Form1->ExternalSettle);
  EXPECT_FALSE(Form1->ExternalSettle.Enabled());

  Form1->Timer1Timer();
  EXPECT_FALSE(TvScreenWindow) << "nothing while the program runs";
  sim::Processes().end(started[0].id);
  waitForTheButton();
  Form1->Timer1Timer();
  ASSERT_TRUE(TvScreenWindow);
  EXPECT_TRUE(TvScreenWindow->driverConnected());
  EXPECT_EQ(TvScreenWindow->parentWidget(), nullptr) << "the taskbar option applies again";
  EXPECT_TRUE(TvScreenWindow->windowFlags() & Qt::WindowStaysOnTopHint) << "and stay on top";
  EXPECT_EQ(MasterMute->GetValue(), 0u);
  EXPECT_EQ(MasterVol->GetValue(), 40000u);
}

TEST_F(ExternalProgramTest, ProgramThatDoesNotStartSaysFileNotFound) {
  startWithProgram("/opt/missing/capture");
  Form1->SpeedButton3Click();
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_EQ(boxes_->shown()[0].text, "File not found");
  EXPECT_EQ(boxes_->shown()[0].caption, "/opt/missing/capture");
  EXPECT_TRUE(Form1->SpeedButton3->isEnabled());
  EXPECT_TRUE(ExternalProgramEnded.load());
  EXPECT_FALSE(Form1->ExternalSettle.Enabled());
  Form1->Timer1Timer();
  ASSERT_TRUE(TvScreenWindow) << "the TV window comes back";
  EXPECT_TRUE(TvScreenWindow->driverConnected());
  ASSERT_TRUE(OsdChannelWindow);
  EXPECT_EQ(OsdChannelWindow->text(), "C2");
}

}  // namespace
}  // namespace viewer_test
