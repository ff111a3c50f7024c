#include "platform/capture/FrameScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

constexpr int kCacheLine = 64;

// Asks for the next source row while this one is stretched: a frame is seldom still in the
// caches when it is shown, and each row starts a new page the processor does not read ahead into.
void prefetchRow(const uchar* line, qsizetype bytes) {
  for (qsizetype at = 0; at < bytes; at += kCacheLine) __builtin_prefetch(line + at);
}

// One target row from one source row; four pixels a step, their loads before their stores.
void gatherRow(const uint32_t* __restrict in, uint32_t* __restrict out,
               const int* __restrict column, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    const uint32_t p0 = in[column[x]], p1 = in[column[x + 1]];
    const uint32_t p2 = in[column[x + 2]], p3 = in[column[x + 3]];
    out[x] = p0, out[x + 1] = p1, out[x + 2] = p2, out[x + 3] = p3;
  }
  for (; x < width; ++x) out[x] = in[column[x]];
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

template <typename SourceRow>
void FrameScaler::stretch(QSize fromSize, QSize size, const QRect& area, QImage& to,
                          QPoint origin, SourceRow row) {
  const QRect part = area.intersected(QRect(QPoint(0, 0), size));
  if (fromSize.isEmpty() || to.isNull() || part.isEmpty()) return;
  const std::vector<int>& columns = map(columns_, fromSize.width(), size.width());
  const std::vector<int>& rows = map(rows_, fromSize.height(), size.height());
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
      const uint32_t* in = row(rows[size_t(y)], y < part.bottom() ? rows[size_t(y) + 1] : -1);
      gatherRow(in, out, column, width);
    }
    previous = out;
  }
}

void FrameScaler::scale(const QImage& from, QSize size, const QRect& area, QImage& to,
                        QPoint origin) {
  stretch(from.size(), size, area, to, origin, [&from](int row, int next) {
    if (next >= 0) prefetchRow(from.constScanLine(next), from.bytesPerLine());
    return reinterpret_cast<const uint32_t*>(from.constScanLine(row));
  });
}

void FrameScaler::scale(const YuyvImage& from, QSize size, const QRect& area, QImage& to,
                        QPoint origin) {
  const QRect part = area.intersected(QRect(QPoint(0, 0), size));
  if (size == from.size && part.left() == 0 && part.width() == size.width()) {
    // Whole rows at the frame's own size: converted straight into the target.
    YuyvToRgb32(from.bytes + size_t(part.top()) * from.stride, from.stride,
                to.bits() + (origin.y() + part.top()) * to.bytesPerLine() + origin.x() * 4,
                size_t(to.bytesPerLine()), size.width(), part.height());
    return;
  }
  converted_.resize(size_t(from.size.width()));
  stretch(from.size, size, area, to, origin, [&](int row, int next) {
    if (next >= 0) prefetchRow(from.bytes + size_t(next) * from.stride, qsizetype(from.stride));
    YuyvToRgb32(from.bytes + size_t(row) * from.stride, from.stride,
                reinterpret_cast<uint8_t*>(converted_.data()), converted_.size() * 4,
                from.size.width(), 1);
    return converted_.data();
  });
}

}  // namespace platform
