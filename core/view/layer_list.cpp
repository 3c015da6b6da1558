// Layer list rows, edits and the update that carries them to the drawing and its view.
#include "view/layer_list.h"

#include <algorithm>
#include <cstdio>

#include "model/fixed_text.h"
#include "model/program_settings.h"
#include "platform/sjis.h"
#include "view/plenwick_view.h"

namespace plenwick {

namespace {

bool InUse(const ProgramLayers& layers, int row) { return row >= 0 && row < layers.Count(); }

void MakeCurrent(ProgramLayers& layers, int layer) {
  layers.table.currentLayer = static_cast<int16_t>(layer);
  CurrentSettings().CurrentLayer = static_cast<int16_t>(layer);
}

}  // namespace

int ProgramLayers::Count() const { return std::clamp<int>(table.layerCount, 0, LayerTable::kLayers); }

std::string LayerRowText(const LayerTable& table, int layer) {
  if (layer < 0 || layer >= LayerTable::kLayers) return {};
  const char* prefix;
  switch (table.states[static_cast<std::size_t>(layer)]) {
    case kLayerNormal: prefix = " ■ "; break;
    case kLayerOffColour: prefix = " □ "; break;
    default: prefix = " ＿ "; break;
  }
  return prefix + SjisToUtf8(table.name(layer));
}

std::vector<std::string> LayerRows(const LayerTable& table) {
  std::vector<std::string> rows;
  const int count = std::clamp<int>(table.layerCount, 0, LayerTable::kLayers);
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) rows.push_back(LayerRowText(table, i));
  return rows;
}

uint8_t NextLayerState(uint8_t state) {
  switch (state) {
    case kLayerNormal: return kLayerOffColour;
    case kLayerOffColour: return kLayerHidden;
    default: return kLayerNormal;
  }
}

void TakeLayers(ProgramLayers& layers, const LayerTable& fromDrawing) {
  layers.table = fromDrawing;
  layers.table.layerCount = static_cast<int16_t>(layers.Count());
  const int current = std::clamp<int>(fromDrawing.currentLayer, 0, LayerTable::kLayers - 1);
  MakeCurrent(layers, current);
  layers.redrawFlag = 0;
}

bool SelectLayerRow(ProgramLayers& layers, int row) {
  if (!InUse(layers, row) || row == layers.table.currentLayer) return false;
  MakeCurrent(layers, row);
  layers.redrawFlag = 1;
  return true;
}

bool CycleLayerRow(ProgramLayers& layers, int row) {
  if (!InUse(layers, row)) return false;
  uint8_t& state = layers.table.states[static_cast<std::size_t>(row)];
  state = NextLayerState(state);
  layers.redrawFlag = 1;
  return true;
}

void SetAllLayerStates(ProgramLayers& layers, uint8_t state) {
  for (int i = 0; i < layers.Count(); ++i) layers.table.states[static_cast<std::size_t>(i)] = state;
  layers.redrawFlag = 1;
}

void SetCurrentLayerState(ProgramLayers& layers, uint8_t state) {
  const int current = layers.table.currentLayer;
  if (current < 0 || current >= LayerTable::kLayers) return;
  layers.table.states[static_cast<std::size_t>(current)] = state;
  layers.redrawFlag = 1;
}

std::string ProposedLayerName(const ProgramLayers& layers) {
  char name[24];
  std::snprintf(name, sizeof name, "Layer%02d", layers.Count() + 1);
  return name;
}

std::string_view CheckLayerName(std::string_view nameSjis) {
  return nameSjis.empty() ? kEmptyLayerNameMessage : std::string_view();
}

int AddLayer(ProgramLayers& layers, std::string_view nameSjis) {
  const int index = layers.Count();
  if (index >= LayerTable::kLayers) return -1;
  layers.table.layerCount = static_cast<int16_t>(index + 1);
  layers.table.states[static_cast<std::size_t>(index)] = kLayerOffColour;
  layers.table.setName(index, SjisPrefix(nameSjis, kLayerNameMaxBytes));
  MakeCurrent(layers, index);
  return index;
}

void RenameCurrentLayer(ProgramLayers& layers, std::string_view nameSjis) {
  const int current = layers.table.currentLayer;
  if (current < 0 || current >= LayerTable::kLayers) return;
  layers.table.setName(current, SjisPrefix(nameSjis, kLayerNameMaxBytes));
}

bool ApplyLayerUpdate(ProgramLayers& layers, LayerTable& drawing, CPlenwickView& view) {
  drawing.layerCount = layers.table.layerCount;
  drawing.currentLayer = layers.table.currentLayer;
  drawing.states = layers.table.states;
  drawing.names = layers.table.names;
  view.SetCurrentLayer(layers.table.currentLayer);
  for (int i = 0; i < LayerTable::kLayers; ++i) view.SetLayerState(i, layers.table.states[static_cast<std::size_t>(i)]);
  view.layerNames = layers.table.names;
  const bool redraw = layers.redrawFlag == 1;
  layers.redrawFlag = 0;
  return redraw;
}

}  // namespace plenwick
