// Window selection and marks: which elements a rectangle holds (one containment test per kind),
// marking them with their dimension, and clearing marks again. The view passes a callback that
// redraws (or invalidates) one element in its current look.
#pragma once

#include <functional>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "view/geometry.h"

namespace plenwick {

using EntityRedraw = std::function<void(DrawEntity&)>;

// Order the corners so that x1 ≤ x2 and y1 ≤ y2 (pixels, model mm).
void NormalizeRect(int* x1, int* y1, int* x2, int* y2);
void NormalizeRectF(double* x1, double* y1, double* x2, double* y2);

// Containment in a rectangle (model mm, bounds inclusive), by what each kind offers:
// a point's position; both stored points of a line or an image; the box of all stored points of a
// curve or polygon; a circle's box; an arc's ends and the middle of its sweep; a text's insertion
// point and its far corner (x + width · 0.5 · n, y + height) for n characters, a leader text also
// its leader points; every boundary piece of a paint (flag 1) or hatching (flag 0).
bool IsPointInside(const Box& rect, const DrawEntity& e);
bool IsSegmentInside(const Box& rect, const DrawEntity& e);
bool IsPolylineInside(const Box& rect, const DrawEntity& e);
bool IsVertexListInside(const Box& rect, const DrawEntity& e);
bool IsCircleInside(const Box& rect, const DrawEntity& e);
bool IsArcInside(const Box& rect, const DrawEntity& e);
bool IsTextInside(const Box& rect, const DrawEntity& e, double characters);
bool IsTextInside2(const Box& rect, const DrawEntity& e, double characters);
bool IsCompositeInside(const Box& rect, const DrawEntity& e, int paintFlag);
// The test of the element's kind; false for kinds never window-selected (grid, infinite lines,
// dimensions, group headers).
bool IsInsideRect(const Box& rect, const DrawEntity& e);

// Marks with `mark` every element of the current layer (not deleted) inside the rectangle
// (model mm); an element owned by an unmarked dimension marks the dimension's parts with 1 and the
// dimension with `mark`. Returns 1 when any element was marked, else 0.
int SelectInRect(EntityList& list, int currentLayer, double x1, double y1, double x2, double y2, int mark,
                 const EntityRedraw& redraw);

// Every element of the current layer with `mark` gets mark 0, is invalidated, and its snap points
// take the new state.
void ClearMarks(EntityList& list, SnapPointList* points, int currentLayer, int mark, const EntityRedraw& invalidate);

// While the pending flag is set: every element with mark 3 gets mark 0 and is redrawn.
void ClearHighlight(EntityList& list, bool pending, const EntityRedraw& redraw);

// The elements after `owner` in the list that belong to it get mark 1 and are redrawn.
void MarkGroupMembers(DrawEntity& owner, const EntityRedraw& redraw);

// Among the consecutive stored point pairs of `e`, the segment whose perpendicular foot from `p`
// lies on it and is nearest (below 99999.9): 1 and its ends, or 0.
int NearestSegment(const DrawEntity& e, ModelPoint p, ModelPoint* s1, ModelPoint* s2);

}  // namespace plenwick
