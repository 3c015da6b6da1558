// The drawing as one JSON object and back.
#include "json_drawing.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "json_fields.h"
#include "model/document_defaults.h"
#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/parameter_block.h"
#include "platform/sjis.h"

namespace plenwick::cli {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

ordered_json Box(const std::array<double, 3>& b) { return ordered_json::array({Value(b[0]), Value(b[1]), Value(b[2])}); }

bool ParseBox(const json& j, std::array<double, 3>& b) {
  if (!j.is_array() || j.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!ParseValue(j[i], b[i])) return false;
  }
  return true;
}

bool Failed(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

// Sets a numeric header field from j[key] when present, checked against the field's type.
template <typename T>
bool ReadHeaderInt(const json& j, const char* key, DrawingHeader& h, T (DrawingHeader::*get)() const,
                   void (DrawingHeader::*set)(T), std::string* error) {
  T v = (h.*get)();
  if (!GetInt(j, key, "header", v, error)) return false;
  (h.*set)(v);
  return true;
}

// The header starts from "headerBytes" when given (so that bytes no named field carries travel
// too), else from a new drawing's; the named fields then go on top of it.
bool ReadHeader(const json& root, DrawingHeader& h, std::string* error) {
  h.bytes.fill(0);
  h.bytes[0] = 'P';
  h.bytes[1] = 'W';
  h.bytes[2] = '3';
  h.setFormatVersion(3);
  h.setScale(1.0f);
  if (root.contains("headerBytes")) {
    std::vector<uint8_t> bytes;
    if (!root["headerBytes"].is_string() || !FromHex(root["headerBytes"].get<std::string>(), bytes) ||
        bytes.size() != DrawingHeader::kSize) {
      return Failed(error, "headerBytes: the 192 header bytes as 384 hex digits are expected");
    }
    std::memcpy(h.bytes.data(), bytes.data(), DrawingHeader::kSize);
  }
  if (!root.contains("header")) return true;
  const json& j = root["header"];
  if (!j.is_object()) return Failed(error, "header: an object is expected");

  struct TextField {
    const char* key;
    std::string_view (DrawingHeader::*get)() const;
    void (DrawingHeader::*set)(std::string_view);
    std::size_t width;
  };
  const TextField texts[] = {
      {"drawingName", &DrawingHeader::drawingName, &DrawingHeader::setDrawingName, DrawingHeader::kDrawingNameWidth},
      {"author", &DrawingHeader::author, &DrawingHeader::setAuthor, DrawingHeader::kAuthorWidth},
      {"updater", &DrawingHeader::updater, &DrawingHeader::setUpdater, DrawingHeader::kUpdaterWidth},
      {"password", &DrawingHeader::password, &DrawingHeader::setPassword, DrawingHeader::kPasswordWidth},
  };
  for (const TextField& field : texts) {
    std::optional<std::string> text;
    if (!GetText(j, field.key, "header", text, error)) return false;
    // Rewriting an unchanged text would clear the bytes after its terminator, or the last byte
    // of a name that fills its whole field.
    if (!text || *text == (h.*field.get)()) continue;
    (h.*field.set)(std::string_view(*text).substr(0, SjisPrefixLength(*text, field.width - 1)));
  }
  const bool intsRead =
      ReadHeaderInt(j, "protection", h, &DrawingHeader::protection, &DrawingHeader::setProtection, error) &&
      ReadHeaderInt(j, "paperMode", h, &DrawingHeader::paperMode, &DrawingHeader::setPaperMode, error) &&
      ReadHeaderInt(j, "paperSize", h, &DrawingHeader::paperSize, &DrawingHeader::setPaperSize, error) &&
      ReadHeaderInt(j, "orientation", h, &DrawingHeader::orientation, &DrawingHeader::setOrientation, error) &&
      ReadHeaderInt(j, "printType", h, &DrawingHeader::printType, &DrawingHeader::setPrintType, error) &&
      ReadHeaderInt(j, "currentLayer", h, &DrawingHeader::currentLayer, &DrawingHeader::setCurrentLayer, error) &&
      ReadHeaderInt(j, "creationDate", h, &DrawingHeader::creationDate, &DrawingHeader::setCreationDate, error) &&
      ReadHeaderInt(j, "updateDate", h, &DrawingHeader::updateDate, &DrawingHeader::setUpdateDate, error);
  if (!intsRead) return false;
  if (j.contains("scale")) {
    double scale = 0;
    if (!ParseValue(j["scale"], scale)) return Failed(error, "header.scale: a number or 16 hex digits is expected");
    if (std::isfinite(scale) && std::fabs(scale) > FLT_MAX) {
      return Failed(error, "header.scale: the number is too large for the header's single-precision field");
    }
    // Unchanged bits stay, a NaN's payload included.
    const double stored = static_cast<double>(h.scale());
    if (std::memcmp(&stored, &scale, sizeof scale) != 0) h.setScale(static_cast<float>(scale));
  }
  return true;
}

bool ReadBlock(const json& root, DrawingFileInfo& info, std::string* error) {
  // What the JSON leaves out is what a new drawing would have.
  info.drawingValues = DrawingValuesFromParameters(DefaultParameterBlock(""));
  if (!root.contains("block")) return true;
  const json& j = root["block"];
  if (!j.is_object()) return Failed(error, "block: an object is expected");
  const std::pair<const char*, std::array<double, 3>*> boxes[] = {
      {"areaMin", &info.areaMin},
      {"areaMax", &info.areaMax},
      {"extentMin", &info.extentMin},
      {"extentMax", &info.extentMax}};
  for (const auto& [key, box] : boxes) {
    if (!j.contains(key)) continue;
    if (!ParseBox(j[key], *box)) return Failed(error, std::string("block.") + key + " must be three numbers");
    // As the readers take a box: a value that is not a number would poison every view.
    for (double& v : *box) v = pwk::FiniteOrZero(v);
  }
  if (j.contains("displayColours")) {
    const json& c = j["displayColours"];
    if (!c.is_array() || c.size() != DrawingValues::kColourCount) {
      return Failed(error, "block.displayColours must hold 8 colours");
    }
    for (int i = 0; i < DrawingValues::kColourCount; ++i) {
      const json& colour = c[static_cast<std::size_t>(i)];
      const auto v = IntegerIn(colour, INT32_MIN, INT32_MAX);
      if (!v) {
        const std::string field = "block.displayColours[" + std::to_string(i) + "]";
        return Failed(error, NotAnIntegerIn(field, colour, INT32_MIN, INT32_MAX));
      }
      info.drawingValues.setDisplayColour(i, static_cast<int32_t>(*v));
    }
  }
  return true;
}

bool ReadLayers(const json& root, LayerTable& layers, std::string* error) {
  layers.SetDefaults();
  if (!root.contains("layers")) return true;
  const json& list = root["layers"];
  if (!list.is_array()) return Failed(error, "layers: an array is expected");
  if (list.size() > LayerTable::kLayers) return Failed(error, "a drawing holds at most 128 layers");
  layers.layerCount = static_cast<int16_t>(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string where = "layers[" + std::to_string(i) + "]";
    const json& layer = list[i];
    if (!layer.is_object()) return Failed(error, where + ": an object is expected");
    std::optional<std::string> name;
    if (!GetText(layer, "name", where, name, error)) return false;
    layers.setName(static_cast<int>(i), name.value_or(std::string()));
    uint8_t state = kLayerOffColour;
    if (!GetInt(layer, "state", where, state, error, kLayerHidden, kLayerNormal)) return false;
    layers.states[i] = state;
  }
  return true;
}

// Reads one element and adds it unless a drawing file could not keep it (then `refused`).
bool ReadEntity(const json& j, const std::string& where, EntityList& list, bool& refused, std::string* error) {
  refused = false;
  if (!j.is_object() || !j.contains("kind") || !j.contains("values") || !j["values"].is_array()) {
    return Failed(error, where + ": an object with \"kind\" and \"values\" is expected");
  }
  const json& jv = j["values"];
  if (jv.size() > static_cast<std::size_t>(INT16_MAX)) return Failed(error, where + ": too many values");
  std::vector<double> values(jv.size());
  for (std::size_t i = 0; i < jv.size(); ++i) {
    if (!ParseValue(jv[i], values[i])) {
      return Failed(error, where + ".values[" + std::to_string(i) + "]: a number or 16 hex digits is expected");
    }
  }
  std::vector<int16_t> codes;
  if (j.contains("codes")) {
    const json& jc = j["codes"];
    if (!jc.is_array() || jc.size() != jv.size()) {
      return Failed(error, where + ": \"codes\" must match \"values\" in length");
    }
    for (std::size_t i = 0; i < jc.size(); ++i) {
      const auto code = IntegerIn(jc[i], INT16_MIN, INT16_MAX);
      if (!code) {
        const std::string field = where + ".codes[" + std::to_string(i) + "]";
        return Failed(error, NotAnIntegerIn(field, jc[i], INT16_MIN, INT16_MAX));
      }
      codes.push_back(static_cast<int16_t>(*code));
    }
  }
  EntityAttr attr;
  int32_t colour = 0;
  int16_t groupNo = 0;
  if (!GetInt(j, "kind", where, attr.kind, error)) return false;
  // A text keeps its sub-kind beside the font length in one 16-bit field, which holds less.
  const bool text = attr.kind == kText || attr.kind == kLeaderText;
  const int64_t subKindLimit = text ? pwk::kMaxTextSubKind : INT16_MAX;
  const int64_t subKindFloor = text ? -subKindLimit : INT16_MIN;
  const bool fieldsRead = GetInt(j, "subKind", where, attr.subKind, error, subKindFloor, subKindLimit) &&
                          GetInt(j, "lineAttr", where, attr.lineAttr, error) &&
                          GetInt(j, "layer", where, attr.layer, error) && GetInt(j, "colour", where, colour, error) &&
                          GetInt(j, "groupNo", where, groupNo, error);
  if (!fieldsRead) return false;
  std::optional<std::string> textBytes;
  std::optional<std::string> fontBytes;
  if (!GetText(j, "text", where, textBytes, error) || !GetText(j, "font", where, fontBytes, error)) return false;
  attr.valueCount = static_cast<int16_t>(values.size());
  // What a read of the file would drop is refused here, so that the count reported is the
  // count the file will give back.
  if (!pwk::StorableElement(attr.kind, attr.layer, values)) {
    refused = true;
    return true;
  }
  // Stored group numbers travel as they are (headers included), as when a file is read.
  refused = AddStoredEntity(attr, fontBytes ? fontBytes->c_str() : nullptr, list,
                            codes.empty() ? nullptr : codes.data(), colour, values.data(),
                            textBytes ? textBytes->c_str() : nullptr, groupNo) != 0;
  return true;
}

}  // namespace

ordered_json DrawingToJson(const DrawingFileInfo& info, const EntityList& list, bool withParts) {
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
  root["headerBytes"] = Hex(h.bytes.data(), h.bytes.size());

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

  // Each dimension's generated parts, in list order.
  std::unordered_map<const DrawEntity*, ordered_json> parts;
  if (withParts) {
    for (const DrawEntity& e : list) {
      if (!IsDimensionPart(e)) continue;
      ordered_json j;
      j["kind"] = e.kind;
      ordered_json values = ordered_json::array();
      for (int i = 0; i < e.valueCount; ++i) values.push_back(Value(e.values[i]));
      j["values"] = values;
      if (!e.text.IsNull()) PutText(j, "text", e.text.view());
      parts[e.owner].push_back(j);
    }
  }
  ordered_json entities = ordered_json::array();
  for (const DrawEntity& e : list) {
    if (IsDimensionPart(e)) continue;
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
    if (withParts && e.kind == kDimension) {
      const auto found = parts.find(&e);
      j["parts"] = found != parts.end() ? found->second : ordered_json::array();
    }
    entities.push_back(j);
  }
  root["entities"] = entities;
  return root;
}

bool DrawingFromJson(const json& root, DrawingFileInfo& info, EntityList& list, std::string* error, int* refused) {
  if (!root.is_object() || !root.contains("entities") || !root["entities"].is_array()) {
    return Failed(error, "not a drawing: an object with an \"entities\" array is expected");
  }
  if (!ReadHeader(root, info.header, error) || !ReadBlock(root, info, error) || !ReadLayers(root, info.layers, error)) {
    return false;
  }
  // As the readers take it: a current layer outside the table would be no layer at all.
  info.layers.currentLayer = pwk::KnownCurrentLayer(info.header.currentLayer());

  int refusedCount = 0;
  std::size_t index = 0;
  for (const json& j : root["entities"]) {
    bool wasRefused = false;
    if (!ReadEntity(j, "entities[" + std::to_string(index++) + "]", list, wasRefused, error)) return false;
    if (wasRefused) ++refusedCount;
  }
  LinkGroupMembers(list);
  list.nextGroupNo = HighestGroupNumber(list) + 1;
  if (refused) *refused = refusedCount;
  return true;
}

}  // namespace plenwick::cli
