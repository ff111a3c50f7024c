// The one instance of the control library's state, and the global names bound to it.
#include "controls/ControlsState.h"

#include <memory>

#include "controls/Pickdate.h"
#include "controls/Rxgif.h"
#include "controls/RxtimerClock.h"
#include "controls/VclutilsWindows.h"

namespace {

ControlsState state;

}  // namespace

Qt::CursorShape& vclutils::WaitCursor = state.WaitCursor;
int& vclutils::detail::WaitCount = state.WaitCount;
bool& rxgif::GIFLoadCorrupted = state.GIFLoadCorrupted;
std::unique_ptr<dateutil::FormatSettings>& dateutil::detail::Settings = state.DateFormatSettings;
std::function<TDateTime()>& dateutil::detail::NowFunction = state.DateNow;
std::shared_ptr<rxtimer::TTimerClock>& rxtimer::detail::DefaultClock = state.TimerClock;
gui::TPoint& pickdate::PopupCalendarSize = state.PopupCalendarSize;
rxgraph::TMappingMethod& rxgraph::DefaultMappingMethod = state.DefaultMappingMethod;

void ResetControlsState() {
  while (state.WaitCount > 0) vclutils::StopWait();
  std::destroy_at(&state);
  std::construct_at(&state);
}
