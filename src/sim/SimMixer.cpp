#include "sim/SimMixer.h"

#include <algorithm>

namespace sim {

namespace {

// The numbers the card's mixer describes itself with (the same the platform layer uses).
constexpr uint32_t kSpeakers = 4;
constexpr uint32_t kWaveIn = 7;
constexpr uint32_t kLine = 0x1002;
constexpr uint32_t kMicrophone = 0x1003;
constexpr uint32_t kSynthesizer = 0x1004;
constexpr uint32_t kCompactDisc = 0x1005;
constexpr uint32_t kWaveOut = 0x1008;
constexpr uint32_t kAuxiliary = 0x1009;
constexpr uint32_t kNoSource = 0x100B;
constexpr uint32_t kVolume = 0x50030001;
constexpr uint32_t kMute = 0x20010002;
constexpr uint32_t kUnitsMask = 0x00FF0000;
constexpr uint32_t kUnitsBoolean = 0x00010000;
constexpr uint32_t kUniform = 0x1;
constexpr uint32_t kVolumeMax = 65535;
constexpr uint32_t kDefaultVolume = 0xC000;

SimMixerLine makeLine(uint32_t type, uint32_t channels) {
  SimMixerLine line;
  line.componentType = type;
  line.channels = channels;
  line.controls.push_back({kVolume, kVolume, 0, 0, {kDefaultVolume, kDefaultVolume}});
  line.controls.push_back({kMute, kMute, kUniform, 0, {0, 0}});
  return line;
}

bool isBoolean(const SimMixerControl& control) {
  return (control.type & kUnitsMask) == kUnitsBoolean;
}

uint32_t stored(const SimMixerControl& control, uint32_t value) {
  if (isBoolean(control)) return value != 0 ? 1 : 0;
  return std::min(value, kVolumeMax);
}

}  // namespace

SimMixer::SimMixer() { reset(); }

void SimMixer::reset() {
  destinations_.clear();
  SimMixerDestination speakers{makeLine(kSpeakers, 2), {}};
  for (uint32_t type : {kWaveOut, kSynthesizer, kCompactDisc, kLine, kAuxiliary})
    speakers.sources.push_back(makeLine(type, 2));
  speakers.sources.push_back(makeLine(kMicrophone, 1));
  SimMixerDestination waveIn{makeLine(kWaveIn, 2), {}};
  for (uint32_t type : {kLine, kCompactDisc, kSynthesizer}) waveIn.sources.push_back(makeLine(type, 2));
  waveIn.sources.push_back(makeLine(kMicrophone, 1));
  destinations_.push_back(std::move(speakers));
  destinations_.push_back(std::move(waveIn));

  events_.clear();
  devicePresent_ = true;
  openFails_ = false;
  transfersFail_ = false;
  openHandles_ = 0;
  nextHandle_ = 1;
}

SimMixerLine* SimMixer::lineAt(const Where& where) {
  auto& d = destinations_[where.destination];
  return where.source == 0 ? &d.line : &d.sources[where.source - 1];
}

const SimMixerLine* SimMixer::lineAt(const Where& where) const {
  return const_cast<SimMixer*>(this)->lineAt(where);
}

SimMixerLine* SimMixer::find(uint32_t destination, uint32_t source) {
  for (auto& d : destinations_) {
    if (d.line.componentType != destination) continue;
    if (source == kNoSource) return &d.line;
    for (auto& s : d.sources)
      if (s.componentType == source) return &s;
  }
  return nullptr;
}

const SimMixerLine* SimMixer::find(uint32_t destination, uint32_t source) const {
  return const_cast<SimMixer*>(this)->find(destination, source);
}

SimMixerControl* SimMixer::findControl(uint32_t destination, uint32_t source, uint32_t control) {
  SimMixerLine* line = find(destination, source);
  if (!line) return nullptr;
  for (auto& c : line->controls)
    if (c.type == control) return &c;
  return nullptr;
}

void SimMixer::setLinePresent(uint32_t destination, uint32_t source, bool present) {
  if (SimMixerLine* line = find(destination, source)) line->present = present;
}

void SimMixer::removeControls(uint32_t destination, uint32_t source) {
  if (SimMixerLine* line = find(destination, source)) line->controls.clear();
}

void SimMixer::setControlUnits(uint32_t destination, uint32_t source, uint32_t control,
                               uint32_t units) {
  if (SimMixerControl* c = findControl(destination, source, control))
    c->reportedType = (c->type & ~kUnitsMask) | (units & kUnitsMask);
}

uint32_t SimMixer::value(uint32_t destination, uint32_t source, uint32_t control,
                         int channel) const {
  auto* c = const_cast<SimMixer*>(this)->findControl(destination, source, control);
  return c && channel >= 0 && channel < 2 ? c->values[channel] : 0;
}

void SimMixer::presetValue(uint32_t destination, uint32_t source, uint32_t control, uint32_t left,
                           uint32_t right) {
  if (SimMixerControl* c = findControl(destination, source, control)) c->values = {left, right};
}

std::vector<SimMixerEvent> SimMixer::sets() const {
  std::vector<SimMixerEvent> out;
  for (const auto& e : events_)
    if (e.kind == SimMixerEvent::Kind::Set) out.push_back(e);
  return out;
}

int SimMixer::open() {
  if (!devicePresent_ || openFails_) return 0;
  int handle = nextHandle_++;
  ++openHandles_;
  SimMixerEvent event;
  event.kind = SimMixerEvent::Kind::Open;
  event.handle = handle;
  events_.push_back(std::move(event));
  return handle;
}

void SimMixer::close(int handle) {
  --openHandles_;
  SimMixerEvent event;
  event.kind = SimMixerEvent::Kind::Close;
  event.handle = handle;
  events_.push_back(std::move(event));
}

// Lines are named (destination index << 8) | slot, where slot 0 is the destination line and
// slot n its source n - 1; controls are (line id << 8) | control index. Indices are raw positions,
// so a line keeps its id while others are switched off.

uint32_t SimMixer::destinationCount() const {
  return static_cast<uint32_t>(std::count_if(destinations_.begin(), destinations_.end(),
                                             [](const auto& d) { return d.line.present; }));
}

const SimMixerLine* SimMixer::destination(uint32_t index, uint32_t* lineId) const {
  for (size_t d = 0; d < destinations_.size(); ++d) {
    if (!destinations_[d].line.present || index-- != 0) continue;
    *lineId = static_cast<uint32_t>(d << 8);
    return &destinations_[d].line;
  }
  return nullptr;
}

uint32_t SimMixer::sourceCount(uint32_t destinationIndex) const {
  uint32_t lineId = 0;
  if (!destination(destinationIndex, &lineId)) return 0;
  const auto& sources = destinations_[lineId >> 8].sources;
  return static_cast<uint32_t>(
      std::count_if(sources.begin(), sources.end(), [](const auto& s) { return s.present; }));
}

const SimMixerLine* SimMixer::source(uint32_t destinationIndex, uint32_t index,
                                     uint32_t* lineId) const {
  uint32_t destinationId = 0;
  if (!destination(destinationIndex, &destinationId)) return nullptr;
  const auto& sources = destinations_[destinationId >> 8].sources;
  for (size_t s = 0; s < sources.size(); ++s) {
    if (!sources[s].present || index-- != 0) continue;
    *lineId = destinationId | static_cast<uint32_t>(s + 1);
    return &sources[s];
  }
  return nullptr;
}

const SimMixerControl* SimMixer::control(uint32_t lineId, uint32_t type,
                                         uint32_t* controlId) const {
  Where where{lineId >> 8, lineId & 0xFF};
  if (where.destination >= destinations_.size() ||
      where.source > destinations_[where.destination].sources.size())
    return nullptr;
  const SimMixerLine* line = lineAt(where);
  if (!line->present) return nullptr;
  for (size_t i = 0; i < line->controls.size(); ++i) {
    if (line->controls[i].type != type) continue;
    *controlId = (lineId << 8) | static_cast<uint32_t>(i);
    return &line->controls[i];
  }
  return nullptr;
}

bool SimMixer::decodeControl(uint32_t controlId, Where& where, size_t& index) const {
  where = {controlId >> 16, (controlId >> 8) & 0xFF};
  index = controlId & 0xFF;
  if (where.destination >= destinations_.size() ||
      where.source > destinations_[where.destination].sources.size())
    return false;
  const SimMixerLine* line = lineAt(where);
  return line->present && index < line->controls.size();
}

// One value stands for all channels; two need a stereo line and a control with a value per
// channel.
bool SimMixer::fits(const SimMixerLine& line, const SimMixerControl& control, size_t count) {
  if (count == 1) return true;
  return count == 2 && line.channels >= 2 && !(control.flags & kUniform);
}

bool SimMixer::read(uint32_t controlId, uint32_t* values, size_t count) const {
  Where where{};
  size_t index = 0;
  if (transfersFail_ || !decodeControl(controlId, where, index)) return false;
  const SimMixerLine& line = *lineAt(where);
  const SimMixerControl& control = line.controls[index];
  if (!fits(line, control, count)) return false;
  for (size_t i = 0; i < count; ++i) values[i] = control.values[i];
  return true;
}

bool SimMixer::write(int handle, uint32_t controlId, const uint32_t* values, size_t count) {
  Where where{};
  size_t index = 0;
  if (transfersFail_ || !decodeControl(controlId, where, index)) return false;
  SimMixerLine& line = *lineAt(where);
  SimMixerControl& control = line.controls[index];
  if (!fits(line, control, count)) return false;
  if (count == 1)
    control.values = {stored(control, values[0]), stored(control, values[0])};
  else
    control.values = {stored(control, values[0]), stored(control, values[1])};

  SimMixerEvent event;
  event.kind = SimMixerEvent::Kind::Set;
  event.handle = handle;
  event.destination = destinations_[where.destination].line.componentType;
  event.source = where.source == 0 ? kNoSource : line.componentType;
  event.control = control.type;
  event.values.assign(values, values + count);
  events_.push_back(std::move(event));
  return true;
}

// Never destroyed: a mixer object that is still open at exit closes its handle here.
SimMixer& Mixer() {
  static auto* mixer = new SimMixer;
  return *mixer;
}

}  // namespace sim
