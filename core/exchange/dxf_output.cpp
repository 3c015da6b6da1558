// Writing DXF group pairs and plain entities.
#include "exchange/dxf_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "exchange/dxf_names.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

}  // namespace

DxfStyle DxfStyleOf(int lineAttr) {
  return {dxf::PenLayerName(lineAttr % 100), dxf::LineTypeName(lineAttr / 100)};
}

DxfOutput::DxfOutput(const ByteSink& sink, double originX, double originY)
    : out_(sink, kChunkBytes), originX_(originX), originY_(originY) {}

void DxfOutput::Group(int code, std::string_view value) {
  // "%3d\n" then the value and its "\n", taken in one piece.
  char codeText[16];
  const auto [end, ec] = std::to_chars(codeText, codeText + sizeof codeText, code);
  const auto digits = ec == std::errc() ? static_cast<std::size_t>(end - codeText) : 0;
  const std::size_t pad = digits < 3 ? 3 - digits : 0;
  uint8_t* p = out_.Take(pad + digits + 1 + value.size() + 1);
  std::memset(p, ' ', pad);
  std::memcpy(p + pad, codeText, digits);
  p += pad + digits;
  *p++ = '\n';
  if (!value.empty()) std::memcpy(p, value.data(), value.size());
  p[value.size()] = '\n';
}

void DxfOutput::Number(int code, double value, int decimals) {
  char text[400];
  // Whole units of ordinary size: rounding to nearest, ties to even, is what "%.0f" does, and
  // integers are much quicker to format (a negative zero loses its sign).
  if (decimals == 0 && std::fabs(value) < 1e15) {
    const auto [end, ec] = std::to_chars(text, text + sizeof text, std::llrint(value));
    Group(code, std::string_view(text, static_cast<std::size_t>(end - text)));
    return;
  }
  // Fixed notation of any finite double fits: at most 309 integer digits, a sign and decimals.
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  Group(code, ec == std::errc() ? std::string_view(text, static_cast<std::size_t>(end - text)) : "0");
}

void DxfOutput::Style(const DxfStyle& style) { Group(6, style.lineType); }

void DxfOutput::Begin(std::string_view entity, const DxfStyle& style, ModelPoint at) {
  Group(0, entity);
  Group(8, style.layer);
  X(10, at.x);
  Y(20, at.y);
}

void DxfOutput::Point(ModelPoint p, const DxfStyle& style) {
  Begin("POINT", style, p);
  Style(style);
}

void DxfOutput::Line(ModelPoint a, ModelPoint b, const DxfStyle& style) {
  Begin("LINE", style, a);
  X(11, b.x);
  Y(21, b.y);
  Style(style);
}

void DxfOutput::Circle(ModelPoint centre, double radius, const DxfStyle& style) {
  Begin("CIRCLE", style, centre);
  Number(40, radius);
  Style(style);
}

void DxfOutput::Arc(ModelPoint centre, double radius, double startDeg, double endDeg, const DxfStyle& style) {
  Begin("ARC", style, centre);
  Number(40, radius);
  Number(50, startDeg, 2);
  Number(51, endDeg, 2);
  Style(style);
}

void DxfOutput::Text(ModelPoint at, double height, double angleDeg, std::string_view text, const DxfStyle& style) {
  // A line break inside the value would end it and shift every later pair.
  std::string value(text.substr(0, SjisPrefixLength(text, kMaxTextBytes)));
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  Begin("TEXT", style, at);
  Number(40, height, 2);
  Number(41, 1, 2);
  Group(1, value);
  Number(50, angleDeg);
  Group(7, "BIGFONT");
  Style(style);
}

}  // namespace plenwick
