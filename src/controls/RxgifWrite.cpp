// Writing a GIF file: header, logical screen, global colour table, loop extension, each frame's
// extensions, descriptor, local table and image data, the image comment and the trailer.
#include <algorithm>

#include "controls/Rxgif.h"
#include "controls/RxgifErrors.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"
#include "platform/Clipboard.h"

namespace rxgif {

namespace {

using gui::le::put16;
using gui::le::put32;

constexpr uint8_t kMaxSubBlock = 255;

// The smallest n from 1 with 2^n entries for the count.
int bitsForCount(int count) {
  int bits = 1;
  while (bits < 8 && (1 << bits) < count) ++bits;
  return bits;
}

// Lines as data sub-blocks: a line longer than a sub-block goes on in the next ones, empty
// lines are left out, a size 0 ends the sequence.
void writeDataLines(std::vector<uint8_t>& out, const gui::TStrings* lines) {
  for (int i = 0; lines && i < lines->Count(); ++i) {
    const std::string line = lines->Get(i);
    for (size_t at = 0; at < line.size(); at += kMaxSubBlock) {
      size_t count = std::min<size_t>(kMaxSubBlock, line.size() - at);
      out.push_back(uint8_t(count));
      out.insert(out.end(), line.begin() + std::ptrdiff_t(at),
                 line.begin() + std::ptrdiff_t(at + count));
    }
  }
  out.push_back(0);
}

// 2^bits entries as RGB triples; entries beyond the table's count are black.
void writeColorTable(std::vector<uint8_t>& out, const TGIFColorTable& table, int bits) {
  for (int i = 0; i < (1 << bits); ++i) {
    const TGIFColorItem& c = table.Colors[size_t(i)];
    out.insert(out.end(), {c.Red, c.Green, c.Blue});
  }
}

uint16_t clamp16(int value) { return uint16_t(std::clamp(value, 0, 0xFFFF)); }

}  // namespace

std::string GIFVersionName(TGIFVersion version) { return kGIFVersionStr[version]; }

// --- the image ----------------------------------------------------------------------------------

void TGIFImage::SaveToStream(gui::TStream& stream) const {
  const_cast<TGIFImage*>(this)->WriteStream(stream, false);
}

void TGIFImage::WriteData(gui::TStream& stream) const {
  const_cast<TGIFImage*>(this)->WriteStream(stream, true);
}

void TGIFImage::WriteStream(gui::TStream& stream, bool writeSize) {
  if (frames_.empty()) throw gui::EInvalidGraphicOperation(texts::kSNoGIFData);
  EncodeFrames(false);
  if (data_->Comment.Count() > 0) version_ = gv89a;
  std::vector<uint8_t> out = {'G', 'I', 'F'};
  const std::string version = GIFVersionName(version_ == gvUnknown ? gv87a : version_);
  out.insert(out.end(), version.begin(), version.end());
  writeScreen(out);
  writeLoop(out);
  for (const auto& frame : frames_) {
    frame->WriteExtensions(out);
    frame->WriteImageDescriptor(out);
    frame->WriteLocalColorMap(out);
    frame->WriteRasterData(out);
  }
  if (data_->Comment.Count() > 0) {
    out.insert(out.end(), {'!', kExtensionLabels[etComment]});
    writeDataLines(out, &data_->Comment);
  }
  out.push_back(';');
  if (writeSize) {
    std::vector<uint8_t> length;
    put32(length, uint32_t(out.size()));
    stream.WriteBuffer(length.data(), 4);
  }
  stream.WriteBuffer(out.data(), int64_t(out.size()));
}

// Logical screen descriptor and global colour table.
void TGIFImage::writeScreen(std::vector<uint8_t>& out) {
  UpdateScreenSize();
  put16(out, screenWidth_);
  put16(out, screenHeight_);
  const TGIFColorTable& table = data_->ColorMap;
  if (table.Count == 0) {
    out.insert(out.end(), {0, 0, data_->AspectRatio});
    return;
  }
  auto size =
      std::find(std::begin(kGIFColorTableSizes), std::end(kGIFColorTableSizes), table.Count);
  if (size == std::end(kGIFColorTableSizes)) {
    throw gui::EInvalidGraphicOperation(texts::kSWrongBitCount);
  }
  const int countBits = int(size - std::begin(kGIFColorTableSizes)) + 1;
  const int globalBits = std::clamp(data_->BitsPerPixel, 1, 8);
  uint8_t background = 0;
  if (backgroundColor_ != gui::clNone) {
    const gui::TColor rgb = gui::ColorToRGB(backgroundColor_);
    for (int i = 0; i < table.Count; ++i) {
      if (ItemToColor(table.Colors[size_t(i)]) == rgb) {
        background = uint8_t(i);
        break;
      }
    }
  }
  out.insert(out.end(), {uint8_t(0x80 + (countBits - 1) * 16 + (globalBits - 1)), background,
                         data_->AspectRatio});
  writeColorTable(out, table, countBits);
}

void TGIFImage::writeLoop(std::vector<uint8_t>& out) const {
  if (!looping_ || frames_.size() < 2) return;
  out.insert(out.end(), {'!', kExtensionLabels[etApplication], 11});
  out.insert(out.end(), kLoopExtNS, kLoopExtNS + 11);
  out.insert(out.end(), {3, 1});
  put16(out, repeatCount_);
  out.push_back(0);
}

void TGIFImage::SaveToClipboardFormat(TClipboardData& data, const TClipboardWriter& clipboard) {
  if (frames_.empty()) return;
  gui::TBitmap& bitmap = frames_.front()->GetBitmap();
  data.Format = gui::CF_BITMAP;
  data.Data = bitmap.SaveToBytes();
  data.Palette.clear();
  if (!bitmap.Palette().empty()) data.Palette = platform::ClipboardPalette(bitmap.Palette());
  const bool allEncoded = std::all_of(frames_.begin(), frames_.end(),
                                      [](const auto& frame) { return frame->HasData(); });
  if (!allEncoded || !clipboard) return;
  gui::TMemoryStream gif;
  WriteStream(gif, true);
  // When the clipboard refuses the block it keeps only the bitmap.
  clipboard(CF_GIF, gif.Bytes());
}

// --- a frame ------------------------------------------------------------------------------------

void TGIFFrame::WriteExtensions(std::vector<uint8_t>& out) const {
  static constexpr size_t kFixedBytes[] = {6, 13, 12, 0};
  for (const auto& extension : extensions_) {
    out.insert(out.end(), {'!', kExtensionLabels[extension->Type]});
    const size_t fixed = kFixedBytes[extension->Type];
    out.insert(out.end(), extension->Fixed.begin(),
               extension->Fixed.begin() + std::ptrdiff_t(fixed));
    if (extension->Type != etGraphic) writeDataLines(out, extension->Data.get());
  }
}

void TGIFFrame::WriteImageDescriptor(std::vector<uint8_t>& out) const {
  out.push_back(',');
  put16(out, clamp16(topLeft_.X));
  put16(out, clamp16(topLeft_.Y));
  put16(out, image_->Width);
  put16(out, image_->Height);
  uint8_t packed = 0;
  if (writesLocalTable()) packed = uint8_t(0x80 + bitsForCount(image_->ColorMap.Count) - 1);
  if (interlaced_) packed |= 0x40;
  out.push_back(packed);
}

void TGIFFrame::WriteLocalColorMap(std::vector<uint8_t>& out) const {
  if (writesLocalTable()) {
    writeColorTable(out, image_->ColorMap, bitsForCount(image_->ColorMap.Count));
  }
}

void TGIFFrame::WriteRasterData(std::vector<uint8_t>& out) const {
  const std::vector<uint8_t>& data = image_->ImageData.Bytes();
  out.insert(out.end(), data.begin(), data.end());
  // Data cut short in the file it was read from lacks its terminator; without one the blocks
  // after it would be taken for image data.
  size_t at = 1;
  while (at < data.size() && data[at] != 0) at += size_t(data[at]) + 1;
  if (at >= data.size()) out.push_back(0);
}

}  // namespace rxgif
