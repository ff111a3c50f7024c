#include "platform/InstallableDriverNone.h"

namespace platform {

namespace {

class NoDrivers : public InstallableDriverBackend {
public:
  std::unique_ptr<InstallableDriver> open(const std::string&) override { return nullptr; }
};

}  // namespace

InstallableDriverBackend& NoInstallableDriverBackend() {
  static NoDrivers backend;
  return backend;
}

}  // namespace platform
