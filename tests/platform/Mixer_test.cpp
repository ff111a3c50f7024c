#include "platform/Mixer.h"

#include <gtest/gtest.h>

#include "platform/MixerAlsa.h"
#include "platform/MixerSim.h"
#include "sim/SimMixer.h"

using namespace platform;

namespace {

TEST(MixerAlsaScaling, VolumesMapOntoTheElementRange) {
  struct Case {
    uint32_t value;
    long min, max, raw;
  };
  const Case cases[] = {
      {0, 0, 31, 0},          {65535, 0, 31, 31},     {32768, 0, 31, 16},
      {70000, 0, 31, 31},     {0, -6000, 0, -6000},   {65535, -6000, 0, 0},
      {0, 5, 5, 5},           {65535, 0, 65535, 65535}, {1, 0, 65535, 1},
      {65535, 0, 0x7FFFFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleToElementRange(c.value, c.min, c.max), c.raw)
        << c.value << " in [" << c.min << ", " << c.max << "]";
  EXPECT_EQ(ScaleFromElementRange(31, 0, 31), 65535u);
  EXPECT_EQ(ScaleFromElementRange(40, 0, 31), 65535u) << "out of range reads clamp";
  EXPECT_EQ(ScaleFromElementRange(-3, 0, 31), 0u);
  EXPECT_EQ(ScaleFromElementRange(5, 5, 5), 0u);
  // Reading a step and writing it back lands on the same step, so a slider never creeps.
  for (long min : {0L, -128L, -10239L})
    for (long raw = min; raw <= min + 200; ++raw)
      ASSERT_EQ(ScaleToElementRange(ScaleFromElementRange(raw, min, min + 200), min, min + 200), raw);
}

// What every backend must hold to: destinations and their sources describe themselves
// consistently, and a value read from a control can be written back and read again unchanged.
void CheckContract(MixerBackend& backend) {
  ASSERT_GE(backend.deviceCount(), 1u);
  auto device = backend.open(0);
  ASSERT_NE(device, nullptr);
  ASSERT_GE(device->destinationCount(), 1u);
  EXPECT_FALSE(device->destination(device->destinationCount()).has_value());
  for (uint32_t d = 0; d < device->destinationCount(); ++d) {
    auto dest = device->destination(d);
    ASSERT_TRUE(dest.has_value());
    auto found = device->findDestination(dest->componentType);
    ASSERT_TRUE(found.has_value());
    EXPECT_LE(found->first, d);
    EXPECT_FALSE(device->source(d, dest->connections).has_value());
    std::vector<MixerLine> lines{*dest};
    for (uint32_t s = 0; s < dest->connections; ++s) {
      auto src = device->source(d, s);
      ASSERT_TRUE(src.has_value());
      EXPECT_GE(src->componentType, kMixerSourceFirst);
      EXPECT_LE(src->componentType, kMixerSourceLast);
      lines.push_back(*src);
    }
    for (const MixerLine& line : lines) {
      SCOPED_TRACE(::testing::Message() << "line 0x" << std::hex << line.componentType);
      for (uint32_t type : {kMixerControlVolume, kMixerControlMute}) {
        auto control = device->control(line.lineId, type);
        if (!control) continue;
        EXPECT_EQ(control->type & kMixerUnitsMask, type & kMixerUnitsMask);
        // Both channels where the control has them, so a real card keeps its balance.
        size_t n = (control->flags & kMixerControlUniform) || line.channels < 2 ? 1 : 2;
        uint32_t before[2] = {}, after[2] = {};
        ASSERT_TRUE(device->getValues(control->controlId, {before, n}));
        ASSERT_TRUE(device->setValues(control->controlId, std::span<const uint32_t>(before, n)));
        ASSERT_TRUE(device->getValues(control->controlId, {after, n}));
        EXPECT_EQ(after[0], before[0]);
        EXPECT_EQ(after[1], before[1]);
      }
    }
  }
}

TEST(MixerContract, SimulatedBackend) {
  sim::Mixer().reset();
  CheckContract(SimMixerBackend());
  EXPECT_EQ(sim::Mixer().openHandles(), 0);
  sim::Mixer().reset();
}

TEST(MixerContract, SoundSystemBackend) {
  if (AlsaMixerBackend().deviceCount() == 0)
    GTEST_SKIP() << "this machine has no sound card, so the sound system offers no mixer";
  CheckContract(AlsaMixerBackend());
}

}  // namespace
