// The memory helpers: zero-filled blocks that know their size, comparison, moves.
#include "controls/utils/VclutilsMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

using namespace vclutils;

TEST(VclutilsMemory, CompareMemLooksAtExactlyLengthBytes) {
  const uint8_t a[] = {1, 2, 3, 4, 5, 6};
  struct Case {
    const char* name;
    uint8_t b[6];
    size_t length;
    bool equal;
  } cases[] = {
      {"no bytes are always equal", {9, 9, 9, 9, 9, 9}, 0, true},
      {"five equal bytes", {1, 2, 3, 4, 5, 9}, 5, true},
      {"a difference in the group of four", {1, 2, 9, 4, 5, 6}, 5, false},
      {"a difference in the single byte left", {1, 2, 3, 4, 9, 6}, 5, false},
      {"two bytes, no group of four", {1, 2, 9, 9, 9, 9}, 2, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareMem(a, c.b, c.length), c.equal) << c.name;
  }
}

TEST(VclutilsMemory, BlocksAreZeroedAndKnowTheirSize) {
  EXPECT_EQ(AllocMemo(0), nullptr);
  EXPECT_EQ(AllocMemo(-4), nullptr);
  void* block = AllocMemo(6);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GetMemoSize(block), 6);
  const uint8_t zeros[16] = {};
  EXPECT_TRUE(CompareMem(block, zeros, 6));
  std::memcpy(block, "abcdef", 6);
  block = ReallocMemo(block, 16);
  EXPECT_EQ(GetMemoSize(block), 16);
  EXPECT_TRUE(CompareMem(block, "abcdef", 6));
  EXPECT_TRUE(CompareMem(HugeOffset(block, 6), zeros, 10)) << "grown bytes are zero";
  FreeMemo(block);
  EXPECT_EQ(block, nullptr);
  FreeMemo(block);  // a null pointer is left alone
  EXPECT_EQ(ReallocMemo(AllocMemo(4), 0), nullptr);
}

TEST(VclutilsMemory, OverlappingMoves) {
  char text[] = "abcdefgh";
  HMemCpy(text + 2, text, 4);
  EXPECT_STREQ(text, "ababcdgh");
  uint32_t words[] = {1, 2, 3, 4, 5};
  HugeMove(words, 0, 1, 4);
  EXPECT_EQ(words[0], 2u);
  EXPECT_EQ(words[3], 5u);
  void* p = words;
  HugeInc(p, 8);
  EXPECT_EQ(p, static_cast<void*>(&words[2]));
  HugeDec(p, 4);
  EXPECT_EQ(p, static_cast<void*>(&words[1]));
}

}  // namespace
