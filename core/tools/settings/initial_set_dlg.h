// CInitialSetDlg, the initial-value settings dialog ("初期値設定") without a window: a copy of the
// parameter block edited by ten pages of which only the current one exists. A page's values go
// into the copy when another tab is chosen or the dialog is closed with "設定保存"; a value the
// page refuses keeps that page, with the focus on the control at fault, and never reaches the copy.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_block.h"
#include "model/user_interface.h"
#include "tools/settings/init_pages.h"

namespace plenwick {

class CInitialSetDlg {
 public:
  static constexpr std::string_view kCaption = "初期値設定";
  static constexpr std::string_view kOkText = "設定保存";
  static constexpr std::string_view kCancelText = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kFactoryText = "出荷時設定";

  // `copy`: the block to edit. `fonts`: the display's font families (UTF-8). `partsFolder`: the
  // parts folder "出荷時設定" sets (UTF-8).
  CInitialSetDlg(const ParameterBlock& copy, std::vector<std::string> fonts, std::string partsFolder);

  const ParameterBlock& copy() const { return copy_; }
  int tab() const { return tab_; }
  CInitPageDlg& page() { return *page_; }
  const CInitPageDlg& page() const { return *page_; }
  // The control the focus goes to after a refusal.
  int focusControl() const { return focusControl_; }

  // "㎜" or "pt.": the size unit the text, hatching and dimension pages show; it follows the unit
  // radio of the scale page.
  std::string_view unitText() const;

  // The user changes a control of the current page (ignored for a disabled or missing control).
  void SetText(int control, std::string_view utf8);
  void Choose(int control, int choice);
  void SetColour(int control, int32_t colour);

  // Another tab: the current page's values into the copy, then the new page from the copy. False
  // when a value was refused: the message has been shown and the current page stays.
  bool SelectTab(int tab, UserInterface& ui);
  // "設定保存": the current page's values into the copy; false (message shown) when refused.
  bool OnOk(UserInterface& ui);
  // "出荷時設定": the defaults into the copy, except the window placements, the display switches,
  // the last four entries of each tolerance table; the current page shows them.
  void OnFactorySettings();

 private:
  bool TakePage(UserInterface& ui);
  InitControl* Editable(int control);

  ParameterBlock copy_;
  std::vector<std::string> fonts_;
  std::string partsFolder_;
  int tab_ = 0;
  std::unique_ptr<CInitPageDlg> page_;
  int focusControl_ = -1;
};

}  // namespace plenwick
