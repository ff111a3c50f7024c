// The one instance of the control library's state, and the global names bound to it.
#include "controls/ControlsState.h"

#include <memory>

#include "controls/Pickdate.h"
#include "controls/Rxgif.h"
#include "controls/RxtimerClock.h"
#include "controls/VclutilsWindows.h"
#include "controls/dormant/Apputils.h"
#include "controls/dormant/Rxprgrss.h"
#include "controls/dormant/RxhookList.h"

namespace {

ControlsState state;

}  // namespace

ControlsState::ControlsState() = default;
ControlsState::~ControlsState() = default;

Qt::CursorShape& vclutils::WaitCursor = state.WaitCursor;
int& vclutils::detail::WaitCount = state.WaitCount;
bool& rxgif::GIFLoadCorrupted = state.GIFLoadCorrupted;
std::unique_ptr<dateutil::FormatSettings>& dateutil::detail::Settings = state.DateFormatSettings;
std::function<TDateTime()>& dateutil::detail::NowFunction = state.DateNow;
std::shared_ptr<rxtimer::TTimerClock>& rxtimer::detail::DefaultClock = state.TimerClock;
gui::TPoint& pickdate::PopupCalendarSize = state.PopupCalendarSize;
rxgraph::TMappingMethod& rxgraph::DefaultMappingMethod = state.DefaultMappingMethod;
std::unique_ptr<rxprgrss::detail::ProgressList>& rxprgrss::detail::List = state.ProgressList;
std::unique_ptr<rxhook::THookList>& rxhook::detail::List = state.HookList;
std::function<std::string()>& apputils::OnGetDefaultIniName = state.OnGetDefaultIniName;
std::string& apputils::DefCompanyName = state.DefCompanyName;
bool& apputils::RegUseAppTitle = state.RegUseAppTitle;
QPointer<QWidget>& apputils::detail::MainForm = state.MainForm;
std::map<std::string, const QMetaObject*>& apputils::detail::FormClasses = state.FormClasses;

void ResetControlsState() {
  while (state.WaitCount > 0) vclutils::StopWait();
  std::destroy_at(&state);
  std::construct_at(&state);
}
