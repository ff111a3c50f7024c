// Any bytes as an animated cursor file: it either loads or raises the class library's exception
// and stays as it was; a loaded image has frames that all hold icons, as many as its header's
// steps, and hands itself over as an icon list, a strip bitmap (within a budget of pixels) and
// a GIF image.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/Icolist.h"
#include "controls/Rxgif.h"
#include "controls/dormant/Anifile.h"
#include "gui/Exceptions.h"

namespace {

constexpr int64_t kStripBudget = int64_t(1) << 16;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "anifile_reader: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VYX_SIM", "1", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::TMemoryStream stream;
  stream.Write(data, int64_t(size));
  stream.SetPosition(0);
  anifile::TAnimatedCursorImage image;
  try {
    image.LoadFromStream(stream);
  } catch (const gui::Exception&) {
    check(image.GetIconCount() == 0, "a failed read changed the image");
    return 0;
  }
  check(image.Header().cSteps == uint32_t(image.GetIconCount()), "steps and frames differ");
  for (int i = 0; i < image.GetIconCount(); ++i) {
    check(image.GetIcon(i) && !image.GetIcon(i)->Empty(), "a frame without an icon");
  }
  icolist::TIconList list;
  image.AssignTo(list);
  check(list.Count() == image.GetIconCount(), "icon list size");
  if (image.GetIconCount() > 0) {
    const gui::TIcon* first = image.GetIcon(0);
    if (int64_t(first->Width()) * first->Height() * image.GetIconCount() <= kStripBudget) {
      gui::TBitmap strip;
      image.AssignToBitmap(strip, gui::clWhite, size % 2 == 0, size % 3 == 0);
      check(
          strip.Width() * strip.Height() == first->Width() * first->Height() * image.GetIconCount(),
          "strip size");
      rxgif::TGIFImage gif;
      gif.Assign(image);
      check(gif.GetCount() == image.GetIconCount(), "GIF frames");
    }
  }
  return 0;
}
