// The text and leader-text attribute dialogs.
#include "tools/edit/change_text_dlg.h"

#include "platform/sjis.h"
#include "tools/draw/text_layout.h"
#include "tools/draw/text_tool.h"

namespace plenwick {

namespace {

constexpr std::string_view kFontCaption = "フォント";

// The string's edit: as long as the text tool's box, the rest cut at a character boundary.
AttributeField StringField() {
  return {"文字列", FieldKind::kText, CTextTool::kMaxTextBytes, CTextTool::kMaxTextBytes};
}

double ValueOr0(const DrawEntity& e, int i) { return i < e.valueCount ? e.values[static_cast<std::size_t>(i)] : 0.0; }

}  // namespace

CChangeTextDlg::CChangeTextDlg(const DrawEntity& text, double originX, double originY, std::vector<std::string> fonts)
    : AttributeDialogModel(text, originX, originY,
                           {StringField(),
                            {"文字高さ", FieldKind::kLength},
                            {"文字幅", FieldKind::kLength},
                            {"角度", FieldKind::kAngle},
                            {"Ｘ座標", FieldKind::kX},
                            {"Ｙ座標", FieldKind::kY}},
                           {0, ValueOr0(text, 2), ValueOr0(text, 3), ValueOr0(text, 4), ValueOr0(text, 0),
                            ValueOr0(text, 1)}) {
  SetInitialText(kString, SjisToUtf8(text.text.view()));
  AddFontChoice(kFontCaption, std::move(fonts), text.font.view());
}

RecordGeometry CChangeTextDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  return {kText, record().subKind, {v[kX], v[kY], v[kHeight], v[kWidth], v[kAngle]}, {10, 20, 30, 40, 50}};
}

RecordStrings CChangeTextDlg::Strings(const std::vector<std::string>& words) const {
  return {words[kString], ChangedFace()};
}

CChangeLineTextDlg::CChangeLineTextDlg(const DrawEntity& text, std::vector<std::string> fonts)
    : AttributeDialogModel(text, 0, 0,
                           {StringField(),
                            {"文字高さ", FieldKind::kLength},
                            {"文字幅", FieldKind::kLength},
                            {"角度", FieldKind::kAngle}},
                           {0, ValueOr0(text, 2), ValueOr0(text, 3), ValueOr0(text, 4)}) {
  SetInitialText(kString, SjisToUtf8(text.text.view()));
  AddFontChoice(kFontCaption, std::move(fonts), text.font.view());
  AddChoice({" 引き出し線形状 ", {"任意直線", "文字補助線付き", "文字下線付き"}}, text.subKind / 10);
  AddChoice({" 矢頭形状 ", ArrowheadLabels(), true}, text.subKind % 10);
}

RecordGeometry CChangeLineTextDlg::Build(const std::vector<double>& v, const std::vector<std::string>& words) const {
  static constexpr int16_t kCodes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
  const DrawEntity& old = record();
  // A record too short for its leader keeps the leader at its string.
  const bool hasLeader = old.valueCount >= 9;
  const ModelPoint start = hasLeader ? ModelPoint{old.values[5], old.values[6]} : ModelPoint{ValueOr0(old, 0), ValueOr0(old, 1)};
  const ModelPoint bend = hasLeader ? ModelPoint{old.values[7], old.values[8]} : start;
  const int shape = choice(kShapeChoice);
  const LeaderTextPlace place = PlaceLeaderText(start, bend, shape, v[kHeight], words[kString]);
  std::vector<double> values = {place.text.x, place.text.y, v[kHeight], v[kWidth], v[kAngle],
                                start.x,      start.y,      bend.x,     bend.y};
  if (place.end) values.insert(values.end(), {place.end->x, place.end->y});
  std::vector<int16_t> codes(kCodes, kCodes + values.size());
  return {kLeaderText, static_cast<int16_t>(choice(kArrowChoice) + 10 * shape), std::move(values), std::move(codes)};
}

RecordStrings CChangeLineTextDlg::Strings(const std::vector<std::string>& words) const {
  return {words[kString], ChangedFace()};
}

}  // namespace plenwick
