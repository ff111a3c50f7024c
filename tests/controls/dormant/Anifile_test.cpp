// The animated cursor reader: frames from "anih", "rate", "seq " and the "fram" list, cursors
// with their hot spots, structural errors that leave the image as it was, bounded reading of
// damaged sizes, and the hand-over as icon, strip bitmap, icon list and GIF image.
#include "controls/dormant/Anifile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "AniFiles.h"
#include "controls/Icolist.h"
#include "controls/Rxgif.h"
#include "gui/Exceptions.h"
#include "platform/MessageBox.h"

using namespace anifile;
using namespace anifiles;

namespace {

constexpr QRgb kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

QRgb colorOf(const TIconFrame& frame) { return iconfiles::pixel(*frame.Icon(), 0, 0); }

std::vector<QRgb> colors(const TAnimatedCursorImage& image) {
  std::vector<QRgb> out;
  for (int i = 0; i < image.GetIconCount(); ++i) out.push_back(colorOf(image.GetFrame(i)));
  return out;
}

std::vector<int> indexes(const TAnimatedCursorImage& image) {
  std::vector<int> out;
  for (int i = 0; i < image.GetIconCount(); ++i) out.push_back(image.GetFrame(i).Index());
  return out;
}

Bytes threeFrames() {
  return AniBuilder()
      .header(3, 3, 10)
      .info("Spin", "Maker")
      .frames({icon(kRed), icon(kGreen), icon(kBlue)})
      .bytes();
}

}  // namespace

TEST(AnifileRead, AnnouncedFramesTakeTheirImagesInOrder) {
  TAnimatedCursorImage image;
  read(image, threeFrames());
  ASSERT_EQ(image.GetIconCount(), 3);
  EXPECT_EQ(indexes(image), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(colors(image), (std::vector<QRgb>{kRed, kGreen, kBlue}));
  for (int i = 0; i < 3; ++i) {
    const TIconFrame& frame = image.GetFrame(i);
    EXPECT_EQ(frame.Jiffies(), 10);
    EXPECT_TRUE(frame.IsIcon());
    EXPECT_EQ(frame.HotSpot(), gui::Point(8, 8));
    EXPECT_EQ(std::string(frame.Tag().ckID, 4), "icon");
  }
  EXPECT_EQ(image.Header().cSteps, 3u);
  EXPECT_EQ(image.GetTitle(), "Spin");
  EXPECT_EQ(image.GetCreator(), "Maker");
  EXPECT_EQ(image.GetDefaultRate(), 166);
}

TEST(AnifileRead, ImagesBeyondTheAnnouncedFramesGetFramesOfTheirOwn) {
  TAnimatedCursorImage image;
  read(image, AniBuilder().header(2, 2, 5).frames({icon(kRed), icon(kGreen), icon(kBlue)}).bytes());
  EXPECT_EQ(indexes(image), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(colors(image), (std::vector<QRgb>{kRed, kGreen, kBlue}));
  EXPECT_EQ(image.GetFrame(2).Jiffies(), 5);
}

TEST(AnifileRead, ALongerHeaderChunkFillsTheHeaderFromItsStart) {
  TAnimatedCursorImage image;
  read(image, AniBuilder().header(1, 1, 7, AF_ICON, 51).frames({icon(kRed)}).bytes());
  EXPECT_EQ(image.Header().jifRate, 7u);
  EXPECT_EQ(image.GetIconCount(), 1);
}

TEST(AnifileRead, CursorsKeepTheirHotSpotAndIconsAreCentred) {
  TAnimatedCursorImage image;
  read(image, AniBuilder().header(2, 2, 1).frames({cursor(kRed, 3, 5), icon(kGreen, 32)}).bytes());
  EXPECT_FALSE(image.GetFrame(0).IsIcon());
  EXPECT_EQ(image.GetFrame(0).HotSpot(), gui::Point(3, 5));
  EXPECT_EQ(colorOf(image.GetFrame(0)), kRed);
  EXPECT_TRUE(image.GetFrame(1).IsIcon());
  EXPECT_EQ(image.GetFrame(1).HotSpot(), gui::Point(16, 16));
}

TEST(AnifileRead, TheLargestColourCountOfTheImagesIsKept) {
  TAnimatedCursorImage image;
  read(image, AniBuilder()
                  .header(2, 2, 1)
                  .frames({iconfiles::file({iconfiles::image(kRed, 16, 4, 16)}),
                           iconfiles::file({iconfiles::image(kGreen, 16, 8, 0)})})
                  .bytes());
  EXPECT_EQ(image.ImageColorCount(), 256);
}

// A "rate" and a "seq " chunk each hold a value per step: every step gets its own display time
// and image, as the files mean.
TEST(AnifileRead, RatesAndSequencesAreSpreadOverTheSteps) {
  TAnimatedCursorImage image;
  read(image, AniBuilder()
                  .header(2, 4, 9, AF_ICON | AF_SEQUENCE)
                  .rate({1, 2, 3, 4})
                  .seq({0, 1, 1, 0})
                  .frames({icon(kRed), icon(kGreen)})
                  .bytes());
  ASSERT_EQ(image.GetIconCount(), 4);
  EXPECT_EQ(indexes(image), (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(colors(image), (std::vector<QRgb>{kRed, kGreen, kGreen, kRed}));
  std::vector<int> jiffies;
  for (int i = 0; i < 4; ++i) jiffies.push_back(image.GetFrame(i).Jiffies());
  EXPECT_EQ(jiffies, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(image.Header().cSteps, 4u);
}

// Files with one value per chunk are read the same way: the chunks count on.
TEST(AnifileRead, OneValuePerChunkGoesToTheNextStep) {
  TAnimatedCursorImage image;
  read(image, AniBuilder()
                  .header(2, 2, 9)
                  .rate({20})
                  .rate({30})
                  .seq({1})
                  .seq({0})
                  .frames({icon(kRed), icon(kGreen)})
                  .bytes());
  EXPECT_EQ(colors(image), (std::vector<QRgb>{kGreen, kRed}));
  EXPECT_EQ(image.GetFrame(0).Jiffies(), 20);
  EXPECT_EQ(image.GetFrame(1).Jiffies(), 30);
}

TEST(AnifileRead, StructuralErrorsFailAndLeaveTheImageAsItWas) {
  Bytes notRiff = threeFrames();
  notRiff[0] = 'X';
  Bytes notAcon = threeFrames();
  notAcon[8] = 'X';
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"not RIFF", notRiff},
      {"not ACON", notAcon},
      {"too short", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'C'}},
      {"frames are not icons", AniBuilder().header(1, 1, 1, 0).frames({icon(kRed)}).bytes()},
      {"no steps", AniBuilder().header(1, 0, 1).frames({icon(kRed)}).bytes()},
      {"no images", AniBuilder().header(3, 3, 1).bytes()},
      {"not an icon", AniBuilder().header(1, 1, 1).frames({Bytes{0, 0, 5, 0, 1, 0}}).bytes()},
  };
  TAnimatedCursorImage image;
  read(image, threeFrames());
  for (const auto& c : cases) {
    EXPECT_THROW(read(image, c.bytes), gui::EReadError) << c.name;
    EXPECT_EQ(colors(image), (std::vector<QRgb>{kRed, kGreen, kBlue})) << c.name;
    EXPECT_EQ(image.GetTitle(), "Spin") << c.name;
  }
  Bytes damagedIcon = icon(kRed);
  damagedIcon[22] = 3;
  EXPECT_THROW(read(image, AniBuilder().header(1, 1, 1).frames({damagedIcon}).bytes()),
               gui::EInvalidGraphic);
  EXPECT_EQ(image.GetIconCount(), 3);
}

// Sizes and counts from the file are checked against the bytes present: a chunk that claims
// more than there is ends the reading quietly, and frame counts cannot make the reader build
// more frames than the file could fill.
TEST(AnifileRead, DamagedSizesAndCountsAreBounded) {
  TAnimatedCursorImage image;
  Bytes cutChunk = AniBuilder()
                       .header(3, 3, 10)
                       .frames({icon(kRed), icon(kGreen)})
                       .add({'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0xFF, 1, 2})
                       .bytes();
  read(image, cutChunk);
  EXPECT_EQ(colors(image), (std::vector<QRgb>{kRed, kGreen}));

  Bytes cutIcon = AniBuilder().header(2, 2, 1).frames({icon(kRed), icon(kGreen)}).bytes();
  cutIcon.resize(cutIcon.size() - 40);
  read(image, cutIcon);
  EXPECT_EQ(colors(image), std::vector<QRgb>{kRed});

  read(image, AniBuilder()
                  .header(0xFFFFFFFF, 0xFFFFFFFF, 1)
                  .seq(std::vector<uint32_t>(1000, 0))
                  .frames({icon(kBlue)})
                  .bytes());
  EXPECT_EQ(image.GetIconCount(), 1000);
  EXPECT_EQ(colorOf(image.GetFrame(999)), kBlue);

  Bytes hugeList = AniBuilder().header(2, 2, 1).frames({icon(kRed)}).bytes();
  hugeList[12 + 8 + 36 + 4] = 0xFF;  // the list's size, far beyond the file
  hugeList[12 + 8 + 36 + 7] = 0xFF;
  read(image, hugeList);
  EXPECT_EQ(colors(image), std::vector<QRgb>{kRed});
}

TEST(AnifileRead, TitlesAreCutAt255Bytes) {
  TAnimatedCursorImage image;
  read(image,
       AniBuilder().header(1, 1, 1).info(std::string(300, 't'), "").frames({icon(kRed)}).bytes());
  EXPECT_EQ(image.GetTitle(), std::string(255, 't'));
  EXPECT_EQ(image.GetCreator(), "");
}

TEST(AnifileRead, DefaultRateInMilliseconds) {
  const std::pair<uint32_t, int> cases[] = {{0, 0}, {6, 100}, {10, 166}, {0xFFFFFFFF, INT32_MAX}};
  for (auto [jiffies, ms] : cases) {
    TAnimatedCursorImage image;
    read(image, AniBuilder().header(1, 1, jiffies).frames({icon(kRed)}).bytes());
    EXPECT_EQ(image.GetDefaultRate(), ms) << jiffies;
  }
}

TEST(AnifileFiles, LoadingFromAFileAndSavingIsNotSupported) {
  QTemporaryDir dir;
  const std::string name = dir.filePath("spin.ani").toStdString();
  gui::TMemoryStream stream;
  Bytes bytes = threeFrames();
  stream.Write(bytes.data(), int64_t(bytes.size()));
  stream.SaveToFile(name);
  TAnimatedCursorImage image;
  image.LoadFromFile(name);
  EXPECT_EQ(image.GetIconCount(), 3);
  EXPECT_THROW(image.LoadFromFile(name + ".missing"), gui::EFOpenError);

  platform::RecordingMessageBox boxes;
  gui::TMemoryStream out;
  EXPECT_THROW(image.SaveToStream(out), gui::EAbort);
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(out.Size(), 0);
}

TEST(AnifileHandOver, CopiesIconsStripsAndLists) {
  TAnimatedCursorImage image;
  read(image, threeFrames());

  TAnimatedCursorImage copy;
  copy.Assign(&image);
  EXPECT_EQ(colors(copy), colors(image));
  EXPECT_NE(copy.GetIcon(0), image.GetIcon(0));
  EXPECT_EQ(copy.GetTitle(), "Spin");
  copy.Assign(nullptr);
  EXPECT_EQ(copy.GetIconCount(), 0);

  gui::TIcon first;
  image.AssignTo(first);
  EXPECT_EQ(iconfiles::pixel(first, 0, 0), kRed);
  copy.AssignTo(first);
  EXPECT_TRUE(first.Empty());

  gui::TBitmap strip;
  image.AssignTo(strip);
  ASSERT_EQ(strip.Width(), 48);
  ASSERT_EQ(strip.Height(), 16);
  EXPECT_EQ(strip.Image().pixel(0, 0), kRed);
  EXPECT_EQ(strip.Image().pixel(16, 0), kGreen);
  EXPECT_EQ(strip.Image().pixel(47, 0), kBlue);
  EXPECT_EQ(strip.Image().pixel(47, 15) & 0xFFFFFF, 0xFFFFFFu);  // the brush under the cursor
  EXPECT_EQ(strip.PixelFormat(), gui::pf4bit);                   // reduced to 16 colours

  gui::TBitmap column;
  image.AssignToBitmap(column, gui::clYellow, false, true);
  EXPECT_EQ(column.Width(), 16);
  EXPECT_EQ(column.Height(), 48);
  EXPECT_EQ(column.Image().pixel(0, 32), kBlue);
  EXPECT_EQ(column.Image().pixel(15, 15) & 0xFFFFFF, 0xFFFF00u);

  icolist::TIconList list;
  int changes = 0;
  list.OnChange = [&](icolist::TIconList*) { ++changes; };
  image.AssignTo(list);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(iconfiles::pixel(*list.Get(2), 0, 0), kBlue);
  EXPECT_EQ(changes, 1);

  rxgif::TGIFImage other;
  EXPECT_THROW(image.AssignTo(other), gui::EConvertError);
}

TEST(AnifileHandOver, DrawsTheFirstIconAtTheTopLeft) {
  TAnimatedCursorImage image;
  read(image, threeFrames());
  gui::TBitmap target(30, 30);
  image.Draw(target.Canvas(), gui::Rect(5, 6, 30, 30));
  EXPECT_EQ(target.Image().pixel(5, 6), kRed);
  EXPECT_EQ(target.Image().pixel(4, 6) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(AnifileHandOver, AGifImageShowsEveryFrameForItsDisplayTime) {
  TAnimatedCursorImage image;
  read(image,
       AniBuilder().header(2, 2, 6).rate({6, 15}).frames({icon(kRed), icon(kGreen)}).bytes());
  rxgif::TGIFImage gif;
  gif.Assign(image);
  ASSERT_EQ(gif.GetCount(), 2);
  EXPECT_EQ(gif.BackgroundColor(), gui::clWindow);
  EXPECT_EQ(gif.GetFrame(0).AnimateInterval(), 100);
  EXPECT_EQ(gif.GetFrame(1).AnimateInterval(), 250);
  EXPECT_EQ(gif.GetFrame(1).GetBitmap().Image().pixel(0, 0), kGreen);
  gui::TMemoryStream stream;
  gif.SaveToStream(stream);
  rxgif::TGIFImage back;
  stream.SetPosition(0);
  back.LoadFromStream(stream);
  EXPECT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetFrame(1).AnimateInterval(), 250);
}
