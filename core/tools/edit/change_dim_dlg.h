// CChangeDimDLg, the attribute dialog of dimensions ("寸法線作図属性変更"): arrowhead, prefix, value
// size and decimals, extension lengths, tolerance type and values, and the font of the value
// texts. The measured points stay; the drawing makes the dimension's parts anew.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeDimDLg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "寸法線作図属性変更";
  static constexpr int kArrowChoice = 0;      // " 矢頭形状 ": type 0..3 at every end
  static constexpr int kDecimalsChoice = 1;   // "寸法値少数部桁数": 0..4
  static constexpr int kToleranceChoice = 2;  // " 寸法公差タイプ ": 0 none, then the tolerance dialog's types
  static constexpr int kFontChoice = 3;       // " 寸法文字フォント "
  // Decimals beyond 4 overflow the format code's digit or print none: they are not offered.
  static constexpr int kMaxDecimals = 4;
  enum Field : int { kPrefix = 0, kTextSize = 1, kExtUpper = 2, kExtLower = 3, kTolerance1 = 4, kTolerance2 = 5 };

  // `partsFont`: the face the dimension's texts are drawn in (Shift-JIS); `fonts` the installed
  // faces (UTF-8).
  CChangeDimDLg(const DrawEntity& dimension, std::string_view partsFont, std::vector<std::string> fonts);
  std::string_view caption() const override { return kCaption; }
  bool ShowsLineType() const override { return false; }
  // A tolerance type enables the values it writes: value 1 for every type, value 2 for the
  // stacked types.
  bool FieldEnabled(int field) const override;
  std::optional<std::string> PartsFont() const override;
  // The stored tolerance type of a combo index (0 none) and back.
  static int ToleranceTypeOf(int index);
  static int IndexOfToleranceType(int type);

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>& words) const override;
};

}  // namespace plenwick
