// The data a GIF picture is made of: colour tables, the image-wide data that several pictures
// share, the encoded data of one frame (kept byte for byte as the file holds it) and the
// extension blocks that precede a frame.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gui/Colors.h"
#include "gui/Streams.h"
#include "gui/Strings.h"

namespace rxgif {

enum TGIFVersion { gvUnknown, gv87a, gv89a };

// The three disposal bits of a graphic control extension.
enum TDisposalMethod {
  dmUndefined, dmLeave, dmRestoreBackground, dmRestorePrevious,
  dmReserved4, dmReserved5, dmReserved6, dmReserved7
};

// Bits per pixel of a colour table, 1..8 (the table has 2^bits entries).
using TGIFBits = int;

enum TProgressStage { psStarting, psRunning, psEnding };
// Progress of a decoding: stage, percent done, and the failure's message at a failed end.
using TProgressProc =
    std::function<void(TProgressStage stage, uint8_t percent, const std::string& message)>;

struct TGIFColorItem {
  uint8_t Red = 0, Green = 0, Blue = 0;
  friend bool operator==(const TGIFColorItem&, const TGIFColorItem&) = default;
};

struct TGIFColorTable {
  int32_t Count = 0;
  std::array<TGIFColorItem, 256> Colors{};
  friend bool operator==(const TGIFColorTable&, const TGIFColorTable&) = default;
};

// The colour of a table entry as a TColor.
inline gui::TColor ItemToColor(const TGIFColorItem& item) {
  return gui::RGB(item.Red, item.Green, item.Blue);
}

// Version texts, table sizes by bits, extension labels by extension type, loop identifiers.
inline constexpr const char* kGIFVersionStr[] = {"", "87a", "89a"};
inline constexpr int kGIFColorTableSizes[] = {2, 4, 8, 16, 32, 64, 128, 256};
inline constexpr uint8_t kExtensionLabels[] = {0xF9, 0x01, 0xFF, 0xFE};
inline constexpr const char* kLoopExtNS = "NETSCAPE2.0";
inline constexpr const char* kLoopExtAN = "ANIMEXTS1.0";

// The data of a whole image, shared by the pictures assigned from one another.
struct TGIFData {
  gui::TStringList Comment;
  uint8_t AspectRatio = 0;
  TGIFBits BitsPerPixel = 1;
  TGIFBits ColorResBits = 1;
  TGIFColorTable ColorMap;

  void FreeHandle() { Comment.Clear(); }
};

// The encoded data of one frame, shared by the frames assigned from one another. Frames without
// any colour table decode at 8 bits per pixel, over 256 black entries.
struct TGIFItem {
  // The minimum-code-size byte, the data sub-blocks with their size bytes, the terminator.
  gui::TMemoryStream ImageData;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PackedFields = 0;  // of the image descriptor
  TGIFBits BitsPerPixel = 8;
  TGIFColorTable ColorMap;

  void FreeHandle() { ImageData.SetSize(0); }
};

enum TExtensionType : uint8_t { etGraphic, etPlainText, etApplication, etComment };

// One extension block. The fixed part holds the bytes after the label: 6 for a graphic control
// extension (block size, packed byte, delay, transparent index, terminator), 13 for plain text,
// 12 for an application extension (block size, identifier, authentication code).
class TExtension {
public:
  TExtensionType Type = etGraphic;
  // One line per data sub-block; null for a graphic control extension.
  std::unique_ptr<gui::TStringList> Data;
  std::array<uint8_t, 13> Fixed{};

  void Assign(const TExtension& source);

  // The fields of a graphic control extension.
  uint8_t Packed() const { return Fixed[1]; }
  uint16_t Delay() const { return uint16_t(Fixed[2] | Fixed[3] << 8); }
  uint8_t TransparentIndex() const { return Fixed[4]; }
};

}  // namespace rxgif
