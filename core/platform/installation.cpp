// Creating and checking the program's folders at start-up.
#include "platform/installation.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/folders.h"

namespace plenwick {

bool IsWritableFolder(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::optional<InstalledFolders> PrepareInstallation() {
  InstalledFolders folders{ProgramFolder(), DataFolder(), DefaultPartsFolder(), StateFolder() + "/autosave"};
  for (const std::string* needed : {&folders.program, &folders.data}) {
    if (!CreateFolders(*needed) || !IsWritableFolder(*needed)) return std::nullopt;
  }
  CreateFolders(folders.parts);
  return folders;
}

}  // namespace plenwick
