// The WAV recorder from start to the written file, on the simulated wave input: RIFF layout and
// sizes read back by libavformat and by our reader, the raw copy, a full disk, the 4 GB limit,
// failures that keep the temporary file, and the names of the files.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <memory>
#include <iterator>
#include <string>
#include <vector>

#include "SimWaveInFixture.h"
#include "WavProbe.h"
#include "recording/RecordingState.h"
#include "recording/WavEncoder.h"
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
  EXPECT_EQ(wave->format, WaveFormatBlock(DefaultWaveFormat(), MaxWavFormatSize));
  EXPECT_EQ(wave->factSamples, 44100u);
  EXPECT_EQ(wave->data, blocks);
  EXPECT_EQ(file.size(), 12u + 8 + MaxWavFormatSize + 12 + 8 + 176400);

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

// The offered format with this tag, rate, channels and (MPEG layer-3) byte rate.
std::vector<uint8_t> Offered(uint16_t tag, uint32_t rate, uint16_t channels,
                             uint32_t avgBytes = 0) {
  for (const std::vector<uint8_t>& block : OfferedWavFormats()) {
    const WaveFormatFields f = ReadWaveFormat(block);
    if (f.formatTag == tag && f.samplesPerSec == rate && f.channels == channels &&
        (avgBytes == 0 || f.avgBytesPerSec == avgBytes))
      return block;
  }
  return {};
}

TEST_F(WavRecorderTest, CompressedFormatsAreEncodedOnTheWayAndFlushedAtStop) {
  struct Case {
    std::vector<uint8_t> format;
    const char* codec;
    int64_t frameSamples;  // the codec's frame: how far the decoded length may be off
  };
  const Case cases[] = {
      {Offered(kWaveFormatImaAdpcm, 22050, 2), "adpcm_ima_wav", 1017},
      {Offered(kWaveFormatImaAdpcm, 8000, 1), "adpcm_ima_wav", 505},
      {Offered(kWaveFormatALaw, 8000, 1), "pcm_alaw", 1},
      {Offered(kWaveFormatMuLaw, 44100, 2), "pcm_mulaw", 1},
      {Offered(kWaveFormatMpegLayer3, 44100, 2, 16000), "mp3", 1152},
      {Offered(kWaveFormatMpegLayer3, 22050, 1, 4000), "mp3", 576},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.format.empty()) << c.codec << ": not offered";
    const WaveFormatFields f = ReadWaveFormat(c.format);
    const std::string what = WaveFormatTagName(f.formatTag) + " " + WaveFormatAttributes(c.format);
    ResetRecordingState();
    blocks.clear();
    WavFileName = "take.wav";
    SavedWavFormat = c.format;
    SavedWavFormat.resize(MaxWavFormatSize);
    TempWaveFileName = tempPath();
    ASSERT_TRUE(start()) << what;
    advance(1500);  // one whole second and half of the next: a partial last buffer
    ASSERT_TRUE(StopWavRecording(nullptr, false)) << what;
    EXPECT_TRUE(boxes.shown().empty()) << what;
    // The wave input recorded 16-bit PCM at the format's rate.
    EXPECT_EQ(blocks.size(), size_t(f.samplesPerSec) * 3 / 2 * 2 * f.channels) << what;

    const auto wave = ReadRiffWave(ReadAll(wavPath()));
    ASSERT_TRUE(wave) << what;
    EXPECT_EQ(wave->format.size(), MaxWavFormatSize) << what;
    EXPECT_EQ(WaveFormatUsedSize(wave->format), c.format.size()) << what;
    EXPECT_TRUE(std::equal(c.format.begin(), c.format.end(), wave->format.begin())) << what;
    EXPECT_EQ(wave->factSamples, f.samplesPerSec * 3 / 2) << what;
    EXPECT_EQ(wave->data.size(), WavByteCount) << what;

    const WavProbe probe = ProbeWav(wavPath());
    ASSERT_TRUE(probe.opened) << what;
    EXPECT_EQ(probe.codec, c.codec) << what;
    EXPECT_EQ(probe.sampleRate, int(f.samplesPerSec)) << what;
    EXPECT_EQ(probe.channels, f.channels) << what;
    EXPECT_FALSE(probe.decodeFailed) << what;
    // The encoder's delay comes out as well: MPEG layer-3 starts with 1105 samples of it.
    const int64_t delay = f.formatTag == kWaveFormatMpegLayer3 ? 1105 : 0;
    EXPECT_GE(probe.decodedSamples, int64_t(f.samplesPerSec) * 3 / 2) << what;
    EXPECT_LT(probe.decodedSamples, int64_t(f.samplesPerSec) * 3 / 2 + delay + c.frameSamples)
        << what;
  }
}

TEST_F(WavRecorderTest, Mp3WithoutRiffHeaderIsAPlainMp3Stream) {
  SavedWavFormat = Offered(kWaveFormatMpegLayer3, 44100, 2, 16000);
  ASSERT_FALSE(SavedWavFormat.empty());
  ASSERT_TRUE(start(1, true));
  advance(1000);
  ASSERT_TRUE(StopWavRecording(nullptr, true));
  const std::vector<uint8_t> file = ReadAll(wavPath());
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(file[0], 0xFF);  // a frame's sync word right at the start
  EXPECT_EQ(file.size(), WavByteCount);
  const WavProbe probe = ProbeWav(wavPath());
  EXPECT_EQ(probe.container, "mp3");
  EXPECT_EQ(probe.codec, "mp3");
  EXPECT_EQ(probe.sampleRate, 44100);
  EXPECT_EQ(probe.channels, 2);
  EXPECT_GE(probe.decodedSamples, 44100);
}

// Fails from the `failAt`-th call of encode on; passes the samples through as bytes before.
class FailingEncoder : public WavEncoder {
public:
  explicit FailingEncoder(int failAt) : failAt_(failAt) {}
  bool encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& out) override {
    if (++calls_ >= failAt_) return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(samples);
    out.insert(out.end(), bytes, bytes + frames);
    samples_ += frames;
    return true;
  }
  bool flush(std::vector<uint8_t>&) override { return calls_ < failAt_; }
  uint64_t samples() const override { return samples_; }
  std::string error() const override { return calls_ >= failAt_ ? "codec broke" : ""; }

private:
  int failAt_;
  int calls_ = 0;
  uint64_t samples_ = 0;
};

TEST_F(WavRecorderTest, AnEncoderFailureStopsTheRecordingAndKeepsAValidFile) {
  SavedWavFormat = Offered(kWaveFormatALaw, 8000, 1);
  ASSERT_FALSE(SavedWavFormat.empty());
  ASSERT_TRUE(start());
  WavCoder = std::make_unique<FailingEncoder>(2);
  advance(3000);
  EXPECT_TRUE(stoppedByWriter);
  EXPECT_TRUE(written);
  EXPECT_EQ(WavRecorder, nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Encoding error: codec broke");
  const auto wave = ReadRiffWave(ReadAll(wavPath()));
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->data.size(), 8000u);  // the first second
  EXPECT_EQ(wave->factSamples, 8000u);
  EXPECT_EQ(ProbeWav(wavPath()).decodedSamples, 8000);
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
  const uint64_t max = MaxWavDataBytes(MaxWavFormatSize);
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
