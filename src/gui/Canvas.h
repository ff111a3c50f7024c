// TCanvas: drawing with Windows' pixel rules on a 32-bit QImage (a bitmap's pixels
// or a control's paint buffer). Lines leave out their end pixel; rectangles, ellipses and fills
// leave out their right and bottom edges; pens have mix modes (pmNot, pmXor...); blits take the
// ternary raster operations (SRCCOPY, SRCAND, SRCPAINT, SRCINVERT...); the canvas keeps a text
// colour, background colour and mode, a clip region and an origin that SaveDC/RestoreDC keep.
#pragma once

#include <QImage>
#include <QRegion>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/Colors.h"
#include "gui/Font.h"
#include "gui/GdiTypes.h"

class QPainter;

namespace gui {

class TBitmap;
class TGraphic;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  // A pattern: the bitmap's top-left 8 x 8 pixels, repeated from the device origin. A monochrome
  // pattern takes the text colour for black and the background colour for white. Not owned.
  const TBitmap* Bitmap = nullptr;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Ternary raster operations.
enum : uint32_t {
  BLACKNESS = 0x00000042, NOTSRCERASE = 0x001100A6, NOTSRCCOPY = 0x00330008,
  SRCERASE = 0x00440328, DSTINVERT = 0x00550009, PATINVERT = 0x005A0049,
  SRCINVERT = 0x00660046, SRCAND = 0x008800C6, MERGEPAINT = 0x00BB0226,
  MERGECOPY = 0x00C000CA, SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086,
  PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, WHITENESS = 0x00FF0062,
};
using TCopyMode = uint32_t;

enum TBkMode { TRANSPARENT = 1, OPAQUE = 2 };

// DrawText flags.
enum : unsigned {
  DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
  DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000,
  DT_WORD_ELLIPSIS = 0x40000, DT_HIDEPREFIX = 0x100000,
};

// Returned by Pixel() outside the image or the clip.
constexpr TColor CLR_INVALID = TColor(0xFFFFFFFFu);

class TCanvas {
public:
  TCanvas() = default;
  explicit TCanvas(QImage* image) : image_(image) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The pixels drawn on: a 32-bit image, or none (measuring still works, drawing does nothing).
  void SetImage(QImage* image) { image_ = image; }
  QImage* Image() const { return image_; }
  // A monochrome target keeps only black and white: colours are mapped to the nearer one.
  void SetMonochrome(bool monochrome) { monochrome_ = monochrome; }
  bool Monochrome() const { return monochrome_; }

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = SRCCOPY;
  std::function<void()> OnChanging;
  std::function<void()> OnChange;

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // From the pen position to (x, y), without the end pixel; the pen position moves there.
  void LineTo(int x, int y);
  // Segments through the points; the last point is not drawn and the pen position stays.
  void Polyline(const std::vector<TPoint>& points);
  // Filled with the brush (alternate rule) and outlined with the pen.
  void Polygon(const std::vector<TPoint>& points);
  // Outline with the pen, inside with the brush; right and bottom exclusive.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // The brush over the rectangle (nothing with bsClear); pen and mix mode play no part.
  void FillRect(const TRect& r);
  // A one-pixel frame in the brush.
  void FrameRect(const TRect& r);
  // Inverts every other pixel of a one-pixel frame: drawing it twice restores the pixels.
  void DrawFocusRect(const TRect& r);

  // Text at (x, y) (top of the cell) in the font; with an opaque background the cell is filled
  // with the background colour. The pen position moves to (x + TextWidth, y).
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to r; with an opaque background r is filled first.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text) const;
  int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) const { return TextExtent(text).cy; }
  // Text laid out in r by the DT_ flags; returns the text height (with DT_VCENTER or DT_BOTTOM
  // the distance from r.Top to the bottom of the text). DT_CALCRECT only measures: r's right and
  // bottom are set to the text's extent.
  int DrawText(const std::string& text, TRect& r, unsigned flags);

  // A graphic at (x, y) in its own size, or stretched into r.
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const TRect& r, const TGraphic& graphic);
  // The source rectangle of source stretched into dest with CopyMode.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  // Ternary raster operation of pattern (this canvas's brush), source and destination. A
  // monochrome source gives the text colour for black and the background colour for white; a
  // colour source on a monochrome target gives white where it has source's background colour.
  void BitBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy, uint32_t rop);
  void StretchBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy, int sw,
                  int sh, uint32_t rop);
  void PatBlt(int x, int y, int w, int h, uint32_t rop);
  // A stretched copy that leaves out every source pixel of the RGB colour `transparent`.
  void TransparentStretchBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy,
                             int sw, int sh, TColor transparent);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // The device context's colours. A change of Font.Color or of the brush resets them, as the
  // class library re-selects its objects: text colour = Font.Color; with a solid brush the
  // background is Brush.Color and opaque, otherwise its inverse and transparent.
  TColor TextColor() const;
  void SetTextColor(TColor color);
  TColor BkColor() const;
  void SetBkColor(TColor color);
  TBkMode BkMode() const;
  void SetBkMode(TBkMode mode);

  // Logical (0, 0) lies at device point Origin().
  TPoint Origin() const { return {origin_.x(), origin_.y()}; }
  void SetOrigin(TPoint device) { origin_ = QPoint(device.X, device.Y); }
  // Bounds of the drawable area in logical coordinates (the clip or the whole image).
  TRect ClipRect() const;
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  // A clip in device coordinates; nullptr removes the clip.
  void SelectClipRegion(const QRegion* deviceRegion);
  // Saves origin, clip and colours; RestoreDC(-1) returns to the last saved state, a positive
  // number to the state SaveDC returned.
  int SaveDC();
  void RestoreDC(int saved);
  // A fresh device context: no clip, origin (0, 0), colours taken from Font and Brush again.
  void ResetDeviceState();

  // A painter on the image with clip, origin and font set, for drawing that Qt does best.
  void preparePainter(QPainter& painter) const;

private:
  friend class CanvasRaster;

  void changing() { if (OnChanging) OnChanging(); }
  void changed() { if (OnChange) OnChange(); }
  void syncObjects() const;
  void drawTextLine(int x, int y, const QString& text, int underline, bool opaque);

  QImage* image_ = nullptr;
  bool monochrome_ = false;
  TPoint penPos_;
  QPoint origin_;
  std::optional<QRegion> clip_;

  // Device-context state and the objects it was last derived from.
  mutable TColor textColor_ = clBlack;
  mutable TColor bkColor_ = clWhite;
  mutable TBkMode bkMode_ = OPAQUE;
  mutable std::optional<TColor> syncedFontColor_;
  mutable std::optional<TBrush> syncedBrush_;

  struct SavedState {
    QPoint origin;
    std::optional<QRegion> clip;
    TColor textColor, bkColor;
    TBkMode bkMode;
    std::optional<TColor> syncedFontColor;
    std::optional<TBrush> syncedBrush;
  };
  std::vector<SavedState> saved_;
};

}  // namespace gui
