// Small helpers of the element record.
#include "model/draw_entity.h"

#include <cstring>

namespace plenwick {

void OwnedCString::Assign(std::string_view bytes) {
  data_ = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
  if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
  data_[bytes.size()] = '\0';
}

bool KindHasCodes(int kind) {
  switch (kind) {
    case kPoint: case kGrid: case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine:
    case kAngledInfiniteLine: case kBezierCurve: case kCircle: case kArc: case kText: case kLeaderText:
    case kDimension: case kGroupHeader: case kPaint: case kHatch: case kImage:
      return true;
    default:
      return false;
  }
}

bool KindHasText(int kind) { return kind == kText || kind == kLeaderText || kind == kImage; }
bool KindHasFont(int kind) { return kind == kText || kind == kLeaderText; }

}  // namespace plenwick
