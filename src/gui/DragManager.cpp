#include "gui/DragManager.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <cstdlib>
#include <optional>

#include "gui/Controls.h"

namespace gui {

namespace {

// Takes the mouse and Escape from every widget while a drag runs. It looks at events on their
// way to widgets only, so that Qt's own bookkeeping of the window (which widget the pressed
// button belongs to) stays right.
class DragInputFilter : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;
};

struct Drag {
  unsigned serial = 0;
  DragSource* source = nullptr;  // null once the source is gone
  TControl* sourceControl = nullptr;
  DragTarget* target = nullptr;  // the control under the pointer, when it is a target
  TControl* targetControl = nullptr;
  QPoint start;
  TPoint targetPos;  // the pointer in the target's coordinates
  int threshold = kDefaultDragThreshold;
  bool active = false;  // past the threshold (or begun at once)
  bool ending = false;
  bool cursorShown = false;
};

struct ManagerState {
  std::optional<Drag> drag;
  unsigned serial = 0;
  QPointer<DragInputFilter> filter;
};

ManagerState& state() {
  static ManagerState instance;
  return instance;
}

// The drag with this serial, when it still runs.
Drag* running(unsigned serial) {
  std::optional<Drag>& drag = state().drag;
  return drag && drag->serial == serial && !drag->ending ? &*drag : nullptr;
}

Qt::CursorShape shapeOf(TCursor cursor) {
  switch (cursor) {
    case crDrag: return Qt::DragMoveCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    default: return Qt::ArrowCursor;
  }
}

void showCursor(Drag& drag, TCursor cursor) {
  QCursor shape(shapeOf(cursor));
  if (drag.cursorShown) {
    QGuiApplication::changeOverrideCursor(shape);
  } else {
    QGuiApplication::setOverrideCursor(shape);
    drag.cursorShown = true;
  }
}

void startTracking() {
  ManagerState& s = state();
  if (!s.filter) s.filter = new DragInputFilter(qApp);
  qApp->installEventFilter(s.filter);
}

void stopTracking(Drag& drag) {
  if (state().filter) qApp->removeEventFilter(state().filter);
  if (drag.cursorShown) QGuiApplication::restoreOverrideCursor();
  drag.cursorShown = false;
}

// The control under a screen point, as a drag target: the nearest enabled control at the point
// or around it (a disabled control lets the point through to its parent).
std::pair<DragTarget*, TControl*> targetAt(QPoint global) {
  for (QWidget* w = QApplication::widgetAt(global); w; w = w->parentWidget()) {
    if (!w->isEnabled()) continue;
    if (auto* control = dynamic_cast<TControl*>(w))
      return {dynamic_cast<DragTarget*>(control), control};
  }
  return {nullptr, nullptr};
}

// Asks the target about the drag; false also when it is gone or the drag ended meanwhile.
bool askTarget(unsigned serial, TDragState dragState) {
  Drag* d = running(serial);
  if (!d || !d->target) return false;
  bool accept = false;
  d->target->DragOver(d->sourceControl, d->targetPos.X, d->targetPos.Y, dragState, accept);
  return accept;
}

// The pointer moved to a screen point: past the threshold, the target under it is asked.
void dragTo(QPoint global) {
  Drag* d = &*state().drag;
  const unsigned serial = d->serial;
  if (!d->active && std::abs(global.x() - d->start.x()) < d->threshold &&
      std::abs(global.y() - d->start.y()) < d->threshold)
    return;
  d->active = true;
  if (targetAt(global).first != d->target) {
    askTarget(serial, dsDragLeave);
    if (!(d = running(serial))) return;
    // Looked up again: the handler may have changed what lies under the pointer.
    auto [target, control] = targetAt(global);
    d->target = target;
    d->targetControl = control;
    if (target) d->targetPos = target->DragPoint(global);
    askTarget(serial, dsDragEnter);
    if (!(d = running(serial))) return;
  }
  if (d->target) d->targetPos = d->target->DragPoint(global);
  bool accepted = askTarget(serial, dsDragMove);
  if (!(d = running(serial)) || !d->source) return;
  showCursor(*d, accepted ? d->source->DragCursor() : crNoDrop);
}

// Runs a drag step; an exception out of a handler cancels the drag on its way out.
template <typename Step>
void guarded(Step step) {
  try {
    step();
  } catch (...) {
    DragManager::EndDrag(false);
    throw;
  }
}

bool DragInputFilter::eventFilter(QObject* receiver, QEvent* event) {
  if (!receiver->isWidgetType() || !state().drag || state().drag->ending) return false;
  switch (event->type()) {
    case QEvent::MouseMove:
      guarded([event] { dragTo(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()); });
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) DragManager::EndDrag(false);
      return true;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) DragManager::EndDrag(true);
      return true;
    case QEvent::ShortcutOverride:
      // Escape belongs to the drag, not to a shortcut or a dialog's cancel button.
      if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
      event->accept();
      return true;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
      DragManager::EndDrag(false);
      return true;
    default:
      return false;
  }
}

}  // namespace

DragTarget::~DragTarget() { DragManager::TargetGone(*this); }

DragSource::~DragSource() { DragManager::SourceGone(*this); }

void DragManager::BeginDrag(DragSource& source, bool immediate, int threshold) {
  ManagerState& s = state();
  if (s.drag) return;
  Drag& d = s.drag.emplace();
  d.serial = ++s.serial;
  d.source = &source;
  d.sourceControl = dynamic_cast<TControl*>(&source);
  d.start = QCursor::pos();
  d.threshold = threshold < 0 ? kDefaultDragThreshold : threshold;
  const unsigned serial = d.serial;
  guarded([&] {
    source.DoStartDrag();
    if (!running(serial)) return;
    startTracking();
    if (immediate) {
      running(serial)->active = true;
      dragTo(running(serial)->start);
    }
  });
}

bool DragManager::Dragging(const DragSource& source) {
  const std::optional<Drag>& drag = state().drag;
  return drag && !drag->ending && drag->source == &source;
}

void DragManager::EndDrag(bool drop) {
  std::optional<Drag>& drag = state().drag;
  if (!drag || drag->ending) return;
  Drag& d = *drag;
  const unsigned serial = d.serial;
  stopTracking(d);
  // The drag counts as ended for every handler below; its record goes however they leave.
  d.ending = true;
  struct Clear {
    unsigned serial;
    ~Clear() {
      std::optional<Drag>& drag = state().drag;
      if (drag && drag->serial == serial) drag.reset();
    }
  } clear{serial};

  bool accepted = false;
  TPoint at = d.targetPos;
  if (d.target) {
    bool accept = false;
    d.target->DragOver(d.sourceControl, at.X, at.Y, dsDragLeave, accept);
    accepted = accept && drop;
  }
  if (accepted && d.target) d.target->DragDrop(d.sourceControl, at.X, at.Y);
  if (!accepted) at = TPoint{0, 0};
  TControl* target = accepted ? d.targetControl : nullptr;
  if (!accepted && d.source) d.source->DragCanceled();
  if (d.source) d.source->DoEndDrag(target, at.X, at.Y);
}

void DragManager::SourceGone(const DragSource& source) {
  std::optional<Drag>& drag = state().drag;
  if (!drag || drag->source != &source) return;
  drag->source = nullptr;
  drag->sourceControl = nullptr;
  if (drag->ending) return;  // the ending drag clears itself
  stopTracking(*drag);
  drag.reset();
}

void DragManager::TargetGone(const DragTarget& target) {
  std::optional<Drag>& drag = state().drag;
  if (!drag || drag->target != &target) return;
  drag->target = nullptr;
  drag->targetControl = nullptr;
}

}  // namespace gui
