// Guards the development tool through pixel events on a headless view with its dialog scripted:
// over random dimensions each body's construction agrees with closed forms and with geometry
// worked out independently (the cut heights of the unrolled prism, the 3-D meeting points of the
// cone's generators with the cutting plane), lands as one group with the current attributes that
// one undo takes away; the dialog refuses bad fields in order, keeps what passed in the profile
// and shows it again, and a cancelled dialog leaves no undo step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "support/draw_tool_fixture.h"

namespace plenwick {
namespace {

constexpr int kCmdCylinder = 32865;
constexpr int kCmdPrism = 32866;
constexpr int kCmdCone = 32867;
constexpr double kTwoPi = 2 * kPi;

struct Segment {
  ModelPoint a, b;
};

struct Group {
  const DrawEntity* header = nullptr;
  std::vector<const DrawEntity*> members;
  std::vector<Segment> lines;
  std::vector<const DrawEntity*> arcs, circles;
};

// A value typed with two decimals, and the single-precision value the dialog makes of it.
struct Typed {
  std::string text;
  double value;
};
Typed Type(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  return {text, static_cast<float>(std::strtod(text, nullptr))};
}

class DevelopToolTest : public testing::DrawToolTest {
 protected:
  int LiveCount() const {
    int n = 0;
    for (const DrawEntity& e : t.doc->entities) n += e.mark != kMarkDeleted;
    return n;
  }
  // Chooses the body, clicks at `at` and answers the dialog with `texts`; the group made.
  Group Run(int command, ModelPoint at, const std::vector<std::string>& texts) {
    Command(command);
    t.ui.developTexts.push_back(texts);
    Click(at.x, at.y);
    return LastGroup();
  }
  Group LastGroup() const {
    Group g;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.mark != kMarkDeleted && e.kind == kGroupHeader) {
        g = Group{};
        g.header = &e;
      }
    }
    for (const DrawEntity& e : t.doc->entities) {
      if (e.mark == kMarkDeleted || !g.header || e.owner != g.header) continue;
      g.members.push_back(&e);
      if (e.kind == kLine) g.lines.push_back({{e.Value(0), e.Value(1)}, {e.Value(2), e.Value(3)}});
      if (e.kind == kArc) g.arcs.push_back(&e);
      if (e.kind == kCircle) g.circles.push_back(&e);
    }
    return g;
  }
  // Every member carries the current attributes and the header's group; the header is (X, Y, 1, 0).
  void ExpectGroupOf(const Group& g, ModelPoint at) const {
    ASSERT_NE(g.header, nullptr);
    EXPECT_EQ(std::vector<double>(g.header->values.get(), g.header->values.get() + 4),
              (std::vector<double>{at.x, at.y, 1, 0}));
    EXPECT_EQ(g.header->lineAttr, 0);
    for (const DrawEntity* e : g.members) {
      EXPECT_EQ(e->lineAttr, s().CurrentLineType * 100 + s().CurrentPen);
      EXPECT_EQ(e->colour, s().CurrentColour);
      EXPECT_EQ(e->layer, s().CurrentLayer);
      EXPECT_EQ(e->groupNo, g.header->groupNo);
      if (e->kind == kArc) {
        EXPECT_EQ(e->subKind, 1);
      }
    }
  }
  // Whether some line of the group ends at p.
  static bool HasEnd(const Group& g, ModelPoint p, double tolerance = 1e-7) {
    return std::any_of(g.lines.begin(), g.lines.end(), [&](const Segment& s) {
      return std::hypot(s.a.x - p.x, s.a.y - p.y) < tolerance || std::hypot(s.b.x - p.x, s.b.y - p.y) < tolerance;
    });
  }
  void SetAttributes() {
    s().CurrentPen = 3;
    s().CurrentLineType = 1;
    s().CurrentColour = 0x123456;
    s().CurrentLayer = 5;
  }
  // Undo takes the whole group away.
  void ExpectOneUndoStep(int before) {
    Command(kCmdUndo);
    EXPECT_EQ(LiveCount(), before);
  }
  std::mt19937 rng{23};
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
};

// A few counts that divide a turn badly (0, 1, 3, 5, 4) and random ones.
int Divisions(int round, std::mt19937& rng) {
  static constexpr int kFixed[] = {0, 1, 3, 5, 4};
  if (round < static_cast<int>(std::size(kFixed))) return kFixed[round];
  return std::uniform_int_distribution<int>(2, 120)(rng);
}

TEST_F(DevelopToolTest, CylinderUnrollsToItsCircumferenceWithTheCutFollowingThePlane) {
  SetAttributes();
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    const Typed r = Type(Uniform(1, 60)), h1 = Type(Uniform(1, 80)), h2 = round == 6 ? h1 : Type(Uniform(1, 80));
    const int n = Divisions(round, rng);
    const ModelPoint at{static_cast<double>(50 + round), 40};
    const int before = LiveCount();
    const Group g = Run(kCmdCylinder, at, {r.text, h1.text, h2.text, std::to_string(n)});
    ExpectGroupOf(g, at);
    const double R = r.value, yb = at.y + 3 * R, xd = at.x + 3 * R;
    ASSERT_EQ(g.circles.size(), 1u);
    EXPECT_EQ(std::vector<double>(g.circles[0]->values.get(), g.circles[0]->values.get() + 3),
              (std::vector<double>{at.x + R, at.y + R, R}));
    // Plan, four sides of the elevation, the start edge, one piece per step, end edge and base.
    EXPECT_EQ(g.members.size(), static_cast<std::size_t>(std::max(n, 1) + 8));
    int bases = 0;
    for (const Segment& s : g.lines) {
      if (s.a.x < xd - 1e-9 || s.b.x < xd - 1e-9) continue;  // the elevation
      if (s.a.y == yb && s.b.y == yb) {
        ++bases;
        EXPECT_NEAR(std::fabs(s.a.x - s.b.x), kPi * 2 * R, 1e-9);  // π·d
        continue;
      }
      // Every point of the unrolled top is the plane's height over the point of the circle it
      // came from: H1 at the left (φ = 0), H2 at the right (φ = π).
      for (const ModelPoint p : {s.a, s.b}) {
        if (p.y == yb) continue;
        const double phi = (p.x - xd) / R;
        EXPECT_NEAR(p.y, yb + h1.value + (h2.value - h1.value) * (1 - std::cos(phi)) / 2, 1e-9);
      }
      EXPECT_GT(std::hypot(s.a.x - s.b.x, s.a.y - s.b.y), 1e-3) << "a piece of almost no length";
    }
    EXPECT_EQ(bases, 1);
    EXPECT_TRUE(HasEnd(g, {xd, yb + h1.value}));
    EXPECT_TRUE(HasEnd(g, {xd + kTwoPi * R, yb + h1.value}));
    if (n % 2 == 0 && n > 0) {
      EXPECT_TRUE(HasEnd(g, {xd + kPi * R, yb + h2.value}));
    }
    ExpectOneUndoStep(before);
  }
}

// The distance along the plan's L1 side of the point of the rounded rectangle that lies `p`
// along its perimeter, starting at the middle of the left side and running clockwise.
double PrismAlong(double p, double l1, double l2, double r) {
  const double quarter = kPi * r / 2;
  const double pieces[9] = {l2 / 2 - r, quarter, l1 - 2 * r, quarter, l2 - 2 * r, quarter, l1 - 2 * r, quarter, l2 / 2 - r};
  for (int i = 0; i < 9; ++i) {
    if (p > pieces[i] + 1e-9 && i < 8) {
      p -= pieces[i];
      continue;
    }
    const double phi = r > 0 ? p / r : 0;
    switch (i) {
      case 0: case 8: return 0;
      case 1: return r * (1 - std::cos(phi));
      case 2: return r + p;
      case 3: return l1 - r + r * std::sin(phi);
      case 4: return l1;
      case 5: return l1 - r + r * std::cos(phi);
      case 6: return l1 - r - p;
      default: return r - r * std::sin(phi);
    }
  }
  return 0;
}

TEST_F(DevelopToolTest, PrismUnrollsToItsRoundedPerimeterWithEveryFold) {
  SetAttributes();
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    const Typed l1 = Type(Uniform(10, 200)), l2 = Type(Uniform(10, 200));
    const Typed h1 = Type(Uniform(1, 100)), h2 = Type(Uniform(1, 100));
    const double most = std::min(l1.value, l2.value) / 2 - 0.01;
    const Typed r = round % 4 == 0 ? Type(0) : Type(Uniform(0.5, most));
    const int n = Divisions(round, rng);
    const ModelPoint at{30, 20};
    const int before = LiveCount();
    const Group g = Run(kCmdPrism, at, {l1.text, l2.text, h1.text, h2.text, r.text, std::to_string(n)});
    ExpectGroupOf(g, at);
    const double L1 = l1.value, L2 = l2.value, R = r.value;
    const double c = at.y + 1.5 * L2, x0 = at.x + L1 + L2 / 2, slope = (h2.value - h1.value) / L1;
    EXPECT_EQ(g.arcs.size(), R > 0 ? 4u : 0u);
    for (const DrawEntity* a : g.arcs) EXPECT_EQ(a->Value(2), R);
    int bases = 0, folds = 0, top = 0;
    for (const Segment& s : g.lines) {
      if (s.a.x < x0 - 1e-9 || s.b.x < x0 - 1e-9) continue;  // plan and elevation
      if (s.a.y == c && s.b.y == c) {
        ++bases;
        EXPECT_NEAR(std::fabs(s.a.x - s.b.x), 2 * (L1 + L2) - (8 - kTwoPi) * R, 1e-9);
      } else if (s.a.x == s.b.x) {
        ++folds;
        EXPECT_EQ(std::min(s.a.y, s.b.y), c);
      } else {
        ++top;
        for (const ModelPoint p : {s.a, s.b}) {
          EXPECT_NEAR(p.y, c + h1.value + slope * PrismAlong(p.x - x0, L1, L2, R), 1e-9) << p.x - x0;
        }
      }
    }
    EXPECT_EQ(bases, 1);
    // The start edge and a fold after each side and corner; without a radius the corners are
    // points, adding neither pieces nor second folds.
    EXPECT_EQ(folds, R > 0 ? 10 : 6);
    const int perCorner = n > 4 ? (n - 1) / 4 + 1 : 1;  // n ≤ 4: one straight line
    EXPECT_EQ(top, 5 + (R > 0 ? 4 * perCorner : 0));
    ExpectOneUndoStep(before);
  }
}

TEST_F(DevelopToolTest, ConeCutPointsAreWhereTheGeneratorsMeetThePlane) {
  SetAttributes();
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    const Typed r = Type(Uniform(5, 80)), h1 = Type(Uniform(10, 150)), h2 = Type(Uniform(0, h1.value * 0.9));
    // Planes that stay off the apex's height for every generator (k·R < H1/2).
    const double steepest = std::atan(0.5 * h1.value / r.value) * 180 / kPi;
    const Typed a = round % 3 == 0 || steepest < 1 ? Type(0) : Type(Uniform(0.5, std::min(40.0, steepest)));
    const int n = Divisions(round, rng);
    const ModelPoint at{20, 30};
    const int before = LiveCount();
    const Group g = Run(kCmdCone, at, {r.text, h1.text, h2.text, a.text, std::to_string(n)});
    ExpectGroupOf(g, at);
    const double R = r.value, H1 = h1.value, H2 = h2.value, k = std::tan(a.value * kPi / 180);
    const double slant = std::sqrt(H1 * H1 + R * R);
    const ModelPoint apex{at.x + 3 * R, at.y + H1 + 0.25 * R};
    ASSERT_EQ(g.arcs.size(), 1u);
    const DrawEntity& arc = *g.arcs[0];
    EXPECT_EQ(arc.Value(0), apex.x);
    EXPECT_EQ(arc.Value(1), apex.y);
    EXPECT_NEAR(arc.Value(2), slant, 1e-9);
    EXPECT_NEAR(std::fmod(arc.Value(4) - arc.Value(3) + 360, 360), 360 * R / slant, 1e-9);
    // The generator from the apex (0, 0, H1) to (R cos φ, R sin φ, 0) meets the plane
    // z = H2 + k·x at the share τ of its length from the apex.
    const auto share = [&](double phi) { return (H1 - H2) / (H1 + k * R * std::cos(phi)); };
    std::vector<double> plan, unrolled;
    for (int i = 0; i < std::max(n, 1); ++i) plan.push_back(n > 0 ? kTwoPi * i / n : 0);
    plan.push_back(kTwoPi);
    for (int i = 0; 2 * i < std::max(n, 1); ++i) unrolled.push_back(n > 0 ? kTwoPi * i / n : 0);
    unrolled.push_back(kPi);
    // With fewer than two pieces the plan of the cut shrinks to a point: no line.
    const std::size_t planLines = n > 1 ? plan.size() - 1 : 0;
    for (const double phi : planLines > 0 ? plan : std::vector<double>{}) {
      const double rho = share(phi) * R;
      EXPECT_TRUE(HasEnd(g, {at.x + R + rho * std::cos(phi), at.y + R + rho * std::sin(phi)}, 1e-6)) << phi;
    }
    for (const double phi : unrolled) {
      const double d = share(phi) * slant, psi = phi * R / slant;
      for (const double side : {1.0, -1.0}) {
        const ModelPoint p{apex.x + d * std::cos(psi), apex.y + side * d * std::sin(psi)};
        EXPECT_TRUE(HasEnd(g, p, 1e-6)) << phi;
        if (a.value == 0) {
          EXPECT_NEAR(std::hypot(p.x - apex.x, p.y - apex.y), (H1 - H2) * slant / H1, 1e-9);
        }
      }
    }
    const double alpha = kPi * R / slant;
    EXPECT_TRUE(HasEnd(g, {apex.x + slant * std::cos(alpha), apex.y + slant * std::sin(alpha)}));
    EXPECT_TRUE(HasEnd(g, {apex.x + slant * std::cos(alpha), apex.y - slant * std::sin(alpha)}));
    // Base, two outlines, the cutting line; the plan; the plan of the cut; the arc; both cut
    // chains and their closing edges.
    const std::size_t chains = 2 * (unrolled.size() - 1) + 2;
    EXPECT_EQ(g.members.size(), 4 + 1 + planLines + 1 + chains);
    ExpectOneUndoStep(before);
  }
}

TEST_F(DevelopToolTest, TheDialogRefusesInOrderKeepsWhatPassedAndCancelsWithoutAStep) {
  // A line of its own undo step: cancelled dialogs must leave it the step undo takes back.
  const int empty = LiveCount();
  Command(32811);
  Click(10, 10);
  Click(60, 10);
  ASSERT_EQ(LiveCount(), empty + 1);
  struct Case {
    int command;
    std::vector<std::string> texts;
    int focus;
    std::string message;  // empty: none
  } cases[] = {
      {kCmdCylinder, {"", "10", "10", "12"}, 0, ""},
      {kCmdCylinder, {"-", "10", "10", "12"}, 0, ""},
      {kCmdCylinder, {"10", ".", "10", "12"}, 1, ""},
      {kCmdCylinder, {"10", "1e3", "10", "12"}, 1, ""},
      {kCmdCylinder, {"10", "10", "-5", "12"}, 2, ""},
      {kCmdCylinder, {"10", "10", "5", "1+2"}, 3, ""},
      {kCmdCylinder, {"10", "10", "5", "1.2.3"}, 3, ""},
      {kCmdCylinder, {"10", "10", "5", "3601"}, 3, ""},
      {kCmdPrism, {"0", "10", "5", "5", "1", "12"}, 0, ""},
      {kCmdPrism, {"10", "0", "5", "5", "1", "12"}, 1, ""},
      {kCmdPrism, {"10", "30", "5", "5", "6", "12"}, 4, "半径の値に誤りがあります。、（長さ/２より大きいです）"},
      {kCmdPrism, {"30", "10", "5", "5", "5.5", "12"}, 4, "半径の値に誤りがあります。、（長さ/２より大きいです）"},
      {kCmdPrism, {"30", "10", "5", "5", "5", " 12"}, 5, ""},
      {kCmdCone, {"10", "0", "0", "0", "12"}, 1, ""},
      {kCmdCone, {"10", "5", "6", "0", "12"}, 1, "高さ２が高さ１より高いです。"},
      {kCmdCone, {"10", "20", "5", "45", "x"}, 4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts[0] + " " + c.texts[1] + " " + c.texts.back());
    t.ui.profile.clear();
    t.ui.messages.clear();
    t.ui.developFocus.clear();
    Command(c.command);
    t.ui.developTexts = {c.texts};  // refused, then the script runs out: ｷｬﾝｾﾙ
    Click(300, 300);
    EXPECT_EQ(t.ui.developFocus, std::vector<int>{c.focus});
    EXPECT_EQ(t.ui.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    // The fields before the one at fault were kept; after a fault between fields, all of them.
    const std::size_t kept = c.message.empty() ? static_cast<std::size_t>(c.focus) : c.texts.size();
    for (std::size_t field = 0; field < 7; ++field) {
      const std::string key = "Develop/Edit0" + std::to_string(field + 1);
      EXPECT_EQ(t.ui.profile.count(key), field < kept ? 1u : 0u) << key;
      if (field < kept) {
        EXPECT_EQ(t.ui.profile[key], c.texts[field]);
      }
    }
    EXPECT_EQ(LiveCount(), empty + 1);
  }
  Command(kCmdUndo);
  EXPECT_EQ(LiveCount(), empty) << "a cancelled dialog made an undo step";
  Command(kCmdUndo);  // the one step toggles back
  ASSERT_EQ(LiveCount(), empty + 1);

  // 12.9 pieces are 12; the texts come back in the next dialog; the magnet places it on the line.
  t.ui.profile.clear();
  s().Magnet = 1;
  const Group g = Run(kCmdCylinder, {59, 11}, {"10", "20", "30", "12.9"});
  EXPECT_EQ(g.members.size(), 12u + 8u);
  ExpectGroupOf(g, {60, 10});
  t.ui.developTexts.clear();
  Command(kCmdCone);
  Click(300, 300);
  EXPECT_EQ(t.ui.developInitialTexts.back(), (std::vector<std::string>{"10", "20", "30", "12.9", "", "", ""}));
}

}  // namespace
}  // namespace plenwick
