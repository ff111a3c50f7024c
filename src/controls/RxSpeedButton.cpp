// The speed button's properties, painting, clicks from code and notifications; the mouse,
// drop-down menu, auto-repeat and group handling are in RxSpeedButtonMouse.cpp.
#include "controls/RxSpeedButton.h"

#include <QDialog>

#include "controls/VclutilsWindows.h"
#include "platform/Clock.h"

namespace rxctrls {

using namespace gui;

namespace {

// How long a click from code shows the button pressed.
constexpr uint32_t kClickPauseMs = 20;

unsigned alignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    default: return DT_CENTER;
  }
}

// The class library's pattern of latched buttons: face and highlight in a checkerboard.
TBitmap checkeredPattern() {
  TBitmap pattern(8, 8);
  pattern.Canvas().Brush.Color = clBtnFace;
  pattern.Canvas().FillRect(Rect(0, 0, 8, 8));
  for (int y = 0; y < 8; ++y) {
    for (int x = y % 2; x < 8; x += 2) pattern.Canvas().SetPixel(x, y, clBtnHighlight);
  }
  return pattern;
}

}  // namespace

TRxSpeedButton::TRxSpeedButton(QWidget* parent) : TGraphicControl(parent) {
  SetBounds(0, 0, 25, 25);
  // Captures the mouse, paints all of itself, takes double clicks; clicks come from the
  // button's own release handling, not from the control base.
  SetControlStyle(csDoubleClicks | csOpaque);
  glyph_.OnChange = [this](TRxButtonGlyph*) { Invalidate(); };
}

TRxSpeedButton::~TRxSpeedButton() { glyph_.OnChange = nullptr; }

void TRxSpeedButton::SetAlignment(TAlignment value) {
  if (value == glyph_.Alignment()) return;
  glyph_.SetAlignment(value);
  Invalidate();
}

void TRxSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  updateExclusive();
}

void TRxSpeedButton::SetAllowTimer(bool value) {
  allowTimer_ = value;
  if (value || !repeatTimer_) return;
  repeatTimer_->SetEnabled(false);
  // The handler may be running on this very timer: it must outlive the handler.
  if (inTimerHandler_) retiredTimer_ = std::move(repeatTimer_);
  else repeatTimer_.reset();
}

void TRxSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  updateExclusive();
}

void TRxSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  if (value) {
    if (state_ == rbsUp) Invalidate();
    state_ = rbsExclusive;
  } else {
    state_ = rbsUp;
  }
  Repaint();
  if (value) updateExclusive();
  Invalidate();
}

void TRxSpeedButton::SetDropDownMenu(TPopupMenu* value) {
  QObject::disconnect(dropDownMenuGone_);
  dropDownMenu_ = value;
  // The free notification: a destroyed menu leaves no dangling reference behind.
  if (value) {
    dropDownMenuGone_ = QObject::connect(value, &QObject::destroyed, this,
                                         [this] { SetDropDownMenu(nullptr); });
  }
  if (markDropDown_) Invalidate();
}

void TRxSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TRxSpeedButton::SetGlyph(const TBitmap& value) {
  glyph_.SetGlyph(value);
  Invalidate();
}

void TRxSpeedButton::SetGrayedInactive(bool value) {
  if (value == grayedInactive_) return;
  grayedInactive_ = value;
  Invalidate();
}

void TRxSpeedButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TRxSpeedButton::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}

void TRxSpeedButton::SetMarkDropDown(bool value) {
  if (value == markDropDown_) return;
  markDropDown_ = value;
  Invalidate();
}

void TRxSpeedButton::SetNumGlyphs(TRxNumGlyphs value) {
  value = std::clamp(value, 1, kButtonStateCount);
  if (value == glyph_.NumGlyphs()) return;
  glyph_.SetNumGlyphs(value);
  Invalidate();
}

void TRxSpeedButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TRxSpeedButton::SetStyle(TButtonStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

void TRxSpeedButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TRxSpeedButton::SetWordWrap(bool value) {
  if (value == glyph_.WordWrap()) return;
  glyph_.SetWordWrap(value);
  Invalidate();
}

void TRxSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = rbsDisabled;
    dragging_ = false;
  } else if (state_ == rbsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? rbsExclusive : rbsUp;
  }
  TRxButtonState paintState = flat_ && !mouseInControl_ ? rbsInactive : state_;
  drawImage_.SetSize(Width(), Height());
  TCanvas& canvas = drawImage_.Canvas();
  canvas.Font = Font();
  canvas.Brush.Color = clBtnFace;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(ClientRect());
  if (transparent_) vclutils::CopyParentImage(this, canvas);
  TRect face = ClientRect();
  bool pressed = state_ == rbsDown || state_ == rbsExclusive;
  if (paintState != rbsInactive || state_ == rbsExclusive) {
    face = DrawButtonFrame(canvas, ClientRect(), pressed, flat_, style_);
  } else {
    InflateRect(face, -2, -2);
  }
  if (state_ == rbsExclusive && !transparent_ && (!flat_ || paintState == rbsInactive)) {
    TBitmap pattern = checkeredPattern();
    canvas.Brush.Bitmap = &pattern;
    TRect latched = face;
    InflateRect(latched, 1, 1);
    canvas.FillRect(latched);
    canvas.Brush.Bitmap = nullptr;
  }
  if (pressed) OffsetRect(face, 1, 1);
  // A flat button greys its glyph while inactive only with GrayedInactive.
  if (state_ == rbsDisabled || !grayedInactive_) paintState = state_;
  PaintGlyph(canvas, face, paintState, markDropDown_ && dropDownMenu_);
  Canvas().Draw(0, 0, drawImage_);
}

void TRxSpeedButton::PaintGlyph(TCanvas& canvas, const TRect& rect, TRxButtonState state,
                                bool drawMark) {
  glyph_.Draw(canvas, rect, Caption(), layout_, margin_, spacing_, drawMark, state,
              alignmentFlag(glyph_.Alignment()));
}

void TRxSpeedButton::ButtonClick() {
  if (menuTracking_ || !Enabled()) return;
  if (dropDownMenu_ && dropDownMenu_->AutoPopup()) return;
  if (!down_) {
    state_ = rbsDown;
    Repaint();
  }
  // The pressed look stays for a moment.
  platform::SleepMs(kClickPauseMs);
  if (groupIndex_ != 0) {
    state_ = rbsUp;
    SetDown(!down_);
    Click();
    return;
  }
  try {
    Click();
  } catch (...) {
    state_ = rbsUp;
    Repaint();
    throw;
  }
  state_ = rbsUp;
  Repaint();
}

void TRxSpeedButton::Click() {
  // The parent form takes the button's modal result; a modal dialog closes with a non-zero one.
  auto* dialog = qobject_cast<QDialog*>(window());
  if (dialog) dialog->setResult(modalResult_);
  TGraphicControl::Click();
  if (dialog && dialog->isModal() && dialog->result() != 0) dialog->done(dialog->result());
}

TRxButtonState TRxSpeedButton::aheadState() const {
  if (!Enabled()) return rbsDisabled;
  return flat_ ? rbsInactive : rbsUp;
}

void TRxSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  glyph_.CreateButtonGlyph(aheadState());
}

void TRxSpeedButton::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  glyph_.CreateButtonGlyph(aheadState());
  updateTracking();
  Repaint();
}

void TRxSpeedButton::TextChanged() {
  UpdateAccelerator(Caption(), true);
  TGraphicControl::TextChanged();
}

void TRxSpeedButton::VisibleChanged() {
  TGraphicControl::VisibleChanged();
  if (Visible()) updateTracking();
}

bool TRxSpeedButton::DialogChar(char key) {
  if (!IsAccel(key, Caption()) || !Enabled()) return false;
  Click();
  return true;
}

void TRxSpeedButton::changeEvent(QEvent* event) {
  // A change of the system colours: images built in the old colours are dropped.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) {
    glyph_.Invalidate();
    Invalidate();
  }
  TGraphicControl::changeEvent(event);
}

TRxTimerSpeedButton::TRxTimerSpeedButton(QWidget* parent) : TRxSpeedButton(parent) {
  SetStyle(bsWin31);
  SetAllowTimer(true);
}

}  // namespace rxctrls
