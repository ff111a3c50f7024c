// The TV window's own mouse handling. The window is usually a bare picture without a frame, so
// it moves when dragged, resizes when dragged within 15 pixels of an edge (showing a rubber band
// until the button is released, optionally keeping its aspect), switches full screen on a left
// double click, restores its aspect on a right double click, and steps the channel or, with the
// right button or Alt held, the volume with the wheel. TvWindowProc watches the window's events
// and passes every one on; nothing of this happens while an AVI capture runs.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QMouseEvent;
class QRubberBand;
class QWheelEvent;
class TvScreen;

// A rectangle as the resize builds it: width and height turn negative when an edge is dragged
// past the opposite one.
struct TvRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const TvRect&) const = default;
};

// The edges a point lies near: within kTvEdgeMargin pixels inside each edge of the window.
constexpr int kTvEdgeMargin = 15;
struct TvEdges {
  bool left = false;
  bool right = false;
  bool top = false;
  bool bottom = false;

  bool any() const { return left || right || top || bottom; }
  bool operator==(const TvEdges&) const = default;
};
TvEdges TvEdgesAt(QPoint cursor, const QRect& window);

// One step of a resize with the cursor at `cursor`: the corner of the window that stays, the
// corner that follows the cursor, and the rectangle between them. The first row of this table
// that matches the edges decides (right and bottom lie one past the window's last pixel):
//   bottom and right: (left, top, x - left, y - top)
//   top and right:    (left, y, x - left, bottom - y)
//   bottom and left:  (x, top, right - x, y - top)
//   top and left:     (x, y, right - x, bottom - y)
//   bottom:           (left, top, width, y - top)
//   top:              (left, y, width, bottom - y)
//   right:            (left, top, x - left, height)
//   left:             (x, top, right - x, height)
struct TvResizeStep {
  QPoint fixed;
  QPoint moving;
  TvRect rect;
};
TvResizeStep TvResizeTo(const TvEdges& edges, QPoint cursor, const QRect& window);

// The rectangle a resize ends with: a negative size turns into a window on the other side;
// with keepAspect the side that did not follow the cursor is made to fit the aspect
// (sideCorrelation 0 = 4:3, 1 = 14:9, 2 = 16:9; the height counts as unchanged when it equals
// storedHeight); never smaller than 112 x 84.
QRect TvFinishResize(TvRect rect, bool keepAspect, int sideCorrelation, int storedHeight);

// The width for a height by SideCorrelation; any other value keeps `width`.
int AspectWidth(int height, int sideCorrelation, int width);

// The cursor over a spot of the window: a sizing cursor along the edges, else the arrow.
Qt::CursorShape TvCursorFor(const TvEdges& edges);

class TvWindowProc : public QObject {
public:
  // Installs a procedure on the TV window; the window owns it.
  static void Install(TvScreen* tv);
  // The procedure installed on a window, null when none is.
  static TvWindowProc* Of(const TvScreen* tv);

  explicit TvWindowProc(TvScreen* tv);
  ~TvWindowProc() override;

  // The rubber band of the resize in progress (null before the first resize): its geometry is
  // the outline shown, hidden between resizes.
  const QRubberBand* band() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void wheel(const QWheelEvent& event);
  void doubleClick(Qt::MouseButton button);
  void leftDown(QPoint cursor, const QRect& window);
  void mouseMove(const QMouseEvent& event, const QRect& window);
  void moveStep(QPoint cursor);
  void resizeStep(QPoint cursor, const QRect& window);
  void leftUp();
  void finishResize();
  void showBand(const QRect& outline);
  void hideBand();
  void showCursorFor(QPoint cursor, const QRect& window);
  bool hasSizingFrame() const;

  TvScreen* tv_;
  QPointer<QRubberBand> band_;
};

// The procedure's state, all clear at start.
// The left button went down in the window and is held.
extern bool& TvLeftDown;
// The right button is held: the wheel changes the volume.
extern bool& TvRightDown;
// Set at left-button-down: the first move decides between moving and resizing.
extern bool& TvFirstMove;
// The window is being moved.
extern bool& TvMoving;
// Where the drag started: near an edge at all, and near which.
extern bool& TvEdgeHit;
extern bool& TvEdgeLeft;
extern bool& TvEdgeRight;
extern bool& TvEdgeTop;
extern bool& TvEdgeBottom;
// Cursor minus the window's left and top at button-down.
extern int& TvGrabX;
extern int& TvGrabY;
// The moving corner of the rubber band last shown.
extern int& TvBandX;
extern int& TvBandY;
// The rectangle a resize applies when the button is released.
extern TvRect& TvNewRect;
