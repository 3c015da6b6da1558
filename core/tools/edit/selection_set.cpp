// Marking and clearing selections by units of records.
#include "tools/edit/selection_set.h"

#include <algorithm>

namespace plenwick {

void SelectionSet::SetUnit(DrawEntity& unit, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed) {
  auto set = [&](DrawEntity& e) {
    if (e.mark == mark || e.mark == kMarkDeleted) return;
    if (e.mark == kMarkNone) records_.push_back(&e);
    e.mark = mark;
    if (withSnapPoints_) points.SetEntityState(&e, mark);
    if (changed) changed->push_back(&e);
  };
  set(unit);
  ForEachMember(unit, set);
}

void SelectionSet::Toggle(DrawEntity& e, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed) {
  DrawEntity& unit = UnitOf(e);
  if (unit.mark != mark) {
    SetUnit(unit, mark, points, changed);
    return;
  }
  SetUnit(unit, kMarkNone, points, changed);
}

void SelectionSet::Mark(DrawEntity& e, int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed) {
  SetUnit(UnitOf(e), mark, points, changed);
}

void SelectionSet::Clear(int16_t mark, SnapPointList& points, std::vector<DrawEntity*>* changed) {
  std::vector<DrawEntity*> kept;
  for (DrawEntity* e : records_) {
    if (e->mark == mark) {
      e->mark = kMarkNone;
      if (withSnapPoints_) points.SetEntityState(e, kSnapEnabled);
      if (changed) changed->push_back(e);
    } else if (e->mark != kMarkNone) {
      kept.push_back(e);
    }
  }
  records_ = std::move(kept);
}

std::vector<DrawEntity*> SelectionSet::Marked(int16_t mark) const {
  std::vector<DrawEntity*> out;
  for (DrawEntity* e : records_) {
    if (e->mark == mark) out.push_back(e);
  }
  // A record toggled off and on again stands in the set twice.
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool SelectionSet::Any(int16_t mark) const {
  for (const DrawEntity* e : records_) {
    if (e->mark == mark) return true;
  }
  return false;
}

}  // namespace plenwick
