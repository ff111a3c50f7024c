// The drawing utilities' bitmap functions, checked pixel by pixel: transparent blits, greyed
// images, glyph-strip cells, colour swaps, patterns and gradients.
#include "controls/Vclutils.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "controls/VclutilsMaskBlit.h"
#include "controls/VclutilsPixels.h"
#include "gui/ImageList.h"

namespace {

using namespace vclutils;
using namespace vclutils_test;
using gui::TBitmap;
using gui::TColor;

// --- transparent blits -----------------------------------------------------------------------

struct BlitCase {
  const char* name;
  TColor transparent;
  uint32_t copyMode;
  char background;
  Rows expected;
};

TEST(VclutilsTransparentBlit, TransparentColourRules) {
  // Lower-left pixel G; R and B elsewhere.
  const Rows source = {"RGB", "GRR"};
  const BlitCase cases[] = {
      {"default takes the lower-left pixel", gui::clDefault, gui::SRCCOPY, 'S', {"RSB", "SRR"}},
      {"a given colour", gui::clRed, gui::SRCCOPY, 'S', {"SGB", "GSS"}},
      {"none copies everything", gui::clNone, gui::SRCCOPY, 'S', {"RGB", "GRR"}},
      {"none uses the canvas's copy mode", gui::clNone, gui::NOTSRCCOPY, 'W', {"CMY", "MCC"}},
  };
  for (const BlitCase& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap, dest;
    Paint(bitmap, source);
    Fill(dest, 3, 2, c.background);
    dest.Canvas().CopyMode = c.copyMode;
    DrawBitmapTransparent(dest.Canvas(), 0, 0, bitmap, c.transparent);
    EXPECT_EQ(Picture(dest), c.expected);
  }
}

TEST(VclutilsTransparentBlit, SystemColourIsTakenAsItsRgbValue) {
  TBitmap bitmap, dest;
  Paint(bitmap, {"RR"});
  bitmap.Canvas().SetPixel(0, 0, gui::clBtnFace);
  Fill(dest, 2, 1, 'S');
  DrawBitmapTransparent(dest.Canvas(), 0, 0, bitmap, gui::clBtnFace);
  EXPECT_EQ(Picture(dest), (Rows{"SR"}));
}

TEST(VclutilsTransparentBlit, MonochromeBitmapAlwaysLeavesOutWhite) {
  for (TColor given : {gui::clBlack, gui::clDefault, gui::clRed}) {
    SCOPED_TRACE(given);
    TBitmap bitmap, dest;
    Paint(bitmap, {"KW", "WK"});
    bitmap.SetMonochrome(true);
    Fill(dest, 2, 2, 'S');
    DrawBitmapTransparent(dest.Canvas(), 0, 0, bitmap, given);
    EXPECT_EQ(Picture(dest), (Rows{"KS", "SK"}));
  }
}

TEST(VclutilsTransparentBlit, MissingSizesMeanTheWholeBitmap) {
  TBitmap bitmap;
  Paint(bitmap, {"RG", "BY"});
  struct SizeCase {
    const char* name;
    int w, h;
    gui::TRect rect;
  } cases[] = {
      {"no size, no rectangle", 0, 0, gui::Rect(0, 0, 0, 0)},
      {"negative size, rectangle without width", -1, -5, gui::Rect(1, 0, 1, 2)},
      {"own size, rectangle without height", 2, 2, gui::Rect(0, 1, 2, 1)},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap dest;
    Fill(dest, 4, 3, 'S');
    StretchBitmapRectTransparent(dest.Canvas(), 1, 1, c.w, c.h, c.rect, bitmap, gui::clNone);
    EXPECT_EQ(Picture(dest), (Rows{"SSSS", "SRGS", "SBYS"}));
  }
}

TEST(VclutilsTransparentBlit, SourceRectangleInItsOwnSize) {
  TBitmap bitmap, dest;
  Paint(bitmap, {"RGK", "BYK"});
  Fill(dest, 3, 2, 'S');
  // Column 1 only; K (the colour given) would be left out but is not in the rectangle.
  DrawBitmapRectTransparent(dest.Canvas(), 2, 0, gui::Rect(1, 0, 2, 2), bitmap, gui::clBlack);
  EXPECT_EQ(Picture(dest), (Rows{"SSG", "SSY"}));
}

TEST(VclutilsTransparentBlit, StretchedWithTheMaskStretchedAlike) {
  TBitmap bitmap, dest;
  Paint(bitmap, {"RB", "GR"});
  Fill(dest, 5, 4, 'S');
  StretchBitmapRectTransparent(dest.Canvas(), 1, 0, 4, 4, gui::Rect(0, 0, 2, 2), bitmap,
                               gui::clDefault);
  EXPECT_EQ(Picture(dest), (Rows{"SRRBB", "SRRBB", "SSSRR", "SSSRR"}));
}

TEST(VclutilsTransparentBlit, RespectsTheDestinationClipAndKeepsTheBitmapQuiet) {
  TBitmap bitmap, dest;
  Paint(bitmap, {"RRR", "GRR"});
  Fill(dest, 3, 2, 'S');
  dest.Canvas().IntersectClipRect(gui::Rect(1, 0, 3, 2));
  int changing = 0;
  bitmap.Canvas().OnChanging = [&] { ++changing; };
  DrawBitmapTransparent(dest.Canvas(), 0, 0, bitmap, gui::clDefault);
  EXPECT_EQ(Picture(dest), (Rows{"SRR", "SRR"}));
  EXPECT_EQ(changing, 0);
  ASSERT_TRUE(bitmap.Canvas().OnChanging) << "the bitmap's handler is given back";
}

TEST(VclutilsTransparentBlit, HandleFormUsesExactlyTheGivenColour) {
  TBitmap bitmap, dest;
  Paint(bitmap, {"RG", "GR"});
  Fill(dest, 2, 2, 'S');
  DrawTransparentBitmap(dest.Canvas(), bitmap, 0, 0, gui::clRed);
  EXPECT_EQ(Picture(dest), (Rows{"SG", "GS"}));
}

TEST(VclutilsTransparentBlit, SamePixelsAsTheMaskSteps) {
  struct Geometry {
    const char* name;
    gui::TRect from, to;
  } geometries[] = {
      {"same size", gui::Rect(0, 0, 4, 3), gui::Bounds(1, 1, 4, 3)},
      {"stretched", gui::Rect(1, 0, 3, 3), gui::Bounds(0, 0, 7, 5)},
      {"shrunk", gui::Rect(0, 0, 4, 3), gui::Bounds(2, 1, 2, 2)},
      {"source rectangle past the bitmap", gui::Rect(2, 1, 6, 4), gui::Bounds(0, 0, 4, 3)},
      {"destination past the canvas", gui::Rect(0, 0, 4, 3), gui::Bounds(6, 4, 4, 3)},
  };
  unsigned seed = 7;
  auto picture = [&](int width, int height) {
    Rows rows(size_t(height), std::string(size_t(width), ' '));
    for (std::string& row : rows) {
      for (char& letter : row) letter = "KWRG"[(seed = seed * 1103515245u + 12345u) >> 16 & 3];
    }
    return rows;
  };
  for (const Geometry& g : geometries) {
    for (int variant = 0; variant < 32; ++variant) {
      bool sourceMono = variant & 1, destMono = variant & 2, clipped = variant & 4;
      TColor key = (variant & 8) ? gui::clWhite : gui::clLime;
      TColor sourceBrush = (variant & 16) ? gui::clRed : gui::clWhite;
      SCOPED_TRACE(::testing::Message() << g.name << ", variant " << variant);
      TBitmap source, ours, reference;
      Paint(source, picture(4, 3));
      if (sourceMono) source.SetMonochrome(true);
      source.Canvas().Brush.Color = sourceBrush;
      Paint(ours, picture(8, 6));
      if (destMono) ours.SetMonochrome(true);
      reference.Assign(ours);
      for (TBitmap* dest : {&ours, &reference}) {
        if (clipped) dest->Canvas().IntersectClipRect(gui::Rect(1, 0, 5, 4));
      }
      StretchBltTransparent(ours.Canvas(), g.to.Left, g.to.Top, WidthOf(g.to), HeightOf(g.to),
                            source.Canvas(), g.from.Left, g.from.Top, WidthOf(g.from),
                            HeightOf(g.from), key);
      MaskPipelineBlt(reference.Canvas(), g.to.Left, g.to.Top, WidthOf(g.to), HeightOf(g.to),
                      source.Canvas(), g.from.Left, g.from.Top, WidthOf(g.from), HeightOf(g.from),
                      key);
      EXPECT_EQ(Picture(ours), Picture(reference));
    }
  }
}

// --- greyed images -------------------------------------------------------------------------

struct DisabledCase {
  const char* name;
  Rows source;
  bool monochrome;
  TColor outline;
  bool highlight;
  Rows expected;
};

TEST(VclutilsDisabledBitmap, OutlinePixelsAreEmbossedInTwoTones) {
  // Background B, highlight Y one pixel down and right, shadow R in place.
  const DisabledCase cases[] = {
      {"black outline with highlight", {"WKWW", "WKKW", "WWWW"}, false, gui::clBlack, true,
       {"BRBB", "BRRB", "BBYY"}},
      {"without highlight", {"WKWW", "WKKW", "WWWW"}, false, gui::clBlack, false,
       {"BRBB", "BRRB", "BBBB"}},
      {"only the outline colour is stamped", {"KGW", "GKG"}, false, gui::clLime, false,
       {"BRB", "RBR"}},
      {"monochrome glyph stamps its black pixels", {"KWW", "WKW", "WWW"}, true, gui::clBlack, true,
       {"RBB", "BRB", "BBY"}},
  };
  for (const DisabledCase& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap source;
    Paint(source, c.source);
    if (c.monochrome) source.SetMonochrome(true);
    auto result = CreateDisabledBitmapEx(source, c.outline, gui::clBlue, gui::clYellow, gui::clRed,
                                         c.highlight);
    ASSERT_TRUE(result);
    EXPECT_EQ(Picture(*result), c.expected);
  }
}

TEST(VclutilsDisabledBitmap, DefaultsToTheButtonColours) {
  TBitmap source;
  Paint(source, {"WKW", "WWW"});
  auto result = CreateDisabledBitmap(source, gui::clBlack);
  ASSERT_TRUE(result);
  TColor face = gui::ColorToRGB(gui::clBtnFace);
  EXPECT_EQ(result->Canvas().Pixel(1, 0), gui::ColorToRGB(gui::clBtnShadow));
  EXPECT_EQ(result->Canvas().Pixel(2, 1), gui::ColorToRGB(gui::clBtnHighlight));
  EXPECT_EQ(result->Canvas().Pixel(0, 0), face);
  EXPECT_EQ(result->Canvas().Pixel(0, 1), face);
}

TEST(VclutilsDisabledBitmap, EmptyBitmapGivesAnEmptyResult) {
  TBitmap source;
  auto result = CreateDisabledBitmap(source, gui::clBlack);
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->Empty());
}

class VclutilsImageListDisabled : public ::testing::Test {
protected:
  void SetUp() override {
    TBitmap strip;
    // Lower-left G is the mask colour: the opaque pixels are the two R.
    Paint(strip, {"GRG", "GGR"});
    list_.SetSize(3, 2);
    ASSERT_EQ(list_.AddMasked(strip, gui::clDefault), 0);
    Fill(canvas_, 4, 3, 'S');
    canvas_.Canvas().Brush.Color = gui::clAqua;
  }

  gui::TImageList list_;
  TBitmap canvas_;
};

TEST_F(VclutilsImageListDisabled, StampsTheOpaquePixels) {
  ImageListDrawDisabled(list_, canvas_.Canvas(), 0, 0, 0, gui::clYellow, gui::clGray, true);
  EXPECT_EQ(Picture(canvas_), (Rows{"SDSS", "SSDS", "SSSY"}));
  EXPECT_EQ(canvas_.Canvas().Brush.Color, gui::clAqua);
}

TEST_F(VclutilsImageListDisabled, WithoutHighlightAndAtAnOffset) {
  ImageListDrawDisabled(list_, canvas_.Canvas(), 1, 1, 0, gui::clYellow, gui::clGray, false);
  EXPECT_EQ(Picture(canvas_), (Rows{"SSSS", "SSDS", "SSSD"}));
}

TEST_F(VclutilsImageListDisabled, IndexOutsideTheListDrawsNothing) {
  for (int index : {-1, 1, 7}) {
    EXPECT_NO_THROW(
        ImageListDrawDisabled(list_, canvas_.Canvas(), 0, 0, index, gui::clYellow, gui::clGray, true));
  }
  EXPECT_EQ(Picture(canvas_), (Rows{"SSSS", "SSSS", "SSSS"}));
}

// --- cells of a glyph strip ------------------------------------------------------------------

class VclutilsBitmapCell : public ::testing::Test {
protected:
  void SetUp() override {
    // 4 columns x 2 rows of 2 x 3 cells, each cell in its own colour.
    Paint(strip_, {"KKWWRRGG", "KKWWRRGG", "KKWWRRGG", "BBYYSSDD", "BBYYSSDD", "BBYYSSDD"});
  }
  TBitmap strip_;
};

TEST_F(VclutilsBitmapCell, CellArithmetic) {
  struct CellCase {
    const char* name;
    int cols, rows, index;
    Rows expected;
  } cases[] = {
      {"index 5 of 4 x 2 is row 1, column 1", 4, 2, 5, {"YY", "YY", "YY"}},
      {"the first cell", 4, 2, 0, {"KK", "KK", "KK"}},
      {"a negative index counts as 0", 4, 2, -3, {"KK", "KK", "KK"}},
      {"no columns count as one", 0, 2, 1, {"BBYYSSDD", "BBYYSSDD", "BBYYSSDD"}},
      {"no rows count as one", 4, 0, 1, {"WW", "WW", "WW", "YY", "YY", "YY"}},
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap cell;
    AssignBitmapCell(&strip_, &cell, c.cols, c.rows, c.index);
    EXPECT_EQ(Picture(cell), c.expected);
  }
}

TEST_F(VclutilsBitmapCell, CellKeepsTheStripsTransparency) {
  strip_.SetTransparent(true);
  TBitmap cell;
  AssignBitmapCell(&strip_, &cell, 4, 2, 6);
  // The strip's lower-left pixel, not the cell's own.
  EXPECT_EQ(cell.TransparentColor(), gui::clBlue);
  EXPECT_TRUE(cell.Transparent());
  strip_.SetTransparent(false);
  AssignBitmapCell(&strip_, &cell, 4, 2, 6);
  EXPECT_FALSE(cell.Transparent());
}

TEST_F(VclutilsBitmapCell, OtherGraphicsAreDrawnOverSilver) {
  TBitmap picture;
  Paint(picture, {"RRGB", "RGRB"});
  auto icon = CreateIconFromBitmap(picture, gui::clLime);
  ASSERT_TRUE(icon);
  TBitmap cell;
  AssignBitmapCell(icon.get(), &cell, 2, 1, 1);
  EXPECT_EQ(Picture(cell), (Rows{"SB", "RB"}));
  EXPECT_TRUE(cell.Transparent());
}

TEST_F(VclutilsBitmapCell, IndexPastTheGridTakesNoPixels) {
  for (int index : {8, 1000, INT32_MAX}) {
    SCOPED_TRACE(index);
    TBitmap cell;
    AssignBitmapCell(&strip_, &cell, 4, 2, index);
    EXPECT_EQ(Picture(cell), (Rows{"WW", "WW", "WW"}));
  }
}

TEST_F(VclutilsBitmapCell, NullPointersDoNothing) {
  TBitmap cell;
  Paint(cell, {"RR"});
  AssignBitmapCell(nullptr, &cell, 4, 2, 0);
  AssignBitmapCell(&strip_, nullptr, 4, 2, 0);
  EXPECT_EQ(Picture(cell), (Rows{"RR"}));
}

// --- colours, icons, patterns -------------------------------------------------------------------

TEST(VclutilsBitmapColours, ChangeBitmapColorSwapsOneColour) {
  TBitmap source;
  Paint(source, {"RGR", "KRW"});
  auto result = ChangeBitmapColor(source, gui::clRed, gui::clBlue);
  EXPECT_EQ(Picture(*result), (Rows{"BGB", "KBW"}));
}

TEST(VclutilsBitmapColours, IconRoundTripKeepsOpaquePixels) {
  TBitmap source;
  Paint(source, {"RY", "GB"});
  auto icon = CreateIconFromBitmap(source, gui::clDefault);  // lower-left G
  ASSERT_FALSE(icon->Empty());
  auto back = CreateBitmapFromIcon(*icon, gui::clSilver);
  EXPECT_EQ(Picture(*back), (Rows{"RY", "SB"}));
  EXPECT_EQ(back->TransparentColor(), gui::clSilver);
  EXPECT_TRUE(back->Transparent());
}

TEST(VclutilsBitmapColours, TwoColourPatternAlternates) {
  auto pattern = CreateTwoColorsBrushPattern(gui::clRed, gui::clBlue);
  ASSERT_EQ(pattern->Width(), 8);
  ASSERT_EQ(pattern->Height(), 8);
  EXPECT_EQ(Picture(*pattern)[0], "BRBRBRBR");
  EXPECT_EQ(Picture(*pattern)[7], "RBRBRBRB");
}

// --- fills ---------------------------------------------------------------------------------------

TEST(VclutilsGradient, BandsAndRemainder) {
  const TColor begin = gui::RGB(0, 0, 0), end = gui::RGB(200, 100, 0);
  const TColor mid = gui::RGB(100, 50, 0);
  struct GradientCase {
    const char* name;
    TFillDirection direction;
    int colors;
    int width, height;
    std::vector<TColor> expected;  // along the direction of the bands, from top or left
  } cases[] = {
      {"three bands and a remainder row", fdTopToBottom, 3, 1, 7,
       {begin, begin, mid, mid, end, end, end}},
      {"bottom to top starts with the end colour", fdBottomToTop, 3, 1, 7,
       {end, end, mid, mid, begin, begin, begin}},
      {"no more bands than pixels", fdLeftToRight, 255, 4, 1,
       {begin, gui::RGB(67, 33, 0), gui::RGB(133, 67, 0), end}},
      {"right to left", fdRightToLeft, 2, 4, 1, {end, end, begin, begin}},
      {"one colour fills with the start colour", fdTopToBottom, 1, 1, 3, {begin, begin, begin}},
      {"a one-pixel extent is all remainder", fdTopToBottom, 2, 1, 1, {end}},
  };
  for (const GradientCase& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap;
    Fill(bitmap, c.width + 2, c.height + 2, 'W');
    bitmap.Canvas().Brush.Color = gui::clAqua;
    GradientFillRect(bitmap.Canvas(), gui::Rect(1, 1, c.width + 1, c.height + 1), begin, end,
                     c.direction, c.colors);
    bool vertical = c.direction == fdTopToBottom || c.direction == fdBottomToTop;
    for (size_t i = 0; i < c.expected.size(); ++i) {
      int x = vertical ? 1 : int(i) + 1, y = vertical ? int(i) + 1 : 1;
      EXPECT_EQ(bitmap.Canvas().Pixel(x, y), c.expected[i]) << "at " << i;
    }
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), gui::clWhite) << "outside untouched";
    EXPECT_EQ(bitmap.Canvas().Brush.Color, gui::clAqua);
  }
}

TEST(VclutilsShade, DarkensDiagonalDots) {
  TBitmap bitmap;
  Fill(bitmap, 8, 8, 'R');
  TColor text = bitmap.Canvas().TextColor(), back = bitmap.Canvas().BkColor();
  ShadeRect(bitmap.Canvas(), gui::Rect(0, 0, 8, 8));
  EXPECT_EQ(Picture(bitmap), (Rows{"RRRKRRRK", "RRKRRRKR", "RKRRRKRR", "KRRRKRRR", "RRRKRRRK",
                                   "RRKRRRKR", "RKRRRKRR", "KRRRKRRR"}));
  EXPECT_EQ(bitmap.Canvas().TextColor(), text);
  EXPECT_EQ(bitmap.Canvas().BkColor(), back);
  EXPECT_EQ(bitmap.Canvas().Brush.Bitmap, nullptr);
}

}  // namespace
