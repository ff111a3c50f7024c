#include "viewer/Image.h"

#include "gui/Canvas.h"

namespace viewer {

TImage::TImage(QWidget* parent) : gui::TGraphicControl(parent) {
  picture_.OnChange = [this](gui::TPicture*) {
    if (gui::TGraphic* g = picture_.Graphic()) g->SetTransparent(transparent_);
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
  if (gui::TGraphic* g = picture_.Graphic()) g->SetTransparent(transparent);
  Invalidate();
}

gui::TRect TImage::destRect() const {
  if (stretch_) return gui::Rect(0, 0, Width(), Height());
  const int w = picture_.Width();
  const int h = picture_.Height();
  if (center_) return gui::Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return gui::Bounds(0, 0, w, h);
}

void TImage::Paint() {
  const gui::TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->Empty()) return;
  Canvas().StretchDraw(destRect(), *graphic);
}

}  // namespace viewer
