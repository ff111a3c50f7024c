// Reads one skin.ini value at a time, converts it by its kind and applies it to a panel control:
// positions, fonts, pictures, glyphs and slider bitmaps. Numbers follow the integer rule and
// saturate; an ordinal outside its enumeration is ignored; a picture that does not load leaves
// its target empty and loading goes on.
#pragma once

#include <optional>
#include <string>

#include "gui/Colors.h"
#include "gui/Font.h"

class QToolButton;
class QWidget;

namespace gui {
class TBitmap;
class TImage;
}  // namespace gui
namespace rxctrls {
class TRxSpeedButton;
}
namespace rxslider {
class TRxSlider;
}

namespace skin {

// The font keys' defaults: FontColor, FontHeight, FontName, FontSize.
struct FontDefaults {
  const char* color;
  const char* height;
  const char* name;
  const char* size;
};

// The defaults of the labels and the frequency field.
inline constexpr FontDefaults kTextFont{"0", "0", "Arial", "0"};

// The position keys' defaults: Top, Left, Width, Height.
struct PositionDefaults {
  const char* top;
  const char* left;
  const char* width;
  const char* height;
};

inline constexpr PositionDefaults kNoPosition{"", "", "", ""};
inline constexpr PositionDefaults kZeroPosition{"0", "0", "0", "0"};

class Reader {
public:
  // `folder`: the skin folder with a trailing '/'; `ini`: its skin.ini.
  Reader(std::string folder, std::string ini);

  std::string Text(const char* section, const char* key, const char* def = "") const;
  int Integer(const char* section, const char* key, const char* def = "") const;
  bool Boolean(const char* section, const char* key, const char* def = "") const;
  gui::TColor Color(const char* section, const char* key, const char* def = "") const;
  // The value when it is a position in an enumeration of `count` members; none otherwise.
  std::optional<int> Ordinal(const char* section, const char* key, int count,
                             const char* def = "") const;
  // The skin folder followed by the value, looked up in any letter case.
  std::string ImagePath(const char* section, const char* key) const;

  // "Top", "Left", "Width", "Height", applied in that order.
  void Position(const char* section, QWidget* target,
                const PositionDefaults& defaults = kNoPosition) const;
  // "FontColor", "FontHeight", "FontName", "FontSize" applied to `font` in that order.
  gui::TFont Font(const char* section, gui::TFont font, const FontDefaults& defaults) const;

  // "Image" into a picture, which is emptied first. With `gifByName` a ".gif" file is read as a
  // GIF picture whatever the registered readers are.
  void Picture(const char* section, gui::TImage* target, bool gifByName = false) const;
  // "Image" as the button's glyph (a bitmap file), released first.
  void Glyph(const char* section, rxctrls::TRxSpeedButton* target) const;
  void Glyph(const char* section, QToolButton* target) const;
  // "ImageHRuler", "ImageVRuler", "ImageHThumb", "ImageVThumb" through the loading buffer
  // `buffer`: an image replaces the slider's only when it loads.
  void SliderImages(const char* section, rxslider::TRxSlider* target,
                    gui::TImage* buffer) const;

private:
  std::string folder_;
  std::string ini_;
};

}  // namespace skin
