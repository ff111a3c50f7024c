// Device-independent bitmaps: the BMP file layout (file header, info header, colour table,
// bottom-up rows padded to 4 bytes) and the bare DIB that icons hold. Pixels are kept as RGB32
// together with the stored depth and colour table, so a bitmap saves in the format it came in.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <vector>

namespace gui {

// The most pixels a bitmap is read with: a picture file whose header asks for more is refused
// before anything is allocated. Every decoder that hands its pictures to bitmaps (the GIF reader
// too) refuses larger pictures by this same limit.
inline constexpr int64_t kMaxBitmapPixels = int64_t(1) << 24;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

struct DibImage {
  QImage pixels;  // Format_RGB32 (Format_ARGB32 when `alpha` is set)
  TPixelFormat format = pfDevice;
  std::vector<QRgb> palette;  // the colour table of 1, 4 and 8-bit images
  bool alpha = false;         // a 32-bit DIB whose fourth bytes were kept as alpha
};

// Bits per pixel of a format, and back (0 / pfCustom for none).
int BitsPerPixel(TPixelFormat format);
TPixelFormat FormatForBits(int bits);

// A BMP file. Raises EInvalidGraphic "Bitmap image is not valid" for a damaged header and
// EReadError "Stream read error" when the pixels end early.
DibImage ReadBmpFile(const uint8_t* data, size_t size);
// A BMP file of the pixels at `format` (pfDevice is written as 24 bits); palette formats use
// `palette` (padded with black to the full table) and take each pixel's nearest entry.
std::vector<uint8_t> WriteBmpFile(const QImage& pixels, TPixelFormat format,
                                  const std::vector<QRgb>& palette);

// A DIB without file header (as in icons): `rows` pixel rows are decoded; with keepAlpha a
// 32-bit DIB keeps its fourth bytes as alpha. `consumed` receives the bytes of header, table
// and the decoded rows. Raises as ReadBmpFile.
DibImage ReadDib(const uint8_t* data, size_t size, int rows, bool keepAlpha, size_t& consumed);
// Header (with the given height field), colour table and bottom-up rows of a DIB. For 16 bits a
// "palette" of three masks selects 5-6-5 bit fields; otherwise 16 bits are 5-5-5.
void WriteDib(std::vector<uint8_t>& out, const QImage& pixels, int bits,
              const std::vector<QRgb>& palette, int heightField, bool withAlpha);
// Bottom-up rows of a 1-bit mask: set bits where mask(x, y) is true.
void AppendMaskRows(std::vector<uint8_t>& out, int width, int height,
                    const std::function<bool(int, int)>& mask);
int DibStride(int width, int bits);

// The standard 16-colour table and a table suited to `pixels` for 8 bits (its own colours when
// there are at most 256, else a colour cube).
std::vector<QRgb> DefaultPalette(TPixelFormat format, const QImage& pixels);
// Each pixel replaced by the nearest colour of the table.
QImage QuantizeToPalette(const QImage& pixels, const std::vector<QRgb>& palette);

}  // namespace gui
