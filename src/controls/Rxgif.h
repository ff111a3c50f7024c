// TGIFImage: the picture class of GIF files, version 87a and 89a, with any number of frames,
// each handed out as a TBitmap. It is registered with TPicture for ".gif" and for the clipboard
// format "GIF Image". Reading tolerates damaged data (GIFLoadCorrupted) and never reads outside
// the bytes it is given; a frame of more pixels than a bitmap may hold (gui::kMaxBitmapPixels) is
// refused with EInvalidGraphic "Invalid image size".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/RxgifFrame.h"
#include "controls/RxgifTypes.h"
#include "gui/Graphic.h"

namespace anifile {
class TAnimatedCursorImage;
}

namespace rxgif {

// Damaged data (cut sub-blocks, a bad minimum code size, codes beyond the table) is tolerated:
// the frame is marked corrupted and shows what was decoded.
extern bool& GIFLoadCorrupted;
// The clipboard format "GIF Image": a 4-byte length, then the GIF file.
extern unsigned CF_GIF;

// The clipboard as a picture reads it: the bytes held in a format (a bitmap as a BMP file);
// false when the clipboard holds nothing in that format.
using TClipboardReader = std::function<bool(unsigned format, std::vector<uint8_t>& data)>;
// The clipboard as a picture writes to it: bytes under a format; false when it refuses them.
using TClipboardWriter =
    std::function<bool(unsigned format, const std::vector<uint8_t>& data)>;
// What a picture hands over for the clipboard: a format, its bytes and a palette (none when
// empty), as the clipboard's own formats hold them.
struct TClipboardData {
  unsigned Format = 0;
  std::vector<uint8_t> Data;
  std::vector<uint8_t> Palette;
};

class TGIFImage : public gui::TGraphic {
public:
  TGIFImage();
  ~TGIFImage() override;

  const char* ClassName() const override { return "TGIFImage"; }
  // The current frame stretched into r; nothing while the frame index is -1.
  void Draw(gui::TCanvas& canvas, const gui::TRect& r) const override;
  bool Empty() const override;
  // Of the current frame's bitmap; 0 when empty or without a current frame.
  int Width() const override;
  int Height() const override;
  // The size of a GIF cannot be set: EInvalidGraphicOperation.
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  // The Transparent flag and a frame with a transparent colour.
  bool Transparent() const override;

  // The rest of the stream is a GIF file; its first frame is decoded at once.
  void LoadFromStream(gui::TStream& stream) override;
  // Layout data: a 4-byte little-endian length, then the GIF file.
  void ReadData(gui::TStream& stream) override;
  // The GIF file (WriteStream without, and with, the length first). Writing encodes the
  // frames that have no GIF data yet and brings the version, the screen size and the frames'
  // extensions up to date.
  void SaveToStream(gui::TStream& stream) const override;
  void WriteData(gui::TStream& stream) const override;
  // The whole image as a GIF file, with a 4-byte little-endian length first when `writeSize`.
  // An image without frames raises EInvalidGraphicOperation.
  void WriteStream(gui::TStream& stream, bool writeSize);
  // `size` bytes of the stream as a GIF file; with `decodeFirst` frame 0 is decoded at once.
  void ReadStream(int64_t size, gui::TStream& stream, bool decodeFirst);
  // The "GIF Image" data when the clipboard has it (then also its bitmap as frame 0's), else a
  // bitmap in `format`.
  void LoadFromClipboardFormat(unsigned format, const TClipboardReader& clipboard);
  // Frame 0's bitmap as the clipboard takes a bitmap (into `data`); when every frame has GIF
  // data, also the image with its length first under CF_GIF through `clipboard`. Nothing
  // without frames.
  void SaveToClipboardFormat(TClipboardData& data, const TClipboardWriter& clipboard);

  void Assign(const gui::TGraphic* source) override;
  void Assign(const TGIFFrame& source);
  // One frame per cursor frame, shown for its display time, on the window colour.
  void Assign(const anifile::TAnimatedCursorImage& source);
  bool AssignTo(gui::TGraphic& dest) const override;
  // True for an image sharing this one's data.
  bool Equals(const gui::TGraphic& other) const override;

  void Clear() { Assign(static_cast<const gui::TGraphic*>(nullptr)); }
  void ClearItems() { frames_.clear(); }
  void NewImage();
  // Appends a frame assigned from the graphic and makes it current; returns its index.
  int AddFrame(const gui::TGraphic* graphic);
  // Decodes every frame; an abort deletes the frames from the aborted one on.
  void DecodeAllFrames();
  void UpdateScreenSize();
  // Encodes every frame without GIF data from its bitmap; with `force` a frame whose bitmap has
  // no palette is decoded again from the new data. Then the frames' extensions are updated.
  void EncodeFrames(bool force);
  void EncodeAllFrames() { EncodeFrames(true); }
  // Index errors raise EListError.
  void DeleteFrame(int index);
  void MoveFrame(int curIndex, int newIndex);
  // Makes the shared image data this image's own.
  void UniqueImage();
  void SetComment(const gui::TStrings& lines);
  // The format the image's colour tables (or unencoded bitmaps) need.
  gui::TPixelFormat GetPixelFormat();
  // Every frame, the colour tables and the background in grey; with `force` frames that had to
  // be converted from their bitmaps are encoded at once. No frames: EInvalidGraphicOperation.
  void Grayscale(bool force);

  int GetCount() const { return int(frames_.size()); }
  // EListError "List index out of bounds" for a bad index.
  TGIFFrame& GetFrame(int index) const;
  int FrameIndex() const { return frameIndex_; }
  void SetFrameIndex(int value);
  // The current frame's bitmap (frame 0's when the index is out of range); an image without
  // frames first takes an empty frame.
  gui::TBitmap& GetBitmap();

  TGIFVersion Version() const { return version_; }
  int ScreenWidth() const { return frames_.empty() ? 0 : screenWidth_; }
  int ScreenHeight() const { return frames_.empty() ? 0 : screenHeight_; }
  gui::TColor TransparentColor() const;
  bool Corrupted() const;
  gui::TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(gui::TColor value);
  bool Looping() const { return looping_; }
  void SetLooping(bool value);
  uint16_t RepeatCount() const { return repeatCount_; }
  void SetRepeatCount(int value);
  int GlobalColorCount() const { return data_->ColorMap.Count; }
  const gui::TStrings& Comment() const { return data_->Comment; }
  const TGIFData& Data() const { return *data_; }

  TProgressProc OnProgress;
  void DoProgress(TProgressStage stage, uint8_t percent, const std::string& message);

private:
  friend class TGIFFrame;

  uint8_t readExtensions(TGIFReader& reader, uint8_t introducer, TExtensionList& pending);
  void readApplication(const TExtension& extension);
  void readFrames(TGIFReader& reader);
  void keepComments(TExtensionList& pending);
  void writeScreen(std::vector<uint8_t>& out);
  void writeLoop(std::vector<uint8_t>& out) const;
  void setVersion89a() { version_ = gv89a; }
  void growScreen(int width, int height);
  const TGIFFrame* currentFrame() const;

  std::shared_ptr<TGIFData> data_;
  TGIFVersion version_ = gvUnknown;
  std::vector<std::unique_ptr<TGIFFrame>> frames_;
  int frameIndex_ = -1;
  uint16_t screenWidth_ = 0;
  uint16_t screenHeight_ = 0;
  gui::TColor backgroundColor_ = gui::clNone;
  bool looping_ = false;
  bool corrupted_ = false;
  uint16_t repeatCount_ = 1;
};

// "87a", "89a", or empty for gvUnknown.
std::string GIFVersionName(TGIFVersion version);

// Calling it links this unit, and with it the registration of ".gif" and "GIF Image", into a
// program that otherwise reaches GIF pictures only through TPicture.
void rxgif_dummy();

}  // namespace rxgif
