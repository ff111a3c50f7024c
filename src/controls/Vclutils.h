// Vclutils: the control library's toolbox of free functions. This header declares the general
// ones (rectangle tests, resource bitmaps and icons, the not-implemented stop, message box,
// beep, environment) and includes the rest of the unit: bitmaps, text, windows and memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/GdiTypes.h"
#include "gui/Icon.h"

namespace vclutils {

enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };

// --- rectangles and points -------------------------------------------------------------------

int WidthOf(const gui::TRect& R);
int HeightOf(const gui::TRect& R);
// Unlike PtInRect, the right and bottom edges count as inside.
bool PointInRect(const gui::TPoint& P, const gui::TRect& R);
// Inside the polygon by the winding rule, as a region of its pixels.
bool PointInPolyRgn(const gui::TPoint& P, const std::vector<gui::TPoint>& Points);

// The colour as RGB with the palette-relative flag (0x02000000) set.
gui::TColor PaletteColor(gui::TColor Color);

// Every resource string of the control library passes through here; it is returned unchanged.
std::string ResStr(const std::string& S);

// --- resources ---------------------------------------------------------------------------------

// A resource identifier: a name, or a number (an identifier whose high 16 bits are zero).
class ResourceId {
public:
  ResourceId(const char* name) : name_(name ? name : "") {}
  ResourceId(std::string name) : name_(std::move(name)) {}
  ResourceId(int number) : number_(uint16_t(number)), isNumber_(true) {}

  bool IsNumber() const { return isNumber_; }
  uint16_t Number() const { return number_; }
  const std::string& Name() const { return name_; }
  // The decimal number, or the name.
  std::string Text() const { return isNumber_ ? std::to_string(number_) : name_; }

private:
  std::string name_;
  uint16_t number_ = 0;
  bool isNumber_ = false;
};

// A module's resources. On this platform a module is a folder of resource files, normally in
// the Qt resource system: a resource is the file whose name without its extension is the
// resource's name or decimal number, in any case (bitmaps: .bmp, .png or none; icons: .ico).
// The null module stands for the system's own resources, of which there are none here.
struct TModule {
  std::string folder;
  bool IsNull() const { return folder.empty(); }
};

// The program's own module (the built-in bitmaps).
TModule ProgramModule();

// Raises EResNotFound "Resource %s not found" with the identifier's number or name.
[[noreturn]] void ResourceNotFound(const ResourceId& ResID);

// A bitmap resource of the module, or nullptr when it is missing or damaged; never raises.
std::unique_ptr<gui::TBitmap> MakeModuleBitmap(const TModule& Module, const ResourceId& ResID);
std::unique_ptr<gui::TBitmap> MakeBitmap(const std::string& ResName);
std::unique_ptr<gui::TBitmap> MakeBitmapID(uint16_t ResID);
// An icon resource, or nullptr when there is none (or it is damaged).
std::unique_ptr<gui::TIcon> MakeModuleIcon(const TModule& Module, const ResourceId& ResID);
std::unique_ptr<gui::TIcon> MakeIcon(const std::string& ResName);
std::unique_ptr<gui::TIcon> MakeIconID(uint16_t ResID);

// --- messages ------------------------------------------------------------------------------------

// The text NotImplemented shows.
inline constexpr const char* kNotImplementedText = "This function is not implemented";

// Puts back the normal cursor, shows an information box with kNotImplementedText and ends the
// current operation silently (EAbort).
[[noreturn]] void NotImplemented();
// The message box with the given buttons and icon (platform MessageBoxFlags); its result.
int MsgBox(const std::string& Caption, const std::string& Text, unsigned Flags);
void Beep();
// An environment variable, at most 2048 characters of it; empty when it is not set.
std::string GetEnvVar(const std::string& VarName);

}  // namespace vclutils

#include "controls/VclutilsBitmaps.h"
#include "controls/utils/VclutilsMemory.h"
#include "controls/VclutilsText.h"
#include "controls/VclutilsWindows.h"
