#include "gui/CustomLabel.h"

namespace gui {

TCustomLabel::TCustomLabel(QWidget* parent) : TGraphicControl(parent) {
  SetStyleFlag(csOpaque, true);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  AdjustBounds();
  // Without AutoSize the bounds stay, yet the text must be laid out again.
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  UpdateAccelerator(Caption(), showAccelChar_);
  Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
  if (transparent == Transparent()) return;
  SetStyleFlag(csOpaque, !transparent);
  Invalidate();
}

void TCustomLabel::SetFocusControl(QWidget* control) {
  QObject::disconnect(focusControlGone_);
  focusControl_ = control;
  // The free notification: a destroyed control leaves no dangling reference behind.
  if (control) {
    focusControlGone_ = QObject::connect(control, &QObject::destroyed, this,
                                         [this] { SetFocusControl(nullptr); });
  }
  FocusControlChanged();
}

unsigned TCustomLabel::AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

unsigned TCustomLabel::WordBreakFlag() const { return wordWrap_ ? unsigned(DT_WORDBREAK) : 0u; }

std::string TCustomLabel::TextToDraw(unsigned& flags) const {
  std::string text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return text;
}

void TCustomLabel::DoDrawText(TRect& r, unsigned flags) {
  std::string text = TextToDraw(flags);
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  if (!Enabled()) {
    OffsetRect(r, 1, 1);
    canvas.Font.Color = clBtnHighlight;
    canvas.DrawText(text, r, flags);
    OffsetRect(r, -1, -1);
    canvas.Font.Color = clBtnShadow;
  }
  canvas.DrawText(text, r, flags);
}

void TCustomLabel::PaintBackground() {
  TCanvas& canvas = Canvas();
  if (!Transparent()) {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
  }
  canvas.Brush.Style = bsClear;
}

void TCustomLabel::Paint() {
  PaintBackground();
  TRect r = ClientRect();
  unsigned flags = DT_EXPANDTABS | WordBreakFlag() | AlignmentFlag(alignment_);
  if (layout_ != tlTop) {
    TRect measured = r;
    DoDrawText(measured, flags | DT_CALCRECT);
    int shift = layout_ == tlBottom ? Height() - measured.Bottom
                                    : (Height() - measured.Bottom) / 2;
    OffsetRect(r, 0, shift);
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if ((ComponentState() & csReading) || !autoSize_) return;
  TRect r = ClientRect();
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | WordBreakFlag());
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Right;
  SetBounds(left, Top(), r.Right, r.Bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::TextChanged() {
  UpdateAccelerator(Caption(), showAccelChar_);
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

bool TCustomLabel::FocusOnAccelerator(char key, const std::string& text) {
  if (!focusControl_ || !Enabled() || !showAccelChar_ || !IsAccel(key, text)) return false;
  if (!focusControl_->isVisible() || !focusControl_->isEnabled()) return false;
  focusControl_->setFocus(Qt::ShortcutFocusReason);
  return true;
}

bool TCustomLabel::DialogChar(char key) { return FocusOnAccelerator(key, Caption()); }

}  // namespace gui
