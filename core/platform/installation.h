// The start-up check of the installation: the folders the program needs exist and can be written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plenwick {

// What the program tells the user before it ends when its folders are unusable.
inline constexpr std::string_view kInstallationMessage = "インストーラーより正しくインストールしてください！";

struct InstalledFolders {
  std::string program;  // PWKPRM.DAT and the program's settings
  std::string data;     // the user's data
  std::string parts;    // the default parts library
  // Autosaved drawings; made when the first is written (and a full or read-only one only stops
  // autosave). Empty: no autosave.
  std::string autosave;
};

// True when `path` is a folder this process may create files in.
bool IsWritableFolder(const std::string& path);

// Creates the program, data and parts folders (ProgramFolder, DataFolder, DefaultPartsFolder).
// Nothing when the program or the data folder cannot be created or written; a parts folder
// that cannot be created is only a missing library and does not stop the program.
std::optional<InstalledFolders> PrepareInstallation();

}  // namespace plenwick
