// A headless view with the delete tool's modes one command away, a drawing whose group and
// dimension straddle the test window, and a dump of the drawing that an undo must restore.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/entity_core.h"
#include "support/draw_tool_fixture.h"
#include "support/drawing_file_fixtures.h"

namespace plenwick::testing {

// Dimensions drawn as two lines: the dimension line from its first to its second point, and an
// extension line 10 mm either side of (values 4, 5).
inline void TwoLineDimensionParts(EntityList& list, DrawEntity& dim, int) {
  const int16_t codes[] = {10, 20, 11, 22};
  const double line[] = {dim.values[0], dim.values[1], dim.values[2], dim.values[3]};
  const double extension[] = {dim.values[4], dim.values[5] - 10, dim.values[4], dim.values[5] + 10};
  for (const double* v : {line, extension}) {
    AddChildEntity({kLine, 0, dim.lineAttr, dim.layer, 4}, nullptr, list, codes, dim.colour, v, nullptr, &dim);
  }
}

class DeleteToolTest : public DrawToolTest {
 protected:
  static constexpr int kSingle = 32842;
  static constexpr int kCross = 32843;
  static constexpr int kWindow = 32844;

  EntityList& list() { return t.doc->entities; }

  DrawEntity* Add(int16_t kind, std::vector<double> values, const std::string& name, DrawEntity* owner = nullptr,
                  int16_t layer = 0, const char* text = nullptr) {
    std::vector<int16_t> codes(values.size(), 10);
    DrawEntity* e = nullptr;
    const EntityAttr attr{kind, 0, 0, layer, static_cast<int16_t>(values.size())};
    if (owner) {
      AddChildEntity(attr, nullptr, list(), codes.data(), 0, values.data(), text, owner, &e);
    } else {
      AddEntity(attr, nullptr, list(), codes.data(), 0, values.data(), text, &e);
    }
    names_[e] = name;
    if (kind == kDimension) {
      int part = 0;
      for (DrawEntity* p = e->next; p; p = p->next) names_[p] = name + "/part" + std::to_string(++part);
    }
    return e;
  }

  // The test window runs from (10, 10) to (100, 150). Inside: line "A", point "P", the group's
  // line and the dimension's line; outside: line "B", the group's circle, the dimension's
  // extension line; on layer 1 a line inside and one outside.
  void AddScene() {
    Add(kLine, {20, 20, 60, 20}, "A");
    Add(kLine, {200, 20, 260, 20}, "B");
    Add(kPoint, {50, 50}, "P");
    DrawEntity* header = Add(kGroupHeader, {0, 0, 1, 0}, "G");
    Add(kLine, {30, 100, 60, 100}, "G/line", header);
    Add(kCircle, {150, 100, 10}, "G/circle", header);
    Add(kDimension, {20, 130, 90, 130, 120, 130}, "D");
    Add(kLine, {40, 60, 80, 60}, "L1 inside", nullptr, 1);
    Add(kLine, {200, 60, 250, 60}, "L1 outside", nullptr, 1);
  }

  // The names of the elements in the drawing (unnamed ones, such as the grid, left out).
  std::set<std::string> Remaining() const {
    std::set<std::string> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (auto it = names_.find(&e); it != names_.end()) out.insert(it->second);
    }
    return out;
  }
  std::set<std::string> AllBut(std::set<std::string> gone) const {
    std::set<std::string> out;
    for (const auto& [e, name] : names_) {
      if (!gone.count(name)) out.insert(name);
    }
    return out;
  }

  // Every element's kind, layer, mark, group number, values and owner, in a stable order: the
  // drawing as undo must bring it back (undo appends what it restores, so order is left out).
  std::vector<std::string> Dump() const {
    std::vector<std::string> out;
    for (const DrawEntity& e : t.doc->entities) {
      std::string line = std::to_string(e.kind) + " layer" + std::to_string(e.layer) + " mark" +
                         std::to_string(e.mark) + " group" + std::to_string(e.groupNo);
      for (int i = 0; i < e.valueCount; ++i) line += " " + std::to_string(e.values[i]);
      if (e.owner) {
        line += " owner " + std::to_string(e.owner->kind) + "/" + std::to_string(e.owner->groupNo);
        for (int i = 0; i < e.owner->valueCount; ++i) line += " " + std::to_string(e.owner->values[i]);
      }
      out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  void Window(ModelPoint a, ModelPoint b) {
    Click(a.x, a.y);
    Move(b.x, b.y);
    Click(b.x, b.y);
  }

  TestDimensionParts dimensions_{TwoLineDimensionParts};
  std::map<const DrawEntity*, std::string> names_;
};

}  // namespace plenwick::testing
