#include "gui/Bitmap.h"

#include "gui/CanvasRaster.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

#include <cstring>

namespace gui {

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>()) { attachCanvas(); }

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) : TBitmap() { Assign(other); }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(other);
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::attachCanvas() {
  canvas_->SetImage(&image_);
  canvas_->SetMonochrome(Monochrome());
  canvas_->OnChange = [this] { canvasChanged(); };
}

void TBitmap::canvasChanged() { Changed(); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  if (width == 0 || height == 0) {
    image_ = QImage();
  } else {
    QImage grown(width, height, QImage::Format_RGB32);
    TColor fill = canvas_->Brush.Style == bsClear ? clWhite : canvas_->Brush.Color;
    uint32_t pixel = ToPixel(ColorToRGB(fill) & 0xFFFFFF);
    if (Monochrome()) pixel = (pixel == 0xFFFFFF) ? pixel : 0;
    grown.fill(0xFF000000u | pixel);
    for (int y = 0; y < std::min(height, Height()); ++y) {
      std::memcpy(grown.scanLine(y), image_.constScanLine(y), size_t(std::min(width, Width())) * 4);
    }
    image_ = grown;
  }
  Changed();
}

void TBitmap::SetImage(const QImage& image) {
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  format_ = pfDevice;
  palette_.clear();
  attachCanvas();
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_ || format == pfCustom) return;
  int bits = BitsPerPixel(format);
  if (bits != 0 && bits <= 8) {
    palette_ = DefaultPalette(format, image_);
    if (!image_.isNull()) image_ = QuantizeToPalette(image_, palette_);
  } else {
    palette_.clear();
    if (bits == 16 && !image_.isNull()) {
      // Keep only the bits a 15 or 16-bit pixel holds, scaled back to 0..255.
      int greenBits = format == pf16bit ? 6 : 5;
      for (int y = 0; y < image_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < image_.width(); ++x) {
          auto scale = [](int v, int b) { int m = (1 << b) - 1; return (v >> (8 - b)) * 255 / m; };
          QRgb p = line[x];
          line[x] = qRgb(scale(qRed(p), 5), scale(qGreen(p), greenBits), scale(qBlue(p), 5));
        }
      }
    }
  }
  format_ = format;
  attachCanvas();
  Changed();
}

void TBitmap::SetPalette(const std::vector<QRgb>& palette) {
  palette_ = palette;
  if (!image_.isNull() && !palette_.empty()) image_ = QuantizeToPalette(image_, palette_);
  Changed();
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome()) return;
  if (!image_.isNull()) {
    uint32_t brush = ToPixel(ColorToRGB(canvas_->Brush.Color) & 0xFFFFFF);
    uint32_t font = ToPixel(ColorToRGB(canvas_->Font.Color) & 0xFFFFFF);
    for (int y = 0; y < image_.height(); ++y) {
      auto* line = reinterpret_cast<uint32_t*>(image_.scanLine(y));
      for (int x = 0; x < image_.width(); ++x) {
        uint32_t p = line[x] & 0xFFFFFF;
        if (monochrome) p = p == brush ? 0xFFFFFF : 0;
        else p = p == 0 ? font : brush;
        line[x] = 0xFF000000u | p;
      }
    }
  }
  format_ = monochrome ? pf1bit : pfDevice;
  palette_ = monochrome ? std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}
                        : std::vector<QRgb>{};
  attachCanvas();
  Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
  if (type == bmDDB && !Monochrome() && format_ != pfDevice) {
    format_ = pfDevice;
    palette_.clear();
    Changed();
  } else if (type == bmDIB && format_ == pfDevice) {
    format_ = pf24bit;
    Changed();
  }
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) {
    return ColorToRGB(transparentColor_);
  }
  if (Monochrome()) return clWhite;
  if (image_.isNull()) return clBlack;
  return FromPixel(image_.pixel(0, image_.height() - 1) & 0xFFFFFF);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(TransparentColor());
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) const {
  if (Empty()) return;
  if (Transparent()) {
    canvas.TransparentStretchBlt(r.Left, r.Top, r.Width(), r.Height(), *canvas_, 0, 0, Width(),
                                 Height(), TransparentColor());
  } else {
    canvas.StretchBlt(r.Left, r.Top, r.Width(), r.Height(), *canvas_, 0, 0, Width(), Height(),
                      canvas.CopyMode);
  }
}

void TBitmap::Assign(const TGraphic* source) {
  if (source == this) return;
  if (!source) {
    image_ = QImage();
    format_ = pfDevice;
    palette_.clear();
    attachCanvas();
    Changed();
    return;
  }
  auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (!bitmap && source->AssignTo(*this)) return;
  if (!bitmap) {
    // Any other graphic is drawn onto a bitmap of its size.
    SetSize(0, 0);
    format_ = pfDevice;
    palette_.clear();
    SetSize(source->Width(), source->Height());
    attachCanvas();
    if (!Empty()) source->Draw(*canvas_, Rect(0, 0, Width(), Height()));
    SetTransparent(source->Transparent());
    Changed();
    return;
  }
  image_ = bitmap->image_;
  format_ = bitmap->format_;
  palette_ = bitmap->palette_;
  transparentColor_ = bitmap->transparentColor_;
  transparentMode_ = bitmap->transparentMode_;
  TGraphic::SetTransparent(bitmap->Transparent());
  attachCanvas();
  Changed();
}

void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
  if (size == 0) {
    Assign(nullptr);
    return;
  }
  DibImage dib = ReadBmpFile(data, size);
  image_ = dib.pixels;
  format_ = dib.format;
  palette_ = dib.palette;
  attachCanvas();
  Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  if (Empty()) return {};
  return WriteBmpFile(image_, format_, palette_);
}

void TBitmap::LoadFromStream(TStream& stream) {
  int64_t size = std::max<int64_t>(stream.Size() - stream.Position(), 0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  stream.ReadBuffer(data.data(), size);
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::SaveToStream(TStream& stream) const {
  std::vector<uint8_t> data = SaveToBytes();
  stream.WriteBuffer(data.data(), int64_t(data.size()));
}

void TBitmap::ReadData(TStream& stream) {
  uint8_t prefix[4];
  stream.ReadBuffer(prefix, 4);
  uint32_t size = uint32_t(prefix[0] | prefix[1] << 8 | prefix[2] << 16) | uint32_t(prefix[3]) << 24;
  // A size beyond the data is a damaged layout: fail before allocating for it.
  if (int64_t(size) > stream.Size() - stream.Position()) throw EReadError();
  std::vector<uint8_t> data(size);
  stream.ReadBuffer(data.data(), size);
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::WriteData(TStream& stream) const {
  std::vector<uint8_t> data = SaveToBytes();
  uint32_t size = uint32_t(data.size());
  uint8_t prefix[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
  stream.WriteBuffer(prefix, 4);
  stream.WriteBuffer(data.data(), size);
}

}  // namespace gui
