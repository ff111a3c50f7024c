// Median cut: colours counted in 4096 cells of 4 bits per channel; the box with the widest
// channel is split at the median of its pixels until there are enough boxes; each box becomes
// one colour of the table.
#include <algorithm>
#include <array>

#include "controls/dormant/RxgraphMapping.h"

namespace rxgraph {

namespace {

constexpr int kCells = 4096;

struct Cell {
  std::array<uint8_t, 3> value{};  // red, green, blue at 4 bits
  uint32_t count = 0;
  int box = 0;
};

struct Box {
  std::array<uint8_t, 3> minimum{};
  std::array<uint8_t, 3> extent{};
  std::vector<int> cells;  // cell keys in list order
  int64_t total = 0;       // pixels
};

int keyOf(QRgb c) { return (qRed(c) >> 4) << 8 | (qGreen(c) >> 4) << 4 | qBlue(c) >> 4; }

// The box and channel of the largest extent among boxes of more than one cell; the first box
// and the first channel (red, green, blue) win a tie. False when no box can be split.
bool widestBox(const std::vector<Box>& boxes, size_t& box, int& channel) {
  int best = -1;
  for (size_t b = 0; b < boxes.size(); ++b) {
    if (boxes[b].cells.size() < 2) continue;
    for (int ch = 0; ch < 3; ++ch) {
      if (boxes[b].extent[size_t(ch)] > best) {
        best = boxes[b].extent[size_t(ch)];
        box = b;
        channel = ch;
      }
    }
  }
  return best >= 0;
}

void split(std::vector<Cell>& cells, std::vector<Box>& boxes, size_t index, int channel) {
  Box& box = boxes[index];
  const size_t ch = size_t(channel);
  std::stable_sort(box.cells.begin(), box.cells.end(), [&](int a, int b) {
    return cells[size_t(a)].value[ch] < cells[size_t(b)].value[ch];
  });
  const size_t n = box.cells.size();
  auto countOf = [&](size_t i) { return int64_t(cells[size_t(box.cells[i])].count); };
  // The lower half takes cells while they stay within half of the box's pixels, leaving at
  // least one cell for the upper half.
  const int64_t half = box.total / 2;
  int64_t taken = countOf(0);
  size_t last = 0;
  while (n - 1 - last >= 2 && half - taken - countOf(last + 1) >= 0) taken += countOf(++last);

  Box upper;
  upper.minimum = box.minimum;
  upper.extent = box.extent;
  upper.cells.assign(box.cells.begin() + std::ptrdiff_t(last + 1), box.cells.end());
  upper.total = 0;
  for (size_t i = last + 1; i < n; ++i) upper.total += countOf(i);
  const uint8_t oldMinimum = box.minimum[ch], oldExtent = box.extent[ch];
  upper.minimum[ch] = uint8_t(cells[size_t(box.cells[last + 1])].value[ch] * 16);
  upper.extent[ch] = uint8_t(oldMinimum + oldExtent - upper.minimum[ch]);

  box.cells.resize(last + 1);
  box.total = taken;
  box.extent[ch] = uint8_t(cells[size_t(box.cells[last])].value[ch] * 16 - oldMinimum);
  boxes.push_back(std::move(upper));
}

// Each box's colour: per channel (sum of its cells' values x 16 + 15) / cells, not weighted by
// pixels; near-black becomes black.
PaletteEntry boxColor(std::vector<Cell>& cells, const Box& box, int number) {
  int sum[3] = {0, 0, 0};
  for (int key : box.cells) {
    Cell& cell = cells[size_t(key)];
    cell.box = number;
    for (size_t ch = 0; ch < 3; ++ch) sum[ch] += cell.value[ch];
  }
  const int n = int(box.cells.size());
  int rgb[3];
  for (int ch = 0; ch < 3; ++ch) rgb[ch] = (sum[ch] * 16 + 15) / n;
  if (rgb[0] < 17 && rgb[1] < 17 && rgb[2] < 17) return {};
  return {uint8_t(rgb[2]), uint8_t(rgb[1]), uint8_t(rgb[0]), 0};
}

}  // namespace

void MapQuantize(const TrueColorPixels& source, int wanted, IndexedPixels& out) {
  std::vector<Cell> cells(kCells);
  for (int key = 0; key < kCells; ++key) {
    cells[size_t(key)].value = {uint8_t(key >> 8), uint8_t(key >> 4 & 15), uint8_t(key & 15)};
  }
  std::vector<uint16_t> keys(size_t(source.width()) * size_t(source.height()));
  size_t p = 0;
  for (int row = 0; row < source.height(); ++row) {
    for (int x = 0; x < source.width(); ++x, ++p) {
      keys[p] = uint16_t(keyOf(source.at(x, row)));
      ++cells[keys[p]].count;
    }
  }
  std::vector<Box> boxes(1);
  boxes[0].minimum = {0, 0, 0};
  boxes[0].extent = {255, 255, 255};
  boxes[0].total = int64_t(keys.size());
  for (int key = 0; key < kCells; ++key) {
    if (cells[size_t(key)].count > 0) boxes[0].cells.push_back(key);
  }
  size_t box = 0;
  int channel = 0;
  while (int(boxes.size()) < wanted && widestBox(boxes, box, channel)) {
    split(cells, boxes, box, channel);
  }
  out.palette.fill(PaletteEntry{});
  for (size_t b = 0; b < boxes.size(); ++b) out.palette[b] = boxColor(cells, boxes[b], int(b));
  out.indexes.resize(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) out.indexes[i] = uint8_t(cells[keys[i]].box);
  out.colorsUsed = uint32_t(boxes.size());
}

}  // namespace rxgraph
