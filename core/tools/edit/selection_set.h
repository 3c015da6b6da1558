// The records that carry a selection mark (3 picked in figure selection, 4 selected for a set
// operation), kept beside the marks so that clearing a selection costs what it holds, not the
// length of the drawing. A group or a dimension is always marked whole.
#pragma once

#include <cstdint>
#include <vector>

#include "model/draw_entity.h"
#include "model/snap_point_list.h"

namespace plenwick {

class SelectionSet {
 public:
  // With `withSnapPoints` the snap points take each record's mark, which keeps marked records out
  // of snapping; without, they stay as they are (a set whose own points are wanted for placing it).
  explicit SelectionSet(bool withSnapPoints = true) : withSnapPoints_(withSnapPoints) {}

  // The record a pick of `e` stands for: its owner when it belongs to a group or dimension.
  static DrawEntity& UnitOf(DrawEntity& e) { return e.owner ? *e.owner : e; }

  // Gives the unit of `e` (the record with its owner's whole group or dimension) the mark, or
  // takes the mark off again when it already carries it (a toggle). Snap points take the
  // record's state, which keeps marked records out of snapping. Records whose look changed are
  // appended to `changed`.
  void Toggle(DrawEntity& e, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed);
  // Gives the unit of `e` the mark (no toggle).
  void Mark(DrawEntity& e, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed);
  // Every record carrying `mark` back to 0, appended to `changed`.
  void Clear(int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed);
  // The records carrying `mark`, each once.
  std::vector<DrawEntity*> Marked(int16_t mark) const;
  bool Any(int16_t mark) const;
  // Forgets the records without touching them: the marks were cleared by whatever took the
  // records out of the drawing.
  void Forget() { records_.clear(); }

 private:
  void SetUnit(DrawEntity& unit, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed);

  bool withSnapPoints_;
  // Every record marked since the last clear, some more than once (a toggle off and on again), some
  // whose mark has gone back to 0: a window over a whole drawing pays one push per record.
  std::vector<DrawEntity*> records_;
};

// The members of a group header or dimension: the run of records right after it that it owns.
template <typename Visit>
void ForEachMember(DrawEntity& owner, Visit&& visit) {
  for (DrawEntity* e = owner.next; e && e->owner == &owner; e = e->next) visit(*e);
}

}  // namespace plenwick
