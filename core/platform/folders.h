// Where the program keeps its settings and data on disk, and who is using it.
#pragma once

#include <string>

namespace plenwick {

// The folder holding "PWKPRM.DAT": $PLENWICK_HOME, else $XDG_CONFIG_HOME/plenwick, else
// $HOME/.config/plenwick. UTF-8, without a trailing slash; it may not exist yet.
std::string ProgramFolder();
// The user's data folder: $XDG_DATA_HOME/BRENTA/Plenwick, else $HOME/.local/share/BRENTA/Plenwick.
std::string DataFolder();
// The parts library folder a fresh installation uses: <data folder>/部品データ (UTF-8).
std::string DefaultPartsFolder();
// The program's state that outlives a run but is no settings (autosaved drawings):
// $XDG_STATE_HOME/plenwick, else $HOME/.local/state/plenwick.
std::string StateFolder();

// Creates a folder and any missing parents; true when it exists as a folder afterwards.
bool CreateFolders(const std::string& path);

// The user's login name (UTF-8) from the password database, else $USER, else $LOGNAME;
// empty when none is known.
std::string LoginName();

}  // namespace plenwick
