// The HP-GL and HP-GL/2 command stream of a drawing, one command at a time, for a pen plotter on
// a port and for .pgl files alike: model millimetres converted to plotter units by the scale,
// the paper factor and the corrections; pens and line types sent when they change; and every
// element kind broken down into pen-up and pen-down moves, circles, arcs and labels.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/draw_entity.h"
#include "view/view_mapping.h"

namespace plenwick {

inline constexpr double kPlotterUnitMm = 0.025;

enum HpglCommandSet : int { kHpgl = 0, kHpgl2 = 1 };

// What the plot is asked for: "プロッター出力処理" and the command set of "プロッター設定".
struct HpglOptions {
  int commandSet = kHpgl;
  int paperSize = 4;     // Ａ０..Ａ６: 0..6
  int scaleChoice = 0;   // 0 the drawing's own scale, 1..6: 1/100, 1/50, 1/30, 1/20, 1/10, 1/1
  bool paperBased = false;  // "用紙基準縮尺" 考慮する
  int correctionX = 0;   // mm, −300..300
  int correctionY = 0;
  bool allLayers = false;  // "すべてを出力"; else "表示要素のみ"
};

// What the plot is taken from besides the elements.
struct HpglDrawing {
  ModelPoint areaMin;  // the drawing area (model mm)
  ModelPoint areaMax;
  double scale = 1;    // the drawing's own scale denominator
  int currentLayer = 0;
  std::array<uint8_t, 128> layerStates{};  // LayerDisplayState
};

// The denominator of the automatic scale: the area's diagonal / 1494.02141885583 × 2.185 taken
// whole, 1 up to 10, else down to a multiple of 10.
int AutomaticPlotScale(ModelPoint areaMin, ModelPoint areaMax);
// The scale the plot uses: the choice's value (the drawing's own for choice 0) when it is at
// least 1, else the automatic one.
int PlotScale(const HpglOptions& options, const HpglDrawing& drawing);
// Paper sizes against Ａ１ when the plot follows the paper; 1 otherwise.
double PlotPaperFactor(const HpglOptions& options);

// Takes each command (a label ends with ETX), followed by the generator's line end.
using HpglCommandSink = std::function<void(std::string_view command)>;

class HpglGenerator {
 public:
  // `lineEnd` follows every command: nothing on a port, CR LF in a file.
  HpglGenerator(const HpglOptions& options, const HpglDrawing& drawing, HpglCommandSink sink,
                std::string_view lineEnd = {});

  // The initialisation: "IN;", or ESC "%-1BBPIN;" for HP-GL/2.
  void Start();
  // One element: nothing when the layer rule leaves it out; else its pen and line type when they
  // changed, then its geometry. Elements with values that are not numbers draw nothing.
  void Element(const DrawEntity& e);
  // The end: pen up and away, page out.
  void End();

  // Whether the layer rule takes the element ("表示要素のみ": on the current layer or a layer in
  // normal colour; the grid always).
  bool Takes(const DrawEntity& e) const;

 private:
  void Emit(std::string_view command) {
    command_.assign(command);
    Send();
  }
  // Sends command_ with the line end.
  void Send() {
    command_ += lineEnd_;
    sink_(command_);
  }
  void PenAndLineType(const DrawEntity& e);
  void Geometry(const DrawEntity& e);
  // "PU" or "PD" with a converted model point.
  void Move(std::string_view mnemonic, ModelPoint p);
  void Segment(ModelPoint a, ModelPoint b);
  void Polyline(const std::vector<ModelPoint>& points);
  void Circle(ModelPoint centre, double radius);
  void Arc(const DrawEntity& e);
  void Text(const DrawEntity& e);
  void DimensionTerminators(const DrawEntity& e);
  void InfiniteLine(const DrawEntity& e);
  // Plotter units of a model coordinate, and of a model length.
  double X(double x) const { return (x - drawing_.areaMin.x) / divisor_ + correctionX_; }
  double Y(double y) const { return (y - drawing_.areaMin.y) / divisor_ + correctionY_; }
  double Length(double l) const { return l / divisor_; }
  // The command: mnemonic and numbers ("%0.2f" unless `decimals` says) joined by commas, then
  // `tail` and ";".
  void Command(std::string_view mnemonic, std::initializer_list<double> numbers, int decimals = 2,
               std::string_view tail = {});

  HpglOptions options_;
  HpglDrawing drawing_;
  HpglCommandSink sink_;
  std::string lineEnd_;
  double divisor_ = 1;  // k · s · u
  double correctionX_ = 0;
  double correctionY_ = 0;
  int lastPen_ = -1;       // none sent yet
  int lastLineType_ = 0;   // solid until told otherwise
  std::string command_;
};

}  // namespace plenwick
