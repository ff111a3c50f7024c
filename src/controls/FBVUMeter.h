// TFBVUMeter: a segmented level meter on a drawn box. A column of short horizontal bars (two
// side by side for stereo) runs from levelMin dB at the bottom to levelMax dB at the top in
// three colour zones; the bars below the current level are lit. Level updates redraw only the
// bars whose state changes and copy the picture to the screen at once.
#pragma once

#include <array>

#include "controls/DrawBox.h"

namespace fbvumeter {

class TFBVUMeter : public drawbox::TDrawBox {
public:
  // Bars beyond this index are never made.
  static constexpr int kMaxSegment = 100;

  // 32 x 152, -50..0 dB, red above -6 dB, yellow above -12 dB, green below; stereo; pen 2.
  explicit TFBVUMeter(QWidget* parent = nullptr);

  int levelMax() const { return levelMax_; }
  // Below levelMin it becomes levelMin + 1.
  void SetLevelMax(int value);
  int levelMin() const { return levelMin_; }
  // Above levelMax it becomes levelMax - 1.
  void SetLevelMin(int value);
  int levelHigh() const { return levelHigh_; }
  // Limited to levelMin..levelMax.
  void SetLevelHigh(int value);
  int levelMed() const { return levelMed_; }
  void SetLevelMed(int value);
  gui::TColor colorHigh() const { return colorHigh_; }
  void SetColorHigh(gui::TColor value);
  gui::TColor colorMed() const { return colorMed_; }
  void SetColorMed(gui::TColor value);
  gui::TColor colorLow() const { return colorLow_; }
  void SetColorLow(gui::TColor value);
  bool stereo() const { return stereo_; }
  void SetStereo(bool value);
  int penWidth() const { return penWidth_; }
  void SetPenWidth(int value);

  // Linear levels, 1.0 being full scale (0 dB); the right one counts only in stereo.
  void SetLevels(float left, float right);

  // The index of the top bar; below 0 there are no bars (a control under 5 pixels high).
  int M() const { return m_; }
  float Threshold(int i) const { return threshold_[size_t(i)]; }
  gui::TColor SegmentColor(int i) const { return litColor_[size_t(i)]; }
  gui::TColor SegmentDimColor(int i) const { return dimColor_[size_t(i)]; }
  // How many bars from the bottom are lit in a column (0 left, 1 right).
  int LitCount(int column) const { return lit_[size_t(column)]; }
  int ColumnStart(int column) const { return columnStart_[size_t(column)]; }
  int ColumnEnd(int column) const { return columnEnd_[size_t(column)]; }
  // The y of bar i: Height - 3i - 2.
  int SegmentY(int i) const { return Height() - 3 * i - 2; }

  // Each of the colour value's four bytes halved: 0x0000FF gives 0x00007F.
  static gui::TColor DimColor(gui::TColor color);

  // Every bar dim; no bar lit.
  void Redraw() override;
  void Recalculate() override { CalcSegments(); }

private:
  void CalcSegments();
  void UpdateDims();
  void UpdateChannel(int column, float level);
  void DrawSegment(int i, bool dim, int column);

  int levelMax_ = 0;
  int levelMin_ = -50;
  int levelHigh_ = -6;
  int levelMed_ = -12;
  int penWidth_ = 2;
  bool stereo_ = true;
  std::array<int, 2> columnStart_{};
  std::array<int, 2> columnEnd_{};
  std::array<int, 2> lit_{};
  gui::TColor colorHigh_ = gui::clRed;
  gui::TColor colorMed_ = gui::clYellow;
  gui::TColor colorLow_ = gui::clLime;
  gui::TColor dimHigh_ = 0, dimMed_ = 0, dimLow_ = 0;
  std::array<float, kMaxSegment + 1> threshold_{};
  std::array<gui::TColor, kMaxSegment + 1> litColor_{};
  std::array<gui::TColor, kMaxSegment + 1> dimColor_{};
  int m_ = 0;
};

}  // namespace fbvumeter
