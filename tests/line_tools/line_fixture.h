// The drawing tools' fixture with the line tool's commands at hand and the line records of the
// drawing.
#pragma once

#include "support/draw_tool_fixture.h"
#include "view/snap_registration.h"

namespace plenwick::testing {

inline constexpr int kLineModeCommands[9] = {32811, 32812, 32813, 32814, 32815, 32816, 32817, 32818, 32820};

struct LineRecord {
  int kind = 0;
  ModelPoint a;
  ModelPoint b;
};

class LineToolTest : public DrawToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(kLineModeCommands[mode])); }

  // The line elements of the drawing (kinds 20..23), in list order.
  std::vector<LineRecord> Lines() const {
    std::vector<LineRecord> lines;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind < kLine || e.kind > kAngledInfiniteLine || e.mark == kMarkDeleted) continue;
      lines.push_back({e.kind, {e.values[0], e.values[1]}, {e.values[2], e.values[3]}});
    }
    return lines;
  }
  DrawEntity* LastElement() const { return t.doc->entities.tail; }

  // A line from (100, 100) to (300, 100) with its points, the magnet on, the straight-line mode
  // chosen and the cursor just off the line's first end: the magnet marker shows.
  void HoverNearALineEnd() {
    testing::AddLine(t.doc->entities, 100, 100, 300, 100);
    RebuildSnapPoints(t.doc->snapPoints, t.doc->entities);
    s().Magnet = 1;
    Select(0);
    Move(103, 104);
  }
};

}  // namespace plenwick::testing
