// The icon clipboard: the format registered at start-up, icons copied as a bitmap, palette and
// icon file and pasted back, and the real-size icon chosen for the screen's colours.
#include "controls/dormant/Clipicon.h"

#include <gtest/gtest.h>

#include "IconFiles.h"
#include "controls/AppIcon.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/Graphic.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardSim.h"
#include "platform/ScreenDepth.h"

using namespace clipicon;
using namespace iconfiles;

namespace {

constexpr QRgb kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

class ClipiconTest : public ::testing::Test {
protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    platform::SimClipboard().reset();
    platform::SimScreenDepth().reset();
  }
  static void screen(int bits) { platform::SimScreenDepth().setBitsPerPixel(bits); }
};

// Sixteen colours at 16 pixels and 256 colours at 24 pixels, told apart by size.
Bytes sixteenAnd256() { return file({image(kRed, 16, 4, 16), image(kGreen, 24, 8, 256)}); }

}  // namespace

TEST_F(ClipiconTest, StartUpRegisteredTheFormatAsAnIconFormat) {
  EXPECT_GE(CF_ICON, platform::kFirstRegisteredFormat);
  EXPECT_EQ(platform::RegisterClipboardFormat("KORVEL ICON"), CF_ICON);
  EXPECT_EQ(platform::ClipboardFormatName(CF_ICON), "Korvel Icon");
  std::unique_ptr<gui::TGraphic> graphic = gui::TPicture::CreateByClipboardFormat(CF_ICON);
  ASSERT_TRUE(graphic);
  EXPECT_STREQ(graphic->ClassName(), "TIcon");
}

TEST_F(ClipiconTest, TheImageThatSuitsTheScreensColoursIsChosen) {
  const struct {
    const char* name;
    Bytes file;
    int screenBits;
    int width;
  } cases[] = {
      {"256 colours on a 256-colour screen", sixteenAnd256(), 8, 24},
      {"16 colours on a 16-colour screen", sixteenAnd256(), 4, 16},
      {"reversed order, 16-colour screen",
       file({image(kGreen, 24, 8, 256), image(kRed, 16, 4, 16)}), 4, 16},
      {"none fits a true-colour screen: image 0", sixteenAnd256(), 32, 16},
      {"true colour on a true-colour screen",
       file({image(kRed, 16, 4, 16), image(kBlue, 32, 32, 0)}), 24, 32},
      {"more colours replace fewer", file({image(kRed, 20, 4, 2), image(kGreen, 16, 4, 16)}), 8,
       16},
  };
  for (const auto& c : cases) {
    screen(c.screenBits);
    StoredIcon icon(c.file);
    std::unique_ptr<gui::TIcon> real = CreateRealSizeIcon(icon);
    ASSERT_EQ(real->Images().size(), 1u) << c.name;
    EXPECT_EQ(real->Width(), c.width) << c.name;
    int w = 0, h = 0;
    GetIconSize(real.get(), w, h);
    EXPECT_EQ(w, c.width) << c.name;
    EXPECT_EQ(h, c.width) << c.name;
  }
}

TEST_F(ClipiconTest, OtherFileTypesAreCopiedOrGiveTheProgramsIcon) {
  Bytes shown = file({image(kRed, 48, 32, 0)});
  Bytes cursor = shown;
  cursor[2] = 2;
  std::unique_ptr<gui::TIcon> copy = CreateRealSizeIcon(StoredIcon(cursor, shown));
  EXPECT_EQ(copy->Width(), 48);
  EXPECT_EQ(pixel(*copy, 0, 0), kRed);

  gui::TIcon program;
  appicon::LoadApplicationIcon(program);
  for (const Bytes& stored : {Bytes{0, 0, 0, 0, 1, 0}, Bytes{}}) {
    std::unique_ptr<gui::TIcon> fallback = CreateRealSizeIcon(StoredIcon(stored, shown));
    EXPECT_EQ(fallback->SaveToBytes(), program.SaveToBytes()) << stored.size();
  }
}

TEST_F(ClipiconTest, DamagedFilesAndAMissingScreenFail) {
  Bytes good = file({image(kRed, 16, 4, 16)});
  Bytes shortDirectory(good.begin(), good.begin() + 12);
  Bytes farImage = good;
  farImage[18] = 0xF0;  // the image offset beyond the file
  Bytes noImages = good;
  noImages[4] = 0;
  Bytes badImage = good;
  badImage[22] = 7;  // an info header of 7 bytes
  EXPECT_THROW(CreateRealSizeIcon(StoredIcon(shortDirectory, good)), gui::EReadError);
  EXPECT_THROW(CreateRealSizeIcon(StoredIcon(farImage, good)), gui::EReadError);
  EXPECT_THROW(CreateRealSizeIcon(StoredIcon(noImages, good)), gui::EInvalidGraphic);
  EXPECT_THROW(CreateRealSizeIcon(StoredIcon(badImage, good)), gui::EInvalidGraphic);
  screen(0);
  EXPECT_THROW(CreateRealSizeIcon(StoredIcon(good)), gui::EOutOfResources);
}

TEST_F(ClipiconTest, RealSizeIconsDrawInTheirOwnSize) {
  int w = 0, h = 0;
  GetIconSize(nullptr, w, h);
  EXPECT_EQ(w, kSystemIconSize);
  EXPECT_EQ(h, kSystemIconSize);

  gui::TBitmap target(60, 60);
  target.Canvas().Brush.Color = gui::clWhite;
  target.Canvas().FillRect(gui::Rect(0, 0, 60, 60));
  DrawRealSizeIcon(target.Canvas(), StoredIcon(file({image(kBlue, 48, 32, 0)})), 3, 4);
  EXPECT_EQ(target.Image().pixel(3, 4), kBlue);
  EXPECT_EQ(target.Image().pixel(50, 27), kBlue);                 // right edge of the opaque half
  EXPECT_EQ(target.Image().pixel(50, 51) & 0xFFFFFF, 0xFFFFFFu);  // the transparent quarter
  EXPECT_EQ(target.Image().pixel(51, 4) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ClipiconTest, CopyingPutsABitmapAndTheIconFileAndPastingGivesTheIconBack) {
  StoredIcon icon(file({image(kGreen, 40, 32, 0)}));
  CopyIconToClipboard(icon, gui::clYellow);
  EXPECT_EQ(platform::SimClipboard().formats(),
            (std::vector<unsigned>{platform::kCfBitmap, CF_ICON}));
  EXPECT_FALSE(platform::SimClipboard().isOpen());

  std::optional<platform::ClipboardBytes> bmp =
      platform::Clipboard::current().data(platform::kCfBitmap);
  ASSERT_TRUE(bmp);
  gui::TBitmap bitmap;
  bitmap.LoadFromBytes(bmp->data(), bmp->size());
  EXPECT_EQ(bitmap.Width(), 40);
  EXPECT_EQ(bitmap.Image().pixel(0, 0) | 0xFF000000u, kGreen);
  EXPECT_EQ(bitmap.Image().pixel(39, 39) & 0xFFFFFF, 0xFFFF00u);  // the background

  std::unique_ptr<gui::TIcon> pasted = CreateIconFromClipboard();
  ASSERT_TRUE(pasted);
  EXPECT_EQ(pasted->SaveToBytes(), icon.SaveToBytes());
  gui::TIcon assigned;
  AssignClipboardIcon(assigned);
  EXPECT_EQ(assigned.Width(), 40);
}

TEST_F(ClipiconTest, OnAPaletteScreenThePaletteComesToo) {
  screen(8);
  CopyIconToClipboard(StoredIcon(file({image(kGreen, 16, 8, 256)})), gui::clWhite);
  EXPECT_EQ(platform::SimClipboard().formats(),
            (std::vector<unsigned>{platform::kCfBitmap, platform::kCfPalette, CF_ICON}));
}

TEST_F(ClipiconTest, ARefusedIconFileLeavesTheBitmap) {
  platform::SimClipboard().refuseFormat(CF_ICON);
  CopyIconToClipboard(StoredIcon(file({image(kGreen, 16, 4, 16)})), gui::clWhite);
  EXPECT_EQ(platform::SimClipboard().formats(), std::vector<unsigned>{platform::kCfBitmap});
  EXPECT_EQ(CreateIconFromClipboard(), nullptr);
}

TEST_F(ClipiconTest, AHeldClipboardFailsAndKeepsItsContents) {
  StoredIcon icon(file({image(kGreen, 16, 4, 16)}));
  CopyIconToClipboard(icon, gui::clWhite);
  platform::SimClipboard().failNextOpens(2);
  try {
    CopyIconToClipboard(StoredIcon(file({image(kRed, 24, 32, 0)})), gui::clWhite);
    ADD_FAILURE() << "copied while held";
  } catch (const gui::Exception& e) {
    EXPECT_EQ(e.Message(), kCannotOpenClipboard);
  }
  gui::TIcon target;
  EXPECT_THROW(AssignClipboardIcon(target), gui::Exception);
  EXPECT_TRUE(target.Empty());
  EXPECT_EQ(CreateIconFromClipboard()->Width(), 16);
}

TEST_F(ClipiconTest, WithoutIconDataNothingIsPastedAndDamagedDataChangesNothing) {
  gui::TIcon target;
  AssignClipboardIcon(target);
  EXPECT_TRUE(target.Empty());
  EXPECT_EQ(CreateIconFromClipboard(), nullptr);

  gui::TIcon kept;
  Bytes good = file({image(kBlue, 16, 4, 16)});
  kept.LoadFromBytes(good.data(), good.size());
  platform::Clipboard& clipboard = platform::Clipboard::current();
  ASSERT_TRUE(clipboard.open());
  clipboard.clear();
  clipboard.setData(CF_ICON, {0, 0, 1, 0, 1, 0, 16, 16});
  clipboard.close();
  EXPECT_THROW(AssignClipboardIcon(kept), gui::EInvalidGraphic);
  EXPECT_EQ(kept.SaveToBytes(), StoredIcon(good).TIcon::SaveToBytes());
  EXPECT_THROW(CreateIconFromClipboard(), gui::EInvalidGraphic);
  EXPECT_FALSE(platform::SimClipboard().isOpen());
}
