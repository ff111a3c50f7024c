// Reading GIF files: signature, blocks between images, colour tables, graphic control and loop
// extensions, comments, damaged and truncated data, and the LZW decoder's code handling.
#include "controls/Rxgif.h"

#include <gtest/gtest.h>

#include "RxgifTestSupport.h"
#include "controls/ControlsState.h"
#include "gui/Exceptions.h"

using namespace rxgif;
using namespace rxgiftest;

namespace {

constexpr gui::TColor color(int i) {
  return gui::RGB(GifBuilder::Red(i), GifBuilder::Green(i), GifBuilder::Blue(i));
}

// Tolerance of damage is a global switch; every test starts with the default.
class RxgifReadTest : public ::testing::Test {
protected:
  void TearDown() override { ResetControlsState(); }

  // A one-frame file on a w x h screen with a global table of `bits`.
  static Bytes oneFrame(int w, int h, const std::vector<uint8_t>& indexes, int bits = 2) {
    return GifBuilder().Screen(w, h, bits).Image(0, 0, w, h, EncodeLiterals(indexes, std::max(bits, 2)))
        .Trailer().bytes();
  }
};

std::vector<uint8_t> ramp(int n, int modulo) {
  std::vector<uint8_t> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[size_t(i)] = uint8_t(i % modulo);
  return v;
}

}  // namespace

TEST_F(RxgifReadTest, SignatureInAnyCase) {
  struct Case {
    const char* signature;
    TGIFVersion version;  // gvUnknown: refused
  } cases[] = {{"GIF89a", gv89a}, {"GIF87a", gv87a}, {"gif89A", gv89a}, {"GiF87A", gv87a},
               {"GIF88a", gvUnknown}, {"JIF89a", gvUnknown}, {"GIF89b", gvUnknown}};
  for (const Case& c : cases) {
    Bytes bytes = GifBuilder(c.signature).Screen(2, 1, 1).Image(0, 0, 2, 1, EncodeLiterals({0, 1}, 2))
                      .Trailer().bytes();
    TGIFImage image;
    if (c.version == gvUnknown) {
      try {
        Load(image, bytes);
        ADD_FAILURE() << c.signature << " was accepted";
      } catch (const gui::EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), "") << c.signature;  // the control library's texts are empty
      }
      continue;
    }
    Load(image, bytes);
    EXPECT_EQ(image.Version(), c.version) << c.signature;
    EXPECT_EQ(image.GetCount(), 1) << c.signature;
  }
}

TEST_F(RxgifReadTest, ShortFilesAreNotGIFsAndNoBytesAreNothing) {
  TGIFImage image;
  Load(image, {});
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.FrameIndex(), -1);
  EXPECT_THROW(Load(image, {'G', 'I', 'F', '8'}), gui::EInvalidGraphicOperation);
}

TEST_F(RxgifReadTest, OneFrameWithGlobalTable) {
  TGIFImage image;
  Load(image, GifBuilder().Screen(4, 3, 2, 3).Image(0, 0, 4, 3, EncodeLiterals(ramp(12, 4), 2))
                  .Trailer().bytes());
  ASSERT_EQ(image.GetCount(), 1);
  EXPECT_EQ(image.FrameIndex(), 0);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 3);
  EXPECT_EQ(image.ScreenWidth(), 4);
  EXPECT_EQ(image.GlobalColorCount(), 4);
  EXPECT_EQ(image.BackgroundColor(), color(3));
  EXPECT_FALSE(image.Corrupted());
  EXPECT_FALSE(image.Transparent());
  const QImage& pixels = image.GetBitmap().Image();
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(gui::FromQColor(QColor(pixels.pixel(i % 4, i / 4))), color(i % 4)) << "pixel " << i;
  }
}

// Zero bytes between blocks are skipped; bytes after an image that start no block end reading
// with the frames read so far.
TEST_F(RxgifReadTest, ZerosBetweenBlocksAndGarbageAfterAnImage) {
  Bytes lzw = EncodeLiterals({1, 2}, 2);
  TGIFImage image;
  Load(image, GifBuilder().Screen(2, 1, 2).Raw({0, 0}).Image(0, 0, 2, 1, lzw).Raw({0, 0, 0})
                  .Image(0, 0, 2, 1, lzw).Raw({'j', 'u', 'n', 'k', ','}).Image(0, 0, 2, 1, lzw)
                  .bytes());
  EXPECT_EQ(image.GetCount(), 2);
  EXPECT_FALSE(image.Corrupted());
}

TEST_F(RxgifReadTest, NoColourTablesDecodeOver256BlackEntries) {
  TGIFImage image;
  Load(image, GifBuilder().Screen(3, 1).GraphicControl(1, 0, 2)
                  .Image(0, 0, 3, 1, EncodeLiterals({0, 5, 200}, 8)).Trailer().bytes());
  TGIFFrame& frame = image.GetFrame(0);
  EXPECT_EQ(frame.Image()->BitsPerPixel, 8);
  EXPECT_EQ(frame.TransparentColor(), gui::clNone);  // index 2 is not in an empty table
  gui::TMemoryStream bmp;
  frame.SaveToBitmapStream(bmp);
  EXPECT_EQ(bmp.Memory()[28], 8);
  for (int i = 0; i < 256 * 4; ++i) ASSERT_EQ(bmp.Memory()[54 + i], 0) << "palette byte " << i;
  EXPECT_EQ(FrameIndexes(frame), (std::vector<uint8_t>{0, 5, 200}));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(image.GetBitmap().Image().pixel(x, 0) & 0xFFFFFF, 0u);
}

// A frame's depth follows its table: 1 bit, 4 bits for 2..4, else 8; entries the table lacks are
// grey.
TEST_F(RxgifReadTest, BitmapDepthAndPaletteFollowTheTable) {
  struct Case {
    int bits, depth;
  } cases[] = {{1, 1}, {2, 4}, {3, 4}, {4, 4}, {5, 8}, {8, 8}};
  for (const Case& c : cases) {
    TGIFImage image;
    std::vector<uint8_t> indexes = ramp(13, 1 << c.bits);
    Load(image, oneFrame(13, 1, indexes, c.bits));
    gui::TMemoryStream bmp;
    image.GetFrame(0).SaveToBitmapStream(bmp);
    const uint8_t* p = bmp.Memory();
    EXPECT_EQ(p[28], c.depth) << c.bits;
    const int count = 1 << c.bits;
    for (int i = 0; i < (1 << c.depth); ++i) {
      const uint8_t* entry = p + 54 + 4 * i;
      if (i < count) {
        EXPECT_EQ(entry[2], GifBuilder::Red(i)) << c.bits << " entry " << i;
        EXPECT_EQ(entry[3], 0);
      } else {
        EXPECT_EQ((std::vector<uint8_t>(entry, entry + 4)), (std::vector<uint8_t>(4, 128)));
      }
    }
    EXPECT_EQ(FrameIndexes(image.GetFrame(0)), indexes) << c.bits;
  }
}

// Several graphic control extensions before one image: the longest delay, the last
// transparency and disposal. Delays beyond what 16 bits of milliseconds hold saturate.
TEST_F(RxgifReadTest, GraphicControlExtensions) {
  struct Gce {
    uint8_t packed;
    uint16_t delay;
    uint8_t index;
  };
  struct Case {
    std::vector<Gce> extensions;
    gui::TColor transparent;
    uint16_t interval;
    TDisposalMethod disposal;
  } cases[] = {
      {{{0x01, 5, 1}, {0x08, 3, 0}}, gui::clNone, 50, dmRestoreBackground},
      {{{0x00, 3, 0}, {0x05, 9, 2}}, color(2), 90, dmLeave},
      {{{0x0D, 0, 3}}, color(3), 0, dmRestorePrevious},
      {{{0x01, 0, 1}, {0x01, 0, 9}}, color(1), 0, dmUndefined},  // index 9 is beyond the table
      {{{0x1C, 7000, 0}}, gui::clNone, 65535, dmReserved7},
  };
  for (size_t n = 0; n < std::size(cases); ++n) {
    const Case& c = cases[n];
    GifBuilder gif;
    gif.Screen(2, 1, 2);
    for (const Gce& e : c.extensions) gif.GraphicControl(e.packed, e.delay, e.index);
    TGIFImage image;
    Load(image, gif.Image(0, 0, 2, 1, EncodeLiterals({0, 1}, 2)).Trailer().bytes());
    const TGIFFrame& frame = image.GetFrame(0);
    EXPECT_EQ(frame.TransparentColor(), c.transparent) << "case " << n;
    EXPECT_EQ(frame.AnimateInterval(), c.interval) << "case " << n;
    EXPECT_EQ(frame.DisposalMethod(), c.disposal) << "case " << n;
    EXPECT_EQ(frame.Extensions().size(), c.extensions.size()) << "case " << n;
  }
}

TEST_F(RxgifReadTest, PlainTextDropsThePendingExtensions) {
  TGIFImage image;
  Load(image, GifBuilder().Screen(2, 1, 2).GraphicControl(0x01, 20, 1).PlainText()
                  .Image(0, 0, 2, 1, EncodeLiterals({0, 1}, 2)).Trailer().bytes());
  const TGIFFrame& frame = image.GetFrame(0);
  EXPECT_TRUE(frame.Extensions().empty());
  EXPECT_EQ(frame.TransparentColor(), gui::clNone);
  EXPECT_EQ(frame.AnimateInterval(), 0);
}

// The loop extension is recognised with block size 11 and all 11 identifier bytes, and a first
// sub-block 1, count.
TEST_F(RxgifReadTest, LoopExtension) {
  struct Case {
    const char* identifier;
    uint8_t blockSize;
    Bytes block;
    bool looping;
    uint16_t repeat;
  } cases[] = {
      {"NETSCAPE2.0", 11, {1, 0, 0}, true, 0},
      {"NETSCAPE2.0", 11, {1, 0xFF, 0xFF}, true, 30000},
      {"NETSCAPE2.0", 11, {1, 0x30, 0x75}, true, 30000},
      {"NETSCAPE2.0", 11, {1, 0x2F, 0x75, 9}, true, 29999},
      {"ANIMEXTS1.0", 11, {1, 5, 0}, true, 5},
      {"NETSCAPE2.0", 11, {2, 5, 0}, false, 1},
      {"NETSCAPE2.0", 11, {1, 5}, false, 1},
      {"netscape2.0", 11, {1, 5, 0}, false, 1},
      {"NETSCAPE2.1", 11, {1, 5, 0}, false, 1},
      // The block size must be 11: a shorter one would compare fewer bytes (0: none at all).
      {"NETSCAPE2.0", 10, {1, 5, 0}, false, 1},
      {"XMP DataXMP", 0, {1, 5, 0}, false, 1},
      {"NETSCAPE2.0", 255, {1, 5, 0}, false, 1},
  };
  for (const Case& c : cases) {
    TGIFImage image;
    Load(image, GifBuilder().Screen(2, 1, 2).Application(c.identifier, {c.block}, c.blockSize)
                    .Image(0, 0, 2, 1, EncodeLiterals({0, 1}, 2)).Trailer().bytes());
    EXPECT_EQ(image.Looping(), c.looping) << c.identifier << " size " << int(c.blockSize);
    EXPECT_EQ(image.RepeatCount(), c.repeat) << c.identifier << " size " << int(c.blockSize);
    EXPECT_TRUE(image.GetFrame(0).Extensions().empty());
  }
}

TEST_F(RxgifReadTest, Comments) {
  Bytes lzw = EncodeLiterals({0, 1}, 2);
  TGIFImage image;
  Load(image, GifBuilder().Screen(2, 1, 2).Comment({"frame", "note"}).Image(0, 0, 2, 1, lzw)
                  .Comment({"first"}).Comment({"second", "more"}).Trailer().bytes());
  EXPECT_EQ(image.GetFrame(0).GetComment(), (std::vector<std::string>{"frame", "note"}));
  ASSERT_EQ(image.Comment().Count(), 4);
  EXPECT_EQ(image.Comment()[0], "first");
  EXPECT_EQ(image.Comment()[1], "\r\n\r\n");
  EXPECT_EQ(image.Comment()[3], "more");
}

TEST_F(RxgifReadTest, BadBlocks) {
  Bytes lzw = EncodeLiterals({0, 1}, 2);
  TGIFImage image;
  // An extension label nobody knows.
  EXPECT_THROW(Load(image, GifBuilder().Screen(2, 1, 2).Raw({0x21, 0x77, 0}).Image(0, 0, 2, 1, lzw)
                               .bytes()),
               gui::EInvalidGraphicOperation);
  // Something else where the first block should start.
  EXPECT_THROW(Load(image, GifBuilder().Screen(2, 1, 2).Raw({'x'}).Image(0, 0, 2, 1, lzw).bytes()),
               gui::EReadError);
  // After an extension that precedes no image, with a comment already kept.
  EXPECT_THROW(Load(image, GifBuilder().Screen(2, 1, 2).Comment({"a"}).Raw({'x', 'y'}).bytes()),
               gui::EReadError);
}

TEST_F(RxgifReadTest, InterlacedRowsOfHeightThree) {
  // Stored rows: 0, then 2 (the third pass), then 1 (the fourth).
  TGIFImage image;
  Load(image, GifBuilder().Screen(2, 3, 2).Image(0, 0, 2, 3, EncodeLiterals({1, 1, 2, 2, 3, 3}, 2),
                                                0, true)
                  .Trailer().bytes());
  EXPECT_TRUE(image.GetFrame(0).Interlaced());
  EXPECT_EQ(FrameIndexes(image.GetFrame(0)), (std::vector<uint8_t>{1, 1, 3, 3, 2, 2}));
}

// Width or height 0 takes the screen's; a frame that still has no pixels is left out.
TEST_F(RxgifReadTest, FramesOfSizeZero) {
  Bytes lzw = EncodeLiterals(ramp(6, 4), 2);
  TGIFImage image;
  Load(image, GifBuilder().Screen(3, 2, 2).Image(0, 0, 0, 0, lzw).Trailer().bytes());
  ASSERT_EQ(image.GetCount(), 1);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(FrameIndexes(image.GetFrame(0)), ramp(6, 4));

  Load(image, GifBuilder().Screen(0, 0, 2).Image(0, 0, 0, 5, lzw).Image(0, 0, 3, 2, lzw)
                  .Image(0, 0, 4, 0, lzw).Trailer().bytes());
  ASSERT_EQ(image.GetCount(), 1);
  EXPECT_EQ(image.Width(), 3);
}

// A frame of more pixels than a bitmap holds is refused before anything is allocated; a side is
// not limited on its own, and a frame the reader takes decodes into a bitmap of its size.
TEST_F(RxgifReadTest, FramePixelCountIsCapped) {
  Bytes lzw = EncodeLiterals({1, 2}, 2);
  struct Case {
    int width, height;
    bool accepted;
  } cases[] = {{65535, 1, true},     {1, 65535, true},      {4096, 4096, true},
               {65535, 256, true},   {4097, 4096, false},   {8192, 4096, false},
               {65535, 65535, false}, {0, 0, false}};
  for (const Case& c : cases) {
    TGIFImage image;
    Bytes bytes = GifBuilder().Screen(65535, 65535, 2).Image(0, 0, c.width, c.height, lzw)
                      .Trailer().bytes();
    if (!c.accepted) {
      EXPECT_THROW(Load(image, bytes, false), gui::EInvalidGraphic) << c.width << "x" << c.height;
      continue;
    }
    Load(image, bytes);
    gui::TBitmap& bitmap = image.GetFrame(0).GetBitmap();
    EXPECT_EQ(bitmap.Width(), c.width);
    EXPECT_EQ(bitmap.Height(), c.height);
    // The second pixel, on the first row or, for a frame one pixel wide, the second.
    EXPECT_EQ(bitmap.Canvas().Pixel(1 % c.width, 1 / c.width), color(2))
        << c.width << "x" << c.height;
  }
}

// A sub-block cut by the end of the data: the frame is corrupted and shows the pixels of the
// complete sub-blocks, the rest index 0; not tolerated, it is a read error.
TEST_F(RxgifReadTest, TruncatedSubBlock) {
  std::vector<uint8_t> indexes = ramp(64, 3);
  Bytes lzw = EncodeLiterals(indexes, 2, 4);
  Bytes full = GifBuilder().Screen(8, 8, 2).Image(0, 0, 8, 8, lzw).bytes();
  // The code size byte, three sub-blocks of 4 bytes, then a fourth cut after 2 of its bytes.
  size_t start = full.size() - lzw.size();
  Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(start + 1 + 3 * 5 + 3));
  TGIFImage image;
  Load(image, cut);
  EXPECT_TRUE(image.Corrupted());
  std::vector<uint8_t> decoded = FrameIndexes(image.GetFrame(0));
  // 96 bits hold the clear code and 21 literals: 3 codes of 3 bits, 8 of 4 and 10 of 5.
  EXPECT_EQ(std::vector<uint8_t>(decoded.begin(), decoded.begin() + 21),
            std::vector<uint8_t>(indexes.begin(), indexes.begin() + 21));
  EXPECT_EQ(std::vector<uint8_t>(decoded.begin() + 21, decoded.end()), std::vector<uint8_t>(43, 0));

  GIFLoadCorrupted = false;
  try {
    Load(image, cut);
    ADD_FAILURE() << "a cut sub-block was accepted";
  } catch (const gui::EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
}

// Data that ends without its terminator or end code is not damage: decoding stops there.
TEST_F(RxgifReadTest, DataEndingEarly) {
  Bytes lzw = PackCodes({{4, 3}, {1, 3}, {2, 3}, {3, 3}}, 2);
  lzw.pop_back();  // no terminator, no end code
  TGIFImage image;
  Load(image, GifBuilder().Screen(4, 2, 2).Image(0, 0, 4, 2, lzw).bytes());
  EXPECT_FALSE(image.Corrupted());
  EXPECT_EQ(FrameIndexes(image.GetFrame(0)), (std::vector<uint8_t>{1, 2, 3, 0, 0, 0, 0, 0}));
}

// Cutting a file anywhere gives frames, a corrupted frame or a read error, never more.
TEST_F(RxgifReadTest, CutAnywhere) {
  Bytes full = GifBuilder().Screen(5, 4, 2).Comment({"c"}).GraphicControl(1, 3, 1)
                   .Application("NETSCAPE2.0", {{1, 2, 0}}).Image(1, 1, 4, 3, EncodeLiterals(ramp(12, 4), 2, 3), 3)
                   .Image(0, 0, 5, 4, EncodeLiterals(ramp(20, 4), 2, 2), 0, true).Trailer().bytes();
  for (size_t n = 0; n <= full.size(); ++n) {
    TGIFImage image;
    try {
      Load(image, Bytes(full.begin(), full.begin() + std::ptrdiff_t(n)));
      for (int i = 0; i < image.GetCount(); ++i) image.GetFrame(i).GetBitmap();
    } catch (const gui::EReadError&) {
    } catch (const gui::EInvalidGraphicOperation&) {
      EXPECT_LT(n, 6u) << "only a cut signature is not a GIF";
    }
  }
}

// --- the layout form ------------------------------------------------------------------------

TEST_F(RxgifReadTest, LayoutDataHasALengthChecked) {
  Bytes gif = oneFrame(2, 2, {0, 1, 2, 3});
  auto withLength = [&](uint32_t length) {
    gui::TMemoryStream stream;
    uint8_t prefix[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                         uint8_t(length >> 24)};
    stream.Write(prefix, 4);
    stream.Write(gif.data(), int64_t(gif.size()));
    stream.Write("tail", 4);
    stream.SetPosition(0);
    return stream;
  };
  TGIFImage image;
  gui::TMemoryStream good = withLength(uint32_t(gif.size()));
  image.ReadData(good);
  EXPECT_EQ(image.GetCount(), 1);
  EXPECT_EQ(good.Position(), int64_t(gif.size()) + 4);
  // A length beyond the data fails before anything is allocated for it.
  for (uint32_t length : {uint32_t(gif.size()) + 5, 0xFFFFFFFFu}) {
    gui::TMemoryStream bad = withLength(length);
    EXPECT_THROW(image.ReadData(bad), gui::EReadError) << length;
  }
  gui::TMemoryStream shortPrefix;
  shortPrefix.Write("\x01\x00", 2);
  shortPrefix.SetPosition(0);
  EXPECT_THROW(image.ReadData(shortPrefix), gui::EReadError);
}

// A picture of a window layout names its class; the GIF class is registered under its name.
TEST_F(RxgifReadTest, PictureOfALayout) {
  Bytes gif = oneFrame(2, 2, {0, 1, 2, 3});
  gui::TMemoryStream stream;
  const char name[] = "TGIFImage";
  uint8_t length = sizeof(name) - 1;
  stream.Write(&length, 1);
  stream.Write(name, length);
  uint32_t size = uint32_t(gif.size());
  stream.Write(&size, 4);
  stream.Write(gif.data(), int64_t(gif.size()));
  stream.SetPosition(0);
  gui::TPicture picture;
  picture.ReadData(stream);
  auto* image = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(image->GetCount(), 1);
}
