// CChangePointDlg, the attribute dialog of points ("点作図属性変更"): the position relative to the
// origin offset and the point's shape.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangePointDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "点作図属性変更";
  static constexpr int kShapeChoice = 0;  // " 点形状・サイズ ": the point's variant 0..2

  CChangePointDlg(const DrawEntity& point, double originX, double originY);
  std::string_view caption() const override { return kCaption; }

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>&) const override;
};

}  // namespace plenwick
