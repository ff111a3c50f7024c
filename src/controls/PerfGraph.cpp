#include "controls/PerfGraph.h"

#include <QPainter>

#include <algorithm>

namespace perfgraph {

namespace {

constexpr QRgb kGrid = 0x004000;

}  // namespace

TPerfGraph::TPerfGraph(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPerfGraph::SetGridSize(int value) {
  if (value == gridSize_ || value < 1) return;
  gridSize_ = value;
  update();
}

void TPerfGraph::SetStep(int value) {
  if (value == step_ || value < 1) return;
  step_ = value;
  update();
}

void TPerfGraph::SetScale(int value) {
  if (value == scale_ || value < 1) return;
  scale_ = value;
  update();
}

void TPerfGraph::SetPenWidth(int value) {
  if (value == penWidth_ || value < 1) return;
  penWidth_ = value;
  update();
}

void TPerfGraph::DataPoint(gui::TColor color, int value) {
  samples_.push_back({color, value});
  ++scrolled_;
}

void TPerfGraph::Update() {
  while (samples_.size() > size_t(capacity())) samples_.pop_front();
  update();
}

int TPerfGraph::capacity() const { return std::max(1, width() / step_ + 1); }

int TPerfGraph::BarHeight(int value) const {
  if (value <= 0) return 0;
  return int(int64_t(std::min(value, scale_)) * height() / scale_);
}

void TPerfGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  // The grid: lines every GridSize steps, the vertical ones scrolling with the samples.
  const int cell = gridSize_ * step_ * 2;
  p.setPen(QColor(kGrid));
  for (int y = height() - 1; y >= 0; y -= cell) p.drawLine(0, y, width() - 1, y);
  const int shift = int((scrolled_ * step_) % cell);
  for (int x = width() - 1 - (cell - shift) % cell; x >= 0; x -= cell)
    p.drawLine(x, 0, x, height() - 1);
  // The bars, the newest at the right edge.
  int x = width() - 1;
  for (auto it = samples_.rbegin(); it != samples_.rend() && x >= 0; ++it, x -= step_) {
    const int h = BarHeight(it->value);
    if (h == 0) continue;
    p.fillRect(x - penWidth_ + 1, height() - h, penWidth_, h, gui::ToQColor(it->color));
  }
}

}  // namespace perfgraph
