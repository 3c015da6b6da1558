// The drawing as one JSON object and back.
#include "json_drawing.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/document_defaults.h"
#include "model/entity_core.h"
#include "model/parameter_block.h"
#include "platform/sjis.h"

namespace plenwick::cli {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

std::string Hex(const uint8_t* p, std::size_t n) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

bool FromHex(const std::string& s, std::vector<uint8_t>& out) {
  if (s.size() % 2) return false;
  out.clear();
  for (std::size_t i = 0; i < s.size(); i += 2) {
    auto nibble = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    const int hi = nibble(s[i]);
    const int lo = nibble(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

// Puts a Shift-JIS string under `key`, with `key`+"Bytes" as hex when UTF-8 cannot carry it back.
void PutText(ordered_json& j, const char* key, std::string_view sjis) {
  const std::string utf8 = SjisToUtf8(sjis);
  j[key] = utf8;
  if (Utf8ToSjis(utf8) != sjis) {
    j[std::string(key) + "Bytes"] = Hex(reinterpret_cast<const uint8_t*>(sjis.data()), sjis.size());
  }
}

std::string GetText(const json& j, const char* key) {
  const std::string bytesKey = std::string(key) + "Bytes";
  if (j.contains(bytesKey) && j[bytesKey].is_string()) {
    std::vector<uint8_t> bytes;
    if (FromHex(j[bytesKey].get<std::string>(), bytes)) return std::string(bytes.begin(), bytes.end());
  }
  if (j.contains(key) && j[key].is_string()) return Utf8ToSjis(j[key].get<std::string>());
  return {};
}

ordered_json Value(double v) {
  if (std::isfinite(v)) return v;
  uint8_t bytes[8];
  std::memcpy(bytes, &v, 8);  // little-endian machine: memory order is file order
  return Hex(bytes, 8);
}

bool ParseValue(const json& j, double& v) {
  if (j.is_number()) {
    v = j.get<double>();
    return true;
  }
  if (j.is_string()) {
    std::vector<uint8_t> bytes;
    if (!FromHex(j.get<std::string>(), bytes) || bytes.size() != 8) return false;
    std::memcpy(&v, bytes.data(), 8);
    return true;
  }
  return false;
}

ordered_json Box(const std::array<double, 3>& b) { return ordered_json::array({Value(b[0]), Value(b[1]), Value(b[2])}); }

bool ParseBox(const json& j, std::array<double, 3>& b) {
  if (!j.is_array() || j.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!ParseValue(j[i], b[i])) return false;
  }
  return true;
}

template <typename T>
T GetInt(const json& j, const char* key, T fallback = 0) {
  if (!j.contains(key) || !j[key].is_number_integer()) return fallback;
  return static_cast<T>(j[key].get<long long>());
}

}  // namespace

ordered_json DrawingToJson(const DrawingFileInfo& info, const EntityList& list) {
  ordered_json root;
  const DrawingHeader& h = info.header;
  ordered_json header;
  PutText(header, "drawingName", h.drawingName());
  PutText(header, "author", h.author());
  PutText(header, "updater", h.updater());
  PutText(header, "password", h.password());
  header["protection"] = h.protection();
  header["paperMode"] = h.paperMode();
  header["formatVersion"] = h.formatVersion();
  header["paperSize"] = h.paperSize();
  header["orientation"] = h.orientation();
  header["printType"] = h.printType();
  header["currentLayer"] = h.currentLayer();
  header["creationDate"] = h.creationDate();
  header["updateDate"] = h.updateDate();
  header["scale"] = Value(h.scale());
  root["header"] = header;

  ordered_json block;
  block["areaMin"] = Box(info.areaMin);
  block["areaMax"] = Box(info.areaMax);
  block["extentMin"] = Box(info.extentMin);
  block["extentMax"] = Box(info.extentMax);
  ordered_json colours = ordered_json::array();
  for (int i = 0; i < DrawingValues::kColourCount; ++i) colours.push_back(info.drawingValues.displayColour(i));
  block["displayColours"] = colours;
  root["block"] = block;

  ordered_json layers = ordered_json::array();
  for (int i = 0; i < info.layers.layerCount && i < LayerTable::kLayers; ++i) {
    ordered_json layer;
    PutText(layer, "name", info.layers.name(i));
    layer["state"] = info.layers.states[static_cast<std::size_t>(i)];
    layers.push_back(layer);
  }
  root["layers"] = layers;

  ordered_json entities = ordered_json::array();
  for (const DrawEntity& e : list) {
    if (e.owner && e.owner->kind == kDimension) continue;  // generated parts are not stored
    ordered_json j;
    j["kind"] = e.kind;
    j["subKind"] = e.subKind;
    j["lineAttr"] = e.lineAttr;
    j["layer"] = e.layer;
    j["colour"] = e.colour;
    j["groupNo"] = e.groupNo;
    if (e.codes) {
      ordered_json codes = ordered_json::array();
      for (int i = 0; i < e.valueCount; ++i) codes.push_back(e.codes[i]);
      j["codes"] = codes;
    }
    ordered_json values = ordered_json::array();
    for (int i = 0; i < e.valueCount; ++i) values.push_back(Value(e.values[i]));
    j["values"] = values;
    if (!e.text.IsNull()) PutText(j, "text", e.text.view());
    if (!e.font.IsNull()) PutText(j, "font", e.font.view());
    entities.push_back(j);
  }
  root["entities"] = entities;
  return root;
}

bool DrawingFromJson(const json& root, DrawingFileInfo& info, EntityList& list, std::string* error, int* refused) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (!root.is_object() || !root.contains("entities") || !root["entities"].is_array()) {
    return fail("not a drawing: an object with an \"entities\" array is expected");
  }
  DrawingHeader& h = info.header;
  h.bytes.fill(0);
  h.bytes[0] = 'P';
  h.bytes[1] = 'W';
  h.bytes[2] = '3';
  h.setFormatVersion(3);
  h.setScale(1.0f);
  if (root.contains("header") && root["header"].is_object()) {
    const json& j = root["header"];
    h.setDrawingName(GetText(j, "drawingName"));
    h.setAuthor(GetText(j, "author"));
    h.setUpdater(GetText(j, "updater"));
    h.setPassword(GetText(j, "password"));
    h.setProtection(GetInt<uint8_t>(j, "protection"));
    h.setPaperMode(GetInt<uint8_t>(j, "paperMode"));
    h.setPaperSize(GetInt<int16_t>(j, "paperSize"));
    h.setOrientation(GetInt<int16_t>(j, "orientation"));
    h.setPrintType(GetInt<int16_t>(j, "printType"));
    h.setCurrentLayer(GetInt<int16_t>(j, "currentLayer"));
    h.setCreationDate(GetInt<int32_t>(j, "creationDate"));
    h.setUpdateDate(GetInt<int32_t>(j, "updateDate"));
    double scale = 1.0;
    if (j.contains("scale") && ParseValue(j["scale"], scale)) h.setScale(static_cast<float>(scale));
  }
  // What the JSON leaves out is what a new drawing would have.
  info.drawingValues = DrawingValuesFromParameters(DefaultParameterBlock(""));
  if (root.contains("block") && root["block"].is_object()) {
    const json& j = root["block"];
    const std::pair<const char*, std::array<double, 3>*> boxes[] = {
        {"areaMin", &info.areaMin}, {"areaMax", &info.areaMax}, {"extentMin", &info.extentMin}, {"extentMax", &info.extentMax}};
    for (const auto& [key, box] : boxes) {
      if (j.contains(key) && !ParseBox(j[key], *box)) return fail(std::string("block.") + key + " must be three numbers");
    }
    if (j.contains("displayColours")) {
      const json& c = j["displayColours"];
      if (!c.is_array() || c.size() != DrawingValues::kColourCount) return fail("block.displayColours must hold 8 colours");
      for (int i = 0; i < DrawingValues::kColourCount; ++i) {
        if (!c[static_cast<std::size_t>(i)].is_number_integer()) return fail("block.displayColours must hold integers");
        info.drawingValues.setDisplayColour(i, static_cast<int32_t>(c[static_cast<std::size_t>(i)].get<long long>()));
      }
    }
  }
  info.layers.SetDefaults();
  if (root.contains("layers") && root["layers"].is_array()) {
    const json& layers = root["layers"];
    if (layers.size() > LayerTable::kLayers) return fail("a drawing holds at most 128 layers");
    info.layers.layerCount = static_cast<int16_t>(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
      if (!layers[i].is_object()) return fail("each layer must be an object");
      info.layers.setName(static_cast<int>(i), GetText(layers[i], "name"));
      info.layers.states[i] = GetInt<uint8_t>(layers[i], "state", 1);
    }
  }
  info.layers.currentLayer = h.currentLayer();

  int refusedCount = 0;
  std::size_t index = 0;
  for (const json& j : root["entities"]) {
    const std::string where = "entities[" + std::to_string(index++) + "]";
    if (!j.is_object() || !j.contains("kind") || !j.contains("values") || !j["values"].is_array()) {
      return fail(where + ": an object with \"kind\" and \"values\" is expected");
    }
    const json& jv = j["values"];
    if (jv.size() > 32767) return fail(where + ": too many values");
    std::vector<double> values(jv.size());
    for (std::size_t i = 0; i < jv.size(); ++i) {
      if (!ParseValue(jv[i], values[i])) return fail(where + ": values must be numbers or 16 hex digits");
    }
    std::vector<int16_t> codes;
    if (j.contains("codes")) {
      const json& jc = j["codes"];
      if (!jc.is_array() || jc.size() != jv.size()) return fail(where + ": \"codes\" must match \"values\" in length");
      for (const json& c : jc) {
        if (!c.is_number_integer()) return fail(where + ": codes must be integers");
        codes.push_back(static_cast<int16_t>(c.get<long long>()));
      }
    }
    EntityAttr attr;
    attr.kind = GetInt<int16_t>(j, "kind");
    attr.subKind = GetInt<int16_t>(j, "subKind");
    attr.lineAttr = GetInt<int16_t>(j, "lineAttr");
    attr.layer = GetInt<int16_t>(j, "layer");
    attr.valueCount = static_cast<int16_t>(values.size());
    const bool hasText = j.contains("text") || j.contains("textBytes");
    const bool hasFont = j.contains("font") || j.contains("fontBytes");
    const std::string text = GetText(j, "text");
    const std::string font = GetText(j, "font");
    // Stored group numbers travel as they are (headers included), as when a file is read.
    const int rc = AddStoredEntity(attr, hasFont ? font.c_str() : nullptr, list, codes.empty() ? nullptr : codes.data(),
                                   GetInt<int32_t>(j, "colour"), values.data(), hasText ? text.c_str() : nullptr,
                                   GetInt<int16_t>(j, "groupNo"));
    if (rc != 0) ++refusedCount;
  }
  LinkGroupMembers(list);
  list.nextGroupNo = HighestGroupNumber(list) + 1;
  if (refused) *refused = refusedCount;
  return true;
}

}  // namespace plenwick::cli
