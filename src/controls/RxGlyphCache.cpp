#include "controls/RxGlyphCache.h"

#include <algorithm>

namespace rxctrls {

using namespace gui;

namespace {

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

}  // namespace rxctrls
