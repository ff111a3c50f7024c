#include "core/TvStandardPath.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <cstdlib>

#include "core/CoreState.h"
#include "platform/VideoStandard.h"
#include "sim/SimVideoDevices.h"

using Kind = sim::SimVideoEvent::Kind;

namespace {

class TvStandard : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("VYX_SIM", "1", 1);
    sim::VideoDevices().reset();
    ResetCoreState();
  }
  void TearDown() override {
    ResetCoreState();
    sim::VideoDevices().reset();
  }
  static std::vector<sim::SimVideoEvent> standardsSet() {
    std::vector<sim::SimVideoEvent> out;
    for (const auto& e : sim::VideoDevices().events())
      if (e.kind == Kind::SetStandard) out.push_back(e);
    return out;
  }
};

TEST_F(TvStandard, WithoutADeviceAttachSucceedsAndStandardsGoNowhere) {
  sim::VideoDevices().setDeviceCount(0);
  ASSERT_TRUE(ComAttach());
  EXPECT_TRUE(sim::VideoDevices().events().empty()) << "nothing was bound";
  ComSetTVSystem(platform::kAnalogPalB);
  EXPECT_TRUE(standardsSet().empty());
  EXPECT_FALSE(ComStartPreview()) << "the path itself is attached";
}

TEST_F(TvStandard, OnlyTheFirstOfTwoDevicesGetsTheStandard) {
  sim::VideoDevices().setDeviceCount(2);
  ASSERT_TRUE(ComAttach());
  ComSetTVSystem(platform::kAnalogSecamD);
  EXPECT_EQ(sim::VideoDevices().devices()[0].standard, V4L2_STD_SECAM_D);
  EXPECT_EQ(sim::VideoDevices().devices()[1].standard, 0u);
  auto sets = standardsSet();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].device, 0);
}

TEST_F(TvStandard, DetachThenAttachBindsTheSameDeviceAfresh) {
  sim::VideoDevices().setDeviceCount(2);
  ASSERT_TRUE(ComAttach());
  ComDetach();
  ASSERT_TRUE(ComAttach());
  const auto& ev = sim::VideoDevices().events();
  ASSERT_EQ(ev.size(), 3u);
  EXPECT_EQ(ev[0], (sim::SimVideoEvent{Kind::Bind, 0, 1, 0}));
  EXPECT_EQ(ev[1], (sim::SimVideoEvent{Kind::Release, 0, 1, 0}));
  EXPECT_EQ(ev[2], (sim::SimVideoEvent{Kind::Bind, 0, 2, 0}));
  ComSetTVSystem(platform::kAnalogNtscM);
  EXPECT_EQ(standardsSet().back().binding, 2) << "the standard goes to the new binding";
  EXPECT_EQ(sim::VideoDevices().openBindings(), 1);
}

TEST_F(TvStandard, AttachingTwiceReleasesTheFirstBinding) {
  ASSERT_TRUE(ComAttach());
  ASSERT_TRUE(ComAttach());
  EXPECT_EQ(sim::VideoDevices().openBindings(), 1);
  ComDetach();
  ComDetach();  // a second detach has nothing left to release
  EXPECT_EQ(sim::VideoDevices().openBindings(), 0);
  EXPECT_TRUE(ComStopPreview()) << "nothing attached: failure";
}

TEST_F(TvStandard, AFailedLookupFailsTheAttachAndBindsNothing) {
  sim::VideoDevices().setLookupFails(true);
  EXPECT_FALSE(ComAttach());
  ComSetTVSystem(platform::kAnalogPalB);
  EXPECT_TRUE(sim::VideoDevices().events().empty());
  EXPECT_TRUE(ComStartPreview());
}

TEST_F(TvStandard, ADeviceWithoutADecoderIsNotAskedToSetAStandard) {
  sim::VideoDevices().devices()[0].hasDecoder = false;
  ASSERT_TRUE(ComAttach());
  ComSetTVSystem(platform::kAnalogPalB);
  EXPECT_TRUE(standardsSet().empty());
}

// The standard masks the card functions pass for standards 0..7, and what the driver is told.
TEST_F(TvStandard, EachMaskReachesTheDriverAsItsV4l2Standard) {
  struct Case {
    uint32_t mask;
    uint64_t standard;  // 0: nothing is set
  };
  const Case cases[] = {
      {0, 0},  // automatic: the driver keeps what it has
      {0x1, V4L2_STD_NTSC_M},     {0x2, V4L2_STD_NTSC_M_JP}, {0x10, V4L2_STD_PAL_B},
      {0x200, V4L2_STD_PAL_M},    {0x400, V4L2_STD_PAL_N},   {0x2000, V4L2_STD_SECAM_D},
      {0x80, V4L2_STD_PAL_H},
      {0x11, V4L2_STD_NTSC_M | V4L2_STD_PAL_B},  // bits combine
      {0x4, 0},                                  // a bit no standard number passes
  };
  ASSERT_TRUE(ComAttach());
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mask 0x" << std::hex << c.mask);
    EXPECT_EQ(platform::V4l2StandardOf(c.mask), c.standard);
    sim::VideoDevices().devices()[0].standard = 0;
    size_t before = standardsSet().size();
    ComSetTVSystem(c.mask);
    EXPECT_EQ(sim::VideoDevices().devices()[0].standard, c.standard);
    EXPECT_EQ(standardsSet().size(), before + (c.standard ? 1 : 0));
  }
}

}  // namespace
