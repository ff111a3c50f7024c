// Fuzzes the reader of the registry's values files: any bytes must parse without fault, and what
// was read must be written and read back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/RegistryFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::RegistryValues values = platform::RegistryValues::parse(text);
  std::string written = values.serialize();
  platform::RegistryValues back = platform::RegistryValues::parse(written);
  if (back.size() != values.size() || back.serialize() != written) std::abort();

  // Names taken from the input must find what they name, whatever their case.
  values.set(std::string(text.substr(0, 16)), {1, 2});
  if (!values.find(std::string(text.substr(0, 16)))) std::abort();
  return 0;
}
