#include "controls/VclutilsWindows.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "controls/ControlsState.h"
#include "platform/Clock.h"

namespace vclutils {

namespace {

constexpr size_t kMaxClassName = 255;

bool haveGuiApplication() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Marks a widget as painting a copy for the lifetime of the mark, and clears the mark also when
// painting raises.
class PaintCopyMark {
public:
  explicit PaintCopyMark(QWidget* widget)
      : widget_(widget), previous_(widget->property(kPaintCopyProperty)) {
    widget_->setProperty(kPaintCopyProperty, true);
  }
  ~PaintCopyMark() { widget_->setProperty(kPaintCopyProperty, previous_); }
  PaintCopyMark(const PaintCopyMark&) = delete;
  PaintCopyMark& operator=(const PaintCopyMark&) = delete;

private:
  QWidget* widget_;
  QVariant previous_;
};

// Renders the widget into the canvas with the widget's (0, 0) at `origin` (canvas
// coordinates), clipped to the widget and to the canvas's own clip. The painter is local, so the
// canvas's state is the same afterwards, also when painting raises.
void renderInto(gui::TCanvas& dest, QWidget* widget, QPoint origin, QWidget::RenderFlags flags) {
  QPainter painter(dest.Image());
  dest.preparePainter(painter);
  painter.translate(origin);
  painter.setClipRect(QRect(0, 0, widget->width(), widget->height()), Qt::IntersectClip);
  widget->render(&painter, QPoint(), QRegion(), flags);
}

QRect screenArea(const QWidget* widget) {
  QScreen* screen = widget->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

}  // namespace

bool IsPaintingCopy(const QWidget* widget) {
  return widget && widget->property(kPaintCopyProperty).toBool();
}

void CopyParentImage(QWidget* Control, gui::TCanvas& Dest, const SiblingFilter& filter) {
  if (!Control) return;
  QWidget* parent = Control->parentWidget();
  if (!parent || !Dest.Image() || Dest.Image()->isNull()) return;
  QPoint offset(-Control->x(), -Control->y());
  QRect controlRect = Control->geometry();

  PaintCopyMark parentMark(parent);
  // The parent's erased background and its own painting, without its children.
  renderInto(Dest, parent, offset, QWidget::DrawWindowBackground);
  // Children are in stacking order, bottom first; those above the control are not under it.
  for (QObject* child : parent->children()) {
    if (child == Control) break;
    auto* sibling = qobject_cast<QWidget*>(child);
    if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent)) continue;
    if (!sibling->geometry().intersects(controlRect)) continue;
    if (filter && !filter(sibling)) continue;
    PaintCopyMark mark(sibling);
    renderInto(Dest, sibling, sibling->pos() + offset, QWidget::DrawChildren);
  }
}

void KillMessage(QObject* Wnd, QEvent::Type Msg) {
  // A quit must still end the loop it was posted for.
  if (Msg == QEvent::Quit) return;
  QCoreApplication::removePostedEvents(Wnd, Msg);
}

void SwitchToWindow(QWidget* Wnd, bool Restore) {
  if (!Wnd || !Wnd->isEnabled()) return;
  QWidget* window = Wnd->window();
  window->raise();
  window->activateWindow();
  if (!Restore || !Wnd->isVisible()) return;
  Qt::WindowStates state = window->windowState();
  // A minimized window counts as not maximized, whatever it returns to.
  bool maximized = (state & Qt::WindowMaximized) && !(state & Qt::WindowMinimized);
  if (!maximized && (state & Qt::WindowMinimized)) {
    window->setWindowState(state & ~Qt::WindowMinimized);
  }
  Wnd->setFocus(Qt::ActiveWindowFocusReason);
}

bool IsForegroundTask() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
         QApplication::activeWindow() != nullptr;
}

void CenterControl(QWidget* Control) {
  if (!Control) return;
  QPoint at;
  if (!Control->isWindow() && Control->parentWidget()) {
    QWidget* parent = Control->parentWidget();
    at = QPoint((parent->width() - Control->width()) / 2,
                (parent->height() - Control->height()) / 2);
  } else {
    QRect screen = screenArea(Control);
    QSize size = Control->frameGeometry().size();
    at = QPoint(screen.x() + (screen.width() - size.width()) / 2,
                screen.y() + (screen.height() - size.height()) / 2);
  }
  Control->move(std::max(at.x(), 0), std::max(at.y(), 0));
}

void CenterWindow(QWidget* Wnd) {
  if (!Wnd) return;
  QRect screen = screenArea(Wnd);
  QSize size = Wnd->frameGeometry().size();
  int x = screen.x() + (screen.width() - size.width()) / 2;
  int y = screen.y() + (screen.height() - size.height()) / 2;
  Wnd->move(std::max(x, screen.x()), std::max(y, screen.y()));
}

gui::TRect ScreenWorkArea() {
  QScreen* screen = haveGuiApplication() ? QGuiApplication::primaryScreen() : nullptr;
  if (!screen) return {};
  QRect area = screen->availableGeometry();
  return gui::Bounds(area.x(), area.y(), area.width(), area.height());
}

std::string WindowClassName(const QWidget* Wnd) {
  if (!Wnd) return {};
  std::string name = Wnd->metaObject()->className();
  if (name.size() > kMaxClassName) name.resize(kMaxClassName);
  return name;
}

void ActivateWindow(QWidget* Wnd) {
  if (!Wnd) return;
  Wnd->show();
  Wnd->raise();
  Wnd->activateWindow();
}

void Delay(uint32_t MSecs) {
  uint64_t start = platform::MonotonicMs();
  while (platform::MonotonicMs() - start < MSecs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    platform::SleepMs(1);
  }
}

void StartWait() {
  if (detail::WaitCount++ == 0 && haveGuiApplication()) {
    QGuiApplication::setOverrideCursor(QCursor(WaitCursor));
  }
}

void StopWait() {
  if (detail::WaitCount == 0) return;
  if (--detail::WaitCount == 0 && haveGuiApplication()) QGuiApplication::restoreOverrideCursor();
}

}  // namespace vclutils
