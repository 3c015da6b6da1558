// The plot on a serial port, through a pseudo-terminal whose slave stands in for COM1: the line
// set up for every rate, size, parity, stop-bit and flow setting; the bytes the plotter reads
// are the generator's commands one after another; a held XOFF or a reader that stops stalls the
// plot without losing a byte, and a cancel ends it with whole commands; refused settings, missing
// devices, unknown command sets and empty drawings end it at the start with their messages.
#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "model/layer_table.h"
#include "output/plotter_output.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using namespace std::chrono_literals;
using State = PlotterOutput::State;

// A pseudo-terminal: the test reads the master, the plot writes the slave.
struct Pty {
  int master = -1;
  int slave = -1;  // kept open so that the line's settings can be read back
  std::string slavePath;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    slavePath = ptsname(master);
    slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
  }
  ~Pty() {
    ::close(slave);
    ::close(master);
  }
  // Everything the master can read within `wait`.
  std::string Read(std::chrono::milliseconds wait) const {
    std::string out;
    char buffer[65536];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, static_cast<int>(wait.count())) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
  }
  void Send(char c) const { ASSERT_EQ(::write(master, &c, 1), 1); }
};

struct Drawing {
  EntityList list;
  HpglDrawing view;
  explicit Drawing(int lines) {
    view.areaMax = {420, 297};
    view.layerStates.fill(kLayerNormal);
    testing::AddGrid(list);
    for (int i = 0; i < lines; ++i) testing::AddLine(list, i % 400, i % 290, 400 - i % 400, 290 - i % 290);
    testing::AddCircle(list, 200, 150, 40);
    testing::AddText(list, "PLOT");
  }
  std::string Expected(const HpglOptions& options) const {
    std::string out;
    HpglGenerator g(options, view, [&](std::string_view c) { out += c; });
    g.Start();
    for (const DrawEntity& e : list) g.Element(e);
    g.End();
    return out;
  }
};

// The beginning of `expected` up to the end of a command, then the end string (which may be
// missing unless `endNeeded`); or, without the end string, any beginning of `expected`.
bool WholeCommandsThenEnd(const std::string& read, const std::string& expected, bool endNeeded) {
  const std::string end = "PUSPPG;";
  if (read.size() > end.size() && read.compare(read.size() - end.size(), end.size(), end) == 0) {
    const std::string body = read.substr(0, read.size() - end.size());
    return body.back() == ';' && expected.compare(0, body.size(), body) == 0;
  }
  return !endNeeded && expected.compare(0, read.size(), read) == 0;
}

// Steps the plot until it ends (or `limit` passes), reading the master meanwhile.
State RunToEnd(PlotterOutput& out, const Pty* reader, std::string* read, std::chrono::seconds limit = 20s) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    const State s = out.Step(20ms);
    if (reader) *read += reader->Read(0ms);
    if (s == State::kFinished || s == State::kCancelled || s == State::kFailed) return s;
  }
  return out.state();
}

PortLineSettings Line(int baud, int dataBits, Parity parity, StopBits stop, FlowControl flow) {
  return {true, baud, dataBits, parity, stop, flow};
}

TEST(PlotterPort, EverySettingReachesTheLineAndTheStreamArrivesCommandByCommand) {
  const Drawing d(300);
  int round = 0;
  for (int baud : kBaudRates) {
    for (const auto& [dataBits, stop] : {std::pair{5, StopBits::kOneAndHalf}, std::pair{6, StopBits::kTwo},
                                         std::pair{7, StopBits::kOne}, std::pair{8, StopBits::kTwo}}) {
      const Parity parity = static_cast<Parity>(round % 3);
      const FlowControl flow = static_cast<FlowControl>(round % 4);
      HpglOptions options;
      options.commandSet = round % 2;
      ++round;
      SCOPED_TRACE(::testing::Message() << baud << " bps, " << dataBits << " bits, parity " << static_cast<int>(parity)
                                      << ", flow " << static_cast<int>(flow));
      Pty pty;
      PlotStart start = StartPlot(options, d.view, d.list, pty.slavePath, Line(baud, dataBits, parity, stop, flow));
      ASSERT_TRUE(start.output) << (start.messages.empty() ? "" : start.messages[0]);
      termios2 t{};
      ASSERT_EQ(ioctl(pty.slave, TCGETS2, &t), 0);
      EXPECT_EQ(t.c_ospeed, static_cast<speed_t>(baud));
      // A pseudo-terminal keeps eight bits without parity whatever it is told; the rest it keeps.
      EXPECT_EQ((t.c_cflag & PARODD) != 0, parity == Parity::kOdd);
      EXPECT_EQ((t.c_iflag & INPCK) != 0, parity != Parity::kNone);
      EXPECT_EQ((t.c_cflag & CSTOPB) != 0, stop != StopBits::kOne);
      EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, flow == FlowControl::kRtsCts);
      EXPECT_EQ((t.c_iflag & IXON) != 0, flow == FlowControl::kXonXoff);
      EXPECT_NE(t.c_cflag & CLOCAL, 0u);
      EXPECT_EQ(t.c_oflag & OPOST, 0u);

      std::string read;
      EXPECT_EQ(RunToEnd(*start.output, &pty, &read), State::kFinished);
      read += pty.Read(100ms);
      EXPECT_EQ(start.output->ProgressText(), "100 %");
      // Command by command: the first difference names the command.
      std::vector<std::string> sent;
      HpglGenerator g(options, d.view, [&](std::string_view c) { sent.emplace_back(c); });
      g.Start();
      for (const DrawEntity& e : d.list) g.Element(e);
      g.End();
      std::size_t at = 0;
      for (const std::string& command : sent) {
        ASSERT_EQ(read.substr(at, command.size()), command) << "at byte " << at;
        at += command.size();
      }
      EXPECT_EQ(at, read.size());
    }
  }
}

TEST(PlotterPort, HeldXoffStallsWithoutLosingAByteAndXonGoesOn) {
  const Drawing d(3000);
  const HpglOptions options;
  Pty pty;
  PlotStart start = StartPlot(options, d.view, d.list, pty.slavePath,
                              Line(9600, 8, Parity::kNone, StopBits::kOne, FlowControl::kXonXoff), 300ms);
  ASSERT_TRUE(start.output);
  pty.Send(19);
  std::this_thread::sleep_for(50ms);
  std::string read;
  State s = State::kRunning;
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (s != State::kStalled && std::chrono::steady_clock::now() < until) {
    s = start.output->Step(20ms);
    read += pty.Read(0ms);
  }
  EXPECT_EQ(s, State::kStalled);
  EXPECT_LT(start.output->percent(), 100);
  pty.Send(17);
  EXPECT_EQ(RunToEnd(*start.output, &pty, &read), State::kFinished);
  read += pty.Read(100ms);
  EXPECT_TRUE(read == d.Expected(options)) << read.size() << " of " << d.Expected(options).size() << " bytes";
}

TEST(PlotterPort, CancelWhileNobodyReadsEndsWithWholeCommandsAndClosesSoon) {
  const Drawing d(40000);
  HpglOptions options;
  for (FlowControl flow : {FlowControl::kNone, FlowControl::kXonXoff}) {
    Pty pty;
    PlotStart start = StartPlot(options, d.view, d.list, pty.slavePath,
                                Line(38400, 8, Parity::kNone, StopBits::kOne, flow), 300ms);
    ASSERT_TRUE(start.output);
    if (flow == FlowControl::kXonXoff) {
      pty.Send(19);
      std::this_thread::sleep_for(50ms);
    }
    State s = State::kRunning;
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (s != State::kStalled && std::chrono::steady_clock::now() < until) s = start.output->Step(20ms);
    ASSERT_EQ(s, State::kStalled);
    // Waiting once more stalls again after the stall time.
    start.output->KeepWaiting();
    EXPECT_EQ(start.output->Step(20ms), State::kRunning);
    start.output->Cancel();
    const auto cancelled = std::chrono::steady_clock::now();
    EXPECT_EQ(RunToEnd(*start.output, nullptr, nullptr, 5s), State::kCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 3s);
    // What got through is the stream's beginning, and the end string when it could go.
    const std::string read = pty.Read(100ms);
    EXPECT_TRUE(WholeCommandsThenEnd(read, d.Expected(options), false)) << read.size() << " bytes";
  }
}

TEST(PlotterPort, CancelWhileTheLineRunsEndsWithTheEndString) {
  const Drawing d(20000);
  const HpglOptions options;
  Pty pty;
  PlotStart start = StartPlot(options, d.view, d.list, pty.slavePath,
                              Line(9600, 8, Parity::kNone, StopBits::kOne, FlowControl::kNone));
  ASSERT_TRUE(start.output);
  std::string read;
  for (int i = 0; i < 3; ++i) {
    start.output->Step(5ms);
    read += pty.Read(0ms);
  }
  start.output->Cancel();
  EXPECT_EQ(RunToEnd(*start.output, &pty, &read), State::kCancelled);
  read += pty.Read(100ms);
  const std::string expected = d.Expected(options);
  EXPECT_LT(read.size(), expected.size());
  EXPECT_TRUE(WholeCommandsThenEnd(read, expected, true)) << read.size() << " bytes";
}

TEST(PlotterPort, AnOutputDestroyedWhileItRunsEndsThePlot) {
  const Drawing d(20000);
  Pty pty;
  PlotStart start = StartPlot({}, d.view, d.list, pty.slavePath,
                              Line(9600, 8, Parity::kNone, StopBits::kOne, FlowControl::kNone));
  ASSERT_TRUE(start.output);
  start.output->Step(5ms);
  std::string read = pty.Read(0ms);
  start.output.reset();
  read += pty.Read(100ms);
  EXPECT_TRUE(WholeCommandsThenEnd(read, d.Expected({}), true)) << read.size() << " bytes";
}

TEST(PlotterPort, StartsThatEndWithTheirMessages) {
  const Drawing d(3);
  Pty pty;
  const PortLineSettings good = Line(9600, 8, Parity::kNone, StopBits::kOne, FlowControl::kNone);
  const std::vector<std::string_view> portFailed = {kPortOpenMessage, kOutputPortOpenMessage};
  struct Case {
    int commandSet;
    std::string device;
    PortLineSettings line;
    std::vector<std::string_view> messages;
  };
  const Case cases[] = {
      {2, pty.slavePath, good, {kNoCommandSetMessage}},
      {3, pty.slavePath, good, {kNoCommandSetMessage}},
      {7, pty.slavePath, good, {kNoCommandSetMessage}},
      {0, "/nonexistent/ttyS9", good, portFailed},
      {0, "/dev/null", good, portFailed},  // not a serial line
      {0, pty.slavePath, Line(9600, 4, Parity::kNone, StopBits::kOne, FlowControl::kNone), portFailed},
      {1, pty.slavePath, Line(9600, 8, Parity::kNone, StopBits::kOneAndHalf, FlowControl::kNone), portFailed},
      {1, pty.slavePath, Line(9600, 7, Parity::kEven, StopBits::kOneAndHalf, FlowControl::kNone), portFailed},
  };
  for (const Case& c : cases) {
    HpglOptions options;
    options.commandSet = c.commandSet;
    const PlotStart start = StartPlot(options, d.view, d.list, c.device, c.line);
    EXPECT_FALSE(start.output) << c.device;
    EXPECT_EQ(start.messages, c.messages) << c.device;
    EXPECT_EQ(start.beep, c.messages == portFailed);
  }
  // Nothing but the grid: nothing to plot, and nothing sent.
  EntityList gridOnly;
  testing::AddGrid(gridOnly);
  const PlotStart empty = StartPlot({}, d.view, gridOnly, pty.slavePath, good);
  EXPECT_EQ(empty.messages, std::vector<std::string_view>{kNothingToPlotMessage});
  EXPECT_EQ(pty.Read(50ms), "");
  // A parallel port takes plain writes, whatever the device.
  PortLineSettings parallel = good;
  parallel.serial = false;
  parallel.dataBits = 4;
  PlotStart lpt = StartPlot({}, d.view, d.list, pty.slavePath, parallel);
  ASSERT_TRUE(lpt.output);
  std::string read;
  EXPECT_EQ(RunToEnd(*lpt.output, &pty, &read), State::kFinished);
  read += pty.Read(100ms);
  EXPECT_EQ(read, d.Expected({}));
}

TEST(PlotterPort, ProgressCountsElementsBelowAHundred) {
  EXPECT_EQ(PlotProgressText(7, false), "  7 %");
  EXPECT_EQ(PlotProgressText(100, true), "100 %");
  const Drawing d(3);  // the grid, three lines, a circle and a text: 6 elements
  Pty pty;
  PlotStart start = StartPlot({}, d.view, d.list, pty.slavePath,
                              Line(9600, 8, Parity::kNone, StopBits::kOne, FlowControl::kNone));
  ASSERT_TRUE(start.output);
  EXPECT_EQ(start.output->percent(), 0);
  std::string read;
  EXPECT_EQ(RunToEnd(*start.output, &pty, &read), State::kFinished);
  EXPECT_EQ(start.output->percent(), 100);
}

}  // namespace
}  // namespace plenwick
