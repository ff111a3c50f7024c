#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include <string>

#include "../Rxctrls_test.h"
#include "controls/dormant/Qeloldcheckbox.h"
#include "support/qt/WidgetInput.h"

using namespace qeloldcheckbox;
using rxtest::pixelAt;
using testing_support::MoveTo;
using testing_support::PressAt;
using testing_support::ReleaseAt;

namespace {

struct CheckBoxFixture : ::testing::Test {
  CheckBoxFixture() : box(&host.window) {
    box.OnClick = [this](gui::TControl*) { ++clicks; };
    box.OnMouseUp = [this](gui::TControl*, gui::TMouseButton, gui::TShiftState, int, int) {
      ++mouseUps;
    };
    host.Activate();
  }
  void key(QEvent::Type type) {
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(&box, &event);
  }
  rxtest::Host host;
  QELOldCheckBox box;
  int clicks = 0;
  int mouseUps = 0;
};

}  // namespace

TEST_F(CheckBoxFixture, ConstructorDefaults) {
  EXPECT_EQ(box.Width(), 130);
  EXPECT_EQ(box.Height(), 20);
  EXPECT_EQ(box.Color(), gui::clBtnFace);
  EXPECT_EQ(box.State(), cbUnchecked);
  EXPECT_EQ(box.CheckColor(), gui::clBlack);
  EXPECT_FALSE(box.Down());
  EXPECT_FALSE(box.TabStop());
}

// A press on the box, then a release at `at`: the edges of the control count as inside.
TEST_F(CheckBoxFixture, ReleaseTogglesOnlyOverTheControl) {
  struct Case {
    QPoint at;
    bool toggles;
  };
  const Case cases[] = {
      {{6, 10}, true}, {{130, 20}, true}, {{0, 0}, true},
      {{131, 10}, false}, {{6, -1}, false}, {{-1, 10}, false},
  };
  for (const Case& c : cases) {
    box.SetChecked(false);
    clicks = 0;
    PressAt(&box, {6, 10});
    EXPECT_TRUE(box.Down());
    ReleaseAt(&box, c.at);
    EXPECT_FALSE(box.Down());
    EXPECT_EQ(box.Checked(), c.toggles) << c.at.x() << "," << c.at.y();
    EXPECT_EQ(clicks, c.toggles ? 1 : 0) << c.at.x() << "," << c.at.y();
  }
  EXPECT_EQ(mouseUps, 0) << "the control's own handler replaces the event";
  EXPECT_TRUE(box.FocusShown());
}

TEST_F(CheckBoxFixture, DraggingOutShowsTheBoxReleased) {
  PressAt(&box, {6, 10});
  MoveTo(&box, {200, 10});
  EXPECT_FALSE(box.Down());
  MoveTo(&box, {20, 10});
  EXPECT_TRUE(box.Down());
  ReleaseAt(&box, {20, 10});
  MoveTo(&box, {25, 10});
  EXPECT_FALSE(box.Down()) << "without a press, moves change nothing";
}

TEST_F(CheckBoxFixture, SpaceTogglesOnRelease) {
  key(QEvent::KeyPress);
  EXPECT_TRUE(box.Down());
  EXPECT_FALSE(box.Checked());
  key(QEvent::KeyRelease);
  EXPECT_FALSE(box.Down());
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxFixture, GrayedStateAndChecked) {
  box.SetState(cbGrayed);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 1);
  box.SetChecked(false);
  EXPECT_EQ(box.State(), cbUnchecked);
  EXPECT_EQ(clicks, 2);
  box.SetChecked(false);
  EXPECT_EQ(clicks, 2) << "an unchanged state raises nothing";
}

TEST_F(CheckBoxFixture, CaptionIsReadThroughA260CharacterBuffer) {
  box.SetCaption(std::string(300, 'x'));
  EXPECT_EQ(box.Caption(), std::string(259, 'x'));
  box.SetCaption("Ok");
  EXPECT_EQ(box.Caption(), "Ok");
}

// The box of a 20-pixel control spans y 4..16; the mark's first stroke runs down x = 3.
TEST_F(CheckBoxFixture, PaintsBoxMarkAndPressedFrame) {
  const gui::TColor face = rxtest::rgb(gui::clBtnFace);
  box.SetCheckColor(0x0000FF);
  QImage image = box.Snapshot();
  EXPECT_EQ(pixelAt(image, 1, 8), rxtest::rgb(gui::clBtnHighlight));
  EXPECT_EQ(pixelAt(image, 13, 8), rxtest::rgb(gui::clBtnShadow));
  EXPECT_EQ(pixelAt(image, 3, 12), face);
  box.SetChecked(true);
  image = box.Snapshot();
  EXPECT_EQ(pixelAt(image, 3, 12), 0x0000FFu);
  box.SetState(cbGrayed);
  image = box.Snapshot();
  EXPECT_EQ(pixelAt(image, 7, 10), rxtest::rgb(gui::clBtnShadow));
  box.SetDown(true);
  image = box.Snapshot();
  EXPECT_EQ(pixelAt(image, 2, 10), gui::clBlack);
}
