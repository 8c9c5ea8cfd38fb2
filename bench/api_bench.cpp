// Cost per state of the three public computations, beside the first
// implementation (faults thrown as exceptions, checked arithmetic out of line),
// run in the same process so the two figures can be compared directly.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <vector>

#include "bench/baseline/api.h"
#include "hygrian/psychrometrics.h"

namespace {

using Compute = hygrian::Result (*)(double, double, double) noexcept;

struct Pair {
  double dryBulb, second;
};

// Everyday states across the three dew-point ranges and both phases.
constexpr std::array<Pair, 8> kDryWet = {
    {{25, 20}, {-5, -6}, {0, 0}, {35, 25}, {60, 40}, {10, 5}, {-20, -21}, {45, 30}}};
constexpr std::array<Pair, 8> kDryDew = {
    {{25, 15}, {-5, -10}, {20, 10}, {60, 37}, {30, 20}, {0, -5}, {40, 30}, {10, 5}}};
constexpr std::array<Pair, 8> kDryRh = {
    {{25, 50}, {-5, 80}, {60, 30}, {20, 70}, {35, 40}, {0, 90}, {10, 30}, {45, 20}}};
// Rows that fault: ln 0 (relative humidity 0) and ln of a negative pressure.
constexpr std::array<Pair, 2> kFaulting = {{{25, 0}, {30, -10}}};

template <std::size_t N>
void PerState(benchmark::State& state, Compute compute, const std::array<Pair, N>& pairs) {
  for (auto _ : state) {
    for (const Pair& pair : pairs) {
      hygrian::Result result = compute(pair.dryBulb, pair.second, hygrian::StandardPressure);
      benchmark::DoNotOptimize(result);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(N));
  state.counters["states"] = static_cast<double>(N);  // per iteration
}

// On a shared machine the least time of several repetitions is the steadiest
// figure: run with --benchmark_repetitions=10 and compare the *_min rows.
double Least(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

BENCHMARK_CAPTURE(PerState, DryWet_before, &hygrian::baseline::FromDryBulbWetBulb, kDryWet)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryWet_after, &hygrian::FromDryBulbWetBulb, kDryWet)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryDew_before, &hygrian::baseline::FromDryBulbDewPoint, kDryDew)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryDew_after, &hygrian::FromDryBulbDewPoint, kDryDew)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryRh_before, &hygrian::baseline::FromDryBulbRelativeHumidity, kDryRh)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryRh_after, &hygrian::FromDryBulbRelativeHumidity, kDryRh)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, FaultRh_before, &hygrian::baseline::FromDryBulbRelativeHumidity,
                  kFaulting)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, FaultRh_after, &hygrian::FromDryBulbRelativeHumidity, kFaulting)
    ->ComputeStatistics("min", Least);

}  // namespace
