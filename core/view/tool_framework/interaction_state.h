// The interaction state the views and the tools share, one per application: the active tool and
// its mode, the palette's choice, the step of the running operation and the flags and values
// that pass between the view, its dialogs and the tools.
#pragma once

#include <array>
#include <cstdint>

#include "view/tool_framework/tool_codes.h"

namespace plenwick {

struct InteractionState {
  int CurrentToolCode = kSelectToolCode;  // the active tool
  int ToolMode = 0;                       // its sub-mode (the row chosen in its palette family)
  int16_t paletteFamily = 0;              // last family and mode chosen by a command or the palette
  int16_t paletteMode = 0;
  std::array<int, kPaletteFamilyCount> rememberedMode{};  // per family: the mode last chosen there
  int InputStep = 0;       // step of the running operation; 0 = nothing entered yet
  int16_t RubberDrawn = 0; // 1 while a tool's exclusive-or feedback is on screen
  int16_t pending = 0;     // 1 while elements carry the temporary selection marks 3 or 4
  int16_t textBoxOpen = 0; // 1 while the text tool's inline edit box is shown
  int16_t phaseFlag = 0;   // set by the line and circle tools during an operation
  int16_t lineReferenceFlag = 0;  // set by the line tool while its picked reference is an infinite line

  // Numeric input: set by the view after its dialog returned a value, read by the tool's
  // OnLButtonUp (the view clears the flag again once that call has returned).
  int16_t NumericEntered = 0;
  double EnteredValue = 0;
  // The line input dialog's second value and which pair it holds (0 length and angle, 1 X and Y).
  int16_t EnteredMode = 0;
  double EnteredValue2 = 0;

  // Tool values kept for the run only (not in the parameter file).
  int16_t MovePlacementMode = 0;  // "マウス指定" 0 / "座標指定" 1
  int16_t PaintPattern = 0;       // 0..6, the fill choice of the paint bar
};

// Whether a tool is in the middle of an operation: points entered or a text being typed (feedback
// alone, such as a cursor mark, is none). Work on the whole drawing (autosave) waits for its end.
inline bool OperationUnderWay(const InteractionState& state) {
  return state.InputStep != 0 || state.textBoxOpen != 0;
}

}  // namespace plenwick
