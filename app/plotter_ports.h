// The device each plotter port opens: /dev/ttyS0–3 for COM1–4 and /dev/lp0–1 for LPT1–2 unless
// "Plenwick.ini" in the program folder names another (a USB adapter, a pseudo-terminal).
#pragma once

#include <QString>
#include <array>
#include <string>

#include "output/plotter_settings.h"

namespace plenwick {

class PlotterPortDevices {
 public:
  using Devices = std::array<std::string, kPlotterPortCount>;
  // Reads the [Plotter Ports] section of <programFolder>/Plenwick.ini.
  explicit PlotterPortDevices(const QString& programFolder);

  const Devices& devices() const { return devices_; }
  // The device of a port index (the first port's for indexes outside the list).
  const std::string& device(int port) const;
  // Keeps the devices; a port's default is written as no entry at all.
  void Save(const Devices& devices);

 private:
  QString iniPath_;
  Devices devices_;
};

}  // namespace plenwick
