// Loads the image files that drawings place, with bounds on what a hostile file may cost, and
// keeps those used last (up to a bound on memory) so that painting does not read them again.
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
  // Loads the file again, whatever is kept of it: one placed after it was found missing or
  // broken is drawn as it is now.
  QImage Reload(std::string_view pathSjis);

  static constexpr qint64 kMaxFileBytes = 256LL << 20;
  static constexpr int kMaxAllocationMb = 512;
  // For tests: how many files are kept.
  std::size_t cachedCount() const { return cache_.size(); }

  static constexpr std::size_t kMaxCached = 256;
  static constexpr qint64 kMaxCachedBytes = 256LL << 20;

 private:
  std::list<std::pair<std::string, QImage>> cache_;  // most recently used first
  qint64 cachedBytes_ = 0;
};

// The loader the canvases of the application's main thread share, so that a picture placed is
// read once for every view; null on any other thread or without an application.
ImageLoader* SharedImageLoader();

}  // namespace plenwick
