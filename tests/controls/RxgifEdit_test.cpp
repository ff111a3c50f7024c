// Editing a GIF image: deleting and moving frames, comments on shared data, frame attributes
// and the version they need, the pixel format, greying, and encoding frames from bitmaps.
#include <gtest/gtest.h>

#include <set>

#include "RxgifWriteTestSupport.h"
#include "controls/Rxgif.h"
#include "gui/Exceptions.h"

using namespace rxgif;
using namespace rxgifwrite;
using rxgiftest::GifBuilder;
using rxgiftest::Load;

namespace {

gui::TBitmap solid(int width, int height, int index) {
  return paletteBitmap(width, height, 4, [&](int, int) { return index; });
}

QRgb firstPixel(TGIFFrame& frame) { return frame.GetBitmap().Image().pixel(0, 0) | 0xFF000000u; }

bool isGray(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }

// Three frames of different sizes and colours 1, 2, 3, the last one current.
struct ThreeFrames {
  ThreeFrames() {
    for (int i = 0; i < 3; ++i) {
      gui::TBitmap bitmap = solid(10 + 10 * i, 5, i + 1);
      image.AddFrame(&bitmap);
    }
    image.OnChange = [this](gui::TGraphic*) { ++changes; };
  }
  std::string order() {
    std::string out;
    for (int i = 0; i < image.GetCount(); ++i) {
      QRgb c = firstPixel(image.GetFrame(i));
      for (int k = 1; k <= 3; ++k) {
        if (c == distinctColors(4)[size_t(k)]) out += char('0' + k);
      }
    }
    return out;
  }
  TGIFImage image;
  int changes = 0;
};

}  // namespace

TEST(RxgifEditFrames, DeletingMovesTheIndexBackAndShrinksTheScreen) {
  ThreeFrames t;
  ASSERT_EQ(t.image.FrameIndex(), 2);
  t.image.DeleteFrame(2);
  EXPECT_EQ(t.order(), "12");
  EXPECT_EQ(t.image.FrameIndex(), 1);
  EXPECT_EQ(t.image.ScreenWidth(), 20);
  EXPECT_EQ(t.changes, 1);
  t.image.DeleteFrame(0);
  EXPECT_EQ(t.order(), "2");
  EXPECT_EQ(t.image.FrameIndex(), 0);
  EXPECT_THROW(t.image.DeleteFrame(1), gui::EListError);
  EXPECT_EQ(t.changes, 2);
}

TEST(RxgifEditFrames, MovingMakesTheMovedFrameCurrent) {
  ThreeFrames t;
  t.image.MoveFrame(0, 2);
  EXPECT_EQ(t.order(), "231");
  EXPECT_EQ(t.image.FrameIndex(), 2);
  t.image.MoveFrame(2, 1);
  EXPECT_EQ(t.order(), "213");
  EXPECT_EQ(t.image.FrameIndex(), 1);
  EXPECT_EQ(t.changes, 2);
  EXPECT_THROW(t.image.MoveFrame(0, 3), gui::EListError);
  EXPECT_EQ(t.order(), "213");
}

TEST(RxgifEditComment, ACommentOnACopyLeavesTheOriginal) {
  TGIFImage original;
  Load(original, GifBuilder()
                     .Screen(1, 1, 1)
                     .Image(0, 0, 1, 1, rxgiftest::EncodeLiterals({1}, 2))
                     .Comment({"first"})
                     .Trailer()
                     .bytes());
  TGIFImage copy;
  copy.Assign(&original);
  ASSERT_TRUE(copy.Equals(original));
  gui::TStringList lines;
  lines.Add("second");
  copy.SetComment(lines);
  EXPECT_EQ(copy.Comment().Get(0), "second");
  EXPECT_EQ(original.Comment().Get(0), "first");
  EXPECT_FALSE(copy.Equals(original));
  EXPECT_EQ(copy.GlobalColorCount(), original.GlobalColorCount());
}

TEST(RxgifEditAttributes, TimingTransparencyAndDisposalNeedVersion89a) {
  struct Case {
    const char* name;
    std::function<void(TGIFFrame&)> set;
  };
  const Case cases[] = {
      {"interval", [](TGIFFrame& f) { f.SetAnimateInterval(40); }},
      {"disposal", [](TGIFFrame& f) { f.SetDisposalMethod(dmLeave); }},
      {"transparency", [](TGIFFrame& f) { f.SetTransparentColor(gui::clRed); }},
  };
  for (const Case& c : cases) {
    gui::TBitmap bitmap = solid(2, 2, 1);
    TGIFImage image;
    image.AddFrame(&bitmap);
    ASSERT_EQ(image.Version(), gv87a);
    int changes = 0;
    image.OnChange = [&](gui::TGraphic*) { ++changes; };
    c.set(image.GetFrame(0));
    c.set(image.GetFrame(0));
    EXPECT_EQ(image.Version(), gv89a) << c.name;
    EXPECT_EQ(changes, 1) << c.name;
  }
}

TEST(RxgifEditAttributes, ANewPositionGrowsTheScreen) {
  gui::TBitmap bitmap = solid(10, 6, 1);
  TGIFImage image;
  image.AddFrame(&bitmap);
  image.GetFrame(0).SetTopLeft(gui::Point(5, 2));
  EXPECT_EQ(image.GetFrame(0).TopLeft(), gui::Point(5, 2));
  EXPECT_EQ(image.ScreenWidth(), 15);
  EXPECT_EQ(image.ScreenHeight(), 8);
}

TEST(RxgifEditPixelFormat, TheWidestTableOrUnencodedBitmapDecides) {
  TGIFImage image;
  EXPECT_EQ(image.GetPixelFormat(), gui::pfDevice);
  gui::TBitmap mono = noiseBitmap(4, 4, 1, 1);
  image.AddFrame(&mono);
  image.EncodeAllFrames();
  EXPECT_EQ(image.GetPixelFormat(), gui::pf1bit);  // the global table of 2
  gui::TBitmap nibbles = noiseBitmap(4, 4, 4, 2);
  image.AddFrame(&nibbles);
  EXPECT_EQ(image.GetPixelFormat(), gui::pf4bit);  // an unencoded 4-bit bitmap
  image.EncodeAllFrames();
  EXPECT_EQ(image.GetPixelFormat(), gui::pf4bit);  // its local table of 16
  QImage pixels(2, 2, QImage::Format_RGB32);
  pixels.fill(0xFF123456u);
  Bytes bmp = gui::WriteBmpFile(pixels, gui::pf24bit, {});
  gui::TBitmap deep;
  deep.LoadFromBytes(bmp.data(), bmp.size());
  image.AddFrame(&deep);
  EXPECT_EQ(image.GetPixelFormat(), gui::pf24bit);
}

TEST(RxgifEditEncode, ForcedEncodingShowsTheReducedColours) {
  QImage pixels(30, 20, QImage::Format_RGB32);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) pixels.setPixel(x, y, qRgb(x * 8, y * 12, (x * y) % 256));
  }
  gui::TBitmap bitmap;
  bitmap.SetImage(pixels);  // 600 colours
  TGIFImage image;
  image.AddFrame(&bitmap);
  image.EncodeAllFrames();
  std::vector<QRgb> shown = colorsOf(image.GetFrame(0).GetBitmap());
  EXPECT_LE(std::set<QRgb>(shown.begin(), shown.end()).size(), 256u);
  TGIFImage back;
  Load(back, saved(image));
  EXPECT_EQ(colorsOf(back.GetFrame(0).GetBitmap()), shown);
}

// A read image greyed: the tables, the transparent colour and the background follow; an image
// that shares the data keeps its colours; the file written is grey throughout.
TEST(RxgifEditGrayscale, TablesTransparencyAndBackgroundTurnGrey) {
  TGIFImage original;
  Load(original, GifBuilder()
                     .Screen(3, 1, 2, 3)
                     .GraphicControl(0x01, 0, 2)
                     .Image(0, 0, 3, 1, rxgiftest::EncodeLiterals({0, 1, 2}, 2))
                     .Trailer()
                     .bytes());
  const gui::TColor originalBackground = original.BackgroundColor();
  TGIFImage image;
  image.Assign(&original);
  image.Grayscale(false);

  TGIFFrame& frame = image.GetFrame(0);
  EXPECT_TRUE(frame.Grayscale());
  for (QRgb c : colorsOf(frame.GetBitmap())) EXPECT_TRUE(isGray(c));
  const TGIFColorItem& entry2 = frame.Image()->ColorMap.Colors[2];
  EXPECT_EQ(frame.TransparentColor(), ItemToColor(entry2));
  EXPECT_EQ(entry2.Red, entry2.Blue);
  const TGIFColorItem& background = image.Data().ColorMap.Colors[3];
  EXPECT_EQ(image.BackgroundColor(), ItemToColor(background));
  EXPECT_EQ(background.Red, background.Green);

  EXPECT_EQ(original.BackgroundColor(), originalBackground);
  original.GetFrame(0).NewBitmap();  // decoded again from the shared data
  EXPECT_FALSE(isGray(firstPixel(original.GetFrame(0))));
  EXPECT_FALSE(isGray(original.GetFrame(0).GetBitmap().Image().pixel(1, 0)));

  std::vector<std::vector<QRgb>> reference;
  ASSERT_TRUE(RefDecodeColors(saved(image), reference));
  for (QRgb c : reference[0]) EXPECT_TRUE(isGray(c));
}

// Frames without a table of their own are written with the global table, which is greyed also
// when the image has no background colour.
TEST(RxgifEditGrayscale, TheGlobalTableTurnsGreyWithoutABackground) {
  TGIFImage image;
  Load(image, GifBuilder()
                  .Screen(3, 1, 2, 7)
                  .Image(0, 0, 3, 1, rxgiftest::EncodeLiterals({0, 1, 2}, 2))
                  .Trailer()
                  .bytes());
  ASSERT_EQ(image.BackgroundColor(), gui::clNone);
  image.Grayscale(false);
  EXPECT_EQ(image.BackgroundColor(), gui::clNone);
  std::vector<std::vector<QRgb>> reference;
  ASSERT_TRUE(RefDecodeColors(saved(image), reference));
  for (QRgb c : reference[0]) EXPECT_TRUE(isGray(c));
}

TEST(RxgifEditGrayscale, BitmapFramesAreConvertedAndEncodedWhenForced) {
  for (bool force : {false, true}) {
    gui::TBitmap bitmap = noiseBitmap(6, 4, 8, 9);
    TGIFImage image;
    image.AddFrame(&bitmap);
    image.GetFrame(0).SetTransparentColor(gui::clRed);
    image.Grayscale(force);
    TGIFFrame& frame = image.GetFrame(0);
    EXPECT_EQ(frame.HasData(), force);
    EXPECT_EQ(frame.TransparentColor(), gui::RGB(76, 76, 76));
    for (QRgb c : colorsOf(frame.GetBitmap())) EXPECT_TRUE(isGray(c));
    std::vector<std::vector<QRgb>> reference;
    ASSERT_TRUE(RefDecodeColors(saved(image), reference)) << force;
    EXPECT_EQ(reference[0], colorsOf(frame.GetBitmap()));
  }
  TGIFImage empty;
  EXPECT_THROW(empty.Grayscale(true), gui::EInvalidGraphicOperation);
}
