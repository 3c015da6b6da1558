// Reading whole files and writing them so that a failure never destroys the previous file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/byte_io.h"

namespace plenwick {

// Every reader of the program opens its files through ReadWholeFile or FileReader: they take
// regular files only (a folder, device, FIFO or socket is refused with "...: not a regular file"
// before anything is read, and opening never blocks) and read no more than the caller's bound.

// Reads a whole regular file; false with `error` set (a sentence for the user, UTF-8) when it
// fails. Refuses files larger than maxBytes, also one that grows beyond it while it is read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 32);

// A regular file opened to be read a piece at a time, at any offset, within the size it had when
// it was opened: for readers of large files that need not hold them whole.
class FileReader {
 public:
  FileReader() = default;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  // Opens `path`; false with `error` set (worded as ReadWholeFile words it) when it cannot be
  // opened, is not a regular file, or is larger than maxBytes.
  bool Open(const std::string& path, std::string* error = nullptr, std::size_t maxBytes = std::size_t{1} << 32);
  // The size at opening: what a reader may read.
  uint64_t size() const { return size_; }
  // Reads exactly n bytes at offset; false with `error` set when they cannot be read, also when
  // the file has become shorter since it was opened.
  bool ReadAt(uint64_t offset, void* out, std::size_t n, std::string* error = nullptr);

 private:
  std::string path_;
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Writes bytes to a temporary file beside `path`, flushes it to disk and renames it over `path`
// only when everything was written. On any failure the temporary file is removed, the previous
// file is left as it was, and false is returned with `error` set. A symbolic link is followed
// (the file it names is replaced, the link stays); a replaced file keeps its permissions and,
// where the system allows, its owner and group. A path naming anything but a regular file is
// refused before anything is written.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error = nullptr);

// Produces a file's bytes by handing them to the sink in order; it may stop early once the sink
// returns false. Returning false abandons the file.
using ByteProducer = std::function<bool(const ByteSink& sink)>;
// As above, with the bytes streamed from `produce` instead of held in memory whole.
bool WriteFileAtomically(const std::string& path, const ByteProducer& produce, std::string* error = nullptr);

// Test seam: when set, called before each chunk is written with the number of bytes written so
// far; returning false makes that write fail as a full disk would.
using WriteFaultInjector = std::function<bool(std::size_t writtenSoFar)>;
void SetWriteFaultInjector(WriteFaultInjector injector);

}  // namespace plenwick
