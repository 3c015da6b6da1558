// CChangeTextDlg, the attribute dialog of texts ("文字列作図属性変更"): the string, its font, size,
// angle and position; and CChangeLineTextDlg of leader texts ("指示線付き文字作図属性変更"): the
// string, font, size, angle, leader shape and arrowhead, the string placed anew from the leader
// as the text tool places it.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeTextDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "文字列作図属性変更";
  static constexpr int kFontChoice = 0;  // the faces of FontChoice
  enum Field : int { kString = 0, kHeight = 1, kWidth = 2, kAngle = 3, kX = 4, kY = 5 };

  // `fonts`: the installed faces (UTF-8).
  CChangeTextDlg(const DrawEntity& text, double originX, double originY, std::vector<std::string> fonts);
  std::string_view caption() const override { return kCaption; }

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>& words) const override;
  RecordStrings Strings(const std::vector<std::string>& words) const override;
};

class CChangeLineTextDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "指示線付き文字作図属性変更";
  static constexpr int kFontChoice = 0;
  static constexpr int kShapeChoice = 1;  // " 引き出し線形状 ": the leader style 0..2
  static constexpr int kArrowChoice = 2;  // " 矢頭形状 ": the arrowhead 0..3
  enum Field : int { kString = 0, kHeight = 1, kWidth = 2, kAngle = 3 };

  CChangeLineTextDlg(const DrawEntity& text, std::vector<std::string> fonts);
  std::string_view caption() const override { return kCaption; }

 private:
  // The leader keeps its start and bend; the string and a shoulder or underline end are placed
  // from them for the new string, height and shape.
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>& words) const override;
  RecordStrings Strings(const std::vector<std::string>& words) const override;
};

// The arrowheads of leader texts and dimensions (" 矢頭形状 "), by type 0..3.
inline const std::vector<std::string>& ArrowheadLabels() {
  static const std::vector<std::string> labels = {"な   し", "黒   丸", "片矢印", "矢   印"};
  return labels;
}

}  // namespace plenwick
