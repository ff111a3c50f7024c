#include "recording/WavRiffWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/MessageBox.h"
#include "recording/WavRecording.h"
#include "recording/WaveFormat.h"

namespace {

void put32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

bool writeAll(std::FILE* out, const void* data, size_t size) {
  return std::fwrite(data, 1, size, out) == size;
}

// A chunk header: its four-character code and size.
bool writeChunkHeader(std::FILE* out, const char* id, uint32_t size) {
  uint8_t header[8];
  for (int i = 0; i < 4; ++i) header[i] = uint8_t(id[i]);
  put32(header + 4, size);
  return writeAll(out, header, sizeof header);
}

bool writePad(std::FILE* out, uint64_t size) {
  const uint8_t zero = 0;
  return size % 2 == 0 || writeAll(out, &zero, 1);
}

// The steps of the file, each with the text of its error box.
class RiffWriter {
public:
  explicit RiffWriter(std::FILE* out) : out_(out) {}

  // Returns the error text of the failing step, or nullptr.
  const char* write() {
    const std::vector<uint8_t>& format = CurrentWavFormat;
    const uint32_t formatSize = uint32_t(format.size());
    // RIFF sizes are filled in once the data's length is known.
    if (!writeAll(out_, "RIFF\0\0\0\0WAVE", 12)) return "Error creating RIFF wave chunk";
    if (!writeChunkHeader(out_, "fmt ", formatSize)) return "Error creating RIFF format chunk";
    if (!writeAll(out_, format.data(), formatSize) || !writePad(out_, formatSize))
      return "Error writing RIFF format data";
    if (!writeChunkHeader(out_, "fact", 4)) return "Error creating RIFF 'fact' chunk";
    uint8_t samples[4];
    // An encoder knows how many samples went in (a compressed stream's byte rate is only near),
    // unless the recording was cut short.
    const uint32_t count =
        WavCoder && !WavDataCut ? uint32_t(std::min<uint64_t>(WavCoder->samples(), 0xFFFFFFFFu))
                                : WavSampleCount(WavByteCount, format);
    put32(samples, count);
    if (!writeAll(out_, samples, 4)) return "Error writing RIFF 'fact' data";
    const long dataHeaderAt = std::ftell(out_);
    if (!writeChunkHeader(out_, "data", 0)) return "Error creating RIFF data chunk";
    if (CopyTempWaveToMmio(out_) != 0) return "Error writing wave data";
    const long end = std::ftell(out_);
    if (end < 0 || dataHeaderAt < 0) return "Error writing wave data";
    const uint64_t dataSize = uint64_t(end - dataHeaderAt - 8);
    if (dataSize > MaxWavDataBytes(formatSize) || !writePad(out_, dataSize))
      return "Error writing wave data";
    if (!patch(dataHeaderAt + 4, uint32_t(dataSize)) ||
        !patch(4, uint32_t(end + long(dataSize % 2) - 8)) || std::fflush(out_) != 0)
      return "Error writing wave data";
    return nullptr;
  }

private:
  bool patch(long at, uint32_t value) {
    uint8_t bytes[4];
    put32(bytes, value);
    return std::fseek(out_, at, SEEK_SET) == 0 && writeAll(out_, bytes, 4) &&
           std::fseek(out_, 0, SEEK_END) == 0;
  }

  std::FILE* out_;
};

int showError(const char* text) {
  platform::ShowMessageBox(text, "Error", platform::kMbIconStop);
  return -1;
}

}  // namespace

uint64_t MaxWavDataBytes(uint32_t formatSize) {
  // "WAVE", the "fmt " chunk (padded), the "fact" chunk, the "data" header and its pad byte.
  const uint64_t overhead = 4 + 8 + formatSize + (formatSize % 2) + 12 + 8 + 1;
  return overhead >= 0xFFFFFFFFull ? 0 : 0xFFFFFFFFull - overhead;
}

uint32_t WavSampleCount(uint32_t bytes, const std::vector<uint8_t>& format) {
  const WaveFormatFields f = ReadWaveFormat(format);
  if (f.avgBytesPerSec == 0) return 0;
  return uint32_t(uint64_t(bytes) * f.samplesPerSec / f.avgBytesPerSec);
}

int CopyTempWaveToMmio(std::FILE* out) {
  const int in = ::open(TempWaveFileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return -1;
  uint8_t block[1024];
  int result = 0;
  for (;;) {
    const ssize_t n = ::read(in, block, sizeof block);
    if (n == 0) break;
    if (n < 0 || !writeAll(out, block, size_t(n))) {
      result = -2;
      break;
    }
  }
  ::close(in);
  return result;
}

int WriteRiffWaveFile(QWidget*) {
  std::FILE* out = std::fopen(ResolveWavFileName(WavFileName).c_str(), "wb");
  if (!out) return showError("Error opening file for write");
  const char* error = RiffWriter(out).write();
  const int closed = std::fclose(out);
  if (error) return showError(error);
  if (closed != 0) return showError("Error writing wave data");
  return 0;
}
