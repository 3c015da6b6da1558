// The entity list's rows, formatted on demand.
#include "entity_list_table.h"

#include "qt_user_interface.h"
#include "tools/edit/enty_list_dlg.h"

namespace plenwick {

EntityListTable::EntityListTable(const CEntyListDlg& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), shown_(static_cast<int>(list.count())) {}

int EntityListTable::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int EntityListTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CEntyListDlg::kColumnCount;
}

QVariant EntityListTable::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(list_.CellText(static_cast<std::size_t>(index.row()), index.column()));
}

QVariant EntityListTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= CEntyListDlg::kColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return FromUtf8(CEntyListDlg::kColumnNames[static_cast<std::size_t>(section)]);
}

void EntityListTable::RowsAppended() {
  const int count = static_cast<int>(list_.count());
  if (count <= shown_) return Rebuild();
  beginInsertRows(QModelIndex(), shown_, count - 1);
  shown_ = count;
  endInsertRows();
}

void EntityListTable::RowRemoved(int row) {
  if (row < 0 || row >= shown_ || static_cast<int>(list_.count()) != shown_ - 1) return Rebuild();
  beginRemoveRows(QModelIndex(), row, row);
  shown_ -= 1;
  endRemoveRows();
}

void EntityListTable::RowChanged(int row) {
  if (row < 0 || row >= shown_) return;
  emit dataChanged(index(row, 0), index(row, CEntyListDlg::kColumnCount - 1));
}

void EntityListTable::Rebuild() {
  beginResetModel();
  shown_ = static_cast<int>(list_.count());
  endResetModel();
}

}  // namespace plenwick
