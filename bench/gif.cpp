// Decoding GIF files: our reader against the reference library's DGifSlurp on the same bytes.
// "Indexes" reads the file and decodes every frame into its BMP image of colour indexes, the
// same work DGifSlurp does; "Bitmaps" also turns every frame into the TBitmap the program draws.
// Files: 24 small icons, a 640 x 480 photo-like frame and a 100-frame animation.
#include <benchmark/benchmark.h>

#include <gif_lib.h>

#include <cmath>
#include <cstring>
#include <random>

#include "RxgifTestSupport.h"
#include "controls/Rxgif.h"

using namespace rxgiftest;

namespace {

// A smooth picture with a little grain, as a photograph reduced to 256 colours looks.
std::vector<uint8_t> photo(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double s = 96 + 60 * std::sin(x / 37.0) * std::cos(y / 23.0) + 40 * std::sin((x + y) / 71.0);
      v[size_t(y) * size_t(w) + size_t(x)] = uint8_t(std::clamp(int(s) + int(random() % 5) - 2, 0, 255));
    }
  }
  return v;
}

// An icon: a shape on a transparent background.
std::vector<uint8_t> icon(int size, int colors, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> v(size_t(size) * size_t(size), 0);
  for (int y = 2; y < size - 2; ++y) {
    for (int x = 2; x < size - 2; ++x) {
      int dx = x - size / 2, dy = y - size / 2;
      if (dx * dx + dy * dy < size * size / 5) v[size_t(y * size + x)] = uint8_t(1 + random() % unsigned(colors - 1));
    }
  }
  return v;
}

std::vector<Bytes> iconFiles() {
  std::vector<Bytes> files;
  for (int i = 0; i < 24; ++i) {
    int size = i % 2 ? 32 : 16, bits = i % 3 == 0 ? 8 : 4;
    RefFrame f;
    f.width = f.height = size;
    f.transparent = 0;
    f.indexes = icon(size, 1 << bits, unsigned(i));
    files.push_back(RefEncode(size, size, bits, {f}));
  }
  return files;
}

Bytes photoFile() {
  RefFrame f;
  f.width = 640;
  f.height = 480;
  f.indexes = photo(640, 480, 1);
  return RefEncode(640, 480, 8, {f});
}

// 100 frames of 160 x 120 over 64 colours: a moving picture, each frame with a delay.
Bytes animationFile() {
  std::vector<RefFrame> frames;
  for (int i = 0; i < 100; ++i) {
    RefFrame f;
    f.width = 160;
    f.height = 120;
    f.delay = 4;
    f.indexes = photo(160 + i, 120, unsigned(i));
    // keep 160 columns of the wider picture, shifted by the frame number, in 64 colours
    std::vector<uint8_t> cut;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) cut.push_back(f.indexes[size_t(y * (160 + i) + x + i)] >> 2);
    }
    f.indexes = cut;
    frames.push_back(f);
  }
  return RefEncode(160, 120, 6, frames);
}

const std::vector<Bytes>& files(int which) {
  static const std::vector<Bytes> icons = iconFiles();
  static const std::vector<Bytes> photos = {photoFile()};
  static const std::vector<Bytes> animations = {animationFile()};
  return which == 0 ? icons : which == 1 ? photos : animations;
}

const char* kNames[] = {"icons", "photo640x480", "animation100"};

void oursIndexes(const Bytes& bytes) {
  gui::TMemoryStream stream;
  stream.Write(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  rxgif::TGIFImage image;
  image.ReadStream(int64_t(bytes.size()), stream, false);
  gui::TMemoryStream bmp;
  for (int i = 0; i < image.GetCount(); ++i) {
    image.GetFrame(i).SaveToBitmapStream(bmp);
    benchmark::DoNotOptimize(bmp.Memory());
  }
}

void oursBitmaps(const Bytes& bytes) {
  gui::TMemoryStream stream;
  stream.Write(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  rxgif::TGIFImage image;
  image.ReadStream(int64_t(bytes.size()), stream, false);
  for (int i = 0; i < image.GetCount(); ++i) benchmark::DoNotOptimize(&image.GetFrame(i).GetBitmap());
}

struct Cursor {
  const Bytes* bytes;
  size_t position;
};

int readBytes(GifFileType* gif, GifByteType* data, int count) {
  auto* cursor = static_cast<Cursor*>(gif->UserData);
  size_t n = std::min(size_t(count), cursor->bytes->size() - cursor->position);
  std::memcpy(data, cursor->bytes->data() + cursor->position, n);
  cursor->position += n;
  return int(n);
}

void reference(const Bytes& bytes) {
  Cursor cursor{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&cursor, readBytes, &error);
  if (DGifSlurp(gif) != GIF_OK) std::abort();
  for (int i = 0; i < gif->ImageCount; ++i) benchmark::DoNotOptimize(gif->SavedImages[i].RasterBits);
  DGifCloseFile(gif, &error);
}

template <void (*Decode)(const Bytes&)>
void run(benchmark::State& state) {
  const std::vector<Bytes>& set = files(int(state.range(0)));
  size_t bytes = 0;
  for (const Bytes& b : set) bytes += b.size();
  for (auto _ : state) {
    for (const Bytes& b : set) Decode(b);
  }
  state.SetLabel(kNames[state.range(0)]);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_GiflibSlurp(benchmark::State& state) { run<reference>(state); }
void BM_OursIndexes(benchmark::State& state) { run<oursIndexes>(state); }
void BM_OursBitmaps(benchmark::State& state) { run<oursBitmaps>(state); }

BENCHMARK(BM_GiflibSlurp)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OursIndexes)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OursBitmaps)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
