// The program's own icon, a small TV set at 16 and 32 pixels, built in: the tray icon and the
// windows show it.
#pragma once

namespace gui {
class TIcon;
}

namespace appicon {

// The built-in resource that holds the icon (in the same folder as the built-in bitmaps).
inline constexpr const char* kApplicationIconResource = ":/bitmaps/VYX_TV.ico";

// Loads the program's icon into icon (both sizes).
void LoadApplicationIcon(gui::TIcon& icon);

}  // namespace appicon
