#include <gtest/gtest.h>

#include <QFile>

#include <cstring>

#include "BmpTestFiles.h"
#include "gui/Bitmap.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "gui/Streams.h"
#include "support/TempProgramFolder.h"

using namespace gui;
using bmptest::fileBytes;
using bmptest::infoHeader;

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// A 5 x 3 bitmap of colours from the standard 16-colour table.
TBitmap sample() {
  TBitmap bitmap(5, 3);
  const TColor colors[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                           clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua};
  for (int i = 0; i < 15; ++i) bitmap.Canvas().SetPixel(i % 5, i / 5, colors[i]);
  return bitmap;
}

}  // namespace

TEST(BitmapBmp, EveryPixelFormatRoundTripsWithExactHeaderFields) {
  struct Case {
    TPixelFormat format;
    int bits, tableBytes, compression;
    TPixelFormat readBack;
  } cases[] = {
      {pf1bit, 1, 8, 0, pf1bit},      {pf4bit, 4, 64, 0, pf4bit},
      {pf8bit, 8, 1024, 0, pf8bit},   {pf15bit, 16, 0, 0, pf15bit},
      {pf16bit, 16, 12, 3, pf16bit},  {pf24bit, 24, 0, 0, pf24bit},
      {pf32bit, 32, 0, 0, pf32bit},   {pfDevice, 24, 0, 0, pf24bit},
  };
  for (const Case& c : cases) {
    TBitmap bitmap = sample();
    bitmap.SetPixelFormat(c.format);
    std::vector<uint8_t> bytes = bitmap.SaveToBytes();
    int stride = (5 * c.bits + 31) / 32 * 4;
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(bytes, 2), bytes.size()) << c.format;
    EXPECT_EQ(u32(bytes, 6), 0u);
    EXPECT_EQ(u32(bytes, 10), uint32_t(54 + c.tableBytes)) << c.format;
    EXPECT_EQ(u32(bytes, 14), 40u);
    EXPECT_EQ(u32(bytes, 18), 5u);
    EXPECT_EQ(u32(bytes, 22), 3u);
    EXPECT_EQ(u16(bytes, 26), 1u);
    EXPECT_EQ(u16(bytes, 28), uint32_t(c.bits));
    EXPECT_EQ(u32(bytes, 30), uint32_t(c.compression));
    EXPECT_EQ(u32(bytes, 34), uint32_t(stride * 3));
    EXPECT_EQ(u32(bytes, 46), 0u);  // colours used: the whole table
    EXPECT_EQ(bytes.size(), size_t(54 + c.tableBytes + stride * 3));

    TBitmap back;
    back.LoadFromBytes(bytes.data(), bytes.size());
    EXPECT_EQ(back.PixelFormat(), c.readBack);
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Height(), 3);
    EXPECT_EQ(back.Image(), bitmap.Image()) << "pixels of format " << c.format;
    EXPECT_EQ(back.SaveToBytes(), bytes);
  }
}

TEST(BitmapBmp, PaletteFormatsKeepTheirTables) {
  TBitmap bitmap = sample();
  bitmap.SetPixelFormat(pf4bit);
  EXPECT_EQ(bitmap.Palette().size(), 16u);
  EXPECT_EQ(bitmap.Canvas().Pixel(4, 2), clAqua);  // in the table: unchanged
  bitmap.SetPixelFormat(pf1bit);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clWhite);  // yellow is nearer to white
}

TEST(BitmapBmp, ReadsTheLayoutsOfOtherWriters) {
  // Top-down rows (negative height), 24 bits.
  std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0,   // red, green, pad
                               255, 0, 0, 255, 255, 255, 0, 0};  // blue, white
  TBitmap topDown;
  std::vector<uint8_t> file = fileBytes(infoHeader(2, -2, 24, 0), rows);
  topDown.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(topDown.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(topDown.Canvas().Pixel(1, 1), clWhite);

  // 16 bits in 5-6-5 bit fields.
  std::vector<uint8_t> fields = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  std::vector<uint8_t> pixels = {0x00, 0xF8, 0x1F, 0x00};  // red, blue (one row of 2)
  fields.insert(fields.end(), pixels.begin(), pixels.end());
  file = fileBytes(infoHeader(2, 1, 16, 3), fields);
  TBitmap bits565;
  bits565.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(bits565.PixelFormat(), pf16bit);
  EXPECT_EQ(bits565.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(bits565.Canvas().Pixel(1, 0), clBlue);

  // A core header with three-byte table entries.
  std::vector<uint8_t> core = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0};
  std::vector<uint8_t> rest = {0, 0, 255, 255, 0, 0, 0x40, 0, 0, 0};  // red, blue; pixels 0,1
  file = fileBytes(core, rest);
  TBitmap os2;
  os2.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(os2.PixelFormat(), pf1bit);
  EXPECT_EQ(os2.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(os2.Canvas().Pixel(1, 0), clBlue);

  // Run-length encoded 8 bits: two rows, each a run of two pixels.
  std::vector<uint8_t> rle(8 * 4, 0);
  rle[0] = 255;                       // index 0: blue
  rle[4] = 255, rle[5] = 255;         // index 1: aqua (blue and green)
  std::vector<uint8_t> runs = {2, 0, 0, 0, 2, 1, 0, 1};
  rle.resize(1024, 0);
  rle.insert(rle.end(), runs.begin(), runs.end());
  std::vector<uint8_t> header = infoHeader(2, 2, 8, 1);
  file = fileBytes(header, rle);
  // With the pixel offset filled in, as writers do.
  uint32_t offset = uint32_t(14 + 40 + 1024);
  for (int i = 0; i < 4; ++i) file[size_t(10 + i)] = uint8_t(offset >> (8 * i));
  TBitmap compressed;
  compressed.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(compressed.PixelFormat(), pf8bit);
  EXPECT_EQ(compressed.Canvas().Pixel(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(compressed.Canvas().Pixel(1, 0), RGB(0, 255, 255));
}

TEST(BitmapBmp, DamagedFilesRaiseTheClassLibraryErrors) {
  std::vector<uint8_t> good = sample().SaveToBytes();
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool readError;
  };
  std::vector<Case> cases;
  auto damaged = [&](const char* what, size_t at, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[at] = value;
    cases.push_back({what, b, false});
  };
  damaged("signature", 0, 'X');
  damaged("header size", 14, 20);
  damaged("bit count", 28, 3);
  damaged("compression", 30, 7);
  damaged("zero width", 18, 0);
  cases.push_back({"short header", std::vector<uint8_t>(good.begin(), good.begin() + 30), false});
  cases.push_back({"short pixels", std::vector<uint8_t>(good.begin(), good.end() - 5), true});
  std::vector<uint8_t> huge = fileBytes(infoHeader(100000, 100000, 24, 0), {});
  cases.push_back({"huge", huge, false});
  for (const Case& c : cases) {
    TBitmap bitmap;
    try {
      bitmap.LoadFromBytes(c.bytes.data(), c.bytes.size());
      ADD_FAILURE() << c.what << ": loaded";
    } catch (const EReadError& e) {
      EXPECT_TRUE(c.readError) << c.what;
      EXPECT_EQ(e.Message(), "Stream read error");
    } catch (const EInvalidGraphic& e) {
      EXPECT_FALSE(c.readError) << c.what;
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
  }
}

TEST(BitmapBmp, BuiltinFileSavesBackToTheSameBytes) {
  QFile file(":/bitmaps/VYX_TEST.bmp");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the test bitmap is compiled in";
  QByteArray data = file.readAll();
  std::vector<uint8_t> bytes(data.begin(), data.end());
  TBitmap bitmap;
  bitmap.LoadFromBytes(bytes.data(), bytes.size());
  EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
  EXPECT_EQ(bitmap.SaveToBytes(), bytes);
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsWithTheBrush) {
  TBitmap bitmap(2, 2);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clWhite);  // new bitmaps are white
  bitmap.Canvas().SetPixel(1, 1, clRed);
  bitmap.Canvas().Brush.Color = clBlue;
  bitmap.SetSize(3, 4);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 0), clBlue);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 3), clBlue);
  int changes = 0;
  bitmap.OnChange = [&](TGraphic*) { ++changes; };
  bitmap.Canvas().SetPixel(0, 0, clLime);
  bitmap.SetWidth(3);  // unchanged: no notification
  EXPECT_EQ(changes, 1);
  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, LayoutDataCarriesASizePrefix) {
  TBitmap bitmap = sample();
  TMemoryStream stream;
  bitmap.WriteData(stream);
  std::vector<uint8_t> bytes = stream.Bytes();
  EXPECT_EQ(u32(bytes, 0), bytes.size() - 4);
  EXPECT_EQ(bytes[4], 'B');
  stream.SetPosition(0);
  TBitmap back;
  back.ReadData(stream);
  EXPECT_EQ(back.Image(), bitmap.Image());
  TMemoryStream damaged;
  uint8_t prefix[4] = {0xFF, 0xFF, 0xFF, 0x7F};
  damaged.WriteBuffer(prefix, 4);
  damaged.SetPosition(0);
  EXPECT_THROW(back.ReadData(damaged), EReadError);
  TMemoryStream empty;
  back.LoadFromStream(empty);
  EXPECT_TRUE(back.Empty());
}

namespace {

class FakeGraphic : public TBitmap {
public:
  const char* ClassName() const override { return "TFakeGraphic"; }
};

}  // namespace

TEST(Picture, ClassesAreFoundByExtensionNameAndClipboardFormat) {
  testing_support::TempProgramFolder folder;
  std::string name = folder.path() + "glyph.BMP";
  sample().SaveToFile(name);
  TPicture picture;
  picture.LoadFromFile(name);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_STREQ(picture.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(picture.Width(), 5);
  try {
    picture.LoadFromFile(folder.path() + "x.xyz");
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(0xC123));

  auto factory = [] { return std::make_unique<FakeGraphic>(); };
  TPicture::RegisterFileFormat("FAK", "Fake pictures", "TFakeGraphic", factory);
  TPicture::RegisterClipboardFormat(0xC123, "TFakeGraphic", factory);
  EXPECT_STREQ(TPicture::CreateByExtension("fak")->ClassName(), "TFakeGraphic");
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(0xC123));
  TPicture::UnregisterGraphicClass("TFakeGraphic");
  EXPECT_EQ(TPicture::CreateByExtension("fak"), nullptr);
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(0xC123));
}

TEST(Picture, LayoutDataNamesTheClass) {
  TPicture picture;
  picture.SetGraphic(std::make_unique<TBitmap>(sample()));
  TMemoryStream stream;
  picture.WriteData(stream);
  EXPECT_EQ(stream.Bytes()[0], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()) + 1, 7), "TBitmap");
  stream.SetPosition(0);
  TPicture back;
  back.ReadData(stream);
  ASSERT_NE(back.Graphic(), nullptr);
  EXPECT_TRUE(back.Graphic()->Equals(*picture.Graphic()));

  TMemoryStream unknown;
  unknown.WriteBuffer("\x05TNone", 6);
  unknown.SetPosition(0);
  back.ReadData(unknown);
  EXPECT_EQ(back.Graphic(), nullptr);
  int changes = 0;
  back.OnChange = [&](TPicture*) { ++changes; };
  back.Bitmap().SetSize(2, 2);  // an empty bitmap takes the place, then changes
  EXPECT_EQ(changes, 2);
}

TEST(BuiltinBitmaps, LoadedByNameInAnyCaseAndShared) {
  std::shared_ptr<const TBitmap> first = LoadBuiltinBitmap("vyx_test");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Width(), 6);
  EXPECT_EQ(first->Height(), 4);
  EXPECT_EQ(first->PixelFormat(), pf4bit);
  EXPECT_EQ(first->TransparentColor(), clFuchsia);
  EXPECT_EQ(first->Canvas().Pixel(5, 0), clRed);
  EXPECT_EQ(LoadBuiltinBitmap("VYX_TEST"), first);
  EXPECT_EQ(LoadBuiltinBitmap("NO_SUCH_BITMAP"), nullptr);
  TBitmap own;
  own.Assign(*first);
  own.Canvas().SetPixel(0, 0, clBlack);  // a copy of one's own can be edited
  EXPECT_EQ(first->Canvas().Pixel(0, 0), clFuchsia);
}

namespace {

// A graphic that knows how to become a bitmap, as a picture class registered later does.
class FrameLike : public TIcon {
public:
  const char* ClassName() const override { return "TFrameLike"; }
  bool AssignTo(TGraphic& dest) const override {
    auto* bitmap = dynamic_cast<TBitmap*>(&dest);
    if (!bitmap) return false;
    bitmap->SetSize(3, 3);
    bitmap->SetTransparentColor(clRed);
    return true;
  }
};

}  // namespace

TEST(Graphic, AssignAsksTheSourceBeforeGivingUp) {
  FrameLike frame;
  TBitmap bitmap;
  bitmap.Assign(&frame);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.TransparentColor(), clRed);

  TIcon icon;
  try {
    icon.Assign(&bitmap);
    FAIL() << "assigned";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TBitmap to a TIcon");
  }
  // A bitmap takes any other graphic by drawing it.
  QImage pixels(2, 2, QImage::Format_RGB32);
  pixels.fill(qRgb(0, 0, 255));
  icon.SetFromImage(pixels, [](int x, int) { return x == 1; }, 32);
  bitmap.Assign(&icon);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clBlue);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), clWhite);
  EXPECT_TRUE(bitmap.Transparent());
}
