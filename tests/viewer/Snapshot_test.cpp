// Snapshots in the running program: what the capture driver is asked, the names and folder of
// the files, the BMP and JPEG contents (read back by Qt's own image readers, not ours), and the
// snapshots that fail.
#include <QImageReader>

#include <algorithm>
#include <cstdio>  // before the JPEG library's headers, which use FILE
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "ProgramFixture.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "sim/SimClock.h"
#include "sim/SimVideoDevices.h"
#include "viewer/Snapshot.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

namespace fs = std::filesystem;
using Capture = sim::SimCaptureEvent;
using Kind = sim::SimCaptureEvent::Kind;

std::vector<uint8_t> readBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What the markers of a JPEG file say about how it was encoded.
struct JpegHeader {
  int frameMarker = 0;  // 0xC0 baseline, 0xC2 progressive
  int components = 0;
  int firstQuantValue = 0;  // the first entry of the first quantisation table
};

JpegHeader headerOf(const std::vector<uint8_t>& b) {
  JpegHeader h;
  for (size_t i = 2; i + 4 <= b.size() && b[i] == 0xFF;) {
    const int marker = b[i + 1];
    const size_t length = size_t(b[i + 2]) << 8 | b[i + 3];
    if (marker == 0xDB && h.firstQuantValue == 0 && i + 5 < b.size()) h.firstQuantValue = b[i + 5];
    if ((marker == 0xC0 || marker == 0xC2) && i + 9 < b.size()) {
      h.frameMarker = marker;
      h.components = b[i + 9];
    }
    if (marker == 0xDA) break;  // the picture data follows
    i += 2 + length;
  }
  return h;
}

// The mean difference per colour channel between two pictures of one size.
double meanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * x.width() * x.height());
}

// A local time with its day of the week filled in.
std::tm localTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  std::mktime(&t);
  return t;
}

class SnapshotTest : public ProgramTest {
protected:
  void startWith(const std::string& imageType, bool singleFile) {
    writeSetting("ImageType", imageType);
    writeSetting("ImgToSingleFile", singleFile ? "1" : "0");
    writeChannels({kOneStation});
    ASSERT_EQ(start(), 0);
  }
  fs::path images() const { return fs::path(folder_.path()) / "Images"; }
  // The snapshot takes its options from the capture window's Image page: the settings set
  // there, as the window shows them when it is made.
  static void showImageSettings() { capt::LoadImageOptions(*Form3); }
  // The local time 8 December 2026, 22:11:05.
  static void setClockToTheEighthOfDecember() {
    std::tm t = localTime(2026, 12, 8, 22, 11, 5);
    sim::Clock().setWallClock(std::mktime(&t));
  }
};

TEST(SnapshotNames, AsctimeTextWithDashes) {
  struct Case {
    std::tm t;
    const char* name;
  };
  const Case cases[] = {{localTime(2026, 12, 8, 22, 11, 5), "Tue Dec  8 22-11-05 2026"},
                        {localTime(2027, 1, 31, 0, 0, 0), "Sun Jan 31 00-00-00 2027"},
                        {localTime(1999, 6, 1, 9, 5, 59), "Tue Jun  1 09-05-59 1999"}};
  for (const Case& c : cases) EXPECT_EQ(SnapshotName(c.t), c.name);
}

TEST_F(SnapshotTest, DriverIsAskedInOrder) {
  startWith("JPG", false);
  sim::VideoDevices().clearCaptureEvents();
  GrabFrame();
  const std::vector<Capture> expected = {
      {Kind::StreamEnd, 0},     {Kind::Stream, 0, 66},  // preview at 66 ms
      {Kind::Grab, 0},          {Kind::Grab, 0},        // two grabs, the second is kept
      {Kind::StreamEnd, 0},     {Kind::Stream, 0, 0},   // the overlay again
      {Kind::SaveDib, 0}};
  EXPECT_EQ(sim::VideoDevices().captureEvents(), expected);
  EXPECT_FALSE(TvPreviewMode);
  EXPECT_TRUE(TvScreenWindow->overlay());
}

TEST_F(SnapshotTest, DateAndTimeNameInEnglishWhateverTheLocale) {
  startWith("JPG", true);
  const char* before = std::setlocale(LC_TIME, nullptr);
  const std::string saved = before ? before : "C";
  std::setlocale(LC_TIME, "de_DE.UTF-8");  // where it exists: days and months in German
  setClockToTheEighthOfDecember();
  GrabFrame();
  GrabFrame();  // within the same second: the same name again
  std::setlocale(LC_TIME, saved.c_str());
  EXPECT_EQ(filesIn(images()), std::vector<std::string>{"Tue Dec  8 22-11-05 2026.jpg"});
}

TEST_F(SnapshotTest, FixedNamesAreOverwritten) {
  startWith("BMP", false);
  fs::create_directory(images());
  folder_.write("Images/frame.bmp", "an older file");
  Form1->Timer5Timer();
  EXPECT_EQ(filesIn(images()), std::vector<std::string>{"frame.bmp"});
  EXPECT_EQ(QImageReader(QString::fromStdString((images() / "frame.bmp").string())).size(),
            QSize(768, 576));

  Settings.ImageType = 1;
  showImageSettings();
  folder_.write("Images/frame.jpg", "an older file");
  Form1->Timer5Timer();
  Form1->Timer5Timer();
  EXPECT_EQ(filesIn(images()), std::vector<std::string>{"frame.jpg"}) << "no BMP remains";
  EXPECT_EQ(QImageReader(QString::fromStdString((images() / "frame.jpg").string())).size(),
            QSize(768, 576));
}

TEST_F(SnapshotTest, BmpHoldsTheCapturedFrame) {
  startWith("BMP", false);
  GrabFrame();
  const fs::path bmp = images() / "frame.bmp";
  const std::vector<uint8_t> bytes = readBytes(bmp);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[28], 24) << "24 bits a pixel";
  const QImage written(QString::fromStdString(bmp.string()), "BMP");
  const QImage captured = TvScreenWindow->currentFrame();
  EXPECT_EQ(written.size(), captured.size()) << "the capture format's size";
  EXPECT_EQ(meanDifference(written, captured), 0.0);
  EXPECT_EQ(SnapshotPreview.size(), captured.size()) << "the preview shows it";
}

TEST_F(SnapshotTest, JpegOptionsShowInTheFile) {
  startWith("JPG", false);
  struct Case {
    int quality;
    bool progressive;
    bool gray;
    JpegHeader header;
  };
  const Case cases[] = {{50, true, false, {0xC2, 3, 16}},
                        {50, false, true, {0xC0, 1, 16}},
                        {75, false, false, {0xC0, 3, 8}},
                        {100, true, true, {0xC2, 1, 1}},
                        {0, false, false, {0xC0, 3, 16}}};  // 0 reads as the default 50
  for (const Case& c : cases) {
    SCOPED_TRACE("quality " + std::to_string(c.quality));
    Settings.JpegQuality = uint16_t(c.quality);
    Settings.ProgressiveJPG = c.progressive;
    Settings.Gray = c.gray;
    showImageSettings();
    GrabFrame();
    const fs::path jpg = images() / "frame.jpg";
    const JpegHeader h = headerOf(readBytes(jpg));
    EXPECT_EQ(h.frameMarker, c.header.frameMarker);
    EXPECT_EQ(h.components, c.header.components);
    EXPECT_EQ(h.firstQuantValue, c.header.firstQuantValue);

    QImageReader reader(QString::fromStdString(jpg.string()), "JPEG");
    const QImage decoded = reader.read();
    ASSERT_EQ(decoded.size(), QSize(768, 576)) << reader.errorString().toStdString();
    EXPECT_EQ(decoded.isGrayscale(), c.gray);
    EXPECT_EQ(SnapshotPreview.size(), decoded.size());
  }
}

TEST_F(SnapshotTest, JpegKeepsTheColours) {
  startWith("JPG", false);
  Settings.JpegQuality = 100;
  showImageSettings();
  GrabFrame();
  const QImage decoded(QString::fromStdString((images() / "frame.jpg").string()), "JPEG");
  EXPECT_LT(meanDifference(decoded, TvScreenWindow->currentFrame()), 2.0)
      << "red, green and blue in their places";
}

TEST_F(SnapshotTest, NoFrameNoSnapshot) {
  startWith("JPG", false);
  fs::create_directory(images());
  folder_.write("Images/frame.bmp", "an older picture");
  DestroyTvWindow();
  EXPECT_THROW(GrabFrame(), gui::EFCreateError);
  EXPECT_FALSE(TvPreviewMode);
  EXPECT_EQ(filesIn(images()), std::vector<std::string>{"frame.bmp"}) << "nothing converted";
  EXPECT_EQ(folder_.read("Images/frame.bmp"), "an older picture");
  EXPECT_TRUE(SnapshotPreview.isNull()) << "nothing shown as if it were new";

  CreateTvWindow();
  TvScreenWindow->driverDisconnect();
  EXPECT_THROW(GrabFrame(), gui::EFCreateError);
}

TEST_F(SnapshotTest, UnwritableJpegLeavesNoBmp) {
  startWith("JPG", false);
  fs::create_directories(images() / "frame.jpg");  // a folder where the file should go
  try {
    GrabFrame();
    ADD_FAILURE() << "no error";
  } catch (const gui::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + (images() / "frame.jpg").string());
  }
  EXPECT_FALSE(TvPreviewMode);
  EXPECT_FALSE(fs::exists(images() / "frame.bmp"));
}

TEST_F(SnapshotTest, FolderAndCurrentDirectory) {
  startWith("BMP", false);
  fs::create_directory(fs::path(folder_.path()) / "images");  // made on another system
  const fs::path before = fs::current_path();
  GrabFrame();
  EXPECT_TRUE(fs::exists(fs::path(folder_.path()) / "images" / "frame.bmp"));
  EXPECT_FALSE(fs::exists(images())) << "no second folder";
  EXPECT_EQ(fs::current_path(), before) << "relative names of recordings stay in the program folder";
}

TEST(JpegErrors, LibraryErrorsCarryTheirNumber) {
  struct Case {
    QImage image;
    int code;
  };
  const Case cases[] = {{QImage(), JERR_EMPTY_IMAGE},
                        {QImage(70000, 1, QImage::Format_RGB32), JERR_IMAGE_TOO_BIG}};
  for (const Case& c : cases) {
    try {
      EncodeJpeg(c.image, {});
      ADD_FAILURE() << "no error for error " << c.code;
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(c.code));
    }
  }
}

}  // namespace
}  // namespace viewer_test
