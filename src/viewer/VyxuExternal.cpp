// The installable driver's start-up exchange and the thread that waits for the external capture
// program.
#include <QApplication>
#include <QPointer>
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
  // A previous waiter has normally ended (the button stays disabled until it does); one still
  // waiting is let go rather than waited for on the GUI thread.
  if (WaiterThread.joinable()) WaiterThread.detach();
  // The button of the panel that started the program; a later panel (a test's) is not touched.
  QPointer<QToolButton> button = Form1 ? Form1->SpeedButton3 : nullptr;
  WaiterThread = std::thread([process = std::move(process), button]() mutable {
    ExternalProgramWaiter(*process, std::move(button));
  });
}

// The program's handles close with the last reference to it, when this thread ends.
void ExternalProgramWaiter(platform::LaunchedProcess& process, QPointer<QToolButton> button) {
  process.wait();
  // Widgets belong to the GUI thread: the flag is raised there too, together with the button,
  // and only while the panel that started the program still exists.
  QMetaObject::invokeMethod(
      qApp,
      [button] {
        if (!button) return;
        ExternalProgramEnded.store(true);
        button->setEnabled(true);
      },
      Qt::QueuedConnection);
}
