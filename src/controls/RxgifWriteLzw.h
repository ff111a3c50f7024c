// The variable-length-code LZW encoder of GIF image data, reading the pixel rows of a BMP image.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/RxgifTypes.h"

namespace rxgif {

// Where the pixels come from: rows of `stride` bytes holding `depth`-bit indexes, stored
// bottom-up unless `topDown`.
struct TLZWSource {
  const uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  int depth = 8;  // 1, 4 or 8
  bool topDown = false;
  bool interlaced = false;  // take the rows in the four passes of an interlaced image
};

// Appends the image data of the pixels: the minimum-code-size byte (2 for 1-bit pixels, else
// the depth), the codes in sub-blocks of at most 255 bytes, and the terminator. A clear code
// starts every table, and a new one follows when the last code reaches 4094.
void LZWEncode(std::vector<uint8_t>& out, const TLZWSource& source, const TProgressProc& progress);

}  // namespace rxgif
