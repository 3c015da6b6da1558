// Paths of drawings imported from other programs' files.
#include "exchange/imported_path.h"

#include <algorithm>
#include <cctype>

namespace plenwick {

bool HasFileExtension(const std::string& path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char e, char c) { return e == static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
}

std::string ImportedDocumentPath(const std::string& path, std::string_view extension) {
  return (HasFileExtension(path, extension) ? path.substr(0, path.size() - extension.size()) : path) + ".pwk";
}

}  // namespace plenwick
