// Clipicon: icons on the clipboard under the private format "Korvel Icon" (the icon file, next
// to a bitmap of the icon for other programs), and icons at their real size: the image of an
// icon file that suits the screen, in its own size rather than the standard icon size. Its
// start-up registers the format with TPicture as an icon format; that is all of the unit the
// program runs.
#pragma once

#include <memory>

#include "gui/Canvas.h"
#include "gui/Colors.h"
#include "gui/Icon.h"

namespace clipicon {

inline constexpr const char* kIconFormatName = "Korvel Icon";
// The clipboard format of kIconFormatName; set by the unit's start-up.
extern unsigned CF_ICON;

// The size the system gives an icon it has no size for.
inline constexpr int kSystemIconSize = 32;
// The class library's text when another program holds the clipboard.
inline constexpr const char* kCannotOpenClipboard = "Cannot open clipboard";

// Empties the clipboard and puts the icon there: as a bitmap of its real-size image on
// `BackColor` (with the bitmap's palette on a screen of 256 colours or fewer) and as the icon
// file under CF_ICON. When the clipboard refuses the icon file it keeps the bitmap. Raises
// gui::Exception kCannotOpenClipboard when the clipboard cannot be had.
void CopyIconToClipboard(const gui::TIcon& Icon, gui::TColor BackColor);
// The icon loads itself from the clipboard's CF_ICON data; nothing when there is none. Damaged
// data raises EInvalidGraphic and leaves the icon as it was.
void AssignClipboardIcon(gui::TIcon& Icon);
// A new icon from the clipboard's CF_ICON data; nullptr when there is none.
std::unique_ptr<gui::TIcon> CreateIconFromClipboard();

// The size of a real-size icon; kSystemIconSize for none or an empty one.
void GetIconSize(const gui::TIcon* Icon, int& W, int& H);
// An icon of the one image that suits the screen best, in its own size. The image: the first
// whose colour count (the directory's 16-bit field) equals the screen's, else the first with no
// more colours than the screen, replaced by each later one with more colours than the chosen
// one, else image 0. An icon file of type 0 (or none) gives the program's icon, any type but 1
// a copy of the icon. A directory or image beyond the icon's bytes raises EReadError, a damaged
// image EInvalidGraphic, a missing screen EOutOfResources.
std::unique_ptr<gui::TIcon> CreateRealSizeIcon(const gui::TIcon& Icon);
// The real-size icon drawn at (X, Y) in its own size.
void DrawRealSizeIcon(gui::TCanvas& Canvas, const gui::TIcon& Icon, int X, int Y);

// Calling it links this unit, and with it the registration of "Korvel Icon", into a program.
void clipicon_dummy();

}  // namespace clipicon
