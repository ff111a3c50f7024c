// Window functions of the control library over Qt widgets: painting what lies under a control,
// dropping pending events, bringing a window to the front, centring, the screen's work area,
// the wait cursor and a delay that keeps the events flowing.
#pragma once

#include <QEvent>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "gui/Canvas.h"
#include "gui/GdiTypes.h"

namespace vclutils {

// While CopyParentImage paints a widget into another canvas, the widget carries this dynamic
// property set to true (the class library's csPaintCopy state); a control that draws itself
// differently in such a copy asks IsPaintingCopy.
inline constexpr const char* kPaintCopyProperty = "vyxPaintCopy";
bool IsPaintingCopy(const QWidget* widget);

// Which siblings below a control count as painted under it; an empty filter takes them all.
using SiblingFilter = std::function<bool(const QWidget*)>;

// Paints into Dest what lies under Control, so that a control without a background of its own
// looks transparent: the parent's background and its own painting, then every visible sibling
// stacked below Control that overlaps it (and passes the filter), each clipped to itself. Dest's
// (0, 0) is the control's top-left corner. Nothing happens without a control, a parent or
// pixels to draw on.
void CopyParentImage(QWidget* Control, gui::TCanvas& Dest, const SiblingFilter& filter = {});

// Drops the pending posted events of type Msg for Wnd (nullptr: for any receiver). A pending
// quit is never dropped. Input that the window system has not yet handed to Qt is not among
// the posted events.
void KillMessage(QObject* Wnd, QEvent::Type Msg);

// Brings the window of an enabled widget to the front and activates it. With Restore and a
// visible widget, a minimized window (that is not maximized) is restored and the widget gets
// the focus.
void SwitchToWindow(QWidget* Wnd, bool Restore);

// True when one of the program's windows is the active window.
bool IsForegroundTask();

// Centres a child widget in its parent, a window on its screen; a negative position becomes 0.
void CenterControl(QWidget* Control);
// Centres a window on its screen and keeps its top-left corner on the screen.
void CenterWindow(QWidget* Wnd);
// The primary screen's area without panels and docks; empty without a screen.
gui::TRect ScreenWorkArea();
// The widget's class name (at most 255 characters).
std::string WindowClassName(const QWidget* Wnd);
// Shows, raises and activates the window.
void ActivateWindow(QWidget* Wnd);

// Handles events until MSecs milliseconds have passed on the program's clock.
void Delay(uint32_t MSecs);

// The cursor StartWait shows.
extern Qt::CursorShape& WaitCursor;
// Nested: the first StartWait shows WaitCursor over the whole program, the matching last
// StopWait puts the previous cursor back. A StopWait without a StartWait does nothing.
void StartWait();
void StopWait();

}  // namespace vclutils
