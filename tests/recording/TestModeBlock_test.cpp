// The test mode's reading of a block: levels from the positive peaks above 257, negative samples
// rectified for the scope and never counted, and the traces' places.
#include <gtest/gtest.h>

#include <vector>

#include "recording/TestModeBlock.h"

namespace {

// A block of stereo frames; one frame more than the ones given, since the last is not looked at.
std::vector<uint8_t> block(const std::vector<std::pair<int16_t, int16_t>>& frames) {
  std::vector<uint8_t> bytes;
  auto put = [&](int16_t v) {
    bytes.push_back(uint8_t(uint16_t(v)));
    bytes.push_back(uint8_t(uint16_t(v) >> 8));
  };
  for (auto [l, r] : frames) {
    put(l);
    put(r);
  }
  put(32000);  // the unread last frame
  put(32000);
  return bytes;
}

TEST(TestModeBlock, LevelsComeFromThePositivePeaks) {
  struct Case {
    std::vector<std::pair<int16_t, int16_t>> frames;
    float left, right;
  };
  const Case cases[] = {
      {{{100, 257}, {257, 0}}, 0.0f, 0.0f},
      {{{16641, 0}}, 0.5f, 0.0f},
      {{{0, 16641}, {-20000, -30000}}, 0.0f, 0.5f},  // negative samples never count
      {{{32699, 32700}}, (32699 - 257) / 32768.0f, 0.0f},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> data = block(c.frames);
    const TestModeBlock b = AnalyseTestBlock(data.data(), data.size(), 169);
    EXPECT_FLOAT_EQ(b.left, c.left);
    EXPECT_FLOAT_EQ(b.right, c.right);
    EXPECT_EQ(b.leftTrace.size(), c.frames.size());
  }
}

TEST(TestModeBlock, NegativeSamplesAreRectifiedForTheScope) {
  std::vector<uint8_t> data = block({{-2560, 2560}, {0, -256}});
  const TestModeBlock b = AnalyseTestBlock(data.data(), data.size(), 100);
  ASSERT_EQ(b.leftTrace.size(), 2u);
  EXPECT_EQ(b.leftTrace[0], QPoint(0, 50 - 10));
  EXPECT_EQ(b.rightTrace[0], QPoint(0, 100 - 10));
  EXPECT_EQ(b.rightTrace[1], QPoint(1, 100 - 1));
  EXPECT_EQ(data[0] | (data[1] << 8), 2560) << "rectified in the buffer";
}

TEST(TestModeBlock, ABlockTooShortForTwoFramesGivesNothing) {
  std::vector<uint8_t> data(7, 0xFF);
  const TestModeBlock b = AnalyseTestBlock(data.data(), data.size(), 100);
  EXPECT_TRUE(b.leftTrace.empty());
  EXPECT_EQ(b.left, 0.0f);
}

}  // namespace
