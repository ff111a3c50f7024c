// The capture's picture size as the registry keeps it ("Video Format V"): width and height, 32
// bits each, little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr size_t kVideoFrameSizeBlock = 8;
// Neither side of a stored size may pass this.
constexpr uint32_t kVideoFrameSizeLargest = 8192;

struct VideoFrameSize {
  int width = 0;
  int height = 0;
};

// False for a block of another length or a side of 0 or past the largest.
bool ParseVideoFrameSize(const uint8_t* block, size_t size, VideoFrameSize* out);
std::array<uint8_t, kVideoFrameSizeBlock> VideoFrameSizeBlock(VideoFrameSize size);
