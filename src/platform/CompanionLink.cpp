#include "platform/CompanionLink.h"

#include "platform/CompanionLinkSim.h"
#include "platform/CompanionLinkSocket.h"
#include "platform/Environment.h"

namespace platform {

namespace {

void putWord(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getWord(const uint8_t* in) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

}  // namespace

std::array<uint8_t, kCompanionRecordSize> EncodeCompanionMessage(const CompanionMessage& message) {
  std::array<uint8_t, kCompanionRecordSize> record{};
  putWord(&record[0], message.message);
  putWord(&record[4], message.first);
  putWord(&record[8], message.second);
  return record;
}

CompanionMessage DecodeCompanionMessage(const std::array<uint8_t, kCompanionRecordSize>& record) {
  return {getWord(&record[0]), getWord(&record[4]), getWord(&record[8])};
}

CompanionLink& CompanionLink::current() {
  if (SimulationEnabled()) return SimCompanionLink();
  return SocketCompanionLink();
}

}  // namespace platform
