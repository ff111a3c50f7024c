// Bitmap conversion: BMP images at 1, 4, 8 and 24 bits, the six colour mapping methods, the
// choice of format by colour count and screen, zoom, tiling and the gradient description.
#include "controls/dormant/Rxgraph.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>

#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"
#include "platform/ScreenDepth.h"

using namespace rxgraph;
using gui::le::u16;
using gui::le::u32;

namespace {

using Bytes = std::vector<uint8_t>;

gui::TBitmap trueColor(int width, int height, const std::function<QRgb(int, int)>& color) {
  QImage pixels(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.setPixel(x, y, color(x, y));
  }
  gui::TBitmap bitmap;
  bitmap.SetImage(pixels);
  return bitmap;
}

gui::TBitmap fromBmp(const Bytes& bmp) {
  gui::TBitmap bitmap;
  bitmap.LoadFromBytes(bmp.data(), bmp.size());
  return bitmap;
}

Bytes bytesOf(std::unique_ptr<gui::TMemoryStream> stream) {
  EXPECT_EQ(stream->Position(), 0);
  return stream->Bytes();
}

// The parts of an 8-bit BMP image the tests look at.
struct Indexed {
  explicit Indexed(const Bytes& bmp) : bytes(bmp) {}
  int width() const { return int(u32(bytes.data() + 18)); }
  int depth() const { return u16(bytes.data() + 28); }
  uint32_t colorsUsed() const { return u32(bytes.data() + 46); }
  // Blue, green, red, reserved of entry i.
  std::array<uint8_t, 4> entry(int i) const {
    const uint8_t* e = bytes.data() + 54 + 4 * i;
    return {e[0], e[1], e[2], e[3]};
  }
  // Index of column x in stored row r (rows bottom-up).
  uint8_t index(int x, int r) const {
    return bytes[u32(bytes.data() + 10) + size_t(r) * size_t((width() + 3) / 4 * 4) + size_t(x)];
  }
  Bytes bytes;
};

Indexed to8Bits(const gui::TBitmap& bitmap, TMappingMethod method) {
  return Indexed(bytesOf(BitmapToMemoryStream(bitmap, gui::pf8bit, method)));
}

}  // namespace

TEST(RxgraphStart, NearestLevelTablesTakeTheLowerLevelOnATie) {
  EXPECT_EQ(Scale04Index[42], 0);  // 42.5 between 0 and 85
  EXPECT_EQ(Scale04Index[43], 1);
  EXPECT_EQ(Scale06Index[128], 3);  // 102 and 153: 26 against 25
  EXPECT_EQ(Scale07Index[255], 6);
  EXPECT_EQ(Scale08Index[0], 0);
  EXPECT_EQ(Scale08Index[91], 2);  // 73 and 109 are 18 away each
}

TEST(RxgraphConvert, ABitmapAlreadyInTheFormatIsItsOwnImage) {
  gui::TBitmap bitmap = fromBmp(gui::WriteBmpFile(
      trueColor(5, 3, [](int x, int y) { return qRgb(x * 40, y * 80, 7); }).Image(), gui::pf24bit,
      {}));
  ASSERT_EQ(bitmap.PixelFormat(), gui::pf24bit);
  for (TMappingMethod method : {mmHistogram, mmQuantize, mmTrunc784, mmTrunc666, mmTripel}) {
    EXPECT_EQ(bytesOf(BitmapToMemoryStream(bitmap, gui::pf24bit, method)), bitmap.SaveToBytes());
  }
  // Greyed, the same format gives grey pixels.
  gui::TBitmap gray = fromBmp(bytesOf(BitmapToMemoryStream(bitmap, gui::pf24bit, mmGrayscale)));
  QRgb c = gray.Image().pixel(4, 2);
  EXPECT_EQ(qRed(c), qGreen(c));
  EXPECT_EQ(qGreen(c), qBlue(c));
}

// A 24-bit image of a bitmap in another format holds real 24-bit pixels.
TEST(RxgraphConvert, TwentyFourBitsFromAnotherFormatHoldTheBitmapsPixels) {
  gui::TBitmap bitmap =
      trueColor(7, 3, [](int x, int y) { return qRgb(x * 30, 255 - y * 50, x * y); });
  bitmap.SetPixelFormat(gui::pf8bit);
  Bytes bmp = bytesOf(BitmapToMemoryStream(bitmap, gui::pf24bit, mmTrunc666));
  EXPECT_EQ(u16(bmp.data() + 28), 24);
  EXPECT_EQ(bmp.size(), 54u + 24u * 3u);
  gui::TBitmap back = fromBmp(bmp);
  EXPECT_EQ(back.PixelFormat(), gui::pf24bit);
  EXPECT_EQ(back.Image(), bitmap.Image());
}

TEST(RxgraphConvert, OneAndFourBitsUseTheBitmapsTableOrTheStandardOne) {
  gui::TBitmap bitmap =
      trueColor(9, 2, [](int x, int) { return x < 5 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); });
  gui::TBitmap mono = fromBmp(bytesOf(BitmapToMemoryStream(bitmap, gui::pf1bit, mmHistogram)));
  EXPECT_EQ(mono.PixelFormat(), gui::pf1bit);
  EXPECT_EQ(mono.Image(), bitmap.Image());
  gui::TBitmap sixteen = fromBmp(bytesOf(BitmapToMemoryStream(bitmap, gui::pf4bit, mmHistogram)));
  EXPECT_EQ(sixteen.PixelFormat(), gui::pf4bit);
  EXPECT_EQ(sixteen.Palette().size(), 16u);
  EXPECT_EQ(sixteen.Image(), bitmap.Image());
}

// Requests the conversion cannot serve raise an error the caller can catch and show.
TEST(RxgraphConvert, UnsupportedRequestsRaiseTypedErrors) {
  gui::TBitmap empty;
  try {
    BitmapToMemoryStream(empty, gui::pf8bit, mmHistogram);
    ADD_FAILURE() << "an empty bitmap was converted";
  } catch (const gui::EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), gui::texts::kInvalidBitmap);
  }
  gui::TBitmap bitmap = trueColor(2, 2, [](int, int) { return qRgb(1, 2, 3); });
  bitmap.SetPixelFormat(gui::pf8bit);
  for (gui::TPixelFormat format :
       {gui::pfDevice, gui::pf15bit, gui::pf16bit, gui::pf32bit, gui::pfCustom}) {
    try {
      BitmapToMemoryStream(bitmap, format, mmHistogram);
      ADD_FAILURE() << "format " << format << " was converted";
    } catch (const gui::EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), gui::texts::kInvalidPixelFormat);
    }
  }
}

TEST(RxgraphMethods, FixedTablesMapEachChannelToItsNearestLevel) {
  gui::TBitmap bitmap = trueColor(1, 1, [](int, int) { return qRgb(255, 128, 0); });
  Indexed cube = to8Bits(bitmap, mmTrunc666);
  EXPECT_EQ(cube.colorsUsed(), 216u);
  EXPECT_EQ(cube.index(0, 0), 5 * 36 + 3 * 6 + 0);
  EXPECT_EQ(cube.entry(198), (std::array<uint8_t, 4>{0, 153, 255, 0}));
  EXPECT_EQ(cube.entry(216), (std::array<uint8_t, 4>{128, 128, 128, 128}));

  Indexed box = to8Bits(bitmap, mmTrunc784);
  EXPECT_EQ(box.colorsUsed(), 224u);
  EXPECT_EQ(box.index(0, 0), 6 * 32 + 4 * 4 + 0);
  EXPECT_EQ(box.entry(208), (std::array<uint8_t, 4>{0, 146, 255, 0}));
  EXPECT_EQ(box.entry(255), (std::array<uint8_t, 4>{128, 128, 128, 128}));

  gui::TBitmap dark = trueColor(1, 1, [](int, int) { return qRgb(10, 20, 30); });
  Indexed gray = to8Bits(dark, mmGrayscale);
  EXPECT_EQ(gray.index(0, 0), (10 * 77 + 20 * 150 + 30 * 29) >> 8);
  EXPECT_EQ(gray.entry(18), (std::array<uint8_t, 4>{18, 18, 18, 0}));
  EXPECT_EQ(gray.colorsUsed(), 0u);
}

TEST(RxgraphMethods, TripelTurnsChannelsAlongTheStoredRows) {
  gui::TBitmap white = trueColor(6, 3, [](int, int) { return qRgb(255, 255, 255); });
  Indexed tripel = to8Bits(white, mmTripel);
  const uint8_t cycle[] = {63, 127, 191};
  for (int r = 0; r < 3; ++r) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(tripel.index(x, r), cycle[(x + r) % 3]) << x << "," << r;
  }
  EXPECT_EQ(tripel.entry(63), (std::array<uint8_t, 4>{0, 0, 252, 0}));
  EXPECT_EQ(tripel.entry(200), (std::array<uint8_t, 4>{0, 0, 0, 0}));
}

TEST(RxgraphMethods, MedianCutGivesOneEntryPerBox) {
  gui::TBitmap one = trueColor(4, 4, [](int, int) { return qRgb(255, 255, 255); });
  Indexed single = to8Bits(one, mmQuantize);
  EXPECT_EQ(single.colorsUsed(), 1u);
  EXPECT_EQ(single.entry(0), (std::array<uint8_t, 4>{255, 255, 255, 0}));
  EXPECT_EQ(single.entry(1), (std::array<uint8_t, 4>{0, 0, 0, 0}));

  // Four colours in four cells split into four boxes, each pixel in its own colour's box. A
  // box's colour is the top of its cells' range (a channel at 0 comes out as 15), but
  // near-black is black.
  const QRgb colors[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  gui::TBitmap four = trueColor(4, 2, [&](int x, int) { return colors[x]; });
  Indexed quantized = to8Bits(four, mmQuantize);
  EXPECT_EQ(quantized.colorsUsed(), 4u);
  std::set<std::array<uint8_t, 4>> entries;
  for (int x = 0; x < 4; ++x) {
    auto e = quantized.entry(quantized.index(x, 0));
    EXPECT_EQ(quantized.index(x, 1), quantized.index(x, 0));
    entries.insert(e);
  }
  EXPECT_EQ(entries, (std::set<std::array<uint8_t, 4>>{
                         {0, 0, 0, 0}, {15, 15, 255, 0}, {15, 255, 15, 0}, {255, 15, 15, 0}}));
}

// Too many colours: the lowest bits of blue, red and green are dropped in that order until the
// colours fit; the entries show which bits are left.
TEST(RxgraphMethods, HistogramDropsBlueThenRedThenGreenBits) {
  struct Case {
    int reds, greens, blues;
    bool redKept, greenKept;
  };
  const Case cases[] = {
      {16, 16, 12, true, true}, {16, 20, 16, false, true}, {24, 24, 24, false, false}};
  for (const Case& c : cases) {
    const int count = c.reds * c.greens * c.blues;
    gui::TBitmap bitmap = trueColor(count, 1, [&](int x, int) {
      return qRgb(x % c.reds, x / c.reds % c.greens, x / (c.reds * c.greens));
    });
    Indexed histogram = to8Bits(bitmap, mmHistogram);
    bool redOdd = false, greenOdd = false, blueOdd = false;
    for (int i = 0; i < 256; ++i) {
      auto e = histogram.entry(i);
      blueOdd |= e[0] & 1, greenOdd |= e[1] & 1, redOdd |= e[2] & 1;
    }
    EXPECT_FALSE(blueOdd) << count;
    EXPECT_EQ(redOdd, c.redKept) << count;
    EXPECT_EQ(greenOdd, c.greenKept) << count;
  }
}

TEST(RxgraphMethods, HistogramKeepsTheFrequentColoursAndMapsTheRestToTheNearest) {
  // 255 colours twice, then 45 once, each a little bluer than one of the frequent ones: the
  // frequent ones and the first rare one are chosen, the other rare ones take their neighbour.
  auto frequent = [](int i) { return qRgb(i % 20 * 12, i / 20 * 16, 0); };
  gui::TBitmap bitmap = trueColor(
      555, 1, [&](int x, int) { return x < 510 ? frequent(x / 2) : (frequent(x - 510) | 3); });
  Indexed histogram = to8Bits(bitmap, mmHistogram);
  for (int x = 0; x < 510; ++x) EXPECT_EQ(histogram.index(x, 0), x / 2) << x;
  EXPECT_EQ(histogram.index(510, 0), 255);
  EXPECT_EQ(histogram.entry(255), (std::array<uint8_t, 4>{3, 0, 0, 0}));
  for (int x = 511; x < 555; ++x) EXPECT_EQ(histogram.index(x, 0), x - 510) << x;

  // Entries beyond the colours there are stay grey.
  gui::TBitmap three = trueColor(3, 1, [&](int x, int) { return frequent(x); });
  Indexed few = to8Bits(three, mmHistogram);
  EXPECT_EQ(few.entry(3), (std::array<uint8_t, 4>{128, 128, 128, 0}));
  EXPECT_EQ(few.entry(255), (std::array<uint8_t, 4>{128, 128, 128, 0}));
}

TEST(RxgraphFormats, ColourCountsChooseTheDepth) {
  gui::TBitmap bitmap = trueColor(3, 3, [](int x, int y) { return qRgb(x * 90, y * 90, 60); });
  const std::pair<int, int> cases[] = {{0, 1},  {2, 1},   {3, 4},   {16, 4},
                                       {17, 8}, {256, 8}, {257, 24}};
  for (auto [colors, bits] : cases) {
    Bytes bmp = bytesOf(BitmapToMemory(bitmap, colors));
    EXPECT_EQ(u16(bmp.data() + 28), bits) << colors;
  }
}

TEST(RxgraphFormats, PaletteAndScreenFormats) {
  const std::pair<size_t, gui::TPixelFormat> palettes[] = {
      {0, gui::pfDevice}, {1, gui::pf1bit},  {2, gui::pf1bit},   {3, gui::pf4bit},
      {16, gui::pf4bit},  {17, gui::pf8bit}, {256, gui::pf8bit}, {257, gui::pfDevice}};
  for (auto [entries, format] : palettes) {
    gui::TBitmap bitmap(2, 2);
    bitmap.SetPalette(std::vector<QRgb>(entries, 0xFF000000u));
    EXPECT_EQ(GetPaletteBitmapFormat(bitmap), format) << entries;
  }
  const struct {
    int bits;
    gui::TPixelFormat format;
    int colors;
  } screens[] = {{1, gui::pf1bit, 2},    {4, gui::pf4bit, 16},  {8, gui::pf8bit, 256},
                 {16, gui::pfDevice, 0}, {24, gui::pf24bit, 0}, {32, gui::pfDevice, 0}};
  for (const auto& s : screens) {
    platform::SimScreenDepth().setBitsPerPixel(s.bits);
    EXPECT_EQ(ScreenPixelFormat(), s.format) << s.bits;
    EXPECT_EQ(ScreenColorCount(), s.colors) << s.bits;
  }
  platform::SimScreenDepth().reset();
}

TEST(RxgraphFormats, SettingAFormatConvertsAndGreyingAlwaysGreys) {
  gui::TBitmap bitmap = trueColor(4, 4, [](int x, int y) { return qRgb(x * 60, y * 60, 200); });
  SetBitmapPixelFormat(bitmap, gui::pf8bit, mmTrunc666);
  EXPECT_EQ(GetBitmapPixelFormat(bitmap), gui::pf8bit);
  EXPECT_EQ(bitmap.Image().pixel(0, 0) & 0xFFFFFF, 0x0000CCu);  // the cube's (0, 0, 204)
  // An 8-bit colour bitmap turns grey too.
  GrayscaleBitmap(bitmap);
  EXPECT_EQ(GetBitmapPixelFormat(bitmap), gui::pf8bit);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      QRgb c = bitmap.Image().pixel(x, y);
      EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
    }
  }
  gui::TBitmap empty;
  SetBitmapPixelFormat(empty, gui::pf8bit, mmHistogram);
  GrayscaleBitmap(empty);
  EXPECT_TRUE(empty.Empty());
}

TEST(RxgraphFormats, SavingAMonochromeBitmapWritesOneBit) {
  QTemporaryDir dir;
  gui::TBitmap bitmap =
      trueColor(5, 5, [](int x, int) { return x % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255); });
  bitmap.SetMonochrome(true);
  const std::string file = dir.filePath("mono.bmp").toStdString();
  SaveBitmapToFile(file, bitmap, 256);
  gui::TMemoryStream stream;
  stream.LoadFromFile(file);
  EXPECT_EQ(u16(stream.Memory() + 28), 1);
}

TEST(RxgraphPictures, ZoomToFit) {
  const struct {
    int w, h, maxW, maxH;
    bool stretch;
    gui::TPoint expected;
  } cases[] = {{200, 100, 100, 100, true, {98, 49}},
               {50, 100, 100, 100, true, {49, 98}},
               {200, 100, 100, 100, false, {100, 100}},
               {0, 100, 100, 100, true, {0, 0}},
               {200, 100, 100, 0, false, {0, 0}}};
  for (const auto& c : cases) {
    EXPECT_EQ(ZoomImage(c.w, c.h, c.maxW, c.maxH, c.stretch), c.expected) << c.w << "x" << c.h;
  }
}

TEST(RxgraphPictures, TilesCoverTheRectangleAndNothingOutside) {
  gui::TBitmap tile = trueColor(
      3, 2, [](int x, int y) { return x == 0 && y == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); });
  gui::TBitmap target(12, 8);
  target.Canvas().Brush.Color = gui::clWhite;
  target.Canvas().FillRect(gui::Rect(0, 0, 12, 8));
  TileImage(target.Canvas(), gui::Rect(1, 1, 9, 6), tile);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) {
      QRgb c = target.Image().pixel(x, y) & 0xFFFFFF;
      bool inside = x >= 1 && x < 9 && y >= 1 && y < 6;
      QRgb expected =
          !inside ? 0xFFFFFF : ((x - 1) % 3 == 0 && (y - 1) % 2 == 0 ? 0xFF0000 : 0x0000FF);
      EXPECT_EQ(c, expected) << x << "," << y;
    }
  }
  gui::TBitmap none;
  TileImage(target.Canvas(), gui::Rect(0, 0, 12, 8), none);
}

TEST(RxgraphGradient, DefaultsChangesAndCopies) {
  TRxGradient gradient;
  EXPECT_EQ(gradient.Direction(), vclutils::fdTopToBottom);
  EXPECT_EQ(gradient.StartColor(), gui::TColor(0xC0C0C0));
  EXPECT_EQ(gradient.EndColor(), gui::TColor(0x808080));
  EXPECT_EQ(gradient.StepCount(), 64);
  EXPECT_FALSE(gradient.Visible());
  int changes = 0;
  gradient.OnChange = [&](TRxGradient*) { ++changes; };
  gradient.SetStepCount(64);
  gradient.SetStepCount(2);
  gradient.SetStartColor(gui::clRed);
  gradient.SetEndColor(gui::clBlue);
  gradient.SetDirection(vclutils::fdLeftToRight);
  gradient.SetVisible(true);
  EXPECT_EQ(changes, 5);

  TRxGradient copy;
  int copyChanges = 0;
  copy.OnChange = [&](TRxGradient*) { ++copyChanges; };
  copy.Assign(gradient);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.StepCount(), 2);
  EXPECT_TRUE(copy.Visible());

  gui::TBitmap drawn(10, 4), expected(10, 4);
  copy.Draw(drawn.Canvas(), gui::Rect(0, 0, 10, 4));
  vclutils::GradientFillRect(expected.Canvas(), gui::Rect(0, 0, 10, 4), gui::clRed, gui::clBlue,
                             vclutils::fdLeftToRight, 2);
  EXPECT_EQ(drawn.Image(), expected.Image());
  EXPECT_EQ(drawn.Image().pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
}
