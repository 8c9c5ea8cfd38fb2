// The native figure that bench/js/states_bench.mjs sets the npm package
// against: hygrian::ComputeStates on one core (the handbook model's dry-bulb
// and relative-humidity pair in SIMD lanes), on the states the script gives
// the package.
//
//   hygrian_js_reference FILE REPEATS [sse4]
//
// FILE holds n dry-bulbs (degC), n relative humidities (%) and n pressures
// (kPa) as native doubles. Prints the least CPU time of REPEATS calls, in
// nanoseconds per state, the instruction set, and the sum of the wet-bulbs
// (which the script compares with the package's). With sse4, the vectors are
// SSE4's, two doubles wide as WebAssembly's.
#include <hwy/targets.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/pairs.h"

namespace {

double CpuNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Every double of the file; empty when it cannot be read.
std::vector<double> Doubles(const char* path) {
  std::vector<double> values;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return values;
  double buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, sizeof(double), 4096, file)) > 0) {
    values.insert(values.end(), buffer, buffer + read);
  }
  (void)std::fclose(file);
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  const bool sse4 = argc == 4 && std::strcmp(argv[3], "sse4") == 0;
  const bool usage = argc == 3 || sse4;
  const std::vector<double> given = usage ? Doubles(argv[1]) : std::vector<double>();
  const std::size_t n = given.size() / 3;
  const long repeats = usage ? std::strtol(argv[2], nullptr, 10) : 0;
  if (n == 0 || given.size() != 3 * n || repeats < 1) {
    (void)std::fputs("usage: hygrian_js_reference FILE REPEATS [sse4] (FILE: 3 n doubles)\n",
                     stderr);
    return 2;
  }
  if (sse4) hwy::SetSupportedTargetsForTest(HWY_SSE4);
  const std::span<const double> all(given);
  std::vector<hygrian::Result> out(n);
  double least = 0.0;
  for (long r = 0; r < repeats; ++r) {
    const double start = CpuNanoseconds();
    (void)hygrian::ComputeStates(hygrian::Pairs[2], all.subspan(0, n), all.subspan(n, n),
                                 all.subspan(2 * n, n), out);
    const double perState = (CpuNanoseconds() - start) / static_cast<double>(n);
    if (r == 0 || perState < least) least = perState;
  }
  double sum = 0.0;
  for (const hygrian::Result& result : out) sum += result.state.wetBulb;
  std::printf("%.1f %s %.17g\n", least, std::string(hygrian::VectorInstructionSet()).c_str(), sum);
  return 0;
}
