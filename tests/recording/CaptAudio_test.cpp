// The Audio page over the simulated wave input: a WAV recording started and stopped from the
// window, its numbered names and statistics, the refusal while an AVI capture runs, and the test
// mode with its level meter, clip lamps and scope.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>

#include "CaptureFormFixture.h"
#include "controls/FBVUMeter.h"
#include "controls/Rxswitch.h"
#include "platform/WaveInSim.h"
#include "recording/CaptState.h"
#include "recording/WavRecording.h"
#include "sim/SimSystem.h"

namespace recording_test {
namespace {

namespace fs = std::filesystem;

class CaptAudioTest : public CaptureFormTest {
protected:
  void SetUp() override {
    CaptureFormTest::SetUp();
    platform::SimWaveInControl::Reset();
    platform::SimWaveInControl::current().realTimePacing = false;
  }
  void TearDown() override {
    CaptureFormTest::TearDown();
    platform::SimWaveInControl::Reset();
  }

  static void advance(uint64_t ms) {
    sim::Clock().advance(ms);
    platform::PumpSimWaveIn();
  }

  static std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(CaptAudioTest, ARecordingStartedAndStoppedFromTheWindowWritesTheWavFile) {
  Settings.WavFilename = file("take.wav");
  std::ofstream(file("take.wav")) << "old";
  TForm3& form = show();
  form.CheckBox14->setChecked(true);

  form.Button6Click();
  EXPECT_FALSE(form.Button6->isEnabled());
  EXPECT_FALSE(form.Button12->isEnabled());
  EXPECT_FALSE(form.RxSwitch1->isEnabled());
  EXPECT_TRUE(form.Button7->isEnabled());
  EXPECT_EQ(form.Label32->text().toStdString(), file("take1.wav"));
  advance(1000);
  EXPECT_EQ(WavByteCount, 176400u);
  EXPECT_EQ(form.Label35->text(), "176400");

  form.Button7Click();
  EXPECT_TRUE(form.Button6->isEnabled());
  EXPECT_FALSE(form.Button7->isEnabled());
  EXPECT_TRUE(form.RxSwitch1->isEnabled());
  const std::string wav = bytesOf(file("take1.wav"));
  ASSERT_GE(wav.size(), 44u + 176400u);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(wav.substr(8, 4), "WAVE");
  EXPECT_EQ(bytesOf(file("take.wav")), "old");
  EXPECT_FALSE(fs::exists(TempWaveFileName)) << "the temporary file goes once written";
}

TEST_F(CaptAudioTest, NoWavRecordingStartsWhileAnAviCaptureRuns) {
  Settings.WavFilename = file("take.wav");
  TForm3& form = show();
  AviCaptureRunning = true;
  form.Button6Click();
  EXPECT_FALSE(WavRecordingRunning());
  EXPECT_TRUE(form.Button6->isEnabled());
  AviCaptureRunning = false;
}

TEST_F(CaptAudioTest, TheTestModeRecordsIntoTheMeterUntilARecordingStarts) {
  Settings.WavFilename = file("take.wav");
  TForm3& form = show();
  form.RxSwitch1->SetStateOn(true);
  ASSERT_NE(WavRecorder, nullptr);
  EXPECT_EQ(WavRecorder->SecBuffer, 0.04);

  form.Button6Click();  // the test mode goes off first
  EXPECT_FALSE(form.RxSwitch1->StateOn());
  EXPECT_TRUE(WavRecordingRunning());
  form.Button7Click();
  EXPECT_EQ(WavRecorder, nullptr);
}

TEST_F(CaptAudioTest, ALoudBlockLightsItsLampForAWhile) {
  TForm3& form = show();
  std::vector<uint8_t> block(4 * 3, 0);
  block[0] = uint8_t(16641 & 0xFF);  // left peak 16641: level 0.5
  block[1] = uint8_t(16641 >> 8);
  form.CMyWaveIn1Data2(block.data(), uint32_t(block.size()));
  EXPECT_EQ(form.Panel5->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_NE(form.Panel6->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_TRUE(form.Timer1.Enabled());
  form.Timer1Timer();
  EXPECT_NE(form.Panel5->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_FALSE(form.Timer1.Enabled());

  form.PaintBox1Click();
  EXPECT_TRUE(ScopeFrozen);
  form.PaintBox1Click();
  EXPECT_FALSE(ScopeFrozen);
}

TEST_F(CaptAudioTest, WithoutAWaveInputTheSwitchIsOnAndNothingRecords) {
  TForm3& form = show();
  sim::System().setWaveInputPresent(false);
  form.RxSwitch1->SetStateOn(true);
  EXPECT_TRUE(form.RxSwitch1->StateOn());
  EXPECT_EQ(WavRecorder, nullptr);
  sim::System().setWaveInputPresent(true);
}

}  // namespace
}  // namespace recording_test
