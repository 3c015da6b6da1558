// Guards the operation bars: each shows the current tool values, writes a changed value back,
// refuses a value outside its range with the framework's message and keeps the previous value,
// enables its controls by the tool's switches, shows the size unit of the text size mode, maps
// the tolerance list and the shared mark-size combo, and only one bar exists at a time, writing
// its values back when it goes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/sjis.h"
#include "support/recording_ui.h"
#include "view/tool_framework/operation_bar_host.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;

class OperationBars : public ::testing::Test {
 protected:
  std::unique_ptr<OperationBar> Make(int index) {
    return MakeOperationBar(index, {settings, state, ui, [this] { return fonts; }, [this](int id) { pressed.push_back(id); }});
  }
  static std::string Text(const OperationBar& bar, int id) { return bar.Find(id)->text; }
  static bool Enabled(const OperationBar& bar, int id) { return bar.Find(id)->enabled; }

  ProgramSettings settings;
  InteractionState state;
  RecordingUserInterface ui;
  std::vector<std::string> fonts;
  std::vector<int> pressed;
};

TEST_F(OperationBars, EveryBarHasItsTemplateAndDistinctControls) {
  const struct {
    int index;
    std::string_view className;
    int templateId;
    std::string_view caption;
    int someControl;
  } cases[] = {
      {1, "COpeZahyoBox", 185, " 座標指定 ", 1092},        {2, "COpeKyoriBox", 173, " 距離指定 ", 1068},
      {3, "COpeAngleBox", 159, " 角度指定 ", 1376},        {4, "OpeHabatukiBox", 169, " 幅付き線 ", 1143},
      {5, "COpeCircleBox", 163, " 円指定 ", 1043},         {6, "COpeArcBox", 161, " 円弧指定 ", 1039},
      {7, "COpeRectBox", 179, " BOX指定 ", 1081},          {8, "COpePolyBox", 177, " 多角形指定 ", 1074},
      {9, "COpeCornerBox", 165, " 角指定 ", 1049},         {10, "COpeMoveBox", 175, " 移動・複写 ", 1070},
      {11, "COpeHatBox", 171, " ハッチング ", 1445},       {12, "COpeDimBox", 167, " 寸法線 ", 1499},
      {13, "COpeTextBox", 181, " 文字列 ", 1088},          {14, "COpeTextPlusBox", 183, " 指示線文字 ", 1492},
      {15, "COpeMugenBox", 231, " 無限線指定 ", 1153},     {16, "COpeParallelBox", 232, " 平行線指定 ", 1177},
      {17, "COpeLineBox", 233, " 直線指定 ", 1169},        {18, "COpeRenzokuLineBox", 235, " 連続線指定 ", 1142},
      {19, "COpeStretchBox", 255, " ストレッチ ", 1416},   {20, "COpeKakudaiBox", 256, " 拡大・縮小 ", 1419},
      {21, "COpeOffsetBox", 257, " オフセット ", 1133},    {22, "COpePointBox", 259, " 点指定 ", 1434},
      {23, "COpePaintBox", 260, " 塗りつぶし指定 ", 1470}, {24, "COpeMoveZahyoDlg", 262, " 移動・複写 ", 1164},
      {25, "COpeSelectBox", 284, " 図形選択  ", 1498},
  };
  for (const auto& c : cases) {
    const auto bar = Make(c.index);
    ASSERT_NE(bar, nullptr) << c.index;
    EXPECT_EQ(bar->className(), c.className);
    EXPECT_EQ(bar->templateId(), c.templateId);
    EXPECT_EQ(bar->caption(), c.caption);
    EXPECT_NE(bar->Find(c.someControl), nullptr) << c.index;
    std::set<int> ids;
    for (const BarControl& control : bar->controls()) {
      if (control.id != 0) {
        EXPECT_TRUE(ids.insert(control.id).second) << c.index << ": " << control.id;
      }
    }
  }
  EXPECT_EQ(Make(0), nullptr);
  EXPECT_EQ(Make(26), nullptr);
}

TEST_F(OperationBars, ShowTheCurrentValues) {
  settings.PointOffsetX = 12.5f;
  settings.LineLength = 50;
  settings.PolyVertexCount = 6;
  settings.PointShape = 2;
  settings.BoxBasePoint = 1;
  EXPECT_EQ(Text(*Make(1), 1091), "12.5");
  EXPECT_EQ(Text(*Make(17), 1141), "50");
  EXPECT_EQ(Text(*Make(3), 1033), "50");  // one shared length
  EXPECT_EQ(Text(*Make(8), 1072), "6");
  const auto points = Make(22);
  EXPECT_FALSE(points->Find(1432)->checked);
  EXPECT_TRUE(points->Find(1434)->checked);
  EXPECT_EQ(Make(7)->Find(1081)->selected, 1);
}

TEST_F(OperationBars, RefuseValuesOutsideTheirRangeAndKeepThePreviousOne) {
  settings.PolyVertexCount = 5;
  settings.PolyValuesOn = 1;
  settings.ParallelDistanceOn = 1;
  settings.ParallelCount = 4;
  settings.LineAngleOn = 1;
  settings.InfiniteLineMode = 2;
  settings.LineLength = 10;
  const struct {
    int bar, id;
    const char* text;
    bool accepted;
    const char* message;
    const char* shown = nullptr;  // the text shown afterwards when it differs from the typed one
  } cases[] = {
      {8, 1072, "2", false, "3 から 24 までの整数を入力してください。"},
      {8, 1072, "25", false, "3 から 24 までの整数を入力してください。"},
      {8, 1072, "3.5", false, "整数を入力してください。"},
      {8, 1072, "24", true, ""},
      {8, 1074, "-360", true, ""},
      {8, 1074, "360.5", false, "-360 から 360 までの数値を入力してください。"},
      {16, 1177, "0", false, "1 から 100 までの整数を入力してください。"},
      {16, 1177, "101", false, "1 から 100 までの整数を入力してください。"},
      {16, 1177, " 100 ", true, "", "100"},
      {17, 1169, "-361", false, "-360 から 360 までの数値を入力してください。"},
      {15, 1153, "45", true, ""},
      {10, 1070, "400", false, "-360 から 360 までの数値を入力してください。"},
      {24, 1164, "-90", true, ""},
      {12, 1053, "5", false, "0 から 4 までの整数を入力してください。"},
      {17, 1141, "abc", false, "数値を入力してください。"},
      {17, 1141, "1e3", false, "数値を入力してください。"},
      {17, 1141, "1e39", false, "数値を入力してください。"},
      {17, 1141, "999999999999999999999999999999999999999999999", false, "数値を入力してください。"},  // beyond a float
      {17, 1141, "", false, "数値を入力してください。"},
  };
  for (const auto& c : cases) {
    const auto bar = Make(c.bar);
    const std::string before = Text(*bar, c.id);
    ui.messages.clear();
    ASSERT_TRUE(bar->EditChanged(c.id, c.text)) << c.bar << "/" << c.id;
    EXPECT_EQ(bar->EditFinished(c.id), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_TRUE(ui.messages.empty()) << c.text;
      EXPECT_EQ(Text(*bar, c.id), c.shown ? c.shown : c.text);
    } else {
      ASSERT_EQ(ui.messages.size(), 1u) << c.text;
      EXPECT_EQ(ui.messages[0], c.message);
      EXPECT_EQ(Text(*bar, c.id), before) << c.text;
      EXPECT_EQ(Text(*Make(c.bar), c.id), before) << c.text;  // the setting kept its value
    }
  }
  EXPECT_EQ(settings.PolyVertexCount, 24);
  EXPECT_EQ(settings.ParallelCount, 100);
  EXPECT_EQ(settings.PolyAngle, -360);
  EXPECT_EQ(settings.InfiniteLineAngle, 45);
  EXPECT_EQ(settings.MoveAngle, -90);
  EXPECT_EQ(settings.LineLength, 10);
}

TEST_F(OperationBars, WriteAValidTextAtOnceAndTakeItBackWhenTheEndIsRefused) {
  settings.PolyVertexCount = 5;
  const auto bar = Make(8);
  bar->EditChanged(1072, "1");  // not yet valid: nothing written
  EXPECT_EQ(settings.PolyVertexCount, 5);
  bar->EditChanged(1072, "12");
  EXPECT_EQ(settings.PolyVertexCount, 12);
  bar->EditChanged(1072, "120");
  EXPECT_FALSE(bar->EditFinished(1072));
  EXPECT_EQ(settings.PolyVertexCount, 5);  // the value before the typing began
  EXPECT_EQ(Text(*bar, 1072), "5");
  EXPECT_TRUE(bar->EditFinished(1072));  // nothing changed since
}

TEST_F(OperationBars, ShowValuesAToolChangedWhileTheyAreOpen) {
  settings.PointMoveDistance = 50;
  const auto bar = Make(2);
  settings.PointMoveDistance = 12.5f;  // the distance dialog of the moved-point mode
  bar->Refresh();
  EXPECT_EQ(Text(*bar, 1068), "12.5");
  bar->EditChanged(1068, "7.");  // the user's typing is not overwritten
  settings.PointMoveDistance = 3;
  bar->Refresh();
  EXPECT_EQ(Text(*bar, 1068), "7.");
}

TEST_F(OperationBars, EnableTheirControlsByTheToolSwitches) {
  const auto line = Make(17);
  EXPECT_FALSE(Enabled(*line, 1169));
  EXPECT_TRUE(Enabled(*line, 1372));
  ASSERT_TRUE(line->Click(1372));
  EXPECT_EQ(settings.LineAngleOn, 1);
  EXPECT_TRUE(Enabled(*line, 1169));
  ASSERT_TRUE(line->Click(1319));  // horizontal/vertical: no angle
  EXPECT_EQ(settings.LineHVMode, 1);
  EXPECT_FALSE(Enabled(*line, 1372));
  EXPECT_FALSE(Enabled(*line, 1169));
  EXPECT_FALSE(line->Click(1372));  // a disabled control does nothing
  EXPECT_FALSE(line->EditChanged(1169, "30"));
  EXPECT_TRUE(line->Find(1319)->checked);
  EXPECT_FALSE(line->Find(1318)->checked);

  const auto corner = Make(9);
  EXPECT_FALSE(Enabled(*corner, 1049));
  EXPECT_FALSE(Enabled(*corner, 1050));
  EXPECT_FALSE(Enabled(*corner, 1459));
  ASSERT_TRUE(corner->Click(1048));
  EXPECT_EQ(settings.CornerStyle, 2);
  EXPECT_TRUE(Enabled(*corner, 1049));
  EXPECT_TRUE(Enabled(*corner, 1050));
  ASSERT_TRUE(corner->Click(1046));
  EXPECT_EQ(settings.CornerStyle, 0);

  const struct {
    int bar, check;
    std::vector<int> governed;
  } switches[] = {
      {5, 1042, {1043}},
      {6, 1034, {1035, 1036, 1037, 1038, 1039}},
      {7, 1077, {1078, 1079, 1080, 1081}},
      {8, 1071, {1073, 1074}},
      {16, 1315, {1154, 1177}},
      {3, 1376, {1033}},
  };
  for (const auto& s : switches) {
    settings = ProgramSettings{};  // some bars share their switch
    const auto bar = Make(s.bar);
    for (const int id : s.governed) EXPECT_FALSE(Enabled(*bar, id)) << s.bar << "/" << id;
    ASSERT_TRUE(bar->Click(s.check));
    for (const int id : s.governed) EXPECT_TRUE(Enabled(*bar, id)) << s.bar << "/" << id;
    // Labels follow their control.
    for (const BarControl& c : bar->controls()) {
      if (c.enableWith) {
        EXPECT_TRUE(c.enabled) << s.bar << " " << c.caption;
      }
    }
  }
  const auto mugen = Make(15);
  EXPECT_FALSE(Enabled(*mugen, 1153));
  ASSERT_TRUE(mugen->Click(1313));
  EXPECT_TRUE(Enabled(*mugen, 1153));
}

TEST_F(OperationBars, ShowTheSizeUnitOfTheTextSizeMode) {
  for (const int mode : {0, 1}) {
    settings.TextSizeMode = static_cast<int16_t>(mode);
    const std::string unit = mode ? "pt." : "㎜";
    for (const auto& [bar, ids] : std::vector<std::pair<int, std::vector<int>>>{
             {11, {1444, 1445}}, {12, {1446, 1447, 1448}}, {13, {1442}}, {14, {1443}}}) {
      const auto b = Make(bar);
      for (const int id : ids) EXPECT_EQ(b->Find(id)->caption, unit) << bar << "/" << id;
    }
  }
}

TEST_F(OperationBars, ExchangeToleranceTypesThreeAndSevenAndShareTheMarkSizeCombo) {
  const auto dim = Make(12);
  ASSERT_TRUE(dim->SelectItem(1379, 3));  // "上下（+）（+）"
  EXPECT_EQ(settings.DimTolType, 7);
  ASSERT_TRUE(dim->SelectItem(1379, 7));  // "上下（+）（-）"
  EXPECT_EQ(settings.DimTolType, 3);
  EXPECT_EQ(dim->Find(1379)->selected, 7);
  ASSERT_TRUE(dim->SelectItem(1379, 5));
  EXPECT_EQ(settings.DimTolType, 5);

  settings.DimArrowSize = 4;
  ASSERT_TRUE(dim->SelectItem(1499, 2));  // arrow type 0: the dot size
  EXPECT_EQ(settings.DimMarkSize, 2);
  ASSERT_TRUE(dim->SelectItem(1051, 3));
  EXPECT_EQ(settings.LeaderArrow, 3);
  EXPECT_EQ(dim->Find(1499)->selected, 4);  // now the arrow size
  ASSERT_TRUE(dim->SelectItem(1499, 1));
  EXPECT_EQ(settings.DimArrowSize, 1);
  EXPECT_EQ(settings.DimMarkSize, 2);
  EXPECT_FALSE(dim->SelectItem(1499, 5));
}

TEST_F(OperationBars, TextBarsSetHeightWithWidthAndTakeTheChosenFont) {
  fonts = {"Arial", "ＭＳゴシック", "IPAGothic"};
  settings.TextFont.assign(Utf8ToSjis("ＭＳゴシック"));
  for (const auto& [index, size, font] : {std::tuple{13, 1086, 1088}, std::tuple{14, 1089, 1090}}) {
    const auto bar = Make(index);
    ASSERT_TRUE(bar->EditChanged(size, "7.5"));
    EXPECT_EQ(settings.TextHeight, 7.5f);
    EXPECT_EQ(settings.TextWidth, 7.5f);
    EXPECT_EQ(bar->Find(font)->items, fonts);
    EXPECT_EQ(bar->Find(font)->selected, 1);
    ASSERT_TRUE(bar->SelectItem(font, 2));
    EXPECT_EQ(SjisToUtf8(settings.TextFont.view()), "IPAGothic");
    settings.TextFont.assign(Utf8ToSjis("ＭＳゴシック"));
  }
  settings.TextFont.assign("Missing");
  EXPECT_EQ(Make(13)->Find(1088)->selected, 0);  // the first, without changing the font
  EXPECT_EQ(settings.TextFont.view(), "Missing");
  fonts.clear();
  EXPECT_EQ(Make(13)->Find(1088)->selected, -1);
}

TEST_F(OperationBars, CarryRadioValuesAndPressPictureButtons) {
  const auto paint = Make(23);
  ASSERT_TRUE(paint->Click(1469));
  EXPECT_EQ(state.PaintPattern, 5);
  const auto move = Make(24);
  ASSERT_TRUE(move->Click(1489));
  EXPECT_EQ(state.MovePlacementMode, 1);
  const auto hatch = Make(11);
  ASSERT_TRUE(hatch->Click(1064));
  EXPECT_EQ(settings.HatchPattern, 3);
  const auto select = Make(25);
  ASSERT_TRUE(select->Click(1495));
  ASSERT_TRUE(select->Click(1498));
  EXPECT_EQ(pressed, (std::vector<int>{1495, 1498}));
  EXPECT_FALSE(select->Click(1492));
}

TEST_F(OperationBars, OnlyOneBarExistsAndItsValuesAreWrittenBackWhenItGoes) {
  std::vector<OperationBar*> shown;
  OperationBarHost host({settings, state, ui, nullptr, nullptr}, [&](OperationBar* bar) { shown.push_back(bar); });
  host.Show(17);
  ASSERT_NE(host.current(), nullptr);
  EXPECT_EQ(host.current()->index(), 17);
  host.current()->EditChanged(1141, "12.5");
  host.current()->EditChanged(1141, "12.5x");  // typing on: not valid, not written
  host.Show(17);  // the same bar stays
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(settings.LineLength, 12.5f);
  host.current()->EditChanged(1141, "33");
  host.Show(16);  // written back without an end of editing
  EXPECT_EQ(settings.LineLength, 33);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1], nullptr);  // the old bar was let go before the new one came
  EXPECT_EQ(shown[2]->index(), 16);
  settings.ParallelDistanceOn = 1;
  host.current()->Refresh();
  host.current()->EditChanged(1177, "0");  // refused when the bar goes: the old value stays
  host.Show(0);
  EXPECT_EQ(settings.ParallelCount, 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(host.current(), nullptr);
  host.Show(99);
  EXPECT_EQ(host.current(), nullptr);
  EXPECT_EQ(host.currentIndex(), 0);
}

}  // namespace
}  // namespace plenwick
