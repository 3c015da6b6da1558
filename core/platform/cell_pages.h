// Grids of square cells over the model plane for the snapping and picking indexes: the cell of a
// coordinate, and a map from cells to 32-bit values kept in pages of 4 x 4 neighbouring cells.
// The pages of the area in use are found by position in a dense window, so that a walk over a
// drawing reads its pages in order instead of hashing into a large table; pages outside the
// window (until it is widened) are found through a hash map.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/flat_map.h"

namespace plenwick {

// Cell numbers stay below this in magnitude (they must fit 32 bits).
inline constexpr double kLargestCellNumber = 2.0e9;

// The cell number floor(v · inverse) along one axis, where `inverse` is one over the cell edge;
// false when it is not a number or lies beyond kLargestCellNumber.
inline bool CellNumberOf(double v, double inverse, int32_t* cell) {
  const double t = v * inverse;
  // |floor(t)| < kLargestCellNumber (false for NaN too).
  if (!(t >= 1 - kLargestCellNumber && t < kLargestCellNumber)) return false;
  const auto toward0 = static_cast<int32_t>(t);
  *cell = toward0 - (static_cast<double>(toward0) > t ? 1 : 0);
  return true;
}

// floor(v · inverse) clamped to ±kLargestCellNumber, for the bounds of a range of cells; v must be
// a number.
inline int64_t ClampedCellNumber(double v, double inverse) {
  double t = v * inverse;
  if (t < -kLargestCellNumber) t = -kLargestCellNumber;
  if (t > kLargestCellNumber) t = kLargestCellNumber;
  const auto whole = static_cast<int64_t>(t);
  return static_cast<double>(whole) > t ? whole - 1 : whole;
}

// A float at most (FloatBelow) or at least (FloatAbove) v and within a few float steps of it, for
// boxes kept as floats that must hold the exact ones (|v| below 1e30). Without branches: the
// nearest float is stepped away by at least one step whichever way it was rounded.
inline float FloatBelow(double v) {
  const float f = static_cast<float>(v);
  return f - std::fabs(f) * 0x1p-22f - 0x1p-100f;
}
inline float FloatAbove(double v) {
  const float f = static_cast<float>(v);
  return f + std::fabs(f) * 0x1p-22f + 0x1p-100f;
}

class CellPages {
 public:
  static constexpr uint32_t kEmpty = UINT32_MAX;

  bool empty() const { return pages_.empty(); }
  std::size_t pageCount() const { return pages_.size(); }

  // The value of a cell; kEmpty when it has none.
  uint32_t Get(CellKey cell) const {
    const uint32_t page = FindPage(PageOf(cell));
    return page == kNoPage ? kEmpty : pages_[page][PlaceOf(cell)];
  }

  // The value of a cell to read or change (kEmpty when it has none); its page is made when
  // missing. Valid until the next call of Slot or Clear.
  uint32_t& Slot(CellKey cell) {
    const CellKey key = PageOf(cell);
    // Lookups come in runs on one page, or at least in the window.
    uint32_t page = kNoPage;
    if (lastPage_ != kNoPage && lastKey_ == key) {
      page = lastPage_;
    } else if (const int64_t place = WindowPlace(key); place >= 0) {
      page = window_[static_cast<std::size_t>(place)];
    }
    if (page == kNoPage) page = FindOrAddPage(key);
    return pages_[page][PlaceOf(cell)];
  }

  // Calls f(value) for every cell with a value in [x0, x1] × [y0, y1] (cell numbers, inclusive):
  // page by page, or through every page when the range spans more pages than there are.
  template <typename F>
  void ForEachIn(int64_t x0, int64_t y0, int64_t x1, int64_t y1, F&& f) const {
    if (x0 > x1 || y0 > y1 || pages_.empty()) return;
    const int64_t px0 = x0 >> kShift;
    const int64_t py0 = y0 >> kShift;
    const int64_t px1 = x1 >> kShift;
    const int64_t py1 = y1 >> kShift;
    auto visitPage = [&](uint32_t page, int64_t px, int64_t py) {
      const int64_t left = px << kShift;
      const int64_t bottom = py << kShift;
      const int64_t cx0 = std::max<int64_t>(x0 - left, 0);
      const int64_t cy0 = std::max<int64_t>(y0 - bottom, 0);
      const int64_t cx1 = std::min<int64_t>(x1 - left, kSide - 1);
      const int64_t cy1 = std::min<int64_t>(y1 - bottom, kSide - 1);
      const Page& cells = pages_[page];
      for (int64_t y = cy0; y <= cy1; ++y) {
        for (int64_t x = cx0; x <= cx1; ++x) {
          const uint32_t value = cells[static_cast<std::size_t>(y * kSide + x)];
          if (value != kEmpty) f(value);
        }
      }
    };
    if (static_cast<double>(px1 - px0 + 1) * static_cast<double>(py1 - py0 + 1) > static_cast<double>(pages_.size())) {
      for (uint32_t page = 0; page < pages_.size(); ++page) {
        const CellKey key = keys_[page];
        if (key.x >= px0 && key.x <= px1 && key.y >= py0 && key.y <= py1) visitPage(page, key.x, key.y);
      }
      return;
    }
    for (int64_t py = py0; py <= py1; ++py) {
      for (int64_t px = px0; px <= px1; ++px) {
        const uint32_t page = FindPage(CellKey{static_cast<int32_t>(px), static_cast<int32_t>(py)});
        if (page != kNoPage) visitPage(page, px, py);
      }
    }
  }

  // Calls f(cell, value) for every cell with a value, in no particular order.
  template <typename F>
  void ForEach(F&& f) const {
    for (uint32_t page = 0; page < pages_.size(); ++page) {
      for (int i = 0; i < kSide * kSide; ++i) {
        const uint32_t value = pages_[page][static_cast<std::size_t>(i)];
        if (value == kEmpty) continue;
        f(CellKey{keys_[page].x * kSide + i % kSide, keys_[page].y * kSide + i / kSide}, value);
      }
    }
  }

  void Clear() {
    hashed_.Clear();
    pages_.clear();
    keys_.clear();
    window_.clear();
    windowWidth_ = windowHeight_ = 0;
    nextRewindow_ = 0;
    recentPage_.fill(kNoPage);
    lastPage_ = kNoPage;
  }

 private:
  static constexpr int kShift = 2;
  static constexpr int kSide = 1 << kShift;
  static constexpr uint32_t kNoPage = UINT32_MAX;
  using Page = std::array<uint32_t, kSide * kSide>;

  struct PageHash {
    uint64_t operator()(const CellKey& k) const {
      return MixBits((static_cast<uint64_t>(static_cast<uint32_t>(k.x)) << 32) | static_cast<uint32_t>(k.y));
    }
  };

  // C++20 shifts negative numbers arithmetically: the page is cell >> 2, the place cell & 3.
  static CellKey PageOf(CellKey cell) { return {cell.x >> kShift, cell.y >> kShift}; }
  static std::size_t PlaceOf(CellKey cell) {
    return static_cast<std::size_t>((cell.y & (kSide - 1)) * kSide + (cell.x & (kSide - 1)));
  }
  // Of the hashed pages, the four met last are kept at hand, one for each parity of the page
  // numbers, so that the up to 2 x 2 pages around a point need no lookup.
  static std::size_t RecentSlot(CellKey page) { return static_cast<std::size_t>((page.x & 1) | ((page.y & 1) << 1)); }

  // Position of a page in the window, or -1 outside it.
  int64_t WindowPlace(CellKey key) const {
    const int64_t x = int64_t{key.x} - windowX_;
    const int64_t y = int64_t{key.y} - windowY_;
    if (x < 0 || y < 0 || x >= windowWidth_ || y >= windowHeight_) return -1;
    return y * windowWidth_ + x;
  }

  [[gnu::noinline]] uint32_t FindOrAddPage(CellKey key) {
    const uint32_t page = FindPage(key);
    return page == kNoPage ? AddPage(key) : page;
  }

  uint32_t FindPage(CellKey key) const {
    if (lastPage_ != kNoPage && lastKey_ == key) return lastPage_;
    if (const int64_t place = WindowPlace(key); place >= 0) {
      const uint32_t page = window_[static_cast<std::size_t>(place)];
      if (page != kNoPage) {
        lastKey_ = key;
        lastPage_ = page;
      }
      return page;
    }
    if (hashed_.empty()) return kNoPage;
    const std::size_t slot = RecentSlot(key);
    if (recentPage_[slot] != kNoPage && recentKey_[slot] == key) return recentPage_[slot];
    const uint32_t* found = hashed_.Find(key);
    if (!found) return kNoPage;
    recentKey_[slot] = key;
    recentPage_[slot] = *found;
    lastKey_ = key;
    lastPage_ = *found;
    return *found;
  }

  uint32_t AddPage(CellKey key) {
    const auto page = static_cast<uint32_t>(pages_.size());
    pages_.emplace_back().fill(kEmpty);
    keys_.push_back(key);
    lastKey_ = key;
    lastPage_ = page;
    if (const int64_t place = WindowPlace(key); place >= 0) {
      window_[static_cast<std::size_t>(place)] = page;
    } else {
      hashed_.Insert(key, page);
      // Once a quarter of the pages lie outside the window, it is laid anew over all of them.
      if (hashed_.size() >= 16 && hashed_.size() * 4 >= pages_.size() && pages_.size() >= nextRewindow_) Rewindow();
    }
    return page;
  }

  // Lays the window over the box of all pages, with room to grow on every side, when that costs
  // at most a few entries per page; pages beyond stay hashed.
  void Rewindow() {
    int64_t x0 = keys_[0].x, y0 = keys_[0].y, x1 = x0, y1 = y0;
    for (const CellKey& k : keys_) {
      x0 = std::min<int64_t>(x0, k.x);
      y0 = std::min<int64_t>(y0, k.y);
      x1 = std::max<int64_t>(x1, k.x);
      y1 = std::max<int64_t>(y1, k.y);
    }
    const auto limit = static_cast<double>(4 * pages_.size() + 256);
    const int64_t marginX = (x1 - x0) / 8 + 1;
    const int64_t marginY = (y1 - y0) / 8 + 1;
    const auto area = [](int64_t a0, int64_t b0, int64_t a1, int64_t b1) {
      return static_cast<double>(a1 - a0 + 1) * static_cast<double>(b1 - b0 + 1);
    };
    if (area(x0 - marginX, y0 - marginY, x1 + marginX, y1 + marginY) <= limit) {
      x0 -= marginX;
      y0 -= marginY;
      x1 += marginX;
      y1 += marginY;
    } else if (area(x0, y0, x1, y1) > limit) {
      nextRewindow_ = 2 * pages_.size();  // too sparse for now
      return;
    }
    windowX_ = x0;
    windowY_ = y0;
    windowWidth_ = x1 - x0 + 1;
    windowHeight_ = y1 - y0 + 1;
    window_.assign(static_cast<std::size_t>(windowWidth_ * windowHeight_), kNoPage);
    hashed_.Clear();
    recentPage_.fill(kNoPage);
    for (uint32_t page = 0; page < pages_.size(); ++page) {
      window_[static_cast<std::size_t>(WindowPlace(keys_[page]))] = page;
    }
  }

  std::vector<Page> pages_;
  std::vector<CellKey> keys_;  // the page numbers of pages_
  std::vector<uint32_t> window_;  // pages_ index by position, row by row; kNoPage where none
  int64_t windowX_ = 0;
  int64_t windowY_ = 0;
  int64_t windowWidth_ = 0;
  int64_t windowHeight_ = 0;
  FlatMap<CellKey, uint32_t, PageHash> hashed_;  // pages outside the window
  std::size_t nextRewindow_ = 0;  // page count before which no new window is tried
  mutable CellKey lastKey_;
  mutable uint32_t lastPage_ = kNoPage;
  mutable std::array<CellKey, 4> recentKey_{};
  mutable std::array<uint32_t, 4> recentPage_{kNoPage, kNoPage, kNoPage, kNoPage};
};

}  // namespace plenwick
