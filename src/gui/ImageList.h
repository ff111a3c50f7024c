// TImageList: equally sized images, each with a mask, added from bitmaps (a wide bitmap gives
// several images) and drawn by index with its mask.
#pragma once

#include <QImage>

#include <vector>

#include "gui/Colors.h"

namespace gui {

class TBitmap;
class TCanvas;
class TIcon;

// Image-list drawing styles.
enum : unsigned { ILD_NORMAL = 0x0, ILD_TRANSPARENT = 0x1, ILD_MASK = 0x10 };

class TImageList {
public:
  TImageList(int width = 16, int height = 16);
  virtual ~TImageList() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const { return int(images_.size()); }

  // Adds the image (one per Width() pixels of its width) with a monochrome mask in which white
  // marks transparent pixels (no mask: all opaque). Returns the first new index, or -1 when the
  // bitmap is narrower than one image.
  int Add(const TBitmap& image, const TBitmap* mask);
  // The same with every pixel of maskColor transparent (clDefault: the bitmap's transparent
  // colour); those pixels turn black in the stored image.
  int AddMasked(const TBitmap& image, TColor maskColor);
  // Replace one image; an index out of range raises EInvalidOperation "Invalid ImageList Index".
  void Replace(int index, const TBitmap& image, const TBitmap* mask);
  void ReplaceMasked(int index, const TBitmap& image, TColor maskColor);
  void Delete(int index);
  void Clear() { images_.clear(); }

  // ILD_NORMAL/ILD_TRANSPARENT: the opaque pixels of the image; ILD_MASK: the mask, black
  // where opaque and white where transparent.
  void Draw(TCanvas& canvas, int x, int y, int index, unsigned style = ILD_NORMAL) const;
  void GetBitmap(int index, TBitmap& bitmap) const;
  // The image as a 32-bit icon with its mask.
  void GetIcon(int index, TIcon& icon) const;
  bool Transparent(int index, int x, int y) const;

private:
  struct Entry {
    QImage image;               // RGB32, Width() x Height()
    std::vector<uint8_t> mask;  // 1 = transparent
  };
  void checkIndex(int index) const;
  std::vector<Entry> split(const TBitmap& image, const TBitmap* mask, bool byColor,
                           TColor maskColor) const;

  int width_, height_;
  std::vector<Entry> images_;
};

}  // namespace gui
