#include "platform/VideoStandardSim.h"

#include "sim/SimVideoDevices.h"

namespace platform {

namespace {

class SimDevice : public CaptureDevice {
public:
  SimDevice(int binding, int device) : binding_(binding), device_(device) {}
  ~SimDevice() override { sim::VideoDevices().release(binding_, device_); }

  bool hasDecoder() override {
    const auto& devices = sim::VideoDevices().devices();
    return device_ < static_cast<int>(devices.size()) && devices[device_].hasDecoder;
  }
  bool setStandard(uint64_t standard) override {
    return sim::VideoDevices().setStandard(binding_, device_, standard);
  }

private:
  int binding_;
  int device_;
};

class SimBackend : public VideoStandardBackend {
public:
  bool bindFirstCaptureDevice(std::unique_ptr<CaptureDevice>& device) override {
    device.reset();
    if (sim::VideoDevices().lookupFails()) return false;
    int binding = sim::VideoDevices().bind(0);
    if (binding != 0) device = std::make_unique<SimDevice>(binding, 0);
    return true;
  }
};

}  // namespace

VideoStandardBackend& SimVideoStandardBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimBackend& backend = *new SimBackend;
  return backend;
}

}  // namespace platform
