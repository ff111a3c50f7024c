// The histogram method: the most frequent colours make the table. A picture of more than 2049
// colours is counted again with one more low bit of a channel dropped each time (blue, red,
// green in turn) until its colours fit.
#include <algorithm>
#include <array>

#include "controls/dormant/RxgraphMapping.h"

namespace rxgraph {

namespace {

constexpr size_t kMaxColors = 2049;
constexpr size_t kHashSlots = 5191;
constexpr uint16_t kEmptySlot = 0xFFFF;

struct Color {
  uint8_t blue, green, red;
  uint32_t count;
  uint8_t index;
};

class ColorTable {
public:
  ColorTable() { colors_.reserve(kMaxColors); }

  void clear() {
    colors_.clear();
    slots_.fill(kEmptySlot);
  }
  // The entry of a (masked) colour, added when new; nullptr when the table is full.
  Color* find(uint8_t r, uint8_t g, uint8_t b, bool add) {
    size_t slot = size_t((r + g) * (g + b) * (b + r)) % kHashSlots;
    while (slots_[slot] != kEmptySlot) {
      Color& c = colors_[slots_[slot]];
      if (c.red == r && c.green == g && c.blue == b) return &c;
      slot = (slot + 1) % kHashSlots;
    }
    if (!add || colors_.size() == kMaxColors) return nullptr;
    slots_[slot] = uint16_t(colors_.size());
    colors_.push_back({b, g, r, 0, 0});
    return &colors_.back();
  }
  std::vector<Color>& colors() { return colors_; }

private:
  std::vector<Color> colors_;
  std::array<uint16_t, kHashSlots> slots_{};
};

struct Masks {
  uint8_t red = 0xFF, green = 0xFF, blue = 0xFF;
  QRgb apply(QRgb c) const { return qRgb(qRed(c) & red, qGreen(c) & green, qBlue(c) & blue); }
  // Drops the lowest kept bit of one channel.
  void coarsen() {
    if (green > red) {
      green = uint8_t(green << 1);
    } else if (red > blue) {
      red = uint8_t(red << 1);
    } else {
      blue = uint8_t(blue << 1);
    }
  }
};

bool countColors(const TrueColorPixels& source, const Masks& masks, ColorTable& table) {
  table.clear();
  for (int row = 0; row < source.height(); ++row) {
    for (int x = 0; x < source.width(); ++x) {
      QRgb c = masks.apply(source.at(x, row));
      Color* entry = table.find(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)), true);
      if (!entry) return false;
      ++entry->count;
    }
  }
  return true;
}

// The most frequent colours become the first entries; chosen colours keep a count of 0.
int choosePalette(std::vector<Color>& colors, int wanted, IndexedPixels& out) {
  int chosen = 0;
  for (; chosen < wanted; ++chosen) {
    Color* best = nullptr;
    for (Color& c : colors) {
      if (c.count > 0 && (!best || c.count > best->count)) best = &c;
    }
    if (!best) break;
    out.palette[size_t(chosen)] = {best->blue, best->green, best->red, 0};
    best->index = uint8_t(chosen);
    best->count = 0;
  }
  for (int i = chosen; i < 256; ++i) out.palette[size_t(i)] = {128, 128, 128, 0};
  return chosen;
}

uint8_t nearestEntry(const Color& c, const IndexedPixels& out, int wanted) {
  int best = 0, bestDistance = INT32_MAX;
  for (int i = 0; i < wanted; ++i) {
    const PaletteEntry& e = out.palette[size_t(i)];
    int dr = e.red - c.red, dg = e.green - c.green, db = e.blue - c.blue;
    int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) bestDistance = distance, best = i;
  }
  return uint8_t(best);
}

}  // namespace

void MapHistogram(const TrueColorPixels& source, int wanted, IndexedPixels& out) {
  ColorTable table;
  Masks masks;
  while (!countColors(source, masks, table)) masks.coarsen();
  choosePalette(table.colors(), wanted, out);
  for (Color& c : table.colors()) {
    if (c.count > 0) c.index = nearestEntry(c, out, wanted);
  }
  out.indexes.resize(size_t(source.width()) * size_t(source.height()));
  uint8_t* p = out.indexes.data();
  for (int row = 0; row < source.height(); ++row) {
    for (int x = 0; x < source.width(); ++x) {
      QRgb c = masks.apply(source.at(x, row));
      *p++ = table.find(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)), false)->index;
    }
  }
}

}  // namespace rxgraph
