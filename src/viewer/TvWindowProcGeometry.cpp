// The arithmetic of the TV window procedure: which edges the cursor is near, the rectangle a
// resize builds, the rectangle it ends with, and the cursor over each spot.
#include <cstdlib>

#include "viewer/StartGeometry.h"
#include "viewer/TvWindowProc.h"

namespace {

// The window as Windows describes a rectangle: right and bottom one past the last pixel.
struct Bounds {
  int left, top, right, bottom;
};

Bounds boundsOf(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

}  // namespace

TvEdges TvEdgesAt(QPoint cursor, const QRect& window) {
  const Bounds b = boundsOf(window);
  TvEdges e;
  e.left = cursor.x() < b.left + kTvEdgeMargin;
  e.right = cursor.x() > b.right - kTvEdgeMargin;
  e.top = cursor.y() < b.top + kTvEdgeMargin;
  e.bottom = cursor.y() > b.bottom - kTvEdgeMargin;
  return e;
}

TvResizeStep TvResizeTo(const TvEdges& edges, QPoint cursor, const QRect& window) {
  const Bounds b = boundsOf(window);
  const int x = cursor.x();
  const int y = cursor.y();
  const int width = b.right - b.left;
  const int height = b.bottom - b.top;
  if (edges.bottom && edges.right) return {{b.left, b.top}, {x, y}, {b.left, b.top, x - b.left, y - b.top}};
  if (edges.top && edges.right)
    return {{b.left, b.bottom}, {x, y}, {b.left, y, x - b.left, b.bottom - y}};
  if (edges.bottom && edges.left)
    return {{b.right, b.top}, {x, y}, {x, b.top, b.right - x, y - b.top}};
  if (edges.top && edges.left)
    return {{b.right, b.bottom}, {x, y}, {x, y, b.right - x, b.bottom - y}};
  if (edges.bottom) return {{b.left, b.top}, {b.right, y}, {b.left, b.top, width, y - b.top}};
  if (edges.top) return {{b.left, b.bottom}, {b.right, y}, {b.left, y, width, b.bottom - y}};
  if (edges.right) return {{b.left, b.top}, {x, b.bottom}, {b.left, b.top, x - b.left, height}};
  if (edges.left) return {{b.right, b.top}, {x, b.bottom}, {x, b.top, b.right - x, height}};
  return {{b.left, b.top}, {b.right, b.bottom}, {b.left, b.top, width, height}};
}

int AspectWidth(int height, int sideCorrelation, int width) {
  switch (sideCorrelation) {
    case 0: return int(height * (1.0 / 3) * 4);
    case 1: return int(height * (1.0 / 9) * 14);
    case 2: return int(height * (1.0 / 9) * 16);
    default: return width;
  }
}

QRect TvFinishResize(TvRect r, bool keepAspect, int sideCorrelation, int storedHeight) {
  if (r.height < 0) r.top += r.height;
  if (r.width < 0) r.left += r.width;
  if (keepAspect) {
    // The side the cursor did not pull follows the one it did.
    if (r.height == storedHeight)
      r.height = AspectHeight(r.width, sideCorrelation, r.height);
    else
      r.width = AspectWidth(r.height, sideCorrelation, r.width);
  }
  int width = std::abs(r.width);
  int height = std::abs(r.height);
  // A window shrunk to nothing could not be found and grabbed again.
  if (width < kMinTvWidth) {
    width = kMinTvWidth;
    if (keepAspect) height = AspectHeight(width, sideCorrelation, height);
  }
  if (height < kMinTvHeight) {
    height = kMinTvHeight;
    if (keepAspect) width = AspectWidth(height, sideCorrelation, width);
  }
  return QRect(r.left, r.top, width, height);
}

Qt::CursorShape TvCursorFor(const TvEdges& e) {
  if ((e.top && e.left) || (e.bottom && e.right)) return Qt::SizeFDiagCursor;
  if ((e.top && e.right) || (e.bottom && e.left)) return Qt::SizeBDiagCursor;
  if (e.left || e.right) return Qt::SizeHorCursor;
  if (e.top || e.bottom) return Qt::SizeVerCursor;
  return Qt::ArrowCursor;
}
