// The viewer's state in one place: every global of src/viewer is a member of ViewerState, and
// the names the windows, skins and language files use (Form1, FullScreenOn, TvScreenWindow...)
// are references to these members, declared in ViewerGlobals.h and in the headers of the units
// that explain them. A global added to src/viewer goes here, or ResetViewerState misses it
// (tests/GlobalState.sh checks the libraries for mutable globals outside the states).
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/Channels.h"
#include "gui/Colors.h"
#include "viewer/RemoteKeys.h"
#include "viewer/TvWindowProc.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/VyxuScan.h"

class OsdWindow;
class TForm1;
class TForm2;
class TForm4;
class TForm6;
class TForm8;
class TvScreen;

namespace platform {
class NamedLock;
}

struct ViewerState {
  ViewerState();
  ~ViewerState();

  // The windows (Vyxu.h, Schu.h, Range.h, Clist.h, Remote.h); each sets its own at creation.
  TForm1* Form1 = nullptr;
  TForm2* Form2 = nullptr;
  TForm4* Form4 = nullptr;
  TForm6* Form6 = nullptr;
  TForm8* Form8 = nullptr;

  // Start-up and shut-down (ViewerGlobals.h, Startup.h, Schu.h)
  std::string ExeDir;
  int32_t DisplayWidth = 0;
  int32_t DisplayHeight = 0;
  int32_t DisplayRefresh = 0;
  int32_t StartVolume = 0;
  uint32_t SavedLineMute = 0;
  bool CaptureDriverConnected = false;
  std::unique_ptr<platform::NamedLock> RunningMutex;
  bool ExitAlarmFired = false;

  // Channel application (ViewerGlobals.h)
  bool ReSetBusy = false;
  float MasterVolumeLevel = 0;
  std::string TitleText;
  bool RadioLeftFullScreen = false;
  bool AltKeyDown = false;

  // TV window and full screen (ViewerGlobals.h, TvScreen.h, OsdWindow.h)
  QPointer<TvScreen> TvScreenWindow;
  QPointer<QWidget> TvParentWindow;  // owned
  std::function<void()> TvFirstFramePainted;
  QPointer<OsdWindow> OsdChannelWindow;
  QPointer<OsdWindow> OsdValueWindow;
  bool FullScreenOn = false;
  bool FsModeSwitched = false;
  int32_t FsWidth = 0;
  int32_t FsHeight = 0;
  WindowPlacement FsPlacement;
  int32_t FsPanelLeft = 0;
  int32_t FsPanelTop = 0;
  int32_t SavedMasterVolume = 0;
  std::atomic<bool> ExternalProgramEnded{false};

  // TV window procedure (TvWindowProc.h)
  bool TvLeftDown = false;
  bool TvRightDown = false;
  bool TvFirstMove = false;
  bool TvMoving = false;
  bool TvEdgeHit = false;
  bool TvEdgeLeft = false;
  bool TvEdgeRight = false;
  bool TvEdgeTop = false;
  bool TvEdgeBottom = false;
  int TvGrabX = 0;
  int TvGrabY = 0;
  int TvBandX = 0;
  int TvBandY = 0;
  TvRect TvNewRect;

  // Snapshots (Snapshot.h)
  QImage SnapshotPreview;

  // The panel (ViewerGlobals.h)
  bool RolledUp = true;
  int32_t ChannelBeforeInput = 0;
  bool PanelHidden = false;
  std::thread WaiterThread;
  int32_t ExternalSettleTicks = 0;
  bool SchedulerRefillPending = false;
  std::array<ChannelRecord, 2> InputRowStash{};
  bool TitleDragging = false;
  int32_t TitleGrabX = 0;
  int32_t TitleGrabY = 0;
  bool ChannelUpHovered = false;
  bool ChannelDownHovered = false;
  gui::TColor SkinBeginColorActive = 0x000000;
  gui::TColor SkinEndColorActive = 0xFFFF00;
  gui::TColor SkinBeginColorUnactive = 0x000000;
  gui::TColor SkinEndColorUnactive = 0xBEBEBE;

  // Frequency scan (VyxuScan.h)
  double ScanFromMHz = 40.0;
  double ScanToMHz = 800.0;
  double ScanStepMHz = 1.0;
  double ScanFreqMHz = 0;
  uint32_t ScanFoundCount = 0;
  uint32_t PreviewTVSystem = 0;
  ScanCursor ScanPosition;
  bool ScanRunning = false;

  // Channel list (ClistGrid.h, Clist.h)
  std::array<ChannelRecord, kChannelRows> EditTable{};
  int32_t EditCount = 0;
  bool IsNT4 = false;

  // Command line (ViewerGlobals.h)
  int32_t CmdLineMode = 0;
  bool DebugConsole = false;

  // The scheduler (Schu.h)
  bool ScheduleFormReady = false;
  bool ChannelListChanged = false;
  bool RehookRequest = false;
  uint16_t ExitHour = 0;
  uint16_t ExitMinute = 0;
  int64_t SchedulerLastTick = 0;

  // The remote control and the no-signal check (RemoteKeys.h, Remote.h)
  std::array<uint16_t, kRemoteKeys> RemoteKeyTable{};
  bool MouseMode = false;
  bool LeftClickArmed = false;
  bool RightClickArmed = false;
  int32_t LeftClickCount = 0;
  int32_t RightClickCount = 0;
  uint8_t MouseButtonState = 0;
  QPoint RemoteCursorPos;
  uint64_t RemoteBusyUntil = 0;
  int32_t NoSignalSeconds = 0;
  bool MonitorOffActive = false;
  QPoint MonitorOffCursor;

  // Hot keys and command line (KeyboardHook.h, VyxuCmdLine.h)
  std::unique_ptr<QObject> KeyboardHook;
  bool KeyRepeatParity = false;
  std::vector<std::string> ProgramArguments;
};

// Back to the state of a program that has just started: closes the windows still open
// (CloseProgram) and the TV window's owner with everything on it, then gives every member its
// initial value. Tests call it; the program never needs to.
void ResetViewerState();

namespace viewer {

// The whole program's state: the viewer's, the recording window's, the settings dialog's and
// the card-control layer's, in that order (windows first, then what they used).
void ResetProgramState();

}  // namespace viewer
