// A plain scan of a JWW archive, written apart from the program's reader: it skips the header by
// the sizes of its fields, walks the object lists checking that every class reference names a
// class introduced before, and counts the records of each class, in the main list and in each
// block definition.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace plenwick::testing {

struct JwwScan {
  bool ok = false;
  std::string why;
  uint32_t version = 0;
  std::size_t end = 0;  // where the scan stopped
  std::map<std::string, int> main;  // records of the main list by class
  std::map<uint32_t, std::map<std::string, int>> blocks;  // block number → records by class
  std::vector<uint32_t> inserts;                          // block numbers the main list inserts
  std::map<uint32_t, std::vector<uint32_t>> blockInserts; // block number → blocks it inserts
  uint32_t objects = 0;  // running numbers handed out
};

class JwwScanner {
 public:
  explicit JwwScanner(std::span<const uint8_t> b) : b_(b) {}

  JwwScan Run() {
    JwwScan s;
    try {
      if (b_.size() < 12 || std::memcmp(b_.data(), "JwwData.", 8) != 0) throw std::string("magic");
      p_ = 8;
      s.version = v_ = D();
      Header();
      Objects(s, nullptr, -1);
      if (p_ < b_.size()) Objects(s, nullptr, -1);
      if (v_ >= 700) {
        for (uint32_t n = D(); n > 0; --n) {
          Str();
          Need(D());
        }
      }
      s.ok = p_ == b_.size();
      if (!s.ok) s.why = "stopped before the end";
    } catch (const std::string& why) {
      s.why = why;
    }
    s.end = p_;
    s.objects = map_;
    return s;
  }

 private:
  void Need(std::size_t n) {
    if (n > b_.size() - p_) throw std::string("cut off");
    p_ += n;
  }
  uint32_t Le(int n) {
    const std::size_t at = p_;
    Need(static_cast<std::size_t>(n));
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b_[at + static_cast<std::size_t>(i)];
    return v;
  }
  uint32_t D() { return Le(4); }
  uint32_t W() { return Le(2); }
  void F(int n = 1) { Need(8 * static_cast<std::size_t>(n)); }
  void Str() {
    uint32_t n = Le(1);
    bool wide = false;
    if (n == 0xFF) {
      n = W();
      if (n == 0xFFFE) {
        wide = true;
        n = Le(1);
        if (n == 0xFF) {
          n = W();
          if (n == 0xFFFF) n = D();
        }
      } else if (n == 0xFFFF) {
        n = D();
      }
    }
    Need(wide ? 2 * std::size_t{n} : n);
  }
  void Header() {
    Str();
    D();
    D();
    for (int g = 0; g < 16; ++g) {
      D(); D(); F(); D();
      for (int l = 0; l < 16; ++l) { D(); D(); }
    }
    Need(4 * 21);
    F(3); D(); D(); F(5);
    for (int i = 0; i < 272; ++i) Str();
    F(2); D(); F();
    if (v_ >= 300) F(2);
    D();
    F(6);
    for (int i = 0; i < (v_ >= 300 ? 8 : 4); ++i) { F(3); if (v_ >= 300) D(); }
    if (v_ >= 300) { F(3); D(); F(3); D(); }
    F(11);
    Need(4 * 20);
    for (int i = 0; i < 10; ++i) { D(); D(); F(); }
    Need(4 * (32 + 25 + 16 + 11));
    if (v_ >= 223) { Need(20); F(5); }
    if (v_ >= 225) F(4);
    if (v_ >= 230) Need(8);
    if (v_ >= 420) {
      Need(8 * 257);
      for (int i = 0; i < 257; ++i) { Str(); D(); D(); F(); }
      Need(16 * 33);
      for (int i = 0; i < 33; ++i) { Str(); D(); F(10); }
    }
    for (int i = 0; i < 10; ++i) { F(3); D(); }
    F(3); D(); D(); F(2); D(); F(6);
  }
  uint8_t Common() {
    D();
    const uint8_t style = static_cast<uint8_t>(Le(1));
    colour_ = W();
    if (v_ > 350) W();
    W(); W(); W();
    return style;
  }
  void Ten() {
    const uint8_t style = Common();
    F(2);
    D();
    if (style == 100) { D(); F(2); }
  }
  void Moji() { Common(); F(4); D(); F(4); Str(); Str(); }
  void Objects(JwwScan& s, std::map<std::string, int>* counts, int64_t block) {
    uint32_t n = W();
    if (n == 0xFFFF) n = D();
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t tag = W();
      std::string name;
      if (tag == 0xFFFF) {
        W();
        const uint32_t length = W();
        const std::size_t at = p_;
        Need(length);
        name.assign(reinterpret_cast<const char*>(b_.data() + at), length);
        classes_[map_++] = name;
      } else {
        uint32_t number = tag & 0x7FFF;
        bool isClass = (tag & 0x8000) != 0;
        if (tag == 0x7FFF) {
          const uint32_t big = D();
          isClass = (big & 0x80000000u) != 0;
          number = big & 0x7FFFFFFF;
        }
        if (!isClass || !classes_.count(number)) throw std::string("reference to no class");
        name = classes_[number];
      }
      ++map_;
      ++(counts ? *counts : s.main)[name];
      if (name == "CDataSen") { Common(); F(4); }
      else if (name == "CDataEnko") { Common(); F(7); D(); }
      else if (name == "CDataTen") Ten();
      else if (name == "CDataMoji") Moji();
      else if (name == "CDataSunpou") {
        Common(); Common(); F(4); Moji();
        if (v_ >= 420) { W(); Common(); F(4); Common(); F(4); Ten(); Ten(); Ten(); Ten(); }
      } else if (name == "CDataSolid") { Common(); F(8); if (colour_ == 10) D(); }
      else if (name == "CDataBlock") {
        Common(); F(5);
        const uint32_t number = D();
        if (block < 0) s.inserts.push_back(number); else s.blockInserts[static_cast<uint32_t>(block)].push_back(number);
      } else if (name == "CDataList") {
        Common();
        const uint32_t number = D();
        D(); D(); Str();
        Objects(s, &s.blocks[number], number);
      } else {
        throw std::string("class " + name);
      }
    }
  }

  std::span<const uint8_t> b_;
  std::size_t p_ = 0;
  uint32_t v_ = 0;
  uint32_t colour_ = 0;
  uint32_t map_ = 1;
  std::map<uint32_t, std::string> classes_;
};

}  // namespace plenwick::testing
