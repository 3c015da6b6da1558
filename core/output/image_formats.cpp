// The extension table of image saves.
#include "output/image_formats.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace plenwick {

std::optional<std::string_view> ImageMimeTypeOf(std::string_view path) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kTable = {{
      {"bmp", "image/bmp"}, {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"png", "image/png"},
      {"gif", "image/gif"}, {"tiff", "image/tiff"}, {"tif", "image/tiff"},
  }};
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& [extension, mime] : kTable) {
    if (ext == extension) return mime;
  }
  return std::nullopt;
}

}  // namespace plenwick
