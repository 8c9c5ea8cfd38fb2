// Writes the bits of many states under the ice convention (and of the
// calculator model) to standard output, by the scalar functions or, with "a",
// by ComputeStates on every instruction set Highway built and this CPU runs:
// bench/same_bits.sh builds it against two builds of the library and compares
// the bytes. Status 19 (above ice saturation) is written as 13, which it
// split: a build from before it has 13 there.
//
//   same_bits 1000000 s > scalar.bin; same_bits 300000 a > arrays.bin
#include <hwy/targets.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/pairs.h"
#include "hygrian/psychrometrics.h"

namespace {

using hygrian::Result;
using hygrian::State;

void Put(const Result& r) {
  std::fwrite(&r.state, sizeof r.state, 1, stdout);
  const int status = static_cast<int>(r.status) == 19 ? 13 : static_cast<int>(r.status);
  std::fwrite(&status, sizeof status, 1, stdout);
  const char found = r.wetBulbFound ? 1 : 0;
  std::fwrite(&found, 1, 1, stdout);
}

// A value of the pair's k-th quantity: over the model's range and past it,
// now and then an edge or a value that is not finite.
double Draw(const hygrian::Pair& pair, std::size_t k, std::mt19937_64& random) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  constexpr double kEdges[] = {0.0, -0.0, 0.01, -1e-9, 1e-9, 100.0, 200.0, -100.0, NAN, INFINITY};
  const double r = u(random);
  if (u(random) < 0.02) return kEdges[static_cast<std::size_t>(r * 10) % 10];
  const auto member = pair.given[k].member;
  if (pair.key == "dry_bulb_specific_humidity" && k == 1) return std::pow(10.0, -8.0 + 8.3 * r);
  if (member == &State::relativeHumidity) return -5.0 + 215.0 * r;
  if (member == &State::humidityRatio) return std::pow(10.0, -8.0 + 8.5 * r) - 1e-7;
  if (member == &State::enthalpy) return -120.0 + 520.0 * r;
  if (member == &State::dewPoint || member == &State::wetBulb) return -160.0 + 370.0 * r;
  return -110.0 + 320.0 * r;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const bool arrays = argc > 2 && argv[2][0] == 'a';
  std::mt19937_64 random(45);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const hygrian::Options kOptions[] = {{hygrian::Model::Handbook, hygrian::Phase::Ice},
                                       {hygrian::Model::Calculator, hygrian::Phase::Ice}};
  for (const hygrian::Pair& pair : hygrian::AllPairs) {
    std::vector<double> a(n), b(n), P(n);
    for (std::size_t i = 0; i < n; ++i) {
      a[i] = Draw(pair, 0, random);
      b[i] = Draw(pair, 1, random);
      // Often near the 0 degrees C plateau and seam.
      if (u(random) < 0.15 && pair.given[0].member == &State::dryBulb) {
        a[i] = -3.0 + 9.0 * u(random);
      }
      P[i] = u(random) < 0.5 ? 101.325 : std::exp(std::log(5.0) + std::log(240.0) * u(random));
    }
    for (const hygrian::Options options : kOptions) {
      if (!arrays) {
        for (std::size_t i = 0; i < n; ++i) Put(pair.compute(a[i], b[i], P[i], options));
        continue;
      }
      for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        std::vector<Result> out(n);
        if (!hygrian::ComputeStates(pair, a, b, P, out, options)) return 1;
        for (const Result& r : out) Put(r);
        std::fprintf(stderr, "%s\n", hygrian::VectorInstructionSet().data());
      }
      hwy::SetSupportedTargetsForTest(0);
    }
  }
  return 0;
}
