// Writing an AVI file: video frames at a fixed rate, raw 24-bit DIB rows or Motion JPEG, with an
// optional PCM audio stream; past 1 GiB the file goes on in OpenDML extension chunks. The writer
// itself lives in a module of its own (libvyx-avi.so beside the executable) that is loaded at the
// first capture, so that the program does not load the codec libraries at every start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class AviVideoCodec { Raw, Mjpeg };

struct AviVideoFormat {
  int width = 0;
  int height = 0;
  uint32_t microSecPerFrame = 40000;
  AviVideoCodec codec = AviVideoCodec::Mjpeg;
  int quality = 85;  // Motion JPEG quality, 1..100
};

// PCM only: 8-bit unsigned or 16-bit signed little-endian samples.
struct AviAudioFormat {
  int channels = 2;
  int samplesPerSec = 44100;
  int bitsPerSample = 16;

  int blockAlign() const { return channels * bitsPerSample / 8; }
};

class AviWriter {
public:
  virtual ~AviWriter() = default;

  // Creates (replaces) the file; `audio` null writes a file without an audio stream. False with
  // error() set when the file can't be made or a format is not supported.
  virtual bool open(const std::string& path, const AviVideoFormat& video,
                    const AviAudioFormat* audio) = 0;
  // One frame of 0xFFRRGGBB pixels of the open size, shown at `frameIndex` (counted from 0 in
  // frame times). A frame index past the next one leaves the frames between empty, as a
  // dropped frame does; an index not past the last written one is refused.
  virtual bool writeVideo(const uint8_t* rgb32, size_t stride, int64_t frameIndex) = 0;
  // Whole sample blocks of the open audio format, following the ones written before.
  virtual bool writeAudio(const uint8_t* samples, size_t bytes) = 0;
  // Writes the index and closes the file; the writer can be opened again.
  virtual bool close() = 0;

  // The bytes in the file so far (what a file-size check sees).
  virtual uint64_t fileSize() const = 0;
  virtual std::string error() const = 0;
};

// Loads the writer module (once) and makes a writer. VYX_AVI_MODULE names another module file.
// Null with `error` set when the module is missing or broken.
std::unique_ptr<AviWriter> CreateAviWriter(std::string* error);

// The name of the function the module exports: AviWriter* (*)() .
constexpr const char kAviWriterFactory[] = "vyx_avi_writer_new";

}  // namespace platform
