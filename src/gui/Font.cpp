#include "gui/Font.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "gui/Cp1251.h"
#include "gui/GdiTypes.h"

namespace gui {

namespace {

constexpr int kDefaultPixelSize = 11;

QFont baseFont(const TFont& font) {
  QFont q(FromCp1251(font.Name));
  q.setBold(font.Style & fsBold);
  q.setItalic(font.Style & fsItalic);
  q.setUnderline(font.Style & fsUnderline);
  q.setStrikeOut(font.Style & fsStrikeOut);
  if (font.Pitch == fpFixed) q.setFixedPitch(true);
  return q;
}

}  // namespace

int TFont::Size() const { return -MulDiv(Height, 72, kPixelsPerInch); }

void TFont::SetSize(int points) { Height = -MulDiv(points, kPixelsPerInch, 72); }

QFont TFont::ToQFont() const {
  QFont q = baseFont(*this);
  if (Height < 0) {
    q.setPixelSize(-Height);
  } else if (Height > 0) {
    // A positive height is the whole cell (ascent + descent): scale from a reference size.
    constexpr int kReference = 100;
    q.setPixelSize(kReference);
    int cell = QFontMetrics(q).height();
    q.setPixelSize(std::max(1, int(std::lround(double(Height) * kReference / std::max(cell, 1)))));
  } else {
    q.setPixelSize(kDefaultPixelSize);
  }
  return q;
}

}  // namespace gui
