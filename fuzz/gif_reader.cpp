// Any bytes as a GIF file: read with damage tolerated or not (chosen by the input's length),
// every frame decoded into its bitmap within a budget of pixels, the current frame drawn, the
// image copied. The bitmap of every decoded frame must have the frame's size. Runs without a
// QGuiApplication: decoding and drawing only touch QImage.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/Rxgif.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

namespace {

// Decoding pixels costs time, not coverage: large frames are read but not all decoded.
constexpr int64_t kPixelBudget = int64_t(1) << 22;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "gif_reader: %s\n", what);
    std::abort();
  }
}

void decodeFrames(rxgif::TGIFImage& image) {
  int64_t budget = kPixelBudget;
  for (int i = 0; i < image.GetCount(); ++i) {
    rxgif::TGIFFrame& frame = image.GetFrame(i);
    int64_t pixels = int64_t(frame.Image()->Width) * frame.Image()->Height;
    if (pixels > budget) continue;
    budget -= pixels;
    try {
      gui::TBitmap& bitmap = frame.GetBitmap();
      check(bitmap.Empty() || (bitmap.Width() == frame.Image()->Width &&
                               bitmap.Height() == frame.Image()->Height),
            "bitmap size differs from the frame's");
    } catch (const gui::Exception&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rxgif::GIFLoadCorrupted = size % 2 == 0;
  gui::TMemoryStream stream;
  stream.Write(data, int64_t(size));
  stream.SetPosition(0);
  rxgif::TGIFImage image;
  try {
    image.ReadStream(int64_t(size), stream, false);
  } catch (const gui::Exception&) {
    return 0;
  }
  check(image.GetCount() == 0 || image.FrameIndex() == 0, "frame index after reading");
  decodeFrames(image);
  if (image.GetCount() > 0 &&
      int64_t(image.GetFrame(0).Image()->Width) * image.GetFrame(0).Image()->Height <= 4096) {
    gui::TBitmap target(16, 16);
    try {
      target.Canvas().StretchDraw(gui::Rect(0, 0, 16, 16), image);
    } catch (const gui::Exception&) {
    }
  }
  rxgif::TGIFImage copy;
  copy.Assign(&image);
  check(copy.GetCount() == image.GetCount() && copy.Equals(image), "copy of the image");
  return 0;
}
