// Builds large plan-like drawings for the benchmarks.
#include "drawing_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/sjis.h"
#include "tools/draw/hatch_region.h"
#include "view/dimension_record.h"
#include "view/hatch_lines.h"

namespace plenwick::bench {

namespace {

constexpr double kCell = 40.0;  // one "room" per cell, model mm

void AddLine(EntityList& list, double x1, double y1, double x2, double y2, int16_t pen) {
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {x1, y1, x2, y2};
  AddEntity({kLine, 0, pen, 0, 4}, nullptr, list, codes, 0, values, nullptr);
}

// One dimension record being built: codes and values in storage order.
struct DimensionValues {
  std::vector<int16_t> codes;
  std::vector<double> values;
  void Put(int code, double v) {
    codes.push_back(static_cast<int16_t>(code));
    values.push_back(v);
  }
  void PutPoint(int xCode, double x, double y) {
    Put(xCode, x);
    Put(xCode + 1, y);
  }
};

// The fields every dimension starts with: the packed tolerance and prefix, the tolerances, the
// measured length, text height, angle and the decimals' format.
void PutDimensionHeader(DimensionValues& d, int tolerance, const char* prefix, double length, int decimals) {
  d.Put(30, PackDimensionField(MakeDimensionPacked(tolerance, prefix)));
  d.Put(31, tolerance ? 0.0015 : 0);
  d.Put(32, tolerance ? 0.2 : 0);
  d.Put(10, length);
  d.Put(11, 2.5);
  d.Put(12, 0);
  d.Put(13, 1100 + 10 * decimals);
}

// A distance dimension from (x, y) across w by h, its line offset to the side.
void PutDistance(DimensionValues& d, double x, double y, double w, double h) {
  for (int code : {15, 16}) d.Put(code, 3);
  for (int code : {18, 19}) d.Put(code, 1);
  d.PutPoint(21, x, y);
  d.PutPoint(40, x - h / 4, y + w / 4);
  d.PutPoint(50, x + w - h / 4, y + h + w / 4);
}

// A group of two lines, a distance dimension or a hatching of a square at (x, y), by `which`.
void AddComposite(EntityList& list, int which, double x, double y, int16_t pen) {
  if (which == 0) {
    const int16_t codes[] = {10, 20, 10, 20};
    const double values[] = {0, 0, 1, 0};
    DrawEntity* header = nullptr;
    AddEntity({kGroupHeader, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr, &header);
    AddLine(list, x, y, x + 10, y, pen);
    AddLine(list, x + 10, y, x + 10, y + 10, pen);
    for (DrawEntity* e = header->next; e; e = e->next) {
      e->owner = header;
      e->groupNo = header->groupNo;
    }
  } else if (which == 1) {
    DimensionValues d;
    PutDimensionHeader(d, 0, "", std::hypot(10.0, 5.0), 0);
    d.Put(14, 33304);
    PutDistance(d, x, y, 10, 5);
    AddEntity({kDimension, 0, pen, 0, static_cast<int16_t>(d.values.size())}, nullptr, list, d.codes.data(), 0,
              d.values.data(), nullptr);
  } else {
    const int16_t codes[] = {4, 0, 0, 0, 0, 0, 0, 10, 20, 10, 20, 10, 20, 10, 20};
    const double values[] = {20, 20, 45, x, y, x + 10, y + 10, x, y, x + 10, y, x + 10, y + 10, x, y + 10};
    AddEntity({kHatch, 1, pen, 0, 15}, nullptr, list, codes, 0, values, nullptr);
  }
}

}  // namespace

void GenerateDimensionDrawing(EntityList& list, int64_t count, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int16_t gridCodes[] = {10, 20, 30};
  const double gridValues[] = {0, 0, 20.0};
  AddEntity({kGrid, 1, 0, 0, 3}, nullptr, list, gridCodes, 0, gridValues, nullptr);
  const int64_t perRow = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(count))));
  static const char* const kPrefixes[] = {"", "R", "\x83\xd3", "AB"};  // φ
  for (int64_t i = 0; i < count; ++i) {
    const int16_t kind = static_cast<int16_t>(i % 9);
    const int tolerance = static_cast<int>((i / 9) % 8);
    const int decimals = static_cast<int>((i / 72) % 5);
    const double x = static_cast<double>(i % perRow) * kCell, y = static_cast<double>(i / perRow) * kCell;
    const double w = 5 + unit(rng) * 30, h = 5 + unit(rng) * 30;
    DimensionValues d;
    PutDimensionHeader(d, tolerance, kPrefixes[i % 4], std::hypot(w, h), decimals);
    if (kind != kDimArea) d.Put(14, 33304);
    switch (kind) {
      case kDimHorizontal: case kDimVertical: {
        for (int code : {15, 16, 17}) d.Put(code, 3);
        for (int code : {18, 19, 20}) d.Put(code, 1);
        d.PutPoint(21, x, y);
        const int points = 2 + static_cast<int>((i / 9) % 9);
        for (int k = 0; k < points; ++k) {
          const double step = k * w / (points - 1);
          if (kind == kDimHorizontal) {
            d.PutPoint(40 + 10 * k, x + step, y + h);
          } else {
            d.PutPoint(40 + 10 * k, x + w, y + step);
          }
        }
        break;
      }
      case kDimPerimeter:
        d.PutPoint(40, x, y);
        d.PutPoint(50, x + w, y + h);
        d.PutPoint(60, x + w + 10, y + h);
        d.PutPoint(42, x + w, y + h + 1);
        break;
      case kDimRadius:
        for (int code : {15, 16}) d.Put(code, 3);
        for (int code : {18, 19}) d.Put(code, 1);
        d.PutPoint(42, x + 1, y + 1);
        d.PutPoint(40, x + w, y);
        d.PutPoint(50, x, y);
        break;
      case kDimAngleLines: case kDimAngleArc:
        d.Put(15, 0);
        d.Put(16, 0);
        d.Put(18, 1);
        d.Put(19, 1);
        d.PutPoint(23, x, y);
        d.Put(25, w);
        d.Put(26, 10);
        d.Put(27, 10 + h * 5);
        d.PutPoint(42, x + w, y + w / 2);
        break;
      case kDimArea:
        d.PutPoint(40, x + w / 2, y + h / 2);
        break;
      default:  // distance, diameter
        PutDistance(d, x, y, w, h);
        break;
    }
    AddEntity({kDimension, kind, static_cast<int16_t>(i % 8), 0, static_cast<int16_t>(d.values.size())}, nullptr,
              list, d.codes.data(), 0, d.values.data(), nullptr);
  }
}

double GeneratedDrawingSide(int64_t elements) { return std::ceil(std::sqrt(static_cast<double>(elements))) * kCell; }

DrawingFileInfo GeneratedDrawingInfo() {
  DrawingFileInfo info;
  info.layers.SetDefaults();
  info.header.bytes[0] = 'P';
  info.header.bytes[1] = 'W';
  info.header.setScale(1.0f);
  return info;
}

void GeneratePlanDrawing(EntityList& list, const GeneratorOptions& options, const AfterAdd& afterAdd) {
  std::mt19937 rng(options.seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  // Every record appended since `before`, a dimension's parts left to their dimension.
  auto added = [&](DrawEntity* before) {
    if (!afterAdd) return;
    for (DrawEntity* e = before ? before->next : list.head; e; e = e->next) {
      if (!IsDimensionPart(*e)) afterAdd(list, *e);
    }
  };
  {
    const int16_t codes[] = {10, 20, 30};
    const double values[] = {0, 0, 20.0};
    DrawEntity* before = list.tail;
    AddEntity({kGrid, 1, 0, 0, 3}, nullptr, list, codes, 0, values, nullptr);
    added(before);
  }
  const int64_t perRow = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(options.elements))));
  for (int64_t i = 0; i < options.elements; ++i) {
    DrawEntity* before = list.tail;
    const double cx = static_cast<double>(i % perRow) * kCell;
    const double cy = static_cast<double>(i / perRow) * kCell;
    const double jx = cx + unit(rng) * kCell * 0.8;
    const double jy = cy + unit(rng) * kCell * 0.8;
    const int16_t pen = static_cast<int16_t>(i % 8);
    const int pick = static_cast<int>(i % 20);
    if (options.withComposites && i % 100 == 99) {
      AddComposite(list, static_cast<int>(i / 100 % 3), jx, jy, pen);
    } else if (pick < 14) {
      // Walls: mostly axis-parallel short segments, some diagonal.
      const double len = 5.0 + unit(rng) * 30.0;
      if (pick % 3 == 0) {
        AddLine(list, jx, jy, jx + len, jy, pen);
      } else if (pick % 3 == 1) {
        AddLine(list, jx, jy, jx, jy + len, pen);
      } else {
        AddLine(list, jx, jy, jx + len * 0.7, jy + len * 0.7, pen);
      }
    } else if (pick < 16) {
      const int16_t codes[] = {10, 20, 40};
      const double values[] = {jx, jy, 1.0 + unit(rng) * 10.0};
      AddEntity({kCircle, 0, pen, 0, 3}, nullptr, list, codes, 0, values, nullptr);
    } else if (pick == 19 && options.withPoints) {
      const int16_t codes[] = {10, 20};
      const double values[] = {jx, jy};
      AddEntity({kPoint, 0, pen, 0, 2}, nullptr, list, codes, 0, values, nullptr);
    } else if (pick < 18 || (!options.withTexts && !options.withCurves)) {
      // Door swings.
      const int16_t codes[] = {10, 20, 40, 50, 51};
      const double start = std::floor(unit(rng) * 4.0) * 90.0;
      const double values[] = {jx, jy, 5.0 + unit(rng) * 10.0, start, start + 90.0};
      AddEntity({kArc, 1, pen, 0, 5}, nullptr, list, codes, 0, values, nullptr);
    } else if (pick == 18 && options.withTexts) {
      const int16_t codes[] = {10, 20, 30, 40, 50};
      const double values[] = {jx, jy, 3.5, 3.5, 0.0};
      // "Room" numbers in Shift-JIS-safe ASCII.
      char text[16];
      std::snprintf(text, sizeof text, "R%05lld", static_cast<long long>(i % 100000));
      AddEntity({kText, 0, pen, 0, 5}, nullptr, list, codes, 0, values, text);
    } else if (options.withCurves) {
      if (i % 40 < 20) {
        const int16_t codes[] = {10, 20, 10, 20, 10, 20, 10, 20};
        const double values[] = {jx, jy, jx + 5, jy + 10, jx + 10, jy - 5, jx + 15, jy + 5};
        AddEntity({kBezierCurve, 0, pen, 0, 8}, nullptr, list, codes, 0, values, nullptr);
      } else {
        double values[12];
        for (int k = 0; k < 6; ++k) {
          values[2 * k] = jx + k * 3.0;
          values[2 * k + 1] = jy + unit(rng) * 6.0;
        }
        AddEntity({kFreeCurve, 0, pen, 0, 12}, nullptr, list, nullptr, 0, values, nullptr);
      }
    } else {
      AddLine(list, jx, jy, jx + 10, jy, pen);
    }
    added(before);
  }
}

void AppendRoomHatchings(EntityList& list, int64_t count, uint32_t seed, double side) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  static const double kAngles[] = {0, 0, 0, 90, 45, 30, 17.5, -23.7, 135, 62.3, 200.1, 301.25};
  const int64_t perRow = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(count))));
  const double slot = side / static_cast<double>(perRow);
  auto vertex = [](double x, double y) { return BoundaryPiece{BoundaryPiece::Kind::kVertex, {x, y}, {}, 0, true}; };
  for (int64_t i = 0; i < count; ++i) {
    const double w = kCell * (1 + 2 * unit(rng)), h = kCell * (1 + 2 * unit(rng));
    const double x0 = static_cast<double>(i % perRow) * slot + unit(rng) * std::max(0.0, slot - w);
    const double y0 = static_cast<double>(i / perRow) * slot + unit(rng) * std::max(0.0, slot - h);
    const double x1 = x0 + w, y1 = y0 + h;
    std::vector<BoundaryPiece> pieces{vertex(x0, y0), vertex(x1, y0), vertex(x1, y1), vertex(x0, y1)};
    if (i % 6 == 0) {  // a bay: a half circle over the top side, counter-clockwise from its right end
      pieces[2] = {BoundaryPiece::Kind::kArc, {x1, y1}, {(x0 + x1) / 2, y1}, w / 2, true};
    } else if (i % 6 == 1) {  // a round column, left out by the even-odd rule
      const ModelPoint c{x0 + w / 3, y0 + h / 3};
      pieces.push_back({BoundaryPiece::Kind::kCircle, c, c, std::min(w, h) / 8, true});
    }
    HatchSpacing hatch;
    hatch.pattern = static_cast<int16_t>(i % 4);
    hatch.spacingY = (w + h) / 2 / (10 + 30 * unit(rng));
    hatch.spacingX = hatch.pattern == kHatchBrick ? 2 * hatch.spacingY : hatch.spacingY;
    hatch.angleDeg = kAngles[i % std::size(kAngles)];
    const std::optional<RegionRecord> r = HatchRecordOf(pieces, hatch);
    if (!r) continue;
    AddEntity({kHatch, r->subKind, static_cast<int16_t>(i % 8), 0, static_cast<int16_t>(r->values.size())}, nullptr,
              list, r->codes.data(), 0, r->values.data(), nullptr);
  }
}

void GenerateTextDrawing(EntityList& list, int64_t count, uint32_t seed, double unit, bool asLines) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  // Every character of these is two bytes in Shift-JIS.
  const std::string japanese = Utf8ToSjis("図面設計製図寸法線分円弧文字記号平面立面断面詳細縮尺番号"
                                          "あいうえおかきくけこさしすせそアイウエオカキクケコサシスセソ");
  const std::string latin = "ABCDEFGHJKLMNPQRSTUVWXYZ0123456789-";
  constexpr double kDegree = 3.14159265358979323846 / 180;
  for (int64_t i = 0; i < count; ++i) {
    const bool isJapanese = i % 3 == 0;
    const double angle = i % 5 == 0 ? std::floor(uniform(rng) * 36.0) * 10.0 + 5.0 : 0.0;
    const int characters = 1 + static_cast<int>(uniform(rng) * 20.0) % 20;
    const double height = (4.5 + uniform(rng) * 11.0) * unit;
    // Inside the field with room for the longest text, so the field alone sets the extent.
    const double x = (160 + uniform(rng) * 1600) * unit;
    const double y = (160 + uniform(rng) * 760) * unit;
    std::string text;
    for (int k = 0; k < characters; ++k) {
      if (isJapanese) {
        const std::size_t at = static_cast<std::size_t>(uniform(rng) * static_cast<double>(japanese.size() / 2)) * 2;
        text.append(japanese, std::min(at, japanese.size() - 2), 2);
      } else {
        text.push_back(latin[static_cast<std::size_t>(uniform(rng) * static_cast<double>(latin.size())) % latin.size()]);
      }
    }
    // A half-width character is half as wide as high, a full-width one as wide.
    const double width = height * (isJapanese ? 1.0 : 0.5) * characters;
    const int16_t pen = static_cast<int16_t>(i % 8);
    if (asLines) {
      AddLine(list, x, y, x + width * std::cos(angle * kDegree), y + width * std::sin(angle * kDegree), pen);
    } else {
      const int16_t codes[] = {10, 20, 30, 40, 50};
      const double values[] = {x, y, height, height, angle};
      AddEntity({kText, 0, pen, 0, 5}, nullptr, list, codes, 0, values, text.c_str());
    }
  }
}

void WritePlanDrawing(const std::string& path, int64_t elements) {
  GeneratorOptions options;
  options.elements = elements;
  options.withTexts = false;
  options.withCurves = false;
  WritePlanDrawing(path, options);
}

void WritePlanDrawing(const std::string& path, const GeneratorOptions& options) {
  EntityList list;
  GeneratePlanDrawing(list, options);
  std::string error;
  if (SaveDrawingFile(path, GeneratedDrawingInfo(), list, &error) != 0) {
    std::fprintf(stderr, "save failed: %s\n", error.c_str());
    std::exit(1);
  }
}

}  // namespace plenwick::bench
