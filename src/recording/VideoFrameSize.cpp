#include "recording/VideoFrameSize.h"

namespace {

uint32_t readLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void writeLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

bool validSide(uint32_t side) { return side > 0 && side <= kVideoFrameSizeLargest; }

}  // namespace

bool ParseVideoFrameSize(const uint8_t* block, size_t size, VideoFrameSize* out) {
  if (!block || size != kVideoFrameSizeBlock) return false;
  const uint32_t w = readLe32(block), h = readLe32(block + 4);
  if (!validSide(w) || !validSide(h)) return false;
  *out = {int(w), int(h)};
  return true;
}

std::array<uint8_t, kVideoFrameSizeBlock> VideoFrameSizeBlock(VideoFrameSize size) {
  std::array<uint8_t, kVideoFrameSizeBlock> block{};
  writeLe32(block.data(), uint32_t(size.width));
  writeLe32(block.data() + 4, uint32_t(size.height));
  return block;
}
