// Draws elements made of arbitrary bytes (any kind, state, line attribute and values, NaN and
// huge numbers included; hatch lines and terminators as the program draws them) through an
// arbitrary view mapping, on the screen and when printing:
// nothing may crash, convert an unrepresentable number, or put a point far beyond the pixel limit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "model/draw_entity.h"
#include "model/entity_core.h"
#include "model/entity_list.h"
#include "tools/standard_tools.h"
#include "view/entity_bounds.h"
#include "view/entity_renderer.h"
#include "view/recording_canvas.h"
#include "view/view_paint.h"

using namespace plenwick;

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  template <typename T>
  T Take() {
    T v{};
    const std::size_t n = std::min(sizeof(T), size_ - pos_);
    std::memcpy(&v, data_ + pos_, n);
    pos_ += n;
    return v;
  }
  bool empty() const { return pos_ >= size_; }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

constexpr int16_t kKinds[] = {kPoint, kGrid, kLine, kHorizontalInfiniteLine, kVerticalInfiniteLine, kAngledInfiniteLine,
                              kBezierCurve, kFreeCurve, kCircle, kArc, kText, kLeaderText, kDimension,
                              kGroupHeader, kPaint, kHatch, kImage, kPolygon};

void CheckPoints(const RecordingCanvas& canvas) {
  // Marks and grips reach a few pixels past a clamped point; nothing may come near overflowing.
  constexpr int kBound = 2 * kPixelLimit;
  auto check = [](PixelPoint p) {
    if (p.x > kBound || p.x < -kBound || p.y > kBound || p.y < -kBound) __builtin_trap();
  };
  for (const RecordedPrimitive& p : canvas.primitives()) {
    for (PixelPoint q : p.points) check(q);
    for (const PixelPolyline& piece : p.pieces) {
      for (PixelPoint q : piece) check(q);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The hooks the program draws dimensions' terminators and hatch lines through.
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;
  Bytes in(data, size);
  ViewMapping m;
  m.scale = in.Take<double>();
  m.scale = UsableScale(m.scale);
  m.PixelsPerMm = in.Take<double>();
  if (!(m.PixelsPerMm > 0) || m.PixelsPerMm > 1e12) m.PixelsPerMm = 1;
  m.ScrollOffset = {in.Take<int32_t>(), in.Take<int32_t>()};
  m.clientWidth = m.extentWidth = in.Take<uint16_t>() % 4096;
  m.clientHeight = m.extentHeight = in.Take<uint16_t>() % 4096;
  const uint8_t flags = in.Take<uint8_t>();
  RenderSettings settings;
  LayerView layers;
  layers.currentLayer = flags & 3;
  layers.states[1] = 0;
  layers.states[2] = 2;
  RecordingCanvas canvas;
  RenderContext ctx(canvas, m, settings, layers);
  ctx.printing = flags & 4;
  ctx.exporting = flags & 8;
  ctx.devicePixelsPerMm = in.Take<double>();

  EntityList list;
  for (int n = 0; n < 64 && !in.empty(); ++n) {
    auto e = std::make_unique<DrawEntity>();
    e->kind = kKinds[in.Take<uint8_t>() % std::size(kKinds)];
    e->subKind = in.Take<int16_t>();
    e->lineAttr = in.Take<int16_t>();
    e->mark = static_cast<int16_t>(in.Take<int8_t>() % 6);
    e->layer = static_cast<int16_t>(in.Take<int8_t>() % 4);
    e->colour = in.Take<int32_t>();
    const int count = in.Take<uint8_t>() % 24;
    e->valueCount = static_cast<int16_t>(count);
    e->values = std::make_unique<double[]>(static_cast<std::size_t>(count));
    e->codes = std::make_unique<int16_t[]>(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      e->values[i] = in.Take<double>();
      const uint8_t code = in.Take<uint8_t>();
      e->codes[i] = static_cast<int16_t>(code < 128 ? code % 12 : code == 128 ? 50 : code);
      if (code % 3 == 0) e->codes[i] = 10;
    }
    if (KindHasText(e->kind)) e->text.Assign(std::string_view("\x90\xbb\x90\x7d" "A", 5));
    const int state = in.Take<int8_t>() % 7;
    RenderEntity(ctx, *e, state);
    ModelRect box = EmptyWholeBounds();
    AddToWholeBounds(*e, box);
    (void)EntityInvalidationRect(m, *e);
    AppendEntity(list, std::move(e));
  }
  PaintEntities(ctx, list, {{in.Take<double>(), in.Take<double>()}, {in.Take<double>(), in.Take<double>()}, 1, 1});
  CheckPoints(canvas);
  return 0;
}
