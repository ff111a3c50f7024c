#include "controls/RxButtonGlyph.h"

#include <algorithm>

#include "controls/VclutilsBitmaps.h"
#include "gui/CanvasRaster.h"

namespace rxctrls {

using namespace gui;

namespace {

// The transparency flag of a palette-relative colour.
constexpr TColor kPaletteMask = 0x02000000;

std::unique_ptr<TGlyphCache>& cacheInstance() {
  static std::unique_ptr<TGlyphCache> cache;
  return cache;
}

}  // namespace

TGlyphList::TGlyphList(int width, int height) : TImageList(width, height) {}

bool TGlyphList::Used(int index) const {
  return index >= 0 && index < int(used_.size()) && used_[size_t(index)];
}

int TGlyphList::AllocateIndex() {
  auto free = std::find(used_.begin(), used_.end(), false);
  int index = int(free - used_.begin());
  if (free == used_.end()) {
    TBitmap blank(Width(), Height());
    index = TImageList::Add(blank, nullptr);
    used_.resize(size_t(index) + 1, false);
  }
  used_[size_t(index)] = true;
  return index;
}

int TGlyphList::Add(const TBitmap& image, const TBitmap* mask) {
  int index = AllocateIndex();
  Replace(index, image, mask);
  ++count_;
  return index;
}

int TGlyphList::AddMasked(const TBitmap& image, TColor maskColor) {
  int index = AllocateIndex();
  ReplaceMasked(index, image, maskColor);
  ++count_;
  return index;
}

void TGlyphList::Delete(int index) {
  if (!Used(index)) return;
  --count_;
  used_[size_t(index)] = false;
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto it = glyphLists_.rbegin(); it != glyphLists_.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  }
  glyphLists_.push_back(std::make_unique<TGlyphList>(width, height));
  return glyphLists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() != 0) return;
  auto it = std::find_if(glyphLists_.begin(), glyphLists_.end(),
                         [list](const auto& owned) { return owned.get() == list; });
  if (it != glyphLists_.end()) glyphLists_.erase(it);
}

TGlyphCache* GlyphCache() { return cacheInstance().get(); }

TGlyphCache& CreateGlyphCache() {
  auto& cache = cacheInstance();
  if (!cache) cache = std::make_unique<TGlyphCache>();
  return *cache;
}

void FreeGlyphCacheIfEmpty() {
  auto& cache = cacheInstance();
  if (cache && cache->Empty()) cache.reset();
}


TRxButtonGlyph::TRxButtonGlyph() {
  indexes_.fill(-1);
  glyphBitmap_.OnChange = [this](TGraphic* sender) { GlyphChanged(sender); };
  CreateGlyphCache();
}

TRxButtonGlyph::~TRxButtonGlyph() {
  glyphBitmap_.OnChange = nullptr;
  Invalidate();
  FreeGlyphCacheIfEmpty();
}

void TRxButtonGlyph::SetGlyph(const TBitmap& value) {
  Invalidate();
  glyphBitmap_.Assign(value);
}

void TRxButtonGlyph::SetNumGlyphs(TRxNumGlyphs value) {
  value = std::min(value, kButtonStateCount);
  if (value <= 0 || value == numGlyphs_) return;
  Invalidate();
  numGlyphs_ = value;
}

void TRxButtonGlyph::Invalidate() {
  for (int& slot : indexes_) {
    if (slot == -1) continue;
    if (glyphList_) glyphList_->Delete(slot);
    slot = -1;
  }
  if (GlyphCache()) GlyphCache()->ReturnList(glyphList_);
  glyphList_ = nullptr;
}

void TRxButtonGlyph::GlyphChanged(TGraphic* sender) {
  if (sender != &glyphBitmap_) return;
  Invalidate();
  int width = glyphBitmap_.Width(), height = glyphBitmap_.Height();
  if (height > 0) {
    transparentColor_ = glyphBitmap_.TransparentColor() & ~kPaletteMask;
    // Square frames are counted automatically.
    if (width % height == 0) {
      int glyphs = width / height;
      SetNumGlyphs(glyphs > kButtonStateCount ? 1 : glyphs);
    }
  }
  if (OnChange) OnChange(this);
}

int TRxButtonGlyph::frameWidth() const {
  return glyphBitmap_.Empty() ? 0 : glyphBitmap_.Width() / numGlyphs_;
}

TGlyphList& TRxButtonGlyph::listFor(int width, int height) {
  if (!glyphList_) glyphList_ = CreateGlyphCache().GetList(width, height);
  return *glyphList_;
}

TColor TRxButtonGlyph::MapColor(TColor color) const {
  if (color == transparentColor_ || ColorToRGB(color) == ColorToRGB(clBtnFace)) return color;
  TColor rgb = ColorToRGB(color);
  int grey = (GetRValue(rgb) * 77 + GetGValue(rgb) * 150 + GetBValue(rgb) * 29) >> 8;
  return RGB(grey, grey, grey);
}

QImage TRxButtonGlyph::greyed(const QImage& source, int width, int height) const {
  QImage grey(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      TColor mapped = MapColor(FromPixel(source.pixel(x, y) & 0xFFFFFF));
      grey.setPixel(x, y, 0xFF000000u | ToPixel(ColorToRGB(mapped)));
    }
  }
  return grey;
}

int TRxButtonGlyph::CreateButtonGlyph(TRxButtonState state) {
  if (state == rbsDown && numGlyphs_ < 3) state = rbsUp;
  int& slot = indexes_[size_t(state)];
  // A frame narrower than one pixel has nothing to show.
  if (slot != -1 || !glyphUsable()) return slot;
  slot = buildFrameImage(state, frameWidth(), glyphBitmap_.Height());
  return slot;
}

int TRxButtonGlyph::buildFrameImage(TRxButtonState state, int width, int height) {
  TGlyphList& list = listFor(width, height);
  const QImage& source = glyphBitmap_.Image();
  auto frameImage = [&](int frame) {
    TBitmap work;
    work.SetImage(source.copy(frame * width, 0, width, height));
    return work;
  };
  int frame = int(state) < numGlyphs_ ? int(state) : 0;
  switch (state) {
    case rbsDisabled:
      if (numGlyphs_ == 1) {
        auto disabled = vclutils::CreateDisabledBitmap(glyphBitmap_, clBlack);
        return list.AddMasked(*disabled, clBtnFace);
      }
      return list.AddMasked(frameImage(frame), transparentColor_);
    case rbsInactive: {
      if (numGlyphs_ == kButtonStateCount) return list.AddMasked(frameImage(4), transparentColor_);
      TBitmap work;
      work.SetImage(greyed(source, width, height));
      return list.AddMasked(work, transparentColor_);
    }
    default:
      return list.AddMasked(frameImage(frame), transparentColor_);
  }
}

int TRxButtonGlyph::CreateImageGlyph(TRxButtonState state, const TImageList& images, int index) {
  if (state == rbsDown) state = rbsUp;
  int& slot = indexes_[size_t(state)];
  if (slot != -1 || images.Width() == 0 || images.Height() == 0 || index < 0 ||
      index >= images.Count()) {
    return slot;
  }
  int width = images.Width(), height = images.Height();
  TGlyphList& list = listFor(width, height);
  TBitmap work(width, height);
  if (state == rbsUp || state == rbsExclusive) {
    images.Draw(work.Canvas(), 0, 0, index, ILD_NORMAL);
    TBitmap mask(width, height);
    images.Draw(mask.Canvas(), 0, 0, index, ILD_MASK);
    slot = list.Add(work, &mask);
    return slot;
  }
  work.Canvas().Brush.Color = clBtnFace;
  work.Canvas().FillRect(Rect(0, 0, width, height));
  if (state == rbsDisabled) {
    vclutils::ImageListDrawDisabled(images, work.Canvas(), 0, 0, index, clBtnHighlight, clBtnShadow,
                                    true);
  } else {
    images.Draw(work.Canvas(), 0, 0, index, ILD_NORMAL);
    work.SetImage(greyed(work.Image(), width, height));
  }
  slot = list.AddMasked(work, clBtnFace);
  return slot;
}

TPoint TRxButtonGlyph::DrawButtonGlyph(TCanvas& canvas, int x, int y, TRxButtonState state) {
  if (!glyphUsable()) return {0, 0};
  int index = CreateButtonGlyph(state);
  if (index < 0) return {0, 0};
  glyphList_->Draw(canvas, x, y, index, ILD_NORMAL);
  return {glyphList_->Width(), glyphList_->Height()};
}

TPoint TRxButtonGlyph::DrawButtonImage(TCanvas& canvas, int x, int y, const TImageList& images,
                                       int index, TRxButtonState state) {
  if (index < 0 || index >= images.Count()) return {0, 0};
  if (state == rbsDisabled) {
    vclutils::ImageListDrawDisabled(images, canvas, x, y, index, clBtnHighlight, clBtnShadow, true);
  } else if (state == rbsInactive) {
    int slot = CreateImageGlyph(state, images, index);
    if (slot >= 0) glyphList_->Draw(canvas, x, y, slot, ILD_NORMAL);
  } else {
    images.Draw(canvas, x, y, index, ILD_NORMAL);
  }
  return {images.Width(), images.Height()};
}

}  // namespace rxctrls
