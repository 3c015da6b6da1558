// Guards the entity list: typed entries with their messages and focus on every page, rows and
// the full-circle rule, change, delete and clear; decimal rounding against exact integer
// arithmetic; and, through the list mode as the user works it, applying the list as one undo
// step over random drawings, a protected drawing, a row out of range and cancelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <random>
#include <string>

#include "edit_fixture.h"
#include "exchange/list_item_adding.h"
#include "model/decimal_rounding.h"
#include "model/undo.h"
#include "model/number_text.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "tools/edit/enty_list_dlg.h"
#include "tools/edit/quantize_dlg.h"

namespace plenwick {
namespace {

using testing::ExpectValues;

constexpr std::string_view kBad = "の入力に誤りがあります。半角数字で入力してください。";
constexpr std::string_view kEmpty = "の入力がありません！";

TEST(EntityListDialog, EntriesAreCheckedFieldByFieldOnEveryPage) {
  const struct {
    int page;
    std::array<std::string, 5> fields;
    std::string message;  // empty: added
    int focus;
    ListItem added;
  } cases[] = {
      {2, {"1.5", "-2"}, "", 0, {ListItemKind::kPoint, {1.5, -2}}},
      {2, {"", "2"}, "Ｘ座標" + std::string(kEmpty), 0, {}},
      {2, {"1", "1e3"}, "Ｙ座標" + std::string(kBad), 1, {}},
      {2, {"1", "+3"}, "Ｙ座標" + std::string(kBad), 1, {}},
      {2, {"--1", "2"}, "Ｘ座標" + std::string(kBad), 0, {}},
      {2, {"1-2", "2"}, "Ｘ座標" + std::string(kBad), 0, {}},
      {2, {".", "2"}, "Ｘ座標" + std::string(kBad), 0, {}},
      {2, {"-", "2"}, "Ｘ座標" + std::string(kBad), 0, {}},
      {2, {"1", "2..5"}, "Ｙ座標" + std::string(kBad), 1, {}},
      {0, {"1", "2", "3", "4"}, "", 0, {ListItemKind::kLine, {1, 2, 3, 4}}},
      {0, {"1", "2", "3", ""}, "終点Ｙ座標" + std::string(kEmpty), 3, {}},
      {0, {"1", "2", "x", ""}, "終点Ｘ座標" + std::string(kBad), 2, {}},
      {1, {"1", "2", "3", "", ""}, "", 0, {ListItemKind::kCircle, {1, 2, 3, 0, 0}}},
      {1, {"1", "2", "3", "30", "60"}, "", 0, {ListItemKind::kCircle, {1, 2, 3, 30, 60}}},
      {1, {"1", "2", "", "30", "60"}, "半径" + std::string(kEmpty), 2, {}},
      {1, {"1", "2", "3", "", "6o"}, "終了角度" + std::string(kBad), 4, {}},
  };
  for (const auto& c : cases) {
    testing::RecordingUserInterface ui;
    CEntyListDlg dialog({}, {});
    dialog.SetPage(c.page);
    for (int field = 0; field < 5; ++field) dialog.SetFieldText(field, c.fields[static_cast<std::size_t>(field)]);
    const bool added = dialog.OnAdd(ui);
    EXPECT_EQ(added, c.message.empty()) << c.page << " " << c.fields[0] << "," << c.fields[1];
    EXPECT_EQ(ui.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(dialog.focusField(), c.focus);
    if (added) {
      ASSERT_EQ(dialog.count(), 1u);
      EXPECT_EQ(dialog.items()[0], c.added);
      for (int field = 0; field < 5; ++field) EXPECT_EQ(dialog.fieldText(field), "") << "the fields are emptied";
    } else {
      EXPECT_EQ(dialog.count(), 0u);
      EXPECT_EQ(dialog.fieldText(0), c.fields[0]) << "a refused entry stays to be corrected";
    }
  }
}

TEST(EntityListDialog, RowsPagesCaptionsAndTheFullCircleRule) {
  const std::vector<ListItem> items = {
      {ListItemKind::kPoint, {12.5, -0.0}},
      {ListItemKind::kLine, {1, 2, 3, 4}},
      {ListItemKind::kCircle, {10, 20, 5, 0.0005, 359.9995}},  // a full circle
      {ListItemKind::kCircle, {10, 20, 5, 0, 360}},            // too
      {ListItemKind::kCircle, {10, 20, 5, 0.002, 360}},        // an arc
      {ListItemKind::kCircle, {10, 20, 5, 0, 90}},
  };
  CEntyListDlg dialog(items, {});
  const std::vector<std::vector<std::string>> rows = {
      {"1", "POINT", "12.5", "0", "", "", ""},
      {"2", "LINE", "1", "2", "3", "4", ""},
      {"3", "CIRCLE", "10", "20", "5", "", ""},
      {"4", "CIRCLE", "10", "20", "5", "", ""},
      {"5", "CIRCLE", "10", "20", "5", "0.002", "360"},
      {"6", "CIRCLE", "10", "20", "5", "0", "90"},
  };
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < CEntyListDlg::kColumnCount; ++column) {
      EXPECT_EQ(dialog.CellText(row, column), rows[row][static_cast<std::size_t>(column)]) << row << "," << column;
    }
  }
  EXPECT_EQ(dialog.CellText(6, 0), "");
  EXPECT_EQ(dialog.page(), CEntyListDlg::kLinePage);
  EXPECT_EQ(dialog.FieldCaption(0), "①始点Ｘ座標");
  EXPECT_FALSE(dialog.FieldShown(4));
  // Selecting loads the row and brings its page up; angles at most 0.001 leave their field empty.
  const struct {
    std::size_t row;
    int page;
    std::array<std::string, 5> fields;
    std::array<std::string_view, 5> captions;
  } selections[] = {
      {0, 2, {"12.5", "0", "", "", ""}, {"①Ｘ座標", "②Ｙ座標", "", "", ""}},
      {1, 0, {"1", "2", "3", "4", ""}, {"①始点Ｘ座標", "②始点Ｙ座標", "③終点Ｘ座標", "④終点Ｙ座標", ""}},
      {2, 1, {"10", "20", "5", "", "359.9995"}, {"①中心Ｘ座標", "②中心Ｙ座標", "③半径", "④開始角度", "⑤終了角度"}},
      {4, 1, {"10", "20", "5", "0.002", "360"}, {"①中心Ｘ座標", "②中心Ｙ座標", "③半径", "④開始角度", "⑤終了角度"}},
  };
  for (const auto& s : selections) {
    dialog.Select(s.row);
    EXPECT_EQ(dialog.selected(), static_cast<long>(s.row));
    EXPECT_EQ(dialog.page(), s.page);
    for (int field = 0; field < 5; ++field) {
      EXPECT_EQ(dialog.fieldText(field), s.fields[static_cast<std::size_t>(field)]) << s.row << "," << field;
      EXPECT_EQ(dialog.FieldCaption(field), s.captions[static_cast<std::size_t>(field)]);
    }
  }
}

TEST(EntityListDialog, ChangeDeleteAndClear) {
  testing::RecordingUserInterface ui;
  CEntyListDlg dialog({{ListItemKind::kCircle, {10, 20, 5, 30, 60}}, {ListItemKind::kLine, {1, 2, 3, 4}}}, {});
  EXPECT_FALSE(dialog.OnChange(ui)) << "no row selected";
  dialog.Select(0);
  dialog.SetFieldText(2, "7");
  dialog.SetFieldText(3, "");  // an empty angle keeps the circle's
  ASSERT_TRUE(dialog.OnChange(ui));
  EXPECT_EQ(dialog.items()[0], (ListItem{ListItemKind::kCircle, {10, 20, 7, 30, 60}}));
  // On another page the row takes that page's kind.
  dialog.SetPage(CEntyListDlg::kPointPage);
  ASSERT_TRUE(dialog.OnChange(ui));
  EXPECT_EQ(dialog.items()[0], (ListItem{ListItemKind::kPoint, {10, 20}}));
  dialog.Select(1);
  dialog.SetFieldText(4, "kept");
  ASSERT_TRUE(dialog.OnDelete());
  EXPECT_EQ(dialog.count(), 1u);
  EXPECT_EQ(dialog.selected(), -1);
  for (int field = 0; field < 4; ++field) EXPECT_EQ(dialog.fieldText(field), "");
  EXPECT_EQ(dialog.fieldText(4), "kept") << "delete empties fields ① to ④";
  EXPECT_FALSE(dialog.OnDelete()) << "nothing selected: nothing happens";
  EXPECT_EQ(dialog.count(), 1u);
  dialog.OnClear();
  EXPECT_EQ(dialog.fieldText(4), "");
  EXPECT_TRUE(ui.messages.empty());
}

TEST(Quantize, RoundsTheDecimalValue) {
  const struct {
    double v;
    int places;
    DecimalRounding mode;
    double expected;
  } cases[] = {
      {2.5, 0, DecimalRounding::kHalfUp, 3},       {-2.5, 0, DecimalRounding::kHalfUp, -2},
      {-2.7, 0, DecimalRounding::kHalfUp, -3},     {-2.3, 0, DecimalRounding::kHalfUp, -2},
      {1.005, 2, DecimalRounding::kHalfUp, 1.01},  {0.57, 2, DecimalRounding::kTruncate, 0.57},
      {2.99, 0, DecimalRounding::kTruncate, 2},    {-2.99, 0, DecimalRounding::kTruncate, -2},
      {9.9996, 3, DecimalRounding::kHalfUp, 10},   {-0.3, 0, DecimalRounding::kHalfUp, 0},
      {1e300, 2, DecimalRounding::kHalfUp, 1e300}, {123456789.123456, 5, DecimalRounding::kTruncate, 123456789.12345},
  };
  for (const auto& c : cases) {
    const double q = RoundDecimal(c.v, c.places, c.mode);
    EXPECT_EQ(q, c.expected) << c.v << " to " << c.places;
    EXPECT_FALSE(q == 0 && std::signbit(q)) << "no negative zero";
  }
  const char* previews[2][6] = {{"100", "100.1", "100.12", "100.123", "100.1235", "100.12346"},
                                {"100", "100.1", "100.12", "100.123", "100.1234", "100.12345"}};
  CQuantizeDlg dialog;
  for (int mode = 0; mode < 2; ++mode) {
    dialog.SetMode(mode == 0 ? DecimalRounding::kHalfUp : DecimalRounding::kTruncate);
    for (int places = 0; places <= 5; ++places) {
      dialog.SetPlaces(places);
      EXPECT_EQ(dialog.PreviewText(), previews[mode][places]);
    }
  }
  // Random decimals n / 10^k against exact integer arithmetic.
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const int k = static_cast<int>(random() % 7);
    const int d = static_cast<int>(random() % 6);
    const auto n = static_cast<int64_t>(random() % 2000000001) - 1000000000;
    // The decimal text of n / 10^k, parsed: the value the user typed.
    std::string text = std::to_string(std::llabs(n));
    if (k > 0) {
      text.insert(0, std::string(static_cast<std::size_t>(std::max(0, k + 1 - static_cast<int>(text.size()))), '0'));
      text.insert(text.size() - static_cast<std::size_t>(k), ".");
    }
    const double typed = (n < 0 ? -1 : 1) * *ParseDecimalText(text);
    for (const DecimalRounding mode : {DecimalRounding::kHalfUp, DecimalRounding::kTruncate}) {
      int64_t cut = 1;
      for (int j = d; j < k; ++j) cut *= 10;
      int64_t q = n / cut;
      if (mode == DecimalRounding::kHalfUp && cut > 1) {
        const int64_t num = 2 * n + cut, den = 2 * cut;
        q = num / den - ((num % den != 0) && (num < 0) ? 1 : 0);
      }
      const int shown = std::min(d, k);
      std::string expected = std::to_string(std::llabs(q));
      if (shown > 0) {
        expected.insert(0, std::string(static_cast<std::size_t>(std::max(0, shown + 1 - static_cast<int>(expected.size()))), '0'));
        expected.insert(expected.size() - static_cast<std::size_t>(shown), ".");
      }
      const double want = q == 0 ? 0.0 : (q < 0 ? -1 : 1) * *ParseDecimalText(expected);
      EXPECT_EQ(RoundDecimal(typed, d, mode), want) << text << " n=" << n << " k=" << k << " d=" << d;
    }
  }
}

TEST(Quantize, ListRoundsValuesButNotAFullCirclesAngles) {
  CEntyListDlg dialog({{ListItemKind::kCircle, {1.26, 2.24, 3.35, 0.0004, 359.9996}},
                       {ListItemKind::kCircle, {0, 0, 1, 10.26, 20.24}},
                       {ListItemKind::kLine, {-2.5, 2.5, 0.57, 1.005}}},
                      {});
  dialog.Quantize(1, DecimalRounding::kHalfUp);
  EXPECT_EQ(dialog.items()[0], (ListItem{ListItemKind::kCircle, {1.3, 2.2, 3.4, 0.0004, 359.9996}}));
  EXPECT_EQ(dialog.items()[1], (ListItem{ListItemKind::kCircle, {0, 0, 1, 10.3, 20.2}}));
  EXPECT_EQ(dialog.items()[2], (ListItem{ListItemKind::kLine, {-2.5, 2.5, 0.6, 1}}));
  dialog.Quantize(0, DecimalRounding::kTruncate);
  EXPECT_EQ(dialog.items()[2], (ListItem{ListItemKind::kLine, {-2, 2, 0, 1}}));
}

TEST(EntityListDialog, CsvGoesOutAndComesBackWhole) {
  testing::ScopedTempFolder folder;
  testing::RecordingUserInterface ui;
  const std::vector<ListItem> items = {{ListItemKind::kPoint, {12.5, -3}},
                                       {ListItemKind::kCircle, {1, 2, 3, 0, 0}},
                                       {ListItemKind::kCircle, {1, 2, 3, 30, 60}}};
  const std::string path = folder.path() + "/list.csv";
  ASSERT_TRUE(CEntyListDlg(items, {}).ExportCsv(ui, path));
  CEntyListDlg back({{ListItemKind::kLine, {1, 2, 3, 4}}}, {});
  EXPECT_EQ(back.ImportCsv(ui, path), 3u);
  ASSERT_EQ(back.count(), 4u);
  EXPECT_EQ(std::vector<ListItem>(back.items().begin() + 1, back.items().end()), items);
  EXPECT_FALSE(CEntyListDlg(items, {}).ExportCsv(ui, folder.path() + "/missing/list.csv"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("CSV WriteOpen ERROR!", 0), 0u);
}

class EntityListTest : public testing::EditToolTest {
 protected:
  // 作図要素リスト, everything on the current layer selected, the context menu's リスト編集...
  void OpenList(std::function<bool(CEntyListDlg&)> script) {
    ASSERT_TRUE(t.router->OnCommand(kCmdSelectListMode));
    Command(kCmdSelectAll);
    t.ui.entityListScript = std::move(script);
    t.ui.contextAnswer = kCmdListEdit;
    RightClick(5, 5);
  }
  // Every record but the grid gone for good.
  void ClearDrawing() {
    BeginOperation(t.doc->entities, t.doc->snapPoints);
    for (DrawEntity& e : t.doc->entities) {
      if (e.kind != kGrid) e.mark = kMarkDeleted;
    }
    CommitDeletion(t.doc->entities);
    BeginOperation(t.doc->entities, t.doc->snapPoints);
  }
};

TEST_F(EntityListTest, ApplyReplacesTheListedElementsInOneUndoStep) {
  std::mt19937 random(22);
  for (int round = 0; round < 12; ++round) {
    ClearDrawing();
    t.doc->originX = round % 3 == 0 ? 0 : 12.25 * round;
    t.doc->originY = -3.5 * round;
    Populate(random, 8 + random() % 20);
    for (int i = 0; i < 3; ++i) Add(kPoint, {RandomCoordinate(random), RandomCoordinate(random)});
    const std::string before = Dump();
    // Free records of the current layer are listed; group members, dimension parts and other
    // layers are not, and stay as they are.
    std::vector<ListItem> expectedListed;
    std::vector<const DrawEntity*> kept;
    for (const DrawEntity& e : t.doc->entities) {
      const bool listed = e.layer == 0 && !e.owner && ListItemOf(e, {t.doc->originX, t.doc->originY});
      if (listed) expectedListed.push_back(*ListItemOf(e, {t.doc->originX, t.doc->originY}));
      if (!listed) kept.push_back(&e);
    }
    std::vector<ListItem> applied;
    s().CurrentPen = static_cast<int16_t>(1 + round % 7);
    s().CurrentLineType = static_cast<int16_t>(round % 5);
    OpenList([&](CEntyListDlg& dialog) {
      EXPECT_EQ(dialog.items(), expectedListed);
      // A few random edits: a changed row, a deleted one, an added line.
      if (dialog.count() > 1) {
        dialog.Select(random() % dialog.count());
        dialog.SetFieldText(0, std::to_string(random() % 500) + ".125");
        EXPECT_TRUE(dialog.OnChange(t.ui));
        dialog.Select(random() % dialog.count());
        EXPECT_TRUE(dialog.OnDelete());
      }
      dialog.SetPage(CEntyListDlg::kLinePage);
      for (int field = 0; field < 4; ++field) dialog.SetFieldText(field, std::to_string(random() % 400));
      EXPECT_TRUE(dialog.OnAdd(t.ui));
      applied = dialog.items();
      return dialog.OnApply(t.ui);
    });
    ASSERT_EQ(t.ui.entityListRuns, round + 1);
    // What stayed, in order, then the items' elements with the current look.
    std::vector<const DrawEntity*> order = Order();
    ASSERT_EQ(order.size(), kept.size() + applied.size());
    EXPECT_EQ(std::vector<const DrawEntity*>(order.begin(), order.begin() + static_cast<long>(kept.size())), kept);
    for (std::size_t i = 0; i < applied.size(); ++i) {
      const DrawEntity& e = *order[kept.size() + i];
      EXPECT_EQ(ListItemOf(e, {t.doc->originX, t.doc->originY}), applied[i]) << i;
      EXPECT_EQ(e.lineAttr, s().CurrentLineType * 100 + s().CurrentPen);
      EXPECT_EQ(e.kind == kArc, applied[i].kind == ListItemKind::kCircle);
    }
    EXPECT_EQ(Marked(kMarkSelected), 0) << "applying ends the selection";
    EXPECT_TRUE(t.doc->IsModified());
    const std::string edited = Dump();
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before) << "one undo brings the old elements back";
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), edited);
  }
}

TEST_F(EntityListTest, AProtectedDrawingARowOutOfRangeAndCancelChangeNothing) {
  Add(kLine, {100, 100, 200, 100});
  Add(kArc, {150, 150, 50, 0, 90}, 1);
  const std::string before = Dump();
  // Cancel ends the list mode and leaves the drawing as it was.
  OpenList([](CEntyListDlg& dialog) {
    dialog.OnDelete();
    return false;
  });
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Marked(kMarkSelected), 0);
  // A row no drawing keeps is named and selected; the dialog stays open and nothing changes.
  OpenList([&](CEntyListDlg& dialog) {
    dialog.SetPage(CEntyListDlg::kPointPage);
    dialog.SetFieldText(0, "99999999999999");
    dialog.SetFieldText(1, "0");
    EXPECT_TRUE(dialog.OnAdd(t.ui));
    EXPECT_FALSE(dialog.OnApply(t.ui));
    EXPECT_EQ(t.ui.messages.back(), OutOfRangeItemMessage(3));
    EXPECT_EQ(dialog.selected(), 2);
    EXPECT_TRUE(dialog.OnDelete());
    return false;
  });
  EXPECT_EQ(Dump(), before);
  // Even past the dialog an item out of range changes nothing: no element goes to the undo buffer.
  std::vector<DrawEntity*> all;
  for (DrawEntity& e : t.doc->entities) all.push_back(&e);
  const ListItem far{ListItemKind::kPoint, {1e12, 0}};
  EXPECT_EQ(ReplaceByListItems(*t.doc, s(), all, std::span(&far, 1)).result, ListItemsResult::kOutOfRange);
  EXPECT_EQ(Dump(), before);
  // A protected drawing is told once and keeps everything, the selection too.
  t.doc->protection = kWriteProtected;
  t.doc->SetModifiedFlag(false);
  t.docUi.messages.clear();
  OpenList([](CEntyListDlg& dialog) {
    dialog.Select(0);
    return dialog.OnDelete();
  });
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  EXPECT_EQ(Marked(kMarkSelected), 2);
  EXPECT_FALSE(t.doc->IsModified());
}

TEST_F(EntityListTest, TheToolBarButtonStartsTheListMode) {
  ASSERT_TRUE(t.router->OnCommand(kCmdEntityList));
  EXPECT_EQ(t.state().CurrentToolCode, 0);
  EXPECT_EQ(t.state().ToolMode, 4);
  EXPECT_TRUE(t.router->IsCommandEnabled(kCmdListEdit));
}

}  // namespace
}  // namespace plenwick
