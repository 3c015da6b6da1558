// Reading an ASCII DXF file: the header variables the drawing needs, then the ENTITIES section.
// Sections are found by their (0 SECTION, 2 name) pairs, so a text or comment that reads
// "ENTITIES" starts nothing.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <optional>
#include <string>

#include "exchange/dxf_entity_reader.h"
#include "exchange/dxf_exchange.h"
#include "exchange/dxf_group_reader.h"
#include "exchange/dxf_text.h"
#include "model/entity_core.h"
#include "platform/file_io.h"

namespace plenwick {

namespace {

// $LTSCALE values below this (and a missing one) give the scale 1:100.
constexpr double kSmallestScale = 0.001;
constexpr double kDefaultScale = 100;

// What the HEADER section says, before it is known whether the file can be read.
struct DxfHeader {
  std::optional<std::array<double, 3>> extMin, extMax, limMin, limMax;
  std::optional<double> ltScale;
  std::string acadVersion;
  std::string codePage;
};

// A header variable being read: its x, y, z (10, 20, 30) and whether every given value was usable.
struct PointVariable {
  std::array<double, 3> xyz{};
  bool usable = true;
};

// Reads the HEADER section up to its ENDSEC. False when the pairs stop first.
bool ReadHeader(DxfGroupReader& reader, const DxfContext& context, DxfHeader& header) {
  std::string name;
  PointVariable point;
  std::optional<double> scale;
  // Ends the variable read so far. Absurd values count as absent.
  auto endVariable = [&] {
    std::optional<std::array<double, 3>>* target = name == "$EXTMIN"   ? &header.extMin
                                                   : name == "$EXTMAX" ? &header.extMax
                                                   : name == "$LIMMIN" ? &header.limMin
                                                   : name == "$LIMMAX" ? &header.limMax
                                                                       : nullptr;
    if (target && point.usable) *target = point.xyz;
    if (name == "$LTSCALE" && scale && InCoordinateRange(*scale)) header.ltScale = scale;
    name.clear();
  };
  auto startPoint = [&](const std::array<double, 3>& before) {
    point.xyz = before;
    point.usable = true;
  };
  DxfGroup g;
  while (reader.Next(g)) {
    if (g.code == 0) {
      endVariable();
      if (DxfTrimmed(g.value) == "ENDSEC") return true;
      continue;
    }
    if (g.code == 9) {
      endVariable();
      name = DxfTrimmed(g.value);
      // A variable the file gives only in part keeps the rest as the caller had it.
      if (name == "$EXTMIN") startPoint(context.areaMin);
      if (name == "$EXTMAX") startPoint(context.areaMax);
      if (name == "$LIMMIN") startPoint(context.extentMin);
      if (name == "$LIMMAX") startPoint(context.extentMax);
      scale.reset();
      continue;
    }
    if (name == "$ACADVER" && g.code == 1) header.acadVersion = DxfTrimmed(g.value);
    if (name == "$DWGCODEPAGE" && g.code == 3) header.codePage = DxfTrimmed(g.value);
    if (name == "$LTSCALE" && g.code == 40) scale = DxfNumber(g.value);
    if (g.code == 10 || g.code == 20 || g.code == 30) {
      const std::optional<double> v = DxfNumber(g.value);
      if (v && InCoordinateRange(*v)) {
        point.xyz[static_cast<std::size_t>(g.code / 10 - 1)] = *v;
      } else {
        point.usable = false;
      }
    }
  }
  return false;
}

// Passes over a section up to its ENDSEC. False when the pairs stop first.
bool SkipSection(DxfGroupReader& reader) {
  DxfGroup g;
  while (reader.Next(g)) {
    if (g.code == 0 && DxfTrimmed(g.value) == "ENDSEC") return true;
  }
  return false;
}

// Reads the ENTITIES section up to its ENDSEC into `list`. False when the pairs stop first.
bool ReadEntities(DxfGroupReader& reader, DxfEntityReader& entities) {
  DxfGroup g;
  while (reader.Next(g)) {
    if (g.code == 0 && DxfTrimmed(g.value) == "ENDSEC") {
      entities.Finish();
      return true;
    }
    entities.Take(g);
  }
  return false;
}

// Removes what was appended after `last` (null: everything).
void RemoveAppended(EntityList& list, DrawEntity* last) {
  while (list.tail && list.tail != last) {
    DrawEntity* e = list.tail;
    UnlinkEntity(list, e);
    FreeEntity(e);
  }
}

int ReadFrom(DxfGroupReader& reader, DxfContext& context, EntityList& list, DxfReadReport& report) {
  DrawEntity* const lastBefore = list.tail;
  DxfHeader header;
  bool entitiesRead = false;
  int64_t added = 0, skipped = 0;
  // Top level: sections, comments, EOF.
  DxfGroup g;
  bool inSectionStart = false;
  while (!entitiesRead && reader.Next(g)) {
    const std::string_view value = DxfTrimmed(g.value);
    if (g.code == 0) {
      if (value == "EOF") break;
      inSectionStart = value == "SECTION";
      continue;
    }
    if (!inSectionStart || g.code != 2) continue;
    inSectionStart = false;
    bool complete = false;
    if (value == "HEADER") {
      complete = ReadHeader(reader, context, header);
    } else if (value == "ENTITIES") {
      DxfEntityReader entities(list, DxfEncodingOf(header.acadVersion, header.codePage));
      complete = ReadEntities(reader, entities);
      added = entities.added();
      skipped = entities.skipped();
      entitiesRead = complete;
    } else {
      complete = SkipSection(reader);
    }
    if (!complete && reader.error().empty()) reader.Fail("ファイルがセクションの途中で終わっています。");
    if (!complete) break;
  }
  if (!reader.error().empty() || !entitiesRead) {
    RemoveAppended(list, lastBefore);
    report.error = !reader.error().empty() ? reader.error() : "DXFファイルに図形のセクション (ENTITIES) がありません。";
    return 1;
  }
  context.count = static_cast<int32_t>(std::min<int64_t>(added, INT32_MAX));
  // The boxes in the order of the context: $EXTMIN, $EXTMAX, $LIMMIN, $LIMMAX.
  if (header.extMin) context.areaMin = *header.extMin;
  if (header.extMax) context.areaMax = *header.extMax;
  if (header.limMin) context.extentMin = *header.limMin;
  if (header.limMax) context.extentMax = *header.limMax;
  context.ltScale = header.ltScale.value_or(0);
  if (!(context.ltScale >= kSmallestScale)) context.ltScale = kDefaultScale;
  report.skipped += skipped;
  return 0;
}

}  // namespace

int ReadDxfBytes(DxfContext& context, std::span<const uint8_t> bytes, EntityList& list, DxfReadReport& report) {
  DxfGroupReader reader(bytes);
  return ReadFrom(reader, context, list, report);
}

int ReadDxf(DxfContext& context, const std::string& path, EntityList& list, DxfReadReport& report) {
  FileReader file;
  std::string error;
  if (!file.Open(path, &error)) {
    report.error = error;
    return 1;
  }
  DxfGroupReader reader(file);
  return ReadFrom(reader, context, list, report);
}

}  // namespace plenwick
