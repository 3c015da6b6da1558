// Distance label text, placement and exclusive-or drawing.
#include "view/tool_framework/distance_label.h"

#include <cmath>
#include <numbers>

#include "model/number_text.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {
constexpr double kShortest = 0.05;  // model mm: no label below
constexpr int kFontHeight = 12;     // pixels; with a font this small the text centre is (25, 15)
constexpr int kFontWidth = 6;       // fixed pitch, so that the text can be centred
constexpr PixelPoint kTextCentre{25, 15};
constexpr ColourRef kYellow = MakeColourRef(255, 255, 0);
}  // namespace

std::string DistanceLabelText(double length) { return FormatNumberText(length, 1); }

std::optional<DistanceLabelPlan> PlanDistanceLabel(const ViewMapping& mapping, ModelPoint p, ModelPoint q) {
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double d = std::hypot(dx, dy);
  if (!(d >= kShortest) || !std::isfinite(d)) return std::nullopt;
  double a = std::atan2(dy, dx) * 180 / std::numbers::pi;
  if (a < 0) a += 360;

  DistanceLabelPlan plan;
  plan.text = DistanceLabelText(d);
  PixelPoint anchor = mapping.ModelToScreen((p.x + q.x) / 2, (p.y + q.y) / 2);
  if (std::fabs(a) < 10 || std::fabs(a - 180) < 10) {
    int characters = static_cast<int>(plan.text.size());
    if (plan.text.find('.') != std::string::npos) --characters;
    anchor.x = ClampPixel(static_cast<int64_t>(anchor.x) - 8 * characters);
  }
  anchor.y = ClampPixel(static_cast<int64_t>(anchor.y) - 15);
  plan.anchor = anchor;

  plan.font.face = Utf8ToSjis("ＭＳゴシック");
  plan.font.height = kFontHeight;
  plan.font.width = kFontWidth;
  plan.font.fixedPitch = true;
  const int textWidth = static_cast<int>(plan.text.size()) * kFontWidth;
  plan.textTopLeft = {ClampPixel(static_cast<int64_t>(anchor.x) + kTextCentre.x - textWidth / 2),
                      ClampPixel(static_cast<int64_t>(anchor.y) + kTextCentre.y - kFontHeight / 2)};
  return plan;
}

void DrawDistanceLabel(Canvas& canvas, const DistanceLabelPlan& plan) {
  const DrawMode mode = canvas.drawMode();
  const BackgroundMode background = canvas.backgroundMode();
  const ColourRef colour = canvas.textColour();
  canvas.SetDrawMode(DrawMode::kXor);
  canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  canvas.SetTextColour(kYellow);
  canvas.Text(plan.textTopLeft, plan.text, plan.font);
  canvas.SetDrawMode(mode);
  canvas.SetBackgroundMode(background);
  canvas.SetTextColour(colour);
}

}  // namespace plenwick
