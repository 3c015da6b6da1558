// Plotter port devices in the ini file.
#include "plotter_ports.h"

#include <QSettings>

#include "qt_user_interface.h"

namespace plenwick {

namespace {
const char* const kGroup = "Plotter Ports";
}  // namespace

PlotterPortDevices::PlotterPortDevices(const QString& programFolder) : iniPath_(programFolder + "/Plenwick.ini") {
  QSettings settings(iniPath_, QSettings::IniFormat);
  settings.beginGroup(kGroup);
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    const QString named = settings.value(FromUtf8(kPlotterPortNames[i])).toString();
    devices_[i] = named.isEmpty() ? std::string(kDefaultPortDevices[i]) : named.toStdString();
  }
}

const std::string& PlotterPortDevices::device(int port) const {
  return devices_[static_cast<std::size_t>(port >= 0 && port < kPlotterPortCount ? port : 0)];
}

void PlotterPortDevices::Save(const Devices& devices) {
  devices_ = devices;
  QSettings settings(iniPath_, QSettings::IniFormat);
  settings.beginGroup(kGroup);
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    const QString key = FromUtf8(kPlotterPortNames[i]);
    if (devices_[i] == kDefaultPortDevices[i]) {
      settings.remove(key);
    } else {
      settings.setValue(key, QString::fromStdString(devices_[i]));
    }
  }
}

}  // namespace plenwick
