#include "controls/dormant/Anifile.h"

#include <algorithm>

#include "controls/Icolist.h"
#include "controls/Vclutils.h"
#include "controls/dormant/Clipicon.h"
#include "controls/dormant/Rxgraph.h"
#include "gui/Exceptions.h"

namespace anifile {

void TIconFrame::Assign(const TIconFrame& source) {
  if (&source == this) return;
  icon_ = source.icon_ ? std::make_shared<gui::TIcon>(*source.icon_) : nullptr;
  isIcon_ = source.isIcon_;
  tag_ = source.tag_;
  hotSpot_ = source.hotSpot_;
  jiffies_ = source.jiffies_;
  index_ = source.index_;
}

void TAnimatedCursorImage::NewImage() {
  frames_.clear();
  title_.clear();
  creator_.clear();
  header_ = TANIHeader{};
  imageColorCount_ = 0;
}

const TIconFrame& TAnimatedCursorImage::GetFrame(int index) const {
  if (index < 0 || index >= GetIconCount()) throw gui::EListError::IndexOutOfBounds(index);
  return *frames_[size_t(index)];
}

int TAnimatedCursorImage::GetDefaultRate() const {
  return int(std::clamp<int64_t>(int64_t(header_.jifRate) * 100 / 6, 0, INT32_MAX));
}

void TAnimatedCursorImage::LoadFromStream(gui::TStream& stream) {
  ReadStream(stream.Size() - stream.Position(), stream);
}

void TAnimatedCursorImage::LoadFromFile(const std::string& fileName) {
  gui::TFileStream file(fileName, gui::fmOpenRead);
  LoadFromStream(file);
}

void TAnimatedCursorImage::SaveToStream(gui::TStream& stream) const { WriteStream(stream); }

void TAnimatedCursorImage::WriteStream(gui::TStream&) const { vclutils::NotImplemented(); }

void TAnimatedCursorImage::Draw(gui::TCanvas& canvas, const gui::TRect& rect) const {
  if (frames_.empty() || !frames_.front()->Icon()) return;
  clipicon::DrawRealSizeIcon(canvas, *frames_.front()->Icon(), rect.Left, rect.Top);
}

void TAnimatedCursorImage::Assign(const TAnimatedCursorImage* source) {
  if (source == this) return;
  if (!source) {
    Clear();
    return;
  }
  NewImage();
  header_ = source->header_;
  title_ = source->title_;
  creator_ = source->creator_;
  imageColorCount_ = source->imageColorCount_;
  for (const auto& from : source->frames_) {
    frames_.push_back(std::make_unique<TIconFrame>(-1, int(source->header_.jifRate)));
    frames_.back()->Assign(*from);
  }
}

void TAnimatedCursorImage::AssignTo(gui::TGraphic& dest) const {
  if (auto* icon = dynamic_cast<gui::TIcon*>(&dest)) {
    icon->Assign(frames_.empty() ? nullptr : frames_.front()->Icon());
  } else if (auto* bitmap = dynamic_cast<gui::TBitmap*>(&dest)) {
    if (frames_.empty()) {
      bitmap->Assign(nullptr);
    } else {
      AssignToBitmap(*bitmap, bitmap->Canvas().Brush.Color, true, false);
    }
  } else {
    throw gui::EConvertError(
        gui::FormatText(gui::texts::kAssignError, "TAnimatedCursorImage", dest.ClassName()));
  }
}

void TAnimatedCursorImage::AssignTo(icolist::TIconList& dest) const {
  dest.BeginUpdate();
  try {
    dest.Clear();
    for (const auto& frame : frames_) dest.Add(frame->Icon());
  } catch (...) {
    dest.EndUpdate();
    throw;
  }
  dest.EndUpdate();
}

void TAnimatedCursorImage::AssignToBitmap(gui::TBitmap& bitmap, gui::TColor background,
                                          bool reduceColors, bool vertical) const {
  if (frames_.empty()) {
    bitmap.Assign(nullptr);
    return;
  }
  const gui::TIcon* first = frames_.front()->Icon();
  const int w = first ? first->Width() : 0, h = first ? first->Height() : 0;
  const int64_t count = int64_t(frames_.size());
  if (int64_t(w) * h * count > kMaxStripPixels) {
    throw gui::EInvalidGraphic(gui::texts::kInvalidImageSize);
  }
  gui::TBitmap work;
  work.Canvas().Brush.Color = background;
  work.SetSize(vertical ? w : int(w * count), vertical ? int(h * count) : h);
  for (size_t i = 0; i < frames_.size(); ++i) {
    if (const gui::TIcon* icon = frames_[i]->Icon()) {
      work.Canvas().Draw(vertical ? 0 : w * int(i), vertical ? h * int(i) : 0, *icon);
    }
  }
  if (reduceColors && !work.Empty()) {
    std::unique_ptr<gui::TMemoryStream> reduced =
        rxgraph::BitmapToMemory(work, std::max<int>(imageColorCount_, 16));
    work.LoadFromStream(*reduced);
  }
  bitmap.Assign(&work);
}

}  // namespace anifile
