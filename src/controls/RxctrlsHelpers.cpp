#include "controls/RxctrlsHelpers.h"

#include <QApplication>
#include <QCursor>

namespace rxctrls::detail {

using gui::TColor;

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

QWidget* controlAtCursor() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  return QApplication::widgetAt(QCursor::pos());
}

}  // namespace rxctrls::detail
