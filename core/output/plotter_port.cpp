// Serial lines through termios2, whose arbitrary rates cover 14.4K, 56K, 128K and 256K bps that
// the classic speed table lacks; parallel ports by plain writes.
#include "output/plotter_port.h"

// The kernel's own terminal structures: <termios.h> would clash with them.
#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace plenwick {

namespace {

tcflag_t CharacterSize(int dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

// What the line refuses, as a serial driver would: four data bits, and one and a half stop bits
// but with five data bits (where the two-stop-bit setting sends one and a half).
bool Refused(const PortLineSettings& line) {
  if (line.dataBits < 5 || line.dataBits > 8) return true;
  return line.stopBits == StopBits::kOneAndHalf && line.dataBits != 5;
}

bool SetUpLine(int fd, const PortLineSettings& line) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= BOTHER | CharacterSize(line.dataBits) | CREAD | CLOCAL | HUPCL;
  if (line.parity != Parity::kNone) t.c_cflag |= PARENB;
  if (line.parity == Parity::kOdd) t.c_cflag |= PARODD;
  if (line.stopBits != StopBits::kOne) t.c_cflag |= CSTOPB;
  if (line.flow == FlowControl::kRtsCts) t.c_cflag |= CRTSCTS;
  t.c_ispeed = t.c_ospeed = static_cast<speed_t>(line.baudRate);
  t.c_iflag = line.parity != Parity::kNone ? INPCK : IGNPAR;
  if (line.flow == FlowControl::kXonXoff) t.c_iflag |= IXON | IXOFF;
  t.c_oflag = 0;
  t.c_lflag = 0;
  t.c_cc[VSTART] = 17;
  t.c_cc[VSTOP] = 19;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (ioctl(fd, TCSETS2, &t) != 0) return false;
  // A driver may round a rate it cannot make exactly; one far off would garble every byte.
  termios2 set{};
  if (ioctl(fd, TCGETS2, &set) != 0) return false;
  const double rate = set.c_ospeed;
  return rate > line.baudRate * 0.97 && rate < line.baudRate * 1.03;
}

}  // namespace

std::unique_ptr<PlotterPort> PlotterPort::Open(const std::string& device, const PortLineSettings& line,
                                               std::string* why) {
  auto fail = [&](const std::string& reason) {
    if (why) *why = reason;
    return std::unique_ptr<PlotterPort>();
  };
  if (line.serial && Refused(line)) return fail("the line settings are not possible");
  // Never waits: not for a carrier, not for a busy printer.
  const int fd = ::open(device.c_str(), (line.serial ? O_RDWR : O_WRONLY) | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(device + ": " + std::strerror(errno));
  std::unique_ptr<PlotterPort> port(new PlotterPort(fd, line));
  if (!line.serial) return port;
  if (ioctl(fd, TIOCEXCL) != 0) return fail(device + ": not a serial line");
  if (!SetUpLine(fd, line)) return fail(device + ": the line settings are refused");
  int raise = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, TIOCMBIS, &raise);  // a device without modem lines has none to raise
  ioctl(fd, TCFLSH, TCIOFLUSH);
  return port;
}

PlotterPort::~PlotterPort() {
  if (line_.serial) {
    int drop = TIOCM_DTR;
    ioctl(fd_, TIOCMBIC, &drop);
  }
  ::close(fd_);
}

bool PlotterPort::PeerReady() const {
  if (!line_.serial || line_.flow != FlowControl::kDtrDsr) return true;
  int bits = 0;
  if (ioctl(fd_, TIOCMGET, &bits) != 0) return true;
  return (bits & TIOCM_DSR) != 0;
}

long PlotterPort::Write(std::string_view bytes) {
  if (bytes.empty() || !PeerReady()) return 0;
  const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
  if (n >= 0) return n;
  return errno == EAGAIN || errno == EINTR ? 0 : -1;
}

long PlotterPort::Queued() const {
  int queued = 0;
  if (!line_.serial || ioctl(fd_, TIOCOUTQ, &queued) != 0) return 0;
  return queued;
}

void PlotterPort::Purge() {
  if (line_.serial) ioctl(fd_, TCFLSH, TCIOFLUSH);
}

}  // namespace plenwick
