#include "controls/dormant/Clipicon.h"

#include <algorithm>

#include "controls/AppIcon.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"
#include "gui/Streams.h"
#include "platform/Clipboard.h"
#include "platform/ScreenDepth.h"

namespace clipicon {

unsigned CF_ICON = 0;

namespace {

using gui::le::put16;
using gui::le::put32;
using gui::le::u16;
using gui::le::u32;

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;

// Holds the clipboard open for the life of the object.
class OpenClipboard {
public:
  OpenClipboard() : clipboard_(platform::Clipboard::current()) {
    if (!clipboard_.open()) throw gui::Exception(kCannotOpenClipboard);
  }
  ~OpenClipboard() { clipboard_.close(); }
  platform::Clipboard* operator->() { return &clipboard_; }

private:
  platform::Clipboard& clipboard_;
};

// Colours of the screen as the icon directory counts them: 0 for true colour.
uint32_t screenColors() {
  const int bits = platform::ScreenDepth::current().bitsPerPixel();
  if (bits <= 0) throw gui::EOutOfResources();
  return bits >= 24 ? 0 : uint32_t(1) << bits;
}

size_t chooseImage(const uint8_t* directory, size_t count, uint32_t colors) {
  int chosen = -1;
  uint32_t chosenColors = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t c = u16(directory + i * kEntrySize + 2);
    if (c == colors) return i;
    if (chosen < 0 ? c <= colors : c > chosenColors) {
      chosen = int(i);
      chosenColors = c;
    }
  }
  return chosen < 0 ? 0 : size_t(chosen);
}

// The chosen image of an icon file as an icon of its own.
std::unique_ptr<gui::TIcon> readRealSize(const std::vector<uint8_t>& file, size_t count) {
  if (count == 0) throw gui::EInvalidGraphic(gui::texts::kInvalidIcon);
  if (file.size() < kHeaderSize + count * kEntrySize) throw gui::EReadError();
  const uint8_t* directory = file.data() + kHeaderSize;
  const uint8_t* entry = directory + chooseImage(directory, count, screenColors()) * kEntrySize;
  const uint64_t bytes = u32(entry + 8), offset = u32(entry + 12);
  if (offset + bytes > file.size()) throw gui::EReadError();
  std::vector<uint8_t> single;
  put16(single, 0);
  put16(single, 1);
  put16(single, 1);
  single.insert(single.end(), entry, entry + 8);
  put32(single, uint32_t(bytes));
  put32(single, uint32_t(kHeaderSize + kEntrySize));
  single.insert(single.end(), file.begin() + std::ptrdiff_t(offset),
                file.begin() + std::ptrdiff_t(offset + bytes));
  auto icon = std::make_unique<gui::TIcon>();
  icon->LoadFromBytes(single.data(), single.size());
  return icon;
}

std::vector<uint8_t> iconFile(const gui::TIcon& icon) {
  gui::TMemoryStream stream;
  icon.SaveToStream(stream);
  return stream.Bytes();
}

}  // namespace

void GetIconSize(const gui::TIcon* Icon, int& W, int& H) {
  if (!Icon || Icon->Empty()) {
    W = H = kSystemIconSize;
    return;
  }
  W = Icon->Width();
  H = Icon->Height();
}

std::unique_ptr<gui::TIcon> CreateRealSizeIcon(const gui::TIcon& Icon) {
  const std::vector<uint8_t> file = iconFile(Icon);
  // A file too short for its header reads as zeros: type 0.
  uint8_t header[kHeaderSize] = {};
  std::copy_n(file.begin(), std::min(file.size(), kHeaderSize), header);
  switch (u16(header + 2)) {
    case 0: {
      auto icon = std::make_unique<gui::TIcon>();
      appicon::LoadApplicationIcon(*icon);
      return icon;
    }
    case 1: return readRealSize(file, u16(header + 4));
    default: return std::make_unique<gui::TIcon>(Icon);
  }
}

void DrawRealSizeIcon(gui::TCanvas& Canvas, const gui::TIcon& Icon, int X, int Y) {
  std::unique_ptr<gui::TIcon> real = CreateRealSizeIcon(Icon);
  int w = 0, h = 0;
  GetIconSize(real.get(), w, h);
  real->Draw(Canvas, gui::Rect(X, Y, X + w, Y + h));
}

void CopyIconToClipboard(const gui::TIcon& Icon, gui::TColor BackColor) {
  gui::TBitmap bitmap;
  {
    std::unique_ptr<gui::TIcon> real = CreateRealSizeIcon(Icon);
    int w = 0, h = 0;
    GetIconSize(real.get(), w, h);
    bitmap.Canvas().Brush.Color = BackColor;
    bitmap.SetSize(w, h);
    real->Draw(bitmap.Canvas(), gui::Rect(0, 0, w, h));
  }
  // A bitmap made for a screen of 256 colours or fewer has the screen's depth and a palette.
  const int bits = platform::ScreenDepth::current().bitsPerPixel();
  if (bits == 1 || bits == 4 || bits == 8) bitmap.SetPixelFormat(gui::FormatForBits(bits));
  const std::vector<uint8_t> file = iconFile(Icon);

  OpenClipboard clipboard;
  clipboard->clear();
  clipboard->setData(platform::kCfBitmap, bitmap.SaveToBytes());
  if (!bitmap.Palette().empty()) {
    clipboard->setData(platform::kCfPalette, platform::ClipboardPalette(bitmap.Palette()));
  }
  clipboard->setData(CF_ICON, file);
}

void AssignClipboardIcon(gui::TIcon& Icon) {
  if (!platform::Clipboard::current().hasFormat(CF_ICON)) return;
  std::optional<platform::ClipboardBytes> data;
  {
    OpenClipboard clipboard;
    data = clipboard->data(CF_ICON);
  }
  if (data) Icon.LoadFromBytes(data->data(), data->size());
}

std::unique_ptr<gui::TIcon> CreateIconFromClipboard() {
  if (!platform::Clipboard::current().hasFormat(CF_ICON)) return nullptr;
  auto icon = std::make_unique<gui::TIcon>();
  AssignClipboardIcon(*icon);
  return icon;
}

// --- unit start-up and shut-down ------------------------------------------------------------

namespace {

int unitUsers = 0;

std::unique_ptr<gui::TGraphic> newIcon() { return std::make_unique<gui::TIcon>(); }

// The first initialization registers the format and tells TPicture that it holds an icon; the
// finalization only counts.
struct UnitLifetime {
  UnitLifetime() {
    if (unitUsers++ > 0) return;
    CF_ICON = platform::RegisterClipboardFormat(kIconFormatName);
    gui::TPicture::RegisterClipboardFormat(CF_ICON, "TIcon", newIcon);
  }
  ~UnitLifetime() { --unitUsers; }
} unitLifetime;

}  // namespace

void clipicon_dummy() {}

}  // namespace clipicon
