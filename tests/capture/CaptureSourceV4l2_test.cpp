// The V4L2 capture source without a capture card: a missing device and a node that is no video
// device both fail to connect and leave nothing open. With a real device present, one frame is
// grabbed from it; without one that case is skipped.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/capture/CaptureSourceV4l2.h"
#include "platform/capture/CaptureWindow.h"

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
  EXPECT_EQ(w.operations(), QStringList({"connect 0", "overlay 1"}));
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
