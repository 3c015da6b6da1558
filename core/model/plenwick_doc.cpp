// Construction, protection check, and closing of a drawing document.
#include "model/plenwick_doc.h"

#include <utility>

#include "model/parameter_file.h"
#include "model/program_settings.h"

namespace plenwick {

CPlenwickDoc::CPlenwickDoc(std::string programFolder, UserInterface& ui, const DocumentEnvironment& env)
    : programFolder_(std::move(programFolder)), ui_(&ui) {
  entities.snapPoints = &snapPoints;

  if (!ReadParameterFile(parameterFilePath(), params)) {
    params = DefaultParameterBlock();
    WriteParameterFile();
  }
  ProgramSettings& settings = CurrentSettings();
  if (!settings.filled) {
    settings.FillFrom(params);
    settings.filled = true;
  }

  header = NewDrawingHeader(params, env);
  fileName.assign(kUntitledSjis);
  drawingValues = DrawingValuesFromParameters(params);
  layers.SetDefaults();
  areaMin = {0, 0, 0};
  areaMax = {594, 420, 0};
}

CPlenwickDoc::~CPlenwickDoc() {
  DeleteContents();
  entities.snapPoints = nullptr;
}

std::string CPlenwickDoc::parameterFilePath() const { return ParameterFilePath(programFolder_); }

void CPlenwickDoc::SetModifiedFlag(bool modified) {
  modified_ = modified;
  // One counter for every document: a stamp never repeats, not even in a later document.
  static uint64_t lastStamp = 0;
  if (modified) changeStamp_ = ++lastStamp;
}

bool CPlenwickDoc::RefuseIfProtected() const {
  if (protection == kWriteProtected) {
    ui_->ShowMessage(kWriteProtectedMessage);
    return true;
  }
  if (protection == kPasswordProtected) {
    ui_->ShowMessage(kPasswordProtectedMessage);
    return true;
  }
  return false;
}

int CPlenwickDoc::AddDocumentEntity(const EntityAttr& attr, const char* font, const int16_t* codes, int32_t colour,
                                    const double* values, const char* text, DrawEntity** added) {
  if (added) *added = nullptr;
  if (RefuseIfProtected()) return 1;
  DrawEntity* entity = nullptr;
  if (AddEntity(attr, font, entities, codes, colour, values, text, &entity) != 0) return 1;
  SetModifiedFlag();
  RegisterSnapPoints(snapPoints, entities, *entity);
  if (added) *added = entity;
  return 0;
}

bool CPlenwickDoc::WriteParameterFile() {
  // Before the first document has filled them the settings are not the user's; writing them
  // would replace the file's values with the defaults.
  if (CurrentSettings().filled) CurrentSettings().WriteTo(params);
  return plenwick::WriteParameterFile(parameterFilePath(), params);
}

void CPlenwickDoc::DeleteContents() {
  WriteParameterFile();
  ClearEntityList(entities);
  snapPoints.Clear();
}

}  // namespace plenwick
