// Layout and drawing of a button face: glyph, caption and drop-down mark, and the 3-D frame.
#include "controls/RxButtonGlyph.h"

#include <algorithm>

#include "controls/RxctrlsHelpers.h"
#include "controls/VclutilsText.h"
#include "gui/Strings.h"

namespace rxctrls {

using namespace gui;

namespace {

// Captions are handled in a buffer of this many characters.
constexpr int kMaxCaption = 255;
// Room the drop-down mark takes beside the text or the glyph.
constexpr int kMarkBesideText = 9;
constexpr int kMarkBesideGlyph = 6;

std::string trimRight(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

bool horizontalLayout(TButtonLayout layout) {
  return layout == blGlyphLeft || layout == blGlyphRight;
}

bool imageUsable(const TImageList* images, int index) {
  return images && images->Width() >= 1 && index >= 0 && index < images->Count();
}

}  // namespace

TRect DrawButtonFrame(TCanvas& canvas, const TRect& client, bool isDown, bool isFlat,
                      TButtonStyle style) {
  TRect result = client;
  bool newStyle = style == bsNew || style == bsAutoDetect;
  if (isDown) {
    if (newStyle) {
      detail::frame3D(canvas, result, clWindowFrame, clBtnHighlight);
      if (!isFlat) detail::frame3D(canvas, result, clBtnShadow, clBtnFace);
    } else if (isFlat) {
      detail::frame3D(canvas, result, clWindowFrame, clBtnHighlight);
    } else {
      detail::frame3D(canvas, result, clWindowFrame, clWindowFrame);
      canvas.Pen.Color = clBtnShadow;
      canvas.Polyline(
          {{result.Left, result.Bottom - 1}, result.TopLeft(), {result.Right, result.Top}});
    }
  } else if (newStyle) {
    if (isFlat) {
      detail::frame3D(canvas, result, clBtnHighlight, clBtnShadow);
    } else {
      detail::frame3D(canvas, result, clBtnHighlight, clWindowFrame);
      detail::frame3D(canvas, result, clBtnFace, clBtnShadow);
    }
  } else if (isFlat) {
    detail::frame3D(canvas, result, clBtnHighlight, clWindowFrame);
  } else {
    detail::frame3D(canvas, result, clWindowFrame, clWindowFrame);
    detail::frame3D(canvas, result, clBtnHighlight, clBtnShadow);
  }
  InflateRect(result, -1, -1);
  return result;
}

void TRxButtonGlyph::DrawPopupMark(TCanvas& canvas, int x, int y, TRxButtonState state) {
  auto triangle = [&canvas](int left, int top, TColor colour) {
    for (int i = 0; i <= 6; ++i) canvas.SetPixel(left + i, top - 1, colour);
    for (int i = 1; i <= 5; ++i) canvas.SetPixel(left + i, top, colour);
    for (int i = 2; i <= 4; ++i) canvas.SetPixel(left + i, top + 1, colour);
    canvas.SetPixel(left + 3, top + 2, colour);
  };
  if (state == rbsDisabled) {
    triangle(x + 1, y + 1, clBtnHighlight);
    triangle(x, y, clBtnShadow);
  } else {
    triangle(x, y, clBtnText);
  }
}

std::string TRxButtonGlyph::MinimizeCaption(const TCanvas& canvas, const std::string& caption,
                                            int maxLength, int width) const {
  if (wordWrap_) return caption.substr(0, size_t(std::max(maxLength, 0)));
  TStringList lines;
  lines.SetText(caption);
  for (int i = 0; i < lines.Count(); ++i) {
    lines.Put(i, vclutils::MinimizeText(lines[i], canvas, width));
  }
  return trimRight(lines.Text()).substr(0, size_t(std::max(maxLength, 0)));
}

int TRxButtonGlyph::DrawButtonText(TCanvas& canvas, const std::string& caption, TRect textBounds,
                                   TRxButtonState state, unsigned flags) {
  canvas.Brush.Style = bsClear;
  std::string text = caption.substr(0, kMaxCaption);
  unsigned format = DT_VCENTER | (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) | flags;
  if (state == rbsDisabled) {
    // Engraved: a highlight copy one pixel down and right under the shadow-coloured text.
    OffsetRect(textBounds, 1, 1);
    canvas.Font.Color = clBtnHighlight;
    canvas.DrawText(text, textBounds, format);
    OffsetRect(textBounds, -1, -1);
    canvas.Font.Color = clBtnShadow;
  }
  return canvas.DrawText(text, textBounds, format);
}

namespace {

// Sizes and positions of glyph and text in a button's client area.
struct ButtonParts {
  TPoint clientSize, glyphSize, textSize, glyphPos, textPos;
};

// Margin and spacing left at -1 are worked out, then glyph and text are placed along the axis.
void placeAlongAxis(ButtonParts& p, TButtonLayout layout, int margin, int spacing) {
  bool horizontal = horizontalLayout(layout);
  auto along = [horizontal](TPoint v) { return horizontal ? v.X : v.Y; };
  if (p.textSize.X == 0 || p.glyphSize.X == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    // The free space is split in three: before the glyph, between, after the text.
    margin = (along(p.clientSize) - (along(p.glyphSize) + along(p.textSize))) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = along(p.clientSize) / 2 - (along(p.glyphSize) + spacing + along(p.textSize)) / 2;
  } else if (spacing == -1) {
    spacing = (along(p.clientSize) - (margin + along(p.glyphSize))) / 2 - along(p.textSize) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      p.glyphPos.X = margin;
      p.textPos.X = p.glyphPos.X + p.glyphSize.X + spacing;
      break;
    case blGlyphRight:
      p.glyphPos.X = p.clientSize.X - margin - p.glyphSize.X;
      p.textPos.X = p.glyphPos.X - spacing - p.textSize.X;
      break;
    case blGlyphTop:
      p.glyphPos.Y = margin;
      p.textPos.Y = p.glyphPos.Y + p.glyphSize.Y + spacing;
      break;
    case blGlyphBottom:
      p.glyphPos.Y = p.clientSize.Y - margin - p.glyphSize.Y;
      p.textPos.Y = p.glyphPos.Y - spacing - p.textSize.Y;
      break;
  }
}

// Across the layout's axis glyph and text are centred.
void centreAcrossAxis(ButtonParts& p, TButtonLayout layout) {
  if (horizontalLayout(layout)) {
    p.glyphPos.Y = p.clientSize.Y / 2 - p.glyphSize.Y / 2;
    p.textPos.Y = p.clientSize.Y / 2 - p.textSize.Y / 2;
  } else {
    p.glyphPos.X = p.clientSize.X / 2 - p.glyphSize.X / 2;
    p.textPos.X = p.clientSize.X / 2 - p.textSize.X / 2;
  }
}

}  // namespace

TRect TRxButtonGlyph::fitCaption(TCanvas& canvas, std::string& caption, TPoint maxSize,
                                 unsigned flags) const {
  caption = MinimizeCaption(canvas, caption, kMaxCaption, maxSize.X);
  TRect bounds = Rect(0, 0, 0, 0);
  if (!caption.empty()) {
    bounds = Rect(0, 0, maxSize.X, 0);
    canvas.DrawText(caption, bounds,
                    DT_CALCRECT | DT_CENTER | DT_VCENTER |
                        (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) | flags);
  }
  // The text never takes more than the room left, nor a negative size.
  bounds.Bottom = bounds.Top + std::max(0, std::min(maxSize.Y, bounds.Height()));
  bounds.Right = bounds.Left + std::max(0, std::min(maxSize.X, bounds.Width()));
  return bounds;
}

void TRxButtonGlyph::CalcButtonLayout(TCanvas& canvas, const TRect& client, std::string& caption,
                                      TButtonLayout layout, int margin, int spacing,
                                      bool popupMark, TPoint& glyphPos, TRect& textBounds,
                                      unsigned flags, const TImageList* images, int imageIndex) {
  ButtonParts p;
  p.clientSize = {client.Width(), client.Height()};
  if (imageUsable(images, imageIndex)) p.glyphSize = {images->Width(), images->Height()};
  else if (glyphUsable()) p.glyphSize = {frameWidth(), glyphBitmap_.Height()};

  int reserved = (margin != -1 ? margin : 0) + (spacing != -1 ? spacing : 0);
  TPoint maxSize = p.clientSize;
  if (horizontalLayout(layout)) {
    maxSize.X -= p.glyphSize.X + reserved + (popupMark ? kMarkBesideText : 0);
  } else {
    maxSize.Y -= p.glyphSize.Y + reserved;
  }
  maxSize = {std::max(0, maxSize.X), std::max(0, maxSize.Y)};
  textBounds = fitCaption(canvas, caption, maxSize, flags);
  p.textSize = {textBounds.Width(), textBounds.Height()};

  if (popupMark) {
    if (p.glyphSize.X == 0 || p.glyphSize.Y == 0 || layout == blGlyphLeft) {
      p.textSize.X += kMarkBesideText;
    } else if (p.glyphSize.X > 0) {
      p.glyphSize.X += kMarkBesideGlyph;
    }
  }
  centreAcrossAxis(p, layout);
  placeAlongAxis(p, layout, margin, spacing);
  glyphPos = {p.glyphPos.X + client.Left, p.glyphPos.Y + client.Top};
  OffsetRect(textBounds, p.textPos.X + client.Left, p.textPos.Y + client.Top);
}

TRect TRxButtonGlyph::DrawEx(TCanvas& canvas, const TRect& client, const std::string& caption,
                             TButtonLayout layout, int margin, int spacing, bool popupMark,
                             const TImageList* images, int imageIndex, TRxButtonState state,
                             unsigned flags) {
  std::string text = caption;
  TPoint glyphPos;
  TRect textBounds;
  CalcButtonLayout(canvas, client, text, layout, margin, spacing, popupMark, glyphPos, textBounds,
                   flags, images, imageIndex);
  bool fromList = imageUsable(images, imageIndex);
  TPoint drawn =
      fromList ? DrawButtonImage(canvas, glyphPos.X, glyphPos.Y, *images, imageIndex, state)
               : DrawButtonGlyph(canvas, glyphPos.X, glyphPos.Y, state);
  DrawButtonText(canvas, text, textBounds, state, flags);
  if (popupMark) {
    TPoint mark;
    if (layout != blGlyphLeft && (fromList || glyphUsable())) {
      mark = {glyphPos.X + drawn.X + 1, glyphPos.Y + drawn.Y / 2};
    } else {
      mark.X = text.empty() ? (client.Left + client.Right - 7) / 2 : textBounds.Right + 3;
      mark.Y = textBounds.Top + textBounds.Height() / 2;
    }
    DrawPopupMark(canvas, mark.X, mark.Y, state);
  }
  return textBounds;
}

}  // namespace rxctrls
