// One ordered log of what the program asks of the simulated operating system outside the card:
// wave-input queries, named locks, companion messages, program starts, power-off, display modes,
// the cursor and installable drivers. Tests read it to see what was asked, and in what order;
// each event also notes how long the card's event log (sim::Log()) was at that moment, so an
// event can be placed before or after a card access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

struct SystemEvent {
  enum class Kind {
    WaveInputQuery,  // ok = a device was reported
    LockCreate,      // name; ok = created; a = 1 when it already existed
    LockClose,       // name; a = 1 when the handle was the holder
    CompanionPost,   // name = window; a = message, b = first, c = second parameter; ok = delivered
    ProgramStart,    // name = command line; ok = started; a = process id
    ProgramEnd,      // a = process id, b = exit code
    PowerOff,        // ok = accepted
    ModeSet,         // a = width, b = height, c = refresh Hz; ok = changed
    ModeRestore,     // a = width, b = height, c = refresh Hz the display went back to
    CursorShow,      // a = 1 show, 0 hide; b = the display count afterwards
    DriverOpen,      // name; ok = opened
    DriverMessage,   // name; a = message; data = the block as the driver received it
    DriverClose,     // name
  };
  Kind kind = Kind::WaveInputQuery;
  std::string name;
  int64_t a = 0;
  int64_t b = 0;
  int64_t c = 0;
  bool ok = true;
  std::vector<uint8_t> data;
  size_t machineLogPosition = 0;  // sim::Log().events().size() when the event was recorded
};

std::string ToString(const SystemEvent& event);

// Safe to use from any thread.
class SystemEventLog {
public:
  // Stamps the event with the card log's position and appends it.
  void add(SystemEvent event);
  std::vector<SystemEvent> events() const;
  // The events of one kind, in order.
  std::vector<SystemEvent> only(SystemEvent::Kind kind) const;
  void clear();

private:
  mutable std::mutex mutex_;
  std::vector<SystemEvent> events_;
};

// The log of the one simulated machine.
SystemEventLog& SystemLog();

}  // namespace sim
