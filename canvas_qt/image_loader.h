// Loads the image files that drawings place, with bounds on what a hostile file may cost, and
// keeps the last few so that a drawing placing one picture many times reads it once.
#pragma once

#include <QImage>
#include <list>
#include <string>
#include <string_view>
#include <utility>

namespace plenwick {

class ImageLoader {
 public:
  // The image of a path stored in a drawing (Shift-JIS); a null image when the file is missing,
  // unreadable, larger than the limits, or the path is longer than 255 characters. Windows
  // separators are tried as "/" too.
  QImage Load(std::string_view pathSjis);

  static constexpr qint64 kMaxFileBytes = 256LL << 20;
  static constexpr int kMaxAllocationMb = 512;

 private:
  static constexpr std::size_t kCached = 8;
  std::list<std::pair<std::string, QImage>> cache_;  // most recently used first
};

}  // namespace plenwick
