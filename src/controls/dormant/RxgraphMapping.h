// The colour mapping methods of Rxgraph: each turns a true-colour picture into 8-bit indexes
// and a 256-entry colour table.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "controls/dormant/Rxgraph.h"

namespace rxgraph {

// A true-colour picture with its rows in stored (bottom-up) order: row 0 is the bottom row.
class TrueColorPixels {
public:
  explicit TrueColorPixels(const QImage& image) : image_(image) {}
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  QRgb at(int x, int storedRow) const {
    return reinterpret_cast<const QRgb*>(image_.constScanLine(height() - 1 - storedRow))[x];
  }

private:
  const QImage& image_;
};

// One table entry as a BMP file holds it.
struct PaletteEntry {
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

struct IndexedPixels {
  std::array<PaletteEntry, 256> palette{};
  // One index per pixel, stored rows bottom-up without padding.
  std::vector<uint8_t> indexes;
  // The colours-used field of the header: 0 when the whole table counts.
  uint32_t colorsUsed = 0;
};

void MapTrunc666(const TrueColorPixels& source, IndexedPixels& out);
void MapTrunc784(const TrueColorPixels& source, IndexedPixels& out);
void MapGrayscale(const TrueColorPixels& source, IndexedPixels& out);
void MapTripel(const TrueColorPixels& source, IndexedPixels& out);
// Median cut into at most `wanted` (1..256) boxes of 4-bit colour cells.
void MapQuantize(const TrueColorPixels& source, int wanted, IndexedPixels& out);
// The `wanted` (1..256) most frequent colours, with channel bits dropped until at most 2049
// colours are left; every other colour takes its nearest chosen one.
void MapHistogram(const TrueColorPixels& source, int wanted, IndexedPixels& out);

// The grey level the methods and the GIF image use: (77 red + 150 green + 29 blue) / 256.
inline uint8_t GrayLevel(int red, int green, int blue) {
  return uint8_t((red * 77 + green * 150 + blue * 29) >> 8);
}

}  // namespace rxgraph
