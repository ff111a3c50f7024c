#include "controls/RxLabel.h"

#include <QMouseEvent>

#include "controls/RxctrlsHelpers.h"
#include "controls/VclutilsWindows.h"

namespace rxctrls {

using namespace gui;

namespace {

// The client rectangle less the margins and one pixel on each side, as text is laid out.
TRect textArea(const TRect& client, int leftMargin, int rightMargin) {
  TRect r = client;
  r.Left += leftMargin;
  r.Right -= rightMargin;
  InflateRect(r, -1, 0);
  return r;
}

}  // namespace

int DrawShadowText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned format,
                   uint8_t shadowSize, TColor shadowColor, TShadowPosition shadowPos) {
  TRect textRect = rect;
  TRect shadowRect = rect;
  TColor oldColor = canvas.TextColor();
  canvas.SetTextColor(shadowColor);
  int s = shadowSize;
  switch (shadowPos) {
    case spLeftTop: OffsetRect(shadowRect, -s, -s); break;
    case spLeftBottom: OffsetRect(shadowRect, -s, s); break;
    case spRightBottom: OffsetRect(shadowRect, s, s); break;
    case spRightTop: OffsetRect(shadowRect, s, -s); break;
  }
  int result = canvas.DrawText(text, shadowRect, format);
  if (result > 0) result += s;
  canvas.SetTextColor(oldColor);
  canvas.DrawText(text, textRect, format);
  UnionRect(rect, textRect, shadowRect);
  return result;
}

TRxCustomLabel::TRxCustomLabel(QWidget* parent) : TCustomLabel(parent) {}

void TRxCustomLabel::FocusControlChanged() {
  if (showFocus_) Invalidate();
}

void TRxCustomLabel::SetShadowColor(TColor value) {
  if (value == shadowColor_) return;
  shadowColor_ = value;
  Invalidate();
}

void TRxCustomLabel::SetShadowSize(uint8_t value) {
  if (value == shadowSize_) return;
  shadowSize_ = value;
  AdjustBounds();
  Invalidate();
}

void TRxCustomLabel::SetShadowPos(TShadowPosition value) {
  if (value == shadowPos_) return;
  shadowPos_ = value;
  Invalidate();
}

void TRxCustomLabel::SetShowFocus(bool value) {
  if (value == showFocus_) return;
  showFocus_ = value;
  Invalidate();
}

void TRxCustomLabel::SetLeftMargin(int value) {
  if (value == leftMargin_) return;
  leftMargin_ = std::max(value, 0);
  AdjustBounds();
  Invalidate();
}

void TRxCustomLabel::SetRightMargin(int value) {
  if (value == rightMargin_) return;
  rightMargin_ = std::max(value, 0);
  AdjustBounds();
  Invalidate();
}

void TRxCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
  std::string text = TextToDraw(flags);
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  canvas.Font.Color = GetDefaultFontColor();
  TShadowPosition pos = shadowPos_;
  uint8_t size = shadowSize_;
  TColor shadow = shadowColor_;
  if (!Enabled()) {
    // Engraved: grey text over a highlight shadow, at least one pixel to the lower right.
    if (size == 0) {
      pos = spRightBottom;
      size = 1;
    }
    canvas.Font.Color = clGrayText;
    shadow = clBtnHighlight;
  }
  DrawShadowText(canvas, text, rect, flags, size, ColorToRGB(shadow), pos);
}

void TRxCustomLabel::Paint() {
  if (!Enabled()) mouseInControl_ = false;
  PaintBackground();
  TRect rect = textArea(ClientRect(), leftMargin_, rightMargin_);
  unsigned flags = DT_EXPANDTABS | WordBreakFlag() | AlignmentFlag(Alignment());
  if (Layout() == tlCenter || Layout() == tlBottom) {
    DoDrawText(rect, flags | DT_CALCRECT);
    rect.Left = ClientRect().Left + leftMargin_;
    rect.Right = ClientRect().Right - rightMargin_;
    int free = Height() - rect.Bottom;
    OffsetRect(rect, 0, Layout() == tlCenter ? free / 2 : free);
  }
  DoDrawText(rect, flags);
  if (showFocus_ && FocusControl() && focused_) {
    InflateRect(rect, 1, 0);
    Canvas().Brush.Color = Color();
    Canvas().DrawFocusRect(rect);
  }
}

// Unlike the plain label's, this measures also while a layout is read.
void TRxCustomLabel::AdjustBounds() {
  if (!AutoSize()) return;
  TRect rect = textArea(ClientRect(), leftMargin_, rightMargin_);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | WordBreakFlag());
  rect.Left -= leftMargin_;
  rect.Right += rightMargin_;
  InflateRect(rect, 1, 0);
  int left = Left();
  // A right-aligned label keeps its right edge and grows to the left.
  if (Alignment() == taRightJustify) left += Width() - rect.Right;
  SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TRxCustomLabel::FocusChanged(QWidget* focused) {
  bool active = FocusControl() && focused == FocusControl();
  if (active == focused_) return;
  focused_ = active;
  if (showFocus_) Invalidate();
}

void TRxCustomLabel::EnabledChanged() {
  TCustomLabel::EnabledChanged();
  updateTracking();
}

void TRxCustomLabel::VisibleChanged() {
  TCustomLabel::VisibleChanged();
  if (Visible()) updateTracking();
}

bool TRxCustomLabel::DialogChar(char key) { return FocusOnAccelerator(key, GetLabelCaption()); }

void TRxCustomLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRxCustomLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRxCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomLabel::MouseDown(button, shift, x, y);
  if (button == mbLeft && Enabled()) dragging_ = true;
}

void TRxCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomLabel::MouseUp(button, shift, x, y);
  if (button == mbLeft) dragging_ = false;
  updateTracking();
}

void TRxCustomLabel::enterEvent(QEnterEvent*) {
  if (mouseInControl_ || !Enabled() || !vclutils::IsForegroundTask()) return;
  mouseInControl_ = true;
  MouseEnter();
}

void TRxCustomLabel::leaveEvent(QEvent*) {
  // While the left button is held on the label the mouse still counts as inside.
  if (!mouseInControl_ || !Enabled() || dragging_) return;
  mouseInControl_ = false;
  MouseLeave();
}

void TRxCustomLabel::mousePressEvent(QMouseEvent* event) {
  TCustomLabel::mousePressEvent(event);
  if (event->button() == Qt::RightButton) updateTracking();
}

void TRxCustomLabel::mouseReleaseEvent(QMouseEvent* event) {
  TCustomLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::RightButton) updateTracking();
}

void TRxCustomLabel::updateTracking() {
  bool wasInside = mouseInControl_;
  mouseInControl_ =
      Enabled() && detail::controlAtCursor() == this && vclutils::IsForegroundTask();
  if (mouseInControl_ == wasInside) return;
  if (mouseInControl_) MouseEnter();
  else MouseLeave();
}

}  // namespace rxctrls
