// The document's characteristic points (ends, midpoints, quadrants, intersections...) that
// snapping searches, each tied to the element it belongs to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/draw_entity.h"
#include "platform/cell_pages.h"
#include "platform/flat_map.h"

namespace plenwick {

struct EntityList;

// Point kinds.
enum SnapPointKind : int16_t {
  kSnapPoint = 1,
  kSnapLineStart = 2,  // also every vertex of a control-point curve or a polygon
  kSnapLineEnd = 3,
  kSnapLineMidpoint = 4,
  kSnapCurveStart = 5,
  kSnapCurveEnd = 6,
  kSnapQuadrant0 = 7,  // 7..10: left, right, bottom and top point of a circle
  kSnapArcQuadrant = 11,
  kSnapArcStart = 12,
  kSnapArcEnd = 13,
  kSnapIntersection = 14,
  kSnapImageCorner0 = 17,  // 17..20: the four image corners
};

// State of a point that snapping takes; any other state (the element's mark, or -1 while the
// element sits in the undo buffer) keeps it out of the searches.
inline constexpr int16_t kSnapEnabled = 0;
inline constexpr int16_t kSnapDisabled = -1;

class SnapPointList;

struct SnapPoint {
  SnapPoint() = default;

  SnapPoint* prev = nullptr;
  SnapPoint* next = nullptr;
  DrawEntity* entity = nullptr;
  int16_t pointKind = 0;
  int16_t snapState = 0;  // copy of the element's mark; -1 while the element sits in the undo buffer

  // Position in list order: later points have larger numbers.
  uint32_t order() const { return order_; }

 private:
  friend class SnapPointList;
  static constexpr uint32_t kNone = UINT32_MAX;
  // A new last point, each field written once.
  SnapPoint(SnapPoint* before, DrawEntity* owner, int16_t kind, uint32_t order, double px, double py)
      : prev(before), entity(owner), pointKind(kind), order_(order), x(px), y(py) {}
  uint32_t order_ = 0;

 public:
  double x = 0;  // model mm; fixed once added (the list files the point by position)
  double y = 0;

 private:
  // Bookkeeping of the list, by number (points: pool slots; elements: EntityNumber).
  uint32_t partner_ = kNone;      // an intersection's other element
  uint32_t cellNext_ = kNone;     // next point filed in the same grid cell
  uint32_t ownerNext_ = kNone;    // next point of the same element
  uint32_t partnerNext_ = kNone;  // next intersection naming the same partner
};

// A structure built from the element list (the picking index) that must follow the list without
// walking it: the list operations report every link change through the snap-point list.
class EntityListObserver {
 public:
  virtual ~EntityListObserver() = default;
  // `first` and the elements after it (up to a null next) were just linked at the tail.
  virtual void Linked(DrawEntity* first) = 0;
  // `first` and the elements after it (up to a null next) were just taken out of the list.
  virtual void Unlinked(DrawEntity* first) = 0;
  // Elements moved inside the list (or changed in place): rebuild from the list.
  virtual void Restructured() = 0;
  // The element (with this EntityNumber) is about to be freed; its number will be reused.
  virtual void Forget(const DrawEntity* entity, uint32_t number) = 0;
  // Every element is being forgotten (the points were cleared); every number will be reused.
  virtual void ForgetAll() = 0;
};

class SnapPointList {
 public:
  static constexpr uint32_t kNoNumber = UINT32_MAX;

  SnapPointList() = default;
  SnapPointList(const SnapPointList&) = delete;
  SnapPointList& operator=(const SnapPointList&) = delete;
  ~SnapPointList();

  // Appends a point of `entity`; its state starts as the element's mark (disabled while the
  // element is detached).
  SnapPoint* Add(DrawEntity* entity, int16_t pointKind, double x, double y);
  // Appends several points of `entity`, as Add on each in turn would.
  struct NewPoint {
    int16_t pointKind;
    double x;
    double y;
  };
  void AddAll(DrawEntity* entity, std::span<const NewPoint> points);
  // Appends an intersection (kind 14) of `entity` with `partner`: it is disabled while either
  // element is out of the list and deleted with either of them.
  SnapPoint* AddIntersection(DrawEntity* entity, DrawEntity* partner, double x, double y);
  // The other element of an intersection; null for other points.
  DrawEntity* PartnerOf(const SnapPoint* p) const;
  // Deletes every point of the element and every intersection naming it (it is being freed).
  void RemoveEntityPoints(const DrawEntity* entity);
  // Sets the state of every point of the element (-1 disables, 0 enables, a mark keeps it out of
  // snapping); points of an element or partner in the undo buffer stay disabled.
  void SetEntityState(const DrawEntity* entity, int16_t state);
  // The element left the list (undo buffer): its points and the intersections naming it are
  // disabled.
  void DisableEntity(const DrawEntity* entity);
  // The element is back in the list: its points take its mark again, and intersections whose
  // two elements are both in the list are enabled.
  void EnableEntity(const DrawEntity* entity);
  void Clear();

  // The points of one element, in the order they were added.
  class EntityPoints {
   public:
    class Iterator {
     public:
      Iterator(const SnapPointList* list, uint32_t n) : list_(list), n_(n) {}
      SnapPoint* operator*() const { return list_->PointAt(n_); }
      Iterator& operator++() {
        n_ = list_->PointAt(n_)->ownerNext_;
        return *this;
      }
      bool operator==(const Iterator& o) const { return n_ == o.n_; }

     private:
      const SnapPointList* list_;
      uint32_t n_;
    };
    EntityPoints(const SnapPointList* list, uint32_t first) : list_(list), first_(first) {}
    Iterator begin() const { return Iterator(list_, first_); }
    Iterator end() const { return Iterator(list_, SnapPoint::kNone); }
    bool empty() const { return first_ == SnapPoint::kNone; }
    std::size_t size() const;

   private:
    const SnapPointList* list_;
    uint32_t first_;
  };
  EntityPoints PointsOf(const DrawEntity* entity) const;

  SnapPoint* head() const { return head_; }
  SnapPoint* tail() const { return tail_; }
  std::size_t size() const { return size_; }

  // Calls visit(point) for every point whose position may lie within `radius` (model mm, by
  // Chebyshev distance) of (x, y): a superset, in no particular order. visit returns a new
  // radius to narrow the search (return the radius unchanged to keep it). The rings of cells
  // nearest to (x, y) are visited first.
  template <typename Visit>
  void VisitNear(double x, double y, double radius, Visit&& visit) const;

  // ---- Element numbers ---------------------------------------------------------------------
  // A small number for every element the list has been told about, reused once the element is
  // freed (RemoveEntityPoints) or the list cleared: observers keep their data per number.
  uint32_t EntityNumber(const DrawEntity* entity);
  uint32_t FindEntityNumber(const DrawEntity* entity) const;
  // Makes room at once for numbering `more` elements (a drawing being registered whole).
  void ReserveEntityNumbers(std::size_t more) { slots_.reserve(slots_.size() + more); }

  // ---- Following the element list ----------------------------------------------------------
  // Called by the list operations (entity core, undo) as they link and unlink elements; they
  // keep the points' states in step and inform the observer.
  void NoteLinked(DrawEntity* first);
  void NoteUnlinked(DrawEntity* first);
  void NoteRestructured();
  // The observer (owned by the list) is told of every change from now on.
  void SetObserver(std::unique_ptr<EntityListObserver> observer);
  EntityListObserver* observer() const { return observer_.get(); }

 private:
  struct EntitySlot {
    const DrawEntity* entity = nullptr;
    uint32_t ownFirst = SnapPoint::kNone;
    uint32_t ownLast = SnapPoint::kNone;
    uint32_t partnerFirst = SnapPoint::kNone;  // intersections of other elements naming this one
    bool detached = false;
    bool carried = false;  // the element carries the number (else `numbers_` holds it)
  };

  // Grid cell edge in model mm; points outside the cell range are kept apart.
  static constexpr double kCellSize = 64.0;
  static constexpr uint32_t kChunkBits = 10;  // 1024 points per pool chunk
  static bool CellOf(double x, double y, CellKey* key) {
    return CellNumberOf(x, 1 / kCellSize, &key->x) && CellNumberOf(y, 1 / kCellSize, &key->y);
  }

  // Room for one point; points are made in it when allocated (a chunk is not written twice).
  struct alignas(SnapPoint) PointRoom {
    unsigned char bytes[sizeof(SnapPoint)];
  };
  PointRoom* RoomAt(uint32_t n) const { return &chunks_[n >> kChunkBits][n & ((1u << kChunkBits) - 1)]; }
  SnapPoint* PointAt(uint32_t n) const { return std::launder(reinterpret_cast<SnapPoint*>(RoomAt(n))); }
  // A chunk for 1 << kChunkBits points: one kept from a cleared list when there is one.
  struct KeptChunks;
  static KeptChunks& Kept();
  static std::unique_ptr<PointRoom[]> NewChunk();
  // Keeps the chunks of a list being cleared (up to a bound) for later lists.
  static void KeepChunks(std::vector<std::unique_ptr<PointRoom[]>>& chunks);
  uint32_t Allocate();
  void Release(uint32_t n);
  uint32_t Append(DrawEntity* entity, int16_t pointKind, double x, double y);
  uint32_t Append(uint32_t owner, DrawEntity* entity, int16_t pointKind, double x, double y);
  void FileInCell(uint32_t n);
  void UnfileFromCell(uint32_t n);
  void UnlinkFromList(SnapPoint* p);
  void Unchain(uint32_t* first, uint32_t n, uint32_t SnapPoint::*link, uint32_t* last = nullptr);
  void Free(uint32_t n);
  int16_t EnabledState(const SnapPoint* p) const;
  bool IsDetached(uint32_t number) const;
  void Renumber();

  SnapPoint* head_ = nullptr;
  SnapPoint* tail_ = nullptr;
  std::size_t size_ = 0;
  std::size_t detached_ = 0;  // slots marked detached: while none is, no lookup is needed
  uint32_t nextOrder_ = 0;

  std::vector<std::unique_ptr<PointRoom[]>> chunks_;
  uint32_t allocated_ = 0;  // pool slots handed out so far
  uint32_t freePoints_ = SnapPoint::kNone;

  std::vector<EntitySlot> slots_;
  std::vector<uint32_t> freeSlots_;
  FlatMap<const DrawEntity*, uint32_t, PointerHash> numbers_;  // elements that carry another number
  CellPages cells_;              // cell → first point filed there
  std::size_t filedCells_ = 0;  // cells holding points
  uint32_t outside_ = SnapPoint::kNone;  // points too far out (or not numbers) to file in a cell
  std::unique_ptr<EntityListObserver> observer_;
};

template <typename Visit>
void SnapPointList::VisitNear(double x, double y, double radius, Visit&& visit) const {
  auto visitChain = [&](uint32_t n) {
    while (n != SnapPoint::kNone) {
      const SnapPoint* p = PointAt(n);
      radius = visit(p);
      n = p->cellNext_;
    }
  };
  visitChain(outside_);
  if (filedCells_ == 0) return;
  CellKey centre;
  if (!CellOf(x, y, &centre) || !(radius >= 0)) {
    // No cell to start from: every filed point is a candidate.
    cells_.ForEach([&](const CellKey&, uint32_t first) { visitChain(first); });
    return;
  }
  // Ring k holds the cells at Chebyshev cell distance k; a point in ring k or beyond lies at
  // least (k - 1) cells away, so the search stops once that exceeds the radius. When the rings
  // would cover more cells than are filed, walking the filed cells is cheaper.
  for (int64_t k = 0;; ++k) {
    if (static_cast<double>(k - 1) * kCellSize > radius) return;
    const double side = static_cast<double>(2 * k + 1);
    if (side * side > 4.0 * static_cast<double>(filedCells_) + 64.0) {
      cells_.ForEach([&](const CellKey& key, uint32_t first) {
        const int64_t dx = std::abs(static_cast<int64_t>(key.x) - centre.x);
        const int64_t dy = std::abs(static_cast<int64_t>(key.y) - centre.y);
        if (dx < k && dy < k) return;  // rings already visited
        visitChain(first);
      });
      return;
    }
    for (int64_t cy = centre.y - k; cy <= centre.y + k; ++cy) {
      const bool edgeRow = cy == centre.y - k || cy == centre.y + k;
      for (int64_t cx = centre.x - k; cx <= centre.x + k; cx += (edgeRow || k == 0) ? 1 : 2 * k) {
        if (cx < INT32_MIN || cx > INT32_MAX || cy < INT32_MIN || cy > INT32_MAX) continue;
        visitChain(cells_.Get(CellKey{static_cast<int32_t>(cx), static_cast<int32_t>(cy)}));
      }
    }
  }
}

// Computes and adds the characteristic points of newly added elements (and their intersections
// with the other elements). The program's start-up (InstallToolExtensions) installs the real
// computation of the picking and snapping code; until one is installed nothing is registered.
struct SnapPointRegistrar {
  // The points of one element, right after it was appended.
  using ForOne = std::function<void(SnapPointList& points, EntityList& entities, DrawEntity& added)>;
  // The points of the elements a reader appended (`added`: in list order, without the parts
  // generated for them), once the last was appended: the same points, in the same order, as ForOne
  // run on each right after it was appended.
  using ForLoaded =
      std::function<void(SnapPointList& points, EntityList& entities, std::span<DrawEntity* const> added)>;

  SnapPointRegistrar() = default;
  SnapPointRegistrar(ForOne one, ForLoaded loaded) : forOne(std::move(one)), forLoaded(std::move(loaded)) {}
  // The computation for one element alone: readers then run it as they append each element.
  template <typename F>
    requires std::is_invocable_v<F&, SnapPointList&, EntityList&, DrawEntity&>
  SnapPointRegistrar(F one) : forOne(std::move(one)) {}

  ForOne forOne;
  ForLoaded forLoaded;
};
// Returns the previous registrar.
SnapPointRegistrar InstallSnapPointRegistrar(SnapPointRegistrar registrar);
void RegisterSnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added);
// Whether the installed registrar registers a reader's elements all together (ForLoaded); else
// readers register each element as they append it.
bool RegistersLoadedTogether();
// Runs ForLoaded (nothing when none is installed).
void RegisterLoadedSnapPoints(SnapPointList& points, EntityList& entities, std::span<DrawEntity* const> added);

}  // namespace plenwick
