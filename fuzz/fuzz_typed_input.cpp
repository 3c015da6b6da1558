// Fuzzes what the user types into the tool framework: the numeric input's arithmetic, the
// operation bars' edits and the prompt box. Any text must be taken or refused without fault; a
// taken value is finite and a refused bar edit leaves the setting as it was.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "model/program_settings.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/operation_bars.h"
#include "view/tool_framework/prompt_box.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const auto result = EvaluateNumericInput(LimitNumericInputText(text));
  if (const double* value = std::get_if<double>(&result); value && !std::isfinite(*value)) std::abort();

  COperateMsgBox box;
  box.Set(1, text);
  if (box.sjis().size() > COperateMsgBox::kMaxBytes) std::abort();

  ProgramSettings settings;
  settings.PolyVertexCount = 5;
  settings.PolyValuesOn = 1;
  InteractionState state;
  SilentUserInterface ui;
  const auto bar = MakeOperationBar(kOpePolyBox, {settings, state, ui, nullptr, nullptr});
  bar->EditChanged(1072, text);
  bar->EditChanged(1074, text);
  bar->EditFinished(1072);
  bar->EditFinished(1074);
  bar->WriteBack();
  if (settings.PolyVertexCount < 3 || settings.PolyVertexCount > 24) std::abort();
  if (!(settings.PolyAngle >= -360 && settings.PolyAngle <= 360)) std::abort();
  return 0;
}
