#include "platform/MixerSim.h"

#include "sim/SimMixer.h"

namespace platform {

namespace {

MixerLine describe(const sim::SimMixerLine& line, uint32_t lineId, uint32_t connections) {
  MixerLine out;
  out.componentType = line.componentType;
  out.lineId = lineId;
  out.channels = line.channels;
  out.connections = connections;
  out.controls = static_cast<uint32_t>(line.controls.size());
  return out;
}

// One open handle on the simulated mixer; closing it is recorded.
class SimMixerDevice : public MixerDevice {
public:
  explicit SimMixerDevice(int handle) : handle_(handle) {}
  ~SimMixerDevice() override { sim::Mixer().close(handle_); }

  uint32_t destinationCount() override { return sim::Mixer().destinationCount(); }

  std::optional<MixerLine> destination(uint32_t index) override {
    uint32_t lineId = 0;
    const sim::SimMixerLine* line = sim::Mixer().destination(index, &lineId);
    if (!line) return std::nullopt;
    return describe(*line, lineId, sim::Mixer().sourceCount(index));
  }

  std::optional<MixerLine> source(uint32_t destinationIndex, uint32_t index) override {
    uint32_t lineId = 0;
    const sim::SimMixerLine* line = sim::Mixer().source(destinationIndex, index, &lineId);
    if (!line) return std::nullopt;
    return describe(*line, lineId, 0);
  }

  std::optional<MixerControl> control(uint32_t lineId, uint32_t controlType) override {
    uint32_t controlId = 0;
    const sim::SimMixerControl* c = sim::Mixer().control(lineId, controlType, &controlId);
    if (!c) return std::nullopt;
    return MixerControl{controlId, c->reportedType, c->flags, c->items};
  }

  bool getValues(uint32_t controlId, std::span<uint32_t> values) override {
    return sim::Mixer().read(controlId, values.data(), values.size());
  }

  bool setValues(uint32_t controlId, std::span<const uint32_t> values) override {
    return sim::Mixer().write(handle_, controlId, values.data(), values.size());
  }

private:
  int handle_;
};

class SimBackend : public MixerBackend {
public:
  uint32_t deviceCount() override { return sim::Mixer().devicePresent() ? 1 : 0; }

  std::unique_ptr<MixerDevice> open(uint32_t index) override {
    if (index != 0) return nullptr;
    int handle = sim::Mixer().open();
    if (handle == 0) return nullptr;
    return std::make_unique<SimMixerDevice>(handle);
  }
};

}  // namespace

MixerBackend& SimMixerBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimBackend& backend = *new SimBackend;
  return backend;
}

}  // namespace platform
