// The 192-byte drawing header kept by the document and stored at the start of a drawing file.
// Kept as the raw block so that bytes this program does not interpret travel unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"

namespace plenwick {

struct DrawingHeader {
  static constexpr std::size_t kSize = 192;
  // Field offsets and widths (strings include their NUL).
  static constexpr std::size_t kMagic = 0;
  static constexpr std::size_t kDrawingName = 4, kDrawingNameWidth = 61;
  static constexpr std::size_t kAuthor = 65, kAuthorWidth = 41;
  static constexpr std::size_t kUpdater = 106, kUpdaterWidth = 41;
  static constexpr std::size_t kPassword = 147, kPasswordWidth = 9;
  static constexpr std::size_t kProtection = 156;
  static constexpr std::size_t kPaperMode = 157;
  static constexpr std::size_t kFormatVersion = 158;
  static constexpr std::size_t kPaperSize = 160;
  static constexpr std::size_t kOrientation = 162;
  static constexpr std::size_t kPrintType = 164;
  static constexpr std::size_t kCurrentLayer = 174;
  static constexpr std::size_t kCreationDate = 176;
  static constexpr std::size_t kUpdateDate = 180;
  static constexpr std::size_t kScale = 184;
  static constexpr std::size_t kLastFloat = 188;

  std::array<uint8_t, kSize> bytes{};

  std::string_view drawingName() const { return GetFixedString(&bytes[kDrawingName], kDrawingNameWidth); }
  void setDrawingName(std::string_view s) { PutFixedString(&bytes[kDrawingName], kDrawingNameWidth, s); }
  std::string_view author() const { return GetFixedString(&bytes[kAuthor], kAuthorWidth); }
  void setAuthor(std::string_view s) { PutFixedString(&bytes[kAuthor], kAuthorWidth, s); }
  std::string_view updater() const { return GetFixedString(&bytes[kUpdater], kUpdaterWidth); }
  void setUpdater(std::string_view s) { PutFixedString(&bytes[kUpdater], kUpdaterWidth, s); }
  // At most 8 bytes, all that can be typed to remove it: the ninth is the terminator, even in a
  // file that has none there.
  std::string_view password() const { return GetFixedString(&bytes[kPassword], kPasswordWidth - 1); }
  void setPassword(std::string_view s) { PutFixedString(&bytes[kPassword], kPasswordWidth, s); }

  uint8_t protection() const { return bytes[kProtection]; }
  void setProtection(uint8_t v) { bytes[kProtection] = v; }
  uint8_t paperMode() const { return bytes[kPaperMode]; }
  void setPaperMode(uint8_t v) { bytes[kPaperMode] = v; }
  uint8_t formatVersion() const { return bytes[kFormatVersion]; }
  void setFormatVersion(uint8_t v) { bytes[kFormatVersion] = v; }
  int16_t paperSize() const { return GetI16(&bytes[kPaperSize]); }
  void setPaperSize(int16_t v) { PutI16(&bytes[kPaperSize], v); }
  int16_t orientation() const { return GetI16(&bytes[kOrientation]); }
  void setOrientation(int16_t v) { PutI16(&bytes[kOrientation], v); }
  int16_t printType() const { return GetI16(&bytes[kPrintType]); }
  void setPrintType(int16_t v) { PutI16(&bytes[kPrintType], v); }
  int16_t currentLayer() const { return GetI16(&bytes[kCurrentLayer]); }
  void setCurrentLayer(int16_t v) { PutI16(&bytes[kCurrentLayer], v); }
  int32_t creationDate() const { return GetI32(&bytes[kCreationDate]); }
  void setCreationDate(int32_t v) { PutI32(&bytes[kCreationDate], v); }
  int32_t updateDate() const { return GetI32(&bytes[kUpdateDate]); }
  void setUpdateDate(int32_t v) { PutI32(&bytes[kUpdateDate], v); }
  float scale() const { return GetF32(&bytes[kScale]); }
  void setScale(float v) { PutF32(&bytes[kScale], v); }
};

}  // namespace plenwick
