// Shared pieces of the drawing-file tests: file info, writing and reading, byte patching, comparing
// elements, a test dimension-part generator and random drawings of every element kind.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace plenwick::testing {

// File info of a drawing with `layers` layers named "Layer01".. and a recognisable header.
inline DrawingFileInfo TestFileInfo(int layers = 2) {
  DrawingFileInfo info;
  info.header.setDrawingName("test");
  info.header.setScale(1.0f);
  info.header.setCreationDate(20240102);
  info.layers.SetDefaults();
  info.layers.layerCount = static_cast<int16_t>(layers);
  info.areaMax = {594, 420, 0};
  for (int i = 0; i < DrawingValues::kColourCount; ++i) info.drawingValues.setDisplayColour(i, 0x101010 * (i + 1));
  return info;
}

inline std::vector<uint8_t> WriteOrFail(const EntityList& list, const DrawingFileInfo& info = TestFileInfo()) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(WriteDrawingFile(bytes, info, list), 0);
  return bytes;
}

// Little-endian field access on a file image; at() keeps a wrong offset from reading past the end.
inline const uint8_t* FieldAt(const std::vector<uint8_t>& b, std::size_t at, std::size_t width) {
  return &b.at(at + width - 1) - (width - 1);
}
inline uint8_t* FieldAt(std::vector<uint8_t>& b, std::size_t at, std::size_t width) {
  return &b.at(at + width - 1) - (width - 1);
}
inline int16_t I16At(const std::vector<uint8_t>& b, std::size_t at) { return GetI16(FieldAt(b, at, 2)); }
inline int32_t I32At(const std::vector<uint8_t>& b, std::size_t at) { return GetI32(FieldAt(b, at, 4)); }
inline double F64At(const std::vector<uint8_t>& b, std::size_t at) { return GetF64(FieldAt(b, at, 8)); }
inline void PutI16At(std::vector<uint8_t>& b, std::size_t at, int16_t v) { PutI16(FieldAt(b, at, 2), v); }
inline void PutI32At(std::vector<uint8_t>& b, std::size_t at, int32_t v) { PutI32(FieldAt(b, at, 4), v); }
inline void PutF64At(std::vector<uint8_t>& b, std::size_t at, double v) { PutF64(FieldAt(b, at, 8), v); }

// Offset of record i in a version-3 file with `layers` layers.
inline std::size_t RecordAt(int layers, int i) { return 340 + 40 * static_cast<std::size_t>(layers) + 72 * static_cast<std::size_t>(i); }

// Installs a dimension-part generator for the lifetime of the object for every dimension kind: by
// default one line part from its first defining point (codes 40, 41) to the origin.
class TestDimensionParts {
 public:
  TestDimensionParts() : TestDimensionParts([](EntityList& list, DrawEntity& dim, int) {
      const int16_t codes[] = {10, 20, 11, 22};
      const double values[] = {0, 0, 1, 1};
      AddChildEntity({kLine, dim.subKind, dim.lineAttr, dim.layer, 4}, nullptr, list, codes, dim.colour, values,
                     nullptr, &dim);
    }) {}
  explicit TestDimensionParts(const DimensionPartsGenerator& parts) {
    previous_ = InstallDimensionPartsGenerators({parts, parts, parts, parts});
  }
  TestDimensionParts(const TestDimensionParts&) = delete;
  TestDimensionParts& operator=(const TestDimensionParts&) = delete;
  ~TestDimensionParts() { InstallDimensionPartsGenerators(previous_); }

 private:
  DimensionPartsGenerators previous_;
};

// The elements a file stores, in list order.
inline std::vector<const DrawEntity*> StoredElements(const EntityList& list) {
  std::vector<const DrawEntity*> out;
  for (const DrawEntity& e : list) {
    if (!IsDimensionPart(e)) out.push_back(&e);
  }
  return out;
}

// Every field a file carries, values compared bit for bit (a dimension's packed field is no number).
inline void ExpectSameElement(const DrawEntity& a, const DrawEntity& b, const std::string& where) {
  SCOPED_TRACE(where + " kind " + std::to_string(a.kind));
  EXPECT_EQ(a.kind, b.kind);
  EXPECT_EQ(a.subKind, b.subKind);
  EXPECT_EQ(a.lineAttr, b.lineAttr);
  EXPECT_EQ(a.layer, b.layer);
  EXPECT_EQ(a.groupNo, b.groupNo);
  EXPECT_EQ(a.colour, b.colour);
  ASSERT_EQ(a.valueCount, b.valueCount);
  EXPECT_EQ(a.HasCodes(), b.HasCodes());
  for (int i = 0; i < a.valueCount; ++i) {
    EXPECT_EQ(a.Code(i), b.Code(i)) << "code " << i;
    EXPECT_EQ(std::memcmp(&a.values[i], &b.values[i], sizeof(double)), 0) << "value " << i;
  }
  EXPECT_EQ(a.text.view(), b.text.view());
  EXPECT_EQ(a.font.view(), b.font.view());
  EXPECT_EQ(a.owner != nullptr, b.owner != nullptr);
  if (a.owner && b.owner) {
    EXPECT_EQ(a.owner->groupNo, b.owner->groupNo);
  }
}

inline void ExpectSameStoredElements(const EntityList& a, const EntityList& b) {
  const auto sa = StoredElements(a);
  const auto sb = StoredElements(b);
  ASSERT_EQ(sa.size(), sb.size());
  for (std::size_t i = 0; i < sa.size(); ++i) ExpectSameElement(*sa[i], *sb[i], "element " + std::to_string(i));
}

// Random drawings holding every element kind with random values, texts, fonts and paths.
class RandomDrawing {
 public:
  explicit RandomDrawing(uint32_t seed) : rng_(seed) {}

  void Fill(EntityList& list, int elements) {
    AddFixed(list, kGrid, {10, 20, 30}, 1);
    for (int i = 0; i < elements; ++i) AddOne(list);
  }

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  // Bytes 1..255 (no NUL), as Shift-JIS texts may hold any of them.
  std::string Bytes(int length) {
    std::string s;
    for (int i = 0; i < length; ++i) s.push_back(static_cast<char>(Int(1, 255)));
    return s;
  }

 private:
  EntityAttr Attr(int16_t kind, int subKind, std::size_t n) {
    return {kind, static_cast<int16_t>(subKind), static_cast<int16_t>(Int(0, 799)), static_cast<int16_t>(Int(0, 127)),
            static_cast<int16_t>(n)};
  }
  int32_t Colour() { return static_cast<int32_t>(rng_()); }
  std::vector<double> Values(std::size_t n) {
    std::vector<double> v(n);
    for (double& x : v) x = Real(-1.0e6, 1.0e6);
    return v;
  }
  std::vector<int16_t> Codes(std::size_t n) {
    std::vector<int16_t> c(n);
    for (int16_t& x : c) x = static_cast<int16_t>(Int(-32768, 32767));
    return c;
  }

  DrawEntity* AddFixed(EntityList& list, int16_t kind, std::vector<int16_t> codes, int subKind,
                       DrawEntity* owner = nullptr, const char* text = nullptr, const char* font = nullptr) {
    std::vector<double> v = Values(codes.size());
    if (kind == kText) v[3] = Real(1.5, 100.0);  // narrower widths are read as the height
    DrawEntity* e = nullptr;
    const EntityAttr attr = Attr(kind, subKind, codes.size());
    if (owner) {
      AddChildEntity(attr, font, list, codes.data(), Colour(), v.data(), text, owner, &e);
    } else {
      AddEntity(attr, font, list, codes.data(), Colour(), v.data(), text, &e);
    }
    return e;
  }

  void AddArrays(EntityList& list, int16_t kind, std::size_t n, bool codes, int subKind = 0) {
    std::vector<double> v = Values(n);
    std::vector<int16_t> c = Codes(n);
    if (kind == kDimension && n > 0) {
      const uint64_t packed = (static_cast<uint64_t>(rng_()) << 32) | rng_();
      std::memcpy(&v[0], &packed, sizeof packed);  // any bit pattern, NaNs included
      c[0] = 30;
    }
    AddEntity(Attr(kind, subKind, n), nullptr, list, codes ? c.data() : nullptr, Colour(), v.data(), nullptr);
  }

  void AddOne(EntityList& list) {
    const std::string text = Bytes(Int(0, 9) == 0 ? Int(127, 600) : Int(1, 40));
    const std::string font = Bytes(Int(1, 95));
    switch (Int(0, 17)) {
      case 0: AddFixed(list, kPoint, {10, 20}, Int(0, 2)); break;
      case 1: AddFixed(list, kLine, {10, 20, 11, 22}, 0); break;
      case 2: AddFixed(list, static_cast<int16_t>(Int(21, 23)), {10, 20, 11, 22}, 0); break;
      case 3: AddFixed(list, kCircle, {10, 20, 40}, 0); break;
      case 4: AddFixed(list, kArc, {10, 20, 40, 50, 51}, Int(-1, 1)); break;
      case 5: AddFixed(list, kText, {10, 20, 30, 40, 50}, Int(-326, 326), nullptr, text.c_str(), font.c_str()); break;
      case 6: {
        const std::size_t n = Int(0, 1) ? 9 : 11;
        std::vector<double> v = Values(n);
        std::vector<int16_t> c = Codes(n);
        AddEntity(Attr(kLeaderText, Int(0, 3) + 10 * Int(0, 2), n), font.c_str(), list, c.data(), Colour(), v.data(),
                  text.c_str());
        break;
      }
      case 7: AddArrays(list, kBezierCurve, 2 * static_cast<std::size_t>(Int(2, 40)), true); break;
      case 8: AddArrays(list, kFreeCurve, 2 * static_cast<std::size_t>(Int(0, 9) == 0 ? 3000 : Int(1, 50)), false); break;
      case 9: AddArrays(list, kPolygon, 2 * static_cast<std::size_t>(Int(1, 50)), false); break;
      case 10: AddArrays(list, kDimension, static_cast<std::size_t>(Int(5, 40)), true, Int(0, 8)); break;
      case 11: AddArrays(list, kPaint, static_cast<std::size_t>(Int(2, 60)), true, Int(0, 20)); break;
      case 12: AddArrays(list, kHatch, static_cast<std::size_t>(Int(7, 60)), true, Int(0, 4)); break;
      case 13: {
        const std::string path = Bytes(Int(0, 3) == 0 ? Int(100, 700) : Int(1, 99));
        AddFixed(list, kImage, {10, 20, 11, 22}, 0, nullptr, path.c_str());
        break;
      }
      case 14: case 15: {
        DrawEntity* header = AddFixed(list, kGroupHeader, {10, 20, 10, 20}, 0);
        for (int m = Int(1, 3); m > 0; --m) {
          AddFixed(list, m % 2 ? kLine : kCircle, m % 2 ? std::vector<int16_t>{10, 20, 11, 22}
                                                         : std::vector<int16_t>{10, 20, 40}, 0, header);
        }
        break;
      }
      case 16: AddFixed(list, kText, {10, 20, 30, 40, 50}, 0, nullptr, text.c_str()); break;  // default font
      default: AddFixed(list, kGrid, {10, 20, 30}, Int(0, 1)); break;
    }
  }

  std::mt19937 rng_;
};

}  // namespace plenwick::testing
