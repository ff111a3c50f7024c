#include "viewer/ClistGrid.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <utility>

#include "core/HardwareTables.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/Vyxu.h"

namespace {

constexpr int kFirstRow = 1;  // row 0 is the header

uint8_t asByte(int32_t value) { return uint8_t(uint32_t(value) & 0xFF); }

}  // namespace

ChannelGrid::ChannelGrid() : rows_(2) {
  for (int c = 0; c < kGridColumns; ++c)
    rows_[0][size_t(c)] = layout::Cp(GridHeaderUtf8()[size_t(c)]);
}

void ChannelGrid::SetRowCount(int count) {
  rows_.resize(size_t(std::max(count, kFirstRow + 1)));
  if (row_ > RowCount() - 1) row_ = RowCount() - 1;
}

void ChannelGrid::SetRow(int row) {
  if (row >= kFirstRow && row < RowCount()) row_ = row;
}

const std::string& ChannelGrid::Cell(int column, int row) const {
  return rows_.at(size_t(row)).at(size_t(column));
}

void ChannelGrid::SetCell(int column, int row, std::string text) {
  rows_.at(size_t(row)).at(size_t(column)) = std::move(text);
}

const std::array<const char*, kGridColumns>& GridHeaderUtf8() {
  static constexpr std::array<const char*, kGridColumns> header = {
      "Нмр", "Mгц", "Название", "Система", "Гр", "Ярк", "Кон", "Теп", "Цвт"};
  return header;
}

uint32_t StandardOfName(const std::string& text) {
  for (uint32_t k = 0; k < TVSystemNames.size(); ++k)
    if (text == TVSystemNames[k]) return k;
  return kNoStandard;
}

int32_t LeadingInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT_MAX} + 1);
  value = negative ? -value : value;
  return int32_t(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

std::string GridFrequencyText(float mhz) {
  char text[64];
  std::snprintf(text, sizeof text, "%3.2f", double(mhz));
  return text;
}

ChannelRecord ReadGridRow(const ChannelGrid& grid, int row) {
  ChannelRecord r{};
  r.Used = 1;
  r.Freq = float(LeadingNumber(grid.Cell(kColFreq, row)));
  r.Name = grid.Cell(kColName, row).substr(0, kMaxChannelName);
  const uint32_t system = StandardOfName(grid.Cell(kColSystem, row));
  r.System = uint8_t(system == kNoStandard ? 0 : system);
  r.Volume = asByte(LeadingInteger(grid.Cell(kColVolume, row)));
  r.Brightness = asByte(LeadingInteger(grid.Cell(kColBrightness, row)));
  r.Contrast = asByte(LeadingInteger(grid.Cell(kColContrast, row)));
  r.Hue = asByte(LeadingInteger(grid.Cell(kColHue, row)));
  r.Saturation = asByte(LeadingInteger(grid.Cell(kColSaturation, row)));
  return r;
}

void WriteGridRow(ChannelGrid& grid, int row, const ChannelRecord& r) {
  grid.SetCell(kColFreq, row, GridFrequencyText(r.Freq));
  grid.SetCell(kColName, row, r.Name);
  grid.SetCell(kColSystem, row, r.System < TVSystemNames.size() ? TVSystemNames[r.System] : "");
  grid.SetCell(kColVolume, row, std::to_string(r.Volume));
  grid.SetCell(kColBrightness, row, std::to_string(r.Brightness));
  grid.SetCell(kColContrast, row, std::to_string(r.Contrast));
  grid.SetCell(kColHue, row, std::to_string(r.Hue));
  grid.SetCell(kColSaturation, row, std::to_string(r.Saturation));
}

// Rows past the table's tuner rows are not taken: rows 254 and 255 belong to the inputs.
void GridToEditTable(const ChannelGrid& grid) {
  EditTable.fill(ChannelRecord{});
  EditCount = 0;
  for (int r = kFirstRow; r < grid.RowCount() && EditCount < kMaxTunerChannels; ++r)
    EditTable[size_t(EditCount++)] = ReadGridRow(grid, r);
}

void EditTableToGrid(ChannelGrid& grid) {
  int k = 0;
  for (; k < kMaxTunerChannels && EditTable[size_t(k)].Used == 1; ++k) {
    if (grid.RowCount() < k + 2) grid.SetRowCount(k + 2);
    grid.SetCell(kColNumber, k + 1, std::to_string(k + 1));
    WriteGridRow(grid, k + 1, EditTable[size_t(k)]);
  }
  if (k > 0) grid.SetRowCount(k + 1);
}

void SwapGridRows(ChannelGrid& grid, int a, int b) {
  for (int c = kColFreq; c < kGridColumns; ++c) {
    std::string cellA = grid.Cell(c, a);
    grid.SetCell(c, a, grid.Cell(c, b));
    grid.SetCell(c, b, std::move(cellA));
  }
}

void ClearChannelGrid(ChannelGrid& grid) {
  grid.SetRowCount(2);
  grid.SetCell(kColNumber, 1, "1");
  for (int c = kColFreq; c < kGridColumns; ++c) grid.SetCell(c, 1, "");
}
