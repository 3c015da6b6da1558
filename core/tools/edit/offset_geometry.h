// Offsets: parallel copies at a distance of circles, of chains of lines and arcs walked from a
// free end, and of closed loops, consecutive copies joined where they meet.
#pragma once

#include <optional>
#include <vector>

#include "tools/edit/offset_chain.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// A new record of an offset and the record whose attributes it takes.
struct OffsetRecord {
  const DrawEntity* source = nullptr;
  RecordGeometry geometry;
};

// The offset of a circle or of an arc that draws a whole circle, by d: smaller when q lies inside
// or on it, else larger. None when it would vanish (a radius below 0.05 mm) or cannot be stored.
std::optional<RecordGeometry> OffsetRound(const DrawEntity& e, ModelPoint q, double d);

// The side of the walk (+1 left, −1 right) that q names against the first piece of a chain: for
// a line the side of q; for an arc its inner side when q lies nearer to the centre than the
// radius, else the side of its chord q lies on.
int SideOfFirstPiece(const WalkedPiece& first, ModelPoint q);

// The side of the walk a loop's inside lies on (+1 left, −1 right).
int InsideSideOf(const Chain& loop);

// Every piece of the chain offset by d > 0 to `side` of the walk, each meeting its neighbours at
// the point where their offsets cross (the one nearest to where they would end alone; ends whose
// offsets never meet, as of parallel or missing pieces, stay where they fall), round and round for
// a loop. Lines keep their stored order and variant, arcs their direction. None when an offset
// vanishes: a radius that would fall below 0.05 mm, or a piece that would turn back or shrink to
// nothing.
std::optional<std::vector<OffsetRecord>> OffsetChain(const Chain& chain, int side, double d);

}  // namespace plenwick
