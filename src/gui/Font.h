// The canvas font: face name, height in Windows' sense (negative = character height
// in pixels, positive = cell height), styles and colour; converted to a QFont for drawing.
#pragma once

#include <QFont>

#include <string>

#include "gui/Colors.h"

namespace gui {

// Screen resolution the point sizes are reckoned in.
constexpr int kPixelsPerInch = 96;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
constexpr int DEFAULT_CHARSET = 1;

struct TFont {
  std::string Name = "Sans Serif";
  int Height = -11;  // 8 points
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;

  // Points: -Height * 72 / 96 for a character height, the other way for setting.
  int Size() const;
  void SetSize(int points);

  QFont ToQFont() const;
  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace gui
