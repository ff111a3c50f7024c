// Test helpers for the drawing utilities: bitmaps written as rows of colour letters, and read
// back the same way, so that expected pictures read like the pictures themselves.
#pragma once

#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Colors.h"

namespace vclutils_test {

using Rows = std::vector<std::string>;

// K black, W white, R red, G lime, B blue, Y yellow, S silver, D grey, C aqua, M fuchsia.
inline gui::TColor ColorOf(char letter) {
  switch (letter) {
    case 'K': return gui::clBlack;
    case 'W': return gui::clWhite;
    case 'R': return gui::clRed;
    case 'G': return gui::clLime;
    case 'B': return gui::clBlue;
    case 'Y': return gui::clYellow;
    case 'S': return gui::clSilver;
    case 'D': return gui::clGray;
    case 'C': return gui::clAqua;
    case 'M': return gui::clFuchsia;
    default: return gui::TColor(0x123456);
  }
}

inline char LetterOf(gui::TColor color) {
  for (char letter : std::string("KWRGBYSDCM")) {
    if (ColorOf(letter) == color) return letter;
  }
  return '?';
}

// The bitmap becomes the picture (colour, device format).
inline void Paint(gui::TBitmap& bitmap, const Rows& rows) {
  bitmap.SetSize(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      bitmap.Canvas().SetPixel(int(x), int(y), ColorOf(rows[y][x]));
    }
  }
}

inline void Fill(gui::TBitmap& bitmap, int width, int height, char letter) {
  Paint(bitmap, Rows(size_t(height), std::string(size_t(width), letter)));
}

// The pixels as they are, whatever clip or origin the bitmap's canvas has.
inline Rows Picture(const gui::TBitmap& bitmap) {
  Rows rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x) {
      QRgb pixel = bitmap.Image().pixel(x, y);
      row += LetterOf(gui::RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)));
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace vclutils_test
