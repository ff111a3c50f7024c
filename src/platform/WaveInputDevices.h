// The machine's wave-input (sound recording) devices: whether there is any at all (the program
// will not start without one) and their names for the recording window's device list.
#pragma once

#include <string>
#include <vector>

namespace platform {

class WaveInputDevices {
public:
  virtual ~WaveInputDevices() = default;
  // True when at least one device can record.
  virtual bool anyPresent() = 0;
  // The devices' names, in the order the wave input numbers them (0, 1, ...).
  virtual std::vector<std::string> names() = 0;
  // The name of the default device (number -1).
  virtual std::string defaultName() = 0;

  // The simulated machine's answer under the simulation switch, else ALSA's.
  static WaveInputDevices& current();
};

}  // namespace platform
