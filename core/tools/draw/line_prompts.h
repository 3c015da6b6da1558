// The prompts and notes of the line tools (the first prompt of each mode comes from the command
// table).
#pragma once

#include <string_view>

namespace plenwick::line_prompts {

inline constexpr std::string_view kEndWithInput = "終端を指示して下さい。[マウス右：数値入力／中止]";
inline constexpr std::string_view kEndCancelOnly = "終端を指示して下さい。[マウス右：中止]";
inline constexpr std::string_view kPerpendicularFoot = "垂線の作図位置をクリックしてください。[マウス右：数値入力／中止]";
inline constexpr std::string_view kPerpendicularStart = "垂線始点位置をクリックしてください。[マウス右：数値入力／中止]";
inline constexpr std::string_view kPerpendicularEnd = "垂線終点位置をクリックしてください。[マウス右：数値入力／中止]";
inline constexpr std::string_view kParallelPlace = "作図位置をクリックしてください。";
inline constexpr std::string_view kParallelSide = "作図方向を指示して下さい。";
inline constexpr std::string_view kCentreSecond = "対象とする次の線分を選んでください。";
inline constexpr std::string_view kCentreStart = "中心線の始点位置を指定してください。";
inline constexpr std::string_view kCentreEnd = "中心線の終点位置を指定してください。";
inline constexpr std::string_view kTangentNotCircle = "１番目は、円を選択してください。";
inline constexpr std::string_view kTangentSecond = "接線の終端、円、他の図形、任意場所をクリックしてください。";
inline constexpr std::string_view kAngleMoveNotLine = "【注意】＊＊＊直線を選んでください＊＊＊";
inline constexpr std::string_view kAngleMoveUndecided = "ERROR_GMTD07 プログラムエラー";
inline constexpr std::string_view kAngleMoveDone = "角度移動する直線の始点側をクリックしてください。";

}  // namespace plenwick::line_prompts
