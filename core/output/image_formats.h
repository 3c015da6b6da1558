// The image files a screen region is saved as: the file's extension to the encoder's MIME type.
#pragma once

#include <optional>
#include <string_view>

namespace plenwick {

// The MIME type of bmp, jpg, jpeg, png, gif, tiff and tif, in any case (a file named by a
// desktop's dialog in capitals is still that format); nothing for a path without an extension
// or with another one.
std::optional<std::string_view> ImageMimeTypeOf(std::string_view path);

}  // namespace plenwick
