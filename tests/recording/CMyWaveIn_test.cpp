// The wave-input component on the simulated device: buffer sizes, blocks paced by the clock, the
// last partly filled buffer at Stop, failures with their boxes, and stopping from the handler.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <vector>

#include "SimWaveInFixture.h"
#include "platform/WaveIn.h"
#include "platform/WaveInputDevices.h"
#include "recording/CMyWaveIn.h"

namespace recording_test {
namespace {

using WaveInComponent = SimWaveInTest;

TEST_F(WaveInComponent, BuffersHoldSecBufferSecondsOfSound) {
  struct Case {
    double secBuffer;
    uint32_t bytes;
  };
  for (const Case& c : {Case{1.0, 176400}, Case{0.04, 7056}, Case{0.5, 88200}}) {
    CMyWaveIn wave;
    wave.SecBuffer = c.secBuffer;
    const WaveFormatFields format = DefaultWaveFormat();
    ASSERT_FALSE(wave.Start(&format)) << c.secBuffer;
    std::vector<uint32_t> sizes;
    wave.OnData = [&](const uint8_t*, uint32_t size) { sizes.push_back(size); };
    advance(uint64_t(c.secBuffer * 1000));
    EXPECT_EQ(wave.bufferBytes(), c.bytes);
    EXPECT_EQ(sizes, std::vector<uint32_t>{c.bytes}) << c.secBuffer;
  }
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(WaveInComponent, StopHandsOverThePartlyFilledBufferAndNothingAfterIt) {
  CMyWaveIn wave;
  ASSERT_FALSE(wave.Start(WaveFormatBlock(DefaultWaveFormat(), 18)));
  // A handler assigned after Start still receives the first buffer.
  std::vector<uint32_t> sizes;
  wave.OnData = [&](const uint8_t*, uint32_t size) { sizes.push_back(size); };
  advance(2500);
  EXPECT_EQ(sizes, (std::vector<uint32_t>{176400, 176400}));
  wave.Stop();
  EXPECT_EQ(sizes, (std::vector<uint32_t>{176400, 176400, 88200}));
  EXPECT_TRUE(wave.stopped());
  advance(3000);
  wave.Stop();  // a second stop touches nothing; the destructor's third neither
  EXPECT_EQ(sizes.size(), 3u);
}

TEST_F(WaveInComponent, FailuresShowTheDeviceTextInAnErrorBox) {
  struct Case {
    const char* what;
    WaveFormatFields format;
    int deviceId;
    double secBuffer;
    int injected;
    int expected;
  };
  WaveFormatFields mp3 = DefaultWaveFormat();
  mp3.formatTag = 0x55;
  WaveFormatFields noChannels = DefaultWaveFormat();
  noChannels.channels = 0;
  const WaveFormatFields pcm = DefaultWaveFormat();
  const Case cases[] = {
      {"compressed", mp3, -1, 1.0, platform::kWaveInOk, platform::kWaveInBadFormat},
      {"no channels", noChannels, -1, 1.0, platform::kWaveInOk, platform::kWaveInBadFormat},
      {"no such device", pcm, 1, 1.0, platform::kWaveInOk, platform::kWaveInBadDeviceId},
      {"zero seconds", pcm, -1, 0.0, platform::kWaveInOk, platform::kWaveInInvalParam},
      {"device busy", pcm, 0, 1.0, platform::kWaveInAllocated, platform::kWaveInAllocated},
  };
  for (const Case& c : cases) {
    boxes.clear();
    platform::SimWaveInControl::current().openError = c.injected;
    CMyWaveIn wave;
    wave.DeviceId = c.deviceId;
    wave.SecBuffer = c.secBuffer;
    EXPECT_TRUE(wave.Start(&c.format)) << c.what;
    ASSERT_EQ(boxes.shown().size(), 1u) << c.what;
    EXPECT_EQ(boxes.shown()[0].caption, "Error");
    EXPECT_EQ(boxes.shown()[0].text, platform::WaveInErrorText(c.expected)) << c.what;
    EXPECT_EQ(boxes.shown()[0].flags, unsigned(platform::kMbIconStop));
    wave.Stop();
  }
}

TEST_F(WaveInComponent, NullFormatFailsWithoutABox) {
  CMyWaveIn wave;
  EXPECT_TRUE(wave.Start(nullptr));
  EXPECT_TRUE(wave.Start(std::vector<uint8_t>{}));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(WaveInComponent, AHandlerMayStopTheRecording) {
  auto* wave = new CMyWaveIn;
  wave->SecBuffer = 0.04;
  ASSERT_FALSE(wave->Start(WaveFormatBlock(DefaultWaveFormat(), 18)));
  int calls = 0;
  wave->OnData = [&](const uint8_t*, uint32_t) {
    ++calls;
    wave->Stop();
    wave->deleteLater();
  };
  advance(1000);  // 25 buffers due; the first one stops it
  EXPECT_EQ(calls, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WaveInDevices, TheSimulatedMachineListsItsDevices) {
  platform::SimWaveInControl::Reset();
  platform::SimWaveInControl::current().deviceCount = 2;
  auto& devices = platform::WaveInputDevices::current();
  EXPECT_EQ(devices.names().size(), 2u);
  EXPECT_FALSE(devices.defaultName().empty());
  platform::SimWaveInControl::Reset();
}

}  // namespace
}  // namespace recording_test
