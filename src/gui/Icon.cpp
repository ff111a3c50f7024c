#include "gui/Icon.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>

#include "gui/BmpCodec.h"
#include "gui/CanvasRaster.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"
#include "gui/Streams.h"

namespace gui {

namespace {

constexpr size_t kMaxImages = 256;

using le::u16;
using le::u32;
using le::put16;
using le::put32;

[[noreturn]] void invalid() { throw EInvalidGraphic(texts::kInvalidIcon); }

IconImage readPng(const uint8_t* data, size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "PNG");
  // The size comes from the header: a picture larger than a bitmap may be is refused unread.
  QSize dimensions = reader.size();
  if (!dimensions.isValid() ||
      int64_t(dimensions.width()) * dimensions.height() > kMaxBitmapPixels) {
    invalid();
  }
  QImage image = reader.read();
  if (image.isNull()) invalid();
  IconImage icon;
  icon.color = image.convertToFormat(QImage::Format_ARGB32);
  icon.mask.assign(size_t(icon.color.width()) * size_t(icon.color.height()), 0);
  for (int y = 0; y < icon.color.height(); ++y) {
    for (int x = 0; x < icon.color.width(); ++x) {
      if (qAlpha(icon.color.pixel(x, y)) == 0) icon.mask[size_t(y * icon.color.width() + x)] = 1;
    }
  }
  icon.hasAlpha = icon.png = true;
  return icon;
}

IconImage readDibImage(const uint8_t* data, size_t size) {
  if (size < 40 || u32(data) < 40) invalid();
  int dibHeight = std::abs(int32_t(u32(data + 8)));
  size_t consumed = 0;
  DibImage dib;
  try {
    dib = ReadDib(data, size, dibHeight / 2, true, consumed);
  } catch (const Exception&) {
    invalid();
  }
  IconImage icon;
  int w = dib.pixels.width(), h = dib.pixels.height();
  if (w == 0 || h == 0) invalid();
  // 16-bit pixels in bit fields other than 5-5-5 and 5-6-5 have no format of their own: they
  // stay 16 bits, written back as 5-5-5.
  icon.bits = dib.format == pfCustom ? 16 : BitsPerPixel(dib.format);
  icon.palette = dib.palette;
  // 5-6-5 pixels are written back with their bit fields: as 5-5-5 they would lose a green bit.
  if (dib.format == pf16bit) icon.palette = {0xF800, 0x7E0, 0x1F};
  icon.color = dib.pixels.convertToFormat(QImage::Format_ARGB32);
  icon.mask.assign(size_t(w) * size_t(h), 0);
  // The AND mask follows the colours, bottom-up; a missing mask leaves every pixel opaque.
  size_t stride = size_t(DibStride(w, 1));
  if (size >= consumed + stride * size_t(h)) {
    const uint8_t* mask = data + consumed;
    for (int r = 0; r < h; ++r) {
      for (int x = 0; x < w; ++x) {
        if (mask[stride * size_t(r) + size_t(x / 8)] >> (7 - x % 8) & 1) {
          icon.mask[size_t(h - 1 - r) * size_t(w) + size_t(x)] = 1;
        }
      }
    }
  }
  bool anyAlpha = false;
  for (int y = 0; y < h && dib.alpha; ++y) {
    for (int x = 0; x < w; ++x) anyAlpha = anyAlpha || qAlpha(icon.color.pixel(x, y)) != 0;
  }
  icon.hasAlpha = anyAlpha;
  if (!anyAlpha) {
    for (int y = 0; y < h; ++y) {
      auto* line = reinterpret_cast<QRgb*>(icon.color.scanLine(y));
      for (int x = 0; x < w; ++x) line[x] |= 0xFF000000u;
    }
  }
  return icon;
}

}  // namespace

int TIcon::Width() const { return current_ < 0 ? 0 : images_[size_t(current_)].color.width(); }

int TIcon::Height() const { return current_ < 0 ? 0 : images_[size_t(current_)].color.height(); }

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation(texts::kChangeIconSize); }

void TIcon::SetHeight(int) { throw EInvalidGraphicOperation(texts::kChangeIconSize); }

void TIcon::chooseCurrent() {
  // The image nearest the standard 32 x 32 icon, the deepest of equals.
  current_ = -1;
  for (size_t i = 0; i < images_.size(); ++i) {
    if (current_ < 0) {
      current_ = int(i);
      continue;
    }
    const IconImage& best = images_[size_t(current_)];
    int d = std::abs(images_[i].color.width() - 32), bestD = std::abs(best.color.width() - 32);
    if (d < bestD || (d == bestD && images_[i].bits > best.bits)) current_ = int(i);
  }
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) const {
  if (current_ < 0) return;
  const IconImage& icon = images_[size_t(current_)];
  CanvasRaster raster(canvas);
  TPoint at = raster.toDevice(r.Left, r.Top);
  if (canvas.OnChanging) canvas.OnChanging();
  raster.forEach(QRect(at.X, at.Y, icon.color.width(), icon.color.height()), [&](int x, int y) {
    int ix = x - at.X, iy = y - at.Y;
    QRgb c = icon.color.pixel(ix, iy);
    uint32_t d = raster.get(x, y);
    if (icon.hasAlpha) {
      int a = qAlpha(c);
      auto blend = [a](int s, int t) { return (s * a + t * (255 - a) + 127) / 255; };
      raster.put(x, y, uint32_t(blend(qRed(c), int(d >> 16 & 0xFF))) << 16 |
                           uint32_t(blend(qGreen(c), int(d >> 8 & 0xFF))) << 8 |
                           uint32_t(blend(qBlue(c), int(d & 0xFF))));
    } else if (icon.masked(ix, iy)) {
      raster.put(x, y, d ^ (c & 0xFFFFFF));
    } else {
      raster.put(x, y, c & 0xFFFFFF);
    }
  });
  if (canvas.OnChange) canvas.OnChange();
}

void TIcon::Assign(const TGraphic* source) {
  if (source == this) return;
  if (!source) {
    images_.clear();
    current_ = -1;
    Changed();
    return;
  }
  auto* icon = dynamic_cast<const TIcon*>(source);
  if (!icon && source->AssignTo(*this)) return;
  if (!icon) assignError(source);
  images_ = icon->images_;
  current_ = icon->current_;
  Changed();
}

void TIcon::LoadFromBytes(const uint8_t* data, size_t size) {
  if (size < 6 || u16(data) != 0 || u16(data + 2) != 1) invalid();
  size_t count = u16(data + 4);
  if (count == 0 || count > kMaxImages || size < 6 + 16 * count) invalid();
  std::vector<IconImage> images;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + 6 + 16 * i;
    size_t bytes = u32(entry + 8), offset = u32(entry + 12);
    if (offset > size || bytes > size - offset || bytes < 8) invalid();
    const uint8_t* image = data + offset;
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    images.push_back(std::equal(kPng, kPng + 8, image) ? readPng(image, bytes)
                                                       : readDibImage(image, bytes));
  }
  images_ = std::move(images);
  chooseCurrent();
  Changed();
}

std::vector<uint8_t> TIcon::SaveToBytes() const {
  std::vector<uint8_t> out;
  if (images_.empty()) return out;
  std::vector<std::vector<uint8_t>> bodies;
  for (const IconImage& icon : images_) {
    std::vector<uint8_t> body;
    int w = icon.color.width(), h = icon.color.height();
    int bits = icon.png ? 32 : icon.bits;
    WriteDib(body, icon.color, bits, icon.palette, 2 * h, icon.hasAlpha || icon.png);
    AppendMaskRows(body, w, h, [&](int x, int y) { return icon.masked(x, y); });
    bodies.push_back(std::move(body));
  }
  put16(out, 0);
  put16(out, 1);
  put16(out, uint32_t(images_.size()));
  uint32_t offset = uint32_t(6 + 16 * images_.size());
  for (size_t i = 0; i < images_.size(); ++i) {
    const IconImage& icon = images_[i];
    int bits = icon.png ? 32 : icon.bits;
    out.push_back(uint8_t(icon.color.width() & 0xFF));  // 256 is written as 0
    out.push_back(uint8_t(icon.color.height() & 0xFF));
    out.push_back(uint8_t(bits <= 8 ? (1 << bits) & 0xFF : 0));
    out.push_back(0);
    put16(out, 1);
    put16(out, uint32_t(bits));
    put32(out, uint32_t(bodies[i].size()));
    put32(out, offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

void TIcon::LoadFromStream(TStream& stream) {
  int64_t size = std::max<int64_t>(stream.Size() - stream.Position(), 0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  stream.ReadBuffer(data.data(), size);
  LoadFromBytes(data.data(), data.size());
}

void TIcon::SaveToStream(TStream& stream) const {
  std::vector<uint8_t> data = SaveToBytes();
  stream.WriteBuffer(data.data(), int64_t(data.size()));
}

void TIcon::SetFromImage(const QImage& pixels, const std::function<bool(int, int)>& transparent,
                         int bits) {
  IconImage icon;
  icon.bits = bits;
  icon.color = pixels.convertToFormat(QImage::Format_ARGB32);
  int w = icon.color.width(), h = icon.color.height();
  icon.mask.assign(size_t(w) * size_t(h), 0);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(icon.color.scanLine(y));
    for (int x = 0; x < w; ++x) {
      // Transparent pixels are black in the colours, so that the XOR leaves the screen as is.
      if (transparent(x, y)) {
        icon.mask[size_t(y * w + x)] = 1;
        line[x] = bits == 32 ? 0 : 0xFF000000u;
      } else {
        line[x] |= 0xFF000000u;
      }
    }
  }
  icon.hasAlpha = bits == 32;
  if (bits <= 8) {
    icon.palette = DefaultPalette(bits == 4 ? pf4bit : pf8bit, icon.color);
    icon.color = QuantizeToPalette(icon.color, icon.palette).convertToFormat(QImage::Format_ARGB32);
  }
  images_ = {icon};
  current_ = 0;
  Changed();
}

}  // namespace gui
