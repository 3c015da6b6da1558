// Guards what each element kind draws: point shapes and their size rule, the window rule of
// lines, infinite lines across the window, circles and arcs with the full-circle rules and the
// direction flag, curves, texts with the height rule and rotation, leaders with shoulders and end
// marks, paints with their patterns, images (missing file, faded layer, marked), grips, hooks,
// erasing, and that elements outside the window draw nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/render_fixture.h"
#include "view/grip_mark.h"
#include "view/render_hooks.h"

namespace plenwick {
namespace {

using testing::RenderFixture;

class EntityKinds : public ::testing::Test {
 protected:
  const RecordedPrimitive& Only(CanvasOp op) {
    EXPECT_EQ(f.canvas.primitives().size(), 1u);
    EXPECT_EQ(f.canvas.Count(op), 1u);
    static const RecordedPrimitive kNone;
    return f.canvas.primitives().empty() ? kNone : f.canvas.primitives()[0];
  }
  RenderFixture f;
};

TEST_F(EntityKinds, PointShapesAndTheirSizeRule) {
  struct Case {
    int16_t shape;
    double pixelsPerMm;
    CanvasOp op;
    PixelRect box;
  } cases[] = {
      {0, 1, CanvasOp::kEllipse, {99, 699, 102, 702}},    // a dot: 1 before to 2 after
      {1, 1, CanvasOp::kEllipse, {98, 698, 102, 702}},    // half-size min(near(2), 2) = 2
      {2, 1, CanvasOp::kRectangle, {98, 698, 102, 702}},
      {1, 0.7, CanvasOp::kEllipse, {69, 729, 71, 731}},   // near(1.4) = 1
      {2, 5, CanvasOp::kRectangle, {498, 298, 502, 302}}, // never more than 2
      {7, 1, CanvasOp::kEllipse, {99, 699, 102, 702}},    // unknown shapes are dots
  };
  for (const Case& c : cases) {
    RenderFixture g;
    g.mapping.PixelsPerMm = c.pixelsPerMm;
    DrawEntity* p = g.Add(kPoint, {100, 100}, c.shape);
    g.Draw(*p);
    ASSERT_EQ(g.canvas.primitives().size(), 1u) << c.shape;
    const RecordedPrimitive& r = g.canvas.primitives()[0];
    EXPECT_EQ(r.op, c.op);
    EXPECT_EQ(r.rect, c.box) << c.shape << " at " << c.pixelsPerMm;
    EXPECT_EQ(r.pen.colour, 0x112233u);
    EXPECT_EQ(r.brush.kind, BrushKind::kSolid);
    EXPECT_EQ(r.brush.colour, 0x112233u);
  }
}

TEST_F(EntityKinds, PointsVanishWhenTwoPaperMillimetresRoundToNothingOrOutside) {
  f.mapping.PixelsPerMm = 0.2;  // near(0.4) = 0
  f.Draw(*f.Add(kPoint, {10, 10}));
  f.mapping.PixelsPerMm = 1;
  f.Draw(*f.Add(kPoint, {-10, 10}));
  EXPECT_TRUE(f.canvas.primitives().empty());
}

TEST_F(EntityKinds, LinesFollowTheWindowRule) {
  struct Case {
    std::vector<double> v;
    bool drawn;
    PixelPoint a, b;
  } cases[] = {
      {{10, 10, 20, 30}, true, {10, 790}, {20, 770}},
      {{500, 400, 5000, 400}, true, {500, 400}, {5000, 400}},     // an end inside: unchanged
      {{-100, 400, 1100, 400}, true, {0, 400}, {1000, 400}},      // vertical edges
      {{1100, 400, -100, 400}, true, {1000, 400}, {0, 400}},      // drawn from the first point
      {{500, -100, 500, 900}, true, {500, 800}, {500, 0}},        // horizontal edges
      {{-100, 700, 300, -100}, true, {0, 300}, {250, 800}},       // one vertical, one horizontal
      {{-100, -100, -50, 900}, false, {}, {}},
      {{-100, -100, 1100, -50}, false, {}, {}},
  };
  for (const Case& c : cases) {
    RenderFixture g;
    g.Draw(*g.Add(kLine, c.v));
    if (!c.drawn) {
      EXPECT_TRUE(g.canvas.primitives().empty()) << c.v[0];
      continue;
    }
    ASSERT_EQ(g.canvas.Count(CanvasOp::kLine), 1u) << c.v[0];
    EXPECT_EQ(g.canvas.primitives()[0].points, (std::vector<PixelPoint>{c.a, c.b})) << c.v[0] << "," << c.v[1];
  }
}

TEST_F(EntityKinds, AFarEndKeepsTheLineDirection) {
  f.Draw(*f.Add(kAngledInfiniteLine, {500, 400, 1e12, 400 + 1e12}));
  const RecordedPrimitive& p = Only(CanvasOp::kLine);
  ASSERT_EQ(p.points.size(), 2u);
  EXPECT_EQ(p.points[0], (PixelPoint{500, 400}));
  // Along the diagonal up to the device area's margin, 16 pixels above the top.
  EXPECT_EQ(p.points[1], (PixelPoint{916, -16}));
}

TEST_F(EntityKinds, InfiniteLinesRunAcrossTheWindow) {
  f.Draw(*f.Add(kHorizontalInfiniteLine, {-999999.9, 300, 9999999.9, 300}));
  f.Draw(*f.Add(kVerticalInfiniteLine, {250, -999999.9, 250, 9999999.9}));
  f.Draw(*f.Add(kHorizontalInfiniteLine, {0, 900, 100000, 900}));  // above the window
  ASSERT_EQ(f.canvas.Count(CanvasOp::kLine), 2u);
  EXPECT_EQ(f.canvas.primitives()[0].points, (std::vector<PixelPoint>{{0, 500}, {1000, 500}}));
  EXPECT_EQ(f.canvas.primitives()[1].points, (std::vector<PixelPoint>{{250, 800}, {250, 0}}));
}

TEST_F(EntityKinds, SelectedFreeLinesShowGrips) {
  struct Case {
    bool owned, grouped;
    int16_t mark;
    std::size_t grips;
  } cases[] = {{false, false, 3, 3}, {true, true, 3, 3}, {true, false, 3, 0}, {false, false, 4, 0}};
  for (const Case& c : cases) {
    RenderFixture g;
    DrawEntity* owner = g.Add(c.grouped ? kGroupHeader : kDimension, {0, 0, 0, 0});
    DrawEntity* line = g.Add(kLine, {100, 100, 200, 100});
    line->mark = c.mark;
    if (c.owned) line->owner = owner;
    g.Draw(*line, line->mark);
    const auto grips = g.canvas.OfKind(CanvasOp::kRectangle);
    ASSERT_EQ(grips.size(), c.grips);
    if (c.grips == 3) {
      EXPECT_EQ(grips[0].rect, (PixelRect{97, 697, 103, 703}));
      EXPECT_EQ(grips[0].brush.colour, kGripColour);
      EXPECT_EQ(grips[2].rect, (PixelRect{147, 697, 153, 703}));
      EXPECT_EQ(grips[2].brush.colour, kMidpointGripColour);
      EXPECT_EQ(grips[2].pen.colour, 0u);
    }
  }
}

TEST_F(EntityKinds, CirclesAndArcsWithTheFullCircleRulesAndDirection) {
  struct Case {
    int16_t kind, direction;
    double start, end;
    bool full;
    double drawStart, sweep;
  } cases[] = {
      {kCircle, 0, 0, 0, true, 0, 0},
      {kArc, 1, 30, 30, true, 0, 0},        // equal angles: a full circle
      {kArc, 1, 30.25, 30.75, false, 30.25, 0.5},  // a small arc, though in one whole degree
      {kArc, -1, 0, 360, true, 0, 0},
      {kArc, 1, 360, 0, true, 0, 0},
      {kArc, 1, 30, 120, false, 30, 90},    // counter-clockwise from the start
      {kArc, -1, 30, 120, false, 120, 270}, // clockwise: the angles exchange roles
      {kArc, 0, 30, 120, false, 120, 270},  // anything but 1 is clockwise
      {kArc, 1, 350, 10, false, 350, 20},
  };
  for (const Case& c : cases) {
    RenderFixture g;
    std::vector<double> v{500, 400, 100};
    if (c.kind == kArc) v.insert(v.end(), {c.start, c.end});
    g.Draw(*g.Add(c.kind, v, c.direction));
    ASSERT_EQ(g.canvas.primitives().size(), 1u) << c.start << "-" << c.end;
    const RecordedPrimitive& p = g.canvas.primitives()[0];
    EXPECT_EQ(p.rect, (PixelRect{400, 300, 600, 500}));
    EXPECT_EQ(p.brush.kind, BrushKind::kNone);
    if (c.full) {
      EXPECT_EQ(p.op, CanvasOp::kEllipse) << c.start << "-" << c.end;
    } else {
      ASSERT_EQ(p.op, CanvasOp::kArc) << c.start << "-" << c.end;
      EXPECT_DOUBLE_EQ(p.startDegrees, c.drawStart);
      EXPECT_DOUBLE_EQ(p.sweepDegrees, c.sweep);
    }
  }
}

TEST_F(EntityKinds, CirclesThatMissTheWindowDrawNothing) {
  f.Draw(*f.Add(kCircle, {500, 400, 100000}));  // around the whole window
  f.Draw(*f.Add(kCircle, {5000, 400, 100}));    // beside it
  EXPECT_TRUE(f.canvas.primitives().empty());
}

TEST_F(EntityKinds, HugeCirclesAreDrawnOnlyWhereTheyCrossTheWindow) {
  f.Draw(*f.Add(kCircle, {500, 400 - 1e9, 1e9}));
  ASSERT_FALSE(f.canvas.primitives().empty());
  for (const RecordedPrimitive& p : f.canvas.primitives()) {
    ASSERT_EQ(p.op, CanvasOp::kPolyline);
    EXPECT_LT(p.points.size(), 10000u);
    for (const PixelPoint& q : p.points) {
      EXPECT_LT(std::abs(q.x - 500), 5000);
      if (std::abs(q.x - 500) < 400) {
        EXPECT_NEAR(q.y, 400, 1);
      }
    }
  }
}

TEST_F(EntityKinds, CurvesAndVertexLists) {
  f.Draw(*f.Add(kBezierCurve, {100, 100, 200, 100, 200, 200, 100, 200}));
  f.Draw(*f.Add(kFreeCurve, {10, 10, 20, 30, 40, 10}));
  f.Draw(*f.Add(kPolygon, {10, 10, 20, 30, 40, 10}));
  const auto polylines = f.canvas.OfKind(CanvasOp::kPolyline);
  ASSERT_EQ(polylines.size(), 3u);
  EXPECT_EQ(polylines[0].points.front(), f.At(100, 100));  // starts and ends on the end points
  EXPECT_EQ(polylines[0].points.back(), f.At(100, 200));
  EXPECT_GT(polylines[0].points.size(), 5u);
  const std::vector<PixelPoint> vertices{f.At(10, 10), f.At(20, 30), f.At(40, 10)};
  EXPECT_EQ(polylines[1].points, vertices);
  EXPECT_EQ(polylines[2].points, vertices);  // polygons are not closed
}

TEST_F(EntityKinds, TextTakesHeightHalfWidthEscapementAndTopLeftCorner) {
  struct Case {
    double height, angle;
    bool drawn;
    PixelPoint topLeft;
    int escapement;
  } cases[] = {
      {20, 0, true, {100, 680}, 0},
      {20, 90, true, {80, 700}, 900},     // turned about the insertion point
      {20, 30, true, {90, 683}, 300},
      {20, 0.05, true, {100, 680}, 0},    // below 0.1 degree: not turned
      {0.4, 0, false, {}, 0},             // below one pixel
      {0.6, 0, true, {100, 699}, 0},
  };
  for (const Case& c : cases) {
    RenderFixture g;
    DrawEntity* t = g.Add(kText, {100, 100, c.height, 99, c.angle}, 0, 0, "AB");
    g.Draw(*t);
    if (!c.drawn) {
      EXPECT_TRUE(g.canvas.primitives().empty());
      continue;
    }
    ASSERT_EQ(g.canvas.Count(CanvasOp::kText), 1u) << c.height << "/" << c.angle;
    const RecordedPrimitive& p = g.canvas.primitives()[0];
    const int h = static_cast<int>(std::floor(c.height + 0.5));
    EXPECT_EQ(p.points[0], c.topLeft) << c.angle;
    EXPECT_EQ(p.text, "AB");
    EXPECT_EQ(p.font.face, std::string(kDefaultFontSjis));
    EXPECT_EQ(p.font.height, h);
    EXPECT_EQ(p.font.width, h / 2);
    EXPECT_EQ(p.font.escapement, c.escapement);
    EXPECT_EQ(p.font.charSet, kShiftJisCharSet);
    EXPECT_TRUE(p.font.fixedPitch);
    EXPECT_EQ(p.textColour, 0x112233u);
    EXPECT_EQ(p.backgroundMode, BackgroundMode::kTransparent);
  }
}

TEST_F(EntityKinds, TextOutsideTheWindowOrWhileExportingKeepsItsRules) {
  f.Draw(*f.Add(kText, {-1, 100, 20, 20, 0}, 0, 0, "A"));  // insertion point outside
  EXPECT_TRUE(f.canvas.primitives().empty());
  RenderContext ctx = f.Context();
  ctx.exporting = true;
  f.canvas.SetBackgroundMode(BackgroundMode::kOpaque);
  RenderEntity(ctx, *f.Add(kText, {10, 100, 20, 20, 0}, 0, 0, "A"), 0);
  EXPECT_EQ(Only(CanvasOp::kText).backgroundMode, BackgroundMode::kOpaque);
}

TEST_F(EntityKinds, LeadersDrawTheirLineShoulderAndEndMark) {
  struct Case {
    int16_t subKind;
    std::vector<double> v;
    std::size_t leaderPoints;
    CanvasOp mark;
    std::size_t markStrokes;
  } cases[] = {
      {13, {300, 300, 10, 10, 0, 100, 100, 200, 200, 220, 200}, 3, CanvasOp::kLine, 2},  // arrow, shoulder
      {22, {300, 300, 10, 10, 0, 100, 100, 200, 200, 220, 200}, 3, CanvasOp::kLine, 1},  // half arrow, underline
      {1, {300, 300, 10, 10, 0, 100, 100, 200, 200}, 2, CanvasOp::kEllipse, 1},          // dot, plain
      {0, {300, 300, 10, 10, 0, 100, 100, 200, 200, 220, 200}, 2, CanvasOp::kLine, 0},   // shape 0 ignores the third point
  };
  for (const Case& c : cases) {
    RenderFixture g;
    g.Draw(*g.Add(kLeaderText, c.v, c.subKind, 0, "AB"));
    EXPECT_EQ(g.canvas.Count(CanvasOp::kText), 1u);
    const auto& all = g.canvas.primitives();
    auto leader = std::find_if(all.begin(), all.end(), [](const RecordedPrimitive& p) {
      return p.op == CanvasOp::kLine || p.op == CanvasOp::kPolyline;
    });
    ASSERT_NE(leader, all.end());
    EXPECT_EQ(leader->points.size(), c.leaderPoints) << c.subKind;
    EXPECT_EQ(leader->points.front(), g.At(100, 100));
    std::size_t marks = 0;
    for (auto it = leader + 1; it != all.end(); ++it) {
      if (it->op == c.mark) {
        ++marks;
        if (c.mark == CanvasOp::kLine) {
          EXPECT_EQ(it->points[0], g.At(100, 100));  // strokes start at the tip
        }
        if (c.mark == CanvasOp::kEllipse) {
          EXPECT_EQ(it->brush.kind, BrushKind::kSolid);
        }
      }
    }
    EXPECT_EQ(marks, c.markStrokes) << c.subKind;
  }
}

TEST_F(EntityKinds, PaintsFillWithSolidOrHatchBrushes) {
  const std::vector<int16_t> squareCodes{0, 0, 10, 20, 10, 20, 10, 20, 10, 20};
  const std::vector<double> square{0, 0, 100, 100, 200, 100, 200, 200, 100, 200};
  struct Case {
    int16_t lineAttr;
    BrushKind kind;
    HatchStyle hatch;
  } cases[] = {
      {0, BrushKind::kSolid, HatchStyle::kHorizontal},
      {101, BrushKind::kHatch, HatchStyle::kHorizontal},
      {200, BrushKind::kHatch, HatchStyle::kVertical},
      {300, BrushKind::kHatch, HatchStyle::kCross},
      {400, BrushKind::kHatch, HatchStyle::kBackwardDiagonal},
      {500, BrushKind::kHatch, HatchStyle::kForwardDiagonal},
      {600, BrushKind::kHatch, HatchStyle::kDiagonalCross},
      {700, BrushKind::kSolid, HatchStyle::kHorizontal},
  };
  for (const Case& c : cases) {
    RenderFixture g;
    g.Draw(*g.Add(kPaint, square, 4, c.lineAttr, nullptr, squareCodes));
    ASSERT_EQ(g.canvas.Count(CanvasOp::kPolygon), 1u);
    const RecordedPrimitive& p = g.canvas.primitives()[0];
    EXPECT_EQ(p.points, (std::vector<PixelPoint>{g.At(100, 100), g.At(200, 100), g.At(200, 200), g.At(100, 200)}));
    EXPECT_EQ(p.brush.kind, c.kind) << c.lineAttr;
    if (c.kind == BrushKind::kHatch) {
      EXPECT_EQ(p.brush.hatch, c.hatch) << c.lineAttr;
    }
    EXPECT_EQ(p.brush.colour, 0x112233u);
    EXPECT_EQ(p.pen.width, 1);
    EXPECT_EQ(p.pen.style, PenStyle::kSolid);
  }
}

TEST_F(EntityKinds, PaintBoundariesWithArcsAndCircles) {
  // A half disc: a vertex, then an arc piece running counter-clockwise back to it.
  f.Draw(*f.Add(kPaint, {0, 0, 400, 400, 500, 400, 100, 600, 400}, 2, 0, nullptr, {0, 0, 10, 20, 1, 2, 3, 4, 5}));
  const RecordedPrimitive half = Only(CanvasOp::kPolygon);
  EXPECT_EQ(half.points[0], f.At(400, 400));
  EXPECT_EQ(half.points[1], f.At(600, 400));
  EXPECT_GT(half.points.size(), 30u);
  for (const PixelPoint& p : half.points) EXPECT_LE(p.y, 400);  // the upper half
  f.canvas.Clear();
  f.Draw(*f.Add(kPaint, {0, 0, 500, 400, 50}, 1, 0, nullptr, {0, 0, 50, 51, 52}));
  EXPECT_EQ(Only(CanvasOp::kEllipse).rect, (PixelRect{450, 350, 550, 450}));
}

TEST_F(EntityKinds, APaintAroundTheWindowIsStillDrawn) {
  f.Draw(*f.Add(kPaint, {0, 0, -1000, -1000, 5000, -1000, 5000, 5000, -1000, 5000}, 4, 0, nullptr,
                {0, 0, 10, 20, 10, 20, 10, 20, 10, 20}));
  EXPECT_EQ(f.canvas.Count(CanvasOp::kPolygon), 1u);
}

TEST_F(EntityKinds, ImagesLoadOrShowAFilledRectangle) {
  struct Case {
    int state;
    bool loads;
    CanvasOp op;
    bool matrix;
    ColourRef fill;
  } cases[] = {
      {0, true, CanvasOp::kImage, false, 0},
      {0, false, CanvasOp::kImage, false, 0},  // a missing file draws nothing (the call fails)
      {2, true, CanvasOp::kImage, true, 0},
      {4, true, CanvasOp::kRectangle, false, kMarkedColour},
      {-1, true, CanvasOp::kRectangle, false, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    RenderFixture g;
    g.canvas.imageLoads = [&](std::string_view) { return c.loads; };
    g.Draw(*g.Add(kImage, {300, 100, 100, 200}, 0, 0, "C:\\pic.png"), c.state);
    ASSERT_EQ(g.canvas.primitives().size(), 1u);
    const RecordedPrimitive& p = g.canvas.primitives()[0];
    EXPECT_EQ(p.op, c.op);
    EXPECT_EQ(p.rect, (PixelRect{100, 600, 300, 700}));
    if (c.op == CanvasOp::kImage) {
      EXPECT_EQ(p.text, "C:\\pic.png");
      EXPECT_EQ(p.hasMatrix, c.matrix);
      if (c.matrix) {
        EXPECT_EQ(p.matrix, ColourMatrix::Scale(0.8f, 0.8f, 0.8f, 0.4f));
      }
      EXPECT_EQ(p.imageDrawn, c.loads);
    } else {
      EXPECT_EQ(p.brush.kind, BrushKind::kSolid);
      EXPECT_EQ(p.brush.colour, c.fill);
    }
  }
}

TEST_F(EntityKinds, GroupHeadersGridsAndUnhookedKindsDrawNothing) {
  f.Draw(*f.Add(kGroupHeader, {0, 0, 0, 0}));
  f.Draw(*f.Add(kGrid, {0, 0, 20}, 1));
  f.Draw(*f.Add(kDimension, {10, 10, 20, 20}));
  f.Draw(*f.Add(kHatch, {5, 5, 0, 0, 0, 100, 100}));
  EXPECT_TRUE(f.canvas.primitives().empty());
}

TEST_F(EntityKinds, HooksDrawTerminatorsAndHatchLines) {
  int terminatorCalls = 0;
  ColourRef seen = 0;
  const RenderHooks previous = InstallRenderHooks(
      {[&](const RenderContext&, const DrawEntity&, int, ColourRef colour) {
         ++terminatorCalls;
         seen = colour;
       },
       [](const DrawEntity&, const HatchScreenView*, std::vector<ModelSegment>& lines) {
         lines.push_back({{0, 50}, {100, 50}});
         lines.push_back({{0, 60}, {100, 60}});
       }});
  DrawEntity* dimension = f.Add(kDimension, {10, 10, 20, 20});
  dimension->mark = kMarkSelected;
  f.Draw(*dimension, dimension->mark);
  f.Draw(*f.Add(kHatch, {5, 5, 0, 0, 0, 100, 100}, 0, 2));
  InstallRenderHooks(previous);
  EXPECT_EQ(terminatorCalls, 1);
  EXPECT_EQ(seen, kMarkedColour);
  const auto lines = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{0, 750}, {100, 750}}));
  EXPECT_EQ(lines[0].pen.style, PenStyle::kSolid);
}

TEST_F(EntityKinds, ErasingDrawsSolidInTheBackgroundColour) {
  f.Draw(*f.Add(kLine, {10, 10, 100, 10}, 0, 302), kStateErase);
  const RecordedPrimitive& p = Only(CanvasOp::kLine);
  EXPECT_EQ(p.pen.colour, f.settings.colour(kColourBackground));
  EXPECT_EQ(p.pen.style, PenStyle::kSolid);
}

TEST_F(EntityKinds, ElementsOutsideTheWindowDrawNothing) {
  for (int i = 0; i < 100; ++i) {
    const double x = 2000 + i;
    f.Draw(*f.Add(kLine, {x, 10, x + 5, 20}));
    f.Draw(*f.Add(kCircle, {x, 10, 5}));
    f.Draw(*f.Add(kArc, {x, 10, 5, 0, 90}, 1));
    f.Draw(*f.Add(kText, {x, 10, 5, 5, 0}, 0, 0, "X"));
    f.Draw(*f.Add(kFreeCurve, {x, 10, x + 1, 11}));
    f.Draw(*f.Add(kBezierCurve, {x, 10, x + 1, 11, x + 2, 10}));
    f.Draw(*f.Add(kImage, {x, 10, x + 5, 20}, 0, 0, "a.png"));
  }
  EXPECT_TRUE(f.canvas.primitives().empty());
}

TEST_F(EntityKinds, HostileValuesDrawSafely) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  const double values[] = {nan, inf, -inf, 1e300, -1e300, 99999999999.9, 0};
  for (double a : values) {
    for (double b : values) {
      f.Draw(f.Raw(kLine, {a, b, 500, 400}));
      f.Draw(f.Raw(kPoint, {a, b}));
      f.Draw(f.Raw(kCircle, {500, 400, a}));
      f.Draw(f.Raw(kArc, {500, 400, 100, a, b}, 1));
      f.Draw(f.Raw(kText, {500, 400, a, 5, b}, 0, 0, "X"));
      f.Draw(f.Raw(kLeaderText, {500, 400, 5, 5, 0, a, b, 500, 400, b, a}, 13, 0, "X"));
      f.Draw(f.Raw(kBezierCurve, {a, b, 500, 400, b, a}));
      f.Draw(f.Raw(kPaint, {0, 0, a, b, 500, 400, 100, b, a}, 2, 0, nullptr, {0, 0, 10, 20, 0, 2, 3, 4, 5}));
      f.Draw(f.Raw(kImage, {a, b, 500, 400}, 0, 0, "x"), 4);
      f.Draw(f.Raw(kHorizontalInfiniteLine, {a, b, a, b}));
      RenderContext ctx = f.Context();
      ctx.printing = true;
      ctx.devicePixelsPerMm = a;
      RenderEntity(ctx, f.Raw(kLine, {a, 10, 500, b}, 0, 201), 0);
      RenderEntity(ctx, f.Raw(kCircle, {500, 400, b}, 0, 301), 0);
    }
  }
  SUCCEED();
}

}  // namespace
}  // namespace plenwick
