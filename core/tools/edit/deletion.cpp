// Deletion marks: owners and members kept together, and the window deletion's filter.
#include "tools/edit/deletion.h"

#include <unordered_map>

namespace plenwick {

namespace {

bool Marked(const DrawEntity& e) { return e.mark == kMarkDeleted; }

bool OwnedBy(const DrawEntity& e, int ownerKind) { return e.owner && e.owner->kind == ownerKind; }

}  // namespace

bool Deletable(const DrawEntity& e, int currentLayer) { return e.layer == currentLayer && e.kind != kGrid; }

DrawEntity& TopOwner(DrawEntity& e) {
  DrawEntity* top = &e;
  // Owners nest at most a group around a dimension; the bound keeps a hostile cycle finite.
  for (int depth = 0; top->owner && depth < 8; ++depth) top = top->owner;
  return *top;
}

void CloseDeletionOverOwners(EntityList& list, int currentLayer) {
  // A marked part marks its dimension: dimension parts are never kept alone.
  for (DrawEntity& e : list) {
    if (!Marked(e) || !OwnedBy(e, kDimension)) continue;
    if (Deletable(*e.owner, currentLayer)) {
      e.owner->mark = kMarkDeleted;
    } else {
      e.mark = kMarkNone;
    }
  }
  // A marked group header takes its members, then a marked dimension its parts.
  for (int ownerKind : {kGroupHeader, kDimension}) {
    for (DrawEntity& e : list) {
      if (OwnedBy(e, ownerKind) && Marked(*e.owner) && Deletable(e, currentLayer)) e.mark = kMarkDeleted;
    }
  }
  // A group header goes exactly when all its members go.
  struct Tally {
    int members = 0;
    int marked = 0;
  };
  std::unordered_map<DrawEntity*, Tally> groups;
  for (DrawEntity& e : list) {
    if (!OwnedBy(e, kGroupHeader)) continue;
    Tally& tally = groups[e.owner];
    ++tally.members;
    tally.marked += Marked(e) ? 1 : 0;
  }
  for (auto& [header, tally] : groups) {
    const bool all = tally.marked == tally.members && Deletable(*header, currentLayer);
    if (all) {
      header->mark = kMarkDeleted;
    } else if (Marked(*header)) {
      header->mark = kMarkNone;
    }
  }
}

int ApplyDeleteFilter(EntityList& list, int currentLayer, const DeleteChoice& choice) {
  for (DrawEntity& e : list) {
    if (!Deletable(e, currentLayer) || Marked(e)) continue;
    const bool inside = e.mark == kMarkTemporary;
    e.mark = kMarkNone;
    if (inside == choice.outside) continue;  // not in the deleted range
    bool takes = false;
    if (OwnedBy(e, kDimension)) {
      takes = choice.TakesKind(kDimension);
    } else if (OwnedBy(e, kGroupHeader)) {
      takes = true;
    } else {
      // A group header's fate is its members'.
      takes = e.kind != kGroupHeader && choice.TakesKind(e.kind);
    }
    if (takes) e.mark = kMarkDeleted;
  }
  CloseDeletionOverOwners(list, currentLayer);
  int marked = 0;
  for (const DrawEntity& e : list) marked += Marked(e) ? 1 : 0;
  return marked;
}

}  // namespace plenwick
