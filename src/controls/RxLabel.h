// The shadow label of Rxctrls: a caption drawn twice, first as a shadow shifted by a few pixels
// in a shadow colour, then the text itself. It can be transparent, sizes itself to text and
// shadow, aligns the text, shows a focus rectangle while its FocusControl has the focus, gives
// that control the focus on its accelerator key and reports mouse enter and leave.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gui/Canvas.h"
#include "gui/Controls.h"
#include "gui/CustomLabel.h"

namespace rxctrls {

// Where the shadow lies relative to the text.
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// Draws text into rect with DrawText's format: first the shadow, moved by shadowSize pixels
// towards shadowPos, in shadowColor, then the text in the canvas's text colour. rect becomes
// the union of both rectangles, so with DT_CALCRECT it is the size text and shadow need.
// Returns the shadow's DrawText height plus shadowSize (or DrawText's result when not above 0).
int DrawShadowText(gui::TCanvas& canvas, const std::string& text, gui::TRect& rect,
                   unsigned format, uint8_t shadowSize, gui::TColor shadowColor,
                   TShadowPosition shadowPos);

// The shadow label's base: the class library's label with the shadow, margins, the focus
// rectangle and mouse tracking added; the caption is drawn through DrawShadowText.
class TRxCustomLabel : public gui::TCustomLabel {
public:
  explicit TRxCustomLabel(QWidget* parent = nullptr);

  gui::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(gui::TColor value);
  uint8_t ShadowSize() const { return shadowSize_; }
  void SetShadowSize(uint8_t value);
  TShadowPosition ShadowPos() const { return shadowPos_; }
  void SetShadowPos(TShadowPosition value);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value);
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int value);

  bool MouseInControl() const { return mouseInControl_; }
  bool FocusShown() const { return focused_; }

  std::function<void(gui::TControl*)> OnMouseEnter;
  std::function<void(gui::TControl*)> OnMouseLeave;

protected:
  void Paint() override;
  virtual gui::TColor GetDefaultFontColor() const { return Font().Color; }
  virtual std::string GetLabelCaption() const { return Caption(); }
  std::string GetLabelText() const override { return GetLabelCaption(); }
  // Call OnMouseEnter / OnMouseLeave.
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;

  // Draws (with DT_CALCRECT measures) the caption and its shadow into rect.
  void DoDrawText(gui::TRect& rect, unsigned flags) override;
  // With AutoSize, the bounds take the size of text, shadow and margins; a right-aligned label
  // keeps its right edge.
  void AdjustBounds() override;
  void FocusControlChanged() override;

  void FocusChanged(QWidget* focused) override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  bool DialogChar(char key) override;

  // The mouse-enter and mouse-leave notifications; right-button presses and releases re-check
  // whether the mouse is over the label.
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void updateTracking();

  gui::TColor shadowColor_ = gui::clBtnHighlight;
  uint8_t shadowSize_ = 1;
  TShadowPosition shadowPos_ = spLeftTop;
  bool showFocus_ = false;
  bool focused_ = false;
  bool mouseInControl_ = false;
  bool dragging_ = false;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
};

// The published shadow label.
class TRxLabel : public TRxCustomLabel {
public:
  using TRxCustomLabel::TRxCustomLabel;
};

}  // namespace rxctrls
