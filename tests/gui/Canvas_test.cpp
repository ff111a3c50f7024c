#include <gtest/gtest.h>

#include <QFontMetrics>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/CanvasRaster.h"

using namespace gui;

namespace {

constexpr TColor kPaper = clWhite;

// A 20 x 20 white bitmap; `marks` renders a region as text ('#' = not paper) for messages.
class CanvasTest : public testing::Test {
protected:
  CanvasTest() : bitmap(20, 20) {}
  TCanvas& canvas() { return bitmap.Canvas(); }
  TColor at(int x, int y) { return canvas().Pixel(x, y); }
  std::string marks(int x0, int y0, int x1, int y1) {
    std::string out;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) out += at(x, y) == kPaper ? '.' : '#';
      out += '\n';
    }
    return out;
  }
  TBitmap bitmap;
};

}  // namespace

TEST_F(CanvasTest, LinesLeaveOutTheirEndPixel) {
  struct Case {
    TPoint from, to;
    const char* picture;  // the 6 x 6 area from (0, 0)
  } cases[] = {
      {{1, 2}, {5, 2}, "......\n......\n.####.\n......\n......\n......\n"},
      {{5, 2}, {1, 2}, "......\n......\n..####\n......\n......\n......\n"},
      {{3, 0}, {3, 4}, "...#..\n...#..\n...#..\n...#..\n......\n......\n"},
      {{0, 0}, {4, 4}, "#.....\n.#....\n..#...\n...#..\n......\n......\n"},
      {{2, 2}, {2, 2}, "......\n......\n......\n......\n......\n......\n"},
  };
  for (const Case& c : cases) {
    canvas().FillRect(Rect(0, 0, 20, 20));
    canvas().MoveTo(c.from.X, c.from.Y);
    canvas().LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(marks(0, 0, 6, 6), c.picture);
    EXPECT_EQ(canvas().PenPos(), c.to);
  }
}

TEST_F(CanvasTest, RectangleEdgesRightAndBottomAreExclusive) {
  canvas().Brush.Color = clRed;
  canvas().Rectangle(1, 1, 5, 4);
  EXPECT_EQ(marks(0, 0, 7, 6), ".......\n.####..\n.####..\n.####..\n.......\n.......\n");
  EXPECT_EQ(at(1, 1), clBlack);
  EXPECT_EQ(at(4, 3), clBlack);
  EXPECT_EQ(at(2, 2), clRed);
  EXPECT_EQ(at(3, 2), clRed);

  // Without a pen the inside is one pixel narrower and lower.
  canvas().Brush.Color = clWhite;
  canvas().FillRect(Rect(0, 0, 20, 20));
  canvas().Brush.Color = clBlue;
  canvas().Pen.Style = psClear;
  canvas().Rectangle(1, 1, 5, 4);
  EXPECT_EQ(marks(0, 0, 7, 6), ".......\n.###...\n.###...\n.......\n.......\n.......\n");
}

TEST_F(CanvasTest, FillAndFrameRectUseTheBrushOnly) {
  canvas().Brush.Color = clGreen;
  canvas().Pen.Mode = pmXor;  // no effect on fills
  canvas().FillRect(Rect(1, 1, 4, 3));
  EXPECT_EQ(marks(0, 0, 6, 5), "......\n.###..\n.###..\n......\n......\n");
  EXPECT_EQ(at(3, 2), clGreen);
  canvas().Brush.Color = clWhite;
  canvas().FillRect(Rect(0, 0, 20, 20));
  canvas().Brush.Color = clNavy;
  canvas().FrameRect(Rect(1, 1, 5, 5));
  EXPECT_EQ(marks(0, 0, 6, 6), "......\n.####.\n.#..#.\n.#..#.\n.####.\n......\n");
  canvas().Brush.Style = bsClear;
  canvas().FillRect(Rect(0, 0, 20, 20));
  EXPECT_EQ(at(1, 1), clNavy);
}

TEST_F(CanvasTest, XorAndNotPensTwiceRestoreThePicture) {
  canvas().Brush.Color = RGB(10, 200, 30);
  canvas().FillRect(Rect(0, 0, 10, 20));
  QImage before = bitmap.Image().copy();
  for (TPenMode mode : {pmXor, pmNot, pmNotXor}) {
    canvas().Pen.Mode = mode;
    canvas().Pen.Color = RGB(255, 0, 128);
    for (int pass = 0; pass < 2; ++pass) {
      canvas().MoveTo(2, 1);
      canvas().LineTo(15, 9);
      canvas().Brush.Color = clYellow;
      canvas().Rectangle(3, 3, 12, 8);
    }
    EXPECT_EQ(bitmap.Image(), before) << mode;
  }
  canvas().Pen.Mode = pmXor;
  canvas().MoveTo(0, 0);
  canvas().LineTo(3, 0);
  EXPECT_EQ(at(1, 0), RGB(10, 200, 30) ^ RGB(255, 0, 128));
  canvas().Pen.Mode = pmNot;
  canvas().LineTo(3, 5);
  EXPECT_EQ(at(3, 1), ~RGB(10, 200, 30) & 0xFFFFFF);
}

TEST_F(CanvasTest, FocusRectInvertsEveryOtherFramePixel) {
  QImage before = bitmap.Image().copy();
  canvas().DrawFocusRect(Rect(2, 2, 8, 6));
  EXPECT_EQ(marks(1, 1, 9, 7), "........\n.#.#.#..\n......#.\n.#......\n..#.#.#.\n........\n");
  canvas().DrawFocusRect(Rect(2, 2, 8, 6));
  EXPECT_EQ(bitmap.Image(), before);
}

TEST_F(CanvasTest, StyledPenFillsItsGapsOnAnOpaqueBackground) {
  canvas().Pen.Style = psDot;
  canvas().MoveTo(0, 0);
  canvas().LineTo(12, 0);
  EXPECT_EQ(marks(0, 0, 12, 1), "###...###...\n");
  canvas().Brush.Color = clRed;  // a solid brush makes the background opaque in its colour
  canvas().MoveTo(0, 1);
  canvas().LineTo(7, 1);
  EXPECT_EQ(at(3, 1), clRed);
  EXPECT_EQ(at(6, 1), clBlack);
}

TEST_F(CanvasTest, ClipOriginAndSavedStates) {
  int saved = canvas().SaveDC();
  canvas().SetOrigin({5, 5});
  canvas().IntersectClipRect(Rect(0, 0, 3, 2));
  EXPECT_EQ(canvas().ClipRect(), Rect(0, 0, 3, 2));
  canvas().Brush.Color = clBlack;
  canvas().FillRect(Rect(-5, -5, 15, 15));
  EXPECT_EQ(canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(canvas().Pixel(3, 0), CLR_INVALID);  // outside the clip
  canvas().RestoreDC(saved);
  EXPECT_EQ(marks(4, 4, 9, 8), ".....\n.###.\n.###.\n.....\n");
  EXPECT_EQ(canvas().ClipRect(), Rect(0, 0, 20, 20));
  canvas().ExcludeClipRect(Rect(0, 0, 20, 19));
  canvas().FillRect(Rect(0, 0, 20, 20));
  EXPECT_EQ(at(0, 19), clBlack);
  EXPECT_EQ(at(0, 0), CLR_INVALID);  // Pixel reads inside the clip only
  canvas().SelectClipRegion(nullptr);
  EXPECT_EQ(at(0, 0), clWhite);
  EXPECT_EQ(canvas().Pixel(20, 0), CLR_INVALID);
}

TEST_F(CanvasTest, RasterOperationsCombinePatternSourceAndDestination) {
  TBitmap source(1, 1);
  const TColor p = RGB(0xF0, 0x0F, 0x33), s = RGB(0xCC, 0xAA, 0x0F), d = RGB(0xAA, 0xCC, 0xF0);
  source.Canvas().SetPixel(0, 0, s);
  struct Case {
    uint32_t rop;
    TColor expected;
  } cases[] = {
      {SRCCOPY, s},           {SRCAND, s & d},        {SRCPAINT, s | d},
      {SRCINVERT, s ^ d},     {NOTSRCCOPY, ~s & 0xFFFFFF},
      {MERGEPAINT, (~s | d) & 0xFFFFFF},               {SRCERASE, s & ~d & 0xFFFFFF},
      {NOTSRCERASE, ~(s | d) & 0xFFFFFF},              {PATCOPY, p},
      {PATINVERT, p ^ d},     {DSTINVERT, ~d & 0xFFFFFF}, {MERGECOPY, p & s},
      {BLACKNESS, 0},         {WHITENESS, 0xFFFFFF},  {0xE20746, (s & p) | (~s & d & 0xFFFFFF)},
  };
  for (const Case& c : cases) {
    canvas().SetPixel(0, 0, d);
    canvas().Brush.Color = p;
    canvas().BitBlt(0, 0, 1, 1, source.Canvas(), 0, 0, c.rop);
    EXPECT_EQ(at(0, 0), c.expected) << std::hex << c.rop;
  }
}

TEST_F(CanvasTest, StretchAndCopyRect) {
  TBitmap source(2, 2);
  source.Canvas().SetPixel(0, 0, clRed);
  source.Canvas().SetPixel(1, 0, clLime);
  source.Canvas().SetPixel(0, 1, clBlue);
  source.Canvas().SetPixel(1, 1, clBlack);
  canvas().StretchDraw(Rect(0, 0, 4, 4), source);
  EXPECT_EQ(at(1, 1), clRed);
  EXPECT_EQ(at(2, 1), clLime);
  EXPECT_EQ(at(1, 2), clBlue);
  EXPECT_EQ(at(3, 3), clBlack);
  EXPECT_EQ(at(4, 4), clWhite);
  canvas().CopyMode = SRCINVERT;
  canvas().CopyRect(Rect(10, 10, 11, 11), source.Canvas(), Rect(1, 0, 2, 1));
  EXPECT_EQ(at(10, 10), clWhite ^ clLime);
  // Pixels whose source lies off the source picture are left as they were.
  canvas().BitBlt(12, 12, 3, 3, source.Canvas(), 1, 0, SRCINVERT);
  EXPECT_EQ(at(12, 12), clWhite ^ clLime);
  EXPECT_EQ(at(12, 13), clWhite ^ clBlack);
  EXPECT_EQ(at(13, 12), clWhite);
  EXPECT_EQ(at(12, 14), clWhite);
  // A blit within one canvas reads the pixels as they were before it.
  canvas().CopyMode = SRCCOPY;
  canvas().CopyRect(Rect(1, 0, 5, 4), canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(at(3, 1), clLime);
}

TEST_F(CanvasTest, TransparentBitmapLeavesOutItsLowerLeftColour) {
  TBitmap glyph(3, 2);
  glyph.Canvas().Brush.Color = clFuchsia;
  glyph.Canvas().FillRect(Rect(0, 0, 3, 2));
  glyph.Canvas().SetPixel(1, 0, clRed);
  glyph.Canvas().SetPixel(2, 1, clBlack);
  EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
  canvas().Brush.Color = clBlue;
  canvas().FillRect(Rect(0, 0, 20, 20));
  glyph.SetTransparent(true);
  canvas().Draw(5, 5, glyph);
  EXPECT_EQ(at(5, 5), clBlue);
  EXPECT_EQ(at(6, 5), clRed);
  EXPECT_EQ(at(7, 6), clBlack);
  EXPECT_EQ(at(5, 6), clBlue);
  glyph.SetTransparent(false);
  canvas().Draw(5, 5, glyph);
  EXPECT_EQ(at(5, 5), clFuchsia);
  // A fixed colour replaces the lower-left pixel's.
  glyph.SetTransparentColor(clRed);
  EXPECT_EQ(glyph.TransparentMode(), tmFixed);
  EXPECT_EQ(glyph.TransparentColor(), clRed);
  glyph.SetTransparentColor(clDefault);
  EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
}

TEST_F(CanvasTest, MonochromeBitmapsFollowTextAndBackgroundColours) {
  TBitmap mask(2, 1);
  mask.Canvas().SetPixel(0, 0, clRed);
  mask.Canvas().SetPixel(1, 0, clGreen);
  mask.Canvas().Brush.Color = clRed;  // the conversion makes the brush colour white
  mask.SetMonochrome(true);
  EXPECT_TRUE(mask.Monochrome());
  EXPECT_EQ(mask.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(mask.Canvas().Pixel(1, 0), clBlack);
  EXPECT_EQ(mask.TransparentColor(), clWhite);
  mask.Canvas().SetPixel(1, 0, RGB(200, 200, 200));  // a light colour becomes white
  EXPECT_EQ(mask.Canvas().Pixel(1, 0), clWhite);
  mask.Canvas().SetPixel(1, 0, clBlack);

  // Monochrome to colour: black takes the text colour, white the background colour.
  canvas().SetTextColor(clNavy);
  canvas().SetBkColor(clYellow);
  canvas().BitBlt(0, 0, 2, 1, mask.Canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(at(0, 0), clYellow);
  EXPECT_EQ(at(1, 0), clNavy);
  // Colour to monochrome: the source's background colour becomes white.
  TBitmap target(2, 1);
  target.SetMonochrome(true);
  canvas().SetBkColor(clNavy);
  target.Canvas().BitBlt(0, 0, 2, 1, canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), clWhite);
  // A transparent monochrome bitmap leaves out its white pixels.
  mask.SetTransparent(true);
  canvas().Brush.Color = clGreen;
  canvas().FillRect(Rect(0, 0, 2, 1));
  canvas().Draw(0, 0, mask);
  EXPECT_EQ(at(0, 0), clGreen);
  EXPECT_EQ(at(1, 0), clBlack);
}

TEST_F(CanvasTest, ObjectChangesResetTheDeviceColours) {
  canvas().Font.Color = clRed;
  EXPECT_EQ(canvas().TextColor(), clRed);
  canvas().SetTextColor(clBlue);
  EXPECT_EQ(canvas().TextColor(), clBlue);
  canvas().Font.Color = clLime;
  EXPECT_EQ(canvas().TextColor(), clLime);
  canvas().Brush.Color = clYellow;
  EXPECT_EQ(canvas().BkColor(), clYellow);
  EXPECT_EQ(canvas().BkMode(), OPAQUE);
  canvas().Brush.Style = bsClear;
  EXPECT_EQ(canvas().BkMode(), TRANSPARENT);
  EXPECT_EQ(canvas().BkColor(), ~clYellow & 0xFFFFFF);
}

TEST_F(CanvasTest, PatternBrushRepeatsFromTheDeviceOrigin) {
  TBitmap pattern(8, 8);
  pattern.Canvas().Brush.Color = clWhite;
  pattern.Canvas().FillRect(Rect(0, 0, 8, 8));
  pattern.Canvas().SetPixel(0, 0, clBlack);
  pattern.SetMonochrome(true);
  canvas().Brush.Bitmap = &pattern;
  canvas().Font.Color = clRed;     // black pattern pixels
  canvas().Brush.Color = clWhite;  // white ones
  canvas().FillRect(Rect(0, 0, 17, 9));
  EXPECT_EQ(at(0, 0), clRed);
  EXPECT_EQ(at(8, 8), clRed);
  EXPECT_EQ(at(16, 0), clRed);
  EXPECT_EQ(at(1, 0), clWhite);
}

// Fills and pattern blits resolve the brush once per operation; every pixel must still be what
// the brush rule gives for it, for each kind of brush, through an origin and a two-part clip.
TEST(CanvasBrushTest, FillsPutThePixelsOfThePerPixelBrushRule) {
  TBitmap colourPattern(3, 2), monoPattern(8, 8), widePattern(11, 9);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 11; ++x) {
      widePattern.Canvas().SetPixel(x, y, RGB(x * 20, y * 25, 90));
      if (x < 3 && y < 2) colourPattern.Canvas().SetPixel(x, y, RGB(x * 100, y * 200, 30));
      if (x < 8 && y < 8) monoPattern.Canvas().SetPixel(x, y, (x * y) % 3 ? clWhite : clBlack);
    }
  }
  monoPattern.SetMonochrome(true);
  struct Case {
    const char* name;
    TBrush brush;
    bool transparentHatch = false;
    bool monochromeTarget = false;
  } cases[] = {
      {"solid", {clRed, bsSolid}},
      {"solid system colour", {clBtnFace, bsSolid}},
      {"solid on monochrome target", {clSilver, bsSolid}, false, true},
      {"clear", {clRed, bsClear}},
      {"horizontal", {clBlue, bsHorizontal}},
      {"vertical transparent", {clBlue, bsVertical}, true},
      {"forward diagonal", {clGreen, bsFDiagonal}},
      {"backward diagonal transparent", {clGreen, bsBDiagonal}, true},
      {"cross", {clMaroon, bsCross}},
      {"diagonal cross transparent", {clNavy, bsDiagCross}, true},
      {"diagonal cross on monochrome target", {clNavy, bsDiagCross}, false, true},
      {"colour pattern 3 x 2", {clWhite, bsSolid, &colourPattern}},
      {"pattern wider than 8", {clWhite, bsSolid, &widePattern}},
      {"monochrome pattern", {clYellow, bsSolid, &monoPattern}},
      {"colour pattern on monochrome target", {clWhite, bsSolid, &colourPattern}, false, true},
  };
  const QRegion clip = QRegion(0, 0, 12, 20) + QRegion(14, 3, 5, 9);
  const TRect fill = Rect(-2, -1, 14, 15);  // logical; origin (3, 2)
  TBitmap source(20, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) source.Canvas().SetPixel(x, y, (x + y) % 3 ? clWhite : clOlive);
  }
  const TPoint sourceAt{4, -3};  // part of the blit reads off the source
  const uint32_t kRopDSPDxax = 0x00E20746;
  enum Operation { kFillRect, kPatInvert, kBitBlt };
  for (const Case& c : cases) {
    for (Operation op : {kFillRect, kPatInvert, kBitBlt}) {
      SCOPED_TRACE(std::string(c.name) + (op == kFillRect ? ", FillRect"
                                          : op == kPatInvert ? ", PatBlt" : ", BitBlt"));
      TBitmap target(20, 20);
      TCanvas& canvas = target.Canvas();
      canvas.SetMonochrome(c.monochromeTarget);
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) canvas.SetPixel(x, y, RGB(x * 12, y * 12, 77));
      }
      canvas.SetOrigin({3, 2});
      canvas.SelectClipRegion(&clip);
      canvas.Brush = c.brush;
      canvas.Font.Color = clPurple;
      if (c.transparentHatch) canvas.SetBkMode(TRANSPARENT);
      else canvas.SetBkMode(OPAQUE);
      const QImage before = canvas.Image()->copy();
      CanvasRaster rule(canvas);
      QRect area = rule.toDevice(fill);

      if (op == kFillRect) canvas.FillRect(fill);
      if (op == kPatInvert) {
        canvas.PatBlt(fill.Left, fill.Top, fill.Width(), fill.Height(), PATINVERT);
      }
      if (op == kBitBlt) {
        canvas.BitBlt(fill.Left, fill.Top, fill.Width(), fill.Height(), source.Canvas(),
                      sourceAt.X, sourceAt.Y, kRopDSPDxax);
      }

      int wrong = 0;
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
          uint32_t old = before.pixel(x, y) & 0xFFFFFF, brush = 0;
          bool drawn = rule.brushRule(x, y, brush);
          uint32_t expected = old;
          if (area.contains(x, y) && clip.contains(QPoint(x, y))) {
            if (op == kFillRect && drawn) expected = brush;
            if (op == kPatInvert) expected = old ^ (drawn ? brush : 0);
            QPoint from(x - area.left() + sourceAt.X, y - area.top() + sourceAt.Y);
            if (op == kBitBlt && source.Image().valid(from)) {
              uint32_t s = source.Image().pixel(from) & 0xFFFFFF;
              if (c.monochromeTarget) s = s == 0xFFFFFF ? 0xFFFFFF : 0;
              expected = Rop3(kRopDSPDxax, drawn ? brush : 0, s, old);
            }
          }
          uint32_t actual = canvas.Image()->pixel(x, y) & 0xFFFFFF;
          if (actual != expected && wrong++ < 3) {
            ADD_FAILURE() << "(" << x << ", " << y << "): expected " << std::hex << expected
                          << ", got " << actual;
          }
        }
      }
    }
  }
}

TEST_F(CanvasTest, DrawTextReturnsTheHeightAndMeasures) {
  QFontMetrics metrics(canvas().Font.ToQFont());
  int h = metrics.height();
  TRect r = Rect(0, 0, 200, 100);
  EXPECT_EQ(canvas().DrawText("Channel", r, DT_LEFT), h);
  EXPECT_EQ(canvas().DrawText("one\r\ntwo\nthree", r, DT_LEFT), 3 * h);
  EXPECT_EQ(canvas().DrawText("one\r\ntwo", r, DT_SINGLELINE), h);
  EXPECT_EQ(canvas().DrawText("", r, DT_LEFT), 0);
  TRect vcenter = Rect(0, 0, 100, 40);
  EXPECT_EQ(canvas().DrawText("x", vcenter, DT_SINGLELINE | DT_VCENTER), (40 - h) / 2 + h);
  EXPECT_EQ(canvas().DrawText("x", vcenter, DT_SINGLELINE | DT_BOTTOM), 40);

  TRect calc = Rect(5, 5, 6, 6);
  EXPECT_EQ(canvas().DrawText("Volume", calc, DT_CALCRECT), h);
  EXPECT_EQ(calc, Rect(5, 5, 5 + metrics.horizontalAdvance("Volume"), 5 + h));
  TRect narrow = Rect(0, 0, metrics.horizontalAdvance("aaaa bbbb") - 1, 0);
  EXPECT_EQ(canvas().DrawText("aaaa bbbb cc", narrow, DT_CALCRECT | DT_WORDBREAK), 2 * h);
  EXPECT_EQ(narrow.Right, metrics.horizontalAdvance("bbbb cc") > metrics.horizontalAdvance("aaaa")
                              ? metrics.horizontalAdvance("bbbb cc")
                              : metrics.horizontalAdvance("aaaa"));
  TRect word = Rect(0, 0, 5, 0);  // a word wider than the line stays whole
  canvas().DrawText("wide", word, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(word.Right, metrics.horizontalAdvance("wide"));
  TRect prefix = Rect(0, 0, 0, 0);
  canvas().DrawText("&Save", prefix, DT_CALCRECT);
  EXPECT_EQ(prefix.Right, metrics.horizontalAdvance("Save"));
  canvas().DrawText("&Save", prefix, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(prefix.Right, metrics.horizontalAdvance("&Save"));
  TRect empty = Rect(3, 3, 50, 50);
  EXPECT_EQ(canvas().DrawText("", empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, Rect(3, 3, 3, 3));
}

TEST_F(CanvasTest, DrawTextPaintsInTheFontColourInsideItsRectangle) {
  canvas().Font.Color = clRed;
  canvas().Font.Height = -14;
  canvas().Brush.Style = bsClear;
  TRect r = Rect(2, 2, 12, 30);
  canvas().DrawText("WWWWWWWW", r, DT_LEFT);
  int red = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      TColor c = at(x, y);
      if (c == clRed) ++red;
      if (c != clWhite) {
        EXPECT_TRUE(x >= 2 && x < 12 && y >= 2) << x << "," << y << " outside the rectangle";
      }
    }
  }
  EXPECT_GT(red, 0);
  // DT_END_ELLIPSIS shortens the line to fit.
  TRect line = Rect(0, 0, 40, 0);
  canvas().DrawText("A rather long caption", line, DT_CALCRECT | DT_END_ELLIPSIS | DT_SINGLELINE);
  EXPECT_LE(line.Right, 40);
}

TEST_F(CanvasTest, TextOutFillsTheCellAndMovesThePen) {
  canvas().Brush.Color = clYellow;
  canvas().Font.Color = clBlack;
  canvas().TextOut(1, 1, " ");
  EXPECT_EQ(at(1, 1), clYellow);
  EXPECT_EQ(canvas().PenPos(), Point(1 + canvas().TextWidth(" "), 1));
  EXPECT_EQ(canvas().TextHeight("x"), QFontMetrics(canvas().Font.ToQFont()).height());
}

TEST_F(CanvasTest, ShapesAndPolygonsStayInsideTheirBounds) {
  canvas().Brush.Color = clRed;
  canvas().Ellipse(2, 2, 12, 10);
  EXPECT_EQ(at(7, 6), clRed);       // the middle is filled
  EXPECT_EQ(at(2, 2), clWhite);     // corners of the box are not
  for (int x = 0; x < 20; ++x) EXPECT_EQ(at(x, 10), clWhite);  // bottom exclusive
  canvas().Polygon({{14, 2}, {19, 2}, {19, 7}});
  EXPECT_EQ(at(18, 3), clRed);
  EXPECT_EQ(at(14, 2), clBlack);
  EXPECT_EQ(at(15, 6), clWhite);
  canvas().Polyline({{0, 15}, {5, 15}, {5, 18}});
  EXPECT_EQ(at(4, 15), clBlack);
  EXPECT_EQ(at(5, 17), clBlack);
  EXPECT_EQ(at(5, 18), clWhite);  // the last point is not drawn
}

TEST_F(CanvasTest, WidePenRectangleStaysWithinTheFrameFormula) {
  // A 3-pixel border drawn from (w div 2) to (W - (w - 1) div 2) fills exactly the outer band.
  canvas().Pen.Width = 3;
  canvas().Brush.Style = bsClear;
  canvas().Rectangle(1, 1, 19, 19);
  EXPECT_EQ(at(0, 0), clBlack);
  EXPECT_EQ(at(19, 19), clBlack);
  EXPECT_EQ(at(2, 10), clBlack);
  EXPECT_EQ(at(3, 10), clWhite);
  EXPECT_EQ(at(16, 10), clWhite);
  EXPECT_EQ(at(17, 10), clBlack);
}
