// The capture window's links to the viewer: the TV window it captures from, the panel's master
// volume, channel buttons and snapshot timer, showing the panel, quitting, and the desktop's
// file dialog and file opener.
#pragma once

// Fills CaptureLinks; called before the capture window is made.
void InstallCaptureLinks();
