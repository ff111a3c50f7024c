#include "gui/JpegImage.h"

#include <QImage>

#include <csetjmp>
#include <cstdio>  // before the library's headers, which use FILE
#include <string>
#include <vector>

#include <jpeglib.h>

#include "gui/BmpCodec.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

namespace gui {

namespace {

// The library reports an error by calling error_exit, which must not return: it jumps back to
// the decoder, which cleans up and returns the message number.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf back;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->back, 1);
}

void keepQuiet(j_common_ptr) {}

// 32-bit pixels as QImage::Format_RGB32 lays them out in memory.
constexpr J_COLOR_SPACE kRgb32Space =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

constexpr int kNoError = -1;
constexpr int kRefused = 0;  // a size or colour model this class does not take

bool acceptable(const jpeg_decompress_struct& cinfo) {
  const int64_t pixels = int64_t(cinfo.image_width) * cinfo.image_height;
  if (pixels <= 0 || pixels > kMaxBitmapPixels) return false;
  const J_COLOR_SPACE space = cinfo.jpeg_color_space;
  return space == JCS_GRAYSCALE || space == JCS_RGB || space == JCS_YCbCr;
}

// Plain C from setjmp to the last jump: nothing here has a destructor that a jump could skip.
// The picture lives in the caller's frame. Returns kNoError or the message number.
int decode(const uint8_t* data, size_t size, QImage* picture) {
  ErrorManager errors;
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = jumpBack;
  errors.pub.output_message = keepQuiet;
  if (setjmp(errors.back)) {
    const int code = errors.pub.msg_code;
    jpeg_destroy_decompress(&cinfo);
    return code;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  if (!acceptable(cinfo)) {
    jpeg_destroy_decompress(&cinfo);
    return kRefused;
  }
  cinfo.out_color_space = kRgb32Space;
  jpeg_start_decompress(&cinfo);
  *picture = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
  if (picture->isNull()) {
    jpeg_destroy_decompress(&cinfo);
    return kRefused;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = picture->scanLine(int(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return kNoError;
}

std::unique_ptr<TGraphic> newJpegImage() { return std::make_unique<TJPEGImage>(); }

}  // namespace

void TJPEGImage::LoadFromStream(TStream& stream) {
  const int64_t rest = stream.Size() - stream.Position();
  std::vector<uint8_t> bytes(size_t(rest > 0 ? rest : 0));
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  QImage picture;
  const int code = decode(bytes.data(), bytes.size(), &picture);
  if (code != kNoError) {
    bitmap_ = TBitmap();
    throw EInvalidGraphic("JPEG error #" + std::to_string(code));
  }
  bitmap_.SetImage(picture);
  Changed();
}

void TJPEGImage::Assign(const TGraphic* source) {
  if (auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
    bitmap_ = jpeg->bitmap_;
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

bool TJPEGImage::AssignTo(TGraphic& dest) const {
  auto* bitmap = dynamic_cast<TBitmap*>(&dest);
  if (!bitmap) return false;
  bitmap->Assign(bitmap_);
  return true;
}

void RegisterJpegImage() {
  static const bool registered = [] {
    TPicture::RegisterFileFormat("jpg", "JPEG Image File", "TJPEGImage", newJpegImage);
    TPicture::RegisterFileFormat("jpeg", "JPEG Image File", "TJPEGImage", newJpegImage);
    return true;
  }();
  (void)registered;
}

}  // namespace gui
