// The LZW decoder on hand-made code sequences: clear and end codes, the first code without a
// clear, the string the next entry will hold, codes beyond the table, literals of a minimum
// code size wider than the colour table, and pixels beyond the frame.
#include "controls/Rxgif.h"

#include <gtest/gtest.h>

#include "RxgifTestSupport.h"
#include "controls/ControlsState.h"
#include "gui/Exceptions.h"

using namespace rxgif;
using namespace rxgiftest;

namespace {

struct Case {
  const char* name;
  int tableBits;    // global colour table
  int minimumSize;  // the code size byte
  std::vector<Code> codes;
  int width, height;
  std::vector<uint8_t> pixels;
  bool damaged;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// Codes for minimum code size 2: clear 4, end 5, first free entry 6.
const Case kCases[] = {
    {"literals", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}}, 4, 1, {1, 2, 3, 0}, false},
    {"repeated clear codes", 2, 2, {{4, 3}, {4, 3}, {4, 3}, {1, 3}, {2, 3}, {5, 3}}, 4, 1,
     {1, 2, 0, 0}, false},
    {"end code stops", 2, 2, {{4, 3}, {1, 3}, {5, 3}, {2, 3}, {3, 3}}, 4, 1, {1, 0, 0, 0}, false},
    // Without a clear first, the first code adds no entry: 6 is "1 2".
    {"no clear at the start", 2, 2, {{1, 3}, {2, 3}, {6, 3}, {5, 4}}, 4, 1, {1, 2, 1, 2}, false},
    {"next entry's own string", 2, 2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}, 4, 1, {1, 1, 1, 0}, false},
    {"clear resets the table", 2, 2,
     {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {3, 3}, {2, 3}, {6, 3}, {5, 4}}, 8, 1,
     {1, 2, 3, 3, 2, 3, 2, 0}, false},
    {"two rows", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {7, 4}, {5, 4}}, 3, 2, {1, 2, 1, 2, 2, 1},
     false},
    {"pixels past the frame", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {1, 4}}, 2, 1, {1, 2}, false},
    {"string cut at the frame's end", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}}, 3, 1, {1, 2, 1},
     false},
    {"own string cut at the end", 2, 2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}}, 4, 1, {1, 1, 1, 1},
     false},
    // A short string copied from far back, then the end: the pixels after it stay 0.
    {"short copy then end", 2, 2,
     {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {3, 4}, {3, 4}, {3, 4}, {3, 4}, {3, 4}, {3, 4}, {3, 4},
      {3, 4}, {3, 5}, {3, 5}, {3, 5}, {3, 5}, {3, 5}, {3, 5}, {3, 5}, {3, 5}, {6, 5}, {5, 5}},
     40, 1, {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 2, 0, 0, 0, 0, 0, 0, 0,
             0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     false},
    // Codes from 4 up are not literals even with a 2-bit table; literals are masked to it.
    {"wide literals masked", 2, 4, {{16, 5}, {6, 5}, {13, 5}, {17, 5}}, 2, 1, {2, 1}, false},
    {"table code right after a clear", 2, 2, {{4, 3}, {6, 3}, {1, 3}}, 3, 1, {0, 0, 0}, true},
    {"code beyond the table", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {9, 4}, {1, 4}}, 5, 1,
     {1, 2, 3, 0, 0}, true},
    {"first code beyond the table", 2, 2, {{6, 3}, {1, 3}}, 2, 1, {0, 0}, true},
    // A minimum code size outside 2..9 is clamped; the frame shows only the code after a clear.
    {"minimum code size 1", 2, 1, {{4, 3}, {3, 3}, {2, 3}, {5, 3}}, 4, 1, {3, 0, 0, 0}, true},
    {"minimum code size 10", 2, 10, {{512, 10}, {3, 10}, {2, 10}, {513, 10}}, 4, 1, {3, 0, 0, 0},
     true},
};

class RxgifDecodeTest : public ::testing::TestWithParam<Case> {
protected:
  void TearDown() override { ResetControlsState(); }

  static Bytes file(const Case& c) {
    return GifBuilder().Screen(c.width, c.height, c.tableBits)
        .Image(0, 0, c.width, c.height, PackCodes(c.codes, c.minimumSize)).Trailer().bytes();
  }
};

}  // namespace

TEST_P(RxgifDecodeTest, Pixels) {
  const Case& c = GetParam();
  TGIFImage image;
  Load(image, file(c), false);
  EXPECT_EQ(FrameIndexes(image.GetFrame(0)), c.pixels);
  EXPECT_EQ(image.Corrupted(), c.damaged);
}

// The same sequences with every sub-block one byte long.
TEST_P(RxgifDecodeTest, OneByteSubBlocks) {
  const Case& c = GetParam();
  TGIFImage image;
  Load(image, GifBuilder().Screen(c.width, c.height, c.tableBits)
                  .Image(0, 0, c.width, c.height, PackCodes(c.codes, c.minimumSize, 1)).Trailer()
                  .bytes(),
       false);
  EXPECT_EQ(FrameIndexes(image.GetFrame(0)), c.pixels);
}

TEST_P(RxgifDecodeTest, DamageNotTolerated) {
  const Case& c = GetParam();
  GIFLoadCorrupted = false;
  TGIFImage image;
  Load(image, file(c), false);
  if (c.damaged) {
    EXPECT_THROW(image.GetFrame(0).GetBitmap(), gui::EInvalidGraphicOperation);
  } else {
    EXPECT_FALSE(image.GetFrame(0).GetBitmap().Empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, RxgifDecodeTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!isalnum(uint8_t(ch))) ch = '_';
                           }
                           return name;
                         });
