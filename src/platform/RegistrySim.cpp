#include "platform/RegistrySim.h"

#include "sim/SimRegistry.h"

namespace platform {

namespace {

class SimKey : public RegistryKey {
public:
  explicit SimKey(std::string path) : path_(std::move(path)) {}

  std::optional<RegistryBytes> readValue(const std::string& name) override {
    return sim::Registry().value(path_, name);
  }

  bool writeValue(const std::string& name, std::span<const uint8_t> data) override {
    return sim::Registry().setValue(path_, name, RegistryBytes(data.begin(), data.end()));
  }

private:
  std::string path_;
};

class SimBackend : public RegistryBackend {
protected:
  std::unique_ptr<RegistryKey> open(const std::vector<std::string>& names, bool create) override {
    std::string path;
    for (const std::string& name : names) path += (path.empty() ? "" : "\\") + name;
    if (create ? !sim::Registry().createKey(path) : !sim::Registry().keyExists(path))
      return nullptr;
    return std::make_unique<SimKey>(path);
  }
};

}  // namespace

RegistryBackend& SimRegistryBackend() {
  static SimBackend backend;
  return backend;
}

}  // namespace platform
