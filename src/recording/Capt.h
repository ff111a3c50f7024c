// TForm3, the capture window "Capture". Its constructor restores the WAV recording format from
// the registry.
// LATER(recording window: its pages, AVI capture and WAV recording)
#pragma once

#include <QWidget>

#include "recording/WaveFormat.h"

namespace rxslider {
class TRxSlider;
}

class TForm3 : public QWidget {
public:
  explicit TForm3(QWidget* owner = nullptr);

  // The master volume, kept equal to the panel's while the window is not shown.
  // LATER(capture window): the slider itself, with the window's layout.
  rxslider::TRxSlider* RxSlider6 = nullptr;
};

extern TForm3*& Form3;
// Set when the constructor has finished.
extern bool& CaptureFormCreated;
// Raised by the main panel when it shows the window; the window's show-time set-up consumes it.
extern bool& CaptureFormShown;
// True while an AVI capture runs: the TV window then ignores the mouse.
extern bool& AviCaptureRunning;
// True while the TV window shows the preview rather than the overlay (a snapshot holds it for
// its duration).
extern bool& TvPreviewMode;
