// One frame of a GIF image: its shared encoded data, the extensions that preceded it, and its
// bitmap, decoded from the data on first use.
#pragma once

#include <memory>
#include <vector>

#include "controls/RxgifTypes.h"
#include "gui/Bitmap.h"
#include "gui/GdiTypes.h"

namespace rxgif {

class TGIFImage;
class TGIFReader;

using TExtensionList = std::vector<std::unique_ptr<TExtension>>;

class TGIFFrame {
public:
  explicit TGIFFrame(TGIFImage* owner);
  ~TGIFFrame();
  TGIFFrame(const TGIFFrame&) = delete;
  TGIFFrame& operator=(const TGIFFrame&) = delete;

  TGIFImage* Owner() const { return owner_; }
  // The bitmap, decoded from the frame's data when there is no non-empty one yet.
  gui::TBitmap& GetBitmap();
  bool HasBitmap() const { return bitmap_ != nullptr; }
  // Of the bitmap; 0 when there is neither a bitmap nor image data.
  int GetWidth();
  int GetHeight();
  // Entries of the frame's colour table, else of the bitmap's palette.
  int GetColorCount();
  void NewBitmap();
  // A new empty encoded image; position, colours and timing back to their defaults.
  void NewImage();

  // The image descriptor, local colour table and data sub-blocks at the reader's position; the
  // extensions pending before the image (moved to the frame) give timing and transparency.
  void LoadFromStream(TGIFReader& reader, TExtensionList pending);
  // A BMP file of the decoded frame, rewound.
  void SaveToBitmapStream(gui::TMemoryStream& stream);
  // The bitmap stretched into r; with `transparent` the pixels of the transparent colour are
  // left out.
  void Draw(gui::TCanvas& canvas, const gui::TRect& r, bool transparent);

  // The last comment extension (a new one appended with `create`), or nullptr.
  TExtension* FindComment(bool create);
  // The comment lines (none when the frame has no comment).
  std::vector<std::string> GetComment();
  void SetComment(const gui::TStrings& lines);

  // nullptr gives an empty frame. An image gives its current frame (frame 0 for index -1); any
  // other non-empty graphic a frame without data whose bitmap is a copy of the graphic.
  void Assign(const gui::TGraphic* source);
  void Assign(const TGIFFrame& source);
  // Another frame or image assigns from this frame; any other graphic takes the bitmap, a
  // bitmap also the transparent colour.
  void AssignTo(gui::TGraphic& dest);

  // Setters of the frame's attributes: a changed value is stored and the owner told; timing,
  // disposal or transparency make the owner's file version 89a. A new position grows the
  // owner's screen to take the frame.
  void SetAnimateInterval(uint16_t value);
  void SetDisposalMethod(TDisposalMethod value);
  void SetTransparentColor(gui::TColor value);
  void SetTopLeft(const gui::TPoint& value);
  // The frame in grey: its colour table when it has GIF data and a table, else its bitmap
  // converted to 8-bit grey levels (and, with `force`, encoded at once).
  void GrayscaleImage(bool force);

  // True when the frame has encoded GIF data.
  bool HasData() const { return image_->ImageData.Size() > 0; }
  // Encodes the bitmap into the frame's data; a bitmap that is not 1, 4 or 8 bits per pixel is
  // reduced to 8 bits first. No bitmap: EInvalidGraphicOperation.
  void EncodeRasterData();
  // Encodes a BMP file of 1, 4 or 8 bits per pixel into the frame's data, with its colour
  // table as the frame's (or as the owner's global table when the owner has none yet).
  void EncodeBitmapStream(const gui::TMemoryStream& bmp);
  // A graphic control extension for timing, transparency and disposal when the frame needs one,
  // kept up to date; comments without lines dropped.
  void UpdateExtensions();
  // The frame's extension blocks, image descriptor, local colour table and image data.
  void WriteExtensions(std::vector<uint8_t>& out) const;
  void WriteImageDescriptor(std::vector<uint8_t>& out) const;
  void WriteLocalColorMap(std::vector<uint8_t>& out) const;
  void WriteRasterData(std::vector<uint8_t>& out) const;

  const std::shared_ptr<TGIFItem>& Image() const { return image_; }
  const TExtensionList& Extensions() const { return extensions_; }
  gui::TPoint TopLeft() const { return topLeft_; }
  bool Interlaced() const { return interlaced_; }
  bool Corrupted() const { return corrupted_; }
  bool Grayscale() const { return grayscale_; }
  gui::TColor TransparentColor() const { return transparentColor_; }
  uint16_t AnimateInterval() const { return animateInterval_; }
  TDisposalMethod DisposalMethod() const { return disposal_; }
  bool LocalColorTable() const { return localColors_; }

private:
  friend class TGIFImage;

  // Assign without recomputing the owner's screen size.
  void copyFrom(const TGIFFrame& source);
  void readSubBlocks(TGIFReader& reader);
  void applyGraphicControl();
  void assignGraphic(const gui::TGraphic& source);
  // The frame's own copy of shared encoded data, before it is changed.
  void uniqueItem();
  // Whether a local table is written: the flag and a table to write.
  bool writesLocalTable() const { return localColors_ && image_->ColorMap.Count > 0; }

  TGIFImage* owner_;
  std::unique_ptr<gui::TBitmap> bitmap_;
  std::shared_ptr<TGIFItem> image_;
  TExtensionList extensions_;
  gui::TPoint topLeft_;
  bool interlaced_ = false;
  bool corrupted_ = false;
  bool grayscale_ = false;
  gui::TColor transparentColor_ = gui::clNone;
  uint16_t animateInterval_ = 0;
  TDisposalMethod disposal_ = dmUndefined;
  bool localColors_ = false;
};

}  // namespace rxgif
