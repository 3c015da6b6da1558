// Builds JWC files (drawings of the DOS JW_CAD) byte by byte from their layout, for the tests and
// the fuzzer's seeds: no real file of that program is at hand.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/byte_io.h"

namespace plenwick::testing {

struct JwcLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  uint8_t lineType = 0, colour = 0, layer = 0;
};
struct JwcArc {
  float x = 0, y = 0, radius = 0;
  uint32_t start = 0, end = 0, offset = 0;  // both 0: a circle
  uint8_t lineType = 0, colour = 0, layer = 0;
};
struct JwcText {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // base line start and direction point
  uint8_t size = 0, layer = 0;
  std::string text;  // Shift-JIS, written with its NUL
};
struct JwcPoint {
  float x = 0, y = 0;
  uint8_t layer = 0, colour = 0;
};

struct JwcDrawing {
  bool extended = true;  // the text area carries "a.f.m" (32 bytes more in the tables)
  float scale = 1, paper = 2, paperWidth = 594;
  std::array<int16_t, 11> textHeights{};  // tenths of a file unit
  std::vector<JwcLine> lines;
  std::vector<JwcArc> arcs;
  std::vector<JwcText> texts;
  std::vector<JwcPoint> points;
  std::string headerList;  // header list 1 as written; empty: made from the counts and fields above
};

// Header list 1 of the drawing: 31 numbers each followed by ",".
inline std::string JwcHeaderList(const JwcDrawing& d) {
  std::array<double, 31> fields{};
  fields[0] = static_cast<double>(d.lines.size());
  fields[1] = static_cast<double>(d.arcs.size());
  fields[2] = static_cast<double>(d.texts.size());
  fields[3] = static_cast<double>(d.points.size());
  fields[9] = d.scale;
  fields[11] = d.paper;
  fields[30] = d.paperWidth;
  std::string list;
  char number[32];
  for (double f : fields) {
    std::snprintf(number, sizeof number, "%g,", f);
    list += number;
  }
  return list;
}

inline std::vector<uint8_t> BuildJwcFile(const JwcDrawing& d) {
  std::vector<uint8_t> out;
  ByteWriter w(out);
  w.FixedString(d.extended ? "JW_CAD a.f.m" : "JW_CAD", 200);
  w.FixedString(d.headerList.empty() ? JwcHeaderList(d) : d.headerList, 200);
  w.FixedString("1,2,3,", 200);
  w.Zeros(200 + 404 + 404 + 101 + 22 + 22);
  for (int16_t h : d.textHeights) w.I16(h);
  w.Zeros(22 + (d.extended ? 64 : 32) + 16 + 256 + 16 + 256 + 16);
  for (const JwcLine& l : d.lines) {
    for (float v : {l.x1, l.y1, l.x2, l.y2}) w.F32(v);
    w.U8(l.lineType);
    w.U8(l.colour);
    w.U8(l.layer);
    w.Zeros(3);
  }
  for (const JwcArc& a : d.arcs) {
    for (float v : {a.x, a.y, a.radius}) w.F32(v);
    w.Zeros(2);
    for (uint32_t v : {a.start, a.end, a.offset}) w.U32(v);
    w.U8(a.lineType);
    w.U8(a.colour);
    w.Zeros(2);
    w.U8(a.layer);
    w.Zeros(1);
  }
  for (const JwcText& t : d.texts) {
    for (float v : {t.x1, t.y1, t.x2, t.y2}) w.F32(v);
    w.Zeros(4);
    w.U8(t.size);
    w.U8(t.layer);
    w.Zeros(2);
  }
  for (const JwcText& t : d.texts) w.FixedString(t.text, t.text.size() + 1);
  for (const JwcPoint& p : d.points) {
    w.F32(p.x);
    w.F32(p.y);
    w.U8(p.layer);
    w.U8(p.colour);
    w.Zeros(2);
  }
  return out;
}

// Offset of the first element record: 2421 in the extended variant, 32 less otherwise.
inline std::size_t JwcElementStart(bool extended) { return extended ? 2421 : 2389; }

}  // namespace plenwick::testing
