#include "controls/RxgifWriteLzw.h"

#include <array>
#include <memory>

namespace rxgif {

namespace {

constexpr int kHashSlots = 17777;
constexpr int kPoolSize = 4096;
constexpr int kLastCodeBeforeClear = 4094;
constexpr int16_t kEmptySlot = -1;

// Codes packed least significant bit first into sub-blocks of 255 bytes.
class CodeWriter {
public:
  explicit CodeWriter(std::vector<uint8_t>& out) : out_(out) {}

  void put(unsigned code, int size) {
    bits_ |= uint32_t(code) << held_;
    held_ += size;
    while (held_ >= 8) {
      byte(uint8_t(bits_));
      bits_ >>= 8;
      held_ -= 8;
    }
  }
  // The bits still held as a last sub-block, then the terminator.
  void finish() {
    if (held_ > 0) byte(uint8_t(bits_));
    if (count_ > 0) block();
    out_.push_back(0);
  }

private:
  void byte(uint8_t b) {
    block_[count_++] = b;
    if (count_ == block_.size()) block();
  }
  void block() {
    out_.push_back(uint8_t(count_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + std::ptrdiff_t(count_));
    count_ = 0;
  }

  std::vector<uint8_t>& out_;
  std::array<uint8_t, 255> block_{};
  size_t count_ = 0;
  uint32_t bits_ = 0;
  int held_ = 0;
};

// The rows of the source in GIF order, each handed out left to right.
class PixelRows {
public:
  explicit PixelRows(const TLZWSource& s) : s_(s) {}

  int height() const { return s_.height; }
  int width() const { return s_.width; }
  // GIF row number k of the output order.
  int rowAt(int k) const {
    if (!s_.interlaced) return k;
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      int rows =
          s_.height > kStart[pass] ? (s_.height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
      if (k < rows) return kStart[pass] + k * kStep[pass];
      k -= rows;
    }
    return 0;
  }
  uint8_t pixel(int row, int x) const {
    int stored = s_.topDown ? row : s_.height - 1 - row;
    const uint8_t* line = s_.bits + size_t(stored) * size_t(s_.stride);
    switch (s_.depth) {
      case 1: return uint8_t(line[x / 8] >> (7 - x % 8) & 1);
      case 4: return uint8_t(x % 2 ? line[x / 2] & 0xF : line[x / 2] >> 4);
      default: return line[x];
    }
  }

private:
  const TLZWSource& s_;
};

struct Entry {
  uint16_t prefix = 0;
  uint16_t code = 0;
  uint8_t suffix = 0;
};

class Encoder {
public:
  Encoder(std::vector<uint8_t>& out, int depth) : writer_(out) {
    startSize_ = depth + 1 == 2 ? 3 : depth + 1;
    out.push_back(uint8_t(startSize_ - 1));
    clear_ = 1 << (startSize_ - 1);
    end_ = clear_ + 1;
    restart();
    writer_.put(unsigned(clear_), codeSize_);
  }

  void pixel(uint8_t p) {
    if (++length_ == 1) {
      prefix_ = p;
      hash_ = (int64_t(p) + 3) * 301;
      return;
    }
    hash_ = (int64_t(p) + length_ + 4) * hash_ % kHashSlots;
    int slot = int(hash_);
    while (slots_[size_t(slot)] != kEmptySlot) {
      const Entry& e = pool_[size_t(slots_[size_t(slot)])];
      if (e.prefix == prefix_ && e.suffix == p) {
        prefix_ = e.code;
        return;
      }
      slot = (slot + 1) % kHashSlots;
    }
    writer_.put(prefix_, codeSize_);
    ++last_;
    slots_[size_t(slot)] = int16_t(last_);
    pool_[size_t(last_)] = {uint16_t(prefix_), uint16_t(last_), p};
    prefix_ = p;
    hash_ = (int64_t(p) + 3) * 301;
    length_ = 1;
    if (last_ >= limit_) {
      limit_ *= 2;
      ++codeSize_;
    } else if (last_ == kLastCodeBeforeClear) {
      writer_.put(prefix_, codeSize_);
      writer_.put(unsigned(clear_), codeSize_);
      length_ = 0;
      restart();
    }
  }

  void finish() {
    // After a clear nothing is pending: its pixel went out before the clear code.
    if (length_ > 0) writer_.put(prefix_, codeSize_);
    writer_.put(unsigned(end_), codeSize_);
    writer_.finish();
  }

private:
  void restart() {
    last_ = end_;
    codeSize_ = startSize_;
    limit_ = 1 << codeSize_;
    slots_.fill(kEmptySlot);
  }

  CodeWriter writer_;
  int startSize_ = 0, codeSize_ = 0;
  int clear_ = 0, end_ = 0, last_ = 0, limit_ = 0;
  int length_ = 0;
  unsigned prefix_ = 0;
  int64_t hash_ = 0;
  std::array<int16_t, kHashSlots> slots_{};
  std::array<Entry, kPoolSize> pool_{};
};

}  // namespace

void LZWEncode(std::vector<uint8_t>& out, const TLZWSource& source, const TProgressProc& progress) {
  if (progress) progress(psStarting, 0, {});
  auto encoder = std::make_unique<Encoder>(out, source.depth);
  PixelRows rows(source);
  for (int k = 0; k < rows.height(); ++k) {
    const int row = rows.rowAt(k);
    for (int x = 0; x < rows.width(); ++x) encoder->pixel(rows.pixel(row, x));
    if (progress) progress(psRunning, uint8_t((k + 1) * 100 / rows.height()), {});
  }
  encoder->finish();
  if (progress) progress(psEnding, 100, {});
}

}  // namespace rxgif
