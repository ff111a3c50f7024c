// The sound card's mixer: its destinations (the playback and the recording side), their source
// lines and each line's volume and mute controls, addressed by the component and control types
// that the mixer lines of the program are stored and written in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace platform {

// Destination component types.
constexpr uint32_t kMixerDestinationSpeakers = 4;
constexpr uint32_t kMixerDestinationWaveIn = 7;

// Source component types. SoundConnector counts from the first one.
constexpr uint32_t kMixerSourceFirst = 0x1000;
constexpr uint32_t kMixerSourceUndefined = 0x1000;
constexpr uint32_t kMixerSourceDigital = 0x1001;
constexpr uint32_t kMixerSourceLine = 0x1002;
constexpr uint32_t kMixerSourceMicrophone = 0x1003;
constexpr uint32_t kMixerSourceSynthesizer = 0x1004;
constexpr uint32_t kMixerSourceCompactDisc = 0x1005;
constexpr uint32_t kMixerSourceTelephone = 0x1006;
constexpr uint32_t kMixerSourcePcSpeaker = 0x1007;
constexpr uint32_t kMixerSourceWaveOut = 0x1008;
constexpr uint32_t kMixerSourceAuxiliary = 0x1009;
constexpr uint32_t kMixerSourceAnalog = 0x100A;
constexpr uint32_t kMixerSourceLast = kMixerSourceAnalog;
// One past the last source type: no source line, the destination line itself.
constexpr uint32_t kMixerSourceNone = 0x100B;

// Control types: a fader in unsigned units 0..65535, and a boolean switch (1 = muted).
constexpr uint32_t kMixerControlVolume = 0x50030001;
constexpr uint32_t kMixerControlMute = 0x20010002;
constexpr uint32_t kMixerVolumeMax = 65535;

// The units of a control live in bits 16..23 of its type.
constexpr uint32_t kMixerUnitsMask = 0x00FF0000;
enum MixerUnits : uint32_t {
  kMixerUnitsCustom = 0x00000000,
  kMixerUnitsBoolean = 0x00010000,
  kMixerUnitsSigned = 0x00020000,
  kMixerUnitsUnsigned = 0x00030000,
  kMixerUnitsDecibels = 0x00040000,
  kMixerUnitsPercent = 0x00050000,
};

// Control flags: one value for all channels; a list of items per channel.
constexpr uint32_t kMixerControlUniform = 0x1;
constexpr uint32_t kMixerControlMultiple = 0x2;

struct MixerLine {
  uint32_t componentType = 0;
  uint32_t lineId = 0;       // the backend's name for the line, passed back to control()
  uint32_t channels = 0;
  uint32_t connections = 0;  // number of source lines (destinations only)
  uint32_t controls = 0;
};

struct MixerControl {
  uint32_t controlId = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  uint32_t items = 0;  // item count of a multiple-item control
};

// An open mixer device. Destinations and sources are numbered from 0; the search helpers below
// are the same for every backend.
class MixerDevice {
public:
  virtual ~MixerDevice() = default;

  virtual uint32_t destinationCount() = 0;
  virtual std::optional<MixerLine> destination(uint32_t index) = 0;
  virtual std::optional<MixerLine> source(uint32_t destinationIndex, uint32_t index) = 0;
  // The line's control of the given type, if it has one.
  virtual std::optional<MixerControl> control(uint32_t lineId, uint32_t controlType) = 0;

  // Transfers of a control's values. One value reads the first channel and writes all of them;
  // two values are the left and the right channel, and need a line with two channels and a
  // control that is not uniform.
  virtual bool getValues(uint32_t controlId, std::span<uint32_t> values) = 0;
  virtual bool setValues(uint32_t controlId, std::span<const uint32_t> values) = 0;

  // The first destination of the component type, with its index.
  std::optional<std::pair<uint32_t, MixerLine>> findDestination(uint32_t componentType);
  // The source line of the component type, searched from the last source to the first.
  std::optional<MixerLine> findSource(uint32_t destinationIndex, const MixerLine& destination,
                                      uint32_t componentType);
};

// The mixer devices of the machine.
class MixerBackend {
public:
  virtual ~MixerBackend() = default;
  virtual uint32_t deviceCount() = 0;
  // Null when the device cannot be opened.
  virtual std::unique_ptr<MixerDevice> open(uint32_t index) = 0;

  // The simulated mixer under the simulation switch, else the sound system's.
  static MixerBackend& current();
};

}  // namespace platform
