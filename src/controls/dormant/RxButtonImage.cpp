#include "controls/dormant/RxButtonImage.h"

#include "controls/RxctrlsHelpers.h"

namespace rxctrls {

using namespace gui;

TButtonImage::TButtonImage() { glyph_.SetNumGlyphs(1); }

void TButtonImage::Draw(TCanvas& canvas, int x, int y, int margin, int spacing,
                        TButtonLayout layout, const TFont* font, unsigned flags) {
  DrawEx(canvas, x, y, margin, spacing, layout, font, nullptr, -1, flags);
}

void TButtonImage::DrawEx(TCanvas& canvas, int x, int y, int margin, int spacing,
                          TButtonLayout layout, const TFont* font, const TImageList* images,
                          int imageIndex, unsigned flags) {
  TColor savedColor = canvas.Brush.Color;
  TFont savedFont = canvas.Font;
  struct Restore {
    TCanvas& canvas;
    TColor color;
    const TFont& font;
    ~Restore() {
      canvas.Font = font;
      canvas.Brush.Color = color;
    }
  } restore{canvas, savedColor, savedFont};
  TRect target = Bounds(x, y, buttonSize_.X, buttonSize_.Y);
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(target);
  detail::frame3D(canvas, target, clBtnShadow, clWindowFrame);
  detail::frame3D(canvas, target, clBtnHighlight, clBtnShadow);
  if (font) canvas.Font = *font;
  glyph_.DrawEx(canvas, target, caption_, layout, margin, spacing, false, images, imageIndex,
                rbsUp, flags);
}

}  // namespace rxctrls
