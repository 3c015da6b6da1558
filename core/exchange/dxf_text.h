// Texts of DXF files as the Shift-JIS bytes the model keeps: the file's encoding, "\U+XXXX"
// escapes and the "%%" control codes.
#pragma once

#include <string>
#include <string_view>

namespace plenwick {

enum class DxfTextEncoding {
  kCp932,   // R12..R2004 files with $DWGCODEPAGE ANSI_932 or none (and, taken alike, any other)
  kCp1252,  // R12..R2004 files with ANSI_1252, the code page of most Western writers
  kUtf8,    // AC1021 (R2007) and later
};

// The encoding of a file with these $ACADVER and $DWGCODEPAGE values (either may be empty).
DxfTextEncoding DxfEncodingOf(std::string_view acadVersion, std::string_view codePage);

// A TEXT value as Shift-JIS: "\U+XXXX" becomes that character, "%%d", "%%p" and "%%c" become
// "°", "±" and "φ", "%%%" a "%", and the underline and overline switches "%%u", "%%o" are
// dropped. A character CP932 cannot hold becomes "?".
std::string DecodeDxfText(std::string_view value, DxfTextEncoding encoding);

}  // namespace plenwick
