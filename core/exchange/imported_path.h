// Paths of drawings imported from other programs' files: recognising the files by extension and
// naming the drawing that is saved beside them.
#pragma once

#include <string>
#include <string_view>

namespace plenwick {

// Whether `path` ends in `extension` (given in lower case with its dot, ".dxf"), of any case.
bool HasFileExtension(const std::string& path, std::string_view extension);

// The document path of a drawing read from `path`: the same folder and name with ".pwk" in place
// of `extension` of any case (added when the path ends otherwise).
std::string ImportedDocumentPath(const std::string& path, std::string_view extension);

}  // namespace plenwick
