// Reading and writing the parameter file "PWKPRM.DAT" (exactly one raw 728-byte block).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/parameter_block.h"

namespace plenwick {

inline constexpr const char* kParameterFileName = "PWKPRM.DAT";

// <programFolder>/PWKPRM.DAT
std::string ParameterFilePath(const std::string& programFolder);

// Takes the first 728 bytes of a parameter file; false (block untouched) when there are fewer.
// Numbers that are not finite take their defaults (ReplaceNonFiniteNumbers).
bool ParseParameterFile(std::span<const uint8_t> bytes, ParameterBlock& block);

// Reads the file at path into block as ParseParameterFile does; false (block untouched) when it
// is missing, not a regular file, unreadable, or shorter than 728 bytes.
bool ReadParameterFile(const std::string& path, ParameterBlock& block);

// Writes the 728 bytes to path. A file that exists but cannot be opened for writing (read-only,
// a folder, not a regular file) is left untouched and false is returned; a missing file is
// created together with its folder. The new contents replace the old file only once they are
// completely on disk, so a failed write keeps the previous file.
bool WriteParameterFile(const std::string& path, const ParameterBlock& block);

}  // namespace plenwick
