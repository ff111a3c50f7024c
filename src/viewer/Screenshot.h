// Switches for demonstrations and measurements, read from the environment at start:
//   VYX_SCREENSHOT=FILE        after VYX_SCREENSHOT_DELAY ms (default 3000) the visible windows
//                              are drawn into FILE (PNG) and the program ends by its orderly
//                              shut-down;
//   VYX_FIRST_FRAME_NOTICE=1   the line "first frame painted" goes to standard output when the
//                              TV window has painted its first picture.
#pragma once

#include <QImage>

// The program's visible windows as they lie on the desktop, the TV window below the panel.
QImage ComposeScreenshot();

// Before the start: the first-frame notice, when the environment asks for it.
void InstallFirstFrameNoticeFromEnvironment();
// Once every window exists: the screenshot, when the environment asks for one (its handler
// reaches every window).
void ScheduleScreenshotFromEnvironment();
