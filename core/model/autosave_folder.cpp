// Autosave files: naming, writing through the native save, and finding those of ended runs.
#include "model/autosave_folder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <set>
#include <string_view>

#include "model/document_file.h"
#include "model/drawing_file_format.h"
#include "platform/file_io.h"
#include "platform/folders.h"

namespace plenwick {

namespace {

constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kDrawingSuffix = ".pwk";
constexpr std::string_view kRecordSuffix = ".rec";

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

// The file names in `folder`; empty when it cannot be read.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

// The run a drawing's or record's file name belongs to: the part before its last "-".
std::string RunOfDrawing(std::string_view name) {
  const std::size_t dash = name.rfind('-');
  return dash == std::string_view::npos ? std::string() : std::string(name.substr(0, dash));
}

// Why the autosaved drawing cannot be restored; empty when it looks like a drawing file.
std::string DrawingProblem(const std::string& path) {
  FileReader file;
  std::string error;
  if (!file.Open(path, &error)) return error;
  char magic[2] = {};
  if (file.size() < pwk::kHeaderSize || !file.ReadAt(0, magic, sizeof magic, &error)) {
    return error.empty() ? "cannot read " + path + ": the file is cut short" : error;
  }
  if (magic[0] != 'P' || magic[1] != 'W') return "cannot read " + path + ": it is not a drawing file";
  return {};
}

}  // namespace

AutosaveFolder::AutosaveFolder(std::string folder) : folder_(std::move(folder)) {
  // The process id says whose run it is; the random part keeps a later run with the same id
  // (process ids start again after a reboot, or in a container) from taking the old run's names.
  std::random_device random;
  static constexpr char kHex[] = "0123456789abcdef";
  run_ = std::to_string(::getpid()) + ".";
  for (int i = 0; i < 8; ++i) run_ += kHex[random() % 16];
}

AutosaveFolder::~AutosaveFolder() {
  own_.Remove();
  for (auto& [run, lock] : claimed_) {
    if (!RunHasFiles(run)) lock.Remove();
  }
}

bool AutosaveFolder::Open(std::string* error) {
  if (own_.held()) return true;
  if (!CreateFolders(folder_)) {
    if (error) *error = "cannot create the folder " + folder_;
    return false;
  }
  ::chmod(folder_.c_str(), 0700);
  return own_.Create(PathOf(run_ + std::string(kLockSuffix)), error);
}

std::string AutosaveFolder::NewDrawingName() { return run_ + "-" + std::to_string(nextDrawing_++); }

bool AutosaveFolder::Write(const std::string& name, CPlenwickDoc& doc, const AutosaveRecord& record, std::string* error) {
  if (!Open(error)) return false;
  const int rc = WriteDocumentFile(doc, PathOf(name + std::string(kDrawingSuffix)), false, error);
  if (rc == 2) {
    Remove(name);
    return true;
  }
  if (rc != 0) return false;
  const std::string text = FormatAutosaveRecord(record);
  return WriteFileAtomically(PathOf(name + std::string(kRecordSuffix)),
                             std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error);
}

void AutosaveFolder::Remove(const std::string& name) {
  ::unlink(PathOf(name + std::string(kDrawingSuffix)).c_str());
  ::unlink(PathOf(name + std::string(kRecordSuffix)).c_str());
}

bool AutosaveFolder::RunHasFiles(const std::string& run) const {
  return std::ranges::any_of(FilesIn(folder_), [&](const std::string& file) {
    return (EndsWith(file, kDrawingSuffix) || EndsWith(file, kRecordSuffix)) && RunOfDrawing(file) == run;
  });
}

std::vector<LeftDrawing> AutosaveFolder::ClaimLeftDrawings() {
  const std::vector<std::string> files = FilesIn(folder_);
  std::set<std::string> locked, drawings;
  for (const std::string& file : files) {
    if (EndsWith(file, kLockSuffix)) locked.insert(file.substr(0, file.size() - kLockSuffix.size()));
    for (const std::string_view suffix : {kDrawingSuffix, kRecordSuffix}) {
      if (EndsWith(file, suffix) && !RunOfDrawing(file).empty()) drawings.insert(file.substr(0, file.size() - suffix.size()));
    }
  }
  // Runs whose lock nobody holds; a run with files but no lock file at all has ended too, and
  // its lock is made anew so that two starting runs never both take it.
  auto claim = [&](const std::string& run) {
    if (run == run_ || claimed_.contains(run)) return claimed_.contains(run);
    InstanceLock lock;
    const std::string path = PathOf(run + std::string(kLockSuffix));
    if (!(locked.contains(run) ? lock.ClaimStale(path) : lock.Create(path))) return false;
    claimed_.emplace(run, std::move(lock));
    return true;
  };
  // What a write killed half-way left beside an autosave holds nothing worth keeping.
  for (const std::string& file : files) {
    const std::size_t tmp = file.find(".tmp");
    if (tmp != std::string::npos && claim(RunOfDrawing(std::string_view(file).substr(0, tmp)))) {
      ::unlink(PathOf(file).c_str());
    }
  }
  std::vector<LeftDrawing> left;
  for (const std::string& name : drawings) {
    if (!claim(RunOfDrawing(name))) continue;
    LeftDrawing drawing{name, PathOf(name + std::string(kDrawingSuffix)), {}, {}};
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(PathOf(name + std::string(kRecordSuffix)), bytes, &error, kMaxAutosaveRecordBytes) ||
        !ParseAutosaveRecord(bytes, drawing.record, &error)) {
      drawing.problem = error;
    } else {
      drawing.problem = DrawingProblem(drawing.drawingFile);
    }
    left.push_back(std::move(drawing));
  }
  // Stale locks of runs that left nothing behind are only clutter.
  for (const std::string& run : locked) {
    if (run != run_ && !claimed_.contains(run) && claim(run) && !RunHasFiles(run)) {
      claimed_[run].Remove();
      claimed_.erase(run);
    }
  }
  return left;
}

void AutosaveFolder::LetGoOfLeftDrawings() { claimed_.clear(); }

}  // namespace plenwick
