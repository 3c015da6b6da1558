// CChangeArcDlg, the attribute dialog of circles and arcs ("円作図属性変更"): circle or arc, the
// centre relative to the origin offset, the radius, and for an arc its angles and direction.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeArcDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "円作図属性変更";
  static constexpr int kShapeChoice = 0;      // " 作図種別 "
  static constexpr int kDirectionChoice = 1;  // " 回転方向 "
  enum Shape : int { kCircleShape = 0, kArcShape = 1 };
  enum Direction : int { kClockwise = 0, kCounterClockwise = 1 };
  enum Field : int { kCentreX = 0, kCentreY = 1, kRadius = 2, kStartAngle = 3, kEndAngle = 4 };

  // A circle opens with the angles 0 and 360, counter-clockwise; an arc's direction is
  // counter-clockwise only for variant 1 (anything else draws clockwise).
  CChangeArcDlg(const DrawEntity& round, double originX, double originY);
  std::string_view caption() const override { return kCaption; }
  // The angles and the direction belong to an arc.
  bool FieldEnabled(int field) const override;
  bool ChoiceEnabled(int group) const override;

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>&) const override;
};

}  // namespace plenwick
