// Enhanced-metafile records, written little-endian whatever the host, each padded to 4 bytes.
#include "output/emf_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "platform/sjis.h"

namespace plenwick {

namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kEmfVersion = 0x00010000;
constexpr uint32_t kHeaderSize = 108;           // with both header extensions, no description
constexpr uint32_t kEofSize = 20;

// Pen styles, brush styles and hatches of the format.
constexpr uint32_t kPsGeometricFlatMiter = 0x00010000 | 0x00000200 | 0x00002000;
constexpr uint32_t kBsSolid = 0, kBsHatched = 2;
constexpr uint32_t kR2CopyPen = 13, kR2XorPen = 7, kR2NotXorPen = 10;
constexpr uint32_t kTransparent = 1, kOpaque = 2;
constexpr uint32_t kAdCounterClockwise = 1, kAdClockwise = 2;
constexpr uint32_t kRgnCopy = 5;
constexpr uint32_t kGmCompatible = 1;
constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kLogFontPanoseSize = 320;

uint32_t PenStyleCode(PenStyle s) {
  switch (s) {
    case PenStyle::kDash: return 1;
    case PenStyle::kDot: return 2;
    case PenStyle::kDashDot: return 3;
    case PenStyle::kDashDotDot: return 4;
    default: return 0;
  }
}

uint32_t HatchCode(HatchStyle h) {
  switch (h) {
    case HatchStyle::kHorizontal: return 0;
    case HatchStyle::kVertical: return 1;
    case HatchStyle::kForwardDiagonal: return 2;
    case HatchStyle::kBackwardDiagonal: return 3;
    case HatchStyle::kCross: return 4;
    case HatchStyle::kDiagonalCross: return 5;
  }
  return 0;
}

uint32_t Rop2Of(DrawMode m) {
  switch (m) {
    case DrawMode::kXor: return kR2XorPen;
    case DrawMode::kNotXor: return kR2NotXorPen;
    default: return kR2CopyPen;
  }
}

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

// One record being built: type and size first, the size filled in when it is appended.
class EmfCanvas::Record {
 public:
  explicit Record(uint32_t type) { U32(type), U32(0); }
  Record& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Record& I32(int64_t v) { return U32(static_cast<uint32_t>(Clamp32(v))); }
  Record& U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v)), bytes_.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Record& U8(uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  Record& F32(float f) {
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof f);
    std::memcpy(&bits, &f, sizeof bits);
    return U32(bits);
  }
  Record& Point(PixelPoint p) { return I32(p.x).I32(p.y); }
  Record& Rect(int64_t l, int64_t t, int64_t r, int64_t b) { return I32(l).I32(t).I32(r).I32(b); }
  Record& Bytes(std::span<const uint8_t> b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  Record& Zeros(std::size_t n) {
    bytes_.insert(bytes_.end(), n, 0);
    return *this;
  }
  Record& Pad4() { return Zeros((4 - bytes_.size() % 4) % 4); }
  std::size_t size() const { return bytes_.size(); }
  // Patches a 32-bit field already written at `offset`.
  void Patch(std::size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[offset + static_cast<std::size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
  }
  std::vector<uint8_t>& bytes() { return bytes_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

EmfCanvas::EmfCanvas(double pixelsPerMm, EmfImageSource images)
    : pixelsPerMm_(std::isfinite(pixelsPerMm) && pixelsPerMm > 0 ? pixelsPerMm : 1),
      images_(std::move(images)) {}

void EmfCanvas::Append(const Record& record) {
  Record r = record;
  r.Pad4();
  r.Patch(4, static_cast<uint32_t>(r.size()));
  body_.insert(body_.end(), r.bytes().begin(), r.bytes().end());
  ++records_;
}

void EmfCanvas::Grow(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  if (boundsLeft_ > boundsRight_) {
    boundsLeft_ = left, boundsTop_ = top, boundsRight_ = right, boundsBottom_ = bottom;
    return;
  }
  boundsLeft_ = std::min(boundsLeft_, left), boundsTop_ = std::min(boundsTop_, top);
  boundsRight_ = std::max(boundsRight_, right), boundsBottom_ = std::max(boundsBottom_, bottom);
}

void EmfCanvas::GrowBy(std::span<const PixelPoint> points, int extra) {
  for (PixelPoint p : points) Grow(int64_t{p.x} - extra, int64_t{p.y} - extra, int64_t{p.x} + extra, int64_t{p.y} + extra);
}

uint32_t EmfCanvas::NextHandle(Slot slot) {
  const uint32_t first = 1 + 2 * static_cast<uint32_t>(slot);
  return selected_[slot] == first ? first + 1 : first;
}

void EmfCanvas::Retire(Slot slot, uint32_t newHandle) {
  Append(Record(kEmrSelectObject).U32(newHandle));
  if (selected_[slot] != 0) Append(Record(kEmrDeleteObject).U32(selected_[slot]));
  selected_[slot] = newHandle;
}

void EmfCanvas::SelectPen(const Pen& pen) {
  if (filePen_ == pen) return;
  filePen_ = pen;
  nullPen_ = false;
  const uint32_t h = NextHandle(kPenSlot);
  if (pen.kind == PenKind::kGeometric) {
    // No brush bitmap and no style entries: offsets and sizes stay 0.
    Append(Record(kEmrExtCreatePen).U32(h).U32(0).U32(0).U32(0).U32(0)
               .U32(kPsGeometricFlatMiter).U32(static_cast<uint32_t>(std::max(1, pen.width)))
               .U32(kBsSolid).U32(pen.colour & 0xFFFFFF).U32(0).U32(0));
  } else {
    Append(Record(kEmrCreatePen).U32(h).U32(PenStyleCode(pen.style)).I32(std::max(0, pen.width)).I32(0)
               .U32(pen.colour & 0xFFFFFF));
  }
  Retire(kPenSlot, h);
}

void EmfCanvas::SelectBrush(const Brush& brush) {
  if (fileBrush_ == brush) return;
  fileBrush_ = brush;
  if (brush.kind == BrushKind::kNone) {
    Append(Record(kEmrSelectObject).U32(kEmfNullBrush));
    if (selected_[kBrushSlot] != 0) Append(Record(kEmrDeleteObject).U32(selected_[kBrushSlot]));
    selected_[kBrushSlot] = 0;
    return;
  }
  const uint32_t h = NextHandle(kBrushSlot);
  const bool hatch = brush.kind == BrushKind::kHatch;
  Append(Record(kEmrCreateBrushIndirect).U32(h).U32(hatch ? kBsHatched : kBsSolid).U32(brush.colour & 0xFFFFFF)
             .U32(hatch ? HatchCode(brush.hatch) : 0));
  Retire(kBrushSlot, h);
}

void EmfCanvas::SelectFont(const FontSpec& font) {
  if (fileFont_ == font) return;
  fileFont_ = font;
  const uint32_t h = NextHandle(kFontSlot);
  Record r(kEmrExtCreateFontIndirectW);
  r.U32(h);
  // LOGFONTW: heights in device units (positive: the cell), escapement and orientation alike.
  r.I32(font.height).I32(font.width).I32(font.escapement).I32(font.escapement).I32(400);
  r.U8(0).U8(0).U8(0).U8(static_cast<uint8_t>(font.charSet));
  r.U8(0).U8(0).U8(0).U8(font.fixedPitch ? 1 : 2);
  std::u16string face = SjisToUtf16(font.face);
  face.resize(std::min<std::size_t>(face.size(), 31));
  for (std::size_t i = 0; i < 32; ++i) r.U16(i < face.size() ? static_cast<uint16_t>(face[i]) : 0);
  // The rest of LOGFONTPANOSE (full name, style, version, ... panose) left empty.
  r.Zeros(kLogFontPanoseSize - 92);
  Append(r);
  Retire(kFontSlot, h);
}

void EmfCanvas::SetValue(uint32_t type, uint32_t value, std::optional<uint32_t>& last) {
  if (last == value) return;
  last = value;
  Append(Record(type).U32(value));
}

void EmfCanvas::SyncState(bool withBrush) {
  SelectPen(pen());
  // Lines and arcs do not fill: the brush waits for the next figure that does.
  if (withBrush) SelectBrush(brush());
  SetValue(kEmrSetRop2, Rop2Of(drawMode()), rop2_);
  SetValue(kEmrSetBkMode, backgroundMode() == BackgroundMode::kOpaque ? kOpaque : kTransparent, bkMode_);
  SetValue(kEmrSetBkColor, backgroundColour() & 0xFFFFFF, bkColour_);
}

void EmfCanvas::ClipChanged() {
  // Back to no clip first: an intersection only ever narrows the one before.
  Append(Record(kEmrSelectClipRgn).U32(0).U32(kRgnCopy));
  if (hasClip()) {
    const PixelRect& c = clip();
    Append(Record(kEmrIntersectClipRect).Rect(c.left, c.top, c.right, c.bottom));
  }
}

void EmfCanvas::Line(PixelPoint a, PixelPoint b) {
  SyncState(false);
  Append(Record(kEmrMoveToEx).Point(a));
  Append(Record(kEmrLineTo).Point(b));
  const PixelPoint ends[] = {a, b};
  GrowBy(ends, pen().width / 2);
}

void EmfCanvas::PointsRecord(uint32_t type, std::span<const PixelPoint> points) {
  Record r(type);
  // The record's own bounds are those of its points.
  const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), [](auto p, auto q) { return p.x < q.x; });
  const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](auto p, auto q) { return p.y < q.y; });
  r.Rect(minX->x, minY->y, maxX->x, maxY->y).U32(static_cast<uint32_t>(points.size()));
  for (PixelPoint p : points) r.Point(p);
  Append(r);
}

void EmfCanvas::Polyline(std::span<const PixelPoint> points) {
  if (points.empty()) return;
  SyncState(false);
  GrowBy(points, pen().width / 2);
  PointsRecord(kEmrPolyline, points);
}

void EmfCanvas::Polygon(std::span<const PixelPoint> points) {
  if (points.empty()) return;
  SyncState(true);
  GrowBy(points, pen().width / 2);
  PointsRecord(kEmrPolygon, points);
}

void EmfCanvas::Rectangle(const PixelRect& box) {
  SyncState(true);
  Append(Record(kEmrRectangle).Rect(box.left, box.top, box.right, box.bottom));
  Grow(box.left, box.top, int64_t{box.right} - 1, int64_t{box.bottom} - 1);
}

void EmfCanvas::Ellipse(const PixelRect& box) {
  SyncState(true);
  Append(Record(kEmrEllipse).Rect(box.left, box.top, box.right, box.bottom));
  Grow(box.left, box.top, int64_t{box.right} - 1, int64_t{box.bottom} - 1);
}

void EmfCanvas::Arc(const PixelRect& box, double startDegrees, double sweepDegrees) {
  if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) return;
  SyncState(false);
  SetValue(kEmrSetArcDirection, sweepDegrees < 0 ? kAdClockwise : kAdCounterClockwise, arcDirection_);
  // The ends are given as radial points on the box's own axes, screen y downward.
  const double cx = (double{1} * box.left + box.right) / 2, cy = (double{1} * box.top + box.bottom) / 2;
  const double rx = std::max(1.0, (double{1} * box.right - box.left) / 2), ry = std::max(1.0, (double{1} * box.bottom - box.top) / 2);
  const auto radial = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return PixelPoint{Clamp32(std::llround(cx + rx * std::cos(a))), Clamp32(std::llround(cy - ry * std::sin(a)))};
  };
  const PixelPoint start = radial(startDegrees);
  // A full turn draws the whole ellipse when the ends meet.
  const PixelPoint end = std::fabs(sweepDegrees) >= 360 ? start : radial(startDegrees + sweepDegrees);
  Append(Record(kEmrArc).Rect(box.left, box.top, box.right, box.bottom).Point(start).Point(end));
  Grow(box.left, box.top, int64_t{box.right} - 1, int64_t{box.bottom} - 1);
}

void EmfCanvas::StrokePath(std::span<const PixelPolyline> pieces) {
  SyncState(false);
  Append(Record(kEmrBeginPath));
  int64_t l = std::numeric_limits<int32_t>::max(), t = l, r = std::numeric_limits<int32_t>::min(), b = r;
  for (const PixelPolyline& piece : pieces) {
    if (piece.size() < 2) continue;
    Append(Record(kEmrMoveToEx).Point(piece.front()));
    PointsRecord(kEmrPolylineTo, std::span<const PixelPoint>(piece.data() + 1, piece.size() - 1));
    for (PixelPoint p : piece) l = std::min<int64_t>(l, p.x), t = std::min<int64_t>(t, p.y), r = std::max<int64_t>(r, p.x), b = std::max<int64_t>(b, p.y);
    GrowBy(piece, pen().width / 2);
  }
  Append(Record(kEmrEndPath));
  if (l > r) l = t = r = b = 0;
  Append(Record(kEmrStrokePath).Rect(l, t, r, b));
}

void EmfCanvas::Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) {
  const std::u16string text = SjisToUtf16(sjis);
  if (text.empty()) return;
  SelectFont(font);
  if (!textAlignSet_) {
    Append(Record(kEmrSetTextAlign).U32(0));  // TA_TOP | TA_LEFT | TA_NOUPDATECP
    textAlignSet_ = true;
  }
  SetValue(kEmrSetTextColor, textColour() & 0xFFFFFF, textColour_);
  SetValue(kEmrSetBkMode, backgroundMode() == BackgroundMode::kOpaque ? kOpaque : kTransparent, bkMode_);
  SetValue(kEmrSetBkColor, backgroundColour() & 0xFFFFFF, bkColour_);
  SetValue(kEmrSetRop2, Rop2Of(drawMode()), rop2_);
  // Advances from the font's cell: wide characters a full height, others the average width.
  const int64_t narrow = font.width > 0 ? font.width : std::max(1, font.height / 2);
  const int64_t wide = font.width > 0 ? 2 * int64_t{font.width} : std::max(1, font.height);
  std::vector<int64_t> dx;
  int64_t run = 0;
  for (char16_t c : text) {
    const int64_t step = (c >= 0xD800 && c <= 0xDBFF) ? wide : (c >= 0xDC00 && c <= 0xDFFF) ? 0 : c < 0x2000 || (c >= 0xFF61 && c <= 0xFF9F) ? narrow : wide;
    dx.push_back(step);
    run += step;
  }
  const double turn = font.escapement / 10.0 * std::numbers::pi / 180;
  const double c = std::cos(turn), s = std::sin(turn);
  const double ex = run, ey = font.height;
  // The turned cell's corners, about the top-left, screen y downward.
  const double xs[] = {0, ex * c, ex * c + ey * s, ey * s};
  const double ys[] = {0, -ex * s, -ex * s + ey * c, ey * c};
  const double left = topLeft.x + *std::min_element(xs, xs + 4), right = topLeft.x + *std::max_element(xs, xs + 4);
  const double top = topLeft.y + *std::min_element(ys, ys + 4), bottom = topLeft.y + *std::max_element(ys, ys + 4);
  const int64_t bl = std::llround(std::floor(left)), bt = std::llround(std::floor(top));
  const int64_t br = std::llround(std::ceil(right)), bb = std::llround(std::ceil(bottom));
  Grow(bl, bt, br, bb);

  constexpr uint32_t kStringOffset = 76;
  const uint32_t stringBytes = static_cast<uint32_t>((text.size() * 2 + 3) / 4 * 4);
  Record r(kEmrExtTextOutW);
  r.Rect(bl, bt, br, bb).U32(kGmCompatible).F32(0).F32(0);
  r.Point(topLeft).U32(static_cast<uint32_t>(text.size())).U32(kStringOffset).U32(0).Rect(0, 0, -1, -1);
  r.U32(kStringOffset + stringBytes);
  for (char16_t ch : text) r.U16(static_cast<uint16_t>(ch));
  r.Pad4();
  for (int64_t d : dx) r.I32(d);
  Append(r);
}

bool EmfCanvas::Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) {
  if (!images_) return false;
  const std::optional<EmfBitmap> bitmap = images_(pathSjis, matrix);
  if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0 ||
      bitmap->bgra.size() != std::size_t(bitmap->width) * std::size_t(bitmap->height) * 4) {
    return false;
  }
  SetValue(kEmrSetRop2, Rop2Of(drawMode()), rop2_);
  constexpr uint32_t kBmiOffset = 80, kBmiSize = 40;
  const uint32_t bitsSize = static_cast<uint32_t>(bitmap->bgra.size());
  const int64_t w = int64_t{box.right} - box.left, h = int64_t{box.bottom} - box.top;
  Record r(kEmrStretchDiBits);
  r.Rect(box.left, box.top, int64_t{box.right} - 1, int64_t{box.bottom} - 1);
  r.I32(box.left).I32(box.top).I32(0).I32(0).I32(bitmap->width).I32(bitmap->height);
  r.U32(kBmiOffset).U32(kBmiSize).U32(kBmiOffset + kBmiSize).U32(bitsSize).U32(0).U32(kSrcCopy).I32(w).I32(h);
  // BITMAPINFOHEADER: 32 bits a pixel, uncompressed, rows from the bottom.
  r.U32(kBmiSize).I32(bitmap->width).I32(bitmap->height).U16(1).U16(32).U32(0).U32(bitsSize).I32(0).I32(0).U32(0).U32(0);
  const std::size_t rowBytes = std::size_t(bitmap->width) * 4;
  for (int row = bitmap->height - 1; row >= 0; --row) {
    r.Bytes(std::span<const uint8_t>(bitmap->bgra.data() + std::size_t(row) * rowBytes, rowBytes));
  }
  Append(r);
  Grow(box.left, box.top, int64_t{box.right} - 1, int64_t{box.bottom} - 1);
  return true;
}

void EmfCanvas::FillRect(const PixelRect& rect, ColourRef colour) {
  if (rect.IsEmpty()) return;
  // A hollow pen leaves the rectangle one unit short on the right and bottom: that is the fill.
  // The canvas state is untouched: the next primitive selects its own pen again.
  if (!nullPen_) {
    Append(Record(kEmrSelectObject).U32(kEmfNullPen));
    if (selected_[kPenSlot] != 0) Append(Record(kEmrDeleteObject).U32(selected_[kPenSlot]));
    selected_[kPenSlot] = 0;
    filePen_.reset();
    nullPen_ = true;
  }
  SelectBrush({BrushKind::kSolid, HatchStyle::kHorizontal, colour});
  SetValue(kEmrSetRop2, kR2CopyPen, rop2_);
  Append(Record(kEmrRectangle).Rect(rect.left, rect.top, int64_t{rect.right} + 1, int64_t{rect.bottom} + 1));
  Grow(rect.left, rect.top, int64_t{rect.right} - 1, int64_t{rect.bottom} - 1);
}

std::vector<uint8_t> EmfCanvas::Finish(const PixelRect& page) const {
  std::vector<uint8_t> out;
  const int64_t width = std::max<int64_t>(1, int64_t{page.right} - page.left);
  const int64_t height = std::max<int64_t>(1, int64_t{page.bottom} - page.top);
  const uint32_t total = kHeaderSize + static_cast<uint32_t>(body_.size()) + kEofSize;
  Record h(kEmrHeader);
  if (boundsLeft_ > boundsRight_) {
    h.Rect(0, 0, -1, -1);
  } else {
    h.Rect(boundsLeft_, boundsTop_, boundsRight_, boundsBottom_);
  }
  const double mmWide = static_cast<double>(width) / pixelsPerMm_, mmHigh = static_cast<double>(height) / pixelsPerMm_;
  h.Rect(0, 0, std::llround(mmWide * 100), std::llround(mmHigh * 100));
  h.U32(kEmfSignature).U32(kEmfVersion).U32(total).U32(records_ + 2);
  h.U16(kHandleCount).U16(0).U32(0).U32(0).U32(0);
  h.I32(width).I32(height).I32(std::max<int64_t>(1, std::llround(mmWide))).I32(std::max<int64_t>(1, std::llround(mmHigh)));
  h.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
  h.I32(std::llround(mmWide * 1000)).I32(std::llround(mmHigh * 1000));
  h.Patch(4, static_cast<uint32_t>(h.size()));
  out = h.bytes();
  out.insert(out.end(), body_.begin(), body_.end());
  Record eof(kEmrEof);
  eof.U32(0).U32(16).U32(kEofSize);
  eof.Patch(4, kEofSize);
  out.insert(out.end(), eof.bytes().begin(), eof.bytes().end());
  return out;
}

}  // namespace plenwick
