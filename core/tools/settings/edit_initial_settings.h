// "初期値設定": the settings dialog on the parameter file's block, then the file written and the
// edited values taken by the open drawings and the program-wide settings.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/parameter_block.h"
#include "model/program_settings.h"

namespace plenwick {

class CPlenwickDoc;
class ToolUi;

inline constexpr std::string_view kParameterFileNotWritten =
    "初期値ファイル（PWKPRM.DAT）に書き込めませんでした。設定は変更されていません。";

// Shows the dialog on the block of the parameter file in `programFolder` (`fallback` when the
// file cannot be read). After "設定保存" the block is written to the file; only once it is, every
// document takes it as its params and its display colours 2 and 8, and `settings` take every
// field the dialog changed (the others keep what the run has set since). True when the
// settings changed: the caller redraws the views. A file that cannot be written is reported and
// nothing changes. Modified flags are left alone.
bool EditInitialSettings(ToolUi& ui, ProgramSettings& settings, const std::string& programFolder,
                         std::span<CPlenwickDoc* const> documents, const ParameterBlock& fallback);

}  // namespace plenwick
