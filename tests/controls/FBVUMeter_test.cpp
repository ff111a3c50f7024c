// The drawn box and the VU meter: the bitmap that follows the size, the meter's bars and zones,
// levels lighting bars, the range setters, mono columns, and a screenshot.
#include <gtest/gtest.h>

#include <QApplication>

#include <cmath>

#include "Rxctrls_test.h"
#include "controls/DrawBox.h"
#include "controls/FBVUMeter.h"

using namespace gui;
using drawbox::TDrawBox;
using fbvumeter::TFBVUMeter;

namespace {

// The capture window's meter: 35 x 185 on black, -50..0 dB.
class Meter : public testing::Test {
protected:
  void SetUp() override {
    meter = new TFBVUMeter(&host.window);
    meter->SetBounds(8, 8, 35, 185);
    meter->SetLevelMin(-50);
    meter->SetBackGroundColor(clBlack);
  }
  TColor bitmapPixel(int x, int y) const { return meter->Bitmap().Canvas().Pixel(x, y); }
  // The colour in the middle of bar i of a column.
  TColor barColour(int i, int column = 0) const {
    int x = (meter->ColumnStart(column) + meter->ColumnEnd(column)) / 2;
    return bitmapPixel(x, meter->SegmentY(i));
  }

  rxtest::Host host;
  TFBVUMeter* meter = nullptr;
};

}  // namespace

TEST(DrawBox, KeepsASilverBitmapOfItsOwnSize) {
  rxtest::Host host;
  TDrawBox box(&host.window);
  EXPECT_EQ(box.Width(), 50);
  EXPECT_EQ(box.Height(), 50);
  EXPECT_EQ(box.BackGroundColor(), clSilver);
  EXPECT_EQ(box.Bitmap().Width(), 50);
  // Hidden controls get no resize events: the bounds setter resizes the bitmap itself.
  box.SetBounds(0, 0, 70, 30);
  EXPECT_EQ(box.Bitmap().Width(), 70);
  EXPECT_EQ(box.Bitmap().Height(), 30);
  box.SetBackGroundColor(clNavy);
  EXPECT_EQ(box.Bitmap().Canvas().Pixel(69, 29), clNavy);
  EXPECT_EQ(rxtest::pixelAt(box.Snapshot(), 35, 15), clNavy);
}

TEST_F(Meter, TheCaptureWindowsMeterHasSixtyOneBarsInThreeZones) {
  ASSERT_EQ(meter->M(), 60);
  for (int i = 0; i <= 60; ++i) {
    TColor expected = i >= 54 ? clRed : i >= 47 ? clYellow : clLime;
    EXPECT_EQ(meter->SegmentColor(i), expected) << i;
    EXPECT_EQ(meter->SegmentDimColor(i), TFBVUMeter::DimColor(expected)) << i;
    EXPECT_EQ(meter->SegmentY(i), 183 - 3 * i);
  }
  EXPECT_FLOAT_EQ(meter->Threshold(60), 1.0f);
  EXPECT_NEAR(meter->Threshold(0), std::pow(10.0, -2.5), 1e-6);
  // (M - i) / M is a fraction: halfway up lies -25 dB, not 0 dB or -50 dB.
  EXPECT_NEAR(meter->Threshold(30), std::pow(10.0, -1.25), 1e-6);
  EXPECT_EQ(meter->ColumnStart(0), 1);
  EXPECT_EQ(meter->ColumnEnd(0), 15);
  EXPECT_EQ(meter->ColumnStart(1), 18);
  EXPECT_EQ(meter->ColumnEnd(1), 33);
  // Every bar is drawn dim on the background.
  EXPECT_EQ(barColour(0), TFBVUMeter::DimColor(clLime));
  EXPECT_EQ(barColour(60, 1), TFBVUMeter::DimColor(clRed));
  EXPECT_EQ(bitmapPixel(16, 100), clBlack);
}

TEST_F(Meter, TheHeightGivesTheTopBar) {
  struct Case {
    int height, m;
  } cases[] = {{185, 60}, {9, 1}, {5, 1}, {400, 100}, {4, -1}, {2, -1}};
  for (const Case& c : cases) {
    meter->SetHeight(c.height);
    EXPECT_EQ(meter->M(), c.m) << c.height;
  }
}

TEST_F(Meter, LevelsLightTheBarsBelowThemAndAnEqualLevelStaysDim) {
  meter->SetLevels(1.0f, 1.0f);
  EXPECT_EQ(meter->LitCount(0), 60);
  EXPECT_EQ(meter->LitCount(1), 60);
  EXPECT_EQ(barColour(58), clRed);
  EXPECT_EQ(barColour(59), clRed);
  EXPECT_EQ(barColour(60), TFBVUMeter::DimColor(clRed)) << "the top bar is never lit";
  meter->SetLevels(0.0f, 0.0f);
  EXPECT_EQ(meter->LitCount(0), 0);
  EXPECT_EQ(barColour(0), TFBVUMeter::DimColor(clLime));
  // A level equal to bar 10's threshold lights bars 0..9 and leaves bar 10 dim, going up and
  // coming down alike.
  float level = meter->Threshold(10);
  meter->SetLevels(level, 0.5f);
  EXPECT_EQ(meter->LitCount(0), 10);
  EXPECT_EQ(barColour(9), clLime);
  EXPECT_EQ(barColour(10), TFBVUMeter::DimColor(clLime));
  meter->SetLevels(1.0f, 0.5f);
  meter->SetLevels(level, 0.5f);
  EXPECT_EQ(meter->LitCount(0), 10);
  EXPECT_EQ(barColour(10), TFBVUMeter::DimColor(clLime));
  EXPECT_EQ(meter->LitCount(1), 53);  // 0.5 is about -6 dB: above bar 52's -7.5 dB
}

TEST_F(Meter, WithoutBarsLevelsChangeNothing) {
  meter->SetHeight(4);
  ASSERT_LT(meter->M(), 0);
  QImage before = meter->Bitmap().Image();
  meter->SetLevels(1.0f, 1.0f);
  EXPECT_EQ(meter->LitCount(0), 0);
  EXPECT_EQ(meter->Bitmap().Image(), before);
}

TEST_F(Meter, TheRangeSettersKeepTheBoundsInOrder) {
  meter->SetLevelMax(-100);
  EXPECT_EQ(meter->levelMax(), -49);
  meter->SetLevelMax(0);
  meter->SetLevelMin(10);
  EXPECT_EQ(meter->levelMin(), -1);
  meter->SetLevelMin(-50);
  meter->SetLevelHigh(20);
  EXPECT_EQ(meter->levelHigh(), 0);
  meter->SetLevelMed(-90);
  EXPECT_EQ(meter->levelMed(), -50);
}

TEST_F(Meter, MonoDrawsOneColumnAndIgnoresTheRightLevel) {
  meter->SetStereo(false);
  EXPECT_EQ(meter->ColumnStart(0), 1);
  EXPECT_EQ(meter->ColumnEnd(0), 33);
  meter->SetLevels(0.0f, 1.0f);
  EXPECT_EQ(meter->LitCount(1), 0);
  meter->SetLevels(1.0f, 0.0f);
  EXPECT_EQ(meter->LitCount(0), 60);
  EXPECT_EQ(bitmapPixel(30, meter->SegmentY(5)), clLime);
}

// A new colour shows at once (the bars take it, not only the next size change).
TEST_F(Meter, ColoursHaveHalfBrightDimColoursAndShowAtOnce) {
  EXPECT_EQ(TFBVUMeter::DimColor(0x0000FF), 0x00007F);
  EXPECT_EQ(TFBVUMeter::DimColor(0x00FFFF), 0x007F7F);
  meter->SetColorLow(clBlue);
  EXPECT_EQ(meter->SegmentColor(0), clBlue);
  EXPECT_EQ(barColour(0), TFBVUMeter::DimColor(clBlue));
}

TEST_F(Meter, Screenshot) {
  host.window.resize(150, 201);
  auto* mono = new TFBVUMeter(&host.window);
  mono->SetBounds(60, 8, 35, 185);
  mono->SetBackGroundColor(clBlack);
  mono->SetStereo(false);
  auto* plain = new TFBVUMeter(&host.window);  // the default size and colours
  plain->SetLeft(110);
  plain->SetTop(8);
  host.Activate();
  meter->SetLevels(0.7f, 0.05f);
  mono->SetLevels(0.95f, 0.0f);
  plain->SetLevels(0.3f, 0.6f);
  QImage picture = host.window.grab().toImage();
  ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath("vumeter.png"))));
}
