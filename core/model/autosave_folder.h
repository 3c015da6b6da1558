// The folder of autosaved drawings. Each run of the program owns the files named after it: its
// lock file "<run>.lock" and, per drawing, "<run>-<n>.pwk" (a native drawing file) with its
// record "<run>-<n>.rec". Files of a run whose lock nobody holds any more were left behind by a
// crash and are offered for recovery; the files of a live run are never touched.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/autosave_record.h"
#include "platform/instance_lock.h"

namespace plenwick {

class CPlenwickDoc;

// An autosaved drawing of a run that ended without closing it.
struct LeftDrawing {
  std::string name;     // "<run>-<n>"
  std::string drawingFile;  // the autosaved drawing
  AutosaveRecord record;
  std::string problem;  // empty when it can be restored; else why it cannot be read (English)
};

class AutosaveFolder {
 public:
  // `folder`: where the files go, e.g. StateFolder() + "/autosave".
  explicit AutosaveFolder(std::string folder);
  // Deletes this run's lock file and those of the runs it took over that have no files left.
  ~AutosaveFolder();
  AutosaveFolder(const AutosaveFolder&) = delete;
  AutosaveFolder& operator=(const AutosaveFolder&) = delete;

  // Creates the folder (readable by the user alone: drawings may hold passwords) and this run's
  // lock file. False with `error` set when either cannot be made.
  bool Open(std::string* error = nullptr);
  bool opened() const { return own_.held(); }
  const std::string& folder() const { return folder_; }

  // A name for another drawing of this run.
  std::string NewDrawingName();
  // Writes the drawing as saving does (atomically: a crash leaves the previous autosave whole),
  // then its record. A drawing with no element to store leaves no files. False with `error` set.
  bool Write(const std::string& name, CPlenwickDoc& doc, const AutosaveRecord& record, std::string* error = nullptr);
  // Deletes a drawing's files (of this run or of one taken over).
  void Remove(const std::string& name);

  // Takes over the runs that have ended and lists their drawings (sorted by name); their lock
  // files stay held until LetGoOfLeftDrawings or the end of this run.
  std::vector<LeftDrawing> ClaimLeftDrawings();
  // Leaves the drawings of the runs taken over for a later start.
  void LetGoOfLeftDrawings();

 private:
  std::string PathOf(const std::string& file) const { return folder_ + "/" + file; }
  // Whether any drawing file of run `run` remains.
  bool RunHasFiles(const std::string& run) const;

  std::string folder_;
  std::string run_;
  InstanceLock own_;
  std::map<std::string, InstanceLock> claimed_;  // runs taken over, by name
  int nextDrawing_ = 1;
};

}  // namespace plenwick
