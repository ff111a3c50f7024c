#include "viewer/ClistGridView.h"


#include "gui/Cp1251.h"
#include "viewer/ClistGrid.h"

ChannelGridItems::ChannelGridItems(const ChannelGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int ChannelGridItems::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount() - 1;
}

int ChannelGridItems::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns;
}

QVariant ChannelGridItems::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return gui::FromCp1251(grid_.Cell(index.column(), index.row() + 1));
    case Qt::TextAlignmentRole:
      return index.column() == kColName || index.column() == kColSystem
                 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      // The number column is a fixed column, drawn like the header.
      return index.column() == kColNumber ? QVariant(fixedBrush_) : QVariant();
    default:
      return {};
  }
}

QVariant ChannelGridItems::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return gui::FromCp1251(grid_.Cell(section, 0));
}

Qt::ItemFlags ChannelGridItems::flags(const QModelIndex& index) const {
  // Lines only: cells are selected by row, never edited in place.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ChannelGridItems::Reload() {
  beginResetModel();
  endResetModel();
}
