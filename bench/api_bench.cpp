// Cost per state of the public computations: the calculator model beside its
// first implementation (faults thrown as exceptions, checked arithmetic out of
// line), the handbook model beside the calculator model, and each air process
// beside one state computation, run in the same process so the figures can be
// compared directly (bench/api_results.md).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <vector>

#include "bench/baseline/api.h"
#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"

namespace {

using Compute = hygrian::Result (*)(double, double, double) noexcept;
using ComputeWith = hygrian::Result (*)(double, double, double, hygrian::Options) noexcept;

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

// The same with a model.
template <std::size_t N>
void PerStateWith(benchmark::State& state, ComputeWith compute, hygrian::Model model,
                  const std::array<Pair, N>& pairs) {
  const hygrian::Options options{.model = model};
  for (auto _ : state) {
    for (const Pair& pair : pairs) {
      hygrian::Result result =
          compute(pair.dryBulb, pair.second, hygrian::StandardPressure, options);
      benchmark::DoNotOptimize(result);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(N));
  state.counters["states"] = static_cast<double>(N);  // per iteration
}

// The four pairs' everyday states again, the humidity ratios of kDryRh's states.
constexpr std::array<Pair, 8> kDryW = {{{25, 0.0099},
                                        {-5, 0.0020},
                                        {60, 0.0405},
                                        {20, 0.0102},
                                        {35, 0.0144},
                                        {0, 0.0034},
                                        {10, 0.0023},
                                        {45, 0.0126}}};

// On a shared machine the least time of several repetitions is the steadiest
// figure: run with --benchmark_repetitions=10 and compare the *_min rows.
double Least(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

BENCHMARK_CAPTURE(PerState, DryWet_before, &hygrian::baseline::FromDryBulbWetBulb, kDryWet)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerStateWith, DryWet_after, &hygrian::FromDryBulbWetBulb,
                  hygrian::Model::Calculator, kDryWet)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryDew_before, &hygrian::baseline::FromDryBulbDewPoint, kDryDew)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerStateWith, DryDew_after, &hygrian::FromDryBulbDewPoint,
                  hygrian::Model::Calculator, kDryDew)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, DryRh_before, &hygrian::baseline::FromDryBulbRelativeHumidity, kDryRh)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerStateWith, DryRh_after, &hygrian::FromDryBulbRelativeHumidity,
                  hygrian::Model::Calculator, kDryRh)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerState, FaultRh_before, &hygrian::baseline::FromDryBulbRelativeHumidity,
                  kFaulting)
    ->ComputeStatistics("min", Least);
BENCHMARK_CAPTURE(PerStateWith, FaultRh_after, &hygrian::FromDryBulbRelativeHumidity,
                  hygrian::Model::Calculator, kFaulting)
    ->ComputeStatistics("min", Least);

// Handbook against calculator, pair by pair: the *_handbook rows over the
// *_calculator rows (least of 5 repetitions) are the model's cost.
#define HYGRIAN_MODELS(name, compute, pairs)                                                     \
  BENCHMARK_CAPTURE(PerStateWith, name##_calculator, compute, hygrian::Model::Calculator, pairs) \
      ->ComputeStatistics("min", Least);                                                         \
  BENCHMARK_CAPTURE(PerStateWith, name##_handbook, compute, hygrian::Model::Handbook, pairs)     \
      ->ComputeStatistics("min", Least)
HYGRIAN_MODELS(ModelWet, &hygrian::FromDryBulbWetBulb, kDryWet);
HYGRIAN_MODELS(ModelDew, &hygrian::FromDryBulbDewPoint, kDryDew);
HYGRIAN_MODELS(ModelRh, &hygrian::FromDryBulbRelativeHumidity, kDryRh);
HYGRIAN_MODELS(ModelW, &hygrian::FromDryBulbHumidityRatio, kDryW);
#undef HYGRIAN_MODELS

// Each process from kDryW's eight states, with parameters every one of them can
// take; bench/process_speed compares each with ModelW_handbook, one state
// computation of the same states.
template <hygrian::ProcessResult (*process)(double, double)>
void PerProcess(benchmark::State& state) {
  for (auto _ : state) {
    for (const Pair& pair : kDryW) {
      hygrian::ProcessResult result = process(pair.dryBulb, pair.second);
      benchmark::DoNotOptimize(result);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kDryW.size()));
  state.counters["states"] = static_cast<double>(kDryW.size());  // per iteration
}

hygrian::ProcessResult Mixing(double t, double w) {
  return hygrian::Mix({t, w, 1.0}, {24.0, 0.0093, 3.0});
}
hygrian::ProcessResult MixingVolumes(double t, double w) {
  return hygrian::MixVolumes({t, w, 1.0}, {24.0, 0.0093, 3.0});
}
hygrian::ProcessResult Heating(double t, double w) { return hygrian::HeatTo(t, w, t + 10.0, 1.0); }
hygrian::ProcessResult HeatingBy(double t, double w) { return hygrian::HeatBy(t, w, 10.0, 1.0); }
hygrian::ProcessResult Coil(double t, double w) {
  return hygrian::CoolAndDehumidify(t, w, -15.0, 0.1, 1.0);
}
hygrian::ProcessResult CoilTo(double t, double w) {
  return hygrian::CoolAndDehumidifyTo(t, w, t - 5.0, 30.0, 1.0);
}
hygrian::ProcessResult Evaporative(double t, double w) {
  return hygrian::CoolEvaporatively(t, w, 0.8, 1.0);
}
hygrian::ProcessResult Steam(double t, double w) {
  return hygrian::HumidifyWithSteam(t, w, w + 0.001, 110.0, 1.0);
}
hygrian::ProcessResult Water(double t, double w) {
  return hygrian::HumidifyWithWater(t, w, w + 0.001, 15.0, 1.0);
}
hygrian::ProcessResult SteamToRh(double t, double w) {
  return hygrian::HumidifyWithSteamToRelativeHumidity(t, w, 95.0, 110.0, 1.0);
}
hygrian::ProcessResult WaterToRh(double t, double w) {
  return hygrian::HumidifyWithWaterToRelativeHumidity(t, w, 95.0, 15.0, 1.0);
}

#define HYGRIAN_PROCESS(name) \
  BENCHMARK_TEMPLATE(PerProcess, name)->Name("Process_" #name)->ComputeStatistics("min", Least)
HYGRIAN_PROCESS(Mixing);
HYGRIAN_PROCESS(MixingVolumes);
HYGRIAN_PROCESS(Heating);
HYGRIAN_PROCESS(HeatingBy);
HYGRIAN_PROCESS(Coil);
HYGRIAN_PROCESS(CoilTo);
HYGRIAN_PROCESS(Evaporative);
HYGRIAN_PROCESS(Steam);
HYGRIAN_PROCESS(Water);
HYGRIAN_PROCESS(SteamToRh);
HYGRIAN_PROCESS(WaterToRh);
#undef HYGRIAN_PROCESS

}  // namespace
