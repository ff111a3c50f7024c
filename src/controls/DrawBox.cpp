#include "controls/DrawBox.h"

using namespace gui;

namespace drawbox {

TDrawBox::TDrawBox(QWidget* parent) : TCustomControl(parent) {
  // Never erased before painting: the bitmap covers everything.
  SetControlStyle(ControlStyle() | csOpaque);
  bitmap_ = std::make_unique<TBitmap>();
  TCustomControl::SetBounds(Left(), Top(), 50, 50);
  backGroundColor_ = clSilver;
  ResizeBitmap();
  ClearBitmap();
  lastWidth_ = Width();
  lastHeight_ = Height();
}

TDrawBox::~TDrawBox() = default;

void TDrawBox::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  ResizeBitmap();
}

void TDrawBox::Resized() {
  TCustomControl::Resized();
  ResizeBitmap();
}

void TDrawBox::ResizeBitmap() {
  if (!bitmap_ || (Width() == lastWidth_ && Height() == lastHeight_)) return;
  bitmap_->SetSize(Width(), Height());
  lastWidth_ = Width();
  lastHeight_ = Height();
  Recalculate();
  Redraw();
  Invalidate();
}

void TDrawBox::ClearBitmap() {
  TCanvas& canvas = bitmap_->Canvas();
  canvas.Brush.Color = backGroundColor_;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(Rect(0, 0, lastWidth_, lastHeight_));
}

void TDrawBox::Paint() {
  if (Width() != lastWidth_ || Height() != lastHeight_) {
    ResizeBitmap();
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.CopyMode = SRCCOPY;
  canvas.Draw(0, 0, *bitmap_);
}

void TDrawBox::Redraw() {
  if (!bitmap_ || !parentWidget()) return;
  ClearBitmap();
  TCanvas& canvas = Canvas();
  canvas.MoveTo(0, 0);
  canvas.LineTo(Width(), Height());
  canvas.MoveTo(0, Height());
  canvas.LineTo(Width(), 0);
}

void TDrawBox::SetBackGroundColor(TColor value) {
  backGroundColor_ = value;
  Redraw();
  Invalidate();
}

}  // namespace drawbox
