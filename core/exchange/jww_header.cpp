// The header of a JWW file, walked once for reading and once for writing.
#include "exchange/jww_header.h"

#include <string_view>

namespace plenwick {

namespace {

// Reading: each call returns the field read, whatever default it was given.
struct HeaderIn {
  JwwArchiveReader& in;
  uint32_t Dword(uint32_t) { return in.U32(); }
  double Double(double) { return in.F64(); }
  std::string String(const std::string&) {
    std::string s;
    in.String(&s);
    return s;
  }
  void SkipString() { in.SkipString(); }
};

// Writing: each call writes the value it was given and returns it.
struct HeaderOut {
  JwwArchiveWriter& out;
  uint32_t Dword(uint32_t v) {
    out.U32(v);
    return v;
  }
  double Double(double v) {
    out.F64(v);
    return v;
  }
  std::string String(const std::string& s) {
    out.String(s);
    return s;
  }
  void SkipString() { out.String(""); }
};

constexpr std::array<uint32_t, kJwwPens> kDefaultPenColours = {0xFFFFFF, 0xC0C000, 0x000000, 0x00C000, 0x00C0C0,
                                                               0xC000C0, 0xFF0000, 0x808000, 0x8000FF, 0xC0C0C0};
constexpr std::array<uint32_t, kJwwPens> kDefaultPrinterColours = {0xFFFFFF, 0xFFFF00, 0x000000, 0x00FF00, 0x00FFFF,
                                                                   0xFF00FF, 0xFF0000, 0x808000, 0x0000FF, 0xC0C0C0};
constexpr uint32_t kDefaultPrinterWidths[kJwwPens] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 1};
constexpr double kDefaultPointRadii[kJwwPens] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.5, 0.5, 0.5, 0.5, 0.1};
// Line types 2..9: bit pattern and dots a unit; random lines 11..15; double-length types 16..19.
constexpr uint32_t kLineTypePatterns[8][2] = {{0x99999999, 4},  {0xC3C3C3C3, 8},  {0xE7E7E7E7, 8}, {0xF99FF99F, 16},
                                              {0xFFF99FFF, 32}, {0xF24FF24F, 16}, {0xFFF24FFF, 32}, {0x22222222, 4}};
constexpr uint32_t kRandomLines[5][4] = {{1, 3, 1, 5}, {1, 4, 1, 10}, {2, 5, 2, 15}, {2, 6, 2, 20}, {2, 7, 2, 25}};
constexpr uint32_t kLongLineTypes[4][4] = {
    {0xFFF99FFF, 32, 2, 20}, {0xFFF24FFF, 32, 2, 20}, {0xFFFE7FFF, 32, 2, 20}, {0xFFFE7FFF, 32, 4, 40}};
constexpr double kParallelLineSpacings[10] = {4000, 6000, 8000, 10000, 2000, 5600, 5000, 600, 1200, 18800};
constexpr double kTextSizes[10][3] = {{2, 2, 0},   {2.5, 2.5, 0}, {3, 3, 0.5}, {4, 4, 0.5}, {5, 5, 0.5},
                                      {6, 6, 0.5}, {7, 7, 1},     {8, 8, 1},   {9, 9, 1},   {10, 10, 1}};

template <typename Io>
void WalkHeader(Io& io, JwwHeader& h) {
  const uint32_t v = h.version;
  h.memo = io.String(h.memo);
  h.paper = io.Dword(h.paper);
  h.writeGroup = io.Dword(h.writeGroup);
  for (JwwLayerGroup& g : h.groups) {
    g.state = io.Dword(g.state);
    g.writeLayer = io.Dword(g.writeLayer);
    g.scale = io.Double(g.scale);
    g.protection = io.Dword(g.protection);
    for (int l = 0; l < kJwwLayersPerGroup; ++l) {
      g.layerState[l] = io.Dword(g.layerState[l]);
      g.layerProtection[l] = io.Dword(g.layerProtection[l]);
    }
  }
  for (int i = 0; i < 14; ++i) io.Dword(0);  // reserved
  for (int i = 0; i < 5; ++i) io.Dword(0);   // dimension settings: the program's own
  io.Dword(0);                               // reserved
  io.Dword(100);                             // widest line drawn
  io.Double(0);                              // printing origin x, y and magnification
  io.Double(0);
  io.Double(1);
  io.Dword(0);  // printing rotation and reference point
  io.Dword(0);  // scale marks: mode, smallest spacing, spacing x, y, reference x, y
  io.Double(15);
  io.Double(5);
  io.Double(5);
  io.Double(0);
  io.Double(0);
  for (int i = 0; i < kJwwGroups * kJwwLayersPerGroup + kJwwGroups; ++i) io.SkipString();  // layer, group names
  io.Double(4);   // shadow: plane height, latitude, 9-15 o'clock flag, wall plane height
  io.Double(36);
  io.Dword(0);
  io.Double(0);
  if (v >= 300) {
    io.Double(0);  // sky map: plane height, radius
    io.Double(30);
  }
  io.Dword(0);  // 2.5D unit
  for (const double d : {1.0, 0.0, 0.0, 1.0, 0.0, 0.0}) io.Double(d);  // view and range magnifications
  for (int i = 0; i < (v >= 300 ? 8 : 4); ++i) {  // mark jumps
    io.Double(1);
    io.Double(0);
    io.Double(0);
    if (v >= 300) io.Dword(0xFFFFFFFF);
  }
  if (v >= 300) {
    for (int i = 0; i < 3; ++i) io.Double(0);  // text drawing state
    io.Dword(0);
    for (int i = 0; i < 3; ++i) io.Double(0);
    io.Dword(1);
  }
  for (const double d : kParallelLineSpacings) io.Double(d);
  io.Double(0);  // both-side parallel line end
  for (int i = 0; i < kJwwPens; ++i) {
    h.penColours[i] = io.Dword(h.penColours[i]);
    io.Dword(1);  // screen width
  }
  for (int i = 0; i < kJwwPens; ++i) {
    io.Dword(kDefaultPrinterColours[i]);
    io.Dword(kDefaultPrinterWidths[i]);
    io.Double(kDefaultPointRadii[i]);
  }
  for (const auto& t : kLineTypePatterns) {
    io.Dword(t[0]);
    io.Dword(t[1]);
    io.Dword(1);
    io.Dword(10);
  }
  for (const auto& t : kRandomLines) {
    io.Dword(0xCCB2B32A);
    for (const uint32_t d : t) io.Dword(d);
  }
  for (const auto& t : kLongLineTypes) {
    for (const uint32_t d : t) io.Dword(d);
  }
  for (const uint32_t d : {0u, 0u, 1u, 0u, 0u, 0u, 1u, 1u, 0u, 0u, 10u}) io.Dword(d);  // drawing and printing flags
  if (v >= 223) {
    io.Dword(0);  // drawing time
    io.Dword(0);  // 2.5D eye settings
    for (int i = 0; i < 3; ++i) io.Dword(static_cast<uint32_t>(-4500));
    for (const double d : {2000.0, 1000000.0, 1000000.0, 1000000.0, 35.264389682754654}) io.Double(d);
  }
  if (v >= 225) {
    for (int i = 0; i < 4; ++i) io.Double(0);  // last line length, box sides, circle radius
  }
  if (v >= 230) {
    io.Dword(0);  // solids in any colour, and that colour
    io.Dword(0x808080);
  }
  if (v >= 420) {
    h.extendedColours.resize(kJwwExtendedColours);
    for (uint32_t& c : h.extendedColours) {
      c = io.Dword(c);
      io.Dword(1);
    }
    for (int i = 0; i < kJwwExtendedColours; ++i) {
      io.SkipString();
      io.Dword(0);
      io.Dword(1);
      io.Double(0.5);
    }
    for (int i = 0; i < 33; ++i) {
      for (int k = 0; k < 4; ++k) io.Dword(0);
    }
    for (int i = 0; i < 33; ++i) {
      io.SkipString();
      io.Dword(0);
      for (int k = 0; k < 10; ++k) io.Double(0);
    }
  }
  for (const auto& t : kTextSizes) {
    for (const double d : t) io.Double(d);
    io.Dword(1);
  }
  for (const double d : {3.0, 3.0, 0.5}) io.Double(d);  // text being written: width, height, spacing
  io.Dword(2);                                           // its colour and kind
  io.Dword(3);
  io.Double(0);  // arranging texts: line spacing, characters
  io.Double(0);
  io.Dword(0);  // text reference offsets
  for (const double d : {-1.0, 0.0, 1.0, -1.0, 0.0, 1.0}) io.Double(d);
}

}  // namespace

JwwHeader DefaultJwwHeader() {
  JwwHeader h;
  h.penColours = kDefaultPenColours;
  for (JwwLayerGroup& g : h.groups) {
    g.layerState.fill(2);
    g.layerProtection.fill(0);
  }
  h.groups[0].state = 3;
  h.groups[0].layerState[0] = 3;
  return h;
}

bool ReadJwwHeaderFields(JwwArchiveReader& in, JwwHeader& header) {
  HeaderIn io{in};
  WalkHeader(io, header);
  return in.ok();
}

void WriteJwwHeader(JwwArchiveWriter& out, const JwwHeader& header) {
  out.Raw(std::string_view("JwwData.", 8));
  out.U32(header.version);
  JwwHeader copy = header;
  HeaderOut io{out};
  WalkHeader(io, copy);
}

}  // namespace plenwick
