// The recording format: validation of a stored block, the saved format from the registry, and
// the format choice with its dialog replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "SimWaveInFixture.h"
#include "core/SystemUtils.h"
#include "recording/WavFormatChoice.h"
#include "recording/WavFormatDialog.h"
#include "recording/RecordingState.h"
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

// The described compressed block with this tag, rate, channels and (MPEG layer-3) byte rate.
std::vector<uint8_t> Compressed(uint16_t tag, uint32_t rate, uint16_t channels,
                                uint32_t avgBytes = 0) {
  for (const std::vector<uint8_t>& block : CompressedWaveFormats()) {
    const WaveFormatFields f = ReadWaveFormat(block);
    if (f.formatTag == tag && f.samplesPerSec == rate && f.channels == channels &&
        (avgBytes == 0 || f.avgBytesPerSec == avgBytes))
      return block;
  }
  return {};
}

std::vector<uint8_t> Le(std::initializer_list<std::pair<uint32_t, int>> fields) {
  std::vector<uint8_t> bytes;
  for (auto [value, size] : fields)
    for (int i = 0; i < size; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
  return bytes;
}

TEST(WaveFormatBlock, CompressedBlocksAreLaidOutAsWindowsDoesAndNamed) {
  struct Case {
    std::vector<uint8_t> block;
    std::vector<uint8_t> bytes;  // tag, channels, rate, byte rate, align, bits, cbSize, extra
    const char* name;
  };
  const Case cases[] = {
      {Compressed(kWaveFormatImaAdpcm, 22050, 2),
       Le({{0x11, 2}, {2, 2}, {22050, 4}, {22201, 4}, {1024, 2}, {4, 2}, {2, 2}, {1017, 2}}),
       "IMA ADPCM 22050 Hz, 4 bit, stereo"},
      {Compressed(kWaveFormatImaAdpcm, 8000, 1),
       Le({{0x11, 2}, {1, 2}, {8000, 4}, {4055, 4}, {256, 2}, {4, 2}, {2, 2}, {505, 2}}),
       "IMA ADPCM 8000 Hz, 4 bit, mono"},
      {Compressed(kWaveFormatALaw, 8000, 1),
       Le({{6, 2}, {1, 2}, {8000, 4}, {8000, 4}, {1, 2}, {8, 2}, {0, 2}}),
       "CCITT A-Law 8000 Hz, 8 bit, mono"},
      {Compressed(kWaveFormatMuLaw, 44100, 2),
       Le({{7, 2}, {2, 2}, {44100, 4}, {88200, 4}, {2, 2}, {8, 2}, {0, 2}}),
       "CCITT u-Law 44100 Hz, 8 bit, stereo"},
      // wID 1, fdwFlags 0 (ISO padding), nBlockSize, nFramesPerBlock 1, nCodecDelay 1393.
      {Compressed(kWaveFormatMpegLayer3, 44100, 2, 16000),
       Le({{0x55, 2}, {2, 2}, {44100, 4}, {16000, 4}, {1, 2}, {0, 2}, {12, 2},
           {1, 2}, {0, 4}, {417, 2}, {1, 2}, {1393, 2}}),
       "MPEG Layer-3 128 kbit/s, 44100 Hz, stereo"},
      {Compressed(kWaveFormatMpegLayer3, 22050, 1, 4000),
       Le({{0x55, 2}, {1, 2}, {22050, 4}, {4000, 4}, {1, 2}, {0, 2}, {12, 2},
           {1, 2}, {0, 4}, {104, 2}, {1, 2}, {1393, 2}}),
       "MPEG Layer-3 32 kbit/s, 22050 Hz, mono"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.block, c.bytes) << c.name;
    const std::string name =
        WaveFormatTagName(ReadWaveFormat(c.block).formatTag) + " " + WaveFormatAttributes(c.block);
    EXPECT_EQ(name, c.name);
  }
  size_t largest = 0;
  for (const auto& block : CompressedWaveFormats()) {
    largest = std::max(largest, block.size());
    EXPECT_TRUE(DescribedWaveFormat(block));
  }
  EXPECT_EQ(largest, kLargestWaveFormatSize);
  EXPECT_EQ(MaxWavFormatSize, kLargestWaveFormatSize);
}

TEST(WaveFormatBlock, OnlyDescribedCompressedBlocksAreKnown) {
  std::vector<uint8_t> mp3 = Compressed(kWaveFormatMpegLayer3, 44100, 2, 16000);
  std::vector<uint8_t> wrongBlock = Compressed(kWaveFormatImaAdpcm, 22050, 2);
  wrongBlock[18] = 0;  // wSamplesPerBlock 1017 -> 1024: blocks the encoder does not make
  wrongBlock[19] = 4;
  std::vector<uint8_t> otherTag = WaveFormatBlock(DefaultWaveFormat(), 18);
  otherTag[0] = 2;
  std::vector<uint8_t> padded = mp3;
  padded.resize(40, 0xEE);  // what follows the format's bytes is not looked at
  std::vector<uint8_t> cut(mp3.begin(), mp3.begin() + 29);
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    bool known;
  };
  const Case cases[] = {
      {"PCM", WaveFormatBlock(DefaultWaveFormat(), 18), true},
      {"MPEG layer-3", mp3, true},
      {"padded", padded, true},
      {"extra bytes cut", cut, false},
      {"unknown block size", wrongBlock, false},
      {"unknown tag", otherTag, false},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribedWaveFormat(c.block), c.known) << c.what;
}

TEST_F(SavedFormat, FromTheRegistryOrPcmWhenUnusable) {
  struct Case {
    const char* what;
    std::vector<uint8_t> stored;  // empty: no value
    std::vector<uint8_t> expected;
  };
  const WaveFormatFields mono = Pcm(22050, 8, 1);
  const std::vector<uint8_t> pcm = WaveFormatBlock(DefaultWaveFormat(), 18);
  const std::vector<uint8_t> mp3 = Compressed(kWaveFormatMpegLayer3, 44100, 2, 16000);
  std::vector<uint8_t> noEncoder = WaveFormatBlock(DefaultWaveFormat(), 18);
  noEncoder[0] = 2;
  const Case cases[] = {
      {"missing", {}, pcm},
      {"stored PCM of 18 bytes", WaveFormatBlock(mono, 18), WaveFormatBlock(mono, 18)},
      {"stored MPEG layer-3", mp3, mp3},
      {"a tag we cannot encode", noEncoder, pcm},
      {"short", std::vector<uint8_t>(10, 1), pcm},
      {"rate 0", WaveFormatBlock(Pcm(0, 16, 2), 18), pcm},
      {"larger than a block", WaveFormatBlock(mono, 40), pcm},
  };
  for (const Case& c : cases) {
    ResetRecordingState();
    sim::Registry().reset();
    if (!c.stored.empty())
      WriteAppRegValue("TheVyx", "Audio Format A", c.stored.data(), uint32_t(c.stored.size()));
    LoadSavedWavFormat();
    std::vector<uint8_t> expected = c.expected;
    expected.resize(MaxWavFormatSize, 0);
    EXPECT_EQ(SavedWavFormat, expected) << c.what;
    // The recording takes it as it is.
    FreeWavFormat();
    EXPECT_EQ(ChooseWavFormat(nullptr, false), 0);
    EXPECT_EQ(CurrentWavFormat, expected) << c.what;
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
