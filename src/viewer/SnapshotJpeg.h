// JPEG snapshots through libjpeg-turbo: quality, progressive encoding and greyscale as the
// capture window's Image page sets them. A library error raises EJPEG "JPEG error #%d" with
// the library's message number, as the class library's JPEG image does.
#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "gui/Exceptions.h"

class EJPEG : public gui::Exception {
  using Exception::Exception;
};

struct JpegOptions {
  int quality = 50;  // 0..100; 0 encodes as 1, the library's lowest
  bool progressive = false;
  bool grayscale = false;
};

// The JPEG file of `image` (any format).
std::vector<uint8_t> EncodeJpeg(const QImage& image, const JpegOptions& options);
// Encodes `image` into `file`, which is replaced as a whole; raises EJPEG, or EFCreateError
// "Cannot create file %s" when the file cannot be written.
void WriteJpegFile(const QImage& image, const JpegOptions& options,
                   const std::filesystem::path& file);
