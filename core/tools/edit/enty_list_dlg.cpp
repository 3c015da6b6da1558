// The entity list's items, fields and buttons.
#include "tools/edit/enty_list_dlg.h"

#include <cmath>
#include <optional>

#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "exchange/list_item_adding.h"
#include "model/number_text.h"

namespace plenwick {

namespace {

constexpr double kShownAngle = 0.001;  // a circle's angle goes into its field only above this
constexpr std::string_view kEmptyMessage = "の入力がありません！";
constexpr std::string_view kBadMessage = "の入力に誤りがあります。半角数字で入力してください。";

// By page: the names of the fields as messages give them (empty: hidden), and the kind added.
constexpr std::array<std::array<std::string_view, 5>, 3> kFieldNames = {{
    {"始点Ｘ座標", "始点Ｙ座標", "終点Ｘ座標", "終点Ｙ座標", ""},
    {"中心Ｘ座標", "中心Ｙ座標", "半径", "開始角度", "終了角度"},
    {"Ｘ座標", "Ｙ座標", "", "", ""},
}};
constexpr std::array<std::array<std::string_view, 5>, 3> kFieldCaptions = {{
    {"①始点Ｘ座標", "②始点Ｙ座標", "③終点Ｘ座標", "④終点Ｙ座標", ""},
    {"①中心Ｘ座標", "②中心Ｙ座標", "③半径", "④開始角度", "⑤終了角度"},
    {"①Ｘ座標", "②Ｙ座標", "", "", ""},
}};
constexpr ListItemKind kPageKinds[3] = {ListItemKind::kLine, ListItemKind::kCircle, ListItemKind::kPoint};
constexpr std::string_view kKindWords[3] = {"POINT", "LINE", "CIRCLE"};

std::size_t PageIndex(int page) { return static_cast<std::size_t>(page); }

// Only digits, "-" and "." pass the character check.
bool HasOnlyNumberCharacters(std::string_view text) {
  return text.find_first_not_of("-.0123456789") == std::string_view::npos;
}

std::string ValueText(double value) { return FormatNumberText(value, 6); }

}  // namespace

int PageOfItem(ListItemKind kind) {
  switch (kind) {
    case ListItemKind::kPoint: return CEntyListDlg::kPointPage;
    case ListItemKind::kLine: return CEntyListDlg::kLinePage;
    case ListItemKind::kCircle: return CEntyListDlg::kCirclePage;
  }
  return CEntyListDlg::kLinePage;
}

CEntyListDlg::CEntyListDlg(std::vector<ListItem> items, ModelPoint origin) : items_(std::move(items)), origin_(origin) {}

std::string CEntyListDlg::CellText(std::size_t row, int column) const {
  if (row >= items_.size() || column < 0 || column >= kColumnCount) return {};
  const ListItem& item = items_[row];
  if (column == 0) return std::to_string(row + 1);
  if (column == 1) return std::string(kKindWords[static_cast<std::size_t>(item.kind)]);
  const int value = column - 2;
  const int shown = IsFullCircleItem(item) ? 3 : ValueCountOf(item.kind);
  return value < shown ? ValueText(item.values[static_cast<std::size_t>(value)]) : std::string();
}

void CEntyListDlg::SetPage(int page) {
  if (page >= kLinePage && page <= kPointPage) page_ = page;
}

std::string_view CEntyListDlg::FieldCaption(int field) const {
  if (field < 0 || field >= kFieldCount) return {};
  return kFieldCaptions[PageIndex(page_)][Index(field)];
}

void CEntyListDlg::Select(std::size_t row) {
  if (row >= items_.size()) return;
  selected_ = static_cast<long>(row);
  const ListItem& item = items_[row];
  page_ = PageOfItem(item.kind);
  const int count = ValueCountOf(item.kind);
  for (int field = 0; field < kFieldCount; ++field) {
    const double v = item.values[Index(field)];
    const bool angle = item.kind == ListItemKind::kCircle && field >= 3;
    fields_[Index(field)] = field < count && (!angle || v > kShownAngle) ? ValueText(v) : std::string();
  }
}

bool CEntyListDlg::ReadFields(UserInterface& ui, std::array<double, 5>& values, std::array<bool, 5>& entered) {
  values = {};
  entered = {};
  const auto& names = kFieldNames[PageIndex(page_)];
  for (int field = 0; field < kFieldCount; ++field) {
    const std::string_view name = names[Index(field)];
    if (name.empty()) break;
    const std::string& text = fields_[Index(field)];
    const bool optional = page_ == kCirclePage && field >= 3;
    focusField_ = field;
    if (text.empty()) {
      if (optional) continue;
      ui.ShowMessage(std::string(name) + std::string(kEmptyMessage));
      return false;
    }
    // What passes the character check but reads as no number ("--1", "1-2", ".") is as wrong.
    const std::optional<double> value = HasOnlyNumberCharacters(text) ? ParseDecimalText(text) : std::nullopt;
    if (!value) {
      ui.ShowMessage(std::string(name) + std::string(kBadMessage));
      return false;
    }
    values[Index(field)] = *value;
    entered[Index(field)] = true;
  }
  focusField_ = 0;
  return true;
}

void CEntyListDlg::ClearFields(int count) {
  for (int field = 0; field < count; ++field) fields_[Index(field)].clear();
}

bool CEntyListDlg::OnAdd(UserInterface& ui) {
  ListItem item;
  std::array<bool, 5> entered{};
  if (!ReadFields(ui, item.values, entered)) return false;
  item.kind = kPageKinds[PageIndex(page_)];
  items_.push_back(item);
  ClearFields(kFieldCount);
  return true;
}

bool CEntyListDlg::OnChange(UserInterface& ui) {
  if (selected_ < 0 || static_cast<std::size_t>(selected_) >= items_.size()) return false;
  ListItem entered;
  std::array<bool, 5> given{};
  if (!ReadFields(ui, entered.values, given)) return false;
  entered.kind = kPageKinds[PageIndex(page_)];
  ListItem& item = items_[static_cast<std::size_t>(selected_)];
  // An angle left empty keeps the one the circle had; on another page the item takes the page's
  // kind with the values entered there.
  if (item.kind == ListItemKind::kCircle && entered.kind == ListItemKind::kCircle) {
    for (std::size_t angle = 3; angle < 5; ++angle) {
      if (!given[angle]) entered.values[angle] = item.values[angle];
    }
  }
  item = entered;
  return true;
}

bool CEntyListDlg::OnDelete() {
  if (items_.empty() || selected_ < 0 || static_cast<std::size_t>(selected_) >= items_.size()) return false;
  items_.erase(items_.begin() + selected_);
  selected_ = -1;
  ClearFields(4);
  return true;
}

void CEntyListDlg::OnClear() { ClearFields(kFieldCount); }

bool CEntyListDlg::OnApply(UserInterface& ui) {
  for (std::size_t row = 0; row < items_.size(); ++row) {
    if (!ElementOfItem(items_[row], origin_)) {
      ui.ShowMessage(OutOfRangeItemMessage(row + 1));
      Select(row);
      return false;
    }
  }
  return true;
}

void CEntyListDlg::Quantize(int places, DecimalRounding mode) {
  for (ListItem& item : items_) {
    // A full circle shows and keeps its centre and radius only.
    const int count = IsFullCircleItem(item) ? 3 : ValueCountOf(item.kind);
    for (int i = 0; i < count; ++i) {
      double& v = item.values[static_cast<std::size_t>(i)];
      v = RoundDecimal(v, places, mode);
    }
  }
}

bool CEntyListDlg::ExportCsv(UserInterface& ui, const std::string& path) const {
  return SaveItemsAsCsv(ui, path, items_) == 0;
}

std::size_t CEntyListDlg::ImportCsv(UserInterface& ui, const std::string& path) {
  return ImportCsvItems(ui, path, items_);
}

}  // namespace plenwick
