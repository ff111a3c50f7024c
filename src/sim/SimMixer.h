// The simulated sound card's mixer: a playback (speakers) and a recording (wave input)
// destination with their source lines, each line with a volume and a mute control whose values
// are kept in memory. Tests switch lines off, take the device away, make requests fail, and read
// every open, close and write in order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

struct SimMixerControl {
  uint32_t type = 0;          // the type it is asked for by
  uint32_t reportedType = 0;  // the type it describes itself with (its units can be changed)
  uint32_t flags = 0;
  uint32_t items = 0;
  std::array<uint32_t, 2> values{};  // left, right (a mono line uses the left one)
};

struct SimMixerLine {
  uint32_t componentType = 0;
  uint32_t channels = 2;
  bool present = true;
  std::vector<SimMixerControl> controls;
};

struct SimMixerDestination {
  SimMixerLine line;
  std::vector<SimMixerLine> sources;
};

struct SimMixerEvent {
  enum class Kind { Open, Close, Set };
  Kind kind = Kind::Open;
  int handle = 0;
  // Set only: the line (destination and source component types; the source is 0x100B for the
  // destination line itself), the control type and the values written.
  uint32_t destination = 0;
  uint32_t source = 0;
  uint32_t control = 0;
  std::vector<uint32_t> values;
};

class SimMixer {
public:
  SimMixer();

  // Back to the default card: all lines present, volumes at 0xC000, sound on, no faults, no
  // events.
  void reset();

  // Knobs.
  void setDevicePresent(bool present) { devicePresent_ = present; }
  void setOpenFails(bool fails) { openFails_ = fails; }
  void setTransfersFail(bool fail) { transfersFail_ = fail; }
  // Takes a line away (or gives it back); the source 0x100B names the destination line itself.
  void setLinePresent(uint32_t destination, uint32_t source, bool present);
  void removeControls(uint32_t destination, uint32_t source);
  void setControlUnits(uint32_t destination, uint32_t source, uint32_t control, uint32_t units);

  // Values as the card holds them, and a way to preset them without recording a write.
  uint32_t value(uint32_t destination, uint32_t source, uint32_t control, int channel = 0) const;
  void presetValue(uint32_t destination, uint32_t source, uint32_t control, uint32_t left,
                   uint32_t right);

  const std::vector<SimMixerEvent>& events() const { return events_; }
  std::vector<SimMixerEvent> sets() const;
  int openHandles() const { return openHandles_; }
  void clearEvents() { events_.clear(); }

  // The mixer interface, as the platform layer's simulated backend calls it. Lines and controls
  // are named by ids; only present lines are counted.
  bool devicePresent() const { return devicePresent_; }
  int open();  // a handle > 0, or 0 when opening fails
  void close(int handle);
  uint32_t destinationCount() const;
  const SimMixerLine* destination(uint32_t index, uint32_t* lineId) const;
  uint32_t sourceCount(uint32_t destinationIndex) const;
  const SimMixerLine* source(uint32_t destinationIndex, uint32_t index, uint32_t* lineId) const;
  const SimMixerControl* control(uint32_t lineId, uint32_t type, uint32_t* controlId) const;
  bool read(uint32_t controlId, uint32_t* values, size_t count) const;
  bool write(int handle, uint32_t controlId, const uint32_t* values, size_t count);

private:
  struct Where {
    size_t destination;
    size_t source;  // 0 = the destination line, n = sources[n - 1]
  };
  SimMixerLine* lineAt(const Where& where);
  const SimMixerLine* lineAt(const Where& where) const;
  SimMixerLine* find(uint32_t destination, uint32_t source);
  const SimMixerLine* find(uint32_t destination, uint32_t source) const;
  SimMixerControl* findControl(uint32_t destination, uint32_t source, uint32_t control);
  bool decodeControl(uint32_t controlId, Where& where, size_t& index) const;
  static bool fits(const SimMixerLine& line, const SimMixerControl& control, size_t count);

  std::vector<SimMixerDestination> destinations_;
  std::vector<SimMixerEvent> events_;
  bool devicePresent_ = true;
  bool openFails_ = false;
  bool transfersFail_ = false;
  int openHandles_ = 0;
  int nextHandle_ = 1;
};

// The mixer of the one simulated machine.
SimMixer& Mixer();

}  // namespace sim
