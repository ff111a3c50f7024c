// The slider's geometry: the ruler built for the control's length, where thumb and ruler stand,
// and the mapping between values and thumb pixels.
#include "controls/Rxslider.h"

#include "controls/RxsliderInternal.h"

using namespace gui;

namespace rxslider {

using detail::ClampToInt;
using detail::RoundHalfEven;

TRect TRxCustomSlider::GetSliderRect() const {
  TRect r = Rect(0, 0, Width(), Height());
  if (bevelStyle_ != bvNone) InflateRect(r, -bevelWidth_, -bevelWidth_);
  return r;
}

const TBitmap& TRxCustomSlider::thumbImage() const {
  return *images_[orientation_ == soHorizontal ? siHThumb : siVThumb];
}

int TRxCustomSlider::thumbWidth() const { return thumbImage().Width() / numThumbStates_; }

// The thumb's travel in pixels. It is 0 or less when the control is no longer than the thumb.
int TRxCustomSlider::rulerLength() const {
  return orientation_ == soHorizontal ? rulerSize_.cx - thumbWidth()
                                      : rulerSize_.cy - thumbHeight();
}

int TRxCustomSlider::minIndent() const {
  TRect r = GetSliderRect();
  return orientation_ == soHorizontal ? r.Left : r.Top;
}

// The ruler image keeps EdgeSize pixels at each end and repeats its middle section along the
// length; with N = 1 the far edge falls outside and only the image's start shows.
void TRxCustomSlider::buildRuler(const TRect& r) {
  bool horizontal = orientation_ == soHorizontal;
  const TBitmap& source = *images_[horizontal ? siHRuler : siVRuler];
  int sourceLength = horizontal ? source.Width() : source.Height();
  int thickness = horizontal ? source.Height() : source.Width();
  int workLength = std::max(horizontal ? r.Width() : r.Height(), 0);
  rulerSize_ = horizontal ? TSize{workLength, thickness} : TSize{thickness, workLength};
  TBitmap work;
  work.SetSize(rulerSize_.cx, rulerSize_.cy);
  auto copy = [&](int dest, int length, int from) {
    TRect d = horizontal ? Rect(dest, 0, dest + length, thickness)
                         : Rect(0, dest, thickness, dest + length);
    TRect s = horizontal ? Rect(from, 0, from + length, thickness)
                         : Rect(0, from, thickness, from + length);
    work.Canvas().CopyRect(d, source.Canvas(), s);
  };
  int edge = edgeSize_;
  int middle = sourceLength - 2 * edge;
  if (work.Empty() || source.Empty()) {
    // Nothing to copy.
  } else if (middle <= 0) {
    // An image no longer than its two edges has no section to repeat: stretch all of it.
    work.Canvas().CopyRect(Rect(0, 0, rulerSize_.cx, rulerSize_.cy), source.Canvas(),
                           Rect(0, 0, source.Width(), source.Height()));
  } else {
    int w = workLength - 2 * edge;
    int pieces = w / middle + 1;
    int rest = w % middle;
    for (int i = 0; i < pieces; ++i) {
      if (i == 0) copy(0, sourceLength - edge, 0);
      else if (i < pieces - 1) copy(edge + i * middle, middle, edge);
      else copy(edge + i * middle, edge + rest, edge + middle - rest);
    }
  }
  ruler_.Assign(work);
}

void TRxCustomSlider::adjustElements() {
  int remembered = value_;
  TRect r = GetSliderRect();
  buildRuler(r);
  int tw = thumbWidth(), th = thumbHeight();
  int uw = rulerSize_.cx, uh = rulerSize_.cy;
  if (orientation_ == soHorizontal) {
    if (th <= uh) {
      thumbRect_ = Bounds(r.Left, r.Top + (uh - th) / 2, tw, th);
      rulerOrigin_ = Point(r.Left, r.Top);
    } else {
      thumbRect_ = Bounds(r.Left, r.Top, tw, th);
      rulerOrigin_ = Point(r.Left, r.Top + (th - uh) / 2);
    }
    pointsRect_.Left = rulerOrigin_.X;
    pointsRect_.Top = r.Top + std::max(uh, th) + 1;
  } else {
    if (tw <= uw) {
      thumbRect_ = Bounds(r.Left + (uw - tw) / 2, r.Top, tw, th);
      rulerOrigin_ = Point(r.Left, r.Top);
    } else {
      thumbRect_ = Bounds(r.Left, r.Top, tw, th);
      rulerOrigin_ = Point(r.Left + (tw - uw) / 2, r.Top);
    }
    pointsRect_.Left = r.Left + std::max(uw, tw) + 1;
    pointsRect_.Top = rulerOrigin_.Y;
  }
  laidOutSize_ = size();
  SetValue(remembered);
  Invalidate();
}

// A hidden widget gets no resize event until it is shown, so whatever reads the geometry first
// lays it out again when the size has changed since.
void TRxCustomSlider::syncSize() {
  if (ComponentState() & csReading) return;
  if (size() != laidOutSize_) Sized();
}

void TRxCustomSlider::Sized() { adjustElements(); }

int TRxCustomSlider::getOffsetByValue(int value) const {
  TRect r = GetSliderRect();
  double range = double(maxValue_) - double(minValue_);
  // A range read from a layout may be empty: every value then sits at the start.
  double fraction = range > 0 ? (double(value) - double(minValue_)) / range : 0.0;
  int offset = ClampToInt(RoundHalfEven(rulerLength() * fraction) + minIndent());
  if (orientation_ == soVertical) offset = r.Top + r.Bottom - offset - thumbHeight();
  return std::max(offset, minIndent());
}

int TRxCustomSlider::getValueByOffset(int offset) const {
  TRect r = GetSliderRect();
  if (orientation_ == soVertical) offset = ClientHeight() - offset - thumbHeight();
  int length = rulerLength();
  // Without travel (a slider no longer than its thumb) every pixel is the minimum.
  int64_t v = 0;
  if (length > 0) {
    v = RoundHalfEven((double(offset) - r.Left) * (double(maxValue_) - minValue_) / length);
  }
  if (!InSet(options_, soSmooth)) {
    int step = std::max(increment_, 1);
    v = RoundHalfEven(double(v) / step) * step;
  }
  return ClampToInt(std::min<int64_t>(std::max<int64_t>(v, 0) + minValue_, maxValue_));
}

// The thumb always stands on a pixel that belongs to a value.
void TRxCustomSlider::getThumbPosition(int& offset, TPoint& p) const {
  int first = minIndent();
  int last = first + rulerLength();
  offset = std::min(std::max(offset, first), last);
  offset = getOffsetByValue(getValueByOffset(offset));
  offset = std::min(offset, last);
  p = orientation_ == soHorizontal ? Point(offset, thumbRect_.Top) : Point(thumbRect_.Left, offset);
}

void TRxCustomSlider::setThumbOffset(int offset) {
  int remembered = value_;
  TPoint p;
  getThumbPosition(offset, p);
  invalidateThumb();
  thumbRect_ = Bounds(p.X, p.Y, thumbRect_.Width(), thumbRect_.Height());
  invalidateThumb();
  if (sliding_) {
    value_ = getValueByOffset(offset);
    if (value_ != remembered) Change();
  }
}

void TRxCustomSlider::invalidateThumb() { InvalidateRect(thumbRect_); }

TRect TRxCustomSlider::ThumbRect() {
  syncSize();
  return thumbRect_;
}

TPoint TRxCustomSlider::RulerOrigin() {
  syncSize();
  return rulerOrigin_;
}

const TBitmap& TRxCustomSlider::Ruler() {
  syncSize();
  return ruler_;
}

TPoint TRxCustomSlider::PointsOrigin() {
  syncSize();
  return pointsRect_.TopLeft();
}

int TRxCustomSlider::GetThumbOffset() {
  syncSize();
  return orientation_ == soHorizontal ? thumbRect_.Left : thumbRect_.Top;
}

}  // namespace rxslider
