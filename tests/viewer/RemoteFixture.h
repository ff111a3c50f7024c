// The running program with a remote control on the simulated card's GPIO port: remote.ini
// decodes the receiver's bits 16..23 (marker bit 0x80), each key named has its own code, and a
// key is "held" by pressing its code on the receiver.
#pragma once

#include <map>
#include <sstream>
#include <string>

#include "PanelFixture.h"
#include "sim/Bt848Card.h"
#include "sim/SimClock.h"
#include "viewer/Remote.h"
#include "viewer/RemoteKeys.h"

namespace viewer_test {

class RemoteTest : public PanelTest {
protected:
  static constexpr uint32_t kDelay = 300;  // RemoteDelay, ms

  // remote.ini with the decoding above and a code for each key of `keys` (0x80 + its index in
  // the table), or the codes given.
  void writeRemote(std::map<std::string, int> codes = {}) {
    std::ostringstream out;
    out << "[Remote]\nShiftBT=0x10\nMask1=0xFF\nMask2=0x80\nShiftResult=0\nRemoteDelay=" << kDelay
        << "\nMouseStep=7\n[KeyCodesTV]\n";
    if (codes.empty())
      for (int i = 0; i < kRemoteKeys; ++i) codes[kRemoteKeyNames[i].key] = 0x80 + i;
    for (const auto& [key, code] : codes) out << key << "=0x" << std::hex << code << std::dec << "\n";
    folder_.write("remote.ini", out.str());
  }

  void startWithRemote(int channels = 5) {
    writeRemote();
    startWithChannels(channels);
  }

  // The code of a key as writeRemote's default table gives it.
  static uint32_t codeOf(const char* key) {
    for (int i = 0; i < kRemoteKeys; ++i)
      if (std::string(kRemoteKeyNames[i].key) == key) return 0x80 + uint32_t(i);
    return 0;
  }
  static void hold(const char* key) { sim::Card().pressRemote(codeOf(key) << 16); }
  static void release() { sim::Card().releaseRemote(); }
  static void poll() { Form8->Timer1Timer(); }
  // One poll with the key held, then released.
  static void press(const char* key) {
    hold(key);
    poll();
    release();
  }
  static void waitMs(uint64_t ms) { sim::Clock().advance(ms); }
};

}  // namespace viewer_test
