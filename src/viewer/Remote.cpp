// The remote window: its timers and the 20 ms poll of the card's receiver.
#include "viewer/Remote.h"

#include <cstdio>

#include "core/CBT848.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "viewer/RemoteKeys.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr unsigned kPollMs = 20;
constexpr unsigned kKeepAwakeMs = 59000;
constexpr unsigned kSecondMs = 1000;

// A frequency scan owns the tuner while it runs.
bool scanRunning() { return ScanInProgress(); }

}  // namespace

TForm8::TForm8(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form8 = this;
  setObjectName("Form8");
  LoadRemoteParams();
  LoadRemoteKeyCodes();
  Timer1.SetEnabled(false);
  Timer1.SetInterval(kPollMs);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
  Timer1.SetEnabled(Settings.Remote != 0);
  Timer2.SetInterval(kKeepAwakeMs);
  Timer2.SetOnTimer([this](gui::TTimer*) { Timer2Timer(); });
  Timer3.SetInterval(kSecondMs);
  Timer3.SetEnabled(Settings.MonitorPowerOffIfNoSignal != 0);
  Timer3.SetOnTimer([this](gui::TTimer*) { Timer3Timer(); });
  Timer4.SetInterval(kSecondMs);
  Timer4.SetOnTimer([this](gui::TTimer*) { Timer4Timer(); });
}

// Skipped while a scan tunes the channels, and while the last key's repeat delay runs. A chip
// object that failed has nothing to read: the poll goes on quietly (the settings dialog may open
// the card again) instead of reporting the error fifty times a second.
void TForm8::Timer1Timer() {
  if (scanRunning() || !CardDevice) return;
  if (platform::MonotonicMs() < RemoteBusyUntil) return;
  try {
    const auto code = uint16_t(CardDevice->ReadRemote(CurrentRemoteDecoding()));
    const uint8_t key = TranslateRemoteCode(code);
    if (DebugConsole) {
      std::printf("Code = 0x%X\n", unsigned(code));
      std::fflush(stdout);
    }
    ActOnRemoteKey(key);  // it reads the cursor itself when its key moves it
  } catch (const CExcept&) {
  }
}

void TForm8::Timer4Timer() {
  Timer3.SetEnabled(Settings.MonitorPowerOffIfNoSignal != 0 && !scanRunning());
}
