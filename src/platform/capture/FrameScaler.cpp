#include "platform/capture/FrameScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

constexpr int kCacheLine = 64;

// Asks for the next source row while this one is stretched: a frame is seldom still in the
// caches when it is shown, and each row starts a new page the processor does not read ahead into.
void prefetchRow(const QImage& from, int row) {
  const uchar* line = from.constScanLine(row);
  for (qsizetype at = 0; at < from.bytesPerLine(); at += kCacheLine) __builtin_prefetch(line + at);
}

}  // namespace

// The source index of each of `to` target indices across `from` source ones: 16.16 fixed-point
// steps from the centre of the first target pixel, as QPainter steps.
const std::vector<int>& FrameScaler::map(Axis& axis, int from, int to) {
  if (axis.from == from && axis.index.size() == size_t(to)) return axis.index;
  const double step = double(from) / to;
  const uint32_t increment = uint32_t(int(65536 * step));
  uint32_t at = uint32_t(int(std::ceil(0.5 * step * 65536)) - 1);
  axis.index.resize(size_t(to));
  for (int i = 0; i < to; ++i, at += increment)
    axis.index[size_t(i)] = std::min(int(at >> 16), from - 1);
  axis.from = from;
  return axis.index;
}

void FrameScaler::scale(const QImage& from, QSize size, const QRect& area, QImage& to,
                        QPoint origin) {
  const QRect part = area.intersected(QRect(QPoint(0, 0), size));
  if (from.isNull() || to.isNull() || part.isEmpty()) return;
  const std::vector<int>& columns = map(columns_, from.width(), size.width());
  const std::vector<int>& rows = map(rows_, from.height(), size.height());
  const int* column = columns.data() + part.left();
  const int width = part.width();
  const size_t bytes = size_t(width) * sizeof(uint32_t);
  uchar* const target = to.bits();
  const qsizetype stride = to.bytesPerLine();
  uint32_t* previous = nullptr;
  for (int y = part.top(); y <= part.bottom(); ++y) {
    auto* out = reinterpret_cast<uint32_t*>(target + (origin.y() + y) * stride) + origin.x() +
                part.left();
    if (previous && rows[size_t(y)] == rows[size_t(y) - 1]) {
      std::memcpy(out, previous, bytes);  // enlarged: the row above again
    } else {
      const auto* in = reinterpret_cast<const uint32_t*>(from.constScanLine(rows[size_t(y)]));
      if (y < part.bottom()) prefetchRow(from, rows[size_t(y) + 1]);
      for (int x = 0; x < width; ++x) out[x] = in[column[x]];
    }
    previous = out;
  }
}

}  // namespace platform
