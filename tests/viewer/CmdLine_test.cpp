// The command line's switches: how arguments read, what the start-up tick does with the last
// switch, and the program itself started with one.
#include <QCheckBox>
#include <QMenu>

#include "ChildProgram.h"
#include "PanelFixture.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "platform/Profile.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuCmdLine.h"

namespace viewer_test {
namespace {

using Args = std::vector<std::string>;

TEST(CmdLine, TheLastWholeSwitchWins) {
  struct Case {
    Args args;
    int32_t mode;
    int32_t row;
  };
  const Case cases[] = {
      {{}, kCmdNone, -1},
      {{"/s", "-m"}, kCmdSoundOff, -1},
      {{"-m", "/S"}, kCmdSoundOffHidden, -1},
      {{"-X"}, kCmdFullScreen, -1},
      {{"/c3"}, kCmdChannel, 2},
      {{"-C9"}, kCmdChannel, 8},
      {{"/c12"}, kCmdChannel, 0},
      {{"/c0"}, kCmdChannel, -1},
      {{"/t", "/c"}, kCmdChannel, -1},
      {{"/?", "-w", "-d"}, kCmdDebug, -1},
      {{"/h", "/r"}, kCmdReverse, -1},
      {{"-t", "/H", "-W"}, kCmdHidePanel, -1},
      // Words and paths with a '-' or '/' in them are no switches.
      {{"my-show", "/home/user/tv-data/-d", "-cool", "-dd", "/c1x", "-", "/", "x/t"},
       kCmdNone, -1},
      {{"/x", "my-show", "/tmp/x"}, kCmdFullScreen, -1},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + " ";
    const CmdLineSwitch s = ParseCmdLine(c.args);
    EXPECT_EQ(s.mode, c.mode) << shown;
    EXPECT_EQ(s.row, c.row) << shown;
  }
}

class CmdLineTest : public PanelTest {
protected:
  void tick(const Args& args) {
    ProgramArguments = args;
    Form1->Timer4Timer();
  }
  // The next case on a program started afresh (in the same program folder).
  void restart() {
    TearDown();
    SetUp();
  }
};

TEST_F(CmdLineTest, TheChannelSwitchSelectsAUsedRowOfTheFirstNine) {
  struct Case {
    const char* arg;
    int row;
  };
  // Three channels from the start channel 1 (row 0).
  const Case cases[] = {{"/c3", 2}, {"/c12", 0}, {"/c0", 0}, {"/c", 0}, {"/c4", 0}, {"/c9", 0}};
  for (const Case& c : cases) {
    startWithChannels(3);
    tick({c.arg});
    EXPECT_EQ(CmdLineMode, kCmdChannel) << c.arg;
    EXPECT_EQ(CurChannel, c.row) << c.arg;
    EXPECT_EQ(Form1->Label1->Caption(), "C" + std::to_string(c.row + 1)) << c.arg;
    EXPECT_TRUE(Form1->PopupMenu4->actions()[c.row]->isChecked()) << c.arg;
    restart();
  }
}

TEST_F(CmdLineTest, SoundAndWindowSwitches) {
  struct Case {
    Args args;
    bool soundOn;
    bool panelShown;
    bool tvShown;
  };
  const Case cases[] = {
      {{}, true, true, true},
      {{"/s"}, false, false, false},
      {{"/s", "-m"}, false, true, true},
      {{"/h"}, true, false, false},
      {{"-w"}, true, false, true},
      {{"/?"}, true, true, true},
  };
  for (const Case& c : cases) {
    startWithChannels(2);
    tick(c.args);
    const std::string name = c.args.empty() ? "no switch" : c.args.back();
    EXPECT_EQ(Form1->CheckBox3->isChecked(), c.soundOn) << name;
    EXPECT_EQ(SoundMuted, !c.soundOn) << name;
    EXPECT_EQ(Form1->Image15->Picture().Bitmap().Image(),
              (c.soundOn ? Form1->ImageC : Form1->ImageN)->Picture().Bitmap().Image())
        << name << ": the sound glyph";
    EXPECT_EQ(Form1->isVisible(), c.panelShown) << name;
    EXPECT_EQ(TvScreenWindow->isVisible(), c.tvShown) << name;
    EXPECT_FALSE(Form1->Timer4.Enabled()) << name << ": the tick runs once";
    restart();
  }
}

TEST_F(CmdLineTest, FullScreenStayOnTopReverseAndDebug) {
  startWithChannels(2);
  Settings.FullScreen = 5;  // the desktop's size: no display-mode change
  tick({"-X"});
  EXPECT_EQ(CmdLineMode, kCmdFullScreen);
  EXPECT_TRUE(FullScreenOn);
  EXPECT_FALSE(Form1->isVisible());
  restart();

  writeSetting("StayOnTop", "0");
  startWithChannels(2);
  tick({"/t"});
  EXPECT_TRUE(Form1->CheckBox4->isChecked());
  EXPECT_EQ(Settings.StayOnTop, 1);
  tick({"-r"});
  EXPECT_EQ(Settings.Reverse, 1);
  tick({"-D"});
  EXPECT_TRUE(DebugConsole);
  EXPECT_EQ(CmdLineMode, kCmdDebug);
}

TEST_F(CmdLineTest, TheTickHidesThePanelWhenStartedWithout) {
  writeSetting("HideCP", "1");
  startWithChannels(2);
  Form1->Label3->SetCaption("Volume - 50%");
  tick({});
  EXPECT_EQ(CmdLineMode, kCmdNone);
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(PanelHidden);
  EXPECT_EQ(Form1->Label3->Caption(), "") << "the OSD value text is cleared";
}

// The program started with switches: its start-up tick reads them (and not its own path), and
// the reversed arrow keys are stored at exit.
TEST(CmdLineProgram, TheProgramReadsItsSwitches) {
  testing_support::TempProgramFolder folder;
  folder.write("channels.ini",
               "[Common]\nCurrentChannel=1\nNumOfChannels=1\n"
               "[TVCnl1]\nFreq=49.75\nSystem=SECAM\nName=Sim One\n");
  QProcess vyx;
  ASSERT_NO_FATAL_FAILURE(RunChildProgram(
      vyx, ChildProgramEnvironment(folder.path(), QString::fromStdString(folder.file("shot.png")),
                                   400),
      {"-t", "/R", "my-show"}));
  EXPECT_EQ(vyx.exitCode(), 0) << vyx.readAllStandardError().toStdString();
  platform::DropProfileCache();
  EXPECT_EQ(platform::GetProfileString(folder.file("settings.ini"), "Common", "Reverse", ""), "1");
}

}  // namespace
}  // namespace viewer_test
