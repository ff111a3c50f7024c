// TPerfGraph: a scrolling bar graph of sampled values, as the capture window's CPU graph shows
// them. DataPoint appends a sample; Update scrolls the picture by one step and repaints. Each
// sample is a bar from the bottom, its height value / Scale of the control's height, in its own
// colour, over a black ground with a dark green grid that scrolls with the bars.
#pragma once

#include <QWidget>

#include <deque>

#include "gui/Colors.h"

namespace perfgraph {

class TPerfGraph : public QWidget {
public:
  explicit TPerfGraph(QWidget* parent = nullptr);

  int GridSize() const { return gridSize_; }
  void SetGridSize(int value);
  // Pixels between two bars.
  int Step() const { return step_; }
  void SetStep(int value);
  // The value of a full-height bar.
  int Scale() const { return scale_; }
  void SetScale(int value);
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value);

  // Appends a sample; values below 0 draw no bar, values above the scale a full one.
  void DataPoint(gui::TColor color, int value);
  // Drops the samples that have scrolled out and repaints.
  void Update();

  struct Sample {
    gui::TColor color;
    int value;
  };
  const std::deque<Sample>& Samples() const { return samples_; }
  // The bar height of a value at the control's height.
  int BarHeight(int value) const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int capacity() const;

  int gridSize_ = 4;
  int step_ = 1;
  int scale_ = 100;
  int penWidth_ = 1;
  long scrolled_ = 0;  // samples taken so far: the grid moves with them
  std::deque<Sample> samples_;
};

}  // namespace perfgraph
