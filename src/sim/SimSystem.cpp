#include "sim/SimSystem.h"

#include "sim/SimSystemLog.h"

namespace sim {

namespace {

using Kind = SystemEvent::Kind;

SystemEvent event(Kind kind, std::string name = {}, bool ok = true, int64_t a = 0, int64_t b = 0,
                  int64_t c = 0) {
  SystemEvent e;
  e.kind = kind;
  e.name = std::move(name);
  e.ok = ok;
  e.a = a;
  e.b = b;
  e.c = c;
  return e;
}

}  // namespace

bool SimSystem::queryWaveInput() {
  SystemLog().add(event(Kind::WaveInputQuery, {}, waveInputPresent_));
  return waveInputPresent_;
}

void SimSystem::setHeldElsewhere(const std::string& name, bool held) {
  if (held)
    elsewhere_.insert(name);
  else
    elsewhere_.erase(name);
}

std::optional<bool> SimSystem::createLock(const std::string& name) {
  if (lockCreationFails_ || name.empty()) {
    SystemLog().add(event(Kind::LockCreate, name, false));
    return std::nullopt;
  }
  bool existed = held_.count(name) != 0 || elsewhere_.count(name) != 0;
  if (!existed) held_.insert(name);
  SystemLog().add(event(Kind::LockCreate, name, true, existed ? 1 : 0));
  return existed;
}

void SimSystem::closeLock(const std::string& name, bool holder) {
  if (holder) held_.erase(name);
  SystemLog().add(event(Kind::LockClose, name, true, holder ? 1 : 0));
}

void SimSystem::setCompanionRunning(bool running) {
  companionWindow_ = running;
  setHeldElsewhere(kCompanionLockName, running);
}

bool SimSystem::post(const std::string& window, uint32_t message, uint32_t first, uint32_t second) {
  bool delivered = companionWindow_ && window == kCompanionWindowName;
  SystemLog().add(event(Kind::CompanionPost, window, delivered, message, first, second));
  return delivered;
}

bool SimSystem::powerOff() {
  SystemLog().add(event(Kind::PowerOff, {}, !powerOffFails_));
  return !powerOffFails_;
}

void SimSystem::setDriverPresent(const std::string& name, bool present) {
  if (present)
    drivers_.insert(name);
  else
    drivers_.erase(name);
}

bool SimSystem::openDriver(const std::string& name) {
  bool present = drivers_.count(name) != 0;
  SystemLog().add(event(Kind::DriverOpen, name, present));
  return present;
}

long SimSystem::driverMessage(const std::string& name, uint32_t message, std::span<uint8_t> block) {
  SystemEvent e = event(Kind::DriverMessage, name, true, message);
  e.data.assign(block.begin(), block.end());
  SystemLog().add(std::move(e));
  if (message != kDriverQueryMessage) return 0;
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(0xD0 + (i & 0x0F));
  return 1;
}

void SimSystem::closeDriver(const std::string& name) {
  SystemLog().add(event(Kind::DriverClose, name));
}

SimSystem& System() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimSystem& system = *new SimSystem;
  return system;
}

}  // namespace sim
