#include "gui/BmpCodec.h"

#include <algorithm>
#include <unordered_map>

#include "gui/BmpCodecRle.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"

namespace gui {

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
// Run-length data fills the whole picture whatever the data holds, so a few bytes could ask for
// the largest bitmap: such pictures have a quarter of the limit.
constexpr int64_t kMaxCompressedPixels = kMaxBitmapPixels / 4;

using le::u16;
using le::u32;
using le::put16;
using le::put32;

[[noreturn]] void invalid() { throw EInvalidGraphic(texts::kInvalidBitmap); }

// What a DIB header says about the pixels that follow it.
struct DibInfo {
  int width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = BI_RGB;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  std::vector<QRgb> palette;
  size_t headerBytes = 0;            // header, masks and colour table
};

void readMasks(const uint8_t* p, DibInfo& info, int count) {
  for (int i = 0; i < count; ++i) info.masks[i] = u32(p + 4 * i);
}

DibInfo parseHeader(const uint8_t* data, size_t size) {
  DibInfo info;
  if (size < 4) invalid();
  uint32_t headerSize = u32(data);
  size_t entryBytes = 4;
  uint32_t colorsUsed = 0;
  if (headerSize == 12) {
    if (size < 12) invalid();
    info.width = u16(data + 4);
    info.height = u16(data + 6);
    info.bits = u16(data + 10);
    entryBytes = 3;
  } else if (headerSize >= 40 && headerSize <= 1024 && size >= headerSize) {
    info.width = int32_t(u32(data + 4));
    info.height = int32_t(u32(data + 8));
    info.bits = u16(data + 14);
    info.compression = u32(data + 16);
    colorsUsed = u32(data + 32);
    if (headerSize >= 52) readMasks(data + 40, info, headerSize >= 56 ? 4 : 3);
  } else {
    invalid();
  }
  info.headerBytes = headerSize;
  if (info.height < 0) {
    if (info.height == INT32_MIN) invalid();
    info.height = -info.height;
    info.topDown = true;
  }
  if (info.width <= 0 || info.height <= 0 || int64_t(info.width) * info.height > kMaxBitmapPixels) {
    invalid();
  }
  bool bitsOk = info.bits == 1 || info.bits == 4 || info.bits == 8 || info.bits == 16 ||
                info.bits == 24 || info.bits == 32;
  bool compressionOk = info.compression == BI_RGB ||
                       (info.compression == BI_RLE8 && info.bits == 8 && !info.topDown) ||
                       (info.compression == BI_RLE4 && info.bits == 4 && !info.topDown) ||
                       (info.compression == BI_BITFIELDS && (info.bits == 16 || info.bits == 32));
  if (!bitsOk || !compressionOk) invalid();
  if (info.compression == BI_BITFIELDS && headerSize == 40) {
    if (size < info.headerBytes + 12) invalid();
    readMasks(data + info.headerBytes, info, 3);
    info.headerBytes += 12;
  }
  size_t entries = 0;
  if (info.bits <= 8) {
    size_t full = size_t(1) << info.bits;
    entries = colorsUsed == 0 ? full : std::min<size_t>(colorsUsed, full);
  } else {
    entries = std::min<size_t>(colorsUsed, 256);  // an optional table, not used for the pixels
  }
  if (size < info.headerBytes + entries * entryBytes) invalid();
  const uint8_t* table = data + info.headerBytes;
  for (size_t i = 0; info.bits <= 8 && i < entries; ++i) {
    const uint8_t* e = table + i * entryBytes;
    info.palette.push_back(qRgb(e[2], e[1], e[0]));
  }
  info.headerBytes += entries * entryBytes;
  // Indexes beyond a short table show black: make that colour part of the table.
  if (info.bits <= 8) info.palette.resize(size_t(1) << info.bits, qRgb(0, 0, 0));
  return info;
}

// A colour channel from a bit-field value, scaled to 0..255.
int channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!(mask >> shift & 1)) ++shift;
  uint32_t max = mask >> shift;
  return int(((value & mask) >> shift) * 255 / max);
}

TPixelFormat formatOf(const DibInfo& info) {
  if (info.bits == 16) {
    if (info.compression == BI_RGB) return pf15bit;
    if (info.masks[0] == 0x7C00 && info.masks[1] == 0x3E0 && info.masks[2] == 0x1F) return pf15bit;
    if (info.masks[0] == 0xF800 && info.masks[1] == 0x7E0 && info.masks[2] == 0x1F) return pf16bit;
    return pfCustom;
  }
  return FormatForBits(info.bits);
}

DibImage decodeBits(const DibInfo& info, const uint8_t* bits, size_t size, int rows,
                    bool keepAlpha) {
  size_t stride = size_t(DibStride(info.width, info.bits));
  if (size < stride * size_t(rows)) throw EReadError();
  DibImage result;
  result.format = formatOf(info);
  result.palette = info.palette;
  result.alpha = keepAlpha && info.bits == 32;
  result.pixels = QImage(info.width, rows, result.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  uint32_t masks[4] = {info.masks[0], info.masks[1], info.masks[2], info.masks[3]};
  if (info.compression == BI_RGB && info.bits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x3E0, masks[2] = 0x1F;
  }
  auto lookup = [&](size_t index) {
    return index < info.palette.size() ? info.palette[index] : qRgb(0, 0, 0);
  };
  auto* first = reinterpret_cast<QRgb*>(result.pixels.bits());
  for (int r = 0; r < rows; ++r) {
    const uint8_t* row = bits + stride * size_t(r);
    int y = info.topDown ? r : rows - 1 - r;
    QRgb* out = first + size_t(y) * size_t(info.width);
    for (int x = 0; x < info.width; ++x) {
      QRgb pixel = 0;
      switch (info.bits) {
        case 1: pixel = lookup(row[x / 8] >> (7 - x % 8) & 1); break;
        case 4: pixel = lookup(x % 2 ? row[x / 2] & 0xF : row[x / 2] >> 4); break;
        case 8: pixel = lookup(row[x]); break;
        case 16: {
          uint32_t v = u16(row + 2 * x);
          pixel = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
          break;
        }
        case 24: pixel = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        case 32: {
          const uint8_t* p = row + 4 * x;
          if (info.compression == BI_BITFIELDS) {
            uint32_t v = u32(p);
            pixel = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
          } else {
            pixel = qRgb(p[2], p[1], p[0]);
          }
          if (result.alpha) pixel = (pixel & 0xFFFFFF) | uint32_t(p[3]) << 24;
          break;
        }
      }
      out[x] = result.alpha ? pixel : (pixel | 0xFF000000u);
    }
  }
  return result;
}

// Run-length encoded pixels: every pixel the stream leaves out is colour index 0.
DibImage decodeCompressed(const uint8_t* bits, size_t size, const DibInfo& info) {
  if (int64_t(info.width) * info.height > kMaxCompressedPixels) invalid();
  std::vector<uint8_t> indexes = DecodeRle(bits, size, info.width, info.height, info.bits);
  DibImage result;
  result.format = FormatForBits(info.bits);
  result.palette = info.palette;
  result.pixels = QImage(info.width, info.height, QImage::Format_RGB32);
  QRgb colors[256] = {};
  for (size_t i = 0; i < info.palette.size(); ++i) colors[i] = info.palette[i] | 0xFF000000u;
  // RGB32 rows have no padding: the picture is one run of pixels, top row first.
  auto* out = reinterpret_cast<QRgb*>(result.pixels.bits());
  for (uint8_t index : indexes) *out++ = colors[index];
  return result;
}

}  // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

TPixelFormat FormatForBits(int bits) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

int DibStride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

DibImage ReadDib(const uint8_t* data, size_t size, int rows, bool keepAlpha, size_t& consumed) {
  DibInfo info = parseHeader(data, size);
  if (info.compression == BI_RLE8 || info.compression == BI_RLE4) invalid();
  rows = std::clamp(rows, 0, info.height);
  DibImage image = decodeBits(info, data + info.headerBytes, size - info.headerBytes, rows, keepAlpha);
  consumed = info.headerBytes + size_t(DibStride(info.width, info.bits)) * size_t(rows);
  return image;
}

DibImage ReadBmpFile(const uint8_t* data, size_t size) {
  if (size < 14 || data[0] != 'B' || data[1] != 'M') invalid();
  DibInfo info = parseHeader(data + 14, size - 14);
  // The pixels start where the file header says, when that is past the colour table.
  size_t offset = u32(data + 10);
  if (offset < 14 + info.headerBytes || offset > size) offset = 14 + info.headerBytes;
  if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
    return decodeCompressed(data + offset, size - offset, info);
  }
  return decodeBits(info, data + offset, size - offset, info.height, false);
}

void WriteDib(std::vector<uint8_t>& out, const QImage& pixels, int bits,
              const std::vector<QRgb>& palette, int heightField, bool withAlpha) {
  int width = pixels.width(), height = pixels.height();
  bool bitfields = bits == 16 && palette.size() == 3;
  std::vector<QRgb> table;
  if (bits <= 8) {
    table = palette;
    table.resize(size_t(1) << bits, qRgb(0, 0, 0));
  }
  int stride = DibStride(width, bits);
  uint32_t imageSize = uint32_t(stride) * uint32_t(height);
  if (heightField == 2 * height) imageSize += uint32_t(DibStride(width, 1) * height);
  put32(out, 40);
  put32(out, uint32_t(width));
  put32(out, uint32_t(heightField));
  put16(out, 1);
  put16(out, uint32_t(bits));
  put32(out, bitfields ? BI_BITFIELDS : BI_RGB);
  put32(out, imageSize);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  if (bitfields) {
    for (QRgb mask : palette) put32(out, mask);
  }
  for (QRgb c : table) {
    out.push_back(uint8_t(qBlue(c)));
    out.push_back(uint8_t(qGreen(c)));
    out.push_back(uint8_t(qRed(c)));
    out.push_back(0);
  }
  QImage indexed = bits <= 8 ? QuantizeToPalette(pixels, table) : QImage();
  std::unordered_map<QRgb, uint8_t> index;
  for (size_t i = table.size(); i-- > 0;) index[table[i] & 0xFFFFFF] = uint8_t(i);
  // Pictures hold long runs of one colour: the last colour's index is kept at hand.
  QRgb lastColor = 0;
  uint8_t lastIndex = index[0];
  auto indexOf = [&](QRgb p) {
    if ((p & 0xFFFFFF) != lastColor) lastColor = p & 0xFFFFFF, lastIndex = index[lastColor];
    return lastIndex;
  };
  // Rows bottom-up, each zero-padded to its stride.
  size_t start = out.size();
  out.resize(start + size_t(stride) * size_t(height), 0);
  const QImage& source = bits <= 8 ? indexed : pixels;
  for (int y = height - 1; y >= 0; --y) {
    uint8_t* row = out.data() + start + size_t(stride) * size_t(height - 1 - y);
    const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb p = line[x];
      switch (bits) {
        case 1: row[size_t(x / 8)] |= uint8_t(indexOf(p) << (7 - x % 8)); break;
        case 4: row[size_t(x / 2)] |= uint8_t(indexOf(p) << (x % 2 ? 0 : 4)); break;
        case 8: row[size_t(x)] = indexOf(p); break;
        case 16: {
          uint32_t v = bitfields ? uint32_t(qRed(p) >> 3 << 11 | qGreen(p) >> 2 << 5 | qBlue(p) >> 3)
                                 : uint32_t(qRed(p) >> 3 << 10 | qGreen(p) >> 3 << 5 | qBlue(p) >> 3);
          row[size_t(2 * x)] = uint8_t(v);
          row[size_t(2 * x + 1)] = uint8_t(v >> 8);
          break;
        }
        default: {
          uint8_t* q = row + x * (bits / 8);
          q[0] = uint8_t(qBlue(p));
          q[1] = uint8_t(qGreen(p));
          q[2] = uint8_t(qRed(p));
          if (bits == 32) q[3] = withAlpha ? uint8_t(qAlpha(p)) : 0;
        }
      }
    }
  }
}

std::vector<uint8_t> WriteBmpFile(const QImage& source, TPixelFormat format,
                                  const std::vector<QRgb>& palette) {
  QImage pixels = source.convertToFormat(QImage::Format_RGB32);
  int bits = BitsPerPixel(format);
  if (bits == 0) bits = 24;
  std::vector<QRgb> table = palette;
  if (bits <= 8 && table.empty()) table = DefaultPalette(format, pixels);
  if (format == pf16bit) table = {0xF800, 0x7E0, 0x1F};  // the bit fields of 5-6-5 pixels
  if (bits > 8 && format != pf16bit) table.clear();
  std::vector<uint8_t> dib;
  WriteDib(dib, pixels, bits, table, pixels.height(), false);
  size_t tableBytes = bits <= 8 ? (size_t(4) << bits) : (format == pf16bit ? 12 : 0);
  std::vector<uint8_t> out = {'B', 'M'};
  put32(out, uint32_t(14 + dib.size()));
  put32(out, 0);
  put32(out, uint32_t(14 + 40 + tableBytes));
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

void AppendMaskRows(std::vector<uint8_t>& out, int width, int height,
                    const std::function<bool(int, int)>& mask) {
  size_t stride = size_t(DibStride(width, 1)), start = out.size();
  out.resize(start + stride * size_t(height), 0);
  for (int y = height - 1; y >= 0; --y) {
    uint8_t* row = out.data() + start + stride * size_t(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      if (mask(x, y)) row[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  }
}

std::vector<QRgb> DefaultPalette(TPixelFormat format, const QImage& pixels) {
  if (format == pf1bit) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  if (format == pf4bit) {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  }
  std::vector<QRgb> own;
  std::unordered_map<QRgb, bool> seen;
  for (int y = 0; y < pixels.height() && own.size() <= 256; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width() && own.size() <= 256; ++x) {
      QRgb c = line[x] | 0xFF000000u;
      if (!seen[c]) {
        seen[c] = true;
        own.push_back(c);
      }
    }
  }
  if (own.size() <= 256) return own;
  std::vector<QRgb> cube;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) cube.push_back(qRgb(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 40; ++i) cube.push_back(qRgb(i * 255 / 41, i * 255 / 41, i * 255 / 41));
  return cube;
}

QImage QuantizeToPalette(const QImage& pixels, const std::vector<QRgb>& palette) {
  QImage result = pixels.convertToFormat(QImage::Format_RGB32);
  if (palette.empty()) return result;
  std::unordered_map<QRgb, QRgb> nearest;
  QRgb lastColor = 0, lastNearest = 0;  // the previous pixel's, as runs of one colour are common
  // RGB32 rows have no padding: the picture is one run of pixels.
  auto* pixel = reinterpret_cast<QRgb*>(result.bits());
  auto* end = pixel + size_t(result.width()) * size_t(result.height());
  for (; pixel < end; ++pixel) {
    QRgb c = *pixel | 0xFF000000u;
    if (c == lastColor) {
      *pixel = lastNearest;
      continue;
    }
    auto found = nearest.find(c);
    if (found == nearest.end()) {
      QRgb best = palette[0];
      int bestDistance = INT32_MAX;
      for (QRgb p : palette) {
        int dr = qRed(p) - qRed(c), dg = qGreen(p) - qGreen(c), db = qBlue(p) - qBlue(c);
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) bestDistance = distance, best = p;
      }
      found = nearest.emplace(c, best | 0xFF000000u).first;
    }
    *pixel = lastNearest = found->second;
    lastColor = c;
  }
  return result;
}

}  // namespace gui
