// Skins: a folder below the program folder's SKINS holding a profile file skin.ini and the
// pictures it names. A skin re-dresses the main panel only: its colours, pictures, the places and
// sizes of its controls, their fonts, the slider and button bitmaps and the title gradient's
// colours. The program never writes a skin.
#pragma once

#include <string>
#include <string_view>

#include <QStringList>

#include "gui/Colors.h"

class QListWidget;

// Reads the skin named by the settings value Skin and applies it to the main panel at once. A
// skin folder or skin.ini that cannot be read changes nothing; a picture that does not load is
// skipped (its target is left empty, a slider keeps the default bitmaps). Callers finish with
// FinishSkin.
void LoadSkin();

// What both callers do after LoadSkin: the panel takes its background's size (width - 2), the
// option glyphs show their boxes' states and the channel buttons their released pictures.
void FinishSkin();

// A skin colour: "0xRRGGBB" (red first, either case of the x) or a decimal TColor (0x00BBGGRR):
// "0x0000FF" is blue, "255" red.
gui::TColor ParseSkinColor(std::string_view text);

// True when the text after the path's last '.' is "GIF" in any letter case.
bool IsGifFile(std::string_view path);

// "none", then every folder below the program folder's SKINS, in the order the system lists them.
QStringList SkinFolderNames();
// Fills the settings dialog's skin list with SkinFolderNames.
void FillSkinList(QListWidget* ListBox2);
void FillSkinList(QStringList& ListBox2);

// The skin.ini of the named skin below the program folder's SKINS, each name looked up in any
// letter case; empty when there is none.
std::string SkinIniPath(const std::string& skin);

// True when the settings value names no skin: empty, "none" or "NONE".
bool NoSkin(const std::string& skin);
