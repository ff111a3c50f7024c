// Whether the machine has any wave-input (sound recording) device at all. The program will not
// start without one.
#pragma once

namespace platform {

class WaveInputDevices {
public:
  virtual ~WaveInputDevices() = default;
  // True when at least one device can record.
  virtual bool anyPresent() = 0;

  // The simulated machine's answer under the simulation switch, else ALSA's.
  static WaveInputDevices& current();
};

}  // namespace platform
