// The plot's slices, its pacing by the line, stalls, cancel and the end.
#include "output/plotter_output.h"

#include <algorithm>
#include <cstdio>

#include "output/hpgl_file.h"

namespace plenwick {

namespace {

// Bytes generated ahead of the line: a few serial buffers' worth.
constexpr std::size_t kSliceBytes = 16384;
// How long a cancelled plot's last commands may take to leave.
constexpr auto kCancelTime = std::chrono::seconds(2);

}  // namespace

PlotterOutput::PlotterOutput(const HpglOptions& options, const HpglDrawing& drawing, const EntityList& list,
                             std::unique_ptr<PlotSink> sink, std::chrono::milliseconds stallTime)
    : generator_(options, drawing,
                 [this](std::string_view command) {
                   pending_ += command;
                   commandEnds_.push_back(pending_.size());
                 }),
      next_(list.begin()),
      end_(list.end()),
      total_(list.size()),
      sink_(std::move(sink)),
      stallTime_(stallTime),
      lastMove_(Clock::now()) {
  generator_.Start();
}

PlotterOutput::~PlotterOutput() {
  if (!sink_) return;
  Cancel();
  // What the line does not take at once goes with the port.
  const bool allOut = Flush();
  if (sink_ && !allOut) sink_->Purge();
  sink_.reset();
}

int PlotterOutput::percent() const {
  if (state_ == State::kFinished || total_ == 0) return 100;
  return static_cast<int>(std::min<std::size_t>(done_ * 100 / total_, 100));
}

std::string PlotProgressText(int percent, bool finished) {
  if (finished) return "100 %";
  char text[16];
  std::snprintf(text, sizeof text, "%3d %%", percent);
  return text;
}

std::string PlotterOutput::ProgressText() const { return PlotProgressText(percent(), state_ == State::kFinished); }

void PlotterOutput::Generate(Clock::time_point deadline) {
  constexpr int kElementsBetweenClockReads = 256;
  int sinceClock = 0;
  while (next_ != end_ && pending_.size() < kSliceBytes) {
    generator_.Element(*next_);
    ++next_;
    ++done_;
    if (++sinceClock == kElementsBetweenClockReads) {
      sinceClock = 0;
      if (Clock::now() >= deadline) return;
    }
  }
  if (next_ == end_ && !ended_) {
    generator_.End();
    ended_ = true;
  }
}

bool PlotterOutput::Flush() {
  while (written_ < pending_.size()) {
    const long n = sink_->Write(std::string_view(pending_).substr(written_));
    if (n < 0) {
      Close(State::kFailed);
      return false;
    }
    if (n == 0) return false;
    written_ += static_cast<std::size_t>(n);
    lastMove_ = Clock::now();
    if (state_ == State::kStalled) state_ = State::kRunning;
  }
  pending_.clear();
  commandEnds_.clear();
  written_ = 0;
  return true;
}

PlotterOutput::State PlotterOutput::Step(std::chrono::milliseconds budget) {
  const Clock::time_point deadline = Clock::now() + budget;
  while (state_ == State::kRunning || state_ == State::kStalled || state_ == State::kCancelling) {
    const bool cancelling = state_ == State::kCancelling;
    if (!Flush()) {
      if (state_ == State::kFailed) break;
      if (cancelling && Clock::now() >= cancelDeadline_) Close(State::kCancelled);
      break;
    }
    if (ended_) {
      // Everything is with the port: closing now would cut the plot's tail off in its queue.
      const long queued = sink_->Queued();
      if (queued <= 0) {
        Close(cancelling ? State::kCancelled : State::kFinished);
        break;
      }
      if (queued != lastQueued_) {
        if (lastQueued_ >= 0 && queued < lastQueued_ && state_ == State::kStalled) state_ = State::kRunning;
        lastMove_ = Clock::now();
        lastQueued_ = queued;
      }
      if (cancelling && Clock::now() >= cancelDeadline_) Close(State::kCancelled);
      break;
    }
    Generate(deadline);
    if (Clock::now() >= deadline) break;
  }
  if (state_ == State::kRunning && Clock::now() - lastMove_ >= stallTime_) state_ = State::kStalled;
  return state_;
}

void PlotterOutput::KeepWaiting() {
  if (state_ != State::kStalled) return;
  state_ = State::kRunning;
  lastMove_ = Clock::now();
}

void PlotterOutput::Cancel() {
  if (state_ != State::kRunning && state_ != State::kStalled) return;
  // A command cut in two would make the plotter read the end string as its rest.
  const bool endWritten = ended_ && pending_.empty();
  auto inFlight = std::lower_bound(commandEnds_.begin(), commandEnds_.end(), written_);
  const std::size_t keep = written_ == 0 || inFlight == commandEnds_.end() ? written_ : *inFlight;
  const bool endDropped = ended_ && keep < pending_.size();
  pending_.resize(keep);
  commandEnds_.erase(std::upper_bound(commandEnds_.begin(), commandEnds_.end(), keep), commandEnds_.end());
  next_ = end_;
  if (!endWritten && (!ended_ || endDropped)) {
    ended_ = false;
    Generate(Clock::now());
  }
  state_ = State::kCancelling;
  cancelDeadline_ = Clock::now() + kCancelTime;
}

void PlotterOutput::Close(State final) {
  if (final == State::kCancelled && (written_ < pending_.size() || sink_->Queued() > 0)) sink_->Purge();
  sink_.reset();
  state_ = final;
}

PlotStart StartPlot(const HpglOptions& options, const HpglDrawing& drawing, const EntityList& list,
                    const std::string& device, const PortLineSettings& line, std::chrono::milliseconds stallTime) {
  PlotStart start;
  if (options.commandSet != kHpgl && options.commandSet != kHpgl2) {
    start.messages = {kNoCommandSetMessage};
    return start;
  }
  std::unique_ptr<PlotterPort> port = PlotterPort::Open(device, line);
  if (!port) {
    start.beep = true;
    start.messages = {kPortOpenMessage, kOutputPortOpenMessage};
    return start;
  }
  if (!HasElementsToPlot(list)) {
    start.messages = {kNothingToPlotMessage};
    return start;
  }
  start.output = std::make_unique<PlotterOutput>(options, drawing, list, std::move(port), stallTime);
  return start;
}

}  // namespace plenwick
