// TDrawBox: a window control that keeps its picture in an off-screen bitmap of its own size and
// copies that bitmap to the screen when it paints; descendants draw into the bitmap (Redraw)
// and work out size-dependent data (Recalculate) when the size changes. It never erases its
// background: painting covers it.
#pragma once

#include <memory>

#include "gui/Bitmap.h"
#include "gui/Controls.h"

namespace drawbox {

class TDrawBox : public gui::TCustomControl {
public:
  // 50 x 50, silver.
  explicit TDrawBox(QWidget* parent = nullptr);
  ~TDrawBox() override;

  gui::TColor BackGroundColor() const { return backGroundColor_; }
  // Stores (also an unchanged value), redraws and repaints.
  void SetBackGroundColor(gui::TColor value);

  // The bounds, then the bitmap follows the new size (also while the control is hidden, when
  // no resize event comes).
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

  // The off-screen picture; its size is the size the control had when it was last resized.
  const gui::TBitmap& Bitmap() const { return *bitmap_; }

  // Draws the whole picture into the bitmap: here the background, and the two diagonals on the
  // control's own canvas (the look of a bare drawn box, until the next paint copies the bitmap).
  virtual void Redraw();
  // Works out size-dependent data; nothing here.
  virtual void Recalculate() {}

protected:
  gui::TBitmap* bitmap() { return bitmap_.get(); }
  int LastWidth() const { return lastWidth_; }
  int LastHeight() const { return lastHeight_; }
  // When the size differs from the bitmap's: a new bitmap size, Recalculate, Redraw, repaint.
  void ResizeBitmap();
  // Fills the bitmap with BackGroundColor.
  void ClearBitmap();

  // Copies the bitmap; a size that changed since the last resize only resizes (the repaint
  // that follows copies it).
  void Paint() override;
  void Resized() override;

private:
  gui::TColor backGroundColor_ = gui::clSilver;
  int lastWidth_ = 0;
  int lastHeight_ = 0;
  std::unique_ptr<gui::TBitmap> bitmap_;
};

}  // namespace drawbox
