// YUYV frames converted straight into 32-bit pixels must come out exactly as libv4lconvert
// makes them (the library the V4L2 source used for every format before): random frames of
// widths that fill whole groups of eight pixels and widths that do not, with padded rows.
#include <libv4l-plugin.h>
#include <libv4lconvert.h>
#include <linux/videodev2.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

#include "platform/capture/YuyvConversion.h"

namespace {

// libv4lconvert on a device that delivers YUYV, to RGB24.
class Reference {
public:
  Reference() {
    static const libv4l_dev_ops kOps = [] {
      libv4l_dev_ops ops{};
      ops.close = [](void*) {};
      ops.ioctl = [](void*, int, unsigned long request, void* arg) -> int {
        if (request == VIDIOC_QUERYCAP) {
          auto* cap = static_cast<v4l2_capability*>(arg);
          *cap = {};
          cap->device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
          cap->capabilities = cap->device_caps | V4L2_CAP_DEVICE_CAPS;
          return 0;
        }
        if (request == VIDIOC_ENUM_FMT && static_cast<v4l2_fmtdesc*>(arg)->index == 0) {
          static_cast<v4l2_fmtdesc*>(arg)->pixelformat = V4L2_PIX_FMT_YUYV;
          return 0;
        }
        return errno = EINVAL, -1;
      };
      return ops;
    }();
    data_ = v4lconvert_create_with_dev_ops(0, nullptr, &kOps);
  }
  ~Reference() {
    if (data_) v4lconvert_destroy(data_);
  }
  bool ready() const { return data_ != nullptr; }

  // 0xFFRRGGBB pixels of a frame without padding.
  std::vector<uint32_t> convert(std::vector<uint8_t> yuyv, int width, int height) {
    v4l2_format from{}, to{};
    from.type = to.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    auto describe = [&](v4l2_format& f, uint32_t format, int bytesPerPixel) {
      f.fmt.pix.width = uint32_t(width);
      f.fmt.pix.height = uint32_t(height);
      f.fmt.pix.pixelformat = format;
      f.fmt.pix.field = V4L2_FIELD_NONE;
      f.fmt.pix.bytesperline = uint32_t(width * bytesPerPixel);
      f.fmt.pix.sizeimage = uint32_t(width * height * bytesPerPixel);
    };
    describe(from, V4L2_PIX_FMT_YUYV, 2);
    describe(to, V4L2_PIX_FMT_RGB24, 3);
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    if (v4lconvert_convert(data_, &from, &to, yuyv.data(), int(yuyv.size()), rgb.data(),
                           int(rgb.size())) != int(rgb.size()))
      return {};
    std::vector<uint32_t> out(size_t(width) * height);
    for (size_t i = 0; i < out.size(); ++i)
      out[i] = 0xFF000000u | rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
    return out;
  }

private:
  v4lconvert_data* data_ = nullptr;
};

TEST(YuyvConversion, GivesLibv4lconvertsPixels) {
  Reference reference;
  ASSERT_TRUE(reference.ready());
  std::mt19937 random(7);
  const struct {
    int width, height, padding;
  } cases[] = {{768, 576, 0}, {640, 480, 64}, {2, 3, 0}, {10, 4, 6}, {22, 5, 2}, {16, 1, 0}};
  for (const auto& c : cases) {
    std::vector<uint8_t> frame(size_t(c.width) * 2 * c.height);
    for (uint8_t& b : frame) b = uint8_t(random());
    const std::vector<uint32_t> expected = reference.convert(frame, c.width, c.height);
    ASSERT_FALSE(expected.empty()) << c.width;
    // The same frame with padded rows, converted into rows with padding of their own.
    const size_t inStride = size_t(c.width) * 2 + size_t(c.padding);
    const size_t outWords = size_t(c.width) + 3;
    std::vector<uint8_t> padded(inStride * c.height, 0xAB);
    for (int y = 0; y < c.height; ++y)
      std::memcpy(&padded[y * inStride], &frame[size_t(y) * c.width * 2], size_t(c.width) * 2);
    std::vector<uint32_t> out(outWords * c.height, 0x12345678u);
    platform::YuyvToRgb32(padded.data(), inStride, reinterpret_cast<uint8_t*>(out.data()),
                          outWords * 4, c.width, c.height);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x)
        ASSERT_EQ(out[y * outWords + x], expected[size_t(y) * c.width + x])
            << c.width << "x" << c.height << " at " << x << "," << y;
      EXPECT_EQ(out[y * outWords + c.width], 0x12345678u) << "nothing past the row";
    }
  }
}

}  // namespace
