// Tests of the scrolling text panel: the scroll length and the end of a run (stopping or
// cycling), where the text enters (bottom, right, or left when reading right to left), leading
// blank lines, the room a glyph takes, children hidden while playing, a restart when the lines
// change, tall fonts, and ticks handled on the GUI thread.
#include "controls/dormant/SecretPanel.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace rxctrls;
using gui::TRect;

namespace {

class ProbePanel : public TSecretPanel {
public:
  using TSecretPanel::TimerExpired;
  int stops = 0;

  ProbePanel() {
    SetBounds(0, 0, 200, 120);
    OnStopPlay = [this](TSecretPanel*) { ++stops; };
  }
  // The base's destructor stops a playing panel, when this part of it is already gone.
  ~ProbePanel() override { OnStopPlay = nullptr; }
  void tick(int n) {
    for (int i = 0; i < n; ++i) TimerExpired();
  }
};

// The bounding rows or columns of pixels that differ from the image's background colour.
struct Ink {
  int minX = INT_MAX, maxX = -1, minY = INT_MAX, maxY = -1;
};
Ink inkOf(const gui::TBitmap& image, QRgb background) {
  Ink ink;
  const QImage& pixels = image.Image();
  for (int y = 0; y < pixels.height(); ++y) {
    for (int x = 0; x < pixels.width(); ++x) {
      if ((pixels.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
      ink.minX = std::min(ink.minX, x);
      ink.maxX = std::max(ink.maxX, x);
      ink.minY = std::min(ink.minY, y);
      ink.maxY = std::max(ink.maxY, y);
    }
  }
  return ink;
}

QRgb backgroundOf(TSecretPanel& panel) {
  return panel.MemoryImage()->Image().pixel(panel.MemoryImage()->Width() / 2, 0);
}

}  // namespace

TEST(SecretPanel, VerticalRunLengthAndItsEnd) {
  for (bool cycled : {false, true}) {
    ProbePanel panel;
    panel.Lines().SetText("\r\n  \r\nA\r\nB\r\nC");
    panel.SetCycled(cycled);
    panel.Play();
    EXPECT_EQ(panel.FirstLine(), 2) << "leading blank lines are skipped";
    const int n = 3;
    EXPECT_EQ(panel.ScrollMax(), panel.TxtRect().Height() + n * panel.LineHeight());

    panel.tick(panel.ScrollMax());
    EXPECT_EQ(panel.ScrollCnt(), panel.ScrollMax());
    EXPECT_TRUE(panel.Active());
    panel.tick(1);
    EXPECT_EQ(panel.Active(), cycled);
    EXPECT_EQ(panel.stops, cycled ? 0 : 1);
    EXPECT_EQ(panel.ScrollCnt(), 0);
  }
}

TEST(SecretPanel, TextEntersFromItsEdge) {
  struct Case {
    TScrollDirection direction;
    TBiDiMode bidi;
  };
  for (const Case& c : {Case{sdVertical, bdLeftToRight}, Case{sdHorizontal, bdLeftToRight},
                        Case{sdHorizontal, bdRightToLeft}}) {
    ProbePanel panel;
    panel.Lines().SetText("\r\nWWWW\r\nMMMM");
    panel.SetScrollDirection(c.direction);
    panel.SetBiDiMode(c.bidi);
    panel.Play();
    const TRect area = panel.TxtRect();
    const int k = 6;
    panel.tick(k);
    Ink ink = inkOf(*panel.MemoryImage(), backgroundOf(panel));
    ASSERT_GE(ink.maxX, 0) << "some text is drawn";
    if (c.direction == sdVertical) {
      EXPECT_GE(ink.minY, area.Height() - k) << "the first line rises from the bottom edge";
    } else if (c.bidi == bdLeftToRight) {
      EXPECT_GE(ink.minX, area.Width() - k) << "the block comes in from the right";
    } else {
      EXPECT_LT(ink.maxX, k) << "reading right to left, from the left";
    }
  }
}

TEST(SecretPanel, GlyphTakesItsRoomFromTheTextArea) {
  gui::TBitmap glyph(20, 10);
  struct Case {
    TGlyphLayout layout;
    int leftGrows, topGrows;
  };
  // W = bevel width 1 + 3.
  const int w = 4;
  for (const Case& c : {Case{glGlyphLeft, 20 + 3 + w, 0}, Case{glGlyphTop, 0, 10 + 3 + w + 3}}) {
    ProbePanel plain, withGlyph;
    for (ProbePanel* p : {&plain, &withGlyph}) {
      p->Lines().SetText("text");
      p->SetGlyphLayout(c.layout);
    }
    withGlyph.SetGlyph(glyph);
    plain.Play();
    withGlyph.Play();
    EXPECT_EQ(withGlyph.TxtRect().Left - plain.TxtRect().Left, c.leftGrows) << c.layout;
    EXPECT_EQ(withGlyph.TxtRect().Top - plain.TxtRect().Top, c.topGrows) << c.layout;
  }
}

TEST(SecretPanel, ChildrenHideWhilePlayingAndOnlyThoseComeBack) {
  ProbePanel panel;
  panel.Lines().SetText("x");
  QWidget shown(&panel), hidden(&panel);
  hidden.hide();
  panel.Play();
  EXPECT_TRUE(shown.isHidden());
  panel.Stop();
  EXPECT_FALSE(shown.isHidden());
  EXPECT_TRUE(hidden.isHidden()) << "a child hidden before stays hidden";
}

TEST(SecretPanel, ChangingLinesWhilePlayingRestarts) {
  ProbePanel panel;
  panel.Lines().SetText("one\r\ntwo");
  panel.Play();
  panel.tick(10);
  ASSERT_EQ(panel.ScrollCnt(), 10);
  panel.Lines().Add("three");
  EXPECT_EQ(panel.ScrollCnt(), 0);
  EXPECT_EQ(panel.ScrollMax(), panel.TxtRect().Height() + 3 * panel.LineHeight());
}

TEST(SecretPanel, TallFontsKeepTheirLineHeight) {
  ProbePanel panel;
  panel.SetBounds(0, 0, 400, 600);
  gui::TFont font = panel.Font();
  font.Height = -300;
  panel.SetFont(font);
  panel.Lines().SetText("A\r\nB");
  panel.Play();
  EXPECT_GT(panel.LineHeight(), 255);
  EXPECT_EQ(panel.ScrollMax(), panel.TxtRect().Height() + 2 * panel.LineHeight());
}

TEST(SecretPanel, TicksAreHandledOnTheGuiThread) {
  ProbePanel panel;
  panel.Lines().SetText("x");
  panel.SetAsyncDrawing(true);
  panel.Play();
  EXPECT_TRUE(panel.Timer().Enabled());
  EXPECT_EQ(panel.Timer().Interval(), 30u);
  EXPECT_TRUE(panel.Timer().SyncEvent()) << "the worker never draws";
  panel.Stop();
  EXPECT_FALSE(panel.Timer().Enabled());
  EXPECT_EQ(panel.MemoryImage(), nullptr);
}
