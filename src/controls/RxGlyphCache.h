// The shared image lists of the button glyphs: one TGlyphList per glyph size, whose freed slots
// are reused before the list grows, kept in the one program-wide TGlyphCache.
#pragma once

#include <memory>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/ImageList.h"

namespace rxctrls {

class TGlyphList : public gui::TImageList {
public:
  // CreateSize: an empty list of that image size.
  TGlyphList(int width, int height);

  // The first free slot, or a new empty image appended when none is free; marked used.
  int AllocateIndex();
  // Stores the image in a slot of its own; returns the slot.
  int Add(const gui::TBitmap& image, const gui::TBitmap* mask);
  int AddMasked(const gui::TBitmap& image, gui::TColor maskColor);
  // Frees a used slot; its image stays until the slot is reused.
  void Delete(int index);
  // Slots in use (not the images the list holds).
  int Count() const { return count_; }
  bool Used(int index) const;

private:
  std::vector<bool> used_;
  int count_ = 0;
};

class TGlyphCache {
public:
  // The list for that image size, created and appended when there is none.
  TGlyphList* GetList(int width, int height);
  // Frees the list when no slot of it is used any more.
  void ReturnList(TGlyphList* list);
  bool Empty() const { return glyphLists_.empty(); }
  int ListCount() const { return int(glyphLists_.size()); }

private:
  std::vector<std::unique_ptr<TGlyphList>> glyphLists_;
};

// The one cache of the program, or nullptr while there is none. CreateGlyphCache makes it when
// missing; FreeGlyphCacheIfEmpty frees it when it holds no list.
TGlyphCache* GlyphCache();
TGlyphCache& CreateGlyphCache();
void FreeGlyphCacheIfEmpty();

}  // namespace rxctrls
