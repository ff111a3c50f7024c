// The button of TCustomComboEdit: TEditButton itself, the button's width and glyph kinds, and
// where the button sits in the edit.
#include <QApplication>
#include <QStyle>

#include "controls/Tooledit.h"
#include "gui/BuiltinBitmaps.h"

using namespace gui;

// The resources live in a static library: registering them needs a reference from its code.
static void initTooleditResources() { Q_INIT_RESOURCE(controls_tooledit); }

namespace tooledit {

namespace {

constexpr int kDefaultButtonWidth = 21;

// The system's vertical scroll bar width: the width of a drop-down button.
int scrollBarWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

// Three black 2 x 2 dots on white, spaced by the room there is.
TBitmap ellipsisGlyph(int buttonWidth) {
  int width = std::max(1, buttonWidth - 6);
  TBitmap glyph(width, 4);
  glyph.SetMonochrome(true);
  TCanvas& canvas = glyph.Canvas();
  canvas.Brush.Color = clWhite;
  canvas.FillRect(Rect(0, 0, width, 4));
  int gap = std::clamp((width - 6) / 2, 1, 3);
  int x = (width - 6 - 2 * gap) / 2;
  canvas.Brush.Color = clBlack;
  for (int i = 0; i < 3; ++i, x += 2 + gap) canvas.FillRect(Rect(x, 1, x + 2, 3));
  return glyph;
}

}  // namespace

std::shared_ptr<const TBitmap> BuiltinGlyph(const char* name) {
  static const bool registered = (initTooleditResources(), true);
  (void)registered;
  return LoadBuiltinBitmap(name);
}

// --- TEditButton ------------------------------------------------------------------------------

TEditButton::TEditButton(QWidget* holder, TCustomComboEdit* editor)
    : TRxSpeedButton(holder), editor_(editor) {}

void TEditButton::Paint() {
  TRxSpeedButton::Paint();
  if (State() == rxctrls::rbsDown) return;
  TCanvas& canvas = Canvas();
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(Rect(0, 0, 1, Height()));
  canvas.Brush.Color = clBtnHighlight;
  canvas.FillRect(Rect(1, 1, 2, Height() - 1));
}

// A press while the drop-down is open accepts it; the click that follows does nothing, so the
// drop-down does not open again at once.
void TEditButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && editor_) {
    noAction_ = editor_->Popup() && editor_->PopupVisible();
    if (noAction_) {
      editor_->PopupCloseUp(editor_->Popup(), true);
    } else if (editor_->TabStop() && editor_->CanFocus() && !editor_->hasFocus()) {
      editor_->SetFocus();
    }
  }
  TRxSpeedButton::MouseDown(button, shift, x, y);
}

void TEditButton::Click() {
  if (noAction_) {
    noAction_ = false;
    return;
  }
  TRxSpeedButton::Click();
}

// --- width and glyph --------------------------------------------------------------------------

int TCustomComboEdit::ButtonWidth() const { return button_->Width(); }

// Widths below 2 hide the button (0: no button at all).
void TCustomComboEdit::SetButtonWidth(int value) {
  if (value == ButtonWidth()) return;
  holder_->setVisible(value >= 2);
  if (Loading()) {
    holder_->resize(value, holder_->height());
    button_->SetWidth(value);
  } else if (value < width()) {
    button_->SetWidth(value);
    holder_->resize(value, holder_->height());
    UpdateBtnBounds();
  }
  RecreateGlyph();
}

int TCustomComboEdit::defaultButtonWidth() const {
  if (glyphKind_ == gkDropDown) return scrollBarWidth();
  if (glyphKind_ == gkDefault) {
    if (std::shared_ptr<const TBitmap> bitmap = const_cast<TCustomComboEdit*>(this)->GetDefaultBitmap()) {
      return std::max(bitmap->Width() / std::max(1, NumGlyphs()) + 6, kDefaultButtonWidth);
    }
  }
  return kDefaultButtonWidth;
}

bool TCustomComboEdit::IsButtonWidthStored() const { return ButtonWidth() != defaultButtonWidth(); }

const TBitmap& TCustomComboEdit::Glyph() const { return button_->Glyph(); }

void TCustomComboEdit::SetGlyph(const TBitmap& value) {
  glyphKind_ = gkCustom;
  button_->SetGlyph(value);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind value) {
  if (value == glyphKind_) return;
  glyphKind_ = value;
  if (glyphKind_ == gkCustom && Loading()) button_->SetGlyph(TBitmap());
  RecreateGlyph();
  if (glyphKind_ == gkDefault) {
    if (std::shared_ptr<const TBitmap> bitmap = GetDefaultBitmap()) {
      SetButtonWidth(std::max(bitmap->Width() / NumGlyphs() + 6, ButtonWidth()));
    }
  } else if (glyphKind_ == gkDropDown) {
    SetButtonWidth(scrollBarWidth());
  }
}

int TCustomComboEdit::NumGlyphs() const { return button_->NumGlyphs(); }

void TCustomComboEdit::SetNumGlyphs(int value) {
  switch (glyphKind_) {
    case gkDropDown:
    case gkEllipsis: value = 1; break;
    case gkDefault: value = defaultGlyphCount_; break;
    case gkCustom: break;
  }
  button_->SetNumGlyphs(value);
}

void TCustomComboEdit::RecreateGlyph() {
  switch (glyphKind_) {
    case gkDefault:
      if (std::shared_ptr<const TBitmap> bitmap = GetDefaultBitmap()) {
        button_->SetGlyph(*bitmap);
        button_->SetNumGlyphs(defaultGlyphCount_);
      }
      break;
    case gkDropDown:
      if (std::shared_ptr<const TBitmap> arrow = BuiltinGlyph("OBM_COMBO")) button_->SetGlyph(*arrow);
      button_->SetNumGlyphs(1);
      break;
    case gkEllipsis:
      button_->SetGlyph(ellipsisGlyph(ButtonWidth()));
      button_->SetNumGlyphs(1);
      break;
    case gkCustom: break;
  }
}

// --- geometry ---------------------------------------------------------------------------------

// The holder sits at the right end of the client area; Qt's coordinates count the border.
void TCustomComboEdit::UpdateBtnBounds() {
  int b = ButtonWidth(), w = width(), h = height();
  QRect r;
  if (BorderStyle() == bsNone) r = QRect(w - b, 0, b, h);
  else if (Ctl3D()) r = QRect(w - b - 2, 2, b, h - 4);
  else r = QRect(w - b - 1, 3, b, h - 4);
  holder_->setGeometry(r);
  button_->SetBounds(0, 0, b, r.height());
  SetEditRect();
}

// The text never runs under the button.
void TCustomComboEdit::SetEditRect() {
  int right = holder_->isVisibleTo(this) || holder_->width() >= 2 ? holder_->width() + 2 : 2;
  setTextMargins(0, 0, right, 0);
}

void TCustomComboEdit::BorderChanged() { UpdateBtnBounds(); }

void TCustomComboEdit::resizeEvent(QResizeEvent* event) {
  TCustomMaskEdit::resizeEvent(event);
  if (!Loading() && height() < GetMinHeight()) {
    resize(width(), GetMinHeight());
    return;
  }
  UpdateBtnBounds();
}

}  // namespace tooledit
