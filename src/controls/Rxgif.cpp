#include "controls/Rxgif.h"

#include <algorithm>

#include "controls/RxgifErrors.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "platform/Clipboard.h"

namespace rxgif {

unsigned CF_GIF = 0;

namespace {

constexpr int kMaxRepeatCount = 30000;

uint16_t saturate16(int value) { return uint16_t(std::clamp(value, 0, 0xFFFF)); }

// The 4-byte little-endian length before the GIF of a layout or the clipboard.
uint32_t readLength(gui::TStream& stream) {
  uint8_t prefix[4];
  stream.ReadBuffer(prefix, 4);
  return uint32_t(prefix[0] | prefix[1] << 8 | prefix[2] << 16) | uint32_t(prefix[3]) << 24;
}

}  // namespace

TGIFImage::TGIFImage() {
  NewImage();
  SetTransparent(true);
}

TGIFImage::~TGIFImage() {
  OnChange = nullptr;
  frames_.clear();
}

void TGIFImage::NewImage() {
  data_ = std::make_shared<TGIFData>();
  frames_.clear();
  corrupted_ = false;
  frameIndex_ = -1;
  backgroundColor_ = gui::clNone;
  repeatCount_ = 1;
  looping_ = false;
  version_ = gvUnknown;
}

// --- the graphic ----------------------------------------------------------------------------

const TGIFFrame* TGIFImage::currentFrame() const {
  if (frameIndex_ < 0 || frameIndex_ >= GetCount()) return nullptr;
  return frames_[size_t(frameIndex_)].get();
}

void TGIFImage::Draw(gui::TCanvas& canvas, const gui::TRect& r) const {
  if (currentFrame()) frames_[size_t(frameIndex_)]->Draw(canvas, r, Transparent());
}

bool TGIFImage::Empty() const {
  if (frames_.empty()) return true;
  const TGIFFrame& frame = *frames_[size_t(std::clamp(frameIndex_, 0, GetCount() - 1))];
  if (frame.HasBitmap()) return false;
  return frame.Image()->ImageData.Bytes().empty();
}

int TGIFImage::Width() const {
  if (Empty() || !currentFrame()) return 0;
  return frames_[size_t(frameIndex_)]->GetWidth();
}

int TGIFImage::Height() const {
  if (Empty() || !currentFrame()) return 0;
  return frames_[size_t(frameIndex_)]->GetHeight();
}

void TGIFImage::SetWidth(int) { throw gui::EInvalidGraphicOperation(texts::kSChangeGIFSize); }

void TGIFImage::SetHeight(int) { throw gui::EInvalidGraphicOperation(texts::kSChangeGIFSize); }

bool TGIFImage::Transparent() const {
  if (!TGraphic::Transparent()) return false;
  return std::any_of(frames_.begin(), frames_.end(), [](const auto& frame) {
    return frame->TransparentColor() != gui::clNone;
  });
}

gui::TColor TGIFImage::TransparentColor() const {
  const TGIFFrame* frame = currentFrame();
  return frame ? frame->TransparentColor() : gui::clNone;
}

bool TGIFImage::Corrupted() const {
  return corrupted_ || std::any_of(frames_.begin(), frames_.end(),
                                   [](const auto& frame) { return frame->Corrupted(); });
}

// --- streams --------------------------------------------------------------------------------

void TGIFImage::LoadFromStream(gui::TStream& stream) {
  ReadStream(stream.Size() - stream.Position(), stream, true);
}

void TGIFImage::ReadData(gui::TStream& stream) {
  ReadStream(readLength(stream), stream, true);
}

void TGIFImage::LoadFromClipboardFormat(unsigned format, const TClipboardReader& clipboard) {
  std::vector<uint8_t> bytes;
  if (clipboard && clipboard(CF_GIF, bytes)) {
    gui::TMemoryStream stream;
    stream.Write(bytes.data(), int64_t(bytes.size()));
    stream.SetPosition(0);
    ReadStream(readLength(stream), stream, false);
    if (frames_.empty()) return;
    // The GIF was read without decoding; the clipboard's bitmap, when there is one, is frame 0.
    frameIndex_ = 0;
    if (clipboard(gui::CF_BITMAP, bytes)) {
      frames_.front()->NewBitmap();
      frames_.front()->bitmap_->LoadFromBytes(bytes.data(), bytes.size());
    }
    return;
  }
  if (format != gui::CF_BITMAP || !clipboard || !clipboard(format, bytes)) {
    throw gui::EInvalidGraphic(gui::texts::kUnknownClipboardFormat);
  }
  gui::TBitmap bitmap;
  bitmap.LoadFromBytes(bytes.data(), bytes.size());
  Assign(&bitmap);
}

// --- assignment -----------------------------------------------------------------------------

void TGIFImage::Assign(const gui::TGraphic* source) {
  if (source == this) return;
  if (!source) {
    NewImage();
  } else if (auto* image = dynamic_cast<const TGIFImage*>(source)) {
    data_ = image->data_;
    version_ = image->version_;
    backgroundColor_ = image->backgroundColor_;
    repeatCount_ = image->repeatCount_;
    looping_ = image->looping_;
    corrupted_ = image->corrupted_;
    frames_.clear();
    // The screen size is copied below: working it out after every frame would make copying
    // quadratic in the number of frames.
    for (const auto& from : image->frames_) {
      frames_.push_back(std::make_unique<TGIFFrame>(this));
      TGIFFrame& frame = *frames_.back();
      frame.image_->BitsPerPixel = from->image_->BitsPerPixel;
      frame.copyFrom(*from);
      frame.localColors_ = from->localColors_;
    }
    screenWidth_ = image->screenWidth_;
    screenHeight_ = image->screenHeight_;
    frameIndex_ = image->frameIndex_;
  } else if (dynamic_cast<const gui::TBitmap*>(source)) {
    NewImage();
    AddFrame(source);
  } else {
    assignError(source);
  }
  Changed();
}

void TGIFImage::Assign(const TGIFFrame& source) {
  // The source may be one of this image's own frames: keep them until it is copied.
  std::vector<std::unique_ptr<TGIFFrame>> previous = std::move(frames_);
  std::shared_ptr<TGIFData> ownerData = source.owner_ ? source.owner_->data_ : nullptr;
  NewImage();
  if (ownerData) {
    data_->AspectRatio = ownerData->AspectRatio;
    data_->BitsPerPixel = ownerData->BitsPerPixel;
    data_->ColorResBits = ownerData->ColorResBits;
    data_->ColorMap = ownerData->ColorMap;
  }
  frames_.push_back(std::make_unique<TGIFFrame>(this));
  frames_.back()->Assign(source);
  frameIndex_ = GetCount() - 1;
  if (version_ == gvUnknown) version_ = gv87a;
  Changed();
}

bool TGIFImage::AssignTo(gui::TGraphic& dest) const {
  if (auto* image = dynamic_cast<TGIFImage*>(&dest)) {
    image->Assign(this);
    return true;
  }
  if (Empty()) return false;
  // Any other graphic takes the current frame's bitmap and its transparent colour.
  frames_[size_t(std::clamp(frameIndex_, 0, GetCount() - 1))]->AssignTo(dest);
  return true;
}

bool TGIFImage::Equals(const gui::TGraphic& other) const {
  auto* image = dynamic_cast<const TGIFImage*>(&other);
  return image && image->data_ == data_;
}

// --- frames ---------------------------------------------------------------------------------

int TGIFImage::AddFrame(const gui::TGraphic* graphic) {
  frames_.push_back(std::make_unique<TGIFFrame>(this));
  frames_.back()->Assign(graphic);
  frameIndex_ = GetCount() - 1;
  if (version_ == gvUnknown) version_ = gv87a;
  if (GetCount() > 1) version_ = gv89a;
  return frameIndex_;
}

void TGIFImage::DecodeAllFrames() {
  for (size_t i = 0; i < frames_.size(); ++i) {
    try {
      frames_[i]->GetBitmap();
    } catch (const gui::EAbort&) {
      frames_.erase(frames_.begin() + std::ptrdiff_t(i), frames_.end());
      frameIndex_ = std::min(frameIndex_, GetCount() - 1);
      corrupted_ = true;
      return;
    }
  }
}

void TGIFImage::UpdateScreenSize() {
  int width = 0, height = 0;
  for (const auto& frame : frames_) {
    width = std::max(width, frame->GetWidth() + frame->TopLeft().X);
    height = std::max(height, frame->GetHeight() + frame->TopLeft().Y);
  }
  screenWidth_ = saturate16(width);
  screenHeight_ = saturate16(height);
}

TGIFFrame& TGIFImage::GetFrame(int index) const {
  if (index < 0 || index >= GetCount()) throw gui::EListError::IndexOutOfBounds(index);
  return *frames_[size_t(index)];
}

void TGIFImage::SetFrameIndex(int value) {
  value = std::clamp(value, -1, GetCount() - 1);
  if (value == frameIndex_) return;
  frameIndex_ = value;
  Changed();
}

gui::TBitmap& TGIFImage::GetBitmap() {
  if (frames_.empty()) {
    gui::TBitmap empty;
    AddFrame(&empty);
  }
  int index = frameIndex_ >= 0 && frameIndex_ < GetCount() ? frameIndex_ : 0;
  return frames_[size_t(index)]->GetBitmap();
}

void TGIFImage::SetBackgroundColor(gui::TColor value) {
  if (value == backgroundColor_) return;
  backgroundColor_ = value;
  Changed();
}

void TGIFImage::SetLooping(bool value) {
  if (value == looping_) return;
  looping_ = value;
  Changed();
}

void TGIFImage::SetRepeatCount(int value) {
  uint16_t count = uint16_t(std::clamp(value, 0, kMaxRepeatCount));
  if (count == repeatCount_) return;
  repeatCount_ = count;
  Changed();
}

void TGIFImage::DoProgress(TProgressStage stage, uint8_t percent, const std::string& message) {
  if (OnProgress) OnProgress(stage, percent, message);
}

// --- unit start-up and shut-down ------------------------------------------------------------

namespace {

int unitUsers = 0;

std::unique_ptr<gui::TGraphic> newGIFImage() { return std::make_unique<TGIFImage>(); }

// The unit's initialization and finalization: the first registers the class, the last removes
// it. Registered ".gif" takes precedence over any earlier reader of the extension.
struct UnitLifetime {
  UnitLifetime() {
    if (unitUsers++ > 0) return;
    CF_GIF = platform::RegisterClipboardFormat("GIF Image");
    gui::TPicture::RegisterFileFormat("gif", texts::kSGIFImage, "TGIFImage", newGIFImage);
    gui::TPicture::RegisterClipboardFormat(CF_GIF, "TGIFImage", newGIFImage);
  }
  ~UnitLifetime() {
    if (--unitUsers == 0) gui::TPicture::UnregisterGraphicClass("TGIFImage");
  }
} unitLifetime;

}  // namespace

void rxgif_dummy() {}

}  // namespace rxgif
