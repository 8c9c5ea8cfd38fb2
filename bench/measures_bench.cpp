// The measures' array entry point (hygrian::ComputeMeasures: the states in
// SIMD lanes, then the measure state by state) against a plain scalar loop of
// the pair's function and the measure, per state on one core, in the same run;
// and the measure alone on states computed beforehand, which is what lanes for
// the measure itself could save. Everyday weather: 10 to 45 degrees C, 5 to
// 100 percent, 80 to 103 kPa, wind 0.5 to 10 m/s, sun 0 to 1000 W/m2
// (bench/measure_speed divides them).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/measures.h"
#include "hygrian/pairs.h"

namespace {

constexpr std::size_t kStates = 4096;

struct Weather {
  std::vector<double> t, rh, P, wind, radiant, solar, cosine;
  std::vector<hygrian::State> states;
};

Weather MakeWeather() {
  Weather w;
  std::uint64_t seed = 48;
  const auto uniform = [&seed](double low, double high) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return low + (high - low) * static_cast<double>(seed >> 11) * 0x1p-53;
  };
  while (w.t.size() < kStates) {
    w.t.push_back(uniform(10.0, 45.0));
    w.rh.push_back(uniform(5.0, 100.0));
    w.P.push_back(uniform(80.0, 103.0));
    w.wind.push_back(uniform(0.5, 10.0));
    w.radiant.push_back(w.t.back() + uniform(-5.0, 40.0));
    w.solar.push_back(uniform(0.0, 1000.0));
    w.cosine.push_back(uniform(0.05, 1.0));
    w.states.push_back(
        hygrian::FromDryBulbRelativeHumidity(w.t.back(), w.rh.back(), w.P.back()).state);
  }
  return w;
}

const Weather& TheWeather() {
  static const Weather kWeather = MakeWeather();
  return kWeather;
}

hygrian::Surroundings Around(const Weather& w, std::size_t i) {
  hygrian::Surroundings s;
  s.windSpeed = w.wind[i];
  s.meanRadiantTemperature = w.radiant[i];
  s.solarIrradiance = w.solar[i];
  s.cosZenith = w.cosine[i];
  return s;
}

void Finish(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kStates));
  state.counters["states"] = static_cast<double>(kStates);  // per iteration
}

const hygrian::Measure& MeasureOf(const char* key) { return *hygrian::FindMeasure(key); }

void Scalar(benchmark::State& state, const char* key) {
  const Weather& w = TheWeather();
  const hygrian::Measure& m = MeasureOf(key);
  const hygrian::Pair& pair = hygrian::Pairs[2];
  for (auto _ : state) {
    for (std::size_t i = 0; i < kStates; ++i) {
      const hygrian::Result r = pair.compute(w.t[i], w.rh[i], w.P[i], {});
      hygrian::MeasureResult value = m.compute(r.state, w.P[i], Around(w, i));
      benchmark::DoNotOptimize(value);
    }
  }
  Finish(state);
}

void Array(benchmark::State& state, const char* key) {
  const Weather& w = TheWeather();
  const hygrian::Measure& m = MeasureOf(key);
  hygrian::SurroundingColumns around;
  around.columns[0] = w.wind;
  around.columns[1] = w.radiant;
  around.columns[4] = w.solar;
  around.columns[6] = w.cosine;
  std::vector<hygrian::MeasureResult> out(kStates);
  for (auto _ : state) {
    const bool ok = hygrian::ComputeMeasures(m, hygrian::Pairs[2], w.t, w.rh, w.P, around, out);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(out.data());
  }
  Finish(state);
}

void Alone(benchmark::State& state, const char* key) {
  const Weather& w = TheWeather();
  const hygrian::Measure& m = MeasureOf(key);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kStates; ++i) {
      hygrian::MeasureResult value = m.compute(w.states[i], w.P[i], Around(w, i));
      benchmark::DoNotOptimize(value);
    }
  }
  Finish(state);
}

double Least(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

#define HYGRIAN_MEASURE(name, key)                                                         \
  BENCHMARK_CAPTURE(Scalar, Measure##name##_scalar, key)->ComputeStatistics("min", Least); \
  BENCHMARK_CAPTURE(Array, Measure##name##_array, key)->ComputeStatistics("min", Least);   \
  BENCHMARK_CAPTURE(Alone, Measure##name##_alone, key)->ComputeStatistics("min", Least)
HYGRIAN_MEASURE(HeatIndex, "heat_index");
HYGRIAN_MEASURE(Humidex, "humidex");
HYGRIAN_MEASURE(Utci, "utci");
HYGRIAN_MEASURE(Wbgt, "wet_bulb_globe_temperature");
#undef HYGRIAN_MEASURE

}  // namespace
