// BMP files as the bitmap class reads them (layouts, skins, decoded GIF frames): any bytes must
// either load or raise the class library's exception, a second load must give the same pixels
// (no pixel may depend on memory the decoder did not write), and a loaded bitmap must save and
// load back to the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"

namespace {

// Decoding pixels costs time, not coverage: a few bytes of run-length data may ask for millions
// of pixels, which take seconds in this build. Such pictures are left out unless their header
// asks for more than a bitmap may hold, so that every refusal is still reached.
constexpr int64_t kPixelBudget = int64_t(1) << 18;

bool tooCostly(const uint8_t* data, size_t size) {
  if (size < 26) return false;
  bool core = gui::le::u32(data + 14) == 12;
  int64_t width = core ? gui::le::u16(data + 18) : int32_t(gui::le::u32(data + 18));
  int64_t height = core ? gui::le::u16(data + 20) : int32_t(gui::le::u32(data + 22));
  int64_t pixels = std::abs(width * height);
  return pixels > kPixelBudget && pixels <= gui::kMaxBitmapPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (tooCostly(data, size)) return 0;
  gui::TBitmap bitmap;
  try {
    bitmap.LoadFromBytes(data, size);
  } catch (const gui::Exception&) {
    return 0;
  }
  gui::TBitmap again;
  again.LoadFromBytes(data, size);
  if (again.Image() != bitmap.Image()) std::abort();
  std::vector<uint8_t> saved = bitmap.SaveToBytes();
  gui::TBitmap back;
  back.LoadFromBytes(saved.data(), saved.size());
  if (bitmap.PixelFormat() != gui::pfCustom && back.Image() != bitmap.Image()) std::abort();
  return 0;
}
