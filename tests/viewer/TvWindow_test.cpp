// The TV window around the running program: Set34, the full-screen modes, the housekeeping tick
// and the TV window's rebuilding after an external capture program.
#include <QAction>
#include <QApplication>
#include <QToolButton>

#include <memory>
#include <thread>

#include "ProgramFixture.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "platform/ProcessLauncher.h"
#include "sim/SimDesktop.h"
#include "sim/SimProcesses.h"
#include "sim/SimSystemLog.h"
#include "sim/SimVideoDevices.h"
#include "viewer/Clist.h"
#include "viewer/OsdWindow.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

using sim::SimScreenMode;
using sim::SystemEvent;

class TvWindowTest : public ProgramTest {
protected:
  void startWith(const std::string& fullScreen) {
    writeSetting("FullScreen", fullScreen);
    writeChannels({kOneStation, kRadioStation});
    ASSERT_EQ(start(), 0);
  }
  static std::vector<SystemEvent> modeSets() {
    return sim::SystemLog().only(SystemEvent::Kind::ModeSet);
  }
};

TEST_F(TvWindowTest, Set34StoresTheRectangleAndForcesTheAspect) {
  startWith("NO_CHANGES");
  struct Case {
    int side;
    int height;
  };
  for (const Case& c : {Case{0, 300}, Case{1, 257}, Case{2, 225}}) {
    Settings.SideCorrelation = c.side;
    TvScreenWindow->setGeometry(30, 40, 400, 100);
    Form1->Set34();
    EXPECT_EQ(Settings.TVposX, 30);
    EXPECT_EQ(Settings.TVposY, 40);
    EXPECT_EQ(Settings.TVsizeX, 400);
    EXPECT_EQ(Settings.TVsizeY, c.height) << "side correlation " << c.side;
    EXPECT_EQ(TvScreenWindow->geometry(), QRect(30, 40, 400, c.height));
  }
}

TEST_F(TvWindowTest, FullScreenButtonCaptionsAndSizes) {
  startWith("NO_CHANGES");
  struct Case {
    int mode;
    QString caption;
    int width, height;
  };
  const Case cases[] = {{1, "320 x 240", 320, 240},
                        {2, "400 x 300", 400, 300},
                        {3, "640 x 480", 640, 480},
                        {4, "800 x 600", 800, 600},
                        {5, QString::fromUtf8("Не менять"), 1024, 768}};
  for (const Case& c : cases) {
    Settings.FullScreen = c.mode;
    ShowFullScreenMode();
    EXPECT_EQ(Form1->SpeedButton1->text(), c.caption) << "mode " << c.mode;
    EXPECT_EQ(FsWidth, c.width) << "mode " << c.mode;
    EXPECT_EQ(FsHeight, c.height) << "mode " << c.mode;
  }
  Settings.FullScreen = 0;
  ShowFullScreenMode();
  EXPECT_EQ(Form1->SpeedButton1->text(), QString::fromUtf8("Не менять")) << "0 changes nothing";
  EXPECT_EQ(FsWidth, 1024);
}

TEST_F(TvWindowTest, DesktopSizeOnlyMaximisesTheWindow) {
  startWith("NO_CHANGES");
  const QRect normal = TvScreenWindow->geometry();
  SetFullScreen(1);
  EXPECT_TRUE(FullScreenOn);
  EXPECT_TRUE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
  EXPECT_TRUE(modeSets().empty());
  SetFullScreen(0);
  EXPECT_FALSE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(TvScreenWindow->geometry(), QRect(normal.topLeft(), QSize(normal.width(),
                                                                      normal.width() * 3 / 4)));
}

TEST_F(TvWindowTest, LowerResolutionChangesTheDisplayAndBack) {
  startWith("640x480");
  Form1->move(120, 130);
  SetFullScreen(1);
  EXPECT_EQ(sim::Desktop().currentMode(), (SimScreenMode{640, 480, 60}));
  EXPECT_TRUE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
  EXPECT_TRUE(TvScreenWindow->driverConnected());
  Form1->move(0, 0);
  SetFullScreen(0);
  EXPECT_EQ(sim::Desktop().currentMode(), (SimScreenMode{1024, 768, 60}));
  EXPECT_EQ(Form1->pos(), QPoint(120, 130)) << "the panel goes back";
  EXPECT_TRUE(TvScreenWindow->driverConnected());
  EXPECT_FALSE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
}

TEST_F(TvWindowTest, ModeIsRestoredEvenWhenTheChoiceChangedMeanwhile) {
  startWith("640x480");
  SetFullScreen(1);
  ASSERT_EQ(sim::Desktop().currentMode(), (SimScreenMode{640, 480, 60}));
  Settings.FullScreen = 5;  // the full-screen button cycled while full screen was on
  ShowFullScreenMode();
  SetFullScreen(0);
  EXPECT_EQ(sim::Desktop().currentMode(), (SimScreenMode{1024, 768, 60}));
}

TEST_F(TvWindowTest, WithoutModeChangesFullScreenOnlyMaximises) {
  sim::Desktop().setModeChangePossible(false);
  startWith("640x480");
  SetFullScreen(1);
  EXPECT_TRUE(modeSets().empty());
  EXPECT_TRUE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
  SetFullScreen(0);
  EXPECT_FALSE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
}

TEST_F(TvWindowTest, RadioChannelRefusesFullScreenButLeavesIt) {
  startWith("NO_CHANGES");
  SetFullScreen(1);
  CurChannel = 1;  // the FM row
  Form1->ReSet();
  SetFullScreen(0);
  EXPECT_FALSE(FullScreenOn);
  SetFullScreen(1);
  EXPECT_FALSE(FullScreenOn);
  EXPECT_FALSE(TvScreenWindow->windowState() & Qt::WindowFullScreen);
}

TEST_F(TvWindowTest, WithoutTvWindowFullScreenAndTheTickDoNothingHarmful) {
  writeSetting("TvWindowPresent", "0");
  startWith("640x480");
  SetFullScreen(1);
  SetFullScreen(0);
  Form1->Timer1Timer();
  EXPECT_EQ(sim::Desktop().currentMode(), (SimScreenMode{1024, 768, 60}));
  EXPECT_FALSE(TvScreenWindow);
}

TEST_F(TvWindowTest, TrayRestoreItemsAreDisabledWhileADialogIsOpen) {
  startWith("NO_CHANGES");
  Form6->show();
  Form1->Timer1Timer();
  EXPECT_FALSE(Form1->Restore1->isEnabled());
  EXPECT_FALSE(Form1->Restorecontrolbox1->isEnabled());
  EXPECT_TRUE(Form1->RestoreTV->isEnabled());
  Form6->hide();
  Form1->Timer1Timer();
  EXPECT_TRUE(Form1->Restore1->isEnabled());
}

TEST_F(TvWindowTest, TvWindowIsRebuiltAfterTheExternalProgramEnds) {
  writeSetting("UseExternalSoft", "1");
  startWith("NO_CHANGES");
  // The test runs the panel's housekeeping tick itself: the timer's own tick would take the
  // program's end (and rebuild the window) whenever the machine is slow enough to let it fire.
  Form1->Timer1.SetEnabled(false);
  sim::Processes().install("/opt/capture/grab");
  std::shared_ptr<platform::LaunchedProcess> process =
      platform::ProcessLauncher::current().start("/opt/capture/grab");
  ASSERT_TRUE(process);
  // What the panel's capture button does before it starts the waiter.
  DestroyTvWindow();
  Form1->SpeedButton3->setEnabled(false);
  Form1->hide();
  sim::VideoDevices().clearCaptureEvents();
  StartExternalProgramWaiter(process);

  Form1->Timer1Timer();
  EXPECT_FALSE(TvScreenWindow) << "nothing happens while the program runs";

  sim::Processes().end(process->id());
  // The waiter raises the flag on its own thread and then has the button enabled on this one;
  // wait for both without a time limit.
  while (!Form1->SpeedButton3->isEnabled()) {
    QCoreApplication::processEvents();
    std::this_thread::yield();
  }
  EXPECT_TRUE(ExternalProgramEnded.load());
  Form1->Timer1Timer();
  ASSERT_TRUE(TvScreenWindow);
  // The new window connects the driver and overlays the picture, at the default preview rate.
  EXPECT_EQ(sim::VideoDevices().captureEvents(),
            (std::vector<sim::SimCaptureEvent>{{sim::SimCaptureEvent::Kind::Open, 0},
                                               {sim::SimCaptureEvent::Kind::Stream, 0, 0}}));
  EXPECT_TRUE(TvScreenWindow->overlay());
  ASSERT_TRUE(OsdChannelWindow);
  EXPECT_EQ(OsdChannelWindow->geometry(), QRect(15, 5, 200, 20));
  EXPECT_EQ(OsdChannelWindow->id(), 10006);
  EXPECT_EQ(OsdChannelWindow->text(), "Sim One") << "the channel is applied again";
  EXPECT_FALSE(ExternalProgramEnded.load());
}

}  // namespace
}  // namespace viewer_test
