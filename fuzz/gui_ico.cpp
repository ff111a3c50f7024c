// Icon files as the icon class reads them: any bytes must either load or raise the class
// library's exception, and a loaded icon must save and load back to the same images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gui/Exceptions.h"
#include "gui/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::TIcon icon;
  try {
    icon.LoadFromBytes(data, size);
  } catch (const gui::Exception&) {
    return 0;
  }
  std::vector<uint8_t> saved = icon.SaveToBytes();
  gui::TIcon back;
  back.LoadFromBytes(saved.data(), saved.size());
  if (back.Images().size() != icon.Images().size() || back.Width() != icon.Width()) std::abort();
  for (size_t i = 0; i < icon.Images().size(); ++i) {
    if (back.Images()[i].mask != icon.Images()[i].mask) std::abort();
  }
  return 0;
}
