// The remote control on the simulated card's receiver: the key table, what each key does, the
// repeat delays, the mouse mode with its clicks, and the poll's pauses.
#include <QCheckBox>

#include "RemoteFixture.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/CustomLabel.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "sim/SimPointer.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace viewer_test {
namespace {

using sim::PointerAction;
using sim::PointerButton;
using sim::PointerEvent;

// The button events the emulation asked for, in order.
std::vector<std::pair<PointerButton, PointerAction>> clicks() {
  std::vector<std::pair<PointerButton, PointerAction>> out;
  for (const PointerEvent& e : sim::Pointer().events())
    if (e.kind == PointerEvent::Kind::Button) out.push_back({e.button, e.action});
  return out;
}

TEST_F(RemoteTest, RemoteIniGivesTheDecodingAndTheKeyTable) {
  writeSetting("MouseStep", "3");
  startWithRemote();
  EXPECT_EQ(NeedToReset, 1u) << "default";
  EXPECT_EQ(ShiftBT, 0x10);
  EXPECT_EQ(Mask1, 0xFF);
  EXPECT_EQ(Mask2, 0x80);
  EXPECT_EQ(Settings.RemoteDelay, kDelay);
  EXPECT_EQ(Settings.MouseStep, 7) << "remote.ini's MouseStep wins over settings.ini's";
  EXPECT_EQ(RemoteKeyTable[14], 0x8E);  // CHNLUP

  // Without [KeyCodesTV] every entry is 0xFF, and a reading of 255 (no marker bit) is NONE.
  folder_.write("remote.ini", "[Remote]\n");
  platform::DropProfileCache();
  LoadRemoteParams();
  LoadRemoteKeyCodes();
  EXPECT_EQ(ShiftBT, 0x03);
  EXPECT_EQ(Mask1, 0x3F);
  for (uint16_t code : RemoteKeyTable) EXPECT_EQ(code, 0xFF);
  EXPECT_EQ(TranslateRemoteCode(0xFF), kRemoteNone);

  // The first of two equal entries wins; a code of no entry is NONE's number too.
  writeRemote({{"VOLUP", 0x85}, {"CHNLUP", 0x85}});
  platform::DropProfileCache();
  LoadRemoteKeyCodes();
  EXPECT_EQ(TranslateRemoteCode(0x85), kRemoteChannelUp) << "CHNLUP comes first in the table";
  EXPECT_EQ(TranslateRemoteCode(0x86), kRemoteNone);
}

// Each key's action, one poll each, the repeat delay let pass in between.
TEST_F(RemoteTest, EachKeyActsOnThePanel) {
  startWithRemote(5);
  struct Case {
    const char* key;
    std::function<bool()> acted;
  };
  const int volume = Form1->RxSlider9->Value();
  const double mhz = Form1->RxSpinEdit1->Value();
  const uint8_t system = ChannelTable[0].System;
  const Case cases[] = {
      {"CHNLUP", [] { return CurChannel == 1; }},
      {"CHNLDN", [] { return CurChannel == 0; }},
      {"NUM3", [] { return CurChannel == 2; }},
      {"NUM0", [] { return CurChannel == 2; }},  // channel key 10: no such row
      {"NUM1", [] { return CurChannel == 0; }},
      {"VOLUP", [&] { return Form1->RxSlider9->Value() == volume + 1; }},
      {"VOLDN", [&] { return Form1->RxSlider9->Value() == volume; }},
      {"FREQPLUS", [&] { return std::abs(Form1->RxSpinEdit1->Value() - mhz - 0.01) < 1e-6; }},
      {"FREQMINUS", [&] { return std::abs(Form1->RxSpinEdit1->Value() - mhz) < 1e-6; }},
      {"VIDEO", [&] { return ChannelTable[0].System == (system + 1) % 10; }},
      {"MUTE", [] { return !Form1->CheckBox3->isChecked(); }},
      {"SOURCE", [] { return CurInput == 1 && CurChannel == kAvRow; }},
      {"BUTTON1", [] { return CurChannel == kAvRow; }},
      {"FULLSCREEN", [] { return FullScreenOn; }},
      {"FULLSCREEN", [] { return !FullScreenOn; }},
      {"MOUSEMODE", [] { return MouseMode && Form1->Label2->Caption() == "Mouse mode on"; }},
      {"MOUSEMODE", [] { return !MouseMode && Form1->Label2->Caption() == "Mouse mode off"; }},
  };
  for (const Case& c : cases) {
    press(c.key);
    EXPECT_TRUE(c.acted()) << c.key;
    waitMs(kDelay);
  }
}

TEST_F(RemoteTest, PowerKeyQuits) {
  startWithRemote();
  hold("POWER");
  try {
    poll();
    ADD_FAILURE() << "POWER did not quit";
  } catch (const viewer::ProcessExited& e) {
    EXPECT_EQ(e.exitCode, 0);
  }
}

// A held key repeats after its delay, D, D / 3 or D / 5; the poll skips meanwhile and nothing
// waits on the GUI thread.
TEST_F(RemoteTest, HeldKeysRepeatAfterTheirDelays) {
  startWithRemote(20);
  struct Case {
    const char* key;
    uint32_t delay;
    std::function<int()> count;
  };
  const Case cases[] = {
      {"MOUSEMODE", kDelay, [] { return int(MouseMode); }},
      {"CHNLUP", kDelay / 3, [] { return CurChannel; }},
      {"VOLUP", kDelay / 5, [] { return Form1->RxSlider9->Value(); }},
      {"FREQPLUS", kDelay / 5, [] { return int(Form1->RxSpinEdit1->Value() * 100 + 0.5); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    waitMs(kDelay);
    hold(c.key);
    const int before = c.count();
    const uint64_t sleptBefore = sim::Clock().monotonicMs();
    poll();
    const int first = c.count();
    EXPECT_NE(first, before);
    // The action itself may wait for the tuner; the key's own delay never does.
    const bool tunes = std::string(c.key) == "CHNLUP" || std::string(c.key) == "FREQPLUS";
    if (!tunes) {
      EXPECT_EQ(sim::Clock().monotonicMs(), sleptBefore) << "nothing slept";
    }
    waitMs(c.delay - 1);
    poll();
    EXPECT_EQ(c.count(), first) << "still in the delay";
    waitMs(1);
    poll();
    EXPECT_NE(c.count(), first) << "repeated";
    release();
  }
}

TEST_F(RemoteTest, MouseModeMovesTheCursorInsteadOfChangingChannels) {
  startWithRemote(5);
  press("MOUSEMODE");
  waitMs(kDelay);
  sim::Pointer().userMove({100, 100});
  struct Case {
    const char* key;
    sim::PointerPos at;
  };
  const Case cases[] = {{"NUM3", {107, 93}},  {"NUM3", {114, 86}}, {"NUM7", {107, 93}},
                        {"NUM4", {100, 93}},  {"NUM0", {100, 93}}, {"NUM5", {512, 384}},
                        {"NUM9", {519, 391}}, {"NUM2", {519, 384}}};
  for (const Case& c : cases) {
    press(c.key);  // no repeat delay in mouse mode
    EXPECT_EQ(sim::Pointer().position(), c.at) << c.key;
  }
  EXPECT_EQ(CurChannel, 0);
}

TEST_F(RemoteTest, CancelClicksAtTheSixteenthIdlePoll) {
  startWithRemote();
  press("MOUSEMODE");
  waitMs(kDelay);
  press("CANCEL");
  EXPECT_TRUE(LeftClickArmed);
  for (int i = 1; i <= 15; ++i) poll();
  EXPECT_TRUE(clicks().empty());
  poll();
  using P = std::pair<PointerButton, PointerAction>;
  EXPECT_EQ(clicks(), (std::vector<P>{{PointerButton::Left, PointerAction::Down},
                                      {PointerButton::Left, PointerAction::Up}}));
  EXPECT_FALSE(LeftClickArmed);
  EXPECT_EQ(LeftClickCount, 0);
}

// Pressed again 6 to 14 idle polls after arming, the key adds a double click before the click.
TEST_F(RemoteTest, SecondPressSoonAfterAddsADoubleClick) {
  using P = std::pair<PointerButton, PointerAction>;
  struct Case {
    const char* key;
    PointerButton button;
    int idle;  // idle polls before the second press
    bool doubleClick;
  };
  const Case cases[] = {{"CANCEL", PointerButton::Left, 5, false},
                        {"CANCEL", PointerButton::Left, 6, true},
                        {"ENTER", PointerButton::Right, 14, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " after " + std::to_string(c.idle));
    TearDown();
    SetUp();
    startWithRemote();
    press("MOUSEMODE");
    waitMs(kDelay);
    press(c.key);
    for (int i = 0; i < c.idle; ++i) poll();
    press(c.key);
    for (int i = 0; i < 16; ++i) poll();
    std::vector<P> expected;
    if (c.doubleClick) expected.push_back({c.button, PointerAction::DoubleClick});
    expected.push_back({c.button, PointerAction::Down});
    expected.push_back({c.button, PointerAction::Up});
    EXPECT_EQ(clicks(), expected);
  }
}

TEST_F(RemoteTest, ClickKeysDoNothingOutsideMouseMode) {
  startWithRemote();
  press("CANCEL");
  press("ENTER");
  for (int i = 0; i < 20; ++i) poll();
  EXPECT_TRUE(clicks().empty());
}

// A failed chip object throws on every register read: the poll and the no-signal check go on
// quietly.
TEST_F(RemoteTest, FailedCardIsPolledQuietly) {
  writeSetting("MonitorPowerOffIfNoSignal", "1");
  startWithRemote();
  CardDevice->Close();
  hold("CHNLUP");
  EXPECT_NO_THROW(poll());
  EXPECT_NO_THROW(Form8->Timer3Timer());
  EXPECT_EQ(CurChannel, 0);
  EXPECT_TRUE(boxes_->shown().empty());
}

TEST_F(RemoteTest, ScanPausesThePollAndTheNoSignalCheck) {
  writeSetting("MonitorPowerOffIfNoSignal", "1");
  startWithRemote();
  ScanRunning = true;  // a frequency scan
  hold("CHNLUP");
  poll();
  EXPECT_EQ(CurChannel, 0);
  Form8->Timer4Timer();
  EXPECT_FALSE(Form8->Timer3.Enabled());
  ScanRunning = false;
  Form8->Timer4Timer();
  EXPECT_TRUE(Form8->Timer3.Enabled());
  poll();
  EXPECT_EQ(CurChannel, 1);
}

TEST_F(RemoteTest, DebugSwitchPrintsEveryCode) {
  startWithRemote();
  DebugConsole = true;
  hold("VOLUP");
  testing::internal::CaptureStdout();
  poll();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Code = 0x90\n");
}

}  // namespace
}  // namespace viewer_test
