// The GIF writer: bitmaps encoded and written as GIF files that our reader and the reference
// library both read back to the same pixels; the LZW code stream (code sizes, clear codes); the
// file's blocks (version, loop extension, graphic control, comments, descriptors); the layout
// and clipboard forms.
#include <gtest/gtest.h>

#include "RxgifWriteTestSupport.h"
#include "controls/Rxgif.h"
#include "gui/Exceptions.h"

using namespace rxgif;
using namespace rxgifwrite;
using rxgiftest::Load;

namespace {

// The codes of LZW image data as a decoder sizes them, and where clear codes come.
struct CodeStream {
  int minimumSize = 0;
  std::vector<unsigned> codes;
  std::vector<int> sizes;
};

CodeStream walkCodes(const Bytes& lzw) {
  CodeStream s;
  s.minimumSize = lzw.at(0);
  Bytes joined;
  for (size_t at = 1; at < lzw.size() && lzw[at] != 0; at += lzw[at] + 1u) {
    joined.insert(joined.end(), lzw.begin() + long(at) + 1, lzw.begin() + long(at) + 1 + lzw[at]);
  }
  const unsigned clear = 1u << s.minimumSize, end = clear + 1;
  int size = s.minimumSize + 1;
  unsigned next = end + 1;
  bool first = true;
  size_t bit = 0;
  while (bit + size_t(size) <= joined.size() * 8) {
    unsigned code = 0;
    for (int i = 0; i < size; ++i, ++bit) code |= unsigned(joined[bit / 8] >> (bit % 8) & 1) << i;
    s.codes.push_back(code);
    s.sizes.push_back(size);
    if (code == end) break;
    if (code == clear) {
      size = s.minimumSize + 1, next = end + 1, first = true;
      continue;
    }
    if (!first && next < 4096 && ++next == (1u << size) && size < 12) ++size;
    first = false;
  }
  return s;
}

// The code stream of the bitmap encoded as a frame.
CodeStream codesOf(const gui::TBitmap& bitmap) {
  TGIFImage image;
  image.AddFrame(&bitmap);
  image.EncodeAllFrames();
  return walkCodes(image.GetFrame(0).Image()->ImageData.Bytes());
}

void addFrames(TGIFImage& image, std::initializer_list<const gui::TBitmap*> bitmaps) {
  for (const gui::TBitmap* bitmap : bitmaps) image.AddFrame(bitmap);
}

struct RoundTrip {
  const char* name;
  int width, height, bits, frames;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

const RoundTrip kRoundTrips[] = {
    {"one_pixel_1bit", 1, 1, 1, 1},
    {"odd_width_1bit", 13, 7, 1, 1},
    {"nibbles_4bit", 17, 9, 4, 1},
    {"bytes_8bit", 31, 20, 8, 1},
    {"table_refills_8bit", 300, 200, 8, 1},  // several clear codes
    {"one_row", 2000, 1, 4, 1},
    {"animation_local_tables", 40, 30, 8, 3},
};

class RxgifWriteRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RxgifWriteRoundTrip, OurReaderAndTheReferenceReadTheSamePixels) {
  const RoundTrip& c = GetParam();
  std::vector<gui::TBitmap> bitmaps;
  for (int i = 0; i < c.frames; ++i) {
    bitmaps.push_back(noiseBitmap(c.width, c.height, c.bits, 7u + unsigned(i)));
  }
  TGIFImage image;
  for (const auto& bitmap : bitmaps) image.AddFrame(&bitmap);
  const Bytes gif = saved(image);

  TGIFImage back;
  Load(back, gif);
  ASSERT_EQ(back.GetCount(), c.frames);
  std::vector<std::vector<QRgb>> reference;
  ASSERT_TRUE(RefDecodeColors(gif, reference));
  ASSERT_EQ(reference.size(), size_t(c.frames));
  for (int i = 0; i < c.frames; ++i) {
    const std::vector<QRgb> expected = colorsOf(bitmaps[size_t(i)]);
    EXPECT_EQ(colorsOf(back.GetFrame(i).GetBitmap()), expected) << "frame " << i;
    EXPECT_EQ(reference[size_t(i)], expected) << "frame " << i;
    // The first frame's table became the global one; later frames bring their own.
    EXPECT_EQ(back.GetFrame(i).LocalColorTable(), i > 0);
  }
  EXPECT_FALSE(back.Corrupted());
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, RxgifWriteRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RxgifWriteCodes, OneBitPixelsUseMinimumCodeSizeTwo) {
  CodeStream s = codesOf(noiseBitmap(8, 8, 1, 1));
  EXPECT_EQ(s.minimumSize, 2);
  EXPECT_EQ(s.codes.front(), 4u);  // the clear code of minimum size 2
  EXPECT_EQ(s.sizes.front(), 3);
  EXPECT_EQ(s.codes.back(), 5u);
}

TEST(RxgifWriteCodes, ATableOf4094CodesIsClearedAndTheCodeSizeStartsAgain) {
  CodeStream s = codesOf(noiseBitmap(200, 100, 8, 3));
  ASSERT_EQ(s.minimumSize, 8);
  std::vector<size_t> clears;
  for (size_t i = 0; i < s.codes.size(); ++i) {
    if (s.codes[i] == 256) clears.push_back(i);
  }
  ASSERT_GE(clears.size(), 2u);
  // Codes 258..4094 were made between the first two clears: one code out per new entry, and
  // the pixel that started the last string goes out before the clear.
  EXPECT_EQ(clears[1] - clears[0] - 1, 4094u - 258u + 2u);
  EXPECT_EQ(s.sizes[clears[1] - 1], 12);
  EXPECT_EQ(s.sizes[clears[1] + 1], 9);
}

TEST(RxgifWriteFile, AStillFrameWithoutExtrasStaysVersion87a) {
  gui::TBitmap bitmap = noiseBitmap(4, 4, 4, 2);
  TGIFImage image;
  addFrames(image, {&bitmap});
  Bytes gif = saved(image);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF87a");
  EXPECT_EQ(find(gif, {'!', 0xF9}), -1);
  EXPECT_EQ(gif.back(), ';');
}

TEST(RxgifWriteFile, TimingTransparencyAndDisposalGoIntoAGraphicControlExtension) {
  gui::TBitmap bitmap = noiseBitmap(4, 4, 4, 2);
  TGIFImage image;
  addFrames(image, {&bitmap});
  image.EncodeAllFrames();
  TGIFFrame& frame = image.GetFrame(0);
  frame.SetAnimateInterval(125);
  frame.SetDisposalMethod(dmRestoreBackground);
  frame.SetTransparentColor(ItemToColor(frame.Image()->ColorMap.Colors[5]));
  Bytes gif = saved(image);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  long at = find(gif, {'!', 0xF9, 4});
  ASSERT_GE(at, 0);
  EXPECT_EQ(gif[size_t(at) + 3], 0x01 | dmRestoreBackground << 2);  // transparency, disposal
  EXPECT_EQ(gif[size_t(at) + 4], 12);                               // 125 ms as 1/100 s
  EXPECT_EQ(gif[size_t(at) + 5], 0);
  EXPECT_EQ(gif[size_t(at) + 6], 5);
  TGIFImage back;
  Load(back, gif);
  EXPECT_EQ(back.GetFrame(0).AnimateInterval(), 120);
  EXPECT_EQ(back.GetFrame(0).DisposalMethod(), dmRestoreBackground);
  EXPECT_EQ(back.GetFrame(0).TransparentColor(), frame.TransparentColor());
}

// A table may hold a colour twice; the transparent index read keeps naming its own entry.
TEST(RxgifWriteFile, ATransparentIndexKeepsItsEntryAmongEqualColours) {
  Bytes gif = {'G', 'I',  'F', '8',  '9', 'a', 4,  0,  1,  0,   0x81, 0, 0,
               10,  10,   10,  200,  0,   0,   30, 30, 30, 200, 0,    0,  // entries 1 and 3 alike
               '!', 0xF9, 4,   0x01, 0,   0,   3,  0};
  Bytes lzw = rxgiftest::EncodeLiterals({0, 1, 2, 3}, 2);
  gif.insert(gif.end(), {',', 0, 0, 0, 0, 4, 0, 1, 0, 0});
  gif.insert(gif.end(), lzw.begin(), lzw.end());
  gif.push_back(';');
  TGIFImage image;
  Load(image, gif);
  Bytes again = saved(image);
  long at = find(again, {'!', 0xF9, 4});
  ASSERT_GE(at, 0);
  EXPECT_EQ(again[size_t(at) + 3] & 1, 1);
  EXPECT_EQ(again[size_t(at) + 6], 3);
}

TEST(RxgifWriteFile, ALoopExtensionOnlyForMoreThanOneFrame) {
  gui::TBitmap bitmap = noiseBitmap(4, 4, 1, 2);
  const Bytes loop = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0x34, 0x12, 0};
  TGIFImage one;
  addFrames(one, {&bitmap});
  one.SetLooping(true);
  one.SetRepeatCount(0x1234);
  EXPECT_EQ(find(saved(one), loop), -1);
  TGIFImage two;
  addFrames(two, {&bitmap, &bitmap});
  two.SetLooping(true);
  two.SetRepeatCount(0x1234);
  Bytes gif = saved(two);
  EXPECT_GE(find(gif, Bytes{'!', 0xFF, 11}), 0);
  EXPECT_GE(find(gif, loop), 0);
  TGIFImage back;
  Load(back, gif);
  EXPECT_TRUE(back.Looping());
  EXPECT_EQ(back.RepeatCount(), 0x1234);
}

// Comment lines longer than a sub-block go on in the next sub-blocks instead of being cut.
TEST(RxgifWriteFile, LongCommentsAreWrittenWhole) {
  gui::TBitmap bitmap = noiseBitmap(2, 2, 1, 2);
  TGIFImage image;
  addFrames(image, {&bitmap});
  gui::TStringList lines;
  const std::string longLine(600, 'x');
  lines.Add(longLine);
  lines.Add("");
  lines.Add("short");
  image.SetComment(lines);
  gui::TStringList frameLines;
  frameLines.Add(std::string(300, 'f'));
  image.GetFrame(0).SetComment(frameLines);
  Bytes gif = saved(image);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  TGIFImage back;
  Load(back, gif);
  std::string text;
  for (int i = 0; i < back.Comment().Count(); ++i) text += back.Comment().Get(i);
  EXPECT_EQ(text, longLine + "short");
  std::string frameText;
  for (const std::string& line : back.GetFrame(0).GetComment()) frameText += line;
  EXPECT_EQ(frameText, std::string(300, 'f'));
}

// A frame without any colour table (read from such a file) copied into another image is
// written without claiming a local table.
TEST(RxgifWriteFile, NoLocalTableFlagWithoutATable) {
  TGIFImage source;
  Load(source, rxgiftest::GifBuilder()
                   .Screen(3, 1)
                   .Image(0, 0, 3, 1, rxgiftest::EncodeLiterals({0, 1, 2}, 8))
                   .Trailer()
                   .bytes());
  TGIFImage copy;
  copy.Assign(source.GetFrame(0));
  ASSERT_TRUE(copy.GetFrame(0).LocalColorTable());
  Bytes gif = saved(copy);
  long at = find(gif, {',', 0, 0, 0, 0, 3, 0, 1, 0});
  ASSERT_GE(at, 0);
  EXPECT_EQ(gif[size_t(at) + 9] & 0x80, 0);
  std::vector<std::vector<uint8_t>> frames;
  EXPECT_TRUE(rxgiftest::RefDecode(gif, frames));
}

// A position beyond what the file's 16-bit fields hold is written as their largest value.
TEST(RxgifWriteFile, ScreenAndPositionsAreClampedTo16Bits) {
  gui::TBitmap bitmap = noiseBitmap(10, 10, 1, 2);
  TGIFImage image;
  addFrames(image, {&bitmap});
  image.GetFrame(0).SetTopLeft(gui::Point(70000, 5));
  EXPECT_EQ(image.ScreenWidth(), 0xFFFF);
  EXPECT_EQ(image.ScreenHeight(), 15);
  Bytes gif = saved(image);
  EXPECT_EQ(gif[6] | gif[7] << 8, 0xFFFF);
  long at = find(gif, {',', 0xFF, 0xFF, 5, 0, 10, 0, 10, 0});
  EXPECT_GE(at, 0);
}

// Image data cut short in the file it was read from gets its terminator when written again.
TEST(RxgifWriteFile, CutImageDataIsTerminated) {
  Bytes lzw = rxgiftest::EncodeLiterals({1, 2, 3, 1, 2, 3}, 2, 2);
  lzw.resize(lzw.size() - 3);  // the last sub-block cut and the terminator gone
  TGIFImage image;
  Load(image, rxgiftest::GifBuilder().Screen(6, 1, 2).Image(0, 0, 6, 1, lzw).bytes());
  ASSERT_EQ(image.GetCount(), 1);
  Bytes gif = saved(image);
  long at = find(gif, {',', 0, 0, 0, 0, 6, 0, 1, 0, 0});
  ASSERT_GE(at, 0);
  size_t block = size_t(at) + 11;  // after the minimum code size
  while (block < gif.size() && gif[block] != 0) block += gif[block] + 1u;
  EXPECT_EQ(block, gif.size() - 2);  // the terminator, then the trailer
  EXPECT_EQ(gif.back(), ';');
}

TEST(RxgifWriteFile, NothingToWriteFails) {
  TGIFImage image;
  gui::TMemoryStream stream;
  EXPECT_THROW(image.SaveToStream(stream), gui::EInvalidGraphicOperation);
  gui::TBitmap empty;
  image.AddFrame(&empty);
  EXPECT_THROW(image.SaveToStream(stream), gui::EInvalidGraphicOperation);
  EXPECT_EQ(stream.Size(), 0);
}

TEST(RxgifWriteFile, LayoutDataIsWhatTheLayoutReaderTakes) {
  gui::TBitmap first = noiseBitmap(9, 5, 4, 1), second = noiseBitmap(9, 5, 4, 2);
  TGIFImage image;
  addFrames(image, {&first, &second});
  gui::TMemoryStream layout;
  image.WriteData(layout);
  EXPECT_EQ(layout.Size(), int64_t(saved(image).size()) + 4);
  layout.SetPosition(0);
  TGIFImage back;
  back.ReadData(layout);
  EXPECT_EQ(layout.Position(), layout.Size());
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(colorsOf(back.GetFrame(1).GetBitmap()), colorsOf(second));
}

// A BMP whose info header is longer than 40 bytes has its colour table after the header.
TEST(RxgifWriteEncode, TheColourTableFollowsTheHeaderItsSizeSays) {
  gui::TBitmap bitmap = noiseBitmap(4, 2, 4, 5);
  Bytes bmp = bitmap.SaveToBytes();
  const uint8_t v4[] = {108, 0, 0, 0};
  Bytes longer(bmp.begin(), bmp.begin() + 14 + 40);
  std::copy(v4, v4 + 4, longer.begin() + 14);
  longer.insert(longer.end(), 68, 0);
  longer.insert(longer.end(), bmp.begin() + 14 + 40, bmp.end());
  const uint32_t offset = uint32_t(14 + 108 + 64);
  longer[10] = uint8_t(offset), longer[11] = uint8_t(offset >> 8);
  gui::TMemoryStream stream;
  stream.Write(longer.data(), int64_t(longer.size()));
  TGIFImage image;
  image.AddFrame(&bitmap);
  TGIFFrame& frame = image.GetFrame(0);
  frame.EncodeBitmapStream(stream);
  const std::vector<QRgb> table = distinctColors(4);
  ASSERT_EQ(frame.Image()->ColorMap.Count, 16);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(qRgb(frame.Image()->ColorMap.Colors[size_t(i)].Red,
                   frame.Image()->ColorMap.Colors[size_t(i)].Green,
                   frame.Image()->ColorMap.Colors[size_t(i)].Blue),
              table[size_t(i)])
        << i;
  }
  frame.NewBitmap();
  EXPECT_EQ(colorsOf(frame.GetBitmap()), colorsOf(bitmap));
}

TEST(RxgifWriteEncode, BitmapsThatAreNoPaletteBitmapsAreReducedFirst) {
  QImage pixels(6, 4, QImage::Format_RGB32);
  pixels.fill(qRgb(200, 10, 10));
  pixels.setPixel(1, 1, qRgb(10, 200, 10));
  gui::TBitmap bitmap;
  bitmap.SetImage(pixels);  // device format: true colour
  TGIFImage image;
  addFrames(image, {&bitmap});
  TGIFImage back;
  Load(back, saved(image));
  EXPECT_EQ(colorsOf(back.GetFrame(0).GetBitmap()), colorsOf(bitmap));
}

TEST(RxgifWriteEncode, BmpFilesGifCannotTakeAreRefused) {
  TGIFImage image;
  gui::TBitmap bitmap = noiseBitmap(2, 2, 1, 1);
  image.AddFrame(&bitmap);
  struct Case {
    const char* name;
    Bytes bytes;
  };
  QImage pixels(2, 2, QImage::Format_RGB32);
  pixels.fill(0xFF102030u);
  Bytes deep = gui::WriteBmpFile(pixels, gui::pf24bit, {});
  Bytes cut = bitmap.SaveToBytes();
  cut.resize(cut.size() - 1);
  Bytes notBmp = cut;
  notBmp[0] = 'X';
  for (const Case& c : {Case{"24 bits", deep}, Case{"cut", cut}, Case{"not a BMP", notBmp}}) {
    gui::TMemoryStream stream;
    stream.Write(c.bytes.data(), int64_t(c.bytes.size()));
    EXPECT_THROW(image.GetFrame(0).EncodeBitmapStream(stream), gui::Exception) << c.name;
  }
}

TEST(RxgifWriteClipboard, TheBitmapAlwaysAndTheGifWhenEveryFrameIsEncoded) {
  gui::TBitmap bitmap = noiseBitmap(5, 3, 8, 4);
  TGIFImage image;
  addFrames(image, {&bitmap, &bitmap});
  std::map<unsigned, Bytes> clipboard;
  TClipboardWriter writer = [&](unsigned format, const std::vector<uint8_t>& data) {
    clipboard[format] = data;
    return true;
  };
  TClipboardData data;
  image.SaveToClipboardFormat(data, writer);
  EXPECT_EQ(data.Format, gui::CF_BITMAP);
  EXPECT_FALSE(data.Palette.empty());
  EXPECT_TRUE(clipboard.empty());  // the frames are not encoded yet

  image.EncodeAllFrames();
  image.SaveToClipboardFormat(data, writer);
  ASSERT_EQ(clipboard.count(CF_GIF), 1u);
  TGIFImage pasted;
  pasted.LoadFromClipboardFormat(CF_GIF, [&](unsigned format, std::vector<uint8_t>& bytes) {
    if (format == gui::CF_BITMAP) {
      bytes = data.Data;
    } else if (clipboard.count(format)) {
      bytes = clipboard[format];
    } else {
      return false;
    }
    return true;
  });
  EXPECT_EQ(pasted.GetCount(), 2);
  EXPECT_EQ(colorsOf(pasted.GetFrame(0).GetBitmap()), colorsOf(bitmap));

  TGIFImage none;
  TClipboardData untouched;
  none.SaveToClipboardFormat(untouched, writer);
  EXPECT_EQ(untouched.Format, 0u);
}

}  // namespace
