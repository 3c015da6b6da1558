// info, dump, from-json and copy: inspecting and converting native drawings.
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "commands.h"
#include "json_drawing.h"
#include "json_fields.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"
#include "platform/sjis.h"

namespace plenwick::cli {

namespace {

const char* KindName(int kind) {
  switch (kind) {
    case kPoint: return "point";
    case kGrid: return "grid";
    case kLine: return "line";
    case kHorizontalInfiniteLine: return "horizontal infinite line";
    case kVerticalInfiniteLine: return "vertical infinite line";
    case kAngledInfiniteLine: return "infinite line";
    case kBezierCurve: return "control-point curve";
    case kFreeCurve: return "free curve";
    case kCircle: return "circle";
    case kArc: return "arc";
    case kText: return "text";
    case kLeaderText: return "text with leader";
    case kDimension: return "dimension";
    case kGroupHeader: return "group header";
    case kPaint: return "paint";
    case kHatch: return "hatching";
    case kImage: return "image";
    case kPolygon: return "polygon";
    default: return "unknown";
  }
}

const char* PaperName(int index) {
  static const char* names[] = {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "B4", "B5", "B6"};
  return index >= 0 && index < 10 ? names[index] : "?";
}

bool Load(const std::string& path, DrawingFileInfo& info, EntityList& list) {
  std::string error;
  if (LoadDrawingFile(path, info, list, nullptr, &error) != 0) {
    Fail(path + ": " + error);
    return false;
  }
  return true;
}

int Save(const std::string& path, DrawingFileInfo& info, EntityList& list) {
  ClearOrphanGroupNumbers(list);
  std::string error;
  if (SaveDrawingFile(path, info, list, &error) != 0) return Fail(path + ": " + error);
  return 0;
}

}  // namespace

int RunInfo(int argc, char** argv) {
  if (argc != 3) return Fail("usage: plenwick-cli info FILE.pwk");
  DrawingFileInfo info;
  EntityList list;
  if (!Load(argv[2], info, list)) return 1;
  const DrawingHeader& h = info.header;
  std::printf("file: %s\n", argv[2]);
  std::printf("format version: %d\n", info.versionRead);
  std::printf("drawing name: %s\n", SjisToUtf8(h.drawingName()).c_str());
  std::printf("author: %s\n", SjisToUtf8(h.author()).c_str());
  std::printf("updater: %s\n", SjisToUtf8(h.updater()).c_str());
  std::printf("protection: %d\n", h.protection());
  std::printf("paper: %s (%d), %s, paper mode %d, print type %d\n", PaperName(h.paperSize()), h.paperSize(),
              h.orientation() == 0 ? "landscape" : "portrait", h.paperMode(), h.printType());
  std::printf("scale: 1:%g\n", static_cast<double>(h.scale()));
  std::printf("created: %d\nupdated: %d\n", h.creationDate(), h.updateDate());
  std::printf("drawing area: (%g, %g) - (%g, %g)\n", info.areaMin[0], info.areaMin[1], info.areaMax[0], info.areaMax[1]);
  std::printf("current layer: %d\n", h.currentLayer());
  std::printf("layers: %d\n", info.layers.layerCount);
  for (int i = 0; i < info.layers.layerCount; ++i) {
    std::printf("  %3d %-40s state %d\n", i, SjisToUtf8(info.layers.name(i)).c_str(),
                info.layers.states[static_cast<std::size_t>(i)]);
  }
  std::map<int, long> counts;
  long total = 0;
  for (const DrawEntity& e : list) {
    if (IsDimensionPart(e)) continue;
    ++counts[e.kind];
    ++total;
  }
  std::printf("elements: %ld\n", total);
  for (const auto& [kind, n] : counts) std::printf("  %2d %-26s %ld\n", kind, KindName(kind), n);
  return 0;
}

int RunDump(int argc, char** argv) {
  const bool withParts = argc == 5 && std::string(argv[3]) == "--parts";
  if ((argc != 4 && !withParts) || std::string(argv[2]) != "--json") {
    return Fail("usage: plenwick-cli dump --json [--parts] FILE.pwk");
  }
  DrawingFileInfo info;
  EntityList list;
  if (!Load(argv[argc - 1], info, list)) return 1;
  std::cout << JsonText(DrawingToJson(info, list, withParts)) << '\n';
  return std::cout.good() ? 0 : Fail("cannot write the output");
}

int RunFromJson(int argc, char** argv) {
  if (argc != 4) return Fail("usage: plenwick-cli from-json IN.json OUT.pwk");
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(argv[2], bytes, &error, kMaxJsonBytes)) {
    return Fail(error + " (from-json reads at most " + std::to_string(kMaxJsonBytes >> 20) + " MiB)");
  }
  const nlohmann::json json = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (json.is_discarded()) return Fail(std::string(argv[2]) + ": not valid JSON");
  DrawingFileInfo info;
  EntityList list;
  int refused = 0;
  if (!DrawingFromJson(json, info, list, &error, &refused)) return Fail(std::string(argv[2]) + ": " + error);
  if (refused > 0) {
    std::fprintf(stderr,
                 "plenwick-cli: %s: %d element(s) refused (unknown kind, layer outside 0..127, wrong number of "
                 "values, or values a drawing file cannot hold)\n",
                 argv[2], refused);
  }
  if (list.empty()) return Fail(std::string(argv[2]) + ": the drawing holds no elements; nothing written");
  return Save(argv[3], info, list);
}

int RunCopy(int argc, char** argv) {
  if (argc != 4) return Fail("usage: plenwick-cli copy IN.pwk OUT.pwk");
  DrawingFileInfo info;
  EntityList list;
  if (!Load(argv[2], info, list)) return 1;
  if (list.empty()) return Fail(std::string(argv[2]) + ": the drawing holds no elements; nothing written");
  return Save(argv[3], info, list);
}

}  // namespace plenwick::cli
