#include "gui/CanvasRaster.h"

#include <QPainter>

#include <array>

#include "gui/Bitmap.h"

namespace gui {

namespace {

// On/off run lengths of the styled one-pixel pens.
struct DashPattern {
  std::array<int, 6> runs;
  int count;
};

const DashPattern* dashPattern(TPenStyle style) {
  static const DashPattern kDash{{18, 6}, 2};
  static const DashPattern kDot{{3, 3}, 2};
  static const DashPattern kDashDot{{9, 6, 3, 6}, 4};
  static const DashPattern kDashDotDot{{9, 3, 3, 3, 3, 3}, 6};
  switch (style) {
    case psDash: return &kDash;
    case psDot: return &kDot;
    case psDashDot: return &kDashDot;
    case psDashDotDot: return &kDashDotDot;
    default: return nullptr;
  }
}

bool dashOn(const DashPattern& pattern, int counter) {
  int total = 0;
  for (int i = 0; i < pattern.count; ++i) total += pattern.runs[size_t(i)];
  int at = counter % total;
  for (int i = 0; i < pattern.count; ++i) {
    if (at < pattern.runs[size_t(i)]) return i % 2 == 0;
    at -= pattern.runs[size_t(i)];
  }
  return true;
}

bool hatchOn(TBrushStyle style, int x, int y) {
  x &= 7;
  y &= 7;
  bool horizontal = y == 0, vertical = x == 0;
  bool forward = ((x - y) & 7) == 0, backward = ((x + y) & 7) == 7;
  switch (style) {
    case bsHorizontal: return horizontal;
    case bsVertical: return vertical;
    case bsFDiagonal: return forward;
    case bsBDiagonal: return backward;
    case bsCross: return horizontal || vertical;
    case bsDiagCross: return forward || backward;
    default: return true;
  }
}

}  // namespace

uint32_t Rop2(TPenMode mode, uint32_t pen, uint32_t d) {
  uint32_t p = pen;
  uint32_t r = 0;
  switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = 0xFFFFFF; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
  }
  return r & 0xFFFFFF;
}

uint32_t Rop3(uint32_t rop, uint32_t p, uint32_t s, uint32_t d) {
  // Bit i of the operation index is the result for pattern bit (i & 4), source bit (i & 2)
  // and destination bit (i & 1); applied to all 24 bits at once.
  uint32_t index = (rop >> 16) & 0xFF;
  uint32_t r = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    if (index >> i & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r & 0xFFFFFF;
}

uint32_t ToPixel(TColor rgb) {
  return uint32_t(GetRValue(rgb)) << 16 | uint32_t(GetGValue(rgb)) << 8 | uint32_t(GetBValue(rgb));
}

TColor FromPixel(uint32_t pixel) {
  return RGB(int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF));
}

CanvasRaster::CanvasRaster(const TCanvas& canvas)
    : canvas_(canvas), image_(canvas.image_), origin_(canvas.origin_),
      monochrome_(canvas.monochrome_) {
  if (!image_ || image_->isNull()) {
    image_ = nullptr;
    return;
  }
  QRegion region(image_->rect());
  if (canvas.clip_) region &= *canvas.clip_;
  for (const QRect& r : region) rects_.push_back(r);
}

QRect CanvasRaster::toDevice(const TRect& r) const {
  return QRect(QPoint(r.Left + origin_.x(), r.Top + origin_.y()),
               QPoint(r.Right - 1 + origin_.x(), r.Bottom - 1 + origin_.y()));
}

bool CanvasRaster::inside(int x, int y) const {
  for (const QRect& r : rects_) {
    if (r.contains(x, y)) return true;
  }
  return false;
}

uint32_t CanvasRaster::get(int x, int y) const {
  return reinterpret_cast<const uint32_t*>(image_->constScanLine(y))[x] & 0xFFFFFF;
}

void CanvasRaster::put(int x, int y, uint32_t pixel) {
  reinterpret_cast<uint32_t*>(image_->scanLine(y))[x] = stored(pixel);
}

uint32_t CanvasRaster::stored(uint32_t pixel) const {
  if (monochrome_) pixel = (pixel & 0xFFFFFF) ? map(FromPixel(pixel)) : 0;
  return 0xFF000000u | (pixel & 0xFFFFFF);
}

uint32_t CanvasRaster::map(TColor color) const {
  uint32_t pixel = ToPixel(ColorToRGB(color) & 0xFFFFFF);
  if (!monochrome_) return pixel;
  int sum = int(pixel >> 16 & 0xFF) + int(pixel >> 8 & 0xFF) + int(pixel & 0xFF);
  return sum >= 3 * 128 ? 0xFFFFFF : 0;
}

bool CanvasRaster::brushAt(int x, int y, uint32_t& pixel) const {
  const BrushPattern& pattern = brushPattern();
  int i = pattern.index(x, y);
  pixel = pattern.pixels[size_t(i)];
  return pattern.drawn[size_t(i)];
}

const CanvasRaster::BrushPattern& CanvasRaster::brushPattern() const {
  if (brush_) return *brush_;
  BrushPattern pattern;
  const TBrush& brush = canvas_.Brush;
  if (brush.Bitmap && !brush.Bitmap->Empty()) {
    pattern.width = std::min(brush.Bitmap->Image().width(), 8);
    pattern.height = std::min(brush.Bitmap->Image().height(), 8);
  } else if (brush.Style != bsSolid && brush.Style != bsClear) {
    pattern.width = pattern.height = 8;
  }
  for (int y = 0; y < pattern.height; ++y) {
    for (int x = 0; x < pattern.width; ++x) {
      int i = pattern.index(x, y);
      pattern.drawn[size_t(i)] = brushRule(x, y, pattern.pixels[size_t(i)]);
    }
  }
  brush_ = pattern;
  return *brush_;
}

CanvasRaster::BrushCursor CanvasRaster::brushFrom(int x, int y) const {
  const BrushPattern& pattern = brushPattern();
  size_t row = size_t(BrushPattern::wrap(y, pattern.height) * pattern.width);
  return BrushCursor(&pattern.pixels[row], &pattern.drawn[row], pattern.width,
                     BrushPattern::wrap(x, pattern.width));
}

void CanvasRaster::fillBrush(const QRect& r) {
  if (!valid()) return;
  const BrushPattern& pattern = brushPattern();
  std::array<uint32_t, 64> pixels;
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = stored(pattern.pixels[i]);
  bool solid = pattern.width == 1 && pattern.height == 1;
  if (solid && !pattern.drawn[0]) return;
  forEachRect(r, [&](const QRect& part) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      uint32_t* line = reinterpret_cast<uint32_t*>(image_->scanLine(y));
      if (solid) {
        std::fill(line + part.left(), line + part.right() + 1, pixels[0]);
        continue;
      }
      // One row of the pattern serves the whole row of the part.
      size_t row = size_t(BrushPattern::wrap(y, pattern.height) * pattern.width);
      int column = BrushPattern::wrap(part.left(), pattern.width);
      for (int x = part.left(); x <= part.right(); ++x) {
        if (pattern.drawn[row + size_t(column)]) line[x] = pixels[row + size_t(column)];
        if (++column == pattern.width) column = 0;
      }
    }
  });
}

bool CanvasRaster::brushRule(int x, int y, uint32_t& pixel) const {
  const TBrush& brush = canvas_.Brush;
  if (brush.Bitmap && !brush.Bitmap->Empty()) {
    const QImage& pattern = brush.Bitmap->Image();
    int w = std::min(pattern.width(), 8), h = std::min(pattern.height(), 8);
    uint32_t p = pattern.pixel(((x % w) + w) % w, ((y % h) + h) % h) & 0xFFFFFF;
    if (brush.Bitmap->Monochrome()) {
      pixel = map(p == 0 ? canvas_.TextColor() : canvas_.BkColor());
    } else {
      pixel = monochrome_ ? map(FromPixel(p)) : p;
    }
    return true;
  }
  if (brush.Style == bsClear) return false;
  if (brush.Style == bsSolid || hatchOn(brush.Style, x, y)) {
    pixel = map(brush.Color);
    return true;
  }
  pixel = map(canvas_.BkColor());
  return canvas_.BkMode() == OPAQUE;
}

void CanvasRaster::penLine(TPoint a, TPoint b, int& counter) {
  const TPen& pen = canvas_.Pen;
  if (!valid() || pen.Style == psClear) return;
  TPoint da = toDevice(a.X, a.Y), db = toDevice(b.X, b.Y);
  uint32_t color = map(pen.Color);
  if (pen.Width > 1) {
    int grow = pen.Width;
    QRect bounds = QRect(QPoint(std::min(da.X, db.X), std::min(da.Y, db.Y)),
                         QPoint(std::max(da.X, db.X), std::max(da.Y, db.Y)))
                       .adjusted(-grow, -grow, grow, grow);
    applyShape(bounds, [&](QImage& mask, QPoint at) {
      QPainter painter(&mask);
      painter.setPen(QPen(Qt::black, pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawLine(QPoint(da.X, da.Y) - at, QPoint(db.X, db.Y) - at);
    }, false);
    return;
  }
  const DashPattern* dashes = dashPattern(pen.Style);
  bool opaqueGaps = canvas_.BkMode() == OPAQUE;
  uint32_t gap = map(canvas_.BkColor());
  RasterizeLine(da, db, [&](int x, int y, int) {
    bool on = !dashes || dashOn(*dashes, counter);
    ++counter;
    if (!inside(x, y)) return;
    if (on) mix(x, y, color, pen.Mode);
    else if (opaqueGaps) mix(x, y, gap, pen.Mode);
  });
}

void CanvasRaster::applyMask(const QImage& mask, QPoint at, bool useBrush) {
  uint32_t color = map(canvas_.Pen.Color);
  TPenMode mode = canvas_.Pen.Mode;
  QRect area(at, mask.size());
  forEach(area, [&](int x, int y) {
    if (qAlpha(mask.pixel(x - at.x(), y - at.y())) == 0) return;
    uint32_t source = color;
    if (useBrush && !brushAt(x, y, source)) return;
    mix(x, y, source, mode);
  });
}

}  // namespace gui
