#include "controls/dormant/Rxgraph.h"

#include <algorithm>
#include <cmath>

#include "controls/dormant/RxgraphMapping.h"
#include "gui/Canvas.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"
#include "platform/ScreenDepth.h"

namespace rxgraph {

namespace {

using gui::le::put16;
using gui::le::put32;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

// An 8-bit BMP file of the indexes: 256 table entries, rows padded to 4 bytes.
std::vector<uint8_t> writeIndexedBmp(int width, int height, const IndexedPixels& pixels) {
  const uint32_t stride = uint32_t(gui::DibStride(width, 8));
  const uint32_t imageSize = stride * uint32_t(height);
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * 256;
  std::vector<uint8_t> out = {'B', 'M'};
  out.reserve(offset + imageSize);
  put32(out, offset + imageSize);
  put32(out, 0);
  put32(out, offset);
  put32(out, kInfoHeaderSize);
  put32(out, uint32_t(width));
  put32(out, uint32_t(height));
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);
  put32(out, imageSize);
  put32(out, 0);
  put32(out, 0);
  put32(out, pixels.colorsUsed);
  put32(out, 0);
  for (const PaletteEntry& e : pixels.palette) {
    out.insert(out.end(), {e.blue, e.green, e.red, e.reserved});
  }
  for (int row = 0; row < height; ++row) {
    const uint8_t* indexes = pixels.indexes.data() + size_t(row) * size_t(width);
    out.insert(out.end(), indexes, indexes + width);
    out.resize(out.size() + (stride - uint32_t(width)), 0);
  }
  return out;
}

std::vector<uint8_t> mapTo8Bits(const QImage& image, TMappingMethod method) {
  TrueColorPixels source(image);
  IndexedPixels indexed;
  switch (method) {
    case mmHistogram: MapHistogram(source, 256, indexed); break;
    case mmQuantize: MapQuantize(source, 256, indexed); break;
    case mmTrunc784: MapTrunc784(source, indexed); break;
    case mmTrunc666: MapTrunc666(source, indexed); break;
    case mmTripel: MapTripel(source, indexed); break;
    case mmGrayscale: MapGrayscale(source, indexed); break;
  }
  return writeIndexedBmp(image.width(), image.height(), indexed);
}

QImage grayImage(const QImage& image) {
  QImage gray = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < gray.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(gray.scanLine(y));
    for (int x = 0; x < gray.width(); ++x) {
      int v = GrayLevel(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
      line[x] = qRgb(v, v, v);
    }
  }
  return gray;
}

// The bitmap's own table when it fits the depth, else the standard table of that depth.
std::vector<QRgb> tableFor(const gui::TBitmap& bitmap, TPixelFormat format) {
  const size_t entries = size_t(1) << gui::BitsPerPixel(format);
  if (!bitmap.Palette().empty() && bitmap.Palette().size() <= entries) return bitmap.Palette();
  return gui::DefaultPalette(format, bitmap.Image());
}

std::unique_ptr<gui::TMemoryStream> streamOf(const std::vector<uint8_t>& bytes) {
  auto stream = std::make_unique<gui::TMemoryStream>();
  stream->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

}  // namespace

std::unique_ptr<gui::TMemoryStream> BitmapToMemoryStream(const gui::TBitmap& bitmap,
                                                         TPixelFormat format,
                                                         TMappingMethod method) {
  if (bitmap.Empty()) throw gui::EInvalidGraphic(gui::texts::kInvalidBitmap);
  if (bitmap.PixelFormat() == format && method != mmGrayscale) {
    return streamOf(bitmap.SaveToBytes());
  }
  switch (format) {
    case gui::pf1bit:
    case gui::pf4bit:
      return streamOf(gui::WriteBmpFile(bitmap.Image(), format, tableFor(bitmap, format)));
    case gui::pf8bit: return streamOf(mapTo8Bits(bitmap.Image(), method));
    case gui::pf24bit: {
      QImage pixels = method == mmGrayscale ? grayImage(bitmap.Image()) : bitmap.Image();
      return streamOf(gui::WriteBmpFile(pixels, gui::pf24bit, {}));
    }
    default: throw gui::EInvalidGraphic(gui::texts::kInvalidPixelFormat);
  }
}

std::unique_ptr<gui::TMemoryStream> BitmapToMemory(const gui::TBitmap& bitmap, int colors) {
  TPixelFormat format = colors <= 2     ? gui::pf1bit
                        : colors <= 16  ? gui::pf4bit
                        : colors <= 256 ? gui::pf8bit
                                        : gui::pf24bit;
  return BitmapToMemoryStream(bitmap, format, DefaultMappingMethod);
}

void SaveBitmapToFile(const std::string& fileName, const gui::TBitmap& bitmap, int colors) {
  if (bitmap.Monochrome()) colors = 2;
  std::unique_ptr<gui::TMemoryStream> stream = BitmapToMemory(bitmap, colors);
  stream->SaveToFile(fileName);
}

void SetBitmapPixelFormat(gui::TBitmap& bitmap, TPixelFormat format, TMappingMethod method) {
  if (bitmap.Empty() || bitmap.PixelFormat() == format) return;
  std::unique_ptr<gui::TMemoryStream> stream = BitmapToMemoryStream(bitmap, format, method);
  bitmap.LoadFromStream(*stream);
}

void GrayscaleBitmap(gui::TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  // Also an 8-bit colour bitmap is greyed, which a plain change of format would leave as it is.
  std::unique_ptr<gui::TMemoryStream> stream =
      BitmapToMemoryStream(bitmap, gui::pf8bit, mmGrayscale);
  bitmap.LoadFromStream(*stream);
}

TPixelFormat GetBitmapPixelFormat(const gui::TBitmap& bitmap) { return bitmap.PixelFormat(); }

TPixelFormat GetPaletteBitmapFormat(const gui::TBitmap& bitmap) {
  const size_t entries = bitmap.Palette().size();
  if (entries >= 1 && entries <= 2) return gui::pf1bit;
  if (entries >= 3 && entries <= 16) return gui::pf4bit;
  if (entries >= 17 && entries <= 256) return gui::pf8bit;
  return gui::pfDevice;
}

TPixelFormat ScreenPixelFormat() {
  switch (platform::ScreenDepth::current().bitsPerPixel()) {
    case 1: return gui::pf1bit;
    case 4: return gui::pf4bit;
    case 8: return gui::pf8bit;
    case 24: return gui::pf24bit;
    default: return gui::pfDevice;
  }
}

int ScreenColorCount() {
  switch (ScreenPixelFormat()) {
    case gui::pf1bit: return 2;
    case gui::pf4bit: return 16;
    case gui::pf8bit: return 256;
    default: return 0;
  }
}

gui::TPoint ZoomImage(int ImageW, int ImageH, int MaxW, int MaxH, bool Stretch) {
  if (ImageW < 1 || ImageH < 1 || MaxW < 1 || MaxH < 1) return {0, 0};
  if (!Stretch) return {MaxW, MaxH};
  double zoom = std::max(double(ImageW) / MaxW, double(ImageH) / MaxH);
  if (zoom <= 0) return {ImageW, ImageH};
  // Round to even, as the class library rounds.
  return {int(std::nearbyint(ImageW * 0.98 / zoom)), int(std::nearbyint(ImageH * 0.98 / zoom))};
}

void TileImage(gui::TCanvas& Canvas, const gui::TRect& Rect, const gui::TGraphic& Image) {
  const int w = Image.Width(), h = Image.Height();
  if (w == 0 || h == 0) return;
  const int saved = Canvas.SaveDC();
  Canvas.IntersectClipRect(Rect);
  for (int i = 0; i <= Rect.Width() / w; ++i) {
    for (int j = 0; j <= Rect.Height() / h; ++j) {
      Canvas.Draw(Rect.Left + i * w, Rect.Top + j * h, Image);
    }
  }
  Canvas.RestoreDC(saved);
}

// --- TRxGradient ------------------------------------------------------------------------------

template <typename T>
void TRxGradient::set(T& field, T value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TRxGradient::SetDirection(vclutils::TFillDirection value) { set(direction_, value); }
void TRxGradient::SetEndColor(gui::TColor value) { set(endColor_, value); }
void TRxGradient::SetStartColor(gui::TColor value) { set(startColor_, value); }
void TRxGradient::SetStepCount(uint8_t value) { set(stepCount_, value); }
void TRxGradient::SetVisible(bool value) { set(visible_, value); }

void TRxGradient::Changed() {
  if (OnChange) OnChange(this);
}

void TRxGradient::Assign(const TRxGradient& source) {
  if (&source == this) return;
  direction_ = source.direction_;
  endColor_ = source.endColor_;
  startColor_ = source.startColor_;
  stepCount_ = source.stepCount_;
  visible_ = source.visible_;
  Changed();
}

void TRxGradient::Draw(gui::TCanvas& Canvas, const gui::TRect& Rect) const {
  vclutils::GradientFillRect(Canvas, Rect, startColor_, endColor_, direction_, stepCount_);
}

}  // namespace rxgraph
