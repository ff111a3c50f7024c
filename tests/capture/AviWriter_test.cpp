// The AVI writer module: files a player reads back with the formats, frame counts, pictures and
// sound that went in; frames left out as empty chunks; and clear refusals.
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "AviProbe.h"
#include "platform/capture/AviWriter.h"

using capture_test::AviProbe;
using capture_test::ProbeAvi;
using platform::AviAudioFormat;
using platform::AviVideoCodec;
using platform::AviVideoFormat;
using platform::AviWriter;

namespace {

// Red above, blue below, a white left column: shows rows and colours kept in order.
QImage TestPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, x == 0 ? 0xFFFFFFFF : y < height / 2 ? 0xFFFF0000 : 0xFF0000FF);
  return image;
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class AviWriterTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    writer = platform::CreateAviWriter(&error);
    ASSERT_TRUE(writer) << error;
  }

  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

  QTemporaryDir dir;
  std::unique_ptr<AviWriter> writer;
};

struct CodecCase {
  AviVideoCodec codec;
  const char* name;
  int tolerance;
  friend void PrintTo(const CodecCase& c, std::ostream* os) { *os << c.name; }
};

class AviWriterCodecTest : public AviWriterTest,
                           public ::testing::WithParamInterface<CodecCase> {};

TEST_P(AviWriterCodecTest, FramesAndSoundReadBackAsWritten) {
  // An odd width: raw rows are padded to four bytes.
  const int width = 90, height = 36;
  AviVideoFormat video{width, height, 40000, GetParam().codec, 90};
  AviAudioFormat audio{2, 22050, 16};
  ASSERT_TRUE(writer->open(path("clip.avi"), video, &audio)) << writer->error();
  const QImage picture = TestPicture(width, height);
  std::vector<uint8_t> second(22050 * audio.blockAlign(), 0);
  for (int frame = 0; frame < 25; ++frame) {
    ASSERT_TRUE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), frame));
    if (frame == 0) {
      ASSERT_TRUE(writer->writeAudio(second.data(), second.size()));
    }
  }
  EXPECT_GT(writer->fileSize(), 0u);
  ASSERT_TRUE(writer->close()) << writer->error();

  AviProbe probe = ProbeAvi(path("clip.avi"), true);
  ASSERT_TRUE(probe.opened);
  EXPECT_EQ(probe.container, "avi");
  EXPECT_EQ(probe.videoCodec, GetParam().name);
  EXPECT_EQ(probe.width, width);
  EXPECT_EQ(probe.height, height);
  EXPECT_DOUBLE_EQ(probe.frameRate, 25.0);
  EXPECT_EQ(probe.videoPackets, 25);
  EXPECT_EQ(probe.audioCodec, "pcm_s16le");
  EXPECT_EQ(probe.channels, 2);
  EXPECT_EQ(probe.sampleRate, 22050);
  EXPECT_EQ(probe.audioSamples, 22050);
  ASSERT_EQ(probe.pictures.size(), 25u);
  const QImage& back = probe.pictures.front();
  const int tol = GetParam().tolerance;
  EXPECT_TRUE(Near(back.pixel(width / 2, 2), 0xFFFF0000, tol)) << std::hex << back.pixel(45, 2);
  EXPECT_TRUE(Near(back.pixel(width / 2, height - 3), 0xFF0000FF, tol));
  EXPECT_TRUE(Near(back.pixel(0, height / 4), 0xFFFFFFFF, tol + 40));
}

INSTANTIATE_TEST_SUITE_P(Codecs, AviWriterCodecTest,
                         ::testing::Values(CodecCase{AviVideoCodec::Raw, "rawvideo", 0},
                                           CodecCase{AviVideoCodec::Mjpeg, "mjpeg", 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AviWriterTest, FramesLeftOutBecomeEmptyChunksAndOrderIsKept) {
  AviVideoFormat video{16, 16, 40000, AviVideoCodec::Raw, 0};
  ASSERT_TRUE(writer->open(path("gaps.avi"), video, nullptr));
  const QImage picture = TestPicture(16, 16);
  EXPECT_TRUE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 0));
  EXPECT_TRUE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 3));
  // Not after the last one: refused, nothing written.
  EXPECT_FALSE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 3));
  EXPECT_FALSE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 1));
  ASSERT_TRUE(writer->close());
  AviProbe probe = ProbeAvi(path("gaps.avi"));
  EXPECT_EQ(probe.videoPackets, 2);
  EXPECT_EQ(probe.frames, 4);
  EXPECT_FALSE(probe.hasAudio);
}

TEST_F(AviWriterTest, EightBitMonoSound) {
  AviVideoFormat video{8, 8, 100000, AviVideoCodec::Raw, 0};
  AviAudioFormat audio{1, 8000, 8};
  ASSERT_TRUE(writer->open(path("mono.avi"), video, &audio));
  std::vector<uint8_t> samples(8001, 128);  // one byte past a whole block count is fine
  const QImage picture = TestPicture(8, 8);
  ASSERT_TRUE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 0));
  ASSERT_TRUE(writer->writeAudio(samples.data(), samples.size()));
  ASSERT_TRUE(writer->close());
  AviProbe probe = ProbeAvi(path("mono.avi"));
  EXPECT_EQ(probe.audioCodec, "pcm_u8");
  EXPECT_EQ(probe.channels, 1);
  EXPECT_EQ(probe.audioSamples, 8001);
}

TEST_F(AviWriterTest, RefusesWhatItCannotWrite) {
  struct Case {
    const char* what;
    std::string file;
    AviVideoFormat video;
    AviAudioFormat audio;
    bool withAudio;
  };
  const std::vector<Case> cases = {
      {"missing folder", path("no/such/folder/x.avi"), {16, 16, 40000}, {}, false},
      {"no width", path("a.avi"), {0, 16, 40000}, {}, false},
      {"huge", path("b.avi"), {100000, 16, 40000}, {}, false},
      {"no frame time", path("c.avi"), {16, 16, 0}, {}, false},
      {"24-bit sound", path("d.avi"), {16, 16, 40000}, {2, 44100, 24}, true},
      {"no channels", path("e.avi"), {16, 16, 40000}, {0, 44100, 16}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(writer->open(c.file, c.video, c.withAudio ? &c.audio : nullptr));
    EXPECT_FALSE(writer->error().empty());
    const uint8_t pixel[4] = {};
    EXPECT_FALSE(writer->writeVideo(pixel, 4, 0));
    EXPECT_FALSE(writer->close());
  }
}

TEST_F(AviWriterTest, AWriterCanWriteASecondFile) {
  AviVideoFormat video{16, 16, 40000, AviVideoCodec::Mjpeg, 50};
  const QImage picture = TestPicture(16, 16);
  for (const char* name : {"one.avi", "two.avi"}) {
    ASSERT_TRUE(writer->open(path(name), video, nullptr));
    ASSERT_TRUE(writer->writeVideo(picture.constBits(), picture.bytesPerLine(), 0));
    ASSERT_TRUE(writer->close());
    EXPECT_EQ(ProbeAvi(path(name)).videoPackets, 1);
  }
}

}  // namespace
