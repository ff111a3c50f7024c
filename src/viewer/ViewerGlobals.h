// The viewer's shared state: globals that start-up, the channel application, the TV window and
// the panel's handlers read and write on the GUI thread. The one value another thread touches
// (ExternalProgramEnded) is an atomic. Each name is bound to its member of ViewerState
// (ViewerState.h), which holds them all and resets them at once.
#pragma once

#include <QRect>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "core/Channels.h"
#include "gui/Colors.h"

// --- Start-up and shut-down
// The program folder with a trailing '/', made the current directory at start.
extern std::string& ExeDir;
// The desktop's size and refresh rate at start; full screen restores this mode.
extern int32_t& DisplayWidth;
extern int32_t& DisplayHeight;
extern int32_t& DisplayRefresh;
// The master volume slider's value at start (0..65); restored at exit with RestoreVolume.
extern int32_t& StartVolume;
// The card line's mute at start; set again at exit when it was on.
extern uint32_t& SavedLineMute;
// True from the panel's constructor until the shut-down: the capture driver may be
// disconnected.
extern bool& CaptureDriverConnected;

// --- Channel application
// True while TForm1::ReSet runs: the slider handlers then leave the OSD value text alone.
extern bool& ReSetBusy;
// The master volume slider's value 0..65.
extern float& MasterVolumeLevel;
// Names of the inputs by CurInput: " TV", "AV", "SVHS".
extern const std::array<const char*, 3> InputNames;
// The application title as ReSet last made it (at most kTitleTextMax characters).
constexpr size_t kTitleTextMax = 39;
extern std::string& TitleText;
// True when a switch to an FM radio channel left full screen; the next TV channel restores it.
extern bool& RadioLeftFullScreen;
// True while the Alt key is held (set by the keyboard hook).
extern bool& AltKeyDown;

// --- TV window and full screen
extern bool& FullScreenOn;
// Whether the full screen now on went through a display-mode change. Turning it off takes the
// same path back, whatever the FullScreen choice has become in between.
extern bool& FsModeSwitched;
// The display size the FullScreen choice asks for.
extern int32_t& FsWidth;
extern int32_t& FsHeight;
// The TV window's normal rectangle and whether it was shown, saved when full screen goes on.
struct WindowPlacement {
  QRect normal;
  bool valid = false;
};
extern WindowPlacement& FsPlacement;
// The panel's position saved before a display-mode change.
extern int32_t& FsPanelLeft;
extern int32_t& FsPanelTop;
// The master volume / 1000, saved around a display-mode change or the external program.
extern int32_t& SavedMasterVolume;
// Raised by the thread that waits for the external capture program, cleared by the panel's
// housekeeping tick.
extern std::atomic<bool>& ExternalProgramEnded;

// --- Panel state (the panel's handlers keep it)
// Mirror of CBState: true = unrolled.
extern bool& RolledUp;
// The tuner row that was current when the input label left the tuner for "AV".
extern int32_t& ChannelBeforeInput;
// The panel hidden by the user (its hide images); the tray's restore items clear it.
extern bool& PanelHidden;
// The thread that waits for the external capture program; one at a time, since the capture
// button stays disabled while the program runs.
extern std::thread& WaiterThread;
// Channel applications still due after the external capture program has started: it may set
// the card up its own way in its first seconds, so the channel is applied again twice, a second
// apart, from a timer rather than by sleeping on the GUI thread.
extern int32_t& ExternalSettleTicks;
// Set when the panel shows the scheduler: its program lists are filled again.
extern bool& SchedulerRefillPending;
// Copies of the "AV" and "SVHS" rows, taken when the channel list opens and written back by its
// "Ok".
extern std::array<ChannelRecord, 2>& InputRowStash;
// Dragging the panel by its title bar: the point grabbed, in the pressed control's coordinates.
extern bool& TitleDragging;
extern int32_t& TitleGrabX;
extern int32_t& TitleGrabY;
// The channel buttons showing their hover pictures.
extern bool& ChannelUpHovered;
extern bool& ChannelDownHovered;

// --- Caption colours of the panel's title gradient, set by the skin loader.
extern gui::TColor& SkinBeginColorActive;
extern gui::TColor& SkinEndColorActive;
extern gui::TColor& SkinBeginColorUnactive;
extern gui::TColor& SkinEndColorUnactive;

// --- Command line (set by the panel's start-up tick)
// The code of the last switch on the command line: 1 c, 2 s, 3 m, 4 h, 5 x, 6 t, 7 ?, 8 r, 9 w,
// 10 d; 0 without one. With s (2) a firing schedule entry switches the sound on again.
extern int32_t& CmdLineMode;
// Set by the switch d: the remote poll prints every code it reads.
extern bool& DebugConsole;
