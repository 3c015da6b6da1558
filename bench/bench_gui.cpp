// Benchmark "gui": the real program in a virtual X server (1920 x 1080) on a generated drawing of
// 1,000,000 lines, circles, arcs and texts. Its processor time comes from /proc: opening counts
// from the start until it settles (no more than 20 ms in 2 s), less the same for a one-line
// drawing; a zoom or pan step counts from the key press until the program is idle again.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"

using namespace plenwick::bench;

namespace {

// A child process started with extra environment, its output into `log` (or nowhere); killed and
// reaped when it goes.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& log = "/dev/null") {
    pid_ = fork();
    if (pid_ != 0) return;
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, STDOUT_FILENO);
      dup2(fd, STDERR_FILENO);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  pid_t pid() const { return pid_; }
  // Waits for the child to end by itself; its exit status.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "bench_gui: %s\n", why.c_str());
  std::exit(1);
}

// User plus system time of a process in clock ticks; -1 once it is gone.
long long CpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::atoll(field.c_str());
    if (i == 15) stime = std::atoll(field.c_str());
  }
  return utime + stime;
}

double TickMs() { return 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK)); }

// Peak resident memory in MB.
double PeakRssMb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Processor time (ms) from the start until the process settles: at least 2 s watched, and no
// more than 20 ms used in the last 2 s. What the quiet window used is not counted.
double MsUntilSettled(pid_t pid) {
  struct Sample {
    Clock::time_point at;
    long long ticks;
  };
  std::vector<Sample> samples;
  const Clock::time_point start = Clock::now();
  const long long quiet = static_cast<long long>(20 / TickMs());
  while (MillisecondsSince(start) < 120000) {
    const long long ticks = CpuTicks(pid);
    if (ticks < 0) Fail("the program ended while opening");
    samples.push_back({Clock::now(), ticks});
    std::size_t first = 0;
    while (first < samples.size() && samples[first].at < samples.back().at - std::chrono::seconds(2)) ++first;
    if (first > 0 && ticks - samples[first].ticks <= quiet) return static_cast<double>(samples[first].ticks) * TickMs();
    Sleep(20);
  }
  Fail("the program never settled");
}

std::string RunText(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    pclose(p);
  }
  return out;
}

// Wall time (ms) from sending `key` until the program has used no processor time for 300 ms,
// up to its last busy moment; `cpuMs` gets the processor time it used (a busy machine stretches
// the wall time, not this).
double StepMs(pid_t pid, const std::string& display, const std::string& key, double& cpuMs) {
  const long long before = CpuTicks(pid);
  const Clock::time_point start = Clock::now();
  Child press({"xdotool", "key", key}, {"DISPLAY=" + display});
  press.Wait();
  long long last = CpuTicks(pid);
  Clock::time_point busy = Clock::now();
  while (MillisecondsSince(busy) < 300) {
    Sleep(2);
    const long long ticks = CpuTicks(pid);
    if (ticks != last) {
      last = ticks;
      busy = Clock::now();
    }
  }
  cpuMs = static_cast<double>(last - before) * TickMs();
  return std::chrono::duration<double, std::milli>(busy - start).count();
}

struct Opened {
  double cpuMs = 0;
  double rssMb = 0;
  int wholeRenders = 0;
};

// Counts the whole renders the program logged so far.
int WholeRenders(const std::string& log) {
  std::ifstream in(log);
  std::string line;
  int count = 0;
  while (std::getline(in, line)) count += line.find("whole render") != std::string::npos;
  return count;
}

std::vector<std::string> ProgramEnvironment(const std::string& display, const std::string& home) {
  return {"DISPLAY=" + display, "PLENWICK_HOME=" + home, "XDG_CONFIG_HOME=" + home, "XDG_DATA_HOME=" + home,
          "QT_QPA_PLATFORM=xcb", "QT_LOGGING_RULES=plenwick.paint.debug=true"};
}

// Opens `drawing` in the program, waits until it settles; with `steps`, measures zoom and pan
// steps on it too.
Opened Open(const std::string& program, const std::string& display, const std::string& workdir, const std::string& drawing,
            bool steps) {
  const std::string home = workdir + "/home-" + std::to_string(getpid());
  mkdir(home.c_str(), 0755);
  const std::string log = workdir + "/program.log";
  Child app({program, "--no-splash", drawing}, ProgramEnvironment(display, home), log);
  Opened result;
  result.cpuMs = MsUntilSettled(app.pid());
  result.rssMb = PeakRssMb(app.pid());
  result.wholeRenders = WholeRenders(log);
  if (!steps) return result;
  const std::string name = drawing.substr(drawing.rfind('/') + 1);
  const std::string window =
      RunText("DISPLAY=" + display + " xdotool search --name 'Plenwick - \\[" + name + "\\]' 2>/dev/null | head -n 1");
  if (window.empty()) Fail("no window for " + name);
  RunText("DISPLAY=" + display + " xdotool windowfocus --sync " + window);
  Sleep(500);
  std::vector<double> zooms, pans;
  auto time = [&](std::vector<double>& times, const char* what, std::initializer_list<const char*> keys) {
    std::fprintf(stderr, "%s steps (wall / processor ms):", what);
    for (const char* key : keys) {
      double cpuMs = 0;
      times.push_back(StepMs(app.pid(), display, key, cpuMs));
      std::fprintf(stderr, " %.0f/%.0f", times.back(), cpuMs);
    }
    std::fprintf(stderr, "\n");
  };
  time(zooms, "zoom", {"Page_Up", "Page_Up", "Page_Down", "Page_Down", "Page_Up", "Page_Down"});
  time(pans, "pan", {"Left", "Up", "Right", "Down", "Left", "Right"});
  Figure("gui.zoom_step_1m_ms", Median(zooms), "ms");
  Figure("gui.pan_step_1m_ms", Median(pans), "ms");
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Fail("usage: bench_gui WORKDIR");
  const std::string workdir = argv[1];
  for (const char* tool : {"Xvfb", "xdotool"}) {
    if (RunText(std::string("command -v ") + tool).empty()) {
      std::fprintf(stderr, "bench_gui: skipped, %s is not installed\n", tool);
      return 0;
    }
  }
  const std::string big = workdir + "/big.pwk", small = workdir + "/one-line.pwk";
  WritePlanDrawing(big, GeneratorOptions{1000000, 12345, true, false});
  WritePlanDrawing(small, GeneratorOptions{1, 12345, false, false});

  // A display number of its own, so that two runs at once do not meet.
  const std::string display = ":" + std::to_string(300 + getpid() % 500);
  Child server({"Xvfb", display, "-screen", "0", "1920x1080x24", "-nolisten", "tcp"}, {});
  const std::string socket = "/tmp/.X11-unix/X" + display.substr(1);
  for (int i = 0; i < 200 && access(socket.c_str(), F_OK) != 0; ++i) Sleep(50);
  if (access(socket.c_str(), F_OK) != 0) Fail("the virtual X server did not start");

  const Opened one = Open(PLENWICK_PROGRAM, display, workdir, small, false);
  const Opened million = Open(PLENWICK_PROGRAM, display, workdir, big, true);
  std::fprintf(stderr, "opening: %.0f ms for the million, %.0f ms for one line\n", million.cpuMs, one.cpuMs);
  Figure("gui.open_1m_s", (million.cpuMs - one.cpuMs) / 1000.0, "s");
  Figure("gui.open_1m_rss_mb", million.rssMb, "MB");
  Figure("gui.whole_renders_on_open", million.wholeRenders, "");
  return 0;
}
