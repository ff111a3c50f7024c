#include "platform/DisplayMode.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdlib>

#include "platform/DisplayModeSim.h"
#include "platform/DisplayModeXrandr.h"
#include "platform/Environment.h"

namespace platform {

// The emergency restore. One display mode can be armed at a time (there is one display). Arming
// registers an exit handler once and installs handlers for the fatal signals; disarming puts the
// previous signal handlers back.
//
// In a signal handler the restore is best effort: the backend acts through a display connection
// of its own, opened before arming and used by nothing else, so the interrupted code cannot hold
// it; Xlib may still take a global lock or allocate. An alarm set first ends the process if the
// restore hangs. Then the signal goes on to the handler that was there before us (or the
// default action): a signal sent by someone is raised again; a fault is left to happen again
// when the handler returns, with its true details.
class EmergencyRestore {
public:
  static void arm(DisplayMode* mode) {
    if (!exitHandlerRegistered_) exitHandlerRegistered_ = std::atexit(onExit) == 0;
    if (armed_.exchange(mode) == nullptr) installHandlers();
  }

  static void disarm() {
    if (armed_.exchange(nullptr) != nullptr) removeHandlers();
  }

private:
  static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGSEGV, SIGABRT};
  static constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
  static constexpr unsigned kHangLimitSeconds = 3;

  static void run() noexcept {
    if (DisplayMode* mode = armed_.exchange(nullptr)) mode->restoreInEmergency();
  }

  static void onExit() { run(); }

  static void onSignal(int sig, siginfo_t* info, void*) {
    struct sigaction alarmDefault {};
    alarmDefault.sa_handler = SIG_DFL;
    sigaction(SIGALRM, &alarmDefault, nullptr);
    unsigned pendingAlarm = alarm(kHangLimitSeconds);
    run();
    alarm(pendingAlarm);
    for (int i = 0; i < kSignalCount; ++i)
      if (kSignals[i] == sig) sigaction(sig, &previous_[i], nullptr);
    // A fault comes back by itself when the faulting instruction runs again; any other signal
    // (sent, or from the terminal) must be raised again. It stays blocked until we return.
    bool fault = sig == SIGSEGV && info != nullptr && info->si_code > 0;
    if (!fault) raise(sig);
  }

  // A signal the program ignores does not end it: it is left alone.
  static void installHandlers() {
    struct sigaction action {};
    action.sa_sigaction = onSignal;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) {
      sigaction(kSignals[i], nullptr, &previous_[i]);
      installed_[i] = previous_[i].sa_handler != SIG_IGN;
      if (installed_[i]) sigaction(kSignals[i], &action, nullptr);
    }
  }

  static void removeHandlers() {
    for (int i = 0; i < kSignalCount; ++i)
      if (installed_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
  }

  static inline std::atomic<DisplayMode*> armed_{nullptr};
  static inline bool exitHandlerRegistered_ = false;
  static inline struct sigaction previous_[kSignalCount] = {};
  static inline bool installed_[kSignalCount] = {};
};

bool DisplayMode::setMode(const ScreenMode& mode) {
  if (!changed_) {
    original_ = currentMode();
    if (!original_ || !saveOriginal()) return false;
  }
  if (!applyMode(mode)) return false;
  changed_ = currentMode() != original_;
  if (changed_)
    EmergencyRestore::arm(this);
  else
    EmergencyRestore::disarm();
  return true;
}

bool DisplayMode::restore() {
  if (!changed_) return true;
  EmergencyRestore::disarm();
  changed_ = false;
  return restoreOriginal();
}

DisplayMode& DisplayMode::current() {
  if (SimulationEnabled()) return SimDisplayMode();
  return XrandrDisplayMode();
}

}  // namespace platform
