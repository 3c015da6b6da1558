// The main frame's "初期値設定" command.
#pragma once

namespace plenwick {

class CMainFrame;

// Runs the settings dialog for the program's parameter file; after it was saved every open
// drawing is redrawn with the new settings.
void RunInitialSettingsCommand(CMainFrame& frame);

}  // namespace plenwick
