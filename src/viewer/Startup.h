// The program entry: the checks before any window exists (wave input, the running lock, the
// remote-control companion, the card probe), then the application, the seven windows in their
// order (the program's own start shows the TV window's first picture between the panel and the
// others) and the message loop.
#pragma once

#include <memory>
#include <string>

namespace platform {
class NamedLock;
}

// The companion program's lock and window.
inline constexpr const char* kCompanionLockName = "VyxVideoRemote";
inline constexpr const char* kCompanionWindowName = "VyxRemoteControl";
inline constexpr const char* kRunningLockName = "The_Vyx_98_running";
inline constexpr const char* kApplicationTitle = "The Vyx98";

inline constexpr const char* kNoWaveInputText =
    "Waveform-audio input devices is not present in the system!\nApplication terminated.";
inline constexpr const char* kNoWaveInputCaption = "Fatal error!";
inline constexpr const char* kCardNotFoundText = "Fatal Error - BT8X8 not found";
inline constexpr const char* kCardNotFoundCaption = "Error loading driver";

// The program's running lock, held from the start until CloseProgram.
extern std::unique_ptr<platform::NamedLock>& RunningMutex;

// Creates the named lock and keeps it in RunningMutex; false when the name already existed (a
// second copy runs), in which case nothing is kept.
bool CreateRunningMutex(const std::string& name);

// Switches the computer off (never on the simulated machine).
void ShutdownWindows();

namespace viewer {

// The exit code of a start that ended before the windows existed.
constexpr int kFatalStartExitCode = 1;

// The checks and the probe, then the title and the windows (TForm1, TForm2, TForm3, TForm4,
// TForm6, TForm7, TForm8), the panel shown. Needs the application. Returns 0 when the windows
// exist, else the exit code to end with.
int StartProgram();
// As StartProgram, but the TV window's first picture comes first: the message loop runs, user
// input held back, until the picture is on the screen (or a timer of the program is due, or
// 300 ms passed), then the windows that start hidden are built. The program's own start.
int StartProgramPictureFirst();
// Destroys the windows in reverse order and lets the running lock go (tests that ran the
// program in their own process).
void CloseProgram();
// The whole program: the application, StartProgramPictureFirst and the message loop.
int VyxMain(int argc, char** argv);

}  // namespace viewer
