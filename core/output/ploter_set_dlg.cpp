// The plotter interface dialog's logic.
#include "output/ploter_set_dlg.h"

#include <utility>

namespace plenwick {

namespace {

int InList(int index, std::size_t size) { return index >= 0 && index < static_cast<int>(size) ? index : 0; }

}  // namespace

CPloterSetDlg::CPloterSetDlg(const PlotterInterface& s, Devices devices) : settings_(s), devices_(std::move(devices)) {
  settings_.command = InList(s.command, kPlotterCommandItems.size());
  settings_.port = InList(s.port, kPlotterPortItems.size());
  settings_.baudRate = InList(s.baudRate, kBaudRateItems.size());
  settings_.dataBits = InList(s.dataBits, kDataBitsItems.size());
  settings_.parity = InList(s.parity, kParityItems.size());
  settings_.stopBits = InList(s.stopBits, kStopBitsItems.size());
  settings_.flowControl = InList(s.flowControl, kFlowControlItems.size());
}

void CPloterSetDlg::SelectPort(int port, std::string_view deviceText) {
  devices_[Port(settings_.port)] = deviceText;
  settings_.port = static_cast<int>(Port(port));
}

bool CPloterSetDlg::OnSave(std::string_view deviceText, UserInterface& ui) {
  devices_[Port(settings_.port)] = deviceText;
  for (int port = 0; port < kPlotterPortCount; ++port) {
    const std::string& d = devices_[Port(port)];
    if (d.empty() || d.front() != '/') {
      settings_.port = port;
      ui.ShowMessage(kDeviceMessage);
      return false;
    }
  }
  return true;
}

}  // namespace plenwick
