// The diagonal spin button: which half a press hits, the auto-repeat with injected timer
// periods, its pictures, and a screenshot of the spin edits.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

#include <stdexcept>

#include "support/qt/WidgetInput.h"
#include "controls/Rxspin.h"

using namespace gui;
using namespace rxspin;

namespace {

using testing_support::MoveTo;
using testing_support::PressAt;
using testing_support::ReleaseAt;

struct Clicks {
  int top = 0;
  int bottom = 0;
};

void count(TRxSpinButton& button, Clicks& clicks) {
  button.OnTopClick = [&clicks](TControl*) { ++clicks.top; };
  button.OnBottomClick = [&clicks](TControl*) { ++clicks.bottom; };
}

// One period of the repeat timer, without waiting for it.
void tick(TRxSpinButton& button) {
  TTimer* timer = button.RepeatTimer();
  ASSERT_NE(timer, nullptr);
  timer->OnTimer()(timer);
}

QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

QString screenshotDir() {
  QString dir = qEnvironmentVariable("VYX_SCREENSHOT_DIR", QDir::currentPath() + "/screenshots");
  QDir().mkpath(dir);
  return dir;
}

}  // namespace

TEST(SpinButton, TheRisingDiagonalSplitsTheUpperAndLowerHalves) {
  // Upper when y <= Height - (Height / Width) * x; a point on the diagonal is upper.
  struct Case {
    int width, height, x, y;
    TSpinButtonState half;
  } cases[] = {
      {20, 20, 0, 0, sbTopDown},    {20, 20, 19, 19, sbBottomDown}, {20, 20, 10, 10, sbTopDown},
      {20, 20, 11, 10, sbBottomDown}, {20, 20, 5, 15, sbTopDown},    {20, 20, 5, 16, sbBottomDown},
      {20, 20, 19, 0, sbTopDown},   {20, 20, 0, 19, sbTopDown},     {30, 20, 15, 10, sbTopDown},
      {30, 20, 15, 11, sbBottomDown}, {30, 20, 27, 2, sbTopDown},    {30, 20, 27, 3, sbBottomDown},
  };
  for (const Case& c : cases) {
    TRxSpinButton button;
    button.SetBounds(0, 0, c.width, c.height);
    Clicks clicks;
    count(button, clicks);
    PressAt(&button, {c.x, c.y});
    EXPECT_EQ(button.Down(), c.half) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    EXPECT_EQ(clicks.top, c.half == sbTopDown ? 1 : 0) << c.x << "," << c.y;
    EXPECT_EQ(clicks.bottom, c.half == sbBottomDown ? 1 : 0) << c.x << "," << c.y;
    ReleaseAt(&button, {c.x, c.y});
    EXPECT_EQ(button.Down(), sbNotDown);
  }
}

TEST(SpinButton, HoldingAHalfRepeatsAfter400ThenEvery100MsWhileOnThatHalf) {
  TRxSpinButton button;
  Clicks clicks;
  count(button, clicks);
  PressAt(&button, {15, 15});
  EXPECT_EQ(clicks.bottom, 1);  // at once
  ASSERT_NE(button.RepeatTimer(), nullptr);
  EXPECT_TRUE(button.RepeatTimer()->Enabled());
  EXPECT_EQ(button.RepeatTimer()->Interval(), 400u);
  tick(button);
  EXPECT_EQ(clicks.bottom, 2);
  EXPECT_EQ(button.RepeatTimer()->Interval(), 100u);
  tick(button);
  EXPECT_EQ(clicks.bottom, 3);
  // Sliding onto the upper half shows nothing pressed and stops the steps.
  MoveTo(&button, {3, 3});
  EXPECT_EQ(button.Down(), sbNotDown);
  tick(button);
  EXPECT_EQ(clicks.bottom, 3);
  EXPECT_EQ(clicks.top, 0);
  // Back on the lower half they go on; outside the button they stop again.
  MoveTo(&button, {16, 14});
  EXPECT_EQ(button.Down(), sbBottomDown);
  tick(button);
  EXPECT_EQ(clicks.bottom, 4);
  MoveTo(&button, {25, 14});
  tick(button);
  EXPECT_EQ(clicks.bottom, 4);
  // The release stops the timer.
  MoveTo(&button, {16, 14});
  ReleaseAt(&button, {16, 14});
  EXPECT_FALSE(button.RepeatTimer()->Enabled());
  EXPECT_EQ(clicks.bottom, 4);
  // A new press starts with the long period again.
  PressAt(&button, {2, 2});
  EXPECT_EQ(clicks.top, 1);
  EXPECT_EQ(button.RepeatTimer()->Interval(), 400u);
  EXPECT_TRUE(button.RepeatTimer()->Enabled());
  ReleaseAt(&button, {2, 2});
}

TEST(SpinButton, AReleaseOutsideWithoutAMoveLeavesNothingPressed) {
  TRxSpinButton button;
  Clicks clicks;
  count(button, clicks);
  PressAt(&button, {15, 15});
  ReleaseAt(&button, {40, 40});
  EXPECT_EQ(button.Down(), sbNotDown);
  PressAt(&button, {2, 2});
  EXPECT_EQ(clicks.top, 1);
  ReleaseAt(&button, {2, 2});
}

TEST(SpinButton, AClickThatRaisesStopsTheRepeat) {
  TRxSpinButton button;
  int calls = 0;
  button.OnTopClick = [&](TControl*) {
    if (++calls == 2) throw std::runtime_error("step failed");
  };
  PressAt(&button, {2, 2});
  TTimer* timer = button.RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_THROW(timer->OnTimer()(timer), std::runtime_error);
  EXPECT_FALSE(timer->Enabled());
  ReleaseAt(&button, {2, 2});
}

TEST(SpinButton, DrawsItsHalvesAndGlyphsAtTheirPlaces) {
  TRxSpinButton button;  // 20 x 20 with 6 x 6 glyphs
  ASSERT_EQ(button.UpGlyph()->Width(), 6);
  EXPECT_TRUE(button.UpGlyph()->Monochrome());
  QRgb black = 0, face = ToQColor(clBtnFace).rgb() & 0xFFFFFF;
  QImage up = button.Snapshot();
  // Up arrow at (3, 3): its tip is the pair (5, 4), (6, 4); down arrow at (11, 11): its top
  // row is (11..16, 12).
  EXPECT_EQ(pixel(up, 5, 4), black);
  EXPECT_EQ(pixel(up, 6, 4), black);
  EXPECT_EQ(pixel(up, 4, 4), face);
  for (int x = 11; x <= 16; ++x) EXPECT_EQ(pixel(up, x, 12), black) << x;
  // Pressed, the upper half's glyph moves one pixel right and down.
  button.SetDown(sbTopDown);
  QImage top = button.Snapshot();
  EXPECT_EQ(pixel(top, 6, 5), black);
  EXPECT_EQ(pixel(top, 5, 4), face);
  EXPECT_EQ(pixel(top, 1, 5), ToQColor(clBtnShadow).rgb() & 0xFFFFFF);
  EXPECT_EQ(pixel(up, 1, 5), ToQColor(clBtnHighlight).rgb() & 0xFFFFFF);
  // A glyph of one's own, then the built-in one again.
  TBitmap big(10, 10);
  button.SetUpGlyph(&big);
  EXPECT_EQ(button.UpGlyph()->Width(), 10);
  button.SetUpGlyph(nullptr);
  EXPECT_EQ(button.UpGlyph()->Width(), 6);
}

TEST(SpinButton, Screenshot) {
  QWidget form;
  form.resize(260, 150);
  auto* diagonal = new TRxSpinEdit(&form);
  diagonal->setGeometry(10, 10, 110, 24);
  diagonal->SetValueType(vtFloat);
  diagonal->SetValue(90.25);
  auto* flat = new TRxSpinEdit(&form);
  flat->SetCtl3D(false);
  flat->setGeometry(10, 44, 110, 24);
  flat->SetValue(25);
  auto* standard = new TRxSpinEdit(&form);
  standard->SetButtonKind(bkStandard);
  standard->setGeometry(10, 78, 110, 24);
  standard->SetValueType(vtHex);
  standard->SetValue(255);
  int x = 140;
  for (TSpinButtonState state : {sbNotDown, sbTopDown, sbBottomDown}) {
    auto* button = new TRxSpinButton(&form);
    button->SetBounds(x, 10, 30, 30);
    button->SetDown(state);
    x += 38;
  }
  form.show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.grab().toImage().save(screenshotDir() + "/spinedit.png"));
}
