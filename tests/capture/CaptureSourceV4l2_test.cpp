// The V4L2 capture source without a capture card: a missing device and a node that is no video
// device both fail to connect and leave nothing open; streaming, rate, grabs and a device that
// goes away run against a stand-in driver. With a real device present, one frame is grabbed from
// it; without one that case is skipped.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FakeV4l2Device.h"
#include "ScreenPicture.h"
#include "platform/capture/CaptureSourceV4l2.h"
#include "platform/capture/CaptureWindow.h"

using capture_test::FakeV4l2Device;
using platform::CaptureSourceV4l2;

namespace {

// Descriptors this process holds.
size_t openDescriptors() {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

void expectUnusable(platform::CaptureSource& source) {
  EXPECT_FALSE(source.connected());
  EXPECT_EQ(source.driverIndex(), -1);
  EXPECT_FALSE(source.startStreaming(0));
  EXPECT_FALSE(source.grabFrame());
  EXPECT_TRUE(source.latestFrame().isNull());
  EXPECT_TRUE(source.description().name.isEmpty());
}

// Runs the event loop until `done` holds or five seconds have passed; says whether it holds.
bool runUntil(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return done();
}

class FakeDriverTest : public ::testing::Test {
protected:
  FakeV4l2Device device_;
  CaptureSourceV4l2 source_{"/fake", device_.io()};
};

int red(const QImage& img, int x, int y) { return qRed(img.pixel(x, y)); }

}  // namespace

TEST(CaptureSourceV4l2, MissingDeviceFailsCleanly) {
  CaptureSourceV4l2 source;  // /dev
  if (std::filesystem::exists("/dev/video99")) GTEST_SKIP() << "/dev/video99 exists here";
  const size_t before = openDescriptors();
  EXPECT_FALSE(source.connectDriver(99));
  expectUnusable(source);
  EXPECT_EQ(openDescriptors(), before);
}

TEST(CaptureSourceV4l2, NodeThatIsNoVideoDeviceFailsAndIsClosed) {
  QTemporaryDir dir;
  std::ofstream(dir.filePath("video0").toStdString()) << "not a device";
  CaptureSourceV4l2 source(dir.path().toStdString());
  const size_t before = openDescriptors();
  EXPECT_FALSE(source.connectDriver(0));
  expectUnusable(source);
  EXPECT_EQ(openDescriptors(), before);
}

TEST(CaptureSourceV4l2, WindowOnAMissingDeviceStaysBlack) {
  platform::CaptureWindow w(std::make_unique<CaptureSourceV4l2>("/nonexistent"));
  w.resize(64, 48);
  EXPECT_FALSE(w.driverConnect(0));
  EXPECT_FALSE(w.setOverlay(true));
  EXPECT_EQ(w.grab().toImage().pixel(32, 24) & 0xFFFFFF, 0u);
  EXPECT_FALSE(w.driverConnected());
}

TEST(CaptureSourceV4l2, RealDeviceDeliversAFrame) {
  CaptureSourceV4l2 source;
  if (!source.connectDriver(0)) GTEST_SKIP() << "no usable /dev/video0";
  EXPECT_FALSE(source.description().name.isEmpty());
  ASSERT_TRUE(source.grabFrame());
  QImage frame = source.latestFrame();
  EXPECT_EQ(frame.format(), QImage::Format_RGB32);
  EXPECT_GT(frame.width(), 0);
  source.disconnectDriver();
  EXPECT_TRUE(source.latestFrame().isNull());
}

TEST_F(FakeDriverTest, StreamsConvertedFramesAndGivesEveryBufferBack) {
  ASSERT_TRUE(source_.connectDriver(0));
  EXPECT_EQ(source_.description().name, QStringLiteral("Fake capture"));
  EXPECT_EQ(source_.description().version, QStringLiteral("5.10.2"));
  ASSERT_TRUE(source_.startStreaming(0));
  EXPECT_EQ(device_.mapped(), static_cast<int>(device_.buffers()));
  EXPECT_EQ(device_.queued(), device_.buffers());
  ASSERT_TRUE(device_.produce(128));
  ASSERT_TRUE(runUntil([&] { return source_.frameCount() == 1; }));
  QImage grey = source_.latestFrame();
  ASSERT_EQ(grey.size(), QSize(768, 576));
  EXPECT_EQ(grey.format(), QImage::Format_RGB32);
  EXPECT_NEAR(red(grey, 100, 100), 130, 12);
  EXPECT_NEAR(qGreen(grey.pixel(100, 100)), red(grey, 100, 100), 2);
  EXPECT_NEAR(qBlue(grey.pixel(700, 500)), red(grey, 100, 100), 2);
  ASSERT_TRUE(device_.produce(220));
  ASSERT_TRUE(runUntil([&] { return source_.frameCount() == 2; }));
  EXPECT_GT(red(source_.latestFrame(), 100, 100), red(grey, 100, 100) + 60);
  EXPECT_EQ(device_.queued(), device_.buffers() - 1) << "the latest frame's buffer is kept";
  // Once the buffers go, the latest frame stays, converted.
  source_.stopStreaming();
  EXPECT_EQ(device_.mapped(), 0);
  ASSERT_FALSE(source_.latestFrame().isNull());
  EXPECT_GT(red(source_.latestFrame(), 100, 100), red(grey, 100, 100) + 60);
  source_.disconnectDriver();
  EXPECT_FALSE(device_.streaming());
  EXPECT_EQ(device_.mapped(), 0);
  EXPECT_EQ(device_.buffers(), 0u);
  EXPECT_FALSE(device_.open());
}

// Frames are converted into a few images in turn; a frame someone keeps stays as it was.
TEST_F(FakeDriverTest, KeptFrameIsNeverDrawnOver) {
  ASSERT_TRUE(source_.connectDriver(0));
  ASSERT_TRUE(source_.startStreaming(0));
  ASSERT_TRUE(device_.produce(60));
  ASSERT_TRUE(runUntil([&] { return source_.frameCount() == 1; }));
  const QImage kept = source_.latestFrame();
  const QRgb keptPixel = kept.pixel(100, 100);
  for (uint64_t n = 2; n <= 8; ++n) {
    ASSERT_TRUE(device_.produce(static_cast<uint8_t>(60 + 20 * n)));
    ASSERT_TRUE(runUntil([&] { return source_.frameCount() == n; }));
    EXPECT_NEAR(red(source_.latestFrame(), 100, 100), 60 + 20 * n, 4) << n;
  }
  EXPECT_EQ(kept.pixel(100, 100), keptPixel);
  EXPECT_EQ(kept.pixel(700, 500), keptPixel);
}

// Frames inside the preview interval are read and given back at once; the one delivered keeps
// its buffer while it is the latest frame.
TEST_F(FakeDriverTest, PreviewRateSkipsFramesButRequeuesThem) {
  ASSERT_TRUE(source_.connectDriver(0));
  ASSERT_TRUE(source_.startStreaming(1000 * 1000));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(device_.produce(static_cast<uint8_t>(60 + 40 * i)));
  ASSERT_TRUE(runUntil([&] { return device_.dequeued() == 3; }));
  EXPECT_EQ(device_.queued(), device_.buffers() - 1);
  EXPECT_EQ(source_.frameCount(), 1u);
  EXPECT_NEAR(red(source_.latestFrame(), 100, 100), 60, 4) << "the first frame, not a later one";
}

TEST_F(FakeDriverTest, GrabOutsideAStreamRunsTheBuffersForOneFrame) {
  ASSERT_TRUE(source_.connectDriver(0));
  device_.produceOnStreamOn = true;
  EXPECT_TRUE(source_.grabFrame());
  EXPECT_EQ(source_.frameCount(), 1u);
  EXPECT_FALSE(source_.streaming());
  EXPECT_FALSE(device_.streaming());
  EXPECT_EQ(device_.mapped(), 0);
  device_.produceOnStreamOn = false;
  EXPECT_FALSE(source_.grabFrame());  // a silent device: no frame within the bound
  EXPECT_EQ(device_.mapped(), 0);
  // Within a stream the grab takes the next frame the device fills.
  ASSERT_TRUE(source_.startStreaming(1000 * 1000));
  ASSERT_TRUE(device_.produce(90));
  EXPECT_TRUE(source_.grabFrame());
  EXPECT_EQ(source_.frameCount(), 2u);
  EXPECT_TRUE(source_.streaming());
}

TEST_F(FakeDriverTest, DeviceThatGoesAwayEndsTheStream) {
  ASSERT_TRUE(source_.connectDriver(0));
  ASSERT_TRUE(source_.startStreaming(0));
  device_.unplug();
  ASSERT_TRUE(runUntil([&] { return !source_.streaming(); }));
  EXPECT_TRUE(source_.connected());
  EXPECT_EQ(device_.mapped(), 0);
  source_.disconnectDriver();
  EXPECT_FALSE(device_.open());
}

// Whoever takes a frame may let the driver go at once; the buffer in hand is then not given
// back to a device that is closed.
TEST_F(FakeDriverTest, DisconnectFromTheFrameHandlerTouchesNothingAfterwards) {
  QObject::connect(&source_, &platform::CaptureSource::frameReady,
                   [&] { source_.disconnectDriver(); });
  ASSERT_TRUE(source_.connectDriver(0));
  ASSERT_TRUE(source_.startStreaming(0));
  ASSERT_TRUE(device_.produce(128));
  ASSERT_TRUE(runUntil([&] { return !source_.connected(); }));
  QCoreApplication::processEvents();
  EXPECT_EQ(device_.callsWhileClosed(), 0);
  EXPECT_EQ(device_.mapped(), 0);
}

// A window on a YUYV device draws the frame from the driver's bytes: on the screen and in a grab
// it must look exactly as the converted frame stretched, and at the frame's own size as the
// converted frame itself.
TEST(CaptureSourceV4l2Window, ShowsTheYuyvFrameAsItsConvertedPicture) {
  FakeV4l2Device device;
  platform::CaptureWindow w(std::make_unique<CaptureSourceV4l2>("/fake", device.io()));
  w.setGeometry(0, 0, 394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setPreview(true));  // the full picture, stretched by the window
  std::vector<uint8_t> frame(FakeV4l2Device::kSize);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 7 + i / 3000);
  device.fillBuffers(frame);
  ASSERT_TRUE(device.produceAsIs());
  ASSERT_TRUE(runUntil([&] { return w.source().frameCount() == 1; }));
  ASSERT_NE(w.source().latestYuyv(), nullptr);
  const QImage screen = capture_test::onScreen(w);
  const QImage converted = w.currentFrame();
  const QImage expected = capture_test::stretchedByQPainter(converted, {394, 294});
  EXPECT_EQ(screen, expected);
  EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
  w.resize(768, 576);
  EXPECT_EQ(capture_test::onScreen(w), converted);
}

// An overlay has the device scale its stream to the window, once a new size has held a moment;
// a grab takes the full picture in between and the scaled stream goes on.
TEST(CaptureSourceV4l2Window, AnOverlayHasTheDeviceScaleToTheWindowAndGrabsTakeTheFullPicture) {
  FakeV4l2Device device;
  platform::CaptureWindow w(std::make_unique<CaptureSourceV4l2>("/fake", device.io()));
  w.resize(394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setOverlay(true));
  EXPECT_EQ(device.size(), QSize(394, 294));
  ASSERT_TRUE(device.produce(100));
  ASSERT_TRUE(runUntil([&] { return w.source().frameCount() == 1; }));
  EXPECT_EQ(w.currentFrame().size(), QSize(394, 294));
  device.produceOnStreamOn = true;
  EXPECT_EQ(w.grabFrame().size(), QSize(768, 576));
  device.produceOnStreamOn = false;
  EXPECT_TRUE(device.streaming());
  EXPECT_EQ(device.size(), QSize(394, 294));
  const struct {
    QSize window;
    QSize device;
  } sizes[] = {{{200, 150}, {200, 150}}, {{1000, 300}, {768, 300}}};
  for (const auto& c : sizes) {
    w.resize(c.window);
    EXPECT_NE(device.size(), c.device) << "not at every step of a drag";
    ASSERT_TRUE(runUntil([&] { return device.size() == c.device; })) << c.window.width();
    EXPECT_TRUE(device.streaming());
  }
  ASSERT_TRUE(w.setPreview(true));
  EXPECT_EQ(device.size(), QSize(768, 576));
  // A device that will not take the window's size streams its full picture.
  device.refusesScaling = true;
  ASSERT_TRUE(w.setOverlay(true));
  EXPECT_TRUE(device.streaming());
  EXPECT_EQ(device.size(), QSize(768, 576));
}

// A capture records the full picture from its first frame on, whatever size an overlay had the
// stream at; the stream goes back to that size afterwards.
TEST_F(FakeDriverTest, ACaptureSwitchesAScaledStreamToTheFullPictureAtOnce) {
  ASSERT_TRUE(source_.connectDriver(0));
  source_.setStreamSize({394, 294});
  ASSERT_TRUE(source_.startStreaming(0));
  ASSERT_EQ(device_.size(), QSize(394, 294));
  QTemporaryDir dir;
  platform::CaptureSequence sequence(source_);
  platform::CaptureParms parms;
  parms.dwRequestMicroSecPerFrame = 40000;
  parms.fCaptureAudio = false;
  parms.fAbortLeftMouse = parms.fAbortRightMouse = false;
  sequence.setParms(parms);
  sequence.setCaptureFile(dir.filePath("capture.avi").toStdString());
  sequence.setVideoCodec(platform::AviVideoCodec::Raw, 0);
  QSize during;
  QTimer::singleShot(0, [&] {
    during = device_.size();
    device_.produce(100);
  });
  QTimer::singleShot(200, [&] { sequence.stop(); });
  EXPECT_TRUE(sequence.run());
  EXPECT_EQ(during, QSize(768, 576));
  EXPECT_EQ(device_.size(), QSize(394, 294));
  EXPECT_TRUE(source_.streaming());
}
