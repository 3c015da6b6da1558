// Adding a drawing tool's new element: checked against what a drawing file keeps before any undo
// step opens, added with the current line type, pen, colour and layer through the document
// (protection, modified flag, snap points), and drawn at once under the tool's feedback.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/draw_entity.h"
#include "view/view_mapping.h"

namespace plenwick {

class CFeedbackTool;
class ToolView;

// What became of an element handed to the drawing.
enum class ElementAdded : uint8_t {
  kAdded,
  kDropped,  // the drawing file could not keep its values: it is silently left out
  kRefused,  // the drawing is protected (the user has been told): the operation ends
};

// Smallest radius (model mm) of a circle or arc the tools make: below it two clicks met one point.
inline constexpr double kMinToolRadius = 0.05;

// Whether a drawing file keeps these values for an element the tools make: every value finite;
// a line's or curve's every coordinate, a circle's or arc's centre and radius in the coordinate
// range; a radius of at least kMinToolRadius; arc angles in [0, 360). A dimension's first value
// (code 30) holds packed bytes, not a number: it is left out of the checks.
bool ToolElementStorable(int16_t kind, std::span<const double> values);

struct NewElement {
  int16_t kind = 0;
  int16_t subKind = 0;
  std::span<const int16_t> codes;  // empty for kinds stored without codes (free curves)
  std::span<const double> values;
  const char* font = nullptr;  // texts: the face (Shift-JIS)
  const char* text = nullptr;  // texts: the string (Shift-JIS)
  bool penOnly = false;        // dimensions, hatchings: lineAttr is the pen alone, without the line type
  int16_t fillPattern = -1;    // paints: lineAttr is this pattern × 100 + the pen
  DrawEntity* owner = nullptr;  // a figure's sides: their group header, whose number they take
};

// Adds the element. With `newStep` it is an undo step of its own (BeginOperation first);
// otherwise it joins the step the caller opened. `added` receives the element.
ElementAdded AddToolElement(CFeedbackTool& tool, ToolView& view, const NewElement& element,
                            DrawEntity** added = nullptr, bool newStep = true);

// A member of a group a tool adds: a line (x1, y1, x2, y2), a circle (centre x, y, radius) or a
// counter-clockwise arc (centre x, y, radius, start and end angle in degrees), model mm.
struct GroupPiece {
  int16_t kind = kLine;
  std::array<double, 5> values{};
  std::span<const double> valueSpan() const {
    return {values.data(), kind == kLine ? 4u : kind == kCircle ? 3u : 5u};
  }
};
GroupPiece LinePiece(ModelPoint a, ModelPoint b);
GroupPiece CirclePiece(ModelPoint centre, double radius);
GroupPiece ArcPiece(ModelPoint centre, double radius, double startDegrees, double endDegrees);

// How a group treats members a drawing file cannot keep.
enum class GroupMembers : uint8_t {
  kWhole,        // one such member leaves the whole group out
  kStorableOnly  // such members are left out, the others added
};

// Adds a group in an undo step of its own: a group header (lineAttr and colour 0, values:
// `reference`, 1, 0) and the pieces as its members, with the current attributes. Every piece is
// checked first; nothing is added when no piece is left. On a protected drawing the user is told
// once.
ElementAdded AddToolGroup(CFeedbackTool& tool, ToolView& view, ModelPoint reference, std::span<const GroupPiece> pieces,
                          GroupMembers members);

// Adds a closed figure of straight sides as one group: the sides from each vertex to the next,
// the last back to the first; the figure is added whole or not at all.
ElementAdded AddToolFigure(CFeedbackTool& tool, ToolView& view, ModelPoint reference,
                           std::span<const ModelPoint> vertices);

}  // namespace plenwick
