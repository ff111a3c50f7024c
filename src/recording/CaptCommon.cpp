// The capture window's shared helpers: the TV window, colours, file names, the capture's sound
// format in the registry, the clock, and the file labels with their free space.
#include <QLabel>

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/SystemUtils.h"
#include "gui/Cp1251.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/Capt.h"
#include "recording/CaptInternal.h"
#include "recording/RecordingState.h"
#include "recording/WavRecording.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppKey = "TheVyx";
constexpr const char* kAviFormatValue = "Audio Format V";
constexpr uint16_t kPcmTag = 1;

// The nearest folder of `path` that exists, then up to the top of its file system.
std::string volumeOf(const std::string& path) {
  std::error_code error;
  fs::path p = fs::absolute(path, error).parent_path();
  struct stat st {};
  while (!p.empty() && ::stat(p.c_str(), &st) != 0 && p != p.root_path()) p = p.parent_path();
  if (p.empty()) return "/";
  const dev_t device = st.st_dev;
  while (p != p.root_path()) {
    struct stat above {};
    if (::stat(p.parent_path().c_str(), &above) != 0 || above.st_dev != device) break;
    p = p.parent_path();
  }
  return p.string();
}

// The size of a file in bytes; false when it does not open.
bool fileSize(const std::string& path, double* bytes) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  *bytes = double(file.tellg());
  return true;
}

QString format(const char* fmt, double value) {
  char text[64];
  std::snprintf(text, sizeof text, fmt, value);
  return QString::fromLatin1(text);
}

}  // namespace

int GetDiskFreeMb(const std::string& path) {
  struct statvfs vfs {};
  if (::statvfs(volumeOf(path).c_str(), &vfs) != 0) return 0;
  return int(uint64_t(vfs.f_bavail) * vfs.f_frsize / 1048576);
}

int64_t CaptureNowSeconds() {
  std::tm now = platform::LocalTimeNow();
  return int64_t(std::mktime(&now));
}

AlarmDate CaptureToday() {
  const std::tm now = platform::LocalTimeNow();
  return {uint16_t(now.tm_year + 1900), uint16_t(now.tm_mon + 1), uint16_t(now.tm_mday)};
}

namespace capt {

platform::CaptureWindow* TvWindow() {
  return CaptureLinks.tvWindow ? CaptureLinks.tvWindow() : nullptr;
}

void SetBackground(QWidget* widget, gui::TColor colour) {
  gui::SetPaletteColor(widget, QPalette::Window, colour);
  widget->setAutoFillBackground(true);
}

// An empty setting gives the program folder and the name, with one separator between them.
std::string DefaultedPath(const std::string& setting, const char* name) {
  if (!setting.empty()) return setting;
  std::string folder = platform::ProgramFolder();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

QString FromFileName(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }

std::string VolumeOf(const std::string& path) { return volumeOf(path); }

bool FileOpens(const std::string& path) { return std::ifstream(path, std::ios::binary).good(); }

bool ParseAviAudioFormat(const std::vector<uint8_t>& block, platform::AviAudioFormat* format) {
  if (block.size() < kWaveFormatFieldsSize) return false;
  const WaveFormatFields f = ReadWaveFormat(block);
  if (f.formatTag != kPcmTag || (f.channels != 1 && f.channels != 2) ||
      (f.bitsPerSample != 8 && f.bitsPerSample != 16) || f.samplesPerSec < 8000 ||
      f.samplesPerSec > 96000)
    return false;
  *format = {f.channels, int(f.samplesPerSec), f.bitsPerSample};
  return true;
}

std::vector<uint8_t> AviAudioFormatBlock(const platform::AviAudioFormat& format) {
  WaveFormatFields f;
  f.formatTag = kPcmTag;
  f.channels = uint16_t(format.channels);
  f.samplesPerSec = uint32_t(format.samplesPerSec);
  f.blockAlign = uint16_t(format.blockAlign());
  f.avgBytesPerSec = f.samplesPerSec * f.blockAlign;
  f.bitsPerSample = uint16_t(format.bitsPerSample);
  return WaveFormatBlock(f, kWaveFormatFieldsSize);
}

// A stored block the capture cannot record is left unused: the driver keeps its format.
void RestoreAviAudioFormat() {
  platform::CaptureWindow* tv = TvWindow();
  if (!tv) return;
  const uint32_t size = ReadAppRegValue(kAppKey, kAviFormatValue, nullptr, 0);
  if (size == 0 || size > 4096) return;
  std::vector<uint8_t> block(size);
  if (ReadAppRegValue(kAppKey, kAviFormatValue, block.data(), size) != size) return;
  platform::AviAudioFormat format;
  if (ParseAviAudioFormat(block, &format)) tv->sequence().setAudioFormat(format);
}

void StoreAviAudioFormat() {
  platform::CaptureWindow* tv = TvWindow();
  if (!tv) return;
  const std::vector<uint8_t> block = AviAudioFormatBlock(tv->sequence().audioFormat());
  WriteAppRegValue(kAppKey, kAviFormatValue, block.data(), uint32_t(block.size()));
}

}  // namespace capt

// --- Labels -------------------------------------------------------------------------------------

void TForm3::UpdateCaptureFileLabels() {
  const QString freeSpace = Label21->text();
  Label32->setText(capt::FromFileName(WavFileName));
  Label27->setText(capt::FromFileName(CaptureFileName));
  double bytes = 0;
  if (fileSize(CaptureFileName, &bytes)) Label11->setText(format("%4.1f M", bytes / 1048576));
  Label5->setText(freeSpace + " " + capt::FromFileName(volumeOf(CaptureFileName)) + ":");
  Label10->setText(QString::number(GetDiskFreeMb(CaptureFileName)) + " Mb");
  if (fileSize(WavFileName, &bytes)) Label14->setText(format("%4.3f M", bytes / 1048576));
  Label16->setText(freeSpace + " " + capt::FromFileName(volumeOf(WavFileName)) + ":");
  Label18->setText(QString::number(GetDiskFreeMb(WavFileName)) + " Mb");
}
