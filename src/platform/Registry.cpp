#include "platform/Registry.h"

#include <algorithm>

#include "platform/Environment.h"
#include "platform/RegistryFiles.h"
#include "platform/RegistrySim.h"

namespace platform {

namespace {

constexpr size_t kMaxKeyName = 255;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool validName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() > kMaxKeyName) return false;
  return name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

}  // namespace

std::optional<std::vector<std::string>> SplitRegistryPath(const std::string& path) {
  std::vector<std::string> names;
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string name = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!validName(name)) return std::nullopt;
    names.push_back(std::move(name));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return names;
}

bool SameRegistryName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::unique_ptr<RegistryKey> RegistryBackend::openKey(const std::string& path) {
  auto names = SplitRegistryPath(path);
  return names ? open(*names, false) : nullptr;
}

std::unique_ptr<RegistryKey> RegistryBackend::createKey(const std::string& path) {
  auto names = SplitRegistryPath(path);
  return names ? open(*names, true) : nullptr;
}

std::vector<std::string> RegistryBackend::subkeyNames(const std::string& path) {
  auto names = SplitRegistryPath(path);
  return names ? subkeys(*names) : std::vector<std::string>();
}

bool RegistryBackend::deleteKey(const std::string& path) {
  auto names = SplitRegistryPath(path);
  return names && remove(*names);
}

RegistryBackend& RegistryBackend::current() {
  if (SimulationEnabled()) return SimRegistryBackend();
  return FileRegistryBackend();
}

}  // namespace platform
