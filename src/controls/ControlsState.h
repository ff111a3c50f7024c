// The control library's state in one place: every mutable global of src/controls is a member
// of ControlsState. The published names (vclutils::WaitCursor, rxgif::GIFLoadCorrupted) are
// references to their members, declared in their units' headers; the units' private ones are
// declared below. A global added to src/controls goes here, or ResetControlsState misses it
// (tests/GlobalState.sh checks the libraries for mutable globals outside the states).
//
// Not state and so not here: what is derived from constants (the case tables, the glyph cache)
// and the GIF unit's registration with the picture classes (made once, as the unit starts).
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <Qt>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "controls/dormant/Rxgraph.h"
#include "controls/utils/Dateutil.h"
#include "gui/GdiTypes.h"

namespace rxtimer {
class TTimerClock;
}  // namespace rxtimer

namespace rxprgrss::detail {
struct ProgressList;
}  // namespace rxprgrss::detail
namespace rxhook {
class THookList;
}  // namespace rxhook

struct ControlsState {
  // Vclutils (VclutilsWindows.h): the cursor StartWait shows, and how deep StartWait calls nest.
  Qt::CursorShape WaitCursor = Qt::WaitCursor;
  int WaitCount = 0;
  // Rxgif (Rxgif.h): damaged GIF data is read as far as it goes.
  bool GIFLoadCorrupted = true;
  // Dateutil (Dateutil.h): the regional settings in use (none until asked for: then the
  // system's) and the clock that replaces the local one (empty: the local clock).
  std::unique_ptr<dateutil::FormatSettings> DateFormatSettings;
  std::function<TDateTime()> DateNow;
  // Rxtimer (RxtimerClock.h): the clock new threaded timers take (empty: real time).
  std::shared_ptr<rxtimer::TTimerClock> TimerClock;
  // Pickdate (Pickdate.h): the drop-down calendar's size before its minimums.
  gui::TPoint PopupCalendarSize = {187, 124};
  // Rxgraph (Rxgraph.h): how true-colour bitmaps are reduced to 256 colours.
  rxgraph::TMappingMethod DefaultMappingMethod = rxgraph::mmHistogram;
  // Rxprgrss (dormant/Rxprgrss.h): the registered progress controls, made on first use.
  std::unique_ptr<rxprgrss::detail::ProgressList> ProgressList;
  // Rxhook (dormant/Rxhook.h): the control hooks, made on first use.
  std::unique_ptr<rxhook::THookList> HookList;
  // Apputils (dormant/Apputils.h): the default-name settings, the main form and the form classes
  // known by name.
  std::function<std::string()> OnGetDefaultIniName;
  std::string DefCompanyName;
  bool RegUseAppTitle = false;
  QPointer<QWidget> MainForm;
  std::map<std::string, const QMetaObject*> FormClasses;

  ControlsState();
  ~ControlsState();
};

namespace vclutils::detail {
extern int& WaitCount;
}  // namespace vclutils::detail

namespace rxprgrss::detail {
extern std::unique_ptr<ProgressList>& List;
}  // namespace rxprgrss::detail

namespace rxhook::detail {
extern std::unique_ptr<THookList>& List;
}  // namespace rxhook::detail

namespace apputils::detail {
extern QPointer<QWidget>& MainForm;
extern std::map<std::string, const QMetaObject*>& FormClasses;
}  // namespace apputils::detail

namespace dateutil::detail {
extern std::unique_ptr<FormatSettings>& Settings;
extern std::function<TDateTime()>& NowFunction;
}  // namespace dateutil::detail

namespace rxtimer::detail {
extern std::shared_ptr<TTimerClock>& DefaultClock;
}  // namespace rxtimer::detail

// Ends a wait cursor still shown and gives every member its initial value.
void ResetControlsState();
