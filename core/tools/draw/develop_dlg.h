// CDevelopDlg, the dialog "展開図" of the development tool: seven number fields, labelled or
// hidden per body, checked in order on "実　行", and remembered in the profile section "Develop"
// (keys "Edit01" to "Edit07"). The Qt window only shows it.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "tools/draw/develop_geometry.h"

namespace plenwick {

class ToolUi;

class CDevelopDlg {
 public:
  static constexpr std::string_view kCaption = "展開図";
  static constexpr std::string_view kOk = "実\u3000行";
  static constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kConeHeightsMessage = "高さ２が高さ１より高いです。";
  static constexpr std::string_view kCornerRadiusMessage = "半径の値に誤りがあります。、（長さ/２より大きいです）";
  static constexpr std::string_view kProfileSection = "Develop";
  static constexpr int kFieldCount = 7;
  static constexpr std::size_t kMaxChars = 40;  // each edit holds at most this many characters
  // Most pieces of a full turn: more would only add elements no one can tell apart.
  static constexpr int kMaxDivisions = 3600;

  // The dialog of sub-mode `body` (0 cylinder, 1 square prism, 2 cone; others the cylinder),
  // with the texts typed last time read from the profile.
  CDevelopDlg(int body, ToolUi& ui);

  DevelopBody body() const { return input_.body; }
  // The label of field `field` (0 for ①), empty for a field the body does not use (hidden with
  // its label).
  std::string_view label(int field) const;
  // The text a field shows when the dialog opens (UTF-8).
  const std::string& initialText(int field) const { return initial_[static_cast<std::size_t>(field)]; }
  // The profile key of a field: "Edit01" for ①.
  static std::string ProfileKey(int field);

  // "実　行" with the texts of the seven fields (UTF-8; hidden ones are not read): true when the
  // dialog closes (input() holds the values). Each field that passes is written to the profile;
  // otherwise focusField() names the field the focus goes back to, after the message where the
  // fault is between fields.
  bool OnExecute(std::span<const std::string> texts, ToolUi& ui);
  int focusField() const { return focusField_; }
  const DevelopInput& input() const { return input_; }

 private:
  std::array<std::string, kFieldCount> initial_;
  DevelopInput input_;
  int focusField_ = 0;
};

}  // namespace plenwick
