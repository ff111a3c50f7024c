// Bitmap drawing of the control library: transparent blits that leave out one colour, greyed
// ("disabled") images, one cell of a glyph strip, bitmaps made from icons and back, colour
// swaps, two-colour patterns, gradients and the shade pattern.
//
// Every drawing surface is a TCanvas; the blits follow the raster rules of the GUI layer, so a
// monochrome source draws in the target's text and background colours as on Windows. A bitmap's
// transparent colour is its lower-left pixel unless a colour is given.
#pragma once

#include <memory>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Colors.h"
#include "gui/GdiTypes.h"
#include "gui/Icon.h"
#include "gui/ImageList.h"

namespace vclutils {

using gui::TBitmap;
using gui::TCanvas;
using gui::TColor;
using gui::TRect;

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };

// Raster operation that paints the brush where the source is set and keeps the destination
// elsewhere (DSPDxax): the stamp of the greyed images.
constexpr uint32_t kRopDSPDxax = 0x00E20746;
// Destination AND pattern (DPa), the shade pattern's operation.
constexpr uint32_t kRopDPa = 0x00A000C9;

// --- transparent blits ---------------------------------------------------------------------

// The source rectangle stretched into the destination rectangle, leaving out every source pixel
// of the RGB colour `transparent`: the pixels that Windows' monochrome-mask steps give
// (destination AND mask, OR source AND NOT mask), computed in one pass. A monochrome source draws
// black and white; on a monochrome destination a colour source turns white where it has its
// canvas's background colour, and white is what is left out. Nothing happens for a rectangle
// without pixels.
void StretchBltTransparent(TCanvas& dest, int DstX, int DstY, int DstW, int DstH,
                           const TCanvas& source, int SrcX, int SrcY, int SrcW, int SrcH,
                           TColor transparent);

// Bitmap forms. The transparent colour: clNone copies the bitmap with the canvas's CopyMode;
// clDefault takes the bitmap's lower-left pixel; a monochrome bitmap always leaves out white.
// A width or height below 1 draws in the bitmap's own size; a source rectangle without width or
// height stands for the whole bitmap.
void StretchBitmapRectTransparent(TCanvas& dest, int X, int Y, int W, int H, const TRect& rect,
                                  TBitmap& bitmap, TColor transparentColor);
void DrawBitmapRectTransparent(TCanvas& dest, int X, int Y, const TRect& rect, TBitmap& bitmap,
                               TColor transparentColor);
void DrawBitmapTransparent(TCanvas& dest, int X, int Y, TBitmap& bitmap, TColor transparentColor);
// The whole bitmap at (X, Y) with exactly the given colour left out (no clNone or clDefault
// rules): the form that took a bitmap handle.
void DrawTransparentBitmap(TCanvas& dest, const TBitmap& bitmap, int X, int Y,
                           TColor transparentColor);

// --- greyed images -------------------------------------------------------------------------

// The embossed image of a disabled glyph: the pixels of OutlineColor are stamped in
// HighlightColor one pixel down and right (when DrawHighlight) and in ShadowColor in place, on
// BackColor. A monochrome bitmap stamps its black pixels.
std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& bitmap, TColor OutlineColor,
                                                TColor BackColor, TColor HighlightColor,
                                                TColor ShadowColor, bool DrawHighlight);
// The same on the button face, with the button highlight and shadow colours.
std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& bitmap, TColor OutlineColor);

// The opaque pixels of an image-list entry stamped onto the canvas at (X + 1, Y + 1) in
// HighlightColor (when DrawHighlight) and at (X, Y) in GrayColor. The canvas keeps its brush
// colour. An index outside the list stamps nothing, as a failed list draw does.
void ImageListDrawDisabled(const gui::TImageList& Images, TCanvas& Canvas, int X, int Y,
                           int Index, TColor HighlightColor, TColor GrayColor,
                           bool DrawHighlight);

// --- cells, icons, colours ------------------------------------------------------------------

// Dest becomes cell Index of Source cut into Cols x Rows equal cells (counted along the rows).
// Cols and Rows below 1 count as 1, an Index below 0 as 0; null pointers do nothing. A bitmap
// source passes on its transparent colour; any other graphic is drawn over silver. Dest takes
// the source's Transparent switch.
void AssignBitmapCell(const gui::TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index);

// A copy of the bitmap in which every pixel of OldColor has NewColor.
std::unique_ptr<TBitmap> ChangeBitmapColor(const TBitmap& bitmap, TColor OldColor,
                                           TColor NewColor);
// An 8 x 8 pattern of Color1 whose pixels with X and Y of equal parity are Color2.
std::unique_ptr<TBitmap> CreateTwoColorsBrushPattern(TColor Color1, TColor Color2);
// The icon drawn on BackColor in its own size; BackColor is the bitmap's transparent colour
// and Transparent is on.
std::unique_ptr<TBitmap> CreateBitmapFromIcon(const gui::TIcon& icon, TColor BackColor);
// An icon of the bitmap with every pixel of TransparentColor transparent (clDefault: the
// bitmap's own transparent colour).
std::unique_ptr<gui::TIcon> CreateIconFromBitmap(const TBitmap& bitmap, TColor TransparentColor);

// --- fills -----------------------------------------------------------------------------------

// Bands from BeginColor to EndColor across the rectangle: Max(2, Min(Colors, extent)) bands of
// equal size, the remainder at the far edge in the last colour. The BottomToTop and RightToLeft
// directions run from EndColor at the top or left. Fewer than 2 colours fill with BeginColor.
void GradientFillRect(TCanvas& Canvas, const TRect& ARect, TColor BeginColor, TColor EndColor,
                      TFillDirection Direction, int Colors);
// Darkens the rectangle with an 8 x 8 pattern of diagonal dotted lines (one pixel in four).
void ShadeRect(TCanvas& Canvas, const TRect& Rect);

}  // namespace vclutils
