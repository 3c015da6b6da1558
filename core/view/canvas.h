// The narrow drawing surface the view paints on: a device-context-like state (pen, brush, mode,
// background, text colour, clip) and the primitives drawing needs, all in device pixels.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plenwick {

// A Windows colour reference 0x00BBGGRR.
using ColourRef = uint32_t;
constexpr ColourRef MakeColourRef(int r, int g, int b) {
  return static_cast<ColourRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(ColourRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColourRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColourRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// Device pixel, y growing downward.
struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Device pixel rectangle; like a device context, fills cover left..right-1 and top..bottom-1.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

enum class PenStyle : uint8_t { kSolid, kDot, kDash, kDashDot, kDashDotDot };

// Cosmetic pens have a pixel width and a style; geometric pens (printing) are solid, with flat
// ends and mitred joins, and carry broken patterns as explicit pieces (StrokePath).
enum class PenKind : uint8_t { kCosmetic, kGeometric };

struct Pen {
  PenKind kind = PenKind::kCosmetic;
  PenStyle style = PenStyle::kSolid;
  int width = 1;  // device pixels
  ColourRef colour = 0;
  bool operator==(const Pen&) const = default;
};

// The six hatch patterns a brush can carry.
enum class HatchStyle : uint8_t {
  kHorizontal,        // ----
  kVertical,          // ||||
  kCross,             // ++++
  kBackwardDiagonal,  // ////
  kForwardDiagonal,   // \\\\ (top-left to bottom-right)
  kDiagonalCross,     // xxxx
};

enum class BrushKind : uint8_t { kNone, kSolid, kHatch };

struct Brush {
  BrushKind kind = BrushKind::kNone;
  HatchStyle hatch = HatchStyle::kHorizontal;
  ColourRef colour = 0;
  bool operator==(const Brush&) const = default;
};

// How a primitive combines with what is already drawn: copy, or exclusive-or (so that drawing a
// figure twice restores the picture) with the pen colour or its inverse.
enum class DrawMode : uint8_t {
  kCopy,    // R2_COPYPEN
  kXor,     // R2_XORPEN: destination ^= colour
  kNotXor,  // R2_NOTXORPEN: destination = ~(destination ^ colour)
};

// Whether gaps of broken pens, hatch brushes and text cells are filled with the background colour.
enum class BackgroundMode : uint8_t { kTransparent, kOpaque };

// A logical font: face name in Shift-JIS bytes, sizes in device pixels.
struct FontSpec {
  std::string face;     // Shift-JIS
  int height = 0;       // cell height
  int width = 0;        // average character width; 0 = natural
  int escapement = 0;   // tenths of a degree, counter-clockwise
  int charSet = 128;    // SHIFTJIS_CHARSET
  bool fixedPitch = false;
  bool operator==(const FontSpec&) const = default;
};
inline constexpr int kShiftJisCharSet = 128;

// A 5 x 5 colour matrix applied to row vectors (r, g, b, a, 1) with components in 0..1.
struct ColourMatrix {
  std::array<float, 25> m{};
  static ColourMatrix Identity() {
    ColourMatrix c;
    for (int i = 0; i < 5; ++i) c.m[static_cast<std::size_t>(i * 6)] = 1.0f;
    return c;
  }
  // Scales each component; the translation row stays zero.
  static ColourMatrix Scale(float r, float g, float b, float a) {
    ColourMatrix c = Identity();
    c.m[0] = r;
    c.m[6] = g;
    c.m[12] = b;
    c.m[18] = a;
    return c;
  }
  bool operator==(const ColourMatrix&) const = default;
};

using PixelPolyline = std::vector<PixelPoint>;

// The drawing state lives here; implementations read it when a primitive is drawn.
class Canvas {
 public:
  virtual ~Canvas() = default;

  void SetPen(const Pen& pen) { pen_ = pen; }
  void SetBrush(const Brush& brush) { brush_ = brush; }
  void SetDrawMode(DrawMode mode) { drawMode_ = mode; }
  void SetBackgroundMode(BackgroundMode mode) { backgroundMode_ = mode; }
  void SetBackgroundColour(ColourRef colour) { backgroundColour_ = colour; }
  void SetTextColour(ColourRef colour) { textColour_ = colour; }
  // Restricts drawing to `rect` (device pixels); null removes the restriction.
  void SetClip(const PixelRect* rect) {
    hasClip_ = rect != nullptr;
    if (rect) clip_ = *rect;
    ClipChanged();
  }

  const Pen& pen() const { return pen_; }
  const Brush& brush() const { return brush_; }
  DrawMode drawMode() const { return drawMode_; }
  BackgroundMode backgroundMode() const { return backgroundMode_; }
  ColourRef backgroundColour() const { return backgroundColour_; }
  ColourRef textColour() const { return textColour_; }
  bool hasClip() const { return hasClip_; }
  const PixelRect& clip() const { return clip_; }

  // Straight line from a to b with the pen; the last pixel is left out, so connected lines
  // drawn in exclusive-or mode do not cancel at their joints.
  virtual void Line(PixelPoint a, PixelPoint b) = 0;
  virtual void Polyline(std::span<const PixelPoint> points) = 0;
  // Closed polygon filled with the brush and outlined with the pen.
  virtual void Polygon(std::span<const PixelPoint> points) = 0;
  // Rectangle and ellipse in the box, filled with the brush and outlined with the pen.
  virtual void Rectangle(const PixelRect& box) = 0;
  virtual void Ellipse(const PixelRect& box) = 0;
  // Part of the ellipse in `box`: from startDegrees (counter-clockwise from the right, as seen
  // on the screen) over sweepDegrees (positive counter-clockwise).
  virtual void Arc(const PixelRect& box, double startDegrees, double sweepDegrees) = 0;
  // Strokes the collected pieces with the pen as one path (printed broken lines).
  virtual void StrokePath(std::span<const PixelPolyline> pieces) = 0;
  // Text in Shift-JIS bytes with the top-left corner of its cell at topLeft, turned by the
  // font's escapement about that corner, in the text colour.
  virtual void Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) = 0;
  // Draws the image file (path in Shift-JIS) stretched into box, through the colour matrix when
  // given. False when the file does not load (nothing is drawn then).
  virtual bool Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) = 0;
  // Fills the rectangle with a colour, ignoring pen, brush and mode.
  virtual void FillRect(const PixelRect& rect, ColourRef colour) = 0;

 protected:
  virtual void ClipChanged() {}

 private:
  Pen pen_;
  Brush brush_;
  DrawMode drawMode_ = DrawMode::kCopy;
  BackgroundMode backgroundMode_ = BackgroundMode::kOpaque;
  ColourRef backgroundColour_ = 0xFFFFFF;
  ColourRef textColour_ = 0;
  bool hasClip_ = false;
  PixelRect clip_;
};

}  // namespace plenwick
