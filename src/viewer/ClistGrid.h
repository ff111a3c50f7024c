// The channel list's grid without widgets: the cells of StringGrid1 (a header row and one row
// per channel, nine columns of Windows-1251 text), and the four grid functions that move rows
// between it and the working copy EditTable. The window shows the cells; tests use them alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Channels.h"

// The working copy of the channel table that the channel list edits; "Ok" commits it.
extern std::array<ChannelRecord, kChannelRows>& EditTable;
// Rows last taken from the grid.
extern int32_t& EditCount;

// The grid's columns.
enum GridColumn : int {
  kColNumber, kColFreq, kColName, kColSystem,
  kColVolume, kColBrightness, kColContrast, kColHue, kColSaturation,
  kGridColumns
};

// Longest channel name the table keeps, in bytes.
constexpr size_t kMaxChannelName = 259;

class ChannelGrid {
public:
  // The header row and one empty row, which is selected.
  ChannelGrid();

  // Rows including the header; at least 2. Added rows are empty; the selection stays a row.
  int RowCount() const { return int(rows_.size()); }
  void SetRowCount(int count);
  // The selected row, 1..RowCount() - 1. Setting it previews nothing.
  int Row() const { return row_; }
  void SetRow(int row);

  const std::string& Cell(int column, int row) const;
  void SetCell(int column, int row, std::string text);

private:
  std::vector<std::array<std::string, kGridColumns>> rows_;
  int row_ = 1;
};

// The header: "Нмр", "Mгц", "Название", "Система", "Гр", "Ярк", "Кон", "Теп", "Цвт".
const std::array<const char*, kGridColumns>& GridHeaderUtf8();

// Rebuilds the working copy from the grid: rows 1.. become EditTable rows 0.., used, at most
// kMaxTunerChannels of them; every other row is cleared. EditCount := rows taken.
void GridToEditTable(const ChannelGrid& grid);
// Writes the used rows of the working copy (up to the first unused one) into the grid; with no
// used row the grid keeps its row count.
void EditTableToGrid(ChannelGrid& grid);
// Exchanges columns 1..8 of two rows; the numbers in column 0 stay.
void SwapGridRows(ChannelGrid& grid, int a, int b);
// The header and one empty row numbered 1.
void ClearChannelGrid(ChannelGrid& grid);

// What a grid row reads as: the record GridToEditTable makes of it.
ChannelRecord ReadGridRow(const ChannelGrid& grid, int row);
// Writes a record into columns 1..8 of a row.
void WriteGridRow(ChannelGrid& grid, int row, const ChannelRecord& record);
// The first standard whose name equals the text, kNoStandard when none does.
constexpr uint32_t kNoStandard = 10;
uint32_t StandardOfName(const std::string& text);
// The integer at the start of a cell; 0 when there is none.
int32_t LeadingInteger(const std::string& text);
// A frequency as the grid writes it: "%3.2f".
std::string GridFrequencyText(float mhz);
