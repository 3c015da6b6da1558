// CChangeLineDlg, the attribute dialog of lines and infinite lines ("直線作図属性変更"): the four
// ends relative to the origin offset and the " 作図種別 " radios that enable them.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeLineDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "直線作図属性変更";
  static constexpr int kShapeChoice = 0;  // " 作図種別 "
  enum Shape : int { kFree = 0, kHorizontal = 1, kVertical = 2 };
  enum Field : int { kStartX = 0, kStartY = 1, kEndX = 2, kEndY = 3 };

  // The dialog of `line` (kinds 20..23) in a drawing whose origin offset is (originX, originY)
  // (model mm): "水平線" for kind 21, showing its stored X, "垂直線" for kind 22, showing its
  // stored Y, else "自由線".
  CChangeLineDlg(const DrawEntity& line, double originX, double originY);

  std::string_view caption() const override { return kCaption; }
  // "自由線" enables all four edits, "水平線" only the start Y, "垂直線" only the start X.
  bool FieldEnabled(int field) const override;

 private:
  // A horizontal or vertical infinite line through the start, a segment, or an angled infinite
  // line through the two points when the element was one.
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>&) const override;
};

}  // namespace plenwick
