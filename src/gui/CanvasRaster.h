// Pixel-level work behind TCanvas: the clipped device pixels of one drawing operation, the mix
// modes of pens, ternary raster operations, brush patterns and the line rasteriser.
#pragma once

#include <QImage>
#include <QRect>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "gui/Canvas.h"

namespace gui {

// Pixels are handled as 0x00RRGGBB; the image keeps 0xFF in its alpha byte for drawn pixels.
uint32_t Rop2(TPenMode mode, uint32_t pen, uint32_t destination);
uint32_t Rop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t destination);
uint32_t ToPixel(TColor rgb);
TColor FromPixel(uint32_t pixel);

// Calls plot(x, y, index) for the pixels of a one-pixel line from a to b, the end excluded;
// index counts the pixels from 0 (pen styles run on it).
template <typename Plot>
void RasterizeLine(TPoint a, TPoint b, Plot&& plot) {
  int dx = b.X - a.X, dy = b.Y - a.Y;
  int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < steps; ++i) {
    // Round half up: 2 * i * d / (2 * steps), as integers.
    auto offset = [&](int d) {
      int64_t num = 2 * int64_t(i) * d + steps;
      int64_t den = 2 * int64_t(steps);
      return int(num >= 0 ? num / den : -((-num + den - 1) / den));
    };
    plot(a.X + offset(dx), a.Y + offset(dy), i);
  }
}

class CanvasRaster {
public:
  explicit CanvasRaster(const TCanvas& canvas);

  bool valid() const { return image_ != nullptr && !rects_.empty(); }
  TPoint toDevice(int x, int y) const { return {x + origin_.x(), y + origin_.y()}; }
  QRect toDevice(const TRect& r) const;
  bool inside(int x, int y) const;

  uint32_t get(int x, int y) const;
  void put(int x, int y, uint32_t pixel);
  void mix(int x, int y, uint32_t pen, TPenMode mode) { put(x, y, Rop2(mode, pen, get(x, y))); }

  // A colour as the target can hold it (black or white on a monochrome target).
  uint32_t map(TColor color) const;
  // The brush at a device pixel; false where a hatch leaves the background transparent (and
  // everywhere with bsClear). Looked up in the brush's pattern, worked out once per operation.
  bool brushAt(int x, int y, uint32_t& pixel) const;
  // The same, worked out from the brush, its colours and the target for this one pixel.
  bool brushRule(int x, int y, uint32_t& pixel) const;
  // The brush along one device row, a pixel per step(), for loops that walk rows.
  class BrushCursor {
  public:
    BrushCursor(const uint32_t* pixels, const bool* drawn, int width, int column)
        : pixels_(pixels), drawn_(drawn), width_(width), column_(column) {}
    bool drawn() const { return drawn_[column_]; }
    uint32_t pixel() const { return pixels_[column_]; }
    void step() {
      if (++column_ == width_) column_ = 0;
    }

  private:
    const uint32_t* pixels_;
    const bool* drawn_;
    int width_, column_;
  };
  BrushCursor brushFrom(int x, int y) const;
  // A pixel as the image keeps it: opaque, and black or white on a monochrome target.
  uint32_t stored(uint32_t pixel) const;
  // Puts the brush on every drawable device pixel of r, row by row.
  void fillBrush(const QRect& r);

  // Calls f(x, y) for every drawable device pixel of r.
  template <typename F>
  void forEach(const QRect& r, F&& f) const {
    for (const QRect& clip : rects_) {
      QRect part = clip.intersected(r);
      for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) f(x, y);
      }
    }
  }

  // Calls f(part) for each drawable device rectangle within r.
  template <typename F>
  void forEachRect(const QRect& r, F&& f) const {
    for (const QRect& clip : rects_) {
      QRect part = clip.intersected(r);
      if (!part.isEmpty()) f(part);
    }
  }
  QImage* image() const { return image_; }

  // The pen along a line (cosmetic with styles, or wide through a painted mask); `counter` keeps
  // the style running across the segments of one figure.
  void penLine(TPoint a, TPoint b, int& counter);
  // Pixels covered by a shape Qt paints (aliased), with the pen's mix mode: the shape is drawn
  // into a mask by `paint` in device coordinates.
  template <typename Paint>
  void applyShape(const QRect& bounds, Paint&& paint, bool useBrush);

private:
  // One period of the brush from the device origin: 1 x 1 for a solid or clear brush, 8 x 8 for
  // a hatch, the pattern bitmap's top-left corner (up to 8 x 8) for a pattern brush.
  struct BrushPattern {
    int width = 1, height = 1;
    std::array<uint32_t, 64> pixels{};
    std::array<bool, 64> drawn{};
    int index(int x, int y) const { return wrap(y, height) * width + wrap(x, width); }
    static int wrap(int v, int period) { return ((v % period) + period) % period; }
  };
  const BrushPattern& brushPattern() const;
  void applyMask(const QImage& mask, QPoint at, bool useBrush);

  const TCanvas& canvas_;
  QImage* image_;
  QPoint origin_;
  std::vector<QRect> rects_;
  bool monochrome_;
  mutable std::optional<BrushPattern> brush_;
};

template <typename Paint>
void CanvasRaster::applyShape(const QRect& bounds, Paint&& paint, bool useBrush) {
  if (!valid() || bounds.isEmpty()) return;
  QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(0);
  paint(mask, bounds.topLeft());
  applyMask(mask, bounds.topLeft(), useBrush);
}

}  // namespace gui
