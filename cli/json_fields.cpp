// Single fields of the drawing's JSON form.
#include "json_fields.h"

#include <cmath>
#include <cstring>

#include "platform/sjis.h"

namespace plenwick::cli {

using nlohmann::json;
using nlohmann::ordered_json;

std::string Hex(const uint8_t* p, std::size_t n) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  s.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

bool FromHex(const std::string& s, std::vector<uint8_t>& out) {
  if (s.size() % 2) return false;
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  out.clear();
  out.reserve(s.size() / 2);
  for (std::size_t i = 0; i < s.size(); i += 2) {
    const int hi = nibble(s[i]);
    const int lo = nibble(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

void PutText(ordered_json& j, const char* key, std::string_view sjis) {
  const std::string utf8 = SjisToUtf8(sjis);
  j[key] = utf8;
  if (!IsValidUtf8(utf8) || Utf8ToSjis(utf8) != sjis) {
    j[std::string(key) + "Bytes"] = Hex(reinterpret_cast<const uint8_t*>(sjis.data()), sjis.size());
  }
}

bool GetText(const json& j, const char* key, const std::string& where, std::optional<std::string>& out,
             std::string* error) {
  out.reset();
  const std::string bytesKey = std::string(key) + "Bytes";
  if (j.contains(bytesKey)) {
    std::vector<uint8_t> bytes;
    if (!j[bytesKey].is_string() || !FromHex(j[bytesKey].get<std::string>(), bytes)) {
      if (error) *error = where + "." + bytesKey + ": a string of hex digits is expected";
      return false;
    }
    out.emplace(bytes.begin(), bytes.end());
    return true;
  }
  if (!j.contains(key)) return true;
  if (!j[key].is_string()) {
    if (error) *error = where + "." + key + ": a string is expected";
    return false;
  }
  out = Utf8ToSjis(j[key].get<std::string>());
  return true;
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

std::optional<int64_t> IntegerIn(const json& j, int64_t lo, int64_t hi) {
  // Positive numbers are kept unsigned: compared as such, one past int64 cannot wrap negative.
  if (j.is_number_unsigned()) {
    const auto u = j.get<uint64_t>();
    if (hi < 0 || u > static_cast<uint64_t>(hi) || static_cast<int64_t>(u) < lo) return std::nullopt;
    return static_cast<int64_t>(u);
  }
  if (j.is_number_integer()) {
    const auto s = j.get<int64_t>();
    if (s < lo || s > hi) return std::nullopt;
    return s;
  }
  return std::nullopt;
}

std::string NotAnIntegerIn(const std::string& field, const json& j, int64_t lo, int64_t hi) {
  std::string what;
  if (j.is_string()) {
    what = "a string";
  } else if (j.is_array()) {
    what = "an array";
  } else if (j.is_object()) {
    what = "an object";
  } else {
    what = j.dump();  // a number, true, false or null: short
  }
  return field + ": an integer from " + std::to_string(lo) + " to " + std::to_string(hi) + " is expected, not " + what;
}

std::string JsonText(const ordered_json& j) { return j.dump(1, ' ', false, json::error_handler_t::replace); }

}  // namespace plenwick::cli
