#include "settings/SkinReader.h"

#include <QIcon>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "controls/RxSpeedButton.h"
#include "controls/Rxgif.h"
#include "controls/Rxslider.h"
#include "core/ProfileValues.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/Image.h"
#include "platform/Profile.h"
#include "settings/SkinLoader.h"
#include "settings/SkinPaths.h"

namespace skin {

namespace {

// X11 takes window coordinates and sizes as 16-bit numbers; a control past them could not be
// placed anyway, and Qt's rectangles would overflow near the integer limits.
constexpr int kCoordinateLimit = 32767;
// Text taller than this many pixels is no panel text; it would only make the painting slow.
constexpr int kFontPixelLimit = 1000;

int coordinate(int value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }
int extent(int value) { return std::clamp(value, 0, kCoordinateLimit); }

// Every failure of a load (missing file, unreadable data, a picture that cannot be assigned) is
// swallowed: the skin's other keys still apply.
// A picture is read from a plain file only: a key left out names the skin folder itself, and a
// folder opened as a file claims a size no picture can have.
template <typename Load>
void guarded(const std::string& path, Load&& load) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  try {
    load();
  } catch (...) {
  }
}

}  // namespace

Reader::Reader(std::string folder, std::string ini)
    : folder_(std::move(folder)), ini_(std::move(ini)) {}

std::string Reader::Text(const char* section, const char* key, const char* def) const {
  return platform::GetProfileString(ini_, section, key, def);
}

int Reader::Integer(const char* section, const char* key, const char* def) const {
  return profile_values::ParseDecimal(Text(section, key, def));
}

bool Reader::Boolean(const char* section, const char* key, const char* def) const {
  return Integer(section, key, def) != 0;
}

gui::TColor Reader::Color(const char* section, const char* key, const char* def) const {
  return ParseSkinColor(Text(section, key, def));
}

std::optional<int> Reader::Ordinal(const char* section, const char* key, int count,
                                   const char* def) const {
  const int value = Integer(section, key, def);
  if (value < 0 || value >= count) return std::nullopt;
  return value;
}

std::string Reader::ImagePath(const char* section, const char* key) const {
  return FindAnyCase(folder_, Text(section, key));
}

void Reader::Position(const char* section, QWidget* target,
                      const PositionDefaults& defaults) const {
  const int top = coordinate(Integer(section, "Top", defaults.top));
  const int left = coordinate(Integer(section, "Left", defaults.left));
  const int width = extent(Integer(section, "Width", defaults.width));
  const int height = extent(Integer(section, "Height", defaults.height));
  if (auto* control = dynamic_cast<gui::TControl*>(target))
    control->SetBounds(left, top, width, height);
  else
    target->setGeometry(left, top, width, height);
}

gui::TFont Reader::Font(const char* section, gui::TFont font,
                        const FontDefaults& defaults) const {
  font.Color = Color(section, "FontColor", defaults.color);
  font.Height = std::clamp(Integer(section, "FontHeight", defaults.height), -kFontPixelLimit,
                           kFontPixelLimit);
  font.Name = Text(section, "FontName", defaults.name);
  const int pointLimit = kFontPixelLimit * 72 / gui::kPixelsPerInch;
  font.SetSize(std::clamp(Integer(section, "FontSize", defaults.size), -pointLimit, pointLimit));
  return font;
}

void Reader::Picture(const char* section, gui::TImage* target, bool gifByName) const {
  target->Picture().SetGraphic(nullptr);
  const std::string path = ImagePath(section, "Image");
  guarded(path, [&] {
    if (gifByName && IsGifFile(path)) {
      rxgif::TGIFImage gif;
      gif.LoadFromFile(path);
      target->Picture().SetGraphic(&gif);
    } else {
      target->Picture().LoadFromFile(path);
    }
  });
}

void Reader::Glyph(const char* section, rxctrls::TRxSpeedButton* target) const {
  gui::TBitmap glyph;
  const std::string path = ImagePath(section, "Image");
  guarded(path, [&] { glyph.LoadFromFile(path); });
  target->SetGlyph(glyph);
}

// A tool button shows the glyph with its transparent colour (the lower-left pixel) see-through.
void Reader::Glyph(const char* section, QToolButton* target) const {
  gui::TBitmap glyph;
  const std::string path = ImagePath(section, "Image");
  guarded(path, [&] { glyph.LoadFromFile(path); });
  if (glyph.Empty()) {
    target->setIcon(QIcon());
    return;
  }
  QPixmap pixmap = QPixmap::fromImage(glyph.Image());
  const QColor transparent = gui::ToQColor(glyph.TransparentColor());
  pixmap.setMask(QPixmap::fromImage(glyph.Image()).createMaskFromColor(transparent));
  target->setIcon(QIcon(pixmap));
  target->setIconSize(pixmap.size());
}

void Reader::SliderImages(const char* section, rxslider::TRxSlider* target,
                          gui::TImage* buffer) const {
  using namespace rxslider;
  const std::pair<const char*, TSliderImage> keys[] = {{"ImageHRuler", siHRuler},
                                                       {"ImageVRuler", siVRuler},
                                                       {"ImageHThumb", siHThumb},
                                                       {"ImageVThumb", siVThumb}};
  for (const auto& [key, slot] : keys) {
    const TSliderImage index = slot;
    const std::string path = ImagePath(section, key);
    guarded(path, [&] {
      buffer->Picture().LoadFromFile(path);
      target->SetImage(index, &buffer->Picture().Bitmap());
    });
  }
}

}  // namespace skin
