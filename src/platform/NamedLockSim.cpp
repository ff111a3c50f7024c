#include "platform/NamedLockSim.h"

#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimLock : public NamedLock {
public:
  SimLock(const std::string& name, bool existed) : NamedLock(name, existed) {}
  ~SimLock() override { sim::System().closeLock(name(), !alreadyExisted()); }
};

class SimBackend : public NamedLockBackend {
public:
  std::unique_ptr<NamedLock> create(const std::string& name) override {
    auto existed = sim::System().createLock(name);
    if (!existed) return nullptr;
    return std::make_unique<SimLock>(name, *existed);
  }
};

}  // namespace

NamedLockBackend& SimNamedLockBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimBackend& backend = *new SimBackend;
  return backend;
}

}  // namespace platform
