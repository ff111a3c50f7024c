// Installable drivers, opened by name and addressed with numbered messages that pass a block of
// bytes which the driver may read and fill in. Such drivers belong to Windows; the program talks
// to one at start-up when it exists and depends on nothing it answers.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace platform {

// An open driver; closing it is destroying it.
class InstallableDriver {
public:
  virtual ~InstallableDriver() = default;
  // The driver's answer (its meaning is the driver's).
  virtual long sendMessage(uint32_t message, std::span<uint8_t> block) = 0;
};

class InstallableDriverBackend {
public:
  virtual ~InstallableDriverBackend() = default;
  // The driver, or null when no driver of that name exists.
  virtual std::unique_ptr<InstallableDriver> open(const std::string& name) = 0;

  // The simulated machine's drivers under the simulation switch, else none at all.
  static InstallableDriverBackend& current();
};

}  // namespace platform
