// Streaming capture from the simulated card into AVI files: what ends a capture, what the
// callbacks hear and in which order, that the file holds what the status says, and that failures
// are reported and leave no capture running.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "AviProbe.h"
#include "SimCardFixture.h"
#include "platform/GlobalHotKeySim.h"
#include "platform/capture/CaptureAudioFeedSim.h"
#include "platform/capture/CaptureSequence.h"
#include "platform/capture/CaptureSourceSim.h"

using namespace capture_test;
using platform::CaptureParms;
using platform::CaptureSequence;
namespace capstatus = platform::capstatus;
namespace caperror = platform::caperror;

namespace {

class CaptureSequenceTest : public SimCardTest {
public:
  void SetUp() override {
    SimCardTest::SetUp();
    tuneTv(191.25);
    ASSERT_TRUE(source.connectDriver(0));
    parms.dwRequestMicroSecPerFrame = 40000;
    parms.fCaptureAudio = false;
    parms.fAbortLeftMouse = parms.fAbortRightMouse = false;
    parms.fLimitEnabled = true;
    parms.wTimeLimit = 1;
    sequence.setParms(parms);
    sequence.setCaptureFile(file());
    sequence.setVideoCodec(platform::AviVideoCodec::Raw, 0);
    sequence.setCallbacks(
        [this](int id, const std::string& text) {
          errors.push_back(id);
          errorText = text;
          return true;
        },
        [this](int id, const std::string&) {
          statuses.push_back(id);
          return true;
        },
        [this](int state) {
          controls.push_back(state);
          return control ? control(state) : true;
        });
  }

  std::string file() const { return dir.filePath("capture.avi").toStdString(); }

  // Runs `action` once the capture has run `ms` milliseconds.
  void after(int ms, std::function<void()> action) {
    QTimer::singleShot(ms, [action = std::move(action)] { action(); });
  }

  QTemporaryDir dir;
  platform::CaptureSourceSim source;
  CaptureSequence sequence{source};
  CaptureParms parms;
  std::vector<int> errors, statuses, controls;
  std::string errorText;
  std::function<bool(int)> control;
};

TEST_F(CaptureSequenceTest, TheTimeLimitEndsACaptureWhoseFileHoldsWhatTheStatusSays) {
  parms.fCaptureAudio = true;
  sequence.setParms(parms);
  sequence.setAudioFormat({2, 22050, 16});
  sequence.setAudioFeed(std::make_unique<platform::CaptureAudioFeedSim>());
  platform::CapStatus during;
  after(500, [&] { during = sequence.status(); });

  ASSERT_TRUE(sequence.run()) << errorText;

  EXPECT_TRUE(during.fCapturingNow);
  EXPECT_GT(during.dwCurrentVideoFrame, 0u);
  EXPECT_FALSE(sequence.running());
  const platform::CapStatus after = sequence.status();
  EXPECT_FALSE(after.fCapturingNow);
  // One second at 25 frames a second; frames are placed by time, so a busy machine drops some
  // but the count stays.
  EXPECT_GE(after.dwCurrentVideoFrame, 25u);
  EXPECT_LE(after.dwCurrentVideoFrame, 40u);
  EXPECT_GE(after.dwCurrentWaveSamples, 22050u * 9 / 10);

  AviProbe probe = ProbeAvi(file());
  ASSERT_TRUE(probe.opened);
  EXPECT_EQ(probe.frames, static_cast<int>(after.dwCurrentVideoFrame));
  EXPECT_EQ(probe.videoPackets + static_cast<int>(after.dwCurrentVideoFramesDropped),
            probe.frames);
  EXPECT_EQ(probe.width, state().width);
  EXPECT_EQ(probe.height, state().height);
  EXPECT_DOUBLE_EQ(probe.frameRate, 25.0);
  EXPECT_EQ(probe.sampleRate, 22050);
  EXPECT_EQ(probe.audioSamples, after.dwCurrentWaveSamples);

  EXPECT_TRUE(errors.empty());
  ASSERT_GE(statuses.size(), 4u);
  EXPECT_EQ(statuses.front(), capstatus::kCapInit);
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), capstatus::kVideoCurrent), statuses.end());
  auto fini = std::find(statuses.begin(), statuses.end(), capstatus::kCapFini);
  ASSERT_NE(fini, statuses.end());
  EXPECT_EQ(*(fini + 1), capstatus::kVideoAudio);
  EXPECT_EQ(statuses.back(), 0);
  EXPECT_EQ(controls.front(), platform::kControlPreroll);
  EXPECT_EQ(controls.back(), platform::kControlCapturing);
}

TEST_F(CaptureSequenceTest, EachWayOfStoppingEndsTheCaptureWithAFinishedFile) {
  struct Case {
    const char* what;
    bool leftMouseAborts;
    std::function<void(CaptureSequenceTest&, QWidget&)> stop;
  };
  const std::vector<Case> cases = {
      {"stop request", false, [](auto& t, QWidget&) { t.sequence.stop(); }},
      {"control callback", false, [](auto& t, QWidget&) { t.control = [](int) { return false; }; }},
      {"abort key", false,
       [](auto&, QWidget& w) {
         QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QCoreApplication::sendEvent(&w, &press);
       }},
      {"left mouse", true,
       [](auto&, QWidget& w) {
         QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
         QCoreApplication::sendEvent(&w, &press);
       }},
  };
  parms.wTimeLimit = 5;
  QWidget target;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    control = nullptr;
    parms.fAbortLeftMouse = c.leftMouseAborts;
    sequence.setParms(parms);
    QElapsedTimer clock;
    clock.start();
    after(300, [&] { c.stop(*this, target); });
    ASSERT_TRUE(sequence.run()) << errorText;
    EXPECT_LT(clock.elapsed(), 3000);
    const uint32_t frames = sequence.status().dwCurrentVideoFrame;
    EXPECT_GT(frames, 0u);
    EXPECT_EQ(ProbeAvi(file()).frames, static_cast<int>(frames));
  }
}

TEST_F(CaptureSequenceTest, TheAbortKeyWithItsModifiersEndsTheCapture) {
  struct Case {
    const char* what;
    uint32_t vKeyAbort;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool stops;
  };
  const std::vector<Case> cases = {
      {"F5 with Ctrl and Shift", 0x74 | 0x8000 | 0x4000, Qt::Key_F5,
       Qt::ControlModifier | Qt::ShiftModifier, true},
      {"F5 without its modifiers", 0x74 | 0x8000 | 0x4000, Qt::Key_F5, Qt::NoModifier, false},
      {"Ctrl+A", 0x41 | 0x8000, Qt::Key_A, Qt::ControlModifier, true},
      {"A with Shift too", 0x41 | 0x8000, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier,
       false},
      {"Space", 0x20, Qt::Key_Space, Qt::NoModifier, true},
      {"another key", 0x20, Qt::Key_Escape, Qt::NoModifier, false},
  };
  // The time limit is far from the key's moment, so that a busy machine cannot blur the two.
  parms.wTimeLimit = 3;
  QWidget target;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    parms.vKeyAbort = c.vKeyAbort;
    sequence.setParms(parms);
    QElapsedTimer clock;
    clock.start();
    after(200, [&] {
      QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
      QCoreApplication::sendEvent(&target, &press);
    });
    ASSERT_TRUE(sequence.run());
    EXPECT_EQ(clock.elapsed() < 2000, c.stops) << clock.elapsed();
  }
}

TEST_F(CaptureSequenceTest, TheDesktopWideAbortKeyIsHeldOnlyWhileACaptureRuns) {
  platform::GlobalHotKeySim& desktop = platform::SimGlobalHotKey();
  desktop.reset();
  parms.wTimeLimit = 5;
  parms.vKeyAbort = 0x74 | 0x8000;  // Ctrl+F5
  sequence.setParms(parms);
  sequence.setAbortHotKey(true);
  bool heldDuring = false;
  after(200, [&] {
    heldDuring = desktop.grabbed() && desktop.heldKey() == 0x74 &&
                 desktop.heldModifiers() == platform::GlobalHotKey::kModControl;
    desktop.press(platform::GlobalHotKey::kModControl, 0x74);
  });
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(sequence.run());
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_TRUE(heldDuring);
  EXPECT_FALSE(desktop.grabbed());

  // Held by another program: the capture runs, and the key still works in its own windows.
  desktop.setHeldElsewhere(platform::GlobalHotKey::kModControl, 0x74);
  parms.wTimeLimit = 1;
  sequence.setParms(parms);
  ASSERT_TRUE(sequence.run());
  EXPECT_FALSE(desktop.grabbed());
  EXPECT_EQ(desktop.grabCount(), 1);
}

TEST_F(CaptureSequenceTest, AMouseButtonThatDoesNotAbortLeavesTheCaptureRunning) {
  QWidget target;
  after(200, [&] {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &press);
    EXPECT_TRUE(sequence.status().fCapturingNow);
  });
  ASSERT_TRUE(sequence.run());
  EXPECT_GE(sequence.status().dwCurrentVideoFrame, 25u);  // it ran to its time limit
}

TEST_F(CaptureSequenceTest, FailuresAreReportedAndRecordNothing) {
  struct Case {
    const char* what;
    std::function<void(CaptureSequenceTest&)> arrange;
    int error;  // 0: none reported
  };
  const std::vector<Case> cases = {
      {"no driver", [](auto& t) { t.source.disconnectDriver(); }, caperror::kNoDriver},
      {"no file name", [](auto& t) { t.sequence.setCaptureFile(""); }, caperror::kCantOpen},
      {"missing folder",
       [](auto& t) { t.sequence.setCaptureFile(t.dir.filePath("none/x.avi").toStdString()); },
       caperror::kCantOpen},
      {"preroll refused", [](auto& t) { t.control = [](int) { return false; }; }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    errors.clear();
    c.arrange(*this);
    EXPECT_FALSE(sequence.run());
    EXPECT_FALSE(sequence.running());
    EXPECT_EQ(errors.empty() ? 0 : errors.front(), c.error) << errorText;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file())));
    if (c.error) {
      EXPECT_EQ(sequence.status().dwReturn, static_cast<uint32_t>(c.error));
    }
  }
}

// The file takes the full picture even while an overlay had the frames scaled to its window.
TEST_F(CaptureSequenceTest, ARunningCaptureRefusesASecondStartAndRestoresTheStream) {
  source.setStreamSize({394, 294});
  ASSERT_TRUE(source.startStreaming(66));
  bool second = true;
  QSize recorded;
  after(200, [&] {
    second = sequence.run();
    recorded = source.latestFrame().size();
  });
  ASSERT_TRUE(sequence.run());
  EXPECT_FALSE(second);
  EXPECT_EQ(recorded, QSize(768, 576));
  EXPECT_TRUE(source.streaming());
  EXPECT_EQ(source.streamInterval(), 66);
  EXPECT_EQ(source.streamSize(), QSize(394, 294));
}

}  // namespace
