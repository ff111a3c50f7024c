// Well-formed files written by the reference GIF library decode to the same indexes as the
// reference decoder gives: sizes from 1 pixel to 640 wide, 1 to 8 bits (code sizes 2 to 8),
// global and local tables, interlacing, transparency, several frames, and the same data cut
// into 1-byte sub-blocks, so that 12-bit codes span three of them.
#include "controls/Rxgif.h"

#include <gtest/gtest.h>

#include <random>

#include "RxgifTestSupport.h"

using namespace rxgif;
using namespace rxgiftest;

namespace {

enum Pattern { kNoise, kGradient, kRuns, kSolid };

std::vector<uint8_t> pixels(Pattern pattern, int w, int h, int bits, unsigned seed) {
  std::mt19937 random(seed);
  const int colors = 1 << bits;
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  int run = 0;
  uint8_t value = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t& p = v[size_t(y) * size_t(w) + size_t(x)];
      switch (pattern) {
        case kNoise: p = uint8_t(random() % unsigned(colors)); break;
        case kGradient: p = uint8_t((x / 3 + y / 2 + int(random() % 2)) % colors); break;
        case kRuns:
          if (run-- <= 0) run = int(random() % 700), value = uint8_t(random() % unsigned(colors));
          p = value;
          break;
        case kSolid: p = uint8_t(colors - 1); break;
      }
    }
  }
  return v;
}

struct Case {
  const char* name;
  int width, height;
  int globalBits, localBits;
  bool interlaced;
  int transparent;
  int frames;
  Pattern pattern;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"one_pixel", 1, 1, 1, 0, false, -1, 1, kSolid},
    {"tiny_interlaced_noise", 3, 7, 2, 0, true, -1, 1, kNoise},
    {"local_table_gradient", 17, 13, 0, 3, false, -1, 1, kGradient},
    {"transparent_noise", 64, 64, 4, 0, false, 5, 1, kNoise},
    {"table_fills_noise", 200, 150, 8, 0, false, -1, 1, kNoise},
    {"long_runs", 640, 48, 8, 0, false, -1, 1, kRuns},
    {"solid_long_strings", 100, 100, 5, 0, false, -1, 1, kSolid},
    {"interlaced_gradient", 33, 9, 6, 0, true, 3, 1, kGradient},
    {"animation_local_tables", 50, 40, 2, 7, false, 1, 4, kNoise},
    {"one_row_one_bit", 2000, 1, 1, 0, false, -1, 1, kNoise},
    {"one_column_interlaced", 1, 300, 8, 0, true, -1, 1, kNoise},
    {"interlaced_runs_8bit", 320, 240, 8, 0, true, 0, 1, kRuns},
    {"animation_global", 40, 30, 3, 0, false, -1, 6, kGradient},
};

class RxgifGiflibTest : public ::testing::TestWithParam<Case> {
protected:
  static std::vector<RefFrame> frames(const Case& c) {
    std::vector<RefFrame> result;
    for (int i = 0; i < c.frames; ++i) {
      RefFrame f;
      // Later frames are smaller and placed inside the screen.
      f.left = i * 2;
      f.top = i;
      f.width = std::max(c.width - i * 4, 1);
      f.height = std::max(c.height - i * 2, 1);
      f.localBits = c.localBits > 0 ? std::max(1, c.localBits - i) : 0;
      f.interlaced = c.interlaced != (i % 2 == 1);
      f.transparent = c.transparent;
      f.delay = uint16_t(i * 7);
      int bits = f.localBits > 0 ? f.localBits : c.globalBits;
      f.indexes = pixels(c.pattern, f.width, f.height, bits, unsigned(i * 31 + c.width));
      result.push_back(f);
    }
    return result;
  }
};

}  // namespace

TEST_P(RxgifGiflibTest, SameIndexesAsTheReference) {
  const Case& c = GetParam();
  std::vector<RefFrame> written = frames(c);
  Bytes gif = RefEncode(c.width, c.height, c.globalBits, written);
  std::vector<std::vector<uint8_t>> reference;
  ASSERT_TRUE(RefDecode(gif, reference));
  ASSERT_EQ(reference.size(), written.size());

  TGIFImage image;
  Load(image, gif);
  ASSERT_EQ(image.GetCount(), c.frames);
  EXPECT_FALSE(image.Corrupted());
  for (int i = 0; i < c.frames; ++i) {
    TGIFFrame& frame = image.GetFrame(i);
    const RefFrame& w = written[size_t(i)];
    EXPECT_EQ(reference[size_t(i)], w.indexes) << "the reference itself, frame " << i;
    EXPECT_TRUE(FrameIndexes(frame) == reference[size_t(i)]) << "frame " << i;
    EXPECT_EQ(frame.TopLeft(), gui::Point(w.left, w.top));
    EXPECT_EQ(frame.AnimateInterval(), w.delay * 10);
    EXPECT_EQ(frame.Interlaced(), w.interlaced);
    EXPECT_EQ(frame.TransparentColor() != gui::clNone, w.transparent >= 0);
    EXPECT_EQ(frame.GetBitmap().Width(), w.width);
    EXPECT_EQ(frame.GetBitmap().Height(), w.height);

    // The frame's data again, every sub-block one byte, read by both decoders.
    Bytes lzw(frame.Image()->ImageData.Bytes());
    Bytes oneByte = GifBuilder().Screen(w.width, w.height, c.globalBits)
                        .Image(0, 0, w.width, w.height, Reblock(lzw, 1), w.localBits, w.interlaced)
                        .Trailer().bytes();
    std::vector<std::vector<uint8_t>> reference1;
    ASSERT_TRUE(RefDecode(oneByte, reference1));
    TGIFImage image1;
    Load(image1, oneByte);
    EXPECT_TRUE(FrameIndexes(image1.GetFrame(0)) == reference1[0]) << "1-byte blocks, frame " << i;
    EXPECT_EQ(reference1[0], w.indexes);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, RxgifGiflibTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.name);
                         });
