#include "sim/EventLog.h"

#include <cstdio>

namespace sim {

std::string ToString(const Event& e) {
  static const char* const names[] = {"PciLookup", "Map",     "Unmap",   "RegRead",
                                      "RegWrite",  "I2cWrite", "I2cRead", "Sleep"};
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s(0x%X, 0x%X, 0x%X)", names[static_cast<int>(e.kind)], e.a, e.b,
                e.c);
  return buf;
}

void EventLog::add(const Event& event) {
  if (events_.size() >= kMaxEvents)
    events_.erase(events_.begin(), events_.begin() + std::ptrdiff_t(kMaxEvents / 2));
  events_.push_back(event);
}

std::vector<Event> EventLog::only(Event::Kind kind) const {
  std::vector<Event> out;
  for (const auto& e : events_)
    if (e.kind == kind) out.push_back(e);
  return out;
}

EventLog& Log() {
  static EventLog log;
  return log;
}

}  // namespace sim
