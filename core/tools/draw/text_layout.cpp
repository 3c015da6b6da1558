// The placement rules of leader texts.
#include "tools/draw/text_layout.h"

#include "platform/sjis.h"

namespace plenwick {

LeaderTextPlace PlaceLeaderText(ModelPoint start, ModelPoint bend, int style, double height, std::string_view sjis) {
  const double f = height, g = height / 2;
  const auto n = static_cast<double>(SjisCharacterCount(sjis));
  // Half-width units: a single byte (also half-width katakana) one, a double-byte character two.
  const auto u = static_cast<double>(sjis.size());
  const bool right = bend.x >= start.x;
  LeaderTextPlace place;
  switch (style) {
    case 1: {
      const ModelPoint shoulder{right ? bend.x + f : bend.x - f, bend.y};
      place.end = shoulder;
      place.text = {right ? shoulder.x + g : shoulder.x - g * u - g, bend.y - g};
      break;
    }
    case 2:
      place.end = ModelPoint{right ? bend.x + g * (u + 1) : bend.x - g * (u + 1), bend.y};
      place.text = {right ? bend.x + g : bend.x - g * u - g, bend.y + g};
      break;
    default: place.text = {right ? bend.x + g : bend.x - f * n - g, bend.y - g}; break;
  }
  return place;
}

}  // namespace plenwick
