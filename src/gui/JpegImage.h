// TJPEGImage: the picture class of JPEG files (".jpg", ".jpeg"), read through libjpeg into a
// bitmap. The program only shows such pictures (skins): saving writes the decoded bitmap.
#pragma once

#include <memory>

#include "gui/Bitmap.h"
#include "gui/Graphic.h"

namespace gui {

class TJPEGImage : public TGraphic {
public:
  TJPEGImage() = default;

  const char* ClassName() const override { return "TJPEGImage"; }
  void Draw(TCanvas& canvas, const TRect& r) const override { bitmap_.Draw(canvas, r); }
  bool Empty() const override { return bitmap_.Empty(); }
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // The JPEG data from the stream's position to its end. Damaged data, a picture of more pixels
  // than a bitmap may hold or a colour model other than grey, RGB or YCbCr raise EInvalidGraphic
  // "JPEG error #<n>" (the library's message number; 0 for the size and colour checks).
  void LoadFromStream(TStream& stream) override;
  // Writes the picture as a BMP file: this class reads JPEG only.
  void SaveToStream(TStream& stream) const override { bitmap_.SaveToStream(stream); }

  void Assign(const TGraphic* source) override;
  // A bitmap takes the decoded pixels.
  bool AssignTo(TGraphic& dest) const override;
  const TBitmap& Bitmap() const { return bitmap_; }

private:
  TBitmap bitmap_;
};

// Registers ".jpg" and ".jpeg" with TPicture (once; later calls do nothing).
void RegisterJpegImage();

}  // namespace gui
