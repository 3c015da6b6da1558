// The prompt box: the one line of instruction (blue) or emphasised message (red) the tools show,
// and how it is painted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "view/canvas.h"

namespace plenwick {

enum PromptKind : int {
  kPromptInstruction = 0,  // blue
  kPromptEmphasis = 1,     // red (any kind but 0)
};

class COperateMsgBox {
 public:
  static constexpr std::size_t kMaxBytes = 127;  // Shift-JIS bytes kept

  // Stores the kind and the text (UTF-8), cut at a character boundary to at most 127 Shift-JIS
  // bytes.
  void Set(int kind, std::string_view utf8);

  int kind() const { return kind_; }
  const std::string& sjis() const { return sjis_; }
  std::string text() const;  // UTF-8

 private:
  int kind_ = kPromptInstruction;
  std::string sjis_;
};

// Paints the box into its client rectangle: white inside a 1-pixel margin, the text at (5, 4)
// in a 14-pixel fixed-pitch "ＭＳゴシック", blue for kind 0 and red otherwise.
void PaintPromptBox(Canvas& canvas, const PixelRect& client, const COperateMsgBox& box);

}  // namespace plenwick
