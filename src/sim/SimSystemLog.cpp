#include "sim/SimSystemLog.h"

#include <cstdio>

#include "sim/EventLog.h"

namespace sim {

std::string ToString(const SystemEvent& e) {
  static const char* const names[] = {"WaveInputQuery", "LockCreate", "LockClose",  "CompanionPost",
                                      "ProgramStart",   "ProgramEnd", "PowerOff",   "ModeSet",
                                      "ModeRestore",    "CursorShow", "DriverOpen", "DriverMessage",
                                      "DriverClose"};
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s(\"%.40s\", %lld, %lld, %lld, %s)",
                names[static_cast<int>(e.kind)], e.name.c_str(), static_cast<long long>(e.a),
                static_cast<long long>(e.b), static_cast<long long>(e.c), e.ok ? "ok" : "failed");
  return buf;
}

void SystemEventLog::add(SystemEvent event) {
  event.machineLogPosition = Log().events().size();
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

std::vector<SystemEvent> SystemEventLog::events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<SystemEvent> SystemEventLog::only(SystemEvent::Kind kind) const {
  std::lock_guard lock(mutex_);
  std::vector<SystemEvent> out;
  for (const auto& e : events_)
    if (e.kind == kind) out.push_back(e);
  return out;
}

void SystemEventLog::clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

SystemEventLog& SystemLog() {
  static SystemEventLog log;
  return log;
}

}  // namespace sim
