// The channel list's editing rules without widgets: the grid with its row operations (move,
// add, delete, revert, commit, "Set for all") and the edits of the selected row, each keeping
// the grid and the working copy EditTable in step. The channel list window (TForm6) shows the
// grid and previews on the card; this class touches neither widgets nor the card.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Channels.h"
#include "viewer/ClistGrid.h"

// What a new row gets: the scan dialog's defaults.
struct NewRowDefaults {
  std::string name;          // the default name (TForm4 Edit4)
  uint32_t system = 6;       // the standard (TForm4 ComboBox1's index)
  // volume, brightness, contrast, hue, saturation (TForm4 ScrollBar1..ScrollBar5)
  std::array<int32_t, 5> values{20, 50, 70, 100, 70};
  std::string lowerLimit = "40";  // the scan's lower limit text (TForm4 Edit1)
};

// The five values of a row, in the order of their columns and sliders.
enum ChannelValue : int { kVolume, kBrightness, kContrast, kHue, kSaturation };
constexpr int kChannelValues = 5;

class ChannelListModel {
public:
  ChannelGrid& Grid() { return grid_; }
  const ChannelGrid& Grid() const { return grid_; }

  // "Вернуть назад": the working copy := the channel table, shown without the input rows.
  void Revert();
  // "Ok" up to the hiding: the grid becomes the channel table, the selected row the current
  // channel, and the input rows come back from InputRowStash.
  void Commit();

  // "Вверх", "Вниз": swap the selected row with its neighbour and follow it; false at the end.
  bool MoveUp();
  bool MoveDown();
  // "Добавить" (the lower limit), ">" (one found frequency), ">>>" (all of them): one row per
  // frequency with the defaults, selected; a grid that held only the empty row loses it. Rows
  // beyond kMaxTunerChannels channels are not added. False when nothing was added.
  bool AddRow(const std::string& frequency, const NewRowDefaults& defaults);
  bool AddRows(const std::vector<std::string>& frequencies, const NewRowDefaults& defaults);
  // "Удалить": the selected row goes (the only row is emptied instead); the working copy
  // follows at once.
  void Delete();
  // "Удалить все" under the grid: the grid emptied, the working copy's rows marked unused.
  void DeleteAll();
  // "Set for all": the selected row's value in every row of the working copy, shown.
  void SetForAll(ChannelValue value);

  // Edits of the selected row, into both its cells and its working-copy row.
  void SetFrequencyText(const std::string& text);
  void SetName(const std::string& name);
  void SetSystem(uint32_t system);
  void SetValue(ChannelValue value, int32_t v);

  // Channels the grid holds (its empty row does not count).
  int Channels() const;

private:
  // Appends rows with the defaults, at most as many as there is room for; how many.
  int appendRows(const std::vector<std::string>& frequencies, const NewRowDefaults& defaults);
  bool firstRowEmpty() const;
  // The selected row's working-copy row; null for a row beyond the table's tuner rows.
  ChannelRecord* selectedRecord();

  ChannelGrid grid_;
};

// The column and the record field of a value.
int ColumnOf(ChannelValue value);
uint8_t ChannelRecord::*FieldOf(ChannelValue value);
