// TButtonImage: a button face drawn onto any canvas (raised frame, glyph and caption) without a
// control behind it. Part of the control library that nothing in the program creates.
#pragma once

#include <string>

#include "controls/RxButtonGlyph.h"
#include "gui/Font.h"

namespace rxctrls {

class TButtonImage {
public:
  TButtonImage();

  gui::TBitmap& Glyph() { return glyph_.Glyph(); }
  void SetGlyph(const gui::TBitmap& value) { glyph_.SetGlyph(value); }
  TRxNumGlyphs NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(TRxNumGlyphs value) { glyph_.SetNumGlyphs(value); }
  bool WordWrap() const { return glyph_.WordWrap(); }
  void SetWordWrap(bool value) { glyph_.SetWordWrap(value); }
  gui::TAlignment Alignment() const { return glyph_.Alignment(); }
  void SetAlignment(gui::TAlignment value) { glyph_.SetAlignment(value); }
  gui::TPoint ButtonSize() const { return buttonSize_; }
  void SetButtonSize(gui::TPoint value) { buttonSize_ = value; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  // Drops the glyph's built images.
  void Invalidate() { glyph_.Invalidate(); }

  // The up face at (x, y) in ButtonSize; font, when given, draws the caption. The canvas keeps
  // its brush colour and font.
  void Draw(gui::TCanvas& canvas, int x, int y, int margin, int spacing, TButtonLayout layout,
            const gui::TFont* font, unsigned flags);
  // The same with the glyph taken from an image list when a valid index is given.
  void DrawEx(gui::TCanvas& canvas, int x, int y, int margin, int spacing, TButtonLayout layout,
              const gui::TFont* font, const gui::TImageList* images, int imageIndex,
              unsigned flags);

private:
  TRxButtonGlyph glyph_;
  gui::TPoint buttonSize_{24, 23};
  std::string caption_;
};

}  // namespace rxctrls
