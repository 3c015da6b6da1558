// Running the settings dialog and applying what it changed.
#include "tools/settings/edit_initial_settings.h"

#include "model/parameter_fields.h"
#include "model/parameter_file.h"
#include "model/plenwick_doc.h"
#include "platform/folders.h"
#include "tools/settings/initial_set_dlg.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

bool EditInitialSettings(ToolUi& ui, ProgramSettings& settings, const std::string& programFolder,
                         std::span<CPlenwickDoc* const> documents, const ParameterBlock& fallback) {
  const std::string path = ParameterFilePath(programFolder);
  ParameterBlock before = fallback;
  ReadParameterFile(path, before);  // leaves the fallback when the file cannot be read
  CInitialSetDlg dialog(before, ui.FontFamilies(), DefaultPartsFolder());
  if (!ui.RunInitialSettings(dialog)) return false;
  const ParameterBlock& after = dialog.copy();
  if (!WriteParameterFile(path, after)) {
    ui.ShowMessage(kParameterFileNotWritten);
    return false;
  }
  constexpr int kGridColour = 1;
  constexpr int kOutputRangeColour = 7;
  for (CPlenwickDoc* doc : documents) {
    doc->params = after;
    for (const int i : {kGridColour, kOutputRangeColour}) {
      doc->drawingValues.setDisplayColour(i, after.I32(ParameterBlock::kDisplayColours + 4 * static_cast<std::size_t>(i)));
    }
  }
  // Every changed field, not only those the views use: a document closing later writes the
  // settings back into the file, and a field left out would return to its old value.
  if (settings.filled) {
    ParameterBlock current;
    settings.WriteTo(current);
    TakeChangedFields(before, after, current);
    settings.FillFrom(current);
  }
  return true;
}

}  // namespace plenwick
