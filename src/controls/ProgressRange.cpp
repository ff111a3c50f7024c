#include "controls/ProgressRange.h"

#include "gui/GdiTypes.h"

namespace progress {

bool ProgressRange::SetProgress(int32_t value) {
  if (value == progress || value < min || value > max) return false;
  progress = value;
  return true;
}

bool ProgressRange::SetMax(int32_t value) {
  if (value <= min) return false;
  max = value;
  if (progress > max) progress = min;
  return true;
}

bool ProgressRange::SetMin(int32_t value) {
  if (value >= max) return false;
  min = value;
  if (progress < min) progress = min;
  return true;
}

bool BorderAccepted(int32_t value, int32_t current, int width, int height) {
  if (value == current || value < 0) return false;
  const int64_t twice = int64_t{value} * 2;
  return twice < height && twice < width;
}

void DrawSunkenTrough(gui::TCanvas& canvas, int width, int height, gui::TColor back) {
  canvas.Brush.Style = gui::bsSolid;
  canvas.Brush.Color = back;
  canvas.FillRect(gui::Rect(0, 0, width - 1, height - 1));
  canvas.Pen.Style = gui::psSolid;
  canvas.Pen.Mode = gui::pmCopy;
  canvas.Pen.Width = 1;
  DrawEdge(canvas, width, height, 0, gui::clBtnShadow, gui::clBtnHighlight);
}

void DrawEdge(gui::TCanvas& canvas, int width, int height, int inset, gui::TColor topLeft,
              gui::TColor bottomRight) {
  const int right = width - 1 - inset, bottom = height - 1 - inset;
  canvas.Pen.Color = topLeft;
  canvas.MoveTo(inset, bottom);
  canvas.LineTo(inset, inset);
  canvas.LineTo(right, inset);
  canvas.Pen.Color = bottomRight;
  canvas.LineTo(right, bottom);
  canvas.LineTo(1, bottom);
}

}  // namespace progress
