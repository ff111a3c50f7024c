#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/AppIcon.h"
#include "controls/Rxshell.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "controls/SolidIcon.h"
#include "platform/MessageBox.h"
#include "platform/RecordingTrayBackend.h"

using namespace rxshell;
using namespace platform;
using gui::TIcon;

namespace {


QRgb shownColor(const RecordingTrayBackend& tray) {
  return tray.Image().isNull() ? 0 : tray.Image().pixel(0, 0);
}

std::string shiftText(gui::TShiftState s) {
  std::string out;
  const char* names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
  for (int i = 0; i < 7; ++i) {
    if (s & (1u << i)) out += std::string(out.empty() ? "" : "+") + names[i];
  }
  return out.empty() ? "-" : out;
}

const char* buttonText(gui::TMouseButton b) {
  return b == gui::mbLeft ? "L" : b == gui::mbRight ? "R" : "M";
}

// A tray icon on its own recording backend, with an event log of its handlers.
class TrayTest : public testing::Test {
protected:
  TrayTest() {
    auto backend = std::make_unique<RecordingTrayBackend>();
    rec = backend.get();
    tray = std::make_unique<TRxTrayIcon>(nullptr, std::move(backend));
    auto mouse = [this](const char* what) {
      return [this, what](TRxTrayIcon* sender, gui::TMouseButton b, gui::TShiftState s, int x,
                          int y) {
        EXPECT_EQ(sender, tray.get());
        log.push_back(std::string(what) + " " + buttonText(b) + " " + shiftText(s) + " " +
                      std::to_string(x) + "," + std::to_string(y));
      };
    };
    tray->OnMouseDown = mouse("down");
    tray->OnMouseUp = mouse("up");
    tray->OnClick = mouse("click");
    tray->OnMouseMove = [this](TRxTrayIcon*, gui::TShiftState s, int, int) {
      log.push_back("move " + shiftText(s));
    };
    tray->OnDblClick = [this](TRxTrayIcon*) { log.push_back("dblclick"); };
  }

  void showIcon() {
    tray->SetIcon(&white);
    ASSERT_TRUE(tray->Added());
    log.clear();
  }

  RecordingTrayBackend* rec = nullptr;
  std::unique_ptr<TRxTrayIcon> tray;
  std::vector<std::string> log;
  TIcon white{solidIcon(0xFFFFFFFF)};
};

using Log = std::vector<std::string>;

}  // namespace

TEST(TrayHint, TipIsTheShortHintCutTo63Characters) {
  const std::string s63(63, 'x'), s64(64, 'y'), s70(70, 'z');
  struct Case {
    std::string hint, tip;
  } cases[] = {
      {"", ""},
      {"Channel 5", "Channel 5"},
      {"Channel 5|long help text", "Channel 5"},
      {"a|b|c", "a"},
      {"|only long", ""},
      {s63, s63},
      {s64, s64.substr(0, 63)},
      {s70 + "|rest", s70.substr(0, 63)},
      {"\xCF\xE5\xF0\xE2\xFB\xE9|x", "\xCF\xE5\xF0\xE2\xFB\xE9"},  // Windows-1251 bytes
  };
  for (const Case& c : cases) EXPECT_EQ(TipOfHint(c.hint), c.tip) << c.hint;
}

TEST_F(TrayTest, HintReachesTheTrayAsItsTip) {
  showIcon();
  tray->SetHint(std::string(40, 'a') + "|" + "help");
  EXPECT_EQ(rec->Tip(), QString(40, 'a'));
  EXPECT_EQ(tray->IconData().tip, QString(40, 'a'));
  rec->ClearCalls();
  tray->SetHint(tray->Hint());
  EXPECT_TRUE(rec->Calls().empty()) << "an unchanged hint sends nothing";
  tray->SetHint(std::string(80, 'b'));
  EXPECT_EQ(rec->Tip(), QString(63, 'b'));
}

TEST_F(TrayTest, EmptyIconAddsNothingUntilAnIconIsAssigned) {
  EXPECT_TRUE(tray->Active());
  tray->SetActive(false);
  tray->SetActive(true);
  EXPECT_FALSE(tray->Added());
  EXPECT_EQ(rec->CountOf(TrayCall::kAdd), 0);
  tray->SetIcon(&white);
  EXPECT_TRUE(tray->Added());
  EXPECT_TRUE(rec->Shown());
  EXPECT_EQ(shownColor(*rec), 0xFFFFFFFFu);
  TIcon red = solidIcon(0xFFFF0000);
  tray->Icon().Assign(&red);
  EXPECT_EQ(shownColor(*rec), 0xFFFF0000u) << "a change of the icon's image shows";
}

TEST_F(TrayTest, ActiveAddsAndRemovesTheIcon) {
  showIcon();
  tray->SetActive(false);
  EXPECT_FALSE(rec->Shown());
  EXPECT_FALSE(tray->Added());
  tray->SetHint("while inactive");
  EXPECT_FALSE(rec->Shown()) << "an inactive icon stays out of the tray";
  tray->Show();
  EXPECT_TRUE(rec->Shown());
  EXPECT_EQ(rec->Tip(), QString("while inactive"));
  tray->Icon().Assign(nullptr);
  EXPECT_FALSE(rec->Shown()) << "an icon that became empty is removed";
}

TEST_F(TrayTest, LayoutWithActiveFalseShowsNothingUntilSet) {
  tray->BeginReading();
  tray->SetActive(false);
  tray->SetIcon(&white);
  tray->SetHint("TV");
  tray->EndReading();
  EXPECT_FALSE(rec->Shown());
  EXPECT_EQ(tray->ComponentState(), 0u);
  tray->SetActive(true);
  EXPECT_TRUE(rec->Shown());
}

// The tray callbacks, injected as the system's mouse messages, and the events they give.
TEST_F(TrayTest, CallbackMessages) {
  struct Case {
    const char* name;
    std::vector<unsigned> messages;
    Log expected;
  } cases[] = {
      {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP},
       {"down L Left 5,7", "click L Left 5,7", "up L Left 5,7"}},
      {"left pressed elsewhere", {WM_LBUTTONUP}, {"up L Left 5,7"}},
      {"left double", {WM_LBUTTONDBLCLK, WM_LBUTTONUP}, {"dblclick", "down L Double 5,7",
                                                          "up L Left 5,7"}},
      {"right click without menu", {WM_RBUTTONDOWN, WM_RBUTTONUP},
       {"down R Right 5,7", "click R Right 5,7", "up R Right 5,7"}},
      {"right double", {WM_RBUTTONDBLCLK}, {"down R Double 5,7"}},
      {"middle click", {WM_MBUTTONDOWN, WM_MBUTTONUP}, {"down M Middle 5,7", "up M Middle 5,7"}},
      {"middle double", {WM_MBUTTONDBLCLK}, {"down M Double 5,7"}},
      {"move", {WM_MOUSEMOVE}, {"move -"}},
      {"wheel is ignored", {0x20A}, {}},
      {"one click per press", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONUP},
       {"down L Left 5,7", "click L Left 5,7", "up L Left 5,7", "up L Left 5,7"}},
  };
  showIcon();
  rec->SetCursorPos({5, 7});
  for (const Case& c : cases) {
    log.clear();
    for (unsigned m : c.messages) rec->Send(m);
    EXPECT_EQ(log, c.expected) << c.name;
  }
}

TEST_F(TrayTest, ShiftKeysAndOtherMessages) {
  showIcon();
  rec->SetCursorPos({-3, 900});
  rec->SetKeyState(Qt::ShiftModifier | Qt::ControlModifier);
  rec->Send(WM_LBUTTONDOWN);
  EXPECT_EQ(log, Log{"down L Shift+Ctrl+Left -3,900"});
  log.clear();
  rec->Send(WM_LBUTTONDOWN, kTrayCallbackMessage + 1);
  EXPECT_TRUE(log.empty()) << "another message is not a tray callback";
}

// Qt reports whole clicks; each activation stands for the press and the release.
TEST_F(TrayTest, QtActivationReasons) {
  struct Case {
    QSystemTrayIcon::ActivationReason reason;
    Log expected;
  } cases[] = {
      {QSystemTrayIcon::Trigger, {"down L Left 1,2", "click L Left 1,2", "up L Left 1,2"}},
      {QSystemTrayIcon::DoubleClick, {"dblclick", "down L Double 1,2", "up L Left 1,2"}},
      {QSystemTrayIcon::Context, {"down R Right 1,2", "click R Right 1,2", "up R Right 1,2"}},
      {QSystemTrayIcon::MiddleClick, {"down M Middle 1,2", "up M Middle 1,2"}},
      {QSystemTrayIcon::Unknown, {}},
  };
  showIcon();
  rec->SetCursorPos({1, 2});
  for (const Case& c : cases) {
    log.clear();
    rec->Activate(c.reason);
    EXPECT_EQ(log, c.expected) << int(c.reason);
  }
}

TEST_F(TrayTest, DisabledIconStaysButFiresNothing) {
  showIcon();
  tray->SetEnabled(false);
  rec->Activate(QSystemTrayIcon::Trigger);
  rec->Send(WM_MOUSEMOVE);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(rec->Shown());
  // The press made while disabled does not count towards a click afterwards.
  tray->SetEnabled(true);
  rec->Send(WM_LBUTTONUP);
  EXPECT_EQ(log, Log{"up L Left 0,0"});
}

TEST_F(TrayTest, RightClickPopsUpTheMenu) {
  showIcon();
  QMenu menu;
  menu.addAction("Quit");
  tray->SetPopupMenu(&menu);
  rec->SetCursorPos({300, 400});
  rec->Activate(QSystemTrayIcon::Context);
  EXPECT_EQ(log, (Log{"down R Right 300,400", "up R Right 300,400"})) << "no OnClick";
  ASSERT_EQ(rec->CountOf(TrayCall::kPopup), 1);
  EXPECT_EQ(rec->Calls().back().menu, &menu);
  EXPECT_EQ(rec->Calls().back().at, QPoint(300, 400));
  EXPECT_EQ(menu.property(kPopupComponentProperty).value<QObject*>(), tray.get());

  struct Case {
    const char* name;
    std::function<void()> setUp;
  } noPopup[] = {
      {"automatic pop-up off", [&] { SetAutoPopup(&menu, false); }},
      {"inactive icon", [&] {
         SetAutoPopup(&menu, true);
         tray->SetActive(false);
       }},
  };
  for (const Case& c : noPopup) {
    c.setUp();
    log.clear();
    rec->ClearCalls();
    rec->Send(WM_RBUTTONDOWN);
    rec->Send(WM_RBUTTONUP);
    EXPECT_EQ(rec->CountOf(TrayCall::kPopup), 0) << c.name;
    EXPECT_EQ(log.at(1), "click R Right 300,400") << c.name;
  }
}

TEST_F(TrayTest, DoubleClickRunsTheEnabledDefaultItem) {
  showIcon();
  QMenu menu;
  QAction* other = menu.addAction("Channel 1");
  QAction* restore = menu.addAction("Restore all");
  int restored = 0, others = 0;
  QObject::connect(restore, &QAction::triggered, [&] { ++restored; });
  QObject::connect(other, &QAction::triggered, [&] { ++others; });
  tray->SetPopupMenu(&menu);

  struct Case {
    const char* name;
    std::function<void()> setUp;
    bool runsItem;
  } cases[] = {
      {"no default item", [] {}, false},
      {"enabled default", [&] { menu.setDefaultAction(restore); }, true},
      {"disabled default", [&] { restore->setEnabled(false); }, false},
      {"enabled again", [&] { restore->setEnabled(true); }, true},
      {"inactive icon", [&] { tray->SetActive(false); }, false},
  };
  for (const Case& c : cases) {
    c.setUp();
    log.clear();
    restored = 0;
    rec->Send(WM_LBUTTONDBLCLK);
    EXPECT_EQ(restored, c.runsItem ? 1 : 0) << c.name;
    EXPECT_EQ(log.front() == "dblclick", !c.runsItem) << c.name;
  }
  EXPECT_EQ(others, 0);
}

TEST_F(TrayTest, DestroyedMenuIsForgotten) {
  showIcon();
  auto menu = std::make_unique<QMenu>();
  tray->SetPopupMenu(menu.get());
  menu.reset();
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  rec->Activate(QSystemTrayIcon::Context);
  EXPECT_EQ(log.at(1), "click R Right 0,0");
}

TEST_F(TrayTest, HandlerExceptionIsShownAndGoesNoFurther) {
  showIcon();
  platform::RecordingMessageBox boxes;
  tray->OnClick = [](TRxTrayIcon*, gui::TMouseButton, gui::TShiftState, int, int) {
    throw gui::Exception("Channel table damaged");
  };
  EXPECT_NO_THROW(rec->Activate(QSystemTrayIcon::Trigger));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Channel table damaged.");
  EXPECT_EQ(log, Log{"down L Left 0,0"}) << "the rest of that callback is skipped";
  rec->Send(WM_MOUSEMOVE);
  EXPECT_EQ(log.back(), "move -") << "the next callback is handled";
}

// A desktop without a notification area: nothing is shown, callers learn it from the status,
// and a notification area that appears later is used on the next change.
TEST_F(TrayTest, NoNotificationArea) {
  platform::RecordingMessageBox boxes;
  rec->SetAvailable(false);
  tray->SetIcon(&white);
  tray->SetHint("TV");
  EXPECT_FALSE(tray->TrayAvailable());
  EXPECT_FALSE(tray->Added());
  EXPECT_FALSE(tray->CanHideToTray());
  EXPECT_TRUE(boxes.shown().empty());

  rec->SetAvailable(true);
  tray->SetHint("TV 2");
  EXPECT_TRUE(tray->Added());
  EXPECT_TRUE(tray->CanHideToTray());
  EXPECT_EQ(rec->Tip(), "TV 2");

  tray->SetEnabled(false);
  EXPECT_FALSE(tray->CanHideToTray()) << "an icon that ignores the mouse cannot bring windows back";
  tray->SetEnabled(true);

  tray->SetActive(false);
  rec->SetFailAdds(true);
  tray->SetActive(true);
  EXPECT_FALSE(tray->Added()) << "a failed add is not taken as shown";
  EXPECT_FALSE(tray->CanHideToTray());
}

TEST_F(TrayTest, DestructionRemovesTheIcon) {
  struct Spy : RecordingTrayBackend {
    explicit Spy(bool* removed) : removed(removed) {}
    void Delete() override {
      RecordingTrayBackend::Delete();
      *removed = true;
    }
    bool* removed;
  };
  bool removed = false;
  auto owner = std::make_unique<QObject>();
  auto* icon = new TRxTrayIcon(owner.get(), std::make_unique<Spy>(&removed));
  icon->SetIcon(&white);
  ASSERT_TRUE(icon->Added());
  removed = false;
  owner.reset();  // the owner frees its components
  EXPECT_TRUE(removed);
}

// Three frames R, G, B cycle on the timer (fired by hand) while the icon is shown.
TEST_F(TrayTest, AnimationCyclesThroughTheFrames) {
  showIcon();
  const QRgb frames[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  icolist::TIconList list;
  for (QRgb c : frames) {
    TIcon frame = solidIcon(c);
    list.Add(&frame);
  }
  tray->SetIcons(&list);
  EXPECT_EQ(shownColor(*rec), 0xFFFFFFFFu) << "frames show only while animated";
  EXPECT_EQ(tray->IconIndex(), -1);

  gui::TTimer& timer = tray->AnimationTimer();
  EXPECT_FALSE(timer.Enabled());
  tray->SetAnimated(true);
  EXPECT_TRUE(tray->Animated());
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 150u);
  EXPECT_EQ(tray->IconIndex(), 0);
  EXPECT_EQ(shownColor(*rec), frames[0]);
  auto tick = [&] { timer.OnTimer()(&timer); };
  const int expected[] = {1, 2, 0, 1};
  for (int index : expected) {
    tick();
    EXPECT_EQ(tray->IconIndex(), index);
    EXPECT_EQ(shownColor(*rec), frames[index]) << "frame " << index;
  }

  tray->SetInterval(40);
  EXPECT_EQ(timer.Interval(), 40u);
  tray->SetActive(false);
  EXPECT_FALSE(timer.Enabled()) << "no frames while the icon is out of the tray";
  tray->SetActive(true);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(shownColor(*rec), frames[1]) << "it comes back on its current frame";

  tray->Icons().Clear();
  EXPECT_FALSE(tray->Animated()) << "no frames, no animation";
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(shownColor(*rec), 0xFFFFFFFFu);
  tray->SetAnimated(true);
  EXPECT_FALSE(tray->Animated());
}

TEST_F(TrayTest, AnimationWaitsForTheIconToBeShown) {
  icolist::TIconList list;
  TIcon frame = solidIcon(0xFF00FF00);
  list.Add(&frame);
  tray->SetActive(false);
  tray->SetIcons(&list);
  tray->SetAnimated(true);
  EXPECT_TRUE(tray->Animated());
  EXPECT_FALSE(tray->AnimationTimer().Enabled());
  tray->SetActive(true);
  EXPECT_TRUE(tray->AnimationTimer().Enabled());
  EXPECT_EQ(shownColor(*rec), 0xFF00FF00u) << "the frame is the icon; Icon itself is empty";
}

TEST(AppIcon, TvSetAt16And32Pixels) {
  TIcon icon;
  appicon::LoadApplicationIcon(icon);
  ASSERT_EQ(icon.Images().size(), 2u);
  EXPECT_EQ(icon.Images()[0].color.width(), 16);
  EXPECT_EQ(icon.Images()[1].color.width(), 32);
  EXPECT_EQ(icon.Width(), 32);
  for (const gui::IconImage& image : icon.Images()) {
    int h = image.color.height();
    EXPECT_TRUE(image.masked(0, h - 1)) << "lower-left pixel is the background";
    EXPECT_FALSE(image.masked(h / 2, h / 2)) << "the screen is opaque";
  }

  // The icon as the tray shows it, both sizes enlarged four times, on light and dark ground.
  QImage sheet(2 * (4 * 48 + 16), 4 * 32 + 16, QImage::Format_ARGB32);
  QPainter painter(&sheet);
  for (int ground = 0; ground < 2; ++ground) {
    int left = ground * (4 * 48 + 16);
    painter.fillRect(left, 0, 4 * 48 + 16, sheet.height(), ground ? Qt::darkGray : Qt::white);
    int x = left + 8;
    for (const gui::IconImage& image : icon.Images()) {
      QImage shown = IconImageToQImage(image);
      painter.drawImage(QRect(x, 8, 4 * shown.width(), 4 * shown.height()), shown);
      x += 4 * shown.width() + 8;
    }
  }
  painter.end();
  QByteArray env = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = env.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(env);
  QDir().mkpath(folder);
  EXPECT_TRUE(sheet.save(folder + "/rxshell_icon.png"));
}
