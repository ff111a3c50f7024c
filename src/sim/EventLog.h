// One ordered log of everything the program does to the simulated machine: register reads and
// writes, I2C transfers, PCI look-ups, mappings and sleeps. Tests read it to see what happened,
// and in what order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct Event {
  enum class Kind {
    PciLookup,  // a = vendor, b = device, c = result
    Map,        // a, b = resource words, c = result
    Unmap,      // a, b = resource words
    RegRead,    // a = offset, b = value
    RegWrite,   // a = offset, b = value
    I2cWrite,   // a = address byte, b = data (two bytes, high first), c = 1 when acknowledged
    I2cRead,    // a = address byte, b = status byte, c = 1 when acknowledged
    Sleep,      // a = milliseconds
  };
  Kind kind;
  uint32_t a = 0;
  uint32_t b = 0;
  uint32_t c = 0;

  bool operator==(const Event&) const = default;
};

std::string ToString(const Event& event);

class EventLog {
public:
  // A program left running logs without end: past this many events the older half is dropped,
  // so the log holds the newest events and its memory stays bounded.
  static constexpr size_t kMaxEvents = size_t(1) << 20;

  void add(const Event& event);
  const std::vector<Event>& events() const { return events_; }
  void clear() { events_.clear(); }

  // The events of one kind, in order.
  std::vector<Event> only(Event::Kind kind) const;

private:
  std::vector<Event> events_;
};

// The log of the one simulated machine.
EventLog& Log();

}  // namespace sim
