// Timing and reporting helpers shared by the benchmarks: a steady clock, the median or the best of
// several runs, and the "figure-name value unit" lines every benchmark prints.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace plenwick::bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Milliseconds one call of f takes.
template <typename F>
double TimeMs(F&& f) {
  const Clock::time_point start = Clock::now();
  f();
  return MillisecondsSince(start);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The median time of `runs` calls of f.
template <typename F>
double MedianMs(int runs, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(TimeMs(f));
  return Median(std::move(times));
}

// The best time of `runs` calls of f (the machine is shared; the best run is the least disturbed).
template <typename F>
double BestMs(int runs, F&& f) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) best = std::min(best, TimeMs(f));
  return best;
}

// One result line: three decimals, more for small values so that four digits show.
inline void Figure(const char* name, double value, const char* unit) {
  int decimals = 3;
  if (value != 0 && std::fabs(value) < 1) decimals = std::min(12, 3 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
  std::printf("%s %.*f %s\n", name, decimals, value, unit);
}

}  // namespace plenwick::bench
