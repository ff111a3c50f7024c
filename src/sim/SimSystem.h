// The simulated machine's operating-system services around start-up and shut-down: whether a
// wave-input device exists, the named locks held in the session, the remote-control companion
// program (its window and its lock), power-off and installable drivers. Every request goes to the
// system log (sim::SystemLog()); tests set the knobs below to make requests fail.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>

namespace sim {

class SimSystem {
public:
  // The lock the companion program holds while it runs, and its window's name.
  static constexpr const char* kCompanionLockName = "VyxVideoRemote";
  static constexpr const char* kCompanionWindowName = "VyxRemoteControl";

  // A wave-input device present, no locks held, no companion, power-off accepted, no drivers.
  // Leaves the log alone.
  void reset() { *this = SimSystem(); }

  // Wave input.
  void setWaveInputPresent(bool present) { waveInputPresent_ = present; }
  bool queryWaveInput();

  // Named locks: a name exists while its holder's handle is open or another process holds it.
  void setLockCreationFails(bool fails) { lockCreationFails_ = fails; }
  void setHeldElsewhere(const std::string& name, bool held);
  // Whether the name already existed; nothing when creation fails. The holder is the handle
  // that found the name free.
  std::optional<bool> createLock(const std::string& name);
  void closeLock(const std::string& name, bool holder);
  bool lockHeld(const std::string& name) const { return held_.count(name) != 0; }

  // The companion: its window receives posted messages while present.
  void setCompanionWindowPresent(bool present) { companionWindow_ = present; }
  // Window and lock together, as when the companion program runs.
  void setCompanionRunning(bool running);
  // True when a window of that name exists (the message is then delivered).
  bool post(const std::string& window, uint32_t message, uint32_t first, uint32_t second);

  // Power-off: recorded, never done.
  void setPowerOffFails(bool fails) { powerOffFails_ = fails; }
  bool powerOff();

  // Installable drivers: present ones open; the block query (0x4CF) fills the block with the
  // pattern 0xD0, 0xD1, ... 0xDF; every message is logged with the block as received.
  static constexpr uint32_t kDriverQueryMessage = 0x4CF;
  void setDriverPresent(const std::string& name, bool present);
  bool openDriver(const std::string& name);
  long driverMessage(const std::string& name, uint32_t message, std::span<uint8_t> block);
  void closeDriver(const std::string& name);

private:
  bool waveInputPresent_ = true;
  bool lockCreationFails_ = false;
  std::set<std::string> held_;       // by this process's holder handles
  std::set<std::string> elsewhere_;  // by other processes
  bool companionWindow_ = false;
  bool powerOffFails_ = false;
  std::set<std::string> drivers_;
};

// The services of the one simulated machine.
SimSystem& System();

}  // namespace sim
