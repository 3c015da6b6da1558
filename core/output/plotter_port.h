// The port a plotter hangs on: a serial line set up through the kernel's terminal settings, or a
// parallel port written plainly. Writes never wait: the caller paces itself by what the port
// takes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "output/plotter_settings.h"

namespace plenwick {

// Where the plot's bytes go.
class PlotSink {
 public:
  virtual ~PlotSink() = default;
  // Takes what it can of `bytes` without waiting: how many it took (0 while the line holds the
  // plot back), or −1 once the device failed.
  virtual long Write(std::string_view bytes) = 0;
  // Bytes taken but not yet on the line (0 when the device cannot tell).
  virtual long Queued() const { return 0; }
  // Throws away what is queued: for a cancelled plot that could not finish.
  virtual void Purge() {}
};

class PlotterPort final : public PlotSink {
 public:
  // Opens `device` exclusively without waiting for a carrier and sets up the serial line (none
  // for a parallel port). Null, with `why` set, when it cannot be opened or refuses the
  // settings: four data bits, or one and a half stop bits with other than five data bits.
  static std::unique_ptr<PlotterPort> Open(const std::string& device, const PortLineSettings& line,
                                           std::string* why = nullptr);
  // Drops DTR and closes.
  ~PlotterPort() override;
  PlotterPort(const PlotterPort&) = delete;
  PlotterPort& operator=(const PlotterPort&) = delete;

  long Write(std::string_view bytes) override;
  long Queued() const override;
  void Purge() override;

 private:
  PlotterPort(int fd, const PortLineSettings& line) : fd_(fd), line_(line) {}
  // "DTS/DSR": the plotter says it is ready by DSR (devices that cannot tell count as ready).
  bool PeerReady() const;

  int fd_;
  PortLineSettings line_;
};

}  // namespace plenwick
