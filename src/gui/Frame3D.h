// Frame3D of the class library: a 3-D frame of lines, top and left in one colour, right and
// bottom in another.
#pragma once

#include "gui/Canvas.h"
#include "gui/Colors.h"
#include "gui/GdiTypes.h"

namespace gui {

// Draws `width` nested one-pixel frames inside r; r shrinks by each of them.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

}  // namespace gui
