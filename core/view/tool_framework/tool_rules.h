// When the view offers a context menu and the numeric input, and which dialog label the tools
// ask for: pure rules over the interaction state and the line tool's settings.
#pragma once

#include "model/program_settings.h"
#include "view/tool_framework/interaction_state.h"

namespace plenwick {

// The context menu for a right click (ContextMenuId), 0 for none. `anySelected` tells whether
// some element carries mark 4 (the move tool needs one).
int ContextMenuFor(const InteractionState& state, const ProgramSettings& settings, bool anySelected);

// Whether Space opens the numeric input now.
bool SpaceOpensNumericInput(const InteractionState& state, const ProgramSettings& settings);

// Whether the numeric input is the line tool's two-value dialog (any-direction lines and
// polylines) rather than the single-value one.
bool UsesLineInputDialog(const InteractionState& state, const ProgramSettings& settings);

// The label kind of the single-value dialog for the active tool, mode and the step at which the
// input was asked for.
int NumericInputKindFor(int toolCode, int toolMode, int inputStep);

}  // namespace plenwick
