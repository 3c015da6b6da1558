// The drawing information ("図面情報") as its dialog shows and edits it, and how the values go
// back into a document. The dialog itself belongs to the shell; this is its logic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document_defaults.h"
#include "model/drawing_dates.h"
#include "model/drawing_header.h"

namespace plenwick {

class CPlenwickDoc;

// Texts are Shift-JIS bytes (the dialog converts them for display).
struct DrawingInfo {
  std::string fileName;     // at most 60 bytes
  std::string drawingName;  // at most 60 bytes
  std::string author;       // at most 40 bytes
  std::string updater;      // at most 40 bytes
  std::string password;     // at most 8 bytes
  CalendarDate creationDate;
  CalendarDate updateDate;
  int32_t scale = 1;       // 1:n, 1..100000
  int16_t paperSize = 0;   // paper size index
  int16_t orientation = 0; // 0 landscape, 1 portrait
  int16_t printType = 0;   // 0 real size, 1 hard copy
  int16_t paperMode = 0;   // 1 the printer's paper, 0 the paper size index
  int32_t protection = 0;  // DrawingProtection
};

inline constexpr int32_t kMinDrawingScale = 1;
inline constexpr int32_t kMaxDrawingScale = 100000;
// "パスワードが違っています。"
inline constexpr std::string_view kWrongPasswordMessage = "パスワードが違っています。";

// The dialog's values for a new drawing: the header's dates are still YYMMDD.
DrawingInfo DrawingInfoForNewDrawing(const DrawingHeader& header, std::string_view fileName = kUntitledSjis);
// The dialog's values for an existing drawing: dates are read as YYYYMMDD; a year outside
// 2011..2100 shows as 1997 and a day outside 1..31 as 1.
DrawingInfo DrawingInfoForExistingDrawing(const DrawingHeader& header, std::string_view fileName);

// "実　行" on a new drawing: every value goes into the header and the file name (dates as
// YYYYMMDD from now on); the protection is stored in the header only and takes effect when
// the drawing is next opened. The extent becomes 594 x 420.
void ApplyNewDrawingInfo(CPlenwickDoc& doc, const DrawingInfo& info);

// OK on an existing drawing. The fields the dialog shows disabled (file name, author, creation
// date, and the password while the drawing is password-protected) are left as they are. The
// protection takes effect at once. Returns true when the scale, the paper size index or the
// paper mode changed, so that the views must be mapped again.
bool ApplyDrawingInfo(CPlenwickDoc& doc, const DrawingInfo& info);

// Removing a password protection: the entered text must equal the stored password exactly.
// Returns the message to show, or an empty text when the protection may go.
std::string_view CheckPasswordRemoval(std::string_view storedPassword, std::string_view entered);

}  // namespace plenwick
