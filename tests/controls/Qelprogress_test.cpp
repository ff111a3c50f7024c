#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <tuple>

#include "Rxctrls_test.h"
#include "controls/Qelprogress.h"

using namespace qelprogress;
using gui::TColor;

using rxtest::pixelAt;

TEST(QELProgress, ConstructorValuesDifferFromThreeDeclaredDefaults) {
  QELProgress p;
  EXPECT_EQ(p.BoundsRect(), gui::Bounds(10, 10, 100, 15));
  EXPECT_EQ(p.Min(), 0);
  EXPECT_EQ(p.Max(), 100);
  EXPECT_EQ(p.Progress(), 0);
  EXPECT_EQ(p.Kind(), prgHorizontal);
  EXPECT_EQ(p.Border(), 0);
  EXPECT_NE(p.Border(), QELProgress::kDeclaredBorder);
  EXPECT_EQ(p.BarColor(), gui::clTeal);
  EXPECT_EQ(p.BackColor(), gui::clMenu);
}

// The range rules are ProgressRange's (tested there); each setter must go through them.
TEST(QELProgress, RangeSettersGoThroughTheSharedRules) {
  QELProgress p;
  p.SetProgress(80);
  p.SetMax(50);       // below Progress: Progress falls back to Min
  p.SetMin(30);       // above Progress: Progress rises to it
  p.SetProgress(60);  // above Max: refused
  EXPECT_EQ(std::tuple(p.Min(), p.Max(), p.Progress()), std::tuple(30, 50, 30));
}

TEST(QELProgress, BorderMustFitTwiceIntoBothSides) {
  QELProgress p;  // 100 x 15
  p.SetBorder(7);
  EXPECT_EQ(p.Border(), 7);
  p.SetBorder(8);  // 16 is not below the height
  EXPECT_EQ(p.Border(), 7);
  p.SetBorder(-1);
  EXPECT_EQ(p.Border(), 7);
  p.SetBorder(INT_MAX);  // its double does not wrap round to a small value
  EXPECT_EQ(p.Border(), 7);
}

TEST(QELProgress, KindTradesWidthAndHeight) {
  QELProgress p;
  p.SetBounds(0, 0, 449, 12);
  p.SetStyle(prgVertical);
  EXPECT_EQ(p.Kind(), prgVertical);
  EXPECT_EQ(p.Width(), 12);
  EXPECT_EQ(p.Height(), 449);
  p.SetStyle(prgVertical);
  EXPECT_EQ(p.Width(), 12) << "already upright";
  p.SetStyle(prgHorizontal);
  EXPECT_EQ(p.Width(), 449);
  EXPECT_EQ(p.Height(), 12);
}

TEST(QELProgress, LightenAndDarkenKeepAChannelThatWouldOverflow) {
  struct Case {
    TColor color;
    bool lighten;
    TColor expected;
  };
  const Case cases[] = {
      {0x808000, true, 0xB3B333},
      {0xF0F0F0, true, 0xF0F0F0},
      {0x808000, false, 0x4D4D00},
      {0x10FF20, true, 0x43FF53},   // green stays, the others move
      {0x10FF20, false, 0x10CC20},  // blue and red would go below 0
      {gui::TColor(0x80000004), true, 0x333337},  // the top byte is dropped, not converted
  };
  for (const Case& c : cases) {
    const TColor got = c.lighten ? LightenColor(c.color, 51) : DarkenColor(c.color, 51);
    EXPECT_EQ(got, c.expected) << c.color << (c.lighten ? " lighten" : " darken");
  }
}

TEST(QELProgress, ShadesOfTeal) {
  const ShadeColors c = UpdateColors(gui::clTeal);
  EXPECT_EQ(c.base, 0x808000);
  EXPECT_EQ(c.light1, 0xB3B333);
  EXPECT_EQ(c.light2, 0xE6E666);
  EXPECT_EQ(c.light3, 0xE6E699);
  EXPECT_EQ(c.dark1, 0x4D4D00);
  EXPECT_EQ(c.dark2, 0x1A1A00);
  EXPECT_EQ(c.darkShadow, gui::GetSysColor(gui::COLOR_3DDKSHADOW));
  EXPECT_EQ(c.buttonShadow, gui::GetSysColor(gui::COLOR_BTNSHADOW));
  EXPECT_EQ(gui::GetRValue(c.middle),
            (gui::GetRValue(c.darkShadow) + gui::GetRValue(c.buttonShadow)) / 2);
}

// A system colour as bar colour is tinted from its RGB value, not from its index.
TEST(QELProgress, SystemBarColourIsConvertedBeforeTinting) {
  const ShadeColors c = UpdateColors(gui::clHighlight);
  const TColor rgb = gui::ColorToRGB(gui::clHighlight);
  EXPECT_EQ(c.base, rgb);
  EXPECT_EQ(c.light1, LightenColor(rgb, 51));
  EXPECT_EQ(c.dark1, DarkenColor(rgb, 51));
}

TEST(QELProgress, HorizontalBarAndItsEdges) {
  QELProgress p;
  p.SetBounds(0, 0, 100, 15);
  p.SetBackColor(gui::clWhite);
  p.SetProgress(50);
  const QImage image = p.Snapshot();
  const ShadeColors c = UpdateColors(gui::clTeal);
  struct Probe {
    int x, y;
    TColor expected;
    const char* what;
  };
  const Probe probes[] = {
      {10, 7, c.light3, "fill"},        {10, 11, c.light1, "lower light line"},
      {10, 2, c.light1, "upper light"}, {10, 10, c.light2, "light ring"},
      {0, 7, c.base, "left edge"},      {10, 12, c.base, "lower base line"},
      {10, 13, c.dark1, "lower dark"},  {48, 7, c.dark1, "right dark"},
      {49, 7, c.dark2, "right edge"},   {50, 7, c.middle, "end"},
      {51, 7, c.buttonShadow, "shadow"}, {70, 7, gui::clWhite, "trough"},
      {70, 0, gui::ColorToRGB(gui::clBtnShadow), "trough frame"},
      {70, 14, gui::ColorToRGB(gui::clBtnHighlight), "trough highlight"},
  };
  for (const Probe& pr : probes)
    EXPECT_EQ(pixelAt(image, pr.x, pr.y), pr.expected) << pr.what;
}

TEST(QELProgress, EmptyBarStillDrawsItsEdgesFromTheLeft) {
  QELProgress p;
  p.SetBounds(0, 0, 100, 15);
  const QImage image = p.Snapshot();
  const ShadeColors c = UpdateColors(gui::clTeal);
  EXPECT_EQ(pixelAt(image, 0, 7), c.middle) << "the end line on the left edge";
  EXPECT_EQ(pixelAt(image, 1, 7), c.buttonShadow);
  EXPECT_EQ(pixelAt(image, 50, 7), gui::ColorToRGB(gui::clMenu));
}

TEST(QELProgress, VerticalBarFillsFromTheBottom) {
  QELProgress p;
  p.SetBounds(0, 0, 15, 100);
  p.SetStyle(prgVertical);
  p.SetBackColor(gui::clWhite);
  p.SetProgress(25);
  const QImage image = p.Snapshot();
  const ShadeColors c = UpdateColors(gui::clTeal);
  EXPECT_EQ(pixelAt(image, 7, 90), c.light3);
  EXPECT_EQ(pixelAt(image, 7, 75), c.base) << "top edge";
  EXPECT_EQ(pixelAt(image, 7, 60), gui::clWhite);
  EXPECT_EQ(pixelAt(image, 14, 90), c.dark2);
}

// The whole int range as Min..Max: the span is taken in 64 bits, so half way is half the bar.
TEST(QELProgress, FullIntRangeDoesNotOverflow) {
  QELProgress p;
  p.SetBounds(0, 0, 100, 15);
  p.SetBackColor(gui::clWhite);
  p.SetMax(INT_MAX);
  p.SetMin(INT_MIN);
  p.SetProgress(0);
  ASSERT_EQ(p.Min(), INT_MIN);
  const QImage image = p.Snapshot();
  const ShadeColors c = UpdateColors(gui::clTeal);
  EXPECT_EQ(pixelAt(image, 30, 7), c.light3);
  EXPECT_EQ(pixelAt(image, 50, 7), c.middle);
  EXPECT_EQ(pixelAt(image, 70, 7), gui::clWhite);
}
