#include "platform/CompanionLink.h"

#include "SimSystemFixture.h"
#include "platform/CompanionLinkSim.h"
#include "sim/EventLog.h"

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;

TEST(CompanionRecord, WordsGoLittleEndianInOrder) {
  struct Case {
    CompanionMessage message;
    std::array<uint8_t, kCompanionRecordSize> record;
  };
  const Case cases[] = {
      {{0x470, 4321, 0}, {0x70, 0x04, 0, 0, 0xE1, 0x10, 0, 0, 0, 0, 0, 0}},
      {{0x471, 0, 0}, {0x71, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {{0xFFFFFFFF, 0x80000001, 0x01020304},
       {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0x80, 4, 3, 2, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeCompanionMessage(c.message), c.record) << std::hex << c.message.message;
    EXPECT_EQ(DecodeCompanionMessage(c.record), c.message) << std::hex << c.message.message;
  }
}

class SimCompanion : public SimSystemFixture {};

TEST_F(SimCompanion, MessagesArriveOnlyWhileTheCompanionWindowExists) {
  EXPECT_EQ(&CompanionLink::current(), &SimCompanionLink());
  struct Case {
    bool window;
    const char* name;
    bool delivered;
  };
  const Case cases[] = {
      {false, "VyxRemoteControl", false},
      {true, "VyxRemoteControl", true},
      {true, "SomeOtherWindow", false},
  };
  for (const Case& c : cases) {
    sim::System().setCompanionWindowPresent(c.window);
    EXPECT_EQ(CompanionLink::current().post(c.name, {0x470, 77, 0}), c.delivered) << c.name;
  }
  auto posts = sim::SystemLog().only(Kind::CompanionPost);
  ASSERT_EQ(posts.size(), 3u) << "undelivered posts are logged too";
  EXPECT_EQ(posts[1].name, "VyxRemoteControl");
  EXPECT_EQ(posts[1].a, 0x470);
  EXPECT_EQ(posts[1].b, 77);
  EXPECT_EQ(posts[1].c, 0);
}

TEST_F(SimCompanion, EachPostIsPlacedAmongTheCardAccesses) {
  sim::System().setCompanionRunning(true);
  sim::Log().clear();
  CompanionLink::current().post("VyxRemoteControl", {0x470, 1, 0});
  sim::Log().add({sim::Event::Kind::PciLookup, 0x109E, 0x36E, 1});
  CompanionLink::current().post("VyxRemoteControl", {0x471, 0, 0});
  auto posts = sim::SystemLog().only(Kind::CompanionPost);
  ASSERT_EQ(posts.size(), 2u);
  EXPECT_EQ(posts[0].machineLogPosition, 0u) << "before the card look-up";
  EXPECT_EQ(posts[1].machineLogPosition, 1u) << "after it";
  sim::Log().clear();
}

}  // namespace
