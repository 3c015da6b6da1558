// Saving and loading drawing files on disk: the file-system step around the byte writer and reader.
#include "model/drawing_file.h"

#include <vector>

#include "platform/file_io.h"

namespace plenwick {

int SaveDrawingFile(const std::string& path, const DrawingFileInfo& info, const EntityList& list,
                    std::string* error) {
  std::vector<uint8_t> bytes;
  const int rc = WriteDrawingFile(bytes, info, list);
  if (rc == 1) {
    if (error) *error = "cannot save " + path + ": there is no element to store";
    return 1;
  }
  if (rc != 0) {
    if (error) *error = "cannot save " + path + ": the drawing is too large for the file format";
    return 1;
  }
  return WriteFileAtomically(path, bytes, error) ? 0 : 1;
}

int LoadDrawingFile(const std::string& path, DrawingFileInfo& info, EntityList& list, SnapPointList* points,
                    std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) return 1;
  return ReadDrawingFile(bytes, info, list, points, error);
}

}  // namespace plenwick
