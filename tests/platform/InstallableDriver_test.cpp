#include "platform/InstallableDriver.h"

#include <cstring>

#include "SimSystemFixture.h"
#include "platform/InstallableDriverNone.h"
#include "platform/InstallableDriverSim.h"

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;
using Block = std::vector<uint8_t>;

class SimDrivers : public SimSystemFixture {};

TEST_F(SimDrivers, AMissingDriverDoesNotOpen) {
  EXPECT_EQ(&InstallableDriverBackend::current(), &SimInstallableDriverBackend());
  EXPECT_EQ(InstallableDriverBackend::current().open("Lr25.dll"), nullptr);
  auto events = sim::SystemLog().events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, Kind::DriverOpen);
  EXPECT_FALSE(events[0].ok);
}

// The exchange as the program makes it: query into a block, mark its second word, send it back.
TEST_F(SimDrivers, APresentDriverFillsTheBlockAndSeesItComeBack) {
  sim::System().setDriverPresent("Lr25.dll", true);
  {
    auto driver = InstallableDriverBackend::current().open("Lr25.dll");
    ASSERT_NE(driver, nullptr);
    Block block(16, 0);
    driver->sendMessage(0x4CF, block);
    EXPECT_EQ(block, (Block{0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB,
                            0xDC, 0xDD, 0xDE, 0xDF}));
    uint32_t one = 1;
    std::memcpy(&block[4], &one, sizeof one);
    driver->sendMessage(0x4CE, block);
  }
  EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::DriverOpen, Kind::DriverMessage, Kind::DriverMessage,
                                        Kind::DriverClose}));
  auto messages = sim::SystemLog().only(Kind::DriverMessage);
  EXPECT_EQ(messages[0].a, 0x4CF);
  EXPECT_EQ(messages[0].data, Block(16, 0)) << "the block as the driver received it";
  EXPECT_EQ(messages[1].a, 0x4CE);
  EXPECT_EQ(messages[1].data, (Block{0xD0, 0xD1, 0xD2, 0xD3, 1, 0, 0, 0, 0xD8, 0xD9, 0xDA, 0xDB,
                                     0xDC, 0xDD, 0xDE, 0xDF}));
}

TEST(NoInstallableDrivers, NothingOpens) {
  EXPECT_EQ(NoInstallableDriverBackend().open("Lr25.dll"), nullptr);
}

}  // namespace
