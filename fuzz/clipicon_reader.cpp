// Any bytes as the icon file the real-size icon is read from (on a screen of 1 to 32 bits, chosen
// by the first byte) and as the clipboard's "Korvel Icon" data: each either gives an icon or
// raises the class library's exception; the real-size icon of an icon file holds one image, and
// a failed paste leaves the icon as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/dormant/Clipicon.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"
#include "platform/ClipboardSim.h"
#include "platform/ScreenDepth.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "clipicon_reader: %s\n", what);
    std::abort();
  }
}

// An icon that saves itself as the fuzzer's bytes.
class StoredIcon : public gui::TIcon {
public:
  StoredIcon(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
  void SaveToStream(gui::TStream& stream) const override {
    stream.WriteBuffer(bytes_.data(), int64_t(bytes_.size()));
  }

private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VYX_SIM", "1", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const int kDepths[] = {0, 1, 4, 8, 16, 24, 32, 32};
  platform::SimScreenDepth().setBitsPerPixel(kDepths[data[0] % 8]);
  const uint8_t* file = data + 1;
  const size_t fileSize = size - 1;
  try {
    std::unique_ptr<gui::TIcon> real = clipicon::CreateRealSizeIcon(StoredIcon(file, fileSize));
    check(real != nullptr, "no icon");
    if (fileSize >= 4 && file[2] == 1 && file[3] == 0) check(real->Images().size() == 1, "images");
  } catch (const gui::Exception&) {
  }

  platform::SimClipboard().reset();
  platform::Clipboard& clipboard = platform::Clipboard::current();
  clipboard.open();
  clipboard.clear();
  clipboard.setData(clipicon::CF_ICON, platform::ClipboardBytes(file, file + fileSize));
  clipboard.close();
  gui::TIcon icon;
  try {
    clipicon::AssignClipboardIcon(icon);
  } catch (const gui::Exception&) {
    check(icon.Empty(), "a failed paste changed the icon");
  }
  check(!platform::SimClipboard().isOpen(), "the clipboard was left open");
  return 0;
}
