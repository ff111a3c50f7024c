// The installable driver's start-up exchange and the thread that waits for the external capture
// program.
#include <QApplication>
#include <QToolButton>

#include <array>
#include <thread>

#include "platform/InstallableDriver.h"
#include "platform/ProcessLauncher.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr const char* kLr25Name = "Lr25.dll";
constexpr uint32_t kLr25Query = 0x4CF;
constexpr uint32_t kLr25Set = 0x4CE;

}  // namespace

void TalkToInstallableDriver() {
  auto driver = platform::InstallableDriverBackend::current().open(kLr25Name);
  if (!driver) return;
  std::array<uint8_t, 16> block{};
  driver->sendMessage(kLr25Query, block);
  // The block's second 32-bit word := 1, little-endian as the driver reads it.
  block[4] = 1;
  block[5] = block[6] = block[7] = 0;
  driver->sendMessage(kLr25Set, block);
}

void StartExternalProgramWaiter(std::shared_ptr<platform::LaunchedProcess> process) {
  std::thread([process = std::move(process)] {
    process->wait();
    ExternalProgramEnded.store(true);
    // Widgets belong to the GUI thread: the button is enabled there.
    QMetaObject::invokeMethod(
        qApp, [] { if (Form1) Form1->SpeedButton3->setEnabled(true); }, Qt::QueuedConnection);
  }).detach();
}
