// The tolerance dialog's values per type, their check, their way back into the settings and the
// preview's texts.
#include "tools/draw/tolerance_dlg.h"

#include <optional>

#include "model/dimension_text.h"
#include "model/number_text.h"
#include "platform/sjis.h"
#include "view/tool_framework/operation_bar.h"
#include "view/tool_framework/tool_framework.h"

namespace plenwick {

namespace {

// "%f" without trailing zeros: the places the values are typed with.
constexpr int kValueDecimals = 6;

}  // namespace

int CSunpouKousaDlg::TypeOfIndex(int index) {
  switch (index) {
    case 2: return 7;
    case 6: return 3;
    default: return index >= 0 && index < kTypeCount ? index + 1 : 1;
  }
}

int CSunpouKousaDlg::IndexOfType(int type) {
  switch (type) {
    case 7: return 2;
    case 3: return 6;
    default: return type >= 1 && type <= kTypeCount ? type - 1 : 0;
  }
}

CSunpouKousaDlg::CSunpouKousaDlg(const ProgramSettings& settings) : index_(IndexOfType(settings.DimTolType)) {
  for (int i = 0; i < kTypeCount; ++i) {
    const auto entry = static_cast<std::size_t>(TypeOfIndex(i) - 1);
    values_[entry] = {settings.DimTolUpper[entry], settings.DimTolLower[entry]};
    for (std::size_t field = 0; field < 2; ++field) {
      texts_[Index(i)][field] = FormatNumberText(values_[entry][field], kValueDecimals);
    }
  }
}

void CSunpouKousaDlg::SelectIndex(int index, std::string_view text1, std::string_view text2) {
  texts_[Index(index_)] = {std::string(text1), std::string(text2)};
  index_ = static_cast<int>(Index(index));
}

bool CSunpouKousaDlg::OnSet(std::string_view text1, std::string_view text2, UserInterface& ui) {
  texts_[Index(index_)] = {std::string(text1), std::string(text2)};
  const EditBinding range{EditBinding::Number::kFloat, 0.0, kMaxValue, {}, {}};
  // The type shown first, so that its own mistake is the one named.
  for (int n = 0; n < kTypeCount; ++n) {
    const int i = (index_ + n) % kTypeCount;
    const auto entry = static_cast<std::size_t>(TypeOfIndex(i) - 1);
    for (std::size_t field = 0; field < 2; ++field) {
      const std::optional<double> v = ParseDecimalText(texts_[Index(i)][field]);
      // Values are magnitudes: the texts put their own signs in front.
      if (!v || !(*v >= 0 && *v <= kMaxValue)) {
        index_ = i;
        focusField_ = static_cast<int>(field);
        ui.ShowMessage(v ? BarRangeMessage(range) : std::string(kBarNeedsNumber));
        return false;
      }
      values_[entry][field] = *v;
    }
  }
  return true;
}

void CSunpouKousaDlg::ApplyTo(ProgramSettings& settings) const {
  for (std::size_t entry = 0; entry < static_cast<std::size_t>(kTypeCount); ++entry) {
    settings.DimTolUpper[entry] = values_[entry][0];
    settings.DimTolLower[entry] = values_[entry][1];
  }
}

std::vector<PreviewText> TolerancePreviewTexts(int toleranceType) {
  DimensionTextInput sample;
  sample.value = 123;
  sample.toleranceType = toleranceType;
  sample.tolerance1 = sample.tolerance2 = 0.2;
  const DimensionTexts texts = FormatDimensionTexts(sample);
  const ToleranceOffsets at = ToleranceTextOffsets(texts.value.size(), 1);
  std::vector<PreviewText> preview = {{SjisToUtf8(texts.value), 0, 0, 1}};
  if (!texts.upper.empty()) preview.push_back({SjisToUtf8(texts.upper), at.upperX, at.upperY, 0.5});
  if (!texts.lower.empty()) preview.push_back({SjisToUtf8(texts.lower), at.lowerX, at.lowerY, 0.5});
  return preview;
}

void EditDimensionTolerances(ToolFramework& tools) {
  CSunpouKousaDlg dialog(tools.settings());
  if (tools.ui().RunToleranceSettings(dialog)) dialog.ApplyTo(tools.settings());
}

}  // namespace plenwick
