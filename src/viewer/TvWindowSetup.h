// The TV window's life: made at start-up with its OSD windows and connected to the capture
// driver, let go while an external capture program uses the card, made again when that program
// has ended, destroyed at the shut-down. Every function is safe when there is no TV window.
#pragma once

#include <QPointer>

#include <memory>

// Creates TvParentWindow (once), the TV window at the stored rectangle, the OSD windows (when
// OSDEnabled) and connects the driver with overlay on and a 66 ms preview rate.
void CreateTvWindow();
// Creates the TV window again after the external capture program: the OSD windows are 200 x 20
// with id 10006; the driver is connected and the overlay switched on.
void RebuildTvWindow();
// Destroys the TV window and its OSD windows.
void DestroyTvWindow();
// Asks the TV window and one OSD window (when they exist) to repaint.
void RepaintOsd(bool channelWindow);

// The start-up exchange with the installable driver Lr25.dll, when it exists: a query that fills
// a 16-byte block, then the block sent back with its second word set to 1.
void TalkToInstallableDriver();

namespace platform {
class LaunchedProcess;
}
class QToolButton;
// Starts WaiterThread on ExternalProgramWaiter for a program just started.
void StartExternalProgramWaiter(std::shared_ptr<platform::LaunchedProcess> process);
// Waits for the external capture program to end; then the GUI thread raises
// ExternalProgramEnded and enables the capture button `button` (when that still exists). The
// housekeeping tick rebuilds the TV window.
void ExternalProgramWaiter(platform::LaunchedProcess& process, QPointer<QToolButton> button);
