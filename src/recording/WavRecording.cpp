#include "recording/WavRecording.h"

#include <fcntl.h>
#include <unistd.h>

#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "gui/VyxApplication.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "recording/WavFormatChoice.h"
#include "recording/WavRiffWriter.h"
#include "recording/WaveFormat.h"

namespace {

// The class library's ShowMessage: the application's title as the caption.
void ShowMessage(const std::string& text) {
  platform::ShowMessageBox(text, gui::VyxApplication::Title(), platform::kMbOk);
}

void closeTempFile() {
  if (TempWaveFile >= 0) ::close(TempWaveFile);
  TempWaveFile = -1;
}

// Writes all of `size` bytes; returns the bytes written before a failure.
uint32_t writeAll(int fd, const uint8_t* data, uint32_t size) {
  uint32_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += uint32_t(n);
  }
  return done;
}

uint32_t blockAlignOf(const std::vector<uint8_t>& format) {
  return std::max<uint32_t>(1, ReadWaveFormat(format).blockAlign);
}

// Appends bytes in the current format to the temporary file and counts them; false (after its
// box) when the recording must stop.
bool appendBytes(const uint8_t* data, uint32_t size) {
  // A WAV file holds at most 4 GB: what fits (whole sample frames) is kept, then it stops.
  const uint64_t max = MaxWavDataBytes(uint32_t(CurrentWavFormat.size()));
  const uint64_t room = max > WavByteCount ? max - WavByteCount : 0;
  const bool full = size > room;
  uint32_t wanted = size;
  if (full) wanted = uint32_t(room - room % blockAlignOf(CurrentWavFormat));
  const uint32_t written = writeAll(TempWaveFile, data, wanted);
  if (written < wanted) {
    // A full disk: keep whole sample frames only, so the file stays a valid recording.
    const uint32_t kept = written - written % blockAlignOf(CurrentWavFormat);
    if (kept < written && ::ftruncate(TempWaveFile, off_t(WavByteCount) + kept) == 0)
      ::lseek(TempWaveFile, 0, SEEK_END);
    WavByteCount += kept;
    WavDataCut = true;
    ShowMessage("Write error");
    return false;
  }
  WavByteCount += written;
  if (full) {
    WavDataCut = true;
    ShowMessage("The WAV file has reached its size limit of 4 GB; the recording was stopped.");
    return false;
  }
  return true;
}

// Compresses a block of 16-bit PCM into the temporary file.
bool appendEncoded(const uint8_t* data, uint32_t size) {
  if (!WavCoder->error().empty()) return false;  // told already
  // The block is copied: its bytes need not be aligned for 16-bit samples.
  const uint32_t frameBytes = 2 * std::max<uint32_t>(1, ReadWaveFormat(CurrentWavFormat).channels);
  std::vector<int16_t> samples(size / frameBytes * frameBytes / 2);
  if (!samples.empty()) std::memcpy(samples.data(), data, samples.size() * 2);
  std::vector<uint8_t> encoded;
  if (!WavCoder->encode(samples.data(), size / frameBytes, encoded)) {
    ShowMessage("Encoding error: " + WavCoder->error());
    return false;
  }
  return appendBytes(encoded.data(), uint32_t(encoded.size()));
}

// The encoder's last bytes at stop. Its failure is told, and the file is written with what the
// temporary file holds.
void flushEncoder() {
  if (!WavCoder || !WavCoder->error().empty() || WavDataCut || TempWaveFile < 0) return;
  std::vector<uint8_t> encoded;
  if (!WavCoder->flush(encoded)) {
    ShowMessage("Encoding error: " + WavCoder->error());
    return;
  }
  appendBytes(encoded.data(), uint32_t(encoded.size()));
}

}  // namespace

std::string ResolveWavFileName(const std::string& name) {
  if (name.empty() || name.front() == '/') return name;
  return platform::ProgramFolder() + name;
}

std::string WavTempFileNameFor(const std::string& wavFileName) {
  const std::string resolved = ResolveWavFileName(wavFileName);
  const size_t slash = resolved.rfind('/');
  const std::string folder =
      slash == std::string::npos ? platform::ProgramFolder() : resolved.substr(0, slash + 1);
  return folder + "tempwave.tmp";
}

bool StartWavRecording(QWidget* owner, int secBuffer, int deviceId, CMyWaveIn::TDataEvent onData) {
  WavByteCount = 0;
  WavDataCut = false;
  if (CurrentWavFormat.empty()) ChooseWavFormat(owner, false);
  if (CurrentWavFormat.empty()) return false;
  // A compressed format: the wave input records PCM at its rate, the encoder compresses it.
  WavCoder.reset();
  std::vector<uint8_t> deviceFormat = CurrentWavFormat;
  const WaveFormatFields chosen = ReadWaveFormat(CurrentWavFormat);
  if (chosen.formatTag != kWaveFormatPcm) {
    std::string error;
    WavCoder = CreateWavEncoder(CurrentWavFormat, &error);
    if (!WavCoder) {
      platform::ShowMessageBox(error, "Error", platform::kMbIconStop);
      return false;
    }
    deviceFormat = WaveFormatBlock(WavEncoderInput(chosen), kWaveFormatFieldsSize);
  }
  if (TempWaveFileName.empty()) TempWaveFileName = WavTempFileNameFor(WavFileName);
  closeTempFile();
  TempWaveFile = ::open(TempWaveFileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (TempWaveFile < 0) {
    ShowMessage("Error creating file");
    return false;
  }
  auto* recorder = new CMyWaveIn(owner);
  recorder->SecBuffer = secBuffer;
  recorder->DeviceId = deviceId;
  WavRecorder = recorder;
  if (recorder->Start(deviceFormat)) {
    recorder->Stop();
    delete recorder;
    WavRecorder = nullptr;
    WavCoder.reset();
    // Nothing was recorded: the empty temporary file goes too.
    closeTempFile();
    ::unlink(TempWaveFileName.c_str());
    return false;
  }
  recorder->OnData = std::move(onData);
  return true;
}

bool AppendWavBlock(QWidget*, const uint8_t* data, uint32_t size) {
  if (TempWaveFile < 0 || WavDataCut) return false;
  return WavCoder ? appendEncoded(data, size) : appendBytes(data, size);
}

bool StopWavRecording(QWidget* owner, bool noRiffHeader,
                      const std::function<void()>& pickNextFreeName) {
  if (CMyWaveIn* recorder = WavRecorder) {
    recorder->Stop();
    WavRecorder = nullptr;
    // Stopped from inside its own data handler: it must outlive that call.
    if (recorder->delivering())
      recorder->deleteLater();
    else
      delete recorder;
  }
  if (TempWaveFile < 0) {
    WavCoder.reset();
    return false;
  }
  flushEncoder();
  closeTempFile();
  bool written;
  if (noRiffHeader) {
    if (pickNextFreeName) pickNextFreeName();
    std::error_code error;
    std::filesystem::copy_file(TempWaveFileName, ResolveWavFileName(WavFileName),
                               std::filesystem::copy_options::overwrite_existing, error);
    written = !error;
    if (!written)
      platform::ShowMessageBox("Error writing wave data", "Error", platform::kMbIconStop);
  } else {
    written = WriteRiffWaveFile(owner) == 0;
  }
  WavCoder.reset();
  // On any failure the recording stays in the temporary file.
  if (written) ::unlink(TempWaveFileName.c_str());
  return written;
}

bool WavRecordingRunning() { return TempWaveFile >= 0 && WavRecorder; }
