// Dragging a frameless window by a caption bar of its own: a press paints the caption panels in
// the active caption colour and remembers where on the bar it was; while the button is held the
// window moves so that this point stays under the pointer; the release ends the drag.
#pragma once

#include <QPoint>

#include <functional>
#include <initializer_list>

class QEvent;
class QObject;
class QWidget;

namespace gui {

class CaptionDrag {
public:
  explicit CaptionDrag(QWidget& window) : window_(window) {}

  // `at` is in the caption bar's coordinates; `panels` are the bar and its close box.
  void press(QPoint at, std::initializer_list<QWidget*> panels);
  void move(QPoint at);
  void release() { dragging_ = false; }
  bool dragging() const { return dragging_; }

private:
  QWidget& window_;
  bool dragging_ = false;
  QPoint grab_;
};

// The window's handlers of its caption bar and close box.
struct CaptionHandlers {
  std::function<void(int x, int y)> down, move;
  std::function<void()> up, close;
};

// For a window's event filter: a press, move or release on `bar` goes to down, move or up (the
// point in the bar's coordinates) and is taken; a release on `closeBox` is taken and, when it
// is inside the box, clicks it. Anything else is left to the filter's other work (false).
bool RouteCaptionMouse(QObject* watched, QEvent* event, QWidget* bar, QWidget* closeBox,
                       const CaptionHandlers& to);

}  // namespace gui
