// Drawing and window helpers shared by the Rxctrls controls: greyed glyphs, shortened texts,
// the picture under a control, 3-D frames, the foreground test and the control under the mouse
// cursor.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Colors.h"
#include "gui/ImageList.h"

namespace rxctrls::detail {

// The embossed image of a disabled glyph: on the button face, the pixels of `outline` are
// stamped in the button highlight one pixel down and right, then in the button shadow in place.
// TODO(merge): use Vclutils::CreateDisabledBitmap
std::unique_ptr<gui::TBitmap> createDisabledBitmap(const gui::TBitmap& bitmap, gui::TColor outline);

// The opaque pixels of an image-list entry stamped at (x + 1, y + 1) in `highlight` and at
// (x, y) in `gray`. An index outside the list stamps nothing.
// TODO(merge): use Vclutils::ImageListDrawDisabled
void imageListDrawDisabled(const gui::TImageList& images, gui::TCanvas& canvas, int x, int y,
                           int index, gui::TColor highlight, gui::TColor gray);

// The text when it fits into maxWidth pixels of the canvas's font; otherwise ever shorter
// beginnings followed by "...", the first dropping two characters, down to "..." alone.
// TODO(merge): use Vclutils::MinimizeText
std::string minimizeText(const std::string& text, const gui::TCanvas& canvas, int maxWidth);

// Paints into dest (whose (0, 0) is the control's top-left corner) what lies under the control:
// the parent's own painting and the visible siblings stacked below the control.
// TODO(merge): use Vclutils::CopyParentImage
void copyParentImage(QWidget* control, gui::TCanvas& dest);

// True when one of the program's windows is the active window.
// TODO(merge): use Vclutils::IsForegroundTask
bool isForegroundTask();

// The class library's 3-D frame of one pixel: top and left in topColor, bottom and right in
// bottomColor; the rectangle shrinks by one pixel on every side.
void frame3D(gui::TCanvas& canvas, gui::TRect& rect, gui::TColor topColor, gui::TColor bottomColor);

// The widget under the mouse cursor, disabled ones included, or nullptr.
QWidget* controlAtCursor();

}  // namespace rxctrls::detail
