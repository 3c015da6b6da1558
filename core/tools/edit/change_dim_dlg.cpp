// The dimension attribute dialog: its values read from and written to the record by code.
#include "tools/edit/change_dim_dlg.h"

#include "platform/sjis.h"
#include "tools/draw/tolerance_dlg.h"
#include "tools/edit/change_text_dlg.h"
#include "view/dimension_record.h"

namespace plenwick {

namespace {

// The tolerance values' edits take 10 characters.
constexpr std::size_t kToleranceChars = 10;

std::vector<std::string> ToleranceLabels() {
  std::vector<std::string> labels = {" 寸法公差指定なし"};
  labels.insert(labels.end(), CSunpouKousaDlg::kTypeTexts.begin(), CSunpouKousaDlg::kTypeTexts.end());
  return labels;
}

std::vector<double> Shown(const DimensionRecord& r) {
  return {0,
          r.Get(kDimCodeTextSize),
          r.Get(kDimCodeExtUpperFirst),
          r.Get(kDimCodeExtLowerFirst),
          r.Get(kDimCodeTolerance1),
          r.Get(kDimCodeTolerance2)};
}

}  // namespace

int CChangeDimDLg::ToleranceTypeOf(int index) { return index <= 0 ? 0 : CSunpouKousaDlg::TypeOfIndex(index - 1); }

int CChangeDimDLg::IndexOfToleranceType(int type) {
  return type <= 0 || type > kMaxToleranceType ? 0 : CSunpouKousaDlg::IndexOfType(type) + 1;
}

CChangeDimDLg::CChangeDimDLg(const DrawEntity& dimension, std::string_view partsFont, std::vector<std::string> fonts)
    : AttributeDialogModel(dimension, 0, 0,
                           {{"寸法頭文字", FieldKind::kText, kMaxDimensionPrefix, kMaxDimensionPrefix},
                            {"文字サイズ", FieldKind::kLength},
                            {"上引き出し線", FieldKind::kDistance},
                            {"下引き出し線", FieldKind::kDistance},
                            {"公差値１", FieldKind::kTolerance, kToleranceChars},
                            {"公差値２", FieldKind::kTolerance, kToleranceChars}},
                           Shown(DimensionRecord(dimension))) {
  const DimensionRecord r(dimension);
  SetInitialText(kPrefix, SjisToUtf8(r.Prefix()));
  const int arrow = DecimalDigit(r.Get(kDimCodeMarks), 4);
  AddChoice({" 矢頭形状 ", ArrowheadLabels(), true}, arrow);
  AddChoice({"寸法値少数部桁数", {"0", "1", "2", "3", "4"}, true}, r.Decimals());
  AddChoice({" 寸法公差タイプ ", ToleranceLabels(), true}, IndexOfToleranceType(r.ToleranceType()));
  AddFontChoice(" 寸法文字フォント ", std::move(fonts), partsFont);
}

bool CChangeDimDLg::FieldEnabled(int field) const {
  const int type = ToleranceTypeOf(choice(kToleranceChoice));
  if (field == kTolerance1) return type != 0;
  if (field == kTolerance2) return type >= 3;
  return true;
}

std::optional<std::string> CChangeDimDLg::PartsFont() const { return ChangedFace(); }

RecordGeometry CChangeDimDLg::Build(const std::vector<double>& v, const std::vector<std::string>& words) const {
  RecordGeometry g = GeometryOf(record());
  const int type = ToleranceTypeOf(choice(kToleranceChoice));
  const int arrow = choice(kArrowChoice);
  for (std::size_t i = 0; i < g.values.size() && i < g.codes.size(); ++i) {
    double& value = g.values[i];
    switch (g.codes[i]) {
      case kDimCodePacked: value = PackDimensionField(MakeDimensionPacked(type, words[kPrefix])); break;
      case kDimCodeTolerance1: value = type != 0 ? v[kTolerance1] : 0; break;
      case kDimCodeTolerance2:
        // Types 1 and 2 write no second value: the stored one stays for a later stacked type.
        if (type == 0 || type >= 3) value = type != 0 ? v[kTolerance2] : 0;
        break;
      case kDimCodeTextSize: value = v[kTextSize]; break;
      case kDimCodeFormat:
        value = 1000 * DecimalDigit(value, 3) + 100 * DecimalDigit(value, 2) + 10 * choice(kDecimalsChoice) +
                DecimalDigit(value, 0);
        break;
      case kDimCodeMarks: value = 11100 * arrow + 10 * DecimalDigit(value, 1) + DecimalDigit(value, 0); break;
      case kDimCodeExtUpperFirst:
      case kDimCodeExtUpperLast:
      case kDimCodeExtUpperInner: value = v[kExtUpper]; break;
      case kDimCodeExtLowerFirst:
      case kDimCodeExtLowerLast:
      case kDimCodeExtLowerInner: value = v[kExtLower]; break;
      default: break;
    }
  }
  return g;
}

}  // namespace plenwick
