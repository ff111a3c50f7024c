// BMP files as the bitmap class reads them (layouts, skins, decoded GIF frames): any bytes must
// either load or raise the class library's exception, a second load must give the same pixels
// (no pixel may depend on memory the decoder did not write), and a loaded bitmap must save and
// load back to the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gui/Bitmap.h"
#include "gui/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
