// CPloterSetDlg, "プロッター設定" without a window: the seven combos' selections and the device
// each port opens, checked by "保\u3000存". The Qt window shows it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/user_interface.h"
#include "output/plotter_settings.h"

namespace plenwick {

class CPloterSetDlg {
 public:
  static constexpr std::string_view kCaption = "プロッター設定";
  static constexpr std::string_view kGroup = " インターフェイス設定 ";
  static constexpr std::string_view kCommandLabel = "出力コマンド";
  static constexpr std::string_view kPortLabel = "出力ポート";
  static constexpr std::string_view kBaudRateLabel = "ボーレート";
  static constexpr std::string_view kDataBitsLabel = "データビット";
  static constexpr std::string_view kParityLabel = "パリティ";
  static constexpr std::string_view kStopBitsLabel = "ストップビット";
  static constexpr std::string_view kFlowControlLabel = "フロー制御";
  static constexpr std::string_view kDeviceLabel = "デバイス";
  static constexpr std::string_view kSaveText = "保\u3000存";
  static constexpr std::string_view kCancelText = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kDeviceMessage = "デバイスは / で始まるパスで指定してください。";

  using Devices = std::array<std::string, kPlotterPortCount>;

  // Combo indexes outside their lists open on the first item.
  CPloterSetDlg(const PlotterInterface& settings, Devices devices);

  PlotterInterface& settings() { return settings_; }
  const PlotterInterface& settings() const { return settings_; }
  const Devices& devices() const { return devices_; }
  const std::string& device(int port) const { return devices_[Port(port)]; }
  // The port combo changes: the device edit's text is kept for the port shown until now.
  void SelectPort(int port, std::string_view deviceText);

  // "保　存" with the device edit's text: every device must be an absolute path. False, with the
  // message shown and the port at fault selected, otherwise.
  bool OnSave(std::string_view deviceText, UserInterface& ui);

 private:
  static std::size_t Port(int port) { return static_cast<std::size_t>(port >= 0 && port < kPlotterPortCount ? port : 0); }

  PlotterInterface settings_;
  Devices devices_;
};

}  // namespace plenwick
