// Reading whole files and writing them so that a failure never destroys the previous file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace plenwick {

// Reads a whole file; false with `error` set (a sentence for the user, UTF-8) when it fails.
// Refuses files larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 32);

// Writes bytes to a temporary file beside `path`, flushes it to disk and renames it over `path`
// only when everything was written. On any failure the temporary file is removed, the previous
// file is left as it was, and false is returned with `error` set.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error = nullptr);

// Test seam: when set, called before each chunk is written with the number of bytes written so
// far; returning false makes that write fail as a full disk would.
using WriteFaultInjector = std::function<bool(std::size_t writtenSoFar)>;
void SetWriteFaultInjector(WriteFaultInjector injector);

}  // namespace plenwick
