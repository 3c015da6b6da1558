// One open drawing: its elements and snap points, layers, header, per-drawing values, drawing
// area, protection, and its copy of the program parameter block.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/document_defaults.h"
#include "model/drawing_header.h"
#include "model/drawing_values.h"
#include "model/entity_core.h"
#include "model/entity_list.h"
#include "model/fixed_text.h"
#include "model/layer_table.h"
#include "model/parameter_block.h"
#include "model/snap_point_list.h"
#include "model/user_interface.h"

namespace plenwick {

enum DrawingProtection : int32_t {
  kNotProtected = 0,
  kWriteProtected = 1,
  kPasswordProtected = 2,
};

// What a change of a protected drawing tells the user on a write-protected and on a password-protected drawing.
inline constexpr std::string_view kWriteProtectedMessage = "この図面は、書きこみ禁止状態になっています。";
inline constexpr std::string_view kPasswordProtectedMessage = "この図面は、パスワードによって保護されています。";

class CPlenwickDoc {
 public:
  // A new empty drawing. Reads the parameter file of programFolder (writing the defaults when it
  // is missing or unusable), fills the program-wide settings when this is the first document of
  // the run, and sets up the header, per-drawing values, layers and drawing area.
  CPlenwickDoc(std::string programFolder, UserInterface& ui,
               const DocumentEnvironment& env = CurrentDocumentEnvironment());
  // Saves the parameter file and frees the lists.
  ~CPlenwickDoc();
  CPlenwickDoc(const CPlenwickDoc&) = delete;
  CPlenwickDoc& operator=(const CPlenwickDoc&) = delete;

  // Whether the drawing is write- or password-protected; the user is told so when it is. Every
  // edit asks before it changes anything.
  bool RefuseIfProtected() const;

  // Adds an element unless the drawing is protected (then the user is told and 1 is returned):
  // AddEntity on the document's list, the modified flag, and the new element's snap points.
  int AddDocumentEntity(const EntityAttr& attr, const char* font, const int16_t* codes, int32_t colour,
                        const double* values, const char* text, DrawEntity** added = nullptr);

  // Writes the current settings into params and saves the parameter file, then frees the
  // element and snap-point lists.
  void DeleteContents();
  // Copies the current settings into params (once they have been filled) and writes the
  // parameter file; false when it could not be written.
  bool WriteParameterFile();

  // Every change also takes a new change stamp, unique in the run: whoever copies the drawing
  // (autosave) knows from it whether the copy is still current.
  void SetModifiedFlag(bool modified = true);
  bool IsModified() const { return modified_; }
  uint64_t changeStamp() const { return changeStamp_; }
  const std::string& programFolder() const { return programFolder_; }
  std::string parameterFilePath() const;
  UserInterface& ui() const { return *ui_; }

  EntityList entities;
  SnapPointList snapPoints;
  double originX = 0;  // origin offset, model mm
  double originY = 0;
  int32_t updateHint = 0;  // 1 after the numeric element list, 2 after the initial settings
  LayerTable layers;
  FixedText<61> fileName;  // Shift-JIS; also the document title
  int32_t protection = kNotProtected;
  int32_t areaSet = 0;  // 1 once the drawing area came from a file or was set
  std::array<double, 3> areaMin{};  // drawing area, model mm (x, y, 0)
  std::array<double, 3> areaMax{};
  std::array<double, 3> extentMin{};  // stored and loaded with the drawing only
  std::array<double, 3> extentMax{};
  int32_t extentWidth = 594;
  int32_t extentHeight = 420;
  DrawingValues drawingValues;
  ParameterBlock params;
  DrawingHeader header;

 private:
  std::string programFolder_;
  UserInterface* ui_;
  bool modified_ = false;
  uint64_t changeStamp_ = 0;
};

}  // namespace plenwick
