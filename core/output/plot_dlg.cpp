// The output parameters' dialog logic and its preview.
#include "output/plot_dlg.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "view/entity_bounds.h"

namespace plenwick {

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr std::array<int, 7> kScaleValues = {0, 100, 50, 30, 20, 10, 1};

bool ParseCorrection(std::string_view text, int* mm) {
  int v = 0;
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || p != end || v < -300 || v > 300) return false;
  *mm = v;
  return true;
}

}  // namespace

CPlotDlg::CPlotDlg(const HpglOptions& stored, const HpglDrawing& drawing) : options_(stored), drawing_(drawing) {
  options_.scaleChoice = 0;
  for (std::size_t i = 1; i < kScaleValues.size(); ++i) {
    if (std::isfinite(drawing.scale) && static_cast<long long>(drawing.scale) == kScaleValues[i]) {
      options_.scaleChoice = static_cast<int>(i);
    }
  }
  options_.paperSize = std::clamp(options_.paperSize, 0, 6);
  options_.correctionX = std::clamp(options_.correctionX, -300, 300);
  options_.correctionY = std::clamp(options_.correctionY, -300, 300);
}

bool CPlotDlg::TakeCorrections(std::string_view x, std::string_view y, UserInterface& ui) {
  int cx = 0, cy = 0;
  const bool xTaken = ParseCorrection(x, &cx);
  if (!xTaken || !ParseCorrection(y, &cy)) {
    focusField_ = xTaken ? 1 : 0;
    ui.ShowMessage(kCorrectionMessage);
    return false;
  }
  options_.correctionX = cx;
  options_.correctionY = cy;
  return true;
}

double CPlotDlg::PreviewFactor(int paperSize) {
  constexpr std::array<double, 7> kFactors = {0.25, 0.5 / kSqrt2, 0.5, 1 / kSqrt2, 1, kSqrt2, 2};
  return kFactors[static_cast<std::size_t>(std::clamp(paperSize, 0, 6))];
}

std::vector<PlotPreviewShape> CPlotDlg::Preview(const EntityList& list) const {
  std::vector<PlotPreviewShape> shapes;
  const double f = PreviewFactor(options_.paperSize);
  // Model millimetres to paper millimetres as the plot converts them, then to pixels.
  const double toPaper = 1 / (PlotPaperFactor(options_) * PlotScale(options_, drawing_));
  const double left = kSheetLeft + options_.correctionX * f;
  const double bottom = kSheetTop + kSheetHeight - options_.correctionY * f;
  auto pixel = [&](double x, double y) {
    return ModelPoint{left + (x - drawing_.areaMin.x) * toPaper * f, bottom - (y - drawing_.areaMin.y) * toPaper * f};
  };
  const ModelRect area{std::min(drawing_.areaMin.x, drawing_.areaMax.x), std::min(drawing_.areaMin.y, drawing_.areaMax.y),
                       std::max(drawing_.areaMin.x, drawing_.areaMax.x), std::max(drawing_.areaMin.y, drawing_.areaMax.y)};
  HpglGenerator rule(options_, drawing_, [](std::string_view) {});
  for (const DrawEntity& e : list) {
    if (e.kind != kLine && e.kind != kCircle && e.kind != kArc) continue;
    ModelRect box;
    if (!rule.Takes(e) || !EntityDrawingBounds(e, box) || !area.Contains(box.xmin, box.ymin) ||
        !area.Contains(box.xmax, box.ymax)) {
      continue;
    }
    const double* v = e.values.get();
    PlotPreviewShape s;
    if (e.kind == kLine) {
      s.a = pixel(v[0], v[1]);
      s.b = pixel(v[2], v[3]);
    } else {
      s.kind = e.kind == kCircle ? PlotPreviewShape::Kind::kCircle : PlotPreviewShape::Kind::kArc;
      s.a = pixel(v[0], v[1]);
      s.radius = std::fabs(v[2]) * toPaper * f;
      if (e.kind == kArc) {
        // The arc the screen draws, as the plot takes it.
        const bool counterClockwise = e.subKind == 1;
        s.startAngle = counterClockwise ? v[3] : v[4];
        const double end = counterClockwise ? v[4] : v[3];
        s.sweep = std::fmod(end - s.startAngle + 720, 360);
        if (s.sweep == 0) s.sweep = 360;
      }
    }
    shapes.push_back(s);
  }
  return shapes;
}

}  // namespace plenwick
