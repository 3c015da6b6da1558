// The faces the text bars offer: first the Japanese faces drawings carry, where a family that
// draws them is installed, then the installed families; only names a drawing can keep.
#pragma once

#include <string>
#include <vector>

namespace plenwick {

// Longest face name a drawing keeps (Shift-JIS bytes).
inline constexpr std::size_t kMaxFontNameBytes = 47;
// Most faces a combo lists.
inline constexpr std::size_t kMaxFontChoices = 512;

// `installed`: the installed families (UTF-8), in enumeration order. The Gothic faces
// (ＭＳゴシック, ＭＳ Ｐゴシック) come first when IPAGothic is among them, the Mincho faces when
// IPAMincho is; names CP932 cannot hold or longer than kMaxFontNameBytes are left out, and no
// name twice.
std::vector<std::string> FontChoices(const std::vector<std::string>& installed);

}  // namespace plenwick
