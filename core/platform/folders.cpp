// Program, data and parts folders from the XDG conventions, and the login name.
#include "platform/folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plenwick {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (home.empty()) {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  }
  return WithoutTrailingSlashes(home);
}

// The XDG base folder named by `variable`; the variable counts only when it holds an absolute
// path, as the XDG rules say.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
  const std::string v = Env(variable);
  if (!v.empty() && v.front() == '/') return WithoutTrailingSlashes(v);
  return HomeFolder() + fallbackUnderHome;
}

}  // namespace

std::string ProgramFolder() {
  const std::string own = Env("PLENWICK_HOME");
  if (!own.empty()) return WithoutTrailingSlashes(own);
  return XdgFolder("XDG_CONFIG_HOME", "/.config") + "/plenwick";
}

std::string DataFolder() { return XdgFolder("XDG_DATA_HOME", "/.local/share") + "/BRENTA/Plenwick"; }

std::string DefaultPartsFolder() { return DataFolder() + "/部品データ"; }

std::string StateFolder() { return XdgFolder("XDG_STATE_HOME", "/.local/state") + "/plenwick"; }

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !CreateFolders(path.substr(0, slash))) return false;
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  // Someone else may have created it in the meantime.
  return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string LoginName() {
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
  std::string name = Env("USER");
  if (name.empty()) name = Env("LOGNAME");
  return name;
}

}  // namespace plenwick
