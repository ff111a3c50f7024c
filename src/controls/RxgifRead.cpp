// Reading a GIF file: signature, logical screen, global colour table, extension blocks and
// frames, every field through the bounded reader.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "controls/Rxgif.h"
#include "controls/RxgifErrors.h"
#include "controls/RxgifReader.h"
#include "gui/Exceptions.h"

namespace rxgif {

namespace {

constexpr uint8_t kExtensionIntroducer = '!';
constexpr uint8_t kImageIntroducer = ',';
constexpr uint8_t kTrailer = ';';
constexpr uint16_t kMaxRepeatCount = 30000;

bool sameText(const uint8_t* bytes, const char* text, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (std::tolower(bytes[i]) != std::tolower(uint8_t(text[i]))) return false;
  }
  return true;
}

// "GIF" and "87a" or "89a", in any case.
TGIFVersion readSignature(TGIFReader& reader) {
  if (reader.Remaining() < 6) throw gui::EInvalidGraphicOperation(texts::kSNotAGIF);
  const uint8_t* signature = reader.Take(6);
  if (sameText(signature, "GIF", 3)) {
    if (sameText(signature + 3, kGIFVersionStr[gv87a], 3)) return gv87a;
    if (sameText(signature + 3, kGIFVersionStr[gv89a], 3)) return gv89a;
  }
  throw gui::EInvalidGraphicOperation(texts::kSNotAGIF);
}

void readColorTable(TGIFReader& reader, TGIFBits bits, TGIFColorTable& table) {
  table = TGIFColorTable{};
  table.Count = kGIFColorTableSizes[bits - 1];
  const uint8_t* rgb = reader.Take(size_t(table.Count) * 3);
  for (int i = 0; i < table.Count; ++i, rgb += 3) table.Colors[size_t(i)] = {rgb[0], rgb[1], rgb[2]};
}

// Data sub-blocks, one line each, up to a size 0 or the end of the data.
void readDataLines(TGIFReader& reader, gui::TStrings& lines) {
  while (!reader.AtEnd()) {
    uint8_t count = reader.Byte();
    if (count == 0) break;
    const uint8_t* bytes = reader.Take(count);
    lines.Add(std::string(reinterpret_cast<const char*>(bytes), count));
  }
}

}  // namespace

void TGIFImage::ReadStream(int64_t size, gui::TStream& stream, bool decodeFirst) {
  NewImage();
  size = std::max<int64_t>(size, 0);
  // A length taken from a layout or the clipboard is checked before anything is allocated.
  if (size > std::max<int64_t>(stream.Size() - stream.Position(), 0)) throw gui::EReadError();
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  stream.ReadBuffer(buffer.data(), size);
  if (size > 0) {
    TGIFReader reader(buffer.data(), buffer.size());
    readFrames(reader);
  }
  if (!frames_.empty()) {
    frameIndex_ = 0;
    if (decodeFirst) {
      try {
        frames_.front()->GetBitmap();
      } catch (...) {
        frames_.erase(frames_.begin());
        if (frames_.empty()) frameIndex_ = -1;
        throw;
      }
    }
  }
  Changed();
}

void TGIFImage::readFrames(TGIFReader& reader) {
  version_ = readSignature(reader);
  screenWidth_ = reader.Word();
  screenHeight_ = reader.Word();
  uint8_t packed = reader.Byte();
  uint8_t background = reader.Byte();
  data_->AspectRatio = reader.Byte();
  data_->BitsPerPixel = (packed & 7) + 1;
  data_->ColorResBits = ((packed & 0x70) >> 4) + 1;
  if (packed & 0x80) {
    readColorTable(reader, data_->BitsPerPixel, data_->ColorMap);
    if (background < data_->ColorMap.Count) {
      backgroundColor_ = ItemToColor(data_->ColorMap.Colors[background]);
    }
  }
  uint8_t introducer = reader.NextIntroducer(0);
  while (introducer != 0 && introducer != kTrailer && !reader.AtEnd()) {
    TExtensionList pending;
    introducer = readExtensions(reader, introducer, pending);
    if (introducer == kImageIntroducer) {
      auto frame = std::make_unique<TGIFFrame>(this);
      if (data_->ColorMap.Count > 0) frame->image_->BitsPerPixel = data_->BitsPerPixel;
      frame->LoadFromStream(reader, std::move(pending));
      // A frame of no pixels (width or height 0 on a screen of that size too) is left out.
      if (frame->image_->Width > 0 && frame->image_->Height > 0) frames_.push_back(std::move(frame));
      introducer = reader.NextIntroducer(kTrailer);
      // Anything but another block or the trailer after an image ends reading quietly.
      if (introducer != kExtensionIntroducer && introducer != kImageIntroducer &&
          introducer != kTrailer) {
        introducer = 0;
      }
    } else if (data_->Comment.Count() == 0 && !pending.empty()) {
      keepComments(pending);
    } else if (introducer != 0 && introducer != kTrailer) {
      throw gui::EReadError();
    }
  }
}

// The comments of extensions that precede no image become the image's comment.
void TGIFImage::keepComments(TExtensionList& pending) {
  for (const auto& extension : pending) {
    if (extension->Type != etComment) continue;
    if (data_->Comment.Count() > 0) data_->Comment.Add("\r\n\r\n");
    data_->Comment.AddStrings(*extension->Data);
  }
  pending.clear();
}

uint8_t TGIFImage::readExtensions(TGIFReader& reader, uint8_t introducer,
                                  TExtensionList& pending) {
  while (introducer == kExtensionIntroducer) {
    uint8_t label = reader.Byte();
    auto extension = std::make_unique<TExtension>();
    size_t fixedBytes = 0;
    switch (label) {
      case 0xF9: extension->Type = etGraphic; fixedBytes = 6; break;
      case 0xFE: extension->Type = etComment; break;
      case 0x01: extension->Type = etPlainText; fixedBytes = 13; break;
      case 0xFF: extension->Type = etApplication; fixedBytes = 12; break;
      default: throw gui::EInvalidGraphicOperation(texts::kSBadExtensionLabel);
    }
    reader.Read(extension->Fixed.data(), fixedBytes);
    if (extension->Type != etGraphic) {
      extension->Data = std::make_unique<gui::TStringList>();
      readDataLines(reader, *extension->Data);
    }
    switch (extension->Type) {
      case etPlainText: pending.clear(); break;
      case etApplication: readApplication(*extension); break;
      default: pending.push_back(std::move(extension));
    }
    introducer = reader.NextIntroducer(kTrailer);
  }
  return introducer;
}

// A loop extension: identifier "NETSCAPE2.0" or "ANIMEXTS1.0" in a block of exactly 11 bytes,
// and a first sub-block 1, count (little-endian).
void TGIFImage::readApplication(const TExtension& extension) {
  const uint8_t* id = extension.Fixed.data() + 1;
  if (extension.Fixed[0] != 11) return;
  if (std::memcmp(id, kLoopExtNS, 11) != 0 && std::memcmp(id, kLoopExtAN, 11) != 0) return;
  if (extension.Data->Count() < 1) return;
  std::string block = extension.Data->Get(0);
  if (block.size() < 3 || uint8_t(block[0]) != 1) return;
  looping_ = true;
  uint16_t count = uint16_t(uint8_t(block[1]) | uint8_t(block[2]) << 8);
  repeatCount_ = std::min(count, kMaxRepeatCount);
}

// --- the frame reader -----------------------------------------------------------------------

void TGIFFrame::LoadFromStream(TGIFReader& reader, TExtensionList pending) {
  extensions_ = std::move(pending);
  TGIFItem& item = *image_;
  item.ImageData.Clear();
  uint16_t left = reader.Word(), top = reader.Word();
  uint16_t width = reader.Word(), height = reader.Word();
  uint8_t packed = reader.Byte();
  interlaced_ = (packed & 0x40) != 0;
  if (packed & 0x80) {
    item.BitsPerPixel = (packed & 7) + 1;
    readColorTable(reader, item.BitsPerPixel, item.ColorMap);
    localColors_ = true;
  } else {
    item.ColorMap = TGIFColorTable{};
  }
  readSubBlocks(reader);
  if (corrupted_ && !GIFLoadCorrupted) throw gui::EReadError();
  item.ImageData.SetPosition(0);
  if (width == 0) width = owner_->screenWidth_;
  if (height == 0) height = owner_->screenHeight_;
  // Only the pixel count is limited: a long thin frame (65535 x 1) is as good as a square one.
  if (int64_t(width) * height > gui::kMaxBitmapPixels) {
    throw gui::EInvalidGraphic(gui::texts::kInvalidImageSize);
  }
  topLeft_ = gui::Point(left, top);
  item.Width = width;
  item.Height = height;
  item.PackedFields = packed;
  if (!localColors_) item.ColorMap = owner_->data_->ColorMap;
  applyGraphicControl();
}

// The minimum-code-size byte and the sub-blocks, kept as the file holds them. A sub-block cut
// by the end of the data marks the frame corrupted and is left out.
void TGIFFrame::readSubBlocks(TGIFReader& reader) {
  const uint8_t* start = reader.Current();
  reader.Byte();
  size_t kept = 1;
  while (!reader.AtEnd()) {
    uint8_t count = reader.Byte();
    if (count > reader.Remaining()) {
      corrupted_ = true;
      reader.SeekEnd();
      break;
    }
    reader.Take(count);
    kept += size_t(count) + 1;
    if (count == 0) break;
  }
  image_->ImageData.Write(start, int64_t(kept));
}

// Timing and transparency from the graphic control extensions, in order: the longest delay,
// the last transparency and disposal.
void TGIFFrame::applyGraphicControl() {
  animateInterval_ = 0;
  const TGIFColorTable& table = image_->ColorMap;
  for (const auto& extension : extensions_) {
    if (extension->Type != etGraphic) continue;
    uint8_t packed = extension->Packed();
    if (!(packed & 1)) {
      transparentColor_ = gui::clNone;
    } else if (extension->TransparentIndex() < table.Count) {
      transparentColor_ = ItemToColor(table.Colors[extension->TransparentIndex()]);
    }
    // Delays beyond 655.35 s stay at the longest interval the field holds.
    uint16_t interval = uint16_t(std::min(extension->Delay() * 10, 0xFFFF));
    animateInterval_ = std::max(interval, animateInterval_);
    disposal_ = TDisposalMethod((packed & 0x1C) >> 2);
  }
}

}  // namespace rxgif
