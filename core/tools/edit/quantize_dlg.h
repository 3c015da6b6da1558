// CQuantizeDlg, the entity list's rounding dialog ("クォンタイズ処理"): the number of decimal
// places (0..5), rounding or truncation, and a preview of the sample value's result.
#pragma once

#include <string>
#include <string_view>

#include "model/decimal_rounding.h"

namespace plenwick {

class CQuantizeDlg {
 public:
  static constexpr std::string_view kCaption = "クォンタイズ処理";
  static constexpr std::string_view kRound = "四捨五入";
  static constexpr std::string_view kTruncate = "切捨て";
  static constexpr std::string_view kOk = "実\u3000行";
  static constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kSample = "100.12345678";
  static constexpr int kMostPlaces = 5;

  int places() const { return places_; }
  void SetPlaces(int places) { places_ = places < 0 ? 0 : places > kMostPlaces ? kMostPlaces : places; }
  DecimalRounding mode() const { return mode_; }
  void SetMode(DecimalRounding mode) { mode_ = mode; }
  // The sample as the current choice turns it: "100.12", "100.1235", "100.12345" ...
  std::string PreviewText() const;

 private:
  int places_ = 2;
  DecimalRounding mode_ = DecimalRounding::kHalfUp;
};

}  // namespace plenwick
