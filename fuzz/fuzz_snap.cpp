// Fuzzes picking, snapping and the registration of snap points with hostile elements (any value
// bit patterns: NaN, infinities, huge and degenerate coordinates, short value arrays) and list
// edits: nothing may fault or hang, the indexed answers must equal a plain walk of the lists, and
// the elements registered all at once (as a drawing read) must get the points, in the order, that
// registering each right after appending it gives.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "model/undo.h"
#include "view/pick.h"
#include "fuzz_bytes.h"
#include "view/selection.h"
#include "view/snap.h"
#include "registered_points.h"
#include "tools/standard_tools.h"
#include "view/snap_registration.h"

namespace {

using namespace plenwick;

using Bytes = fuzzing::FuzzBytes;

PickHit LinearPick(const PickView& view, int filter, PixelPoint click) {
  PickWalk walk(view, filter, click);
  for (DrawEntity& e : *view.entities) {
    if (walk.Offer(e)) break;
  }
  return walk.result();
}

const SnapPoint* LinearNearest(const SnapPointList& points, ModelPoint at) {
  const SnapPoint* winner = nullptr;
  double best = kSnapSearchRadius;
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    if (p->snapState != 0) continue;
    const double d = Distance(at, {p->x, p->y});
    if (d < best) {
      best = d;
      winner = p;
    }
  }
  return winner;
}

bool SamePoint(ModelPoint a, ModelPoint b) {
  return (a.x == b.x || (std::isnan(a.x) && std::isnan(b.x))) && (a.y == b.y || (std::isnan(a.y) && std::isnan(b.y)));
}

struct Recipe {
  EntityAttr attr;
  std::vector<int16_t> codes;
  std::vector<double> values;
  const char* text;
};

// The recipes appended and registered all at once, and one by one.
void CompareRegisteredTogether(const std::vector<Recipe>& recipes) {
  SnapPointList together;
  EntityList a;
  a.snapPoints = &together;
  SnapPointList oneByOne;
  EntityList b;
  b.snapPoints = &oneByOne;
  std::vector<DrawEntity*> added;
  for (const Recipe& r : recipes) {
    DrawEntity* e = nullptr;
    if (AddEntity(r.attr, nullptr, a, r.codes.data(), 0, r.values.data(), r.text, &e) == 0) added.push_back(e);
    if (AddEntity(r.attr, nullptr, b, r.codes.data(), 0, r.values.data(), r.text, &e) == 0) RegisterEntitySnapPoints(oneByOne, b, *e);
  }
  RegisterLoadedEntitySnapPoints(together, a, added);
  if (RegisteredPoints(together, a) != RegisteredPoints(oneByOne, b)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;
  Bytes in(data, size);
  SnapPointList points;
  EntityList list;
  list.snapPoints = &points;
  SilentUserInterface ui;
  ViewMapping mapping;
  const double factors[] = {0.25, 1, 4};
  mapping.PixelsPerMm = factors[in.Byte() % 3];
  mapping.clientWidth = mapping.clientHeight = 400;
  PickView view;
  view.entities = &list;
  view.snapPoints = &points;
  view.mapping = &mapping;
  view.tolerancePixels = in.Byte() % 16;

  static const int16_t kinds[] = {10, 11, 20, 21, 22, 23, 24, 26, 30, 31, 40, 41, 50, 60, 70, 71, 80, 90};
  std::vector<Recipe> recipes;
  for (int step = 0; step < 64 && !in.empty(); ++step) {
    const uint8_t op = in.Byte();
    if (op < 150) {
      const int16_t kind = kinds[in.Byte() % std::size(kinds)];
      const int count = in.Byte() % 25;
      std::vector<double> values(static_cast<std::size_t>(count));
      std::vector<int16_t> codes(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) {
        values[static_cast<std::size_t>(i)] = in.Double();
        codes[static_cast<std::size_t>(i)] = static_cast<int16_t>(in.Byte() % 4 == 0 ? in.Byte() : 10);
      }
      const char* text = in.Byte() % 2 ? "AB\x82\xa0" : "";
      BeginOperation(list, points);
      DrawEntity* added = nullptr;
      const EntityAttr attr{kind, static_cast<int16_t>(static_cast<int8_t>(in.Byte())), 0,
                            static_cast<int16_t>(in.Byte() % 3), static_cast<int16_t>(count)};
      recipes.push_back({attr, codes, values, text});
      if (AddEntity(attr, nullptr, list, codes.data(), 0, values.data(), text, &added) == 0) {
        RegisterSnapPoints(points, list, *added);
      }
    } else if (op < 175 && list.head) {
      BeginOperation(list, points);
      int n = in.Byte() % 8;
      for (DrawEntity* e = list.head; e; e = e->next) {
        if (n-- == 0) e->mark = kMarkDeleted;
      }
      CommitDeletion(list);
    } else if (op < 215) {
      Undo(list, ui);
    } else if (op < 225) {
      SelectInRect(list, 0, in.Double(), in.Double(), in.Double(), in.Double(), kMarkSelected, nullptr);
      ClearMarks(list, &points, 0, kMarkSelected, nullptr);
    } else {
      const PixelPoint click{static_cast<int>(in.Byte()) * 2 - 50, static_cast<int>(in.Byte()) * 2 - 50};
      const int filter = static_cast<int>(static_cast<int8_t>(in.Byte()));
      const PickHit fast = PickEntity(view, filter, click);
      const PickHit slow = LinearPick(view, filter, click);
      if (fast.entity != slow.entity || (fast.entity && !SamePoint(fast.point, slow.point))) std::abort();
      const SnapHit snap = SnapNearest(view, click);
      if (snap.snap != LinearNearest(points, view.ToModel(click))) std::abort();
      PickSelectedHandle(view, click);
      FindEntityByPoint(points, kSnapLineStart, view.ToModel(click));
    }
  }
  CompareRegisteredTogether(recipes);
  return 0;
}
