// The transparent blit in one pass against Windows' steps through four monochrome-mask
// surfaces (which give the same pixels, as the tests check): a slider thumb (16 x 16) and a
// GIF frame stretched to twice its size (160 x 160 to 320 x 320).
#include <benchmark/benchmark.h>

#include "../tests/controls/VclutilsMaskBlit.h"
#include "controls/VclutilsBitmaps.h"

namespace {

void makePicture(gui::TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.Canvas().SetPixel(x, y, (x + y) % 3 == 0 ? gui::clLime : gui::RGB(x, y, 40));
    }
  }
}

template <auto Blit>
void BM_Blit(benchmark::State& state) {
  int size = int(state.range(0));
  int scale = int(state.range(1));
  gui::TBitmap source, dest(scale * size, scale * size);
  makePicture(source, size, size);
  for (auto _ : state) {
    Blit(dest.Canvas(), 0, 0, scale * size, scale * size, source.Canvas(), 0, 0, size, size,
         gui::clLime);
  }
}

BENCHMARK(BM_Blit<vclutils::StretchBltTransparent>)->Name("OnePass")->Args({16, 1})->Args({160, 2});
BENCHMARK(BM_Blit<vclutils_test::MaskPipelineBlt>)->Name("MaskSteps")->Args({16, 1})->Args({160, 2});

}  // namespace

BENCHMARK_MAIN();
