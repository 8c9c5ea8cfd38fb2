// The handbook model's array entry point against its scalar functions, per
// pair and per state, on one core: everyday weather (-20 to 45 degrees C, 5 to
// 100 percent, 80 to 103 kPa), 4,096 states a pass, the same states for both
// sides (bench/vector_speed divides them).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/pairs.h"
#include "hygrian/psychrometrics.h"

namespace {

constexpr std::size_t kStates = 4096;

// The inputs of each dry-bulb pair for the same weather: the second column of
// pair i is what FromDryBulbRelativeHumidity gives for that field.
struct Weather {
  std::vector<double> t, P;
  std::vector<std::vector<double>> second;  // by the pair's row in Pairs
};

Weather MakeWeather() {
  Weather w;
  w.second.resize(hygrian::Pairs.size());
  std::uint64_t seed = 2026;
  const auto uniform = [&seed](double low, double high) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return low + (high - low) * static_cast<double>(seed >> 11) * 0x1p-53;
  };
  while (w.t.size() < kStates) {
    const double t = uniform(-20.0, 45.0);
    const double rh = uniform(5.0, 100.0);
    const double P = uniform(80.0, 103.0);
    const hygrian::Result r = hygrian::FromDryBulbRelativeHumidity(t, rh, P);
    if (r.status != hygrian::Status::Ok) continue;
    w.t.push_back(t);
    w.P.push_back(P);
    w.second[0].push_back(r.state.wetBulb);
    w.second[1].push_back(r.state.dewPoint);
    w.second[2].push_back(rh);
    w.second[3].push_back(r.state.humidityRatio);
    w.second[4].push_back(r.state.humidityRatio / (1.0 + r.state.humidityRatio));
  }
  return w;
}

const Weather& TheWeather() {
  static const Weather kWeather = MakeWeather();
  return kWeather;
}

void Finish(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kStates));
  state.counters["states"] = static_cast<double>(kStates);  // per iteration
  state.SetLabel(std::string(hygrian::VectorInstructionSet()));
}

void Scalar(benchmark::State& state, std::size_t row) {
  const Weather& w = TheWeather();
  const hygrian::Pair& pair = hygrian::Pairs[row];
  for (auto _ : state) {
    for (std::size_t i = 0; i < kStates; ++i) {
      hygrian::Result result = pair.compute(w.t[i], w.second[row][i], w.P[i], {});
      benchmark::DoNotOptimize(result);
    }
  }
  Finish(state);
}

void Array(benchmark::State& state, std::size_t row) {
  const Weather& w = TheWeather();
  std::vector<hygrian::Result> out(kStates);
  for (auto _ : state) {
    const bool ok = hygrian::ComputeStates(hygrian::Pairs[row], w.t, w.second[row], w.P, out);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(out.data());
  }
  Finish(state);
}

double Least(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

#define HYGRIAN_VECTOR(name, row)                                                         \
  BENCHMARK_CAPTURE(Scalar, Vector##name##_scalar, row)->ComputeStatistics("min", Least); \
  BENCHMARK_CAPTURE(Array, Vector##name##_array, row)->ComputeStatistics("min", Least)
HYGRIAN_VECTOR(Wet, 0);
HYGRIAN_VECTOR(Dew, 1);
HYGRIAN_VECTOR(Rh, 2);
HYGRIAN_VECTOR(W, 3);
HYGRIAN_VECTOR(Q, 4);
#undef HYGRIAN_VECTOR

}  // namespace
