// Builds large plan-like drawings for the benchmarks.
#include "drawing_generator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace plenwick::bench {

namespace {

constexpr double kCell = 40.0;  // one "room" per cell, model mm

void AddLine(EntityList& list, double x1, double y1, double x2, double y2, int16_t pen) {
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {x1, y1, x2, y2};
  AddEntity({kLine, 0, pen, 0, 4}, nullptr, list, codes, 0, values, nullptr);
}

}  // namespace

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
  auto added = [&](DrawEntity* before) {
    if (afterAdd && list.tail && list.tail != before) afterAdd(list, *list.tail);
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
    if (pick < 14) {
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

void WritePlanDrawing(const std::string& path, int64_t elements) {
  GeneratorOptions options;
  options.elements = elements;
  options.withTexts = false;
  options.withCurves = false;
  EntityList list;
  GeneratePlanDrawing(list, options);
  std::string error;
  if (SaveDrawingFile(path, GeneratedDrawingInfo(), list, &error) != 0) {
    std::fprintf(stderr, "save failed: %s\n", error.c_str());
    std::exit(1);
  }
}

}  // namespace plenwick::bench
