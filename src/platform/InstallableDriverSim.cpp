#include "platform/InstallableDriverSim.h"

#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimDriver : public InstallableDriver {
public:
  explicit SimDriver(std::string name) : name_(std::move(name)) {}
  ~SimDriver() override { sim::System().closeDriver(name_); }

  long sendMessage(uint32_t message, std::span<uint8_t> block) override {
    return sim::System().driverMessage(name_, message, block);
  }

private:
  std::string name_;
};

class SimBackend : public InstallableDriverBackend {
public:
  std::unique_ptr<InstallableDriver> open(const std::string& name) override {
    if (!sim::System().openDriver(name)) return nullptr;
    return std::make_unique<SimDriver>(name);
  }
};

}  // namespace

InstallableDriverBackend& SimInstallableDriverBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimBackend& backend = *new SimBackend;
  return backend;
}

}  // namespace platform
