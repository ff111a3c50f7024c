// Bitmaps made from the fuzzer's bytes, written as a GIF file and read back: palette bitmaps of
// 1, 4 or 8 bits must come back pixel for pixel, true-colour ones (reduced by the mapping method
// the bytes choose) as the encoder's own decoded frames show them. Frame attributes (timing,
// disposal, position, looping, comments) come from the bytes too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/Rxgif.h"
#include "controls/dormant/Rxgraph.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "gif_writer: %s\n", what);
    std::abort();
  }
}

class Bytes {
public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
  bool left() const { return at_ < size_; }

private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

std::vector<QRgb> pixelsOf(const gui::TBitmap& bitmap) {
  std::vector<QRgb> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      pixels.push_back(bitmap.Image().pixel(x, y) | 0xFF000000u);
    }
  }
  return pixels;
}

gui::TBitmap makeBitmap(Bytes& in, bool& palette) {
  const int width = in.next() % 48 + 1, height = in.next() % 48 + 1;
  const int kind = in.next() % 4;
  palette = kind < 3;
  QImage pixels(width, height, QImage::Format_RGB32);
  const int bits = kind == 0 ? 1 : kind == 1 ? 4 : 8;
  std::vector<QRgb> table;
  for (int i = 0; palette && i < (1 << bits); ++i) table.push_back(qRgb(i, 255 - i, i * 3 % 256));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t v = in.next();
      pixels.setPixel(x, y, palette ? table[v % table.size()] : qRgb(v, in.next(), v ^ 0x5A));
    }
  }
  gui::TBitmap bitmap;
  if (!palette) {
    bitmap.SetImage(pixels);
    return bitmap;
  }
  std::vector<uint8_t> bmp = gui::WriteBmpFile(pixels, gui::FormatForBits(bits), table);
  bitmap.LoadFromBytes(bmp.data(), bmp.size());
  return bitmap;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  rxgraph::DefaultMappingMethod = rxgraph::TMappingMethod(in.next() % 6);
  rxgif::TGIFImage image;
  std::vector<gui::TBitmap> bitmaps;
  std::vector<bool> exact;
  const int frames = in.next() % 3 + 1;
  for (int i = 0; i < frames; ++i) {
    bool palette = false;
    bitmaps.push_back(makeBitmap(in, palette));
    exact.push_back(palette);
    image.AddFrame(&bitmaps.back());
    rxgif::TGIFFrame& frame = image.GetFrame(i);
    frame.SetAnimateInterval(uint16_t(in.next() * 10));
    frame.SetDisposalMethod(rxgif::TDisposalMethod(in.next() % 8));
    frame.SetTopLeft(gui::Point(in.next(), in.next()));
  }
  image.SetLooping(in.next() % 2);
  image.SetRepeatCount(in.next() << 8 | in.next());
  if (in.next() % 2) {
    gui::TStringList lines;
    lines.Add(std::string(in.next() * 3, 'c'));
    image.SetComment(lines);
  }
  image.EncodeAllFrames();
  gui::TMemoryStream stream;
  image.WriteData(stream);
  stream.SetPosition(0);
  rxgif::TGIFImage back;
  back.ReadData(stream);
  check(back.GetCount() == frames, "frame count");
  check(!back.Corrupted(), "corrupted data");
  for (int i = 0; i < frames; ++i) {
    const std::vector<QRgb> read = pixelsOf(back.GetFrame(i).GetBitmap());
    check(read == pixelsOf(image.GetFrame(i).GetBitmap()), "pixels differ from the encoded frame");
    if (exact[size_t(i)]) {
      check(read == pixelsOf(bitmaps[size_t(i)]), "pixels differ from the bitmap");
    }
    check(back.GetFrame(i).AnimateInterval() == image.GetFrame(i).AnimateInterval() / 10 * 10,
          "interval");
  }
  check(back.Looping() == (image.Looping() && frames > 1), "looping");
  return 0;
}
