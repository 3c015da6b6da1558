// The terminators of a dimension in DXF: for every type at both ends of a distance dimension, the
// dots as two circles R and R/2 and the strokes as lines of the size index's length times the
// scale, turned from the direction of the dimension line; the parts written as plain entities.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "dimensions/dimension_records.h"
#include "exchange/dxf_test_support.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

using testing::DistanceRecord;
using testing::DxfText;
using testing::EntitiesOf;

struct Entity {
  std::string name;
  std::string layer;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0;
};

std::vector<Entity> Parse(const std::string& entities) {
  std::istringstream in(entities);
  std::string code, value;
  std::vector<Entity> out;
  while (std::getline(in, code) && std::getline(in, value)) {
    const int c = std::stoi(code);
    if (c == 0) {
      out.emplace_back();
      out.back().name = value;
      continue;
    }
    Entity& e = out.back();
    if (c == 8) e.layer = value;
    if (c == 10) e.x1 = std::stod(value);
    if (c == 20) e.y1 = std::stod(value);
    if (c == 11) e.x2 = std::stod(value);
    if (c == 21) e.y2 = std::stod(value);
    if (c == 40) e.r = std::stod(value);
  }
  return out;
}

bool HasLine(const std::vector<Entity>& all, double x1, double y1, double x2, double y2) {
  for (const Entity& e : all) {
    if (e.name == "LINE" && e.x1 == std::round(x1) && e.y1 == std::round(y1) && e.x2 == std::round(x2) &&
        e.y2 == std::round(y2)) {
      return true;
    }
  }
  return false;
}

int Count(const std::vector<Entity>& all, const std::string& name, double r = -1) {
  int n = 0;
  for (const Entity& e : all) n += e.name == name && (r < 0 || e.r == r);
  return n;
}

TEST(DxfDimension, TerminatorsOfEveryTypeAndSizeAtBothEnds) {
  InstallToolExtensions();
  const double kDeg = 3.14159265358979323846 / 180;
  for (int type = 1; type <= 4; ++type) {
    for (int size = 0; size <= 4; ++size) {
      for (double scale : {1.0, 10.0, 0.00001}) {
        EntityList list;
        // First end at (0, 0), last at (400, 0); marks: type at both ends, dot and arrow size.
        testing::DimRecord r = DistanceRecord({0, -100}, {0, 0}, {400, 0}, 400);
        r.lineAttr = 203;  // pen 3 on a dashed line
        r.Set(14, type * 10000 + type * 1000 + size * 10 + size);
        ASSERT_NE(r.AddTo(list), nullptr);
        DxfContext context;
        context.ltScale = scale;
        const std::vector<Entity> all = Parse(EntitiesOf(DxfText(list, context)));
        const double unit = scale < 0.0001 ? 1 : scale;
        const double dot = (size + 1) * unit, stroke = (4 + 2 * size) * unit;
        const std::string where = "type " + std::to_string(type) + " size " + std::to_string(size);
        EXPECT_GE(Count(all, "TEXT"), 1) << where;  // the value text, a part of its own
        if (type == 1) {
          EXPECT_EQ(Count(all, "CIRCLE", std::round(dot)), dot > 0.1 ? 2 : 0) << where;
          EXPECT_EQ(Count(all, "CIRCLE"), dot > 0.1 ? 4 : 0) << where;
        } else {
          // At the first end the dimension line comes from the last: theta 180 degrees.
          const std::vector<double> turns = type == 2   ? std::vector<double>{-150}
                                            : type == 3 ? std::vector<double>{-150, 150}
                                                        : std::vector<double>{-30, 30};
          for (double turn : turns) {
            const double a = (180 + turn) * kDeg, b = turn * kDeg;
            EXPECT_TRUE(HasLine(all, 0, 0, stroke * std::cos(a), stroke * std::sin(a))) << where << " first " << turn;
            EXPECT_TRUE(HasLine(all, 400, 0, 400 + stroke * std::cos(b), stroke * std::sin(b))) << where << " last " << turn;
          }
          EXPECT_EQ(Count(all, "CIRCLE"), 0) << where;
        }
        for (const Entity& e : all) {
          if (e.name == "CIRCLE" || e.name == "LINE") {
            EXPECT_EQ(e.layer, "PEN4") << where;
          }
        }
        ClearEntityList(list);
      }
    }
  }
}

TEST(DxfDimension, AnAreaHasNoTerminators) {
  InstallToolExtensions();
  EntityList list;
  testing::DimRecord r = testing::AreaRecord({50, 50}, 1234);
  r.Set(14, 33304);
  ASSERT_NE(r.AddTo(list), nullptr);
  const std::vector<Entity> all = Parse(EntitiesOf(DxfText(list)));
  EXPECT_EQ(Count(all, "LINE") + Count(all, "CIRCLE"), 0);
  EXPECT_EQ(Count(all, "TEXT"), 1);
  ClearEntityList(list);
}

}  // namespace
}  // namespace plenwick
