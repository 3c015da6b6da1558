// Guards the CSV exchange of list items: rows that differ from what "%f" and the fixed row
// shapes give (a lost "-0", digits cut from huge values, a locale's comma), drawings that do not
// survive export, import and export again (a clockwise arc turned into its complement, values
// moved by the origin offset), hostile files that append half of themselves or pass silently,
// and imported items that escape the undo step, the protection, the coordinate range or the
// current attributes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "exchange/list_item.h"
#include "exchange/list_item_adding.h"
#include "model/entity_core.h"
#include "model/number_text.h"
#include "model/undo.h"
#include "platform/file_io.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;
using testing::ScopedTempFolder;

ListItem Point(double x, double y) { return {ListItemKind::kPoint, {x, y}}; }
ListItem Line(double x1, double y1, double x2, double y2) { return {ListItemKind::kLine, {x1, y1, x2, y2}}; }
ListItem Circle(double x, double y, double r, double start = 0, double end = 0) {
  return {ListItemKind::kCircle, {x, y, r, start, end}};
}

std::string Csv(const std::vector<ListItem>& items) {
  std::string out;
  EXPECT_TRUE(WriteCsv(items, [&](std::span<const uint8_t> bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
  }));
  return out;
}

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(Csv, RowsAreTheFixedShapesWithTrimmedNumbers) {
  // 1e300 as "%f" writes it: all of its 301 digits.
  const std::string huge =
      "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864"
      "0437044438328838781769425232353604305756447921847867069828483872009265758037378302337947880900593689"
      "532349707999450811190389676408800746527427801424945792587888200568428381156694721963868654594005401"
      "60";
  const struct {
    ListItem item;
    std::string row;
  } cases[] = {
      {Point(12.5, 3), "POINT,12.5,3,,,,\n"},
      {Point(-0.0, -1e-9), "POINT,-0,-0,,,,\n"},
      {Point(0.0, 1e-9), "POINT,0,0,,,,\n"},
      {Point(0.0000005, -0.0000005), "POINT,0,-0,,,,\n"},  // both a hair below half of the sixth place
      {Point(-0.12345649, 100.1), "POINT,-0.123456,100.1,,,,\n"},
      {Line(1, 2, 3, 4), "LINE,1,2,3,4,,\n"},
      {Line(-9999999999.9, 99999999999.9, 1e-300, 2.0000001), "LINE,-9999999999.9,99999999999.899994,0,2,,\n"},
      {Circle(10, 20, 5), "CIRCLE,10,20,5,,,\n"},
      {Circle(10, 20, 1e300), "CIRCLE,10,20," + huge + ",,,\n"},
      {Circle(0, 0, 1, 0.0005, 359.9995), "CIRCLE,0,0,1,,,\n"},
      {Circle(0, 0, 1, -0.001, 0.001), "CIRCLE,0,0,1,,,\n"},
      {Circle(0, 0, 1, 0, 360), "CIRCLE,0,0,1,,,\n"},
      {Circle(0, 0, 1, 0.0011, 360), "CIRCLE,0,0,1,0.0011,360\n"},
      {Circle(10, 20, 5, 30, 60), "CIRCLE,10,20,5,30,60\n"},
      {Circle(10, 20, 5, 0, 90), "CIRCLE,10,20,5,0,90\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Csv({c.item}), c.row);
    // "%f" itself (the tests run in the C locale), trimmed as the rows trim it.
    for (double v : ValuesOf(c.item)) {
      std::string printed(512, '\0');
      printed.resize(static_cast<std::size_t>(std::snprintf(printed.data(), printed.size(), "%f", v)));
      while (printed.back() == '0') printed.pop_back();
      if (printed.back() == '.') printed.pop_back();
      EXPECT_EQ(FormatNumberText(v, 6, NegativeZero::kKept), printed);
    }
  }
  EXPECT_EQ(FormatNumberText(-1e-9, 6), "0");  // the dialogs' form of the same value
}

// A drawing of random points, lines, circles and arcs (both directions), every value on the
// sixth decimal as a file holds it after its first export.
void AddRandomDrawing(EntityList& list, std::mt19937_64& random, int count) {
  std::uniform_int_distribution<int> kind(0, 3), units(-100000000, 100000000);
  std::uniform_int_distribution<int> angle(0, 359999);
  auto value = [&] { return units(random) / 1000.0; };
  auto angleValue = [&] { return angle(random) / 1000.0; };
  for (int i = 0; i < count; ++i) {
    switch (kind(random)) {
      case 0: {
        const int16_t codes[] = {10, 20};
        const double v[] = {value(), value()};
        AddEntity({kPoint, 2, 3, 4, 2}, nullptr, list, codes, 5, v, nullptr);
        break;
      }
      case 1: {
        const int16_t codes[] = {10, 20, 11, 22};
        const double v[] = {value(), value(), value(), value()};
        AddEntity({kLine, 0, 101, 7, 4}, nullptr, list, codes, 0, v, nullptr);
        break;
      }
      case 2: {
        const int16_t codes[] = {10, 20, 40};
        const double v[] = {value(), value(), std::fabs(value()) + 1};
        AddEntity({kCircle, 0, 0, 0, 3}, nullptr, list, codes, 0, v, nullptr);
        break;
      }
      default: {
        const int16_t codes[] = {10, 20, 40, 50, 51};
        const double v[] = {value(), value(), std::fabs(value()) + 1, angleValue(), angleValue()};
        AddEntity({kArc, static_cast<int16_t>(i % 2 == 1 ? 1 : -1), 0, 0, 5}, nullptr, list, codes, 0, v, nullptr);
        break;
      }
    }
  }
}

TEST(Csv, DrawingsSurviveExportImportAndExportAgain) {
  RecordingUserInterface ui;
  ScopedTempFolder tmp;
  std::mt19937_64 random(22);
  ProgramSettings settings;
  settings.CurrentPen = 3;
  settings.CurrentLineType = 2;
  settings.CurrentColour = 0x123456;
  settings.CurrentLayer = 9;
  for (int round = 0; round < 20; ++round) {
    CPlenwickDoc from(tmp.path(), ui);
    from.originX = 841.0 / 2 * round;
    from.originY = -297.5 * round;
    AddRandomDrawing(from.entities, random, 1 + round * 13);
    const std::vector<ListItem> items = ListItemsOf(from.entities, {from.originX, from.originY}, false);
    ASSERT_EQ(items.size(), from.entities.size());
    const std::string path = tmp / ("round" + std::to_string(round) + ".csv");
    ASSERT_EQ(SaveItemsAsCsv(ui, path, items), 0);
    std::vector<ListItem> read;
    ASSERT_EQ(ImportCsvItems(ui, path, read), items.size());

    // Into another drawing with the same origin: the same places, arcs and all.
    CPlenwickDoc to(tmp.path(), ui);
    to.originX = from.originX;
    to.originY = from.originY;
    const ListItemsAdded added = AddListItems(to, settings, read);
    ASSERT_EQ(added.result, ListItemsResult::kAdded);
    ASSERT_EQ(added.added.size(), items.size());
    const DrawEntity* a = from.entities.head;
    for (const DrawEntity* b : added.added) {
      const int kind = a->kind == kCircle ? int{kArc} : int{a->kind};
      ASSERT_EQ(b->kind, kind);
      EXPECT_EQ(b->lineAttr, 203);
      EXPECT_EQ(b->colour, 0x123456);
      EXPECT_EQ(b->layer, 9);
      EXPECT_EQ(b->subKind, kind == kArc ? 1 : 0);
      for (int i = 0; i < a->valueCount; ++i) {
        // Clockwise arcs come back counter-clockwise from their end.
        const int j = a->kind == kArc && a->subKind != 1 && i >= 3 ? 7 - i : i;
        EXPECT_NEAR(b->values[i], a->values[j], 1e-7) << a->kind << " value " << i;
      }
      a = a->next;
    }
    EXPECT_EQ(Csv(ListItemsOf(to.entities, {to.originX, to.originY}, false)), Csv(items));
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST(Csv, HostileFilesAreRefusedWholeWithTheLineAndTheFault) {
  const std::string good = "\xEF\xBB\xBFPOINT,1,2,,,,\r\nline,skipped\nLINE,1,2,3,4,,\n";
  const std::string prefix = "CSVファイルの 4 行目を読めません: ";
  const struct {
    std::string row;
    std::string fault;
  } cases[] = {
      {"POINT," + std::string(1018, '1'), "1023 文字を超える行です"},
      {"comment," + std::string(1016, 'x'), "1023 文字を超える行です"},
      {"LINE,1,2,3," + std::string(21, '4'), "5 番目の欄が 20 文字を超えています"},
      {"POINT,1,2,3,4," + std::string(21, ' '), "6 番目の欄が 20 文字を超えています"},
      {"POINT,1,2x", "3 番目の欄を数値として読めません"},
      {"POINT,1e400,0", "2 番目の欄を数値として読めません"},
      {"CIRCLE,0,0,nan", "4 番目の欄を数値として読めません"},
      {"CIRCLE,0,0,1,inf", "5 番目の欄を数値として読めません"},
      {"LINE,--1,0,0,0", "2 番目の欄を数値として読めません"},
      {"LINE,0x10,0,0,0", "2 番目の欄を数値として読めません"},
      {"LINE,1,1,2,1e12", "5 番目の欄の値が座標の範囲を超えています"},
      {"CIRCLE,1,1,1,0,-1e11", "6 番目の欄の値が座標の範囲を超えています"},
  };
  for (const auto& c : cases) {
    std::vector<ListItem> items = {Point(7, 7)};
    const CsvReadResult r = ReadCsvBytes(Bytes(good + c.row + "\r\nPOINT,5,5\n"), items);
    EXPECT_EQ(r.status, CsvReadStatus::kRefused) << c.row;
    EXPECT_EQ(r.error, prefix + c.fault) << c.row;
    EXPECT_EQ(items, std::vector<ListItem>{Point(7, 7)}) << c.row;
  }
  // What is not refused: exactly 1023 and 20 characters, spaces, "+", exponents, fields past the
  // sixth, unused fields, missing fields, other rows of any length up to the limit.
  std::vector<ListItem> items;
  const CsvReadResult r = ReadCsvBytes(Bytes(good + "POINT,0000000000000001.500,  +2.5e1 ,junk,,,,and more\n" +
                                             "LINE,1\n" + "CIRCLE,1,2,3,30,60,x,y\n" + "Circle,1,2,3\n" + "#" +
                                             std::string(1022, 'x') + "\n" + "CIRCLE"),
                                       items);
  ASSERT_EQ(r.status, CsvReadStatus::kRead) << r.error;
  EXPECT_EQ(items, (std::vector<ListItem>{Point(1, 2), Line(1, 2, 3, 4), Point(1.5, 25), Line(1, 0, 0, 0),
                                          Circle(1, 2, 3, 30, 60), Circle(0, 0, 0)}));
}

TEST(Csv, FilesAreReplacedWholeAndEveryFailureIsTold) {
  RecordingUserInterface ui;
  ScopedTempFolder tmp;
  const std::string path = tmp / "list.csv";
  testing::WriteBytes(path, {'o', 'l', 'd'});
  EXPECT_EQ(SaveItemsAsCsv(ui, tmp / "missing/list.csv", std::vector<ListItem>{Point(1, 2)}), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("CSV WriteOpen ERROR!\n", 0), 0u) << ui.messages[0];
  // A write that fails half-way keeps the old file.
  SetWriteFaultInjector([](std::size_t written) { return written < 100; });
  std::vector<ListItem> many(100000, Line(1, 2, 3, 4));
  EXPECT_EQ(SaveItemsAsCsv(ui, path, many), 1);
  SetWriteFaultInjector(nullptr);
  EXPECT_EQ(testing::ReadBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_EQ(ui.messages.size(), 2u);

  std::vector<ListItem> items;
  EXPECT_EQ(ImportCsvItems(ui, tmp / "none.csv", items), 0u);
  EXPECT_EQ(ImportCsvItems(ui, tmp.path(), items), 0u);
  ASSERT_EQ(ui.messages.size(), 4u);
  EXPECT_EQ(ui.messages[2], tmp / "none.csv" + " を開けませんでした。\ncannot open " + tmp / "none.csv" +
                                ": No such file or directory");
  EXPECT_EQ(ui.messages[3], tmp.path() + " を開けませんでした。\ncannot read " + tmp.path() + ": not a regular file");
  testing::WriteBytes(path, std::vector<uint8_t>{'P', 'O', 'I', 'N', 'T', ',', 'x'});
  EXPECT_EQ(ImportCsvItems(ui, path, items), 0u);
  ASSERT_EQ(ui.messages.size(), 5u);
  EXPECT_EQ(ui.messages[4], "CSVファイルの 1 行目を読めません: 2 番目の欄を数値として読めません");
  EXPECT_TRUE(items.empty());
}

TEST(Csv, AddedItemsAreOneUndoStepAndRespectProtectionAndRange) {
  RecordingUserInterface ui;
  ScopedTempFolder tmp;
  CPlenwickDoc doc(tmp.path(), ui);
  doc.originX = 100;
  doc.originY = 50;
  const int16_t codes[] = {10, 20};
  const double v[] = {1, 1};
  for (int i = 0; i < 2; ++i) {
    BeginOperation(doc.entities, doc.snapPoints);
    doc.AddDocumentEntity({kPoint, 0, 0, 0, 2}, nullptr, codes, 0, v, nullptr);
  }
  doc.SetModifiedFlag(false);
  std::vector<ListItem> items = {Point(1, 2), Circle(1, 2, 3, 30, 60), Line(-1, -2, 3, 4)};
  auto unchanged = [&] {
    EXPECT_EQ(doc.entities.size(), 2u);
    EXPECT_FALSE(doc.IsModified());
  };

  doc.protection = kWriteProtected;
  EXPECT_EQ(AddListItems(doc, {}, items).result, ListItemsResult::kRefused);
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  unchanged();
  doc.protection = kNotProtected;

  // A line whose end the offset takes out of the coordinate range: named, nothing added.
  items.insert(items.begin() + 2, Line(0, 0, 99999999999.9, 0));
  const ListItemsAdded refused = AddListItems(doc, {}, items);
  EXPECT_EQ(refused.result, ListItemsResult::kOutOfRange);
  EXPECT_EQ(refused.outOfRange, 2u);
  EXPECT_EQ(ui.messages.back(), "3 行目の要素は座標の範囲を超えるため、図面に反映できません。");
  unchanged();
  EXPECT_EQ(AddListItems(doc, {}, {}).result, ListItemsResult::kNothing);
  unchanged();
  // Neither opened a step: the point added last can still be undone.
  Undo(doc.entities, ui);
  EXPECT_EQ(doc.entities.size(), 1u);
  Undo(doc.entities, ui);
  EXPECT_EQ(doc.entities.size(), 2u);

  items.erase(items.begin() + 2);
  const ListItemsAdded added = AddListItems(doc, {}, items);
  EXPECT_EQ(added.result, ListItemsResult::kAdded);
  ASSERT_EQ(doc.entities.size(), 5u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(std::vector<double>(added.added[2]->values.get(), added.added[2]->values.get() + 4),
            (std::vector<double>{99, 48, 103, 54}));
  Undo(doc.entities, ui);
  EXPECT_EQ(doc.entities.size(), 2u);
  Undo(doc.entities, ui);
  EXPECT_EQ(doc.entities.size(), 5u);
  EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace plenwick
