// YUYV (4:2:2, Y0 U Y1 V per pixel pair) to 32-bit 0xFFRRGGBB pixels, written straight into the
// image a frame is shown from. The arithmetic is libv4lconvert's, so a picture looks the same as
// through that library:
//   R = Y + 3/2 V',  G = Y - (3 U' + 6 V') / 8,  B = Y + 129/64 U'   (U' = U - 128, V' = V - 128)
// each step an integer shift, clamped to 0..255.
#pragma once

#include <QSize>

#include <cstddef>
#include <cstdint>

namespace platform {

// A YUYV picture in memory someone else owns (a driver's buffer).
struct YuyvImage {
  const uint8_t* bytes = nullptr;
  size_t stride = 0;  // bytes from one row to the next
  QSize size;         // the width is even
};

// `width` pixels (even) of `height` rows; strides in bytes.
void YuyvToRgb32(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride, int width,
                 int height);

}  // namespace platform
