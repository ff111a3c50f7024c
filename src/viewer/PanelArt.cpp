#include "viewer/PanelArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace panelart {

namespace {

// The colour that reads as transparent: it fills the corners, lower-left pixel included.
const QColor kKey(255, 0, 255);
const QColor kFace(58, 66, 82);
const QColor kLight(120, 134, 160);
const QColor kDark(24, 28, 36);
const QColor kInk(200, 214, 235);
const QColor kAccent(0, 200, 220);

QImage keyed(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kKey);
  return image;
}

void bevel(QPainter& p, const QRect& r, bool raised) {
  p.setPen(raised ? kLight : kDark);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(raised ? kDark : kLight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

void triangle(QPainter& p, const QRectF& r, Arrow arrow, const QColor& color) {
  QPainterPath path;
  if (arrow == Arrow::Up) {
    path.moveTo(r.center().x(), r.top());
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
  } else {
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.center().x(), r.bottom());
  }
  path.closeSubpath();
  p.fillPath(path, color);
}

}  // namespace

QImage Background(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, kFace.lighter(115));
  g.setColorAt(1, kFace.darker(130));
  p.fillRect(image.rect(), g);
  bevel(p, image.rect().adjusted(0, 0, -1, -1), true);
  // Recessed fields behind the channel display and the sliders.
  bevel(p, QRect(4, 24, 236, 40), false);
  bevel(p, QRect(164, 66, 120, 70), false);
  return image;
}

QImage TitleBar(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kDark);
  QPainter p(&image);
  bevel(p, image.rect().adjusted(0, 0, -1, -1), true);
  return image;
}

QImage ChannelButton(Arrow arrow, ButtonState state) {
  QImage image = keyed(24, 17);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect face(1, 1, 22, 15);
  p.fillRect(face, state == ButtonState::Pressed ? kDark : kFace);
  bevel(p, face, state != ButtonState::Pressed);
  const QColor ink = state == ButtonState::Hover ? kAccent : kInk;
  triangle(p, QRectF(7, 4, 10, 8), arrow, ink);
  return image;
}

QImage MiniArrow(Arrow arrow) {
  QImage image = keyed(12, 12);
  QPainter p(&image);
  triangle(p, QRectF(1, 3, 10, 6), arrow, kInk);
  return image;
}

QImage TitleImage(TitleIcon icon) {
  QImage image = keyed(16, 16);
  QPainter p(&image);
  p.fillRect(QRect(1, 1, 14, 14), kFace);
  bevel(p, QRect(1, 1, 14, 14), true);
  p.setPen(QPen(kInk, 2));
  switch (icon) {
    case TitleIcon::HidePanel: p.drawLine(4, 11, 11, 11); break;
    case TitleIcon::HideAll: triangle(p, QRectF(4, 5, 8, 6), Arrow::Down, kInk); break;
    case TitleIcon::Quit:
      p.drawLine(4, 4, 11, 11);
      p.drawLine(11, 4, 4, 11);
      break;
    case TitleIcon::Roll: triangle(p, QRectF(4, 5, 8, 6), Arrow::Up, kInk); break;
  }
  return image;
}

QImage OptionGlyph(bool checked) {
  QImage image = keyed(11, 11);
  QPainter p(&image);
  p.fillRect(QRect(0, 0, 11, 11), kDark);
  bevel(p, QRect(0, 0, 10, 10), false);
  if (checked) p.fillRect(QRect(3, 3, 5, 5), kAccent);
  // The corner stays the key colour so that the glyph's transparent colour is well defined.
  image.setPixelColor(0, 10, kKey);
  return image;
}

QImage Tool(ToolGlyph glyph) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kDark, 1.5));
  switch (glyph) {
    case ToolGlyph::Scheduler:
      p.drawEllipse(QRectF(2, 2, 12, 12));
      p.drawLine(QPointF(8, 8), QPointF(8, 4));
      p.drawLine(QPointF(8, 8), QPointF(11, 9));
      break;
    case ToolGlyph::Capture:
      p.setBrush(QColor(200, 30, 30));
      p.drawEllipse(QRectF(3, 3, 10, 10));
      break;
    case ToolGlyph::Channels:
      for (int y : {4, 8, 12}) p.drawLine(3, y, 13, y);
      break;
    case ToolGlyph::Settings:
      p.drawEllipse(QRectF(4, 4, 8, 8));
      for (int i = 0; i < 4; ++i) {
        p.drawLine(8, 1, 8, 4);
        p.translate(8, 8);
        p.rotate(90);
        p.translate(-8, -8);
      }
      break;
    case ToolGlyph::Teletext:
      p.drawRect(QRectF(2, 3, 12, 10));
      p.drawLine(QPointF(5, 6), QPointF(11, 6));
      p.drawLine(QPointF(8, 6), QPointF(8, 11));
      break;
  }
  return image;
}

}  // namespace panelart
