// Guards the entity list window offscreen: its captions, pages, columns and buttons; a row
// clicked fills the fields, typed values are added, a refused entry keeps the focus; the table
// over a million items formats the rows it is asked for, row 999,999 alone, and deletes one
// without a rebuild; the rounding window's preview.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <set>

#include "entity_list_dialog.h"
#include "entity_list_table.h"
#include "quantize_dialog.h"
#include "support/recording_ui.h"
#include "tools/edit/enty_list_dlg.h"
#include "tools/edit/quantize_dlg.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;

QString U(const char* text) { return QString::fromUtf8(text); }

TEST(EntityListWindow, CaptionsRowsAndFields) {
  testing::RecordingUserInterface ui;
  CEntyListDlg model({{ListItemKind::kLine, {1, 2, 3, 4}}, {ListItemKind::kCircle, {10, 20, 5, 0, 0}}}, {});
  EntityListDialog window(model, ui);
  window.show();
  EXPECT_EQ(window.windowTitle(), U("作図要素リスト"));
  ASSERT_EQ(window.pages()->count(), 3);
  EXPECT_EQ(window.pages()->tabText(0), U(" 直　線 "));
  EXPECT_EQ(window.pages()->tabText(1), U("円・円弧"));
  EXPECT_EQ(window.pages()->tabText(2), U("点要素"));
  const char* columns[] = {"  № ", " 要　素 ", "①　　　　　 ", "②　　　　　 ", "③　　　　　 ", "④　　　　　 ", "⑤　　　　　 "};
  QHeaderView* header = window.table()->horizontalHeader();
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(window.rows()->headerData(c, Qt::Horizontal).toString(), U(columns[c]));
    EXPECT_EQ(window.table()->columnWidth(c), header->fontMetrics().horizontalAdvance(U(columns[c])) + 15);
  }
  const std::pair<const char*, const char*> buttons[] = {
      {"add", "追　加"},         {"change", "変　更"},      {"delete", "削　除"},          {"clear", "クリア"},
      {"apply", "データ反映"},   {"cancel", "ｷｬﾝｾﾙ"},       {"export", "CSV書出し"},       {"import", "CSV読込み"},
      {"quantize", "クォンタイズ"}};
  for (const auto& [name, text] : buttons) EXPECT_EQ(Child<QPushButton>(&window, name)->text(), U(text)) << name;
  EXPECT_TRUE(Child<QPushButton>(&window, "add")->isDefault());
  EXPECT_EQ(window.caption(0)->text(), U("①始点Ｘ座標"));
  EXPECT_FALSE(window.field(4)->isVisible());
  EXPECT_EQ(window.field(0)->maxLength(), 20);

  // A row chosen in the table comes up on its page with its values.
  window.table()->selectRow(1);
  EXPECT_EQ(window.pages()->currentIndex(), 1);
  EXPECT_EQ(window.caption(2)->text(), U("③半径"));
  EXPECT_EQ(window.field(2)->text(), "5");
  EXPECT_TRUE(window.field(4)->isVisible());
  // A point typed on its page goes in at the end; a bad one keeps the focus in its field.
  window.pages()->setCurrentIndex(2);
  EXPECT_FALSE(window.field(2)->isVisible());
  window.field(0)->setText("7");
  window.field(1)->setText("1-2");
  Child<QPushButton>(&window, "add")->click();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Ｙ座標の入力に誤りがあります。半角数字で入力してください。"});
  EXPECT_TRUE(window.field(1)->hasFocus() || !QApplication::focusWindow());
  window.field(1)->setText("8.25");
  Child<QPushButton>(&window, "add")->click();
  ASSERT_EQ(window.rows()->rowCount(), 3);
  EXPECT_EQ(window.rows()->index(2, 1).data().toString(), "POINT");
  EXPECT_EQ(window.rows()->index(2, 3).data().toString(), "8.25");
  EXPECT_EQ(window.field(0)->text(), "");
}

// Counts the cells a table formats.
class CountingTable : public EntityListTable {
 public:
  using EntityListTable::EntityListTable;
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) rowsAsked.insert(index.row());
    return EntityListTable::data(index, role);
  }
  mutable std::set<int> rowsAsked;
};

TEST(EntityListWindow, AMillionRowsAreFormattedOnlyWhenShown) {
  std::vector<ListItem> items(1000000, ListItem{ListItemKind::kLine, {1, 2, 3, 4}});
  items.back() = {ListItemKind::kCircle, {5, 6, 7, 30, 60}};
  testing::RecordingUserInterface ui;
  CEntyListDlg model(std::move(items), {});
  CountingTable counting(model);
  QTableView view;
  view.setModel(&counting);
  view.show();
  QApplication::processEvents();
  EXPECT_LT(counting.rowsAsked.size(), 100u) << "only the rows on the screen";
  counting.rowsAsked.clear();
  EXPECT_EQ(counting.index(999999, 0).data().toString(), "1000000");
  EXPECT_EQ(counting.index(999999, 6).data().toString(), "60");
  EXPECT_EQ(counting.rowsAsked, std::set<int>{999999});

  // Deleting the last row in the window removes one row; the view is not reset.
  EntityListDialog window(model, ui);
  window.show();
  window.table()->scrollToBottom();
  window.table()->selectRow(999999);
  QSignalSpy resets(window.rows(), &QAbstractItemModel::modelReset);
  QSignalSpy removed(window.rows(), &QAbstractItemModel::rowsRemoved);
  Child<QPushButton>(&window, "delete")->click();
  EXPECT_EQ(window.rows()->rowCount(), 999999);
  EXPECT_EQ(model.selected(), -1);
  EXPECT_EQ(resets.count(), 0);
  EXPECT_EQ(removed.count(), 1);
}

TEST(EntityListWindow, TheRoundingWindowPreviewsTheSample) {
  CQuantizeDlg model;
  QuantizeDialog window(model);
  EXPECT_EQ(window.windowTitle(), U("クォンタイズ処理"));
  EXPECT_EQ(window.places()->count(), 6);
  window.places()->setCurrentIndex(4);
  EXPECT_EQ(window.result()->text(), "100.1235");
  window.truncate()->setChecked(true);
  EXPECT_EQ(window.result()->text(), "100.1234");
  EXPECT_EQ(model.places(), 4);
  EXPECT_EQ(model.mode(), DecimalRounding::kTruncate);
}

}  // namespace
}  // namespace plenwick
