// Saving and loading drawing files on disk: the file-system step around the byte writer and reader.
#include "model/drawing_file.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/drawing_file_format.h"
#include "platform/file_io.h"

namespace plenwick {

namespace {

// A drawing file on disk, read through one window for the header blocks and the record table and
// one for the element data, both of which a file this program wrote is read through front to
// back: such a file is loaded without a buffer as large as itself. The windows are part of the
// object, which lives on the stack.
class DrawingFileSource final : public pwk::DrawingSource {
 public:
  explicit DrawingFileSource(FileReader& file) : DrawingSource(file.size()), file_(file) {}

  std::span<const uint8_t> Bytes(Stream stream, uint64_t offset, std::size_t n) override {
    if (failed()) return {};
    // Data that jumps back and forth (not a file this program wrote) is served from the whole
    // file after a while, so that no pattern of offsets makes the windows read it over and over.
    Window& w = stream == kRecords ? records_ : data_;
    const bool hit = offset >= w.start && offset + n <= w.start + w.length;
    if (!hit && !readWhole_ && stream == kData && offset < w.start && ++backwardJumps_ > kMaxBackwardJumps) {
      whole_.resize(static_cast<std::size_t>(size()));
      if (!Read(0, whole_.data(), whole_.size())) return {};
      readWhole_ = true;
    }
    if (readWhole_) return std::span<const uint8_t>(whole_).subspan(static_cast<std::size_t>(offset), n);
    if (hit) return std::span<const uint8_t>(w.bytes).subspan(static_cast<std::size_t>(offset - w.start), n);
    if (n > w.bytes.size()) {
      large_.resize(n);
      if (!Read(offset, large_.data(), n)) return {};
      return large_;
    }
    const auto length = static_cast<std::size_t>(std::min<uint64_t>(w.bytes.size(), size() - offset));
    w.start = offset;
    w.length = 0;
    if (!Read(offset, w.bytes.data(), length)) return {};
    w.length = length;
    return std::span<const uint8_t>(w.bytes).first(n);
  }

 private:
  static constexpr std::size_t kWindowBytes = std::size_t{1} << 15;
  static constexpr int kMaxBackwardJumps = 64;
  struct Window {
    std::array<uint8_t, kWindowBytes> bytes;
    uint64_t start = 0;
    std::size_t length = 0;
  };

  bool Read(uint64_t offset, uint8_t* out, std::size_t n) {
    std::string why;
    if (file_.ReadAt(offset, out, n, &why)) return true;
    SetFailed(std::move(why));
    return false;
  }

  FileReader& file_;
  Window records_;
  Window data_;
  std::vector<uint8_t> large_;  // one piece larger than a window
  std::vector<uint8_t> whole_;  // the whole file, once the data has jumped about too often
  bool readWhole_ = false;
  int backwardJumps_ = 0;
};

}  // namespace

int SaveDrawingFile(const std::string& path, const DrawingFileInfo& info, const EntityList& list,
                    std::string* error) {
  // The bytes go to disk as they are produced: a large drawing is never held in memory whole.
  pwk::StoredDrawing plan;
  const int rc = pwk::PlanDrawingFile(info, list, plan);
  if (rc == 1) {
    if (error) *error = "cannot save " + path + ": there is no element to store";
    return 2;
  }
  if (rc != 0) {
    if (error) *error = "cannot save " + path + ": the drawing is too large for the file format";
    return 1;
  }
  const auto produce = [&](const ByteSink& sink) { return pwk::EmitDrawingFile(info, list, plan, sink); };
  return WriteFileAtomically(path, produce, error) ? 0 : 1;
}

int LoadDrawingFile(const std::string& path, DrawingFileInfo& info, EntityList& list, SnapPointList* points,
                    std::string* error) {
  FileReader file;
  if (!file.Open(path, error)) return 1;
  DrawingFileSource source(file);
  return pwk::ReadDrawing(source, info, list, points, error);
}

}  // namespace plenwick
