// A canvas that writes an enhanced metafile (EMF): every pen, brush, mode, clip and primitive
// becomes the matching little-endian record, so other programs redraw the picture as we drew it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "view/canvas.h"

namespace plenwick {

// A picture as 32-bit pixels, rows from the top, each pixel blue, green, red, alpha.
struct EmfBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgra;
};

// Decodes an image file placed in a drawing (path in Shift-JIS), through the colour matrix when
// given; nothing when it does not load. The core holds no image decoders: the caller lends one.
using EmfImageSource = std::function<std::optional<EmfBitmap>(std::string_view pathSjis, const ColourMatrix* matrix)>;

class EmfCanvas final : public Canvas {
 public:
  // Device units of pixelsPerMm a millimetre (the reference device the header describes).
  explicit EmfCanvas(double pixelsPerMm, EmfImageSource images = {});

  void Line(PixelPoint a, PixelPoint b) override;
  void Polyline(std::span<const PixelPoint> points) override;
  void Polygon(std::span<const PixelPoint> points) override;
  void Rectangle(const PixelRect& box) override;
  void Ellipse(const PixelRect& box) override;
  void Arc(const PixelRect& box, double startDegrees, double sweepDegrees) override;
  void StrokePath(std::span<const PixelPolyline> pieces) override;
  void Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) override;
  bool Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) override;
  void FillRect(const PixelRect& rect, ColourRef colour) override;

  // The whole file: the header (bounds, frame, counts), the records, and the end record. The
  // page is `page` (device units): the frame is its size in 0.01 mm.
  std::vector<uint8_t> Finish(const PixelRect& page) const;

  // Object handles the records use: a pen, a brush and a font slot, each with two handles so a
  // new object is selected before the old one is deleted.
  static constexpr int kHandleCount = 7;

 protected:
  void ClipChanged() override;

 private:
  class Record;
  enum Slot { kPenSlot = 0, kBrushSlot = 1, kFontSlot = 2 };
  // Brings the file's pen, brush, mixing mode and background up to the canvas state.
  void SyncState(bool withBrush);
  void SelectPen(const Pen& pen);
  void SelectBrush(const Brush& brush);
  void SelectFont(const FontSpec& font);
  void SetValue(uint32_t type, uint32_t value, std::optional<uint32_t>& last);
  // The handle the next object of a slot goes to, the one now selected being deleted after.
  uint32_t NextHandle(Slot slot);
  void Retire(Slot slot, uint32_t newHandle);
  void Grow(int64_t left, int64_t top, int64_t right, int64_t bottom);
  void GrowBy(std::span<const PixelPoint> points, int extra);
  void Append(const Record& record);
  // A record of a point count and the points, after the points' bounds.
  void PointsRecord(uint32_t type, std::span<const PixelPoint> points);

  double pixelsPerMm_;
  EmfImageSource images_;
  std::vector<uint8_t> body_;
  uint32_t records_ = 0;
  // Bounds of what is drawn, inclusive (device units); none yet while left > right.
  int64_t boundsLeft_ = 1, boundsTop_ = 1, boundsRight_ = 0, boundsBottom_ = 0;
  std::optional<Pen> filePen_;
  std::optional<Brush> fileBrush_;  // nullopt: the stock hollow brush is not selected yet
  std::optional<FontSpec> fileFont_;
  std::optional<uint32_t> rop2_, bkMode_, bkColour_, textColour_, arcDirection_;
  uint32_t selected_[3] = {0, 0, 0};  // handle selected in each slot, 0 = none of ours
  bool textAlignSet_ = false;
  bool nullPen_ = false;  // the stock hollow pen is selected (fills)
};

// Record types of the EMF format this writer uses.
enum EmfRecordType : uint32_t {
  kEmrHeader = 1,
  kEmrPolygon = 3,
  kEmrPolyline = 4,
  kEmrPolylineTo = 6,
  kEmrEof = 14,
  kEmrSetBkMode = 18,
  kEmrSetRop2 = 20,
  kEmrSetTextAlign = 22,
  kEmrSetTextColor = 24,
  kEmrSetBkColor = 25,
  kEmrMoveToEx = 27,
  kEmrIntersectClipRect = 30,
  kEmrSelectObject = 37,
  kEmrCreatePen = 38,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrEllipse = 42,
  kEmrRectangle = 43,
  kEmrArc = 45,
  kEmrLineTo = 54,
  kEmrSetArcDirection = 57,
  kEmrBeginPath = 59,
  kEmrEndPath = 60,
  kEmrStrokePath = 64,
  kEmrSelectClipRgn = 67,
  kEmrStretchDiBits = 81,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutW = 84,
  kEmrExtCreatePen = 95,
};

// Stock objects a record may select without creating them.
inline constexpr uint32_t kEmfStockFlag = 0x80000000u;
inline constexpr uint32_t kEmfNullBrush = 0x80000005u;
inline constexpr uint32_t kEmfNullPen = 0x80000008u;

}  // namespace plenwick
