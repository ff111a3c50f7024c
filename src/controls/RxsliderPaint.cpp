// Painting the slider: bevel, ruler, focus frame, ticks and the thumb frame.
#include "controls/Rxslider.h"

#include <functional>

#include "controls/RxsliderInternal.h"
#include "controls/VclutilsBitmaps.h"

using namespace gui;

namespace rxslider {

using detail::ClampToInt;
using detail::RoundHalfEven;

namespace {

// A 3-D frame `width` pixels wide on r: top and left in `topLeft`, bottom and right in
// `bottomRight`; r shrinks by the frame.
void frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
  canvas.Pen.Width = 1;
  for (int i = 0; i < width; ++i) {
    int right = r.Right - 1, bottom = r.Bottom - 1;
    canvas.Pen.Color = topLeft;
    canvas.MoveTo(r.Left, bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(right, r.Top);
    canvas.Pen.Color = bottomRight;
    canvas.LineTo(right, bottom);
    canvas.LineTo(r.Left - 1, bottom);
    InflateRect(r, -1, -1);
  }
}

// The first k >= 1 for which stop(k) holds, where stop is false up to some k and true from
// there on: found by doubling and halving so that a wide range takes a few dozen tries.
int64_t firstMultiplier(const std::function<bool(int64_t)>& stop) {
  if (stop(1)) return 1;
  int64_t below = 1, above = 2;
  while (!stop(above)) {
    below = above;
    above *= 2;
  }
  while (above - below > 1) {
    int64_t middle = below + (above - below) / 2;
    (stop(middle) ? above : below) = middle;
  }
  return above;
}

}  // namespace

void TRxCustomSlider::Paint() {
  syncSize();
  TCanvas& canvas = Canvas();
  bool copy = ControlState() & csPaintCopy;
  TPoint thumbAt = thumbRect_.TopLeft();
  if (copy) {
    int offset = getOffsetByValue(GetSliderValue());
    getThumbPosition(offset, thumbAt);
  }
  // The buffered paint erases the whole client area with Color first; the slider rectangle
  // lies one pixel inside it when there is a bevel.
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  TRect r = GetSliderRect();
  if (bevelStyle_ != bvNone) {
    bool lowered = bevelStyle_ == bvLowered;
    frame3D(canvas, r, lowered ? clBtnShadow : clBtnHighlight,
            lowered ? clBtnHighlight : clBtnShadow, bevelWidth_);
  }
  canvas.FillRect(r);
  if (ruler_.Width() > 0) {
    // clDefault leaves out the image's lower-left pixel colour.
    vclutils::DrawBitmapTransparent(canvas, rulerOrigin_.X, rulerOrigin_.Y, ruler_,
                                    InSet(options_, soRulerOpaque) ? clNone : clDefault);
  }
  if (InSet(options_, soShowFocus) && focused_) {
    TRect focus = GetSliderRect();
    InflateRect(focus, -2, -2);
    canvas.DrawFocusRect(focus);
  }
  if (InSet(options_, soShowPoints)) {
    if (OnDrawPoints) OnDrawPoints(this);
    else internalDrawPoints(canvas, increment_, 3, 5);
  }
  drawThumb(canvas, thumbAt, copy ? !Enabled() : thumbDown_ || !Enabled());
}

// Frame 2 (the right half of a two-frame image) is the pressed or disabled thumb.
void TRxCustomSlider::drawThumb(TCanvas& canvas, TPoint origin, bool secondFrame) {
  TBitmap& image = thumbImage();
  if (image.Empty()) return;
  int tw = thumbWidth(), th = thumbHeight();
  TRect source = Rect(0, 0, image.Width(), th);
  if (numThumbStates_ == 2) source = secondFrame ? Rect(tw, 0, 2 * tw, th) : Rect(0, 0, tw, th);
  // A frame narrower than a pixel shows nothing; the drawing call would take the whole image.
  if (IsRectEmpty(source)) return;
  vclutils::DrawBitmapRectTransparent(canvas, origin.X, origin.Y, source, image,
                                      InSet(options_, soThumbOpaque) ? clNone : clDefault);
}

void TRxCustomSlider::DefaultDrawPoints(int step, int length, int endLength) {
  internalDrawPoints(Canvas(), step, length, endLength);
}

// Ticks every k steps, k the smallest multiplier that puts them at least 4 pixels apart (or
// leaves one interval); the first and last ticks, at MinValue and MaxValue, are longer.
void TRxCustomSlider::internalDrawPoints(TCanvas& canvas, int step, int length, int endLength) {
  int travel = rulerLength();
  // Without travel every tick would stand on the same pixel.
  if (step <= 0 || travel <= 0) return;
  canvas.Pen.Color = clWindowText;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  double range = double(maxValue_) - double(minValue_);
  auto countFor = [&](int64_t k) { return RoundHalfEven(range / (double(k) * step)); };
  auto stop = [&](int64_t k) {
    int64_t count = countFor(k);
    int64_t dist = count + 1 > 1 ? travel / count : travel;
    return dist >= 4 || dist >= travel;
  };
  int64_t k = firstMultiplier(stop);
  int64_t count = countFor(k);
  for (int64_t i = 0; i <= count; ++i) {
    int64_t v = i == count ? maxValue_ : minValue_ + i * k * step;
    int tick = (i == 0 || i == count) ? endLength : length;
    int offset = getOffsetByValue(ClampToInt(v));
    if (orientation_ == soHorizontal) {
      int x = thumbWidth() / 2 + offset;
      canvas.MoveTo(x, pointsRect_.Top);
      canvas.LineTo(x, pointsRect_.Top + tick);
    } else {
      int y = thumbHeight() / 2 + offset;
      canvas.MoveTo(pointsRect_.Left, y);
      canvas.LineTo(pointsRect_.Left + tick, y);
    }
  }
}

}  // namespace rxslider
