// What the capture window's test mode makes of one block of 16-bit stereo sound: the peak level
// of each side and the scope's two traces.
#pragma once

#include <QPoint>

#include <cstddef>
#include <cstdint>
#include <vector>

struct TestModeBlock {
  float left = 0;   // 0 .. about 1: the highest positive sample above 257, over 32768
  float right = 0;
  std::vector<QPoint> leftTrace;   // around the middle line
  std::vector<QPoint> rightTrace;  // around the bottom line
};

// Reads `size` bytes of 16-bit stereo frames. Negative samples are rectified in the buffer (as
// the traces show them) and never count towards the levels; the last frame is not looked at.
TestModeBlock AnalyseTestBlock(uint8_t* data, size_t size, int scopeHeight);

// A level of 0.5 and more lights its clip lamp.
constexpr float kClipLevel = 0.5f;
