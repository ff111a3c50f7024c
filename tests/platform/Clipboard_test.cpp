// The clipboard seam: format numbers by name, the palette form, and the simulated clipboard's
// open-clear-set-close cycle with its failures.
#include "platform/Clipboard.h"

#include <gtest/gtest.h>

#include "platform/ClipboardSim.h"
#include "platform/ScreenDepth.h"

using namespace platform;

namespace {

using Kind = ClipboardEvent::Kind;

class SimClipboardTest : public ::testing::Test {
protected:
  void SetUp() override { SimClipboard().reset(); }
  void TearDown() override { SimClipboard().reset(); }
};

}  // namespace

TEST(ClipboardFormats, OneNumberPerNameInAnyCase) {
  const unsigned first = RegisterClipboardFormat("Vyx Test Format");
  EXPECT_GE(first, kFirstRegisteredFormat);
  EXPECT_EQ(RegisterClipboardFormat("VYX test FORMAT"), first);
  const unsigned other = RegisterClipboardFormat("Vyx Other Format");
  EXPECT_NE(other, first);
  EXPECT_EQ(ClipboardFormatName(first), "Vyx Test Format");
  EXPECT_EQ(ClipboardFormatName(kCfBitmap), "");
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
}

TEST(ClipboardFormats, APaletteIsALogicalPaletteOfAtMost256Entries) {
  EXPECT_EQ(ClipboardPalette({0xFF102030u, 0xFFA0B0C0u}),
            (ClipboardBytes{0x00, 0x03, 2, 0, 0x10, 0x20, 0x30, 0, 0xA0, 0xB0, 0xC0, 0}));
  EXPECT_EQ(ClipboardPalette(std::vector<uint32_t>(300)).size(), 4u + 4 * 256);
}

TEST_F(SimClipboardTest, WhatIsSetWhileOpenIsThereAndLogged) {
  EXPECT_EQ(&Clipboard::current(), &SimClipboard());
  Clipboard& clipboard = Clipboard::current();
  ASSERT_TRUE(clipboard.open());
  EXPECT_FALSE(clipboard.open());  // already open
  clipboard.clear();
  EXPECT_TRUE(clipboard.setData(kCfBitmap, {1, 2}));
  EXPECT_TRUE(clipboard.setData(kCfPalette, {3}));
  clipboard.close();
  EXPECT_FALSE(clipboard.setData(kCfBitmap, {9}));  // closed
  EXPECT_TRUE(clipboard.hasFormat(kCfPalette));
  EXPECT_EQ(clipboard.data(kCfBitmap), (ClipboardBytes{1, 2}));
  EXPECT_FALSE(clipboard.data(0xC123).has_value());
  EXPECT_EQ(SimClipboard().formats(), (std::vector<unsigned>{kCfBitmap, kCfPalette}));
  std::vector<Kind> kinds;
  for (const auto& e : SimClipboard().events()) kinds.push_back(e.kind);
  EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Open, Kind::Open, Kind::Clear, Kind::Set, Kind::Set,
                                      Kind::Close, Kind::Set, Kind::Read, Kind::Read}));
}

TEST_F(SimClipboardTest, AHeldClipboardAndARefusedBlockFail) {
  SimClipboard().failNextOpens(1);
  EXPECT_FALSE(SimClipboard().open());
  ASSERT_TRUE(SimClipboard().open());
  SimClipboard().refuseFormat(kCfPalette);
  SimClipboard().clear();
  EXPECT_FALSE(SimClipboard().setData(kCfPalette, {1}));
  EXPECT_TRUE(SimClipboard().setData(kCfBitmap, {1}));
  SimClipboard().close();
  EXPECT_EQ(SimClipboard().formats(), std::vector<unsigned>{kCfBitmap});
}

TEST(SimScreenDepthTest, ThirtyTwoBitsUntilSetOtherwise) {
  SimScreenDepth().reset();
  EXPECT_EQ(ScreenDepth::current().bitsPerPixel(), 32);
  SimScreenDepth().setBitsPerPixel(8);
  EXPECT_EQ(ScreenDepth::current().bitsPerPixel(), 8);
  SimScreenDepth().reset();
}
