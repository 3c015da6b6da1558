// The controls of the 25 operation bars and the tool values they carry.
#include "view/tool_framework/operation_bars.h"

#include <algorithm>
#include <memory>

#include "platform/sjis.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/font_choices.h"

namespace plenwick {

namespace {

using Number = EditBinding::Number;

EditBinding FloatEdit(float& field) {
  return {Number::kFloat, std::nullopt, std::nullopt, [&field] { return static_cast<double>(field); },
          [&field](double v) { field = static_cast<float>(v); }};
}
EditBinding AngleEdit(float& field) {
  EditBinding b = FloatEdit(field);
  b.min = -360;
  b.max = 360;
  return b;
}
// A hatching's spacing: lines no closer than a hundredth of a unit, nor further than a kilometre.
EditBinding SpacingEdit(float& field) {
  EditBinding b = FloatEdit(field);
  b.min = 0.01;
  b.max = 1e6;
  return b;
}
EditBinding IntEdit(int16_t& field, int min, int max) {
  return {Number::kInt, min, max, [&field] { return static_cast<double>(field); },
          [&field](double v) { field = static_cast<int16_t>(v); }};
}
// One size for both the height and the width of new texts.
EditBinding TextSizeEdit(ProgramSettings& s) {
  EditBinding b = FloatEdit(s.TextHeight);
  b.set = [&s](double v) { s.TextHeight = s.TextWidth = static_cast<float>(v); };
  return b;
}
FlagBinding Flag(int16_t& field) {
  return {[&field] { return field != 0; }, [&field](bool on) { field = on ? 1 : 0; }};
}
ChoiceBinding Choice(int16_t& field) {
  return {[&field] { return static_cast<int>(field); }, [&field](int v) { field = static_cast<int16_t>(v); }};
}

// The three point shapes shared by the point, coordinate and distance bars.
void AddPointShapes(OperationBar& bar, ProgramSettings& s, int firstId) {
  const ChoiceBinding shape = Choice(s.PointShape);
  bar.AddRadio(firstId, "点形状", shape, 0);
  bar.AddRadio(firstId + 1, "円形状", shape, 1);
  bar.AddRadio(firstId + 2, "矩形形状", shape, 2);
}

// The font combo: the family named like the current font is selected, else the first; a choice
// becomes the current font.
void AddFontCombo(OperationBar& bar, int id, ProgramSettings& s, const OperationBarContext& ctx) {
  std::vector<std::string> fonts;
  if (ctx.fontFamilies) fonts = ctx.fontFamilies();
  if (fonts.size() > kMaxFontChoices) fonts.resize(kMaxFontChoices);
  auto shared = std::make_shared<const std::vector<std::string>>(fonts);
  ChoiceBinding b{[&s, shared] {
                    const std::string current = SjisToUtf8(s.TextFont.view());
                    const auto it = std::find(shared->begin(), shared->end(), current);
                    return shared->empty() ? -1 : it == shared->end() ? 0 : static_cast<int>(it - shared->begin());
                  },
                  [&s, shared](int i) { s.TextFont.assign(Utf8ToSjis((*shared)[static_cast<std::size_t>(i)])); }};
  bar.AddCombo(id, fonts, std::move(b));
}

std::string_view Unit(const ProgramSettings& s) { return s.TextSizeMode == 1 ? kUnitPoint : kUnitMm; }

// The tolerance list shows stored type 7 at index 3 and stored type 3 at index 7.
int ExchangeTolerance(int v) { return v == 3 ? 7 : v == 7 ? 3 : v; }

struct BarName {
  const char* className;
  int templateId;
  const char* caption;
};
constexpr BarName kBarNames[kOperationBarCount + 1] = {
    {"", 0, ""},
    {"COpeZahyoBox", 185, " 座標指定 "},
    {"COpeKyoriBox", 173, " 距離指定 "},
    {"COpeAngleBox", 159, " 角度指定 "},
    {"OpeHabatukiBox", 169, " 幅付き線 "},
    {"COpeCircleBox", 163, " 円指定 "},
    {"COpeArcBox", 161, " 円弧指定 "},
    {"COpeRectBox", 179, " BOX指定 "},
    {"COpePolyBox", 177, " 多角形指定 "},
    {"COpeCornerBox", 165, " 角指定 "},
    {"COpeMoveBox", 175, " 移動・複写 "},
    {"COpeHatBox", 171, " ハッチング "},
    {"COpeDimBox", 167, " 寸法線 "},
    {"COpeTextBox", 181, " 文字列 "},
    {"COpeTextPlusBox", 183, " 指示線文字 "},
    {"COpeMugenBox", 231, " 無限線指定 "},
    {"COpeParallelBox", 232, " 平行線指定 "},
    {"COpeLineBox", 233, " 直線指定 "},
    {"COpeRenzokuLineBox", 235, " 連続線指定 "},
    {"COpeStretchBox", 255, " ストレッチ "},
    {"COpeKakudaiBox", 256, " 拡大・縮小 "},
    {"COpeOffsetBox", 257, " オフセット "},
    {"COpePointBox", 259, " 点指定 "},
    {"COpePaintBox", 260, " 塗りつぶし指定 "},
    {"COpeMoveZahyoDlg", 262, " 移動・複写 "},
    {"COpeSelectBox", 284, " 図形選択  "},
};

void BuildControls(OperationBar& bar, const OperationBarContext& ctx) {
  ProgramSettings& s = ctx.settings;
  switch (bar.index()) {
    case kOpeZahyoBox:
      AddPointShapes(bar, s, 1438);
      bar.AddLabel("X座標");
      bar.AddEdit(1091, FloatEdit(s.PointOffsetX));
      bar.AddLabel("Y座標");
      bar.AddEdit(1092, FloatEdit(s.PointOffsetY));
      break;
    case kOpeKyoriBox:
      AddPointShapes(bar, s, 1435);
      bar.AddLabel("距離");
      bar.AddEdit(1068, FloatEdit(s.PointMoveDistance));
      bar.AddLabel(kUnitMm);
      break;
    case kOpeAngleBox:
      bar.AddLabel("角度");
      bar.AddEdit(1032, FloatEdit(s.AngleMoveAngle));
      bar.AddEdit(1033, FloatEdit(s.LineLength));
      bar.AddCheck(1376, "長さ指定", Flag(s.AngleMoveLengthOn));
      bar.AddLabel(kUnitMm);
      bar.SetEnableRule([&s](OperationBar& b) { b.SetEnabled(1033, s.AngleMoveLengthOn != 0); });
      break;
    case kOpeHabatukiBox: {
      const ChoiceBinding mode = Choice(s.WidthLineHVMode);
      bar.AddRadio(1056, "折れ線", mode, 0);
      bar.AddRadio(1057, "水平垂直線", mode, 1);
      bar.AddLabel("左側間隔");
      bar.AddEdit(1059, FloatEdit(s.WidthLeft));
      bar.AddLabel(kUnitMm);
      bar.AddLabel("右側間隔");
      bar.AddEdit(1060, FloatEdit(s.WidthRight));
      bar.AddLabel(kUnitMm);
      bar.AddCheck(1058, "中心線", Flag(s.WidthLineKeepCentre));
      bar.AddCheck(1374, "長さ指定", Flag(s.LineLengthOn));
      bar.AddEdit(1143, FloatEdit(s.LineLength));
      bar.AddLabel(kUnitMm);
      break;
    }
    case kOpeCircleBox:
      bar.AddCheck(1042, "半径指定", Flag(s.CircleRadiusOn));
      bar.AddEdit(1043, FloatEdit(s.CircleRadius));
      bar.AddLabel(kUnitMm, 0, 1043);
      bar.SetEnableRule([&s](OperationBar& b) { b.SetEnabled(1043, s.CircleRadiusOn != 0); });
      break;
    case kOpeArcBox: {
      bar.AddCheck(1034, "半径指定", Flag(s.CircleRadiusOn));
      bar.AddEdit(1035, FloatEdit(s.CircleRadius));
      bar.AddLabel(kUnitMm, 0, 1035);
      bar.AddLabel("始角", 0, 1036);
      bar.AddEdit(1036, FloatEdit(s.ArcStartAngle));
      bar.AddLabel("終角", 0, 1037);
      bar.AddEdit(1037, FloatEdit(s.ArcEndAngle));
      const ChoiceBinding direction = Choice(s.ArcDirection);
      bar.AddRadio(1038, "時計回り", direction, 0);
      bar.AddRadio(1039, "反時計回り", direction, 1);
      bar.SetEnableRule([&s](OperationBar& b) {
        for (const int id : {1035, 1036, 1037, 1038, 1039}) b.SetEnabled(id, s.CircleRadiusOn != 0);
      });
      break;
    }
    case kOpeRectBox:
      bar.AddCheck(1077, "数値指定", Flag(s.PolyValuesOn));
      bar.AddLabel("X寸法", 0, 1078);
      bar.AddEdit(1078, FloatEdit(s.BoxWidth));
      bar.AddLabel(kUnitMm, 0, 1078);
      bar.AddLabel("Y寸法", 0, 1079);
      bar.AddEdit(1079, FloatEdit(s.BoxHeight));
      bar.AddLabel(kUnitMm, 0, 1079);
      bar.AddLabel("角度", 0, 1080);
      bar.AddEdit(1080, FloatEdit(s.PolyAngle));
      bar.AddLabel("基準点", 0, 1081);
      bar.AddCombo(1081, {" 中心基準", " 左下基準"}, Choice(s.BoxBasePoint));
      bar.SetEnableRule([&s](OperationBar& b) {
        for (const int id : {1078, 1079, 1080, 1081}) b.SetEnabled(id, s.PolyValuesOn != 0);
      });
      break;
    case kOpePolyBox:
      bar.AddLabel("頂点数");
      bar.AddEdit(1072, IntEdit(s.PolyVertexCount, 3, 24));
      bar.AddCheck(1071, "距離指定", Flag(s.PolyValuesOn));
      bar.AddEdit(1073, FloatEdit(s.PolyRadius));
      bar.AddLabel(kUnitMm, 0, 1073);
      bar.AddLabel("角度", 0, 1074);
      bar.AddEdit(1074, AngleEdit(s.PolyAngle));
      bar.SetEnableRule([&s](OperationBar& b) {
        for (const int id : {1073, 1074}) b.SetEnabled(id, s.PolyValuesOn != 0);
      });
      break;
    case kOpeCornerBox: {
      bar.AddCheck(1044, "線１トリミング", Flag(s.CornerTrimLine1));
      bar.AddCheck(1045, "線２トリミング", Flag(s.CornerTrimLine2));
      const ChoiceBinding style = Choice(s.CornerStyle);
      bar.AddRadio(1047, "面取", style, 1);
      bar.AddRadio(1048, "角丸", style, 2);
      bar.AddRadio(1046, "なし", style, 0);
      bar.AddLabel("距離", 1050, 1049);
      bar.AddEdit(1049, FloatEdit(s.CornerDistance));
      bar.AddLabel(kUnitMm, 1459, 1049);
      bar.SetEnableRule([&s](OperationBar& b) { b.SetEnabled(1049, s.CornerStyle != 0); });
      break;
    }
    case kOpeMoveBox:
      bar.AddLabel("倍率・縮尺率");
      bar.AddEdit(1069, FloatEdit(s.MoveScale));
      bar.AddLabel("%");
      bar.AddLabel("回転角度");
      bar.AddEdit(1070, AngleEdit(s.MoveAngle));
      break;
    case kOpeHatBox: {
      const ChoiceBinding pattern = Choice(s.HatchPattern);
      bar.AddRadio(1061, "縦線", pattern, 0);
      bar.AddRadio(1062, "横線", pattern, 1);
      bar.AddRadio(1063, "格子", pattern, 2);
      bar.AddRadio(1064, "レンガ", pattern, 3);
      bar.AddLabel("横間隔");
      bar.AddEdit(1065, SpacingEdit(s.HatchSpacingX));
      bar.AddLabel(Unit(s), 1444);
      bar.AddLabel("縦間隔");
      bar.AddEdit(1066, SpacingEdit(s.HatchSpacingY));
      bar.AddLabel(Unit(s), 1445);
      bar.AddLabel("角度");
      bar.AddEdit(1067, AngleEdit(s.HatchAngle));
      break;
    }
    case kOpeDimBox: {
      bar.AddLabel("寸法サイズ");
      bar.AddEdit(1052, FloatEdit(s.DimTextSize));
      bar.AddLabel(Unit(s), 1446);
      bar.AddLabel("少数桁数");
      bar.AddEdit(1053, IntEdit(s.DimDecimals, 0, 4));
      bar.AddLabel("引出線 上");
      bar.AddEdit(1054, FloatEdit(s.DimExtUpper));
      bar.AddLabel(Unit(s), 1447);
      bar.AddLabel("下");
      bar.AddEdit(1055, FloatEdit(s.DimExtLower));
      bar.AddLabel(Unit(s), 1448);
      bar.AddLabel("矢頭");
      bar.AddCombo(1051, {" な　 し", " 黒　 丸", " 片矢印", " 矢　 印"}, Choice(s.LeaderArrow));
      bar.AddLabel("公差");
      bar.AddCombo(1379,
                   {"公差なし", "±横付け", "±上付け", "上下（+）（+）", "上下（+）（0）", "上下（0）（-）", "上下（-）（-）",
                    "上下（+）（-）"},
                   {[&s] { return ExchangeTolerance(s.DimTolType); },
                    [&s](int i) { s.DimTolType = static_cast<int16_t>(ExchangeTolerance(i)); }});
      // One combo for the size of whichever end mark the arrow type uses.
      bar.AddLabel("サイズ");
      bar.AddCombo(1499, {" １", " ２", " ３", " ４", " ５"},
                   {[&s] { return static_cast<int>(s.LeaderArrow <= 1 ? s.DimMarkSize : s.DimArrowSize); },
                    [&s](int i) { (s.LeaderArrow <= 1 ? s.DimMarkSize : s.DimArrowSize) = static_cast<int16_t>(i); }});
      break;
    }
    case kOpeTextBox:
      bar.AddLabel("文字サイズ");
      bar.AddEdit(1086, TextSizeEdit(s));
      bar.AddLabel(Unit(s), 1442);
      bar.AddLabel("角度");
      bar.AddEdit(1087, FloatEdit(s.TextAngle));
      bar.AddLabel("フォント");
      AddFontCombo(bar, 1088, s, ctx);
      break;
    case kOpeTextPlusBox:
      bar.AddLabel("文字サイズ");
      bar.AddEdit(1089, TextSizeEdit(s));
      bar.AddLabel(Unit(s), 1443);
      bar.AddLabel("矢頭");
      bar.AddCombo(1491, {" な   し", " 黒   丸", " 片矢印", " 矢   印"}, Choice(s.LeaderArrow));
      bar.AddLabel("形状");
      bar.AddCombo(1492, {" 任意直線", " 補助線付き", " 下線付き"}, Choice(s.LeaderStyle));
      bar.AddLabel("フォント");
      AddFontCombo(bar, 1090, s, ctx);
      break;
    case kOpeMugenBox: {
      const ChoiceBinding mode = Choice(s.InfiniteLineMode);
      bar.AddRadio(1311, "水平線", mode, 0);
      bar.AddRadio(1312, "垂直線", mode, 1);
      bar.AddRadio(1313, "角度指定", mode, 2);
      bar.AddLabel("角度", 0, 1153);
      bar.AddEdit(1153, AngleEdit(s.InfiniteLineAngle));
      bar.SetEnableRule([&s](OperationBar& b) { b.SetEnabled(1153, s.InfiniteLineMode == 2); });
      break;
    }
    case kOpeParallelBox:
      bar.AddCheck(1315, "距離指定", Flag(s.ParallelDistanceOn));
      bar.AddEdit(1154, FloatEdit(s.ParallelDistance));
      bar.AddLabel(kUnitMm, 0, 1154);
      bar.AddLabel("連続数", 0, 1177);
      bar.AddEdit(1177, IntEdit(s.ParallelCount, 1, 100));
      bar.SetEnableRule([&s](OperationBar& b) {
        for (const int id : {1154, 1177}) b.SetEnabled(id, s.ParallelDistanceOn != 0);
      });
      break;
    case kOpeLineBox: {
      const ChoiceBinding mode = Choice(s.LineHVMode);
      bar.AddRadio(1318, "任意線", mode, 0);
      bar.AddRadio(1319, "水平垂直線", mode, 1);
      bar.AddCheck(1371, "長さ指定", Flag(s.LineLengthOn));
      bar.AddEdit(1141, FloatEdit(s.LineLength));
      bar.AddCheck(1372, "角度指定", Flag(s.LineAngleOn));
      bar.AddEdit(1169, AngleEdit(s.LineAngle));
      bar.AddLabel(kUnitMm);
      bar.SetEnableRule([&s](OperationBar& b) {
        b.SetEnabled(1372, s.LineHVMode == 0);
        b.SetEnabled(1169, s.LineAngleOn != 0 && s.LineHVMode == 0);
      });
      break;
    }
    case kOpeRenzokuLineBox: {
      const ChoiceBinding mode = Choice(s.PolylineHVMode);
      bar.AddRadio(1321, "折れ線", mode, 0);
      bar.AddRadio(1322, "水平垂直線", mode, 1);
      bar.AddCheck(1373, "長さ指定", Flag(s.LineLengthOn));
      bar.AddEdit(1142, FloatEdit(s.LineLength));
      bar.AddLabel(kUnitMm);
      break;
    }
    case kOpeStretchBox: {
      const ChoiceBinding mode = Choice(s.StretchMode);
      bar.AddRadio(1414, "全体ストレッチ", mode, 0);
      bar.AddRadio(1415, "部分ストレッチ", mode, 1);
      bar.AddRadio(1416, "部分連動ストレッチ", mode, 2);
      break;
    }
    case kOpeKakudaiBox: {
      const ChoiceBinding reference = Choice(s.ScaleReference);
      bar.AddRadio(1417, "中心基準", reference, 0);
      bar.AddRadio(1418, "左下基準", reference, 1);
      bar.AddRadio(1419, "左上基準", reference, 2);
      break;
    }
    case kOpeOffsetBox:
      bar.AddLabel("オフセット値");
      bar.AddEdit(1133, FloatEdit(s.OffsetDistance));
      bar.AddLabel(kUnitMm);
      break;
    case kOpePointBox: AddPointShapes(bar, s, 1432); break;
    case kOpePaintBox: {
      const ChoiceBinding pattern = Choice(ctx.state.PaintPattern);
      for (int i = 0; i < 7; ++i) bar.AddRadio(1464 + i, "", pattern, i, true);
      break;
    }
    case kOpeMoveZahyoDlg: {
      const ChoiceBinding placement = Choice(ctx.state.MovePlacementMode);
      bar.AddRadio(1488, "マウス指定", placement, 0);
      bar.AddRadio(1489, "座標指定", placement, 1);
      bar.AddLabel("倍率・縮尺率");
      bar.AddEdit(1135, FloatEdit(s.MoveScale));
      bar.AddLabel("%");
      bar.AddLabel("回転角度");
      bar.AddEdit(1164, AngleEdit(s.MoveAngle));
      break;
    }
    case kOpeSelectBox: {
      // Each tip names what its button does: 1493 brings the picks to the top, 1494 sends them to
      // the bottom, 1497 turns them right (−90°) and 1498 left (+90°).
      const char* const tips[] = {"前面移動", "背面移動", "左右反転", "上下反転", "右へ90°", "左へ90°"};
      for (int i = 0; i < 6; ++i) bar.AddButton(kSelectBarFirstButton + i, tips[i]);
      bar.SetButtonHandler(ctx.onButton);
      break;
    }
    default: break;
  }
}

}  // namespace

std::unique_ptr<OperationBar> MakeOperationBar(int index, const OperationBarContext& context) {
  if (index < 1 || index > kOperationBarCount) return nullptr;
  const BarName& name = kBarNames[index];
  auto bar = std::make_unique<OperationBar>(index, name.className, name.templateId, name.caption, context.ui);
  BuildControls(*bar, context);
  bar->Refresh();
  return bar;
}

}  // namespace plenwick
