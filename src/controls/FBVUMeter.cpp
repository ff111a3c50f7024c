#include "controls/FBVUMeter.h"

#include <algorithm>
#include <cmath>

using namespace gui;

namespace fbvumeter {

TFBVUMeter::TFBVUMeter(QWidget* parent) : TDrawBox(parent) {
  SetHeight(152);
  SetWidth(32);
  penWidth_ = 2;
  colorHigh_ = clRed;
  colorMed_ = clYellow;
  colorLow_ = clLime;
  UpdateDims();
  levelMax_ = 0;
  levelMin_ = -50;
  levelHigh_ = -6;
  levelMed_ = -12;
  CalcSegments();
  stereo_ = false;
  SetStereo(true);
  Redraw();
}

TColor TFBVUMeter::DimColor(TColor color) {
  return TColor((uint32_t(color) >> 1) & 0x7F7F7F7Fu);
}

// --- properties -------------------------------------------------------------------------------

void TFBVUMeter::SetLevelMax(int value) {
  levelMax_ = value < levelMin_ ? levelMin_ + 1 : value;
  CalcSegments();
}

void TFBVUMeter::SetLevelMin(int value) {
  levelMin_ = value > levelMax_ ? levelMax_ - 1 : value;
  CalcSegments();
}

void TFBVUMeter::SetLevelHigh(int value) {
  levelHigh_ = std::clamp(value, levelMin_, std::max(levelMin_, levelMax_));
  CalcSegments();
}

void TFBVUMeter::SetLevelMed(int value) {
  levelMed_ = std::clamp(value, levelMin_, std::max(levelMin_, levelMax_));
  CalcSegments();
}

void TFBVUMeter::SetColorHigh(TColor value) {
  colorHigh_ = value;
  UpdateDims();
}

void TFBVUMeter::SetColorMed(TColor value) {
  colorMed_ = value;
  UpdateDims();
}

void TFBVUMeter::SetColorLow(TColor value) {
  colorLow_ = value;
  UpdateDims();
}

void TFBVUMeter::SetStereo(bool value) {
  if (value == stereo_) return;
  stereo_ = value;
  CalcSegments();
}

void TFBVUMeter::SetPenWidth(int value) {
  if (value == penWidth_) return;
  penWidth_ = value;
  Redraw();
}

// The bars take the new colours at once (CalcSegments gives each bar its colours, then
// redraws).
void TFBVUMeter::UpdateDims() {
  dimHigh_ = DimColor(colorHigh_);
  dimMed_ = DimColor(colorMed_);
  dimLow_ = DimColor(colorLow_);
  CalcSegments();
}

// --- segments ---------------------------------------------------------------------------------

void TFBVUMeter::CalcSegments() {
  m_ = (Height() - 2) / 3 - 1;
  if (m_ == 0) m_ = 1;
  if (m_ > kMaxSegment) m_ = kMaxSegment;
  int range = std::max(levelMax_ - levelMin_, 1);
  // Products in integers, quotients in floating point, halves rounded to even.
  int highIndex = m_ - int(std::nearbyint(double((levelMax_ - levelHigh_) * m_) / range));
  int medIndex = m_ - int(std::nearbyint(double((levelMax_ - levelMed_) * m_) / range));
  for (int i = m_; i >= 0; --i) {
    long double fraction = static_cast<long double>(m_ - i) / m_;
    threshold_[size_t(i)] = float(std::pow(10.0L, -fraction * (range / 20.0L)));
    bool high = i > highIndex, med = !high && i > medIndex;
    litColor_[size_t(i)] = high ? colorHigh_ : med ? colorMed_ : colorLow_;
    dimColor_[size_t(i)] = high ? dimHigh_ : med ? dimMed_ : dimLow_;
  }
  int half = stereo_ ? Width() / 2 : Width();
  columnStart_ = {1, half + 1};
  columnEnd_ = {half - 2, Width() - 2};
  Redraw();
}

void TFBVUMeter::DrawSegment(int i, bool dim, int column) {
  TCanvas& canvas = bitmap()->Canvas();
  canvas.Pen.Width = penWidth_;
  canvas.Pen.Color = dim ? dimColor_[size_t(i)] : litColor_[size_t(i)];
  int y = SegmentY(i);
  canvas.MoveTo(columnStart_[size_t(column)], y);
  canvas.LineTo(columnEnd_[size_t(column)], y);
}

void TFBVUMeter::Redraw() {
  if (bitmap() && parentWidget()) {
    ClearBitmap();
    for (int i = 0; i <= m_; ++i) {
      DrawSegment(i, true, 0);
      if (stereo_) DrawSegment(i, true, 1);
    }
  }
  lit_ = {0, 0};
}

// A bar is lit exactly when the level lies above its threshold; the top bar never is. Only the
// bars that change are drawn. Without bars (M below 0) there is nothing to light.
void TFBVUMeter::UpdateChannel(int column, float level) {
  if (m_ < 0) return;
  int n = lit_[size_t(column)];
  if (level > threshold_[size_t(n)]) {
    while (n < m_ && level > threshold_[size_t(n)]) DrawSegment(n++, false, column);
  } else {
    while (n > 0 && level <= threshold_[size_t(n - 1)]) DrawSegment(--n, true, column);
  }
  lit_[size_t(column)] = n;
}

void TFBVUMeter::SetLevels(float left, float right) {
  UpdateChannel(0, left);
  if (stereo_) UpdateChannel(1, right);
  Repaint();
}

}  // namespace fbvumeter
