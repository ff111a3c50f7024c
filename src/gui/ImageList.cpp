#include "gui/ImageList.h"

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/CanvasRaster.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"

namespace gui {

TImageList::TImageList(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
}

void TImageList::checkIndex(int index) const {
  if (index < 0 || index >= Count()) throw EInvalidOperation(texts::kImageIndexError);
}

std::vector<TImageList::Entry> TImageList::split(const TBitmap& image, const TBitmap* mask,
                                                 bool byColor, TColor maskColor) const {
  std::vector<Entry> entries;
  if (image.Empty()) return entries;
  int count = image.Width() / width_;
  uint32_t key = 0;
  if (byColor) {
    TColor c = maskColor == clDefault ? image.TransparentColor() : ColorToRGB(maskColor);
    key = ToPixel(c & 0xFFFFFF);
  }
  const QImage& pixels = image.Image();
  for (int n = 0; n < count; ++n) {
    Entry entry;
    entry.image = QImage(width_, height_, QImage::Format_RGB32);
    entry.image.fill(0xFF000000u);
    entry.mask.assign(size_t(width_) * size_t(height_), 1);
    for (int y = 0; y < std::min(height_, pixels.height()); ++y) {
      for (int x = 0; x < width_; ++x) {
        int sx = n * width_ + x;
        uint32_t p = pixels.pixel(sx, y) & 0xFFFFFF;
        bool transparent = false;
        if (byColor) transparent = p == key;
        else if (mask && mask->Image().valid(sx, y)) {
          transparent = (mask->Image().pixel(sx, y) & 0xFFFFFF) != 0;
        }
        entry.mask[size_t(y * width_ + x)] = transparent;
        entry.image.setPixel(x, y, 0xFF000000u | (transparent && byColor ? 0 : p));
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  std::vector<Entry> entries = split(image, mask, false, clNone);
  if (entries.empty()) return -1;
  int first = Count();
  for (Entry& e : entries) images_.push_back(std::move(e));
  return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  std::vector<Entry> entries = split(image, nullptr, true, maskColor);
  if (entries.empty()) return -1;
  int first = Count();
  for (Entry& e : entries) images_.push_back(std::move(e));
  return first;
}

void TImageList::Replace(int index, const TBitmap& image, const TBitmap* mask) {
  checkIndex(index);
  std::vector<Entry> entries = split(image, mask, false, clNone);
  if (!entries.empty()) images_[size_t(index)] = std::move(entries.front());
}

void TImageList::ReplaceMasked(int index, const TBitmap& image, TColor maskColor) {
  checkIndex(index);
  std::vector<Entry> entries = split(image, nullptr, true, maskColor);
  if (!entries.empty()) images_[size_t(index)] = std::move(entries.front());
}

void TImageList::Delete(int index) {
  checkIndex(index);
  images_.erase(images_.begin() + index);
}

bool TImageList::Transparent(int index, int x, int y) const {
  checkIndex(index);
  return images_[size_t(index)].mask[size_t(y * width_ + x)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, unsigned style) const {
  checkIndex(index);
  const Entry& entry = images_[size_t(index)];
  if (canvas.OnChanging) canvas.OnChanging();
  CanvasRaster raster(canvas);
  TPoint at = raster.toDevice(x, y);
  raster.forEach(QRect(at.X, at.Y, width_, height_), [&](int dx, int dy) {
    int ix = dx - at.X, iy = dy - at.Y;
    bool transparent = entry.mask[size_t(iy * width_ + ix)];
    if (style & ILD_MASK) {
      raster.put(dx, dy, transparent ? 0xFFFFFF : 0);
    } else if (!transparent) {
      raster.put(dx, dy, entry.image.pixel(ix, iy) & 0xFFFFFF);
    }
  });
  if (canvas.OnChange) canvas.OnChange();
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  checkIndex(index);
  bitmap.SetImage(images_[size_t(index)].image);
}

void TImageList::GetIcon(int index, TIcon& icon) const {
  checkIndex(index);
  const Entry& entry = images_[size_t(index)];
  icon.SetFromImage(entry.image,
                    [&](int x, int y) { return entry.mask[size_t(y * width_ + x)] != 0; }, 32);
}

}  // namespace gui
