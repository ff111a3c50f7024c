// QELProgress: a graphic control that shows Progress between Min and Max as a bar with a shaded,
// cylinder-like look: a light tint of BarColor edged with lighter and darker tints and the
// system's shadow colours, in a sunken trough of BackColor. The channel list shows a frequency
// scan's progress with one.
#pragma once

#include <cstdint>

#include "controls/ProgressRange.h"
#include "gui/Colors.h"
#include "gui/Controls.h"

namespace qelprogress {

enum Tprgstyle : uint8_t { prgHorizontal = 0, prgVertical = 1 };

// Each of red, green and blue moves up (Lighten) or down (Darken) by `step`; a channel that would
// leave 0..255 keeps its old value. The result is a plain RGB value: the top byte of `color` is
// dropped, so a system colour must be converted (gui::ColorToRGB) before it is tinted.
gui::TColor LightenColor(gui::TColor color, uint8_t step);
gui::TColor DarkenColor(gui::TColor color, uint8_t step);

// The pens the bar is drawn with, recomputed from the bar colour before each paint.
struct ShadeColors {
  gui::TColor base = 0;
  gui::TColor light1 = 0, light2 = 0, light3 = 0;
  gui::TColor dark1 = 0, dark2 = 0;
  gui::TColor darkShadow = 0, buttonShadow = 0, middle = 0;
};

// The shades of `barColor` (a system colour is converted first): lights and darks in steps of
// 51, the system's dark shadow and button shadow, and their per-channel mean (rounded down).
ShadeColors UpdateColors(gui::TColor barColor);

class QELProgress : public gui::TGraphicControl {
public:
  // Declared defaults of the stored layout: Kind horizontal, Progress 0, Border 1, Max 100, Min 0,
  // BarColor 0xFF0000, BackColor 0xFFFFFF. The constructor gives Border 0, BarColor teal and
  // BackColor the menu colour instead, so a layout that leaves those out gets these.
  static constexpr int32_t kDeclaredBorder = 1;
  static constexpr gui::TColor kDeclaredBarColor = 0xFF0000;
  static constexpr gui::TColor kDeclaredBackColor = 0xFFFFFF;

  // Bounds (10, 10, 100, 15), Min 0, Max 100, Progress 0, BackColor clMenu, BarColor teal.
  explicit QELProgress(QWidget* owner = nullptr);

  int32_t Progress() const { return range_.progress; }
  // Takes a changed value within Min..Max.
  void SetProgress(int32_t value);
  int32_t Max() const { return range_.max; }
  // Takes a value above Min; Progress above the new Max falls back to Min.
  void SetMax(int32_t value);
  int32_t Min() const { return range_.min; }
  // Takes a value below Max; Progress below the new Min rises to it.
  void SetMin(int32_t value);
  int32_t Border() const { return border_; }
  // Takes a changed value of at least 0 whose double is below both Width and Height. Painting
  // does not use it.
  void SetBorder(int32_t value);
  gui::TColor BarColor() const { return barColor_; }
  void SetBarColor(gui::TColor value);
  gui::TColor BackColor() const { return backColor_; }
  void SetBackColor(gui::TColor value);
  Tprgstyle Kind() const { return kind_; }
  // Takes every value; a vertical bar wider than high (or a horizontal one higher than wide)
  // trades its width and height. Paints at once.
  void SetStyle(Tprgstyle value);

protected:
  void Paint() override;

private:
  // The empty trough: BackColor in a one-pixel sunken frame.
  void DrawBar();
  // The shaded bar over the part of the trough that Progress covers.
  void DrawProgress();
  // Pixels of `extent` that Progress covers, Max - Min taken in 64 bits.
  int filledPixels(int extent) const;

  progress::ProgressRange range_;
  int32_t border_ = 0;
  gui::TColor barColor_ = 0;
  gui::TColor backColor_ = 0;
  Tprgstyle kind_ = prgHorizontal;
};

}  // namespace qelprogress
