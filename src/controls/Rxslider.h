// TRxSlider: the bitmap slider of the windows. A ruler image stretched to the control's length
// and a two-frame thumb on it pick an integer Value between MinValue and MaxValue by dragging,
// by holding the mouse on the ruler, or with the keys; ticks mark the steps.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/Timer.h"

namespace gui {
class TStream;
}

namespace rxslider {

enum TSliderOrientation : uint8_t { soHorizontal, soVertical };
enum TSliderOption : uint8_t { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
enum TSliderImage : uint8_t { siHThumb, siHRuler, siVThumb, siVRuler };
enum TJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };
// The class library's bevel styles.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// Sets of one byte: bit n stands for member n.
using TSliderOptions = uint8_t;
using TSliderImages = uint8_t;
template <typename E>
constexpr uint8_t SetOf(E member) { return uint8_t(1u << member); }
template <typename E>
constexpr bool InSet(uint8_t set, E member) { return set & SetOf(member); }

// Frames in a thumb image, side by side: 1 or 2.
using TNumThumbStates = uint8_t;

class TRxCustomSlider : public gui::TCustomControl {
public:
  using TNotifyEvent = std::function<void(gui::TControl*)>;

  explicit TRxCustomSlider(QWidget* parent = nullptr);
  ~TRxCustomSlider() override;

  int Value() const { return value_; }
  // Clamped to the range; a stored value is applied again (it re-places the thumb).
  void SetValue(int value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int value) { SetRange(value, maxValue_); }
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value) { SetRange(minValue_, value); }
  // A pair with min >= max is dropped, except while a layout is read.
  void SetRange(int min, int max);
  int Increment() const { return increment_; }
  // Raises "Value must be between 1 and (MaxValue - MinValue)" for a value out of that range.
  void SetIncrement(int value);
  TSliderOrientation Orientation() const { return orientation_; }
  // Swaps Width and Height, except while loading.
  void SetOrientation(TSliderOrientation value);
  TSliderOptions Options() const { return options_; }
  void SetOptions(TSliderOptions value);
  TBevelCut BevelStyle() const { return bevelStyle_; }
  void SetBevelStyle(TBevelCut value);
  int EdgeSize() const { return edgeSize_; }
  // Taken only when twice the value is shorter than the ruler image of the orientation.
  void SetEdgeSize(int value);
  TNumThumbStates NumThumbStates() const { return numThumbStates_; }
  void SetNumThumbStates(TNumThumbStates value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // The four images, owned by the slider. Setting a bitmap copies it and marks the index in
  // UserImages; nullptr reloads the built-in image and clears the mark.
  gui::TBitmap* GetImage(TSliderImage index) const { return images_[index].get(); }
  void SetImage(TSliderImage index, const gui::TBitmap* bitmap);
  gui::TBitmap* ImageHThumb() const { return GetImage(siHThumb); }
  void SetImageHThumb(const gui::TBitmap* bitmap) { SetImage(siHThumb, bitmap); }
  gui::TBitmap* ImageHRuler() const { return GetImage(siHRuler); }
  void SetImageHRuler(const gui::TBitmap* bitmap) { SetImage(siHRuler, bitmap); }
  gui::TBitmap* ImageVThumb() const { return GetImage(siVThumb); }
  void SetImageVThumb(const gui::TBitmap* bitmap) { SetImage(siVThumb, bitmap); }
  gui::TBitmap* ImageVRuler() const { return GetImage(siVRuler); }
  void SetImageVRuler(const gui::TBitmap* bitmap) { SetImage(siVRuler, bitmap); }
  TSliderImages UserImages() const { return userImages_; }

  // The layout's binary property "UserImages" (one byte, the UserImages set): whether a layout
  // writer stores it, given the same component of the form's ancestor (or none), and its data.
  // An image property is stored only where StoreImage holds.
  bool ShouldWriteUserImages(const TRxCustomSlider* ancestor) const;
  void ReadUserImages(gui::TStream& stream);
  void WriteUserImages(gui::TStream& stream) const;
  bool StoreImage(TSliderImage index) const { return InSet(userImages_, index); }

  // Geometry of the current size: the thumb's place, where the ruler is drawn, the ruler built
  // for this length and where the ticks start.
  gui::TRect ThumbRect();
  gui::TPoint RulerOrigin();
  const gui::TBitmap& Ruler();
  gui::TPoint PointsOrigin();
  int GetThumbOffset();
  // The built-in ticks on the control's canvas (for OnDrawPoints handlers).
  void DefaultDrawPoints(int step, int length, int endLength);
  // The repeat timer of a press on the ruler; tests run its handler instead of waiting.
  gui::TTimer& TrackTimer() { return trackTimer_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanged;
  TNotifyEvent OnDrawPoints;

protected:
  virtual bool CanModify() { return true; }
  virtual gui::TRect GetSliderRect() const;
  virtual int GetSliderValue() const { return value_; }
  virtual void Sized();
  virtual void RangeChanged() {}
  virtual void ThumbMouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  virtual void ThumbMouseMove(gui::TShiftState shift, int x, int y);
  virtual void ThumbMouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  virtual void Change();
  virtual void Changed();

  void Paint() override;
  void Loaded() override;
  void Resized() override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void EnabledChanged() override;
  void FocusChanged(QWidget* focused) override;

private:
  // Geometry (RxsliderGeometry.cpp).
  const gui::TBitmap& thumbImage() const;
  // Drawing reads the image through a mutable reference (it mutes the image's change events).
  gui::TBitmap& thumbImage() {
    return const_cast<gui::TBitmap&>(std::as_const(*this).thumbImage());
  }
  int thumbWidth() const;
  int thumbHeight() const { return thumbImage().Height(); }
  int rulerLength() const;
  int minIndent() const;
  void buildRuler(const gui::TRect& r);
  void adjustElements();
  void syncSize();
  int getOffsetByValue(int value) const;
  int getValueByOffset(int offset) const;
  void getThumbPosition(int& offset, gui::TPoint& p) const;
  void setThumbOffset(int offset);
  void invalidateThumb();
  // Painting (RxsliderPaint.cpp).
  void drawThumb(gui::TCanvas& canvas, gui::TPoint origin, bool highlight);
  void internalDrawPoints(gui::TCanvas& canvas, int step, int length, int endLength);
  // Behaviour (Rxslider.cpp).
  void sliderImageChanged();
  void thumbJump(TJumpMode mode);
  TJumpMode jumpTo(int x, int y);
  void timerTrack();
  void stopTracking();
  bool userMayChange() { return CanModify() && !readOnly_; }

  std::array<std::unique_ptr<gui::TBitmap>, 4> images_;
  TSliderImages userImages_ = 0;
  int edgeSize_ = 2;
  gui::TBitmap ruler_;
  gui::TSize rulerSize_;  // kept apart: a ruler of length 0 is an empty bitmap
  gui::TPoint rulerOrigin_;
  gui::TRect thumbRect_;
  bool thumbDown_ = false;
  TNumThumbStates numThumbStates_ = 2;
  gui::TRect pointsRect_;
  TSliderOrientation orientation_ = soHorizontal;
  TSliderOptions options_ = SetOf(soShowFocus) | SetOf(soShowPoints) | SetOf(soSmooth);
  TBevelCut bevelStyle_ = bvNone;
  int bevelWidth_ = 1;
  int minValue_ = 0;
  int maxValue_ = 100;
  int increment_ = 10;
  int value_ = 0;
  int hit_ = 0;
  bool focused_ = false;
  bool sliding_ = false;
  bool tracking_ = false;
  bool timerActive_ = false;
  gui::TPoint mousePos_;
  TJumpMode startJump_ = jmNone;
  bool readOnly_ = false;
  bool creating_ = true;
  QSize laidOutSize_{-1, -1};
  gui::TTimer trackTimer_;
};

class TRxSlider : public TRxCustomSlider {
public:
  using TRxCustomSlider::TRxCustomSlider;
};

}  // namespace rxslider
