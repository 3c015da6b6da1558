// The attribute dialogs of filled regions: CChangeHatDlg of hatchings ("ハッチング作図属性変更"),
// their spacings, angle and pattern, and CChangePaintDlg of paints ("塗りつぶし作図属性変更"),
// their fill pattern (kept in the line attribute's hundreds, where lines keep their type) and
// colour. The boundary stays as it is.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeHatDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "ハッチング作図属性変更";
  static constexpr int kPatternChoice = 0;  // " ハッチング形状 ": the hatching's variant 0..3
  enum Field : int { kSpacingY = 0, kSpacingX = 1, kAngle = 2 };

  explicit CChangeHatDlg(const DrawEntity& hatch);
  std::string_view caption() const override { return kCaption; }

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>&) const override;
};

class CChangePaintDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "塗りつぶし作図属性変更";
  static constexpr int kPatternChoice = 0;  // " 塗りつぶしパターン ": 0 solid, 1..6 hatch brushes

  explicit CChangePaintDlg(const DrawEntity& paint);
  std::string_view caption() const override { return kCaption; }
  bool ShowsLineType() const override { return false; }
  std::string_view colourCaption() const override { return " 外枠色 "; }

 private:
  RecordGeometry Build(const std::vector<double>&, const std::vector<std::string>&) const override { return GeometryOf(record()); }
  void ChoiceChanged(int group) override;
};

}  // namespace plenwick
