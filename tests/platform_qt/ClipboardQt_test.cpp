// The real clipboard backend over QClipboard (in-process under the offscreen platform): bitmaps
// as BMP files that other programs see as images, registered formats under their names, and
// images put there by other programs read as bitmaps.
#include "platform/ClipboardQt.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "platform/ScreenDepth.h"

using namespace platform;

namespace {

ClipboardBytes bmpOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return ClipboardBytes(bytes.begin(), bytes.end());
}

QImage picture() {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(qRgb(10, 200, 30));
  image.setPixel(1, 1, qRgb(250, 0, 0));
  return image;
}

}  // namespace

TEST(QtClipboardTest, FormatsSetTogetherAreSeenAfterClosing) {
  Clipboard& clipboard = QtClipboard();
  const unsigned format = RegisterClipboardFormat("Vyx Qt Test");
  ASSERT_TRUE(clipboard.open());
  clipboard.clear();
  const ClipboardBytes bmp = bmpOf(picture());
  EXPECT_TRUE(clipboard.setData(kCfBitmap, bmp));
  EXPECT_TRUE(clipboard.setData(format, {1, 2, 3}));
  EXPECT_FALSE(clipboard.setData(0x7777, {1}));  // a number without a name
  clipboard.close();

  EXPECT_TRUE(clipboard.hasFormat(format));
  EXPECT_EQ(clipboard.data(format), (ClipboardBytes{1, 2, 3}));
  EXPECT_EQ(clipboard.data(kCfBitmap), bmp);
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(mime);
  EXPECT_TRUE(mime->hasImage());
  EXPECT_TRUE(mime->hasFormat("application/x-qt-windows-mime;value=\"Vyx Qt Test\""));
}

TEST(QtClipboardTest, AnImageFromAnotherProgramReadsAsABitmap) {
  QGuiApplication::clipboard()->setImage(picture());
  Clipboard& clipboard = QtClipboard();
  ASSERT_TRUE(clipboard.hasFormat(kCfBitmap));
  std::optional<ClipboardBytes> bmp = clipboard.data(kCfBitmap);
  ASSERT_TRUE(bmp.has_value());
  QImage back = QImage::fromData(bmp->data(), int(bmp->size()), "BMP");
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture());
  EXPECT_FALSE(clipboard.hasFormat(kCfPalette));
}

TEST(QtScreenDepthTest, ThePrimaryScreenHasADepth) { EXPECT_GT(QtScreenDepth().bitsPerPixel(), 0); }
