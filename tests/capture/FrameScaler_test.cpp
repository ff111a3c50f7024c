// The capture window's frame scaler against QPainter's unsmoothed drawImage, which the window
// used before: the same source pixel for every target pixel, at sizes up and down, and with one
// scaler and target image reused across sizes.
#include <QPainter>

#include <gtest/gtest.h>

#include "platform/capture/FrameScaler.h"

namespace {

// A frame whose every pixel tells its position.
QImage positions(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) | (y >> 8) << 4));
  return image;
}

QImage painted(const QImage& from, QSize size) {
  QImage to(size, QImage::Format_RGB32);
  to.fill(Qt::black);
  QPainter p(&to);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QRect(QPoint(0, 0), size), from);
  return to;
}

TEST(FrameScaler, PicksThePixelsQPainterPicks) {
  const struct {
    QSize from, to;
  } cases[] = {
      {{768, 576}, {394, 294}},  {{768, 576}, {1024, 768}}, {{640, 480}, {394, 294}},
      {{768, 576}, {767, 575}},  {{768, 576}, {769, 577}},  {{768, 576}, {1, 1}},
      {{1, 1}, {300, 200}},      {{17, 13}, {1920, 1080}},  {{640, 480}, {160, 120}},
      {{768, 576}, {1600, 1200}}, {{333, 777}, {555, 111}},
  };
  platform::FrameScaler scaler;
  QImage reused;
  for (const auto& c : cases) {
    const QImage from = positions(c.from.width(), c.from.height());
    if (reused.size() != c.to) reused = QImage(c.to, QImage::Format_RGB32);
    scaler.scale(from, reused);
    EXPECT_EQ(reused, painted(from, c.to)) << c.from.width() << "x" << c.from.height() << " -> "
                                           << c.to.width() << "x" << c.to.height();
  }
}

}  // namespace
