// Editing a GIF image: deleting and moving frames, comments, frame attributes, greying, the
// pixel format the image needs, and images made from animated cursors.
#include <algorithm>

#include "controls/Rxgif.h"
#include "controls/RxgifErrors.h"
#include "controls/dormant/Anifile.h"
#include "controls/dormant/Rxgraph.h"
#include "controls/dormant/RxgraphMapping.h"
#include "gui/Exceptions.h"

namespace rxgif {

namespace {

TGIFColorItem grayItem(const TGIFColorItem& c) {
  uint8_t v = rxgraph::GrayLevel(c.Red, c.Green, c.Blue);
  return {v, v, v};
}

gui::TColor grayColor(gui::TColor color) {
  const gui::TColor rgb = gui::ColorToRGB(color);
  uint8_t v = rxgraph::GrayLevel(gui::GetRValue(rgb), gui::GetGValue(rgb), gui::GetBValue(rgb));
  return gui::RGB(v, v, v);
}

// The first entry of the table's colour, -1 when it has none.
int indexOf(const TGIFColorTable& table, gui::TColor color) {
  if (color == gui::clNone) return -1;
  const gui::TColor rgb = gui::ColorToRGB(color);
  for (int i = 0; i < table.Count; ++i) {
    if (ItemToColor(table.Colors[size_t(i)]) == rgb) return i;
  }
  return -1;
}

void grayTable(TGIFColorTable& table) {
  for (int i = 0; i < table.Count; ++i) table.Colors[size_t(i)] = grayItem(table.Colors[size_t(i)]);
}

gui::TPixelFormat formatForCount(int count) {
  if (count < 3) return gui::pf1bit;
  if (count < 17) return gui::pf4bit;
  if (count > 256) return gui::pf24bit;
  return gui::pf8bit;
}

}  // namespace

// --- the image ----------------------------------------------------------------------------------

void TGIFImage::DeleteFrame(int index) {
  GetFrame(index);  // checks the index
  frames_.erase(frames_.begin() + index);
  UpdateScreenSize();
  if (frameIndex_ > GetCount() - 1) --frameIndex_;
  Changed();
}

void TGIFImage::MoveFrame(int curIndex, int newIndex) {
  GetFrame(curIndex);
  GetFrame(newIndex);
  auto frame = std::move(frames_[size_t(curIndex)]);
  frames_.erase(frames_.begin() + curIndex);
  frames_.insert(frames_.begin() + newIndex, std::move(frame));
  frameIndex_ = newIndex;
  Changed();
}

void TGIFImage::UniqueImage() {
  if (!data_) {
    NewImage();
    return;
  }
  if (data_.use_count() == 1) return;
  auto own = std::make_shared<TGIFData>();
  own->Comment.Assign(data_->Comment);
  own->AspectRatio = data_->AspectRatio;
  own->BitsPerPixel = data_->BitsPerPixel;
  own->ColorResBits = data_->ColorResBits;
  own->ColorMap = data_->ColorMap;
  data_ = std::move(own);
}

void TGIFImage::SetComment(const gui::TStrings& lines) {
  UniqueImage();
  data_->Comment.Assign(lines);
}

gui::TPixelFormat TGIFImage::GetPixelFormat() {
  if (Empty()) return gui::pfDevice;
  gui::TPixelFormat format = formatForCount(data_->ColorMap.Count);
  for (const auto& frame : frames_) {
    gui::TPixelFormat wider = format;
    if (frame->HasData()) {
      if (frame->LocalColorTable()) wider = formatForCount(frame->Image()->ColorMap.Count);
    } else if (frame->HasBitmap()) {
      wider = frame->bitmap_->PixelFormat();
    }
    format = std::max(format, wider);
  }
  return format;
}

void TGIFImage::Grayscale(bool force) {
  if (frames_.empty()) throw gui::EInvalidGraphicOperation(texts::kSNoGIFData);
  for (const auto& frame : frames_) frame->GrayscaleImage(force);
  // The global table is greyed too: frames without a table of their own are written with it.
  int background = -1;
  if (data_->ColorMap.Count > 0) {
    UniqueImage();
    background = indexOf(data_->ColorMap, backgroundColor_);
    grayTable(data_->ColorMap);
  }
  if (backgroundColor_ != gui::clNone) {
    backgroundColor_ = background >= 0 ? ItemToColor(data_->ColorMap.Colors[size_t(background)])
                                       : grayColor(backgroundColor_);
  }
  Changed();
}

void TGIFImage::Assign(const anifile::TAnimatedCursorImage& source) {
  NewImage();
  backgroundColor_ = gui::clWindow;
  for (int i = 0; i < source.GetIconCount(); ++i) {
    const anifile::TIconFrame& cursorFrame = source.GetFrame(i);
    AddFrame(cursorFrame.Icon());
    const int64_t interval = int64_t(cursorFrame.Jiffies()) * 100 / 6;
    frames_.back()->animateInterval_ = uint16_t(std::clamp<int64_t>(interval, 0, 0xFFFF));
  }
  Changed();
}

// --- a frame ------------------------------------------------------------------------------------

void TGIFFrame::uniqueItem() {
  if (image_.use_count() > 1) image_ = std::make_shared<TGIFItem>(*image_);
}

void TGIFFrame::SetAnimateInterval(uint16_t value) {
  if (value == animateInterval_) return;
  animateInterval_ = value;
  if (!owner_) return;
  if (value != 0) owner_->setVersion89a();
  owner_->Changed();
}

void TGIFFrame::SetDisposalMethod(TDisposalMethod value) {
  if (value == disposal_) return;
  disposal_ = value;
  if (!owner_) return;
  if (value != dmUndefined) owner_->setVersion89a();
  owner_->Changed();
}

void TGIFFrame::SetTransparentColor(gui::TColor value) {
  if (value == transparentColor_) return;
  transparentColor_ = value;
  if (!owner_) return;
  if (value != gui::clNone) owner_->setVersion89a();
  owner_->Changed();
}

void TGIFFrame::SetTopLeft(const gui::TPoint& value) {
  if (value == topLeft_) return;
  topLeft_ = value;
  if (!owner_) return;
  owner_->growScreen(GetWidth() + value.X, GetHeight() + value.Y);
  owner_->Changed();
}

void TGIFFrame::GrayscaleImage(bool force) {
  const bool hasBitmap = bitmap_ && !bitmap_->Empty();
  if (grayscale_ || (!hasBitmap && !HasData())) return;
  if (HasData() && image_->ColorMap.Count > 0) {
    bitmap_.reset();
    // Frames and images that share this data keep their colours.
    uniqueItem();
    TGIFColorTable& table = image_->ColorMap;
    const int transparent = indexOf(table, transparentColor_);
    grayTable(table);
    transparentColor_ =
        transparent >= 0 ? ItemToColor(table.Colors[size_t(transparent)]) : gui::clNone;
    grayscale_ = true;
    GetBitmap();
    return;
  }
  std::unique_ptr<gui::TMemoryStream> bmp =
      rxgraph::BitmapToMemoryStream(GetBitmap(), gui::pf8bit, rxgraph::mmGrayscale);
  image_ = std::make_shared<TGIFItem>();
  if (force) EncodeBitmapStream(*bmp);
  grayscale_ = true;
  if (transparentColor_ != gui::clNone) transparentColor_ = grayColor(transparentColor_);
  bmp->SetPosition(0);
  bitmap_->LoadFromStream(*bmp);
}

}  // namespace rxgif
