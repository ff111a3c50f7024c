// TBitmap: a picture of pixels with a canvas, kept as an RGB32 QImage together with its pixel
// format and colour table. Its transparent colour is the lower-left pixel unless fixed; BMP
// streams are read and written in the Windows BMP layout. Drawing keeps exact colours; a palette
// format takes each pixel's nearest table entry when it is saved.
#pragma once

#include <QImage>

#include <memory>
#include <vector>

#include "gui/BmpCodec.h"
#include "gui/Canvas.h"
#include "gui/Graphic.h"

namespace gui {

enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int width, int height);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  const char* ClassName() const override { return "TBitmap"; }
  void Draw(TCanvas& canvas, const TRect& r) const override;
  bool Empty() const override { return image_.isNull(); }
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  // Growing keeps the pixels at the top left and fills the new area with the canvas's brush
  // colour (white by default).
  void SetWidth(int width) override { SetSize(width, Height()); }
  void SetHeight(int height) override { SetSize(Width(), height); }
  void SetSize(int width, int height);

  TCanvas& Canvas() { return *canvas_; }
  const TCanvas& Canvas() const { return *canvas_; }
  const QImage& Image() const { return image_; }
  // Replaces the pixels (converted to RGB32) as a device-dependent bitmap.
  void SetImage(const QImage& image);

  TPixelFormat PixelFormat() const { return format_; }
  // Converts: 1 bit takes the nearer of black and white, 4 bits the standard 16 colours, 8 bits
  // the bitmap's own colours (or a colour cube), 15/16 bits drop the low bits of each channel.
  void SetPixelFormat(TPixelFormat format);
  const std::vector<QRgb>& Palette() const { return palette_; }
  // A colour table for 1, 4 and 8-bit bitmaps; the pixels take their nearest entries.
  void SetPalette(const std::vector<QRgb>& palette);

  // A 1-bit bitmap. Making one converts pixels of the canvas's brush colour to white and all
  // others to black; making it colour turns black into the font colour and white into the
  // brush colour, as Windows' conversions through a device context do.
  bool Monochrome() const { return format_ == pf1bit; }
  void SetMonochrome(bool monochrome);
  TBitmapHandleType HandleType() const { return format_ == pfDevice ? bmDDB : bmDIB; }
  // Device-dependent: every format but monochrome becomes pfDevice (no pixel changes).
  void SetHandleType(TBitmapHandleType type);

  // The lower-left pixel (white for a monochrome bitmap) in tmAuto, else the fixed colour.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  void Assign(const TGraphic* source) override;
  void Assign(const TBitmap& source) { Assign(static_cast<const TGraphic*>(&source)); }
  // The BMP file from the stream's position to its end (an empty rest gives an empty bitmap).
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  // Layout data: a 4-byte size, then the BMP file.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) const override;
  // The BMP file of the bitmap as bytes.
  std::vector<uint8_t> SaveToBytes() const;
  void LoadFromBytes(const uint8_t* data, size_t size);

private:
  void attachCanvas();
  void canvasChanged();

  QImage image_;
  TPixelFormat format_ = pfDevice;
  std::vector<QRgb> palette_;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace gui
