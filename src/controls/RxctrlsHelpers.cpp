#include "controls/RxctrlsHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>

#include <algorithm>

namespace rxctrls::detail {

using gui::TColor;

namespace {

QRgb rgbOf(TColor color) { return gui::ToQColor(gui::ColorToRGB(color)).rgb(); }

// Renders a widget into dest with the widget's (0, 0) at `origin`, clipped to the widget.
void renderInto(gui::TCanvas& dest, QWidget* widget, QPoint origin, QWidget::RenderFlags flags) {
  QPainter painter(dest.Image());
  dest.preparePainter(painter);
  painter.translate(origin);
  painter.setClipRect(QRect(0, 0, widget->width(), widget->height()), Qt::IntersectClip);
  widget->render(&painter, QPoint(), QRegion(), flags);
}

}  // namespace

std::unique_ptr<gui::TBitmap> createDisabledBitmap(const gui::TBitmap& bitmap, TColor outline) {
  const QImage& source = bitmap.Image();
  int w = source.width(), h = source.height();
  QImage out(w, h, QImage::Format_RGB32);
  out.fill(rgbOf(gui::clBtnFace));
  QRgb key = rgbOf(outline) & 0xFFFFFF;
  auto stamp = [&](int dx, int dy, QRgb colour) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if ((source.pixel(x, y) & 0xFFFFFF) != key) continue;
        if (x + dx < w && y + dy < h) out.setPixel(x + dx, y + dy, colour);
      }
    }
  };
  stamp(1, 1, rgbOf(gui::clBtnHighlight));
  stamp(0, 0, rgbOf(gui::clBtnShadow));
  auto result = std::make_unique<gui::TBitmap>();
  if (w > 0 && h > 0) result->SetImage(out);
  return result;
}

void imageListDrawDisabled(const gui::TImageList& images, gui::TCanvas& canvas, int x, int y,
                           int index, TColor highlight, TColor gray) {
  if (index < 0 || index >= images.Count()) return;
  auto stamp = [&](int dx, int dy, TColor colour) {
    for (int j = 0; j < images.Height(); ++j) {
      for (int i = 0; i < images.Width(); ++i) {
        if (!images.Transparent(index, i, j)) canvas.SetPixel(x + dx + i, y + dy + j, colour);
      }
    }
  };
  stamp(1, 1, highlight);
  stamp(0, 0, gray);
}

std::string minimizeText(const std::string& text, const gui::TCanvas& canvas, int maxWidth) {
  std::string result = text;
  int length = int(text.size());
  for (int i = 1; i <= length && canvas.TextWidth(result) > maxWidth;) {
    ++i;
    result = text.substr(0, size_t(std::max(0, length - i))) + "...";
  }
  return result;
}

void copyParentImage(QWidget* control, gui::TCanvas& dest) {
  if (!control || !dest.Image() || dest.Image()->isNull()) return;
  QWidget* parent = control->parentWidget();
  if (!parent) return;
  QPoint offset(-control->x(), -control->y());
  renderInto(dest, parent, offset, QWidget::DrawWindowBackground);
  // Children are in stacking order, bottom first: those above the control are not under it.
  for (QObject* child : parent->children()) {
    if (child == control) break;
    auto* sibling = qobject_cast<QWidget*>(child);
    if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent)) continue;
    if (!sibling->geometry().intersects(control->geometry())) continue;
    renderInto(dest, sibling, sibling->pos() + offset, QWidget::DrawChildren);
  }
}

void frame3D(gui::TCanvas& canvas, gui::TRect& rect, TColor topColor, TColor bottomColor) {
  canvas.Pen.Width = 1;
  --rect.Bottom;
  --rect.Right;
  gui::TPoint topRight{rect.Right, rect.Top};
  gui::TPoint bottomLeft{rect.Left, rect.Bottom};
  canvas.Pen.Color = topColor;
  canvas.Polyline({bottomLeft, rect.TopLeft(), topRight});
  canvas.Pen.Color = bottomColor;
  --bottomLeft.X;
  canvas.Polyline({topRight, rect.BottomRight(), bottomLeft});
  InflateRect(rect, -1, -1);
  ++rect.Bottom;
  ++rect.Right;
}

bool isForegroundTask() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
         QApplication::activeWindow() != nullptr;
}

QWidget* controlAtCursor() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  return QApplication::widgetAt(QCursor::pos());
}

}  // namespace rxctrls::detail
