// Apputils: routines around the application and its profile storage: default profile names and
// sections, profile wrappers, line-break escaping, a form's window placement (written and read
// back, clamped to the screen), the open MDI children and a grid's column widths, finding,
// showing and creating forms, a unique file name in a folder, and a message to every form.
//
// Forms are window widgets (and the widgets of MDI sub-windows); a form class is its QMetaObject,
// whose Q_INVOKABLE constructor makes a form "through the application". An MDI form is a form
// holding a QMdiArea.
#pragma once

#include <QEvent>
#include <QMargins>
#include <QMetaObject>
#include <QTableView>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/dormant/ApputilsProfiles.h"
#include "gui/GdiTypes.h"

namespace apputils {

// --- unit globals --------------------------------------------------------------------------------

// When set, supplies the default profile-file name.
extern std::function<std::string()>& OnGetDefaultIniName;
// Company part of the default registry key; cleared by FinalizeApputils.
extern std::string& DefCompanyName;
// Build the default registry key from the application title.
extern bool& RegUseAppTitle;
// The unit's finalization.
void FinalizeApputils();

// The application's main form: null until the program names one.
QWidget* MainForm();
void SetMainForm(QWidget* form);

// --- default names ------------------------------------------------------------------------------

// OnGetDefaultIniName's name, else the program file's name with ".INI" for its extension and no
// folder (a profile named without a folder lives in the current folder: the program folder).
std::string GetDefaultIniName();
// "Software\" + [DefCompanyName + "\"] + the application title (RegUseAppTitle and a title) or
// the program file's name without its extension.
std::string GetDefaultIniRegKey();
// A form: its class name (TForm1); a control: its form's class name followed by its own name
// (TForm1ListBox1), or its parent's name and its own, or its own; another component: its name,
// or "TForm1.Name" when a form owns it. Empty for none.
std::string GetDefaultSection(const QObject* Component);
// The profile and section a control stores in: the IniFileName of the first form-placement
// component of its form, else the default one; the control's default section.
void GetDefaultIniData(const QObject* Control, std::string& IniFileName, std::string& Section,
                       bool UseRegistry);

// --- profile wrappers (a null profile does nothing and reads the default) -------------------------

std::string IniReadString(TProfileObject* IniFile, const std::string& Section,
                          const std::string& Ident, const std::string& Default);
void IniWriteString(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                    const std::string& Value);
int IniReadInteger(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                   int Default);
void IniWriteInteger(TProfileObject* IniFile, const std::string& Section,
                     const std::string& Ident, int Value);
bool IniReadBool(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                 bool Default);
void IniWriteBool(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                  bool Value);
void IniEraseSection(TProfileObject* IniFile, const std::string& Section);
void IniDeleteKey(TProfileObject* IniFile, const std::string& Section, const std::string& Ident);
void IniReadSections(TProfileObject* IniFile, gui::TStrings& Strings);

// --- line breaks in profile values (texts up to 4096 characters; longer: "Line too long") ---------

// Every line break (CR LF, LF CR, CR or LF) becomes the two characters "\n".
std::string StrToIniStr(const std::string& Str);
// Every "\n" becomes CR LF.
std::string IniStrToStr(const std::string& Str);

// --- window placement -----------------------------------------------------------------------------

// A window's placement as Windows describes it. Qt places no minimized or maximized
// window itself: those two positions are kept with the form and written as they are.
struct TWindowPlacement {
  int flags = 0;
  int showCmd = 1;
  gui::TPoint ptMinPosition{-1, -1};
  gui::TPoint ptMaxPosition{-1, -1};
  gui::TRect rcNormalPosition;
};
enum : int {
  SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_MINIMIZE = 6, SW_SHOWMINNOACTIVE = 7, SW_SHOWNA = 8,
  SW_RESTORE = 9,
};
enum : int { WPF_SETMINPOSITION = 1, WPF_RESTORETOMAXIMIZED = 2 };

TWindowPlacement GetWindowPlacement(const QWidget* Form);
// Sets the normal rectangle and the state the show command names; SW_HIDE keeps the window's
// state and visibility, the other commands show it.
void SetWindowPlacement(QWidget* Form, const TWindowPlacement& Placement);
// Keeps a new maximized position in the form's placement.
void SetMaximizedPosition(QWidget* Form, const gui::TPoint& Position);
// The screen size in the placement keys' "(WxH)": the display mode, else the primary screen.
gui::TPoint ScreenResolution();
// The screen's logical pixels per inch.
int ScreenPixelsPerInch();
// The rectangle moved (and, when Sizeable, shrunk) so that it lies, with the window frame
// around it, on the screens' free area.
// Sizes and positions are taken in 64 bits, as a stored rectangle may lie anywhere.
gui::TRect ClampToScreen(int64_t Left, int64_t Top, int64_t Width, int64_t Height, bool Sizeable,
                         const QMargins& Frame = {});
// A sizeable form: one the user may resize (its minimum and maximum sizes differ).
bool IsSizeableForm(const QWidget* Form);

// The placement keys: "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos(WxH)", "MinMaxPos",
// "NormPos(WxH)", "NormPos".
void WriteFormPlacement(QWidget* Form, TProfileObject* IniFile, const std::string& Section);
void WriteFormPlacementReg(QWidget* Form, TRegIniFile* IniFile, const std::string& Section);
// Reads them back: the position (clamped to the screen; a fixed-size form keeps its size) when
// LoadPosition, the state when LoadState.
void ReadFormPlacement(QWidget* Form, TProfileObject* IniFile, const std::string& Section,
                       bool LoadState, bool LoadPosition);
void ReadFormPlacementReg(QWidget* Form, TRegIniFile* IniFile, const std::string& Section,
                          bool LoadState, bool LoadPosition);
// Under the form's class name, in a profile file or under a registry key.
void SaveFormPlacement(QWidget* Form, const std::string& IniFileName, bool UseRegistry);
void RestoreFormPlacement(QWidget* Form, const std::string& IniFileName, bool UseRegistry);

// --- MDI children and grid columns ----------------------------------------------------------------

// Section "MDI Children": Count and Item0... the children's class names, the top one first.
// Raises EInvalidOperation "Cannot create form. No MDI forms are currently active" for a form
// that is no MDI form.
void SaveMDIChildren(QWidget* MainForm, TProfileObject* IniFile);
void SaveMDIChildrenReg(QWidget* MainForm, TRegIniFile* IniFile);
// Opens them again (found, or made by their registered class), the last first; a count larger
// than the items present is capped by them.
void RestoreMDIChildren(QWidget* MainForm, TProfileObject* IniFile);
void RestoreMDIChildrenReg(QWidget* MainForm, TRegIniFile* IniFile);
// The column widths as Item0..Item<n-1> under the grid's default section.
void SaveGridLayout(QTableView* Grid, TProfileObject* IniFile);
void SaveGridLayoutReg(QTableView* Grid, TRegIniFile* IniFile);
void RestoreGridLayout(QTableView* Grid, TProfileObject* IniFile);
void RestoreGridLayoutReg(QTableView* Grid, TRegIniFile* IniFile);

// --- forms ----------------------------------------------------------------------------------------

// Form classes known by name (for the MDI children).
void RegisterFormClass(const QMetaObject& FormClass);
const QMetaObject* FindFormClass(const std::string& ClassName);
// A new form of the class. Raises EInvalidOperation when the class cannot make one.
QWidget* CreateForm(const QMetaObject& FormClass);

QWidget* FindForm(const QMetaObject& FormClass);
// The first form of the class with that caption (any, for an empty one); made when there is
// none; restored when minimized; shown.
QWidget* FindShowForm(const QMetaObject& FormClass, const std::string& Caption);
// Makes the form, shows it modally and frees it: true for the results OK (1) and Yes (6) (a
// dialog's result, or a form's "ModalResult" property).
bool ShowDialog(const QMetaObject& FormClass);
QWidget* InstantiateForm(const QMetaObject& FormClass, QWidget*& Reference);

// --- other ----------------------------------------------------------------------------------------

// The first Format(FileNameMask, [i]) for i = 0, 1, ... that names no file in Path; "" when
// none is free. A mask without a number is tried once. Raises EConvertError "Format '%s' invalid
// or incompatible with argument" for a mask with other conversions.
std::string GetUniqueFileNameInDir(const std::string& Path, const std::string& FileNameMask);

// The message AppBroadcast sends: a form answers by setting Result.
class TBroadcastEvent : public QEvent {
public:
  TBroadcastEvent(int Msg, intptr_t WParam, intptr_t LParam)
      : QEvent(static_cast<QEvent::Type>(Msg)), WParam(WParam), LParam(LParam) {}
  intptr_t WParam;
  intptr_t LParam;
  intptr_t Result = 0;
};
// Sends the message (an event type from QEvent::User up) to every form in the screen's order;
// returns the last form's result.
intptr_t AppBroadcast(int Msg, intptr_t WParam, intptr_t LParam);

}  // namespace apputils
