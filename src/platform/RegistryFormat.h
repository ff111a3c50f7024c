// The values of one registry key as the real backend stores them in a file: a header line, then
// one line per value, "name=hex bytes", the name with every byte outside printable ASCII, and
// '%' and '=', written as %XX. The text comes from disk, so reading it trusts nothing: a line
// that does not parse is skipped, the rest still counts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class RegistryValues {
public:
  // The first line of every values file.
  static constexpr std::string_view kHeader = "vyx-registry 1";

  // The values of a file's bytes. A file without the header line holds no values.
  static RegistryValues parse(std::string_view text);
  std::string serialize() const;

  const RegistryBytes* find(const std::string& name) const;
  // Replaces the value of that name (in place, keeping the stored spelling) or appends it.
  void set(const std::string& name, RegistryBytes data);
  // Removes the value of that name; false when there is none.
  bool erase(const std::string& name);
  // The names in their stored order and spelling.
  std::vector<std::string> names() const;
  size_t size() const { return values_.size(); }

private:
  std::vector<std::pair<std::string, RegistryBytes>> values_;
};

}  // namespace platform
