// CPlotDlg, "プロッター出力処理" without a window: the output parameters, the scale combo's
// opening rule, the check of the corrections, and the preview's shapes. The Qt window shows it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/entity_list.h"
#include "model/user_interface.h"
#include "output/hpgl_generator.h"

namespace plenwick {

// A shape of the preview, in pixels of its area (y down).
struct PlotPreviewShape {
  enum class Kind { kLine, kCircle, kArc } kind = Kind::kLine;
  ModelPoint a;            // line start; circle and arc centre
  ModelPoint b;            // line end
  double radius = 0;
  double startAngle = 0;   // degrees, counter-clockwise as seen
  double sweep = 0;        // degrees, counter-clockwise
};

class CPlotDlg {
 public:
  static constexpr std::string_view kCaption = "プロッター出力処理";
  static constexpr std::string_view kGroup = " 出力パラメーター ";
  static constexpr std::string_view kPaperLabel = "用紙サイズ";
  static constexpr std::string_view kScaleLabel = "図面縮尺";
  static constexpr std::string_view kPaperBasedLabel = "用紙基準縮尺";
  static constexpr std::string_view kPaperBasedText = "考慮する";
  static constexpr std::string_view kCorrectionXLabel = "Ｘ方向補正値";
  static constexpr std::string_view kCorrectionYLabel = "Ｙ方向補正値";
  static constexpr std::string_view kMillimetres = "㎜";
  static constexpr std::string_view kLayersLabel = "出力レイヤー";
  static constexpr std::string_view kVisibleOnlyText = "表示要素のみ";
  static constexpr std::string_view kAllLayersText = "すべてを出力";
  static constexpr std::string_view kShowText = "現設定値で表示";
  static constexpr std::string_view kOutputText = "プロッター出力";
  static constexpr std::string_view kCloseText = "閉\u3000じ\u3000る";
  static constexpr std::string_view kCorrectionMessage = "補正値は -300 から 300 までの整数で入力してください。";
  static constexpr std::array<std::string_view, 7> kPaperItems = {"Ａ０", "Ａ１", "Ａ２", "Ａ３", "Ａ４", "Ａ５", "Ａ６"};
  static constexpr std::array<std::string_view, 7> kScaleItems = {"設定値使用", "１／１００", "１／５０", "１／３０",
                                                                   "１／２０",   "１／１０",   "１／１"};
  // The preview's area and the sheet on it, pixels.
  static constexpr int kPreviewWidth = 319, kPreviewHeight = 322;
  static constexpr int kSheetWidth = 297, kSheetHeight = 210;
  static constexpr int kSheetLeft = (kPreviewWidth - kSheetWidth) / 2;
  static constexpr int kSheetTop = (kPreviewHeight - kSheetHeight) / 2;

  // Opens on the stored parameters; the scale combo on the entry of the drawing's own scale,
  // else "設定値使用".
  CPlotDlg(const HpglOptions& stored, const HpglDrawing& drawing);

  HpglOptions& options() { return options_; }
  const HpglOptions& options() const { return options_; }
  // The edits' texts of the corrections.
  static std::string CorrectionText(int mm) { return std::to_string(mm); }

  // Takes the corrections' texts: whole numbers from −300 to 300. False when one is not: the
  // message has been shown and focusField() names the edit (0 X, 1 Y).
  bool TakeCorrections(std::string_view x, std::string_view y, UserInterface& ui);
  int focusField() const { return focusField_; }

  // Preview pixels per millimetre on the paper: the sheet stands for the chosen paper.
  static double PreviewFactor(int paperSize);
  // The lines, circles and arcs inside the drawing area that the plot takes, placed on the sheet
  // as they plot at the scale, the paper factor and the corrections.
  std::vector<PlotPreviewShape> Preview(const EntityList& list) const;

 private:
  HpglOptions options_;
  HpglDrawing drawing_;
  int focusField_ = 0;
};

}  // namespace plenwick
