// The glyph engine of the Rxctrls buttons: one glyph bitmap of up to five frames side by side
// becomes the images of the five button states, built once into glyph lists shared by all
// buttons; it also lays out glyph, caption and drop-down mark in a button and draws the
// button's 3-D frame.
#pragma once

#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Controls.h"
#include "gui/ImageList.h"

namespace rxctrls {

// The shared image lists of the glyphs: one TGlyphList per image size, whose freed slots are
// reused before the list grows, kept in the one program-wide TGlyphCache.
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

// Up, disabled, pressed, latched down (a grouped button that stays down), and inactive (a flat
// button the mouse is not over). Frame n + 1 of a glyph bitmap belongs to state n.
enum TRxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
constexpr int kButtonStateCount = 5;
// Frames in a glyph bitmap, 1..5.
using TRxNumGlyphs = int;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// bsAutoDetect takes the new style, as on every system that has new-style controls.
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// The 3-D frame of a button in client; returns the rectangle inside it.
gui::TRect DrawButtonFrame(gui::TCanvas& canvas, const gui::TRect& client, bool isDown,
                           bool isFlat, TButtonStyle style);

class TRxButtonGlyph {
public:
  TRxButtonGlyph();
  ~TRxButtonGlyph();
  TRxButtonGlyph(const TRxButtonGlyph&) = delete;
  TRxButtonGlyph& operator=(const TRxButtonGlyph&) = delete;

  // The glyph bitmap; drawing on it or loading it in place counts as a change.
  gui::TBitmap& Glyph() { return glyphBitmap_; }
  const gui::TBitmap& Glyph() const { return glyphBitmap_; }
  void SetGlyph(const gui::TBitmap& value);
  TRxNumGlyphs NumGlyphs() const { return numGlyphs_; }
  // Values below 1 are ignored.
  void SetNumGlyphs(TRxNumGlyphs value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { wordWrap_ = value; }
  gui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(gui::TAlignment value) { alignment_ = value; }
  gui::TColor TransparentColor() const { return transparentColor_; }
  // The cache's list of the frame size; nullptr until an image is built.
  TGlyphList* GlyphList() const { return glyphList_; }
  // The slot of a state's image, -1 while not built.
  int Index(TRxButtonState state) const { return indexes_[size_t(state)]; }

  // Called after the glyph bitmap changed.
  std::function<void(TRxButtonGlyph*)> OnChange;

  // Drops the built images and hands the glyph list back to the cache.
  void Invalidate();
  // The slot of the state's image, built when missing; -1 without a usable glyph.
  int CreateButtonGlyph(TRxButtonState state);
  int CreateImageGlyph(TRxButtonState state, const gui::TImageList& images, int index);
  // Draws the state's image at (x, y); returns the size drawn (0 x 0 without a glyph).
  gui::TPoint DrawButtonGlyph(gui::TCanvas& canvas, int x, int y, TRxButtonState state);
  gui::TPoint DrawButtonImage(gui::TCanvas& canvas, int x, int y, const gui::TImageList& images,
                              int index, TRxButtonState state);
  // The drop-down triangle whose top row is y - 1, from x to x + 6.
  void DrawPopupMark(gui::TCanvas& canvas, int x, int y, TRxButtonState state);
  // The caption (at most maxLength characters); without WordWrap every line is shortened to
  // `width` pixels with "...".
  std::string MinimizeCaption(const gui::TCanvas& canvas, const std::string& caption,
                              int maxLength, int width) const;
  int DrawButtonText(gui::TCanvas& canvas, const std::string& caption, gui::TRect textBounds,
                     TRxButtonState state, unsigned flags);
  void CalcButtonLayout(gui::TCanvas& canvas, const gui::TRect& client, std::string& caption,
                        TButtonLayout layout, int margin, int spacing, bool popupMark,
                        gui::TPoint& glyphPos, gui::TRect& textBounds, unsigned flags,
                        const gui::TImageList* images, int imageIndex);
  // Draws glyph (from the image list when one with a valid index is given), caption and mark;
  // returns the caption's rectangle.
  gui::TRect DrawEx(gui::TCanvas& canvas, const gui::TRect& client, const std::string& caption,
                    TButtonLayout layout, int margin, int spacing, bool popupMark,
                    const gui::TImageList* images, int imageIndex, TRxButtonState state,
                    unsigned flags);
  gui::TRect Draw(gui::TCanvas& canvas, const gui::TRect& client, const std::string& caption,
                  TButtonLayout layout, int margin, int spacing, bool popupMark,
                  TRxButtonState state, unsigned flags) {
    return DrawEx(canvas, client, caption, layout, margin, spacing, popupMark, nullptr, -1,
                  state, flags);
  }
  // The grey of a colour for the inactive image; the transparent and face colours stay.
  gui::TColor MapColor(gui::TColor color) const;

private:
  void GlyphChanged(gui::TGraphic* sender);
  // The width of one frame (0 when the bitmap is empty or narrower than its frames).
  int frameWidth() const;
  bool glyphUsable() const { return frameWidth() > 0 && glyphBitmap_.Height() > 0; }
  TGlyphList& listFor(int width, int height);
  int buildFrameImage(TRxButtonState state, int width, int height);
  // The caption fitted into maxSize and its measured rectangle at (0, 0).
  gui::TRect fitCaption(gui::TCanvas& canvas, std::string& caption, gui::TPoint maxSize,
                        unsigned flags) const;
  // The top-left width x height pixels of source, each mapped with MapColor.
  QImage greyed(const QImage& source, int width, int height) const;

  gui::TBitmap glyphBitmap_;
  TGlyphList* glyphList_ = nullptr;
  std::array<int, kButtonStateCount> indexes_;
  gui::TColor transparentColor_ = gui::clFuchsia;
  TRxNumGlyphs numGlyphs_ = 1;
  bool wordWrap_ = false;
  gui::TAlignment alignment_ = gui::taCenter;
};

}  // namespace rxctrls
