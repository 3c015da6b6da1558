// The entity core: creating, linking, freeing, reordering and translating elements.
#include "model/entity_core.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/snap_point_list.h"
#include "model/undo.h"

namespace plenwick {

EntityList::~EntityList() { ClearEntityList(*this); }

std::size_t EntityList::size() const {
  std::size_t n = 0;
  for (const DrawEntity* e = head; e; e = e->next) ++n;
  return n;
}

namespace {

bool KindIsKnown(int kind) { return KindHasCodes(kind) || kind == kFreeCurve || kind == kPolygon; }

bool OutOfRange(double v) { return !InCoordinateRange(v); }

std::unique_ptr<DrawEntity> BuildEntity(const EntityAttr& attr, const char* font, const int16_t* codes,
                                        int32_t colour, const double* values, const char* text,
                                        bool checkFirstCoordinate) {
  if (!KindIsKnown(attr.kind) || attr.valueCount < 0) return nullptr;
  // Curves are drawn, picked and intersected through samples of every piece: their size is
  // held to what the curve tools make.
  if (attr.kind == kBezierCurve && attr.valueCount > 2 * kMaxBezierPoints) return nullptr;
  if (attr.kind == kFreeCurve && attr.valueCount > 2 * kMaxFreeCurvePoints) return nullptr;
  if (attr.valueCount > 0 && !values) return nullptr;
  if (checkFirstCoordinate && attr.valueCount > 0 && OutOfRange(values[0])) return nullptr;
  if (attr.valueCount > 1 && OutOfRange(values[1])) return nullptr;

  const int n = attr.valueCount;
  const bool withCodes = KindHasCodes(attr.kind);
  auto e = NewEntityRecord(n, withCodes);
  if (!e) return nullptr;
  e->kind = attr.kind;
  e->subKind = attr.subKind;
  e->lineAttr = attr.lineAttr;
  e->layer = attr.layer;
  e->valueCount = attr.valueCount;
  e->colour = colour;

  if (KindHasText(attr.kind) && text) e->text.Assign(text);
  if (KindHasFont(attr.kind)) e->font.Assign(font ? std::string_view(font) : kDefaultFontSjis);

  if (n > 0) {
    const auto count = static_cast<std::size_t>(n);
    std::memcpy(e->values.get(), values, sizeof(double) * count);
    if (withCodes) {
      if (codes) {
        std::memcpy(e->codes.get(), codes, sizeof(int16_t) * count);
      } else {
        std::memset(e->codes.get(), 0, sizeof(int16_t) * count);
      }
    }
  }
  return e;
}

// Group numbers are stored in 16 bits: once they have all been handed out, the lowest one no
// header holds (in the list or in a chain undo may bring back) is used again. 0 when every
// number is held.
int TakeGroupNumber(EntityList& list) {
  constexpr int kLastGroupNumber = std::numeric_limits<int16_t>::max();
  if (list.nextGroupNo >= 1 && list.nextGroupNo <= kLastGroupNumber) return list.nextGroupNo++;
  std::vector<bool> held(kLastGroupNumber + 1);
  auto note = [&held](const DrawEntity* first) {
    for (const DrawEntity* e = first; e; e = e->next) {
      if (e->kind == kGroupHeader && e->groupNo > 0) held[static_cast<std::size_t>(e->groupNo)] = true;
    }
  };
  note(list.head);
  note(list.removedHead);
  note(list.replacedFirst);
  for (int number = 1; number <= kLastGroupNumber; ++number) {
    if (!held[static_cast<std::size_t>(number)]) return number;
  }
  return 0;
}

DimensionPartsGenerators& Generators() {
  static DimensionPartsGenerators generators;
  return generators;
}

}  // namespace

void AppendEntity(EntityList& list, std::unique_ptr<DrawEntity> entity) {
  DrawEntity* e = entity.release();  // the list owns its records from here on
  e->prev = list.tail;
  e->next = nullptr;
  if (list.tail) {
    list.tail->next = e;
  } else {
    list.head = e;
  }
  list.tail = e;
  if (list.snapPoints) list.snapPoints->NoteLinked(e);
}

void UnlinkQuietly(EntityList& list, DrawEntity* e) {
  if (e->prev) {
    e->prev->next = e->next;
  } else {
    list.head = e->next;
  }
  if (e->next) {
    e->next->prev = e->prev;
  } else {
    list.tail = e->prev;
  }
  e->prev = e->next = nullptr;
}

void UnlinkEntity(EntityList& list, DrawEntity* e) {
  UnlinkQuietly(list, e);
  if (list.snapPoints) list.snapPoints->NoteUnlinked(e);
}

int AddEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
              int32_t colour, const double* values, const char* text, DrawEntity** added) {
  auto e = BuildEntity(attr, font, codes, colour, values, text, attr.kind != kDimension);
  if (!e) return 1;
  if (e->kind == kGroupHeader) {
    const int number = TakeGroupNumber(list);
    if (number == 0) return 1;
    e->groupNo = static_cast<int16_t>(number);
  }
  DrawEntity* raw = e.get();
  AppendEntity(list, std::move(e));
  if (added) *added = raw;
  if (raw->kind == kDimension) GenerateDimensionParts(list, *raw);
  return 0;
}

int AddStoredEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
                    int32_t colour, const double* values, const char* text, int16_t groupNo, DrawEntity** added) {
  auto e = BuildEntity(attr, font, codes, colour, values, text, attr.kind != kDimension);
  if (!e) return 1;
  DrawEntity* raw = e.get();
  AppendEntity(list, std::move(e));
  if (added) *added = raw;
  if (raw->kind == kDimension) GenerateDimensionParts(list, *raw);
  raw->groupNo = groupNo;
  return 0;
}

int AddChildEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
                   int32_t colour, const double* values, const char* text, DrawEntity* owner,
                   DrawEntity** added) {
  auto e = BuildEntity(attr, font, codes, colour, values, text, true);
  if (!e) return 1;
  e->owner = owner;
  if (owner && owner->groupNo != 0) e->groupNo = owner->groupNo;
  DrawEntity* raw = e.get();
  AppendEntity(list, std::move(e));
  if (added) *added = raw;
  if (raw->kind == kDimension) GenerateDimensionParts(list, *raw);
  return 0;
}

int AddCurveFromPoints(const EntityAttr& attr, EntityList& list, int32_t colour, const CurvePoint* points) {
  if (attr.valueCount < 0 || attr.valueCount > kMaxFreeCurvePoints) return 1;
  const int n = attr.valueCount;
  auto xy = std::make_unique<double[]>(static_cast<std::size_t>(n) * 2);
  int i = 0;
  for (const CurvePoint* p = points; p && i < n; p = p->next, ++i) {
    xy[static_cast<std::size_t>(2 * i)] = p->x;
    xy[static_cast<std::size_t>(2 * i + 1)] = p->y;
  }
  if (i < n) return 1;  // fewer points linked than announced
  EntityAttr curve = attr;
  curve.kind = kFreeCurve;
  curve.valueCount = static_cast<int16_t>(2 * n);
  return AddEntity(curve, nullptr, list, nullptr, colour, xy.get(), nullptr);
}

void FreeEntity(DrawEntity* entity) {
  std::unique_ptr<DrawEntity> owned(entity);  // members free their arrays and strings
}

void FreeChain(DrawEntity* first) {
  while (first) {
    DrawEntity* next = first->next;
    FreeEntity(first);
    first = next;
  }
}

void ClearEntityList(EntityList& list) {
  // Detached undo chains belong to the list too; freeing only the linked elements would leak
  // them, and keeping the undo fields would leave them naming freed records.
  FreeDetachedChains(list);
  if (list.snapPoints) list.snapPoints->Clear();
  FreeChain(list.head);
  list.head = list.tail = nullptr;
  list.nextGroupNo = 1;
}

DrawEntity* EntityAt(const EntityList& list, int index) {
  if (index < 0) return nullptr;
  DrawEntity* e = list.head;
  for (int i = 0; e && i < index; ++i) e = e->next;
  return e;
}

namespace {

void MovePair(double* v, int i, int count, double dx, double dy) {
  if (i + 1 < count) {
    v[i] += dx;
    v[i + 1] += dy;
  }
}

// Boundary pieces of a paint or hatch: coded 0/1 arc pieces of 5 values whose 1st-2nd and
// 4th-5th values are points, coded 10 vertices of 2 values, coded 50 circles of 3 values.
void TranslateHatch(DrawEntity& e, double dx, double dy) {
  double* v = e.values.get();
  const int n = e.valueCount;
  MovePair(v, 3, n, dx, dy);
  MovePair(v, 5, n, dx, dy);
  const int pieces = n > 0 ? e.codes[0] : 0;
  int i = 7;
  for (int p = 0; p < pieces && i < n; ++p) {
    const int code = e.codes[i];
    if (code == 0 || code == 1) {
      MovePair(v, i, n, dx, dy);
      MovePair(v, i + 3, n, dx, dy);
      i += 5;
    } else if (code == 10) {
      MovePair(v, i, n, dx, dy);
      i += 2;
    } else if (code == 50) {
      MovePair(v, i, n, dx, dy);
      i += 3;
    } else {
      break;  // unknown piece: its length is unknown, so the walk cannot go on
    }
  }
}

void TranslatePaint(DrawEntity& e, double dx, double dy) {
  double* v = e.values.get();
  const int n = e.valueCount;
  int i = 2;
  while (i < n) {
    const int code = e.codes[i];
    if (code == 0 || code == 1) {
      MovePair(v, i, n, dx, dy);
      MovePair(v, i + 3, n, dx, dy);
      i += 5;
    } else if (code == 10) {
      MovePair(v, i, n, dx, dy);
      i += 2;
    } else {
      break;
    }
  }
}

}  // namespace

void TranslateEntities(DrawEntity* first, double dx, double dy) {
  for (DrawEntity* e = first; e; e = e->next) {
    double* v = e->values.get();
    const int n = v ? e->valueCount : 0;
    switch (e->kind) {
      case kPoint: case kCircle: case kArc: case kText:
        MovePair(v, 0, n, dx, dy);
        break;
      case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
        MovePair(v, 0, n, dx, dy);
        MovePair(v, 2, n, dx, dy);
        break;
      case kBezierCurve: case kFreeCurve: case kPolygon:
        for (int i = 0; i + 1 < n; i += 2) MovePair(v, i, n, dx, dy);
        break;
      case kLeaderText:
        MovePair(v, 0, n, dx, dy);
        MovePair(v, 5, n, dx, dy);
        MovePair(v, 7, n, dx, dy);
        MovePair(v, 9, n, dx, dy);
        break;
      case kDimension:
        for (int i = 0; i < n; ++i) {
          const int code = e->codes[i];
          if (code >= 40 && code <= 449) {
            if (code % 10 == 0) v[i] += dx;
            if (code % 10 == 1) v[i] += dy;
          }
        }
        break;
      case kPaint:
        TranslatePaint(*e, dx, dy);
        break;
      case kHatch:
        TranslateHatch(*e, dx, dy);
        break;
      default:
        break;  // grid, group header and image stay where they are
    }
  }
}

namespace {

// Collects the elements with mark 3 (optionally sparing one) into a chain in list order.
DrawEntity* DetachPicked(EntityList& list, const DrawEntity* spare, DrawEntity** chainTail) {
  DrawEntity* chainHead = nullptr;
  *chainTail = nullptr;
  for (DrawEntity* e = list.head; e;) {
    DrawEntity* next = e->next;
    if (e->mark == kMarkPicked && e != spare) {
      UnlinkQuietly(list, e);
      e->mark = kMarkNone;
      e->prev = *chainTail;
      if (*chainTail) {
        (*chainTail)->next = e;
      } else {
        chainHead = e;
      }
      *chainTail = e;
    }
    e = next;
  }
  return chainHead;
}

}  // namespace

void BringMarkedToFront(EntityList& list) {
  if (!list.head) return;
  DrawEntity* grid = list.head;
  // The head (the grid) stays the head even if it carries mark 3.
  DrawEntity* chainTail = nullptr;
  DrawEntity* chain = DetachPicked(list, grid, &chainTail);
  if (!chain) return;
  DrawEntity* after = grid->next;
  grid->next = chain;
  chain->prev = grid;
  chainTail->next = after;
  if (after) {
    after->prev = chainTail;
  } else {
    list.tail = chainTail;
  }
  if (list.snapPoints) list.snapPoints->NoteRestructured();
}

void SendMarkedToBack(EntityList& list) {
  if (!list.tail) return;
  // A marked tail moves too: sparing it would put it before the others and split a group whose
  // last member it is from its header.
  DrawEntity* chainTail = nullptr;
  DrawEntity* chain = DetachPicked(list, nullptr, &chainTail);
  if (!chain) return;
  chain->prev = list.tail;
  if (list.tail) {
    list.tail->next = chain;
  } else {
    list.head = chain;
  }
  list.tail = chainTail;
  if (list.snapPoints) list.snapPoints->NoteLinked(chain);
}

std::string_view FindDimensionFont(const EntityList& list, const DrawEntity* dimension) {
  for (const DrawEntity* e = list.head; e; e = e->next) {
    if (e->owner == dimension && e->kind == kText) return e->font.view();
  }
  return kSystemFont;
}

void LinkGroupMembers(EntityList& list) {
  // Two passes rather than one per header: a loaded drawing may hold many thousands of groups.
  // When several headers share a number (a header registered into a new group, or a damaged
  // file) the last one owns the others, so owner links never form a cycle.
  std::unordered_map<int16_t, DrawEntity*> headers;
  for (DrawEntity& e : list) {
    if (e.kind == kGroupHeader && e.groupNo != 0) headers[e.groupNo] = &e;
  }
  if (headers.empty()) return;
  for (DrawEntity& e : list) {
    // A dimension's generated parts copy its group number but belong to the dimension.
    if (e.groupNo == 0 || IsDimensionPart(e)) continue;
    const auto it = headers.find(e.groupNo);
    if (it != headers.end() && it->second != &e) e.owner = it->second;
  }
}

void ClearOrphanGroupNumbers(EntityList& list) {
  for (DrawEntity& e : list) {
    if (!e.owner && e.groupNo != 0 && e.kind != kGroupHeader) e.groupNo = 0;
  }
}

int HighestGroupNumber(const EntityList& list) {
  int highest = 0;
  for (const DrawEntity& e : list) highest = std::max<int>(highest, e.groupNo);
  return highest;
}

DimensionPartsGenerators InstallDimensionPartsGenerators(DimensionPartsGenerators generators) {
  return std::exchange(Generators(), std::move(generators));
}

void GenerateDimensionParts(EntityList& list, DrawEntity& dimension) {
  const DimensionPartsGenerators& g = Generators();
  switch (dimension.subKind) {
    case 1: case 2:
      if (g.linear) g.linear(list, dimension, dimension.subKind);
      break;
    case 3:
      if (g.perimeter) g.perimeter(list, dimension, 0);
      break;
    case 6: case 7:
      if (g.angle) g.angle(list, dimension, 0);
      break;
    case 8:
      if (g.area) g.area(list, dimension, 0);
      break;
    default:
      if (g.linear) g.linear(list, dimension, 0);
      break;
  }
}

}  // namespace plenwick
