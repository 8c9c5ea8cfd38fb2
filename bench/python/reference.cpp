// The library's own time per state on the inputs that bench/python/ufunc_bench.py
// gives the ufuncs: the C++ API called in a plain loop, every result kept.
//
//   hygrian_python_reference PAIR FILE REPEATS
//
// PAIR is wet_bulb, dew_point, relative_humidity or humidity_ratio; FILE holds n dry-bulbs, n
// second values and n pressures as native doubles. Prints the least time of
// REPEATS passes in nanoseconds of CPU time per state, then the number of Ok
// states.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

#include "hygrian/psychrometrics.h"

namespace {

using Compute = hygrian::Result (*)(double, double, double, hygrian::Options) noexcept;
constexpr hygrian::Options kCalculator{.model = hygrian::Model::Calculator};

Compute ComputeOf(std::string_view pair) {
  if (pair == "wet_bulb") return hygrian::FromDryBulbWetBulb;
  if (pair == "dew_point") return hygrian::FromDryBulbDewPoint;
  if (pair == "relative_humidity") return hygrian::FromDryBulbRelativeHumidity;
  if (pair == "humidity_ratio") return hygrian::FromDryBulbHumidityRatio;
  return nullptr;
}

std::vector<double> ReadDoubles(const char* path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  const auto bytes = static_cast<std::size_t>(file.tellg());
  std::vector<double> values(bytes / sizeof(double));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(values.data()),
            static_cast<std::streamsize>(values.size() * sizeof(double)));
  if (!file) values.clear();
  return values;
}

// CPU time of this process, as Python's time.process_time_ns counts it.
double CpuNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

}  // namespace

int main(int argc, char** argv) {
  const Compute compute = argc == 4 ? ComputeOf(argv[1]) : nullptr;
  if (compute == nullptr) {
    (void)std::fputs("usage: hygrian_python_reference PAIR FILE REPEATS\n", stderr);
    return 2;
  }
  const std::vector<double> inputs = ReadDoubles(argv[2]);
  const std::size_t n = inputs.size() / 3;
  const long repeats = std::strtol(argv[3], nullptr, 10);
  if (n == 0 || inputs.size() != 3 * n || repeats < 1) {
    (void)std::fprintf(stderr, "hygrian_python_reference: %s: no states\n", argv[2]);
    return 1;
  }
  const double* dry = inputs.data();
  const double* second = dry + n;
  const double* pressure = second + n;
  std::vector<hygrian::Result> results(n);
  double best = 0.0;
  for (long r = 0; r < repeats; ++r) {
    const double start = CpuNanoseconds();
    for (std::size_t i = 0; i < n; ++i) {
      results[i] = compute(dry[i], second[i], pressure[i], kCalculator);
    }
    const double perState = (CpuNanoseconds() - start) / static_cast<double>(n);
    if (r == 0 || perState < best) best = perState;
  }
  std::size_t ok = 0;
  for (const hygrian::Result& result : results) ok += result.status == hygrian::Status::Ok ? 1 : 0;
  std::printf("%.1f %zu\n", best, ok);
  return 0;
}
