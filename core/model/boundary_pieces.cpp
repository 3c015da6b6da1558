// Reading paint and hatching boundaries piece by piece.
#include "model/boundary_pieces.h"

namespace plenwick {

namespace {

// Reads one piece at value index i; false when the code is unknown or the values run out.
bool ReadPiece(const DrawEntity& e, int i, bool circlesAllowed, BoundaryPiece* piece) {
  const int n = e.valueCount;
  const int code = e.Code(i);
  piece->code = code;
  piece->first = i;
  if (code == 0 || code == 1) {
    piece->type = BoundaryPiece::kArc;
    return i + 5 <= n;
  }
  if (code == 10) {
    piece->type = BoundaryPiece::kVertex;
    return i + 2 <= n;
  }
  if (code == 50 && circlesAllowed) {
    piece->type = BoundaryPiece::kCircle;
    return i + 3 <= n;
  }
  return false;
}

int PieceLength(const BoundaryPiece& p) {
  switch (p.type) {
    case BoundaryPiece::kArc: return 5;
    case BoundaryPiece::kCircle: return 3;
    default: return 2;
  }
}

}  // namespace

std::vector<BoundaryPiece> BoundaryPieces(const DrawEntity& e, BoundaryLayout layout) {
  std::vector<BoundaryPiece> pieces;
  if (!e.values || !e.codes || e.valueCount <= 0) return pieces;
  BoundaryPiece piece;
  if (layout == BoundaryLayout::kPaint) {
    for (int i = 2; i < e.valueCount && ReadPiece(e, i, false, &piece); i += PieceLength(piece)) {
      pieces.push_back(piece);
    }
  } else {
    const int count = e.codes[0];
    int i = 7;
    for (int p = 0; p < count && i < e.valueCount && ReadPiece(e, i, true, &piece); ++p) {
      pieces.push_back(piece);
      i += PieceLength(piece);
    }
  }
  return pieces;
}

std::vector<BoundaryPiece> BoundaryPieces(const DrawEntity& e) {
  if (e.kind == kPaint) return BoundaryPieces(e, BoundaryLayout::kPaint);
  if (e.kind == kHatch) return BoundaryPieces(e, BoundaryLayout::kHatch);
  return {};
}

}  // namespace plenwick
