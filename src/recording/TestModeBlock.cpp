#include "recording/TestModeBlock.h"

#include <cstring>

namespace {

constexpr uint16_t kPeakLimit = 32700;
constexpr uint16_t kFloor = 257;

uint16_t sampleAt(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

// A negative sample (read unsigned, above the limit) becomes its magnitude, in place.
uint16_t rectify(uint8_t* p) {
  uint16_t v = sampleAt(p);
  if (v > kPeakLimit) {
    v = uint16_t(-v);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
  }
  return v;
}

}  // namespace

TestModeBlock AnalyseTestBlock(uint8_t* data, size_t size, int scopeHeight) {
  TestModeBlock block;
  const size_t frames = size / 4;
  if (frames < 2) return block;
  block.leftTrace.reserve(frames - 1);
  block.rightTrace.reserve(frames - 1);
  uint16_t maxL = kFloor, maxR = kFloor;
  for (size_t i = 0; i + 1 < frames; ++i) {
    uint8_t* frame = data + i * 4;
    const uint16_t rawL = sampleAt(frame), rawR = sampleAt(frame + 2);
    if (rawL < kPeakLimit && rawL > maxL) maxL = rawL;
    if (rawR < kPeakLimit && rawR > maxR) maxR = rawR;
    const uint16_t l = rectify(frame), r = rectify(frame + 2);
    block.leftTrace.emplace_back(int(i), int(scopeHeight * 0.5 - l / 256.0));
    block.rightTrace.emplace_back(int(i), int(scopeHeight - r / 256.0));
  }
  block.left = float(maxL - kFloor) / 32768.0f;
  block.right = float(maxR - kFloor) / 32768.0f;
  return block;
}
