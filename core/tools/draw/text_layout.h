// Where a leader text's string goes from its leader: to the right of the bend when the bend lies
// at or right of the start, else to the left, by the leader's shape (plain, with a shoulder,
// underlined), for a string of n characters and u half-width units.
#pragma once

#include <optional>
#include <string_view>

#include "view/view_mapping.h"

namespace plenwick {

struct LeaderTextPlace {
  ModelPoint text;                // lower left of the string (mm)
  std::optional<ModelPoint> end;  // the shoulder's or underline's end (shapes 1 and 2)
};

// `height` is the text height (mm), `sjis` the string as Shift-JIS bytes (a double-byte
// character is one character and two half-width units).
LeaderTextPlace PlaceLeaderText(ModelPoint start, ModelPoint bend, int style, double height, std::string_view sjis);

}  // namespace plenwick
