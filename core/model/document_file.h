// Opening a drawing file into a document and saving a document as a drawing file.
#pragma once

#include <string>

#include "model/drawing_file.h"
#include "model/plenwick_doc.h"

namespace plenwick {

// What the save command tells the user when a drawing could not be written.
inline constexpr std::string_view kWriteFailedMessage = "ファイルの書き込みに失敗しました。";

// Reads the drawing at `path` into an empty document: its elements (with their snap points),
// then the header, current layer, display colours, drawing area and extent, protection, the
// program-wide drawing scale and the layers. Returns 0, or 1 with `error` set and the document
// left empty with the 594 x 420 extent.
int OpenDocumentFile(CPlenwickDoc& doc, const std::string& path, std::string* error = nullptr);

// The document's header, boxes, colours and layers as the file stores them.
DrawingFileInfo DocumentFileInfo(const CPlenwickDoc& doc, bool selectionOnly);

// Writes the document to `path` as saving does, through the same atomic write, but leaves its
// modified flag alone and tells the user nothing (autosave). Returns 0, 2 when the drawing has no
// element to store (nothing is written), or 1 with `error` set; a failed write keeps the
// previous file.
int WriteDocumentFile(CPlenwickDoc& doc, const std::string& path, bool selectionOnly, std::string* error);

// Saves the document (orphan group numbers cleared first). On failure the previous file is kept,
// the user is told "ファイルの書き込みに失敗しました。" and 1 is returned; on success the
// modified flag is cleared.
int SaveDocumentFile(CPlenwickDoc& doc, const std::string& path, bool selectionOnly = false,
                     std::string* error = nullptr);

}  // namespace plenwick
