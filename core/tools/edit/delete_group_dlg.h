// CDeleteGroupDlg, the state of the window-deletion dialog ("グループ削除"): which kinds a window
// deletion takes (all, or the ticked ones) and whether it deletes inside or outside the window;
// the Qt window only shows it.
#pragma once

#include <array>
#include <string_view>

namespace plenwick {

// The nine kind boxes, in the dialog's order.
enum class DeleteKindBox : int { kPoints, kLines, kCurves, kCircles, kTexts, kDimensions, kHatches, kImages, kPolygons };
inline constexpr int kDeleteKindBoxCount = 9;

// The box an element kind belongs to; false for kinds no box names (the grid, group headers).
bool DeleteKindBoxOf(int kind, DeleteKindBox* box);

// What the dialog hands back.
struct DeleteChoice {
  bool allKinds = true;                          // "全てを対象", else only the ticked kinds
  std::array<bool, kDeleteKindBoxCount> kinds{};  // ticked boxes
  bool outside = false;                          // "範囲外を削除"

  // Whether the choice deletes elements of this kind (by its box).
  bool TakesKind(int kind) const;
};

class CDeleteGroupDlg {
 public:
  static constexpr std::string_view kCaption = "グループ削除";
  static constexpr std::string_view kAllKindsText = "全てを対象";
  static constexpr std::string_view kTickedKindsText = "個別削除";
  static constexpr std::string_view kInsideText = "範囲内を削除";
  static constexpr std::string_view kOutsideText = "範囲外を削除";
  static constexpr std::string_view kOkText = "実\u3000行";
  static constexpr std::string_view kCancelText = "ｷｬﾝｾﾙ";
  static constexpr std::array<std::string_view, kDeleteKindBoxCount> kKindTexts = {
      "点", "直線", "曲線", "円", "文字", "寸法線", "ハッチ", "画像", "多角形"};
  // Control ids: the scope radios, the range radios and the first kind box (the others follow).
  static constexpr int kAllKindsId = 1093;
  static constexpr int kTickedKindsId = 1094;
  static constexpr int kInsideId = 1095;
  static constexpr int kOutsideId = 1096;
  static constexpr int kFirstKindId = 1097;

  // Choosing a scope radio: the kind boxes follow at once.
  void SetAllKinds(bool all) { choice_.allKinds = all; }
  void SetOutside(bool outside) { choice_.outside = outside; }
  // A click on a kind box; ignored while the boxes are disabled.
  void SetKind(DeleteKindBox box, bool ticked);
  bool KindsEnabled() const { return !choice_.allKinds; }
  const DeleteChoice& choice() const { return choice_; }

 private:
  DeleteChoice choice_;
};

}  // namespace plenwick
