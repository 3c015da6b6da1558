// Guards the grid that finds, for each element of a drawing just read, the earlier elements its
// intersections are looked for with: leaving one out loses intersection points, answering out of
// list order (or twice) changes their order. Whatever the layout of the drawing, the answer must
// hold every earlier element whose reach box meets the element's, in filing order, once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "model/entity_core.h"
#include "view/entity_shape.h"
#include "view/meeting_grid.h"

namespace plenwick {
namespace {

struct Layout {
  const char* name;
  int elements;
  double step;     // spacing of the lattice the elements start on (model mm)
  double size;     // largest extent of an element
  double farAway;  // every tenth element moved this far (0: none)
  bool oddValues;  // some radii that are no number, some coordinates near the limits
  int strays;      // lines added far beyond the drawing
  bool usable;
};

void AddElements(EntityList& list, const Layout& l, std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0, 1);
  const int side = static_cast<int>(std::sqrt(l.elements)) + 1;
  for (int i = 0; i < l.elements; ++i) {
    double x = (i % side) * l.step + unit(rng) * l.step;
    const double y = (i / side) * l.step + unit(rng) * l.step;
    if (l.farAway > 0 && i % 10 == 0) x += l.farAway;
    const double extent = unit(rng) * l.size;
    const int16_t codes[] = {10, 20, 40, 50, 51};
    if (i % 3 == 0) {
      double radius = extent / 2;
      if (l.oddValues && i % 30 == 0) radius = std::numeric_limits<double>::quiet_NaN();
      const double v[] = {x, y, radius};
      AddEntity({kCircle, 0, 0, 0, 3}, nullptr, list, codes, 0, v, nullptr);
    } else {
      double x2 = x + extent * (unit(rng) - 0.5);
      if (l.oddValues && i % 301 == 0) x2 = 9e13;
      const double v[] = {x, y, x2, y + extent * (unit(rng) - 0.5)};
      AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, v, nullptr);
    }
  }
}

TEST(MeetingGrid, AnswersEveryEarlierElementWhoseReachMeets) {
  const Layout layouts[] = {
      {"plan", 3000, 40, 37, 0, false, 0, true},
      {"overlapping", 2000, 5, 60, 0, false, 0, true},
      {"odd values", 2000, 40, 37, 0, true, 0, true},
      {"strays far out", 5000, 40, 37, 0, false, 5, true},
      {"two clusters far apart", 2000, 40, 37, 1e9, false, 0, false},
  };
  for (const Layout& l : layouts) {
    SCOPED_TRACE(l.name);
    std::mt19937 rng(11);
    EntityList list;
    AddElements(list, l, rng);
    // A few elements beyond the drawing: they are not allowed to make the cells huge.
    for (int i = 0; i < l.strays; ++i) {
      {
        const int16_t codes[] = {10, 20, 11, 22};
        const double v[] = {1e8 + i, -1e8, 1e8 + i + 10, -1e8 + 10};
        AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, v, nullptr);
      }
    }
    std::vector<DrawEntity*> elements;
    for (DrawEntity& e : list) elements.push_back(&e);
    MeetingGrid grid(elements);
    EXPECT_EQ(grid.usable(), l.usable);
    if (!grid.usable()) continue;
    std::vector<Box> boxes;
    std::vector<Reach> reaches;
    for (std::size_t i = 0; i < elements.size(); ++i) {
      Box box;
      const Reach reach = ReachOf(*elements[i], &box);
      const std::vector<DrawEntity*>& answer = grid.MeetAndFile(*elements[i], reach, box);
      // In filing order, each once, only earlier elements that reach somewhere.
      std::vector<std::size_t> places;
      for (DrawEntity* e : answer) places.push_back(static_cast<std::size_t>(std::find(elements.begin(), elements.end(), e) - elements.begin()));
      ASSERT_TRUE(std::is_sorted(places.begin(), places.end()));
      ASSERT_EQ(std::adjacent_find(places.begin(), places.end()), places.end());
      for (std::size_t p : places) {
        ASSERT_TRUE(p < i && reaches[p] != Reach::kNone);
      }
      // Every earlier element that meets is there.
      for (std::size_t j = 0; j < i; ++j) {
        const bool meets = reach != Reach::kNone && reaches[j] != Reach::kNone &&
                           (reach == Reach::kEverywhere || reaches[j] == Reach::kEverywhere || boxes[j].Intersects(box));
        if (meets) {
          ASSERT_TRUE(std::binary_search(places.begin(), places.end(), j)) << i << " misses " << j;
        }
      }
      boxes.push_back(box);
      reaches.push_back(reach);
    }
  }
}

// Elements the sample of a large drawing missed, lying far out, all land in the border cells:
// past a few the grid says so, and its callers go on another way.
TEST(MeetingGrid, SaysWhenElementsCrowdItsBorders) {
  for (const bool missed : {false, true}) {
    EntityList list;
    for (int i = 0; i < 40000; ++i) {
      const double x = (i % 200) * 40.0 + (missed && i % 2 == 1 ? 1e7 : 0);
      const int16_t codes[] = {10, 20, 11, 22};
      const double v[] = {x, (i / 200) * 40.0, x + 10, (i / 200) * 40.0 + 10};
      AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, v, nullptr);
    }
    std::vector<DrawEntity*> elements;
    for (DrawEntity& e : list) elements.push_back(&e);
    MeetingGrid grid(elements);
    ASSERT_TRUE(grid.usable());
    bool crowded = false;
    for (DrawEntity* e : elements) {
      Box box;
      const Reach reach = ReachOf(*e, &box);
      grid.File(*e, reach, box);
      crowded = crowded || grid.crowded();
    }
    EXPECT_EQ(crowded, missed);
  }
}

}  // namespace
}  // namespace plenwick
