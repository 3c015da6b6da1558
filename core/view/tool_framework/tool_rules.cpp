// Context-menu, Space and numeric-dialog rules.
#include "view/tool_framework/tool_rules.h"

#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/tool_codes.h"

namespace plenwick {

int ContextMenuFor(const InteractionState& state, const ProgramSettings& settings, bool anySelected) {
  const int code = state.CurrentToolCode, mode = state.ToolMode, step = state.InputStep;
  if (code > kTransformToolCode) return 0;
  if (code != kSelectToolCode && code != kMoveToolCode && code != kTransformToolCode && step == 0) return 0;
  switch (code) {
    case kSelectToolCode:
      if (!state.pending) return 0;
      switch (mode) {
        case 1: return kMenuGroupRegister;
        case 2: return kMenuGroupRelease;
        case 3: return kMenuPartsRegistration;
        case 4: return kMenuListEdit;
        default: return 0;
      }
    case kLineToolCode:
      if (state.lineReferenceFlag) return 0;
      if (mode == 0 || mode == 1 || mode == 3 || (mode == 4 && settings.ParallelDistanceOn) || (mode == 6 && step >= 3)) {
        return kMenuNumericInput;
      }
      return 0;
    case kCircleToolCode:
      return mode == 0 || mode == 3 || (mode == 4 && step >= 2) ? kMenuNumericInput : 0;
    case kPolyToolCode: return mode == 2 ? kMenuNumericInput : 0;
    case kMoveToolCode: return state.pending && anySelected ? kMenuEndSelection : 0;
    case kTransformToolCode:
      if (!state.pending) return 0;
      switch (mode) {
        case 0: return kMenuScale;
        case 1:
        case 2: return kMenuEndSelection;
        default: return 0;
      }
    default: return 0;
  }
}

bool SpaceOpensNumericInput(const InteractionState& state, const ProgramSettings& settings) {
  const int mode = state.ToolMode, step = state.InputStep;
  if (step == 0) return false;
  switch (state.CurrentToolCode) {
    case kLineToolCode:
      return !state.lineReferenceFlag && (mode == 0 || mode == 1 || mode == 3 ||
                                          (mode == 4 && settings.ParallelDistanceOn) || (mode == 5 && step >= 3));
    case kCircleToolCode: return mode == 0 || mode == 3 || mode == 4;
    case kPolyToolCode: return mode == 2;
    default: return false;
  }
}

bool UsesLineInputDialog(const InteractionState& state, const ProgramSettings& settings) {
  if (state.CurrentToolCode != kLineToolCode) return false;
  return (state.ToolMode == 0 && settings.LineHVMode == 0) || (state.ToolMode == 1 && settings.PolylineHVMode == 0);
}

int NumericInputKindFor(int toolCode, int toolMode, int inputStep) {
  switch (toolCode) {
    case kCircleToolCode:
      if (toolMode == 0) return 1;
      if ((toolMode == 3 || toolMode == 4) && inputStep >= 1 && inputStep <= 3) return inputStep;
      return 0;
    case kPolyToolCode:
      if (toolMode == 2 && inputStep == 1) return 1;
      if (toolMode == 2 && inputStep == 2) return 4;
      return 0;
    case kLineToolCode:
      if (toolMode == 3 && inputStep >= 1 && inputStep <= 3) return inputStep + 5;
      return 0;
    default: return 0;
  }
}

}  // namespace plenwick
