#include "platform/SystemShutdown.h"

#include "ScopedEnv.h"
#include "SimSystemFixture.h"
#include "platform/SystemShutdownLogind.h"
#include "platform/SystemShutdownSim.h"

namespace {

using Kind = sim::SystemEvent::Kind;

class SimShutdown : public SimSystemFixture {};

TEST_F(SimShutdown, PowerOffIsRecordedAndCanBeRefused) {
  EXPECT_EQ(&platform::SystemShutdown::current(), &platform::SimSystemShutdown());
  for (bool fails : {false, true}) {
    sim::System().setPowerOffFails(fails);
    EXPECT_EQ(platform::SystemShutdown::current().powerOff(), !fails);
  }
  auto requests = sim::SystemLog().only(Kind::PowerOff);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[0].ok);
  EXPECT_FALSE(requests[1].ok);
}

// The real backend must never act in a simulated run, even when reached directly.
TEST(LogindShutdown, RefusesUnderTheSimulationSwitch) {
  ScopedEnv simulation("VYX_SIM", "1");
  EXPECT_FALSE(platform::LogindSystemShutdown().powerOff());
}

}  // namespace
