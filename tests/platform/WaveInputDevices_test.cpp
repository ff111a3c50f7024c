#include "platform/WaveInputDevices.h"

#include "SimSystemFixture.h"
#include "platform/WaveInputDevicesAlsa.h"
#include "platform/WaveInputDevicesSim.h"

namespace {

using Kind = sim::SystemEvent::Kind;

class WaveInput : public SimSystemFixture {};

TEST_F(WaveInput, TheSimulatedMachineAnswersAsToldAndLogsEachQuestion) {
  EXPECT_EQ(&platform::WaveInputDevices::current(), &platform::SimWaveInputDevices());
  for (bool present : {true, false}) {
    sim::System().setWaveInputPresent(present);
    EXPECT_EQ(platform::WaveInputDevices::current().anyPresent(), present);
  }
  auto queries = sim::SystemLog().only(Kind::WaveInputQuery);
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_TRUE(queries[0].ok);
  EXPECT_FALSE(queries[1].ok);
}

TEST(WaveInputAlsa, AnswersWhateverTheMachineHasTwiceTheSame) {
  bool first = platform::AlsaWaveInputDevices().anyPresent();
  EXPECT_EQ(platform::AlsaWaveInputDevices().anyPresent(), first);
}

}  // namespace
