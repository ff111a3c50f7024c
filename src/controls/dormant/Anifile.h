// Anifile: animated cursor files (the RIFF "ACON" format) read into a list of frames, each with
// an icon, and handed on as an icon, a strip bitmap or an icon list. Writing is not supported.
// Part of the control library that nothing in the program creates; a GIF image can be made
// from one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/BmpCodec.h"
#include "gui/Icon.h"
#include "gui/Streams.h"

namespace icolist {
class TIconList;
}

namespace anifile {

// The "anih" record: the header of an animated cursor (32-bit fields).
struct TANIHeader {
  uint32_t cbSizeof = 0;
  uint32_t cFrames = 0;  // images
  uint32_t cSteps = 0;   // steps of the animation
  uint32_t cx = 0, cy = 0;
  uint32_t cBitCount = 0;
  uint32_t cPlanes = 0;
  uint32_t jifRate = 0;  // default display time of a step, in 1/60 s
  uint32_t flags = 0;
};
inline constexpr uint32_t AF_ICON = 1;      // the images are icon resources
inline constexpr uint32_t AF_SEQUENCE = 2;  // a "seq " chunk orders the steps

// The id and size of a RIFF chunk.
struct TAniTag {
  char ckID[4] = {0, 0, 0, 0};
  uint32_t ckSize = 0;
};

// The longest title or creator kept.
inline constexpr size_t kMaxAniName = 255;

class TIconFrame {
public:
  TIconFrame(int index, int jiffies) : index_(index), jiffies_(jiffies) {}
  TIconFrame(const TIconFrame&) = delete;
  TIconFrame& operator=(const TIconFrame&) = delete;

  // Copies the icon (into an icon of this frame's own) and every other field.
  void Assign(const TIconFrame& source);

  // Null until an image is read for the frame. Frames read from one image share its icon.
  const gui::TIcon* Icon() const { return icon_.get(); }
  // The image was an icon, not a cursor.
  bool IsIcon() const { return isIcon_; }
  const TAniTag& Tag() const { return tag_; }
  gui::TPoint HotSpot() const { return hotSpot_; }
  // Display time in 1/60 s.
  int Jiffies() const { return jiffies_; }
  // The number of the image the frame shows; -1 for an image that no step announced.
  int Index() const { return index_; }

private:
  friend class TAnimatedCursorImage;
  friend class AniReader;

  std::shared_ptr<const gui::TIcon> icon_;
  bool isIcon_ = false;
  TAniTag tag_;
  gui::TPoint hotSpot_;
  int index_;
  int jiffies_;
};

class TAnimatedCursorImage {
public:
  TAnimatedCursorImage() = default;
  virtual ~TAnimatedCursorImage() = default;
  TAnimatedCursorImage(const TAnimatedCursorImage&) = delete;
  TAnimatedCursorImage& operator=(const TAnimatedCursorImage&) = delete;

  // No frames; title, creator and header empty.
  void NewImage();
  void Clear() { NewImage(); }

  const std::string& GetTitle() const { return title_; }
  const std::string& GetCreator() const { return creator_; }
  const TANIHeader& Header() const { return header_; }
  // The most colours of any image read (0 for true colour).
  uint16_t ImageColorCount() const { return imageColorCount_; }
  int GetIconCount() const { return int(frames_.size()); }
  // Index errors raise EListError.
  const gui::TIcon* GetIcon(int index) const { return GetFrame(index).Icon(); }
  const TIconFrame& GetFrame(int index) const;
  // The header's display rate in milliseconds.
  int GetDefaultRate() const;

  // The rest of the stream is an animated cursor file.
  virtual void LoadFromStream(gui::TStream& stream);
  // Writing is not supported: NotImplemented.
  virtual void SaveToStream(gui::TStream& stream) const;
  // Raises EFOpenError when the file cannot be opened.
  virtual void LoadFromFile(const std::string& fileName);
  // `size` bytes of the stream as an animated cursor file. A short stream or a damaged file
  // raises EReadError "Stream read error" (a damaged image EInvalidGraphic) and leaves the
  // image as it was.
  void ReadStream(int64_t size, gui::TStream& stream);
  void WriteStream(gui::TStream& stream) const;

  // The first icon at the rectangle's top-left corner, in its real size.
  void Draw(gui::TCanvas& canvas, const gui::TRect& rect) const;

  // Null clears; another cursor image is copied, its frames showing the header's rate. Any
  // other source cannot be assigned.
  void Assign(const TAnimatedCursorImage* source);
  // An icon takes the first frame's icon (none without frames); a bitmap the strip of all
  // frames on its canvas's brush colour, with colours reduced. Any other graphic raises
  // EConvertError "Cannot assign a TAnimatedCursorImage to a %s".
  void AssignTo(gui::TGraphic& dest) const;
  // The list takes a copy of every frame's icon, in order (one change).
  void AssignTo(icolist::TIconList& dest) const;
  // All frames' icons side by side (or one under the other) on the background colour, with
  // colours reduced to the images' own (at least 16) when asked. Without frames the bitmap
  // is emptied. A strip of more than kMaxStripPixels raises EInvalidGraphic.
  void AssignToBitmap(gui::TBitmap& bitmap, gui::TColor background, bool reduceColors,
                      bool vertical) const;

  // The bitmap layer's own limit: a larger strip could not be held as one bitmap.
  static constexpr int64_t kMaxStripPixels = gui::kMaxBitmapPixels;

private:
  friend class AniReader;

  TANIHeader header_;
  std::string title_;
  std::string creator_;
  std::vector<std::unique_ptr<TIconFrame>> frames_;
  uint16_t imageColorCount_ = 0;
};

}  // namespace anifile
