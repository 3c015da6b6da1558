// The rounding dialog's preview.
#include "tools/edit/quantize_dlg.h"

#include "model/number_text.h"

namespace plenwick {

std::string CQuantizeDlg::PreviewText() const {
  const double sample = *ParseDecimalText(kSample);
  return FormatNumberText(RoundDecimal(sample, places_, mode_), places_);
}

}  // namespace plenwick
