// Shared pieces of the Rxctrls tests: a shown and active host window, glyph bitmaps made of
// coloured frames, mouse events and pixel reads.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/CanvasRaster.h"
#include "gui/Colors.h"
#include "support/qt/WidgetInput.h"

namespace rxtest {

// A top-level window for the controls under test. Activate shows it with the children made so
// far and makes it the active window, so that mouse tracking sees a foreground program.
class Host {
public:
  Host() { window.setGeometry(100, 100, 240, 160); }
  void Activate() {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
  }
  QWidget window;
};

// A glyph bitmap of frames side by side: frame i is a square of colours[i] inset by one pixel
// on a magenta background (the lower-left pixel, so the transparent colour).
inline gui::TBitmap makeGlyph(const std::vector<gui::TColor>& colours, int frameWidth,
                              int height) {
  QImage image(frameWidth * int(colours.size()), height, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  for (size_t i = 0; i < colours.size(); ++i) {
    for (int y = 1; y < height - 1; ++y) {
      for (int x = 1; x < frameWidth - 1; ++x) {
        image.setPixel(int(i) * frameWidth + x, y, 0xFF000000u | gui::ToPixel(colours[i]));
      }
    }
  }
  gui::TBitmap bitmap;
  bitmap.SetImage(image);
  return bitmap;
}

inline gui::TColor pixelAt(const QImage& image, int x, int y) {
  return gui::FromPixel(image.pixel(x, y) & 0xFFFFFF);
}

inline gui::TColor rgb(gui::TColor color) { return gui::ColorToRGB(color); }

inline void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at,
                      Qt::MouseButtons held = Qt::NoButton) {
  testing_support::SendMouse(w, type, button, at, held);
}

inline void press(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  sendMouse(w, QEvent::MouseButtonPress, button, at, button);
}
inline void move(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
  sendMouse(w, QEvent::MouseMove, Qt::NoButton, at, held);
}
inline void release(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  sendMouse(w, QEvent::MouseButtonRelease, button, at, Qt::NoButton);
}

// Where screenshots go: VYX_SCREENSHOT_DIR, or "screenshots" in the working folder.
std::string screenshotPath(const std::string& name);

}  // namespace rxtest
