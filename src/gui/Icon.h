// TIcon: an icon file (ICO) of one or more images, each a colour DIB of 1, 4, 8, 24 or 32 bits
// with a 1-bit AND mask (or a PNG image). The image nearest 32 x 32 is the one drawn and
// measured; all images are written back when saved.
#pragma once

#include <QImage>

#include <functional>
#include <vector>

#include "gui/Graphic.h"

namespace gui {

struct IconImage {
  QImage color;  // Format_ARGB32; alpha is 255 except where a 32-bit image gives its own
  std::vector<uint8_t> mask;  // one byte per pixel, row by row: 1 where the AND mask is set
  int bits = 32;
  std::vector<QRgb> palette;  // the colour table of 1, 4 and 8-bit images, the masks of 5-6-5
  bool hasAlpha = false;      // a 32-bit image whose alpha channel is used for drawing
  bool png = false;

  bool masked(int x, int y) const { return mask[size_t(y) * size_t(color.width()) + size_t(x)]; }
};

class TIcon : public TGraphic {
public:
  TIcon() = default;
  TIcon(const TIcon& other) : TGraphic() { Assign(&other); }

  const char* ClassName() const override { return "TIcon"; }
  // Drawn in its own size at the rectangle's top left: AND mask and XOR colours, or alpha
  // blending for 32-bit images with alpha.
  void Draw(TCanvas& canvas, const TRect& r) const override;
  bool Empty() const override { return images_.empty(); }
  int Width() const override;
  int Height() const override;
  // Icons cannot be resized: EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  bool Transparent() const override { return true; }

  void Assign(const TGraphic* source) override;
  // Raises EInvalidGraphic "Icon image is not valid" for damaged data.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  void LoadFromBytes(const uint8_t* data, size_t size);
  std::vector<uint8_t> SaveToBytes() const;

  const std::vector<IconImage>& Images() const { return images_; }
  int CurrentIndex() const { return current_; }
  // Makes a one-image icon from pixels and a transparency test, stored at `bits` (4, 8 or 32).
  void SetFromImage(const QImage& pixels, const std::function<bool(int, int)>& transparent,
                    int bits);

private:
  void chooseCurrent();

  std::vector<IconImage> images_;
  int current_ = -1;
};

}  // namespace gui
