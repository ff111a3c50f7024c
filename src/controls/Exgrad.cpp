#include "controls/Exgrad.h"

#include "gui/GdiTypes.h"

namespace exgrad {

using gui::MulDiv;
using gui::TColor;

TGradient::TGradient(QWidget* owner) : gui::TGraphicControl(owner) {
  SetBounds(10, 10, 100, 100);
  CalcColor();
}

void TGradient::SetBeginColor(TColor color) {
  if (color == beginColor_) return;
  beginColor_ = color;
  CalcColor();
  Invalidate();
}

void TGradient::SetEndColor(TColor color) {
  if (color == endColor_) return;
  endColor_ = color;
  CalcColor();
  Invalidate();
}

void TGradient::SetNumberOfColor(int count) {
  if (count == numberOfColors_ || count < kMinColors || count > kMaxColors) return;
  numberOfColors_ = count;
  CalcColor();
  Invalidate();
}

void TGradient::SetFillType(TFillType fillType) {
  if (fillType == fillType_) return;
  fillType_ = fillType;
  Invalidate();
}

void TGradient::CalcColor() {
  // System colours are resolved when the table is built, not when it is drawn.
  TColor begin = gui::ColorToRGB(beginColor_);
  TColor end = gui::ColorToRGB(endColor_);
  int r = gui::GetRValue(begin), g = gui::GetGValue(begin), b = gui::GetBValue(begin);
  int dr = gui::GetRValue(end) - r, dg = gui::GetGValue(end) - g, db = gui::GetBValue(end) - b;
  int n = numberOfColors_;
  for (int i = 0; i <= n; ++i) {
    colors_[size_t(i)] =
        gui::RGB(r + MulDiv(i, dr, n), g + MulDiv(i, dg, n), b + MulDiv(i, db, n));
  }
}

void TGradient::Paint() {
  gui::TCanvas& canvas = Canvas();
  canvas.Pen.Style = gui::psSolid;
  canvas.Pen.Mode = gui::pmCopy;
  canvas.Brush.Style = gui::bsSolid;
  int w = Width(), h = Height(), n = numberOfColors_;
  // N + 1 shapes in order, so that later ones lie on top; band N of the band types lies past
  // the edge and is clipped.
  for (int i = 0; i <= n; ++i) {
    TColor color = colors_[size_t(i)];
    canvas.Brush.Color = color;
    int x = MulDiv(i, w / 2, n), y = MulDiv(i, h / 2, n);
    switch (fillType_) {
      case ftTopToBottom:
        canvas.FillRect(gui::Rect(0, MulDiv(i, h, n), w, MulDiv(i + 1, h, n)));
        break;
      case ftLeftToRight:
        canvas.FillRect(gui::Rect(MulDiv(i, w, n), 0, MulDiv(i + 1, w, n), h));
        break;
      case ftRounded:
        canvas.Pen.Color = color;
        canvas.Ellipse(x, y, w - x, h - y);
        break;
      case ftRectangled:
        canvas.Pen.Color = color;
        canvas.Rectangle(x, y, w - x, h - y);
        break;
    }
  }
}

}  // namespace exgrad
