// Icon and cursor files for the tests, made image by image: each image a DIB of one colour
// (its lower-right quarter transparent), with the directory fields a test wants.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "gui/Icon.h"
#include "gui/LittleEndian.h"
#include "gui/Streams.h"

namespace iconfiles {

using Bytes = std::vector<uint8_t>;

struct Image {
  Bytes body;  // header, colour table, XOR and AND bits
  int width = 0, height = 0;
  uint16_t colors = 0;            // the directory's colour count with its reserved byte
  uint16_t planes = 1, bits = 0;  // a cursor's hot spot lives here
};

// An image of `size` pixels in `color` at 4, 8 or 32 bits; `colors` goes into the directory.
inline Image image(QRgb color, int size, int bits, uint16_t colors) {
  QImage pixels(size, size, QImage::Format_ARGB32);
  pixels.fill(color);
  gui::TIcon icon;
  icon.SetFromImage(
      pixels, [size](int x, int y) { return x >= size / 2 && y >= size / 2; }, bits);
  Bytes file = icon.SaveToBytes();
  Image result;
  result.body.assign(file.begin() + 22, file.end());
  result.width = result.height = size;
  result.colors = colors;
  result.bits = uint16_t(bits);
  return result;
}

// A file of the images with the given type (1 icon, 2 cursor).
inline Bytes file(const std::vector<Image>& images, uint16_t type = 1) {
  Bytes out;
  gui::le::put16(out, 0);
  gui::le::put16(out, type);
  gui::le::put16(out, uint32_t(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (const Image& i : images) {
    out.push_back(uint8_t(i.width));
    out.push_back(uint8_t(i.height));
    gui::le::put16(out, i.colors);
    gui::le::put16(out, i.planes);
    gui::le::put16(out, i.bits);
    gui::le::put32(out, uint32_t(i.body.size()));
    gui::le::put32(out, offset);
    offset += uint32_t(i.body.size());
  }
  for (const Image& i : images) out.insert(out.end(), i.body.begin(), i.body.end());
  return out;
}

// A cursor image: the hot spot in the planes and bit-count fields.
inline Image cursorImage(QRgb color, int size, int hotX, int hotY) {
  Image i = image(color, size, 32, 0);
  i.planes = uint16_t(hotX);
  i.bits = uint16_t(hotY);
  return i;
}

// An icon that saves itself as the file it was made from, whatever its type: as the class
// library's icons keep the file they were loaded from. Its images are those of `shown`.
class StoredIcon : public gui::TIcon {
public:
  StoredIcon(Bytes stored, const Bytes& shown) : stored_(std::move(stored)) {
    if (!shown.empty()) LoadFromBytes(shown.data(), shown.size());
  }
  explicit StoredIcon(const Bytes& stored) : StoredIcon(stored, stored) {}
  void SaveToStream(gui::TStream& stream) const override {
    stream.WriteBuffer(stored_.data(), int64_t(stored_.size()));
  }

private:
  Bytes stored_;
};

inline QRgb pixel(const gui::TIcon& icon, int x, int y) {
  return icon.Images()[size_t(icon.CurrentIndex())].color.pixel(x, y) | 0xFF000000u;
}

}  // namespace iconfiles
