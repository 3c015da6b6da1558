// Guards the shortcut for circles and arcs a few pixels across: against the painter stroking the
// same outlines, over thousands of random sizes, angles, places at and over the picture's edges
// and clips, pixel for pixel.
#include <gtest/gtest.h>

#include <random>

#include "qt_canvas.h"

namespace plenwick {
namespace {

TEST(TinyOutlines, DrawThePixelsThePainterDraws) {
  constexpr int kSide = 64;
  std::mt19937 rng(2024);
  auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  const double angles[] = {0, 90, 180, 270, 45, -90, 30.5, 359.9, 360, -360, 720.25, 12.3};
  for (int round = 0; round < 200; ++round) {
    QtImageCanvas canvas(kSide, kSide, 0xFFFFFF);
    QtImageCanvas stroked(kSide, kSide, 0xFFFFFF);
    stroked.DrawTinyOutlinesAsPoints(false);
    const PixelRect clip{pick(0, 20), pick(0, 20), pick(30, kSide), pick(30, kSide)};
    if (round % 2 == 1) {
      canvas.SetClip(&clip);
      stroked.SetClip(&clip);
    }
    const ColourRef colour = MakeColourRef(pick(0, 255), pick(0, 128), pick(0, 255));
    for (QtImageCanvas* c : {&canvas, &stroked}) c->SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, colour});
    for (int shape = 0; shape < 40; ++shape) {
      const int left = pick(-6, kSide), top = pick(-6, kSide);
      const PixelRect box{left, top, left + pick(1, 10), top + pick(1, 10)};
      const double start = angles[pick(0, 11)], sweep = angles[pick(0, 11)];
      for (QtImageCanvas* c : {&canvas, &stroked}) {
        if (shape % 3 == 0) {
          c->Ellipse(box);
        } else {
          c->Arc(box, start, sweep);
        }
      }
    }
    ASSERT_EQ(canvas.Finish(), stroked.Finish()) << "round " << round;
  }
}

}  // namespace
}  // namespace plenwick
