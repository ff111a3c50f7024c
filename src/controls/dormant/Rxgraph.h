// Rxgraph: bitmaps as BMP files in memory at a chosen pixel format, with true-colour pictures
// reduced to 256 colours or fewer by one of six mapping methods (a median-cut quantizer and a
// histogram method among them); small picture functions (zoom to fit, tiling) and the gradient
// description TRxGradient. Part of the control library that nothing in the program calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/VclutilsBitmaps.h"
#include "gui/Bitmap.h"
#include "gui/Streams.h"

namespace rxgraph {

using gui::TPixelFormat;

enum TMappingMethod { mmHistogram, mmQuantize, mmTrunc784, mmTrunc666, mmTripel, mmGrayscale };

// The method BitmapToMemory uses (state of the control library, see ControlsState.h).
extern TMappingMethod& DefaultMappingMethod;

// Levels of a colour channel cut to 4, 6, 7 or 8 steps.
inline constexpr std::array<uint8_t, 4> kScale04 = {0, 85, 170, 255};
inline constexpr std::array<uint8_t, 6> kScale06 = {0, 51, 102, 153, 204, 255};
inline constexpr std::array<uint8_t, 7> kScale07 = {0, 43, 85, 128, 170, 213, 255};
inline constexpr std::array<uint8_t, 8> kScale08 = {0, 36, 73, 109, 146, 182, 219, 255};

// For every 8-bit value the index of the nearest level (the lower one on a tie).
template <size_t N>
constexpr std::array<uint8_t, 256> NearestLevels(const std::array<uint8_t, N>& levels) {
  std::array<uint8_t, 256> table{};
  for (int v = 0; v < 256; ++v) {
    size_t best = 0;
    for (size_t i = 1; i < N; ++i) {
      int d = levels[i] - v, bestD = levels[best] - v;
      if ((d < 0 ? -d : d) < (bestD < 0 ? -bestD : bestD)) best = i;
    }
    table[size_t(v)] = uint8_t(best);
  }
  return table;
}
inline constexpr std::array<uint8_t, 256> Scale04Index = NearestLevels(kScale04);
inline constexpr std::array<uint8_t, 256> Scale06Index = NearestLevels(kScale06);
inline constexpr std::array<uint8_t, 256> Scale07Index = NearestLevels(kScale07);
inline constexpr std::array<uint8_t, 256> Scale08Index = NearestLevels(kScale08);

// A BMP file of the bitmap at 1, 4, 8 or 24 bits per pixel, rewound. A bitmap already in the
// format comes back as it saves itself (unless greyed). 1 and 4 bits take the bitmap's own
// colour table when it fits, else the standard one; 8 bits map the colours with the method;
// 24 bits hold the plain pixels (grey ones with mmGrayscale). An empty bitmap raises
// EInvalidGraphic "Bitmap image is not valid"; any other format EInvalidGraphic "Invalid pixel
// format".
std::unique_ptr<gui::TMemoryStream> BitmapToMemoryStream(const gui::TBitmap& bitmap,
                                                         TPixelFormat format,
                                                         TMappingMethod method);
// 1 bit for up to 2 colours, 4 up to 16, 8 up to 256, else 24, with DefaultMappingMethod.
std::unique_ptr<gui::TMemoryStream> BitmapToMemory(const gui::TBitmap& bitmap, int colors);
// BitmapToMemory (2 colours for a monochrome bitmap) written to the file.
void SaveBitmapToFile(const std::string& fileName, const gui::TBitmap& bitmap, int colors);
// A non-empty bitmap of another format loads itself from BitmapToMemoryStream.
void SetBitmapPixelFormat(gui::TBitmap& bitmap, TPixelFormat format, TMappingMethod method);
// The bitmap as 8-bit grey levels, whatever its format.
void GrayscaleBitmap(gui::TBitmap& bitmap);

TPixelFormat GetBitmapPixelFormat(const gui::TBitmap& bitmap);
// 1 bit for a table of 1 or 2 entries, 4 up to 16, 8 up to 256; else the device format.
TPixelFormat GetPaletteBitmapFormat(const gui::TBitmap& bitmap);
// The screen's depth as 1, 4, 8 or 24 bits, else the device format.
TPixelFormat ScreenPixelFormat();
// 2, 16 or 256 for a 1, 4 or 8-bit screen; 0 otherwise.
int ScreenColorCount();

// The size an image takes in a box: (0, 0) for any argument below 1; the box itself without
// stretch; with stretch the image scaled by 0.98 to fit the box with its proportions kept.
gui::TPoint ZoomImage(int ImageW, int ImageH, int MaxW, int MaxH, bool Stretch);
// The graphic repeated over the rectangle from its top-left corner, clipped to it.
void TileImage(gui::TCanvas& Canvas, const gui::TRect& Rect, const gui::TGraphic& Image);

// A gradient: colours, direction and number of steps, drawn with GradientFillRect.
class TRxGradient {
public:
  TRxGradient() = default;
  virtual ~TRxGradient() = default;
  TRxGradient(const TRxGradient&) = delete;
  TRxGradient& operator=(const TRxGradient&) = delete;

  vclutils::TFillDirection Direction() const { return direction_; }
  void SetDirection(vclutils::TFillDirection value);
  gui::TColor EndColor() const { return endColor_; }
  void SetEndColor(gui::TColor value);
  gui::TColor StartColor() const { return startColor_; }
  void SetStartColor(gui::TColor value);
  uint8_t StepCount() const { return stepCount_; }
  void SetStepCount(uint8_t value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Copies the five properties from another gradient and signals the change.
  void Assign(const TRxGradient& source);
  void Draw(gui::TCanvas& Canvas, const gui::TRect& Rect) const;

  std::function<void(TRxGradient*)> OnChange;

protected:
  virtual void Changed();

private:
  template <typename T>
  void set(T& field, T value);

  vclutils::TFillDirection direction_ = vclutils::fdTopToBottom;
  gui::TColor endColor_ = gui::TColor(0x808080);
  gui::TColor startColor_ = gui::TColor(0xC0C0C0);
  uint8_t stepCount_ = 64;
  bool visible_ = false;
};

}  // namespace rxgraph
