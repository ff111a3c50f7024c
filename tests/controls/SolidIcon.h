// An icon of one colour, for tests of the controls that hold icons.
#pragma once

#include <QImage>

#include "gui/Icon.h"

inline gui::TIcon solidIcon(QRgb color, int size = 16) {
  QImage pixels(size, size, QImage::Format_ARGB32);
  pixels.fill(color);
  gui::TIcon icon;
  icon.SetFromImage(pixels, [](int, int) { return false; }, 32);
  return icon;
}
