// The control library's state in one place: every mutable global of src/controls is a member
// of ControlsState. The published names (vclutils::WaitCursor, rxgif::GIFLoadCorrupted) are
// references to their members, declared in their units' headers; the units' private ones are
// declared below. A global added to src/controls goes here, or ResetControlsState misses it
// (tests/GlobalState.sh checks the libraries for mutable globals outside the states).
//
// Not state and so not here: what is derived from constants (the case tables, the glyph cache)
// and the GIF unit's registration with the picture classes (made once, as the unit starts).
#pragma once

#include <Qt>

#include <functional>
#include <memory>

#include "controls/dormant/Rxgraph.h"
#include "controls/utils/Dateutil.h"
#include "gui/GdiTypes.h"

namespace rxtimer {
class TTimerClock;
}  // namespace rxtimer

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
};

namespace vclutils::detail {
extern int& WaitCount;
}  // namespace vclutils::detail

namespace dateutil::detail {
extern std::unique_ptr<FormatSettings>& Settings;
extern std::function<TDateTime()>& NowFunction;
}  // namespace dateutil::detail

namespace rxtimer::detail {
extern std::shared_ptr<TTimerClock>& DefaultClock;
}  // namespace rxtimer::detail

// Ends a wait cursor still shown and gives every member its initial value.
void ResetControlsState();
