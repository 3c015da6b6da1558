// Single fields of the drawing's JSON form: hex bytes, Shift-JIS texts, exact doubles and
// integers checked against the type they are stored in.
#pragma once

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sjis.h"

namespace plenwick::cli {

// Lower-case hex of n bytes.
std::string Hex(const uint8_t* p, std::size_t n);
// The bytes of a hex string (either case); false when it is not one.
bool FromHex(const std::string& s, std::vector<uint8_t>& out);

using plenwick::IsValidUtf8;

// Puts a Shift-JIS string under `key` as UTF-8, with `key`+"Bytes" as hex when the UTF-8 form
// cannot carry it back (or the conversion gave bytes that are not UTF-8, then shown replaced).
void PutText(nlohmann::ordered_json& j, const char* key, std::string_view sjis);
// The Shift-JIS string under `key`, or the bytes of its "Bytes" twin (which wins), into out
// (nullopt when neither is there). False with `error` naming where.key when one is there but is
// not a string (of hex digits, for the twin).
bool GetText(const nlohmann::json& j, const char* key, const std::string& where, std::optional<std::string>& out,
             std::string* error);

// A double as JSON: a number when finite, else the hex of its 8 bytes in file order.
nlohmann::ordered_json Value(double v);
// The inverse of Value; false when j is neither a number nor 16 hex digits.
bool ParseValue(const nlohmann::json& j, double& v);

// The integer j holds when it is an integer JSON number in [lo, hi] (a number written with a
// fraction or exponent, a string or a boolean is not).
std::optional<int64_t> IntegerIn(const nlohmann::json& j, int64_t lo, int64_t hi);
// "<field>: an integer from lo to hi is expected, not <what j is>".
std::string NotAnIntegerIn(const std::string& field, const nlohmann::json& j, int64_t lo, int64_t hi);

// Reads j[key], when present, into out as an integer in [lo, hi] (by default the range of T).
// False with `error` set to a message naming where.key when it is there but not such an integer;
// out is left alone when the key is absent.
template <typename T>
bool GetInt(const nlohmann::json& j, const char* key, const std::string& where, T& out, std::string* error,
            int64_t lo = std::numeric_limits<T>::min(), int64_t hi = std::numeric_limits<T>::max()) {
  if (!j.contains(key)) return true;
  const auto v = IntegerIn(j[key], lo, hi);
  if (!v) {
    if (error) *error = NotAnIntegerIn(where + "." + key, j[key], lo, hi);
    return false;
  }
  out = static_cast<T>(*v);
  return true;
}

// The JSON text of a drawing; text that is not UTF-8 is written with U+FFFD instead of failing.
std::string JsonText(const nlohmann::ordered_json& j);

}  // namespace plenwick::cli
