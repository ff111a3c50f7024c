// The real wave input refuses what it cannot record before it touches any device.
#include <gtest/gtest.h>

#include "platform/WaveInAlsa.h"

namespace {

TEST(WaveInAlsa, RefusesFormatsAndDevicesItCannotUse) {
  struct Case {
    const char* what;
    platform::WaveInFormat format;
    int deviceId;
    uint32_t blockBytes;
    int expected;
  };
  platform::WaveInFormat mp3;
  mp3.formatTag = 0x55;
  platform::WaveInFormat twelveBits;
  twelveBits.bitsPerSample = 12;
  const Case cases[] = {
      {"compressed", mp3, -1, 176400, platform::kWaveInBadFormat},
      {"12 bit", twelveBits, -1, 176400, platform::kWaveInBadFormat},
      {"no buffer", platform::WaveInFormat{}, -1, 0, platform::kWaveInInvalParam},
      {"no such device", platform::WaveInFormat{}, 10000, 176400, platform::kWaveInBadDeviceId},
      {"below the default", platform::WaveInFormat{}, -2, 176400, platform::kWaveInBadDeviceId},
  };
  for (const Case& c : cases) {
    auto wave = platform::CreateAlsaWaveIn();
    EXPECT_EQ(wave->open(c.deviceId, c.format, c.blockBytes, nullptr), c.expected) << c.what;
    wave->stop();  // harmless on a device that never opened
  }
}

}  // namespace
