// The GIF image as a graphic: the current frame, drawing with its transparent colour,
// assignment between images, frames and bitmaps, the clipboard, the picture registry, progress
// and aborted decoding.
#include "controls/Rxgif.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "RxgifTestSupport.h"
#include "controls/ControlsState.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"

using namespace rxgif;
using namespace rxgiftest;

namespace {

constexpr gui::TColor color(int i) {
  return gui::RGB(GifBuilder::Red(i), GifBuilder::Green(i), GifBuilder::Blue(i));
}

gui::TColor pixelAt(const gui::TBitmap& bitmap, int x, int y) {
  return gui::FromQColor(QColor(bitmap.Image().pixel(x, y)));
}

// Two frames of 3 x 1: indexes 0 1 2 (index 1 transparent) and 2 2 2.
Bytes twoFrames() {
  return GifBuilder().Screen(3, 1, 2).GraphicControl(0x01, 10, 1)
      .Image(0, 0, 3, 1, EncodeLiterals({0, 1, 2}, 2)).Image(0, 0, 3, 1, EncodeLiterals({2, 2, 2}, 2))
      .Trailer().bytes();
}

gui::TBitmap whiteCanvas(int w, int h) {
  gui::TBitmap target(w, h);
  target.Canvas().Brush.Color = gui::clWhite;
  target.Canvas().FillRect(gui::Rect(0, 0, w, h));
  return target;
}

}  // namespace

TEST(RxgifImageTest, FrameIndexIsClampedAndSignalsChanges) {
  TGIFImage image;
  Load(image, twoFrames());
  int changes = 0;
  image.OnChange = [&](gui::TGraphic*) { ++changes; };
  image.SetFrameIndex(100);
  EXPECT_EQ(image.FrameIndex(), 1);
  EXPECT_EQ(changes, 1);
  image.SetFrameIndex(1);
  EXPECT_EQ(changes, 1);
  image.SetFrameIndex(-7);
  EXPECT_EQ(image.FrameIndex(), -1);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.TransparentColor(), gui::clNone);
  EXPECT_EQ(image.GetBitmap().Width(), 3);  // frame 0 for an index out of range
  EXPECT_THROW(image.GetFrame(2), gui::EListError);
  EXPECT_THROW(image.SetWidth(5), gui::EInvalidGraphicOperation);
  image.SetRepeatCount(99999);
  EXPECT_EQ(image.RepeatCount(), 30000);
}

TEST(RxgifImageTest, DrawsTheCurrentFrameWithItsTransparentColour) {
  TGIFImage image;
  Load(image, twoFrames());
  EXPECT_TRUE(image.Transparent());
  EXPECT_EQ(image.TransparentColor(), color(1));

  gui::TBitmap target = whiteCanvas(6, 2);
  target.Canvas().StretchDraw(gui::Rect(0, 0, 6, 2), image);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(pixelAt(target, 1, y), color(0));
    EXPECT_EQ(pixelAt(target, 2, y), gui::clWhite);  // index 1 left out
    EXPECT_EQ(pixelAt(target, 3, y), gui::clWhite);
    EXPECT_EQ(pixelAt(target, 5, y), color(2));
  }
  image.SetTransparent(false);
  target.Canvas().StretchDraw(gui::Rect(0, 0, 6, 2), image);
  EXPECT_EQ(pixelAt(target, 2, 0), color(1));

  // Frame index -1 paints nothing.
  gui::TBitmap blank = whiteCanvas(3, 1);
  image.SetFrameIndex(-1);
  blank.Canvas().Draw(0, 0, image);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(blank, x, 0), gui::clWhite);
}

// A 1-bit frame keys out its own transparent colour, whatever that colour is.
TEST(RxgifImageTest, OneBitFrameKeysItsOwnColour) {
  TGIFImage image;
  Load(image, GifBuilder().Screen(2, 1, 1).GraphicControl(0x01, 0, 0)
                  .Image(0, 0, 2, 1, EncodeLiterals({0, 1}, 2)).Trailer().bytes());
  EXPECT_TRUE(image.GetBitmap().Monochrome());
  gui::TBitmap target = whiteCanvas(2, 1);
  target.Canvas().Draw(0, 0, image);
  EXPECT_EQ(pixelAt(target, 0, 0), gui::clWhite);
  EXPECT_EQ(pixelAt(target, 1, 0), color(1));
}

TEST(RxgifImageTest, AssignImagesFramesAndBitmaps) {
  TGIFImage source;
  Load(source, twoFrames());
  source.SetFrameIndex(1);

  TGIFImage copy;
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(source));
  ASSERT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.FrameIndex(), 1);
  EXPECT_EQ(copy.ScreenWidth(), 3);
  EXPECT_EQ(copy.GetFrame(0).TransparentColor(), color(1));
  EXPECT_EQ(FrameIndexes(copy.GetFrame(0)), (std::vector<uint8_t>{0, 1, 2}));
  EXPECT_EQ(copy.GetFrame(0).Image(), source.GetFrame(0).Image());  // shared data

  // A frame, also one of the image's own, becomes an image of its own.
  TGIFImage single;
  single.Assign(source.GetFrame(0));
  EXPECT_FALSE(single.Equals(source));
  EXPECT_EQ(single.GetCount(), 1);
  EXPECT_EQ(single.GlobalColorCount(), 4);
  EXPECT_EQ(single.Version(), gv87a);
  copy.Assign(copy.GetFrame(1));
  ASSERT_EQ(copy.GetCount(), 1);
  EXPECT_EQ(FrameIndexes(copy.GetFrame(0)), (std::vector<uint8_t>{2, 2, 2}));

  // To a bitmap: the current frame, with its transparent colour.
  gui::TBitmap bitmap;
  source.SetFrameIndex(0);
  source.AssignTo(bitmap);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_TRUE(bitmap.Transparent());
  EXPECT_EQ(bitmap.TransparentColor(), color(1));
  // The bitmap's own Assign asks the image, so it gets the same frame and colour.
  gui::TBitmap viaBitmap;
  viaBitmap.Assign(&source);
  EXPECT_EQ(viaBitmap.Width(), 3);
  EXPECT_TRUE(viaBitmap.Transparent());
  EXPECT_EQ(viaBitmap.TransparentColor(), color(1));

  // From a bitmap: one frame without GIF data.
  TGIFImage fromBitmap;
  fromBitmap.Assign(&bitmap);
  ASSERT_EQ(fromBitmap.GetCount(), 1);
  EXPECT_EQ(fromBitmap.Width(), 3);
  EXPECT_EQ(fromBitmap.TransparentColor(), color(1));
  EXPECT_EQ(pixelAt(fromBitmap.GetBitmap(), 2, 0), color(2));
  EXPECT_TRUE(fromBitmap.GetFrame(0).Image()->ImageData.Bytes().empty());

  fromBitmap.Assign(static_cast<const gui::TGraphic*>(nullptr));
  EXPECT_TRUE(fromBitmap.Empty());
  gui::TIcon icon;
  EXPECT_THROW(fromBitmap.Assign(&icon), gui::EConvertError);
}

TEST(RxgifImageTest, ClipboardFormat) {
  EXPECT_GE(CF_GIF, 0xC000u);
  EXPECT_TRUE(gui::TPicture::SupportsClipboardFormat(CF_GIF));
  Bytes gif = twoFrames();
  std::map<unsigned, Bytes> clipboard;
  TClipboardReader reader = [&](unsigned format, std::vector<uint8_t>& data) {
    auto found = clipboard.find(format);
    if (found == clipboard.end()) return false;
    data = found->second;
    return true;
  };
  auto putGif = [&](uint32_t length) {
    Bytes data = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
    data.insert(data.end(), gif.begin(), gif.end());
    clipboard[CF_GIF] = data;
  };

  TGIFImage image;
  putGif(uint32_t(gif.size()));
  image.LoadFromClipboardFormat(CF_GIF, reader);
  EXPECT_EQ(image.GetCount(), 2);
  EXPECT_FALSE(image.GetFrame(0).HasBitmap());  // read without decoding

  // The clipboard's bitmap becomes frame 0's.
  gui::TBitmap red(4, 4);
  red.Canvas().Brush.Color = gui::clRed;
  red.Canvas().FillRect(gui::Rect(0, 0, 4, 4));
  clipboard[gui::CF_BITMAP] = red.SaveToBytes();
  image.LoadFromClipboardFormat(CF_GIF, reader);
  EXPECT_EQ(image.GetBitmap().Width(), 4);
  EXPECT_EQ(pixelAt(image.GetBitmap(), 0, 0), gui::clRed);

  putGif(uint32_t(gif.size()) + 1);
  EXPECT_THROW(image.LoadFromClipboardFormat(CF_GIF, reader), gui::EReadError);

  // Without GIF data, the bitmap.
  clipboard.erase(CF_GIF);
  image.LoadFromClipboardFormat(gui::CF_BITMAP, reader);
  EXPECT_EQ(image.GetCount(), 1);
  EXPECT_EQ(pixelAt(image.GetBitmap(), 3, 3), gui::clRed);
  clipboard.clear();
  EXPECT_THROW(image.LoadFromClipboardFormat(gui::CF_BITMAP, reader), gui::EInvalidGraphic);
}

TEST(RxgifImageTest, RegisteredForGifFiles) {
  auto graphic = gui::TPicture::CreateByExtension("GIF");
  ASSERT_NE(graphic, nullptr);
  EXPECT_STREQ(graphic->ClassName(), "TGIFImage");

  std::filesystem::path file = std::filesystem::temp_directory_path() / "vyx_rxgif_test.gif";
  Bytes gif = twoFrames();
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(gif.data()),
                                              std::streamsize(gif.size()));
  gui::TPicture picture;
  picture.LoadFromFile(file.string());
  std::filesystem::remove(file);
  auto* image = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetCount(), 2);
  EXPECT_EQ(picture.Width(), 3);
}

TEST(RxgifImageTest, ProgressOfDecoding) {
  TGIFImage image;
  std::vector<std::pair<TProgressStage, int>> seen;
  image.OnProgress = [&](TProgressStage stage, uint8_t percent, const std::string&) {
    seen.emplace_back(stage, percent);
  };
  Load(image, twoFrames());
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), std::make_pair(psStarting, 0));
  EXPECT_EQ(seen.back(), std::make_pair(psEnding, 100));
  for (size_t i = 1; i + 1 < seen.size(); ++i) EXPECT_EQ(seen[i].first, psRunning);

  // A failure ends at 0 % and passes on.
  seen.clear();
  GIFLoadCorrupted = false;
  EXPECT_THROW(Load(image, GifBuilder().Screen(2, 1, 2).Image(0, 0, 2, 1, PackCodes({{4, 3}}, 1))
                               .bytes()),
               gui::EInvalidGraphicOperation);
  ResetControlsState();
  EXPECT_EQ(seen.back(), std::make_pair(psEnding, 0));
  EXPECT_EQ(image.GetCount(), 0);  // the first frame is removed when it fails
}

// An abort while decoding all frames drops the frames from the aborted one on.
TEST(RxgifImageTest, AbortedDecodingDropsTheRest) {
  Bytes lzw = EncodeLiterals({0, 1, 2}, 2);
  TGIFImage image;
  Load(image, GifBuilder().Screen(3, 1, 2).Image(0, 0, 3, 1, lzw).Image(0, 0, 3, 1, lzw)
                  .Image(0, 0, 3, 1, lzw).Image(0, 0, 3, 1, lzw).Trailer().bytes());
  int decodings = 0;
  image.OnProgress = [&](TProgressStage stage, uint8_t, const std::string&) {
    if (stage == psStarting && ++decodings == 2) gui::Abort();
  };
  image.DecodeAllFrames();
  EXPECT_EQ(image.GetCount(), 2);  // frame 0 was decoded at loading, frame 1 went through
  EXPECT_TRUE(image.Corrupted());
}
