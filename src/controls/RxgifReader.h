// The one reader every field of a GIF file goes through: a cursor over the file's bytes that
// never moves past their end. A fixed-size field cut by the end raises "Stream read error".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gui/Exceptions.h"

namespace rxgif {

class TGIFReader {
public:
  TGIFReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Position() const { return position_; }
  size_t Size() const { return size_; }
  size_t Remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ >= size_; }
  const uint8_t* Current() const { return data_ + position_; }

  uint8_t Byte() {
    if (AtEnd()) throw gui::EReadError();
    return data_[position_++];
  }
  uint16_t Word() {
    const uint8_t* p = Take(2);
    return uint16_t(p[0] | p[1] << 8);
  }
  // The next count bytes, or EReadError when fewer remain.
  const uint8_t* Take(size_t count) {
    if (count > Remaining()) throw gui::EReadError();
    const uint8_t* p = data_ + position_;
    position_ += count;
    return p;
  }
  void Read(void* dest, size_t count) { std::memcpy(dest, Take(count), count); }
  void SeekEnd() { position_ = size_; }

  // The next byte that is not 0 (zero bytes between blocks are skipped), or `atEnd` when only
  // zeros are left.
  uint8_t NextIntroducer(uint8_t atEnd) {
    while (!AtEnd()) {
      uint8_t b = data_[position_++];
      if (b != 0) return b;
    }
    return atEnd;
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace rxgif
