// The spin edit's buttons: the diagonal two-half button and the standard up-down arrows.
#include "controls/RxspinButton.h"

#include <QApplication>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "gui/BuiltinBitmaps.h"

// The built-in glyphs live in this static library: registering them needs a reference here.
static void initSpinResources() { Q_INIT_RESOURCE(controls_slider); }

using namespace gui;

namespace rxspin {

namespace {

constexpr const char* kUpGlyph = "RXSPINUP";
constexpr const char* kDownGlyph = "RXSPINDOWN";

int roundHalfEven(double value) { return int(std::nearbyint(value)); }

// The glyph at (x, y) with its transparent colour replaced by the canvas's brush.
void brushCopy(TCanvas& canvas, int x, int y, const TBitmap& glyph) {
  if (glyph.Empty()) return;
  canvas.FillRect(Bounds(x, y, glyph.Width(), glyph.Height()));
  TColor transparent = glyph.Monochrome() ? clWhite : ColorToRGB(glyph.TransparentColor());
  canvas.TransparentStretchBlt(x, y, glyph.Width(), glyph.Height(), glyph.Canvas(), 0, 0,
                               glyph.Width(), glyph.Height(), transparent);
}

}  // namespace

// --- TRxSpinButton --------------------------------------------------------------------------

TRxSpinButton::TRxSpinButton(QWidget* parent) : TGraphicControl(parent) {
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  SetBounds(Left(), Top(), 20, 20);
  drawAllBitmap();
}

TRxSpinButton::~TRxSpinButton() {
  OnTopClick = nullptr;
  OnBottomClick = nullptr;
  if (upGlyph_) upGlyph_->OnChange = nullptr;
  if (downGlyph_) downGlyph_->OnChange = nullptr;
}

void TRxSpinButton::setGlyph(std::unique_ptr<TBitmap>& glyph, const TBitmap* source,
                             const char* builtinName) {
  if (!glyph) {
    glyph = std::make_unique<TBitmap>();
    glyph->OnChange = [this](TGraphic*) {
      glyphsChanged_ = true;
      Invalidate();
    };
  }
  if (source) {
    glyph->Assign(*source);
    return;
  }
  static const bool registered = (initSpinResources(), true);
  (void)registered;
  std::shared_ptr<const TBitmap> builtin = LoadBuiltinBitmap(builtinName);
  if (builtin) glyph->Assign(*builtin);
  else glyph->Assign(nullptr);
}

void TRxSpinButton::SetUpGlyph(const TBitmap* glyph) { setGlyph(upGlyph_, glyph, kUpGlyph); }

void TRxSpinButton::SetDownGlyph(const TBitmap* glyph) {
  setGlyph(downGlyph_, glyph, kDownGlyph);
}

void TRxSpinButton::SetDown(TSpinButtonState state) { showDown(state); }

void TRxSpinButton::showDown(TSpinButtonState state) {
  if (state == down_) return;
  down_ = state;
  Repaint();
}

// The rising diagonal from the lower-left to the upper-right corner splits the halves; a point
// on it belongs to the upper half.
TSpinButtonState TRxSpinButton::halfAt(int x, int y) const {
  if (Width() <= 0) return sbTopDown;
  double h = Height(), w = Width();
  return y <= h - (h / w) * x ? sbTopDown : sbBottomDown;
}

bool TRxSpinButton::inside(int x, int y) const {
  return x >= 0 && x <= Width() && y >= 0 && y <= Height();
}

void TRxSpinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  captured_ = true;
  QWidget* focus = focusControl_;
  if (focus && (focus->focusPolicy() & Qt::TabFocus) && focus->isVisible() &&
      focus->isEnabled() && !focus->hasFocus()) {
    focus->setFocus(Qt::MouseFocusReason);
  }
  if (down_ == sbNotDown) {
    TSpinButtonState previous = down_;
    down_ = halfAt(x, y);
    // The half the press started on: moving keeps only that half pressed.
    lastDown_ = down_;
    if (down_ == sbBottomDown) BottomClick();
    else TopClick();
    if (down_ != previous) Repaint();
    if (!repeatTimer_) {
      repeatTimer_ = std::make_unique<TTimer>();
      repeatTimer_->SetOnTimer([this](TTimer*) { timerExpired(); });
    }
    repeatTimer_->SetInterval(kFirstRepeatMs);
    repeatTimer_->SetEnabled(true);
  }
  dragging_ = true;
}

void TRxSpinButton::TopClick() {
  if (OnTopClick) OnTopClick(this);
  if (!captured_) showDown(sbNotDown);
}

void TRxSpinButton::BottomClick() {
  if (OnBottomClick) OnBottomClick(this);
  if (!captured_) showDown(sbNotDown);
}

void TRxSpinButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  bool onStartHalf = inside(x, y) && halfAt(x, y) == lastDown_;
  showDown(onStartHalf ? lastDown_ : sbNotDown);
}

// A release ends the repeat and the press wherever it happens, so that the button is never
// left pressed (a release outside without a move before it would otherwise keep it down).
void TRxSpinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button == mbLeft) {
    captured_ = false;
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
  }
  if (!dragging_) return;
  dragging_ = false;
  lastDown_ = sbNotDown;
  down_ = sbNotDown;
  Repaint();
}

// The first repeat comes kFirstRepeatMs after the press, the next ones every kRepeatMs while
// the pressed half is held.
void TRxSpinButton::timerExpired() {
  repeatTimer_->SetInterval(kRepeatMs);
  if (down_ == sbNotDown || !captured_) return;
  try {
    if (down_ == sbBottomDown) BottomClick();
    else TopClick();
  } catch (...) {
    repeatTimer_->SetEnabled(false);
    throw;
  }
}

void TRxSpinButton::EnabledChanged() {
  glyphsChanged_ = true;
  Invalidate();
}

// --- painting ---------------------------------------------------------------------------------

void TRxSpinButton::Paint() {
  if (!Enabled()) dragging_ = false;
  if (upImage_.Width() != Width() || upImage_.Height() != Height() || glyphsChanged_) {
    drawAllBitmap();
  }
  glyphsChanged_ = false;
  const TBitmap& image = down_ == sbTopDown      ? topDownImage_
                         : down_ == sbBottomDown ? bottomDownImage_
                                                 : upImage_;
  if (!image.Empty()) Canvas().Draw(0, 0, image);
}

void TRxSpinButton::drawAllBitmap() {
  drawBitmap(topDownImage_, sbTopDown);
  drawBitmap(bottomDownImage_, sbBottomDown);
  drawBitmap(upImage_, sbNotDown);
}

void TRxSpinButton::drawBitmap(TBitmap& image, TSpinButtonState state) {
  int w = Width(), h = Height();
  image.SetSize(w, h);
  if (image.Empty()) return;
  TCanvas& c = image.Canvas();
  c.Pen = TPen{};
  c.Brush = TBrush{clBtnFace, bsSolid};
  c.Pen.Color = clWindowFrame;
  c.Rectangle(0, 0, w, h);
  c.MoveTo(-1, h);
  c.LineTo(w, -1);
  // Upper half.
  c.Pen.Color = state == sbTopDown ? clBtnShadow : clBtnHighlight;
  c.MoveTo(1, h - 4);
  c.LineTo(1, 1);
  c.LineTo(w - 3, 1);
  if (state != sbTopDown) {
    c.Pen.Color = clBtnShadow;
    c.MoveTo(1, h - 3);
    c.LineTo(w - 2, 0);
  }
  // Lower half.
  c.Pen.Color = state == sbBottomDown ? clBtnHighlight : clBtnShadow;
  c.MoveTo(2, h - 2);
  c.LineTo(w - 2, h - 2);
  c.LineTo(w - 2, 1);
  c.Pen.Color = state == sbBottomDown ? clBtnShadow : clBtnHighlight;
  c.MoveTo(2, h - 2);
  c.LineTo(w - 1, 1);
  // Glyphs: the up arrow moves with its pressed half.
  int d = state == sbTopDown ? 2 : 1;
  const TBitmap& up = *upGlyph_;
  const TBitmap& down = *downGlyph_;
  brushCopy(c, roundHalfEven(w / 4.0 - up.Width() / 2.0) + d,
            roundHalfEven(h / 4.0 - up.Height() / 2.0) + d, up);
  brushCopy(c, roundHalfEven(3.0 * w / 4 - down.Width() / 2.0) - 1,
            roundHalfEven(3.0 * h / 4 - down.Height() / 2.0) - 1, down);
  if (state == sbBottomDown) {
    c.Pen.Color = clBtnShadow;
    c.MoveTo(3, h - 2);
    c.LineTo(w - 1, 2);
  }
}

// --- TRxUpDown --------------------------------------------------------------------------------

int DefaultButtonWidth() {
  QStyle* style = QApplication::style();
  int width = style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 15;
  return std::min(width, 15);
}

TRxUpDown::TRxUpDown(QWidget* parent) : TUpDown(parent) {
  SetRange(-1, 1);
  SetPosition(0);
  resize(DefaultButtonWidth(), height());
}

TRxUpDown::~TRxUpDown() { OnClick = nullptr; }

// The press has moved the position to -1 or 1; the click follows from its sign, and the
// position goes back to 0 even when the handler throws. A press from inside the handler
// moves the position without a second click.
void TRxUpDown::Click(TUDBtnType) {
  if (busy_) return;
  busy_ = true;
  try {
    if (Position() > 0 && OnClick) OnClick(this, btNext);
    else if (Position() < 0 && OnClick) OnClick(this, btPrev);
  } catch (...) {
    SetPosition(0);
    busy_ = false;
    throw;
  }
  SetPosition(0);
  busy_ = false;
}

void TRxUpDown::resizeEvent(QResizeEvent* event) {
  int width = DefaultButtonWidth();
  if (this->width() != width) resize(width, height());
  TUpDown::resizeEvent(event);
}

}  // namespace rxspin
