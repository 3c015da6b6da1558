// The plot on a port: started with the checks and messages of the progress window
// ("プロッタ-出力"), then produced a slice at a time as the line takes it, so that the window
// stays responsive and a plotter that stops reading is noticed without a byte being dropped.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/entity_list.h"
#include "output/hpgl_generator.h"
#include "output/plotter_port.h"

namespace plenwick {

inline constexpr std::string_view kNoCommandSetMessage = "プロッター出力コマンドが指定されていません。";
inline constexpr std::string_view kPortOpenMessage = "ポートのオープンに失敗しました。";
inline constexpr std::string_view kOutputPortOpenMessage = "出力ポートのオープンに失敗しました。";
inline constexpr std::string_view kNothingToPlotMessage = "出力対照オブジェクトが有りません。";
inline constexpr std::string_view kPlotterStalledMessage =
    "プロッターがデータを受け取りません。\n「待\u3000つ」で出力を続け、「ｷｬﾝｾﾙ」で中止します。";
inline constexpr std::string_view kPortWriteFailedMessage = "出力ポートへの書き込みに失敗しました。";

class PlotterOutput {
 public:
  using Clock = std::chrono::steady_clock;
  enum class State {
    kRunning,    // bytes go out (or wait for the line)
    kStalled,    // the line took nothing for the stall time: ask the user to wait or cancel
    kCancelling, // the command in flight and the end string go out
    kFinished,   // every element and the end string are out, the port closed
    kCancelled,  // closed after a cancel
    kFailed,     // the device failed; closed
  };

  // Sends the initialisation; nothing goes out before the first Step.
  PlotterOutput(const HpglOptions& options, const HpglDrawing& drawing, const EntityList& list,
                std::unique_ptr<PlotSink> sink, std::chrono::milliseconds stallTime = std::chrono::seconds(5));

  // A plot still running is cancelled: its end string goes out if the line takes it at once.
  ~PlotterOutput();
  PlotterOutput(const PlotterOutput&) = delete;
  PlotterOutput& operator=(const PlotterOutput&) = delete;

  // Works for about `budget`: generates elements while the line keeps up, writes what it takes,
  // and at the end waits (bounded) until the port's queue is empty before closing.
  State Step(std::chrono::milliseconds budget);
  // After the stall question: waits another stall time.
  void KeepWaiting();
  // "ｷｬﾝｾﾙ": the command in flight is finished, the rest dropped, the end string sent; what the
  // line will not take within a short time is purged and the port closed.
  void Cancel();

  State state() const { return state_; }
  // Elements done, of all (the bar: done × 100 / all).
  int percent() const;
  // "%3d %%" while it runs, "100 %" at the end.
  std::string ProgressText() const;

 private:
  void Generate(Clock::time_point deadline);
  // Writes pending bytes; false when the line took nothing more now.
  bool Flush();
  void Close(State final);

  HpglGenerator generator_;
  EntityList::const_iterator next_;
  EntityList::const_iterator end_;
  std::size_t done_ = 0;
  std::size_t total_ = 0;
  std::unique_ptr<PlotSink> sink_;
  std::chrono::milliseconds stallTime_;
  std::string pending_;                    // whole commands, generated and not yet all written
  std::vector<std::size_t> commandEnds_;   // where each pending command ends
  std::size_t written_ = 0;                // of pending_
  bool ended_ = false;                     // the end string is pending or out
  long lastQueued_ = -1;
  Clock::time_point lastMove_;
  Clock::time_point cancelDeadline_;
  State state_ = State::kRunning;
};

// The progress window's text: "%3d %%" while it runs, "100 %" at the end.
std::string PlotProgressText(int percent, bool finished);

// What opening the progress window leads to: the output, or the messages it ends with.
struct PlotStart {
  std::unique_ptr<PlotterOutput> output;
  std::vector<std::string_view> messages;
  bool beep = false;
};

// The window's start: a command set other than HP-GL and HP-GL/2, a port that cannot be opened
// or set up, a drawing with nothing but its grid each end it with their messages.
PlotStart StartPlot(const HpglOptions& options, const HpglDrawing& drawing, const EntityList& list,
                    const std::string& device, const PortLineSettings& line,
                    std::chrono::milliseconds stallTime = std::chrono::seconds(5));

}  // namespace plenwick
