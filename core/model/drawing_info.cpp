// Drawing information: from the header to the dialog's values and back.
#include "model/drawing_info.h"

#include <algorithm>
#include <cmath>

#include "model/fixed_text.h"
#include "model/plenwick_doc.h"

namespace plenwick {

namespace {

constexpr int kFallbackYear = 1997;

// A header may come from any file: a NaN or absurd scale is shown inside the dialog's range.
int32_t ScaleForDialog(float stored) {
  if (std::isnan(stored)) return kMinDrawingScale;
  const double clamped = std::clamp(static_cast<double>(stored), double{kMinDrawingScale}, double{kMaxDrawingScale});
  return static_cast<int32_t>(std::lround(clamped));
}

DrawingInfo CommonInfo(const DrawingHeader& header, std::string_view fileName) {
  DrawingInfo info;
  info.fileName = std::string(fileName);
  info.drawingName = std::string(header.drawingName());
  info.author = std::string(header.author());
  info.updater = std::string(header.updater());
  info.password = std::string(header.password());
  info.scale = ScaleForDialog(header.scale());
  info.paperSize = header.paperSize();
  info.orientation = header.orientation();
  info.printType = header.printType();
  info.paperMode = header.paperMode();
  info.protection = header.protection();
  return info;
}

CalendarDate ExistingDate(int32_t stored) {
  CalendarDate d = SplitYYYYMMDD(stored);
  if (d.year < 2011 || d.year > 2100) d.year = kFallbackYear;
  if (d.day < 1 || d.day > 31) d.day = 1;
  return d;
}

// The values every mode copies back.
void ApplyCommon(DrawingHeader& header, const DrawingInfo& info) {
  header.setDrawingName(SjisPrefix(info.drawingName, DrawingHeader::kDrawingNameWidth - 1));
  header.setUpdater(SjisPrefix(info.updater, DrawingHeader::kUpdaterWidth - 1));
  header.setUpdateDate(ToYYYYMMDD(info.updateDate));
  header.setScale(static_cast<float>(std::clamp(info.scale, kMinDrawingScale, kMaxDrawingScale)));
  header.setPaperSize(info.paperSize);
  header.setOrientation(info.orientation);
  header.setPrintType(info.printType);
  header.setPaperMode(static_cast<uint8_t>(info.paperMode));
  header.setProtection(static_cast<uint8_t>(info.protection));
}

}  // namespace

DrawingInfo DrawingInfoForNewDrawing(const DrawingHeader& header, std::string_view fileName) {
  DrawingInfo info = CommonInfo(header, fileName);
  info.creationDate = SplitYYMMDD(header.creationDate());
  info.updateDate = SplitYYMMDD(header.updateDate());
  return info;
}

DrawingInfo DrawingInfoForExistingDrawing(const DrawingHeader& header, std::string_view fileName) {
  DrawingInfo info = CommonInfo(header, fileName);
  info.creationDate = ExistingDate(header.creationDate());
  info.updateDate = ExistingDate(header.updateDate());
  return info;
}

void ApplyNewDrawingInfo(CPlenwickDoc& doc, const DrawingInfo& info) {
  doc.fileName.assign(info.fileName);
  doc.header.setAuthor(SjisPrefix(info.author, DrawingHeader::kAuthorWidth - 1));
  doc.header.setPassword(SjisPrefix(info.password, DrawingHeader::kPasswordWidth - 1));
  doc.header.setCreationDate(ToYYYYMMDD(info.creationDate));
  ApplyCommon(doc.header, info);
  doc.extentWidth = 594;
  doc.extentHeight = 420;
}

bool ApplyDrawingInfo(CPlenwickDoc& doc, const DrawingInfo& info) {
  DrawingHeader& h = doc.header;
  const float oldScale = h.scale();
  const int16_t oldPaperSize = h.paperSize();
  const uint8_t oldPaperMode = h.paperMode();
  if (doc.protection != kPasswordProtected) h.setPassword(SjisPrefix(info.password, DrawingHeader::kPasswordWidth - 1));
  ApplyCommon(h, info);
  doc.protection = h.protection();
  // Compared as stored, so that a NaN scale from a file that the dialog showed as 1 counts as changed.
  return !(h.scale() == oldScale) || h.paperSize() != oldPaperSize || h.paperMode() != oldPaperMode;
}

std::string_view CheckPasswordRemoval(std::string_view storedPassword, std::string_view entered) {
  return entered == storedPassword ? std::string_view() : kWrongPasswordMessage;
}

}  // namespace plenwick
