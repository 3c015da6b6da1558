// The plotter's interface settings ("プロッター設定") and output parameters ("プロッター出力処理"):
// the items of their combos, the values the items stand for, and how they are kept in the
// program settings (the parameter file).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/program_settings.h"
#include "output/hpgl_generator.h"

namespace plenwick {

inline constexpr int kPlotterPortCount = 6;  // COM1..COM4, LPT1, LPT2

// The combos of "プロッター設定", in their order.
inline constexpr std::array<std::string_view, 2> kPlotterCommandItems = {"HP-GL(L.L)", "HP-GL/2"};
inline constexpr std::array<std::string_view, kPlotterPortCount> kPlotterPortItems = {
    "COM1 ｼﾘｱﾙ", "COM2 ｼﾙｱﾙ", "COM3 ｼﾘｱﾙ", "COM4 ｼﾘｱﾙ", "LPT1 ﾊﾟﾗﾚﾙ ", "LPT2 ﾊﾟﾗﾚﾙ"};
inline constexpr std::array<std::string_view, 9> kBaudRateItems = {
    "2400 bps", "4800 bps", "9600 bps", "14.4K bps", "19.2K bps", "38.4K bps", " 56K bps", "128K bps", "256K bps"};
inline constexpr std::array<int, 9> kBaudRates = {2400, 4800, 9600, 14400, 19200, 38400, 56000, 128000, 256000};
inline constexpr std::array<std::string_view, 5> kDataBitsItems = {"4 bit", "5 bit", "6 bit", "7 bit", "8 bit"};
inline constexpr std::array<std::string_view, 3> kParityItems = {"な し", "偶 数", "奇 数"};
inline constexpr std::array<std::string_view, 3> kStopBitsItems = {"1 bit", "1.5 bit", "2 bit"};
inline constexpr std::array<std::string_view, 4> kFlowControlItems = {"な\u3000し", "DTS/DSR", "RTS/CTS", "XON/XOFF"};

// The port names the items stand for, and the devices they open unless the ini file says
// otherwise.
inline constexpr std::array<std::string_view, kPlotterPortCount> kPlotterPortNames = {"COM1", "COM2", "COM3",
                                                                                       "COM4", "LPT1", "LPT2"};
inline constexpr std::array<std::string_view, kPlotterPortCount> kDefaultPortDevices = {
    "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/lp0", "/dev/lp1"};

enum class Parity { kNone, kEven, kOdd };
enum class StopBits { kOne, kOneAndHalf, kTwo };
enum class FlowControl { kNone, kDtrDsr, kRtsCts, kXonXoff };

// The combo indexes of "プロッター設定" as the parameter file keeps them. Indexes outside their
// lists are kept as read (the dialog shows the first item for them).
struct PlotterInterface {
  int command = 0;
  int port = 0;
  int baudRate = 2;
  int dataBits = 4;
  int parity = 0;
  int stopBits = 2;
  int flowControl = 0;

  static PlotterInterface From(const ProgramSettings& s);
  void ApplyTo(ProgramSettings& s) const;
};

// What a port is opened with: the line settings of a serial port (a parallel port takes none).
struct PortLineSettings {
  bool serial = true;
  int baudRate = 9600;
  int dataBits = 8;
  Parity parity = Parity::kNone;
  StopBits stopBits = StopBits::kOne;
  FlowControl flow = FlowControl::kNone;
};

// The line settings of the combo indexes (out-of-range indexes take 9600 bps, 8 bits, no parity,
// one stop bit, no flow control). The port index is that of the port list.
PortLineSettings LineSettingsOf(const PlotterInterface& settings);
bool IsSerialPort(int port);

// The output parameters of "プロッター出力処理" as the parameter file keeps them between runs:
// offset 0 the paper size + 1 (0: never chosen, the drawing's own paper is used); offset 4 the
// scale choice (bits 0–2), "考慮する" (bit 3), "すべてを出力" (bit 4) and the X and Y corrections
// (bits 5–14 and 15–24, ten-bit two's complement).
HpglOptions PlotOptionsOf(const ProgramSettings& s, int drawingPaperSize);
void StorePlotOptions(const HpglOptions& options, ProgramSettings& s);

}  // namespace plenwick
