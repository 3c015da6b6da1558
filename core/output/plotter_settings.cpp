// Plotter settings between combo indexes, line settings and the parameter file.
#include "output/plotter_settings.h"

#include <algorithm>

namespace plenwick {

namespace {

constexpr int kCorrectionBits = 10;
constexpr int32_t kCorrectionMask = (1 << kCorrectionBits) - 1;
constexpr int kCorrectionXShift = 5;
constexpr int kCorrectionYShift = kCorrectionXShift + kCorrectionBits;

int32_t PackCorrection(int mm) { return static_cast<int32_t>(std::clamp(mm, -300, 300)) & kCorrectionMask; }

int UnpackCorrection(int32_t field) {
  int v = field & kCorrectionMask;
  if (v >= 1 << (kCorrectionBits - 1)) v -= 1 << kCorrectionBits;
  return std::clamp(v, -300, 300);
}

}  // namespace

PlotterInterface PlotterInterface::From(const ProgramSettings& s) {
  PlotterInterface p;
  p.command = s.PlotterCommand;
  p.port = s.PlotterPort;
  p.baudRate = s.PlotterBaudRate;
  p.dataBits = s.PlotterDataBits;
  p.parity = s.PlotterParity;
  p.stopBits = s.PlotterStopBits;
  p.flowControl = s.PlotterFlowControl;
  return p;
}

void PlotterInterface::ApplyTo(ProgramSettings& s) const {
  s.PlotterCommand = command;
  s.PlotterPort = port;
  s.PlotterBaudRate = baudRate;
  s.PlotterDataBits = dataBits;
  s.PlotterParity = parity;
  s.PlotterStopBits = stopBits;
  s.PlotterFlowControl = flowControl;
}

bool IsSerialPort(int port) { return port < 4; }

PortLineSettings LineSettingsOf(const PlotterInterface& p) {
  PortLineSettings line;
  line.serial = IsSerialPort(p.port);
  if (p.baudRate >= 0 && p.baudRate < static_cast<int>(kBaudRates.size())) {
    line.baudRate = kBaudRates[static_cast<std::size_t>(p.baudRate)];
  }
  if (p.dataBits >= 0 && p.dataBits < static_cast<int>(kDataBitsItems.size())) line.dataBits = 4 + p.dataBits;
  if (p.parity == 1) line.parity = Parity::kEven;
  if (p.parity == 2) line.parity = Parity::kOdd;
  if (p.stopBits == 1) line.stopBits = StopBits::kOneAndHalf;
  if (p.stopBits == 2) line.stopBits = StopBits::kTwo;
  if (p.flowControl >= 1 && p.flowControl <= 3) line.flow = static_cast<FlowControl>(p.flowControl);
  return line;
}

HpglOptions PlotOptionsOf(const ProgramSettings& s, int drawingPaperSize) {
  HpglOptions o;
  o.commandSet = s.PlotterCommand;
  o.paperSize = s.PlotterOption1 >= 1 && s.PlotterOption1 <= 7 ? s.PlotterOption1 - 1
                : drawingPaperSize >= 0 && drawingPaperSize <= 6 ? drawingPaperSize
                                                                 : 4;
  const int32_t packed = s.PlotterOption2;
  o.scaleChoice = std::clamp(packed & 7, 0, 6);
  o.paperBased = (packed >> 3) & 1;
  o.allLayers = (packed >> 4) & 1;
  o.correctionX = UnpackCorrection(packed >> kCorrectionXShift);
  o.correctionY = UnpackCorrection(packed >> kCorrectionYShift);
  return o;
}

void StorePlotOptions(const HpglOptions& o, ProgramSettings& s) {
  s.PlotterOption1 = std::clamp(o.paperSize, 0, 6) + 1;
  s.PlotterOption2 = std::clamp(o.scaleChoice, 0, 6) | (o.paperBased ? 1 << 3 : 0) | (o.allLayers ? 1 << 4 : 0) |
                     PackCorrection(o.correctionX) << kCorrectionXShift |
                     PackCorrection(o.correctionY) << kCorrectionYShift;
}

}  // namespace plenwick
