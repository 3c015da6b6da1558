// Reading JWC files: a fixed header of text, number lists and tables, then the element records
// (lines, arcs, texts, the texts' strings, points). Coordinates are single floats in file units,
// turned into model mm by the header's scale and paper width.
#include "exchange/jwc_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

#include "exchange/imported_path.h"
#include "model/entity_core.h"
#include "platform/byte_io.h"
#include "platform/file_io.h"
#include "view/paper.h"

namespace plenwick {

namespace {

// What the user is told when the file stops early, block by block.
constexpr std::string_view kTextAreaMessage = "ERROR:1002 JWC_HEADER#1 CAN'T RAED";
constexpr std::string_view kHeaderListsMessage = "*ERROR:Read!";
constexpr std::string_view kLinesMessage = "ERROR:READ 線要素の読み込み";
constexpr std::string_view kArcsMessage = "ERROR:READ 円弧要素の読み込み";
constexpr std::string_view kTextsMessage = "ERROR:READ 文字要素の読み込み";
constexpr std::string_view kPointsMessage = "ERROR:READ 実点要素の読み込み";
// Headers this reader refuses rather than turn into a drawing of nonsense.
constexpr std::string_view kBadUnitMessage =
    "JWCファイルの縮尺または用紙幅が正しくありません。座標を図面の寸法に換算できないため読み込めません。";
constexpr std::string_view kBadPaperMessage = "JWCファイルの用紙の番号が 0 から 9 の範囲にないため読み込めません。";
constexpr std::string_view kUnendedStringMessage =
    "JWCファイルの文字列が 256 バイト以内で終わっていないため、以降を読み込めません。";

constexpr std::size_t kTextAreaSize = 200;
constexpr std::string_view kExtendedMark = "a.f.m";
// Header list 1, header list 2 (not used) and a block that is not used either.
constexpr std::size_t kHeaderListSize = 200;
constexpr std::size_t kHeaderListsSize = 3 * kHeaderListSize;
constexpr std::size_t kHeaderNumbers = 32;
constexpr std::size_t kPieceChars = 11;
// Header list 1 fields.
constexpr std::size_t kLineCountField = 0, kArcCountField = 1, kTextCountField = 2, kPointCountField = 3,
                      kScaleField = 9, kPaperField = 11, kPaperWidthField = 30;

// The blocks between the header lists and the elements; only the text heights are used.
struct Block {
  std::size_t size;  // bytes in the extended variant
  std::size_t plainSize;
  std::string_view message;
};
constexpr Block kBlocks[] = {
    {404, 404, "ERROR:READ (01) 仮点のＸ座標"},
    {404, 404, "ERROR:READ (02) 仮点のＹ座標"},
    {101, 101, "ERROR:READ (03) 仮点のレイヤ"},
    {22, 22, "ERROR:READ (04) 文字のペン番号"},
    {22, 22, "ERROR:READ (05) 文字の幅"},
    {22, 22, "ERROR:READ (06) 文字の高さ"},
    {22, 22, "ERROR:READ (07) 文字の間隔"},
    {64, 32, "ERROR:READ (08) レイヤグループのスケール"},
    {16, 16, "ERROR:READ (09) サーチレイヤーグループ"},
    {256, 256, "ERROR:READ (09) サーチレイヤ"},
    {16, 16, "ERROR:READ  (11) 表示レイヤグループ"},
    {256, 256, "ERROR:READ  (12) 表示レイヤ"},
    {16, 16, "ERROR:READ  // (13) 表示レイヤ"},
};
constexpr std::size_t kTextHeightBlock = 5;  // 11 int16 in tenths of a file unit
constexpr std::size_t kTextSizes = 11;

constexpr std::size_t kLineRecord = 22, kArcRecord = 32, kTextRecord = 24, kPointRecord = 12;
constexpr std::size_t kLongestString = 256;  // with its NUL

// Paper widths by paper number, in paper mm; 5 to 9 are given in a unit of their own.
constexpr double kPaperWidths[] = {1189, 841, 594, 420, 297, 10000, 10000, 10000, 10000, 10000};
constexpr int kA3 = 3;
constexpr int kLastTablePaper = 4;  // A4: later numbers are drawn on A3
constexpr double kAreaHeight = 6400;
constexpr int kLineTypes[] = {0, 0, 1, 2, 2, 3, 3, 4, 4, 1};
constexpr int32_t kPaletteColour = 0x01000000;
constexpr int32_t kPalette[] = {0, 11, 0, 14, 11, 17, 16, 13, 15, 14, 18, 0, 0};
constexpr int kLastLayer = 9;
// Arc angle values of 361 and more are degrees in 16.16 fixed point.
constexpr uint32_t kWholeDegreesBelow = 361;
constexpr double kFixedPointOne = 65536;

constexpr int16_t kPointCodes[] = {10, 20};
constexpr int16_t kLineCodes[] = {10, 20, 11, 22};
constexpr int16_t kCircleCodes[] = {10, 20, 40};
constexpr int16_t kArcCodes[] = {10, 20, 40, 50, 51};
constexpr int16_t kTextCodes[] = {10, 20, 30, 40, 50};

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One piece of a header list as a C library "%f" reads it, independent of the locale; 0 when
// it starts with no number.
float PieceNumber(std::string_view piece) {
  std::size_t i = 0;
  while (i < piece.size() && IsSpace(piece[i])) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) return 0;
  double value = 0;
  const char* first = piece.data() + i;
  const char* last = piece.data() + piece.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::invalid_argument) return 0;
  if (ec == std::errc::result_out_of_range) {
    const char* e = std::find_if(first, end, [](char c) { return c == 'e' || c == 'E'; });
    value = e + 1 < end && e[1] == '-' ? 0.0 : std::numeric_limits<double>::infinity();
  }
  if (negative) value = -value;
  // Beyond the range of a float "%f" gives infinity.
  if (std::fabs(value) > std::numeric_limits<float>::max()) return value < 0 ? -HUGE_VALF : HUGE_VALF;
  return static_cast<float>(value);
}

// A count of records: a fraction is cut off, a negative count or one that is no number reads
// nothing. Larger counts than the file holds stop at its end.
int64_t RecordCount(float value) {
  if (!(value >= 1)) return 0;
  return value < 0x1p62f ? static_cast<int64_t>(value) : int64_t{1} << 62;
}

struct Header {
  bool extended = false;
  int64_t lines = 0, arcs = 0, texts = 0, points = 0;
  double unit = 0;  // model mm per file unit
  std::array<double, kTextSizes> textHeights{};  // file units
};

// Builds elements and counts what is left out.
class ElementSink {
 public:
  ElementSink(EntityList& list, JwcReadResult& result) : list_(list), result_(result) {}

  // Adds the element when its values are usable: finite, its first point within the coordinate
  // range (every value for a line), a positive radius for a circle or an arc.
  void Add(int16_t kind, int16_t subKind, int lineType, int layer, int32_t colour, std::span<const int16_t> codes,
           std::span<const double> values, const char* text = nullptr) {
    bool usable = InCoordinateRange(values[0]) && InCoordinateRange(values[1]) &&
                  std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    if (kind == kLine) usable = usable && AllInCoordinateRange(values);
    if (kind == kCircle || kind == kArc) usable = usable && values[2] > 0 && InCoordinateRange(values[2]);
    const EntityAttr attr{kind, subKind, static_cast<int16_t>(lineType * 100), static_cast<int16_t>(layer),
                          static_cast<int16_t>(values.size())};
    // A text without a font gets the default face, "ＭＳゴシック".
    if (usable && AddEntity(attr, nullptr, list_, codes.data(), colour, values.data(), text) == 0) {
      ++result_.added;
    } else {
      ++result_.skipped;
    }
  }

 private:
  EntityList& list_;
  JwcReadResult& result_;
};

int LineType(uint8_t index) { return index < std::size(kLineTypes) ? kLineTypes[index] : kLineTypes[0]; }
int32_t Colour(uint8_t index) { return kPaletteColour + (index < std::size(kPalette) ? kPalette[index] : kPalette[0]); }
int Layer(uint8_t layer) { return layer <= kLastLayer ? layer : kLastLayer; }

// An arc angle value in degrees: whole degrees below 361, else 16.16 fixed point.
double ArcAngle(uint32_t raw, uint32_t offset) {
  const double angle = raw < kWholeDegreesBelow ? raw : raw / kFixedPointOne;
  return angle + offset / kFixedPointOne;
}

int Fail(JwcReadResult& result, std::string_view message) {
  result.error = message;
  return 1;
}

// The header up to the elements. Returns 0, or 1 with result.error set.
int ReadHeader(ByteReader& in, Header& header, JwcReadResult& result) {
  const auto textArea = in.Bytes(kTextAreaSize);
  if (!in.ok()) return Fail(result, kTextAreaMessage);
  const std::string_view text(reinterpret_cast<const char*>(textArea.data()), textArea.size());
  header.extended = text.find(kExtendedMark) != std::string_view::npos;

  const auto lists = in.Bytes(kHeaderListsSize);
  if (!in.ok()) return Fail(result, kHeaderListsMessage);
  const auto list1 = lists.first(kHeaderListSize);
  std::vector<float> numbers =
      JwcHeaderNumbers(std::string_view(reinterpret_cast<const char*>(list1.data()), list1.size()), kHeaderNumbers);
  numbers.resize(kHeaderNumbers, 0.0f);
  header.lines = RecordCount(numbers[kLineCountField]);
  header.arcs = RecordCount(numbers[kArcCountField]);
  header.texts = RecordCount(numbers[kTextCountField]);
  header.points = RecordCount(numbers[kPointCountField]);
  const double scale = numbers[kScaleField], paper = numbers[kPaperField], width = numbers[kPaperWidthField];
  // The paper number is cut to a whole number; the format has ten.
  if (!(paper > -1 && paper < static_cast<double>(std::size(kPaperWidths)))) return Fail(result, kBadPaperMessage);
  const int paperNumber = static_cast<int>(paper);
  // A scale or width of 0 or below would collapse or mirror the drawing.
  const bool usable = scale > 0 && std::isfinite(scale) && width > 0 && std::isfinite(width);
  header.unit = usable ? scale * kPaperWidths[paperNumber] / width : 0;
  if (!(header.unit > 0) || !std::isfinite(header.unit)) return Fail(result, kBadUnitMessage);
  const int sheetIndex = paperNumber <= kLastTablePaper ? paperNumber : kA3;
  const PaperSize sheet = PaperFromTable(sheetIndex, 0);
  result.placed = true;
  result.scale = static_cast<float>(scale);
  result.paperSize = static_cast<int16_t>(sheetIndex);
  result.areaMin = {0, 0, 0};
  result.areaMax = {sheet.width * scale, sheet.height * scale, kAreaHeight};

  for (std::size_t b = 0; b < std::size(kBlocks); ++b) {
    const auto bytes = in.Bytes(header.extended ? kBlocks[b].size : kBlocks[b].plainSize);
    if (!in.ok()) return Fail(result, kBlocks[b].message);
    if (b == kTextHeightBlock) {
      for (std::size_t i = 0; i < kTextSizes; ++i) header.textHeights[i] = GetI16(&bytes[2 * i]) * 0.1;
    }
  }
  return 0;
}

float F32At(std::span<const uint8_t> record, std::size_t at) { return GetF32(&record[at]); }
uint32_t U32At(std::span<const uint8_t> record, std::size_t at) { return static_cast<uint32_t>(GetI32(&record[at])); }

int ReadElements(ByteReader& in, const Header& header, ElementSink& sink, JwcReadResult& result) {
  const double k = header.unit;
  for (int64_t i = 0; i < header.lines; ++i) {
    const auto r = in.Bytes(kLineRecord);
    if (!in.ok()) return Fail(result, kLinesMessage);
    const double values[] = {F32At(r, 0) * k, F32At(r, 4) * k, F32At(r, 8) * k, F32At(r, 12) * k};
    sink.Add(kLine, 0, LineType(r[16]), Layer(r[18]), Colour(r[17]), kLineCodes, values);
  }
  for (int64_t i = 0; i < header.arcs; ++i) {
    const auto r = in.Bytes(kArcRecord);
    if (!in.ok()) return Fail(result, kArcsMessage);
    const double x = F32At(r, 0) * k, y = F32At(r, 4) * k, radius = F32At(r, 8) * k;
    const uint32_t start = U32At(r, 14), end = U32At(r, 18), offset = U32At(r, 22);
    if (start == 0 && end == 0) {
      const double values[] = {x, y, radius};
      sink.Add(kCircle, 1, LineType(r[26]), Layer(r[30]), Colour(r[27]), kCircleCodes, values);
    } else {
      const double values[] = {x, y, radius, ArcAngle(start, offset), ArcAngle(end, offset)};
      sink.Add(kArc, 1, LineType(r[26]), Layer(r[30]), Colour(r[27]), kArcCodes, values);
    }
  }
  // The strings follow the last text record: a text is added once its string is read, its
  // record read again from where the records lie.
  ByteReader records = in;
  if (static_cast<uint64_t>(header.texts) > in.remaining() / kTextRecord) return Fail(result, kTextsMessage);
  in.Seek(in.pos() + static_cast<std::size_t>(header.texts) * kTextRecord);
  for (int64_t i = 0; i < header.texts; ++i) {
    const auto r = records.Bytes(kTextRecord);
    if (!records.ok()) return Fail(result, kTextsMessage);  // not reached: counted above
    const double x1 = F32At(r, 0), y1 = F32At(r, 4), x2 = F32At(r, 8), y2 = F32At(r, 12);
    const uint8_t size = r[20] < kTextSizes ? r[20] : 0;
    const double x = x1 * k, y = y1 * k, height = header.textHeights[size] * k;
    const double angle = std::atan2(y2 - y1, x2 - x1) * 180 / std::numbers::pi;
    const std::size_t window = std::min(kLongestString, in.remaining());
    const auto rest = in.Bytes(window);
    const auto nul = std::find(rest.begin(), rest.end(), uint8_t{0});
    if (nul == rest.end()) return Fail(result, window < kLongestString ? kTextsMessage : kUnendedStringMessage);
    const std::string text(rest.begin(), nul);
    in.Seek(in.pos() - window + text.size() + 1);
    // The file has no width: the height stands for it, as a drawing file read back makes of a
    // width too small to be meant, and picking and window selection measure the text by it.
    const double values[] = {x, y, height, height, angle};
    sink.Add(kText, 0, 0, Layer(r[21]), 0, kTextCodes, values, text.c_str());
  }
  for (int64_t i = 0; i < header.points; ++i) {
    const auto r = in.Bytes(kPointRecord);
    if (!in.ok()) return Fail(result, kPointsMessage);
    const double values[] = {F32At(r, 0) * k, F32At(r, 4) * k};
    sink.Add(kPoint, 0, 0, Layer(r[8]), Colour(r[9]), kPointCodes, values);
  }
  return 0;
}

}  // namespace

std::vector<float> JwcHeaderNumbers(std::string_view list, std::size_t maxCount) {
  std::vector<float> numbers;
  const std::size_t end = std::min(list.find('\0'), list.size());
  std::size_t start = 0;
  while (numbers.size() < maxCount) {
    const std::size_t comma = list.find(',', start);
    if (comma == std::string_view::npos || comma >= end) break;
    numbers.push_back(PieceNumber(list.substr(start, std::min(comma - start, kPieceChars))));
    start = comma + 1;
  }
  return numbers;
}

bool IsJwcPath(const std::string& path) { return HasFileExtension(path, ".jwc"); }

int ReadJwcBytes(std::span<const uint8_t> bytes, JwcReadResult& result, EntityList& list) {
  result.fileOpened = true;
  ByteReader in(bytes);
  Header header;
  if (ReadHeader(in, header, result) != 0) return 1;
  ElementSink sink(list, result);
  return ReadElements(in, header, sink, result);
}

int ReadJwcFile(const std::string& path, JwcReadResult& result, EntityList& list) {
  // Far more than a drawing of the DOS program can hold; a bound on what is taken into memory.
  constexpr std::size_t kLargestFile = std::size_t{256} << 20;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kLargestFile)) {
    result.fileOpened = false;
    result.error = error;
    return 1;
  }
  return ReadJwcBytes(bytes, result, list);
}

}  // namespace plenwick
