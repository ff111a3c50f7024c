#include "controls/RxLabel.h"

#include <QMouseEvent>

#include "controls/RxctrlsHelpers.h"
#include "controls/VclutilsWindows.h"

namespace rxctrls {

using namespace gui;

namespace {

unsigned alignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

unsigned wordBreakFlag(bool wordWrap) { return wordWrap ? unsigned(DT_WORDBREAK) : 0u; }

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

TRxCustomLabel::TRxCustomLabel(QWidget* parent) : TGraphicControl(parent) {
  SetStyleFlag(csOpaque, true);
  SetBounds(0, 0, 65, 17);
}

void TRxCustomLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TRxCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TRxCustomLabel::SetFocusControl(QWidget* value) {
  QObject::disconnect(focusControlGone_);
  focusControl_ = value;
  // The free notification: a destroyed control leaves no dangling reference behind.
  if (value) {
    focusControlGone_ = QObject::connect(value, &QObject::destroyed, this,
                                         [this] { SetFocusControl(nullptr); });
  }
  if (showFocus_) Invalidate();
}

void TRxCustomLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
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

void TRxCustomLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  UpdateAccelerator(Caption(), showAccelChar_);
  Invalidate();
}

void TRxCustomLabel::SetShowFocus(bool value) {
  if (value == showFocus_) return;
  showFocus_ = value;
  Invalidate();
}

void TRxCustomLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  SetStyleFlag(csOpaque, !value);
  Invalidate();
}

void TRxCustomLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  // Without AutoSize the bounds stay, yet the text must be laid out again.
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
  std::string text = GetLabelCaption();
  // An empty label still measures one line.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
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
  TCanvas& canvas = Canvas();
  if (!Transparent()) {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
  }
  canvas.Brush.Style = bsClear;
  TRect rect = textArea(ClientRect(), leftMargin_, rightMargin_);
  unsigned flags = DT_EXPANDTABS | wordBreakFlag(wordWrap_) | alignmentFlag(alignment_);
  if (layout_ == tlCenter || layout_ == tlBottom) {
    DoDrawText(rect, flags | DT_CALCRECT);
    rect.Left = ClientRect().Left + leftMargin_;
    rect.Right = ClientRect().Right - rightMargin_;
    int free = Height() - rect.Bottom;
    OffsetRect(rect, 0, layout_ == tlCenter ? free / 2 : free);
  }
  DoDrawText(rect, flags);
  if (showFocus_ && focusControl_ && focused_) {
    InflateRect(rect, 1, 0);
    canvas.Brush.Color = Color();
    canvas.DrawFocusRect(rect);
  }
}

void TRxCustomLabel::AdjustBounds() {
  if (!autoSize_) return;
  TRect rect = textArea(ClientRect(), leftMargin_, rightMargin_);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | wordBreakFlag(wordWrap_));
  rect.Left -= leftMargin_;
  rect.Right += rightMargin_;
  InflateRect(rect, 1, 0);
  int left = Left();
  // A right-aligned label keeps its right edge and grows to the left.
  if (alignment_ == taRightJustify) left += Width() - rect.Right;
  SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TRxCustomLabel::FocusChanged(QWidget* focused) {
  bool active = focusControl_ && focused == focusControl_;
  if (active == focused_) return;
  focused_ = active;
  if (showFocus_) Invalidate();
}

void TRxCustomLabel::TextChanged() {
  UpdateAccelerator(Caption(), showAccelChar_);
  Invalidate();
  AdjustBounds();
}

void TRxCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TRxCustomLabel::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  updateTracking();
}

void TRxCustomLabel::VisibleChanged() {
  TGraphicControl::VisibleChanged();
  if (Visible()) updateTracking();
}

bool TRxCustomLabel::DialogChar(char key) {
  if (!focusControl_ || !Enabled() || !showAccelChar_ || !IsAccel(key, GetLabelCaption())) {
    return false;
  }
  if (!focusControl_->isVisible() || !focusControl_->isEnabled()) return false;
  focusControl_->setFocus(Qt::ShortcutFocusReason);
  return true;
}

void TRxCustomLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRxCustomLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRxCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == mbLeft && Enabled()) dragging_ = true;
}

void TRxCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
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
  TGraphicControl::mousePressEvent(event);
  if (event->button() == Qt::RightButton) updateTracking();
}

void TRxCustomLabel::mouseReleaseEvent(QMouseEvent* event) {
  TGraphicControl::mouseReleaseEvent(event);
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
