#include <gtest/gtest.h>

#include <QBuffer>

#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "gui/ImageList.h"

using namespace gui;

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// A size x size picture: a red square on the left half, a blue one on the right; a transparent
// border of one pixel.
TIcon makeIcon(int size, int bits) {
  QImage pixels(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) pixels.setPixel(x, y, x < size / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
  }
  TIcon icon;
  icon.SetFromImage(pixels, [size](int x, int y) {
    return x == 0 || y == 0 || x == size - 1 || y == size - 1;
  }, bits);
  return icon;
}

// One file of the images of several single-image files.
std::vector<uint8_t> combine(const std::vector<std::vector<uint8_t>>& files) {
  std::vector<uint8_t> out = {0, 0, 1, 0, uint8_t(files.size()), 0};
  size_t offset = 6 + 16 * files.size();
  std::vector<uint8_t> bodies;
  for (const auto& f : files) {
    std::vector<uint8_t> entry(f.begin() + 6, f.begin() + 22);
    uint32_t at = uint32_t(offset + bodies.size());
    for (int i = 0; i < 4; ++i) entry[size_t(12 + i)] = uint8_t(at >> (8 * i));
    out.insert(out.end(), entry.begin(), entry.end());
    bodies.insert(bodies.end(), f.begin() + 22, f.end());
  }
  out.insert(out.end(), bodies.begin(), bodies.end());
  return out;
}

// A one-image icon file whose image is the picture as a PNG file.
std::vector<uint8_t> pngIcon(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, "PNG"));
  std::vector<uint8_t> out = {0, 0, 1, 0, 1, 0};
  out.insert(out.end(), {uint8_t(picture.width()), uint8_t(picture.height()), 0, 0, 1, 0, 32, 0});
  for (uint32_t v : {uint32_t(png.size()), 22u}) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  }
  out.insert(out.end(), png.begin(), png.end());
  return out;
}

}  // namespace

TEST(Icon, WritesAndReadsIconsOf4_8And32Bits) {
  struct Case {
    int size, bits, tableBytes, colorCount;
  } cases[] = {{16, 4, 64, 16}, {32, 4, 64, 16}, {16, 8, 1024, 0}, {32, 32, 0, 0}};
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = makeIcon(c.size, c.bits).SaveToBytes();
    int xorBytes = (c.size * c.bits + 31) / 32 * 4 * c.size;
    int andBytes = (c.size + 31) / 32 * 4 * c.size;
    ASSERT_EQ(bytes.size(), size_t(6 + 16 + 40 + c.tableBytes + xorBytes + andBytes)) << c.bits;
    EXPECT_EQ(u16(bytes, 0), 0);
    EXPECT_EQ(u16(bytes, 2), 1);
    EXPECT_EQ(u16(bytes, 4), 1);
    EXPECT_EQ(bytes[6], c.size);
    EXPECT_EQ(bytes[7], c.size);
    EXPECT_EQ(bytes[8], c.colorCount);
    EXPECT_EQ(u16(bytes, 10), 1);
    EXPECT_EQ(u16(bytes, 12), c.bits);
    EXPECT_EQ(u32(bytes, 14), bytes.size() - 22);
    EXPECT_EQ(u32(bytes, 18), 22u);
    EXPECT_EQ(u32(bytes, 22), 40u);
    EXPECT_EQ(u32(bytes, 30), uint32_t(2 * c.size));  // colours and mask

    TIcon back;
    back.LoadFromBytes(bytes.data(), bytes.size());
    ASSERT_EQ(back.Width(), c.size);
    const IconImage& image = back.Images()[0];
    EXPECT_EQ(image.bits, c.bits);
    EXPECT_TRUE(image.masked(0, 0));
    EXPECT_FALSE(image.masked(1, 1));
    EXPECT_EQ(image.color.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.color.pixel(c.size - 2, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(back.SaveToBytes(), bytes);
  }
}

TEST(Icon, DrawsThroughItsMaskOrAlpha) {
  for (int bits : {4, 32}) {
    TBitmap paper(20, 20);
    paper.Canvas().Brush.Color = clLime;
    paper.Canvas().FillRect(Rect(0, 0, 20, 20));
    TIcon icon = makeIcon(16, bits);
    paper.Canvas().StretchDraw(Rect(2, 2, 40, 40), icon);  // icons keep their own size
    EXPECT_EQ(paper.Canvas().Pixel(2, 2), clLime) << bits;   // transparent border
    EXPECT_EQ(paper.Canvas().Pixel(3, 3), clRed) << bits;
    EXPECT_EQ(paper.Canvas().Pixel(16, 3), clBlue) << bits;
    EXPECT_EQ(paper.Canvas().Pixel(17, 17), clLime) << bits;
    EXPECT_EQ(paper.Canvas().Pixel(18, 10), clLime) << bits;
  }
}

TEST(Icon, ChoosesTheImageNearest32AndRejectsDamage) {
  std::vector<uint8_t> both = combine({makeIcon(16, 4).SaveToBytes(), makeIcon(32, 8).SaveToBytes()});
  TIcon icon;
  icon.LoadFromBytes(both.data(), both.size());
  EXPECT_EQ(icon.Images().size(), 2u);
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.SaveToBytes(), both);

  std::vector<uint8_t> good = makeIcon(16, 4).SaveToBytes();
  std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
  cases.push_back({"empty", {}});
  auto damaged = [&](const char* what, size_t at, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[at] = value;
    cases.push_back({what, b});
  };
  damaged("cursor type", 2, 2);
  damaged("no images", 4, 0);
  damaged("offset beyond", 21, 0x10);
  damaged("dib header", 22, 3);
  damaged("bit count", 36, 7);
  cases.push_back({"cut", std::vector<uint8_t>(good.begin(), good.begin() + 100)});
  for (const auto& [what, bytes] : cases) {
    TIcon bad;
    try {
      bad.LoadFromBytes(bytes.data(), bytes.size());
      ADD_FAILURE() << what << ": loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Icon image is not valid") << what;
    }
  }
  try {
    icon.SetWidth(16);
    FAIL() << "resized";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot change the size of an icon");
  }
}

TEST(ImageList, MaskedImagesAreSplitAndDrawnTransparently) {
  TBitmap strip(48, 16);
  strip.Canvas().Brush.Color = clFuchsia;
  strip.Canvas().FillRect(Rect(0, 0, 48, 16));
  strip.Canvas().Brush.Color = clRed;
  strip.Canvas().FillRect(Rect(4, 4, 12, 12));   // image 0
  strip.Canvas().Brush.Color = clBlue;
  strip.Canvas().FillRect(Rect(36, 0, 48, 16));  // image 2
  TImageList list(16, 16);
  EXPECT_EQ(list.AddMasked(strip, clDefault), 0);  // the lower-left colour is the mask colour
  EXPECT_EQ(list.Count(), 3);
  EXPECT_TRUE(list.Transparent(0, 0, 0));
  EXPECT_FALSE(list.Transparent(0, 5, 5));

  TBitmap paper(20, 20);
  paper.Canvas().Brush.Color = clLime;
  paper.Canvas().FillRect(Rect(0, 0, 20, 20));
  list.Draw(paper.Canvas(), 2, 2, 0);
  EXPECT_EQ(paper.Canvas().Pixel(2, 2), clLime);
  EXPECT_EQ(paper.Canvas().Pixel(6, 6), clRed);
  list.Draw(paper.Canvas(), 2, 2, 2, ILD_MASK);
  EXPECT_EQ(paper.Canvas().Pixel(2, 2), clWhite);
  EXPECT_EQ(paper.Canvas().Pixel(14, 2), clBlack);

  TBitmap image;
  list.GetBitmap(0, image);
  EXPECT_EQ(image.Canvas().Pixel(0, 0), clBlack);  // masked pixels are black in the image
  EXPECT_EQ(image.Canvas().Pixel(5, 5), clRed);
  TIcon icon;
  list.GetIcon(0, icon);
  EXPECT_TRUE(icon.Images()[0].masked(0, 0));
  EXPECT_FALSE(icon.Images()[0].masked(5, 5));
}

TEST(ImageList, AddWithMaskReplaceDeleteAndIndexErrors) {
  TImageList list(4, 4);
  TBitmap image(4, 4), mask(4, 4);
  image.Canvas().Brush.Color = clRed;
  image.Canvas().FillRect(Rect(0, 0, 4, 4));
  mask.Canvas().Brush.Color = clBlack;
  mask.Canvas().FillRect(Rect(0, 0, 2, 4));  // left half opaque, right half white: transparent
  EXPECT_EQ(list.Add(image, &mask), 0);
  EXPECT_FALSE(list.Transparent(0, 1, 1));
  EXPECT_TRUE(list.Transparent(0, 3, 1));
  EXPECT_EQ(list.Add(image, nullptr), 1);
  EXPECT_FALSE(list.Transparent(1, 3, 1));
  TBitmap narrow(3, 4);
  EXPECT_EQ(list.Add(narrow, nullptr), -1);
  list.ReplaceMasked(1, image, clRed);
  EXPECT_TRUE(list.Transparent(1, 0, 0));
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  TBitmap paper(8, 8);
  for (int bad : {-1, 1, 7}) {
    try {
      list.Draw(paper.Canvas(), 0, 0, bad);
      ADD_FAILURE() << bad;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Invalid ImageList Index");
    }
  }
}

// PNG images keep their alpha; they are saved back as 32-bit images with the same pixels. One
// larger than a bitmap may be is refused before its pixels are read.
TEST(Icon, PngImagesKeepTheirAlphaAndTheirSizeIsLimited) {
  QImage picture(4, 3, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 0, 255, 255));
  picture.setPixel(1, 0, qRgba(255, 0, 0, 128));
  picture.setPixel(3, 2, qRgba(0, 0, 0, 0));
  std::vector<uint8_t> file = pngIcon(picture);
  TIcon icon;
  icon.LoadFromBytes(file.data(), file.size());
  ASSERT_EQ(icon.Images().size(), 1u);
  const IconImage& image = icon.Images()[0];
  EXPECT_TRUE(image.png);
  EXPECT_TRUE(image.hasAlpha);
  EXPECT_EQ(image.color, picture);
  EXPECT_TRUE(image.masked(3, 2));
  EXPECT_FALSE(image.masked(1, 0));
  std::vector<uint8_t> saved = icon.SaveToBytes();
  TIcon back;
  back.LoadFromBytes(saved.data(), saved.size());
  EXPECT_EQ(back.Images()[0].bits, 32);
  EXPECT_EQ(back.Images()[0].color, picture);

  QImage huge(4097, 4097, QImage::Format_Mono);
  huge.fill(0);
  file = pngIcon(huge);
  try {
    icon.LoadFromBytes(file.data(), file.size());
    ADD_FAILURE() << "a PNG of 4097 x 4097 pixels was loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Icon image is not valid");
  }
}

// 16-bit images, 5-5-5 or 5-6-5 in bit fields, are written back as they came: the lowest green
// bit of a 5-6-5 pixel survives. Other bit fields (here 4-4-4) are written back as 5-5-5 pixels,
// not as a file of 0 bits per pixel that no reader takes.
TEST(Icon, SixteenBitImagesKeepTheirLayout) {
  using Pixels = std::vector<uint16_t>;
  struct Case {
    const char* what;
    std::vector<uint32_t> masks;  // none: 5-5-5 without bit fields
    Pixels pixels;                // a 2 x 2 picture, bottom row first
    bool sameBytes;
  } cases[] = {
      {"5-5-5", {}, {0x0020, 0x03E0, 0x7C1F, 0x001F}, true},
      {"5-6-5", {0xF800, 0x07E0, 0x001F}, {0x0020, 0x07E0, 0xF81F, 0x001F}, true},
      {"4-4-4", {0x0F00, 0x00F0, 0x000F}, {0x0010, 0x00F0, 0x0F0F, 0x000F}, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> dib;
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) dib.push_back(uint8_t(v >> (8 * i)));
    };
    for (uint32_t v : {40u, 2u, 4u, 0x100001u, c.masks.empty() ? 0u : 3u, 16u}) put32(v);
    dib.resize(40, 0);
    for (uint32_t mask : c.masks) put32(mask);
    for (uint16_t p : c.pixels) dib.insert(dib.end(), {uint8_t(p), uint8_t(p >> 8)});
    dib.insert(dib.end(), 8, 0);  // the AND mask: two rows of 4 bytes
    std::vector<uint8_t> file = {0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 16, 0};
    for (uint32_t v : {uint32_t(dib.size()), 22u}) {
      for (int i = 0; i < 4; ++i) file.push_back(uint8_t(v >> (8 * i)));
    }
    file.insert(file.end(), dib.begin(), dib.end());
    TIcon icon;
    icon.LoadFromBytes(file.data(), file.size());
    EXPECT_EQ(icon.Images()[0].bits, 16) << c.what;
    std::vector<uint8_t> saved = icon.SaveToBytes();
    if (c.sameBytes) {
      EXPECT_EQ(saved, file) << c.what;
    }
    TIcon back;
    back.LoadFromBytes(saved.data(), saved.size());
    EXPECT_EQ(back.Images()[0].bits, 16) << c.what;
    EXPECT_EQ(back.Width(), 2) << c.what;
  }
}
