// TGradient: a graphic control that fills its rectangle with a colour gradient from BeginColor
// to EndColor in bands (top to bottom, left to right) or nested shapes (ellipses, rectangles).
// The panel's title bar is one.
#pragma once

#include <array>
#include <cstdint>

#include "gui/Colors.h"
#include "gui/Controls.h"

namespace exgrad {

enum TFillType : uint8_t { ftTopToBottom = 0, ftLeftToRight = 1, ftRounded = 2, ftRectangled = 3 };

class TGradient : public gui::TGraphicControl {
public:
  // Step counts outside this range are refused by SetNumberOfColor.
  static constexpr int kMinColors = 2;
  static constexpr int kMaxColors = 256;

  // Begin black, end white, 256 steps, top to bottom, bounds (10, 10, 100, 100).
  explicit TGradient(QWidget* owner = nullptr);

  gui::TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(gui::TColor color);
  gui::TColor EndColor() const { return endColor_; }
  void SetEndColor(gui::TColor color);
  int NumberOfColors() const { return numberOfColors_; }
  // Takes only a changed value within kMinColors..kMaxColors; others are ignored.
  void SetNumberOfColor(int count);
  TFillType FillType() const { return fillType_; }
  void SetFillType(TFillType fillType);

  // Entry i (0..NumberOfColors()) of the colour table, as RGB.
  gui::TColor TableColor(int i) const { return colors_[size_t(i)]; }

protected:
  void Paint() override;

private:
  void CalcColor();

  gui::TColor beginColor_ = gui::clBlack;
  gui::TColor endColor_ = gui::clWhite;
  int numberOfColors_ = kMaxColors;
  TFillType fillType_ = ftTopToBottom;
  // Entries 0..N; recomputed when a colour or N changes, never while painting.
  std::array<gui::TColor, kMaxColors + 1> colors_{};
};

}  // namespace exgrad
