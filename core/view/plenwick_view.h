// The view of one drawing without any window system: its mapping, the view commands (base
// screen, whole view, zoom, range zoom, centre and hand move, arrow panning), the grid, frame and
// origin-mark switches, cursor coordinates, painting and printing. A window hosts it through
// ViewHost.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/layer_table.h"
#include "view/canvas.h"
#include "view/paper.h"
#include "view/print_mapping.h"
#include "view/render_context.h"
#include "view/view_document.h"
#include "view/view_mapping.h"

namespace plenwick {

// Command ids the view handles.
enum ViewCommandId : int {
  kCmdRedraw = 32873,
  kCmdBaseScreen = 32874,
  kCmdShowWhole = 32875,
  kCmdGridDisplay = 32876,
  kCmdAreaFrame = 32877,
  kCmdOriginMark = 32878,
  kCmdMagnet = 32879,
  kCmdZoomIn = 32880,
  kCmdZoomOut = 32881,
  kCmdRangeZoom = 32882,
  kCmdGridPitch = 32889,
  kCmdHandMove = 32896,
  kCmdCentreMove = 32897,
  kCmdDistanceDisplay = 32898,
  kCmdPageUp = 32788,
  kCmdPageDown = 32787,
  kCmdPanUp = 32777,
  kCmdPanDown = 32772,
  kCmdPanLeft = 32774,
  kCmdPanRight = 32775,
};

// ViewMode values.
enum ViewModeValue : int16_t {
  kViewNormal = 0,      // mouse goes to the active tool
  kViewRangeArmed = 1,  // waiting for the first corner of a range
  kViewRubber = 2,      // rubber rectangle in progress
  kViewCentreMove = 3,
  kViewHandMove = 4,
};

// Cursor resources of the hand move.
inline constexpr int kCursorClosedHand = 199;
inline constexpr int kCursorOpenHand = 200;

// What the window system does for the view.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  // Runs `draw` at once on a canvas over the client area (a client device context).
  virtual void DrawOnClient(const std::function<void(Canvas&)>& draw) = 0;
  // Marks a client rectangle (null: the whole client) to be painted by the next paint.
  virtual void Invalidate(const PixelRect* rect) = 0;
  // Writes a status-bar pane of the main frame (UTF-8).
  virtual void SetStatusText(int pane, std::string_view text) = 0;
  // Scroll sizes of the window (the document extent).
  virtual void SetScrollSizes(int width, int height) { (void)width, (void)height; }
  virtual void SetCursorShape(int resource) { (void)resource; }
  // Shows an instruction in the prompt box (UTF-8).
  virtual void ShowPrompt(std::string_view text) { (void)text; }
  // The image save caught `rect` (client pixels, normalised, inside the client, both sides over
  // 9 pixels): copy it from the picture and save it.
  virtual void SaveRegionImage(const PixelRect& rect) { (void)rect; }
  // The printer's current paper, when there is a printer.
  virtual std::optional<PaperSize> PrinterPaper() const { return std::nullopt; }
  // Takes an erased, whole paint of the client to make at the next paint, so that view changes
  // coming faster than a large drawing renders cost one render; false: the view paints now.
  virtual bool PaintWholeLater() { return false; }
};

// What is drawn over the view's picture and is no part of it (a tool's exclusive-or feedback and
// highlights): taken off the client area the view is about to paint, and put back after, so that
// no pixel of it is caught in a paint and none is left behind.
class PaintOverlay {
 public:
  virtual ~PaintOverlay() = default;
  // `box` (client pixels) is about to be painted on `canvas`: take off what is drawn over it there.
  virtual void BeforePaint(Canvas& canvas, const PixelRect& box) = 0;
  // `box` now shows the elements in their own states: put the overlay back there, under the
  // view's present mapping (which may have changed since it was drawn).
  virtual void AfterPaint(Canvas& canvas, const PixelRect& box) = 0;
};

// "X :%7.0f" / "Y :%7.0f" with magnitudes below 1 shown as 0.
std::string CursorCoordinateText(char axis, double value);

class CPlenwickView {
 public:
  CPlenwickView(ViewDocument doc, ViewHost& host);
  CPlenwickView(const CPlenwickView&) = delete;
  CPlenwickView& operator=(const CPlenwickView&) = delete;

  // First show: the grid element of an empty drawing, layers, paper, drawing area, origin
  // offset, then the base screen.
  void OnInitialUpdate();
  // The paint routine on the screen: the background when needed, the elements, the grid, the
  // frame and the origin mark. clipBox is the area being painted.
  void OnDraw(Canvas& canvas, const PixelRect& clipBox);
  // The window's paint of `box` (client pixels, the canvas clipped to it): the overlay taken off,
  // the background erased, OnDraw, and the overlay put back.
  void OnPaint(Canvas& canvas, const PixelRect& box);
  // How many drawing passes so far covered the whole client: the costly renders a large drawing
  // must not repeat while its window settles.
  int wholeRenders() const { return wholeRenders_; }
  // What is drawn over the picture (null: nothing); every paint of the view goes round it.
  void SetPaintOverlay(PaintOverlay* overlay) { overlay_ = overlay; }
  PaintOverlay* paintOverlay() const { return overlay_; }
  // How a page is mapped: as the drawing's print type says (1 fits the page, else true scale),
  // or forced either way.
  enum class PrintScaling { kAsDrawing, kTrueScale, kFitToPage };
  // Printing one page through the printing mapping; the screen mapping is kept.
  void PrintPage(Canvas& canvas, const PrinterDevice& printer, PrintScaling scaling = PrintScaling::kAsDrawing);
  // The whole drawing for a metafile, a clipboard picture or a vector file: true scale on its
  // paper at pixelsPerMm device pixels a paper mm (not the screen's window, which would keep
  // only what the screen shows), `exporting` set, grid and origin mark off whatever the display
  // says. Returns the page (device pixels).
  PixelRect DrawForExport(Canvas& canvas, double pixelsPerMm);
  // Client resized.
  void OnSize(int cx, int cy);
  // Background erase: fills the clip box with the background colour.
  void OnEraseBackground(Canvas& canvas, const PixelRect& clipBox);

  // The commands of the table; false for ids the view does not handle.
  bool OnCommand(int id);
  // Whether a command's menu item carries a check mark.
  bool IsChecked(int id) const;

  // Mouse events in client pixels. Each returns true when the view used the event itself
  // (a view mode is active), false when it belongs to the active tool.
  bool OnLButtonDown(PixelPoint p);
  bool OnLButtonUp(PixelPoint p);
  bool OnRButtonDown(PixelPoint p);
  void OnRButtonUp(PixelPoint p);
  bool OnMouseMove(PixelPoint p);

  // View commands.
  void ShowBaseScreen();
  void ShowWhole();
  void ZoomByFactor(double f);
  void ZoomToRect(PixelPoint a, PixelPoint b);
  void CentreAt(PixelPoint p);
  void HandMove(PixelPoint press, PixelPoint release);
  void ArrowPan(int commandId);
  // The window's scroll bars moved by (dx, dy) pixels, right and down positive: the picture
  // moves the other way and the whole client is invalidated.
  void ScrollBy(int dx, int dy);
  void Redraw();
  void ToggleGrid();
  void ToggleAreaFrame();
  void ToggleOriginMark();
  void SetGridPitch(double pitch);
  // Grid and origin mark switched off until the state is given back (the page setup shows the
  // drawing without them).
  struct ScreenAids {
    int16_t grid = 0;
    int16_t originMark = 0;
  };
  ScreenAids HideScreenAids();
  void RestoreScreenAids(ScreenAids saved);

  // Drawing one element now in a state (tools, highlight, erase) on a client canvas.
  void DrawElement(Canvas& canvas, const DrawEntity& entity, int state);
  // Invalidates the client area the element covers.
  void InvalidateEntity(const DrawEntity& entity);
  // A drawing pass over the view's mapping, settings and layers.
  RenderContext MakeRenderContext(Canvas& canvas);

  // Copies the layer states, names and current layer from the drawing.
  void TakeLayersFromDocument();
  // The layer list changes the view's copy.
  void SetLayerState(int layer, uint8_t state);
  void SetCurrentLayer(int layer);

  // The view's mapping between model mm and client pixels.
  PixelPoint ModelToScreen(double x, double y) const { return mapping_.ModelToScreen(x, y); }
  ModelPoint ScreenToModel(int sx, int sy) const { return mapping_.ScreenToModel(sx, sy); }

  ViewMapping& mapping() { return mapping_; }
  const ViewMapping& mapping() const { return mapping_; }
  const LayerView& layers() const { return layers_; }
  const RenderSettings& renderSettings() const { return settings_; }
  PaperSize paper() const { return paper_; }
  // The printer setup put the drawing on another paper (paper mm).
  void FollowPaper(PaperSize paper) { paper_ = paper; }
  ViewDocument& document() { return doc_; }

  int16_t ViewMode = kViewNormal;
  int16_t AreaCaptureKind = 0;  // 0 zoom, 1 copy to clipboard, 2 save as image
  static constexpr int kMinCaptureSide = 10;  // narrower image saves save nothing
  int16_t leftButtonDown = 0;
  int16_t rightButtonDown = 0;
  PixelPoint pressPoint;
  PixelRect rubber;               // corners (x1, y1) = left/top fields, (x2, y2) = right/bottom fields
  bool rubberDrawn = false;
  int handPressed = 0;
  int ForceFullErase = 0;
  int DirectDraw = 0;
  bool textBoxShown = false;      // the text tool's inline input box is open
  std::array<std::array<uint8_t, LayerTable::kNameWidth>, LayerTable::kLayers> layerNames{};

 private:
  // Copies the scale, display colours and pen widths the paint uses.
  void RefreshFromDocument();
  // Fills the client with the background colour, fits the window, recentres and paints.
  bool ApplyWindow(const ModelRect& window);
  void PaintNow(bool eraseFirst);
  void DrawRubber(Canvas& canvas) const;
  // The second corner of an image save: the rectangle normalised and clipped to the client.
  void FinishImageSave(PixelPoint first, PixelPoint second);
  void FollowScroll();
  PixelRect ClientRect() const { return {0, 0, mapping_.clientWidth, mapping_.clientHeight}; }
  DrawEntity* GridEntity() const;
  ModelPoint AreaMin() const { return {doc_.areaMin[0], doc_.areaMin[1]}; }

  ViewDocument doc_;
  ViewHost& host_;
  ViewMapping mapping_;
  LayerView layers_;
  RenderSettings settings_;
  PaperSize paper_;
  std::optional<ColourRef> lastBackground_;
  PaintOverlay* overlay_ = nullptr;
  int wholeRenders_ = 0;
};

}  // namespace plenwick
