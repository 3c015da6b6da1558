// Guards the layer list's logic: row prefixes per state, the double-click cycle, selection that
// makes a layer current, the all-layer buttons, the add rules (proposed name, index, state, the
// full table) and the rename, and command 108 carrying everything to the drawing and the view.
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "platform/sjis.h"
#include "support/view_test_drawing.h"
#include "view/layer_list.h"

namespace plenwick {
namespace {

class LayerList : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    LayerTable table;
    table.SetDefaults();
    TakeLayers(layers, table);
  }
  void TearDown() override { ResetCurrentSettings(); }
  uint8_t State(int layer) const { return layers.table.states[static_cast<std::size_t>(layer)]; }

  ProgramLayers layers;
};

TEST_F(LayerList, RowsCarryTheStatePrefixAndTheName) {
  layers.table.states[0] = kLayerNormal;
  layers.table.states[1] = kLayerOffColour;
  layers.table.states[2] = kLayerHidden;
  layers.table.states[3] = 7;  // any other value is hidden
  layers.table.setName(4, Utf8ToSjis("平面図"));
  const std::vector<std::string> rows = LayerRows(layers.table);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0], " ■ Layer01");
  EXPECT_EQ(rows[1], " □ Layer02");
  EXPECT_EQ(rows[2], " ＿ Layer03");
  EXPECT_EQ(rows[3], " ＿ Layer04");
  EXPECT_EQ(rows[4], " □ 平面図");
}

TEST_F(LayerList, RowsFollowTheCountWithinTheTable) {
  // A hostile file may claim more layers than exist, or a negative count.
  for (int16_t count : {int16_t{0}, int16_t{1}, int16_t{128}, int16_t{300}, int16_t{-4}}) {
    layers.table.layerCount = count;
    EXPECT_EQ(LayerRows(layers.table).size(), static_cast<std::size_t>(std::clamp<int>(count, 0, 128))) << count;
  }
}

TEST_F(LayerList, DoubleClickCyclesNormalOffColourHidden) {
  struct Case {
    uint8_t from, to;
  } cases[] = {{kLayerNormal, kLayerOffColour}, {kLayerOffColour, kLayerHidden}, {kLayerHidden, kLayerNormal}, {9, kLayerNormal}};
  for (const Case& c : cases) {
    layers.table.states[5] = c.from;
    layers.redrawFlag = 0;
    EXPECT_TRUE(CycleLayerRow(layers, 5));
    EXPECT_EQ(State(5), c.to) << int{c.from};
    EXPECT_EQ(layers.redrawFlag, 1);
  }
  EXPECT_FALSE(CycleLayerRow(layers, 8));  // not in use
  EXPECT_FALSE(CycleLayerRow(layers, -1));
}

TEST_F(LayerList, SelectingARowMakesItCurrent) {
  EXPECT_FALSE(SelectLayerRow(layers, 0));  // already current
  EXPECT_EQ(layers.redrawFlag, 0);
  EXPECT_TRUE(SelectLayerRow(layers, 3));
  EXPECT_EQ(layers.table.currentLayer, 3);
  EXPECT_EQ(CurrentSettings().CurrentLayer, 3);
  EXPECT_EQ(layers.redrawFlag, 1);
  EXPECT_FALSE(SelectLayerRow(layers, 8));
  EXPECT_FALSE(SelectLayerRow(layers, -1));
  EXPECT_EQ(layers.table.currentLayer, 3);
}

TEST_F(LayerList, ButtonsAndCommandsSetStates) {
  SetAllLayerStates(layers, kLayerHidden);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(State(i), kLayerHidden) << i;
  EXPECT_EQ(State(8), kLayerOffColour);  // layers not in use are left alone
  EXPECT_EQ(layers.redrawFlag, 1);
  SelectLayerRow(layers, 2);
  SetCurrentLayerState(layers, kLayerNormal);
  EXPECT_EQ(State(2), kLayerNormal);
  EXPECT_EQ(State(1), kLayerHidden);
}

TEST_F(LayerList, AddingWithEightInUseProposesLayer09AndMakesIndex8Current) {
  EXPECT_EQ(ProposedLayerName(layers), "Layer09");
  EXPECT_EQ(AddLayer(layers, "Layer09"), 8);
  EXPECT_EQ(layers.table.layerCount, 9);
  EXPECT_EQ(layers.table.currentLayer, 8);
  EXPECT_EQ(State(8), kLayerOffColour);
  EXPECT_EQ(layers.table.name(8), "Layer09");
  EXPECT_EQ(layers.redrawFlag, 0);  // adding needs no repaint
  EXPECT_EQ(LayerRows(layers.table).back(), " □ Layer09");
  EXPECT_EQ(ProposedLayerName(layers), "Layer10");
}

TEST_F(LayerList, AddingRefusesOnceAllLayersAreInUse) {
  layers.table.layerCount = 127;
  EXPECT_EQ(AddLayer(layers, "last"), 127);
  EXPECT_EQ(AddLayer(layers, "one too many"), -1);
  EXPECT_EQ(layers.table.layerCount, 128);
  EXPECT_EQ(layers.table.currentLayer, 127);
}

TEST_F(LayerList, NamesAreCheckedAndCutAtACharacterBoundary) {
  EXPECT_EQ(CheckLayerName(""), kEmptyLayerNameMessage);
  EXPECT_EQ(CheckLayerName("a"), "");
  // 21 two-byte characters are 42 bytes: the name keeps 20 of them, never half a character.
  std::string longName;
  for (int i = 0; i < 21; ++i) longName += "\x82\xa0";
  RenameCurrentLayer(layers, longName);
  EXPECT_EQ(layers.table.name(0).size(), 40u);
  AddLayer(layers, "x" + longName);
  EXPECT_EQ(layers.table.name(8).size(), 39u);
}

TEST_F(LayerList, UpdateCarriesTheValuesToDrawingAndView) {
  testing::TestDrawing drawing;
  testing::RecordingViewHost host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  AddLayer(layers, "new");
  SelectLayerRow(layers, 4);
  CycleLayerRow(layers, 2);  // off-colour -> hidden
  EXPECT_TRUE(ApplyLayerUpdate(layers, drawing.layers, view));
  EXPECT_EQ(layers.redrawFlag, 0);
  EXPECT_EQ(drawing.layers.layerCount, 9);
  EXPECT_EQ(drawing.layers.currentLayer, 4);
  EXPECT_EQ(drawing.layers.states[2], kLayerHidden);
  EXPECT_EQ(drawing.layers.name(8), "new");
  EXPECT_EQ(view.layers().currentLayer, 4);
  EXPECT_EQ(view.layers().StateOf(2), kLayerHidden);
  // Without the flag the view is left as it is painted.
  AddLayer(layers, "another");
  EXPECT_FALSE(ApplyLayerUpdate(layers, drawing.layers, view));
  EXPECT_EQ(drawing.layers.currentLayer, 9);
}

TEST_F(LayerList, TakingADrawingsLayersKeepsTheCurrentLayerInRange) {
  LayerTable table;
  table.SetDefaults();
  table.currentLayer = 500;
  TakeLayers(layers, table);
  EXPECT_EQ(layers.table.currentLayer, 127);
  EXPECT_EQ(CurrentSettings().CurrentLayer, 127);
}

}  // namespace
}  // namespace plenwick
