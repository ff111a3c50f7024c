// The TV window procedure: an event filter on the TV window that acts on the mouse and passes
// every event on to the window.
#include "viewer/TvWindowProc.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

#include "controls/Rxslider.h"
#include "core/Settings.h"
#include "gui/UpDown.h"
#include "recording/Capt.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

// A Wayland client cannot place its own windows: the compositor moves and resizes them.
bool clientPlacesWindows() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

TvEdges dragEdges() { return {TvEdgeLeft, TvEdgeRight, TvEdgeTop, TvEdgeBottom}; }

void setDragEdges(const TvEdges& e) {
  TvEdgeLeft = e.left;
  TvEdgeRight = e.right;
  TvEdgeTop = e.top;
  TvEdgeBottom = e.bottom;
  TvEdgeHit = e.any();
}

Qt::Edges qtEdges(const TvEdges& e) {
  Qt::Edges edges;
  if (e.left) edges |= Qt::LeftEdge;
  if (e.right) edges |= Qt::RightEdge;
  if (e.top) edges |= Qt::TopEdge;
  if (e.bottom) edges |= Qt::BottomEdge;
  return edges;
}

// The rectangle between two corners, as an outline drawn from one to the other covers it.
QRect outline(QPoint a, QPoint b) {
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

// The rubber band as an outline only: the picture stays visible inside it, on a desktop with or
// without a compositor (without one, a translucent fill would cover the picture).
class OutlineBand : public QRubberBand {
public:
  OutlineBand() : QRubberBand(QRubberBand::Rectangle) {}

protected:
  static constexpr int kWidth = 3;

  void resizeEvent(QResizeEvent* event) override {
    QRubberBand::resizeEvent(event);
    outline();
  }
  void moveEvent(QMoveEvent* event) override {
    QRubberBand::moveEvent(event);
    outline();
  }
  void showEvent(QShowEvent* event) override {
    QRubberBand::showEvent(event);
    outline();
  }

private:
  void outline() {
    const QRect all = rect();
    setMask(QRegion(all) - QRegion(all.adjusted(kWidth, kWidth, -kWidth, -kWidth)));
  }
};

void storeRect(const QRect& r) {
  Settings.TVposX = r.x();
  Settings.TVposY = r.y();
  Settings.TVsizeX = r.width();
  Settings.TVsizeY = r.height();
}

}  // namespace

void TvWindowProc::Install(TvScreen* tv) {
  if (!tv || Of(tv)) return;
  auto* proc = new TvWindowProc(tv);
  tv->installEventFilter(proc);
  // Moves without a button held set the sizing cursors.
  tv->setMouseTracking(true);
}

TvWindowProc* TvWindowProc::Of(const TvScreen* tv) {
  return tv ? tv->findChild<TvWindowProc*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

TvWindowProc::TvWindowProc(TvScreen* tv) : QObject(tv), tv_(tv) {}

// The band is a window of its own, on the desktop rather than in the TV window.
TvWindowProc::~TvWindowProc() { delete band_.data(); }

const QRubberBand* TvWindowProc::band() const { return band_.data(); }

bool TvWindowProc::eventFilter(QObject* watched, QEvent* event) {
  if (watched != tv_ || AviCaptureRunning) return false;
  // Only the mouse cases below use it; other events are no mouse events.
  const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::Wheel:
      wheel(*static_cast<const QWheelEvent*>(event));
      break;
    case QEvent::MouseButtonDblClick:
      doubleClick(mouse->button());
      break;
    case QEvent::MouseButtonPress:
      if (mouse->button() == Qt::RightButton) TvRightDown = true;
      if (mouse->button() == Qt::LeftButton)
        leftDown(mouse->globalPosition().toPoint(), tv_->normalRect());
      break;
    case QEvent::MouseButtonRelease:
      if (mouse->button() == Qt::RightButton) TvRightDown = false;
      if (mouse->button() == Qt::LeftButton && TvLeftDown) leftUp();
      break;
    case QEvent::MouseMove:
      mouseMove(*mouse, tv_->normalRect());
      break;
    case QEvent::Leave:
    case QEvent::Hide:
      // The window lost the pointer: no release will come for a button held now.
      TvRightDown = false;
      if (TvLeftDown) leftUp();
      break;
    default:
      break;
  }
  return false;
}

// Towards the user (a negative delta): the previous channel or less volume; away: the next
// channel or more volume.
void TvWindowProc::wheel(const QWheelEvent& event) {
  const bool alt = AltKeyDown || (event.modifiers() & Qt::AltModifier);
  int delta = event.angleDelta().y();
  // Qt on X11 hands a wheel turned with Alt held over as a sideways scroll.
  if (delta == 0 && alt) delta = event.angleDelta().x();
  // A sideways scroll, or a touchpad's start and end of scrolling, turns nothing.
  if (delta == 0 || !Form1) return;
  const bool towardsUser = delta < 0;
  if (alt || TvRightDown) {
    rxslider::TRxSlider* volume = Form1->RxSlider9;
    volume->SetValue(volume->Value() + (towardsUser ? -1 : 1));
    return;
  }
  bool next = !towardsUser;
  if (Settings.IntellimouseReverse) next = !next;
  Form1->UpDown1Click(next ? gui::btNext : gui::btPrev);
}

void TvWindowProc::doubleClick(Qt::MouseButton button) {
  if (button == Qt::LeftButton) {
    SetFullScreen(FullScreenOn ? 0 : 1);
  } else if (button == Qt::RightButton && !FullScreenOn && Form1) {
    Form1->Set34();
  }
}

void TvWindowProc::leftDown(QPoint cursor, const QRect& window) {
  tv_->activateWindow();
  TvLeftDown = true;
  TvGrabX = cursor.x() - window.x();
  TvGrabY = cursor.y() - window.y();
  TvBandX = window.x();
  TvBandY = window.y();
  TvFirstMove = true;
  // Each press starts afresh: a click without a move neither moves nor resizes the window.
  TvMoving = false;
  setDragEdges({});
}

void TvWindowProc::mouseMove(const QMouseEvent& event, const QRect& window) {
  const QPoint cursor = event.globalPosition().toPoint();
  bool resizing = false;
  if (TvLeftDown && !(event.buttons() & Qt::LeftButton)) {
    leftUp();  // the release went elsewhere: the drag ends here
  } else if (TvLeftDown && !FullScreenOn) {
    if (TvFirstMove) setDragEdges(TvEdgesAt(cursor, window));
    resizing = TvEdgeHit && !hasSizingFrame();
    if (resizing)
      resizeStep(cursor, window);
    else
      moveStep(cursor);
  }
  if (!resizing && !hasSizingFrame()) showCursorFor(cursor, tv_->normalRect());
}

// The window follows the cursor, keeping the point it was grabbed at under it.
void TvWindowProc::moveStep(QPoint cursor) {
  TvMoving = true;
  TvFirstMove = false;  // the first move has decided: this drag moves
  if (!clientPlacesWindows()) {
    if (QWindow* w = tv_->windowHandle()) w->startSystemMove();
    TvLeftDown = false;  // the compositor has the drag now
    return;
  }
  const QRect r(cursor - QPoint(TvGrabX, TvGrabY), tv_->normalRect().size());
  tv_->setGeometry(r);
  storeRect(r);
}

void TvWindowProc::resizeStep(QPoint cursor, const QRect& window) {
  TvFirstMove = false;
  TvMoving = false;
  if (!clientPlacesWindows()) {
    if (QWindow* w = tv_->windowHandle()) w->startSystemResize(qtEdges(dragEdges()));
    TvLeftDown = false;  // the compositor has the drag now, and applies what it ends with
    TvEdgeHit = false;
    return;
  }
  const TvResizeStep step = TvResizeTo(dragEdges(), cursor, window);
  showBand(outline(step.fixed, step.moving));
  TvBandX = step.moving.x();
  TvBandY = step.moving.y();
  TvNewRect = step.rect;
}

void TvWindowProc::leftUp() {
  TvLeftDown = false;
  hideBand();
  if (TvEdgeHit && !TvMoving) finishResize();
}

void TvWindowProc::finishResize() {
  const QRect r = TvFinishResize(TvNewRect, Settings.KeepSideCorrelation,
                                 Settings.SideCorrelation, Settings.TVsizeY);
  tv_->setGeometry(r);
  storeRect(r);
  // The driver lays its overlay out again for the new size.
  tv_->setOverlay(false);
  tv_->setOverlay(true);
}

void TvWindowProc::showBand(const QRect& r) {
  if (!band_) band_ = new OutlineBand;
  band_->setGeometry(r);
  band_->show();
}

void TvWindowProc::hideBand() {
  if (band_) band_->hide();
}

// A sizing cursor while the cursor is near an edge inside the window, else the arrow.
void TvWindowProc::showCursorFor(QPoint cursor, const QRect& window) {
  const bool inside = cursor.x() >= window.x() && cursor.x() < window.x() + window.width() &&
                      cursor.y() >= window.y() && cursor.y() < window.y() + window.height();
  const Qt::CursorShape shape = TvCursorFor(inside ? TvEdgesAt(cursor, window) : TvEdges{});
  if (shape == Qt::ArrowCursor)
    tv_->unsetCursor();
  else
    tv_->setCursor(shape);
}

// The window's own style decides, not WindowStyle: the settings dialog changes that setting
// for the next TV window while this one keeps the frame it was made with.
bool TvWindowProc::hasSizingFrame() const { return tv_->style() & kWsThickFrame; }
