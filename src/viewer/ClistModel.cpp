#include "viewer/ClistModel.h"

#include <algorithm>

#include "core/HardwareTables.h"
#include "viewer/ViewerGlobals.h"

namespace {

constexpr int kFirstRow = 1;

}  // namespace

int ColumnOf(ChannelValue value) { return kColVolume + int(value); }

uint8_t ChannelRecord::*FieldOf(ChannelValue value) {
  switch (value) {
    case kVolume: return &ChannelRecord::Volume;
    case kBrightness: return &ChannelRecord::Brightness;
    case kContrast: return &ChannelRecord::Contrast;
    case kHue: return &ChannelRecord::Hue;
    case kSaturation: return &ChannelRecord::Saturation;
  }
  return &ChannelRecord::Volume;
}

void ChannelListModel::Revert() {
  EditTable = ChannelTable;
  EditCount = NumOfChannels;
  ClearChannelGrid(grid_);
  EditTableToGrid(grid_);
}

void ChannelListModel::Commit() {
  GridToEditTable(grid_);
  ChannelTable = EditTable;
  NumOfChannels = EditCount;
  CurChannel = std::clamp(grid_.Row() - 1, 0, std::max(EditCount - 1, 0));
  ChannelTable[kAvRow] = InputRowStash[0];
  ChannelTable[kSvhsRow] = InputRowStash[1];
}

bool ChannelListModel::MoveUp() {
  const int row = grid_.Row();
  if (row <= kFirstRow) return false;
  SwapGridRows(grid_, row, row - 1);
  GridToEditTable(grid_);
  grid_.SetRow(row - 1);
  return true;
}

bool ChannelListModel::MoveDown() {
  const int row = grid_.Row();
  if (row >= grid_.RowCount() - 1) return false;
  SwapGridRows(grid_, row, row + 1);
  GridToEditTable(grid_);
  grid_.SetRow(row + 1);
  return true;
}

bool ChannelListModel::firstRowEmpty() const { return grid_.Cell(kColFreq, kFirstRow).empty(); }

int ChannelListModel::Channels() const {
  return grid_.RowCount() - 1 - (firstRowEmpty() ? 1 : 0);
}

int ChannelListModel::appendRows(const std::vector<std::string>& frequencies,
                                 const NewRowDefaults& d) {
  const int room = std::max(kMaxTunerChannels - Channels(), 0);
  const int count = std::min(int(frequencies.size()), room);
  const std::string standard = d.system < TVSystemNames.size() ? TVSystemNames[d.system] : "";
  for (int i = 0; i < count; ++i) {
    const int n = grid_.RowCount();
    grid_.SetRowCount(n + 1);
    grid_.SetCell(kColNumber, n, std::to_string(n));
    grid_.SetCell(kColName, n, d.name.substr(0, kMaxChannelName));
    grid_.SetCell(kColSystem, n, standard);
    for (int v = 0; v < kChannelValues; ++v)
      grid_.SetCell(kColVolume + v, n, std::to_string(d.values[size_t(v)]));
    grid_.SetCell(kColFreq, n, frequencies[size_t(i)]);
    grid_.SetRow(n);
  }
  return count;
}

// The new row moves up over the empty one, which then goes.
bool ChannelListModel::AddRow(const std::string& frequency, const NewRowDefaults& defaults) {
  if (appendRows({frequency}, defaults) == 0) return false;
  if (firstRowEmpty()) {
    MoveUp();
    grid_.SetRow(kFirstRow + 1);
    Delete();
  }
  GridToEditTable(grid_);
  return true;
}

bool ChannelListModel::AddRows(const std::vector<std::string>& frequencies,
                               const NewRowDefaults& defaults) {
  if (appendRows(frequencies, defaults) == 0) return false;
  if (firstRowEmpty()) {
    grid_.SetRow(kFirstRow);
    Delete();
  }
  GridToEditTable(grid_);
  return true;
}

// The kept rows are read and written back in the grid's own formats, so their frequencies come
// back as "%3.2f" and an unknown standard as AUTO; the numbers in column 0 stay.
void ChannelListModel::Delete() {
  const int row = grid_.Row();
  const int count = grid_.RowCount();
  if (count <= kFirstRow + 1) {
    for (int c : {kColFreq, kColName, kColSystem}) grid_.SetCell(c, kFirstRow, "");
    grid_.SetCell(kColNumber, kFirstRow, "1");
  } else {
    std::vector<ChannelRecord> kept;
    for (int r = kFirstRow; r < count; ++r)
      if (r != row) kept.push_back(ReadGridRow(grid_, r));
    grid_.SetRowCount(count - 1);
    for (size_t i = 0; i < kept.size(); ++i) WriteGridRow(grid_, kFirstRow + int(i), kept[i]);
    grid_.SetRow(grid_.RowCount() - 1 > row ? row : row - 1);
  }
  // The working copy follows at once, so that the edits of the selected row land in the row the
  // grid shows.
  GridToEditTable(grid_);
}

void ChannelListModel::DeleteAll() {
  for (int r = 0; r < kAvRow + 1; ++r) EditTable[size_t(r)].Used = 0;
  ClearChannelGrid(grid_);
}

void ChannelListModel::SetForAll(ChannelValue value) {
  const int source = grid_.Row() - 1;
  if (source < 0 || source >= kMaxTunerChannels) return;
  const auto field = FieldOf(value);
  const uint8_t v = EditTable[size_t(source)].*field;
  const int rows = std::min(grid_.RowCount() - 1, kMaxTunerChannels);
  for (int r = 0; r < rows; ++r) EditTable[size_t(r)].*field = v;
  EditTableToGrid(grid_);
  grid_.SetRow(source + 1);
}

ChannelRecord* ChannelListModel::selectedRecord() {
  const int row = grid_.Row() - 1;
  return row >= 0 && row < kMaxTunerChannels ? &EditTable[size_t(row)] : nullptr;
}

void ChannelListModel::SetFrequencyText(const std::string& text) {
  grid_.SetCell(kColFreq, grid_.Row(), text);
  if (ChannelRecord* e = selectedRecord()) e->Freq = ReadGridRow(grid_, grid_.Row()).Freq;
}

void ChannelListModel::SetName(const std::string& name) {
  const std::string cut = name.substr(0, kMaxChannelName);
  if (ChannelRecord* e = selectedRecord()) e->Name = cut;
  grid_.SetCell(kColName, grid_.Row(), cut);
}

void ChannelListModel::SetSystem(uint32_t system) {
  if (system >= TVSystemNames.size()) return;
  if (ChannelRecord* e = selectedRecord()) e->System = uint8_t(system);
  grid_.SetCell(kColSystem, grid_.Row(), TVSystemNames[system]);
}

void ChannelListModel::SetValue(ChannelValue value, int32_t v) {
  if (ChannelRecord* e = selectedRecord()) e->*FieldOf(value) = uint8_t(v);
  grid_.SetCell(ColumnOf(value), grid_.Row(), std::to_string(v));
}
