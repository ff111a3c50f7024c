// Run-length encoded BMP pixels (RLE8 and RLE4), decoded into colour indexes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gui {

// The colour indexes of a run-length encoded picture of width x height pixels, one byte per
// pixel, top row first; `bits` is 8 for RLE8 and 4 for RLE4. The stream's rows run bottom-up.
// Every pixel the stream does not set (skipped by a delta jump, left by an end of line before the
// row is full, or by an end of bitmap or of the data before the last row) is index 0; runs past
// the right edge are cut there, and a jump past the last row ends the picture.
std::vector<uint8_t> DecodeRle(const uint8_t* data, size_t size, int width, int height, int bits);

}  // namespace gui
