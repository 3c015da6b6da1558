// The layer list's logic without a window: the program-wide layer values it edits, its row
// texts, the state cycle, the add and rename rules, and how command 108 ("レイヤーの更新")
// carries the values to a drawing and its view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/layer_table.h"

namespace plenwick {

class CPlenwickView;

inline constexpr std::string_view kEmptyLayerNameMessage = "レイヤー名が入力されていません！";
// Told when all 128 layers are in use: there is no slot for another.
inline constexpr std::string_view kNoMoreLayersMessage = "これ以上レイヤーを追加できません。";
inline constexpr std::string_view kAddLayerCaption = "レイヤーの追加";
inline constexpr std::string_view kRenameLayerCaption = "レイヤープロパティの変更";
// A layer name holds at most this many Shift-JIS bytes.
inline constexpr std::size_t kLayerNameMaxBytes = LayerTable::kNameWidth - 1;

// The application's copy of the active drawing's layers, edited by the layer list.
struct ProgramLayers {
  LayerTable table;
  int16_t redrawFlag = 0;  // 1 when a change needs the view repainted

  // Layers in use, kept within the table (a file may claim more).
  int Count() const;
};

// The row of a layer: " ■ " (normal), " □ " (off-colour) or " ＿ " (hidden, and any other
// state) followed by its name. UTF-8.
std::string LayerRowText(const LayerTable& table, int layer);
// One row per layer in use.
std::vector<std::string> LayerRows(const LayerTable& table);

// The state a double click gives: normal -> off-colour -> hidden -> normal.
uint8_t NextLayerState(uint8_t state);

// Takes the values of a drawing (its view's first show, or its window becoming active).
void TakeLayers(ProgramLayers& layers, const LayerTable& fromDrawing);

// A row chosen in the list: that layer becomes current and the view must repaint. False when
// the row is no layer in use or already current.
bool SelectLayerRow(ProgramLayers& layers, int row);
// A double click: the row's state moves on by one. False for a row that is no layer in use.
bool CycleLayerRow(ProgramLayers& layers, int row);
// The three buttons: every layer in use takes the state; the view must repaint.
void SetAllLayerStates(ProgramLayers& layers, uint8_t state);
// Commands 32776, 32778, 32780: the current layer takes the state.
void SetCurrentLayerState(ProgramLayers& layers, uint8_t state);

// What the add dialog proposes: "Layer%02d" with the number of layers in use + 1.
std::string ProposedLayerName(const ProgramLayers& layers);
// An empty name is refused with kEmptyLayerNameMessage; otherwise empty.
std::string_view CheckLayerName(std::string_view nameSjis);
// Adds a layer after the ones in use, off-colour, named `nameSjis` (cut to 40 bytes at a
// character boundary), and makes it current. Returns its index, or -1 when all are in use.
int AddLayer(ProgramLayers& layers, std::string_view nameSjis);
// Renames the current layer.
void RenameCurrentLayer(ProgramLayers& layers, std::string_view nameSjis);

// Command 108: the drawing takes the layer count, the current layer, the states and the names;
// the view takes the current layer and the states. Returns whether the view must be repainted
// (the redraw flag was set); the flag is cleared.
bool ApplyLayerUpdate(ProgramLayers& layers, LayerTable& drawing, CPlenwickView& view);

}  // namespace plenwick
