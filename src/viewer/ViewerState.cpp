// The one instance of the viewer's state, and the global names bound to it.
#include "viewer/ViewerState.h"

#include <memory>

#include "core/CoreState.h"
#include "platform/NamedLock.h"
#include "recording/RecordingState.h"
#include "settings/SettingsDialogState.h"
#include "viewer/KeyboardHook.h"
#include "viewer/OsdWindow.h"
#include "viewer/Remote.h"
#include "viewer/Schu.h"
#include "viewer/Startup.h"
#include "viewer/TvScreen.h"
#include "viewer/VyxuCmdLine.h"

ViewerState::ViewerState() = default;
// A waiting thread still blocked on its program is let go: it touches nothing of the state (it
// posts to the panel it was started for, which is gone by then).
ViewerState::~ViewerState() {
  if (WaiterThread.joinable()) WaiterThread.detach();
}

namespace {

ViewerState state;

}  // namespace

TForm1*& Form1 = state.Form1;
TForm2*& Form2 = state.Form2;
TForm4*& Form4 = state.Form4;
TForm6*& Form6 = state.Form6;
TForm8*& Form8 = state.Form8;

std::string& ExeDir = state.ExeDir;
int32_t& DisplayWidth = state.DisplayWidth;
int32_t& DisplayHeight = state.DisplayHeight;
int32_t& DisplayRefresh = state.DisplayRefresh;
int32_t& StartVolume = state.StartVolume;
uint32_t& SavedLineMute = state.SavedLineMute;
bool& CaptureDriverConnected = state.CaptureDriverConnected;
std::unique_ptr<platform::NamedLock>& RunningMutex = state.RunningMutex;
bool& ExitAlarmFired = state.ExitAlarmFired;

bool& ReSetBusy = state.ReSetBusy;
float& MasterVolumeLevel = state.MasterVolumeLevel;
const std::array<const char*, 3> InputNames = {" TV", "AV", "SVHS"};
std::string& TitleText = state.TitleText;
bool& RadioLeftFullScreen = state.RadioLeftFullScreen;
bool& AltKeyDown = state.AltKeyDown;

QPointer<TvScreen>& TvScreenWindow = state.TvScreenWindow;
QPointer<QWidget>& TvParentWindow = state.TvParentWindow;
std::function<void()>& TvFirstFramePainted = state.TvFirstFramePainted;
QPointer<OsdWindow>& OsdChannelWindow = state.OsdChannelWindow;
QPointer<OsdWindow>& OsdValueWindow = state.OsdValueWindow;
bool& FullScreenOn = state.FullScreenOn;
bool& FsModeSwitched = state.FsModeSwitched;
int32_t& FsWidth = state.FsWidth;
int32_t& FsHeight = state.FsHeight;
WindowPlacement& FsPlacement = state.FsPlacement;
int32_t& FsPanelLeft = state.FsPanelLeft;
int32_t& FsPanelTop = state.FsPanelTop;
int32_t& SavedMasterVolume = state.SavedMasterVolume;
std::atomic<bool>& ExternalProgramEnded = state.ExternalProgramEnded;

bool& TvLeftDown = state.TvLeftDown;
bool& TvRightDown = state.TvRightDown;
bool& TvFirstMove = state.TvFirstMove;
bool& TvMoving = state.TvMoving;
bool& TvEdgeHit = state.TvEdgeHit;
bool& TvEdgeLeft = state.TvEdgeLeft;
bool& TvEdgeRight = state.TvEdgeRight;
bool& TvEdgeTop = state.TvEdgeTop;
bool& TvEdgeBottom = state.TvEdgeBottom;
int& TvGrabX = state.TvGrabX;
int& TvGrabY = state.TvGrabY;
int& TvBandX = state.TvBandX;
int& TvBandY = state.TvBandY;
TvRect& TvNewRect = state.TvNewRect;

QImage& SnapshotPreview = state.SnapshotPreview;

bool& RolledUp = state.RolledUp;
int32_t& ChannelBeforeInput = state.ChannelBeforeInput;
bool& PanelHidden = state.PanelHidden;
std::thread& WaiterThread = state.WaiterThread;
int32_t& ExternalSettleTicks = state.ExternalSettleTicks;
bool& SchedulerRefillPending = state.SchedulerRefillPending;
std::array<ChannelRecord, 2>& InputRowStash = state.InputRowStash;
bool& TitleDragging = state.TitleDragging;
int32_t& TitleGrabX = state.TitleGrabX;
int32_t& TitleGrabY = state.TitleGrabY;
bool& ChannelUpHovered = state.ChannelUpHovered;
bool& ChannelDownHovered = state.ChannelDownHovered;
gui::TColor& SkinBeginColorActive = state.SkinBeginColorActive;
gui::TColor& SkinEndColorActive = state.SkinEndColorActive;
gui::TColor& SkinBeginColorUnactive = state.SkinBeginColorUnactive;
gui::TColor& SkinEndColorUnactive = state.SkinEndColorUnactive;

double& ScanFromMHz = state.ScanFromMHz;
double& ScanToMHz = state.ScanToMHz;
double& ScanStepMHz = state.ScanStepMHz;
double& ScanFreqMHz = state.ScanFreqMHz;
uint32_t& ScanFoundCount = state.ScanFoundCount;
uint32_t& PreviewTVSystem = state.PreviewTVSystem;
ScanCursor& ScanPosition = state.ScanPosition;
bool& ScanRunning = state.ScanRunning;

std::array<ChannelRecord, kChannelRows>& EditTable = state.EditTable;
int32_t& EditCount = state.EditCount;
bool& IsNT4 = state.IsNT4;

int32_t& CmdLineMode = state.CmdLineMode;
bool& DebugConsole = state.DebugConsole;

bool& ScheduleFormReady = state.ScheduleFormReady;
bool& ChannelListChanged = state.ChannelListChanged;
bool& RehookRequest = state.RehookRequest;
uint16_t& ExitHour = state.ExitHour;
uint16_t& ExitMinute = state.ExitMinute;
int64_t& SchedulerLastTick = state.SchedulerLastTick;

std::array<uint16_t, kRemoteKeys>& RemoteKeyTable = state.RemoteKeyTable;
bool& MouseMode = state.MouseMode;
bool& LeftClickArmed = state.LeftClickArmed;
bool& RightClickArmed = state.RightClickArmed;
int32_t& LeftClickCount = state.LeftClickCount;
int32_t& RightClickCount = state.RightClickCount;
uint8_t& MouseButtonState = state.MouseButtonState;
QPoint& RemoteCursorPos = state.RemoteCursorPos;
uint64_t& RemoteBusyUntil = state.RemoteBusyUntil;
int32_t& NoSignalSeconds = state.NoSignalSeconds;
bool& MonitorOffActive = state.MonitorOffActive;
QPoint& MonitorOffCursor = state.MonitorOffCursor;

std::unique_ptr<QObject>& KeyboardHook = state.KeyboardHook;
bool& KeyRepeatParity = state.KeyRepeatParity;
std::vector<std::string>& ProgramArguments = state.ProgramArguments;

void ResetViewerState() {
  viewer::CloseProgram();
  // The TV window is a child of its owner unless it was given a taskbar button of its own.
  delete state.TvScreenWindow.data();
  delete state.TvParentWindow.data();
  // Every member back to its initial value; the names above stay bound to the same storage.
  std::destroy_at(&state);
  std::construct_at(&state);
}

namespace viewer {

void ResetProgramState() {
  ResetViewerState();
  ResetRecordingState();
  ResetSettingsDialogState();
  ResetCoreState();
}

}  // namespace viewer
