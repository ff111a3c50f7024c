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

  std::vector<std::string> valueNames() override { return sim::Registry().valueNames(path_); }

  bool deleteValue(const std::string& name) override {
    return sim::Registry().deleteValue(path_, name);
  }

private:
  std::string path_;
};

std::string joined(const std::vector<std::string>& names) {
  std::string path;
  for (const std::string& name : names) path += (path.empty() ? "" : "\\") + name;
  return path;
}

class SimBackend : public RegistryBackend {
protected:
  std::vector<std::string> subkeys(const std::vector<std::string>& names) override {
    return sim::Registry().subkeys(joined(names));
  }

  bool remove(const std::vector<std::string>& names) override {
    return sim::Registry().deleteKey(joined(names));
  }

  std::unique_ptr<RegistryKey> open(const std::vector<std::string>& names, bool create) override {
    std::string path = joined(names);
    if (create ? !sim::Registry().createKey(path) : !sim::Registry().keyExists(path))
      return nullptr;
    return std::make_unique<SimKey>(path);
  }
};

}  // namespace

RegistryBackend& SimRegistryBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimBackend& backend = *new SimBackend;
  return backend;
}

}  // namespace platform
