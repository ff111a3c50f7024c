// The variable-length-code LZW decoder of GIF image data, writing the pixel rows of a BMP image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/RxgifTypes.h"

namespace rxgif {

// Where the decoded pixels go: bottom-up rows of `stride` bytes holding `depth`-bit indexes, the
// buffer zero-filled by the caller. Pixel values are masked to `bitsPerPixel` bits.
struct TLZWTarget {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  int depth = 8;         // 1, 4 or 8
  int bitsPerPixel = 8;  // of the frame's colour table
  bool interlaced = false;
};

// Decodes the frame data `data` (the minimum-code-size byte, then the sub-blocks). Returns true
// when the data was damaged and `tolerate` allowed it: the pixels decoded so far stay, the rest
// keep index 0. Without `tolerate` damage raises EInvalidGraphicOperation (a bad minimum code
// size, a code beyond the table). Data that ends early is not damage: decoding stops there.
bool LZWDecode(const uint8_t* data, size_t size, const TLZWTarget& target, bool tolerate,
               const TProgressProc& progress);

}  // namespace rxgif
