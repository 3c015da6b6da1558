// CEntyListDlg, the entity list ("作図要素リスト"): the points, lines, circles and arcs of the
// list mode's selection as numbers, edited as a private list of items that reaches the drawing
// only on "データ反映". The Qt window shows its pages, rows and fields; everything it does is here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/list_item.h"
#include "model/decimal_rounding.h"
#include "model/user_interface.h"

namespace plenwick {

class CEntyListDlg {
 public:
  static constexpr std::string_view kCaption = "作図要素リスト";
  static constexpr std::array<std::string_view, 3> kPageNames = {" 直　線 ", "円・円弧", "点要素"};
  static constexpr std::array<std::string_view, 7> kColumnNames = {
      "  № ", " 要　素 ", "①　　　　　 ", "②　　　　　 ", "③　　　　　 ", "④　　　　　 ", "⑤　　　　　 "};
  static constexpr std::string_view kAdd = "追\u3000加";
  static constexpr std::string_view kChange = "変\u3000更";
  static constexpr std::string_view kDelete = "削\u3000除";
  static constexpr std::string_view kClear = "クリア";
  static constexpr std::string_view kApply = "データ反映";
  static constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kExport = "CSV書出し";
  static constexpr std::string_view kImport = "CSV読込み";
  static constexpr std::string_view kQuantize = "クォンタイズ";
  static constexpr int kFieldCount = 5;
  static constexpr int kFieldChars = 20;  // each value field holds at most this many characters
  static constexpr int kColumnCount = 7;

  enum Page : int { kLinePage = 0, kCirclePage = 1, kPointPage = 2 };

  // The items in display order; the origin offset (model mm) they are relative to.
  CEntyListDlg(std::vector<ListItem> items, ModelPoint origin);

  const std::vector<ListItem>& items() const { return items_; }
  std::size_t count() const { return items_.size(); }
  // The text of a list cell: "№" (row + 1), the kind word, then the values ①..⑤ as trimmed
  // "%f" texts; a full circle shows its centre and radius only, other cells are empty.
  std::string CellText(std::size_t row, int column) const;

  int page() const { return page_; }
  // The tab control: the fields are relabelled, their texts kept.
  void SetPage(int page);
  // The caption of a field on the current page; empty for a hidden field.
  std::string_view FieldCaption(int field) const;
  bool FieldShown(int field) const { return !FieldCaption(field).empty(); }

  const std::string& fieldText(int field) const { return fields_[Index(field)]; }
  void SetFieldText(int field, std::string_view text) { fields_[Index(field)] = text; }
  // The field the focus goes to after a refused entry (0..4).
  int focusField() const { return focusField_; }

  // The row last selected, -1 when none.
  long selected() const { return selected_; }
  // Selecting a row: its page comes up and its values fill the fields (a circle's angles only
  // when greater than 0.001, else the angle field is left empty).
  void Select(std::size_t row);

  // "追　加": checks the fields of the current page (the first fault is told and focusField()
  // names its field) and appends an item of the page's kind, an empty angle being 0; the fields
  // are emptied. True when added.
  bool OnAdd(UserInterface& ui);
  // "変　更": the same check, then the selected item takes the entered values as an item of the
  // current page's kind (a circle's empty angle leaves that angle as it was). True when changed.
  bool OnChange(UserInterface& ui);
  // "削　除": removes the selected item; the selection goes and fields ①..④ are emptied. True
  // when an item went.
  bool OnDelete();
  // "クリア": empties the five fields.
  void OnClear();
  // "データ反映": true when every item can go into the drawing; otherwise the first item that
  // would leave the coordinate range is told by its row, selected, and the dialog stays open.
  bool OnApply(UserInterface& ui);
  // "クォンタイズ" after its dialog's "実　行": every coordinate, radius and (for arcs that are
  // not full circles) angle rounded to `places` decimals.
  void Quantize(int places, DecimalRounding mode);
  // "CSV書出し" to the file chosen: false after the user was told of a failure.
  bool ExportCsv(UserInterface& ui, const std::string& path) const;
  // "CSV読込み" from the file chosen: the rows are appended (a refused file is told and appends
  // none). Returns the number appended.
  std::size_t ImportCsv(UserInterface& ui, const std::string& path);

 private:
  static std::size_t Index(int field) { return static_cast<std::size_t>(field < 0 ? 0 : field > 4 ? 4 : field); }
  // The values of the current page's fields into `values`; false after a message. `entered`
  // tells which optional fields (the angles) held text.
  bool ReadFields(UserInterface& ui, std::array<double, 5>& values, std::array<bool, 5>& entered);
  void ClearFields(int count);

  std::vector<ListItem> items_;
  ModelPoint origin_;
  int page_ = kLinePage;
  long selected_ = -1;
  std::array<std::string, kFieldCount> fields_;
  int focusField_ = 0;
};

// The page an item shows on.
int PageOfItem(ListItemKind kind);

}  // namespace plenwick
