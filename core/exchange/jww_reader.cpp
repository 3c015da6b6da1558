// Reading JWW files: the header, the object list, the block definitions (their inserts expanded
// into plain elements) and, from version 7.00, the embedded images, each to its last byte.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <unordered_map>
#include <vector>

#include "exchange/jww_exchange.h"
#include "model/entity_core.h"
#include "model/record_blocks.h"
#include "platform/file_io.h"
#include "platform/sjis.h"
#include "view/view_mapping.h"

namespace plenwick {

namespace {

// Nesting of block inserts expanded, and of lists within lists read, before the rest is refused.
constexpr int kMaxInsertNesting = 16;
constexpr int kMaxListNesting = 3;
// Longest font name a text keeps, in bytes.
constexpr std::size_t kFontBytes = 44;
// Points of a full ellipse taken as a free curve.
constexpr int kEllipseSamples = 96;
// The largest JWW file read (beyond any real drawing).
constexpr std::size_t kMaxJwwBytes = std::size_t{1} << 31;

constexpr int16_t kPointCodes[] = {10, 20};
constexpr int16_t kLineCodes[] = {10, 20, 11, 22};
constexpr int16_t kCircleCodes[] = {10, 20, 40};
constexpr int16_t kArcCodes[] = {10, 20, 40, 50, 51};
constexpr int16_t kTextCodes[] = {10, 20, 30, 40, 50};

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

enum class ClassKind { kLine, kArc, kPoint, kText, kDimension, kSolid, kInsert, kBlockList, kUnknown };

// Classes go by the first 8 characters of their names, as the format's readers have always done.
ClassKind ClassOf(std::string_view name) {
  const std::string_view prefix = name.substr(0, 8);
  if (prefix == "CDataSen") return ClassKind::kLine;
  if (prefix == "CDataEnk") return ClassKind::kArc;
  if (prefix == "CDataTen") return ClassKind::kPoint;
  if (prefix == "CDataMoj") return ClassKind::kText;
  if (prefix == "CDataSun") return ClassKind::kDimension;
  if (prefix == "CDataSol") return ClassKind::kSolid;
  if (prefix == "CDataBlo") return ClassKind::kInsert;
  if (prefix == "CDataLis") return ClassKind::kBlockList;
  return ClassKind::kUnknown;
}

// Fields every drawing record starts with.
struct Common {
  uint8_t penStyle = 0;
  uint16_t penColour = 0;
  uint16_t layer = 0;
  uint16_t group = 0;
};

// One drawing record as the file holds it (paper mm).
struct Shape {
  enum class Kind : uint8_t { kLine, kArc, kPoint, kText, kInsert } kind = Kind::kLine;
  Common common;
  // Line: x1, y1, x2, y2. Arc: centre x, y, radius, start, sweep, tilt (radians), flatness,
  // full-circle flag. Point: x, y. Text: x, y, size x, size y, angle (degrees). Insert: x, y,
  // scale x, scale y, rotation (radians).
  double v[8]{};
  uint32_t number = 0;  // the block an insert places
  std::string font, text;
};

// x' = a x + b y + e, y' = c x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  ModelPoint Apply(double x, double y) const { return {a * x + b * y + e, c * x + d * y + f}; }
  ModelPoint Linear(double x, double y) const { return {a * x + b * y, c * x + d * y}; }
  double Det() const { return a * d - b * c; }
  Affine Then(const Affine& inner) const {  // this ∘ inner
    return {a * inner.a + b * inner.c, a * inner.b + b * inner.d, c * inner.a + d * inner.c,
            c * inner.b + d * inner.d, a * inner.e + b * inner.f + e, c * inner.e + d * inner.f + f};
  }
  // Whether it keeps circles circles: a turn, a uniform scale and perhaps a mirror.
  bool Similar() const {
    const double k = std::max({std::fabs(a), std::fabs(b), std::fabs(c), std::fabs(d)});
    const double tol = 1e-9 * k;
    return (std::fabs(a - d) <= tol && std::fabs(b + c) <= tol) || (std::fabs(a + d) <= tol && std::fabs(b - c) <= tol);
  }
};

bool Finite(std::span<const double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

int LineTypeOfPenStyle(uint8_t penStyle) {
  switch (penStyle) {
    case 2: case 9: return 1;
    case 3: case 4: return 2;
    case 5: case 6: return 3;
    case 7: case 8: return 4;
    default: return 0;
  }
}

class JwwReader {
 public:
  JwwReader(JwwArchiveReader& in, const JwwContext& context, const JwwHeader& header, EntityList& list,
            JwwReadReport& report)
      : in_(in), header_(header), list_(list), report_(report) {
    scale_ = context.scale;
    pens_ = context.penColours;
    top_ = Affine{scale_, 0, 0, scale_, 0, 0};
    budget_ = std::max<int64_t>(100000, static_cast<int64_t>(in.remaining()) * 8);
  }

  // The main list, the block definitions and the images; false once reading stopped.
  bool ReadAll() {
    if (!ReadList(nullptr, 0)) return false;
    // The block definitions, which the oldest files may lack.
    if (in_.remaining() > 0 && !ReadList(nullptr, 0)) return false;
    ExpandInserts();
    if (header_.version >= 700 && !ReadImages()) return false;
    return true;
  }
  // Inserts of the main list read so far, for a file that stopped early.
  void ExpandInserts() {
    for (const Shape& insert : inserts_) Add(insert, top_, 0);
    inserts_.clear();
  }

 private:
  bool Stop(std::string message) {
    if (report_.error.empty()) report_.error = std::move(message);
    return false;
  }
  bool CutOff() { return Stop("ファイルが途中で終わっています。"); }

  // A list of objects; `into` receives the shapes of a block definition, null for the main list.
  bool ReadList(std::vector<Shape>* into, int nesting) {
    const uint32_t count = in_.Count();
    if (!in_.ok()) return CutOff();
    for (uint32_t i = 0; i < count; ++i) {
      if (!ReadObject(into, nesting)) return false;
    }
    return true;
  }

  bool ReadObject(std::vector<Shape>* into, int nesting) {
    const JwwTag tag = in_.Tag();
    if (!in_.ok()) return CutOff();
    ClassKind kind = ClassKind::kUnknown;
    switch (tag.kind) {
      case JwwTag::Kind::kNull: return Stop(std::string(kJwwNullTagMessage));
      case JwwTag::Kind::kObject: return Stop(std::string(kJwwUnknownTagMessage));
      case JwwTag::Kind::kNewClass:
        kind = ClassOf(tag.className);
        if (kind == ClassKind::kUnknown) {
          return Stop("未対応のデータ (" + PrintableName(tag.className) + ") があるため、そこから先を読み込みませんでした。");
        }
        classes_.push_back({tag.index, kind});
        break;
      case JwwTag::Kind::kClass: {
        const auto found = std::lower_bound(classes_.begin(), classes_.end(), tag.index,
                                            [](const auto& entry, uint32_t n) { return entry.first < n; });
        if (found == classes_.end() || found->first != tag.index) return Stop(std::string(kJwwUnknownTagMessage));
        kind = found->second;
        break;
      }
    }
    // The object takes its number before its contents, which may hold objects of their own.
    in_.ObjectRead();
    return ReadRecord(kind, into, nesting);
  }

  Common ReadCommon() {
    Common c;
    in_.U32();  // curve group
    c.penStyle = in_.U8();
    c.penColour = in_.U16();
    if (header_.version > 350) in_.U16();  // pen width
    c.layer = in_.U16();
    c.group = in_.U16();
    in_.U16();  // flags
    return c;
  }

  void ReadDoubles(double* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = in_.F64();
  }

  Shape ReadLine() {
    Shape s;
    s.kind = Shape::Kind::kLine;
    s.common = ReadCommon();
    ReadDoubles(s.v, 4);
    return s;
  }
  Shape ReadPoint() {
    Shape s;
    s.kind = Shape::Kind::kPoint;
    s.common = ReadCommon();
    ReadDoubles(s.v, 2);
    in_.U32();  // temporary point
    if (s.common.penStyle == 100) {  // a marker: code, angle, magnification
      in_.U32();
      in_.F64();
      in_.F64();
    }
    return s;
  }
  Shape ReadText() {
    Shape s;
    s.kind = Shape::Kind::kText;
    s.common = ReadCommon();
    s.v[0] = in_.F64();
    s.v[1] = in_.F64();
    in_.F64();  // end point
    in_.F64();
    in_.U32();  // text kind
    s.v[2] = in_.F64();
    s.v[3] = in_.F64();
    in_.F64();  // spacing
    s.v[4] = in_.F64();
    in_.String(&s.font);
    in_.String(&s.text);
    return s;
  }

  bool ReadRecord(ClassKind kind, std::vector<Shape>* into, int nesting) {
    // Reused from record to record: a million records cost no allocation each. A block list read
    // within returns before its own shapes would be used.
    std::vector<Shape>& shapes = pending_;
    shapes.clear();
    switch (kind) {
      case ClassKind::kLine: shapes.push_back(ReadLine()); break;
      case ClassKind::kArc: {
        Shape s;
        s.kind = Shape::Kind::kArc;
        s.common = ReadCommon();
        ReadDoubles(s.v, 7);
        s.v[7] = in_.U32();
        shapes.push_back(std::move(s));
        break;
      }
      case ClassKind::kPoint: shapes.push_back(ReadPoint()); break;
      case ClassKind::kText: shapes.push_back(ReadText()); break;
      case ClassKind::kDimension: {
        const Common dimension = ReadCommon();
        Shape line = ReadLine();
        Shape text = ReadText();
        line.common.layer = text.common.layer = dimension.layer;
        line.common.group = text.common.group = dimension.group;
        shapes.push_back(std::move(line));
        shapes.push_back(std::move(text));
        if (header_.version >= 420) {
          const bool extensionLines = in_.U16() != 0;
          for (int i = 0; i < 2; ++i) {
            Shape extension = ReadLine();
            extension.common.layer = dimension.layer;
            extension.common.group = dimension.group;
            if (extensionLines) shapes.push_back(std::move(extension));
          }
          for (int i = 0; i < 4; ++i) ReadPoint();
        }
        ++report_.dimensions;
        break;
      }
      case ClassKind::kSolid: {
        const Common c = ReadCommon();
        for (int i = 0; i < 8; ++i) in_.F64();
        if (c.penColour == 10) in_.U32();  // its own RGB colour
        ++report_.solids;
        break;
      }
      case ClassKind::kInsert: {
        Shape s;
        s.kind = Shape::Kind::kInsert;
        s.common = ReadCommon();
        ReadDoubles(s.v, 5);
        s.number = in_.U32();
        shapes.push_back(std::move(s));
        break;
      }
      case ClassKind::kBlockList: {
        ReadCommon();
        const uint32_t number = in_.U32();
        in_.U32();  // referred to
        in_.U32();  // time
        if (!in_.SkipString()) return CutOff();
        if (nesting >= kMaxListNesting) return Stop(std::string(kJwwUnknownTagMessage));
        std::vector<Shape> definition;
        if (!ReadList(&definition, nesting + 1)) return false;
        blocks_[number] = std::move(definition);
        return true;
      }
      case ClassKind::kUnknown: return Stop(std::string(kJwwUnknownTagMessage));
    }
    if (!in_.ok()) return CutOff();
    for (Shape& s : shapes) {
      if (into) {
        into->push_back(std::move(s));
      } else if (s.kind == Shape::Kind::kInsert) {
        inserts_.push_back(std::move(s));
      } else {
        Add(s, top_, 0);
      }
    }
    return true;
  }

  bool ReadImages() {
    const uint32_t count = in_.U32();
    if (!in_.ok()) return CutOff();
    for (uint32_t i = 0; i < count; ++i) {
      if (!in_.SkipString()) return CutOff();
      const uint32_t size = in_.U32();
      if (!in_.ok() || size > in_.remaining()) return CutOff();
      in_.Skip(size);
      ++report_.images;
    }
    return true;
  }

  // Element attributes of a record: line type, layer (group × 16 + layer) and colour.
  struct Attributes {
    int16_t lineAttr = 0;
    int16_t layer = 0;
    int32_t colour = 0;
  };
  Attributes AttributesOf(const Common& c) {
    Attributes a;
    a.lineAttr = static_cast<int16_t>(LineTypeOfPenStyle(c.penStyle) * 100);
    const int group = c.group % kJwwGroups;
    if (group >= 8) ++report_.foldedLayers;
    a.layer = static_cast<int16_t>((group % 8) * kJwwLayersPerGroup + c.layer % kJwwLayersPerGroup);
    uint32_t rgb = pens_[1];
    if (c.penColour < kJwwPens) {
      rgb = pens_[c.penColour];
    } else if (const int extended = c.penColour - kJwwFirstExtendedColour;
               extended >= 0 && extended < static_cast<int>(header_.extendedColours.size())) {
      rgb = header_.extendedColours[static_cast<std::size_t>(extended)];
    }
    a.colour = static_cast<int32_t>(rgb & 0xFFFFFF);
    return a;
  }

  void AddElement(int16_t kind, int16_t subKind, const Attributes& a, const int16_t* codes, std::span<const double> values,
                  const char* font = nullptr, const char* text = nullptr) {
    bool usable = Finite(values) && values.size() >= 2 && InCoordinateRange(values[0]) && InCoordinateRange(values[1]);
    if (kind == kLine) usable = usable && AllInCoordinateRange(values);
    const EntityAttr attr{kind, subKind, a.lineAttr, a.layer, static_cast<int16_t>(values.size())};
    if (usable && AddEntity(attr, font, list_, codes, a.colour, values.data(), text) == 0) {
      ++report_.added;
    } else {
      ++report_.skipped;
    }
  }

  void Add(const Shape& s, const Affine& t, int nesting) {
    if (report_.added + report_.skipped >= budget_) {
      if (s.kind == Shape::Kind::kInsert) ++report_.insertsDropped;
      return;
    }
    const Attributes a = AttributesOf(s.common);
    switch (s.kind) {
      case Shape::Kind::kLine: {
        const ModelPoint p = t.Apply(s.v[0], s.v[1]);
        const ModelPoint q = t.Apply(s.v[2], s.v[3]);
        const double values[] = {p.x, p.y, q.x, q.y};
        AddElement(kLine, 0, a, kLineCodes, values);
        break;
      }
      case Shape::Kind::kPoint: {
        const ModelPoint p = t.Apply(s.v[0], s.v[1]);
        const double values[] = {p.x, p.y};
        AddElement(kPoint, 0, a, kPointCodes, values);
        break;
      }
      case Shape::Kind::kArc: AddArc(s, t, a); break;
      case Shape::Kind::kText: AddText(s, t, a); break;
      case Shape::Kind::kInsert: Expand(s, t, nesting); break;
    }
  }

  void AddArc(const Shape& s, const Affine& t, const Attributes& a) {
    const double cx = s.v[0], cy = s.v[1], r = s.v[2], start = s.v[3], sweep = s.v[4], tilt = s.v[5], flat = s.v[6];
    const bool full = s.v[7] == 1;
    if (!Finite(std::span<const double>(s.v, 7)) || !(r > 0)) {
      ++report_.skipped;
      return;
    }
    if (std::fabs(flat - 1) < 1e-9 && t.Similar()) {
      const ModelPoint c = t.Apply(cx, cy);
      const double radius = r * std::sqrt(std::fabs(t.Det()));
      if (full) {
        const double values[] = {c.x, c.y, radius};
        AddElement(kCircle, 1, a, kCircleCodes, values);
        return;
      }
      const double turn = std::atan2(t.c, t.a);
      double from = start + tilt;
      double span = sweep;
      if (t.Det() < 0) {  // a mirror runs the arc the other way round
        from = -(from + sweep);
        span = sweep;
      }
      const double startDeg = (from + turn) * kDegreesPerRadian;
      const double endDeg = startDeg + span * kDegreesPerRadian;
      const double values[] = {c.x, c.y, radius, startDeg, endDeg};
      AddElement(kArc, static_cast<int16_t>(startDeg > endDeg ? -1 : 1), a, kArcCodes, values);
      return;
    }
    // An ellipse, or a circle stretched by an insert: a free curve on the true ellipse.
    if (!(flat > 0)) {
      ++report_.skipped;
      return;
    }
    const double from = full ? 0 : start;
    // More than a turn draws nothing more.
    const double span = full ? 2 * std::numbers::pi : std::clamp(sweep, -2 * std::numbers::pi, 2 * std::numbers::pi);
    const int pieces = std::max(4, static_cast<int>(std::ceil(std::fabs(span) / (2 * std::numbers::pi) * kEllipseSamples)));
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(2 * (pieces + 1)));
    const double ct = std::cos(tilt), st = std::sin(tilt);
    for (int i = 0; i <= pieces; ++i) {
      const double u = from + span * i / pieces;
      const double ex = r * std::cos(u), ey = r * flat * std::sin(u);
      const ModelPoint p = t.Apply(cx + ex * ct - ey * st, cy + ex * st + ey * ct);
      values.push_back(p.x);
      values.push_back(p.y);
    }
    AddElement(kFreeCurve, 0, a, nullptr, values);
  }

  void AddText(const Shape& s, const Affine& t, const Attributes& a) {
    // Images placed by a text of their own: the image is not taken over.
    if (s.text.starts_with("^@BM")) {
      ++report_.images;
      return;
    }
    const double angle = s.v[4] / kDegreesPerRadian;
    const ModelPoint p = t.Apply(s.v[0], s.v[1]);
    const ModelPoint along = t.Linear(std::cos(angle), std::sin(angle));
    const ModelPoint across = t.Linear(-std::sin(angle), std::cos(angle));
    const double width = s.v[2] * std::hypot(along.x, along.y);
    const double height = s.v[3] * std::hypot(across.x, across.y);
    const double values[] = {p.x, p.y, height, width, std::atan2(along.y, along.x) * kDegreesPerRadian};
    const std::string font = s.font.substr(0, SjisPrefixLength(s.font, kFontBytes));
    AddElement(kText, 0, a, kTextCodes, values, font.empty() ? nullptr : font.c_str(), s.text.c_str());
  }

  void Expand(const Shape& insert, const Affine& t, int nesting) {
    const auto block = blocks_.find(insert.number);
    if (block == blocks_.end() || nesting >= kMaxInsertNesting || !Finite(std::span<const double>(insert.v, 5)) ||
        std::find(expanding_.begin(), expanding_.end(), insert.number) != expanding_.end()) {
      ++report_.insertsDropped;
      return;
    }
    const double c = std::cos(insert.v[4]), s = std::sin(insert.v[4]);
    const double sx = insert.v[2], sy = insert.v[3];
    const Affine place{c * sx, -s * sy, s * sx, c * sy, insert.v[0], insert.v[1]};
    const Affine inner = t.Then(place);
    ++report_.inserts;
    expanding_.push_back(insert.number);
    for (const Shape& shape : block->second) Add(shape, inner, nesting + 1);
    expanding_.pop_back();
  }

  static std::string PrintableName(std::string_view name) {
    std::string out;
    for (const char ch : name.substr(0, 40)) out.push_back(ch >= 0x20 && ch < 0x7F ? ch : '?');
    return out;
  }

  JwwArchiveReader& in_;
  const JwwHeader& header_;
  EntityList& list_;
  JwwReadReport& report_;
  double scale_ = 1;
  std::array<uint32_t, kJwwPens> pens_{};
  Affine top_;
  int64_t budget_ = 0;
  std::vector<std::pair<uint32_t, ClassKind>> classes_;
  std::vector<Shape> inserts_;
  std::vector<Shape> pending_;
  std::unordered_map<uint32_t, std::vector<Shape>> blocks_;
  std::vector<uint32_t> expanding_;
};

}  // namespace

JwwPaper JwwPaperOf(int32_t code) {
  switch (code) {
    case 0: return {1189, 840};
    case 1: return {841, 594};
    case 2: return {594, 420};
    case 3: return {420, 297};
    case 4: return {297, 210};
    // 2A..5A: the A0 sheet doubled in area each step.
    case 8: return {1682, 1189};
    case 9: return {2378, 1682};
    case 10: return {3364, 2378};
    case 11: return {4756, 3364};
    case 12: return {10000, 10000};
    case 13: return {50000, 50000};
    case 14: return {100000, 100000};
    default: return {420, 297};
  }
}

bool HasJwwMagic(std::span<const uint8_t> bytes) {
  return bytes.size() >= 8 && std::memcmp(bytes.data(), "JwwData.", 8) == 0;
}

bool IsJwwFile(const std::string& path) {
  FileReader file;
  uint8_t magic[8];
  return file.Open(path) && file.size() >= 8 && file.ReadAt(0, magic, 8) && HasJwwMagic(magic);
}

int ReadJwwHeader(JwwArchiveReader& in, JwwContext& context, JwwHeader& header) {
  const std::span<const uint8_t> magic = in.Bytes(8);
  if (!in.ok() || !HasJwwMagic(magic)) return 1;
  header.version = in.U32();
  context.version = static_cast<int32_t>(std::min<uint32_t>(header.version, INT32_MAX));
  if (!in.ok()) return 1;
  // Versions 0 and 1 would read as the other answers: they are not JWW files this reads either.
  if (header.version < kJwwOldestVersion) return static_cast<int>(std::max<uint32_t>(header.version, 2));
  if (!ReadJwwHeaderFields(in, header)) return 1;
  context.paper = static_cast<int32_t>(std::min<uint32_t>(header.paper, INT32_MAX));
  const double scale = header.groups[0].scale;
  // A scale the drawing cannot use reads as 1:1 rather than as infinities.
  context.scale = std::isfinite(scale) && scale >= 0.0001 && scale <= 1e7 ? static_cast<float>(scale) : 1.0f;
  context.penColours = header.penColours;
  const JwwPaper paper = JwwPaperOf(context.paper);
  context.areaMin = {0, 0, 0};
  context.areaMax = {context.scale * paper.width, context.scale * paper.height, 6400};
  return 0;
}

int ReadJwwBytes(JwwContext& context, std::span<const uint8_t> bytes, EntityList& list, JwwReadReport& report) {
  JwwArchiveReader in(bytes);
  JwwHeader header;
  const int headerResult = ReadJwwHeader(in, context, header);
  if (headerResult != 0) {
    if (headerResult == 1) {
      report.error = HasJwwMagic(bytes) ? "JWW ファイルのヘッダーが途中で終わっています。" : "JWW ファイルではありません。";
    } else if (headerResult >= 11) {
      report.error = std::string(kJwwOldVersionMessage);
    } else {
      report.error = "JWW ファイルの版 " + std::to_string(context.version) + " は読めません。";
    }
    return 1;
  }
  const RecordBlockScope blocks;
  JwwReader reader(in, context, header, list, report);
  if (!reader.ReadAll()) reader.ExpandInserts();
  report.badUtf16 = in.badUtf16();
  report.bytesRead = in.pos();
  return 0;
}

int ReadJww(JwwContext& context, const std::string& path, EntityList& list, JwwReadReport& report) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kMaxJwwBytes)) {
    report.error = std::string(kJwwOpenErrorMessage) + "\n" + error;
    return 1;
  }
  return ReadJwwBytes(context, bytes, list, report);
}

}  // namespace plenwick
