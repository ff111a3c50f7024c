// The speed button: states through press, drag and release, groups and the group message,
// the drop-down menu, auto-repeat on an injected timer, clicks from code, modal results, the
// flat, latched and transparent looks, double clicks and accelerators.
#include <gtest/gtest.h>

#include <QDialog>
#include <QEnterEvent>

#include <map>
#include <stdexcept>

#include "Rxctrls_test.h"
#include "controls/RxSpeedButton.h"
#include "platform/Clock.h"

using namespace gui;
using namespace rxctrls;
using rxtest::makeGlyph;
using rxtest::pixelAt;
using rxtest::rgb;

namespace {

class Probe : public TRxSpeedButton {
public:
  using TRxSpeedButton::TRxSpeedButton;
  using TRxSpeedButton::ButtonGlyph;
  using TRxSpeedButton::DialogChar;
  using TRxSpeedButton::MouseDown;
};

// A menu that does not block: it records where it was opened and runs whileOpen instead.
class FakeMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override {
    shown.push_back(QPoint(x, y));
    if (whileOpen) whileOpen();
  }
  std::vector<QPoint> shown;
  std::function<void()> whileOpen;
};

const QPoint kIn(5, 5);
const QPoint kOut(40, 5);

void click(QWidget* w, QPoint at = kIn) {
  rxtest::press(w, at);
  rxtest::release(w, at);
}

void enter(QWidget* w) {
  QEnterEvent event{QPointF(kIn), QPointF(kIn), w->mapToGlobal(QPointF(kIn))};
  QCoreApplication::sendEvent(w, &event);
}

class RxSpeedButtonTest : public ::testing::Test {
protected:
  Probe* make(int group = 0, QWidget* parent = nullptr) {
    auto* b = new Probe(parent ? parent : &host.window);
    b->SetBounds(30 * count_++, 0, 25, 25);
    b->SetGroupIndex(group);
    b->OnClick = [this, b](TControl*) { ++clicks[b]; };
    return b;
  }
  rxtest::Host host;
  std::map<TControl*, int> clicks;

private:
  int count_ = 0;
};

TEST_F(RxSpeedButtonTest, PropertiesKeepTheirRanges) {
  Probe* b = make();
  b->SetNumGlyphs(7);
  EXPECT_EQ(b->NumGlyphs(), 5);
  b->SetNumGlyphs(0);
  EXPECT_EQ(b->NumGlyphs(), 1);
  b->SetMargin(-2);
  EXPECT_EQ(b->Margin(), -1);
  b->SetMargin(4);
  b->SetMargin(-5);
  EXPECT_EQ(b->Margin(), 4);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  TRxTimerSpeedButton timed(&host.window);
  EXPECT_EQ(timed.Style(), bsWin31);
  EXPECT_TRUE(timed.AllowTimer());
}

struct Step {
  char op;  // p press, m move, r release
  QPoint at;
  TRxButtonState state;
  bool down;
  int clicks;
};

struct Script {
  const char* name;
  int group;
  bool allowAllUp;
  std::vector<Step> steps;
};

TEST_F(RxSpeedButtonTest, StatesFollowPressDragAndRelease) {
  const Script scripts[] = {
      {"plain", 0, false,
       {{'p', kIn, rbsDown, false, 0}, {'m', kOut, rbsUp, false, 0}, {'m', kIn, rbsDown, false, 0},
        {'r', kIn, rbsUp, false, 1}, {'p', kIn, rbsDown, false, 1}, {'m', kOut, rbsUp, false, 1},
        {'r', kOut, rbsUp, false, 1}}},
      {"group, all up not allowed", 1, false,
       {{'p', kIn, rbsDown, false, 0}, {'r', kIn, rbsExclusive, true, 1},
        {'p', kIn, rbsExclusive, true, 1}, {'m', kOut, rbsExclusive, true, 1},
        {'r', kOut, rbsExclusive, true, 1}, {'p', kIn, rbsExclusive, true, 1},
        {'r', kIn, rbsExclusive, true, 2}}},
      {"group, all up allowed", 1, true,
       {{'p', kIn, rbsDown, false, 0}, {'r', kIn, rbsExclusive, true, 1},
        {'p', kIn, rbsExclusive, true, 1}, {'r', kIn, rbsUp, false, 2}}},
  };
  for (const Script& script : scripts) {
    Probe* b = make(script.group);
    b->SetAllowAllUp(script.allowAllUp);
    host.Activate();
    int n = 0;
    for (const Step& s : script.steps) {
      if (s.op == 'p') rxtest::press(b, s.at);
      else if (s.op == 'm') rxtest::move(b, s.at);
      else rxtest::release(b, s.at);
      std::string where = std::string(script.name) + ", step " + std::to_string(n++);
      EXPECT_EQ(b->State(), s.state) << where;
      EXPECT_EQ(b->Down(), s.down) << where;
      EXPECT_EQ(clicks[b], s.clicks) << where;
    }
    EXPECT_FALSE(b->Dragging()) << script.name;
  }
}

TEST_F(RxSpeedButtonTest, GroupKeepsOneButtonDown) {
  Probe* a = make(1);
  Probe* b = make(1);
  Probe* c = make(1);
  Probe* other = make(2);
  QWidget panel(&host.window);
  Probe* elsewhere = make(1, &panel);
  host.Activate();
  click(a);
  EXPECT_TRUE(a->Down());
  click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), rbsUp);
  other->SetDown(true);
  elsewhere->SetDown(true);
  EXPECT_TRUE(b->Down());
  c->SetDown(true);
  EXPECT_FALSE(b->Down());
  EXPECT_TRUE(other->Down());
  EXPECT_TRUE(elsewhere->Down());

  // AllowAllUp travels with the group message.
  c->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  EXPECT_TRUE(b->AllowAllUp());
  EXPECT_FALSE(other->AllowAllUp());
  click(c);
  EXPECT_FALSE(c->Down());

  // A latched button disabled and enabled again is drawn latched.
  a->SetDown(true);
  a->SetEnabled(false);
  a->Repaint();
  EXPECT_EQ(a->State(), rbsDisabled);
  a->SetEnabled(true);
  EXPECT_EQ(a->State(), rbsExclusive);
}

TEST_F(RxSpeedButtonTest, DropDownMenuOpensBelowAndEndsThePress) {
  Probe* b = make();
  FakeMenu menu;
  b->SetDropDownMenu(&menu);
  host.Activate();
  bool trackingWhileOpen = false;
  int pressesWhileOpen = 0;
  menu.whileOpen = [&] {
    trackingWhileOpen = b->MenuTracking();
    // A press on the button while its menu is open does not press it again.
    rxtest::press(b, kIn);
    ++pressesWhileOpen;
  };
  rxtest::press(b, kIn);
  ASSERT_EQ(menu.shown.size(), 1u);
  EXPECT_EQ(menu.shown[0], b->mapToGlobal(QPoint(-1, 25)));
  EXPECT_EQ(menu.PopupComponent(), b);
  EXPECT_TRUE(trackingWhileOpen);
  EXPECT_EQ(pressesWhileOpen, 1);
  EXPECT_FALSE(b->MenuTracking());
  EXPECT_FALSE(b->Dragging());
  EXPECT_EQ(b->State(), rbsUp);
  rxtest::release(b, kIn);
  EXPECT_EQ(clicks[b], 0);
  QApplication::processEvents();

  // The click that closed the menu on the button, still queued, is dropped too.
  menu.whileOpen = [&] {
    QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonPress, QPointF(kIn),
                                                   b->mapToGlobal(QPointF(kIn)), Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
  };
  rxtest::press(b, kIn);
  QApplication::processEvents();
  EXPECT_EQ(menu.shown.size(), 2u);
  rxtest::press(b, kIn);
  EXPECT_EQ(menu.shown.size(), 3u);
}

TEST_F(RxSpeedButtonTest, FailingMenuLeavesTheButtonUsable) {
  Probe* b = make();
  FakeMenu menu;
  b->SetDropDownMenu(&menu);
  host.Activate();
  menu.whileOpen = [] { throw std::runtime_error("menu failed"); };
  EXPECT_THROW(b->MouseDown(mbLeft, ssLeft, 5, 5), std::runtime_error);
  EXPECT_FALSE(b->MenuTracking());
  menu.whileOpen = nullptr;
  b->MouseDown(mbLeft, ssLeft, 5, 5);
  EXPECT_EQ(menu.shown.size(), 2u);
}

TEST_F(RxSpeedButtonTest, MenuWithoutAutoPopupOpensOnlyOnRequest) {
  Probe* b = make();
  FakeMenu menu;
  menu.SetAutoPopup(false);
  b->SetDropDownMenu(&menu);
  host.Activate();
  click(b);
  EXPECT_TRUE(menu.shown.empty());
  EXPECT_EQ(clicks[b], 1);
  EXPECT_TRUE(b->CheckBtnMenuDropDown());
  EXPECT_EQ(menu.shown.size(), 1u);
  menu.SetAutoPopup(true);
  b->ButtonClick();  // a click from code never opens an automatic menu, nor clicks
  EXPECT_EQ(clicks[b], 1);
  EXPECT_EQ(menu.shown.size(), 1u);
}

TEST_F(RxSpeedButtonTest, DropDownMenuPositionByPlaceAndAlignment) {
  struct Case {
    TRxDropDownMenuPos pos;
    TPopupAlignment alignment;
    TPoint expected;
  };
  const Case cases[] = {{dmpBottom, paLeft, {-1, 25}},  {dmpBottom, paRight, {26, 25}},
                        {dmpBottom, paCenter, {12, 25}}, {dmpRight, paLeft, {25, -1}},
                        {dmpRight, paRight, {-1, -1}},   {dmpRight, paCenter, {12, 25}}};
  Probe* b = make();
  EXPECT_EQ(b->GetDropDownMenuPos(), Point(0, 0));
  TPopupMenu menu;
  b->SetDropDownMenu(&menu);
  for (const Case& c : cases) {
    b->SetMenuPosition(c.pos);
    menu.SetAlignment(c.alignment);
    EXPECT_EQ(b->GetDropDownMenuPos(), c.expected) << c.pos << "/" << c.alignment;
  }
}

TEST_F(RxSpeedButtonTest, DropDownMarkShowsWithAMenu) {
  Probe* b = make();
  QImage plain = b->Snapshot();
  auto* menu = new TPopupMenu;
  b->SetDropDownMenu(menu);
  QImage marked = b->Snapshot();
  EXPECT_NE(marked, plain);
  b->SetMarkDropDown(false);
  EXPECT_EQ(b->Snapshot(), plain);
  b->SetMarkDropDown(true);
  delete menu;
  EXPECT_EQ(b->DropDownMenu(), nullptr);
  EXPECT_EQ(b->Snapshot(), plain);
}

TEST_F(RxSpeedButtonTest, AutoRepeatClicksWhileHeldOverTheButton) {
  Probe* b = make();
  b->SetAllowTimer(true);
  host.Activate();
  rxtest::press(b, kIn);
  TTimer* timer = b->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 500u);
  auto fire = [timer] { timer->OnTimer()(timer); };
  fire();
  EXPECT_EQ(clicks[b], 1);
  EXPECT_EQ(timer->Interval(), 100u);
  fire();
  EXPECT_EQ(clicks[b], 2);
  rxtest::move(b, kOut);
  fire();
  EXPECT_EQ(clicks[b], 2);
  rxtest::move(b, kIn);
  fire();
  EXPECT_EQ(clicks[b], 3);
  rxtest::release(b, kIn);
  EXPECT_EQ(clicks[b], 4);
  EXPECT_FALSE(timer->Enabled());

  // Released outside: the repeats stand, the release adds none.
  rxtest::press(b, kIn);
  EXPECT_EQ(timer->Interval(), 500u);
  fire();
  rxtest::move(b, kOut);
  rxtest::release(b, kOut);
  EXPECT_EQ(clicks[b], 5);

  b->SetAllowTimer(false);
  EXPECT_EQ(b->RepeatTimer(), nullptr);
}

TEST_F(RxSpeedButtonTest, FailingRepeatStopsTheTimer) {
  Probe* b = make();
  b->SetAllowTimer(true);
  host.Activate();
  b->OnClick = [](TControl*) { throw std::runtime_error("click failed"); };
  rxtest::press(b, kIn);
  TTimer* timer = b->RepeatTimer();
  EXPECT_THROW(timer->OnTimer()(timer), std::runtime_error);
  EXPECT_FALSE(timer->Enabled());
  // A handler may switch the repeat off from inside a repeated click.
  b->OnClick = [b](TControl*) { b->SetAllowTimer(false); };
  rxtest::press(b, kIn);
  timer = b->RepeatTimer();
  timer->OnTimer()(timer);
  EXPECT_EQ(b->RepeatTimer(), nullptr);
}

TEST_F(RxSpeedButtonTest, ClickFromCode) {
  Probe* plain = make();
  Probe* grouped = make(3);
  host.Activate();
  uint64_t before = platform::MonotonicMs();
  plain->ButtonClick();
  EXPECT_GE(platform::MonotonicMs() - before, 20u);
  EXPECT_EQ(clicks[plain], 1);
  EXPECT_EQ(plain->State(), rbsUp);
  grouped->ButtonClick();
  EXPECT_TRUE(grouped->Down());
  EXPECT_EQ(clicks[grouped], 1);

  plain->OnClick = [](TControl*) { throw std::runtime_error("click failed"); };
  EXPECT_THROW(plain->ButtonClick(), std::runtime_error);
  EXPECT_EQ(plain->State(), rbsUp);
  grouped->SetEnabled(false);
  grouped->ButtonClick();
  EXPECT_EQ(clicks[grouped], 1);
}

TEST_F(RxSpeedButtonTest, ModalResultClosesAModalDialog) {
  QDialog dialog;
  Probe ok(&dialog), plain(&dialog);
  ok.SetModalResult(3);
  dialog.setModal(true);
  dialog.show();
  click(&plain);
  EXPECT_TRUE(dialog.isVisible());
  click(&ok);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 3);
}

TEST_F(RxSpeedButtonTest, FlatButtonShowsItsFrameAndColoursUnderTheMouse) {
  Probe* b = make();
  b->SetGlyph(makeGlyph({clRed}, 16, 16));
  b->SetFlat(true);
  int enters = 0, leaves = 0;
  b->OnMouseEnter = [&](TControl*) { ++enters; };
  b->OnMouseLeave = [&](TControl*) { ++leaves; };
  host.Activate();
  TColor greyRed = b->ButtonGlyph().MapColor(clRed);
  QImage inactive = b->Snapshot();
  EXPECT_EQ(pixelAt(inactive, 0, 0), rgb(clBtnFace));
  EXPECT_EQ(pixelAt(inactive, 12, 12), greyRed);
  b->SetGrayedInactive(false);
  EXPECT_EQ(pixelAt(b->Snapshot(), 12, 12), clRed);
  b->SetGrayedInactive(true);

  enter(b);
  EXPECT_TRUE(b->MouseInControl());
  QImage hot = b->Snapshot();
  EXPECT_EQ(pixelAt(hot, 0, 0), rgb(clBtnHighlight));
  EXPECT_EQ(pixelAt(hot, 24, 24), rgb(clBtnShadow));
  EXPECT_EQ(pixelAt(hot, 12, 12), clRed);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(b, &leave);
  EXPECT_FALSE(b->MouseInControl());
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

TEST_F(RxSpeedButtonTest, LatchedButtonIsCheckeredUnlessTransparent) {
  ASSERT_NE(rgb(clBtnFace), rgb(clBtnHighlight));
  QWidget* panel = new QWidget(&host.window);
  panel->setGeometry(0, 40, 100, 40);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, QColor(0, 128, 0));
  panel->setPalette(palette);
  Probe* b = make(1, panel);
  host.Activate();
  b->SetDown(true);
  QImage latched = b->Snapshot();
  TColor a = pixelAt(latched, 10, 10), c = pixelAt(latched, 11, 10);
  EXPECT_NE(a, c);
  EXPECT_TRUE(a == rgb(clBtnFace) || a == rgb(clBtnHighlight));
  EXPECT_TRUE(c == rgb(clBtnFace) || c == rgb(clBtnHighlight));
  b->SetTransparent(true);
  QImage seeThrough = b->Snapshot();
  EXPECT_EQ(pixelAt(seeThrough, 10, 10), RGB(0, 128, 0));
  EXPECT_EQ(pixelAt(seeThrough, 11, 10), RGB(0, 128, 0));
}

TEST_F(RxSpeedButtonTest, DoubleClickCountsOnlyOnADownButton) {
  Probe* b = make(1);
  int doubles = 0;
  b->OnDblClick = [&](TControl*) { ++doubles; };
  host.Activate();
  rxtest::sendMouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, kIn, Qt::LeftButton);
  rxtest::release(b, kIn);
  EXPECT_EQ(doubles, 0);
  EXPECT_TRUE(b->Down());  // the double click presses like a click
  rxtest::sendMouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, kIn, Qt::LeftButton);
  rxtest::release(b, kIn);
  EXPECT_EQ(doubles, 1);
}

TEST_F(RxSpeedButtonTest, AcceleratorClicks) {
  Probe* b = make();
  b->SetCaption("&Go");
  EXPECT_FALSE(b->DialogChar('x'));
  EXPECT_TRUE(b->DialogChar('g'));
  EXPECT_EQ(clicks[b], 1);
  b->SetEnabled(false);
  EXPECT_FALSE(b->DialogChar('g'));
  EXPECT_EQ(clicks[b], 1);
}

TEST_F(RxSpeedButtonTest, SystemColourChangeDropsTheGlyphImages) {
  Probe* b = make();
  b->SetGlyph(makeGlyph({clRed}, 16, 16));
  b->Snapshot();
  EXPECT_NE(b->ButtonGlyph().Index(rbsUp), -1);
  QPalette saved = QApplication::palette();
  QPalette changed = saved;
  changed.setColor(QPalette::Button, QColor(10, 20, 30));
  QApplication::setPalette(changed);
  QApplication::processEvents();
  int index = b->ButtonGlyph().Index(rbsUp);
  QApplication::setPalette(saved);
  EXPECT_EQ(index, -1);
}

}  // namespace
