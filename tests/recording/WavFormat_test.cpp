// The recording format: validation of a stored block, the saved format from the registry, and
// the format choice with its dialog replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimWaveInFixture.h"
#include "core/SystemUtils.h"
#include "recording/WavFormatChoice.h"
#include "recording/WavFormatDialog.h"
#include "recording/WavRecording.h"
#include "recording/WaveFormat.h"
#include "sim/SimRegistry.h"

namespace recording_test {
namespace {

WaveFormatFields Pcm(uint32_t rate, uint16_t bits, uint16_t channels) {
  WaveFormatFields f;
  f.formatTag = 1;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.bitsPerSample = bits;
  f.blockAlign = uint16_t(bits / 8 * channels);
  f.avgBytesPerSec = f.blockAlign * rate;
  return f;
}

TEST(WaveFormatBlock, ValidationOfAStoredBlock) {
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    bool valid;
  };
  auto with = [](auto change, uint32_t size = 18) {
    WaveFormatFields f = DefaultWaveFormat();
    change(f);
    return WaveFormatBlock(f, size);
  };
  const Case cases[] = {
      {"default", WaveFormatBlock(DefaultWaveFormat(), 18), true},
      {"17 bytes", WaveFormatBlock(DefaultWaveFormat(), 17), false},
      {"empty", {}, false},
      {"extra bytes inside", with([](auto& f) { f.extraSize = 2; }, 20), true},
      {"extra bytes past the end", with([](auto& f) { f.extraSize = 3; }, 20), false},
      {"rate 0", with([](auto& f) { f.samplesPerSec = 0; }), false},
      {"byte rate 0", with([](auto& f) { f.avgBytesPerSec = 0; }), false},
      {"no channels", with([](auto& f) { f.channels = 0; }), false},
      {"block align 0", with([](auto& f) { f.blockAlign = 0; }), false},
  };
  for (const Case& c : cases) EXPECT_EQ(ValidWaveFormatBlock(c.block), c.valid) << c.what;
  EXPECT_EQ(WaveFormatUsedSize(with([](auto& f) { f.extraSize = 2; }, 40)), 20u);
}

class SavedFormat : public SimWaveInTest {
protected:
  void SetUp() override {
    SimWaveInTest::SetUp();
    sim::Registry().reset();
  }
  void TearDown() override {
    SetWavFormatChooser({});
    SimWaveInTest::TearDown();
  }
};

TEST_F(SavedFormat, FromTheRegistryOrPcmWhenUnusable) {
  struct Case {
    const char* what;
    std::vector<uint8_t> stored;  // empty: no value
    WaveFormatFields expected;
  };
  const WaveFormatFields mono = Pcm(22050, 8, 1);
  const Case cases[] = {
      {"missing", {}, DefaultWaveFormat()},
      {"stored", WaveFormatBlock(mono, 18), mono},
      {"short", std::vector<uint8_t>(10, 1), DefaultWaveFormat()},
      {"rate 0", WaveFormatBlock(Pcm(0, 16, 2), 18), DefaultWaveFormat()},
      {"larger than a block", WaveFormatBlock(mono, 40), DefaultWaveFormat()},
  };
  for (const Case& c : cases) {
    sim::Registry().reset();
    if (!c.stored.empty())
      WriteAppRegValue("TheVyx", "Audio Format A", c.stored.data(), uint32_t(c.stored.size()));
    LoadSavedWavFormat();
    EXPECT_EQ(SavedWavFormat.size(), MaxWavFormatSize) << c.what;
    EXPECT_EQ(ReadWaveFormat(SavedWavFormat), c.expected) << c.what;
  }
  // And back.
  SavedWavFormat = WaveFormatBlock(mono, MaxWavFormatSize);
  StoreSavedWavFormat();
  SavedWavFormat.clear();
  LoadSavedWavFormat();
  EXPECT_EQ(ReadWaveFormat(SavedWavFormat), mono);
}

TEST_F(SavedFormat, TheDialogChoosesCancelKeepsAndUnsupportedAsksAgain) {
  LoadSavedWavFormat();
  std::vector<WaveFormatFields> startedFrom;
  std::vector<WavFormatChoiceResult> answers;
  std::vector<WaveFormatFields> picks;
  SetWavFormatChooser([&](QWidget*, std::vector<uint8_t>& block) {
    startedFrom.push_back(ReadWaveFormat(block));
    const WavFormatChoiceResult answer = answers.front();
    answers.erase(answers.begin());
    if (answer == WavFormatChoiceResult::Ok) {
      block = WaveFormatBlock(picks.front(), uint32_t(block.size()));
      picks.erase(picks.begin());
    }
    return answer;
  });
  const WaveFormatFields mono = Pcm(22050, 8, 1);
  const WaveFormatFields fine = Pcm(48000, 16, 2);

  // A choice becomes the current and the saved format.
  answers = {WavFormatChoiceResult::Ok};
  picks = {mono};
  EXPECT_EQ(ChooseWavFormat(nullptr, true), 0);
  EXPECT_EQ(ReadWaveFormat(CurrentWavFormat), mono);
  EXPECT_EQ(ReadWaveFormat(SavedWavFormat), mono);

  // The next press starts from the last choice; cancel keeps the saved format.
  FreeWavFormat();
  EXPECT_TRUE(CurrentWavFormat.empty());
  answers = {WavFormatChoiceResult::Cancel};
  EXPECT_EQ(ChooseWavFormat(nullptr, true), 0);
  EXPECT_EQ(startedFrom.back(), mono);
  EXPECT_EQ(ReadWaveFormat(CurrentWavFormat), mono);

  // An unsupported choice: "Format not supported", then the dialog again.
  answers = {WavFormatChoiceResult::NotSupported, WavFormatChoiceResult::Ok};
  picks = {fine};
  EXPECT_EQ(ChooseWavFormat(nullptr, true), 0);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Format not supported");
  EXPECT_EQ(boxes.shown()[0].caption, "Error");
  EXPECT_EQ(ReadWaveFormat(SavedWavFormat), fine);

  // Without asking no dialog runs.
  const size_t dialogs = startedFrom.size();
  EXPECT_EQ(ChooseWavFormat(nullptr, false), 0);
  EXPECT_EQ(startedFrom.size(), dialogs);
  EXPECT_EQ(ReadWaveFormat(CurrentWavFormat), fine);
}

}  // namespace
}  // namespace recording_test
