// Costs of the work behind one results screen: the three computations, the
// numeric fields, the number parser and one whole results statement.
#include <benchmark/benchmark.h>

#include "air/calculator/cases.h"
#include "console/decimal.h"
#include "console/fields.h"
#include "console/numbers.h"
#include "console/output.h"

namespace {

using hygrian::air::MoistAirState;

void BM_ComputeFromDryWet(benchmark::State& state) {
  for (auto _ : state) {
    MoistAirState s;
    s.dryBulb = 25.0;
    s.wetBulb = 20.0;
    benchmark::DoNotOptimize(hygrian::air::ComputeFromDryWet(hygrian::StandardPressure, s));
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_ComputeFromDryWet);

void BM_ComputeFromDryRh(benchmark::State& state) {
  for (auto _ : state) {
    MoistAirState s;
    s.dryBulb = 25.0;
    s.relativeHumidity = 50.0;
    benchmark::DoNotOptimize(hygrian::air::ComputeFromDryRh(hygrian::StandardPressure, s));
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_ComputeFromDryRh);

void BM_ToSeventeenDigits(benchmark::State& state) {
  double x = 0.012599012345;
  for (auto _ : state) {
    benchmark::DoNotOptimize(hygrian::ToSeventeenDigits(x));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToSeventeenDigits);

void BM_ToSeventeenDigitsExtreme(benchmark::State& state) {
  double x = 4.9e-324;
  for (auto _ : state) {
    benchmark::DoNotOptimize(hygrian::ToSeventeenDigits(x));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToSeventeenDigitsExtreme);

void BM_FormatFixed(benchmark::State& state) {
  double x = 63.4812;
  hygrian::FieldText text;
  for (auto _ : state) {
    benchmark::DoNotOptimize(hygrian::ComposeField(hygrian::PrepareFixed(x, 2), text.chars));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FormatFixed);

void BM_ParseReal(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(hygrian::ParseReal("2.5E1"));
}
BENCHMARK(BM_ParseReal);

// A console whose writes go nowhere, to time record building alone.
class NullPlatform final : public hygrian::Platform {
 public:
  hygrian::IoResult Read(std::span<char>) override { return {0, 0}; }
  hygrian::IoResult Write(hygrian::Stream, std::span<const char> bytes) override {
    return {static_cast<std::int64_t>(bytes.size()), 0};
  }
  bool IsTerminal(hygrian::Stream) override { return false; }
  [[noreturn]] void Exit(int) override { std::abort(); }
};

void BM_WriteResultRecord(benchmark::State& state) {
  NullPlatform platform;
  hygrian::Console console(platform);
  const std::array items = {hygrian::BlanksItem(6), hygrian::TextItem("RELATIVE HUMIDITY: "),
                            hygrian::FixedItem(5, 2), hygrian::TextItem(" PERCENT")};
  const std::array values = {63.48};
  for (auto _ : state) hygrian::WriteStatement(console, items, values);
}
BENCHMARK(BM_WriteResultRecord);

}  // namespace
