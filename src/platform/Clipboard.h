// The clipboard: blocks of bytes held under numbered formats. The standard formats have fixed
// numbers (a bitmap as a BMP file, a palette); a program registers its own formats by name and
// gets numbers from 0xC000 up, the same number for the same name in any case. Writing is open,
// clear, set each format, close: readers see the new contents once the clipboard is closed.
// The real backend is the desktop's clipboard (QClipboard), the simulated one is in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

using ClipboardBytes = std::vector<uint8_t>;

// A bitmap: the bytes of a BMP file.
constexpr unsigned kCfBitmap = 2;
// A palette: version 0x300, entry count, then red, green, blue and flags per entry (LOGPALETTE).
constexpr unsigned kCfPalette = 9;
constexpr unsigned kFirstRegisteredFormat = 0xC000;
constexpr unsigned kLastRegisteredFormat = 0xFFFF;

// The number of a format name (empty names and names beyond the last number give 0).
unsigned RegisterClipboardFormat(const std::string& name);
// The name a format was registered under; empty for any other number.
std::string ClipboardFormatName(unsigned format);
// The palette format's bytes for colours given as 0xAARRGGBB (at most 256 are kept).
ClipboardBytes ClipboardPalette(const std::vector<uint32_t>& colors);

class Clipboard {
public:
  virtual ~Clipboard() = default;

  // Takes the clipboard for writing; false when it cannot be had (no desktop, another holder).
  virtual bool open() = 0;
  // Publishes what was set since clear() and gives the clipboard back.
  virtual void close() = 0;
  // Empties the clipboard (while open).
  virtual void clear() = 0;
  // Puts the bytes under the format (while open, after clear()); false when the clipboard
  // refuses them (not open, a format it cannot carry, no memory for the block).
  virtual bool setData(unsigned format, const ClipboardBytes& data) = 0;

  virtual bool hasFormat(unsigned format) = 0;
  // The bytes under the format; nothing when the clipboard holds none.
  virtual std::optional<ClipboardBytes> data(unsigned format) = 0;

  // The simulated clipboard under the simulation switch, else the desktop's.
  static Clipboard& current();
};

}  // namespace platform
