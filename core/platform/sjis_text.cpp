// Character counts of Shift-JIS text.
#include "platform/sjis_text.h"

namespace plenwick {

std::size_t SjisCharacterCount(std::string_view sjis) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < sjis.size(); ++i, ++count) {
    if (IsSjisLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size()) ++i;
  }
  return count;
}

}  // namespace plenwick
