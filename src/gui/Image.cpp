#include "gui/Image.h"

#include "gui/Canvas.h"

namespace gui {

TImage::TImage(QWidget* parent) : TGraphicControl(parent) {
  picture_.OnChange = [this](TPicture*) {
    if (TGraphic* g = picture_.Graphic()) g->SetTransparent(transparent_);
    Invalidate();
  };
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void TImage::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  Invalidate();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  if (TGraphic* g = picture_.Graphic()) g->SetTransparent(transparent);
  Invalidate();
}

TRect TImage::destRect() const {
  if (stretch_) return Rect(0, 0, Width(), Height());
  const int w = picture_.Width();
  const int h = picture_.Height();
  if (center_) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return Bounds(0, 0, w, h);
}

void TImage::Paint() {
  const TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->Empty()) return;
  Canvas().StretchDraw(destRect(), *graphic);
}

}  // namespace gui
