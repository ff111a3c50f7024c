// Messages to a window of another program in the session, found by the window's name: the
// remote-control companion's window "VyxRemoteControl" hears when the program starts and ends.
// Posting does not wait for the receiver to act.
//
// On the wire (real backend) the window is a local socket of the window's name (where QLocalServer
// listens for it) and each message is one record of kCompanionRecordSize bytes: the message number,
// then the first and the second parameter, each an unsigned 32-bit little-endian integer. One
// connection carries one record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

struct CompanionMessage {
  uint32_t message = 0;
  uint32_t first = 0;
  uint32_t second = 0;

  bool operator==(const CompanionMessage&) const = default;
};

constexpr size_t kCompanionRecordSize = 12;
std::array<uint8_t, kCompanionRecordSize> EncodeCompanionMessage(const CompanionMessage& message);
CompanionMessage DecodeCompanionMessage(const std::array<uint8_t, kCompanionRecordSize>& record);

class CompanionLink {
public:
  virtual ~CompanionLink() = default;
  // Posts the message to the window of that name. False, with nothing sent, when there is no such
  // window (the companion is not running) or the message could not be handed over.
  virtual bool post(const std::string& windowName, const CompanionMessage& message) = 0;

  // The simulated companion under the simulation switch, else local sockets.
  static CompanionLink& current();
};

}  // namespace platform
