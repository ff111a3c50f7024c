// What a window puts on the (offscreen) screen, and a frame stretched as QPainter stretches it,
// for the capture window's tests.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace capture_test {

// The window's pixels in its backing store, after the pending paints have run.
inline QImage onScreen(QWidget& window) {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(
      QImage::Format_RGB32);
}

inline QImage stretchedByQPainter(const QImage& frame, QSize size) {
  QImage out(size, QImage::Format_RGB32);
  QPainter(&out).drawImage(QRect(QPoint(0, 0), size), frame);
  return out;
}

}  // namespace capture_test
