#include "gui/BmpCodecRle.h"

#include <algorithm>

namespace gui {

namespace {

// The escapes that follow a zero count byte; larger values start an absolute run.
constexpr uint8_t kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

// Walks the stream and writes indexes into a zero-filled picture. The position starts at the
// bottom-left pixel; `row` counts up from the bottom.
class RleDecoder {
public:
  RleDecoder(const uint8_t* data, size_t size, int width, int height, int bits)
      : p_(data), end_(data + size), width_(width), height_(height), bits_(bits),
        indexes_(size_t(width) * size_t(height), 0) {}

  std::vector<uint8_t> run() {
    while (row_ < height_ && end_ - p_ >= 2) {
      uint8_t count = *p_++, value = *p_++;
      if (count > 0) {
        encodedRun(count, value);
      } else if (value == kEndOfLine) {
        column_ = 0, ++row_;
      } else if (value == kEndOfBitmap) {
        break;
      } else if (value == kDelta) {
        if (end_ - p_ < 2) break;
        column_ = std::min(column_ + p_[0], width_);
        row_ += p_[1];
        p_ += 2;
      } else {
        absoluteRun(value);
      }
    }
    return std::move(indexes_);
  }

private:
  // Pixels past the right edge are dropped; the column stays at the edge.
  void put(uint8_t index) {
    if (column_ >= width_) return;
    indexes_[size_t(height_ - 1 - row_) * size_t(width_) + size_t(column_)] = index;
    ++column_;
  }

  // The i-th pixel of a run of 4-bit indexes: high nibble first.
  static uint8_t nibble(uint8_t byte, int i) { return uint8_t(i % 2 ? byte & 0xF : byte >> 4); }

  // `count` pixels of one index (RLE8), or of the value's two nibbles in turn (RLE4).
  void encodedRun(int count, uint8_t value) {
    for (int i = 0; i < count; ++i) put(bits_ == 8 ? value : nibble(value, i));
  }

  // `count` pixels stored one by one, padded to a whole number of 16-bit words. A run cut by the
  // end of the data gives the pixels that are there.
  void absoluteRun(int count) {
    size_t bytes = bits_ == 8 ? size_t(count) : size_t(count + 1) / 2;
    size_t padded = (bytes + 1) / 2 * 2;
    size_t available = std::min(bytes, size_t(end_ - p_));
    int pixels = int(std::min(size_t(count), bits_ == 8 ? available : 2 * available));
    for (int i = 0; i < pixels; ++i) put(bits_ == 8 ? p_[i] : nibble(p_[i / 2], i));
    p_ += std::min(padded, size_t(end_ - p_));
  }

  const uint8_t* p_;
  const uint8_t* end_;
  int width_, height_, bits_;
  int column_ = 0, row_ = 0;
  std::vector<uint8_t> indexes_;
};

}  // namespace

std::vector<uint8_t> DecodeRle(const uint8_t* data, size_t size, int width, int height,
                               int bits) {
  return RleDecoder(data, size, width, height, bits).run();
}

}  // namespace gui
