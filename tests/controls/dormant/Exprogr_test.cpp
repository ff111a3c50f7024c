#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <tuple>

#include "../Rxctrls_test.h"
#include "controls/dormant/Exprogr.h"

using namespace exprogr;
using gui::TColor;
using rxtest::pixelAt;

TEST(TProgress, ConstructorGivesTheDeclaredDefaults) {
  TProgress p;
  EXPECT_EQ(p.BoundsRect(), gui::Bounds(10, 10, 100, 25));
  EXPECT_EQ(p.Min(), 0);
  EXPECT_EQ(p.Max(), 100);
  EXPECT_EQ(p.Progress(), 0);
  EXPECT_EQ(p.Border(), 1);
  EXPECT_EQ(p.InterCount(), 10);
  EXPECT_EQ(p.InterSize(), 2);
  EXPECT_TRUE(p.ShowText());
  EXPECT_FALSE(p.ShowInter());
  EXPECT_FALSE(p.ShowOutline());
  EXPECT_FALSE(p.Gradiental());
  EXPECT_EQ(p.PaintStyle(), ptHoriz);
  EXPECT_EQ(p.BarColor(), 0xFF0000u);
  EXPECT_EQ(p.BackColor(), 0xFFFFFFu);
  EXPECT_EQ(p.FontColor(), 0xFFFFFFu);
  EXPECT_EQ(p.BeginColor(), 0x800000u);
  EXPECT_EQ(p.EndColor(), 0x00FF00u);
  EXPECT_EQ(p.InterColor(), 0xFFFFFFu);
  EXPECT_EQ(p.OutlineColor(), 255u);
}

// The range rules are ProgressRange's (tested there); each setter must go through them.
TEST(TProgress, RangeSettersGoThroughTheSharedRules) {
  TProgress p;
  p.SetMin(10);
  p.SetProgress(80);
  p.SetMax(50);        // below Progress: Progress falls back to Min
  p.SetProgress(120);  // above Max: refused
  EXPECT_EQ(std::tuple(p.Min(), p.Max(), p.Progress()), std::tuple(10, 50, 10));
}

TEST(TProgress, BorderMustFitTwiceIntoBothSides) {
  TProgress p;  // 100 x 25
  p.SetBorder(12);
  EXPECT_EQ(p.Border(), 12);
  p.SetBorder(13);  // 26 is not below 25
  EXPECT_EQ(p.Border(), 12);
  p.SetBorder(-1);
  EXPECT_EQ(p.Border(), 12);
  p.SetBorder(INT_MAX);  // its double does not wrap round to a small value
  EXPECT_EQ(p.Border(), 12);
}

TEST(TProgress, MarksTextAndOutlineExcludeEachOther) {
  TProgress p;
  p.SetShowOutline(true);
  EXPECT_FALSE(p.ShowOutline()) << "no outline without marks";
  p.SetShowInter(true);
  EXPECT_FALSE(p.ShowText()) << "the marks turn the text off";
  p.SetShowText(true);
  EXPECT_FALSE(p.ShowText()) << "no text while the marks show";
  p.SetShowOutline(true);
  EXPECT_TRUE(p.ShowOutline());
  p.SetShowInter(false);
  EXPECT_FALSE(p.ShowOutline()) << "hiding the marks hides the outline";
  EXPECT_FALSE(p.ShowText()) << "the text does not come back by itself";
  p.SetShowText(true);
  EXPECT_TRUE(p.ShowText());
}

TEST(TProgress, NegativeDivisionCountIsRefused) {
  TProgress p;
  p.SetInterCount(-1);
  EXPECT_EQ(p.InterCount(), 10);
  p.SetInterCount(0);
  EXPECT_EQ(p.InterCount(), 0);
  p.SetShowInter(true);
  p.SetInterCount(-1);
  EXPECT_FALSE(p.Snapshot().isNull()) << "painting with one division";
  p.SetInterSize(INT_MAX);
  EXPECT_FALSE(p.Snapshot().isNull()) << "a mark wider than any control";
}

// The percentage counts from Min and is worked out in 64 bits.
TEST(TProgress, PercentTextAndBarLength) {
  struct Case {
    int min, max, progress, width;
    TPaintStyle style;
    int percent, length;
    const char* text;
  };
  const Case cases[] = {
      {0, 100, 50, 100, ptHoriz, 50, 46, "50%"},  // 50 x 93 div 100
      {0, 100, 100, 100, ptHoriz, 100, 93, "100%"},
      {0, 100, 0, 100, ptHoriz, 0, 0, "0%"},
      {100, 200, 150, 100, ptHoriz, 50, 46, "50%"},
      {-100, 100, 0, 100, ptHoriz, 50, 46, "50%"},
      {INT_MIN, INT_MAX, INT_MAX, 100, ptHoriz, 100, 93, "100%"},
      {0, INT_MAX, INT_MAX / 2, 100, ptHoriz, 49, 45, "49%"},
      {0, 100, 50, 100, ptVert, 50, 9, "50%"},  // 50 x (25 - 4 - 2) div 100
  };
  for (const Case& c : cases) {
    TProgress p;
    p.SetMax(c.max);
    p.SetMin(c.min);
    p.SetProgress(c.progress);
    p.SetPaintStyle(c.style);
    EXPECT_EQ(p.Percent(), c.percent) << c.min << ".." << c.max << " at " << c.progress;
    EXPECT_EQ(p.BarLength(), c.length) << c.min << ".." << c.max << " at " << c.progress;
    EXPECT_EQ(p.PercentText(), c.text);
  }
}

namespace {

TProgress* makeBar(TProgress& p, int progress) {
  p.SetBounds(0, 0, 100, 25);
  p.SetProgress(progress);
  return &p;
}

}  // namespace

TEST(TProgress, SolidHorizontalBarInSunkenTrough) {
  TProgress p;
  makeBar(p, 50);
  p.SetShowText(false);
  const QImage image = p.Snapshot();
  struct Probe {
    int x, y;
    TColor expected;
  };
  const Probe probes[] = {
      {0, 10, rxtest::rgb(gui::clBtnShadow)},
      {50, 0, rxtest::rgb(gui::clBtnShadow)},
      {99, 10, rxtest::rgb(gui::clBtnHighlight)},
      {50, 24, rxtest::rgb(gui::clBtnHighlight)},
      {1, 10, gui::clBlack},
      {50, 1, gui::clBlack},
      {98, 10, rxtest::rgb(gui::clBtnFace)},
      {3, 3, 0xFF0000},    // the bar's first pixel
      {48, 21, 0xFF0000},  // its last: 3 + 46 - 1
      {49, 12, 0xFFFFFF},
      {2, 12, 0xFFFFFF},   // the border
  };
  for (const Probe& pr : probes)
    EXPECT_EQ(pixelAt(image, pr.x, pr.y), pr.expected) << pr.x << "," << pr.y;
}

// The text is white on the bar and in the font's colour beside it (glyph edges are smoothed, so
// text pixels are told by their green share: none in the blue bar, all in the white trough).
TEST(TProgress, TextTakesFontColourOnTheBar) {
  TProgress p;
  makeBar(p, 100);
  gui::TFont font = p.Font();
  font.Color = gui::clBlack;
  p.SetFont(font);
  const QImage full = p.Snapshot();
  p.SetProgress(0);
  const QImage empty = p.Snapshot();
  int whiteOnBar = 0, blackOnBack = 0;
  for (int y = 3; y < 22; ++y) {
    for (int x = 3; x < 96; ++x) {
      if (gui::GetGValue(pixelAt(full, x, y)) > 0x80) ++whiteOnBar;
      if (gui::GetGValue(pixelAt(empty, x, y)) < 0x80) ++blackOnBack;
    }
  }
  EXPECT_GT(whiteOnBar, 5);
  EXPECT_GT(blackOnBack, 5);
}

TEST(TProgress, GradientRunsFromBeginToEndAndStopsAtTheBar) {
  TProgress p;
  makeBar(p, 50);
  p.SetShowText(false);
  p.SetGradiental(true);
  p.SetBeginColor(0x000000);
  p.SetEndColor(0xFFFFFF);
  const QImage image = p.Snapshot();
  EXPECT_EQ(pixelAt(image, 3, 12), 0x010101u) << "band 0 is less than a pixel wide";
  const TColor mid = pixelAt(image, 40, 12);
  EXPECT_GT(gui::GetRValue(mid), 0x40);
  EXPECT_LT(gui::GetRValue(mid), 0x80);
  EXPECT_EQ(pixelAt(image, 49, 12), 0xFFFFFFu) << "covered beyond the bar";
  EXPECT_EQ(pixelAt(image, 94, 12), 0xFFFFFFu);
}

TEST(TProgress, VerticalBarGrowsFromTheBottom) {
  TProgress p;
  p.SetBounds(0, 0, 25, 100);
  p.SetPaintStyle(ptVert);
  p.SetShowText(false);
  p.SetProgress(50);  // 50 x 94 div 100 = 47 rows above the interior's bottom at 97
  const QImage image = p.Snapshot();
  EXPECT_EQ(pixelAt(image, 12, 96), 0xFF0000u);
  EXPECT_EQ(pixelAt(image, 12, 50), 0xFF0000u);
  EXPECT_EQ(pixelAt(image, 12, 49), 0xFFFFFFu);
}

TEST(TProgress, DivisionMarksAndOutline) {
  TProgress p;
  makeBar(p, 0);
  p.SetShowInter(true);
  p.SetInterCount(1);  // two divisions: step 46.5
  p.SetInterColor(0x00FF00);
  p.SetShowOutline(true);
  const QImage image = p.Snapshot();
  // Mark 0 ends at trunc(0 + 3 + 2) = 5, mark 1 at trunc(46.5 + 5) = 51.
  EXPECT_EQ(pixelAt(image, 3, 12), 0x00FF00u);
  EXPECT_EQ(pixelAt(image, 4, 12), 0x00FF00u);
  EXPECT_EQ(pixelAt(image, 49, 12), 0x00FF00u);
  EXPECT_EQ(pixelAt(image, 50, 12), 0x00FF00u);
  EXPECT_EQ(pixelAt(image, 48, 12), 0x0000FFu) << "the outline's right edge";
  EXPECT_EQ(pixelAt(image, 20, 3), 0x0000FFu) << "the outline's top edge";
  EXPECT_EQ(pixelAt(image, 20, 12), 0xFFFFFFu);
}
