#include "RxgifTestSupport.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "gui/Streams.h"

namespace rxgiftest {

namespace {

class BitPacker {
public:
  void put(unsigned code, int size) {
    bits_ |= uint64_t(code) << count_;
    count_ += size;
    while (count_ >= 8) {
      bytes_.push_back(uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  Bytes finish() {
    if (count_ > 0) bytes_.push_back(uint8_t(bits_));
    return bytes_;
  }

private:
  Bytes bytes_;
  uint64_t bits_ = 0;
  int count_ = 0;
};

Bytes subBlocks(const Bytes& raw, int minimumCodeSize, int blockSize) {
  Bytes out{uint8_t(minimumCodeSize)};
  for (size_t i = 0; i < raw.size(); i += size_t(blockSize)) {
    size_t n = std::min(raw.size() - i, size_t(blockSize));
    out.push_back(uint8_t(n));
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(i), raw.begin() + std::ptrdiff_t(i + n));
  }
  out.push_back(0);
  return out;
}

void put16(Bytes& b, int v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

}  // namespace

Bytes EncodeLiterals(const std::vector<uint8_t>& indexes, int minimumCodeSize, int blockSize) {
  const unsigned clear = 1u << minimumCodeSize;
  BitPacker packer;
  int codeSize = minimumCodeSize + 1;
  unsigned next = clear + 2;
  bool first = true;
  packer.put(clear, codeSize);
  for (uint8_t index : indexes) {
    packer.put(index, codeSize);
    // The decoder adds an entry for every code but the first after a clear.
    if (!first && ++next == (1u << codeSize) && codeSize < 12) ++codeSize;
    first = false;
    if (next >= 4000) {
      packer.put(clear, codeSize);
      codeSize = minimumCodeSize + 1;
      next = clear + 2;
      first = true;
    }
  }
  packer.put(clear + 1, codeSize);
  return subBlocks(packer.finish(), minimumCodeSize, blockSize);
}

Bytes PackCodes(const std::vector<Code>& codes, int minimumCodeSize, int blockSize) {
  BitPacker packer;
  for (const Code& c : codes) packer.put(c.value, c.size);
  return subBlocks(packer.finish(), minimumCodeSize, blockSize);
}

Bytes Reblock(const Bytes& lzw, int blockSize) {
  Bytes raw;
  size_t i = 1;
  while (i < lzw.size() && lzw[i] != 0) {
    size_t n = lzw[i];
    raw.insert(raw.end(), lzw.begin() + std::ptrdiff_t(i + 1), lzw.begin() + std::ptrdiff_t(i + 1 + n));
    i += n + 1;
  }
  return subBlocks(raw, lzw[0], blockSize);
}

// --- the builder ----------------------------------------------------------------------------

GifBuilder::GifBuilder(const char* signature) : bytes_(signature, signature + 6) {}

void GifBuilder::table(int bits) {
  for (int i = 0; i < (1 << bits); ++i) {
    bytes_.insert(bytes_.end(), {Red(i), Green(i), Blue(i)});
  }
}

GifBuilder& GifBuilder::Screen(int width, int height, int globalBits, int background,
                               uint8_t aspect) {
  put16(bytes_, width);
  put16(bytes_, height);
  bytes_.push_back(globalBits > 0 ? uint8_t(0x80 | 0x70 | (globalBits - 1)) : 0x70);
  bytes_.push_back(uint8_t(background));
  bytes_.push_back(aspect);
  if (globalBits > 0) table(globalBits);
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(uint8_t packed, uint16_t delay, uint8_t transparentIndex) {
  bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, packed});
  put16(bytes_, delay);
  bytes_.insert(bytes_.end(), {transparentIndex, 0});
  return *this;
}

GifBuilder& GifBuilder::Comment(const std::vector<std::string>& lines) {
  bytes_.insert(bytes_.end(), {0x21, 0xFE});
  for (const std::string& line : lines) {
    bytes_.push_back(uint8_t(line.size()));
    bytes_.insert(bytes_.end(), line.begin(), line.end());
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Application(const std::string& identifier,
                                    const std::vector<Bytes>& blocks, uint8_t blockSize) {
  bytes_.insert(bytes_.end(), {0x21, 0xFF, blockSize});
  std::string id = identifier;
  id.resize(11, ' ');
  bytes_.insert(bytes_.end(), id.begin(), id.end());
  for (const Bytes& block : blocks) {
    bytes_.push_back(uint8_t(block.size()));
    bytes_.insert(bytes_.end(), block.begin(), block.end());
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::PlainText() {
  bytes_.insert(bytes_.end(), {0x21, 0x01, 12});
  bytes_.insert(bytes_.end(), 12, uint8_t(1));
  bytes_.insert(bytes_.end(), {3, 'a', 'b', 'c', 0});
  return *this;
}

GifBuilder& GifBuilder::Image(int left, int top, int width, int height, const Bytes& lzw,
                              int localBits, bool interlaced) {
  bytes_.push_back(0x2C);
  put16(bytes_, left);
  put16(bytes_, top);
  put16(bytes_, width);
  put16(bytes_, height);
  uint8_t packed = uint8_t((interlaced ? 0x40 : 0) | (localBits > 0 ? 0x80 | (localBits - 1) : 0));
  bytes_.push_back(packed);
  if (localBits > 0) table(localBits);
  bytes_.insert(bytes_.end(), lzw.begin(), lzw.end());
  return *this;
}

GifBuilder& GifBuilder::Raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

GifBuilder& GifBuilder::Trailer() {
  bytes_.push_back(0x3B);
  return *this;
}

// --- our side -------------------------------------------------------------------------------

void Load(rxgif::TGIFImage& image, const Bytes& bytes, bool decodeFirst) {
  gui::TMemoryStream stream;
  stream.Write(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  image.ReadStream(int64_t(bytes.size()), stream, decodeFirst);
}

std::vector<uint8_t> FrameIndexes(rxgif::TGIFFrame& frame) {
  gui::TMemoryStream bmp;
  frame.SaveToBitmapStream(bmp);
  const uint8_t* p = bmp.Memory();
  auto u32 = [](const uint8_t* q) { return uint32_t(q[0] | q[1] << 8 | q[2] << 16 | q[3] << 24); };
  const uint32_t offset = u32(p + 10);
  const int width = int(u32(p + 18)), height = int(u32(p + 22));
  const int depth = p[28];
  const int stride = (width * depth + 31) / 32 * 4;
  std::vector<uint8_t> indexes;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = p + offset + size_t(height - 1 - y) * size_t(stride);
    for (int x = 0; x < width; ++x) {
      if (depth == 8) indexes.push_back(row[x]);
      else if (depth == 4) indexes.push_back(x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
      else indexes.push_back(row[x / 8] >> (7 - x % 8) & 1);
    }
  }
  return indexes;
}

// --- the reference library ------------------------------------------------------------------

namespace {

int writeToBytes(GifFileType* gif, const GifByteType* data, int count) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + count);
  return count;
}

struct ReadCursor {
  const Bytes* bytes;
  size_t position = 0;
};

int readFromBytes(GifFileType* gif, GifByteType* data, int count) {
  auto* cursor = static_cast<ReadCursor*>(gif->UserData);
  size_t n = std::min(size_t(count), cursor->bytes->size() - cursor->position);
  std::memcpy(data, cursor->bytes->data() + cursor->position, n);
  cursor->position += n;
  return int(n);
}

ColorMapObject* makeMap(int bits) {
  if (bits == 0) return nullptr;
  std::vector<GifColorType> colors(size_t(1) << bits);
  for (size_t i = 0; i < colors.size(); ++i) {
    colors[i] = {GifBuilder::Red(int(i)), GifBuilder::Green(int(i)), GifBuilder::Blue(int(i))};
  }
  return GifMakeMapObject(int(colors.size()), colors.data());
}

void putFrame(GifFileType* gif, const RefFrame& f) {
  if (f.transparent >= 0 || f.delay > 0) {
    uint8_t gce[4] = {uint8_t(f.transparent >= 0 ? 1 : 0), uint8_t(f.delay), uint8_t(f.delay >> 8),
                      uint8_t(std::max(f.transparent, 0))};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce);
  }
  ColorMapObject* local = makeMap(f.localBits);
  EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
  GifFreeMapObject(local);
  std::vector<GifPixelType> line(size_t(f.width));
  auto putRow = [&](int y) {
    std::copy_n(f.indexes.begin() + std::ptrdiff_t(y * f.width), f.width, line.begin());
    EGifPutLine(gif, line.data(), f.width);
  };
  if (!f.interlaced) {
    for (int y = 0; y < f.height; ++y) putRow(y);
    return;
  }
  // The encoder takes the rows in the order they are stored.
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < f.height; y += kStep[pass]) putRow(y);
  }
}

}  // namespace

Bytes RefEncode(int screenWidth, int screenHeight, int globalBits,
                const std::vector<RefFrame>& frames) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, writeToBytes, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = makeMap(globalBits);
  EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global);
  GifFreeMapObject(global);
  for (const RefFrame& f : frames) putFrame(gif, f);
  EGifCloseFile(gif, &error);
  return out;
}

bool RefDecode(const Bytes& bytes, std::vector<std::vector<uint8_t>>& frames) {
  ReadCursor cursor{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&cursor, readFromBytes, &error);
  if (!gif) return false;
  bool ok = DGifSlurp(gif) == GIF_OK;
  frames.clear();
  for (int i = 0; ok && i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    size_t n = size_t(image.ImageDesc.Width) * size_t(image.ImageDesc.Height);
    frames.emplace_back(image.RasterBits, image.RasterBits + n);
  }
  DGifCloseFile(gif, &error);
  return ok;
}

}  // namespace rxgiftest
