// A headless view for the editing tools' tests: records of any kind added straight to the
// drawing, groups as registration makes them, and a dump of the drawing that an undo must
// restore.
#pragma once

#include <algorithm>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "support/draw_tool_fixture.h"
#include "support/drawing_file_fixtures.h"

namespace plenwick::testing {

class EditToolTest : public DrawToolTest {
 protected:
  DrawEntity* Add(int16_t kind, std::vector<double> values, int16_t subKind = 0, int16_t layer = 0) {
    std::vector<int16_t> codes(values.size(), 10);
    if (kind == kCircle) codes = {10, 20, 40};
    if (kind == kArc) codes = {10, 20, 40, 50, 51};
    if (kind == kLine) codes = {10, 20, 11, 22};
    if (kind == kImage) codes = {10, 20, 11, 22};
    DrawEntity* e = nullptr;
    const EntityAttr attr{kind, subKind, 0, layer, static_cast<int16_t>(values.size())};
    EXPECT_EQ(t.doc->AddDocumentEntity(attr, nullptr, KindHasCodes(kind) ? codes.data() : nullptr, 0, values.data(),
                                       kind == kImage ? "a.png" : nullptr, &e),
              0);
    return e;
  }
  // A group of the given records (a header first, the members after it, as registration makes it).
  DrawEntity* Group(const std::vector<std::vector<double>>& lines) {
    const double header[4] = {0, 0, 1, 0};
    const int16_t codes[4] = {10, 20, 10, 20};
    DrawEntity* h = nullptr;
    t.doc->AddDocumentEntity({kGroupHeader, 0, 0, 0, 4}, nullptr, codes, 0, header, nullptr, &h);
    for (const std::vector<double>& l : lines) {
      DrawEntity* e = Add(kLine, l);
      e->owner = h;
      e->groupNo = h->groupNo;
    }
    return h;
  }
  static double RandomCoordinate(std::mt19937& random) {
    return double(std::uniform_int_distribution<int>(60, 540)(random));
  }
  // Random records (lines, circles, arcs, dimensions with one line part and groups of two lines,
  // a quarter on layer 1) until the drawing holds `count` of them.
  void Populate(std::mt19937& random, std::size_t count) {
    auto coordinate = [&] { return RandomCoordinate(random); };
    while (t.doc->entities.size() < count) {
      const auto layer = static_cast<int16_t>(random() % 4 == 0 ? 1 : 0);
      switch (random() % 5) {
        case 0: Add(kLine, {coordinate(), coordinate(), coordinate(), coordinate()}, 0, layer); break;
        case 1: Add(kCircle, {coordinate(), coordinate(), 5.0 + random() % 40}, 0, layer); break;
        case 2: Add(kArc, {coordinate(), coordinate(), 5.0 + random() % 40, double(random() % 360), double(random() % 360)},
                    random() % 2 ? 1 : -1, layer);
                break;
        case 3: {
          // A dimension with one defining point; its part is a line to it from the origin.
          const double values[] = {0, coordinate(), coordinate()};
          const int16_t codes[] = {30, 40, 41};
          t.doc->AddDocumentEntity({kDimension, 0, 0, layer, 3}, nullptr, codes, 0, values, nullptr);
          break;
        }
        default: Group({{coordinate(), coordinate(), coordinate(), coordinate()}, {coordinate(), coordinate(), coordinate(), coordinate()}});
      }
    }
  }
  // The drawing as text, in an order of its own (an undo puts records back at the end of the
  // list): every record with its kind, variant, values and owner, and the number of snap points
  // not disabled by the undo buffer.
  std::string Dump() const {
    auto describe = [](const DrawEntity& e) {
      std::ostringstream out;
      out << e.kind << "/" << e.subKind << " g" << e.groupNo;
      for (int i = 0; i < e.valueCount; ++i) out << " " << e.values[i];
      return out.str();
    };
    std::vector<std::string> lines;
    for (const DrawEntity& e : t.doc->entities) {
      int points = 0;
      for (const SnapPoint* q : t.doc->snapPoints.PointsOf(&e)) points += q->snapState != kSnapDisabled;
      lines.push_back(describe(e) + " owner " + (e.owner ? describe(*e.owner) : "-") + " points " + std::to_string(points));
    }
    std::sort(lines.begin(), lines.end());
    int enabled = 0;
    for (const SnapPoint* p = t.doc->snapPoints.head(); p; p = p->next) enabled += p->snapState != kSnapDisabled;
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out + "snap " + std::to_string(enabled) + "\n";
  }
  // The records in list order.
  std::vector<const DrawEntity*> Order() const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) out.push_back(&e);
    return out;
  }
  // The list order Ctrl+Z must give back after an edit that turned `before` into `edited`: the
  // records the edit left in place, in their order, then the ones it took out, back at the end in
  // theirs.
  static std::vector<const DrawEntity*> OrderAfterUndo(const std::vector<const DrawEntity*>& before,
                                                       const std::vector<const DrawEntity*>& edited) {
    const std::unordered_set<const DrawEntity*> kept(edited.begin(), edited.end());
    std::vector<const DrawEntity*> order;
    std::copy_if(before.begin(), before.end(), std::back_inserter(order), [&](const DrawEntity* e) { return kept.count(e) > 0; });
    std::copy_if(before.begin(), before.end(), std::back_inserter(order), [&](const DrawEntity* e) { return kept.count(e) == 0; });
    return order;
  }
  std::vector<const DrawEntity*> Records(int16_t kind) const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kind) out.push_back(&e);
    }
    return out;
  }
  static std::vector<double> Values(const DrawEntity* e) { return {e->values.get(), e->values.get() + e->valueCount}; }
  int Marked(int16_t mark) const {
    int n = 0;
    for (const DrawEntity& e : t.doc->entities) n += e.mark == mark;
    return n;
  }
};

inline void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << "value " << i;
}

}  // namespace plenwick::testing
