#include "controls/Qelprogress.h"

#include <array>
#include <cmath>

#include "gui/GdiTypes.h"

namespace qelprogress {

using gui::TColor;

namespace {

constexpr uint8_t kShadeStep = 51;

// A channel moved by `delta`, or left as it was when it would leave 0..255.
int shiftChannel(int channel, int delta) {
  const int moved = channel + delta;
  return moved < 0 || moved > 255 ? channel : moved;
}

TColor shift(TColor color, int delta) {
  return gui::RGB(shiftChannel(gui::GetRValue(color), delta),
                  shiftChannel(gui::GetGValue(color), delta),
                  shiftChannel(gui::GetBValue(color), delta));
}

// A point of a stroke, relative to the bar's rectangle: x from its left or right edge, y from
// its top or bottom edge.
struct Corner {
  char xEdge;  // 'l' or 'r'
  int dx;
  char yEdge;  // 't' or 'b'
  int dy;
};

enum class Shade { Base, Light1, Light2, Dark1, Dark2, Middle, ButtonShadow };

struct Stroke {
  Shade pen;
  int count;  // points used
  std::array<Corner, 4> points;
};

// The edges of the horizontal bar, in drawing order.
constexpr std::array<Stroke, 11> kHorizontalStrokes = {{
    {Shade::Light1, 2, {{{'l', 2, 'b', -4}, {'r', -2, 'b', -4}}}},
    {Shade::Light1, 2, {{{'l', 2, 't', 2}, {'r', -2, 't', 2}}}},
    {Shade::Light2, 4, {{{'l', 2, 'b', -5}, {'r', -3, 'b', -5}, {'r', -3, 't', 3}, {'l', 1, 't', 3}}}},
    {Shade::Base, 3, {{{'l', 0, 'b', -1}, {'l', 0, 't', 0}, {'l', 2, 't', 0}}}},
    {Shade::Base, 2, {{{'l', 2, 'b', -3}, {'r', -2, 'b', -3}}}},
    {Shade::Base, 2, {{{'l', 2, 't', 1}, {'r', -1, 't', 1}}}},
    {Shade::Dark1, 3, {{{'l', 2, 'b', -2}, {'r', -2, 'b', -2}, {'r', -2, 't', 1}}}},
    {Shade::Dark1, 2, {{{'l', 2, 't', 0}, {'r', 0, 't', 0}}}},
    {Shade::Dark2, 3, {{{'l', 2, 'b', -1}, {'r', -1, 'b', -1}, {'r', -1, 't', 0}}}},
    {Shade::Middle, 2, {{{'r', 0, 't', 0}, {'r', 0, 'b', 0}}}},
    {Shade::ButtonShadow, 2, {{{'r', 1, 't', 0}, {'r', 1, 'b', 0}}}},
}};

// The edges of the vertical bar, in drawing order.
constexpr std::array<Stroke, 10> kVerticalStrokes = {{
    {Shade::Base, 3, {{{'l', 0, 't', 1}, {'l', 0, 't', 0}, {'r', 0, 't', 0}}}},
    {Shade::Base, 2, {{{'l', 1, 'b', -2}, {'l', 1, 't', 1}}}},
    {Shade::Base, 2, {{{'r', -3, 'b', -3}, {'r', -3, 't', 1}}}},
    {Shade::Light1, 2, {{{'l', 2, 'b', -3}, {'l', 2, 't', 1}}}},
    {Shade::Light1, 2, {{{'r', -4, 'b', -3}, {'r', -4, 't', 1}}}},
    {Shade::Light2, 2, {{{'l', 3, 'b', -3}, {'l', 3, 't', 1}}}},
    {Shade::Light2, 2, {{{'r', -5, 'b', -3}, {'r', -5, 't', 1}}}},
    {Shade::Dark1, 2, {{{'l', 0, 'b', -1}, {'l', 0, 't', 1}}}},
    {Shade::Dark1, 3, {{{'l', 2, 'b', -2}, {'r', -2, 'b', -2}, {'r', -2, 't', 1}}}},
    {Shade::Dark2, 3, {{{'l', 1, 'b', -1}, {'r', -1, 'b', -1}, {'r', -1, 't', 1}}}},
}};

TColor penOf(const ShadeColors& c, Shade shade) {
  switch (shade) {
    case Shade::Base: return c.base;
    case Shade::Light1: return c.light1;
    case Shade::Light2: return c.light2;
    case Shade::Dark1: return c.dark1;
    case Shade::Dark2: return c.dark2;
    case Shade::Middle: return c.middle;
    case Shade::ButtonShadow: return c.buttonShadow;
  }
  return c.base;
}

// Line-to strokes through the points (each leaves out its end pixel).
template <size_t N>
void drawStrokes(gui::TCanvas& canvas, const std::array<Stroke, N>& strokes, const ShadeColors& c,
                 const gui::TRect& r) {
  auto at = [&r](const Corner& p) {
    return gui::Point((p.xEdge == 'l' ? r.Left : r.Right) + p.dx,
                      (p.yEdge == 't' ? r.Top : r.Bottom) + p.dy);
  };
  for (const Stroke& s : strokes) {
    canvas.Pen.Color = penOf(c, s.pen);
    const gui::TPoint first = at(s.points[0]);
    canvas.MoveTo(first.X, first.Y);
    for (int i = 1; i < s.count; ++i) {
      const gui::TPoint p = at(s.points[size_t(i)]);
      canvas.LineTo(p.X, p.Y);
    }
  }
}

}  // namespace

TColor LightenColor(TColor color, uint8_t step) { return shift(color, step); }

TColor DarkenColor(TColor color, uint8_t step) { return shift(color, -int(step)); }

ShadeColors UpdateColors(TColor barColor) {
  ShadeColors c;
  c.base = gui::ColorToRGB(barColor);
  c.light1 = LightenColor(c.base, kShadeStep);
  c.light2 = LightenColor(c.light1, kShadeStep);
  c.light3 = LightenColor(c.light2, kShadeStep);
  c.dark1 = DarkenColor(c.base, kShadeStep);
  c.dark2 = DarkenColor(c.dark1, kShadeStep);
  c.darkShadow = gui::GetSysColor(gui::COLOR_3DDKSHADOW);
  c.buttonShadow = gui::GetSysColor(gui::COLOR_BTNSHADOW);
  auto mean = [&c](int (*channel)(TColor)) {
    return (channel(c.darkShadow) + channel(c.buttonShadow)) / 2;
  };
  c.middle = gui::RGB(mean(gui::GetRValue), mean(gui::GetGValue), mean(gui::GetBValue));
  return c;
}

// Every value goes through its setter, so the ones the zeroed starting state already holds, or
// cannot take yet, change nothing: SetMin(0) is refused while Max is still 0.
QELProgress::QELProgress(QWidget* owner) : gui::TGraphicControl(owner) {
  SetBounds(10, 10, 100, 15);
  SetMin(0);
  SetMax(100);
  SetProgress(0);
  SetBackColor(gui::clMenu);
  SetBarColor(gui::clTeal);
  SetBorder(0);
}

void QELProgress::SetProgress(int32_t value) {
  if (range_.SetProgress(value)) Invalidate();
}

void QELProgress::SetMax(int32_t value) {
  if (range_.SetMax(value)) Invalidate();
}

void QELProgress::SetMin(int32_t value) {
  if (range_.SetMin(value)) Invalidate();
}

void QELProgress::SetBorder(int32_t value) {
  if (!progress::BorderAccepted(value, border_, Width(), Height())) return;
  border_ = value;
  Invalidate();
}

void QELProgress::SetBarColor(TColor value) {
  if (value == barColor_) return;
  barColor_ = value;
  Invalidate();
}

void QELProgress::SetBackColor(TColor value) {
  if (value == backColor_) return;
  backColor_ = value;
  Invalidate();
}

void QELProgress::SetStyle(Tprgstyle value) {
  kind_ = value;
  const bool vertical = kind_ == prgVertical;
  if ((vertical && Width() > Height()) || (!vertical && Height() > Width()))
    SetBounds(Left(), Top(), Height(), Width());
  Repaint();
}

void QELProgress::Paint() {
  DrawBar();
  DrawProgress();
}

void QELProgress::DrawBar() { progress::DrawSunkenTrough(Canvas(), Width(), Height(), backColor_); }

int QELProgress::filledPixels(int extent) const {
  const int64_t span = int64_t{range_.max} - range_.min;
  if (span <= 0) return 0;
  const double share = double(int64_t{range_.progress} - range_.min) / double(span);
  return int(std::trunc(extent * share));
}

void QELProgress::DrawProgress() {
  const ShadeColors colors = UpdateColors(barColor_);
  gui::TRect r = ClientRect();
  if (r.Width() <= 0) return;
  const bool vertical = kind_ == prgVertical;
  if (vertical)
    r.Top = r.Bottom - filledPixels(Height());
  else
    r.Right = filledPixels(Width());
  gui::TCanvas& canvas = Canvas();
  canvas.Brush.Style = gui::bsSolid;
  canvas.Brush.Color = colors.light3;
  canvas.FillRect(r);
  canvas.Pen.Style = gui::psSolid;
  canvas.Pen.Mode = gui::pmCopy;
  canvas.Pen.Width = 1;
  if (vertical)
    drawStrokes(canvas, kVerticalStrokes, colors, r);
  else
    drawStrokes(canvas, kHorizontalStrokes, colors, r);
}

}  // namespace qelprogress
