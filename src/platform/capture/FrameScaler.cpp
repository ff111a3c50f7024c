#include "platform/capture/FrameScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

// The source index of each of `to` target indices across `from` source ones: 16.16 fixed-point
// steps from the centre of the first target pixel.
void mapIndices(int from, int to, std::vector<int>& out) {
  const double step = double(from) / to;
  const uint32_t increment = uint32_t(int(65536 * step));
  uint32_t at = uint32_t(int(std::ceil(0.5 * step * 65536)) - 1);
  out.resize(size_t(to));
  for (int i = 0; i < to; ++i, at += increment) out[size_t(i)] = std::min(int(at >> 16), from - 1);
}

}  // namespace

void FrameScaler::scale(const QImage& from, QImage& to) {
  const int width = to.width(), height = to.height();
  if (from.isNull() || to.isNull()) return;
  if (fromWidth_ != from.width() || columns_.size() != size_t(width)) {
    mapIndices(from.width(), width, columns_);
    fromWidth_ = from.width();
  }
  if (fromHeight_ != from.height() || rows_.size() != size_t(height)) {
    mapIndices(from.height(), height, rows_);
    fromHeight_ = from.height();
  }
  const int* columns = columns_.data();
  for (int y = 0; y < height; ++y) {
    auto* out = reinterpret_cast<uint32_t*>(to.scanLine(y));
    if (y > 0 && rows_[size_t(y)] == rows_[size_t(y) - 1]) {
      std::memcpy(out, to.constScanLine(y - 1), size_t(width) * sizeof(uint32_t));
      continue;
    }
    const auto* in = reinterpret_cast<const uint32_t*>(from.constScanLine(rows_[size_t(y)]));
    for (int x = 0; x < width; ++x) out[x] = in[columns[x]];
  }
}

}  // namespace platform
