#include "hygrian/arrays.h"

#include <cstddef>

#include "air/handbook/arrays.h"

namespace hygrian {
namespace {

// The second value as the handbook model's lanes take a pair's, from its given
// member: the member itself, the humidity ratio for a specific humidity or a
// vapour pressure; nullptr for a pair the lanes do not take.
double State::*LanesOf(const Pair& pair) {
  if (pair.given[0].member != &State::dryBulb) return nullptr;
  const auto member = pair.given[1].member;
  if (member == &State::specificHumidity || member == &State::vaporPressure) {
    return &State::humidityRatio;
  }
  for (const auto lanes :
       {&State::wetBulb, &State::dewPoint, &State::relativeHumidity, &State::humidityRatio}) {
    if (member == lanes) return lanes;
  }
  return nullptr;
}

}  // namespace

bool ComputeStates(const Pair& pair, std::span<const double> first, std::span<const double> second,
                   std::span<const double> pressure, std::span<Result> out,
                   Options options) noexcept {
  const std::size_t n = out.size();
  const bool onePressure = pressure.size() == 1;
  if (first.size() != n || second.size() != n || !(onePressure || pressure.size() == n)) {
    return false;
  }
  double State::*const lanes = LanesOf(pair);
  if (options.model == Model::Handbook && lanes != nullptr) {
    const air::handbook::Columns columns{
        first.data(), second.data(),        pressure.data(), onePressure, n,
        lanes,        pair.given[1].member, pair.compute};
    air::handbook::ComputeStates(columns, out.data(), options.over);
    return true;
  }
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = pair.compute(first[i], second[i], pressure[onePressure ? 0 : i], options);
  }
  return true;
}

std::string_view VectorInstructionSet() noexcept { return air::handbook::VectorTarget(); }

}  // namespace hygrian
