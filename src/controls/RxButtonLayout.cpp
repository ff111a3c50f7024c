// Layout and drawing of a button face: glyph, caption and drop-down mark, and the 3-D frame.
#include "controls/RxButtonGlyph.h"

#include <algorithm>

#include "controls/RxctrlsHelpers.h"
#include "gui/Strings.h"

namespace rxctrls {

using namespace gui;

namespace {

// Captions are handled in a buffer of this many characters.
constexpr int kMaxCaption = 255;
// Room the drop-down mark takes beside the text or the glyph.
constexpr int kMarkBesideText = 9;
constexpr int kMarkBesideGlyph = 6;

// One 1-pixel 3-D frame: top and left in topColor, bottom and right in bottomColor; the
// rectangle shrinks by one pixel on every side.
void frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor) {
  canvas.Pen.Width = 1;
  --rect.Bottom;
  --rect.Right;
  TPoint topRight{rect.Right, rect.Top};
  TPoint bottomLeft{rect.Left, rect.Bottom};
  canvas.Pen.Color = topColor;
  canvas.Polyline({bottomLeft, rect.TopLeft(), topRight});
  canvas.Pen.Color = bottomColor;
  --bottomLeft.X;
  canvas.Polyline({topRight, rect.BottomRight(), bottomLeft});
  InflateRect(rect, -1, -1);
  ++rect.Bottom;
  ++rect.Right;
}

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
      frame3D(canvas, result, clWindowFrame, clBtnHighlight);
      if (!isFlat) frame3D(canvas, result, clBtnShadow, clBtnFace);
    } else if (isFlat) {
      frame3D(canvas, result, clWindowFrame, clBtnHighlight);
    } else {
      frame3D(canvas, result, clWindowFrame, clWindowFrame);
      canvas.Pen.Color = clBtnShadow;
      canvas.Polyline({{result.Left, result.Bottom - 1}, result.TopLeft(), {result.Right, result.Top}});
    }
  } else if (newStyle) {
    if (isFlat) {
      frame3D(canvas, result, clBtnHighlight, clBtnShadow);
    } else {
      frame3D(canvas, result, clBtnHighlight, clWindowFrame);
      frame3D(canvas, result, clBtnFace, clBtnShadow);
    }
  } else if (isFlat) {
    frame3D(canvas, result, clBtnHighlight, clWindowFrame);
  } else {
    frame3D(canvas, result, clWindowFrame, clWindowFrame);
    frame3D(canvas, result, clBtnHighlight, clBtnShadow);
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
    lines.Put(i, detail::minimizeText(lines[i], canvas, width));
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

void TRxButtonGlyph::CalcButtonLayout(TCanvas& canvas, const TRect& client, std::string& caption,
                                      TButtonLayout layout, int margin, int spacing,
                                      bool popupMark, TPoint& glyphPos, TRect& textBounds,
                                      unsigned flags, const TImageList* images, int imageIndex) {
  bool horizontal = horizontalLayout(layout);
  auto along = [horizontal](TPoint p) { return horizontal ? p.X : p.Y; };
  TPoint clientSize{client.Width(), client.Height()};
  TPoint glyphSize;
  if (imageUsable(images, imageIndex)) glyphSize = {images->Width(), images->Height()};
  else if (glyphUsable()) glyphSize = {frameWidth(), glyphBitmap_.Height()};

  int reserved = (margin != -1 ? margin : 0) + (spacing != -1 ? spacing : 0);
  TPoint maxSize = clientSize;
  if (horizontal) maxSize.X -= glyphSize.X + reserved + (popupMark ? kMarkBesideText : 0);
  else maxSize.Y -= glyphSize.Y + reserved;
  maxSize = {std::max(0, maxSize.X), std::max(0, maxSize.Y)};

  caption = MinimizeCaption(canvas, caption, kMaxCaption, maxSize.X);
  textBounds = Rect(0, 0, 0, 0);
  if (!caption.empty()) {
    textBounds = Rect(0, 0, maxSize.X, 0);
    canvas.DrawText(caption, textBounds,
                    DT_CALCRECT | DT_CENTER | DT_VCENTER |
                        (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) | flags);
  }
  textBounds.Bottom = std::max(textBounds.Top, textBounds.Top + std::min(maxSize.Y, textBounds.Height()));
  textBounds.Right = std::max(textBounds.Left, textBounds.Left + std::min(maxSize.X, textBounds.Width()));
  TPoint textSize{textBounds.Width(), textBounds.Height()};

  if (popupMark) {
    if (glyphSize.X == 0 || glyphSize.Y == 0 || layout == blGlyphLeft) textSize.X += kMarkBesideText;
    else if (glyphSize.X > 0) glyphSize.X += kMarkBesideGlyph;
  }
  // Across the layout's axis glyph and text are centred.
  TPoint textPos;
  if (horizontal) {
    glyphPos.Y = clientSize.Y / 2 - glyphSize.Y / 2;
    textPos.Y = clientSize.Y / 2 - textSize.Y / 2;
  } else {
    glyphPos.X = clientSize.X / 2 - glyphSize.X / 2;
    textPos.X = clientSize.X / 2 - textSize.X / 2;
  }
  if (textSize.X == 0 || glyphSize.X == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    // The free space is split in three: before the glyph, between, after the text.
    margin = (along(clientSize) - (along(glyphSize) + along(textSize))) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = along(clientSize) / 2 - (along(glyphSize) + spacing + along(textSize)) / 2;
  } else if (spacing == -1) {
    spacing = (along(clientSize) - (margin + along(glyphSize))) / 2 - along(textSize) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      glyphPos.X = margin;
      textPos.X = glyphPos.X + glyphSize.X + spacing;
      break;
    case blGlyphRight:
      glyphPos.X = clientSize.X - margin - glyphSize.X;
      textPos.X = glyphPos.X - spacing - textSize.X;
      break;
    case blGlyphTop:
      glyphPos.Y = margin;
      textPos.Y = glyphPos.Y + glyphSize.Y + spacing;
      break;
    case blGlyphBottom:
      glyphPos.Y = clientSize.Y - margin - glyphSize.Y;
      textPos.Y = glyphPos.Y - spacing - textSize.Y;
      break;
  }
  glyphPos.X += client.Left;
  glyphPos.Y += client.Top;
  OffsetRect(textBounds, textPos.X + client.Left, textPos.Y + client.Top);
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
  TPoint drawn = fromList ? DrawButtonImage(canvas, glyphPos.X, glyphPos.Y, *images, imageIndex, state)
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
