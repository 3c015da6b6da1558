// Guards the generated parts of dimensions: lines, arcs and texts where the layouts put them for
// known geometry, read by code whatever the order, made the same again after a save and load,
// removed with their dimension by undo, and hostile records that yield only sound parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "dimensions/dimension_records.h"
#include "model/drawing_file.h"
#include "model/program_settings.h"
#include "model/snap_point_list.h"
#include "model/undo.h"
#include "support/recording_ui.h"
#include "tools/standard_tools.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

using namespace plenwick::testing;

class DimensionParts : public ::testing::Test {
 protected:
  DimensionParts() {
    ResetCurrentSettings();
    InstallToolExtensions();
  }
  static std::vector<std::string> Texts(const std::vector<const DrawEntity*>& parts) {
    std::vector<std::string> out;
    for (const DrawEntity* p : parts) {
      if (p->kind == kText) out.emplace_back(p->text.view());
    }
    return out;
  }
  static void ExpectLine(const DrawEntity* line, ModelPoint a, ModelPoint b) {
    ASSERT_EQ(line->kind, kLine);
    EXPECT_NEAR(line->values[0], a.x, 1e-9);
    EXPECT_NEAR(line->values[1], a.y, 1e-9);
    EXPECT_NEAR(line->values[2], b.x, 1e-9);
    EXPECT_NEAR(line->values[3], b.y, 1e-9);
  }
  static void ExpectText(const DrawEntity* text, ModelPoint at, double height, double angle) {
    ASSERT_EQ(text->kind, kText);
    EXPECT_NEAR(text->values[0], at.x, 1e-9);
    EXPECT_NEAR(text->values[1], at.y, 1e-9);
    EXPECT_DOUBLE_EQ(text->values[2], height);
    EXPECT_DOUBLE_EQ(text->values[3], height);
    EXPECT_DOUBLE_EQ(text->values[4], angle);
  }
  EntityList list;
};

const std::string kDegree = "\x81\x8b";

// The worked example: "100" (3 bytes, e = 15) goes 35 from S along the line and 20/3 to its left,
// whichever end the text runs from; extension lines 30 toward the measured point and 10 beyond.
TEST_F(DimensionParts, DistanceTextAndExtensionLinesAsTheWorkedExamples) {
  struct Case {
    ModelPoint p1, d1, d2;
  } cases[] = {
      {{0, 0}, {0, 50}, {100, 50}},      // runs right, measured point below: from D1
      {{100, 0}, {100, 50}, {0, 50}},    // runs left (g = 4), point below (h = 2): from D2
  };
  for (const Case& c : cases) {
    EntityList l;
    const DrawEntity* dim = DistanceRecord(c.p1, c.d1, c.d2, 100).AddTo(l);
    const auto parts = PartsOf(l, dim);
    ASSERT_EQ(parts.size(), 4u);
    ExpectLine(parts[0], c.d1, c.d2);
    ExpectLine(parts[1], {c.d1.x, 20}, {c.d1.x, 60});
    ExpectLine(parts[2], {c.d2.x, 20}, {c.d2.x, 60});
    ExpectText(parts[3], {35, 50 + 20.0 / 3}, 20, 0);
    EXPECT_EQ(parts[3]->text.view(), "100");
    EXPECT_EQ(parts[3]->font.view(), CurrentSettings().DimFont.view());
    for (const DrawEntity* p : parts) {
      EXPECT_EQ(p->subKind, p->kind == kLine ? dim->subKind : 0);
      EXPECT_EQ(p->lineAttr, dim->lineAttr);
      EXPECT_EQ(p->colour, dim->colour);
      EXPECT_EQ(p->layer, dim->layer);
    }
  }
}

// The 3-4-5 triangle: chains measure their own segments, the others format their stored value.
TEST_F(DimensionParts, TriangleValuesOfEveryKind) {
  const ModelPoint a{0, 0}, b{3, 0}, c{3, 4};
  DimRecord horizontal = ChainRecord(kDimHorizontal, a, {{0, -2}, {3, -2}});
  DimRecord vertical = ChainRecord(kDimVertical, b, {{5, 0}, {5, 4}});
  DimRecord distance = DistanceRecord(a, {-1.6, 1.2}, {1.4, 5.2}, 5);
  DimRecord angleAtB = AngleRecord(kDimAngleLines, b, 1, 90, 180, {2, 1}, 90);
  DimRecord angleAtA = AngleRecord(kDimAngleLines, a, 1, 0, std::atan2(4, 3) * 180 / kPi, {1, 0.2},
                                   std::atan2(4, 3) * 180 / kPi);
  DimRecord perimeter = PerimeterRecord(c, {4, 6}, {14, 6}, {4.5, 6.5}, 12);
  DimRecord area = AreaRecord({2, 1}, 6);
  for (DimRecord* r : {&horizontal, &vertical, &distance, &angleAtB, &angleAtA, &perimeter, &area}) {
    r->Set(13, 1120);  // two decimals
  }
  EXPECT_EQ(Texts(PartsOf(list, horizontal.AddTo(list))), std::vector<std::string>{"3.00"});
  EXPECT_EQ(Texts(PartsOf(list, vertical.AddTo(list))), std::vector<std::string>{"4.00"});
  EXPECT_EQ(Texts(PartsOf(list, distance.AddTo(list))), std::vector<std::string>{"5.00"});
  EXPECT_EQ(Texts(PartsOf(list, angleAtB.AddTo(list))), std::vector<std::string>{"90.00" + kDegree});
  EXPECT_EQ(Texts(PartsOf(list, angleAtA.AddTo(list))), std::vector<std::string>{"53.13" + kDegree});
  EXPECT_EQ(Texts(PartsOf(list, perimeter.AddTo(list))), std::vector<std::string>{"12.00"});
  EXPECT_EQ(Texts(PartsOf(list, area.AddTo(list))), std::vector<std::string>{"6.00"});
}

// A horizontal chain over x = 10, 20, 30: one line, extension lines at all three points, and a
// text per segment running the same way.
TEST_F(DimensionParts, ChainGetsSegmentTextsAndInnerExtensionLines) {
  const DrawEntity* dim = ChainRecord(kDimHorizontal, {10, 0}, {{10, 50}, {20, 50}, {30, 50}}).AddTo(list);
  const auto parts = PartsOf(list, dim);
  const auto lines = PartsOfKind(list, dim, kLine), texts = PartsOfKind(list, dim, kText);
  ASSERT_EQ(lines.size(), 4u);
  ExpectLine(lines[0], {10, 50}, {30, 50});
  ExpectLine(lines[1], {10, 20}, {10, 60});
  ExpectLine(lines[2], {30, 20}, {30, 60});
  ExpectLine(lines[3], {20, 20}, {20, 60});
  ASSERT_EQ(texts.size(), 2u);
  // "10": half the segment (5) minus 2 bytes × 20 / 4 from the segment's start, 20/3 up.
  ExpectText(texts[0], {10 + 5 - 10, 50 + 20.0 / 3}, 20, 0);
  ExpectText(texts[1], {20 + 5 - 10, 50 + 20.0 / 3}, 20, 0);
  EXPECT_EQ(Texts(parts), (std::vector<std::string>{"10", "10"}));
}

// The radius terminator sits at the stored T whether the line runs from the centre (click inside)
// or from the click outside, to the right or the left; the text stays where the record puts it,
// and no extension lines are drawn.
TEST_F(DimensionParts, RadiusInItsFourCases) {
  struct Case {
    ModelPoint tip, other;
  } cases[] = {{{5, 0}, {0, 0}}, {{-5, 0}, {0, 0}}, {{5, 0}, {12, 0}}, {{-5, 0}, {-12, 0}}};
  for (const Case& c : cases) {
    EntityList l;
    const DrawEntity* dim = RadiusRecord(c.tip, c.other, {1, 2}, 5, 0).AddTo(l);
    const auto parts = PartsOf(l, dim);
    ASSERT_EQ(parts.size(), 2u);
    ExpectLine(parts[0], c.tip, c.other);
    ExpectText(parts[1], {1, 2}, 20, 0);
    EXPECT_EQ(parts[1]->text.view(), "R5");
  }
}

TEST_F(DimensionParts, PerimeterAreaAndAngleParts) {
  const DrawEntity* perimeter = PerimeterRecord({0, 0}, {10, 10}, {30, 10}, {12, 13}, 40).AddTo(list);
  auto parts = PartsOf(list, perimeter);
  ASSERT_EQ(parts.size(), 3u);
  ExpectText(parts[0], {12, 13}, 20, 0);
  ExpectLine(parts[1], {0, 0}, {10, 10});
  ExpectLine(parts[2], {10, 10}, {30, 10});

  const DrawEntity* area = AreaRecord({7, 8}, 6).AddTo(list);
  parts = PartsOf(list, area);
  ASSERT_EQ(parts.size(), 1u);
  ExpectText(parts[0], {7, 8}, 20, 0);

  // Between lines: the arc and the text only. From an arc: the radii extended by code 18 (10).
  for (const int16_t kind : {kDimAngleLines, kDimAngleArc}) {
    const DrawEntity* angle = AngleRecord(kind, {0, 0}, 20, 0, 90, {15, 15}, 90).AddTo(list);
    parts = PartsOf(list, angle);
    ASSERT_EQ(parts.size(), kind == kDimAngleArc ? 4u : 2u);
    ASSERT_EQ(parts[0]->kind, kArc);
    EXPECT_EQ(parts[0]->subKind, 1);
    EXPECT_EQ(std::vector<double>(parts[0]->values.get(), parts[0]->values.get() + 5),
              (std::vector<double>{0, 0, 20, 0, 90}));
    ExpectText(parts[1], {15, 15}, 20, 0);
    if (kind == kDimAngleArc) {
      ExpectLine(parts[2], {0, 0}, {30, 0});
      ExpectLine(parts[3], {0, 0}, {0, 30});
    }
  }
}

// Tolerance texts go into the value text's frame: at 90° "up" is −x.
TEST_F(DimensionParts, ToleranceTextsTurnWithTheValueText) {
  DimRecord r = AreaRecord({100, 100}, 25);
  r.Tolerance(3, 0.2, 0.0015).Set(12, 90);
  const auto texts = PartsOfKind(list, r.AddTo(list), kText);
  ASSERT_EQ(texts.size(), 3u);
  ExpectText(texts[0], {100, 100}, 20, 90);
  ExpectText(texts[1], {100 - 10, 100 + 20}, 10, 90);  // (n h/2, h/2) = (20, 10) turned
  ExpectText(texts[2], {100, 100 + 20}, 10, 90);
  EXPECT_EQ(texts[1]->text.view(), "+0.2");
  EXPECT_EQ(texts[2]->text.view(), "-0.0015");
}

// Every record of every kind, with its codes in random order: the same parts as in table order.
TEST_F(DimensionParts, ValuesAreReadByCodeNotByPosition) {
  std::mt19937 random(7);
  const std::vector<DimRecord> records = {
      DistanceRecord({0, 0}, {0, 50}, {100, 50}, 100),
      ChainRecord(kDimVertical, {0, 0}, {{-5, 0}, {-5, 7}, {-5, 20}, {-5, 21}}),
      RadiusRecord({5, 0}, {0, 0}, {1, 2}, 5, 0),
      PerimeterRecord({0, 0}, {10, 10}, {30, 10}, {12, 13}, 40),
      AngleRecord(kDimAngleArc, {0, 0}, 20, 10, 200, {15, 15}, 190),
      AreaRecord({7, 8}, 6),
  };
  for (const DimRecord& r : records) {
    EntityList a, b;
    const DrawEntity* da = r.AddTo(a);
    DimRecord shuffled = r;
    std::vector<std::size_t> order(r.codes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t i = 0; i < order.size(); ++i) {
      shuffled.codes[i] = r.codes[order[i]];
      shuffled.values[i] = r.values[order[i]];
    }
    const DrawEntity* db = shuffled.AddTo(b);
    const auto pa = PartsOf(a, da), pb = PartsOf(b, db);
    ASSERT_EQ(pa.size(), pb.size()) << r.kind;
    ASSERT_FALSE(pa.empty());
    for (std::size_t i = 0; i < pa.size(); ++i) {
      EXPECT_EQ(pa[i]->kind, pb[i]->kind);
      EXPECT_EQ(0, std::memcmp(pa[i]->values.get(), pb[i]->values.get(), sizeof(double) * 5));
      EXPECT_EQ(pa[i]->text.view(), pb[i]->text.view());
    }
  }
}

// Hostile records: any code missing, any value not finite or huge, packed fields and digit codes
// beyond their tables, thousands of points. Parts come out only where sound: every value finite
// and inside the coordinate range, and never more than 41 points' worth.
TEST_F(DimensionParts, HostileRecordsGiveOnlySoundParts) {
  std::vector<DimRecord> base = {
      DistanceRecord({0, 0}, {0, 50}, {100, 50}, 100),
      ChainRecord(kDimHorizontal, {0, 0}, {{0, 5}, {3, 5}, {9, 5}}),
      RadiusRecord({5, 0}, {0, 0}, {1, 2}, 5, 0),
      PerimeterRecord({0, 0}, {10, 10}, {30, 10}, {12, 13}, 40),
      AngleRecord(kDimAngleArc, {0, 0}, 20, 10, 200, {15, 15}, 190),
      AngleRecord(kDimAngleLines, {0, 0}, 20, 10, 200, {15, 15}, 190),
      AreaRecord({7, 8}, 6),
  };
  for (DimRecord& r : base) r.Tolerance(7, 0.1, 0.2, "\x83\xd3");
  std::vector<DimRecord> hostile;
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 1e300, -1e300, 1e11};
  for (const DimRecord& r : base) {
    for (std::size_t i = 0; i < r.codes.size(); ++i) {
      hostile.push_back(r);
      hostile.back().Without(r.codes[i]);
      for (const double v : bad) {
        hostile.push_back(r);
        hostile.back().values[i] = v;
      }
    }
    const std::pair<int, int> packedFields[] = {{-1, 2}, {8, 4}, {300, -1}, {7, 5}, {2, 30000}};
    for (const auto& [type, length] : packedFields) {
      DimensionPacked packed = MakeDimensionPacked(0, "ABCD");
      packed.toleranceType = static_cast<int16_t>(type);
      packed.prefixLength = static_cast<int16_t>(length);
      hostile.push_back(r);
      hostile.back().Set(30, PackDimensionField(packed));
    }
    for (const double code : {1199.0, 1190.0, 99999999.0, -1120.0, 4e9}) {
      hostile.push_back(r);
      hostile.back().Set(13, code).Set(14, code);
    }
    for (const int16_t kind : {int16_t{-1}, int16_t{9}, int16_t{300}}) {
      hostile.push_back(r);
      hostile.back().kind = kind;
    }
  }
  DimRecord many = ChainRecord(kDimHorizontal, {0, 0}, {});
  for (int i = 0; i < 3000; ++i) many.SetPoint(40 + 10 * i, {static_cast<double>(i), 5});
  hostile.push_back(many);
  DimRecord twice = many;  // every code again, the later ones ignored
  twice.codes.insert(twice.codes.end(), many.codes.begin(), many.codes.end());
  twice.values.insert(twice.values.end(), many.values.size(), std::nan(""));
  hostile.push_back(twice);

  for (const DimRecord& r : hostile) {
    EntityList l;
    const DrawEntity* dim = r.AddTo(l);
    if (!dim) continue;  // refused by the entity core (a second value out of range)
    const auto parts = PartsOf(l, dim);
    EXPECT_LE(parts.size(), 3u * kMaxDimensionPoints + 3);
    for (const DrawEntity* p : parts) {
      EXPECT_TRUE(AllInCoordinateRange(std::span<const double>(p->values.get(), static_cast<std::size_t>(p->valueCount))));
      if (p->kind == kText) {
        EXPECT_LT(p->text.view().size(), 400u);
      }
    }
  }
}

TEST_F(DimensionParts, PartsAreTheSameAfterSaveAndLoad) {
  AddEntity({kGrid, 0, 0, 0, 3}, nullptr, list, std::vector<int16_t>{10, 20, 30}.data(), 0,
            std::vector<double>{0, 0, 20}.data(), nullptr);
  std::vector<DimRecord> records = {
      DistanceRecord({0, 0}, {0, 50}, {100, 50}, 100, 3),
      ChainRecord(kDimHorizontal, {0, 0}, {{0, 5}, {3, 5}, {9, 5}}),
      RadiusRecord({5, 0}, {0, 0}, {1, 2}, 5, 0),
      PerimeterRecord({0, 0}, {10, 10}, {30, 10}, {12, 13}, 40),
      AngleRecord(kDimAngleArc, {0, 0}, 20, 10, 200, {15, 15}, 190),
      AreaRecord({7, 8}, 6),
  };
  for (int type = 0; type <= 7; ++type) {
    for (DimRecord r : records) r.Tolerance(type, 0.2, 0.0015, type % 2 ? "R" : "").AddTo(list);
  }
  DrawingFileInfo info;
  info.layers.SetDefaults();
  std::vector<uint8_t> bytes;
  ASSERT_EQ(WriteDrawingFile(bytes, info, list), 0);
  DrawingFileInfo readInfo;
  EntityList read;
  ASSERT_EQ(ReadDrawingFile(bytes, readInfo, read, nullptr), 0);
  ASSERT_EQ(read.size(), list.size());
  std::size_t parts = 0;
  for (auto a = list.begin(), b = read.begin(); a != list.end(); ++a, ++b) {
    EXPECT_EQ(a->kind, b->kind);
    EXPECT_EQ(IsDimensionPart(*a), IsDimensionPart(*b));
    EXPECT_EQ(a->valueCount, b->valueCount);
    EXPECT_EQ(0, std::memcmp(a->values.get(), b->values.get(), sizeof(double) * static_cast<std::size_t>(a->valueCount)));
    EXPECT_EQ(a->text.view(), b->text.view());
    EXPECT_EQ(a->font.view(), b->font.view());
    parts += IsDimensionPart(*a) ? 1 : 0;
  }
  EXPECT_GT(parts, 8u * records.size());
}

TEST_F(DimensionParts, UndoRemovesADimensionWithItsParts) {
  SnapPointList points;
  list.snapPoints = &points;
  AddEntity({kGrid, 0, 0, 0, 3}, nullptr, list, std::vector<int16_t>{10, 20, 30}.data(), 0,
            std::vector<double>{0, 0, 20}.data(), nullptr);
  BeginOperation(list, points);
  ChainRecord(kDimHorizontal, {0, 0}, {{0, 5}, {3, 5}, {9, 5}}).AddTo(list);
  ASSERT_GT(list.size(), 5u);
  RecordingUserInterface ui;
  Undo(list, ui);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.head->kind, kGrid);
  list.snapPoints = nullptr;
}

}  // namespace
}  // namespace plenwick
