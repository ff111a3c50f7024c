#include "gui/CaptionDrag.h"

#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include "gui/Colors.h"

namespace gui {

void CaptionDrag::press(QPoint at, std::initializer_list<QWidget*> panels) {
  for (QWidget* panel : panels) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(clActiveCaption));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
  }
  dragging_ = true;
  grab_ = at;
}

void CaptionDrag::move(QPoint at) {
  if (dragging_) window_.move(window_.pos() + at - grab_);
}

bool RouteCaptionMouse(QObject* watched, QEvent* event, QWidget* bar, QWidget* closeBox,
                       const CaptionHandlers& to) {
  if (watched != bar && watched != closeBox) return false;
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease) {
    return false;
  }
  auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (!mouse) return false;
  const QPoint at = mouse->position().toPoint();
  const bool onBar = watched == bar;
  if (type == QEvent::MouseButtonRelease) {
    if (onBar) to.up();
    else if (closeBox->rect().contains(at)) to.close();
    return true;
  }
  if (onBar) (type == QEvent::MouseButtonPress ? to.down : to.move)(at.x(), at.y());
  return onBar;
}

}  // namespace gui
