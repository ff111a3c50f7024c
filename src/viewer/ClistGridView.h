// The channel list's grid as Qt's table view sees it: row 0 of ChannelGrid is the header,
// rows 1.. are the view's rows, column 0 (the number) is drawn as a fixed column.
#pragma once

#include <QAbstractTableModel>
#include <QBrush>

class ChannelGrid;

class ChannelGridItems : public QAbstractTableModel {
public:
  ChannelGridItems(const ChannelGrid& grid, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The grid has changed: the view reads it all again.
  void Reload();
  // The ground of the fixed number column.
  void SetFixedBrush(const QBrush& brush) { fixedBrush_ = brush; }

private:
  const ChannelGrid& grid_;
  QBrush fixedBrush_;
};
