// The one-step undo buffer: detaching and re-attaching chains of the very element records.
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "model/user_interface.h"

namespace plenwick {

// Makes the recorded step permanent: frees whatever chain is detached (and its snap points).
void BeginOperation(EntityList& list, SnapPointList& points);
// The same with the list's own snap-point list (if any).
void BeginOperation(EntityList& list);
// Moves every element marked -1 out of the list into a fresh removed chain (marks reset to 0).
void CommitDeletion(EntityList& list);
// The same for just the listed elements (those marked -1 among them), given in list order, so that
// a few can leave a long list without a walk of it.
void CommitDeletionOf(EntityList& list, std::span<DrawEntity* const> elements);
// Detaches one element into the removed chain.
void RemoveToUndo(EntityList& list, DrawEntity* entity);
// Detaches a group header with the run of its members right after it.
void RemoveGroupBlock(EntityList& list, DrawEntity* header);
// Records `replacement` (already appended) as the first element replacing `old` (already removed).
void MarkReplacement(EntityList& list, DrawEntity* old, DrawEntity* replacement);
// Records the first element of a block about to be appended, so that undo removes the whole block.
// Returns 1 (after a beep and "011:入換えエラー！") when a block start is already recorded.
int MarkAddedBlock(EntityList& list, DrawEntity* first, UserInterface& ui);
// Records a change of drawing order as the step: `moved` are the records moved, in their former
// list order, each with the record it followed (null: the head), already moved to the end of the
// list (toEnd) or to just after its head, in that order. Undo puts them back; redo moves them
// again. Makes the step before it permanent.
void RecordReorder(EntityList& list, std::vector<std::pair<DrawEntity*, DrawEntity*>> moved, bool toEnd);
// One toggle of the recorded step.
void Undo(EntityList& list, UserInterface& ui);

// The last element of a chain linked by next.
DrawEntity* LastOfChain(DrawEntity* first);
// Frees whatever chain the current undo state keeps outside the list (with the chain's snap
// points), then clears the four undo fields: the step becomes permanent.
void FreeDetachedChains(EntityList& list);

}  // namespace plenwick
