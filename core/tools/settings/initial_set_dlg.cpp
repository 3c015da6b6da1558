// The initial-value settings dialog's tabs, buttons and factory values.
#include "tools/settings/initial_set_dlg.h"

#include <algorithm>
#include <utility>

namespace plenwick {

CInitialSetDlg::CInitialSetDlg(const ParameterBlock& copy, std::vector<std::string> fonts, std::string partsFolder)
    : copy_(copy), fonts_(std::move(fonts)), partsFolder_(std::move(partsFolder)), page_(MakeInitPage(0)) {
  page_->Fill(copy_, fonts_);
}

std::string_view CInitialSetDlg::unitText() const {
  int mode = copy_.I16(ParameterBlock::kTextSizeMode);
  if (const int radio = page_->Find("sizeMode"); radio >= 0) {
    const int choice = page_->controls()[static_cast<std::size_t>(radio)].choice;
    if (choice >= 0) mode = choice;
  }
  return mode == 1 ? "pt." : "㎜";
}

InitControl* CInitialSetDlg::Editable(int control) {
  if (control < 0 || control >= static_cast<int>(page_->controls().size())) return nullptr;
  InitControl& c = page_->controls()[static_cast<std::size_t>(control)];
  return page_->IsEnabled(c) ? &c : nullptr;
}

void CInitialSetDlg::SetText(int control, std::string_view utf8) {
  if (InitControl* c = Editable(control); c && (c->kind == InitControlKind::kNumber || c->kind == InitControlKind::kText)) {
    c->text = utf8;
  }
}

void CInitialSetDlg::Choose(int control, int choice) {
  InitControl* c = Editable(control);
  if (!c) return;
  const int count = c->kind == InitControlKind::kLineTypes ? 5 : static_cast<int>(c->items.size());
  const bool choosable = c->kind == InitControlKind::kRadios || c->kind == InitControlKind::kCombo ||
                         c->kind == InitControlKind::kLineTypes || c->kind == InitControlKind::kFonts;
  if (choosable && choice >= 0 && choice < count) c->choice = choice;
}

void CInitialSetDlg::SetColour(int control, int32_t colour) {
  if (InitControl* c = Editable(control); c && c->kind == InitControlKind::kColour) c->colour = colour & 0xFFFFFF;
}

bool CInitialSetDlg::TakePage(UserInterface& ui) {
  if (const auto refused = page_->Check()) {
    focusControl_ = refused->second;
    ui.ShowMessage(refused->first);
    return false;
  }
  focusControl_ = -1;
  page_->Store(copy_);
  return true;
}

bool CInitialSetDlg::SelectTab(int tab, UserInterface& ui) {
  if (tab == tab_) return true;
  if (tab < 0 || tab >= kInitPageCount) return false;
  if (!TakePage(ui)) return false;
  tab_ = tab;
  page_ = MakeInitPage(tab);
  page_->Fill(copy_, fonts_);
  return true;
}

bool CInitialSetDlg::OnOk(UserInterface& ui) { return TakePage(ui); }

void CInitialSetDlg::OnFactorySettings() {
  using P = ParameterBlock;
  ParameterBlock factory = DefaultParameterBlock(partsFolder_);
  const auto keep = [&](std::size_t from, std::size_t to) {
    std::copy(copy_.bytes.begin() + static_cast<std::ptrdiff_t>(from), copy_.bytes.begin() + static_cast<std::ptrdiff_t>(to),
              factory.bytes.begin() + static_cast<std::ptrdiff_t>(from));
  };
  keep(P::kPaletteX, P::kLayerListHeight + 2);
  keep(P::kPaperFrameDisplay, P::kGridDisplay + 2);
  constexpr std::size_t kKeptEntries = 4;
  constexpr std::size_t kTableBytes = 8 * P::kToleranceEntries;
  keep(P::kDimTolUpper + kTableBytes - 8 * kKeptEntries, P::kDimTolUpper + kTableBytes);
  keep(P::kDimTolLower + kTableBytes - 8 * kKeptEntries, P::kDimTolLower + kTableBytes);
  copy_ = factory;
  focusControl_ = -1;
  page_->Fill(copy_, fonts_);
}

}  // namespace plenwick
