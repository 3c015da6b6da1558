// Guards the spatial indexes against answering differently from a plain walk of the lists: random
// drawings edited by random additions, deletions, replacements, undos, reorderings, mark and layer
// changes, then random clicks. Picking, snapping, handles and the registered points (with every
// tie-break and order-dependent rule) must equal those of the linear implementations kept here.
// And a drawing registered all at once after reading must hold the very points, in the very order,
// that registering each element right after appending it gives.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "model/undo.h"
#include "pick_fixture.h"
#include "support/drawing_file_fixtures.h"
#include "support/recording_ui.h"
#include "view/entity_index.h"
#include "view/intersections.h"
#include "view/pick.h"
#include "view/snap.h"
#include "view/snap_registration.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;
using testing::ScrollMapping;

// ---- The linear implementations ---------------------------------------------------------------

PickHit LinearPick(const PickView& view, int filter, PixelPoint click) {
  PickWalk walk(view, filter, click);
  for (DrawEntity& e : *view.entities) {
    if (walk.Offer(e)) break;
  }
  return walk.result();
}

const SnapPoint* LinearNearest(const SnapPointList& points, ModelPoint at, double limit, const DrawEntity* except) {
  const SnapPoint* winner = nullptr;
  double best = limit;
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    if (p->snapState != 0 || (except && p->entity == except)) continue;
    const double d = Distance(at, {p->x, p->y});
    if (d < best) {
      best = d;
      winner = p;
    }
  }
  return winner;
}

SnapHit LinearSnapNearest(const PickView& view, PixelPoint cursor) {
  SnapHit hit;
  const SnapPoint* p = LinearNearest(*view.snapPoints, view.ToModel(cursor), 100, nullptr);
  if (!p) return hit;
  const PixelPoint s = view.mapping->ModelToScreen(p->x, p->y);
  const double dx = s.x - cursor.x;
  const double dy = s.y - cursor.y;
  hit.kind = std::sqrt(dx * dx + dy * dy) > 10 ? 0 : p->pointKind;
  hit.point = {p->x, p->y};
  hit.snap = p;
  return hit;
}

HandleHit LinearHandle(const PickView& view, PixelPoint cursor) {
  const ModelPoint at = view.ToModel(cursor);
  const SnapPoint* winner = nullptr;
  double best = 200;
  for (const SnapPoint* p = view.snapPoints->head(); p; p = p->next) {
    const DrawEntity* e = p->entity;
    if (e->mark != kMarkPicked || p->snapState == -1 || p->pointKind == 1 || p->pointKind == 11 || p->pointKind == 14) continue;
    if (IsDimensionPart(*e)) continue;
    const double d = Distance(at, {p->x, p->y});
    if (d < best) {
      best = d;
      winner = p;
    }
  }
  HandleHit hit;
  if (!winner) return hit;
  const PixelPoint s = view.mapping->ModelToScreen(winner->x, winner->y);
  if (std::hypot(s.x - cursor.x, s.y - cursor.y) > 10) return hit;
  hit.entity = winner->entity;
  hit.point = {winner->x, winner->y};
  hit.kind = winner->pointKind;
  return hit;
}

DrawEntity* LinearFindByPoint(const SnapPointList& points, int kind, ModelPoint at) {
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    if (p->pointKind == kind && p->snapState != -1 && Distance(at, {p->x, p->y}) < 1) return p->entity;
  }
  return nullptr;
}

void LinearRegister(SnapPointList& points, EntityList& list, DrawEntity& added) {
  AddOwnSnapPoints(points, added);
  for (DrawEntity& other : list) {
    if (!IsIntersectionPair(added, other)) continue;
    for (const ModelPoint& p : IntersectionPoints(added, other)) points.AddIntersection(&added, &other, p.x, p.y);
  }
}

// ---- Random drawings ----------------------------------------------------------------------------

struct Recipe {
  int16_t kind = 0;
  int16_t subKind = 0;
  std::vector<double> values;
  std::vector<int16_t> codes;
  std::string text;
  int16_t layer = 0;
};

class Random {
 public:
  explicit Random(uint32_t seed) : rng_(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  // Coordinates on a coarse lattice, so that ties and shared end points are common.
  double Coord() { return Int(0, 60) * 2.5; }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(0, 99) < percent; }

 private:
  std::mt19937 rng_;
};

Recipe RandomRecipe(Random& r) {
  Recipe s;
  s.layer = static_cast<int16_t>(r.Chance(80) ? 0 : r.Int(1, 3));
  auto pair = [&] {
    s.values.push_back(r.Coord());
    s.values.push_back(r.Coord());
  };
  switch (r.Int(0, 15)) {
    case 0: case 1: case 2: case 3:
      s.kind = kLine;
      pair();
      if (r.Chance(15)) {
        s.values.push_back(s.values[0]);  // a degenerate or axis-parallel line now and then
        s.values.push_back(r.Chance(50) ? s.values[1] : r.Coord());
      } else {
        pair();
      }
      break;
    case 4:
      s.kind = static_cast<int16_t>(r.Int(kHorizontalInfiniteLine, kAngledInfiniteLine));
      pair();
      pair();
      if (s.kind == kHorizontalInfiniteLine) s.values[3] = s.values[1];
      if (s.kind == kVerticalInfiniteLine) s.values[2] = s.values[0];
      break;
    case 5: case 6:
      s.kind = kCircle;
      pair();
      s.values.push_back(r.Int(1, 20) * 2.5);
      break;
    case 7: case 8: {
      s.kind = kArc;
      s.subKind = static_cast<int16_t>(r.Chance(50) ? 1 : -1);
      pair();
      s.values.push_back(r.Int(1, 20) * 2.5);
      const double angles[] = {0, 30, 45, 90, 135, 180, 270, 360, 12.5};
      s.values.push_back(angles[r.Int(0, 8)]);
      s.values.push_back(angles[r.Int(0, 8)]);
      break;
    }
    case 9:
      s.kind = kPoint;
      s.subKind = static_cast<int16_t>(r.Int(0, 2));
      pair();
      break;
    case 10: {
      const int16_t kinds[] = {kBezierCurve, kFreeCurve, kPolygon};
      s.kind = kinds[r.Int(0, 2)];
      const int n = r.Int(2, 6);
      for (int i = 0; i < n; ++i) pair();
      break;
    }
    case 11: {
      s.kind = static_cast<int16_t>(r.Chance(50) ? kText : kLeaderText);
      pair();
      s.values.push_back(r.Int(1, 8) * 2.5);
      s.values.push_back(r.Int(1, 8) * 2.5);
      s.values.push_back(r.Chance(50) ? 0 : r.Int(-180, 180));
      if (s.kind == kLeaderText) {
        pair();
        pair();
      }
      s.text = r.Chance(50) ? "AB" : "\x82\xa0x";
      break;
    }
    case 12:
      s.kind = kImage;
      pair();
      pair();
      s.text = "i.png";
      break;
    case 13: {
      s.kind = kPaint;
      const double x = r.Coord();
      const double y = r.Coord();
      const double w = r.Int(2, 20) * 2.5;
      s.values = {0, 0, x, y, x + w, y, x + w, y + w, x + w / 2, y + w / 2, x, y + w};
      s.codes = {0, 0, 10, 20, 10, 20, 10, 20, 10, 20, 10, 20};
      s.subKind = 5;
      break;
    }
    case 14: {
      s.kind = kHatch;
      const double x = r.Coord();
      const double y = r.Coord();
      const double rad = r.Int(1, 10) * 2.5;
      s.values = {10, 10, 0, x - rad, y - rad, x + rad, y + rad, x, y, rad};
      s.codes = {1, 0, 0, 60, 61, 62, 63, 50, 51, 52};
      break;
    }
    default:
      s.kind = kLine;
      pair();
      s.values.push_back(s.values[0] + r.Int(-4, 4) * 2.5);
      s.values.push_back(s.values[1] + r.Int(-4, 4) * 2.5);
      break;
  }
  if (s.codes.empty()) s.codes.assign(s.values.size(), 10);
  return s;
}

// One document of the pair: the production one registers through the index, the other linearly.
struct Doc {
  SnapPointList points;
  EntityList list;
  std::map<const DrawEntity*, int> ids;  // element → creation number
  int next = 0;
  bool production = false;

  explicit Doc(bool useIndex) : production(useIndex) { list.snapPoints = &points; }

  DrawEntity* Add(const Recipe& s, DrawEntity* owner = nullptr) {
    DrawEntity* e = nullptr;
    const EntityAttr attr{s.kind, s.subKind, 0, s.layer, static_cast<int16_t>(s.values.size())};
    const char* text = s.text.empty() ? nullptr : s.text.c_str();
    const int rc = owner ? AddChildEntity(attr, nullptr, list, s.codes.data(), 0, s.values.data(), text, owner, &e)
                         : AddEntity(attr, nullptr, list, s.codes.data(), 0, s.values.data(), text, &e);
    if (rc != 0) return nullptr;
    ids[e] = next++;
    if (production) {
      RegisterSnapPoints(points, list, *e);
    } else {
      LinearRegister(points, list, *e);
    }
    return e;
  }
  DrawEntity* At(int position) { return EntityAt(list, position); }
  int Id(const DrawEntity* e) const {
    auto it = ids.find(e);
    return it == ids.end() ? -1 : it->second;
  }
};

// Applies one random operation to both documents alike.
void RandomOperation(Random& r, Doc& a, Doc& b, RecordingUserInterface& ui) {
  const int size = static_cast<int>(a.list.size());
  auto both = [&](auto&& f) {
    f(a);
    f(b);
  };
  const int op = r.Int(0, 99);
  if (op < 45) {
    const Recipe s = RandomRecipe(r);
    both([&](Doc& d) {
      BeginOperation(d.list, d.points);
      d.Add(s);
    });
  } else if (op < 52) {  // a group of two members
    Recipe header;
    header.kind = kGroupHeader;
    header.values = {0, 0, 0, 0};
    header.codes = {10, 20, 10, 20};
    const Recipe m1 = RandomRecipe(r);
    const Recipe m2 = RandomRecipe(r);
    both([&](Doc& d) {
      BeginOperation(d.list, d.points);
      DrawEntity* h = d.Add(header);
      d.Add(m1, h);
      d.Add(m2, h);
    });
  } else if (op < 62 && size > 1) {  // delete a few; a group header takes its members along
    std::vector<int> victims;
    for (int k = r.Int(1, 4); k > 0; --k) victims.push_back(r.Int(1, size - 1));
    both([&](Doc& d) {
      BeginOperation(d.list, d.points);
      for (int v : victims) {
        DrawEntity* victim = d.At(v);
        victim->mark = kMarkDeleted;
        for (DrawEntity& e : d.list) {
          if (e.owner == victim) e.mark = kMarkDeleted;
        }
      }
      CommitDeletion(d.list);
    });
  } else if (op < 68 && size > 1) {  // replace one (not a group header)
    const int victim = r.Int(1, size - 1);
    const Recipe s = RandomRecipe(r);
    if (a.At(victim)->kind != kGroupHeader) {
      both([&](Doc& d) {
        BeginOperation(d.list, d.points);
        DrawEntity* old = d.At(victim);
        RemoveToUndo(d.list, old);
        if (DrawEntity* copy = d.Add(s)) MarkReplacement(d.list, old, copy);
      });
    }
  } else if (op < 72 && size > 1) {  // detach a group block whose members all follow its header
    int header = -1;
    for (int i = 1; i < size; ++i) {
      DrawEntity* h = a.At(i);
      if (h->kind != kGroupHeader) continue;
      int members = 0;
      int run = 0;
      for (DrawEntity& e : a.list) members += e.owner == h ? 1 : 0;
      for (DrawEntity* e = h->next; e && e->owner == h; e = e->next) ++run;
      if (members == run) header = i;
    }
    if (header > 0) {
      both([&](Doc& d) {
        BeginOperation(d.list, d.points);
        RemoveGroupBlock(d.list, d.At(header));
      });
    }
  } else if (op < 84) {
    both([&](Doc& d) { Undo(d.list, ui); });
  } else if (op < 90 && size > 2) {  // bring to front or send to back (groups stay together)
    std::vector<int> picked;
    for (int k = r.Int(1, 3); k > 0; --k) {
      const int p = r.Int(1, size - 1);
      if (!a.At(p)->owner && a.At(p)->kind != kGroupHeader) picked.push_back(p);
    }
    const bool front = r.Chance(50);
    both([&](Doc& d) {
      BeginOperation(d.list, d.points);
      std::vector<DrawEntity*> es;
      for (int p : picked) es.push_back(d.At(p));
      for (DrawEntity* e : es) e->mark = kMarkPicked;
      if (front) {
        BringMarkedToFront(d.list);
      } else {
        SendMarkedToBack(d.list);
      }
      for (DrawEntity& e : d.list) {
        if (e.mark == kMarkPicked) e.mark = 0;
      }
    });
  } else if (op < 96 && size > 1) {  // marks of figure selection
    const int target = r.Int(1, size - 1);
    const int16_t mark = static_cast<int16_t>(r.Chance(60) ? kMarkPicked : 0);
    both([&](Doc& d) { d.At(target)->mark = mark; });
  } else {  // rebuild the points from the list
    both([&](Doc& d) {
      if (d.production) {
        RebuildSnapPoints(d.points, d.list);
      } else {
        d.points.Clear();
        for (DrawEntity& e : d.list) {
          AddOwnSnapPoints(d.points, e);
          for (DrawEntity& other : d.list) {
            if (&other == &e) break;
            if (!IsIntersectionPair(e, other)) continue;
            for (const ModelPoint& p : IntersectionPoints(e, other)) d.points.AddIntersection(&e, &other, p.x, p.y);
          }
        }
      }
    });
  }
}

void ExpectSamePoints(const Doc& a, const Doc& b) {
  ASSERT_EQ(a.points.size(), b.points.size());
  const SnapPoint* p = a.points.head();
  const SnapPoint* q = b.points.head();
  for (; p && q; p = p->next, q = q->next) {
    ASSERT_EQ(p->pointKind, q->pointKind);
    ASSERT_EQ(p->x, q->x);
    ASSERT_EQ(p->y, q->y);
    ASSERT_EQ(p->snapState, q->snapState);
    ASSERT_EQ(a.Id(p->entity), b.Id(q->entity));
    ASSERT_EQ(a.Id(a.points.PartnerOf(p)), b.Id(b.points.PartnerOf(q)));
  }
}

TEST(Differential, IndexAnswersLikeTheListWalk) {
  const SnapPointRegistrar previous = InstallDefaultSnapPointRegistrar();
  RecordingUserInterface ui;
  int picked = 0;
  int snapped = 0;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    Random r(seed);
    Doc a(true);
    Doc b(false);
    Recipe grid;
    grid.kind = kGrid;
    grid.subKind = static_cast<int16_t>(r.Chance(50) ? 1 : 0);
    grid.values = {0, 0, 10};
    grid.codes = {10, 20, 30};
    a.Add(grid);
    b.Add(grid);
    std::array<uint8_t, LayerTable::kLayers> states{};
    states.fill(kLayerOffColour);
    for (int step = 0; step < 250; ++step) {
      RandomOperation(r, a, b, ui);
      ASSERT_NO_FATAL_FAILURE(ExpectSamePoints(a, b)) << "step " << step;
      EntityIndex* index = EntityIndex::For(a.list, a.points);
      ASSERT_NE(index, nullptr);
      ASSERT_TRUE(index->MatchesList()) << "step " << step;
      if (r.Chance(10)) states[static_cast<std::size_t>(r.Int(1, 3))] = static_cast<uint8_t>(r.Int(0, 2));

      PickView view;
      view.entities = &a.list;
      view.snapPoints = &a.points;
      const double scales[] = {0.25, 0.5, 1, 2, 4};
      const ViewMapping mapping = ScrollMapping(scales[r.Int(0, 4)], r.Int(-20, 20), r.Int(-20, 20), 600);
      view.mapping = &mapping;
      view.layerStates = states.data();
      view.currentLayer = r.Int(0, 3);
      view.currentLayerOnly = r.Chance(15);
      view.tolerancePixels = r.Int(0, 15);
      view.gridOrigin = {r.Chance(50) ? 0.0 : 1.25, 0};
      const int filters[] = {0, 0, 0, 1, -1, -999, -10, -11, -20, -21, -22, -23, -24, -25, -26, -27, -30, -31, -50,
                             -51, 20, 30, 31, 40, 80, 90};
      for (int k = 0; k < 8; ++k) {
        const PixelPoint click{r.Int(-10, 160), r.Int(-10, 610)};
        const int filter = filters[r.Int(0, static_cast<int>(std::size(filters)) - 1)];
        const PickHit fast = PickEntity(view, filter, click);
        const PickHit slow = LinearPick(view, filter, click);
        ASSERT_EQ(fast.entity, slow.entity) << "step " << step << " filter " << filter;
        ASSERT_EQ(fast.point.x, slow.point.x);
        ASSERT_EQ(fast.point.y, slow.point.y);
        picked += fast.entity ? 1 : 0;

        const SnapHit s1 = SnapNearest(view, click);
        const SnapHit s2 = LinearSnapNearest(view, click);
        ASSERT_EQ(s1.kind, s2.kind) << "step " << step;
        ASSERT_EQ(s1.snap, s2.snap);
        snapped += s1.kind > 0 ? 1 : 0;

        const HandleHit h1 = PickSelectedHandle(view, click);
        const HandleHit h2 = LinearHandle(view, click);
        ASSERT_EQ(h1.entity, h2.entity);
        ASSERT_EQ(h1.kind, h2.kind);

        const ModelPoint at = view.ToModel(click);
        const int kind = r.Int(1, 14);
        ASSERT_EQ(FindEntityByPoint(a.points, kind, at), LinearFindByPoint(a.points, kind, at));
        const double limit = r.Real(0, 300);
        double max = limit;
        ModelPoint found;
        const DrawEntity* except = r.Chance(30) ? a.list.tail : nullptr;
        const int within = SnapNearestWithin(a.points, at, &max, except, &found);
        const SnapPoint* linear = LinearNearest(a.points, at, limit, except);
        ASSERT_EQ(within, linear ? linear->pointKind : -1);
        if (linear) {
          ASSERT_EQ(found.x, linear->x);
          ASSERT_EQ(found.y, linear->y);
        }
      }
    }
  }
  EXPECT_GT(picked, 1000) << "the clicks must hit often enough to test something";
  EXPECT_GT(snapped, 500);
  InstallSnapPointRegistrar(previous);
}

// ---- Registering a drawing just read -----------------------------------------------------------

// One registered point with its element and partner as positions in their list; coordinates bit
// for bit (NaN included).
struct PointRecord {
  int16_t kind;
  int16_t state;
  uint64_t x;
  uint64_t y;
  int entity;
  int partner;
  bool operator==(const PointRecord&) const = default;
};

std::vector<PointRecord> PointsInOrder(const SnapPointList& points, const EntityList& list) {
  std::map<const DrawEntity*, int> position;
  int i = 0;
  for (const DrawEntity& e : list) position[&e] = i++;
  auto at = [&](const DrawEntity* e) { return e ? position.at(e) : -1; };
  std::vector<PointRecord> out;
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    out.push_back({p->pointKind, p->snapState, std::bit_cast<uint64_t>(p->x), std::bit_cast<uint64_t>(p->y),
                   at(p->entity), at(points.PartnerOf(p))});
  }
  return out;
}

void ExpectSameRegistration(const SnapPointList& a, const EntityList& la, const SnapPointList& b, const EntityList& lb) {
  const std::vector<PointRecord> pa = PointsInOrder(a, la);
  const std::vector<PointRecord> pb = PointsInOrder(b, lb);
  ASSERT_EQ(pa.size(), pb.size());
  for (std::size_t i = 0; i < pa.size(); ++i) ASSERT_EQ(pa[i], pb[i]) << "point " << i;
}

// A registrar that knows only single elements: readers then register each right after appending it.
SnapPointRegistrar ElementByElement() {
  return SnapPointRegistrar([](SnapPointList& points, EntityList& entities, DrawEntity& added) {
    RegisterEntitySnapPoints(points, entities, added);
  });
}

struct ReadDocument {
  SnapPointList points;
  EntityList list;
  ReadDocument() { list.snapPoints = &points; }
  void Read(const std::vector<uint8_t>& bytes, const SnapPointRegistrar& registrar) {
    const SnapPointRegistrar previous = InstallSnapPointRegistrar(registrar);
    DrawingFileInfo info;
    ASSERT_EQ(ReadDrawingFile(bytes, info, list, &points), 0);
    InstallSnapPointRegistrar(previous);
  }
};

// Drawings of every element kind on a coarse lattice (ties, shared ends, crossings), with dimension
// parts and groups, read into an empty document and into one holding a drawing already.
TEST(Differential, ReadDrawingRegistersAsElementByElement) {
  const testing::TestDimensionParts parts;
  const SnapPointRegistrar previous = InstallDefaultSnapPointRegistrar();
  const SnapPointRegistrar together = InstallDefaultSnapPointRegistrar();
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    Random r(seed);
    EntityList drawing;
    Recipe grid;
    grid.kind = kGrid;
    grid.values = {0, 0, 10};
    grid.codes = {10, 20, 30};
    const int16_t kinds[] = {kDimension, kGroupHeader};
    for (int i = 0; i < 400; ++i) {
      Recipe s = i == 0 ? grid : RandomRecipe(r);
      if (i > 0 && r.Chance(5)) {  // a dimension (its part is generated) or a group with members after it
        s.kind = kinds[r.Int(0, 1)];
        s.values = {r.Coord(), r.Coord(), r.Coord(), r.Coord()};
        s.codes = {40, 41, 42, 43};
        s.text.clear();
      }
      const char* text = s.text.empty() ? nullptr : s.text.c_str();
      AddEntity({s.kind, s.subKind, 0, s.layer, static_cast<int16_t>(s.values.size())}, nullptr, drawing,
                s.codes.data(), 0, s.values.data(), text);
      if (s.kind == kGroupHeader) drawing.tail->groupNo = static_cast<int16_t>(drawing.nextGroupNo - 1);
    }
    const std::vector<uint8_t> bytes = testing::WriteOrFail(drawing);
    // Into an empty document; then the same drawing again after a small one (the grid serves
    // both), and after a large one (each element meets the earlier ones through the index).
    ReadDocument a;
    ReadDocument b;
    a.Read(bytes, together);
    b.Read(bytes, ElementByElement());
    ASSERT_NO_FATAL_FAILURE(ExpectSameRegistration(a.points, a.list, b.points, b.list));
    ASSERT_TRUE(EntityIndex::For(a.list, a.points)->MatchesList());
    EntityList small;
    for (int i = 0; i < 20; ++i) {
      const Recipe s = RandomRecipe(r);
      AddEntity({s.kind, s.subKind, 0, s.layer, static_cast<int16_t>(s.values.size())}, nullptr, small,
                s.codes.data(), 0, s.values.data(), s.text.empty() ? nullptr : s.text.c_str());
    }
    const std::vector<uint8_t> smallBytes = testing::WriteOrFail(small);
    ReadDocument c;
    ReadDocument d;
    c.Read(smallBytes, together);
    d.Read(smallBytes, ElementByElement());
    c.Read(bytes, together);
    d.Read(bytes, ElementByElement());
    c.Read(smallBytes, together);
    d.Read(smallBytes, ElementByElement());
    ASSERT_NO_FATAL_FAILURE(ExpectSameRegistration(c.points, c.list, d.points, d.list));
    ASSERT_TRUE(EntityIndex::For(c.list, c.points)->MatchesList());
  }
  InstallSnapPointRegistrar(previous);
}

// Element recipes the files never hold (values that are no numbers, coordinates near the limits)
// and drawings the grid does not suit (clusters far apart, a few strays far out), registered all at
// once after appending and element by element while appending.
TEST(Differential, LoadedElementsRegisterAsElementByElement) {
  const SnapPointRegistrar previous = InstallDefaultSnapPointRegistrar();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    int elements;
    double spread;    // lattice step (model mm)
    double farAway;   // a share of the elements moved this far (0: none)
    int farShare;     // in percent; -1: every other element, which the sample of sizes misses
    bool oddValues;
  };
  const Case cases[] = {
      {"dense", 600, 2.5, 0, 0, false},
      {"odd values", 600, 2.5, 0, 0, true},
      {"two clusters far apart", 400, 2.5, 1e9, 50, false},
      {"a few strays far out", 3000, 2.5, 1e7, 1, false},
      {"spread thinly", 300, 1e6, 0, 0, false},
      {"many strays the sample misses", 40000, 40, 1e6, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Random r(static_cast<uint32_t>(c.elements));
    std::vector<Recipe> recipes;
    for (int i = 0; i < c.elements; ++i) {
      Recipe s = RandomRecipe(r);
      for (double& v : s.values) v *= c.spread / 2.5;
      if (c.farShare < 0) {
        // Rooms in rows with a line each, some reaching into the next room.
        const double x = (i % 200) * c.spread;
        const double y = (i / 200) * c.spread;
        s = Recipe{};
        s.kind = kLine;
        s.values = {x + r.Int(0, 20), y + r.Int(0, 20), x + r.Int(10, 50), y + r.Int(0, 30)};
        s.codes = {10, 20, 11, 22};
      }
      if (c.farAway > 0 && (c.farShare < 0 ? i % 2 == 1 : r.Chance(c.farShare))) {
        for (std::size_t k = 0; k + 1 < s.values.size(); k += 2) s.values[k] += c.farAway;
      }
      if (c.oddValues && r.Chance(10)) {
        const double odd[] = {nan, 1e14, -9.9e9, 5e14};
        s.values[std::min<std::size_t>(s.values.size() - 1, static_cast<std::size_t>(r.Int(2, 4)))] = odd[r.Int(0, 3)];
      }
      recipes.push_back(s);
    }
    // The first few are in the list before the drawing is read; some are generated parts of the
    // element before them (appended with it, never registered themselves).
    const bool inOrder = c.farShare < 0;  // the read elements are the recipes one for one
    const int before = inOrder ? 0 : c.elements / 20;
    std::vector<bool> part(recipes.size());
    for (std::size_t i = static_cast<std::size_t>(before) + 1; i < recipes.size(); ++i) part[i] = !inOrder && r.Chance(5);
    SnapPointList pa;
    EntityList la;
    la.snapPoints = &pa;
    SnapPointList pb;
    EntityList lb;
    lb.snapPoints = &pb;
    std::vector<DrawEntity*> added;
    DrawEntity* lastRead = nullptr;
    for (std::size_t i = 0; i < recipes.size(); ++i) {
      const Recipe& s = recipes[i];
      const EntityAttr attr{s.kind, s.subKind, 0, s.layer, static_cast<int16_t>(s.values.size())};
      const char* text = s.text.empty() ? nullptr : s.text.c_str();
      DrawEntity* ea = nullptr;
      DrawEntity* eb = nullptr;
      const DrawEntity* owner = part[i] ? lastRead : nullptr;
      const int rc = owner ? AddChildEntity(attr, nullptr, la, s.codes.data(), 0, s.values.data(), text, lastRead, &ea)
                           : AddEntity(attr, nullptr, la, s.codes.data(), 0, s.values.data(), text, &ea);
      if (rc != 0) continue;
      if (owner) {
        AddChildEntity(attr, nullptr, lb, s.codes.data(), 0, s.values.data(), text, lb.tail, &eb);
        continue;
      }
      AddEntity(attr, nullptr, lb, s.codes.data(), 0, s.values.data(), text, &eb);
      RegisterEntitySnapPoints(pb, lb, *eb);
      if (static_cast<int>(i) < before) {
        RegisterEntitySnapPoints(pa, la, *ea);
      } else {
        added.push_back(ea);
      }
      lastRead = ea;
    }
    RegisterLoadedEntitySnapPoints(pa, la, added);
    ASSERT_NO_FATAL_FAILURE(ExpectSameRegistration(pa, la, pb, lb));
  }
  InstallSnapPointRegistrar(previous);
}

}  // namespace
}  // namespace plenwick
