// The fixed-palette mapping methods: colour cubes of truncated channels, grey levels and the
// three-phase pattern of red, green and blue.
#include "controls/dormant/RxgraphMapping.h"

namespace rxgraph {

namespace {

constexpr PaletteEntry kFillerGrey = {128, 128, 128, 128};

PaletteEntry entry(int red, int green, int blue) {
  return {uint8_t(blue), uint8_t(green), uint8_t(red), 0};
}

// Runs `index` over every pixel in stored order.
template <typename IndexOf>
void mapPixels(const TrueColorPixels& source, IndexedPixels& out, IndexOf index) {
  out.indexes.resize(size_t(source.width()) * size_t(source.height()));
  uint8_t* p = out.indexes.data();
  for (int row = 0; row < source.height(); ++row) {
    for (int x = 0; x < source.width(); ++x) *p++ = index(source.at(x, row), x, row);
  }
}

}  // namespace

void MapTrunc666(const TrueColorPixels& source, IndexedPixels& out) {
  out.palette.fill(kFillerGrey);
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        out.palette[size_t(r * 36 + g * 6 + b)] = entry(kScale06[r], kScale06[g], kScale06[b]);
      }
    }
  }
  mapPixels(source, out, [](QRgb c, int, int) {
    return uint8_t(Scale06Index[qRed(c)] * 36 + Scale06Index[qGreen(c)] * 6 +
                   Scale06Index[qBlue(c)]);
  });
  out.colorsUsed = 216;
}

void MapTrunc784(const TrueColorPixels& source, IndexedPixels& out) {
  out.palette.fill(kFillerGrey);
  for (int r = 0; r < 7; ++r) {
    for (int g = 0; g < 8; ++g) {
      for (int b = 0; b < 4; ++b) {
        out.palette[size_t(r * 32 + g * 4 + b)] = entry(kScale07[r], kScale08[g], kScale04[b]);
      }
    }
  }
  mapPixels(source, out, [](QRgb c, int, int) {
    return uint8_t(Scale07Index[qRed(c)] * 32 + Scale08Index[qGreen(c)] * 4 +
                   Scale04Index[qBlue(c)]);
  });
  out.colorsUsed = 224;
}

void MapGrayscale(const TrueColorPixels& source, IndexedPixels& out) {
  for (int i = 0; i < 256; ++i) out.palette[size_t(i)] = entry(i, i, i);
  mapPixels(source, out, [](QRgb c, int, int) { return GrayLevel(qRed(c), qGreen(c), qBlue(c)); });
}

// Each pixel shows one of its channels at 6 bits, the channel turning with (x + stored row).
void MapTripel(const TrueColorPixels& source, IndexedPixels& out) {
  for (int i = 0; i < 64; ++i) {
    out.palette[size_t(i)] = entry(i * 4, 0, 0);
    out.palette[size_t(64 + i)] = entry(0, i * 4, 0);
    out.palette[size_t(128 + i)] = entry(0, 0, i * 4);
    out.palette[size_t(192 + i)] = entry(0, 0, 0);
  }
  mapPixels(source, out, [](QRgb c, int x, int row) {
    switch ((x + row) % 3) {
      case 0: return uint8_t(qRed(c) >> 2);
      case 1: return uint8_t(64 + (qGreen(c) >> 2));
      default: return uint8_t(128 + (qBlue(c) >> 2));
    }
  });
}

}  // namespace rxgraph
