// The view's state, commands, mouse modes, painting and printing.
#include "view/plenwick_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/entity_core.h"
#include "model/program_settings.h"
#include "view/entity_bounds.h"
#include "view/entity_renderer.h"
#include "view/tool_framework/command_ids.h"
#include "view/view_paint.h"

namespace plenwick {

namespace {

constexpr int kMinimumZoomPixels = 10;  // smaller ranges and hand moves change nothing
constexpr double kDegenerate = 0.05;    // model mm: degenerate drawing areas and boxes

ViewMarks MarksOf(const ViewDocument& doc) {
  const ProgramSettings& s = CurrentSettings();
  return {{doc.areaMin[0], doc.areaMin[1]}, {doc.originX, doc.originY}, s.PaperFrameDisplay, s.OriginMarkDisplay};
}

}  // namespace

std::string CursorCoordinateText(char axis, double value) {
  if (std::fabs(value) < 1) value = 0;
  char text[64];
  std::snprintf(text, sizeof text, "%c :%7.0f", axis, value);
  return text;
}

CPlenwickView::CPlenwickView(ViewDocument doc, ViewHost& host) : doc_(doc), host_(host) {}

void CPlenwickView::RefreshFromDocument() {
  mapping_.scale = UsableScale(doc_.header.scale());
  for (int i = 0; i < kViewColourCount; ++i) {
    settings_.displayColours[static_cast<std::size_t>(i)] = static_cast<ColourRef>(doc_.drawingValues.displayColour(i)) & 0xFFFFFF;
  }
  const ProgramSettings& s = CurrentSettings();
  for (std::size_t i = 0; i < settings_.penWidthsMm.size(); ++i) settings_.penWidthsMm[i] = s.PenWidths[i];
  for (std::size_t i = 0; i < settings_.thickWidthsMm.size(); ++i) settings_.thickWidthsMm[i] = s.ThickLineWidths[i];
  settings_.dimArrowSizeMode = s.DimArrowSizeMode;
}

DrawEntity* CPlenwickView::GridEntity() const {
  for (DrawEntity& e : doc_.entities) {
    if (e.kind == kGrid) return &e;
  }
  return nullptr;
}

void CPlenwickView::TakeLayersFromDocument() {
  layers_.currentLayer = std::clamp<int>(doc_.layers.currentLayer, 0, kLayerCount - 1);
  layers_.states = doc_.layers.states;
  layerNames = doc_.layers.names;
}

void CPlenwickView::SetLayerState(int layer, uint8_t state) {
  if (layer >= 0 && layer < kLayerCount) layers_.states[static_cast<std::size_t>(layer)] = state;
}

void CPlenwickView::SetCurrentLayer(int layer) {
  if (layer >= 0 && layer < kLayerCount) layers_.currentLayer = layer;
}

void CPlenwickView::OnInitialUpdate() {
  host_.SetScrollSizes(doc_.extentWidth, doc_.extentHeight);
  mapping_.clientWidth = mapping_.extentWidth = std::max(0, static_cast<int>(doc_.extentWidth));
  mapping_.clientHeight = mapping_.extentHeight = std::max(0, static_cast<int>(doc_.extentHeight));
  RefreshFromDocument();
  const double scale = mapping_.scale;
  mapping_.ViewWindow = {0, 0, mapping_.clientWidth * scale, mapping_.clientHeight * scale};
  mapping_.FitViewWindow();

  if (doc_.entities.empty()) {
    const ProgramSettings& s = CurrentSettings();
    const int16_t codes[] = {10, 20, 30};
    const double values[] = {0, 0, s.GridPitch};
    const auto style = static_cast<int16_t>(s.GridLineType * 100 + s.GridKind);
    AddEntity({kGrid, s.GridDisplay, style, 0, 3}, nullptr, doc_.entities, codes, 0, values, nullptr);
  }
  TakeLayersFromDocument();

  const std::optional<PaperSize> printerPaper = doc_.header.paperMode() == 1 ? host_.PrinterPaper() : std::nullopt;
  paper_ = printerPaper ? *printerPaper : PaperFromTable(doc_.header.paperSize(), doc_.header.orientation());
  if (!doc_.areaSet) {
    doc_.areaMin = {0, 0, 0};
    doc_.areaMax = {paper_.width * scale, paper_.height * scale, 0};
  }
  doc_.originX = paper_.width * scale / 2;
  doc_.originY = paper_.height * scale / 2;
  ShowBaseScreen();
}

void CPlenwickView::OnSize(int cx, int cy) {
  mapping_.clientWidth = std::max(0, cx);
  mapping_.clientHeight = std::max(0, cy);
  doc_.extentWidth = std::max(cx, 594);
  doc_.extentHeight = std::max(cy, 420);
  mapping_.extentWidth = std::max(mapping_.extentWidth, mapping_.clientWidth);
  mapping_.extentHeight = std::max(mapping_.extentHeight, mapping_.clientHeight);
}

void CPlenwickView::OnEraseBackground(Canvas& canvas, const PixelRect& clipBox) {
  canvas.FillRect(clipBox, settings_.colour(kColourBackground));
}

RenderContext CPlenwickView::MakeRenderContext(Canvas& canvas) {
  return RenderContext(canvas, mapping_, settings_, layers_);
}

void CPlenwickView::OnDraw(Canvas& canvas, const PixelRect& clipBox) {
  RefreshFromDocument();
  const ColourRef background = settings_.colour(kColourBackground);
  if (ForceFullErase || lastBackground_ != background) canvas.FillRect(clipBox, background);
  ForceFullErase = 0;
  lastBackground_ = background;
  const PixelRect client = ClientRect();
  const bool whole = clipBox.left <= 0 && clipBox.top <= 0 && clipBox.right >= client.right && clipBox.bottom >= client.bottom;
  if (whole) ++wholeRenders_;
  PaintEntities(MakeRenderContext(canvas), doc_.entities, MarksOf(doc_));
}

void CPlenwickView::PrintPage(Canvas& canvas, const PrinterDevice& printer, PrintScaling scaling) {
  const ViewMapping saved = mapping_;
  RefreshFromDocument();
  const bool fit = scaling == PrintScaling::kAsDrawing ? doc_.header.printType() == 1 : scaling == PrintScaling::kFitToPage;
  if (fit) {
    mapping_ = FitToPageMapping(mapping_, printer);
  } else {
    const PaperSize paper = TrueScalePaper(paper_, doc_.header.paperMode() == 1, printer, doc_.header.orientation());
    mapping_ = TrueScaleMapping(mapping_, printer, paper, AreaMin());
  }
  RenderContext ctx = MakeRenderContext(canvas);
  ctx.printing = true;
  ctx.devicePixelsPerMm = DevicePixelsPerMm(printer);
  PaintEntities(ctx, doc_.entities, MarksOf(doc_));
  mapping_ = saved;
}

PixelRect CPlenwickView::DrawForExport(Canvas& canvas, double pixelsPerMm) {
  const ViewMapping saved = mapping_;
  RefreshFromDocument();
  const double perInch = pixelsPerMm * 25.4;
  mapping_ = TrueScaleMapping(mapping_, PrinterDevice{0, 0, perInch, perInch, 0}, paper_, AreaMin());
  RenderContext ctx = MakeRenderContext(canvas);
  ctx.exporting = true;  // also keeps the grid out
  ViewMarks marks = MarksOf(doc_);
  marks.originMarkSwitch = 0;
  PaintEntities(ctx, doc_.entities, marks);
  const PixelRect page{0, 0, mapping_.clientWidth, mapping_.clientHeight};
  mapping_ = saved;
  return page;
}

void CPlenwickView::OnPaint(Canvas& canvas, const PixelRect& box) {
  if (overlay_) overlay_->BeforePaint(canvas, box);
  OnEraseBackground(canvas, box);
  OnDraw(canvas, box);
  if (overlay_) overlay_->AfterPaint(canvas, box);
}

void CPlenwickView::PaintNow(bool eraseFirst) {
  // The window's next paint erases and paints the whole client just as this would.
  if ((eraseFirst || ForceFullErase) && host_.PaintWholeLater()) return;
  host_.DrawOnClient([&](Canvas& canvas) {
    const PixelRect client = ClientRect();
    // Some paints go over the old picture without erasing it: the overlay must be off it first.
    if (overlay_) overlay_->BeforePaint(canvas, client);
    if (eraseFirst) canvas.FillRect(client, settings_.colour(kColourBackground));
    DirectDraw = 1;
    OnDraw(canvas, client);
    DirectDraw = 0;
    if (overlay_) overlay_->AfterPaint(canvas, client);
  });
}

bool CPlenwickView::ApplyWindow(const ModelRect& window) {
  const ViewMapping saved = mapping_;
  mapping_.ViewWindow = window;
  // A window that cannot be shown leaves the view as it was: so does one zoomed in so far that
  // its pixels would pass the range the mapping can count (points would collapse onto each
  // other and the cursor would read wrong coordinates).
  const auto countable = [this](double model) { return std::fabs(model * mapping_.PixelsPerModelMm()) < kPixelLimit / 2; };
  if (!mapping_.FitViewWindow() || !countable(window.xmin) || !countable(window.xmax) || !countable(window.ymin) ||
      !countable(window.ymax)) {
    mapping_ = saved;
    return false;
  }
  mapping_.Recentre();
  PaintNow(true);
  return true;
}

void CPlenwickView::FollowScroll() {
  // Later zooms recentre on the window: keep it on what the client now shows.
  const ModelPoint centre = mapping_.ScreenToModel(mapping_.clientWidth / 2, mapping_.clientHeight - mapping_.clientHeight / 2);
  ModelRect& w = mapping_.ViewWindow;
  const double hw = w.width() / 2, hh = w.height() / 2;
  if (std::isfinite(centre.x) && std::isfinite(centre.y)) w = {centre.x - hw, centre.y - hh, centre.x + hw, centre.y + hh};
}

void CPlenwickView::ShowBaseScreen() {
  host_.SetScrollSizes(doc_.extentWidth, doc_.extentHeight);
  RefreshFromDocument();
  const double scale = mapping_.scale;
  mapping_.ViewWindow = {0, 0, mapping_.clientWidth * scale, mapping_.clientHeight * scale};
  mapping_.FitViewWindow();
  const double x0 = doc_.areaMin[0], y0 = doc_.areaMin[1], x1 = doc_.areaMax[0], y1 = doc_.areaMax[1];
  if (!(std::fabs(x1 - x0) >= kDegenerate) || !(std::fabs(y1 - y0) >= kDegenerate)) return;
  const double m = 5 / mapping_.PixelsPerMm * scale;
  const ViewMapping saved = mapping_;
  mapping_.ViewWindow = {x0 - m, y0 - m, x1 + m, y1 + m};
  if (!mapping_.FitViewWindow()) {
    mapping_ = saved;
    return;
  }
  const ModelRect& w = mapping_.ViewWindow;
  const PixelPoint c = mapping_.ModelToScreen((w.xmin + w.xmax) / 2, (w.ymin + w.ymax) / 2);
  const int W = mapping_.clientWidth, H = mapping_.clientHeight;
  mapping_.ScrollOffset.x = TruncToInt(static_cast<double>(mapping_.ScrollOffset.x) + c.x - W / 2);
  mapping_.ScrollOffset.y = TruncToInt(static_cast<double>(mapping_.ScrollOffset.y) + (H - H / 2) - c.y);
  PaintNow(true);
  ViewMode = kViewNormal;
  mapping_.extentWidth = W;
  mapping_.extentHeight = H;
}

void CPlenwickView::ShowWhole() {
  host_.SetScrollSizes(doc_.extentWidth, doc_.extentHeight);
  const EntityList& list = doc_.entities;
  if (list.empty() || (list.head == list.tail && list.head->kind == kGrid)) return;
  ModelRect box = EmptyWholeBounds();
  for (const DrawEntity& e : list) {
    if (e.mark >= 0) AddToWholeBounds(e, box);
  }
  if (!(box.width() >= kDegenerate) || !(box.height() >= kDegenerate)) return;
  RefreshFromDocument();
  const double m = 5 / mapping_.PixelsPerMm * mapping_.scale;
  if (!ApplyWindow({box.xmin - m, box.ymin - m, box.xmax + m, box.ymax + m})) return;
  mapping_.extentWidth = mapping_.clientWidth;
  mapping_.extentHeight = mapping_.clientHeight;
  ViewMode = kViewNormal;
}

void CPlenwickView::ZoomByFactor(double f) {
  ModelRect w = mapping_.ViewWindow;
  const double dx = w.width(), dy = w.height();
  w.xmin -= f * dx;
  w.xmax += f * dx;
  w.ymin -= f * dy;
  w.ymax += f * dy;
  ApplyWindow(w);
}

void CPlenwickView::ZoomToRect(PixelPoint a, PixelPoint b) {
  const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  if (right - left < kMinimumZoomPixels || bottom - top < kMinimumZoomPixels) return;
  const ModelPoint lowerLeft = mapping_.ScreenToModel(left, bottom);
  const ModelPoint upperRight = mapping_.ScreenToModel(right, top);
  ApplyWindow({lowerLeft.x, lowerLeft.y, upperRight.x, upperRight.y});
}

void CPlenwickView::CentreAt(PixelPoint p) {
  const int W = mapping_.clientWidth, H = mapping_.clientHeight;
  mapping_.ScrollOffset.x = TruncToInt(static_cast<double>(mapping_.ScrollOffset.x) + p.x - W / 2);
  mapping_.ScrollOffset.y = TruncToInt(static_cast<double>(mapping_.ScrollOffset.y) + (H - p.y) - H / 2);
  FollowScroll();
  PaintNow(true);
  ViewMode = kViewNormal;
}

void CPlenwickView::HandMove(PixelPoint press, PixelPoint release) {
  const double distance = std::hypot(static_cast<double>(release.x) - press.x, static_cast<double>(release.y) - press.y);
  if (distance < kMinimumZoomPixels) return;
  mapping_.ScrollOffset.x = TruncToInt(static_cast<double>(mapping_.ScrollOffset.x) + press.x - release.x);
  mapping_.ScrollOffset.y = TruncToInt(static_cast<double>(mapping_.ScrollOffset.y) + release.y - press.y);
  FollowScroll();
  ForceFullErase = 1;
  PaintNow(false);
}

void CPlenwickView::ArrowPan(int commandId) {
  if (textBoxShown) return;
  const int W = mapping_.clientWidth, H = mapping_.clientHeight;
  PixelPoint& s = mapping_.ScrollOffset;
  double x = s.x, y = s.y;
  switch (commandId) {
    case kCmdPanUp: y -= W / 4; break;
    case kCmdPanDown: y += W / 4; break;
    case kCmdPanLeft: x += H / 2; break;
    case kCmdPanRight: x -= H / 2; break;
    default: return;
  }
  s = {TruncToInt(x), TruncToInt(y)};
  FollowScroll();
  host_.Invalidate(nullptr);
}

void CPlenwickView::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  PixelPoint& s = mapping_.ScrollOffset;
  s = {TruncToInt(static_cast<double>(s.x) + dx), TruncToInt(static_cast<double>(s.y) - dy)};
  FollowScroll();
  host_.Invalidate(nullptr);
}

void CPlenwickView::Redraw() {
  ForceFullErase = 1;
  PaintNow(false);
  ViewMode = kViewNormal;
}

void CPlenwickView::ToggleGrid() {
  DrawEntity* grid = GridEntity();
  if (!grid) return;
  grid->subKind = grid->subKind ? 0 : 1;
  CurrentSettings().GridDisplay = grid->subKind;
  host_.Invalidate(nullptr);
}

CPlenwickView::ScreenAids CPlenwickView::HideScreenAids() {
  ProgramSettings& s = CurrentSettings();
  DrawEntity* grid = GridEntity();
  const ScreenAids saved{grid ? grid->subKind : int16_t{0}, s.OriginMarkDisplay};
  if (grid) grid->subKind = 0;
  s.OriginMarkDisplay = 0;
  ForceFullErase = 1;
  host_.Invalidate(nullptr);
  return saved;
}

void CPlenwickView::RestoreScreenAids(ScreenAids saved) {
  if (DrawEntity* grid = GridEntity()) grid->subKind = saved.grid;
  CurrentSettings().OriginMarkDisplay = saved.originMark;
  ForceFullErase = 1;
  host_.Invalidate(nullptr);
}

void CPlenwickView::ToggleAreaFrame() {
  int16_t& frame = CurrentSettings().PaperFrameDisplay;
  frame = frame == 0 ? 1 : 2;
  PaintNow(false);
  if (frame == 2) frame = 0;
}

void CPlenwickView::ToggleOriginMark() {
  int16_t& mark = CurrentSettings().OriginMarkDisplay;
  mark = mark == 0 ? 1 : 2;
  PaintNow(false);
  if (mark == 2) {
    const PixelPoint p = mapping_.ModelToScreen(doc_.areaMin[0] + doc_.originX, doc_.areaMin[1] + doc_.originY);
    const PixelRect square{p.x - 15, p.y - 15, p.x + 15, p.y + 15};
    host_.Invalidate(&square);
    mark = 0;
  }
}

void CPlenwickView::SetGridPitch(double pitch) {
  DrawEntity* grid = GridEntity();
  if (!grid || !grid->values || grid->valueCount < 3) return;
  grid->values[2] = pitch;
  host_.Invalidate(nullptr);
}

bool CPlenwickView::OnCommand(int id) {
  ProgramSettings& s = CurrentSettings();
  switch (id) {
    case kCmdRedraw: Redraw(); return true;
    case kCmdBaseScreen: ShowBaseScreen(); return true;
    case kCmdShowWhole: ShowWhole(); return true;
    case kCmdZoomIn:
    case kCmdPageUp: ZoomByFactor(-0.05); return true;
    case kCmdZoomOut:
    case kCmdPageDown: ZoomByFactor(0.05); return true;
    case kCmdRangeZoom:
      AreaCaptureKind = 0;
      ViewMode = ViewMode == kViewRangeArmed ? kViewNormal : kViewRangeArmed;
      return true;
    case kCmdSaveImage:
      AreaCaptureKind = 2;
      ViewMode = kViewRangeArmed;
      host_.ShowPrompt("画像保存する開始位置をクリックしてください。");
      return true;
    case kCmdCentreMove: ViewMode = ViewMode == kViewCentreMove ? kViewNormal : kViewCentreMove; return true;
    case kCmdHandMove:
      ViewMode = ViewMode == kViewHandMove ? kViewNormal : kViewHandMove;
      if (ViewMode == kViewHandMove) host_.SetCursorShape(kCursorOpenHand);
      return true;
    case kCmdGridDisplay: ToggleGrid(); return true;
    case kCmdAreaFrame: ToggleAreaFrame(); return true;
    case kCmdOriginMark: ToggleOriginMark(); return true;
    case kCmdMagnet: s.Magnet = s.Magnet ? 0 : 1; return true;
    case kCmdDistanceDisplay: s.DistanceDisplay = s.DistanceDisplay ? 0 : 1; return true;
    case kCmdGridPitch: SetGridPitch(s.GridPitch); return true;
    case kCmdPanUp:
    case kCmdPanDown:
    case kCmdPanLeft:
    case kCmdPanRight: ArrowPan(id); return true;
    default: return false;
  }
}

bool CPlenwickView::IsChecked(int id) const {
  const ProgramSettings& s = CurrentSettings();
  switch (id) {
    case kCmdRangeZoom: return AreaCaptureKind == 0 && (ViewMode == kViewRangeArmed || ViewMode == kViewRubber);
    case kCmdCentreMove: return ViewMode == kViewCentreMove;
    case kCmdHandMove: return ViewMode == kViewHandMove;
    case kCmdGridDisplay: {
      const DrawEntity* grid = GridEntity();
      return grid && grid->subKind != 0;
    }
    case kCmdAreaFrame: return s.PaperFrameDisplay != 0;
    case kCmdOriginMark: return s.OriginMarkDisplay != 0;
    case kCmdMagnet: return s.Magnet != 0;
    case kCmdDistanceDisplay: return s.DistanceDisplay != 0;
    default: return false;
  }
}

void CPlenwickView::DrawRubber(Canvas& canvas) const {
  canvas.SetDrawMode(DrawMode::kNotXor);
  canvas.SetPen({PenKind::kCosmetic, PenStyle::kDot, 1, settings_.colour(kColourZoomRange)});
  canvas.SetBrush({});
  canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  canvas.Rectangle({std::min(rubber.left, rubber.right), std::min(rubber.top, rubber.bottom),
                    std::max(rubber.left, rubber.right), std::max(rubber.top, rubber.bottom)});
  canvas.SetDrawMode(DrawMode::kCopy);
}

void CPlenwickView::FinishImageSave(PixelPoint first, PixelPoint second) {
  // Whatever comes of it, the next range is a zoom again.
  AreaCaptureKind = 0;
  const PixelRect client = ClientRect();
  const PixelRect r{std::max(std::min(first.x, second.x), client.left), std::max(std::min(first.y, second.y), client.top),
                    std::min(std::max(first.x, second.x), client.right), std::min(std::max(first.y, second.y), client.bottom)};
  if (int64_t{r.right} - r.left < kMinCaptureSide || int64_t{r.bottom} - r.top < kMinCaptureSide) return;
  host_.SaveRegionImage(r);
}

bool CPlenwickView::OnLButtonDown(PixelPoint p) {
  leftButtonDown = 1;
  if (rightButtonDown && ViewMode != kViewRubber) {
    ViewMode = kViewRubber;
    rubber = {p.x, p.y, p.x, p.y};
    rubberDrawn = false;
    return true;
  }
  switch (ViewMode) {
    case kViewRangeArmed:
      rubber = {p.x, p.y, p.x, p.y};
      rubberDrawn = false;
      return true;
    case kViewHandMove:
      pressPoint = p;
      handPressed = 1;
      host_.SetCursorShape(kCursorClosedHand);
      return true;
    case kViewRubber:
    case kViewCentreMove: return true;
    default: return false;
  }
}

bool CPlenwickView::OnLButtonUp(PixelPoint p) {
  leftButtonDown = 0;
  switch (ViewMode) {
    case kViewRangeArmed:
      ViewMode = kViewRubber;
      if (AreaCaptureKind == 2) host_.ShowPrompt("画像保存する図形を囲んで終了位置をクリックしてください。");
      return true;
    case kViewRubber: {
      if (rubberDrawn) host_.DrawOnClient([&](Canvas& c) { DrawRubber(c); });
      rubberDrawn = false;
      ViewMode = kViewNormal;
      const PixelPoint first{rubber.left, rubber.top};
      const PixelPoint second{rubber.right, rubber.bottom};
      if (AreaCaptureKind == 0) {
        if (second.x < first.x && second.y < first.y) {
          ZoomByFactor(0.5);
        } else {
          ZoomToRect(first, second);
        }
      } else if (AreaCaptureKind == 2) {
        FinishImageSave(first, second);
      }
      rubber = {p.x, p.y, p.x, p.y};
      return true;
    }
    case kViewCentreMove: CentreAt(p); return true;
    case kViewHandMove:
      if (handPressed) HandMove(pressPoint, p);
      handPressed = 0;
      host_.SetCursorShape(kCursorOpenHand);
      return true;
    default: return false;
  }
}

bool CPlenwickView::OnRButtonDown(PixelPoint p) {
  rightButtonDown = 1;
  if (leftButtonDown && ViewMode != kViewRubber) {
    ViewMode = kViewRubber;
    rubber = {p.x, p.y, p.x, p.y};
    rubberDrawn = false;
  }
  return false;  // the active tool has the right button as well
}

void CPlenwickView::OnRButtonUp(PixelPoint) { rightButtonDown = 0; }

bool CPlenwickView::OnMouseMove(PixelPoint p) {
  const ModelPoint m = mapping_.ScreenToModel(p.x, p.y);
  host_.SetStatusText(1, CursorCoordinateText('X', m.x - doc_.originX));
  host_.SetStatusText(2, CursorCoordinateText('Y', m.y - doc_.originY));
  if (ViewMode == kViewRubber) {
    if (!rubberDrawn || rubber.right != p.x || rubber.bottom != p.y) {
      host_.DrawOnClient([&](Canvas& c) {
        if (rubberDrawn) DrawRubber(c);
        rubber.right = p.x;
        rubber.bottom = p.y;
        DrawRubber(c);
      });
      rubberDrawn = true;
    }
  }
  return ViewMode != kViewNormal;
}

void CPlenwickView::DrawElement(Canvas& canvas, const DrawEntity& entity, int state) {
  RenderEntity(MakeRenderContext(canvas), entity, state);
}

void CPlenwickView::InvalidateEntity(const DrawEntity& entity) {
  if (const std::optional<PixelRect> rect = EntityInvalidationRect(mapping_, entity)) host_.Invalidate(&*rect);
}

}  // namespace plenwick
