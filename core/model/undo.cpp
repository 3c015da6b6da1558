// The one-step undo buffer: detaching and re-attaching chains of the very element records.
#include "model/undo.h"

#include "model/entity_core.h"

namespace plenwick {

namespace {

void FreeChainWithPoints(DrawEntity* first, SnapPointList* points) {
  while (first) {
    DrawEntity* next = first->next;
    if (points) points->RemoveEntityPoints(first);
    FreeEntity(first);
    first = next;
  }
}

// Cuts the list after `last` (which becomes the tail) and returns the cut-off chain. The chain's
// first element keeps its prev pointing at `last`, so it can be put back where it was.
DrawEntity* CutAfter(EntityList& list, DrawEntity* last) {
  DrawEntity* chain = last ? last->next : list.head;
  if (last) {
    last->next = nullptr;
  } else {
    list.head = nullptr;
  }
  list.tail = last;
  if (chain && list.snapPoints) list.snapPoints->NoteUnlinked(chain);
  return chain;
}

// Appends a detached chain after the tail.
void AppendChain(EntityList& list, DrawEntity* chain) {
  if (!chain) return;
  chain->prev = list.tail;
  if (list.tail) {
    list.tail->next = chain;
  } else {
    list.head = chain;
  }
  list.tail = LastOfChain(chain);
  if (list.snapPoints) list.snapPoints->NoteLinked(chain);
}

bool IsLinked(const EntityList& list, const DrawEntity* target) {
  for (const DrawEntity* e = list.tail; e; e = e->prev) {
    if (e == target) return true;
  }
  return false;
}

// Whether `later` is `first` or follows it in the list.
bool IsAtOrAfter(const DrawEntity* first, const DrawEntity* later) {
  for (const DrawEntity* e = first; e; e = e->next) {
    if (e == later) return true;
  }
  return false;
}

void ClearUndoFields(EntityList& list) {
  list.removedHead = list.removedTail = nullptr;
  list.replacedFirst = nullptr;
  list.reordered.clear();
  list.undoState = 0;
}

// Links `e` (out of the list) right after `after` (null: at the head).
void LinkAfter(EntityList& list, DrawEntity* after, DrawEntity* e) {
  DrawEntity* next = after ? after->next : list.head;
  e->prev = after;
  e->next = next;
  if (after) {
    after->next = e;
  } else {
    list.head = e;
  }
  if (next) {
    next->prev = e;
  } else {
    list.tail = e;
  }
}

// Puts the reordered records back after the records they followed, or moves them again.
void ToggleReorder(EntityList& list, bool back) {
  // Out of the list without telling anyone: they go straight back elsewhere.
  for (const auto& [e, before] : list.reordered) UnlinkQuietly(list, e);
  if (back) {
    // In their former order, so that a record that followed another moved one finds it in place.
    for (const auto& [e, before] : list.reordered) LinkAfter(list, before, e);
  } else {
    DrawEntity* after = list.reorderedToEnd ? list.tail : list.head;
    for (const auto& entry : list.reordered) {
      LinkAfter(list, after, entry.first);
      after = entry.first;
    }
  }
  if (list.snapPoints) list.snapPoints->NoteRestructured();
}

}  // namespace

DrawEntity* LastOfChain(DrawEntity* first) {
  if (!first) return nullptr;
  while (first->next) first = first->next;
  return first;
}

void FreeDetachedChains(EntityList& list) {
  switch (list.undoState) {
    case 0: case 1: case 3:
      FreeChainWithPoints(list.removedHead, list.snapPoints);
      break;
    case 4:
      FreeChainWithPoints(list.replacedFirst, list.snapPoints);
      break;
    default:
      break;  // state 2: the removed chain is back in the list for good
  }
  ClearUndoFields(list);
}

void BeginOperation(EntityList& list, SnapPointList& points) {
  SnapPointList* saved = list.snapPoints;
  list.snapPoints = &points;
  FreeDetachedChains(list);
  list.snapPoints = saved;
}

void BeginOperation(EntityList& list) { FreeDetachedChains(list); }

void RecordReorder(EntityList& list, std::vector<std::pair<DrawEntity*, DrawEntity*>> moved, bool toEnd) {
  FreeDetachedChains(list);
  if (moved.empty()) return;
  list.reordered = std::move(moved);
  list.reorderedToEnd = toEnd;
  list.undoState = 5;
}

namespace {

// Moves the marked elements `next` gives (in list order, until null) to a fresh removed chain.
template <typename Next>
void MoveMarkedToChain(EntityList& list, Next next) {
  // A chain still in the list (states 2 and 4 mean an earlier step was not closed) cannot take
  // more elements: close that step first so nothing is lost.
  if (list.undoState == 2 || list.undoState >= 4) FreeDetachedChains(list);
  DrawEntity* chainTail = LastOfChain(list.removedHead);
  bool moved = false;
  for (DrawEntity* e = next(); e; e = next()) {
    if (e->mark != kMarkDeleted) continue;
    UnlinkEntity(list, e);
    e->mark = kMarkNone;
    e->prev = chainTail;
    if (chainTail) {
      chainTail->next = e;
    } else {
      list.removedHead = e;
    }
    chainTail = e;
    moved = true;
  }
  list.removedTail = chainTail;
  // The deleted elements start a chain of their own: its head has no predecessor in the list.
  if (list.removedHead) list.removedHead->prev = nullptr;
  // Nothing marked leaves the step as it was (a replacement recorded before stays one).
  if (moved) {
    list.undoState = 1;
  } else if (!list.removedHead) {
    list.undoState = 0;
  }
}

}  // namespace

void CommitDeletion(EntityList& list) {
  DrawEntity* e = list.head;
  MoveMarkedToChain(list, [&]() -> DrawEntity* {
    DrawEntity* current = e;
    if (e) e = e->next;  // read before the element is moved away
    return current;
  });
}

void CommitDeletionOf(EntityList& list, std::span<DrawEntity* const> elements) {
  std::size_t i = 0;
  MoveMarkedToChain(list, [&]() -> DrawEntity* { return i < elements.size() ? elements[i++] : nullptr; });
}

void RemoveToUndo(EntityList& list, DrawEntity* entity) {
  if (!entity) return;
  if (list.undoState == 2 || list.undoState >= 4) FreeDetachedChains(list);
  UnlinkEntity(list, entity);
  if (list.removedHead) {
    // A second element removed by the same step joins the chain instead of replacing it.
    DrawEntity* last = LastOfChain(list.removedHead);
    last->next = entity;
    entity->prev = last;
  } else {
    list.removedHead = entity;
  }
  list.removedTail = entity;
  list.undoState = 1;
}

void RemoveGroupBlock(EntityList& list, DrawEntity* header) {
  if (!header) return;
  if (list.undoState == 2 || list.undoState >= 4) FreeDetachedChains(list);
  DrawEntity* last = header;
  while (last->next && last->next->owner == header) last = last->next;
  // Splice [header, last] out of the list.
  DrawEntity* before = header->prev;
  DrawEntity* after = last->next;
  if (before) {
    before->next = after;
  } else {
    list.head = after;
  }
  if (after) after->prev = before;
  header->prev = nullptr;
  last->next = nullptr;
  if (list.snapPoints) list.snapPoints->NoteUnlinked(header);
  if (list.removedHead) {
    DrawEntity* chainLast = LastOfChain(list.removedHead);
    chainLast->next = header;
    header->prev = chainLast;
  } else {
    list.removedHead = header;
  }
  list.removedTail = last;
  // The tail is found again by walking from the head.
  list.tail = list.head ? LastOfChain(list.head) : nullptr;
  list.undoState = 1;
}

void MarkReplacement(EntityList& list, DrawEntity* old, DrawEntity* replacement) {
  if (!old || !replacement) return;
  if (old->owner) {
    replacement->owner = old->owner;
    replacement->groupNo = old->groupNo;
  }
  if (list.removedHead) {
    list.replacedFirst = replacement;
    list.undoState = 3;
  }
}

int MarkAddedBlock(EntityList& list, DrawEntity* first, UserInterface& ui) {
  // A step still open with its chain back in the list is closed first: in state 0 the removed
  // chain is taken to be detached, and freed as such.
  if (list.undoState == 2 || list.undoState >= 4) FreeDetachedChains(list);
  if (list.replacedFirst) {
    ui.Beep();
    ui.ShowMessage("011:入換えエラー！");
    return 1;
  }
  list.replacedFirst = first;
  list.undoState = 0;
  return 0;
}

void Undo(EntityList& list, UserInterface& ui) {
  if (!list.tail) return;
  switch (list.undoState) {
    case 0: {
      // The block starts at the tail's header or dimension, or at the recorded start of the
      // added block, whichever comes first: a block may end with a group or a dimension.
      DrawEntity* start = list.tail;
      DrawEntity* owner = list.tail->owner && IsLinked(list, list.tail->owner) ? list.tail->owner : nullptr;
      DrawEntity* blockStart = list.replacedFirst && IsLinked(list, list.replacedFirst) ? list.replacedFirst : nullptr;
      if (owner && blockStart) {
        start = IsAtOrAfter(blockStart, owner) ? blockStart : owner;
      } else if (owner || blockStart) {
        start = owner ? owner : blockStart;
      }
      list.replacedFirst = nullptr;
      // The grid is never undone: an undo on a list that holds only it does nothing.
      if (start == list.head && start->kind == kGrid) {
        if (start == list.tail) return;
        start = start->next;
      }
      // A removed chain still detached in state 0 was made permanent by this block; free it
      // so that the block can take its place.
      if (list.removedHead) {
        FreeChainWithPoints(list.removedHead, list.snapPoints);
        list.removedHead = list.removedTail = nullptr;
      }
      list.removedHead = CutAfter(list, start->prev);
      list.removedTail = nullptr;
      list.undoState = 1;
      break;
    }
    case 1:
      if (!list.removedHead) {
        ui.ShowMessage("001:やり直しエラー！");
        list.undoState = 0;
        return;
      }
      AppendChain(list, list.removedHead);
      list.undoState = 2;
      break;
    case 2:
      if (list.removedHead) CutAfter(list, list.removedHead->prev);
      list.undoState = 1;
      break;
    case 3:
      if (!list.replacedFirst) {
        ui.ShowMessage("002:やり直しエラー！");
        list.undoState = 0;
        return;
      }
      // The first replacement may be the head, when every element before it was replaced too
      // (a drawing without a grid); any other record without a predecessor is not in the list.
      if (!list.replacedFirst->prev && list.replacedFirst != list.head) {
        ui.ShowMessage("003:やり直しエラー！");
        list.undoState = 0;
        return;
      }
      CutAfter(list, list.replacedFirst->prev);
      AppendChain(list, list.removedHead);
      list.undoState = 4;
      break;
    case 4:
      if (list.removedHead) CutAfter(list, list.removedHead->prev);
      AppendChain(list, list.replacedFirst);
      list.undoState = 3;
      break;
    case 5:
      ToggleReorder(list, true);
      list.undoState = 6;
      break;
    case 6:
      ToggleReorder(list, false);
      list.undoState = 5;
      break;
    default:
      break;
  }
}

}  // namespace plenwick
