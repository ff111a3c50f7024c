// Helpers shared by the Rxctrls controls that the control library's toolbox (Vclutils) does not
// offer: the one-pixel 3-D frame and the control under the mouse cursor.
#pragma once

#include <QWidget>

#include "gui/Canvas.h"
#include "gui/Colors.h"
#include "gui/GdiTypes.h"

namespace rxctrls::detail {

// The class library's 3-D frame of one pixel: top and left in topColor, bottom and right in
// bottomColor; the rectangle shrinks by one pixel on every side.
void frame3D(gui::TCanvas& canvas, gui::TRect& rect, gui::TColor topColor, gui::TColor bottomColor);

// The widget under the mouse cursor, disabled ones included, or nullptr.
QWidget* controlAtCursor();

}  // namespace rxctrls::detail
