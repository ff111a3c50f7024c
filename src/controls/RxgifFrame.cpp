#include "controls/RxgifFrame.h"

#include <algorithm>
#include <cstring>

#include "controls/Rxgif.h"
#include "controls/RxgifDecode.h"
#include "controls/RxgifErrors.h"
#include "gui/Exceptions.h"

namespace rxgif {

namespace {

void put16(uint8_t*& p, uint32_t v) {
  *p++ = uint8_t(v);
  *p++ = uint8_t(v >> 8);
}

void put32(uint8_t*& p, uint32_t v) {
  put16(p, v & 0xFFFF);
  put16(p, v >> 16);
}

// BMP depth for the bits per pixel of a colour table.
int depthForBits(TGIFBits bits) {
  if (bits == 1) return 1;
  if (bits >= 2 && bits <= 4) return 4;
  if (bits >= 5 && bits <= 8) return 8;
  throw gui::EInvalidGraphicOperation(texts::kSWrongBitCount);
}

// File header, info header and colour table of a BMP image with bottom-up rows; returns where
// the pixels go. Entries the frame's table lacks are grey; an empty table gives black.
uint8_t* writeBmpHeaders(uint8_t* p, int width, int height, int depth, uint32_t imageSize,
                         const TGIFColorTable& table) {
  const uint32_t colors = 1u << depth;
  const uint32_t offset = 54 + 4 * colors;
  *p++ = 'B';
  *p++ = 'M';
  put32(p, offset + imageSize);
  put32(p, 0);
  put32(p, offset);
  put32(p, 40);
  put32(p, uint32_t(width));
  put32(p, uint32_t(height));
  put16(p, 1);
  put16(p, uint32_t(depth));
  put32(p, 0);
  put32(p, imageSize);
  p += 16;
  for (uint32_t i = 0; i < colors; ++i, p += 4) {
    if (table.Count > 0 && i >= uint32_t(table.Count)) {
      std::memset(p, 128, 4);
      continue;
    }
    const TGIFColorItem& c = table.Colors[i];
    p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red, p[3] = 0;
  }
  return p;
}

}  // namespace

TGIFFrame::TGIFFrame(TGIFImage* owner) : owner_(owner), image_(std::make_shared<TGIFItem>()) {}

TGIFFrame::~TGIFFrame() = default;

void TGIFFrame::NewBitmap() { bitmap_ = std::make_unique<gui::TBitmap>(); }

void TGIFFrame::NewImage() {
  image_ = std::make_shared<TGIFItem>();
  transparentColor_ = gui::clNone;
  topLeft_ = {};
  animateInterval_ = 0;
  disposal_ = dmUndefined;
  interlaced_ = corrupted_ = grayscale_ = localColors_ = false;
}

gui::TBitmap& TGIFFrame::GetBitmap() {
  if (bitmap_ && !bitmap_->Empty()) return *bitmap_;
  NewBitmap();
  if (image_->ImageData.Size() > 0) {
    gui::TMemoryStream bmp;
    SaveToBitmapStream(bmp);
    bitmap_->LoadFromBytes(bmp.Memory(), bmp.Bytes().size());
    if (!bitmap_->Monochrome()) bitmap_->SetHandleType(gui::bmDDB);
  }
  return *bitmap_;
}

// The size a decoded bitmap has, without decoding it for the asking.
int TGIFFrame::GetWidth() {
  if (bitmap_ && !bitmap_->Empty()) return bitmap_->Width();
  return image_->ImageData.Size() > 0 ? image_->Width : 0;
}

int TGIFFrame::GetHeight() {
  if (bitmap_ && !bitmap_->Empty()) return bitmap_->Height();
  return image_->ImageData.Size() > 0 ? image_->Height : 0;
}

int TGIFFrame::GetColorCount() {
  if (image_->ColorMap.Count > 0) return image_->ColorMap.Count;
  return int(GetBitmap().Palette().size());
}

void TGIFFrame::SaveToBitmapStream(gui::TMemoryStream& stream) {
  const TGIFItem& item = *image_;
  TLZWTarget target;
  target.depth = depthForBits(item.BitsPerPixel);
  target.width = item.Width;
  target.height = item.Height;
  if (int64_t(target.width) * target.height > gui::kMaxBitmapPixels) {
    throw gui::EInvalidGraphic(gui::texts::kInvalidImageSize);
  }
  // Sides below 65536 and at most 2^24 pixels: a row has at most 65536 bytes and the picture at
  // most 2^24 + 3 x 65535 bytes, so no size field can overflow.
  const uint32_t stride = (uint32_t(target.depth) * uint32_t(target.width) + 31) / 32 * 4;
  const uint32_t imageSize = stride * uint32_t(target.height);
  stream.SetSize(0);
  stream.SetSize(54 + (int64_t(4) << target.depth) + imageSize);  // zero-filled
  target.bits = writeBmpHeaders(stream.Memory(), target.width, target.height, target.depth,
                                imageSize, item.ColorMap);
  target.stride = int(stride);
  target.bitsPerPixel = item.BitsPerPixel;
  target.interlaced = interlaced_;
  const TProgressProc& progress = owner_ ? owner_->OnProgress : TProgressProc();
  corrupted_ |= LZWDecode(item.ImageData.Memory(), item.ImageData.Bytes().size(), target,
                          GIFLoadCorrupted, progress);
  stream.SetPosition(0);
}

void TGIFFrame::Draw(gui::TCanvas& canvas, const gui::TRect& r, bool transparent) {
  gui::TBitmap& bitmap = GetBitmap();
  if (bitmap.Empty()) return;
  if (!transparent || transparentColor_ == gui::clNone) {
    canvas.StretchDraw(r, bitmap);
    return;
  }
  // The frame's own transparent colour is the key, also for a 1-bit frame.
  int w = r.Width() < 1 ? bitmap.Width() : r.Width();
  int h = r.Height() < 1 ? bitmap.Height() : r.Height();
  canvas.TransparentStretchBlt(r.Left, r.Top, w, h, bitmap.Canvas(), 0, 0, bitmap.Width(),
                               bitmap.Height(), gui::ColorToRGB(transparentColor_));
}

// --- comments -------------------------------------------------------------------------------

TExtension* TGIFFrame::FindComment(bool create) {
  for (auto it = extensions_.rbegin(); it != extensions_.rend(); ++it) {
    if ((*it)->Type == etComment) return it->get();
  }
  if (!create) return nullptr;
  auto comment = std::make_unique<TExtension>();
  comment->Type = etComment;
  comment->Data = std::make_unique<gui::TStringList>();
  extensions_.push_back(std::move(comment));
  return extensions_.back().get();
}

std::vector<std::string> TGIFFrame::GetComment() {
  std::vector<std::string> lines;
  if (TExtension* comment = FindComment(false)) {
    for (int i = 0; i < comment->Data->Count(); ++i) lines.push_back(comment->Data->Get(i));
  }
  return lines;
}

void TGIFFrame::SetComment(const gui::TStrings& lines) { FindComment(true)->Data->Assign(lines); }

// --- assignment -----------------------------------------------------------------------------

void TGIFFrame::Assign(const gui::TGraphic* source) {
  if (auto* image = dynamic_cast<const TGIFImage*>(source)) {
    if (image->GetCount() > 0) Assign(image->GetFrame(std::max(image->FrameIndex(), 0)));
    return;
  }
  if (!source || source->Empty()) {
    NewImage();
    bitmap_.reset();
  } else {
    assignGraphic(*source);
  }
  if (owner_) owner_->UpdateScreenSize();
}

void TGIFFrame::assignGraphic(const gui::TGraphic& source) {
  NewImage();
  NewBitmap();
  bitmap_->Assign(&source);
  if (!source.Transparent()) return;
  if (auto* bitmap = dynamic_cast<const gui::TBitmap*>(&source)) {
    transparentColor_ = bitmap->TransparentColor();
  } else {
    transparentColor_ = gui::ColorToRGB(bitmap_->Canvas().Brush.Color);
  }
}

void TGIFFrame::Assign(const TGIFFrame& source) {
  if (&source == this) return;
  copyFrom(source);
  if (owner_) owner_->UpdateScreenSize();
}

void TGIFFrame::copyFrom(const TGIFFrame& source) {
  image_ = source.image_;
  localColors_ = source.owner_ == owner_ ? source.localColors_ : true;
  topLeft_ = source.topLeft_;
  interlaced_ = source.interlaced_;
  // The data is now the source's, so an own bitmap would show another picture.
  bitmap_ = source.bitmap_ ? std::make_unique<gui::TBitmap>(*source.bitmap_) : nullptr;
  transparentColor_ = source.transparentColor_;
  animateInterval_ = source.animateInterval_;
  disposal_ = source.disposal_;
  grayscale_ = source.grayscale_;
  corrupted_ = source.corrupted_;
  if (TExtension* comment = const_cast<TGIFFrame&>(source).FindComment(false)) {
    if (comment->Data->Count() > 0) SetComment(*comment->Data);
  }
}

void TGIFFrame::AssignTo(gui::TGraphic& dest) {
  if (auto* image = dynamic_cast<TGIFImage*>(&dest)) {
    image->Assign(*this);
    return;
  }
  dest.Assign(&GetBitmap());
  auto* bitmap = dynamic_cast<gui::TBitmap*>(&dest);
  if (bitmap && transparentColor_ != gui::clNone) {
    bitmap->SetTransparentColor(gui::ColorToRGB(transparentColor_));
    bitmap->SetTransparent(true);
  }
}

}  // namespace rxgif
