// The glyph engine: frames of a glyph bitmap per state, the generated disabled and grey images,
// the shared glyph lists, the layout of glyph, caption and mark, and the button frame.
#include <gtest/gtest.h>

#include <memory>

#include "Rxctrls_test.h"
#include "controls/RxButtonGlyph.h"
#include "controls/dormant/RxButtonImage.h"

using namespace gui;
using namespace rxctrls;
using rxtest::makeGlyph;
using rxtest::pixelAt;
using rxtest::rgb;

namespace {

constexpr TColor kFrames[] = {clRed, clLime, clBlue, clYellow, clAqua};
constexpr TColor kBackground = clNavy;

std::vector<TColor> frames(int n) { return {kFrames, kFrames + n}; }

// A canvas to draw on, filled with kBackground.
struct Surface {
  Surface(int w, int h) : bitmap(w, h) {
    bitmap.Canvas().Brush.Color = kBackground;
    bitmap.Canvas().FillRect(Rect(0, 0, w, h));
  }
  TCanvas& canvas() { return bitmap.Canvas(); }
  TColor at(int x, int y) const { return pixelAt(bitmap.Image(), x, y); }
  TBitmap bitmap;
};

TColor grey(const TRxButtonGlyph& glyph, TColor c) { return glyph.MapColor(c); }

TEST(RxButtonGlyph, CountsSquareFramesOfANewBitmap) {
  struct Case {
    int width, height, before, expected;
  };
  const Case cases[] = {{64, 16, 1, 4}, {96, 16, 2, 1}, {40, 16, 2, 2}, {80, 16, 1, 5},
                        {16, 16, 3, 1}};
  for (const Case& c : cases) {
    TRxButtonGlyph glyph;
    glyph.SetNumGlyphs(c.before);
    int changes = 0;
    glyph.OnChange = [&](TRxButtonGlyph*) { ++changes; };
    glyph.SetGlyph(makeGlyph(std::vector<TColor>(1, clRed), c.width, c.height));
    EXPECT_EQ(glyph.NumGlyphs(), c.expected) << c.width << "x" << c.height;
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_EQ(changes, 1);
  }
}

struct FrameCase {
  int numGlyphs;
  TRxButtonState state;
  int frame;        // frame shown, -1: frame 1 in grey
};

class RxGlyphFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(RxGlyphFrames, StateShowsItsFrame) {
  const FrameCase& c = GetParam();
  TRxButtonGlyph glyph;
  glyph.SetGlyph(makeGlyph(frames(c.numGlyphs), 16, 16));
  ASSERT_EQ(glyph.NumGlyphs(), c.numGlyphs);
  Surface surface(20, 20);
  TPoint size = glyph.DrawButtonGlyph(surface.canvas(), 2, 2, c.state);
  EXPECT_EQ(size, Point(16, 16));
  TColor expected = c.frame < 0 ? grey(glyph, kFrames[0]) : kFrames[c.frame];
  EXPECT_EQ(surface.at(10, 10), expected) << c.numGlyphs << " frames, state " << c.state;
  // The magenta background of every frame is transparent, in the grey image too.
  EXPECT_EQ(surface.at(2, 17), kBackground);
  EXPECT_EQ(surface.at(2, 2), kBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RxGlyphFrames,
    ::testing::Values(FrameCase{2, rbsUp, 0}, FrameCase{2, rbsDown, 0},
                      FrameCase{2, rbsExclusive, 0}, FrameCase{2, rbsDisabled, 1},
                      FrameCase{2, rbsInactive, -1}, FrameCase{3, rbsDown, 2},
                      FrameCase{3, rbsExclusive, 0}, FrameCase{4, rbsExclusive, 3},
                      FrameCase{4, rbsInactive, -1}, FrameCase{5, rbsInactive, 4},
                      FrameCase{1, rbsInactive, -1}));

TEST(RxButtonGlyph, DownSharesTheUpImageWithFewerThanThreeFrames) {
  TRxButtonGlyph glyph;
  glyph.SetGlyph(makeGlyph(frames(2), 16, 16));
  int up = glyph.CreateButtonGlyph(rbsUp);
  EXPECT_EQ(glyph.CreateButtonGlyph(rbsDown), up);
  EXPECT_EQ(glyph.Index(rbsDown), -1);
  EXPECT_EQ(glyph.GlyphList()->Count(), 1);
}

TEST(RxButtonGlyph, SingleFrameIsEmbossedWhenDisabled) {
  ASSERT_NE(rgb(clBtnShadow), rgb(clBtnHighlight));
  TRxButtonGlyph glyph;
  glyph.SetGlyph(makeGlyph({clBlack}, 16, 16));
  Surface surface(16, 16);
  glyph.DrawButtonGlyph(surface.canvas(), 0, 0, rbsDisabled);
  EXPECT_EQ(surface.at(1, 1), rgb(clBtnShadow));     // black ink, in place
  EXPECT_EQ(surface.at(14, 14), rgb(clBtnShadow));
  EXPECT_EQ(surface.at(15, 15), rgb(clBtnHighlight));  // ink moved down and right
  EXPECT_EQ(surface.at(15, 2), rgb(clBtnHighlight));
  EXPECT_EQ(surface.at(0, 0), kBackground);           // the face around it is transparent
  EXPECT_EQ(surface.at(15, 0), kBackground);
}

TEST(RxButtonGlyph, MapColorGreysAllButTransparentAndFace) {
  TRxButtonGlyph glyph;
  EXPECT_EQ(glyph.MapColor(RGB(200, 100, 50)), RGB(124, 124, 124));
  EXPECT_EQ(glyph.MapColor(clWhite), RGB(255, 255, 255));
  EXPECT_EQ(glyph.MapColor(clFuchsia), clFuchsia);
  EXPECT_EQ(glyph.MapColor(rgb(clBtnFace)), rgb(clBtnFace));
  EXPECT_EQ(glyph.MapColor(clBtnFace), clBtnFace);
}

TEST(RxButtonGlyph, ZeroWidthFramesDrawNothing) {
  TRxButtonGlyph glyph;
  glyph.SetGlyph(makeGlyph({clRed}, 3, 16));
  glyph.SetNumGlyphs(4);
  Surface surface(40, 40);
  EXPECT_EQ(glyph.CreateButtonGlyph(rbsUp), -1);
  EXPECT_EQ(glyph.DrawButtonGlyph(surface.canvas(), 0, 0, rbsUp), Point(0, 0));
  EXPECT_EQ(glyph.GlyphList(), nullptr);
  // Laid out as a button without a glyph.
  TRxButtonGlyph plain;
  TRect withFrames = glyph.Draw(surface.canvas(), Rect(0, 0, 40, 40), "Go", blGlyphTop, -1, 1,
                                true, rbsUp, DT_CENTER);
  TRect without = plain.Draw(surface.canvas(), Rect(0, 0, 40, 40), "Go", blGlyphTop, -1, 1, true,
                             rbsUp, DT_CENTER);
  EXPECT_EQ(withFrames, without);
}

TEST(RxButtonGlyph, SameFrameSizeSharesOneListUntilTheLastLetsGo) {
  ASSERT_EQ(GlyphCache(), nullptr);
  auto a = std::make_unique<TRxButtonGlyph>();
  auto b = std::make_unique<TRxButtonGlyph>();
  auto c = std::make_unique<TRxButtonGlyph>();
  a->SetGlyph(makeGlyph(frames(2), 16, 16));
  b->SetGlyph(makeGlyph(frames(1), 16, 16));
  c->SetGlyph(makeGlyph(frames(1), 24, 24));
  a->CreateButtonGlyph(rbsUp);
  a->CreateButtonGlyph(rbsDisabled);
  b->CreateButtonGlyph(rbsUp);
  c->CreateButtonGlyph(rbsUp);
  ASSERT_NE(GlyphCache(), nullptr);
  EXPECT_EQ(a->GlyphList(), b->GlyphList());
  EXPECT_NE(a->GlyphList(), c->GlyphList());
  EXPECT_EQ(GlyphCache()->ListCount(), 2);
  TGlyphList* shared = a->GlyphList();
  EXPECT_EQ(shared->Count(), 3);

  // Freed slots are taken again before the list grows.
  a.reset();
  EXPECT_EQ(shared->Count(), 1);
  b->Invalidate();
  EXPECT_EQ(GlyphCache()->ListCount(), 1);  // nobody uses the 16 x 16 list any more
  b->SetGlyph(makeGlyph(frames(1), 24, 24));
  b->CreateButtonGlyph(rbsUp);
  EXPECT_EQ(b->GlyphList(), c->GlyphList());
  EXPECT_EQ(c->GlyphList()->Count(), 2);

  c.reset();
  EXPECT_NE(GlyphCache(), nullptr);
  b.reset();
  EXPECT_EQ(GlyphCache(), nullptr);
}

TEST(RxGlyphList, ReusesFreedSlots) {
  TGlyphList list(4, 4);
  TBitmap image(4, 4);
  EXPECT_EQ(list.AddMasked(image, clWhite), 0);
  EXPECT_EQ(list.AddMasked(image, clWhite), 1);
  EXPECT_EQ(list.AddMasked(image, clWhite), 2);
  list.Delete(1);
  list.Delete(1);  // already free
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Add(image, nullptr), 1);
  EXPECT_EQ(list.TImageList::Count(), 3);
  EXPECT_EQ(list.Count(), 3);
}

TEST(RxButtonGlyph, ImageListImagesPerState) {
  TImageList images(16, 16);
  images.AddMasked(makeGlyph({clRed}, 16, 16), clFuchsia);
  TRxButtonGlyph glyph;
  struct Case {
    TRxButtonState state;
    TColor centre;
  };
  const Case cases[] = {{rbsUp, clRed},
                        {rbsDown, clRed},
                        {rbsExclusive, clRed},
                        {rbsInactive, glyph.MapColor(clRed)},
                        {rbsDisabled, rgb(clBtnShadow)}};
  for (const Case& c : cases) {
    Surface surface(20, 20);
    EXPECT_EQ(glyph.DrawButtonImage(surface.canvas(), 2, 2, images, 0, c.state), Point(16, 16));
    EXPECT_EQ(surface.at(10, 10), c.centre) << c.state;
    EXPECT_EQ(surface.at(2, 17), kBackground) << c.state;
  }
  Surface surface(20, 20);
  EXPECT_EQ(glyph.DrawButtonImage(surface.canvas(), 0, 0, images, 1, rbsUp), Point(0, 0));
  // The latched image is copied with the list's mask into the shared list.
  int slot = glyph.CreateImageGlyph(rbsExclusive, images, 0);
  ASSERT_GE(slot, 0);
  glyph.GlyphList()->Draw(surface.canvas(), 2, 2, slot);
  EXPECT_EQ(surface.at(10, 10), clRed);
  EXPECT_EQ(surface.at(2, 17), kBackground);
  EXPECT_EQ(glyph.CreateImageGlyph(rbsUp, images, 5), -1);
}

struct LayoutCase {
  const char* name;
  TButtonLayout layout;
  int margin, spacing;
  // Expected glyph and text positions from client size C, glyph G = 16 and text size T.
  std::function<TPoint(TPoint C, TPoint T)> glyph, text;
};

TEST(RxButtonGlyph, LayoutPlacesGlyphAndCaption) {
  TRxButtonGlyph glyph;
  glyph.SetGlyph(makeGlyph({clRed}, 16, 16));
  Surface surface(1, 1);
  TCanvas& canvas = surface.canvas();
  const TRect client = Rect(5, 7, 105, 67);
  const TPoint C{100, 60};
  TPoint T{canvas.TextWidth("Go"), canvas.TextHeight("Go")};
  const LayoutCase cases[] = {
      {"left, thirds", blGlyphLeft, -1, -1,
       [](TPoint C, TPoint T) { return Point((C.X - 16 - T.X) / 3, C.Y / 2 - 8); },
       [](TPoint C, TPoint T) {
         int m = (C.X - 16 - T.X) / 3;
         return Point(m + 16 + m, C.Y / 2 - T.Y / 2);
       }},
      {"top, centred pair", blGlyphTop, -1, 4,
       [](TPoint C, TPoint T) { return Point(C.X / 2 - 8, C.Y / 2 - (16 + 4 + T.Y) / 2); },
       [](TPoint C, TPoint T) {
         return Point(C.X / 2 - T.X / 2, C.Y / 2 - (16 + 4 + T.Y) / 2 + 16 + 4);
       }},
      {"right, text centred in the rest", blGlyphRight, 3, -1,
       [](TPoint C, TPoint) { return Point(C.X - 3 - 16, C.Y / 2 - 8); },
       [](TPoint C, TPoint T) {
         int s = (C.X - 19) / 2 - T.X / 2;
         return Point(C.X - 19 - s - T.X, C.Y / 2 - T.Y / 2);
       }},
      {"bottom, fixed", blGlyphBottom, 2, 5,
       [](TPoint C, TPoint) { return Point(C.X / 2 - 8, C.Y - 2 - 16); },
       [](TPoint C, TPoint T) { return Point(C.X / 2 - T.X / 2, C.Y - 18 - 5 - T.Y); }},
  };
  for (const LayoutCase& c : cases) {
    std::string caption = "Go";
    TPoint glyphPos;
    TRect textBounds;
    glyph.CalcButtonLayout(canvas, client, caption, c.layout, c.margin, c.spacing, false,
                           glyphPos, textBounds, DT_CENTER, nullptr, -1);
    TPoint g = c.glyph(C, T), t = c.text(C, T);
    EXPECT_EQ(glyphPos, Point(client.Left + g.X, client.Top + g.Y)) << c.name;
    EXPECT_EQ(textBounds, Bounds(client.Left + t.X, client.Top + t.Y, T.X, T.Y)) << c.name;
  }
}

TEST(RxButtonGlyph, LongCaptionIsShortenedUnlessWrapped) {
  TRxButtonGlyph glyph;
  Surface surface(1, 1);
  TCanvas& canvas = surface.canvas();
  std::string caption = "A rather long caption";
  TPoint glyphPos;
  TRect bounds;
  glyph.CalcButtonLayout(canvas, Rect(0, 0, 60, 40), caption, blGlyphLeft, 2, 2, false, glyphPos,
                         bounds, DT_CENTER, nullptr, -1);
  ASSERT_GT(caption.size(), 3u);
  EXPECT_EQ(caption.substr(caption.size() - 3), "...");
  EXPECT_LE(canvas.TextWidth(caption), 60 - 4);
  EXPECT_EQ(glyph.MinimizeCaption(canvas, "one\r\ntwo\r\n", 255, 100), "one\r\ntwo");
  glyph.SetWordWrap(true);
  EXPECT_EQ(glyph.MinimizeCaption(canvas, "A rather long caption", 8, 10), "A rather");
}

TEST(RxButtonGlyph, PopupMarkStandsBesideGlyphOrText) {
  TRxButtonGlyph glyph;
  TColor ink = rgb(clBtnText);
  // No glyph, no caption: the mark stands in the middle of the client rectangle.
  Surface empty(41, 20);
  glyph.Draw(empty.canvas(), Rect(0, 0, 41, 20), "", blGlyphTop, -1, 1, true, rbsUp, DT_CENTER);
  int x = (41 - 7) / 2, y = 20 / 2;
  for (int i = 0; i < 7; ++i) EXPECT_EQ(empty.at(x + i, y - 1), ink) << i;
  EXPECT_EQ(empty.at(x, y), kBackground);
  EXPECT_EQ(empty.at(x + 1, y), ink);
  EXPECT_EQ(empty.at(x + 3, y + 2), ink);
  EXPECT_EQ(empty.at(x + 3, y + 3), kBackground);
  EXPECT_EQ(empty.at(x - 1, y - 1), kBackground);
  // With a glyph on top: right of the glyph, in its middle row.
  glyph.SetGlyph(makeGlyph({clRed}, 16, 16));
  Surface withGlyph(60, 40);
  TPoint glyphPos;
  TRect bounds;
  std::string caption;
  glyph.CalcButtonLayout(withGlyph.canvas(), Rect(0, 0, 60, 40), caption, blGlyphTop, -1, 1,
                         true, glyphPos, bounds, DT_CENTER, nullptr, -1);
  glyph.Draw(withGlyph.canvas(), Rect(0, 0, 60, 40), "", blGlyphTop, -1, 1, true, rbsDisabled,
             DT_CENTER);
  int mx = glyphPos.X + 16 + 1, my = glyphPos.Y + 8;
  EXPECT_EQ(withGlyph.at(mx, my - 1), rgb(clBtnShadow));
  EXPECT_EQ(withGlyph.at(mx + 7, my), rgb(clBtnHighlight));  // the highlight copy, moved
  EXPECT_EQ(withGlyph.at(mx + 4, my + 3), rgb(clBtnHighlight));
}

TEST(DrawButtonFrame, FramesByStateFlatAndStyle) {
  struct Case {
    bool down, flat;
    TButtonStyle style;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    int inset;
  };
  const TColor hi = clBtnHighlight, sh = clBtnShadow, wf = clWindowFrame, fa = clBtnFace;
  const TColor none = kBackground;
  const Case cases[] = {
      {false, false, bsNew, hi, wf, fa, sh, 3},     {false, false, bsAutoDetect, hi, wf, fa, sh, 3},
      {false, true, bsNew, hi, sh, none, none, 2},  {true, false, bsNew, wf, hi, sh, fa, 3},
      {true, true, bsNew, wf, hi, none, none, 2},   {false, false, bsWin31, wf, wf, hi, sh, 3},
      {false, true, bsWin31, hi, wf, none, none, 2}, {true, false, bsWin31, wf, wf, sh, none, 2},
      {true, true, bsWin31, wf, hi, none, none, 2},
  };
  for (const Case& c : cases) {
    Surface surface(20, 14);
    TRect inside = DrawButtonFrame(surface.canvas(), Rect(0, 0, 20, 14), c.down, c.flat, c.style);
    std::string name = std::to_string(c.down) + std::to_string(c.flat) + std::to_string(c.style);
    EXPECT_EQ(inside, Rect(c.inset, c.inset, 20 - c.inset, 14 - c.inset)) << name;
    EXPECT_EQ(surface.at(0, 5), rgb(c.outerTopLeft)) << name;
    EXPECT_EQ(surface.at(5, 0), rgb(c.outerTopLeft)) << name;
    EXPECT_EQ(surface.at(19, 5), rgb(c.outerBottomRight)) << name;
    EXPECT_EQ(surface.at(5, 13), rgb(c.outerBottomRight)) << name;
    EXPECT_EQ(surface.at(1, 5), rgb(c.innerTopLeft)) << name;
    EXPECT_EQ(surface.at(18, 5), rgb(c.innerBottomRight)) << name;
    EXPECT_EQ(surface.at(5, 12), rgb(c.innerBottomRight)) << name;
  }
}

}  // namespace

namespace {

TEST(TButtonImage, DrawsARaisedFaceAndKeepsTheCanvas) {
  TButtonImage image;
  image.SetGlyph(makeGlyph({clRed}, 10, 10));
  EXPECT_EQ(image.ButtonSize(), Point(24, 23));
  Surface surface(30, 30);
  surface.canvas().Brush.Color = clLime;
  TFont font;
  font.Color = clRed;
  image.Draw(surface.canvas(), 2, 3, -1, 1, blGlyphTop, &font, DT_CENTER);
  EXPECT_EQ(surface.at(2, 10), rgb(clBtnShadow));      // outer frame
  EXPECT_EQ(surface.at(25, 10), rgb(clWindowFrame));
  EXPECT_EQ(surface.at(3, 10), rgb(clBtnHighlight));   // inner frame
  EXPECT_EQ(surface.at(24, 10), rgb(clBtnShadow));
  EXPECT_EQ(surface.at(14, 14), clRed);                 // the glyph, centred
  EXPECT_EQ(surface.at(1, 1), kBackground);
  EXPECT_EQ(surface.canvas().Brush.Color, clLime);
  EXPECT_NE(surface.canvas().Font.Color, clRed);
}

}  // namespace
