// TForm6, the channel list window.
// LATER(channel list editor: its grid and buttons)
#pragma once

#include <QWidget>

class TForm6 : public QWidget {
public:
  explicit TForm6(QWidget* owner = nullptr);

  // "Вернуть назад": the working copy reloaded from the channel table and shown.
  // LATER(channel list): the working copy and the grid.
  void Button7Click() {}
  // The grid's row click: previews the row's channel.
  // LATER(channel list): the preview.
  void StringGrid1Click() {}
  // Selects a row of the grid (row 0 is the header).
  // LATER(channel list): StringGrid1's Row.
  void SetGridRow(int row) { gridRow_ = row; }
  int GridRow() const { return gridRow_; }

private:
  int gridRow_ = 1;
};

extern TForm6*& Form6;
