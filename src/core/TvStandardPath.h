// The TV-standard path for capture drivers that own the video decoder: such a driver must be told
// the standard too, or it goes on decoding the old one. Attaching binds the machine's first
// video capture device and keeps it for as long as the path is attached; the standard is then
// passed to it as an analog video standard mask. The main panel publishes these operations.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {
class CaptureDevice;
}

// True while the path is attached. Set by its callers (start-up, settings dialog) after a
// successful ComAttach; read by SetTVSystem and the shut-down.
extern bool& ComActive;

// What an attach holds: the path itself and the bound device, if the machine has one.
struct TvStandardPathBinding {
  bool attached = false;
  std::unique_ptr<platform::CaptureDevice> device;
};
extern TvStandardPathBinding& StandardPath;

// Binds the first video capture device; true also when the machine has none (then nothing is
// bound). False only when the devices cannot be looked through. Attaching again releases the
// earlier binding first.
bool ComAttach();
// Releases whatever ComAttach bound; harmless when nothing is attached.
void ComDetach();
// Tells the bound device's decoder the standard of `mask`. Does nothing without a bound device,
// on a device without a decoder, and for a mask that names no standard (0, automatic).
void ComSetTVSystem(uint32_t mask);
// Stop and run the attached path; true on failure (nothing attached), false on success.
bool ComStopPreview();
bool ComStartPreview();
