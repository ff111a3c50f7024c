// The slider's properties, images, layout property, keys, mouse and ruler tracking.
#include "controls/Rxslider.h"

#include "controls/RxsliderInternal.h"
#include "gui/BuiltinBitmaps.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

// The built-in pictures live in this static library: registering them needs a reference here.
static void initSliderResources() { Q_INIT_RESOURCE(controls_slider); }

using namespace gui;

namespace rxslider {

using detail::RoundHalfEven;

namespace {

constexpr const char* kImageNames[] = {"W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL"};
constexpr const char* kIncrementRange = "Value must be between %d and %lld";
constexpr unsigned kTrackPeriodMs = 400;

std::shared_ptr<const TBitmap> builtinImage(TSliderImage index) {
  static const bool registered = (initSliderResources(), true);
  (void)registered;
  return LoadBuiltinBitmap(kImageNames[index]);
}

bool isThumb(TSliderImage index) { return index == siHThumb || index == siVThumb; }

}  // namespace

TRxCustomSlider::TRxCustomSlider(QWidget* parent) : TCustomControl(parent) {
  SetControlStyle(csClickEvents | csOpaque | csDoubleClicks);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 150, 40);
  SetTabStop(true);
  trackTimer_.SetEnabled(false);
  trackTimer_.SetInterval(kTrackPeriodMs);
  trackTimer_.SetOnTimer([this](TTimer*) { timerTrack(); });
  for (TSliderImage i : {siHThumb, siHRuler, siVThumb, siVRuler}) SetImage(i, nullptr);
  adjustElements();
  creating_ = false;
}

TRxCustomSlider::~TRxCustomSlider() {
  OnChange = nullptr;
  OnChanged = nullptr;
  OnDrawPoints = nullptr;
  for (auto& image : images_) {
    if (image) image->OnChange = nullptr;
  }
}

// --- properties ---------------------------------------------------------------------------

void TRxCustomSlider::SetValue(int value) {
  int clamped = std::max(std::min(value, maxValue_), minValue_);
  bool changed = clamped != value_;
  value_ = clamped;
  setThumbOffset(getOffsetByValue(clamped));
  if (changed) Change();
}

void TRxCustomSlider::SetRange(int min, int max) {
  bool reading = ComponentState() & csReading;
  if (min == minValue_ && max == maxValue_) return;
  if (!reading && min >= max) return;
  minValue_ = min;
  maxValue_ = max;
  if (!reading && int64_t(max) < int64_t(min) + increment_) increment_ = max - min;
  if (InSet(options_, soShowPoints)) Invalidate();
  SetValue(value_);
  RangeChanged();
}

void TRxCustomSlider::SetIncrement(int value) {
  if (!(ComponentState() & csReading)) {
    long long span = (long long)maxValue_ - minValue_;
    if (value > span || value < 1) throw Exception(FormatText(kIncrementRange, 1, span));
  }
  if (value > 0 && value != increment_) {
    increment_ = value;
    SetValue(value_);
    Invalidate();
  }
}

void TRxCustomSlider::SetOrientation(TSliderOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  Sized();
  if (!(ComponentState() & csLoading)) {
    SetBounds(Left(), Top(), Height(), Width());
    syncSize();
  }
}

void TRxCustomSlider::SetOptions(TSliderOptions value) {
  if (value == options_) return;
  options_ = value;
  Invalidate();
}

void TRxCustomSlider::SetBevelStyle(TBevelCut value) {
  if (value == bevelStyle_) return;
  bevelStyle_ = value;
  Sized();
  Update();
}

void TRxCustomSlider::SetEdgeSize(int value) {
  if (value == edgeSize_) return;
  const TBitmap& ruler = *images_[orientation_ == soHorizontal ? siHRuler : siVRuler];
  int length = orientation_ == soHorizontal ? ruler.Width() : ruler.Height();
  if (2 * int64_t(value) >= length) return;
  edgeSize_ = value;
  Sized();
}

// Only 1 or 2 frames exist; anything else would divide the thumb image by nothing.
void TRxCustomSlider::SetNumThumbStates(TNumThumbStates value) {
  if (value < 1 || value > 2 || value == numThumbStates_) return;
  numThumbStates_ = value;
  adjustElements();
}

void TRxCustomSlider::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  if (value) {
    stopTracking();
    if (sliding_) ThumbMouseUp(mbLeft, 0, 0, 0);
  }
  readOnly_ = value;
}

// --- images and the layout ----------------------------------------------------------------

void TRxCustomSlider::SetImage(TSliderImage index, const TBitmap* bitmap) {
  std::unique_ptr<TBitmap>& image = images_[index];
  if (!image) {
    image = std::make_unique<TBitmap>();
    image->OnChange = [this](TGraphic*) { sliderImageChanged(); };
  }
  if (bitmap) {
    // Setting an image to itself (Loaded does) still rebuilds the geometry.
    if (bitmap != image.get()) image->Assign(*bitmap);
    else sliderImageChanged();
    userImages_ |= SetOf(index);
    return;
  }
  std::shared_ptr<const TBitmap> builtin = builtinImage(index);
  if (builtin) image->Assign(*builtin);
  else image->Assign(nullptr);
  userImages_ &= uint8_t(~SetOf(index));
  if (!(ComponentState() & csReading)) {
    options_ &= uint8_t(~SetOf(isThumb(index) ? soThumbOpaque : soRulerOpaque));
    Invalidate();
  }
}

void TRxCustomSlider::sliderImageChanged() {
  if (!creating_) Sized();
}

bool TRxCustomSlider::ShouldWriteUserImages(const TRxCustomSlider* ancestor) const {
  return ancestor ? ancestor->userImages_ != userImages_ : userImages_ != 0;
}

void TRxCustomSlider::ReadUserImages(TStream& stream) {
  uint8_t set = 0;
  stream.ReadBuffer(&set, 1);
  userImages_ = set & 0x0F;
}

void TRxCustomSlider::WriteUserImages(TStream& stream) const {
  stream.WriteBuffer(&userImages_, 1);
}

void TRxCustomSlider::Loaded() {
  TCustomControl::Loaded();
  for (TSliderImage i : {siHThumb, siHRuler, siVThumb, siVRuler}) {
    if (InSet(userImages_, i)) SetImage(i, GetImage(i));
  }
}

void TRxCustomSlider::Resized() {
  if (!(ComponentState() & csReading)) Sized();
}

// --- events -------------------------------------------------------------------------------

void TRxCustomSlider::Change() {
  if (OnChange) OnChange(this);
}

void TRxCustomSlider::Changed() {
  if (OnChanged) OnChanged(this);
}

void TRxCustomSlider::EnabledChanged() {
  TCustomControl::EnabledChanged();
  invalidateThumb();
}

void TRxCustomSlider::FocusChanged(QWidget* focused) {
  bool now = focused == this;
  if (now == focused_) return;
  focused_ = now;
  if (InSet(options_, soShowFocus)) Invalidate();
}

// --- jumps and keys -----------------------------------------------------------------------

// Steps are aligned to multiples of Increment counted from 0, not from MinValue.
void TRxCustomSlider::thumbJump(TJumpMode mode) {
  int64_t aligned = RoundHalfEven(double(value_) / increment_) * increment_;
  int64_t target;
  switch (mode) {
    case jmHome: target = minValue_; break;
    case jmEnd: target = maxValue_; break;
    case jmNext: target = aligned + increment_; break;
    case jmPrior: target = aligned - increment_; break;
    default: return;
  }
  if (target >= maxValue_) target = maxValue_;
  else if (target <= minValue_) target = minValue_;
  if (target != value_) SetValue(int(target));
}

TJumpMode TRxCustomSlider::jumpTo(int x, int y) {
  if (orientation_ == soHorizontal) {
    if (x < thumbRect_.Left) return jmPrior;
    if (x > thumbRect_.Right) return jmNext;
  } else {
    if (y < thumbRect_.Top) return jmNext;
    if (y > thumbRect_.Bottom) return jmPrior;
  }
  return jmNone;
}

void TRxCustomSlider::KeyDown(uint16_t& key, TShiftState shift) {
  TJumpMode mode = jmNone;
  bool horizontal = orientation_ == soHorizontal;
  if (!(shift & (ssShift | ssAlt | ssCtrl))) {
    switch (key) {
      case VK_HOME: mode = jmHome; break;
      case VK_END: mode = jmEnd; break;
      case VK_LEFT: mode = horizontal ? jmPrior : jmNone; break;
      case VK_RIGHT: mode = horizontal ? jmNext : jmNone; break;
      case VK_UP: mode = horizontal ? jmNone : jmNext; break;
      case VK_DOWN: mode = horizontal ? jmNone : jmPrior; break;
      default: break;
    }
  }
  if (mode != jmNone && userMayChange()) {
    key = 0;
    syncSize();
    thumbJump(mode);
    Changed();
  }
  TCustomControl::KeyDown(key, shift);
}

// --- mouse --------------------------------------------------------------------------------

void TRxCustomSlider::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || (shift & ssDouble)) return;
  syncSize();
  if (CanFocus()) SetFocus();
  if (PtInRect(thumbRect_, Point(x, y))) {
    ThumbMouseDown(button, shift, x, y);
    return;
  }
  TRect band = Bounds(rulerOrigin_.X, rulerOrigin_.Y, rulerSize_.cx, rulerSize_.cy);
  if (orientation_ == soHorizontal) InflateRect(band, 0, 3);
  else InflateRect(band, 3, 0);
  if (!PtInRect(band, Point(x, y)) || !userMayChange()) return;
  tracking_ = true;
  mousePos_ = Point(x, y);
  startJump_ = jumpTo(x, y);
  timerTrack();
}

// One step towards the held mouse now and one per timer period; none once the thumb has
// reached the mouse or the mouse has moved to the other side.
void TRxCustomSlider::timerTrack() {
  TJumpMode mode = jumpTo(mousePos_.X, mousePos_.Y);
  if (mode != startJump_) return;
  thumbJump(mode);
  if (!timerActive_) {
    trackTimer_.SetEnabled(true);
    timerActive_ = true;
  }
}

void TRxCustomSlider::stopTracking() {
  if (!tracking_) return;
  if (timerActive_) trackTimer_.SetEnabled(false);
  timerActive_ = false;
  tracking_ = false;
  Changed();
}

void TRxCustomSlider::MouseMove(TShiftState shift, int x, int y) {
  if ((shift & ssLeft) && sliding_) ThumbMouseMove(shift, x, y);
  else if (tracking_) mousePos_ = Point(x, y);
  TCustomControl::MouseMove(shift, x, y);
}

void TRxCustomSlider::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  stopTracking();
  if (sliding_) ThumbMouseUp(button, shift, x, y);
  TCustomControl::MouseUp(button, shift, x, y);
}

void TRxCustomSlider::ThumbMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (CanFocus()) SetFocus();
  if (button != mbLeft || !userMayChange()) return;
  sliding_ = thumbDown_ = true;
  hit_ = orientation_ == soHorizontal ? x - thumbRect_.Left : y - thumbRect_.Top;
  invalidateThumb();
  Update();
}

void TRxCustomSlider::ThumbMouseMove(TShiftState shift, int x, int y) {
  if (!(shift & ssLeft) || !userMayChange()) return;
  setThumbOffset(orientation_ == soHorizontal ? x - hit_ : y - hit_);
}

void TRxCustomSlider::ThumbMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return;
  sliding_ = thumbDown_ = false;
  invalidateThumb();
  Update();
  if (userMayChange()) Changed();
}

}  // namespace rxslider
