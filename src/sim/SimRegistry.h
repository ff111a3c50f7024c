// The simulated registry: keys and their binary values in memory, named as the real registry
// names them (case-insensitive). Tests make key creation or value writes fail and read every
// key creation and write in order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct SimRegistryEvent {
  enum class Kind { CreateKey, WriteValue, DeleteKey, DeleteValue };
  Kind kind = Kind::CreateKey;
  std::string key;   // the key's path as first spelled
  std::string name;  // WriteValue, DeleteValue: the value's name
  std::vector<uint8_t> data;
};

class SimRegistry {
public:
  // No keys, no faults, no events.
  void reset();

  void setCreateFails(bool fails) { createFails_ = fails; }
  void setWritesFail(bool fail) { writesFail_ = fail; }

  // Paths are the key names joined by backslashes.
  bool keyExists(const std::string& path) const;
  // Creates the key and every key above it; false when creation is made to fail.
  bool createKey(const std::string& path);
  std::optional<std::vector<uint8_t>> value(const std::string& path, const std::string& name) const;
  // False when the key does not exist or writes are made to fail.
  bool setValue(const std::string& path, const std::string& name, std::vector<uint8_t> data);
  std::vector<std::string> valueNames(const std::string& path) const;
  // True when the value is gone afterwards; false when writes are made to fail.
  bool deleteValue(const std::string& path, const std::string& name);
  // The names of the keys directly below, as first spelled.
  std::vector<std::string> subkeys(const std::string& path) const;
  // Removes the key and every key below it; false when writes are made to fail.
  bool deleteKey(const std::string& path);

  const std::vector<SimRegistryEvent>& events() const { return events_; }

private:
  struct Key {
    std::string path;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> values;
  };
  static std::string folded(const std::string& text);

  std::map<std::string, Key> keys_;  // by folded path
  std::vector<SimRegistryEvent> events_;
  bool createFails_ = false;
  bool writesFail_ = false;
};

// The registry of the one simulated machine.
SimRegistry& Registry();

}  // namespace sim
