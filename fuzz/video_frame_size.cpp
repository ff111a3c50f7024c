// Fuzzes the capture's stored picture size ("Video Format V"): any bytes are judged without
// fault, and an accepted size is within its bounds and written back as the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "recording/VideoFrameSize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VideoFrameSize parsed;
  if (!ParseVideoFrameSize(data, size, &parsed)) return 0;
  if (parsed.width <= 0 || parsed.height <= 0 || uint32_t(parsed.width) > kVideoFrameSizeLargest ||
      uint32_t(parsed.height) > kVideoFrameSizeLargest)
    std::abort();
  const auto again = VideoFrameSizeBlock(parsed);
  if (std::memcmp(again.data(), data, again.size()) != 0) std::abort();
  return 0;
}
