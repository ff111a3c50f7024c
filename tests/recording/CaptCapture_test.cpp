// The capture window's AVI capture over the simulated card: a sequence that splits into
// numbered files until its overall limit has passed at a split point, a split size of 0 that
// never splits, the status callback's ignored "finished", and a quit asked for mid-capture.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "CaptureFormFixture.h"
#include "capture/AviProbe.h"
#include "controls/Curredit.h"
#include "recording/CaptState.h"

namespace recording_test {
namespace {

namespace fs = std::filesystem;
namespace capstatus = platform::capstatus;

class CaptCaptureTest : public CaptureFormTest {
protected:
  // A window set to capture uncompressed pictures (over a megabyte each) into `name`, split at
  // `splitMb`, with an overall limit of `limitSeconds`.
  TForm3& prepare(const char* name, uint32_t splitMb, int limitSeconds) {
    Settings.AviFilename = file(name);
    Settings.CaptureFileSize = splitMb;
    TForm3& form = show();
    tv->sequence().setVideoCodec(platform::AviVideoCodec::Raw, 0);
    form.CheckBox3->setChecked(true);
    form.RxCalcEdit1->SetValue(limitSeconds);
    return form;
  }

  // Each time the capture moves on to another file, `seconds` pass on the simulated clock.
  void advanceOnEachNewFile(int seconds) {
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [this, seconds] {
      const std::string now = tv->sequence().captureFile();
      if (tv->sequence().running() && now != lastFile) {
        if (!lastFile.empty()) sim::Clock().advance(uint64_t(seconds) * 1000);
        lastFile = now;
      }
    });
    watch.start();
  }

  QTimer watch;
  std::string lastFile;
};

TEST_F(CaptCaptureTest, ASplitSequenceGoesOnInNumberedFilesUntilTheLimitHasPassed) {
  TForm3& form = prepare("capture.avi", 1, 10);
  advanceOnEachNewFile(6);  // split points at 0, 6 and 12 seconds of the sequence

  form.Button8Click();

  for (const char* name : {"capture.avi", "capture1.avi", "capture2.avi"}) {
    capture_test::AviProbe probe = capture_test::ProbeAvi(file(name));
    ASSERT_TRUE(probe.opened) << name;
    EXPECT_GE(probe.frames, 1) << name;
    EXPECT_EQ(probe.width, tv->currentFrame().width()) << name;
    EXPECT_TRUE(probe.hasAudio) << name;
    EXPECT_EQ(probe.sampleRate, 44100) << name;
  }
  EXPECT_FALSE(fs::exists(file("capture3.avi")));
  EXPECT_EQ(CaptureFileName, file("capture2.avi"));
  EXPECT_TRUE(CaptureSequenceNew) << "the next capture starts a new sequence";
  EXPECT_FALSE(AviCaptureRunning);
  EXPECT_TRUE(form.Button8->isEnabled());
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CaptCaptureTest, ASplitSizeOfZeroNeverSplits) {
  TForm3& form = prepare("capture.avi", 0, 1);
  QTimer::singleShot(400, [this] { EXPECT_TRUE(tv->sequence().running()); });

  form.Button8Click();  // ends by the driver's one-second limit

  EXPECT_TRUE(capture_test::ProbeAvi(file("capture.avi")).opened);
  EXPECT_FALSE(fs::exists(file("capture1.avi")));
  EXPECT_FALSE(CaptureSequenceNew) << "a capture ended by the driver keeps its reference";
}

TEST_F(CaptCaptureTest, TheNextFreeNumberedNameIsTakenWithIncrementOn) {
  std::ofstream(file("capture.avi")) << "old";
  std::ofstream(file("capture1.avi")) << "old";
  TForm3& form = prepare("capture.avi", 0, 1);
  form.CheckBox13->setChecked(true);

  form.Button8Click();

  EXPECT_EQ(form.Label27->text().toStdString(), file("capture2.avi"));
  EXPECT_TRUE(capture_test::ProbeAvi(file("capture2.avi")).opened);
  std::ifstream old(file("capture.avi"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

TEST_F(CaptCaptureTest, AQuitDuringACaptureWaitsForTheFile) {
  int quits = 0;
  CaptureLinks.quit = [&] {
    ++quits;
    EXPECT_FALSE(AviCaptureRunning);
  };
  TForm3& form = prepare("capture.avi", 0, 30);
  QTimer::singleShot(300, [] { DeferQuitWhileCapturing(); });

  form.Button8Click();

  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(capture_test::ProbeAvi(file("capture.avi")).opened);
}

// The status labels change only for the ids that show the statistics, and a "finished" (503)
// right after a summary (511, 512) is not taken at all.
TEST_F(CaptCaptureTest, StatusIdsAndTheLabels) {
  struct Case {
    std::vector<int> ids;
    int last;           // LastCaptureStatusId afterwards
    bool labelsChanged;
  };
  const Case cases[] = {
      {{capstatus::kVideoCurrent}, capstatus::kVideoCurrent, true},
      {{capstatus::kCapInit}, capstatus::kCapInit, false},
      {{capstatus::kVideoAudio, capstatus::kCapFini}, capstatus::kVideoAudio, true},
      {{capstatus::kVideoOnly, capstatus::kCapFini}, capstatus::kVideoOnly, true},
      {{capstatus::kVideoCurrent, capstatus::kCapFini}, capstatus::kCapFini, true},
  };
  TForm3& form = show();
  for (const Case& c : cases) {
    LastCaptureStatusId = 0;
    form.Label25->setText("-");
    for (int id : c.ids) EXPECT_TRUE(CaptureStatusCallback(id, ""));
    EXPECT_EQ(LastCaptureStatusId, c.last) << "after id " << c.ids.back();
    EXPECT_EQ(form.Label25->text() != "-", c.labelsChanged) << "after id " << c.ids.back();
  }
  form.Label25->setText("-");
  LastCaptureStatusId = capstatus::kVideoAudio;
  CaptureStatusCallback(capstatus::kCapFini, "");
  EXPECT_EQ(form.Label25->text(), "-") << "503 after 511 changes nothing";
}

TEST_F(CaptCaptureTest, WithoutATvWindowNothingIsCapturedAndTheFileStays) {
  std::ofstream(file("capture.avi")) << "old";
  TForm3& form = prepare("capture.avi", 0, 1);
  CaptureLinks.tvWindow = [] { return static_cast<platform::CaptureWindow*>(nullptr); };

  form.Button8Click();

  EXPECT_TRUE(form.Button8->isEnabled());
  EXPECT_FALSE(AviCaptureRunning);
  EXPECT_EQ(fs::file_size(file("capture.avi")), 3u);
}

}  // namespace
}  // namespace recording_test
