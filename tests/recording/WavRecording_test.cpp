// The WAV recorder from start to the written file, on the simulated wave input: RIFF layout and
// sizes read back by libavformat and by our reader, the raw copy, a full disk, the 4 GB limit,
// failures that keep the temporary file, and the names of the files.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SimWaveInFixture.h"
#include "WavProbe.h"
#include "recording/WavFormatChoice.h"
#include "recording/WavRecording.h"
#include "recording/WavRiffWriter.h"
#include "recording/WaveFormat.h"
#include "sim/SimRegistry.h"
#include "support/TempProgramFolder.h"

namespace recording_test {
namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// Files may grow to `bytes` at most while it lives, as on a disk that is nearly full.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, previous_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { lift(); }
  void lift() {
    if (lifted_) return;
    lifted_ = true;
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }

private:
  rlimit previous_{};
  void (*previousSignal_)(int) = nullptr;
  bool lifted_ = false;
};

class WavRecorderTest : public SimWaveInTest {
protected:
  void SetUp() override {
    SimWaveInTest::SetUp();
    sim::Registry().reset();
    WavFileName = "take.wav";  // relative: in the program folder
    TempWaveFileName = WavTempFileNameFor(WavFileName);
  }

  std::string wavPath() const { return folder.file("take.wav"); }
  std::string tempPath() const { return folder.file("tempwave.tmp"); }

  // Starts recording; every block is also kept in `blocks`. A block that cannot be appended
  // stops the recording from inside the handler, as the window's handler may.
  bool start(int secBuffer = 1, bool noRiffHeader = false) {
    return StartWavRecording(nullptr, secBuffer, -1, [this, noRiffHeader](const uint8_t* d,
                                                                          uint32_t size) {
      blocks.insert(blocks.end(), d, d + size);
      if (AppendWavBlock(nullptr, d, size)) return;
      stoppedByWriter = true;
      if (stopInHandler) written = StopWavRecording(nullptr, noRiffHeader);
    });
  }

  testing_support::TempProgramFolder folder;
  std::vector<uint8_t> blocks;
  bool stoppedByWriter = false;
  bool stopInHandler = true;
  bool written = false;
};

TEST_F(WavRecorderTest, OneSecondOfDefaultPcmMakesARiffFileOthersCanRead) {
  ASSERT_TRUE(start());  // nothing stored: PCM 44100 Hz stereo 16 bit, no dialog
  EXPECT_EQ(ReadWaveFormat(CurrentWavFormat), DefaultWaveFormat());
  advance(1000);
  EXPECT_EQ(WavByteCount, 176400u);
  EXPECT_TRUE(StopWavRecording(nullptr, false));
  EXPECT_EQ(WavRecorder, nullptr);
  EXPECT_FALSE(Exists(tempPath()));
  EXPECT_TRUE(boxes.shown().empty());

  const std::vector<uint8_t> file = ReadAll(wavPath());
  const auto wave = ReadRiffWave(file);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->format, WaveFormatBlock(DefaultWaveFormat(), 18));
  EXPECT_EQ(wave->factSamples, 44100u);
  EXPECT_EQ(wave->data, blocks);
  EXPECT_EQ(file.size(), 12u + 8 + 18 + 12 + 8 + 176400);

  const WavProbe probe = ProbeWav(wavPath());
  ASSERT_TRUE(probe.opened);
  EXPECT_EQ(probe.container, "wav");
  EXPECT_EQ(probe.codec, "pcm_s16le");
  EXPECT_EQ(probe.channels, 2);
  EXPECT_EQ(probe.sampleRate, 44100);
  EXPECT_EQ(probe.samples, blocks);
}

TEST_F(WavRecorderTest, TheLastPartBufferIsKeptAndAnOddDataChunkIsPadded) {
  WaveFormatFields mono8;
  mono8.formatTag = 1;
  mono8.channels = 1;
  mono8.samplesPerSec = 11025;
  mono8.avgBytesPerSec = 11025;
  mono8.blockAlign = 1;
  mono8.bitsPerSample = 8;
  SavedWavFormat = WaveFormatBlock(mono8, MaxWavFormatSize);
  ASSERT_TRUE(start());
  advance(1500);  // one whole buffer, half of the next
  ASSERT_TRUE(StopWavRecording(nullptr, false));
  EXPECT_EQ(WavByteCount, 11025u + 5512u);

  const std::vector<uint8_t> file = ReadAll(wavPath());
  EXPECT_EQ(file.size() % 2, 0u);
  const auto wave = ReadRiffWave(file);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->data.size(), 16537u);
  EXPECT_EQ(wave->factSamples, 16537u);
  const WavProbe probe = ProbeWav(wavPath());
  EXPECT_EQ(probe.codec, "pcm_u8");
  EXPECT_EQ(probe.sampleRate, 11025);
  EXPECT_EQ(probe.samples, blocks);
}

TEST_F(WavRecorderTest, WithoutRiffHeaderTheFileIsTheBlocksThemselves) {
  ASSERT_TRUE(start(1, true));
  advance(2300);
  int picked = 0;
  ASSERT_TRUE(StopWavRecording(nullptr, true, [&] {
    ++picked;
    WavFileName = "take1.wav";
  }));
  EXPECT_EQ(picked, 1);
  EXPECT_EQ(blocks.size(), 2300u * 176400 / 1000);
  EXPECT_EQ(ReadAll(folder.file("take1.wav")), blocks);
  EXPECT_FALSE(Exists(tempPath()));
}

TEST_F(WavRecorderTest, AFullDiskStopsTheRecordingAndKeepsWhatWasWritten) {
  stopInHandler = false;  // the window stops it once the handler has returned
  {
    FileSizeLimit disk(176400 + 1002);  // the second block fits only in part
    ASSERT_TRUE(start());
    advance(2000);
  }
  EXPECT_TRUE(stoppedByWriter);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Write error");
  // Whole sample frames only: 1002 bytes written, 1000 kept.
  EXPECT_EQ(WavByteCount, 176400u + 1000u);
  ASSERT_TRUE(StopWavRecording(nullptr, false));  // space was freed meanwhile
  const auto wave = ReadRiffWave(ReadAll(wavPath()));
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->data, std::vector<uint8_t>(blocks.begin(), blocks.begin() + 177400));
  EXPECT_EQ(ProbeWav(wavPath()).samples.size(), 177400u);
}

TEST_F(WavRecorderTest, AFullDiskAtTheEndKeepsTheTemporaryFile) {
  ASSERT_TRUE(start());
  advance(1000);
  {
    FileSizeLimit disk(176400 + 20);  // the WAV file does not fit
    EXPECT_FALSE(StopWavRecording(nullptr, false));
  }
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Error writing wave data");
  EXPECT_EQ(ReadAll(tempPath()), blocks);
}

TEST_F(WavRecorderTest, FailuresToWriteTheFileKeepTheTemporaryFile) {
  struct Case {
    bool noRiffHeader;
    const char* box;
  };
  for (const Case& c : {Case{false, "Error opening file for write"},
                        Case{true, "Error writing wave data"}}) {
    boxes.clear();
    blocks.clear();
    WavFileName = "missing-folder/take.wav";  // the temporary file stays where it was
    ASSERT_TRUE(start(1, c.noRiffHeader));
    advance(1000);
    EXPECT_FALSE(StopWavRecording(nullptr, c.noRiffHeader));
    ASSERT_EQ(boxes.shown().size(), 1u) << c.box;
    EXPECT_EQ(boxes.shown()[0].text, c.box);
    EXPECT_EQ(boxes.shown()[0].caption, "Error");
    EXPECT_EQ(ReadAll(tempPath()), blocks);
  }
}

TEST_F(WavRecorderTest, TheRecordingStopsAtTheRiffSizeLimit) {
  ASSERT_TRUE(start());
  const uint64_t max = MaxWavDataBytes(18);
  WavByteCount = uint32_t(max - 1002);  // as if hours had been recorded already
  advance(1000);
  EXPECT_TRUE(stoppedByWriter);
  EXPECT_EQ(uint64_t(WavByteCount), max - 2);  // 1000 of the 1002 bytes left: whole frames
  ASSERT_GE(boxes.shown().size(), 1u);
  EXPECT_NE(boxes.shown()[0].text.find("4 GB"), std::string::npos);
  EXPECT_LE(uint64_t(WavByteCount), max);
  // The temporary file got the part that fits, in whole sample frames.
  EXPECT_EQ(ReadAll(tempPath()).size() % 4, 0u);
}

TEST_F(WavRecorderTest, StartFailures) {
  // The device cannot start: its box, no recorder, no temporary file left.
  platform::SimWaveInControl::current().openError = platform::kWaveInAllocated;
  EXPECT_FALSE(start());
  EXPECT_EQ(WavRecorder, nullptr);
  EXPECT_FALSE(Exists(tempPath()));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].caption, "Error");
  platform::SimWaveInControl::current().openError = platform::kWaveInOk;

  // The temporary file cannot be made.
  boxes.clear();
  TempWaveFileName = folder.file("no-such-folder/tempwave.tmp");
  EXPECT_FALSE(start());
  EXPECT_EQ(WavRecorder, nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Error creating file");
  EXPECT_FALSE(StopWavRecording(nullptr, false));  // nothing to stop
}

TEST_F(WavRecorderTest, FileNamesResolveAgainstTheProgramFolder) {
  struct Case {
    std::string wav, resolved, temp;
  };
  const Case cases[] = {
      {"take.wav", folder.file("take.wav"), folder.file("tempwave.tmp")},
      {"sub/take.wav", folder.file("sub/take.wav"), folder.file("sub/tempwave.tmp")},
      {"/srv/rec/x.wav", "/srv/rec/x.wav", "/srv/rec/tempwave.tmp"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveWavFileName(c.wav), c.resolved);
    EXPECT_EQ(WavTempFileNameFor(c.wav), c.temp);
  }
}

}  // namespace
}  // namespace recording_test
