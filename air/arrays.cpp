#include "hygrian/arrays.h"

#include <cstddef>
#include <optional>

#include "air/handbook/arrays.h"

namespace hygrian {
namespace {

// Which of the handbook model's vector paths a pair takes, if any.
// A specific humidity or vapour pressure takes the humidity ratio's.
std::optional<air::handbook::Second> PathOf(const Pair& pair) {
  using air::handbook::Second;
  if (pair.given[0].member != &State::dryBulb) return std::nullopt;
  const auto member = pair.given[1].member;
  if (member == &State::wetBulb) return Second::WetBulb;
  if (member == &State::dewPoint) return Second::DewPoint;
  if (member == &State::relativeHumidity) return Second::RelativeHumidity;
  if (member == &State::humidityRatio || member == &State::specificHumidity ||
      member == &State::vaporPressure) {
    return Second::HumidityRatio;
  }
  return std::nullopt;
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
  const std::optional<air::handbook::Second> path = PathOf(pair);
  if (options.model == Model::Handbook && path) {
    const air::handbook::Columns columns{
        first.data(), second.data(),        pressure.data(), onePressure, n,
        *path,        pair.given[1].member, pair.compute};
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
