// Drag and drop between controls, run as the class library runs it. A control begins a drag,
// at once or once the pointer has moved a threshold away from where it began; from then on the
// control under the pointer is asked whether it takes the drag (its answer picks the cursor: the
// source's drag cursor or crNoDrop), and releasing the left button drops on that control when it
// takes the drag. Escape or the right button cancels. Either way the source learns how the drag
// ended; a drag that found no taker is cancelled for the source.
//
// While a drag runs the manager has the mouse, as a captured window would: moves, presses and
// releases that reach any widget go to the manager instead, and Escape goes to it before the
// focused widget sees it.
#pragma once

#include <QPoint>

#include "gui/GdiTypes.h"

namespace gui {

class TControl;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Cursor identifiers of the class library (the ones drags use); others show the arrow.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crNo = -18;

// Pixels the pointer must move, on either axis, before a drag that does not begin at once does.
inline constexpr int kDefaultDragThreshold = 5;

// A control that a drag can pass over and drop on. It must also be a TControl. A target
// destroyed during a drag drops out of it and is asked nothing more.
class DragTarget {
public:
  virtual ~DragTarget();

  // Accept comes in false; x and y are DragPoint's.
  virtual void DragOver(TControl* source, int x, int y, TDragState state, bool& accept) = 0;
  virtual void DragDrop(TControl* source, int x, int y) = 0;
  // A screen point in the coordinates the target's drag events use.
  virtual TPoint DragPoint(QPoint global) const = 0;
};

// A control that drags begin from. It must also be a TControl. A source destroyed during its
// drag ends the drag without being called.
class DragSource {
public:
  virtual ~DragSource();

  virtual TCursor DragCursor() const = 0;
  // First of every drag, once it runs.
  virtual void DoStartDrag() {}
  // The drag ended without a drop (cancelled, or no target took it).
  virtual void DragCanceled() = 0;
  // Last of every drag: the target that took the drop and the drop point in its coordinates,
  // or nullptr and (0, 0).
  virtual void DoEndDrag(TControl* target, int x, int y) = 0;
};

class DragManager {
public:
  // Begins a drag from the source unless a drag runs already. Immediate, or once the pointer
  // moved Threshold pixels from where it is now (a negative threshold: kDefaultDragThreshold).
  static void BeginDrag(DragSource& source, bool immediate, int threshold);
  // Whether the source's drag runs (begun, not yet ended).
  static bool Dragging(const DragSource& source);
  // Ends the running drag; with drop, it drops on a target that takes it.
  static void EndDrag(bool drop);

  // The destructors of sources and targets call these.
  static void SourceGone(const DragSource& source);
  static void TargetGone(const DragTarget& target);
};

}  // namespace gui
