#include "platform/TrayBackend.h"

#include <gtest/gtest.h>

#include "platform/RecordingTrayBackend.h"

using namespace platform;

namespace {

TEST(TrayBackend, SimulationPicksTheRecordingBackend) {
  std::unique_ptr<TrayBackend> backend = CreateTrayBackend();
  EXPECT_NE(dynamic_cast<RecordingTrayBackend*>(backend.get()), nullptr);
}

// The Qt backend on a desktop without a notification area (the offscreen platform) refuses to
// add; where there is one, the icon is shown.
TEST(TrayBackend, QtBackendReportsAMissingTray) {
  std::unique_ptr<TrayBackend> backend = CreateQtTrayBackend();
  QImage green(32, 32, QImage::Format_ARGB32);
  green.fill(0xFF00FF00);
  TrayIconData data{{green}, 0, "tip"};
  EXPECT_EQ(backend->Add(data), backend->Available());
  backend->Delete();
  EXPECT_FALSE(backend->Add(TrayIconData{{}, -1, "no icon"}));
}

// The recording backend shows the current image of the icon, and none when current is unset.
TEST(TrayBackend, RecordingBackendShowsTheCurrentImage) {
  QImage small(16, 16, QImage::Format_ARGB32), large(32, 32, QImage::Format_ARGB32);
  small.fill(0xFFFF0000);
  large.fill(0xFF0000FF);
  RecordingTrayBackend backend;
  ASSERT_TRUE(backend.Add(TrayIconData{{small, large}, 1, "two"}));
  EXPECT_EQ(backend.Image().size(), QSize(32, 32));
  backend.Modify(TrayIconData{{small, large}, -1, "none"});
  EXPECT_TRUE(backend.Image().isNull());
  EXPECT_EQ(backend.Tip(), "none");
}

}  // namespace
