// Defaults of a new drawing's header and per-drawing values.
#include "model/document_defaults.h"

#include "model/number_convert.h"
#include "platform/folders.h"
#include "platform/sjis.h"

namespace plenwick {

DocumentEnvironment CurrentDocumentEnvironment() { return {Today(), LoginName()}; }

namespace {

// A user name that does not fit is replaced as a whole rather than cut: half a name would
// look like a different user.
std::string_view NameOrUntitled(std::string_view nameSjis, std::size_t width) {
  return nameSjis.size() <= width - 1 ? nameSjis : kUntitledSjis;
}

}  // namespace

DrawingHeader NewDrawingHeader(const ParameterBlock& params, const DocumentEnvironment& env) {
  using P = ParameterBlock;
  DrawingHeader h;
  h.bytes[0] = 'P';
  h.bytes[1] = 'W';
  h.bytes[2] = 'K';
  h.bytes[3] = 0;
  h.setDrawingName(kNoTitleSjis);
  const std::string user = Utf8ToSjis(env.loginName);
  h.setAuthor(NameOrUntitled(user, DrawingHeader::kAuthorWidth));
  h.setUpdater(NameOrUntitled(user, DrawingHeader::kUpdaterWidth));
  h.setPassword("");
  h.setProtection(0);
  h.setPaperMode(static_cast<uint8_t>(params.I16(P::kNewPaperMode)));
  h.setFormatVersion(3);
  h.setPaperSize(static_cast<int16_t>(params.I32(P::kDefaultPaperSize)));
  h.setOrientation(0);  // landscape
  h.setPrintType(0);    // real size
  const int32_t today = ToYYMMDD(env.today);
  h.setCreationDate(today);
  h.setUpdateDate(today);
  h.setScale(static_cast<float>(params.I32(P::kDefaultScale)));
  return h;
}

DrawingValues DrawingValuesFromParameters(const ParameterBlock& params) {
  using P = ParameterBlock;
  // Where the values sit in the 112-byte block; the bytes not named stay 0.
  constexpr std::size_t kDimDecimalsAt = 2;
  constexpr std::size_t kOnesAt = 8;     // 3 x int16 1
  constexpr std::size_t kThreesAt = 14;  // 3 x int16 3
  constexpr std::size_t kExtUpperAt = 24;  // 3 x int32
  constexpr std::size_t kExtLowerAt = 36;  // 3 x int32
  constexpr std::size_t kDimTextSizeAt = 48;
  constexpr std::size_t kHatchSpacingXAt = 52;
  constexpr std::size_t kHatchSpacingYAt = 56;
  constexpr std::size_t kTextHeightAt = 64;
  constexpr std::size_t kTextWidthAt = 68;

  DrawingValues v;
  uint8_t* b = v.bytes.data();
  PutI16(b + kDimDecimalsAt, params.I16(P::kDimDecimals));
  // The extension lengths are kept as whole numbers here; a file may hold any float.
  const int32_t upper = TruncateToInt32(params.F32(P::kDimExtUpper));
  const int32_t lower = TruncateToInt32(params.F32(P::kDimExtLower));
  for (std::size_t i = 0; i < 3; ++i) {
    PutI16(b + kOnesAt + 2 * i, 1);
    PutI16(b + kThreesAt + 2 * i, 3);
    PutI32(b + kExtUpperAt + 4 * i, upper);
    PutI32(b + kExtLowerAt + 4 * i, lower);
  }
  PutF32(b + kDimTextSizeAt, params.F32(P::kDimTextSize));
  PutF32(b + kHatchSpacingXAt, params.F32(P::kHatchSpacingX));
  PutF32(b + kHatchSpacingYAt, params.F32(P::kHatchSpacingY));
  PutF32(b + kTextHeightAt, params.F32(P::kTextHeight));
  PutF32(b + kTextWidthAt, params.F32(P::kTextWidth));
  for (int i = 0; i < DrawingValues::kColourCount; ++i)
    v.setDisplayColour(i, params.I32(P::kDisplayColours + 4 * static_cast<std::size_t>(i)));
  return v;
}

}  // namespace plenwick
