// Extension points of the renderer: the dimension tools draw their terminators and the hatching
// tool generates its hatch lines through them, installed with the program's start-up
// (InstallToolExtensions). Nothing is drawn while a hook is not installed.
#pragma once

#include <functional>
#include <vector>

#include "view/render_context.h"

namespace plenwick {

struct ModelSegment {
  ModelPoint a;
  ModelPoint b;
};

// Draws the terminators of one dimension (kind 50) in the given state and colour.
using DimensionTerminatorDrawer =
    std::function<void(const RenderContext& ctx, const DrawEntity& dimension, int state, ColourRef colour)>;
// What a screen can show of a hatching: only lines that cross `window` (model mm), and of a family
// less than half a pixel apart a subset of its own lines still at most a pixel apart, which
// reaches the same pixels.
struct HatchScreenView {
  ModelRect window;
  double pixelsPerModelMm = 0;
};
// Appends the hatch lines (model mm) of one hatching (kind 71): every line when `screen` is null
// (files, plotters, paper), else those the screen needs.
using HatchLineGenerator =
    std::function<void(const DrawEntity& hatch, const HatchScreenView* screen, std::vector<ModelSegment>& lines)>;

struct RenderHooks {
  DimensionTerminatorDrawer dimensionTerminators;
  HatchLineGenerator hatchLines;
};

// Installs the hooks used by every later drawing; returns the previous set.
RenderHooks InstallRenderHooks(RenderHooks hooks);
const RenderHooks& InstalledRenderHooks();

}  // namespace plenwick
