// The slider under the mouse (dragging, holding on the ruler with injected timer periods) and
// its painting: ticks, thumb frames and a screenshot.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

#include "support/qt/WidgetInput.h"
#include "controls/Rxslider.h"

using namespace gui;
using namespace rxslider;

namespace {

using testing_support::MoveTo;
using testing_support::PressAt;
using testing_support::ReleaseAt;

// One period of the ruler's repeat timer, without waiting for it.
void tick(TRxSlider& slider) {
  TTimer& timer = slider.TrackTimer();
  ASSERT_TRUE(timer.Enabled());
  timer.OnTimer()(&timer);
}

QRgb rgbOf(TColor color) { return ToQColor(color).rgb() & 0xFFFFFF; }
QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

QString screenshotDir() {
  QString dir = qEnvironmentVariable("VYX_SCREENSHOT_DIR", QDir::currentPath() + "/screenshots");
  QDir().mkpath(dir);
  return dir;
}

}  // namespace

TEST(SliderMouse, DraggingStopsOnIncrementsUnlessSmooth) {
  // The press grabs the thumb 4 pixels right of its left edge.
  struct Case {
    bool smooth;
    int mouseX, value, thumbLeft;
  } cases[] = {
      {false, 34, 20, 28}, {true, 34, 21, 30},      {false, 104, 70, 99},
      {true, 104, 71, 100}, {false, 300, 100, 141}, {true, -50, 0, 0},
  };
  for (const Case& c : cases) {
    TRxSlider slider;
    if (!c.smooth) slider.SetOptions(slider.Options() & ~SetOf(soSmooth));
    int changes = 0, changed = 0;
    slider.OnChange = [&](TControl*) { ++changes; };
    slider.OnChanged = [&](TControl*) { ++changed; };
    PressAt(&slider, {4, 8});
    MoveTo(&slider, {c.mouseX, 8});
    EXPECT_EQ(slider.Value(), c.value) << c.smooth << " " << c.mouseX;
    EXPECT_EQ(slider.ThumbRect().Left, c.thumbLeft) << c.smooth << " " << c.mouseX;
    EXPECT_EQ(changes, c.value == 0 ? 0 : 1) << c.smooth << " " << c.mouseX;
    ReleaseAt(&slider, {c.mouseX, 8});
    EXPECT_EQ(changed, 1) << c.smooth << " " << c.mouseX;
  }
}

TEST(SliderMouse, HoldingOnTheRulerStepsAtOnceThenEveryPeriodUntilTheMouse) {
  TRxSlider slider;
  int changed = 0;
  slider.OnChanged = [&](TControl*) { ++changed; };
  PressAt(&slider, {100, 8});
  EXPECT_EQ(slider.Value(), 10);
  EXPECT_TRUE(slider.TrackTimer().Enabled());
  EXPECT_EQ(slider.TrackTimer().Interval(), 400u);
  std::vector<int> values;
  for (int i = 0; i < 7; ++i) {
    tick(slider);
    values.push_back(slider.Value());
  }
  // The thumb covers x = 100 at 70 and stays there while the timer runs on.
  EXPECT_EQ(values, (std::vector<int>{20, 30, 40, 50, 60, 70, 70}));
  // Moving on in the same direction resumes the steps.
  MoveTo(&slider, {140, 8});
  values.clear();
  for (int i = 0; i < 4; ++i) {
    tick(slider);
    values.push_back(slider.Value());
  }
  EXPECT_EQ(values, (std::vector<int>{80, 90, 100, 100}));
  EXPECT_EQ(changed, 0);
  ReleaseAt(&slider, {140, 8});
  EXPECT_EQ(changed, 1);
  EXPECT_FALSE(slider.TrackTimer().Enabled());
}

TEST(SliderMouse, OnAVerticalSliderAPressAboveTheThumbStepsTowardsMaxValue) {
  TRxSlider slider;
  slider.SetOrientation(soVertical);
  PressAt(&slider, {9, 50});
  EXPECT_EQ(slider.Value(), 10);
  ReleaseAt(&slider, {9, 50});
}

TEST(SliderMouse, APressOutsideTheRulerBandOrOnAReadOnlySliderDoesNothing) {
  TRxSlider slider;
  PressAt(&slider, {100, 30});  // the band is the ruler (y 4..11) and 3 pixels around it
  EXPECT_EQ(slider.Value(), 0);
  EXPECT_FALSE(slider.TrackTimer().Enabled());
  ReleaseAt(&slider, {100, 30});
  slider.SetReadOnly(true);
  PressAt(&slider, {100, 8});
  EXPECT_EQ(slider.Value(), 0);
  PressAt(&slider, {4, 8});
  MoveTo(&slider, {60, 8});
  EXPECT_EQ(slider.Value(), 0);
}

TEST(SliderMouse, MakingTheSliderReadOnlyEndsADrag) {
  TRxSlider slider;
  int changed = 0;
  slider.OnChanged = [&](TControl*) { ++changed; };
  PressAt(&slider, {4, 8});
  MoveTo(&slider, {50, 8});
  int value = slider.Value();
  slider.SetReadOnly(true);
  EXPECT_EQ(changed, 1);
  MoveTo(&slider, {120, 8});
  EXPECT_EQ(slider.Value(), value);
}

TEST(SliderPaint, TicksMarkEveryStepAtLeastFourPixelsApartWithLongerEnds) {
  TRxSlider slider;  // ticks start at y 18, centred under the 9-pixel thumb (x + 4)
  QImage image = slider.Snapshot();
  QRgb text = rgbOf(clWindowText), window = rgbOf(clWindow);
  for (int i = 0; i <= 10; ++i) {
    int x = 4 + int(std::nearbyint(14.1 * i));
    EXPECT_EQ(pixel(image, x, 18), text) << i;
    EXPECT_EQ(pixel(image, x, 20), text) << i;
    EXPECT_EQ(pixel(image, x, 21), i == 0 || i == 10 ? text : window) << i;
    EXPECT_EQ(pixel(image, x, 23), window) << i;
  }
  // Increment 1 would put ticks 1.41 pixels apart: every third value gets one instead, and
  // the last one stands at MaxValue.
  slider.SetIncrement(1);
  image = slider.Snapshot();
  EXPECT_EQ(pixel(image, 4, 18), text);   // 0
  EXPECT_EQ(pixel(image, 5, 18), window);  // 1
  EXPECT_EQ(pixel(image, 7, 18), window);  // 2
  EXPECT_EQ(pixel(image, 8, 18), text);   // 3
  EXPECT_EQ(pixel(image, 139, 18), text);  // 96
  EXPECT_EQ(pixel(image, 145, 22), text);  // 100, a long end tick
  slider.SetOptions(slider.Options() & ~SetOf(soShowPoints));
  EXPECT_EQ(pixel(slider.Snapshot(), 4, 18), window);
}

TEST(SliderPaint, ADisabledSliderShowsTheThumbsSecondFrame) {
  TRxSlider slider;
  // (3, 2) lies on the thumb's face: plain in frame 1, checkered in frame 2.
  EXPECT_EQ(pixel(slider.Snapshot(), 3, 2), rgbOf(clSilver));
  slider.SetEnabled(false);
  EXPECT_EQ(pixel(slider.Snapshot(), 3, 2), rgbOf(clWhite));
  // The transparent corner of the thumb shows the ruler and the window colour, not teal.
  EXPECT_EQ(pixel(slider.Snapshot(), 0, 16), rgbOf(clWindow));
}

TEST(SliderPaint, ABevelLiesOnePixelInsideTheControlsColour) {
  TRxSlider slider;
  slider.SetColor(clYellow);
  slider.SetBevelStyle(bvLowered);
  QImage image = slider.Snapshot();
  EXPECT_EQ(pixel(image, 50, 0), rgbOf(clYellow));
  EXPECT_EQ(pixel(image, 50, 1), rgbOf(clBtnShadow));
  EXPECT_EQ(pixel(image, 50, 38), rgbOf(clBtnHighlight));
  EXPECT_EQ(pixel(image, 50, 39), rgbOf(clYellow));
  EXPECT_EQ(pixel(image, 50, 30), rgbOf(clYellow));
  slider.SetBevelStyle(bvRaised);
  EXPECT_EQ(pixel(slider.Snapshot(), 50, 1), rgbOf(clBtnHighlight));
}

TEST(SliderPaint, Screenshot) {
  QWidget form;
  form.resize(230, 170);
  auto* horizontal = new TRxSlider(&form);
  horizontal->SetBounds(10, 10, 150, 40);
  horizontal->SetValue(40);
  auto* bevelled = new TRxSlider(&form);
  bevelled->SetBounds(10, 60, 150, 40);
  bevelled->SetBevelStyle(bvLowered);
  bevelled->SetIncrement(5);
  bevelled->SetValue(85);
  auto* disabled = new TRxSlider(&form);
  disabled->SetBounds(10, 110, 150, 40);
  disabled->SetValue(60);
  disabled->SetEnabled(false);
  auto* vertical = new TRxSlider(&form);
  vertical->SetOrientation(soVertical);
  vertical->SetBounds(170, 10, 40, 150);
  vertical->SetValue(75);
  form.show();
  horizontal->setFocus();
  QCoreApplication::processEvents();
  QImage shot = form.grab().toImage();
  EXPECT_TRUE(shot.save(screenshotDir() + "/slider.png"));
}
