// Registration of characteristic points: an element's own points (ends, midpoints, quadrants,
// arc ends, image corners, curve ends) and its intersections with the other elements, added when
// the element is added; and keeping their states in step with undo.
#pragma once

#include <span>

#include "model/entity_list.h"
#include "model/snap_point_list.h"

namespace plenwick {

// Adds the points of `e` itself, without intersections.
void AddOwnSnapPoints(SnapPointList& points, DrawEntity& e);

// Everything for a newly added element: its own points, then its intersections with every other
// element of the list (list order). With `earlierOnly` only the elements before it are met.
void RegisterEntitySnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added, bool earlierOnly = false);

// The points of elements a reader appended (`added`: in list order, without the parts generated
// for them): exactly those RegisterEntitySnapPoints on each, right after it was appended, would
// have added, in the same order. Each meets only the elements before it, found in a grid laid
// out for the drawing (MeetingGrid), or through the element index when the drawing does not suit
// one.
void RegisterLoadedEntitySnapPoints(SnapPointList& points, EntityList& entities, std::span<DrawEntity* const> added);

// Installs RegisterEntitySnapPoints as what RegisterSnapPoints runs (the document calls it after
// every AddDocumentEntity), and RegisterLoadedEntitySnapPoints for the file readers. Returns the
// previous registrar.
SnapPointRegistrar InstallDefaultSnapPointRegistrar();

// Empties the points and registers every element of the list again but a dimension's parts,
// each meeting only the elements before it (as loading the drawing element by element would).
void RebuildSnapPoints(SnapPointList& points, EntityList& entities);

// The snap-point part of the view's undo: after Undo, by the new undo state, disables the points
// of the chain that left the list and enables those of the chain that came back (`remembered`:
// the removed chain as it was before Undo, used for state 2). Call it after clearing the marks of
// the elements that came back. When the list reports its changes to `points`
// (list.snapPoints == &points) this has already happened and the call changes nothing.
void UpdateSnapPointsAfterUndo(const EntityList& list, SnapPointList& points, DrawEntity* remembered);

}  // namespace plenwick
