// Switching the computer off.
#pragma once

namespace platform {

class SystemShutdown {
public:
  virtual ~SystemShutdown() = default;
  // Asks the system to power off; true when the request was accepted. The program goes on
  // running until the system ends it.
  virtual bool powerOff() = 0;

  // The simulated machine (which never powers off) under the simulation switch, else logind.
  static SystemShutdown& current();
};

}  // namespace platform
