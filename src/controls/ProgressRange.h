// What the library's two progress bars (QELProgress, TProgress) share: the rules by which they
// take Min, Max, Progress and Border, and the sunken trough they draw their bar in.
#pragma once

#include <cstdint>

#include "gui/Canvas.h"
#include "gui/Colors.h"

namespace progress {

// Progress within Min..Max. Each setter returns whether it took the value (the control then
// repaints).
struct ProgressRange {
  int32_t min = 0;
  int32_t max = 0;
  int32_t progress = 0;

  // Takes a changed value within min..max.
  bool SetProgress(int32_t value);
  // Takes a value above min; a progress above the new max falls back to min.
  bool SetMax(int32_t value);
  // Takes a value below max; a progress below the new min rises to it.
  bool SetMin(int32_t value);
};

// A changed border of at least 0 whose double (taken in 64 bits) is below both sides.
bool BorderAccepted(int32_t value, int32_t current, int width, int height);

// Fills (0, 0, width - 1, height - 1) with `back` and draws a one-pixel sunken edge round it:
// button shadow left and top, button highlight right and bottom.
void DrawSunkenTrough(gui::TCanvas& canvas, int width, int height, gui::TColor back);
// An edge `inset` pixels in from the control's sides: `topLeft` up the left side and along the
// top, `bottomRight` down the right side and back along the bottom to x = 1.
void DrawEdge(gui::TCanvas& canvas, int width, int height, int inset, gui::TColor topLeft,
              gui::TColor bottomRight);

}  // namespace progress
