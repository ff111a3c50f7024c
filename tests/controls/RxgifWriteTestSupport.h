// Pictures for the tests of the GIF writer: palette bitmaps of chosen pixels, images written to
// bytes and read back, and the colours the reference library decodes from written files.
#pragma once

#include <gif_lib.h>

#include <QImage>
#include <cstring>
#include <random>
#include <vector>

#include "RxgifTestSupport.h"
#include "controls/Rxgif.h"
#include "gui/Bitmap.h"

namespace rxgifwrite {

using rxgiftest::Bytes;

// A table of 2^bits distinct colours.
inline std::vector<QRgb> distinctColors(int bits) {
  std::vector<QRgb> table;
  for (int i = 0; i < (1 << bits); ++i) table.push_back(qRgb(i * 7 % 256, 255 - i, i * 31 % 256));
  return table;
}

// A bitmap of `bits` per pixel over distinctColors(bits) whose pixel (x, y) has the index
// index(x, y).
template <typename IndexOf>
gui::TBitmap paletteBitmap(int width, int height, int bits, IndexOf index) {
  const std::vector<QRgb> table = distinctColors(bits);
  QImage pixels(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.setPixel(x, y, table[size_t(index(x, y))]);
  }
  std::vector<uint8_t> bmp = gui::WriteBmpFile(pixels, gui::FormatForBits(bits), table);
  gui::TBitmap bitmap;
  bitmap.LoadFromBytes(bmp.data(), bmp.size());
  return bitmap;
}

inline gui::TBitmap noiseBitmap(int width, int height, int bits, unsigned seed) {
  std::mt19937 random(seed);
  return paletteBitmap(width, height, bits, [&](int, int) { return int(random() % (1u << bits)); });
}

inline Bytes saved(const rxgif::TGIFImage& image) {
  gui::TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

// The offset of a byte sequence in the bytes, or -1.
inline long find(const Bytes& bytes, const Bytes& what) {
  auto at = std::search(bytes.begin(), bytes.end(), what.begin(), what.end());
  return at == bytes.end() ? -1 : long(at - bytes.begin());
}

// Every frame as the reference library decodes it: the colours of its pixels, rows from the top.
inline bool RefDecodeColors(const Bytes& bytes, std::vector<std::vector<QRgb>>& frames) {
  struct Cursor {
    const Bytes* bytes;
    size_t at = 0;
  } cursor{&bytes};
  auto read = [](GifFileType* gif, GifByteType* data, int count) {
    auto* c = static_cast<Cursor*>(gif->UserData);
    int n = int(std::min<size_t>(size_t(count), c->bytes->size() - c->at));
    std::memcpy(data, c->bytes->data() + c->at, size_t(n));
    c->at += size_t(n);
    return n;
  };
  int error = 0;
  GifFileType* gif = DGifOpen(&cursor, read, &error);
  if (!gif) return false;
  bool ok = DGifSlurp(gif) == GIF_OK;
  frames.clear();
  for (int i = 0; ok && i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    std::vector<QRgb> colors;
    size_t n = size_t(image.ImageDesc.Width) * size_t(image.ImageDesc.Height);
    for (size_t p = 0; map && p < n; ++p) {
      const GifColorType& c = map->Colors[image.RasterBits[p] % map->ColorCount];
      colors.push_back(qRgb(c.Red, c.Green, c.Blue));
    }
    ok = map != nullptr;
    frames.push_back(std::move(colors));
  }
  DGifCloseFile(gif, &error);
  return ok;
}

// The pixels of a bitmap, rows from the top.
inline std::vector<QRgb> colorsOf(const gui::TBitmap& bitmap) {
  std::vector<QRgb> colors;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      colors.push_back(bitmap.Image().pixel(x, y) | 0xFF000000u);
    }
  }
  return colors;
}

}  // namespace rxgifwrite
