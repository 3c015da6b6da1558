// The entity list window.
#include "entity_list_dialog.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_buttons.h"
#include "entity_list_table.h"
#include "file_dialogs.h"
#include "quantize_dialog.h"
#include "qt_user_interface.h"
#include "tools/edit/enty_list_dlg.h"
#include "tools/edit/quantize_dlg.h"

namespace plenwick {

namespace {

QPushButton* AddButton(QWidget* owner, QLayout* layout, std::string_view text, const char* name) {
  auto* button = new QPushButton(FromUtf8(text), owner);
  button->setObjectName(name);
  button->setAutoDefault(false);
  layout->addWidget(button);
  return button;
}

}  // namespace

EntityListDialog::EntityListDialog(CEntyListDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(CEntyListDlg::kCaption));
  auto* layout = new QVBoxLayout(this);

  pages_ = new QTabBar(this);
  pages_->setObjectName("pages");
  for (std::string_view name : CEntyListDlg::kPageNames) pages_->addTab(FromUtf8(name));
  layout->addWidget(pages_);

  table_ = new QTableView(this);
  table_->setObjectName("list");
  rows_ = new EntityListTable(model_, this);
  table_->setModel(rows_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setTabKeyNavigation(false);  // Tab leaves the list for the fields
  // Rows of one height and no row header: the view lays out a million rows without asking
  // each of them.
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < CEntyListDlg::kColumnCount; ++column) {
    const QString header = FromUtf8(CEntyListDlg::kColumnNames[static_cast<std::size_t>(column)]);
    table_->setColumnWidth(column, table_->horizontalHeader()->fontMetrics().horizontalAdvance(header) + 15);
  }
  table_->setMinimumSize(640, 260);
  layout->addWidget(table_);

  auto* values = new QGridLayout;
  for (int i = 0; i < CEntyListDlg::kFieldCount; ++i) {
    captions_[static_cast<std::size_t>(i)] = new QLabel(this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString("field%1").arg(i));
    edit->setMaxLength(CEntyListDlg::kFieldChars);
    fields_[static_cast<std::size_t>(i)] = edit;
    values->addWidget(captions_[static_cast<std::size_t>(i)], 0, i);
    values->addWidget(edit, 1, i);
  }
  layout->addLayout(values);

  auto* edits = new QHBoxLayout;
  QPushButton* add = AddButton(this, edits, CEntyListDlg::kAdd, "add");
  add->setDefault(true);
  add->setAutoDefault(true);
  connect(add, &QPushButton::clicked, this, &EntityListDialog::OnAdd);
  connect(AddButton(this, edits, CEntyListDlg::kChange, "change"), &QPushButton::clicked, this, &EntityListDialog::OnChange);
  connect(AddButton(this, edits, CEntyListDlg::kDelete, "delete"), &QPushButton::clicked, this, &EntityListDialog::OnDelete);
  connect(AddButton(this, edits, CEntyListDlg::kClear, "clear"), &QPushButton::clicked, this, &EntityListDialog::OnClear);
  layout->addLayout(edits);
  auto* others = new QHBoxLayout;
  connect(AddButton(this, others, CEntyListDlg::kApply, "apply"), &QPushButton::clicked, this, &EntityListDialog::accept);
  connect(AddButton(this, others, CEntyListDlg::kCancel, "cancel"), &QPushButton::clicked, this, &EntityListDialog::reject);
  connect(AddButton(this, others, CEntyListDlg::kExport, "export"), &QPushButton::clicked, this, &EntityListDialog::OnExport);
  connect(AddButton(this, others, CEntyListDlg::kImport, "import"), &QPushButton::clicked, this, &EntityListDialog::OnImport);
  connect(AddButton(this, others, CEntyListDlg::kQuantize, "quantize"), &QPushButton::clicked, this,
          &EntityListDialog::OnQuantize);
  layout->addLayout(others);

  connect(pages_, &QTabBar::currentChanged, this, &EntityListDialog::OnPageChosen);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { OnRowChosen(current.isValid() ? current.row() : -1); });
  ShowFields();
  fields_[0]->setFocus();
}

void EntityListDialog::TakeFields() {
  for (int i = 0; i < CEntyListDlg::kFieldCount; ++i) model_.SetFieldText(i, field(i)->text().toStdString());
}

void EntityListDialog::ShowFields() {
  updating_ = true;
  pages_->setCurrentIndex(model_.page());
  for (int i = 0; i < CEntyListDlg::kFieldCount; ++i) {
    const QString text = QString::fromStdString(model_.fieldText(i));
    // A loaded value is never cut: the field widens its limit for it.
    field(i)->setMaxLength(std::max(CEntyListDlg::kFieldChars, static_cast<int>(text.size())));
    field(i)->setText(text);
    caption(i)->setText(FromUtf8(model_.FieldCaption(i)));
    caption(i)->setVisible(model_.FieldShown(i));
    field(i)->setVisible(model_.FieldShown(i));
  }
  updating_ = false;
}

void EntityListDialog::ShowSelection() {
  updating_ = true;
  if (model_.selected() < 0) {
    table_->selectionModel()->clear();
  } else {
    const QModelIndex at = rows_->index(static_cast<int>(model_.selected()), 0);
    table_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(at);
  }
  updating_ = false;
}

void EntityListDialog::OnPageChosen(int page) {
  if (updating_) return;
  TakeFields();
  model_.SetPage(page);
  ShowFields();
}

void EntityListDialog::OnRowChosen(int row) {
  if (updating_ || row < 0) return;
  model_.Select(static_cast<std::size_t>(row));
  ShowFields();
}

void EntityListDialog::OnAdd() {
  TakeFields();
  if (!model_.OnAdd(ui_)) {
    FocusAtFault(*field(model_.focusField()));
    return;
  }
  rows_->RowsAppended();
  table_->scrollToBottom();
  ShowFields();
  field(0)->setFocus();
}

void EntityListDialog::OnChange() {
  TakeFields();
  if (model_.selected() < 0) return;
  if (!model_.OnChange(ui_)) {
    FocusAtFault(*field(model_.focusField()));
    return;
  }
  rows_->RowChanged(static_cast<int>(model_.selected()));
  ShowFields();
}

void EntityListDialog::OnDelete() {
  TakeFields();
  const auto row = static_cast<int>(model_.selected());
  updating_ = true;
  const bool deleted = model_.OnDelete();
  if (deleted) rows_->RowRemoved(row);
  updating_ = false;
  if (!deleted) return;
  ShowSelection();
  ShowFields();
}

void EntityListDialog::OnClear() {
  model_.OnClear();
  ShowFields();
}

void EntityListDialog::OnExport() {
  const QString path = AskCsvToSave(this, QDir::currentPath());
  if (!path.isEmpty()) model_.ExportCsv(ui_, path.toStdString());
}

void EntityListDialog::OnImport() {
  const QString path = AskCsvToOpen(this);
  if (path.isEmpty()) return;
  if (model_.ImportCsv(ui_, path.toStdString()) > 0) rows_->RowsAppended();
}

void EntityListDialog::OnQuantize() {
  CQuantizeDlg choice;
  QuantizeDialog window(choice, this);
  if (window.exec() != QDialog::Accepted) return;
  model_.Quantize(choice.places(), choice.mode());
  rows_->Rebuild();
  ShowSelection();
}

void EntityListDialog::accept() {
  if (!model_.OnApply(ui_)) {
    ShowSelection();
    ShowFields();
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
