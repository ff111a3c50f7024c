#include "gui/Canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/CanvasRaster.h"
#include "gui/Cp1251.h"
#include "gui/Graphic.h"
#include "gui/TextLayout.h"

namespace gui {

namespace {

TRect normalized(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return {left, top, right, bottom};
}

QFont drawingFont(const TCanvas& canvas) {
  QFont font = canvas.Font.ToQFont();
  // A monochrome target cannot hold the grey edges of smoothed glyphs.
  if (canvas.Monochrome()) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// The source pixels of a blit. Sharing is enough, since drawing detaches the target; a blit
// within one image needs a copy.
QImage sourceSnapshot(const QImage* source, const QImage* target) {
  if (!source) return QImage();
  return source == target ? source->copy() : *source;
}

// A plain copy, row by row: the common case of drawing bitmaps, kept fast.
void copyRows(CanvasRaster& raster, const QImage& source, const QRect& target, QPoint shift) {
  QRect readable = source.rect().translated(-shift);
  raster.forEachRect(target.intersected(readable), [&](const QRect& part) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      auto* to = reinterpret_cast<uint32_t*>(raster.image()->scanLine(y)) + part.left();
      auto* from = reinterpret_cast<const uint32_t*>(source.constScanLine(y + shift.y())) +
                   part.left() + shift.x();
      for (int x = 0; x < part.width(); ++x) to[x] = 0xFF000000u | from[x];
    }
  });
}

// A raster operation that remembers its last result: a blit meets the same few colour
// triples over and over.
class Rop3Cache {
public:
  explicit Rop3Cache(uint32_t rop) : rop_(rop) {}
  uint32_t operator()(uint32_t p, uint32_t s, uint32_t d) {
    if (!known_ || p != p_ || s != s_ || d != d_) {
      p_ = p, s_ = s, d_ = d;
      result_ = Rop3(rop_, p, s, d);
      known_ = true;
    }
    return result_;
  }

private:
  uint32_t rop_, p_ = 0, s_ = 0, d_ = 0, result_ = 0;
  bool known_ = false;
};

}  // namespace

// --- device-context state -------------------------------------------------------------------

void TCanvas::syncObjects() const {
  if (!syncedFontColor_ || *syncedFontColor_ != Font.Color) {
    textColor_ = ColorToRGB(Font.Color);
    syncedFontColor_ = Font.Color;
  }
  if (!syncedBrush_ || !(*syncedBrush_ == Brush)) {
    TColor rgb = ColorToRGB(Brush.Color);
    if (Brush.Style == bsSolid) {
      bkColor_ = rgb;
      bkMode_ = OPAQUE;
    } else {
      bkColor_ = ~rgb & 0xFFFFFF;
      bkMode_ = TRANSPARENT;
    }
    syncedBrush_ = Brush;
  }
}

TColor TCanvas::TextColor() const {
  syncObjects();
  return textColor_;
}

void TCanvas::SetTextColor(TColor color) {
  syncObjects();
  textColor_ = ColorToRGB(color);
}

TColor TCanvas::BkColor() const {
  syncObjects();
  return bkColor_;
}

void TCanvas::SetBkColor(TColor color) {
  syncObjects();
  bkColor_ = ColorToRGB(color);
}

TBkMode TCanvas::BkMode() const {
  syncObjects();
  return bkMode_;
}

void TCanvas::SetBkMode(TBkMode mode) {
  syncObjects();
  bkMode_ = mode;
}

// --- clip and origin ------------------------------------------------------------------------

TRect TCanvas::ClipRect() const {
  QRegion region = image_ ? QRegion(image_->rect()) : QRegion();
  if (clip_) region = image_ ? region & *clip_ : *clip_;
  QRect bounds = region.boundingRect();
  if (bounds.isEmpty()) return {};
  return {bounds.left() - origin_.x(), bounds.top() - origin_.y(), bounds.right() + 1 - origin_.x(),
          bounds.bottom() + 1 - origin_.y()};
}

void TCanvas::IntersectClipRect(const TRect& r) {
  QRect device(r.Left + origin_.x(), r.Top + origin_.y(), std::max(r.Width(), 0),
               std::max(r.Height(), 0));
  clip_ = clip_ ? *clip_ & device : QRegion(device);
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  QRect device(r.Left + origin_.x(), r.Top + origin_.y(), std::max(r.Width(), 0),
               std::max(r.Height(), 0));
  QRegion base = clip_ ? *clip_ : QRegion(image_ ? image_->rect() : QRect());
  clip_ = base - device;
}

void TCanvas::SelectClipRegion(const QRegion* deviceRegion) {
  if (deviceRegion) clip_ = *deviceRegion;
  else clip_.reset();
}

int TCanvas::SaveDC() {
  syncObjects();
  saved_.push_back({origin_, clip_, textColor_, bkColor_, bkMode_, syncedFontColor_, syncedBrush_});
  return int(saved_.size());
}

void TCanvas::RestoreDC(int saved) {
  size_t level = saved < 0 ? saved_.size() + 1 + size_t(saved) : size_t(saved);
  if (level == 0 || level > saved_.size()) return;
  const SavedState& s = saved_[level - 1];
  origin_ = s.origin;
  clip_ = s.clip;
  textColor_ = s.textColor;
  bkColor_ = s.bkColor;
  bkMode_ = s.bkMode;
  syncedFontColor_ = s.syncedFontColor;
  syncedBrush_ = s.syncedBrush;
  saved_.resize(level - 1);
}

void TCanvas::ResetDeviceState() {
  origin_ = QPoint();
  clip_.reset();
  saved_.clear();
  syncedFontColor_.reset();
  syncedBrush_.reset();
}

void TCanvas::preparePainter(QPainter& painter) const {
  if (clip_) painter.setClipRegion(*clip_);
  painter.translate(origin_);
  painter.setFont(drawingFont(*this));
}

// --- lines and shapes -----------------------------------------------------------------------

void TCanvas::LineTo(int x, int y) {
  changing();
  CanvasRaster raster(*this);
  int counter = 0;
  raster.penLine(penPos_, {x, y}, counter);
  penPos_ = {x, y};
  changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  changing();
  CanvasRaster raster(*this);
  int counter = 0;
  for (size_t i = 1; i < points.size(); ++i) raster.penLine(points[i - 1], points[i], counter);
  changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  changing();
  CanvasRaster raster(*this);
  QPolygon device;
  for (const TPoint& p : points) device << QPoint(p.X + origin_.x(), p.Y + origin_.y());
  raster.applyShape(device.boundingRect(), [&](QImage& mask, QPoint at) {
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(device.translated(-at), Qt::OddEvenFill);
  }, true);
  int counter = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    raster.penLine(points[i], points[(i + 1) % points.size()], counter);
  }
  changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  TRect r = normalized(left, top, right, bottom);
  if (IsRectEmpty(r)) return;
  changing();
  CanvasRaster raster(*this);
  int width = std::max(Pen.Width, 1);
  bool pen = Pen.Style != psClear;
  // Without a pen the inside reaches one pixel less to the right and bottom.
  TRect inside = pen ? TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}
                     : TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  if (Pen.Style == psInsideFrame && width > 1) {
    inside = {r.Left + width, r.Top + width, r.Right - width, r.Bottom - width};
  }
  raster.forEach(raster.toDevice(inside), [&](int x, int y) {
    uint32_t brush = 0;
    if (raster.brushAt(x, y, brush)) raster.mix(x, y, brush, Pen.Mode);
  });
  if (pen && width == 1) {
    int counter = 0;
    if (r.Width() == 1 || r.Height() == 1) {
      raster.penLine({r.Left, r.Top}, r.Width() == 1 ? TPoint{r.Left, r.Bottom}
                                                      : TPoint{r.Right, r.Top}, counter);
    } else {
      std::vector<TPoint> corners = {{r.Left, r.Top}, {r.Right - 1, r.Top},
                                     {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1},
                                     {r.Left, r.Top}};
      for (size_t i = 1; i < corners.size(); ++i) raster.penLine(corners[i - 1], corners[i], counter);
    }
  } else if (pen) {
    // A wide pen: a band of `width` pixels, centred on the outline or inside the frame.
    int before = Pen.Style == psInsideFrame ? 0 : width / 2;
    TRect outer{r.Left - before, r.Top - before, r.Right - 1 - before + width,
                r.Bottom - 1 - before + width};
    if (Pen.Style == psInsideFrame) outer = r;
    TRect hole{outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width};
    uint32_t color = raster.map(Pen.Color);
    raster.forEach(raster.toDevice(outer), [&](int x, int y) {
      TPoint logical{x - origin_.x(), y - origin_.y()};
      if (!PtInRect(hole, logical)) raster.mix(x, y, color, Pen.Mode);
    });
  }
  changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  TRect r = normalized(left, top, right, bottom);
  if (IsRectEmpty(r)) return;
  changing();
  CanvasRaster raster(*this);
  QRect box(r.Left + origin_.x(), r.Top + origin_.y(), r.Width() - 1, r.Height() - 1);
  QRect bounds = box.adjusted(-Pen.Width, -Pen.Width, Pen.Width + 1, Pen.Width + 1);
  raster.applyShape(bounds, [&](QImage& mask, QPoint at) {
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(box.translated(-at));
  }, true);
  if (Pen.Style != psClear) {
    raster.applyShape(bounds, [&](QImage& mask, QPoint at) {
      QPainter painter(&mask);
      painter.setPen(QPen(Qt::black, Pen.Width > 1 ? Pen.Width : 0));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(box.translated(-at));
    }, false);
  }
  changed();
}

void TCanvas::FillRect(const TRect& r) {
  changing();
  CanvasRaster raster(*this);
  raster.fillBrush(raster.toDevice(r));
  changed();
}

void TCanvas::FrameRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  changing();
  CanvasRaster raster(*this);
  TRect hole{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  raster.forEach(raster.toDevice(r), [&](int x, int y) {
    uint32_t brush = 0;
    if (!PtInRect(hole, {x - origin_.x(), y - origin_.y()}) && raster.brushAt(x, y, brush)) {
      raster.put(x, y, brush);
    }
  });
  changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  changing();
  CanvasRaster raster(*this);
  TRect hole{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  raster.forEach(raster.toDevice(r), [&](int x, int y) {
    if ((x + y) % 2 == 0 && !PtInRect(hole, {x - origin_.x(), y - origin_.y()})) {
      raster.put(x, y, ~raster.get(x, y) & 0xFFFFFF);
    }
  });
  changed();
}

// --- pixels ---------------------------------------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const {
  CanvasRaster raster(*this);
  TPoint d = raster.toDevice(x, y);
  if (!raster.valid() || !raster.inside(d.X, d.Y)) return CLR_INVALID;
  return FromPixel(raster.get(d.X, d.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  changing();
  CanvasRaster raster(*this);
  TPoint d = raster.toDevice(x, y);
  if (raster.valid() && raster.inside(d.X, d.Y)) raster.put(d.X, d.Y, raster.map(color));
  changed();
}

// --- blits ----------------------------------------------------------------------------------

void TCanvas::BitBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy,
                     uint32_t rop) {
  StretchBlt(x, y, w, h, source, sx, sy, w, h, rop);
}

void TCanvas::StretchBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy,
                         int sw, int sh, uint32_t rop) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  changing();
  CanvasRaster raster(*this);
  CanvasRaster src(source);
  QImage sourceImage = sourceSnapshot(source.image_, image_);
  TPoint dOrigin = raster.toDevice(x, y);
  TPoint sOrigin = src.toDevice(sx, sy);
  bool sourceMono = source.monochrome_;
  if (rop == SRCCOPY && w == sw && h == sh && sourceMono == monochrome_ && !sourceImage.isNull()) {
    copyRows(raster, sourceImage, QRect(dOrigin.X, dOrigin.Y, w, h),
             QPoint(sOrigin.X - dOrigin.X, sOrigin.Y - dOrigin.Y));
    changed();
    return;
  }
  // The pattern matters only when the operation's result depends on it.
  uint32_t index = (rop >> 16) & 0xFF;
  bool usesPattern = (index >> 4) != (index & 0xF);
  uint32_t sourceBk = ToPixel(source.BkColor());
  uint32_t text = raster.map(TextColor()), back = raster.map(BkColor());
  if (sourceImage.isNull()) {
    changed();
    return;
  }
  Rop3Cache rop3(rop);
  // Row by row: one source row serves a destination row, and pixels off the source stay.
  auto sample = [](int at, int from, int to) {
    return int((2 * int64_t(at) + 1) * from / (2 * int64_t(to)));
  };
  raster.forEachRect(QRect(dOrigin.X, dOrigin.Y, w, h), [&](const QRect& part) {
    for (int dy = part.top(); dy <= part.bottom(); ++dy) {
      int py = sOrigin.Y + sample(dy - dOrigin.Y, sh, h);
      if (py < 0 || py >= sourceImage.height()) continue;
      const auto* row = reinterpret_cast<const uint32_t*>(sourceImage.constScanLine(py));
      auto* line = reinterpret_cast<uint32_t*>(raster.image()->scanLine(dy));
      CanvasRaster::BrushCursor brush = raster.brushFrom(part.left(), dy);
      for (int dx = part.left(); dx <= part.right(); ++dx, brush.step()) {
        int px = sOrigin.X + sample(dx - dOrigin.X, sw, w);
        if (px < 0 || px >= sourceImage.width()) continue;
        uint32_t s = row[px] & 0xFFFFFF;
        if (sourceMono && !monochrome_) s = s == 0 ? text : back;
        else if (!sourceMono && monochrome_) s = s == sourceBk ? 0xFFFFFF : 0;
        uint32_t pattern = usesPattern && brush.drawn() ? brush.pixel() : 0;
        line[dx] = raster.stored(rop3(pattern, s, line[dx] & 0xFFFFFF));
      }
    }
  });
  changed();
}

void TCanvas::PatBlt(int x, int y, int w, int h, uint32_t rop) {
  if (w <= 0 || h <= 0) return;
  changing();
  CanvasRaster raster(*this);
  TPoint d = raster.toDevice(x, y);
  raster.forEach(QRect(d.X, d.Y, w, h), [&](int dx, int dy) {
    uint32_t pattern = 0;
    if (!raster.brushAt(dx, dy, pattern)) pattern = 0;
    raster.put(dx, dy, Rop3(rop, pattern, 0, raster.get(dx, dy)));
  });
  changed();
}

void TCanvas::TransparentStretchBlt(int x, int y, int w, int h, const TCanvas& source, int sx,
                                    int sy, int sw, int sh, TColor transparent) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !source.image_) return;
  changing();
  CanvasRaster raster(*this);
  CanvasRaster src(source);
  QImage sourceImage = sourceSnapshot(source.image_, image_);
  TPoint dOrigin = raster.toDevice(x, y);
  TPoint sOrigin = src.toDevice(sx, sy);
  uint32_t key = ToPixel(ColorToRGB(transparent) & 0xFFFFFF);
  raster.forEach(QRect(dOrigin.X, dOrigin.Y, w, h), [&](int dx, int dy) {
    int px = sOrigin.X + int((2 * int64_t(dx - dOrigin.X) + 1) * sw / (2 * int64_t(w)));
    int py = sOrigin.Y + int((2 * int64_t(dy - dOrigin.Y) + 1) * sh / (2 * int64_t(h)));
    if (!sourceImage.valid(px, py)) return;
    uint32_t s = reinterpret_cast<const uint32_t*>(sourceImage.constScanLine(py))[px] & 0xFFFFFF;
    if (s != key) raster.put(dx, dy, s);
  });
  changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left,
             sourceRect.Top, sourceRect.Width(), sourceRect.Height(), CopyMode);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, r);
}

// --- text -----------------------------------------------------------------------------------

TSize TCanvas::TextExtent(const std::string& text) const {
  QFontMetrics metrics(drawingFont(*this));
  return {metrics.horizontalAdvance(FromCp1251(text)), metrics.height()};
}

void TCanvas::drawTextLine(int x, int y, const QString& text, int underline, bool opaque) {
  if (!image_ || image_->isNull()) return;
  QFont font = drawingFont(*this);
  QFontMetrics metrics(font);
  if (opaque) {
    CanvasRaster raster(*this);
    uint32_t back = raster.map(BkColor());
    raster.forEach(QRect(x + origin_.x(), y + origin_.y(), metrics.horizontalAdvance(text),
                         metrics.height()),
                   [&](int dx, int dy) { raster.put(dx, dy, back); });
  }
  QPainter painter(image_);
  preparePainter(painter);
  CanvasRaster raster(*this);
  painter.setPen(QColor(QRgb(raster.map(TextColor()))));
  int baseline = y + metrics.ascent();
  if (underline < 0 || underline >= text.size()) {
    painter.drawText(QPoint(x, baseline), text);
    return;
  }
  // The marked character is drawn on its own with an underlined font.
  QString before = text.left(underline), marked = text.mid(underline, 1);
  painter.drawText(QPoint(x, baseline), before);
  int markedX = x + metrics.horizontalAdvance(before);
  QFont underlined = font;
  underlined.setUnderline(true);
  painter.setFont(underlined);
  painter.drawText(QPoint(markedX, baseline), marked);
  painter.setFont(font);
  painter.drawText(QPoint(markedX + metrics.horizontalAdvance(marked), baseline),
                   text.mid(underline + 1));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  changing();
  drawTextLine(x, y, FromCp1251(text), -1, BkMode() == OPAQUE);
  penPos_ = {x + TextWidth(text), y};
  changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  changing();
  int saved = SaveDC();
  IntersectClipRect(r);
  if (BkMode() == OPAQUE) {
    CanvasRaster raster(*this);
    uint32_t back = raster.map(BkColor());
    raster.forEach(raster.toDevice(r), [&](int dx, int dy) { raster.put(dx, dy, back); });
  }
  drawTextLine(x, y, FromCp1251(text), -1, false);
  RestoreDC(saved);
  changed();
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  QFontMetrics metrics(drawingFont(*this));
  std::vector<TextLine> lines = LayoutText(FromCp1251(text), flags, r.Width(), metrics);
  int lineHeight = metrics.height() + ((flags & DT_EXTERNALLEADING) ? metrics.leading() : 0);
  int height = lineHeight * int(lines.size());
  if (lines.empty()) {
    if (flags & DT_CALCRECT) {
      r.Right = r.Left;
      r.Bottom = r.Top;
    }
    return 0;
  }
  if (flags & DT_CALCRECT) {
    int width = 0;
    for (const TextLine& line : lines) width = std::max(width, line.width);
    r.Right = r.Left + width;
    r.Bottom = r.Top + height;
    return height;
  }
  int y = r.Top;
  bool single = flags & DT_SINGLELINE;
  if (single && (flags & DT_VCENTER)) y = r.Top + (r.Height() - height) / 2;
  else if (single && (flags & DT_BOTTOM)) y = r.Bottom - height;
  changing();
  int saved = SaveDC();
  if (!(flags & DT_NOCLIP)) IntersectClipRect(r);
  bool opaque = BkMode() == OPAQUE;
  for (const TextLine& line : lines) {
    int x = r.Left;
    if (flags & DT_CENTER) x = r.Left + (r.Width() - line.width) / 2;
    else if (flags & DT_RIGHT) x = r.Right - line.width;
    drawTextLine(x, y, line.text, line.underline, opaque);
    y += lineHeight;
  }
  RestoreDC(saved);
  changed();
  if (single && (flags & (DT_VCENTER | DT_BOTTOM))) return y - r.Top;
  return height;
}

}  // namespace gui
