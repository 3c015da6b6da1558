// Round trips of random drawings through DXF: every exported kind written and read back element
// by element as the mapping says (whole units less the origin, angles and heights to 0.01,
// clockwise arcs turned round, composite elements as lines), over many seeds.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "dxf_test_support.h"
#include "platform/sjis.h"

namespace plenwick {
namespace {

using testing::Add;
using testing::ValuesOf;

struct Want {
  int16_t kind;
  int16_t subKind;
  int16_t lineAttr;
  std::vector<double> values;
  std::string text;
  double tolerance = 0;  // for every value; whole-unit values compare exactly
  bool endsOnly = false; // a run of curve lines: only the count, first start and last end
  int runLength = 1;
};

double Whole(double v) { return std::nearbyint(v); }
double Hundredths(double v) { return std::nearbyint(v * 100) / 100; }

class RandomDrawing {
 public:
  explicit RandomDrawing(uint32_t seed) : rng_(seed) {}

  double Coordinate() { return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_); }
  double Angle() { return std::uniform_real_distribution<double>(-360, 360)(rng_); }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  int16_t LineAttr() { return static_cast<int16_t>(Int(0, 7) * 100 + Int(0, 7)); }
  std::string Text() {
    static const char* const kPieces[] = {"A-101", " ", "\x95\xbd\x96\xca\x90\x7d", "\x83\x5c", "\r\n", "x", "\xb1"};
    std::string s;
    for (int n = Int(0, 60); n > 0; --n) s += kPieces[Int(0, 6)];
    return s;
  }

 private:
  std::mt19937 rng_;
};

// What reading the written file gives for one element.
void Expect(const DrawEntity& e, double ox, double oy, std::vector<Want>& want) {
  const int16_t attr = static_cast<int16_t>(e.LineType() <= 4 ? e.LineType() * 100 : 0);
  auto x = [&](int i) { return Whole(e.values[i] - ox); };
  auto y = [&](int i) { return Whole(e.values[i] - oy); };
  auto line = [&](int a, int b) { want.push_back({kLine, 0, attr, {x(a), y(a + 1), x(b), y(b + 1)}, ""}); };
  auto text = [&] {
    std::string t(e.text.view().substr(0, SjisPrefixLength(e.text.view(), 255)));
    for (char& c : t) c = c == '\r' || c == '\n' ? ' ' : c;
    const double h = Hundredths(e.values[2]);
    want.push_back({kText, 0, attr, {x(0), y(1), h, h, Whole(e.values[4])}, t, 0.0051});
  };
  switch (e.kind) {
    case kPoint:
      want.push_back({kPoint, 0, attr, {x(0), y(1)}, ""});
      break;
    case kLine:
      line(0, 2);
      break;
    case kCircle:
      if (Whole(std::fabs(e.values[2])) > 0) {
        want.push_back({kCircle, 0, attr, {x(0), y(1), Whole(std::fabs(e.values[2]))}, ""});
      }
      break;
    case kArc: {
      if (Whole(e.values[2]) <= 0) break;
      const bool ccw = e.subKind == 1;
      want.push_back({kArc, 1, attr, {x(0), y(1), Whole(e.values[2]), Hundredths(e.values[ccw ? 3 : 4]),
                                      Hundredths(e.values[ccw ? 4 : 3])}, "", 0.0051});
      break;
    }
    case kText:
      text();
      break;
    case kLeaderText:
      text();
      line(5, 7);
      if (e.valueCount >= 11) line(7, 9);
      break;
    case kPolygon:
      for (int i = 2; i + 1 < e.valueCount; i += 2) line(i - 2, i);
      break;
    case kBezierCurve: {
      const int n = e.valueCount / 2;
      Want run{kLine, 0, attr, {x(0), y(1), x(e.valueCount - 2), y(e.valueCount - 1)}, ""};
      run.endsOnly = true;
      run.runLength = (n + 1) * (n + 1);
      want.push_back(run);
      break;
    }
    default:
      break;
  }
}

void BuildDrawing(RandomDrawing& r, EntityList& list) {
  testing::AddGrid(list);
  for (int n = r.Int(1, 25); n > 0; --n) {
    const double cx = r.Coordinate(), cy = r.Coordinate();
    switch (r.Int(0, 9)) {
      case 0: Add(list, kPoint, {cx, cy}, r.LineAttr()); break;
      case 1: Add(list, kLine, {cx, cy, r.Coordinate(), r.Coordinate()}, r.LineAttr()); break;
      case 2: Add(list, kCircle, {cx, cy, r.Int(0, 3) == 0 ? 0.3 : r.Coordinate() / 100}, r.LineAttr()); break;
      case 3:
        Add(list, kArc, {cx, cy, std::fabs(r.Coordinate()), r.Angle(), r.Angle()}, r.LineAttr(),
            static_cast<int16_t>(r.Int(0, 1) ? 1 : -1));
        break;
      case 4: {
        const std::string t = r.Text();
        Add(list, kText, {cx, cy, r.Int(1, 2000) / 100.0, 3, r.Angle()}, r.LineAttr(), 0, t.c_str());
        break;
      }
      case 5: {
        const std::string t = r.Text();
        std::vector<double> v{cx, cy, 5, 5, 0, cx + 10, cy + 10, cx + 20, cy + 30};
        if (r.Int(0, 1)) v.insert(v.end(), {cx + 40, cy + 30});
        Add(list, kLeaderText, v, r.LineAttr(), 13, t.c_str());
        break;
      }
      case 6: case 7: {
        std::vector<double> v;
        for (int k = r.Int(2, 12); k > 0; --k) v.insert(v.end(), {r.Coordinate(), r.Coordinate()});
        Add(list, r.Int(0, 1) ? kPolygon : kBezierCurve, v, r.LineAttr());
        break;
      }
      default: Add(list, kHorizontalInfiniteLine, {-999999.9, cy, 9999999.9, cy}, r.LineAttr()); break;
    }
  }
}

TEST(DxfRoundTrip, RandomDrawingsElementByElement) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomDrawing r(seed);
    EntityList list;
    BuildDrawing(r, list);
    DxfContext context;
    context.originX = r.Coordinate() / 10;
    context.originY = r.Coordinate() / 10;
    context.ltScale = r.Int(1, 500);
    std::vector<Want> want;
    for (const DrawEntity& e : list) Expect(e, context.originX, context.originY, want);

    EntityList back;
    const auto read = testing::ReadDxfText(testing::DxfText(list, context), back);
    ASSERT_EQ(read.rc, 0) << read.report.error;
    EXPECT_EQ(read.context.ltScale, context.ltScale);
    auto it = back.begin();
    for (const Want& w : want) {
      ASSERT_NE(it, back.end());
      const DrawEntity& first = *it;
      const DrawEntity* last = &first;
      for (int i = 1; i < w.runLength; ++i) {
        ++it;
        ASSERT_NE(it, back.end());
        EXPECT_EQ(it->kind, kLine);
        last = &*it;
      }
      ++it;
      EXPECT_EQ(first.kind, w.kind);
      EXPECT_EQ(first.subKind, w.subKind);
      EXPECT_EQ(first.lineAttr, w.lineAttr);
      EXPECT_EQ(std::string(first.text.view()), w.text);
      std::vector<double> got = ValuesOf(first);
      if (w.endsOnly) got = {first.values[0], first.values[1], last->values[2], last->values[3]};
      ASSERT_EQ(got.size(), w.values.size());
      for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], w.values[i], w.tolerance) << "value " << i;
    }
    EXPECT_EQ(it, back.end());
  }
}

}  // namespace
}  // namespace plenwick
