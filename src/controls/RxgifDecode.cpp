#include "controls/RxgifDecode.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "controls/RxgifErrors.h"
#include "gui/Exceptions.h"

namespace rxgif {

namespace {

constexpr int kMaxCodeSize = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeSize;
// Short strings are copied 16 bytes at a time; the pixel buffer has that much room past its end.
constexpr size_t kSlack = 16;

// The sub-blocks' bytes joined into one run, so that a code may span any number of sub-blocks
// (a 12-bit code across three 1-byte sub-blocks is legal). A size byte reaching past the data
// takes what is there.
std::vector<uint8_t> joinSubBlocks(const uint8_t* p, const uint8_t* end) {
  std::vector<uint8_t> joined;
  joined.reserve(size_t(end - p));
  while (p < end) {
    size_t count = *p++;
    count = std::min(count, size_t(end - p));
    if (count == 0) break;
    joined.insert(joined.end(), p, p + count);
    p += count;
  }
  return joined;
}

// Codes least significant bit first from the joined data; a code needing more bits than are
// left is not read.
class CodeReader {
public:
  CodeReader(const uint8_t* data, size_t size) : start_(data), p_(data), end_(data + size) {}

  bool read(int size, unsigned& code) {
    if (count_ < size) {
      refill();
      if (count_ < size) return false;
    }
    code = unsigned(bits_) & ((1u << size) - 1);
    bits_ >>= size;
    count_ -= size;
    return true;
  }
  size_t consumed() const { return size_t(p_ - start_); }

private:
  void refill() {
    if (end_ - p_ >= 8) {
      uint64_t v;
      std::memcpy(&v, p_, 8);
      if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
      bits_ |= v << count_;
      p_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    while (count_ <= 56 && p_ < end_) {
      bits_ |= uint64_t(*p_++) << count_;
      count_ += 8;
    }
  }

  const uint8_t* start_;
  const uint8_t* p_;
  const uint8_t* end_;
  uint64_t bits_ = 0;
  int count_ = 0;
};

// The string table: each code's string is a run of pixels already written to the output, so a
// string is copied rather than walked through a prefix chain. No string is longer than the
// table, so no stack of pending pixels can overflow.
struct StringTable {
  uint32_t offset[kTableSize];
  uint16_t length[kTableSize];
};

class Decoder {
public:
  Decoder(CodeReader& in, int minimumSize, uint8_t mask, uint8_t* out, size_t total,
          bool corrupted)
      : in_(in), minimumSize_(minimumSize), mask_(mask), out_(out), total_(total),
        corrupted_(corrupted) {}

  // Decodes up to the end code, the end of the data or the last pixel; returns false when a
  // code refers beyond the table.
  bool run(const TProgressProc& progress, size_t dataSize);
  size_t pixels() const { return pos_; }

private:
  void resetTable() {
    codeSize_ = minimumSize_ + 1;
    limit_ = 1u << codeSize_;
    next_ = clear() + 2;
    haveOld_ = false;
  }
  unsigned clear() const { return 1u << minimumSize_; }
  void putLiteral(unsigned code) {
    out_[pos_] = uint8_t(code) & mask_;
    remember(pos_, 1);
  }
  void remember(size_t start, unsigned length) {
    oldPos_ = start;
    oldLength_ = length;
    haveOld_ = true;
    pos_ = std::min(start + length, total_);
  }
  void addEntry() {
    if (!haveOld_ || next_ >= kTableSize) return;
    table_.offset[next_] = uint32_t(oldPos_);
    table_.length[next_] = uint16_t(oldLength_ + 1);
    if (++next_ == limit_ && codeSize_ < kMaxCodeSize) {
      ++codeSize_;
      limit_ <<= 1;
    }
  }
  bool decodeCode(unsigned code);

  CodeReader& in_;
  int minimumSize_;
  uint8_t mask_;
  uint8_t* out_;
  size_t total_;
  bool corrupted_;
  size_t pos_ = 0;
  int codeSize_ = 0;
  unsigned limit_ = 0;
  unsigned next_ = 0;
  bool haveOld_ = false;
  size_t oldPos_ = 0;
  unsigned oldLength_ = 0;
  StringTable table_;
};

// One code that is neither a clear nor an end code: a literal, a string of the table, or the
// string the next entry will hold (the previous string and its own first pixel).
inline bool Decoder::decodeCode(unsigned code) {
  size_t start = pos_;
  uint8_t* dest = out_ + start;
  size_t room = total_ - start;
  if (code < clear()) {
    addEntry();
    *dest = uint8_t(code) & mask_;
    remember(start, 1);
    return true;
  }
  unsigned length;
  if (code < next_) {
    length = table_.length[code];
    size_t from = table_.offset[code];
    if (length <= kSlack && start - from >= kSlack) {
      std::memcpy(dest, out_ + from, kSlack);  // the overrun lands in later pixels or the slack
    } else {
      std::memcpy(dest, out_ + from, std::min<size_t>(length, room));
    }
  } else if (code == next_ && haveOld_) {
    length = oldLength_ + 1;
    std::memcpy(dest, out_ + oldPos_, std::min<size_t>(oldLength_, room));
    if (oldLength_ < room) dest[oldLength_] = out_[oldPos_];
  } else {
    return false;
  }
  addEntry();
  remember(start, length);
  return true;
}

bool Decoder::run(const TProgressProc& progress, size_t dataSize) {
  const unsigned clearCode = clear(), endCode = clearCode + 1;
  resetTable();
  const bool notify = bool(progress);
  int lastPercent = -1;
  unsigned code;
  while (pos_ < total_ && in_.read(codeSize_, code)) {
    if (code == clearCode) {
      resetTable();
      // The code after a clear starts the table again; further clear codes are skipped, and
      // it must be a literal (the table is empty).
      do {
        if (!in_.read(codeSize_, code)) return true;
      } while (code == clearCode);
      if (code == endCode) return true;
      if (code > endCode) return false;
      putLiteral(code);
    } else if (code == endCode) {
      return true;
    } else if (corrupted_ || !decodeCode(code)) {
      // A damaged frame stops at its first code after the start of the table.
      return corrupted_;
    }
    if (notify) {
      int percent = int(in_.consumed() * 100 / dataSize);
      if (percent != lastPercent) progress(psRunning, uint8_t(lastPercent = percent), {});
    }
  }
  return true;
}

// Rows come in GIF order, interlaced rows in their four passes; the BMP rows are bottom-up.
void placeRows(const uint8_t* linear, size_t decoded, const TLZWTarget& t) {
  const size_t width = size_t(t.width);
  const int rows = int(std::min<size_t>((decoded + width - 1) / width, size_t(t.height)));
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  int k = 0;
  auto place = [&](int row) {
    const uint8_t* src = linear + size_t(k++) * width;
    uint8_t* dst = t.bits + size_t(t.height - 1 - row) * size_t(t.stride);
    if (t.depth == 8) {
      std::memcpy(dst, src, width);
    } else if (t.depth == 4) {
      for (size_t x = 0; x < width; x += 2) {
        dst[x / 2] = uint8_t(src[x] << 4 | (x + 1 < width ? src[x + 1] : 0));
      }
    } else {
      for (size_t x = 0; x < width; ++x) dst[x / 8] |= uint8_t(src[x] << (7 - x % 8));
    }
  };
  if (!t.interlaced) {
    for (int row = 0; row < rows; ++row) place(row);
    return;
  }
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = kStart[pass]; row < t.height && k < rows; row += kStep[pass]) place(row);
  }
}

}  // namespace

bool LZWDecode(const uint8_t* data, size_t size, const TLZWTarget& target, bool tolerate,
               const TProgressProc& progress) {
  if (progress) progress(psStarting, 0, {});
  try {
    if (size == 0) throw gui::EReadError();
    bool corrupted = false;
    int minimumSize = data[0];
    if (minimumSize < 2 || minimumSize > 9) {
      if (!tolerate) throw gui::EInvalidGraphicOperation(texts::kSBadCodeSize);
      corrupted = true;
      minimumSize = std::clamp(minimumSize, 2, 9);
    }
    const size_t total = size_t(target.width) * size_t(target.height);
    if (total > 0) {
      std::vector<uint8_t> joined = joinSubBlocks(data + 1, data + size);
      std::vector<uint8_t> linear(total + kSlack);
      CodeReader in(joined.data(), joined.size());
      auto decoder = std::make_unique<Decoder>(in, minimumSize,
                                               uint8_t((1u << target.bitsPerPixel) - 1),
                                               linear.data(), total, corrupted);
      if (!decoder->run(progress, std::max<size_t>(joined.size(), 1))) {
        if (!tolerate) throw gui::EInvalidGraphicOperation(texts::kSCodeStack);
        corrupted = true;
      }
      size_t decoded = decoder->pixels();
      // Pixels after the last decoded one keep index 0, also where a short copy ran over.
      std::memset(linear.data() + decoded, 0, std::min(kSlack, total - decoded));
      placeRows(linear.data(), decoded, target);
    }
    if (progress) progress(psEnding, 100, {});
    return corrupted;
  } catch (const gui::Exception& e) {
    if (progress) progress(psEnding, 0, e.Message());
    throw;
  }
}

}  // namespace rxgif
