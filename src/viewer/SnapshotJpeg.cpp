#include "viewer/SnapshotJpeg.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // before the library's headers, which use FILE
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr const char* kJpegError = "JPEG error #%d";

// The library reports an error by calling error_exit, which must not return: it jumps back to
// the encoder, which cleans up and returns the message number.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf back;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->back, 1);
}

void keepQuiet(j_common_ptr) {}  // warnings are not printed

// 32-bit pixels as QImage::Format_RGB32 lays them out in memory.
constexpr J_COLOR_SPACE kRgb32Space =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct Pixels {
  const uint8_t* bits;
  int width;
  int height;
  qsizetype stride;
};

// The encoded bytes, in a buffer that grows as the library fills it. It stays valid and owned
// here whatever happens, so an error half-way through frees it and nothing else.
struct MemoryDestination {
  jpeg_destination_mgr pub;
  unsigned char* data;
  size_t capacity;
};

MemoryDestination* destinationOf(j_compress_ptr cinfo) {
  return reinterpret_cast<MemoryDestination*>(cinfo->dest);
}

[[noreturn]] void outOfMemory(j_compress_ptr cinfo) {
  cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
  cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
  std::abort();  // error_exit does not return
}

void startDestination(j_compress_ptr cinfo) {
  MemoryDestination* d = destinationOf(cinfo);
  d->data = static_cast<unsigned char*>(std::malloc(d->capacity));
  if (!d->data) outOfMemory(cinfo);
  d->pub.next_output_byte = d->data;
  d->pub.free_in_buffer = d->capacity;
}

boolean growDestination(j_compress_ptr cinfo) {
  MemoryDestination* d = destinationOf(cinfo);
  const size_t grown = d->capacity * 2;
  auto* bigger = static_cast<unsigned char*>(std::realloc(d->data, grown));
  if (!bigger) outOfMemory(cinfo);
  d->data = bigger;
  d->pub.next_output_byte = bigger + d->capacity;
  d->pub.free_in_buffer = grown - d->capacity;
  d->capacity = grown;
  return TRUE;
}

void endDestination(j_compress_ptr) {}

// Plain C from setjmp to the last jump: no object here has a destructor that a jump could skip.
// Returns 0, or the library's message number of the error that ended the encoding; `out`
// holds the bytes (its data is the caller's to free either way).
int encode(const Pixels& in, const JpegOptions& options, MemoryDestination* out) {
  jpeg_compress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = jumpBack;
  errors.pub.output_message = keepQuiet;
  if (setjmp(errors.back)) {
    const int code = errors.pub.msg_code;
    jpeg_destroy_compress(&cinfo);
    return code;
  }
  jpeg_create_compress(&cinfo);
  out->pub.init_destination = startDestination;
  out->pub.empty_output_buffer = growDestination;
  out->pub.term_destination = endDestination;
  cinfo.dest = &out->pub;
  cinfo.image_width = JDIMENSION(in.width);
  cinfo.image_height = JDIMENSION(in.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = kRgb32Space;
  jpeg_set_defaults(&cinfo);
  if (options.grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, std::clamp(options.quality, 0, 100), TRUE);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(in.bits + in.stride * qsizetype(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 0;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const QImage& image, const JpegOptions& options) {
  const QImage rgb = image.format() == QImage::Format_RGB32
                         ? image
                         : image.convertToFormat(QImage::Format_RGB32);
  // A first guess that most pictures fit in: half a byte a pixel.
  constexpr size_t kLeast = 64 * 1024;
  MemoryDestination out{};
  out.capacity = std::max(kLeast, size_t(rgb.width()) * size_t(rgb.height()) / 2);
  const int code =
      encode({rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine()}, options, &out);
  std::vector<uint8_t> bytes;
  if (code == 0) bytes.assign(out.data, out.data + (out.capacity - out.pub.free_in_buffer));
  std::free(out.data);
  if (code != 0) throw EJPEG(gui::FormatText(kJpegError, code));
  return bytes;
}

void WriteJpegFile(const QImage& image, const JpegOptions& options,
                   const std::filesystem::path& file) {
  const std::vector<uint8_t> bytes = EncodeJpeg(image, options);
  QSaveFile out(QFile::decodeName(file.c_str()));
  const bool written =
      out.open(QIODevice::WriteOnly) &&
      out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
          qint64(bytes.size()) &&
      out.commit();
  if (!written)
    throw gui::EFCreateError(gui::FormatText(gui::texts::kFileCreateError, file.c_str()));
}
