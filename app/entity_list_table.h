// The entity list's rows as a Qt table model over the dialog's items: a cell is formatted only
// when the view asks for it, so a list of a million items opens as fast as one of ten.
#pragma once

#include <QAbstractTableModel>

namespace plenwick {

class CEntyListDlg;

class EntityListTable : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit EntityListTable(const CEntyListDlg& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // After the list changed: rows appended at its end, one row removed, one row's values changed,
  // or anything (the whole table again). The table keeps its own row count until told, so the
  // view never sees the list in between.
  void RowsAppended();
  void RowRemoved(int row);
  void RowChanged(int row);
  void Rebuild();

 private:
  const CEntyListDlg& list_;
  int shown_ = 0;
};

}  // namespace plenwick
