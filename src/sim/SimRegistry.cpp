#include "sim/SimRegistry.h"

namespace sim {

void SimRegistry::reset() { *this = SimRegistry(); }

std::string SimRegistry::folded(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool SimRegistry::keyExists(const std::string& path) const { return keys_.count(folded(path)) != 0; }

bool SimRegistry::createKey(const std::string& path) {
  if (createFails_) return false;
  // Every prefix that ends before a backslash is a key above this one.
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    std::string prefix = path.substr(0, end);
    auto [it, added] = keys_.try_emplace(folded(prefix), Key{prefix, {}});
    if (added) {
      SimRegistryEvent event;
      event.kind = SimRegistryEvent::Kind::CreateKey;
      event.key = prefix;
      events_.push_back(std::move(event));
    }
    if (end == std::string::npos) break;
  }
  return true;
}

std::optional<std::vector<uint8_t>> SimRegistry::value(const std::string& path,
                                                       const std::string& name) const {
  auto key = keys_.find(folded(path));
  if (key == keys_.end()) return std::nullopt;
  for (const auto& [stored, data] : key->second.values)
    if (folded(stored) == folded(name)) return data;
  return std::nullopt;
}

bool SimRegistry::setValue(const std::string& path, const std::string& name,
                           std::vector<uint8_t> data) {
  auto key = keys_.find(folded(path));
  if (writesFail_ || key == keys_.end()) return false;
  SimRegistryEvent event;
  event.kind = SimRegistryEvent::Kind::WriteValue;
  event.key = key->second.path;
  event.name = name;
  event.data = data;
  events_.push_back(std::move(event));
  for (auto& [stored, old] : key->second.values) {
    if (folded(stored) != folded(name)) continue;
    old = std::move(data);
    return true;
  }
  key->second.values.emplace_back(name, std::move(data));
  return true;
}

std::vector<std::string> SimRegistry::valueNames(const std::string& path) const {
  std::vector<std::string> names;
  auto key = keys_.find(folded(path));
  if (key != keys_.end())
    for (const auto& value : key->second.values) names.push_back(value.first);
  return names;
}

bool SimRegistry::deleteValue(const std::string& path, const std::string& name) {
  if (writesFail_) return false;
  auto key = keys_.find(folded(path));
  if (key == keys_.end()) return true;
  auto& values = key->second.values;
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (folded(it->first) != folded(name)) continue;
    events_.push_back({SimRegistryEvent::Kind::DeleteValue, key->second.path, it->first, {}});
    values.erase(it);
    break;
  }
  return true;
}

std::vector<std::string> SimRegistry::subkeys(const std::string& path) const {
  std::vector<std::string> names;
  std::string prefix = folded(path) + "\\";
  for (const auto& [folder, key] : keys_) {
    if (folder.compare(0, prefix.size(), prefix) != 0) continue;
    if (folder.find('\\', prefix.size()) == std::string::npos)
      names.push_back(key.path.substr(prefix.size()));
  }
  return names;
}

bool SimRegistry::deleteKey(const std::string& path) {
  if (writesFail_) return false;
  std::string self = folded(path);
  std::string prefix = self + "\\";
  bool removed = false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == self || it->first.compare(0, prefix.size(), prefix) == 0) {
      it = keys_.erase(it);
      removed = true;
    } else {
      ++it;
    }
  }
  if (removed) events_.push_back({SimRegistryEvent::Kind::DeleteKey, path, {}, {}});
  return true;
}

SimRegistry& Registry() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimRegistry& registry = *new SimRegistry;
  return registry;
}

}  // namespace sim
