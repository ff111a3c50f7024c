// The capture window on the simulated card: the operations it takes and what they ask of the
// driver, the frames it grabs and shows, the bitmap files it saves, and frames arriving through
// the event loop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "ScreenPicture.h"
#include "SimCardFixture.h"
#include "platform/capture/CaptureSourceSim.h"
#include "platform/capture/CaptureWindow.h"

using namespace capture_test;
using platform::CaptureWindow;
using Capture = sim::SimCaptureEvent;
using CaptureKind = sim::SimCaptureEvent::Kind;

namespace {

class CaptureWindowTest : public SimCardTest {
protected:
  void SetUp() override {
    SimCardTest::SetUp();
    tuneTv(191.25);  // "Sim Five", PAL
  }

  // The window as it is on screen.
  static QImage shown(CaptureWindow& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  // What the simulated card shows as frame `n`, at its full size unless another is given.
  static QImage expectedFrame(uint64_t n, QSize size = {}) {
    sim::PictureState s = state();
    if (!size.isEmpty()) s.width = size.width(), s.height = size.height();
    QImage img(s.width, s.height, QImage::Format_RGB32);
    std::vector<uint32_t> px(static_cast<size_t>(s.width) * s.height);
    sim::SimPicture().render(s, n, px.data());
    for (int y = 0; y < s.height; ++y)
      std::copy_n(&px[static_cast<size_t>(y) * s.width], s.width,
                  reinterpret_cast<uint32_t*>(img.scanLine(y)));
    return img;
  }
};

// Runs the event loop until `done` holds or five seconds have passed; says whether it holds.
bool runUntil(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return done();
}

}  // namespace

TEST_F(CaptureWindowTest, OperationsReachTheDriverInOrderAndSetTheStream) {
  CaptureWindow w;
  QTemporaryDir dir;
  const QString path = dir.filePath("frame.bmp");
  EXPECT_TRUE(w.driverConnect(0));
  EXPECT_TRUE(w.setOverlay(true));
  EXPECT_TRUE(w.setPreviewRate(66));
  EXPECT_TRUE(w.source().streaming());
  EXPECT_EQ(w.source().streamInterval(), 0);  // overlay: every frame
  EXPECT_TRUE(w.setPreview(true));
  EXPECT_FALSE(w.overlay());
  EXPECT_EQ(w.source().streamInterval(), 66);
  EXPECT_TRUE(w.setPreviewRate(100));
  EXPECT_EQ(w.source().streamInterval(), 100);
  EXPECT_FALSE(w.grabFrame().isNull());
  EXPECT_TRUE(w.saveDib(path));
  EXPECT_TRUE(w.setOverlay(true));
  EXPECT_FALSE(w.preview());
  EXPECT_TRUE(w.stop());
  EXPECT_TRUE(w.source().streaming());  // stop ends a capture, not the picture
  EXPECT_TRUE(w.setOverlay(false));
  EXPECT_FALSE(w.source().streaming());
  EXPECT_TRUE(w.driverDisconnect());
  EXPECT_TRUE(QFile::exists(path));
  // A preview rate that changes nothing and stop do not reach the driver; the bitmap file is
  // reported with the rest.
  EXPECT_EQ(sim::VideoDevices().captureEvents(),
            (std::vector<Capture>{{CaptureKind::Open, 0},
                                  {CaptureKind::Stream, 0, 0},
                                  {CaptureKind::StreamEnd, 0},
                                  {CaptureKind::Stream, 0, 66},
                                  {CaptureKind::StreamEnd, 0},
                                  {CaptureKind::Stream, 0, 100},
                                  {CaptureKind::Grab, 0},
                                  {CaptureKind::SaveDib, 0},
                                  {CaptureKind::StreamEnd, 0},
                                  {CaptureKind::Stream, 0, 0},
                                  {CaptureKind::StreamEnd, 0},
                                  {CaptureKind::Close, 0}}));
}

TEST_F(CaptureWindowTest, WithoutADriverOperationsFailAndChangeNothing) {
  CaptureWindow w;
  EXPECT_FALSE(w.setOverlay(true));
  EXPECT_FALSE(w.setPreview(true));
  EXPECT_FALSE(w.setPreviewRate(10));
  EXPECT_FALSE(w.stop());
  EXPECT_TRUE(w.grabFrame().isNull());
  EXPECT_FALSE(w.saveDib(QTemporaryDir().filePath("x.bmp")));
  EXPECT_FALSE(w.driverDisconnect());
  EXPECT_FALSE(w.overlay());
  EXPECT_FALSE(w.preview());
  EXPECT_EQ(w.previewRate(), CaptureWindow::kDefaultPreviewRateMs);
  EXPECT_TRUE(sim::VideoDevices().captureEvents().empty()) << "nothing reached a driver";
  EXPECT_TRUE(w.driverDescription().name.isEmpty());
}

TEST_F(CaptureWindowTest, ConnectFailsForADriverTheMachineDoesNotHave) {
  CaptureWindow w;
  EXPECT_FALSE(w.driverConnect(1));  // one capture device: only driver 0
  EXPECT_FALSE(w.driverConnect(-1));
  sim::VideoDevices().setDeviceCount(0);
  EXPECT_FALSE(w.driverConnect(0));
  EXPECT_FALSE(w.driverConnected());
  sim::VideoDevices().setDeviceCount(1);
  EXPECT_TRUE(w.driverConnect(0));
  EXPECT_FALSE(w.driverDescription().name.isEmpty());
  EXPECT_EQ(w.source().driverIndex(), 0);
}

TEST_F(CaptureWindowTest, GrabbedFrameIsWhatTheCardShowsAndFollowsTheStandard) {
  CaptureWindow w;
  ASSERT_TRUE(w.driverConnect(0));
  QImage f0 = w.grabFrame();
  ASSERT_EQ(f0.format(), QImage::Format_RGB32);
  EXPECT_EQ(f0, expectedFrame(0));
  EXPECT_EQ(f0.pixel(768 / 16, 100) & 0xFFFFFF, 0xBFBFBFu);  // the first (white) bar
  EXPECT_EQ(w.currentFrame(), f0);
  // A grabbed frame stays as it was while later frames are drawn.
  QImage kept = f0.copy();
  for (int i = 0; i < 6; ++i) w.grabFrame();
  EXPECT_EQ(f0, kept);
  select(kMuxTuner, kNtscM);
  QImage ntsc = w.grabFrame();
  EXPECT_EQ(ntsc.size(), QSize(640, 480));
  EXPECT_EQ(ntsc, expectedFrame(7));
  tuneTv(200.0);
  EXPECT_EQ(w.grabFrame(), expectedFrame(8));  // snow, from the same frame counter
}

TEST_F(CaptureWindowTest, WindowShowsTheFrameScaledAndBlackWithoutADriver) {
  CaptureWindow w;
  w.resize(384, 288);
  w.show();
  QImage black = shown(w);
  EXPECT_EQ(black.pixel(10, 10) & 0xFFFFFF, 0u);
  EXPECT_EQ(black.pixel(380, 280) & 0xFFFFFF, 0u);
  ASSERT_TRUE(w.driverConnect(0));
  w.grabFrame();
  QImage picture = shown(w);
  EXPECT_EQ(picture.size(), QSize(384, 288));
  EXPECT_EQ(picture.pixel(384 / 16, 50) & 0xFFFFFF, 0xBFBFBFu);      // white bar
  EXPECT_EQ(picture.pixel(384 * 11 / 16, 50) & 0xFFFFFF, 0xBF0000u);  // red bar
  // An on-screen-display child draws over the picture.
  auto* osd = new QLabel(QStringLiteral("OSD"), &w);
  osd->setGeometry(15, 5, 200, 20);
  osd->setStyleSheet(QStringLiteral("background: #FF00FF"));
  osd->show();
  EXPECT_EQ(shown(w).pixel(20, 8) & 0xFFFFFF, 0xFF00FFu);
  w.resize(768, 576);
  EXPECT_EQ(shown(w).pixel(768 * 11 / 16, 300) & 0xFFFFFF, 0xBF0000u);
  w.driverDisconnect();
  EXPECT_EQ(shown(w).pixel(768 / 16, 100) & 0xFFFFFF, 0u);
}

TEST_F(CaptureWindowTest, SavedBitmapIs24BitAndReadsBackAsTheFrame) {
  CaptureWindow w;
  ASSERT_TRUE(w.driverConnect(0));
  QTemporaryDir dir;
  const QString path = dir.filePath("frame.bmp");
  QFile(path).open(QIODevice::WriteOnly);  // an old file is replaced
  EXPECT_FALSE(w.saveDib(path)) << "no frame yet";
  QImage frame = w.grabFrame();
  ASSERT_TRUE(w.saveDib(path));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray bytes = f.readAll();
  ASSERT_GE(bytes.size(), 54);
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  EXPECT_EQ(static_cast<uint8_t>(bytes[28]) | static_cast<uint8_t>(bytes[29]) << 8, 24);
  EXPECT_EQ(bytes.size(), 54 + 768 * 3 * 576);  // rows of 2304 bytes need no padding
  QImage back(path, "BMP");
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), frame);
  EXPECT_FALSE(w.saveDib(dir.filePath("missing/frame.bmp")));
}

TEST_F(CaptureWindowTest, FramesArriveThroughTheEventLoopAndResumeAfterReconnect) {
  CaptureWindow w;
  int arrived = 0;
  QObject::connect(&w, &CaptureWindow::frameArrived, [&] { ++arrived; });
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setPreviewRate(1));
  ASSERT_TRUE(w.setPreview(true));
  EXPECT_EQ(arrived, 0);  // nothing is drawn before the loop runs
  ASSERT_TRUE(runUntil([&] { return arrived >= 3; }));
  EXPECT_FALSE(w.currentFrame().isNull());
  w.driverDisconnect();
  EXPECT_TRUE(w.currentFrame().isNull());
  EXPECT_FALSE(w.source().streaming());
  EXPECT_TRUE(w.preview());  // kept for the next connect
  ASSERT_TRUE(w.driverConnect(0));
  EXPECT_TRUE(w.source().streaming());
  const int before = arrived;
  ASSERT_TRUE(runUntil([&] { return arrived > before; }));
  auto& sim = static_cast<platform::CaptureSourceSim&>(w.source());
  EXPECT_EQ(w.source().frameCount(), sim.nextFrameNumber());  // counted again from 0
}

// Frames are drawn into a few images in turn; each must be the card's frame of the moment
// whatever the image held before, and one someone keeps is never drawn over.
TEST_F(CaptureWindowTest, FramesDrawnInTurnAreEachWhatTheCardShows) {
  CaptureWindow w;
  ASSERT_TRUE(w.driverConnect(0));
  std::vector<QImage> kept;
  for (uint64_t n = 0; n < 12; ++n) {
    if (n % 3 == 0) tuneTv(n % 2 ? 191.25 : 49.75);  // "Sim Five" and "Sim One" by turns
    if (n == 7) setPicture(30, 0xD8, 0xFE, 0xB4, 0);
    const QImage frame = w.grabFrame();
    ASSERT_EQ(frame, expectedFrame(n)) << "frame " << n;
    if (n % 4 == 0) kept.push_back(frame);
  }
  for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(kept[i], kept[i].copy()) << i;
}

// The card shows a picture already when the overlay goes on: the first frame comes as soon as
// the event loop runs, not a frame time later.
TEST_F(CaptureWindowTest, FirstFrameOfAStreamComesAtOnce) {
  CaptureWindow w;
  w.resize(768, 576);
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setOverlay(true));
  EXPECT_TRUE(w.currentFrame().isNull());
  QCoreApplication::processEvents();
  EXPECT_EQ(w.source().frameCount(), 1u);
  EXPECT_EQ(w.currentFrame(), expectedFrame(0));
}

// An overlay has the card scale its frames to the window, as far as the card's scaler goes (down
// from the full picture to 48 x 32); preview and grabs take the full picture.
TEST_F(CaptureWindowTest, OverlayFramesComeAtTheWindowSizeOthersAtTheFullPicture) {
  CaptureWindow w;
  w.resize(394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setOverlay(true));
  QCoreApplication::processEvents();
  EXPECT_EQ(w.currentFrame(), expectedFrame(0, {394, 294}));
  EXPECT_EQ(shown(w), expectedFrame(0, {394, 294})) << "shown as it came";
  EXPECT_EQ(w.grabFrame().size(), QSize(768, 576));
  const struct {
    QSize window;
    QSize frame;
  } sizes[] = {{{1000, 300}, {768, 300}}, {{20, 10}, {48, 32}}, {{768, 576}, {768, 576}}};
  for (const auto& c : sizes) {
    w.resize(c.window);
    ASSERT_TRUE(runUntil([&] { return w.currentFrame().size() == c.frame; })) << c.window.width();
  }
  w.resize(394, 294);
  ASSERT_TRUE(w.setPreviewRate(1));
  ASSERT_TRUE(w.setPreview(true));
  const uint64_t before = w.source().frameCount();
  ASSERT_TRUE(runUntil([&] { return w.source().frameCount() > before; }));
  EXPECT_EQ(w.currentFrame().size(), QSize(768, 576));
}

// A capture records the full picture and then puts back the overlay's size: the size the window
// has when the capture ends, not the one it had when it began.
TEST_F(CaptureWindowTest, AWindowResizedDuringACaptureGetsFramesAtItsNewSizeAfterwards) {
  QTemporaryDir dir;
  CaptureWindow w;
  w.resize(394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  ASSERT_TRUE(w.setOverlay(true));
  platform::CaptureParms parms;
  parms.fCaptureAudio = false;
  parms.fAbortLeftMouse = parms.fAbortRightMouse = false;
  w.sequence().setParms(parms);
  w.sequence().setCaptureFile(dir.filePath("capture.avi").toStdString());
  w.sequence().setVideoCodec(platform::AviVideoCodec::Raw, 0);
  QSize during;
  QTimer::singleShot(100, [&] {
    w.resize(500, 300);
    during = w.source().streamSize();
    w.stop();
  });
  ASSERT_TRUE(w.sequence().run());
  EXPECT_EQ(during, QSize()) << "the capture keeps the full picture";
  EXPECT_EQ(w.source().streamSize(), QSize(500, 300));
  EXPECT_TRUE(runUntil([&] { return w.currentFrame().size() == QSize(500, 300); }));
}

// The window draws each frame into the picture it keeps at its size; every frame must show
// whole, whichever frame the picture held before.
TEST_F(CaptureWindowTest, ShownPictureFollowsEveryFrameAtTheWindowSize) {
  CaptureWindow w;
  w.resize(394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  for (uint64_t n = 0; n < 6; ++n) {
    tuneTv(n % 2 ? 191.25 : 49.75);
    w.grabFrame();
    ASSERT_EQ(shown(w), stretchedByQPainter(expectedFrame(n), {394, 294})) << "frame " << n;
  }
  w.resize(768, 576);  // the frame itself
  EXPECT_EQ(shown(w), expectedFrame(5));
}

// What the window puts on the screen (its backing store, where the stretched frame is drawn
// directly), for the window alone, for a part of it repainted under a child, and for a capture
// window that is itself a child placed inside another window.
TEST_F(CaptureWindowTest, ScreenShowsTheStretchedFrameWhereverTheWindowSits) {
  auto stretchedFrame = [](uint64_t n, QSize size) {
    return stretchedByQPainter(expectedFrame(n), size);
  };
  CaptureWindow w;
  w.setGeometry(0, 0, 394, 294);
  w.show();
  ASSERT_TRUE(w.driverConnect(0));
  w.grabFrame();
  ASSERT_EQ(onScreen(w), stretchedFrame(0, {394, 294}));
  auto* child = new QLabel(&w);
  child->setGeometry(15, 5, 40, 20);
  child->setStyleSheet(QStringLiteral("background: #FF00FF"));
  child->show();
  tuneTv(49.75);
  w.grabFrame();
  child->update();
  QImage expected = stretchedFrame(1, {394, 294});
  QPainter(&expected).fillRect(15, 5, 40, 20, QColor(0xFF, 0, 0xFF));
  EXPECT_EQ(onScreen(w), expected);

  QWidget outer;
  outer.setGeometry(0, 0, 500, 400);
  auto* inner = new CaptureWindow(&outer);
  inner->setGeometry(30, 20, 300, 200);
  outer.show();
  ASSERT_TRUE(inner->driverConnect(0));
  inner->grabFrame();
  EXPECT_EQ(onScreen(outer).copy(30, 20, 300, 200), stretchedFrame(0, {300, 200}));
}
