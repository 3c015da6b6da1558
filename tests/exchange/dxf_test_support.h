// Writing DXF into memory and building small DXF files for the exchange tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "exchange/dxf_exchange.h"
#include "model/entity_core.h"
#include "support/entity_builders.h"

namespace plenwick::testing {

inline std::string DxfText(const EntityList& list, const DxfContext& context = {}) {
  std::string out;
  const ByteSink sink = [&out](std::span<const uint8_t> bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
  };
  EXPECT_TRUE(WriteDxf(context, list, sink));
  return out;
}

// The ENTITIES section of a written file, from its first entity to its ENDSEC (exclusive).
inline std::string EntitiesOf(const std::string& dxf) {
  const std::string start = "  0\nSECTION\n  2\nENTITIES\n";
  const std::size_t at = dxf.find(start);
  const std::size_t end = dxf.rfind("  0\nENDSEC\n");
  if (at == std::string::npos || end == std::string::npos || end < at) return "<no ENTITIES>";
  return dxf.substr(at + start.size(), end - at - start.size());
}

// A minimal file around the given ENTITIES groups, after an optional HEADER body.
inline std::string DxfFile(const std::string& entities, const std::string& header = "") {
  std::string s;
  if (!header.empty()) s += "  0\nSECTION\n  2\nHEADER\n" + header + "  0\nENDSEC\n";
  return s + "  0\nSECTION\n  2\nENTITIES\n" + entities + "  0\nENDSEC\n  0\nEOF\n";
}

struct DxfRead {
  int rc = -1;
  DxfContext context;
  DxfReadReport report;
};

inline DxfRead ReadDxfText(const std::string& text, EntityList& list) {
  DxfRead r;
  r.rc = ReadDxfBytes(r.context, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), list, r.report);
  return r;
}

inline std::vector<double> ValuesOf(const DrawEntity& e) {
  return std::vector<double>(e.values.get(), e.values.get() + e.valueCount);
}

inline std::vector<const DrawEntity*> Elements(const EntityList& list) {
  std::vector<const DrawEntity*> out;
  for (const DrawEntity& e : list) out.push_back(&e);
  return out;
}

inline int16_t Attr(int lineType, int pen) { return static_cast<int16_t>(lineType * 100 + pen); }

inline DrawEntity* Add(EntityList& list, int16_t kind, std::vector<double> values, int16_t lineAttr = 0,
                       int16_t subKind = 0, const char* text = nullptr) {
  std::vector<int16_t> codes(values.size(), 10);
  DrawEntity* e = nullptr;
  AddEntity({kind, subKind, lineAttr, 0, static_cast<int16_t>(values.size())}, nullptr, list, codes.data(), 0,
            values.data(), text, &e);
  return e;
}

}  // namespace plenwick::testing
