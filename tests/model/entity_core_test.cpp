// Guards the entity core: the range rule, defaults, group numbering, reordering and translation.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/entity_core.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::AddCircle;
using testing::AddGrid;
using testing::AddGroupHeader;
using testing::AddLine;
using testing::AddText;

std::vector<DrawEntity*> Order(EntityList& list) {
  std::vector<DrawEntity*> out;
  for (DrawEntity& e : list) out.push_back(&e);
  // The back links must agree with the forward ones.
  DrawEntity* back = list.tail;
  for (auto it = out.rbegin(); it != out.rend(); ++it, back = back->prev) EXPECT_EQ(*it, back);
  EXPECT_EQ(back, nullptr);
  return out;
}

TEST(AddEntity, RangeCheckIsAsymmetricAndSkipsDimensionX) {
  struct Case {
    int16_t kind;
    double x, y;
    bool accepted;
  } cases[] = {
      {kLine, 1.0e11, 0, false},          // above +99999999999.9
      {kLine, 99999999999.9, 0, true},
      {kLine, -9999999999.9, 0, true},
      {kLine, -1.0e10, 0, false},         // below -9999999999.9
      {kLine, 0, 1.0e11, false},
      {kDimension, 1.0e11, 0, true},      // the packed field of a dimension is never checked
      {kDimension, 1.0e11, 1.0e11, false},
      {kLine, std::nan(""), 0, false},
  };
  for (const Case& c : cases) {
    EntityList list;
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {c.x, c.y, 0, 0};
    const int rc = AddEntity({c.kind, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr);
    EXPECT_EQ(rc == 0, c.accepted) << c.kind << " " << c.x << " " << c.y;
    EXPECT_EQ(list.size(), c.accepted ? 1u : 0u);
  }
}

TEST(AddEntity, ChildChecksXEvenForDimensions) {
  EntityList list;
  DrawEntity* header = AddGroupHeader(list);
  const int16_t codes[] = {30, 31};
  const double values[] = {1.0e11, 0};
  EXPECT_EQ(AddChildEntity({kDimension, 0, 0, 0, 2}, nullptr, list, codes, 0, values, nullptr, header), 1);
}

TEST(AddEntity, CopiesArraysAndDefaultsTheFont) {
  EntityList list;
  DrawEntity* line = AddLine(list, 1, 2, 3, 4);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->codes[3], 22) << "a line's second Y is coded 22";
  EXPECT_EQ(line->mark, 0);
  EXPECT_EQ(line->groupNo, 0);
  EXPECT_EQ(line->font.IsNull(), true);
  DrawEntity* text = AddText(list, "abc");
  EXPECT_EQ(text->font.view(), kDefaultFontSjis);
  EXPECT_EQ(text->text.view(), "abc");
  DrawEntity* own = AddText(list, "x", "Arial");
  EXPECT_EQ(own->font.view(), "Arial");
  const double poly[] = {0, 0, 1, 0, 1, 1};
  DrawEntity* polygon = nullptr;
  ASSERT_EQ(AddEntity({kPolygon, 0, 0, 0, 6}, nullptr, list, nullptr, 0, poly, nullptr, &polygon), 0);
  EXPECT_FALSE(polygon->HasCodes());
  EXPECT_EQ(polygon->values[5], 1.0);
}

TEST(AddEntity, RefusesUnknownKindsAndMissingValues) {
  EntityList list;
  const double v[] = {0, 0};
  EXPECT_EQ(AddEntity({99, 0, 0, 0, 2}, nullptr, list, nullptr, 0, v, nullptr), 1);
  EXPECT_EQ(AddEntity({kPoint, 0, 0, 0, 2}, nullptr, list, nullptr, 0, nullptr, nullptr), 1);
  // Curves larger than the curve tools make would cost every pick and intersection dearly.
  const std::vector<double> many(6002, 1.0);
  EXPECT_EQ(AddEntity({kBezierCurve, 0, 0, 0, 82}, nullptr, list, nullptr, 0, many.data(), nullptr), 1);
  EXPECT_EQ(AddEntity({kFreeCurve, 0, 0, 0, 6002}, nullptr, list, nullptr, 0, many.data(), nullptr), 1);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(AddEntity({kBezierCurve, 0, 0, 0, 80}, nullptr, list, nullptr, 0, many.data(), nullptr), 0);
  EXPECT_EQ(AddEntity({kFreeCurve, 0, 0, 0, 6000}, nullptr, list, nullptr, 0, many.data(), nullptr), 0);
}

TEST(GroupNumbers, CountFromOneAndRestartAfterClear) {
  EntityList list;
  EXPECT_EQ(AddGroupHeader(list)->groupNo, 1);
  DrawEntity* second = AddGroupHeader(list);
  EXPECT_EQ(second->groupNo, 2);
  DrawEntity* member = nullptr;
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 1, 1};
  ASSERT_EQ(AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr, second, &member), 0);
  EXPECT_EQ(member->owner, second);
  EXPECT_EQ(member->groupNo, 2);
  ClearEntityList(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(AddGroupHeader(list)->groupNo, 1);
}

TEST(GroupNumbers, ReusedOnceAllHaveBeenHandedOut) {
  // Numbers are 16 bits: past the last one they must not wrap to negative numbers or to 0
  // (no group), nor repeat a number a header still holds.
  EntityList list;
  std::vector<DrawEntity*> headers;
  for (int i = 0; i < 32767; ++i) headers.push_back(AddGroupHeader(list));
  EXPECT_EQ(headers.back()->groupNo, 32767);
  EXPECT_EQ(AddGroupHeader(list), nullptr) << "every number is held";
  UnlinkEntity(list, headers[4]);
  FreeEntity(headers[4]);
  EXPECT_EQ(AddGroupHeader(list)->groupNo, 5);
}

TEST(GroupNumbers, LinkMembersAndClearOrphans) {
  EntityList list;
  DrawEntity* header = AddGroupHeader(list);
  DrawEntity* a = AddLine(list, 0, 0, 1, 1);
  DrawEntity* orphan = AddLine(list, 0, 0, 2, 2);
  a->groupNo = header->groupNo;
  orphan->groupNo = 7;
  LinkGroupMembers(list);
  EXPECT_EQ(a->owner, header);
  EXPECT_EQ(header->owner, nullptr);
  ClearOrphanGroupNumbers(list);
  EXPECT_EQ(orphan->groupNo, 0);
  EXPECT_EQ(a->groupNo, 1);
  EXPECT_EQ(header->groupNo, 1) << "a header keeps its number, or every save would dissolve the group";
  EXPECT_EQ(HighestGroupNumber(list), 1);
}

TEST(EntityAt, CountsFromZero) {
  EntityList list;
  DrawEntity* g = AddGrid(list);
  DrawEntity* l = AddLine(list, 0, 0, 1, 1);
  EXPECT_EQ(EntityAt(list, 0), g);
  EXPECT_EQ(EntityAt(list, 1), l);
  EXPECT_EQ(EntityAt(list, 2), nullptr);
  EXPECT_EQ(EntityAt(list, -1), nullptr);
}

TEST(Reorder, BringToFrontKeepsGridFirstAndOrder) {
  EntityList list;
  DrawEntity* g = AddGrid(list);
  DrawEntity* a = AddLine(list, 0, 0, 1, 1);
  DrawEntity* b = AddLine(list, 0, 0, 2, 2);
  DrawEntity* c = AddLine(list, 0, 0, 3, 3);
  DrawEntity* d = AddLine(list, 0, 0, 4, 4);
  b->mark = 3;
  d->mark = 3;
  BringMarkedToFront(list);
  EXPECT_EQ(Order(list), (std::vector<DrawEntity*>{g, b, d, a, c}));
  EXPECT_EQ(b->mark, 0);
  EXPECT_EQ(d->mark, 0);
}

TEST(Reorder, SendToBackKeepsTheOrderOfTheMarkedWithTheTailAmongThem) {
  // Sparing a marked tail put it before the others and split a group whose last member it was.
  EntityList list;
  DrawEntity* g = AddGrid(list);
  DrawEntity* a = AddLine(list, 0, 0, 1, 1);
  DrawEntity* b = AddLine(list, 0, 0, 2, 2);
  DrawEntity* c = AddLine(list, 0, 0, 3, 3);
  a->mark = 3;
  c->mark = 3;
  SendMarkedToBack(list);
  EXPECT_EQ(Order(list), (std::vector<DrawEntity*>{g, b, a, c}));
  EXPECT_EQ(c->mark, 0);
  EXPECT_EQ(a->mark, 0);
}

TEST(FindDimensionFont, SystemWithoutTextPart) {
  EntityList list;
  const int16_t codes[] = {30, 31, 32};
  const double values[] = {0, 0, 0};
  DrawEntity* dim = nullptr;
  ASSERT_EQ(AddEntity({kDimension, 0, 0, 0, 3}, nullptr, list, codes, 0, values, nullptr, &dim), 0);
  EXPECT_EQ(FindDimensionFont(list, dim), "System");
  const int16_t tcodes[] = {10, 20, 30, 40, 50};
  const double tvalues[] = {0, 0, 1, 1, 0};
  ASSERT_EQ(AddChildEntity({kText, 0, 0, 0, 5}, "Gothic", list, tcodes, 0, tvalues, "12", dim), 0);
  EXPECT_EQ(FindDimensionFont(list, dim), "Gothic");
}

TEST(DimensionParts, GeneratorChosenByDimensionKind) {
  std::vector<int> calls;
  auto record = [&calls](int tag) {
    return [&calls, tag](EntityList& list, DrawEntity& dim, int mode) {
      calls.push_back(tag * 10 + mode);
      testing::AddLine(list, 0, 0, 1, 1)->owner = &dim;
    };
  };
  auto previous = InstallDimensionPartsGenerators({record(1), record(2), record(3), record(4)});
  EntityList list;
  const int16_t codes[] = {30, 31};
  const double values[] = {0, 0};
  for (int16_t sub : {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
    AddEntity({kDimension, sub, 0, 0, 2}, nullptr, list, codes, 0, values, nullptr);
  }
  InstallDimensionPartsGenerators(std::move(previous));
  EXPECT_EQ(calls, (std::vector<int>{10, 11, 12, 20, 10, 10, 30, 30, 40}));
  EXPECT_EQ(list.size(), 18u);
  EXPECT_EQ(list.tail->owner->kind, kDimension);
}

TEST(TranslateEntities, MovesCoordinatesPerKind) {
  EntityList list;
  DrawEntity* grid = AddGrid(list);
  DrawEntity* line = AddLine(list, 1, 2, 3, 4);
  DrawEntity* circle = AddCircle(list, 5, 6, 7);
  const int16_t dcodes[] = {30, 10, 40, 41, 51, 449, 450};
  const double dvalues[] = {0, 100, 1, 2, 3, 4, 5};
  DrawEntity* dim = nullptr;
  AddEntity({kDimension, 0, 0, 0, 7}, nullptr, list, dcodes, 0, dvalues, nullptr, &dim);
  const double lt[] = {1, 1, 5, 5, 0, 2, 2, 3, 3, 4, 4};
  const int16_t lc[] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
  DrawEntity* leader = nullptr;
  AddEntity({kLeaderText, 0, 0, 0, 11}, nullptr, list, lc, 0, lt, "a", &leader);
  // Paint: two parameters, a vertex, an arc piece, a vertex, then an ending code 0 is an arc
  // piece by the rule; the walk ends at the array's end.
  const double pv[] = {9, 9, 1, 1, 2, 2, 0, 3, 3, 4, 4};
  const int16_t pc[] = {3, 0, 10, 0, 1, 0, 0, 0, 0, 10, 0};
  DrawEntity* paint = nullptr;
  AddEntity({kPaint, 3, 0, 0, 11}, nullptr, list, pc, 0, pv, nullptr, &paint);

  TranslateEntities(list.head, 10, 100);
  EXPECT_EQ(grid->values[0], 0) << "the grid is not moved";
  EXPECT_EQ(line->values[0], 11);
  EXPECT_EQ(line->values[3], 104);
  EXPECT_EQ(circle->values[1], 106);
  EXPECT_EQ(circle->values[2], 7) << "a radius is not a coordinate";
  EXPECT_EQ(dim->values[1], 100) << "code 10 of a dimension is its measured value";
  EXPECT_EQ(dim->values[2], 11);
  EXPECT_EQ(dim->values[3], 102);
  EXPECT_EQ(dim->values[4], 103);
  EXPECT_EQ(dim->values[5], 4) << "code 449 ends in 9: neither an X nor a Y";
  EXPECT_EQ(dim->values[6], 5) << "450 is past the coordinate codes";
  EXPECT_EQ(leader->values[2], 5);
  EXPECT_EQ(leader->values[5], 12);
  EXPECT_EQ(leader->values[10], 104);
  EXPECT_EQ(paint->values[0], 9);
  EXPECT_EQ(paint->values[2], 11);
  EXPECT_EQ(paint->values[4], 12);   // arc piece point 1
  EXPECT_EQ(paint->values[5], 102);
  EXPECT_EQ(paint->values[6], 0);    // the arc piece's middle value is not a point
  EXPECT_EQ(paint->values[7], 13);   // arc piece point 2
  EXPECT_EQ(paint->values[9], 14);   // final vertex
}

TEST(AddCurveFromPoints, TakesPointsInOrder) {
  EntityList list;
  CurvePoint c{5, 6, nullptr}, b{3, 4, &c}, a{1, 2, &b};
  ASSERT_EQ(AddCurveFromPoints({kFreeCurve, 0, 0, 0, 3}, list, 0, &a), 0);
  ASSERT_EQ(list.tail->kind, kFreeCurve);
  ASSERT_EQ(list.tail->valueCount, 6);
  EXPECT_EQ(list.tail->values[4], 5);
  EXPECT_FALSE(list.tail->HasCodes());
  EXPECT_EQ(AddCurveFromPoints({kFreeCurve, 0, 0, 0, 4}, list, 0, &a), 1) << "fewer points than announced";
}

}  // namespace
}  // namespace plenwick
