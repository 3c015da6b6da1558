// A drawing pass over a recording canvas with a simple mapping (1 pixel per mm at 1:1 unless
// changed, client 1000 x 800, model (0, 0) at the client's lower-left), and short ways to add
// elements of every kind, for renderer tests.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/entity_core.h"
#include "view/entity_renderer.h"
#include "view/recording_canvas.h"

namespace plenwick::testing {

struct RenderFixture {
  RenderFixture() {
    mapping.clientWidth = mapping.extentWidth = 1000;
    mapping.clientHeight = mapping.extentHeight = 800;
    mapping.PixelsPerMm = 1;
    mapping.scale = 1;
  }
  RenderContext Context() { return RenderContext(canvas, mapping, settings, layers); }
  void Draw(const DrawEntity& e, int state = 0) { RenderEntity(Context(), e, state); }
  // Client pixel of a model point.
  PixelPoint At(double x, double y) const { return mapping.ModelToScreen(x, y); }

  DrawEntity* Add(int16_t kind, std::vector<double> values, int16_t subKind = 0, int16_t lineAttr = 0,
                  const char* text = nullptr, std::vector<int16_t> codes = {}) {
    if (codes.empty() && KindHasCodes(kind)) codes.assign(values.size(), 0);
    DrawEntity* e = nullptr;
    AddEntity({kind, subKind, lineAttr, 0, static_cast<int16_t>(values.size())}, nullptr, list,
              codes.empty() ? nullptr : codes.data(), 0x112233, values.data(), text, &e);
    return e;
  }

  // An element built directly, without the range checks of AddEntity: what a damaged record or a
  // hostile file could still carry in its other values.
  DrawEntity& Raw(int16_t kind, std::vector<double> values, int16_t subKind = 0, int16_t lineAttr = 0,
                  const char* text = nullptr, std::vector<int16_t> codes = {}) {
    auto e = std::make_unique<DrawEntity>();
    e->kind = kind;
    e->subKind = subKind;
    e->lineAttr = lineAttr;
    e->valueCount = static_cast<int16_t>(values.size());
    e->values = std::make_unique<double[]>(values.size());
    std::copy(values.begin(), values.end(), e->values.get());
    if (codes.empty()) codes.assign(values.size(), 0);
    e->codes = std::make_unique<int16_t[]>(codes.size());
    std::copy(codes.begin(), codes.end(), e->codes.get());
    if (text) e->text.Assign(text);
    raw.push_back(std::move(e));
    return *raw.back();
  }

  EntityList list;
  std::vector<std::unique_ptr<DrawEntity>> raw;
  RecordingCanvas canvas;
  ViewMapping mapping;
  RenderSettings settings;
  LayerView layers;
};

}  // namespace plenwick::testing
