// The registry: keys named by backslash-separated paths below the current user's root
// ("Software\Dorvak\TheVyx"), each holding named binary values. Key and value names compare
// without regard to ASCII case. The real backend keeps each key as a folder under the user's
// configuration folder; the simulated one keeps them in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

using RegistryBytes = std::vector<uint8_t>;

// An open key; closing it is destroying it.
class RegistryKey {
public:
  virtual ~RegistryKey() = default;
  // The value's bytes; nothing when the value is missing or cannot be read.
  virtual std::optional<RegistryBytes> readValue(const std::string& name) = 0;
  // Stores the value, replacing one of the same name; false when it could not be stored, in
  // which case the key's other values are left as they were.
  virtual bool writeValue(const std::string& name, std::span<const uint8_t> data) = 0;
  // The names of the key's values, in the order they were first stored.
  virtual std::vector<std::string> valueNames() = 0;
  // Removes the value; true when it is gone afterwards (also when there was none).
  virtual bool deleteValue(const std::string& name) = 0;
};

class RegistryBackend {
public:
  virtual ~RegistryBackend() = default;

  // The key, or null when it does not exist or the path is not a valid key path.
  std::unique_ptr<RegistryKey> openKey(const std::string& path);
  // The key, created together with any missing key along its path; null when that fails.
  std::unique_ptr<RegistryKey> createKey(const std::string& path);
  // The names of the keys directly below the key; none when it does not exist.
  std::vector<std::string> subkeyNames(const std::string& path);
  // Removes the key with every key and value below it; true when it is gone afterwards (also
  // when there was none), false for a path that names no key.
  bool deleteKey(const std::string& path);

  // The simulated registry under the simulation switch, else the one in the user's files.
  static RegistryBackend& current();

protected:
  virtual std::unique_ptr<RegistryKey> open(const std::vector<std::string>& names,
                                            bool create) = 0;
  virtual std::vector<std::string> subkeys(const std::vector<std::string>& names) = 0;
  virtual bool remove(const std::vector<std::string>& names) = 0;
};

// The key names of a path. Nothing when the path is empty or a name is empty, "." or "..",
// longer than 255 bytes, or holds '/' or a NUL byte: such a path names no key.
std::optional<std::vector<std::string>> SplitRegistryPath(const std::string& path);

// ASCII case-insensitive equality of two names.
bool SameRegistryName(const std::string& a, const std::string& b);

}  // namespace platform
