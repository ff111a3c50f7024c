#include "controls/VclutilsBitmaps.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

#include "controls/Vclutils.h"
#include "gui/CanvasRaster.h"

namespace vclutils {

using gui::clBlack;
using gui::clDefault;
using gui::clNone;
using gui::clWhite;
using gui::ColorToRGB;

namespace {

// Clears the bitmap canvas's OnChanging while the bitmap is only read, and gives it back also
// when drawing raises.
class ChangingMuted {
public:
  explicit ChangingMuted(TCanvas& canvas) : canvas_(canvas), saved_(std::move(canvas.OnChanging)) {
    canvas_.OnChanging = nullptr;
  }
  ~ChangingMuted() { canvas_.OnChanging = std::move(saved_); }
  ChangingMuted(const ChangingMuted&) = delete;
  ChangingMuted& operator=(const ChangingMuted&) = delete;

private:
  TCanvas& canvas_;
  std::function<void()> saved_;
};

void PaintBitmapTransparent(TCanvas& dest, TBitmap& bitmap, TColor transparentColor, int DstX,
                            int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH) {
  if (bitmap.Empty()) return;
  if (DstW < 1) DstW = bitmap.Width();
  if (DstH < 1) DstH = bitmap.Height();
  if (SrcW < 1 || SrcH < 1) {
    SrcX = SrcY = 0;
    SrcW = bitmap.Width();
    SrcH = bitmap.Height();
  }
  ChangingMuted muted(bitmap.Canvas());
  const TCanvas& source = bitmap.Canvas();
  if (transparentColor == clNone) {
    dest.StretchBlt(DstX, DstY, DstW, DstH, source, SrcX, SrcY, SrcW, SrcH, dest.CopyMode);
    return;
  }
  TColor color = transparentColor;
  if (color == clDefault) color = source.Pixel(0, bitmap.Height() - 1);
  color = bitmap.Monochrome() ? clWhite : ColorToRGB(color);
  StretchBltTransparent(dest, DstX, DstY, DstW, DstH, source, SrcX, SrcY, SrcW, SrcH, color);
}

// Paints `color` onto the canvas where the monochrome stamp's pixels map to all ones under the
// given text and background colours, and keeps the canvas elsewhere.
void stamp(TCanvas& canvas, int x, int y, const TBitmap& mono, TColor color, TColor text,
           TColor back) {
  canvas.Brush.Color = color;
  canvas.SetTextColor(text);
  canvas.SetBkColor(back);
  canvas.BitBlt(x, y, mono.Width(), mono.Height(), mono.Canvas(), 0, 0, kRopDSPDxax);
}

TColor blend(TColor first, TColor last, int i, int steps) {
  auto channel = [&](int a, int b) { return a + gui::MulDiv(i, b - a, steps); };
  return gui::RGB(channel(gui::GetRValue(first), gui::GetRValue(last)),
                  channel(gui::GetGValue(first), gui::GetGValue(last)),
                  channel(gui::GetBValue(first), gui::GetBValue(last)));
}

void fillSolid(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush.Color = color;
  canvas.FillRect(r);
}

}  // namespace

// --- transparent blits ---------------------------------------------------------------------

void StretchBltTransparent(TCanvas& dest, int DstX, int DstY, int DstW, int DstH,
                           const TCanvas& source, int SrcX, int SrcY, int SrcW, int SrcH,
                           TColor transparent) {
  if (DstW <= 0 || DstH <= 0 || SrcW <= 0 || SrcH <= 0 || !source.Image()) return;
  // One pass with the result of the mask steps: every destination pixel samples the source as
  // a stretch does; the sample, in the destination's format, is drawn unless it is the
  // transparent colour (on a monochrome destination: white).
  if (dest.OnChanging) dest.OnChanging();
  gui::CanvasRaster target(dest);
  const gui::CanvasRaster from(source);
  const QImage pixels = *source.Image();  // a shared copy: the source may be the destination
  const bool sourceMono = source.Monochrome(), destMono = dest.Monochrome();
  const uint32_t sourceBack = gui::ToPixel(source.BkColor());
  const uint32_t key = gui::ToPixel(ColorToRGB(transparent));
  const gui::TPoint to = target.toDevice(DstX, DstY), at = from.toDevice(SrcX, SrcY);
  target.forEach(QRect(to.X, to.Y, DstW, DstH), [&](int x, int y) {
    int sx = at.X + int((2 * int64_t(x - to.X) + 1) * SrcW / (2 * int64_t(DstW)));
    int sy = at.Y + int((2 * int64_t(y - to.Y) + 1) * SrcH / (2 * int64_t(DstH)));
    // Outside the source the scratch copy keeps its white.
    uint32_t pixel = 0xFFFFFF;
    if (pixels.valid(sx, sy)) {
      pixel = reinterpret_cast<const uint32_t*>(pixels.constScanLine(sy))[sx] & 0xFFFFFF;
      if (destMono && !sourceMono) pixel = pixel == sourceBack ? 0xFFFFFF : 0;
    }
    if (destMono) {
      if (pixel != 0xFFFFFF) target.put(x, y, pixel);
    } else if (pixel != key) {
      target.put(x, y, pixel);
    }
  });
  if (dest.OnChange) dest.OnChange();
}

void StretchBitmapRectTransparent(TCanvas& dest, int X, int Y, int W, int H, const TRect& rect,
                                  TBitmap& bitmap, TColor transparentColor) {
  PaintBitmapTransparent(dest, bitmap, transparentColor, X, Y, W, H, rect.Left, rect.Top,
                         WidthOf(rect), HeightOf(rect));
}

void DrawBitmapRectTransparent(TCanvas& dest, int X, int Y, const TRect& rect, TBitmap& bitmap,
                               TColor transparentColor) {
  PaintBitmapTransparent(dest, bitmap, transparentColor, X, Y, WidthOf(rect), HeightOf(rect),
                         rect.Left, rect.Top, WidthOf(rect), HeightOf(rect));
}

void DrawBitmapTransparent(TCanvas& dest, int X, int Y, TBitmap& bitmap, TColor transparentColor) {
  PaintBitmapTransparent(dest, bitmap, transparentColor, X, Y, bitmap.Width(), bitmap.Height(), 0,
                         0, bitmap.Width(), bitmap.Height());
}

void DrawTransparentBitmap(TCanvas& dest, const TBitmap& bitmap, int X, int Y,
                           TColor transparentColor) {
  StretchBltTransparent(dest, X, Y, bitmap.Width(), bitmap.Height(), bitmap.Canvas(), 0, 0,
                        bitmap.Width(), bitmap.Height(), ColorToRGB(transparentColor));
}

// --- greyed images -------------------------------------------------------------------------

std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& bitmap, TColor OutlineColor,
                                                TColor BackColor, TColor HighlightColor,
                                                TColor ShadowColor, bool DrawHighlight) {
  int width = bitmap.Width(), height = bitmap.Height();
  TRect whole = gui::Rect(0, 0, width, height);
  auto result = std::make_unique<TBitmap>(width, height);
  TBitmap work(width, height);
  // Black stays black when a monochrome glyph is copied, whatever the window-text colour.
  work.Canvas().SetTextColor(clBlack);
  work.Canvas().SetBkColor(clWhite);
  work.Canvas().CopyRect(whole, bitmap.Canvas(), whole);
  work.SetHandleType(gui::bmDDB);

  // The stamp: white where the glyph has the outline colour, black elsewhere.
  work.Canvas().Brush.Color = OutlineColor;
  if (work.Monochrome()) {
    work.Canvas().Font.Color = clWhite;
    work.SetMonochrome(false);
    work.Canvas().Brush.Color = clWhite;
  }
  work.SetMonochrome(true);

  TCanvas& canvas = result->Canvas();
  fillSolid(canvas, whole, BackColor);
  if (DrawHighlight) stamp(canvas, 1, 1, work, HighlightColor, clBlack, clWhite);
  stamp(canvas, 0, 0, work, ShadowColor, clBlack, clWhite);
  return result;
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& bitmap, TColor OutlineColor) {
  return CreateDisabledBitmapEx(bitmap, OutlineColor, gui::clBtnFace, gui::clBtnHighlight,
                                gui::clBtnShadow, true);
}

void ImageListDrawDisabled(const gui::TImageList& Images, TCanvas& Canvas, int X, int Y,
                           int Index, TColor HighlightColor, TColor GrayColor,
                           bool DrawHighlight) {
  TColor brushColor = Canvas.Brush.Color;
  TBitmap mask(Images.Width(), Images.Height());
  fillSolid(mask.Canvas(), gui::Rect(0, 0, mask.Width(), mask.Height()), clWhite);
  if (Index >= 0 && Index < Images.Count()) {
    Images.Draw(mask.Canvas(), 0, 0, Index, gui::ILD_MASK);
  }
  // Opaque pixels are black in the mask and stamp in the text colour (white: all ones).
  mask.SetMonochrome(true);
  if (DrawHighlight) stamp(Canvas, X + 1, Y + 1, mask, HighlightColor, clWhite, clBlack);
  stamp(Canvas, X, Y, mask, GrayColor, clWhite, clBlack);
  Canvas.Brush.Color = brushColor;
}

// --- cells, icons, colours ------------------------------------------------------------------

void AssignBitmapCell(const gui::TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index) {
  if (!Source || !Dest) return;
  Cols = std::max(Cols, 1);
  Rows = std::max(Rows, 1);
  Index = std::max(Index, 0);
  int cellWidth = Source->Width() / Cols;
  int cellHeight = Source->Height() / Rows;
  Dest->SetSize(cellWidth, cellHeight);
  int left = (Index % Cols) * cellWidth;
  // An index past the last row gives a cell below the source; in 64 bits it cannot overflow,
  // and such a cell has no pixels to take.
  int64_t top64 = int64_t(Index / Cols) * cellHeight;
  bool inside = top64 < Source->Height();
  int top = int(std::min<int64_t>(top64, Source->Height()));
  TRect destRect = gui::Rect(0, 0, cellWidth, cellHeight);
  if (auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
    if (inside) {
      Dest->Canvas().CopyRect(destRect, bitmap->Canvas(),
                              gui::Bounds(left, top, cellWidth, cellHeight));
    }
    Dest->SetTransparentColor(bitmap->TransparentColor());
  } else {
    fillSolid(Dest->Canvas(), destRect, gui::clSilver);
    if (inside) Dest->Canvas().Draw(-left, -top, *Source);
  }
  Dest->SetTransparent(Source->Transparent());
}

std::unique_ptr<TBitmap> ChangeBitmapColor(const TBitmap& bitmap, TColor OldColor,
                                           TColor NewColor) {
  auto result = std::make_unique<TBitmap>(bitmap.Width(), bitmap.Height());
  fillSolid(result->Canvas(), gui::Rect(0, 0, bitmap.Width(), bitmap.Height()), NewColor);
  DrawTransparentBitmap(result->Canvas(), bitmap, 0, 0, OldColor);
  return result;
}

std::unique_ptr<TBitmap> CreateTwoColorsBrushPattern(TColor Color1, TColor Color2) {
  auto result = std::make_unique<TBitmap>(8, 8);
  fillSolid(result->Canvas(), gui::Rect(0, 0, 8, 8), Color1);
  for (int y = 0; y < 8; ++y) {
    for (int x = y % 2; x < 8; x += 2) result->Canvas().SetPixel(x, y, Color2);
  }
  return result;
}

std::unique_ptr<TBitmap> CreateBitmapFromIcon(const gui::TIcon& icon, TColor BackColor) {
  auto result = std::make_unique<TBitmap>(icon.Width(), icon.Height());
  fillSolid(result->Canvas(), gui::Rect(0, 0, icon.Width(), icon.Height()), BackColor);
  result->Canvas().Draw(0, 0, icon);
  result->SetTransparentColor(BackColor);
  result->SetTransparent(true);
  return result;
}

std::unique_ptr<gui::TIcon> CreateIconFromBitmap(const TBitmap& bitmap, TColor TransparentColor) {
  auto icon = std::make_unique<gui::TIcon>();
  if (bitmap.Empty()) return icon;
  TColor color = TransparentColor == clDefault ? bitmap.TransparentColor() : TransparentColor;
  gui::TImageList list(bitmap.Width(), bitmap.Height());
  if (list.AddMasked(bitmap, color) >= 0) list.GetIcon(0, *icon);
  return icon;
}

// --- fills -----------------------------------------------------------------------------------

void GradientFillRect(TCanvas& Canvas, const TRect& ARect, TColor BeginColor, TColor EndColor,
                      TFillDirection Direction, int Colors) {
  gui::TBrush brush = Canvas.Brush;
  TColor begin = ColorToRGB(BeginColor), end = ColorToRGB(EndColor);
  bool vertical = Direction == fdTopToBottom || Direction == fdBottomToTop;
  int extent = vertical ? HeightOf(ARect) : WidthOf(ARect);
  if (Colors < 2) {
    fillSolid(Canvas, ARect, begin);
  } else if (extent > 0) {
    bool forward = Direction == fdTopToBottom || Direction == fdLeftToRight;
    TColor first = forward ? begin : end, last = forward ? end : begin;
    int bands = std::max(2, std::min(Colors, extent));
    int size = extent / bands;
    auto strip = [&](int from, int to) {
      return vertical ? gui::Rect(ARect.Left, ARect.Top + from, ARect.Right, ARect.Top + to)
                      : gui::Rect(ARect.Left + from, ARect.Top, ARect.Left + to, ARect.Bottom);
    };
    for (int i = 0; i < bands; ++i) {
      fillSolid(Canvas, strip(i * size, (i + 1) * size), blend(first, last, i, bands - 1));
    }
    if (bands * size < extent) fillSolid(Canvas, strip(bands * size, extent), last);
  }
  Canvas.Brush = brush;
}

void ShadeRect(TCanvas& Canvas, const TRect& Rect) {
  // Eight rows of the 8 x 8 pattern, bit 7 the leftmost pixel: set bits are darkened.
  static constexpr std::array<uint8_t, 8> kRows = {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88};
  TBitmap pattern;
  pattern.SetMonochrome(true);
  pattern.SetSize(8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      bool set = (kRows[size_t(y)] >> (7 - x)) & 1;
      pattern.Canvas().SetPixel(x, y, set ? clWhite : clBlack);
    }
  }
  gui::TBrush brush = Canvas.Brush;
  TColor text = Canvas.TextColor(), back = Canvas.BkColor();
  Canvas.Brush.Bitmap = &pattern;
  Canvas.SetTextColor(clWhite);
  Canvas.SetBkColor(clBlack);
  Canvas.PatBlt(Rect.Left, Rect.Top, WidthOf(Rect), HeightOf(Rect), kRopDPa);
  Canvas.Brush = brush;
  Canvas.SetTextColor(text);
  Canvas.SetBkColor(back);
}

}  // namespace vclutils
