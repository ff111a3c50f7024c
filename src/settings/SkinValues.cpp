// The value rules of skin.ini: colours and the GIF test.
#include <algorithm>
#include <string>

#include "core/ProfileValues.h"
#include "settings/SkinLoader.h"

namespace {

bool isX(char c) { return c == 'x' || c == 'X'; }

// A number written 0xRRGGBB as the TColor 0x00BBGGRR: red and blue trade places.
gui::TColor swapRedBlue(uint32_t rgb) {
  const uint32_t red = (rgb >> 16) & 0xFF, blue = rgb & 0xFF;
  return gui::TColor((rgb & 0xFF00FF00u) | (blue << 16) | red);
}

}  // namespace

// "0xRRGGBB": the text's characters 2-3 and 6-7 trade places and the result is read as a
// hexadecimal number, which is exact for every text of eight characters or more. A shorter text
// has fewer than six digits: its number is taken as 0xRRGGBB with the missing digits leading.
gui::TColor ParseSkinColor(std::string_view text) {
  if (text.size() >= 2 && isX(text[1])) {
    if (text.size() < 8) return swapRedBlue(profile_values::ParseHex(text));
    std::string swapped(text);
    std::swap(swapped[2], swapped[6]);
    std::swap(swapped[3], swapped[7]);
    return gui::TColor(profile_values::ParseHex(swapped));
  }
  return profile_values::ParseDecimal(text);
}

bool IsGifFile(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return false;
  return profile_values::UpperCase(path.substr(dot + 1)) == "GIF";
}

bool NoSkin(const std::string& skin) { return skin.empty() || skin == "none" || skin == "NONE"; }
