// Exprogr: TProgress, a graphic control that shows Progress between Min and Max as a bar in a
// sunken trough, horizontal or vertical, in one colour or as a colour gradient, with an optional
// centred percentage text or optional division marks (the text and the marks exclude each other).
#pragma once

#include <cstdint>
#include <string>

#include "controls/ProgressRange.h"
#include "gui/Colors.h"
#include "gui/Controls.h"

namespace exprogr {

enum TPaintStyle : uint8_t { ptHoriz = 0, ptVert = 1 };

class TProgress : public gui::TGraphicControl {
public:
  // Bounds (10, 10, 100, 25) and every property at its declared default.
  explicit TProgress(QWidget* owner = nullptr);

  int32_t Progress() const { return range_.progress; }
  // Takes a changed value within Min..Max.
  void SetProgress(int32_t value);
  int32_t Max() const { return range_.max; }
  // Takes a value above Min; Progress above the new Max falls back to Min.
  void SetMax(int32_t value);
  int32_t Min() const { return range_.min; }
  // Takes a value below Max; Progress below the new Min rises to it.
  void SetMin(int32_t value);
  // The inset of the bar from the trough's frame. Takes a changed value of at least 0 whose
  // double is below both Width and Height.
  int32_t Border() const { return border_; }
  void SetBorder(int32_t value);
  // Refused while the division marks are shown.
  bool ShowText() const { return showText_; }
  void SetShowText(bool value);
  // Switching the marks on turns the text off; switching them off turns the outline off.
  bool ShowInter() const { return showInter_; }
  void SetShowInter(bool value);
  // Frames between the marks; refused while the marks are hidden.
  bool ShowOutline() const { return showOutline_; }
  void SetShowOutline(bool value);
  // The number of divisions minus one; a negative count is refused.
  int32_t InterCount() const { return interCount_; }
  void SetInterCount(int32_t value);
  int32_t InterSize() const { return interSize_; }
  void SetInterSize(int32_t value);

  gui::TColor BarColor() const { return barColor_; }
  void SetBarColor(gui::TColor value) { setColor(barColor_, value); }
  gui::TColor BackColor() const { return backColor_; }
  void SetBackColor(gui::TColor value) { setColor(backColor_, value); }
  // The text's colour over the bar (the font's own colour serves beside it).
  gui::TColor FontColor() const { return fontColor_; }
  void SetFBColor(gui::TColor value) { setColor(fontColor_, value); }
  gui::TColor InterColor() const { return interColor_; }
  void SetInterColor(gui::TColor value) { setColor(interColor_, value); }
  gui::TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(gui::TColor value) { setColor(beginColor_, value); }
  gui::TColor EndColor() const { return endColor_; }
  void SetEndColor(gui::TColor value) { setColor(endColor_, value); }
  gui::TColor OutlineColor() const { return outlineColor_; }
  void SetOutlineColor(gui::TColor value) { setColor(outlineColor_, value); }
  TPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TPaintStyle value);
  bool Gradiental() const { return gradiental_; }
  void SetGradiental(bool value);

  // The share of Min..Max that Progress covers, in whole percent (0..100).
  int Percent() const;
  // The text shown in the middle: the percentage followed by "%".
  std::string PercentText() const;
  // The bar's length in pixels along its axis.
  int BarLength() const;

protected:
  void Paint() override;

private:
  // The trough: BackColor in a two-pixel sunken frame.
  void DrawBar();
  // The bar, its text and the division marks.
  void DrawProgress();
  // The trough's interior, the bar's part of it and the rest.
  struct Parts {
    gui::TRect interior, bar, rest;
    bool vertical;
  };
  void drawHorizontal();
  void drawVertical();
  // Solid: the bar in BarColor. Gradient: the interior in bands, the rest covered again. Then the
  // text on each part.
  void drawParts(const Parts& parts);
  // The gradient from BeginColor to EndColor in 257 bands over the trough's interior.
  void drawGradient(const gui::TRect& interior, bool vertical);
  // The text clipped to `part`, in `color`; opaque in `back`, or over what is there when `back`
  // is clNone.
  void drawTextPart(const gui::TRect& part, gui::TColor color, gui::TColor back);
  void drawDivisions();
  gui::TRect interior() const;
  void setColor(gui::TColor& field, gui::TColor value);

  progress::ProgressRange range_;
  int32_t border_ = 0;
  gui::TColor barColor_ = 0;
  gui::TColor backColor_ = 0;
  gui::TColor fontColor_ = 0;
  gui::TColor interColor_ = 0;
  TPaintStyle paintStyle_ = ptHoriz;
  bool showText_ = false;
  bool gradiental_ = false;
  gui::TColor beginColor_ = 0;
  gui::TColor endColor_ = 0;
  gui::TColor outlineColor_ = 0;
  bool showInter_ = false;
  int32_t interCount_ = 0;
  int32_t interSize_ = 0;
  bool showOutline_ = false;
};

}  // namespace exprogr
