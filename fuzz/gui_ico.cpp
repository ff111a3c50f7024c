// Icon files as the icon class reads them: any bytes must either load or raise the class
// library's exception, a second load must give the same images (no pixel may depend on memory
// that a decoder, ours or Qt's PNG reader, did not write), and a loaded icon must save and load
// back to the same images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gui/Exceptions.h"
#include "gui/Icon.h"

namespace {

bool sameImages(const gui::TIcon& a, const gui::TIcon& b) {
  if (a.Images().size() != b.Images().size()) return false;
  for (size_t i = 0; i < a.Images().size(); ++i) {
    const gui::IconImage &x = a.Images()[i], &y = b.Images()[i];
    if (x.color != y.color || x.mask != y.mask || x.bits != y.bits || x.hasAlpha != y.hasAlpha) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::TIcon icon;
  try {
    icon.LoadFromBytes(data, size);
  } catch (const gui::Exception&) {
    return 0;
  }
  gui::TIcon again;
  again.LoadFromBytes(data, size);
  if (!sameImages(again, icon)) std::abort();
  std::vector<uint8_t> saved = icon.SaveToBytes();
  gui::TIcon back;
  back.LoadFromBytes(saved.data(), saved.size());
  if (back.Images().size() != icon.Images().size() || back.Width() != icon.Width()) std::abort();
  for (size_t i = 0; i < icon.Images().size(); ++i) {
    if (back.Images()[i].mask != icon.Images()[i].mask) std::abort();
  }
  return 0;
}
