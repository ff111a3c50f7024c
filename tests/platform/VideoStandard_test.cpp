#include "platform/VideoStandardV4l2.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace platform;

namespace {

// A stand-in driver behind a temporary device folder: each node's fd is 100 + N for videoN, and
// what each node answers is set per test.
class FakeDriver : public ::testing::Test {
protected:
  struct Node {
    uint32_t caps = 0;        // device_caps (the node reports V4L2_CAP_DEVICE_CAPS)
    bool standards = true;    // answers VIDIOC_ENUMSTD
  };

  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-dev-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    // Files that are no video nodes, to be passed over.
    for (const char* name : {"video", "videoX", "video2x", "vbi0"}) touch(name);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void addNode(int n, Node node) {
    touch("video" + std::to_string(n));
    nodes_[100 + n] = node;
  }
  void touch(const std::string& name) { std::ofstream(folder_ + "/" + name) << ""; }

  std::unique_ptr<VideoStandardBackend> backend() {
    V4l2Io io;
    io.open = [this](const char* path, int) {
      std::string name = std::filesystem::path(path).filename().string();
      opened_.push_back(name);
      int fd = 100 + std::stoi(name.substr(5));
      return nodes_.count(fd) ? fd : (errno = ENOENT, -1);
    };
    io.ioctl = [this](int fd, unsigned long request, void* arg) { return ioctl(fd, request, arg); };
    io.close = [this](int fd) {
      closed_.push_back(fd);
      return 0;
    };
    return MakeV4l2VideoStandardBackend(folder_, io);
  }

  int ioctl(int fd, unsigned long request, void* arg) {
    const Node& node = nodes_.at(fd);
    if (request == VIDIOC_QUERYCAP) {
      auto* cap = static_cast<v4l2_capability*>(arg);
      cap->capabilities = V4L2_CAP_DEVICE_CAPS | V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_VIDEO_OUTPUT;
      cap->device_caps = node.caps;
      return 0;
    }
    if (request == VIDIOC_ENUMSTD) return node.standards ? 0 : (errno = EINVAL, -1);
    if (request == VIDIOC_S_STD) {
      if (interruptNext_) {
        interruptNext_ = false;
        errno = EINTR;
        return -1;
      }
      set_.emplace_back(fd, *static_cast<v4l2_std_id*>(arg));
      return 0;
    }
    errno = ENOTTY;
    return -1;
  }

  std::string folder_;
  std::map<int, Node> nodes_;
  std::vector<std::string> opened_;
  std::vector<int> closed_;
  std::vector<std::pair<int, v4l2_std_id>> set_;
  bool interruptNext_ = false;
};

TEST_F(FakeDriver, BindsTheFirstCaptureNodeInNumericOrder) {
  addNode(0, {V4L2_CAP_VIDEO_OUTPUT});  // an output node: its device caps decide, not the card's
  addNode(10, {V4L2_CAP_VIDEO_CAPTURE});
  addNode(2, {V4L2_CAP_VIDEO_CAPTURE});
  auto b = backend();
  std::unique_ptr<CaptureDevice> device;
  ASSERT_TRUE(b->bindFirstCaptureDevice(device));
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(opened_, (std::vector<std::string>{"video0", "video2"}));
  EXPECT_EQ(closed_, (std::vector<int>{100}));

  EXPECT_TRUE(device->hasDecoder());
  interruptNext_ = true;  // a signal during the request: it is made again
  EXPECT_TRUE(device->setStandard(V4L2_STD_PAL_B));
  ASSERT_EQ(set_.size(), 1u);
  EXPECT_EQ(set_[0], std::make_pair(102, V4L2_STD_PAL_B));

  device.reset();
  EXPECT_EQ(closed_, (std::vector<int>{100, 102}));
}

TEST_F(FakeDriver, NoCaptureNodeBindsNothingButSucceeds) {
  addNode(0, {V4L2_CAP_VIDEO_OUTPUT});
  addNode(1, {V4L2_CAP_VBI_CAPTURE});
  auto b = backend();
  std::unique_ptr<CaptureDevice> device;
  EXPECT_TRUE(b->bindFirstCaptureDevice(device));
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(closed_, (std::vector<int>{100, 101}));
}

TEST_F(FakeDriver, ACaptureNodeWithoutStandardsHasNoDecoder) {
  addNode(0, {V4L2_CAP_VIDEO_CAPTURE, false});
  auto b = backend();
  std::unique_ptr<CaptureDevice> device;
  ASSERT_TRUE(b->bindFirstCaptureDevice(device));
  ASSERT_NE(device, nullptr);
  EXPECT_FALSE(device->hasDecoder());
}

TEST(V4l2Backend, AMissingDeviceFolderFailsTheLookup) {
  auto b = MakeV4l2VideoStandardBackend("/nonexistent/vyx-dev", V4l2Io{});
  std::unique_ptr<CaptureDevice> device;
  EXPECT_FALSE(b->bindFirstCaptureDevice(device));
  EXPECT_EQ(device, nullptr);
}

}  // namespace
