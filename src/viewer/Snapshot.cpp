#include "viewer/Snapshot.h"

#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

#include "core/Settings.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/Image.h"
#include "gui/ScopedFlag.h"
#include "platform/Clock.h"
#include "recording/Capt.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSnapshotPreviewRateMs = 66;
// The quality the capture window shows for a stored 0.
constexpr int kDefaultJpegQuality = 50;

QString qtPath(const fs::path& p) { return QFile::decodeName(p.c_str()); }

bool sameLetters(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The driver's message sequence of a snapshot: preview at the snapshot rate, two grabs (the
// second one is the picture), the overlay back on, the frame written as a bitmap file.
bool captureFrameTo(const fs::path& bmp) {
  TvScreen* tv = TvScreenWindow.data();
  if (!tv) return false;
  tv->setPreview(true);
  tv->setPreviewRate(kSnapshotPreviewRateMs);
  tv->grabFrame();
  tv->grabFrame();
  tv->setOverlay(true);
  return tv->saveDib(qtPath(bmp));
}

// Removes the intermediate BMP of a JPEG snapshot on every way out.
class RemoveOnExit {
public:
  explicit RemoveOnExit(fs::path file) : file_(std::move(file)) {}
  ~RemoveOnExit() {
    std::error_code ignored;
    fs::remove(file_, ignored);
  }
  RemoveOnExit(const RemoveOnExit&) = delete;
  RemoveOnExit& operator=(const RemoveOnExit&) = delete;

private:
  fs::path file_;
};

void convertToJpeg(const fs::path& bmp, const fs::path& jpg, const JpegOptions& options) {
  RemoveOnExit intermediate(bmp);
  gui::TBitmap b;
  b.LoadFromFile(bmp.string());
  WriteJpegFile(b.Image(), options, jpg);
  ShowSnapshotPreview(jpg);
}

}  // namespace

// The capture window's Image page decides; without the window, the stored settings.
SnapshotOptions CurrentSnapshotOptions() {
  SnapshotOptions o;
  if (Form3) {
    o.jpeg = Form3->RadioJpg->isChecked();
    o.encoding.grayscale = Form3->ComboBox11->currentIndex() == 1;
    o.encoding.progressive = Form3->CheckBox12->isChecked();
    o.encoding.quality = Form3->ScrollBar2->value();
    return o;
  }
  o.jpeg = Settings.ImageType != 0;
  o.encoding.grayscale = Settings.Gray != 0;
  o.encoding.progressive = Settings.ProgressiveJPG != 0;
  o.encoding.quality = Settings.JpegQuality == 0 ? kDefaultJpegQuality
                                                 : std::min<int>(Settings.JpegQuality, 100);
  return o;
}

std::string SnapshotName(const std::tm& t) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d-%.2d-%.2d %d",
                kDays[std::clamp(t.tm_wday, 0, 6)], kMonths[std::clamp(t.tm_mon, 0, 11)],
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 1900 + t.tm_year);
  return text;
}

fs::path ImagesFolder() {
  const fs::path home = ExeDir.empty() ? fs::current_path() : fs::path(ExeDir);
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(home, error)) {
    const std::string name = entry.path().filename().string();
    if (sameLetters(name, "Images") && entry.is_directory(error)) return entry.path();
  }
  const fs::path folder = home / "Images";
  fs::create_directory(folder, error);  // a folder that cannot be made fails the save
  return folder;
}

void GrabFrame() {
  gui::ScopedFlag previewMode(TvPreviewMode);
  const SnapshotOptions options = CurrentSnapshotOptions();
  const fs::path folder = ImagesFolder();
  const std::string name =
      Settings.ImgToSingleFile ? SnapshotName(platform::LocalTimeNow()) : std::string("frame");
  const fs::path bmp = folder / (name + ".bmp");
  // A frame that could not be saved ends the snapshot: an older file of that name is no
  // picture of now.
  if (!captureFrameTo(bmp))
    throw gui::EFCreateError(gui::FormatText(gui::texts::kFileCreateError, bmp.c_str()));
  if (options.jpeg)
    convertToJpeg(bmp, folder / (name + ".jpg"), options.encoding);
  else
    ShowSnapshotPreview(bmp);
}

void ShowSnapshotPreview(const fs::path& file) {
  QImageReader reader(qtPath(file));
  QImage picture = reader.read();
  if (picture.isNull())
    throw gui::EFOpenError(gui::FormatText(gui::texts::kFileOpenError, file.c_str()));
  SnapshotPreview = std::move(picture);
  if (Form3) {
    gui::TBitmap bitmap;
    bitmap.SetImage(SnapshotPreview);
    Form3->Image1->Picture().SetGraphic(&bitmap);
  }
}
