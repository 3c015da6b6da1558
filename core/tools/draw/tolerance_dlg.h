// CSunpouKousaDlg, the dimension tolerance dialog ("寸法公差設定") without a window: the two
// tolerance values of each of the seven tolerance types, edited one type at a time and kept per
// type until "設　定" checks them all and hands them back, and the texts of its preview; the Qt
// window only shows it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/program_settings.h"
#include "model/user_interface.h"

namespace plenwick {

class CSunpouKousaDlg {
 public:
  static constexpr int kTypeCount = 7;
  static constexpr std::string_view kCaption = "寸法公差設定";
  static constexpr std::string_view kTypeLabel = "公差タイプ設定";
  static constexpr std::string_view kValue1Label = "公差値１";
  static constexpr std::string_view kValue2Label = "公差値２";
  static constexpr std::string_view kOkText = "設\u3000定";
  static constexpr std::string_view kCancelText = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kPreviewFont = "ＭＳゴシック";
  static constexpr std::array<std::string_view, kTypeCount> kTypeTexts = {
      " タイプ１　±横付け",      " タイプ２　±上付け",      " タイプ３　上下（+）（+）", " タイプ４　上下（+）（0）",
      " タイプ５　上下（0）（-）", " タイプ６　上下（-）（-）", " タイプ７　上下（+）（-）"};
  // Largest value taken (mm): beyond it "%f" writes texts longer than a drawing keeps.
  static constexpr double kMaxValue = 1000;

  // The stored tolerance type (1..7) of a combo index (0..6) and back: indexes 2 and 6 are the
  // types 7 and 3, the others index + 1. Out of range: type 1, index 0.
  static int TypeOfIndex(int index);
  static int IndexOfType(int type);

  // The values of `settings`, opening on its tolerance type (none: type 1).
  explicit CSunpouKousaDlg(const ProgramSettings& settings);

  int index() const { return index_; }
  int type() const { return TypeOfIndex(index_); }
  // The texts of the edits for the selected type (UTF-8), as kept.
  const std::string& text(int field) const { return texts_[Index(index_)][Field(field)]; }
  // The combo changes: the edits' texts are kept for the type shown until now.
  void SelectIndex(int index, std::string_view text1, std::string_view text2);

  // "設　定" with the edits' texts: every type's texts must be numbers from 0 to kMaxValue. True
  // when the dialog closes; otherwise the message has been shown, the offending type is selected
  // and focusField() names the edit the focus goes back to.
  bool OnSet(std::string_view text1, std::string_view text2, UserInterface& ui);
  int focusField() const { return focusField_; }
  // After OnSet: the values of every type into DimTolUpper and DimTolLower (entry type − 1).
  void ApplyTo(ProgramSettings& settings) const;

 private:
  static std::size_t Index(int index) { return static_cast<std::size_t>(index >= 0 && index < kTypeCount ? index : 0); }
  static std::size_t Field(int field) { return field == 1 ? 1 : 0; }

  int index_ = 0;
  std::array<std::array<std::string, 2>, kTypeCount> texts_;   // by combo index
  std::array<std::array<double, 2>, kTypeCount> values_{};     // by stored type − 1
  int focusField_ = 0;
};

// One text of the dialog's preview (UTF-8). Its insertion point and height are in units of the
// value text's height, relative to the value text's insertion point, y upward.
struct PreviewText {
  std::string text;
  double x = 0;
  double y = 0;
  double height = 1;
};
// The sample value 123 with tolerance values 0.2 as a dimension of a stored tolerance type (0..7)
// writes them, each text at its place.
std::vector<PreviewText> TolerancePreviewTexts(int toleranceType);

class ToolFramework;

// Command 32868: the dialog on the current settings; after "設　定" the values become theirs.
void EditDimensionTolerances(ToolFramework& tools);

}  // namespace plenwick
