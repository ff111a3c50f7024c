// Encoding frames from their bitmaps, and the graphic control extensions that carry a frame's
// timing, transparency and disposal into the file.
#include <algorithm>

#include "controls/Rxgif.h"
#include "controls/RxgifErrors.h"
#include "controls/RxgifWriteLzw.h"
#include "controls/dormant/Rxgraph.h"
#include "gui/Exceptions.h"
#include "gui/LittleEndian.h"

namespace rxgif {

namespace {

using gui::le::u16;
using gui::le::u32;

constexpr size_t kFileHeaderSize = 14;
constexpr int kMaxGifSide = 0xFFFF;

[[noreturn]] void invalidBitmap() { throw gui::EInvalidGraphic(gui::texts::kInvalidBitmap); }

// What the encoder takes from a BMP file: every size read from its headers and checked
// against the bytes present.
struct BmpView {
  int width = 0, height = 0, depth = 0;
  bool topDown = false;
  const uint8_t* palette = nullptr;
  size_t paletteEntries = 0;  // entries present before the pixels
  const uint8_t* bits = nullptr;
  int stride = 0;
};

BmpView viewBmp(const std::vector<uint8_t>& file) {
  const uint8_t* data = file.data();
  const size_t size = file.size();
  if (size < kFileHeaderSize + 40 || data[0] != 'B' || data[1] != 'M') invalidBitmap();
  const uint32_t headerSize = u32(data + kFileHeaderSize);
  if (headerSize < 40 || headerSize > size - kFileHeaderSize) invalidBitmap();
  BmpView view;
  const uint8_t* info = data + kFileHeaderSize;
  const int32_t width = int32_t(u32(info + 4)), height = int32_t(u32(info + 8));
  view.depth = u16(info + 14);
  if (view.depth != 1 && view.depth != 4 && view.depth != 8) {
    throw gui::EInvalidGraphicOperation(texts::kSBitmapDepth);
  }
  if (u32(info + 16) != 0) invalidBitmap();  // compressed pixels
  if (width < 1 || width > kMaxGifSide || height == 0 || height < -kMaxGifSide ||
      height > kMaxGifSide) {
    throw gui::EInvalidGraphic(gui::texts::kInvalidImageSize);
  }
  view.width = width;
  view.height = std::abs(height);
  view.topDown = height < 0;
  view.stride = gui::DibStride(view.width, view.depth);
  const size_t paletteAt = kFileHeaderSize + headerSize;
  size_t pixelsAt = u32(data + 10);
  if (pixelsAt < paletteAt) pixelsAt = paletteAt + (size_t(4) << view.depth);
  if (pixelsAt > size || size - pixelsAt < size_t(view.stride) * size_t(view.height)) {
    throw gui::EReadError();
  }
  view.palette = data + paletteAt;
  view.paletteEntries = std::min((pixelsAt - paletteAt) / 4, size_t(1) << view.depth);
  view.bits = data + pixelsAt;
  return view;
}

}  // namespace

void TGIFImage::growScreen(int width, int height) {
  screenWidth_ = uint16_t(std::clamp(std::max(width, int(screenWidth_)), 0, 0xFFFF));
  screenHeight_ = uint16_t(std::clamp(std::max(height, int(screenHeight_)), 0, 0xFFFF));
}

void TGIFImage::EncodeFrames(bool force) {
  for (const auto& frame : frames_) {
    if (!frame->HasData()) {
      frame->EncodeRasterData();
      if (force && frame->bitmap_ && frame->bitmap_->Palette().empty()) frame->NewBitmap();
    }
    frame->UpdateExtensions();
  }
}

// --- a frame ------------------------------------------------------------------------------------

void TGIFFrame::EncodeRasterData() {
  if (!bitmap_ || bitmap_->Empty()) throw gui::EInvalidGraphicOperation(texts::kSNoGIFData);
  // The frame gets encoded data of its own, also when it shared empty data with another.
  auto item = std::make_shared<TGIFItem>();
  item->BitsPerPixel = image_->BitsPerPixel;
  image_ = std::move(item);
  const gui::TPixelFormat format = bitmap_->PixelFormat();
  std::unique_ptr<gui::TMemoryStream> bmp;
  if (format == gui::pf1bit || format == gui::pf4bit || format == gui::pf8bit) {
    bmp = std::make_unique<gui::TMemoryStream>();
    bitmap_->SaveToStream(*bmp);
  } else {
    rxgraph::TMappingMethod method =
        grayscale_ ? rxgraph::mmGrayscale : rxgraph::DefaultMappingMethod;
    bmp = rxgraph::BitmapToMemoryStream(*bitmap_, gui::pf8bit, method);
    if (method == rxgraph::mmGrayscale) grayscale_ = true;
  }
  EncodeBitmapStream(*bmp);
}

void TGIFFrame::EncodeBitmapStream(const gui::TMemoryStream& bmp) {
  const BmpView view = viewBmp(bmp.Bytes());
  const int colors = 1 << view.depth;
  interlaced_ = false;
  TGIFItem& item = *image_;
  item.ColorMap = TGIFColorTable{};
  item.ColorMap.Count = colors;
  for (size_t i = 0; i < view.paletteEntries; ++i) {
    const uint8_t* e = view.palette + 4 * i;
    item.ColorMap.Colors[i] = {e[2], e[1], e[0]};
  }
  TLZWSource source;
  source.bits = view.bits;
  source.width = view.width;
  source.height = view.height;
  source.stride = view.stride;
  source.depth = view.depth;
  source.topDown = view.topDown;
  std::vector<uint8_t> lzw;
  LZWEncode(lzw, source, owner_ ? owner_->OnProgress : TProgressProc());
  item.ImageData.Clear();
  item.ImageData.WriteBuffer(lzw.data(), int64_t(lzw.size()));
  item.ImageData.SetPosition(0);
  item.BitsPerPixel = 1;
  while ((1 << item.BitsPerPixel) < colors) ++item.BitsPerPixel;
  item.Width = uint16_t(view.width);
  item.Height = uint16_t(view.height);
  if (!owner_) {
    localColors_ = true;
    return;
  }
  TGIFData& data = *owner_->data_;
  if (data.ColorMap.Count > 0) {
    localColors_ = true;
  } else {
    owner_->UniqueImage();
    owner_->data_->ColorMap = item.ColorMap;
    owner_->data_->BitsPerPixel = item.BitsPerPixel;
    localColors_ = false;
  }
  owner_->growScreen(view.width + topLeft_.X, view.height + topLeft_.Y);
}

void TGIFFrame::UpdateExtensions() {
  auto isGraphic = [](const auto& e) { return e->Type == etGraphic; };
  auto graphic = std::find_if(extensions_.begin(), extensions_.end(), isGraphic);
  const bool needed =
      animateInterval_ > 0 || transparentColor_ != gui::clNone || disposal_ != dmUndefined;
  if (needed && graphic == extensions_.end()) {
    auto extension = std::make_unique<TExtension>();
    extension->Type = etGraphic;
    extension->Fixed[0] = 4;
    extensions_.push_back(std::move(extension));
    graphic = std::prev(extensions_.end());
  }
  if (graphic != extensions_.end()) {
    TExtension& e = **graphic;
    const uint16_t delay = uint16_t(animateInterval_ / 10);
    e.Fixed[2] = uint8_t(delay);
    e.Fixed[3] = uint8_t(delay >> 8);
    const bool wasTransparent = e.Fixed[1] & 1;
    uint8_t packed = uint8_t(e.Fixed[1] & ~0x1D);
    const TGIFColorTable& table = image_->ColorMap;
    if (transparentColor_ != gui::clNone) {
      const gui::TColor rgb = gui::ColorToRGB(transparentColor_);
      auto holds = [&](int i) {
        return i < table.Count && ItemToColor(table.Colors[size_t(i)]) == rgb;
      };
      // An index read with the frame keeps pointing at its entry, also where an earlier entry
      // has the same colour: the pixels of the other entry stay visible.
      int index = wasTransparent && holds(e.Fixed[4]) ? e.Fixed[4] : -1;
      for (int i = 0; index < 0 && i < table.Count; ++i) {
        if (holds(i)) index = i;
      }
      if (index >= 0) {
        e.Fixed[4] = uint8_t(index);
        packed |= 1;
      }
    }
    e.Fixed[1] = uint8_t(packed | (disposal_ & 7) << 2);
  }
  std::erase_if(extensions_, [](const auto& e) {
    return e->Type == etComment && (!e->Data || e->Data->Count() == 0);
  });
  if (!extensions_.empty() && owner_) owner_->setVersion89a();
}

}  // namespace rxgif
