// The nine sub-modes of the line tool behind one interface: what a click does, what the rubber
// band shows for the cursor, and whether a right click abandons the operation.
#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_session.h"

namespace plenwick {

// What a sub-mode shows for the cursor: segments (model mm) and the one whose length the
// distance display shows.
using LineRubber = RubberShape;

class LineSubMode {
 public:
  virtual ~LineSubMode() = default;
  // A left click (client pixels), or a typed value when the session says numeric().
  virtual void Click(LineSession& s, PixelPoint click) = 0;
  // The rubber band for the cursor (client pixels) while a step waits for a point.
  virtual void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) {
    (void)s, (void)cursor, (void)rubber;
  }
  // Whether a right click abandons the running operation.
  virtual bool CancelsOnRightClick() const { return false; }
  // Forgets the running operation (its feedback is already off the screen).
  virtual void Reset() {}
};

// ToolMode 0..8.
std::unique_ptr<LineSubMode> MakeStraightLineMode();    // 0 "直線"
std::unique_ptr<LineSubMode> MakePolylineMode();        // 1 "連続線"
std::unique_ptr<LineSubMode> MakeInfiniteLineMode();    // 2 "無限線"
std::unique_ptr<LineSubMode> MakePerpendicularMode();   // 3 "垂線"
std::unique_ptr<LineSubMode> MakeParallelMode();        // 4 "平行線"
std::unique_ptr<LineSubMode> MakeCentreLineMode();      // 5 "中心線"
std::unique_ptr<LineSubMode> MakeWidthLineMode();       // 6 "幅付き線"
std::unique_ptr<LineSubMode> MakeTangentMode();         // 7 "接線"
std::unique_ptr<LineSubMode> MakeAngleMoveMode();       // 8 "角度移動線"

}  // namespace plenwick
