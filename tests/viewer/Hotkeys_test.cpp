// The hot keys on the running program: key events arrive at one of its windows as the window
// system delivers them, and act whichever window it is. Also the mouse wheel over the panel.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QWheelEvent>
#include <QWindow>

#include <filesystem>
#include <functional>

#include "PanelFixture.h"
#include "controls/Rxslider.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "viewer/KeyboardHook.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

class HotkeysTest : public PanelTest {
protected:
  // A key event as the window system delivers it: to the window, which hands it on to its
  // focused control. The panel's window unless another is named.
  static void send(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                   bool autoRepeat = false, QWidget* window = nullptr) {
    QWidget* target = window ? window : Form1;
    ASSERT_NE(target->windowHandle(), nullptr);
    QKeyEvent e(type, key, mods, QString(), autoRepeat);
    QApplication::sendEvent(target->windowHandle(), &e);
  }
  static void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool repeat = false) {
    send(QEvent::KeyPress, key, mods, repeat);
  }
  static void release(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool repeat = false) {
    send(QEvent::KeyRelease, key, mods, repeat);
  }
  static void tap(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    press(key, mods);
    release(key, mods);
  }
};

TEST_F(HotkeysTest, EachKeyStepsItsControlOncePerPress) {
  startWithChannels(4, 1);
  using Probe = std::function<int()>;
  auto slider = [](rxslider::TRxSlider* s) { return Probe([s] { return s->Value(); }); };
  const Probe channel = [] { return int(CurChannel); };
  struct Case {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    Probe probe;
    int change;
  };
  const Case cases[] = {
      {"Page Up: saturation", Qt::Key_PageUp, {}, slider(Form1->RxSlider5), 1},
      {"Alt+Page Up: hue", Qt::Key_PageUp, kAlt, slider(Form1->RxSlider4), 1},
      {"Page Down: saturation", Qt::Key_PageDown, {}, slider(Form1->RxSlider5), -1},
      {"Alt+Page Down: hue", Qt::Key_PageDown, kAlt, slider(Form1->RxSlider4), -1},
      {"Home: contrast", Qt::Key_Home, {}, slider(Form1->RxSlider3), 1},
      {"End: contrast", Qt::Key_End, {}, slider(Form1->RxSlider3), -1},
      {"Insert: brightness", Qt::Key_Insert, {}, slider(Form1->RxSlider2), 1},
      {"Delete: brightness", Qt::Key_Delete, {}, slider(Form1->RxSlider2), -1},
      {"Right: master volume", Qt::Key_Right, {}, slider(Form1->RxSlider9), 1},
      {"Left: master volume", Qt::Key_Left, {}, slider(Form1->RxSlider9), -1},
      {"Alt+Right: line volume", Qt::Key_Right, kAlt, slider(Form1->RxSlider1), 1},
      {"Up: channel", Qt::Key_Up, {}, channel, 1},
      {"Down: channel", Qt::Key_Down, {}, channel, -1},
      {"pad 8 without Num Lock: channel", Qt::Key_Up, kPad, channel, 1},
      {"pad 6 without Num Lock: volume", Qt::Key_Right, kPad, slider(Form1->RxSlider9), 1},
      {"F2: nothing", Qt::Key_F2, {}, channel, 0},
  };
  for (const Case& c : cases) {
    const int before = c.probe();
    tap(c.key, c.mods);
    EXPECT_EQ(c.probe() - before, c.change) << c.name;
  }
}

TEST_F(HotkeysTest, APressActsOnceAndAHeldKeyOnEverySecondRepeat) {
  startWithChannels(20);
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1) << "one press, one step";

  // Held: the system repeats the key (as release and press pairs marked as repeats) until it
  // is let go.
  press(Qt::Key_Up);
  for (int i = 0; i < 4; ++i) {
    release(Qt::Key_Up, {}, true);
    press(Qt::Key_Up, {}, true);
  }
  release(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 4) << "the press, then repeats 2 and 4";

  // A release that never arrived shifts nothing: each later press still acts.
  press(Qt::Key_Up);
  tap(Qt::Key_Up);
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 7);
}

TEST_F(HotkeysTest, ReverseSwapsTheArrowKeysRoles) {
  startWithChannels(5, 2);
  Settings.Reverse = 1;
  const int volume = Form1->RxSlider9->Value();
  tap(Qt::Key_Right);
  EXPECT_EQ(CurChannel, 3);
  tap(Qt::Key_Left);
  tap(Qt::Key_Left);
  EXPECT_EQ(CurChannel, 1);
  tap(Qt::Key_Up);
  EXPECT_EQ(Form1->RxSlider9->Value(), volume + 1);
  tap(Qt::Key_Down);
  tap(Qt::Key_Down);
  EXPECT_EQ(Form1->RxSlider9->Value(), volume - 1);
  EXPECT_EQ(CurChannel, 1);
}

TEST_F(HotkeysTest, AVolumeKeySwitchesTheSoundOn) {
  startWithChannels(2);
  Form1->Image15Click();
  ASSERT_FALSE(Form1->CheckBox3->isChecked());
  const int volume = Form1->RxSlider9->Value();
  tap(Qt::Key_Right);
  EXPECT_EQ(Form1->RxSlider9->Value(), volume + 1);
  EXPECT_TRUE(Form1->CheckBox3->isChecked());
  EXPECT_FALSE(SoundMuted);
  EXPECT_EQ(Form1->Image15->Picture().Bitmap().Image(),
            Form1->ImageC->Picture().Bitmap().Image()) << "the sound glyph shows it";
  tap(Qt::Key_M);
  EXPECT_FALSE(Form1->CheckBox3->isChecked()) << "M switches it off again";
}

TEST_F(HotkeysTest, DigitsSelectChannelsAndAltAddsTen) {
  startWithChannels(20);
  struct Case {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    int row;
  };
  const Case cases[] = {
      {"3", Qt::Key_3, {}, 2},          {"Alt+3", Qt::Key_3, kAlt, 12},
      {"0", Qt::Key_0, {}, 9},          {"Alt+0", Qt::Key_0, kAlt, 19},
      {"pad 5", Qt::Key_5, kPad, 4},    {"Alt+pad 1", Qt::Key_1, kAlt | kPad, 10},
      {"pad 0", Qt::Key_0, kPad, 9},
  };
  for (const Case& c : cases) {
    CurChannel = 7;
    tap(c.key, c.mods);
    EXPECT_EQ(CurChannel, c.row) << c.name;
    EXPECT_TRUE(Form1->PopupMenu4->actions()[c.row]->isChecked()) << c.name;
  }
}

TEST_F(HotkeysTest, AltKeyDownFollowsTheAltKey) {
  startWithChannels(2);
  press(Qt::Key_Alt);
  EXPECT_TRUE(AltKeyDown);
  release(Qt::Key_Alt, kAlt);
  EXPECT_FALSE(AltKeyDown) << "let go, whatever the release's modifiers say";
  tap(Qt::Key_F5, kAlt);
  EXPECT_TRUE(AltKeyDown) << "any key with Alt held";
}

TEST_F(HotkeysTest, NoKeyActsWhileTheCaptureWindowIsShown) {
  startWithChannels(4);
  Form3->show();
  const int brightness = Form1->RxSlider2->Value();
  for (int key : {Qt::Key_Up, Qt::Key_3, Qt::Key_Insert, Qt::Key_H}) tap(key);
  send(QEvent::KeyPress, Qt::Key_Up, {}, false, Form3);
  EXPECT_EQ(CurChannel, 0);
  EXPECT_EQ(Form1->RxSlider2->Value(), brightness);
  EXPECT_TRUE(Form1->isVisible());
  Form3->hide();
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1);
}

TEST_F(HotkeysTest, TypingInATextFieldSwitchesNoChannel) {
  startWithChannels(10);
  QWidget window;
  auto* field = new QLineEdit(&window);
  window.show();
  KeepHotKeysOffWhileFocused(field);

  QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(field, &in);
  for (int key : {Qt::Key_3, Qt::Key_Up, Qt::Key_Down}) {
    send(QEvent::KeyPress, key, {}, false, &window);
    send(QEvent::KeyRelease, key, {}, false, &window);
  }
  EXPECT_EQ(CurChannel, 0) << "the field has the focus";

  QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(field, &menu);
  tap(Qt::Key_Down);
  EXPECT_EQ(CurChannel, 0) << "the field's context menu is open";

  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &out);
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1) << "the focus left the field";

  QApplication::sendEvent(field, &in);
  delete field;
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 2) << "the field went away with the focus";

  // The panel's manual frequency entry does the same.
  Form1->RxSpinEdit1DblClick();
  tap(Qt::Key_5);
  EXPECT_EQ(CurChannel, 2);
  Form1->Edit3DblClick();
  tap(Qt::Key_5);
  EXPECT_EQ(CurChannel, 4);
}

TEST_F(HotkeysTest, InstallingTwiceLeavesOneHook) {
  startWithChannels(10);
  InstallKeyboardHook();
  InstallKeyboardHook();
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1);
  RemoveKeyboardHook();
  RemoveKeyboardHook();
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1);
  InstallKeyboardHook();
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 2);
}

TEST_F(HotkeysTest, WindowKeysFullScreenSnapshotStayOnTopHideAndQuit) {
  startWithChannels(2);
  ASSERT_TRUE(TvScreenWindow);
  Settings.FullScreen = 5;  // the desktop's size: no display-mode change
  // Full screen by a double click on the TV window, as the user's.
  tap(Qt::Key_X);
  processEvents();
  EXPECT_TRUE(FullScreenOn) << "X";
  tap(Qt::Key_Return, kAlt);
  processEvents();
  EXPECT_FALSE(FullScreenOn) << "Alt+Enter";
  tap(Qt::Key_Return);
  processEvents();
  EXPECT_FALSE(FullScreenOn) << "Enter alone";

  // T sets the option to the opposite of the setting.
  tap(Qt::Key_Space);
  EXPECT_TRUE(boxes_->shown().empty());
  EXPECT_FALSE(std::filesystem::is_empty(folder_.file("Images"))) << "Space takes a snapshot";

  Form1->CheckBox4->setChecked(true);
  for (int stayOnTop : {0, 1}) {
    tap(Qt::Key_T);
    EXPECT_EQ(Settings.StayOnTop, stayOnTop);
    EXPECT_EQ(Form1->CheckBox4->isChecked(), stayOnTop == 1);
    EXPECT_EQ(Form1->Image18->Picture().Bitmap().Image(),
              (stayOnTop ? Form1->ImageC : Form1->ImageN)->Picture().Bitmap().Image())
        << "the option's glyph shows it";
  }

  tap(Qt::Key_H);
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_FALSE(TvScreenWindow->isVisible());
  EXPECT_TRUE(PanelHidden && TvHiddenByUser);

  EXPECT_THROW(KeyboardHookProc(0, 'Q', 0), viewer::ProcessExited);
  KeyboardHookProc(-1, 'H', 0);  // a negative code only passes the key on
}

TEST_F(HotkeysTest, TheWheelStepsTheChannel) {
  startWithChannels(10, 5);
  struct Case {
    int delta;
    bool reverse;
    int step;
  };
  const Case cases[] = {
      {120, false, 1},    {-120, false, -1},  {120, true, -1}, {-120, true, 1},
      {-32768, false, -1}, {70000, false, 1}, {-70000, false, -1},
      {0, false, 0},  // a sideways scroll
  };
  for (const Case& c : cases) {
    Settings.IntellimouseReverse = c.reverse;
    CurChannel = 5;
    QWheelEvent wheel(QPointF(10, 10), Form1->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(c.delta == 0 ? 120 : 0, c.delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Form1, &wheel);
    EXPECT_EQ(CurChannel, 5 + c.step) << "delta " << c.delta << (c.reverse ? " reversed" : "");
  }
  CurChannel = 5;
  Settings.IntellimouseReverse = 0;
  Form1->WMMouseWheel(0x8000);
  EXPECT_EQ(CurChannel, 4) << "the delta -32768 is towards the user";
}

// A key whose action fails shows the error, as any failing handler does.
TEST_F(HotkeysTest, ASnapshotWithoutAPictureIsReported) {
  startWithChannels(1);
  DestroyTvWindow();
  tap(Qt::Key_Space);
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_NE(boxes_->shown()[0].text.find("Cannot create file"), std::string::npos)
      << boxes_->shown()[0].text;
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 0) << "one channel: the step comes back to it";
}

TEST_F(HotkeysTest, KeysInAMessageBoxAreItsOwn) {
  startWithChannels(4);
  QDialog box;
  box.setModal(true);
  box.show();
  tap(Qt::Key_Up);
  send(QEvent::KeyPress, Qt::Key_Space, {}, false, &box);
  EXPECT_EQ(CurChannel, 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.file("Images")));
  box.hide();
  tap(Qt::Key_Up);
  EXPECT_EQ(CurChannel, 1);
}

}  // namespace
}  // namespace viewer_test
